// The engine without a window: what each action computes, shows and saves, in a comma and a
// point locale.

#include "session/session.h"

#include <QTest>

using namespace Qt::StringLiterals;
using session::Outcome;
using session::Session;
using state::SaveResult;
using state::SaveStatus;

namespace {

// A number text written with a comma, in the notation of the locale.
QString Num(const char *withComma, bool comma)
{
    QString text = QString::fromUtf8(withComma);
    if (!comma)
        text.replace(u',', u'.');
    return text;
}

const calc::CncWords DanishWords{u" FR "_s, u" SK)"_s, u" BOR)"_s, u" TAP "_s, u" STIG)"_s};

// Mill: D 10, Z 3, Sz 0,1, V 100; Tap: pitch 1,5 mm; metric, two decimals.
WorkingValues Sample(bool comma)
{
    WorkingValues v;
    v.mill = {u"10"_s, u"3"_s, Num("0,1", comma), u"100"_s, u"1"_s, u"20"_s, u"4"_s, u"4"_s};
    v.drill = v.mill;
    v.tap = {u"10"_s, u"1"_s, u"1"_s, u"100"_s, Num("1,5", comma), u"20"_s, u"4"_s, u"4"_s};
    v.metricUnits = true;
    v.decimalCount = 2;
    v.pitchMmSelected = true;
    v.languageState = 1;
    v.decimalIsPeriod = !comma; // written in this notation
    return v;
}

// A session whose saves are counted, not written.
struct Engine
{
    explicit Engine(bool comma)
        : values(Sample(comma)), session(values, comma ? calc::commaLocale() : calc::pointLocale(),
                                         [this](const WorkingValues &saving) {
                                             ++saves;
                                             saved = saving;
                                             return SaveResult{SaveStatus::Saved, {}, {}};
                                         })
    {
        session.load(DanishWords);
        session.selectMode(ToolMode::Mill);
        saves = 0;
    }

    Outcome type(Field field, const QString &text)
    {
        session.setText(field, text);
        return session.enter(field);
    }

    WorkingValues values;
    int saves = 0;
    WorkingValues saved; // as the last save wrote it
    Session session;
};

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void enter_runsTheFieldsChain_data();
    void enter_runsTheFieldsChain();
    void enter_inputError_stopsChainKeepsLineAndFile_data();
    void enter_inputError_stopsChainKeepsLineAndFile();
    void numberTheLineCannotCarry_isAnInputError_data();
    void numberTheLineCannotCarry_isAnInputError();
    void selectMode_loadsKindWithoutFormula();
    void selectMode_lineThatCannotBeBuilt_isNotSaved();
    void selectPitchUnit_startsOnlyFromLeastPitch_data();
    void selectPitchUnit_startsOnlyFromLeastPitch();
    void menus_recomputeSpeedAndFeed();
    void load_decimalKeyAndPitchUnit_data();
    void load_decimalKeyAndPitchUnit();
    void save_firstFailureWarnsOnce_data();
    void save_firstFailureWarnsOnce();
    void switchLanguage_savesNothing();
    void switchLanguage_commitsTheFocusedField_data();
    void switchLanguage_commitsTheFocusedField();
};

void TestSession::enter_runsTheFieldsChain_data()
{
    QTest::addColumn<bool>("comma");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("inch");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    // The results, with a comma; the line always with points.
    QTest::addColumn<QStringList>("expected"); // D, Sz, V, n, S
    QTest::addColumn<QString>("line");

    for (const bool comma : {true, false}) {
        const char *locale = comma ? "comma" : "point";
        QTest::addRow("%s: D as a fraction", locale)
            << comma << int(ToolMode::Mill) << false << int(Field::Diameter) << u"1 1/2"_s
            << QStringList{"1,5", "0,1", "100", "21220,66", "6366,2"}
            << u"S21221 M03 F6366.2 (1.5 FR 3 SK)"_s;
        QTest::addRow("%s: Z, inch", locale)
            << comma << int(ToolMode::Mill) << true << int(Field::Flutes) << u"3"_s
            << QStringList{"10", "0,1", "100", "38,2", "11,46"} << u"S38 M03 F11.46 (10 FR 3 SK)"_s;
        QTest::addRow("%s: n gives V, then n again", locale)
            << comma << int(ToolMode::Mill) << false << int(Field::SpindleSpeed) << u"1000"_s
            << QStringList{"10", "0,1", "31,41592654", "1000", "300"}
            << u"S1000 M03 F300 (10 FR 3 SK)"_s;
        QTest::addRow("%s: drill S gives Sz", locale)
            << comma << int(ToolMode::Drill) << false << int(Field::FeedRate) << u"300"_s
            << QStringList{"10", "75", "100", "3183,1", "238732,5"}
            << u"S3183 M03 F238732.5 (10 BOR)"_s;
        QTest::addRow("%s: tap n gives V, n stays as typed", locale)
            << comma << int(ToolMode::Tap) << false << int(Field::SpindleSpeed)
            << Num("1000,4", comma) << QStringList{"10", "1", "31,42849291", "1000,4", "1500,6"}
            << u"S1000 M03 F1500.6 (10 TAP 1.5 STIG)"_s;
        QTest::addRow("%s: tap S gives n from the pitch", locale)
            << comma << int(ToolMode::Tap) << false << int(Field::FeedRate) << u"750"_s
            << QStringList{"10", "1,5", "15,70796327", "500", "750"}
            << u"S500 M03 F750 (10 TAP 1.5 STIG)"_s;
    }
}

void TestSession::enter_runsTheFieldsChain()
{
    QFETCH(bool, comma);
    QFETCH(int, mode);
    QFETCH(bool, inch);
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    QFETCH(QString, line);
    Engine e(comma);
    if (inch)
        e.session.selectUnits(session::Units::Inch);
    e.session.selectMode(ToolMode(mode));
    e.saves = 0;

    const Outcome out = e.type(Field(field), typed);
    const Field shown[] = {Field::Diameter, Field::FeedPerTooth, Field::CuttingSpeed,
                           Field::SpindleSpeed, Field::FeedRate};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(out.field(shown[i]), Num(expected.at(i).toUtf8().constData(), comma));
    QCOMPARE(out.cncLine, line);
    QVERIFY(!out.inputError);
    QCOMPARE(e.saves, 1);
    // The outcome shows what the session holds: one copy of each value.
    for (Field f : AllFields)
        QCOMPARE(out.field(f), e.values.tool(ToolMode(mode))[f]);
}

void TestSession::enter_inputError_stopsChainKeepsLineAndFile_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("diameter"); // D afterwards
    QTest::newRow("empty D") << int(Field::Diameter) << QString() << QString();
    QTest::newRow("1/0 empties D") << int(Field::Diameter) << u"1/0"_s << QString();
    QTest::newRow("letters in V") << int(Field::CuttingSpeed) << u"abc"_s << u"10"_s;
}

void TestSession::enter_inputError_stopsChainKeepsLineAndFile()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, diameter);
    Engine e(true);
    const QString line = e.session.selectMode(ToolMode::Mill).cncLine;
    e.saves = 0;

    const Outcome out = e.type(Field(field), typed);
    QVERIFY(out.inputError);
    QCOMPARE(out.field(Field::Diameter), diameter);
    QCOMPARE(out.field(Field::SpindleSpeed), u"4"_s); // n, S as before
    QCOMPARE(out.cncLine, line);
    QCOMPARE(e.saves, 0);
}

void TestSession::numberTheLineCannotCarry_isAnInputError_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed"); // else stored by a file and met by a mode switch
    QTest::newRow("negative D") << int(ToolMode::Mill) << int(Field::Diameter) << u"-12"_s << true;
    QTest::newRow("negative Sz") << int(ToolMode::Mill) << int(Field::FeedPerTooth) << u"-0,1"_s
                                 << true;
    QTest::newRow("tap feed 1e3") << int(ToolMode::Tap) << int(Field::FeedRate) << u"1e3"_s << true;
    QTest::newRow("feed record with a rapid move")
        << int(ToolMode::Drill) << int(Field::FeedRate) << u"795 G0 Z-100"_s << false;
}

void TestSession::numberTheLineCannotCarry_isAnInputError()
{
    QFETCH(int, mode);
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, typed);
    Engine e(true);
    const QString line = e.session.selectMode(ToolMode(mode)).cncLine;
    e.saves = 0;

    Outcome out;
    if (typed) {
        out = e.type(Field(field), text);
        QVERIFY(out.inputError);
    } else {
        e.values.tool(ToolMode(mode))[Field(field)] = text;
        out = e.session.selectMode(ToolMode(mode));
    }
    QCOMPARE(out.cncLine, line);
    QCOMPARE(e.saves, 0);
}

void TestSession::selectMode_loadsKindWithoutFormula()
{
    Engine e(true);
    e.values.drill.flutes = u"7"_s;
    const Outcome drill = e.session.selectMode(ToolMode::Drill);
    QCOMPARE(drill.field(Field::Flutes), u"1"_s);
    QCOMPARE(e.values.drill.flutes, u"1"_s);
    QCOMPARE(drill.field(Field::SpindleSpeed), u"4"_s); // no formula ran
    QCOMPARE(drill.cncLine, u"S4 M03 F4 (10 BOR)"_s);
    QCOMPARE(e.saves, 1);
    QCOMPARE(e.saved.drill.flutes, u"7"_s); // saved first, then Z is 1

    const Outcome tap = e.session.selectMode(ToolMode::Tap);
    QVERIFY(tap.pitchMmShown && !tap.threadsPerInchShown);
    QCOMPARE(tap.cncLine, u"S4 M03 F4 (10 TAP 1.5 STIG)"_s);
    QCOMPARE(e.session.selectMode(ToolMode::Mill).field(Field::Flutes), u"3"_s);
}

void TestSession::selectMode_lineThatCannotBeBuilt_isNotSaved()
{
    Engine e(true);
    e.values.drill.diameter = u"abc"_s;
    const Outcome out = e.session.selectMode(ToolMode::Drill);
    QVERIFY(!out.inputError);                           // a switch shows no message
    QCOMPARE(out.cncLine, u"S4 M03 F4 (10 FR 3 SK)"_s); // the Mill line, not half a Drill one
    QCOMPARE(e.saves, 0);
}

void TestSession::selectPitchUnit_startsOnlyFromLeastPitch_data()
{
    QTest::addColumn<QString>("pitch");
    QTest::addColumn<bool>("computes");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("0,0005") << u"0,0005"_s << false;
    QTest::newRow("0,0") << u"0,0"_s << false;
    QTest::newRow("blank first") << u" 12"_s << false;
    QTest::newRow("minus sign") << u"-1"_s << false;
    QTest::newRow("0,001") << u"0,001"_s << true;
    QTest::newRow("0.5, point") << u"0.5"_s << true;
    QTest::newRow("12") << u"12"_s << true;
}

void TestSession::selectPitchUnit_startsOnlyFromLeastPitch()
{
    QFETCH(QString, pitch);
    QFETCH(bool, computes);
    Engine e(false);
    e.values.tap.threadsPerInch = pitch;
    e.session.selectMode(ToolMode::Tap);
    e.saves = 0;

    const Outcome out = e.session.selectPitchUnit(session::PitchUnit::ThreadsPerInch);
    QVERIFY(out.threadsPerInchShown && !out.pitchMmShown);
    QVERIFY(e.values.threadsPerInchSelected && !e.values.pitchMmSelected);
    QCOMPARE(out.field(Field::SpindleSpeed) != u"4", computes);
    QCOMPARE(e.saves, computes && !out.inputError ? 1 : 0);
}

void TestSession::menus_recomputeSpeedAndFeed()
{
    Engine e(true);
    Outcome out = e.session.selectDecimals(3);
    QCOMPARE(out.field(Field::SpindleSpeed), u"3183,099"_s);
    QCOMPARE(out.field(Field::FeedRate), u"954,93"_s);
    out = e.session.selectUnits(session::Units::Inch);
    QVERIFY(e.values.inchUnits && !e.values.metricUnits);
    QCOMPARE(out.field(Field::SpindleSpeed), u"38,197"_s);
    // The other texts are not converted.
    QCOMPARE(out.field(Field::Diameter), u"10"_s);
    QCOMPARE(e.saves, 2);
}

void TestSession::load_decimalKeyAndPitchUnit_data()
{
    QTest::addColumn<bool>("comma");
    QTest::addColumn<bool>("fileComma"); // the notation the file was written in
    QTest::addColumn<bool>("metricStored");
    QTest::addColumn<bool>("inchStored");
    QTest::addColumn<bool>("metric"); // the one unit system after load
    QTest::addColumn<bool>("mmStored");
    QTest::addColumn<bool>("tpiStored");
    QTest::addColumn<bool>("mm"); // the one pitch unit after load
    QTest::newRow("comma, point file, both units, both pitch units")
        << true << false << true << true << true << true << true << true;
    QTest::newRow("point, comma file, no unit, mm")
        << false << true << false << false << false << true << false << true;
    QTest::newRow("comma, comma file, inch, threads per inch")
        << true << true << false << true << false << false << true << false;
    QTest::newRow("point, point file, metric, no pitch unit: threads per inch")
        << false << false << true << false << true << false << false << false;
}

void TestSession::load_decimalKeyAndPitchUnit()
{
    QFETCH(bool, comma);
    QFETCH(bool, fileComma);
    QFETCH(bool, metricStored);
    QFETCH(bool, inchStored);
    QFETCH(bool, metric);
    QFETCH(bool, mmStored);
    QFETCH(bool, tpiStored);
    QFETCH(bool, mm);
    WorkingValues values = Sample(fileComma);
    values.decimalIsPeriod = !fileComma;
    values.metricUnits = metricStored;
    values.inchUnits = inchStored;
    values.pitchMmSelected = mmStored;
    values.threadsPerInchSelected = tpiStored;
    values.decimalCount = 9;
    values.drill.spindleSpeed = fileComma ? u"5093,02"_s : u"5093.02"_s;
    int saves = 0;
    Session s(values, comma ? calc::commaLocale() : calc::pointLocale(),
              [&saves](const WorkingValues &) {
                  ++saves;
                  return SaveResult{SaveStatus::Saved, {}, {}};
              });
    const Outcome out = s.load(DanishWords);
    QCOMPARE(values.decimalIsPeriod, !comma);
    QCOMPARE(s.decimalSeparator(), comma ? u',' : u'.');
    // The texts read as the file meant them.
    QCOMPARE(values.mill, Sample(comma).mill);
    QCOMPARE(values.tap, Sample(comma).tap);
    QCOMPARE(values.drill.spindleSpeed, comma ? u"5093,02"_s : u"5093.02"_s);
    QCOMPARE(values.metricUnits, metric);
    QCOMPARE(values.inchUnits, !metric);
    QCOMPARE(values.pitchMmSelected, mm);
    QCOMPARE(values.threadsPerInchSelected, !mm);
    QCOMPARE(int(values.decimalCount), 3);
    QCOMPARE(out.mode, ToolMode::Mill);
    QCOMPARE(saves, 0);
}

void TestSession::save_firstFailureWarnsOnce_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("warns");
    QTest::newRow("failed") << int(SaveStatus::Failed) << true;
    QTest::newRow("read-only by intent") << int(SaveStatus::KeptReadOnly) << false;
}

void TestSession::save_firstFailureWarnsOnce()
{
    QFETCH(int, status);
    QFETCH(bool, warns);
    WorkingValues values = Sample(true);
    Session s(values, calc::commaLocale(), [status](const WorkingValues &) {
        return SaveResult{SaveStatus(status), u"/x/KVRsys.cfg"_s, u"disk full"_s};
    });
    s.load(DanishWords);
    const Outcome first = s.selectMode(ToolMode::Mill);
    QCOMPARE(first.saveWarning.has_value(), warns);
    if (warns) {
        QCOMPARE(first.saveWarning->path, u"/x/KVRsys.cfg"_s);
        QCOMPARE(first.saveWarning->reason, u"disk full"_s);
    }
    QVERIFY(!s.enter(Field::Flutes).saveWarning);
}

void TestSession::switchLanguage_savesNothing()
{
    Engine e(true);
    e.session.switchLanguage(Language::English);
    QCOMPARE(int(e.values.languageState), 2);
    e.session.switchLanguage(Language::Danish);
    QCOMPARE(int(e.values.languageState), 1);
    QCOMPARE(e.saves, 0);
}

void TestSession::switchLanguage_commitsTheFocusedField_data()
{
    QTest::addColumn<QString>("diameter"); // typed without Enter; empty: no field focused
    QTest::addColumn<bool>("inputError");
    QTest::addColumn<QString>("newLine"); // what the new window's Mill switch builds
    QTest::newRow("D 6 committed") << u"6"_s << false << u"S5305 M03 F1591.55 (6 FR 3 SK)"_s;
    QTest::newRow("unreadable D: no line from it") << u"abc"_s << true << QString();
    QTest::newRow("no focus, Mill line impossible: empty") << QString() << false << QString();
}

void TestSession::switchLanguage_commitsTheFocusedField()
{
    QFETCH(QString, diameter);
    QFETCH(bool, inputError);
    QFETCH(QString, newLine);
    Engine e(true);
    e.session.selectMode(ToolMode::Tap); // the old window showed a tap line
    e.session.selectMode(ToolMode::Mill);
    std::optional<Field> focused;
    if (diameter.isEmpty())
        e.values.mill.spindleSpeed.clear();
    else
        focused = Field::Diameter;
    e.session.setText(Field::Diameter, diameter.isEmpty() ? u"10"_s : diameter);
    e.saves = 0;

    const Outcome old = e.session.switchLanguage(Language::English, focused);
    QCOMPARE(old.inputError, inputError);
    QCOMPARE(int(e.values.languageState), 2);
    e.session.load(DanishWords);
    const Outcome opened = e.session.selectMode(ToolMode::Mill);
    QCOMPARE(opened.cncLine, newLine);
    QCOMPARE(e.saves, newLine.isEmpty() ? 0 : 2); // the commit, then the new window's line
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
