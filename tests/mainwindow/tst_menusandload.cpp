// The units and decimals menus, and what a window restores when it loads.

#include "fixture.h"

#include <QGroupBox>

using texts::catalogue;
using texts::TextCatalogue;
using texts::UnitCaptions;

using fixture::numberText;
using fixture::RunningWindow;

namespace {

QList<int> checkedDecimals(const RunningWindow &s)
{
    QList<int> checked;
    for (int index = 0; index < 4; ++index)
        if (s.action(names::decimalsItem(index))->isChecked())
            checked << index;
    return checked;
}

// The captions that follow the units: D Z Sz V Pmm Tpi n S, then the units themselves.
const char *const UnitCaptionNames[] = {"Label1",  "Label6", "Label5", "Label3",      "Label9",
                                        "Label14", "Label2", "Label8", "EnhederLabel"};

QStringList shownUnitCaptions(const RunningWindow &s)
{
    QStringList texts;
    for (const char *name : UnitCaptionNames)
        texts << s.label(QString::fromUtf8(name))->text();
    return texts;
}

// What a control shows of itself: a caption, a frame title, or the tool tip of a field.
QString shownText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    return widget->toolTip();
}

} // namespace

class MenusAndLoad : public QObject
{
    Q_OBJECT

private slots:
    // Each test runs for both windows in both locales (m_row); a test of one window ignores it.
    void initTestCase_data() { fixture::addWindowRows(); }
    void init() { m_row = fixture::globalWindowRow(); }
    void cleanup();

    void beforeLoad_showsTheWindowAsBuilt();
    void beforeLoad_controlsShowStartingTexts_data();
    void beforeLoad_controlsShowStartingTexts();
    void unitCaptions_loadAndMenu_data();
    void unitCaptions_loadAndMenu();
    void unitsMenu_setsCaptionsAndRecomputes();
    void unitsMenu_sameItemAgain_runsAgain();
    void unitsMenu_emptyDiameter_captionsChangeThenWarns();
    void decimalsMenu_checksOneItemAndRecomputes();
    void load_captionsFollowStoredUnits_data();
    void load_captionsFollowStoredUnits();
    void load_decimalCount_oneCheckedItem_data();
    void load_decimalCount_oneCheckedItem();
    void load_pitchOptionsFollowStoredUnits_data();
    void load_pitchOptionsFollowStoredUnits();
    void load_decimalKeyFollowsLocale();
    void open_buildsLineAndSavesOnce();
    void failedSave_warnsOnceInWindowsLanguage();

private:
    fixture::Watchdog m_watchdog;
    fixture::WindowRow m_row;
};

void MenusAndLoad::cleanup()
{
    m_watchdog.verifyNothingUnexpected();
}

void MenusAndLoad::beforeLoad_showsTheWindowAsBuilt()
{
    Settings values;
    fixture::sampleValues(values, true);
    session::Session engine(values, calc::commaLocale());
    MainWindow window(m_row.language, engine);

    QVERIFY(window.findChild<QRadioButton *>(names::MillOption)->isChecked());
    for (EntryField *entry : window.findChildren<EntryField *>())
        QCOMPARE(entry->text(),
                 entry->objectName() == names::field(Field::FeedRate) ? u"0"_s : QString());
    const bool danish = m_row.language == Language::Danish;
    QCOMPARE(window.findChild<QLabel *>(names::DecimalsLabel)->text(),
             danish ? u"0 Decimal(er)"_s : u"0 Decimal(s)"_s);
    QCOMPARE(window.findChild<QLabel *>(names::caption(Field::Diameter))->text(),
             u"Diameter (D) :"_s);
    QCOMPARE(window.findChild<QLabel *>(names::UnitsLabel)->text(), u"Enheder"_s);
    QCOMPARE(window.findChild<QAction *>(names::MetricItem)->isChecked(), danish);
    QCOMPARE(window.findChild<QAction *>(names::InchItem)->isChecked(), !danish);
    QVERIFY(!window.findChild<QRadioButton *>(names::PitchMmOption)->isChecked());
    QVERIFY(!window.findChild<QRadioButton *>(names::ThreadsPerInchOption)->isChecked());
}

void MenusAndLoad::beforeLoad_controlsShowStartingTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("danish");
    QTest::addColumn<QString>("english");
    auto add = [](const QString &name, const char *danish, const char *english = nullptr) {
        QTest::newRow(qPrintable(name))
            << name << QString::fromUtf8(danish) << QString::fromUtf8(english ? english : danish);
    };
    add(names::MillOption, "Fræsere", "Mills");
    add(names::DrillOption, "Bor m.v.", "Drills etc.");
    add(names::TapOption, "Gevindtappe", "Thread taps");
    add(names::ToolFrame, "Værktøjs data :", "Tools data :");
    add(names::ResultFrame, "Resultat :", "Result :");
    add(names::PitchMmOption, "Stigning (P) i mm :", "Pitch (P) mm :");
    add(names::ThreadsPerInchOption, "Gevind (P) pr. tomme :", "Pitch (P) thread/inch :");
    add(names::field(Field::Diameter), "Eksempel: 1,5 eller 1 1/2", "Example: 1.5 or 1 1/2");
    add(names::CncCaption, "CNC Resultat :", "CNC Result :");
    // The captions the load replaces start out Danish in both windows.
    add(names::UnitsLabel, "Enheder");
    add(names::caption(Field::Diameter), "Diameter (D) :");
    add(names::caption(Field::Flutes), "Antal skær (Z) :");
    add(names::caption(Field::FeedPerTooth), "Tilspænding/tand (Sz) i mm :");
    add(names::caption(Field::CuttingSpeed), "Skærehastighed (V) :");
    add(names::caption(Field::PitchMm), "Stigning (P) i mm :");
    add(names::caption(Field::ThreadsPerInch), "Gevind (P) pr. tomme :");
    add(names::caption(Field::SpindleSpeed), "Omdrejninger (n) :");
    add(names::caption(Field::FeedRate), "Tilspænding mm/min. (S) :");
}

void MenusAndLoad::beforeLoad_controlsShowStartingTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, danish);
    QFETCH(QString, english);
    const fixture::BuiltWindow window{m_row.language};
    const auto *widget = window.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(shownText(widget), m_row.language == Language::Danish ? danish : english);
}

void MenusAndLoad::unitCaptions_loadAndMenu_data()
{
    QTest::addColumn<bool>("inch");
    QTest::addColumn<bool>("viaMenu");
    QTest::addColumn<UnitCaptions TextCatalogue::*>("captions");
    // The load and the menu each apply their own column of the language's captions.
    QTest::newRow("inch, load") << true << false << &TextCatalogue::inchLoad;
    QTest::newRow("inch, menu") << true << true << &TextCatalogue::inchMenu;
    QTest::newRow("metric, load") << false << false << &TextCatalogue::metricLoad;
    QTest::newRow("metric, menu") << false << true << &TextCatalogue::metricMenu;
}

void MenusAndLoad::unitCaptions_loadAndMenu()
{
    QFETCH(bool, inch);
    QFETCH(bool, viaMenu);
    QFETCH(UnitCaptions TextCatalogue::*, captions);
    RunningWindow s;
    // The menu rows start from the other units, so that every caption has to change.
    s.values.units = inch != viaMenu ? calc::Units::Inch : calc::Units::Metric;
    QVERIFY(s.open(m_row.language, true));
    if (viaMenu)
        s.action(inch ? names::InchItem : names::MetricItem)->trigger();

    const UnitCaptions &applied = catalogue(m_row.language).*captions;
    QCOMPARE(shownUnitCaptions(s), QStringList(applied.fields.begin(), applied.fields.end())
                                       << applied.unitsLabel);
    QCOMPARE(s.action(names::InchItem)->isChecked(), inch);
    QCOMPARE(s.action(names::MetricItem)->isChecked(), !inch);
}

void MenusAndLoad::unitsMenu_setsCaptionsAndRecomputes()
{
    const bool comma = m_row.comma;
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, comma));
    const bool danish = m_row.language == Language::Danish;

    s.action(names::InchItem)->trigger();
    QVERIFY(s.action(names::InchItem)->isChecked());
    QVERIFY(!s.action(names::MetricItem)->isChecked());
    QCOMPARE(s.caption(Field::Diameter)->text(),
             danish ? u"Diameter (D) i tommer :"_s : u"Diameter (D) in inches :"_s);
    QCOMPARE(s.caption(Field::ThreadsPerInch)->text(),
             danish ? u"Stigning (P) pr. tomme :"_s : u"Pitch (P) thread/inch :"_s);
    QCOMPARE(s.label(names::UnitsLabel)->text(), danish ? u"Tommer"_s : u"Inches"_s);
    QCOMPARE(s.values.units, calc::Units::Inch);
    // The diameter is not converted; n and S follow the inch formulas.
    QCOMPARE(s.field(Field::Diameter)->text(), numberText("12,5", comma));
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), numberText("15,28", comma));
    QCOMPARE(s.field(Field::FeedRate)->text(), numberText("4,58", comma));
    QVERIFY(s.line().startsWith(u"S15 M03 F4.58 (12.5"_s));
    const FileRecords saved = s.saved();
    QVERIFY(saved.inchUnits && !saved.metricUnits);
    QCOMPARE(saved.mill[Field::SpindleSpeed], numberText("15,28", comma));

    s.action(names::MetricItem)->trigger();
    QCOMPARE(s.caption(Field::Diameter)->text(),
             danish ? u"Diameter (D) i mm :"_s : u"Diameter (D) in mm :"_s);
    QCOMPARE(s.caption(Field::CuttingSpeed)->text(),
             danish ? u"Skærehastighed (V) m/min. :"_s : u"Surface feed (V) m/min. :"_s);
    QCOMPARE(s.label(names::UnitsLabel)->text(), danish ? u"Metrisk"_s : u"Metric"_s);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), numberText("1273,24", comma));
    QVERIFY(s.saved().metricUnits);
}

void MenusAndLoad::unitsMenu_sameItemAgain_runsAgain()
{
    RunningWindow s;
    QVERIFY(s.openSample(Language::Danish, true));
    s.type(Field::SpindleSpeed, u"7"_s); // typed but not entered

    // The checked item toggles off when chosen; the rule puts the mark back.
    s.action(names::MetricItem)->trigger();
    QVERIFY(s.action(names::MetricItem)->isChecked());
    QCOMPARE(s.caption(Field::ThreadsPerInch)->text(), u"Stigning (P) pr. tomme :"_s);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), u"1273,24"_s);
    QCOMPARE(s.saved().mill[Field::SpindleSpeed], u"1273,24"_s);
}

void MenusAndLoad::unitsMenu_emptyDiameter_captionsChangeThenWarns()
{
    RunningWindow s;
    s.values.mill[Field::Diameter].clear();
    s.values.units = calc::Units::Inch;
    QVERIFY(s.open(Language::Danish, true));
    const QString line = s.line();

    s.action(names::MetricItem)->trigger();
    QCOMPARE(s.caption(Field::Diameter)->text(), u"Diameter (D) i mm :"_s);
    QCOMPARE(s.values.units, calc::Units::Metric);
    const QList<fixture::SeenBox> boxes = m_watchdog.take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().title, u"Meddelelse"_s);
    QCOMPARE(s.line(), line);
    QVERIFY(!s.saved().metricUnits); // the choice reaches the file with the next line
}

void MenusAndLoad::decimalsMenu_checksOneItemAndRecomputes()
{
    const bool comma = m_row.comma;
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, comma));

    s.action(names::decimalsItem(3))->trigger();
    QCOMPARE(checkedDecimals(s), QList<int>{3});
    QCOMPARE(s.label(names::DecimalsLabel)->text(),
             m_row.language == Language::Danish ? u"3 Decimal(er)"_s : u"3 Decimal(s)"_s);
    QCOMPARE(s.values.decimalCount, 3);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), numberText("1273,24", comma));
    QCOMPARE(s.field(Field::FeedRate)->text(), numberText("381,972", comma));
    QCOMPARE(s.saved().decimalCount, 3);

    s.action(names::decimalsItem(0))->trigger();
    QCOMPARE(checkedDecimals(s), QList<int>{0});
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), u"1273"_s);
    QCOMPARE(s.field(Field::FeedRate)->text(), u"382"_s);
}

void MenusAndLoad::load_captionsFollowStoredUnits_data()
{
    QTest::addColumn<calc::Units>("units");
    QTest::addColumn<QStringList>("danish"); // the diameter's caption, the units' label
    QTest::addColumn<QStringList>("english");
    const QStringList inchDa{u"Diameter (D) i tommer :"_s, u"Tommer"_s};
    const QStringList inchEn{u"Diameter (D) in inch :"_s, u"Inches"_s};
    const QStringList metricDa{u"Diameter (D) i mm :"_s, u"Metrisk"_s};
    const QStringList metricEn{u"Diameter (D) in mm :"_s, u"Metric"_s};
    QTest::newRow("inch") << calc::Units::Inch << inchDa << inchEn;
    QTest::newRow("metric") << calc::Units::Metric << metricDa << metricEn;
}

void MenusAndLoad::load_captionsFollowStoredUnits()
{
    QFETCH(calc::Units, units);
    QFETCH(QStringList, danish);
    QFETCH(QStringList, english);
    const bool metric = units == calc::Units::Metric;
    RunningWindow s;
    s.values.units = units;
    QVERIFY(s.open(m_row.language, true));

    QCOMPARE(QStringList({s.caption(Field::Diameter)->text(), s.label(names::UnitsLabel)->text()}),
             m_row.language == Language::Danish ? danish : english);
    QCOMPARE(s.action(names::InchItem)->isChecked(), !metric);
    QCOMPARE(s.action(names::MetricItem)->isChecked(), metric);
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
    RunningWindow s;
    s.values.decimalCount = stored;
    QVERIFY(s.open(Language::Danish, true));

    QCOMPARE(checkedDecimals(s), QList<int>{shown});
    QCOMPARE(s.label(names::DecimalsLabel)->text(), QString::number(shown) + u" Decimal(er)"_s);
    QCOMPARE(s.values.decimalCount, shown);
}

void MenusAndLoad::load_pitchOptionsFollowStoredUnits_data()
{
    QTest::addColumn<calc::PitchUnit>("pitchUnit");
    QTest::newRow("mm") << calc::PitchUnit::Millimetres;
    QTest::newRow("threads per inch") << calc::PitchUnit::ThreadsPerInch;
}

void MenusAndLoad::load_pitchOptionsFollowStoredUnits()
{
    QFETCH(calc::PitchUnit, pitchUnit);
    const bool mm = pitchUnit == calc::PitchUnit::Millimetres;
    const bool tpi = !mm;
    RunningWindow s;
    s.values.pitchUnit = pitchUnit;
    QVERIFY(s.open(Language::Danish, true));

    QCOMPARE(s.option(names::PitchMmOption)->isChecked(), mm);
    QCOMPARE(s.option(names::ThreadsPerInchOption)->isChecked(), tpi);
    QCOMPARE(s.saved().threadsPerInchSelected, tpi);
    QCOMPARE(s.saved().pitchMmSelected, mm);

    // Tap mode shows the pitch field of that unit, both pitch options, and no Sz or Z.
    s.click(names::TapOption);
    QCOMPARE(s.field(Field::PitchMm)->isVisible(), mm);
    QVERIFY(!s.caption(Field::PitchMm)->isVisible()); // the options stand in for the captions
    QCOMPARE(s.field(Field::ThreadsPerInch)->isVisible(), tpi);
    QVERIFY(!s.caption(Field::ThreadsPerInch)->isVisible());
    QVERIFY(s.option(names::PitchMmOption)->isVisible() &&
            s.option(names::ThreadsPerInchOption)->isVisible());
    QVERIFY(!s.caption(Field::FeedPerTooth)->isVisible() && !s.caption(Field::Flutes)->isVisible());
    QVERIFY(s.field(Field::Diameter)->isVisible() && s.field(Field::CuttingSpeed)->isVisible());
    QVERIFY(s.line().endsWith(tpi ? u" TAP 20 STIG)"_s : u" TAP 1.25 STIG)"_s));
}

void MenusAndLoad::load_decimalKeyFollowsLocale()
{
    // The key gives the separator that the number reader takes, whatever the file held: a
    // point in a comma locale, a comma in a point locale.
    const bool comma = m_row.comma;
    Settings values;
    fixture::sampleValues(values, comma);
    values.decimalSeparator = comma ? u'.' : u',';
    session::Session engine(values, fixture::numberLocale(comma));
    MainWindow window(Language::Danish, engine);
    window.load();
    QCOMPARE(values.decimalSeparator, comma ? u',' : u'.');
    QCOMPARE(engine.piText(), comma ? u"3,14159265358979"_s : u"3.14159265358979"_s);
}

void MenusAndLoad::open_buildsLineAndSavesOnce()
{
    Settings values;
    fixture::sampleValues(values, true);
    int saves = 0;
    session::Session engine(values, calc::commaLocale(), [&saves](const Settings &) {
        ++saves;
        return state::SaveResult{state::SaveStatus::Saved, {}, {}};
    });
    MainWindow window(m_row.language, engine);
    window.load();
    window.show();
    QVERIFY(fixture::activate(&window));
    QCOMPARE(window.findChild<EntryField *>(names::CncLine)->text(),
             fixture::sampleLine(m_row.language));
    QCOMPARE(saves, 1);
}

void MenusAndLoad::failedSave_warnsOnceInWindowsLanguage()
{
    Settings values;
    fixture::sampleValues(values, true);
    session::Session engine(values, calc::commaLocale(), [](const Settings &) {
        return state::SaveResult{state::SaveStatus::Failed, u"/media/usb/KVRsys.cfg"_s,
                                 u"No space left on device"_s};
    });
    MainWindow window(m_row.language, engine);
    window.load();
    window.show();
    QVERIFY(fixture::activate(&window));
    QTRY_COMPARE(m_watchdog.seen().size(), 1);
    const fixture::SeenBox box = m_watchdog.take().first();
    QCOMPARE(box.title, m_row.language == Language::Danish ? u"Meddelelse"_s : u"Error"_s);
    QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(box.text.contains(u"/media/usb/KVRsys.cfg"_s));
    QVERIFY(box.text.contains(u"No space left on device"_s));

    // The program goes on; later failures in this run stay quiet.
    window.findChild<QAction *>(names::decimalsItem(3))->trigger();
    QCOMPARE(window.findChild<EntryField *>(names::field(Field::SpindleSpeed))->text(),
             u"1273,24"_s);
    QTest::qWait(50);
    QVERIFY(m_watchdog.take().isEmpty());
}

QTEST_MAIN(MenusAndLoad)
#include "tst_menusandload.moc"
