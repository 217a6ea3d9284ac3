// The units and decimals menus, and what a window restores when it loads.

#include "fixture.h"

using fixture::Num;
using fixture::Session;

namespace {

QList<int> CheckedDecimals(const Session &s)
{
    QList<int> checked;
    for (int index = 0; index < 4; ++index)
        if (s.action(u"ctlDecimalValg"_s + QString::number(index))->isChecked())
            checked << index;
    return checked;
}

} // namespace

class MenusAndLoad : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void designState_beforeLoad_data();
    void designState_beforeLoad();
    void unitsMenu_setsCaptionsAndRecomputes_data() { fixture::AddWindowRows(); }
    void unitsMenu_setsCaptionsAndRecomputes();
    void unitsMenu_sameItemAgain_runsAgain();
    void unitsMenu_emptyDiameter_captionsChangeThenWarns();
    void decimalsMenu_threeDecimals_data() { fixture::AddWindowRows(); }
    void decimalsMenu_threeDecimals();
    void load_captionsFollowStoredUnits_data();
    void load_captionsFollowStoredUnits();
    void load_decimalCount_oneCheckedItem_data();
    void load_decimalCount_oneCheckedItem();
    void load_bothPitchUnitsStored_mmWins();
    void load_decimalKeyFollowsLocale_data();
    void load_decimalKeyFollowsLocale();

private:
    fixture::Watchdog m_watchdog;
};

void MenusAndLoad::cleanup()
{
    QVERIFY2(m_watchdog.take().isEmpty(), "unexpected message box");
}

void MenusAndLoad::designState_beforeLoad_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Danish") << int(Language::Danish);
    QTest::newRow("English") << int(Language::English);
}

void MenusAndLoad::designState_beforeLoad()
{
    QFETCH(int, language);
    WorkingValues values;
    fixture::SampleValues(values, true);
    MainWindow window(Language(language), values, fixture::Environment(true));

    QVERIFY(window.findChild<QRadioButton *>(u"FræsereValg"_s)->isChecked());
    for (EntryField *entry : window.findChildren<EntryField *>())
        QCOMPARE(entry->text(), entry->objectName() == u"TilspændingOmdrText" ? u"0"_s : QString());
    const bool danish = Language(language) == Language::Danish;
    QCOMPARE(window.findChild<QLabel *>(u"DecimalLabel"_s)->text(),
             danish ? u"0 Decimal(er)"_s : u"0 Decimal(s)"_s);
    QCOMPARE(window.findChild<QLabel *>(u"Label1"_s)->text(), u"Diameter (D) :"_s);
    QCOMPARE(window.findChild<QLabel *>(u"EnhederLabel"_s)->text(), u"Enheder"_s);
    QCOMPARE(window.findChild<QAction *>(u"ctlMetrisk"_s)->isChecked(), danish);
    QCOMPARE(window.findChild<QAction *>(u"ctlTommer"_s)->isChecked(), !danish);
    QVERIFY(!window.findChild<QRadioButton *>(u"PmmOption"_s)->isChecked());
    QVERIFY(!window.findChild<QRadioButton *>(u"PtommeOption"_s)->isChecked());
}

void MenusAndLoad::unitsMenu_setsCaptionsAndRecomputes()
{
    QFETCH(int, language);
    QFETCH(bool, comma);
    Session s;
    fixture::SampleValues(s.values, comma);
    QVERIFY(s.open(Language(language), comma));
    const bool danish = Language(language) == Language::Danish;

    s.action(u"ctlTommer"_s)->trigger();
    QVERIFY(s.action(u"ctlTommer"_s)->isChecked());
    QVERIFY(!s.action(u"ctlMetrisk"_s)->isChecked());
    QCOMPARE(s.label(u"Label1"_s)->text(),
             danish ? u"Diameter (D) i tommer :"_s : u"Diameter (D) in inches :"_s);
    QCOMPARE(s.label(u"Label14"_s)->text(),
             danish ? u"Stigning (P) pr. tomme :"_s : u"Pitch (P) thread/inch :"_s);
    QCOMPARE(s.label(u"EnhederLabel"_s)->text(), danish ? u"Tommer"_s : u"Inches"_s);
    QVERIFY(s.values.InchUnits && !s.values.MetricUnits);
    // The diameter is not converted; n and S follow the inch formulas.
    QCOMPARE(s.field(u"DiameterSkærText"_s)->text(), Num("12,5", comma));
    QCOMPARE(s.field(u"OmdrejningerText"_s)->text(), Num("15,28", comma));
    QCOMPARE(s.field(u"TilspændingOmdrText"_s)->text(), Num("4,58", comma));
    QVERIFY(s.line().startsWith(u"S15 M03 F4.58 (12.5"_s));
    const WorkingValues saved = s.saved();
    QVERIFY(saved.InchUnits && !saved.MetricUnits);
    QCOMPARE(saved.Mill.n, Num("15,28", comma));

    s.action(u"ctlMetrisk"_s)->trigger();
    QCOMPARE(s.label(u"Label1"_s)->text(),
             danish ? u"Diameter (D) i mm :"_s : u"Diameter (D) in mm :"_s);
    QCOMPARE(s.label(u"Label3"_s)->text(),
             danish ? u"Skærehastighed (V) m/min. :"_s : u"Surface feed (V) m/min. :"_s);
    QCOMPARE(s.label(u"EnhederLabel"_s)->text(), danish ? u"Metrisk"_s : u"Metric"_s);
    QCOMPARE(s.field(u"OmdrejningerText"_s)->text(), Num("1273,24", comma));
    QVERIFY(s.saved().MetricUnits);
}

void MenusAndLoad::unitsMenu_sameItemAgain_runsAgain()
{
    Session s;
    fixture::SampleValues(s.values, true);
    QVERIFY(s.open(Language::Danish, true));
    s.type(u"OmdrejningerText"_s, u"7"_s); // typed but not entered

    // The checked item toggles off when chosen; the rule puts the mark back.
    s.action(u"ctlMetrisk"_s)->trigger();
    QVERIFY(s.action(u"ctlMetrisk"_s)->isChecked());
    QCOMPARE(s.label(u"Label14"_s)->text(), u"Stigning (P) pr. tomme :"_s);
    QCOMPARE(s.field(u"OmdrejningerText"_s)->text(), u"1273,24"_s);
    QCOMPARE(s.saved().Mill.n, u"1273,24"_s);
}

void MenusAndLoad::unitsMenu_emptyDiameter_captionsChangeThenWarns()
{
    Session s;
    fixture::SampleValues(s.values, true);
    s.values.Mill.D.clear();
    s.values.MetricUnits = false;
    s.values.InchUnits = true;
    QVERIFY(s.open(Language::Danish, true));
    const QString line = s.line();

    s.action(u"ctlMetrisk"_s)->trigger();
    QCOMPARE(s.label(u"Label1"_s)->text(), u"Diameter (D) i mm :"_s);
    QVERIFY(s.values.MetricUnits);
    const QList<fixture::SeenBox> boxes = m_watchdog.take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().title, u"Meddelelse"_s);
    QCOMPARE(s.line(), line);
    QVERIFY(!s.saved().MetricUnits); // the choice reaches the file with the next line
}

void MenusAndLoad::decimalsMenu_threeDecimals()
{
    QFETCH(int, language);
    QFETCH(bool, comma);
    Session s;
    fixture::SampleValues(s.values, comma);
    QVERIFY(s.open(Language(language), comma));

    s.action(u"ctlDecimalValg3"_s)->trigger();
    QCOMPARE(CheckedDecimals(s), QList<int>{3});
    QCOMPARE(s.label(u"DecimalLabel"_s)->text(),
             Language(language) == Language::Danish ? u"3 Decimal(er)"_s : u"3 Decimal(s)"_s);
    QCOMPARE(s.values.DecimalCount, 3);
    QCOMPARE(s.field(u"OmdrejningerText"_s)->text(), Num("1273,24", comma));
    QCOMPARE(s.field(u"TilspændingOmdrText"_s)->text(), Num("381,972", comma));
    QCOMPARE(s.saved().DecimalCount, 3);

    s.action(u"ctlDecimalValg0"_s)->trigger();
    QCOMPARE(CheckedDecimals(s), QList<int>{0});
    QCOMPARE(s.field(u"OmdrejningerText"_s)->text(), u"1273"_s);
    QCOMPARE(s.field(u"TilspændingOmdrText"_s)->text(), u"382"_s);
}

void MenusAndLoad::load_captionsFollowStoredUnits_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("inch");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("diameter");
    QTest::addColumn<QString>("units");
    const int da = int(Language::Danish);
    const int en = int(Language::English);
    QTest::newRow("Danish, inch") << da << true << false << u"Diameter (D) i tommer :"_s
                                  << u"Tommer"_s;
    QTest::newRow("Danish, metric")
        << da << false << true << u"Diameter (D) i mm :"_s << u"Metrisk"_s;
    QTest::newRow("English, inch")
        << en << true << false << u"Diameter (D) in inch :"_s << u"Inches"_s;
    QTest::newRow("English, metric")
        << en << false << true << u"Diameter (D) in mm :"_s << u"Metric"_s;
    QTest::newRow("both: metric last")
        << en << true << true << u"Diameter (D) in mm :"_s << u"Metric"_s;
    QTest::newRow("neither: design texts")
        << da << false << false << u"Diameter (D) :"_s << u"Enheder"_s;
}

void MenusAndLoad::load_captionsFollowStoredUnits()
{
    QFETCH(int, language);
    QFETCH(bool, inch);
    QFETCH(bool, metric);
    QFETCH(QString, diameter);
    QFETCH(QString, units);
    Session s;
    fixture::SampleValues(s.values, true);
    s.values.InchUnits = inch;
    s.values.MetricUnits = metric;
    QVERIFY(s.open(Language(language), true));

    QCOMPARE(s.label(u"Label1"_s)->text(), diameter);
    QCOMPARE(s.label(u"EnhederLabel"_s)->text(), units);
    QCOMPARE(s.action(u"ctlTommer"_s)->isChecked(), inch);
    QCOMPARE(s.action(u"ctlMetrisk"_s)->isChecked(), metric);
}

void MenusAndLoad::load_decimalCount_oneCheckedItem_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    for (int count : {0, 1, 2, 3})
        QTest::addRow("%d", count) << count << count;
    QTest::newRow("7 from an edited file") << 7 << 3;
}

void MenusAndLoad::load_decimalCount_oneCheckedItem()
{
    QFETCH(int, stored);
    QFETCH(int, shown);
    Session s;
    fixture::SampleValues(s.values, true);
    s.values.DecimalCount = std::uint8_t(stored);
    QVERIFY(s.open(Language::Danish, true));

    QCOMPARE(CheckedDecimals(s), QList<int>{shown});
    QCOMPARE(s.label(u"DecimalLabel"_s)->text(), QString::number(shown) + u" Decimal(er)"_s);
    QCOMPARE(int(s.values.DecimalCount), shown);
}

void MenusAndLoad::load_bothPitchUnitsStored_mmWins()
{
    Session s;
    fixture::SampleValues(s.values, true);
    s.values.PitchMmSelected = true;
    s.values.PitchTpiSelected = true;
    QVERIFY(s.open(Language::English, true));

    QVERIFY(s.option(u"PmmOption"_s)->isChecked());
    QVERIFY(!s.option(u"PtommeOption"_s)->isChecked());
    QVERIFY(s.values.PitchMmSelected);
    QVERIFY(!s.values.PitchTpiSelected);
    // The load leaves the Mill layout: no pitch field on show.
    QVERIFY(!s.field(u"StigningText"_s)->isVisible());
    QVERIFY(!s.label(u"Label9"_s)->isVisible());
}

void MenusAndLoad::load_decimalKeyFollowsLocale_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("expected");
    QTest::newRow("point locale, comma stored") << u"."_s << false << true;
    QTest::newRow("comma locale, point stored") << u","_s << true << false;
    QTest::newRow("unreadable keeps point") << QString(QChar(0)) << true << true;
    QTest::newRow("unreadable keeps comma") << QString(QChar(0)) << false << false;
    QTest::newRow("other separator keeps") << u"'"_s << true << true;
}

void MenusAndLoad::load_decimalKeyFollowsLocale()
{
    QFETCH(QString, answer);
    QFETCH(bool, stored);
    QFETCH(bool, expected);
    WorkingValues values;
    fixture::SampleValues(values, true);
    values.DecimalIsPeriod = stored;
    WindowEnvironment environment{calc::CommaLocale(), [answer](int lcType) {
                                      return lcType == 22 ? answer : QString(QChar(0));
                                  }};
    MainWindow window(Language::Danish, values, environment);
    window.Form_Load();
    QCOMPARE(values.DecimalIsPeriod, expected);
    QCOMPARE(values.PiText, u"3,14159265358979"_s);
}

QTEST_MAIN(MenusAndLoad)
#include "tst_menusandload.moc"
