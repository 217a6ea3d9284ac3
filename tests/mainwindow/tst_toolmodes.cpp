// SPDX-License-Identifier: MIT
// The three tool kinds and the two pitch units.

#include "fixture.h"

using calc::ToolMode;
using calc::ToolValues;

using fixture::numberText;
using fixture::RunningWindow;

namespace {

// The one tool picture on show.
QString visiblePicture(const RunningWindow &s)
{
    QStringList shown;
    for (const QString &name : {names::MillPicture, names::DrillPicture, names::TapPicture})
        if (s.window->findChild<QWidget *>(name)->isVisible())
            shown << name;
    return shown.join(u'+');
}

} // namespace

// Each test runs for both windows in both locales (m_row); one of a single window, once.
class ToolModes : public fixture::WindowTest
{
    Q_OBJECT

public:
    ToolModes() : WindowTest(fixture::Rows::BothWindowsBothLocales) {}

private slots:
    void opening_showsMillValuesAndPicture();
    void modeSwitch_loadsThenBuildsLineThenShows_data();
    void modeSwitch_loadsThenBuildsLineThenShows();
    void focusBeforeClick_copiesNoValuesAcross();
    void unusableDiameter_switchSaysNothing_pitchOptionWarns();
};

void ToolModes::opening_showsMillValuesAndPicture()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    QVERIFY(s.option(names::MillOption)->isChecked());
    QVERIFY(s.option(names::MillOption)->hasFocus());
    QCOMPARE(s.field(Field::Diameter)->text(), numberText("12,5", m_row.comma));
    QCOMPARE(s.field(Field::FeedRate)->text(), numberText("381,97", m_row.comma));
    QCOMPARE(s.line(), fixture::sampleLine(m_row.language));
    QCOMPARE(visiblePicture(s), names::MillPicture);
    QVERIFY(!s.option(names::PitchMmOption)->isVisible() && !s.field(Field::PitchMm)->isVisible() &&
            !s.caption(Field::PitchMm)->isVisible());
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());
    // Opening wrote the file, with the locale's separator in the texts.
    QVERIFY(s.savedSettings() == s.values);
}

void ToolModes::modeSwitch_loadsThenBuildsLineThenShows_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QList<Field>>("loads");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QStringList>("lines"); // in the Danish window, in the English one
    using enum Field;
    const QList<Field> millDrill{Diameter,     Flutes,       FeedPerTooth,
                                 CuttingSpeed, SpindleSpeed, FeedRate};
    const QList<Field> tap{PitchMm, ThreadsPerInch, Diameter, CuttingSpeed, SpindleSpeed, FeedRate};
    const QStringList mill{fixture::sampleLine(Language::Danish),
                           fixture::sampleLine(Language::English)};
    using namespace names;
    // clang-format off
    QTest::newRow("Mill to Drill") << MillOption << DrillOption << millDrill << DrillPicture
        << QStringList{u"S796 M03 F79.58 (8 BOR)"_s, u"S796 M03 F79.58 (8 DRILL)"_s};
    QTest::newRow("Drill to Mill") << DrillOption << MillOption << millDrill << MillPicture << mill;
    QTest::newRow("Mill to Tap") << MillOption << TapOption << tap << TapPicture
        << QStringList{u"S1061 M03 F1326.25 (6 TAP 1.25 STIG)"_s, u"S1061 M03 F1326.25 (6 TAPS 1.25 PITCH)"_s};
    QTest::newRow("Tap to Mill") << TapOption << MillOption << millDrill << MillPicture << mill;
    // clang-format on
}

void ToolModes::modeSwitch_loadsThenBuildsLineThenShows()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QList<Field>, loads);
    QFETCH(QString, picture);
    QFETCH(QStringList, lines);
    const auto modeOf = [](const QString &option) {
        return option == names::MillOption    ? ToolMode::Mill
               : option == names::DrillOption ? ToolMode::Drill
                                              : ToolMode::Tap;
    };
    const ToolMode mode = modeOf(to);
    RunningWindow s;
    // Values that differ in every field between the three kinds, so that each load is a change.
    fixture::sampleValues(s.values, m_row.comma);
    s.values.drill[Field::FeedPerTooth] = numberText("0,2", m_row.comma);
    s.values.drill[Field::CuttingSpeed] = u"25"_s;
    s.values.tap[Field::ThreadsPerInch] = u"18"_s;
    QVERIFY(s.open(m_row.language, m_row.comma));
    s.click(from);
    // An entry field has the focus, so the Edit menu is enabled when the switch starts.
    s.type(Field::CuttingSpeed, QString());
    QVERIFY(s.menu(names::EditMenu)->isEnabled());
    const Settings before = s.values;

    s.click(to);

    // No formula runs: the kind's values come back as they were, a drill's Z as "1". Leaving
    // the speed field ran its chain in the former kind, which keeps its Z.
    for (ToolMode kind : {ToolMode::Mill, ToolMode::Drill, ToolMode::Tap}) {
        ToolValues expected = before.tool(kind);
        if (kind == mode && mode == ToolMode::Drill)
            expected[Field::Flutes] = u"1"_s;
        if (kind == modeOf(from))
            QCOMPARE(s.values.tool(kind)[Field::Flutes], expected[Field::Flutes]);
        else
            QCOMPARE(s.values.tool(kind), expected);
    }
    for (Field field : loads)
        QCOMPARE(s.field(field)->text(), s.values.tool(mode)[field]);
    QCOMPARE(s.line(), lines.at(m_row.language == Language::Danish ? 0 : 1));
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());
    QCOMPARE(s.field(Field::Flutes)->isEnabled(), mode != ToolMode::Drill);
    QCOMPARE(s.option(names::PitchMmOption)->isVisible(), mode == ToolMode::Tap);
    QCOMPARE(visiblePicture(s), picture);
    // The fields on show and the line; hidden ones keep whatever they last held.
    qsizetype shown = 0;
    for (const EntryField *entry : s.window->findChildren<EntryField *>())
        shown += entry->isVisible();
    QCOMPARE(shown, mode == ToolMode::Tap ? 6 : 7);
}

void ToolModes::focusBeforeClick_copiesNoValuesAcross()
{
    RUN_IN_FIRST_ROW_ONLY();
    RunningWindow s;
    QVERIFY(s.openSample(Language::English, true));
    const Settings before = s.values;
    QRadioButton *drill = s.option(names::DrillOption);

    // The press gives the focus while the Mill option is still set.
    QTest::mousePress(drill, Qt::LeftButton, {}, QPoint(7, drill->height() / 2));
    QVERIFY(drill->hasFocus());
    QVERIFY(s.option(names::MillOption)->isChecked());
    QCOMPARE(s.field(Field::Diameter)->text(), u"12,5"_s);
    QVERIFY(s.values == before);

    QTest::mouseRelease(drill, Qt::LeftButton, {}, QPoint(7, drill->height() / 2));
    QVERIFY(drill->isChecked());
    QCOMPARE(s.field(Field::Diameter)->text(), u"8"_s);
    QCOMPARE(s.values.mill, before.mill);
    QCOMPARE(s.values.drill[Field::Diameter], u"8"_s);
}

void ToolModes::unusableDiameter_switchSaysNothing_pitchOptionWarns()
{
    RUN_IN_FIRST_ROW_ONLY();
    RunningWindow s;
    s.values.drill[Field::Diameter] = u"abc"_s;
    s.values.tap[Field::Diameter].clear();
    QVERIFY(s.open(Language::English, true));

    // The line cannot be built: a switch shows none and says nothing.
    s.click(names::DrillOption);
    QCOMPARE(s.line(), QString());
    QCOMPARE(s.field(Field::Diameter)->text(), u"abc"_s);
    QVERIFY(!s.field(Field::Flutes)->isEnabled());
    s.click(names::TapOption);
    QVERIFY(m_watchdog.take().isEmpty());
    QCOMPARE(s.saved().tap[Field::Diameter], QString());

    s.click(names::ThreadsPerInchOption);
    const QList<fixture::SeenBox> boxes = m_watchdog.take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, u"Empty fields or error in fields."_s);
    QCOMPARE(s.values.pitchUnit, calc::PitchUnit::ThreadsPerInch);
    QVERIFY(s.field(Field::ThreadsPerInch)->isVisible());
}

QTEST_MAIN(ToolModes)
#include "tst_toolmodes.moc"
