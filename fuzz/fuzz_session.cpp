// SPDX-License-Identifier: MIT
// The engine end to end: any settings file, then any typing and any actions, in either locale
// and language. Every CNC line the engine shows is empty or one the machine may get, built from
// the fields it stands beside; a line built from values computed in the run has a feed that
// the formulas give for them; a tap's line feeds its S word times the lead, whatever built it;
// and a save always follows a line that was built.
//
// Input: one byte of options (bit 0 point locale, bit 1 English words, bits 2-3 decoding),
// the bytes of a settings file up to the first NUL, then actions separated by NUL: the first
// byte says what (below), the second picks a field, a mode or a count, the rest is a text.

#include "fuzzcheck.h"

#include "session/session.h"
#include "settings/settingsfile.h"

#include <array>
#include <cmath>
#include <exception>
#include <string>

using calc::AllFields;
using calc::Field;
using calc::Language;
using calc::ToolMode;

using fuzz::DanishWords;
using fuzz::EnglishWords;
using fuzz::printable;

namespace {

// Whether a kind's n and S come from a chain of this run, and with how many decimals; not so
// for values the file gave or typing changed since.
struct Computed
{
    bool inRun = false;
    int decimals = 0;
};

struct Harness
{
    calc::NumberLocale locale;
    const calc::CncWords &words;
    std::array<Computed, 3> computed{};
    // Typing without Enter since the line was last built or emptied: the line keeps its text
    // until the next chain, beside the typed text.
    bool typedSinceLine = false;

    double number(const session::Outcome &out, Field field) const
    {
        return calc::textToNumber(out.field(field), locale);
    }

    // The feed the formulas give for the n beside it, within the rounding of its decimals.
    void checkFeed(const session::Outcome &out, const std::string &what) const
    {
        const Computed &kind = computed[std::size_t(out.mode)];
        if (!kind.inRun)
            return;
        const double n = number(out, Field::SpindleSpeed);
        const double feed = number(out, Field::FeedRate);
        // The feed of one revolution.
        const double perRevolution =
            out.mode == ToolMode::Mill
                ? number(out, Field::Flutes) * number(out, Field::FeedPerTooth)
                : number(out, Field::FeedPerTooth);
        // n or S was rounded to the decimals, whichever was computed last.
        const double expected = n * perRevolution;
        const double tolerance = 0.5 * std::pow(10.0, -kind.decimals) * (1.0 + perRevolution) +
                                 1e-9 * std::max(std::fabs(feed), std::fabs(expected));
        FUZZ_CHECK(std::fabs(feed - expected) <= tolerance,
                   what + " showed " + printable(out.cncLine) + " whose feed is not n x " +
                       std::to_string(perRevolution));
    }

    // A rigid-tapping control feeds F/S per turn: that is the lead, to the 4 decimals of F.
    void checkTapFeed(const session::Outcome &out, const std::string &what) const
    {
        const bool mm = out.pitchUnit == session::PitchUnit::Millimetres;
        const double pitch = number(out, mm ? Field::PitchMm : Field::ThreadsPerInch);
        const bool metric = out.units == session::Units::Metric;
        const double lead = mm ? (metric ? pitch : pitch / 25.4) : (metric ? 25.4 : 1.0) / pitch;
        const QStringList words = out.cncLine.split(u' ');
        const double speedWord = words.at(0).mid(1).toDouble();
        const double feedWord = words.at(2).mid(1).toDouble();
        const double expected = speedWord * lead;
        FUZZ_CHECK(std::fabs(feedWord - expected) <= 0.5e-4 + 1e-12 * std::fabs(expected),
                   what + " showed " + printable(out.cncLine) + " whose F is not S x " +
                       std::to_string(lead));
    }

    void check(const session::Outcome &out, const std::string &what) const
    {
        FUZZ_CHECK(!(out.saved && out.inputError), what + " saved after an input error");
        if (out.cncLine.isEmpty())
            return;
        FUZZ_CHECK(fuzz::isMachineSafeLine(out.cncLine, words),
                   what + " showed " + printable(out.cncLine));
        if (typedSinceLine)
            return;
        // The line is the one the fields beside it make: no other kind's, no older one.
        calc::ToolValues shown;
        for (Field field : AllFields)
            shown[field] = out.field(field);
        const calc::CncInput input{out.mode, out.pitchUnit, shown, out.units};
        QString rebuilt;
        try {
            calc::composeCncLine(input, words, locale, rebuilt);
            if (out.mode == ToolMode::Tap)
                checkTapFeed(out, what);
            else
                checkFeed(out, what);
        } catch (const calc::InputError &) {
            FUZZ_FAIL(what + " showed " + printable(out.cncLine) + " beside fields of no line");
        }
        FUZZ_CHECK(rebuilt == out.cncLine, what + " showed " + printable(out.cncLine) +
                                               " beside the fields of " + printable(rebuilt));
    }

    // After an action that ran a chain on the kind shown, which builds or empties the line.
    void chainRan(const session::Outcome &out)
    {
        computed[std::size_t(out.mode)] = {!out.inputError, out.decimalCount};
        typedSinceLine = false;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t options = data[0];
    const calc::NumberLocale locale = (options & 1) ? calc::pointLocale() : calc::commaLocale();
    const calc::CncWords &words = (options & 2) ? EnglishWords : DanishWords;
    const auto how = static_cast<fuzz::Decoding>(((options >> 2) & 3) % 3);

    std::vector<QByteArray> records;
    QByteArray current;
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            records.push_back(current);
            current.clear();
        } else {
            current += char(data[i]);
        }
    }
    records.push_back(current);

    settings::FileRecords stored;
    settings::parseSettings(records.front(), stored);
    settings::Settings values = settings::SettingsFile().take(stored);
    session::Session engine(values, locale, [](const settings::Settings &) {
        return settings::SaveResult{settings::SaveStatus::Saved, {}, {}};
    });
    Harness harness{locale, words};
    const auto check = [&harness](const session::Outcome &out, const std::string &what) {
        harness.check(out, what);
    };
    const auto checkChain = [&harness](const session::Outcome &out, const std::string &what) {
        harness.chainRan(out);
        harness.check(out, what);
    };
    try {
        check(engine.load(words), "load");
        check(engine.selectMode(ToolMode::Mill), "the first mode switch");
        for (std::size_t r = 1; r < records.size(); ++r) {
            const QByteArray &record = records[r];
            const int what = record.size() > 0 ? std::uint8_t(record[0]) % 8 : 0;
            const int pick = record.size() > 1 ? std::uint8_t(record[1]) : 0;
            const QByteArray rest = record.size() > 2 ? record.mid(2) : QByteArray();
            const QString text = fuzz::decode(rest.constData(), std::size_t(rest.size()), how);
            const Field field = AllFields[std::size_t(pick % 8)];
            const std::string name = "action " + std::to_string(what) + " (" +
                                     std::to_string(pick) + ", " + printable(text) + ")";
            switch (what) {
            case 0:
                engine.setText(field, text);
                checkChain(engine.enter(field), name);
                break;
            case 1:
                // Typing without Enter: the window commits it on leaving the field, before
                // any other action.
                engine.setText(field, text);
                harness.computed[std::size_t(engine.mode())].inRun = false;
                harness.typedSinceLine = true;
                break;
            case 2:
                harness.typedSinceLine = false; // the switch builds the line or empties it
                check(engine.selectMode(ToolMode(pick % 3)), name);
                break;
            case 3: {
                const session::Outcome out =
                    engine.selectPitchUnit(pick % 2 ? session::PitchUnit::ThreadsPerInch
                                                    : session::PitchUnit::Millimetres);
                // Only a tap's chain reads the pitch.
                if (out.mode == ToolMode::Tap)
                    harness.chainRan(out);
                check(out, name);
                break;
            }
            case 4: {
                const session::Outcome out =
                    engine.selectUnits(pick % 2 ? session::Units::Inch : session::Units::Metric);
                // Every kind is computed in the new units, or left without n and S.
                for (Computed &kind : harness.computed)
                    kind = {true, out.decimalCount};
                checkChain(out, name);
                break;
            }
            case 5:
                checkChain(engine.selectDecimals(pick % 5 - 1), name);
                break;
            case 6: {
                // The language item, then the new window opening in Mill mode.
                const std::optional<Field> focused =
                    pick % 9 == 8 ? std::nullopt : std::optional<Field>(AllFields[pick % 9]);
                const session::Outcome out =
                    engine.switchLanguage(pick % 2 ? Language::English : Language::Danish, focused);
                if (focused)
                    harness.chainRan(out);
                check(out, name);
                harness.typedSinceLine = false; // the new window starts without a line
                check(engine.load(words), name + ", load");
                check(engine.selectMode(ToolMode::Mill), name + ", Mill");
                break;
            }
            default:
                checkChain(engine.enter(field), name);
                break;
            }
        }
    } catch (const std::exception &e) {
        FUZZ_FAIL(std::string("the engine threw ") + e.what());
    }
    return 0;
}
