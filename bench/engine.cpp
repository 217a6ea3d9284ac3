// SPDX-License-Identifier: MIT
// The engine without widgets: every action of a main window, end to end, with a saver that
// does nothing; then the CNC line alone, and the settings file's atomic save on tmpfs.

#include "common.h"

#include "calc/cncline.h"
#include "session/session.h"
#include "settings/settingsfile.h"
#include "texts/textcatalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using calc::Field;
using calc::Language;
using calc::ToolMode;
using texts::catalogue;

namespace bench {

namespace {

// A save is timed one at a time, so that its median and 99th percentile are those of single
// saves rather than of averages.
constexpr int SaveSamples = 500;

// A session of the Danish window, loaded and switched to the given kind.
struct Engine
{
    explicit Engine(ToolMode mode)
    {
        session.load(catalogue(Language::Danish).cncWords);
        session.selectMode(mode);
    }

    Settings values = sampleValues();
    session::Session session{values, calc::commaLocale(), saveNothing};
};

// Runs action on a fresh engine; a benchmark whose action meets an input error measures the
// wrong path, so it stops with an error instead.
void runAction(benchmark::State &state, ToolMode mode,
               const std::function<session::Outcome(session::Session &)> &action)
{
    Engine engine(mode);
    if (action(engine.session).inputError) {
        state.SkipWithError("input error");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(action(engine.session));
}

struct EnterCase
{
    const char *name;
    ToolMode mode;
    Field field;
    QString text;
};

// A directory on tmpfs where there is one, so that a save measures the program, not a disk.
QString fastDirectory()
{
    const QString candidates[] = {u"/dev/shm"_s, qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                  QDir::tempPath()};
    for (const QString &path : candidates) {
        const QFileInfo info(path);
        if (!path.isEmpty() && info.isDir() && info.isWritable())
            return path;
    }
    return QDir::tempPath();
}

calc::CncInput lineInput(const Settings &v, ToolMode mode)
{
    return {mode, v.pitchUnit, v.tool(mode), v.units};
}

} // namespace

void registerEngineBenchmarks()
{
    using session::PitchUnit;
    using session::Units;

    // Typing a value and pressing Enter: the text is set again each time, since the fraction
    // becomes a number on its first Enter.
    const EnterCase enterCases[] = {
        {"mill/diameter", ToolMode::Mill, Field::Diameter, u"12,5"_s},
        {"mill/diameter_fraction", ToolMode::Mill, Field::Diameter, u"1 1/2"_s},
        {"mill/flutes", ToolMode::Mill, Field::Flutes, u"3"_s},
        {"mill/feed_per_tooth", ToolMode::Mill, Field::FeedPerTooth, u"0,1"_s},
        {"mill/cutting_speed", ToolMode::Mill, Field::CuttingSpeed, u"50"_s},
        {"mill/spindle_speed", ToolMode::Mill, Field::SpindleSpeed, u"1273"_s},
        {"mill/feed_rate", ToolMode::Mill, Field::FeedRate, u"381,97"_s},
        {"drill/diameter", ToolMode::Drill, Field::Diameter, u"8"_s},
        {"tap/pitch_mm", ToolMode::Tap, Field::PitchMm, u"1,25"_s},
        {"tap/threads_per_inch", ToolMode::Tap, Field::ThreadsPerInch, u"20"_s},
        {"tap/spindle_speed", ToolMode::Tap, Field::SpindleSpeed, u"1061"_s},
        {"tap/feed_rate", ToolMode::Tap, Field::FeedRate, u"1326"_s},
    };
    for (const EnterCase &c : enterCases)
        registerBenchmark(std::string("Session/enter/") + c.name, [c](benchmark::State &state) {
            runAction(state, c.mode, [&c](session::Session &s) {
                s.setText(c.field, c.text);
                return s.enter(c.field);
            });
        });

    const std::pair<const char *, ToolMode> modes[] = {
        {"mill", ToolMode::Mill}, {"drill", ToolMode::Drill}, {"tap", ToolMode::Tap}};
    for (const auto &[name, mode] : modes)
        registerBenchmark(std::string("Session/selectMode/") + name,
                          [mode](benchmark::State &state) {
                              runAction(state, ToolMode::Mill,
                                        [mode](session::Session &s) { return s.selectMode(mode); });
                          });

    const std::pair<const char *, PitchUnit> pitchUnits[] = {{"mm", PitchUnit::Millimetres},
                                                             {"tpi", PitchUnit::ThreadsPerInch}};
    for (const auto &[name, unit] : pitchUnits)
        registerBenchmark(
            std::string("Session/selectPitchUnit/") + name, [unit](benchmark::State &state) {
                runAction(state, ToolMode::Tap,
                          [unit](session::Session &s) { return s.selectPitchUnit(unit); });
            });

    const std::pair<const char *, Units> units[] = {{"metric", Units::Metric},
                                                    {"inch", Units::Inch}};
    for (const auto &[name, unit] : units)
        registerBenchmark(
            std::string("Session/selectUnits/") + name, [unit](benchmark::State &state) {
                runAction(state, ToolMode::Mill,
                          [unit](session::Session &s) { return s.selectUnits(unit); });
            });

    registerBenchmark("Session/selectDecimals/3", [](benchmark::State &state) {
        runAction(state, ToolMode::Mill, [](session::Session &s) { return s.selectDecimals(3); });
    });

    registerBenchmark("Session/load", [](benchmark::State &state) {
        const calc::CncWords words = catalogue(Language::Danish).cncWords;
        runAction(state, ToolMode::Mill, [&words](session::Session &s) { return s.load(words); });
    });

    registerBenchmark("Session/setText", [](benchmark::State &state) {
        Engine engine(ToolMode::Mill);
        const QString text = u"12,5"_s;
        for (auto _ : state)
            engine.session.setText(Field::Diameter, text);
        benchmark::DoNotOptimize(engine.values.mill[calc::Field::Diameter]);
    });

    for (ToolMode mode : {ToolMode::Mill, ToolMode::Tap})
        registerBenchmark(mode == ToolMode::Mill ? "CncLine/compose/mill" : "CncLine/compose/tap",
                          [mode](benchmark::State &state) {
                              const Settings values = sampleValues();
                              const calc::CncInput input = lineInput(values, mode);
                              const calc::CncWords &words = catalogue(Language::Danish).cncWords;
                              QString line;
                              for (auto _ : state) {
                                  calc::composeCncLine(input, words, calc::commaLocale(), line);
                                  benchmark::DoNotOptimize(line);
                              }
                          });

    registerBenchmark("Settings/serialize", [](benchmark::State &state) {
        const settings::SettingsFile file;
        const Settings values = sampleValues();
        for (auto _ : state)
            benchmark::DoNotOptimize(settings::serializeSettings(file.recordsFor(values)));
    });

    // The whole save: checks, a temporary file beside the settings file, the rename.
    registerBenchmark("Settings/save",
                      [](benchmark::State &state) {
                          static const QTemporaryDir directory(fastDirectory() +
                                                               u"/kvrbench-XXXXXX"_s);
                          const Settings values = sampleValues();
                          const settings::SettingsFile file(directory.filePath(u"KVRsys.cfg"_s));
                          state.SetLabel(QFileInfo(directory.path()).path().toStdString());
                          for (auto _ : state)
                              if (file.save(values).status != settings::SaveStatus::Saved) {
                                  state.SkipWithError("not saved");
                                  break;
                              }
                      })
        ->Iterations(1)
        ->Repetitions(SaveSamples);
}

} // namespace bench
