// SPDX-License-Identifier: MIT
// The units and decimals menus, and what a window restores when it loads.

#include "fixture.h"

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

} // namespace

// Each test runs for both windows in both locales (m_row); one of a single window, once.
class MenusAndLoad : public fixture::WindowTest
{
    Q_OBJECT

public:
    MenusAndLoad() : WindowTest(fixture::Rows::BothWindowsBothLocales) {}

private slots:
    void unitCaptions_followLoadAndMenu_data();
    void unitCaptions_followLoadAndMenu();
    void unitsMenu_recomputesAndSaves();
    void unitsMenu_sameItemAgain_runsAgain();
    void unitsMenu_emptyDiameter_captionsChangeThenWarns();
    void decimalsMenu_checksOneItemAndRecomputes();
    void load_decimalCount_oneCheckedItem_data();
    void load_decimalCount_oneCheckedItem();
    void load_pitchOptionsFollowStoredUnits_data();
    void load_pitchOptionsFollowStoredUnits();
    void load_decimalKeyFollowsLocale();
    void open_buildsLineAndSaves_failureWarnsOnce_data();
    void open_buildsLineAndSaves_failureWarnsOnce();
};

void MenusAndLoad::unitCaptions_followLoadAndMenu_data()
{
    QTest::addColumn<calc::Units>("stored");
    QTest::addColumn<QString>("menuItem"); // chosen after the load, if any
    QTest::addColumn<UnitCaptions TextCatalogue::*>("captions");
    QTest::addColumn<QStringList>("danish"); // the diameter's caption, the units' label
    QTest::addColumn<QStringList>("english");
    const QStringList inchDa{u"Diameter (D) i tommer :"_s, u"Tommer"_s};
    const QStringList metricDa{u"Diameter (D) i mm :"_s, u"Metrisk"_s};
    const QStringList inchEn{u"Diameter (D) in inch :"_s, u"Inches"_s};
    const QStringList inchMenuEn{u"Diameter (D) in inches :"_s, u"Inches"_s};
    const QStringList metricEn{u"Diameter (D) in mm :"_s, u"Metric"_s};
    // The load and the menu each apply their own column of the language's captions. The menu
    // rows start from the other units, so that every caption has to change.
    // clang-format off
    QTest::newRow("inch, load") << calc::Units::Inch << QString() << &TextCatalogue::inchLoad << inchDa << inchEn;
    QTest::newRow("metric, load") << calc::Units::Metric << QString() << &TextCatalogue::metricLoad << metricDa << metricEn;
    QTest::newRow("inch, menu") << calc::Units::Metric << names::InchItem << &TextCatalogue::inchMenu << inchDa << inchMenuEn;
    QTest::newRow("metric, menu") << calc::Units::Inch << names::MetricItem << &TextCatalogue::metricMenu << metricDa << metricEn;
    // clang-format on
}

void MenusAndLoad::unitCaptions_followLoadAndMenu()
{
    QFETCH(calc::Units, stored);
    QFETCH(QString, menuItem);
    QFETCH(UnitCaptions TextCatalogue::*, captions);
    QFETCH(QStringList, danish);
    QFETCH(QStringList, english);
    RunningWindow s;
    s.values.units = stored;
    QVERIFY(s.open(m_row.language, true));
    if (!menuItem.isEmpty())
        s.action(menuItem)->trigger();

    const UnitCaptions &applied = catalogue(m_row.language).*captions;
    QCOMPARE(shownUnitCaptions(s), QStringList(applied.fields.begin(), applied.fields.end())
                                       << applied.unitsLabel);
    QCOMPARE(QStringList({s.caption(Field::Diameter)->text(), s.label(names::UnitsLabel)->text()}),
             m_row.language == Language::Danish ? danish : english);
    const bool inch = captions == &TextCatalogue::inchLoad || captions == &TextCatalogue::inchMenu;
    QCOMPARE(s.action(names::InchItem)->isChecked(), inch);
    QCOMPARE(s.action(names::MetricItem)->isChecked(), !inch);
}

void MenusAndLoad::unitsMenu_recomputesAndSaves()
{
    const bool comma = m_row.comma;
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, comma));

    // The captions and checked items are unitCaptions_followLoadAndMenu's.
    s.action(names::InchItem)->trigger();
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
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), numberText("1273,24", comma));
    QVERIFY(s.saved().metricUnits && !s.saved().inchUnits);
}

void MenusAndLoad::unitsMenu_sameItemAgain_runsAgain()
{
    RUN_IN_FIRST_ROW_ONLY();
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
    RUN_IN_FIRST_ROW_ONLY();
    RunningWindow s;
    s.values.mill[Field::Diameter].clear();
    s.values.units = calc::Units::Inch;
    QVERIFY(s.open(Language::Danish, true));
    const QString line = s.line();
    const QByteArray file = s.fileBytes();

    s.action(names::MetricItem)->trigger();
    QCOMPARE(s.caption(Field::Diameter)->text(), u"Diameter (D) i mm :"_s);
    QCOMPARE(s.values.units, calc::Units::Metric);
    const QList<fixture::SeenBox> boxes = m_watchdog.take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().title, u"Meddelelse"_s);
    QCOMPARE(s.line(), line);
    QCOMPARE(s.fileBytes(), file); // the choice reaches the file with the next line
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
    RUN_IN_FIRST_ROW_ONLY();
    QFETCH(int, stored);
    QFETCH(int, shown);
    RunningWindow s;
    s.values.decimalCount = std::uint8_t(stored);
    QVERIFY(s.open(Language::Danish, true));

    QCOMPARE(checkedDecimals(s), QList<int>{shown});
    QCOMPARE(s.label(names::DecimalsLabel)->text(), QString::number(shown) + u" Decimal(er)"_s);
    QCOMPARE(int(s.values.decimalCount), shown);
}

void MenusAndLoad::load_pitchOptionsFollowStoredUnits_data()
{
    QTest::addColumn<calc::PitchUnit>("pitchUnit");
    QTest::newRow("mm") << calc::PitchUnit::Millimetres;
    QTest::newRow("threads per inch") << calc::PitchUnit::ThreadsPerInch;
}

void MenusAndLoad::load_pitchOptionsFollowStoredUnits()
{
    RUN_IN_FIRST_ROW_ONLY();
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
    // The load leaves the Mill layout: no pitch field on show.
    QVERIFY(!s.field(Field::PitchMm)->isVisible() && !s.caption(Field::PitchMm)->isVisible());

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
    values.decimalSeparator = calc::DecimalSeparator::pointIf(comma);
    session::Session engine(values, fixture::numberLocale(comma));
    MainWindow window(Language::Danish, engine);
    window.load();
    QCOMPARE(values.decimalSeparator.character(), comma ? u',' : u'.');
    QCOMPARE(engine.piText(), comma ? u"3,14159265358979"_s : u"3.14159265358979"_s);
}

void MenusAndLoad::open_buildsLineAndSaves_failureWarnsOnce_data()
{
    QTest::addColumn<settings::SaveStatus>("status");
    QTest::newRow("saved") << settings::SaveStatus::Saved;
    QTest::newRow("failed") << settings::SaveStatus::Failed;
}

void MenusAndLoad::open_buildsLineAndSaves_failureWarnsOnce()
{
    QFETCH(settings::SaveStatus, status);
    Settings values;
    fixture::sampleValues(values, true);
    int saves = 0;
    session::Session engine(values, calc::commaLocale(), [&](const Settings &) {
        ++saves;
        if (status == settings::SaveStatus::Saved)
            return settings::SaveResult{status, {}, {}};
        return settings::SaveResult{status, u"/media/usb/KVRsys.cfg"_s,
                                    u"No space left on device"_s};
    });
    MainWindow window(m_row.language, engine);
    window.load();
    window.show();
    QVERIFY(fixture::activate(&window));
    QCOMPARE(window.findChild<EntryField *>(names::CncLine)->text(),
             fixture::sampleLine(m_row.language));
    QCOMPARE(saves, 1);
    if (status == settings::SaveStatus::Failed) {
        QTRY_COMPARE(m_watchdog.seen().size(), 1);
        const fixture::SeenBox box = m_watchdog.take().first();
        QCOMPARE(box.title, m_row.language == Language::Danish ? u"Meddelelse"_s : u"Error"_s);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY(box.text.contains(QDir::toNativeSeparators(u"/media/usb/KVRsys.cfg"_s)));
        QVERIFY(box.text.contains(u"No space left on device"_s));
    }

    // The program goes on; later failures in this run stay quiet.
    window.findChild<QAction *>(names::decimalsItem(3))->trigger();
    QCOMPARE(window.findChild<EntryField *>(names::field(Field::SpindleSpeed))->text(),
             u"1273,24"_s);
    QCOMPARE(saves, 2);
    QTest::qWait(50);
    QVERIFY(m_watchdog.take().isEmpty());
}

QTEST_MAIN(MenusAndLoad)
#include "tst_menusandload.moc"
