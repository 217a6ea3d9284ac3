// SPDX-License-Identifier: MIT
// The engine without a window: what each action computes, shows and saves, in a comma and a
// point locale.

#include "session/session.h"
#include "testvalues.h"

#include <QTest>

using calc::Field;
using namespace Qt::StringLiterals;
using calc::AllFields;
using calc::Language;
using calc::ToolMode;
using session::Outcome;
using session::Session;
using settings::SaveResult;
using settings::SaveStatus;
using settings::Settings;
using testvalues::DanishWords;
using testvalues::numberText;
using testvalues::ToolKind;

namespace {

// Mill: D 10, Z 3, Sz 0,1, V 100; Tap: pitch 1,5 mm; metric, two decimals.
Settings sample(bool comma)
{
    Settings v;
    v.mill = {u"10"_s, u"3"_s, numberText("0,1", comma), u"100"_s, u"1"_s, u"20"_s, u"4"_s, u"4"_s};
    v.drill = v.mill;
    v.tap = {u"10"_s, u"1"_s, u"1"_s, u"100"_s, numberText("1,5", comma), u"20"_s, u"4"_s, u"4"_s};
    v.units = calc::Units::Metric;
    v.decimalCount = 2;
    v.pitchUnit = calc::PitchUnit::Millimetres;
    v.language = Language::Danish;
    v.decimalSeparator = calc::DecimalSeparator::pointIf(!comma); // written in this notation
    return v;
}

// Empties the fields named, as "n S".
void clearNamed(calc::ToolValues &tool, const QString &names)
{
    const QStringList all{u"D"_s, u"Z"_s, u"Sz"_s, u"V"_s, u"P"_s, u"TPI"_s, u"n"_s, u"S"_s};
    for (const QString &name : names.split(u' ', Qt::SkipEmptyParts))
        tool[Field(all.indexOf(name))].clear();
}

// A saver that counts the saves, and writes nothing.
session::Saver counting(int &saves)
{
    return [&saves](const Settings &) {
        ++saves;
        return SaveResult{SaveStatus::Saved, {}, {}};
    };
}

// A session whose saves are counted, not written.
struct Engine
{
    explicit Engine(bool comma)
        : values(sample(comma)), session(values, comma ? calc::commaLocale() : calc::pointLocale(),
                                         [this](const Settings &saving) {
                                             saved = saving;
                                             return counting(saves)(saving);
                                         })
    {
        session.load(DanishWords);
        start(ToolKind::Mill);
    }

    // Selects the kind's pitch unit, as a file may have stored it, then its mode; no save
    // counted yet.
    Outcome start(ToolKind kind)
    {
        values.pitchUnit = kind == ToolKind::TapTpi ? calc::PitchUnit::ThreadsPerInch
                                                    : calc::PitchUnit::Millimetres;
        const Outcome out = session.selectMode(toolMode(kind));
        saves = 0;
        return out;
    }

    Outcome type(Field field, const QString &text)
    {
        session.setText(field, text);
        return session.enter(field);
    }

    Settings values;
    int saves = 0;
    Settings saved; // as the last save wrote it
    Session session;
};

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void enter_runsTheFieldsChain_data();
    void enter_runsTheFieldsChain();
    void enter_inputError_emptiesItsResultsAndLine_data();
    void enter_inputError_emptiesItsResultsAndLine();
    void enter_readsWhatItsFormulasNeed_data();
    void enter_readsWhatItsFormulasNeed();
    void pi_isReadFromItsTextAtEachUse();
    void lineThatCannotBeBuilt_isNotShownNorSaved_data();
    void lineThatCannotBeBuilt_isNotShownNorSaved();
    void selectMode_loadsKindWithoutFormula();
    void selectPitchUnit_startsOnlyFromLeastPitch_data();
    void selectPitchUnit_startsOnlyFromLeastPitch();
    void menus_recomputeSpeedAndFeed();
    void units_recomputeEveryKind();
    void editedLine_standsUntilTheNextLine();
    void load_settlesSeparatorWithoutSaving_data();
    void load_settlesSeparatorWithoutSaving();
    void save_failureWarnsOnceWhileItLasts_data();
    void save_failureWarnsOnceWhileItLasts();
    void switchLanguage_commitsTheFocusedField_data();
    void switchLanguage_commitsTheFocusedField();
};

namespace {

using enum ToolKind;
constexpr bool Metric = false, Inch = true;

// Enter after typing into one field of the sample values: D, Sz, V, n and S as stored, with a
// comma, and the line, always with points (not compared where empty).
struct Chain
{
    bool comma, inch;
    ToolKind kind;
    int decimals;
    Field field;
    const char *typed, *results, *line;
};

void addChainRow(const char *name, ToolKind kind, bool inch, int decimals, Field field,
                 const char *typed, const char *results, const char *line = "")
{
    for (const bool comma : {true, false}) {
        QTest::addRow("%s: %s", comma ? "comma" : "point", name)
            << Chain{comma, inch, kind, decimals, field, typed, results, line};
    }
}

} // namespace

Q_DECLARE_METATYPE(Chain)

void TestSession::enter_runsTheFieldsChain_data()
{
    QTest::addColumn<Chain>("chain");
    using enum Field;
    // V and Sz keep 8 decimals, n and S the decimals chosen, written without trailing zeros;
    // a tie goes to the even neighbour, judged on the result's 15-digit text.
    // clang-format off
    addChainRow("D as a fraction", Mill, Metric, 2, Diameter, "1 1/2", "1,5 0,1 100 21220,66 6366,2", "S21221 M03 F6366.2 (1.5 FR 3 SK)");
    addChainRow("Z, inch", Mill, Inch, 2, Flutes, "3", "10 0,1 100 38,2 11,46", "S38 M03 F11.46 (10 FR 3 SK)");
    addChainRow("n gives V, then n again", Mill, Metric, 2, SpindleSpeed, "1000", "10 0,1 31,41592654 1000 300", "S1000 M03 F300 (10 FR 3 SK)");
    addChainRow("V's eighth decimal 0 not shown", Mill, Inch, 2, SpindleSpeed, "9", "10 0,1 23,5619449 9 2,7");
    addChainRow("n and S to 0 decimals", Mill, Metric, 0, CuttingSpeed, "100", "10 0,1 100 3183 955");
    addChainRow("n and S to 1 decimal", Mill, Metric, 1, CuttingSpeed, "100", "10 0,1 100 3183,1 954,9");
    addChainRow("n and S to 3 decimals", Mill, Metric, 3, CuttingSpeed, "100", "10 0,1 100 3183,099 954,93");
    addChainRow("n to 3 decimals, inch", Mill, Inch, 3, CuttingSpeed, "300", "10 0,1 300 114,592 34,378");
    addChainRow("S gives Sz to 8 decimals", Mill, Metric, 2, FeedRate, "100", "10 8,33333333 100 3183,1 79577,5");
    addChainRow("Sz tie of the 15-digit text", Mill, Metric, 3, FeedRate, "0,0000057", "10 4,8E-07 100 3183,099 0,005");
    addChainRow("drill S gives Sz", Drill, Metric, 2, FeedRate, "300", "10 75 100 3183,1 238732,5", "S3183 M03 F238732.5 (10 BOR)");
    addChainRow("S that rounds to 0", Mill, Inch, 0, FeedPerTooth, "0,002", "10 0,002 100 38 0", "S38 M03 F0 (10 FR 3 SK)");
    addChainRow("S tie to even, up", Drill, Inch, 0, FeedPerTooth, "0,25", "10 0,25 100 38 10");
    addChainRow("S tie to even, down", Drill, Metric, 0, FeedPerTooth, "1,5", "10 1,5 100 3183 4774");
    addChainRow("tap n gives V, n stays as typed", TapMm, Metric, 2, SpindleSpeed, "1000,4", "10 1 31,42849291 1000,4 1500,6", "S1000 M03 F1500 (10 TAP 1.5 STIG)");
    addChainRow("tap S gives n from the pitch", TapMm, Metric, 2, FeedRate, "750", "10 1,5 15,70796327 500 750", "S500 M03 F750 (10 TAP 1.5 STIG)");
    addChainRow("tap n from the pitch, 0 decimals", TapMm, Metric, 0, FeedRate, "1000", "10 1,49925037 20,954423 667 1000", "S667 M03 F1000.5 (10 TAP 1.5 STIG)");
    addChainRow("tap n from the pitch, 3 decimals", TapMm, Inch, 3, FeedRate, "1000", "10 0,05905512 44331,36212799 16933,333 1000", "S16933 M03 F999.9803 (10 TAP 1.5 STIG)");
    addChainRow("tap S from 13 threads per inch", TapTpi, Metric, 2, ThreadsPerInch, "13", "10 1 100 3183,1 6219,29", "S3183 M03 F6219.0923 (10 TAP 13 STIG)");
    addChainRow("tap S, inch, 3 decimals", TapTpi, Inch, 3, ThreadsPerInch, "13", "10 1 100 38,197 2,938", "S38 M03 F2.9231 (10 TAP 13 STIG)");
    addChainRow("tap at a low speed, 20 threads per inch", TapTpi, Inch, 2, SpindleSpeed, "6,4", "10 1 16,75516082 6,4 0,32", "S6 M03 F0.3 (10 TAP 20 STIG)");
    // clang-format on
}

void TestSession::enter_runsTheFieldsChain()
{
    QFETCH(Chain, chain);
    Engine e(chain.comma);
    e.values.units = chain.inch ? calc::Units::Inch : calc::Units::Metric;
    e.values.decimalCount = chain.decimals;
    const ToolMode mode = e.start(chain.kind).mode;

    const Outcome out = e.type(chain.field, numberText(chain.typed, chain.comma));
    const QStringList expected = numberText(chain.results, chain.comma).split(u' ');
    const Field shown[] = {Field::Diameter, Field::FeedPerTooth, Field::CuttingSpeed,
                           Field::SpindleSpeed, Field::FeedRate};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(out.field(shown[i]), expected.at(i));
    if (*chain.line)
        QCOMPARE(out.cncLine, QString::fromLatin1(chain.line));
    QVERIFY(!out.inputError);
    QCOMPARE(e.saves, 1);
    // The outcome shows what the session holds: one copy of each value.
    for (Field f : AllFields)
        QCOMPARE(out.field(f), e.values.tool(mode)[f]);
}

void TestSession::enter_inputError_emptiesItsResultsAndLine_data()
{
    QTest::addColumn<ToolKind>("kind");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("typed");      // stays in its field
    QTest::addColumn<QString>("correction"); // then computes at once
    QTest::addColumn<QString>("emptied");    // what was computed from the failed value
    using enum Field;
    const auto row = [](const char *name, ToolKind kind, Field field, const char *typed,
                        const char *correction, const char *emptied) {
        QTest::newRow(name) << kind << field << QString::fromUtf8(typed)
                            << QString::fromUtf8(correction) << QString::fromLatin1(emptied);
    };
    // clang-format off
    row("empty D", Mill, Diameter, "", "12", "n S");
    row("1/0 stays as typed", Mill, Diameter, "1/0", "1 1/2", "n S");
    row("3 /8 is no fraction", Mill, Diameter, "3 /8", "3/8", "n S");
    row("letters in Z: n is not read", Mill, Flutes, "abc", "4", "S");
    row("empty Sz", Mill, FeedPerTooth, "", "0,1", "S");
    row("letters in V", Mill, CuttingSpeed, "abc", "50", "n S");
    row("letters in n", Mill, SpindleSpeed, "abc", "1000", "V S");
    row("minus in n: V is no line's, n is to blame", Mill, SpindleSpeed, "-5", "1000", "V S");
    row("S typo: n is not computed from S", Mill, FeedRate, "38l,97", "381,97", "Sz");
    row("drill D", Drill, Diameter, "1o", "10", "n S");
    row("drill Sz", Drill, FeedPerTooth, "0,1x", "0,1", "S");
    row("drill V", Drill, CuttingSpeed, "", "100", "n S");
    row("drill n", Drill, SpindleSpeed, "1o0", "100", "V S");
    row("drill S", Drill, FeedRate, "1o0", "100", "Sz");
    row("tap D", TapMm, Diameter, "abc", "6", "n S");
    row("tap V", TapMm, CuttingSpeed, "abc", "10", "n S");
    row("tap pitch in mm", TapMm, PitchMm, "1,5x", "1,5", "S");
    row("tap threads per inch", TapTpi, ThreadsPerInch, "2o", "20", "S");
    row("tap n", TapMm, SpindleSpeed, "abc", "500", "V S");
    row("tap S: n is computed from S", TapMm, FeedRate, "abc", "750", "n Sz V");
    // clang-format on
}

void TestSession::enter_inputError_emptiesItsResultsAndLine()
{
    QFETCH(ToolKind, kind);
    QFETCH(Field, field);
    QFETCH(QString, typed);
    QFETCH(QString, correction);
    QFETCH(QString, emptied);
    Engine e(true);
    const ToolMode mode = e.start(kind).mode;
    QVERIFY(!e.session.enter(Field::CuttingSpeed).cncLine.isEmpty()); // n and S belong to V
    e.saves = 0;
    calc::ToolValues expected = e.values.tool(mode);
    expected[field] = typed;
    clearNamed(expected, emptied);

    const Outcome out = e.type(field, typed);
    QVERIFY(out.inputError && !out.computed);
    QCOMPARE(out.failedField, field);
    QCOMPARE(e.values.tool(mode), expected);
    QVERIFY(out.cncLine.isEmpty());
    QCOMPARE(e.saves, 0);
    // Nothing emptied pairs with a line later.
    QVERIFY(e.session.selectMode(mode).cncLine.isEmpty());
    QCOMPARE(e.saves, 0);
    const Outcome corrected = e.type(field, correction);
    QVERIFY(!corrected.inputError && !corrected.cncLine.isEmpty() && corrected.computed);
    QCOMPARE(e.saves, 1);
}

void TestSession::enter_readsWhatItsFormulasNeed_data()
{
    QTest::addColumn<ToolKind>("kind");
    QTest::addColumn<Field>("unreadable"); // holds the text below, as a file may have stored it
    QTest::addColumn<QString>("text");
    QTest::addColumn<Field>("field"); // Enter here
    QTest::addColumn<bool>("inputError");
    QTest::addColumn<QString>("emptied"); // by the error
    using enum Field;
    const auto row = [](const char *name, ToolKind kind, Field unreadable, const char *text,
                        Field field, bool inputError, const char *emptied = "") {
        QTest::newRow(name) << kind << unreadable << QString::fromUtf8(text) << field << inputError
                            << QString::fromLatin1(emptied);
    };
    // clang-format off
    row("V reads D", Mill, Diameter, "abc", SpindleSpeed, true, "V S");
    row("V reads D, a fraction only evaluated by its Enter", Mill, Diameter, "1 1/2", SpindleSpeed, true, "V S");
    row("n reads V", Mill, CuttingSpeed, "", Flutes, true, "n S");
    row("Sz reads S", Mill, FeedRate, "", FeedRate, true, "Sz");
    row("S of a mill reads Z", Mill, Flutes, "", CuttingSpeed, true, "S");
    row("S of a drill reads no Z", Drill, Flutes, "abc", CuttingSpeed, false);
    row("tap S reads the pitch in mm", TapMm, PitchMm, "", CuttingSpeed, true, "S");
    row("tap S in mm reads no threads per inch", TapMm, ThreadsPerInch, "abc", CuttingSpeed, false);
    row("tap n reads S", TapTpi, FeedRate, "", FeedRate, true, "Sz V n");
    row("n divides by a zero D", Mill, Diameter, "0", CuttingSpeed, true, "n S");
    row("mill S, V -50: n and the Sz before it", Mill, CuttingSpeed, "-50", FeedRate, true, "Sz n");
    // clang-format on
}

void TestSession::enter_readsWhatItsFormulasNeed()
{
    QFETCH(ToolKind, kind);
    QFETCH(Field, unreadable);
    QFETCH(QString, text);
    QFETCH(Field, field);
    QFETCH(bool, inputError);
    QFETCH(QString, emptied);
    Engine e(true);
    calc::ToolValues &tool = e.values.tool(e.start(kind).mode);
    tool[unreadable] = text;
    const QString typed = tool[field];

    const Outcome out = e.session.enter(field);
    calc::ToolValues emptiedOnly = tool;
    clearNamed(emptiedOnly, emptied);
    QCOMPARE(tool, emptiedOnly);
    QVERIFY(!inputError || tool[field] == typed); // what was typed stays
    QCOMPARE(out.inputError, inputError);
    QCOMPARE(out.cncLine.isEmpty(), inputError);
    QCOMPARE(e.saves, inputError ? 0 : 1);
    // The error is the value's that failed, not the entered field's.
    QCOMPARE(out.failedField, inputError ? std::optional(unreadable) : std::nullopt);
}

void TestSession::pi_isReadFromItsTextAtEachUse()
{
    Engine e(true);
    e.session.setPiText(u"3"_s);
    const Outcome out = e.type(Field::SpindleSpeed, u"1000"_s);
    QCOMPARE(out.field(Field::CuttingSpeed), u"30"_s);
    QCOMPARE(out.field(Field::SpindleSpeed), u"1000"_s);
}

void TestSession::lineThatCannotBeBuilt_isNotShownNorSaved_data()
{
    QTest::addColumn<ToolMode>("mode");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed"); // else stored by a file and met by a mode switch
    const auto row = [](const char *name, ToolKind kind, Field field, const char *text,
                        bool typed) {
        QTest::newRow(name) << toolMode(kind) << field << QString::fromLatin1(text) << typed;
    };
    using enum Field;
    row("negative D", Mill, Diameter, "-12", true);
    row("negative Sz", Mill, FeedPerTooth, "-0,1", true);
    row("tap feed 1e3", TapMm, FeedRate, "1e3", true);
    row("a drill's negative Sz from the file", Drill, FeedPerTooth, "-0,1", false);
    row("a blank before the minus", Drill, FeedPerTooth, " -0,1", false);
    row("feed record with a rapid move", Drill, FeedRate, "795 G0 Z-100", false);
    row("a drill's unreadable D from the file", Drill, Diameter, "abc", false);
}

void TestSession::lineThatCannotBeBuilt_isNotShownNorSaved()
{
    QFETCH(ToolMode, mode);
    QFETCH(Field, field);
    QFETCH(QString, text);
    QFETCH(bool, typed);
    Engine e(true);
    const QString line = e.session.selectMode(mode).cncLine;
    e.saves = 0;

    Outcome out;
    if (typed) {
        out = e.type(field, text);
    } else {
        e.values.tool(mode)[field] = text;
        out = e.session.selectMode(mode);
    }
    QCOMPARE(out.inputError, typed); // a switch shows no message
    QVERIFY(!line.isEmpty());
    QVERIFY(out.cncLine.isEmpty()); // nor the line of the mode shown before
    QCOMPARE(e.saves, 0);
}

void TestSession::selectMode_loadsKindWithoutFormula()
{
    Engine e(true);
    e.values.drill[calc::Field::Flutes] = u"-7"_s; // a drill's line reads no Z
    const Outcome drill = e.session.selectMode(ToolMode::Drill);
    QCOMPARE(drill.field(Field::Flutes), u"1"_s);
    QCOMPARE(e.values.drill[calc::Field::Flutes], u"1"_s);
    QCOMPARE(drill.field(Field::SpindleSpeed), u"4"_s); // no formula ran
    QCOMPARE(drill.cncLine, u"S4 M03 F4 (10 BOR)"_s);
    QCOMPARE(e.saves, 1);
    QCOMPARE(e.saved.drill[calc::Field::Flutes], u"-7"_s); // saved first, then Z is 1

    const Outcome tap = e.session.selectMode(ToolMode::Tap);
    QVERIFY(tap.shown(Field::PitchMm) && !tap.shown(Field::ThreadsPerInch));
    QCOMPARE(tap.cncLine, u"S4 M03 F6 (10 TAP 1.5 STIG)"_s); // F: the S word times the pitch
    QCOMPARE(e.session.selectMode(ToolMode::Mill).field(Field::Flutes), u"3"_s);
}

void TestSession::selectPitchUnit_startsOnlyFromLeastPitch_data()
{
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("pitch");
    QTest::addColumn<bool>("computes");
    QTest::addColumn<bool>("inputError");
    // Written with a comma; the point locale reads a point in its place.
    const std::tuple<const char *, bool, bool> rows[] = {
        {"", false, false},   {"0,0005", false, false}, {"0,0", false, false},
        {"-1", false, false}, {"abc", false, true},     {"0,001", true, false},
        {",5", true, false},  {"12", true, false},      {" 12", true, false},
    };
    for (const bool comma : {true, false}) {
        for (const auto &[pitch, computes, inputError] : rows)
            QTest::addRow("%s: '%s'", comma ? "comma" : "point", pitch)
                << comma << numberText(pitch, comma) << computes << inputError;
    }
}

void TestSession::selectPitchUnit_startsOnlyFromLeastPitch()
{
    QFETCH(bool, comma);
    QFETCH(QString, pitch);
    QFETCH(bool, computes);
    QFETCH(bool, inputError);
    Engine e(comma);
    e.values.tap[calc::Field::ThreadsPerInch] = pitch;
    e.session.selectMode(ToolMode::Tap);
    e.saves = 0;

    const Outcome out = e.session.selectPitchUnit(session::PitchUnit::ThreadsPerInch);
    QVERIFY(out.shown(Field::ThreadsPerInch) && !out.shown(Field::PitchMm));
    QCOMPARE(e.values.pitchUnit, calc::PitchUnit::ThreadsPerInch);
    QCOMPARE(out.inputError, inputError);
    QCOMPARE(out.field(Field::SpindleSpeed) != u"4", computes || inputError);
    // Otherwise the feed of the other pitch is gone, and so is its line.
    QCOMPARE(out.field(Field::FeedRate).isEmpty(), !computes);
    QCOMPARE(out.cncLine.isEmpty(), !computes);
    QCOMPARE(e.saves, computes ? 1 : 0);
}

void TestSession::menus_recomputeSpeedAndFeed()
{
    Engine e(true);
    Outcome out = e.session.selectDecimals(3);
    QCOMPARE(out.field(Field::SpindleSpeed), u"3183,099"_s);
    QCOMPARE(out.field(Field::FeedRate), u"954,93"_s);
    out = e.session.selectUnits(session::Units::Inch);
    QCOMPARE(e.values.units, calc::Units::Inch);
    QCOMPARE(out.field(Field::SpindleSpeed), u"38,197"_s);
    // The other texts are not converted.
    QCOMPARE(out.field(Field::Diameter), u"10"_s);
    QCOMPARE(e.saves, 2);
}

void TestSession::units_recomputeEveryKind()
{
    Engine e(true);
    e.values.tap[calc::Field::CuttingSpeed].clear();
    const Outcome out = e.session.selectUnits(session::Units::Inch);
    QVERIFY(!out.inputError); // the kinds not shown fail silently
    QCOMPARE(e.values.drill[Field::SpindleSpeed], u"38,2"_s);
    QCOMPARE(e.values.drill[Field::FeedRate], u"3,82"_s);
    QVERIFY(e.values.tap[Field::SpindleSpeed].isEmpty() && e.values.tap[Field::FeedRate].isEmpty());
    QCOMPARE(e.saves, 1);
    QCOMPARE(e.saved.drill, e.values.drill);
    QCOMPARE(e.session.selectMode(ToolMode::Drill).cncLine, u"S38 M03 F3.82 (10 BOR)"_s);
    QVERIFY(e.session.selectMode(ToolMode::Tap).cncLine.isEmpty());
    e.session.selectMode(ToolMode::Drill);
    e.session.selectUnits(session::Units::Metric); // the mill, not shown, too
    QCOMPARE(e.session.selectMode(ToolMode::Mill).cncLine, u"S3183 M03 F954.93 (10 FR 3 SK)"_s);
}

void TestSession::editedLine_standsUntilTheNextLine()
{
    Engine e(true);
    e.session.editLine(u"S3183 M03 F954.93 (10 FR 3 SK) T1"_s);
    QCOMPARE(e.session.outcome().cncLine, u"S3183 M03 F954.93 (10 FR 3 SK) T1"_s);
    QVERIFY(e.type(Field::CuttingSpeed, u"abc"_s).cncLine.isEmpty());
}

void TestSession::load_settlesSeparatorWithoutSaving_data()
{
    QTest::addColumn<bool>("comma");     // the locale's notation
    QTest::addColumn<bool>("fileComma"); // the one the file was written in
    QTest::addColumn<QChar>("group");    // Persian's U+066C, whose U+066B became the point
    const std::pair<const char *, QChar> locales[] = {
        {"comma", u'.'}, {"point", u','}, {"Persian", QChar(0x066C)}};
    for (const auto &[locale, group] : locales) {
        for (const bool fileComma : {true, false})
            QTest::addRow("%s, %s file", locale, fileComma ? "comma" : "point")
                << (group == u'.') << fileComma << group;
    }
}

void TestSession::load_settlesSeparatorWithoutSaving()
{
    QFETCH(bool, comma);
    QFETCH(bool, fileComma);
    QFETCH(QChar, group);
    Settings values = sample(fileComma);
    values.decimalCount = 9;
    // A digit group of the file's locale stays a digit group.
    const QString grouped[] = {u"1,005,093.02"_s, u"1.005.093,02"_s}; // point, comma
    values.drill[calc::Field::SpindleSpeed] = grouped[fileComma];
    int saves = 0;
    Session s(values, {calc::DecimalSeparator::pointIf(!comma), group}, counting(saves));
    const Outcome out = s.load(DanishWords);
    QCOMPARE(values.decimalSeparator.character(), comma ? u',' : u'.');
    // The texts read as the file meant them.
    QCOMPARE(values.mill, sample(comma).mill);
    QCOMPARE(values.tap, sample(comma).tap);
    QCOMPARE(values.drill[calc::Field::SpindleSpeed], grouped[comma]);
    QCOMPARE(values.decimalCount, 3);
    QCOMPARE(out.mode, ToolMode::Mill);
    QCOMPARE(saves, 0);
}

void TestSession::save_failureWarnsOnceWhileItLasts_data()
{
    QTest::addColumn<SaveStatus>("status");
    QTest::addColumn<bool>("warns");
    QTest::newRow("failed") << SaveStatus::Failed << true;
    QTest::newRow("read-only by intent") << SaveStatus::KeptReadOnly << false;
}

void TestSession::save_failureWarnsOnceWhileItLasts()
{
    QFETCH(SaveStatus, status);
    QFETCH(bool, warns);
    Settings values = sample(true);
    SaveStatus now = status;
    Session s(values, calc::commaLocale(), [&now](const Settings &) {
        return SaveResult{now, u"/x/KVRsys.cfg"_s, u"disk full"_s};
    });
    s.load(DanishWords);
    const Outcome first = s.selectMode(ToolMode::Mill);
    QCOMPARE(first.saveWarning.has_value(), warns);
    if (warns) {
        QCOMPARE(first.saveWarning->path, u"/x/KVRsys.cfg"_s);
        QCOMPARE(first.saveWarning->reason, u"disk full"_s);
    }
    QVERIFY(!s.enter(Field::Flutes).saveWarning);
    // Once a save held, the next failure is told again.
    now = SaveStatus::Saved;
    QVERIFY(!s.enter(Field::Flutes).saveWarning);
    now = status;
    QCOMPARE(s.enter(Field::Flutes).saveWarning.has_value(), warns);
}

void TestSession::switchLanguage_commitsTheFocusedField_data()
{
    QTest::addColumn<QString>("diameter"); // typed without Enter; empty: no field focused
    QTest::addColumn<bool>("inputError");
    QTest::addColumn<QString>("newLine");   // what the new window's Mill switch builds
    QTest::addColumn<Language>("language"); // switched to, from the other
    QTest::newRow("D 6 committed")
        << u"6"_s << false << u"S5305 M03 F1591.55 (6 FR 3 SK)"_s << Language::English;
    QTest::newRow("unreadable D: no line from it")
        << u"abc"_s << true << QString() << Language::English;
    // Nothing to commit: a switch saves nothing.
    QTest::newRow("no focus, Mill line impossible: empty")
        << QString() << false << QString() << Language::Danish;
}

void TestSession::switchLanguage_commitsTheFocusedField()
{
    QFETCH(QString, diameter);
    QFETCH(bool, inputError);
    QFETCH(QString, newLine);
    QFETCH(Language, language);
    Engine e(true);
    e.values.language = language == Language::English ? Language::Danish : Language::English;
    e.session.selectMode(ToolMode::Tap); // the old window showed a tap line
    e.session.selectMode(ToolMode::Mill);
    std::optional<Field> focused;
    if (diameter.isEmpty())
        e.values.mill[calc::Field::SpindleSpeed].clear();
    else
        focused = Field::Diameter;
    e.session.setText(Field::Diameter, diameter.isEmpty() ? u"10"_s : diameter);
    e.saves = 0;

    const Outcome old = e.session.switchLanguage(language, focused);
    QCOMPARE(old.inputError, inputError);
    QCOMPARE(e.values.language, language);
    e.session.load(DanishWords);
    const Outcome opened = e.session.selectMode(ToolMode::Mill);
    QCOMPARE(opened.cncLine, newLine);
    QCOMPARE(e.saves, newLine.isEmpty() ? 0 : 2); // the commit, then the new window's line
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
