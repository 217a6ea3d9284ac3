// What a tool-mode switch and a pitch-unit change show, and where the focus and the Edit menu
// go: with the switches, with Tab and with a right click.

#include "fixture.h"
#include "platform/clipboard.h"

using calc::ToolMode;
using calc::ToolValues;

using fixture::numberText;
using fixture::RunningWindow;

namespace {

// Values that differ in every field between the three kinds, so that each load is a change.
void distinctValues(Settings &v)
{
    fixture::sampleValues(v, true);
    v.drill[Field::FeedPerTooth] = u"0,2"_s;
    v.drill[Field::CuttingSpeed] = u"25"_s;
}

} // namespace

class SwitchesAndFocus : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void modeSwitch_loadsThenBuildsLineThenShows_data();
    void modeSwitch_loadsThenBuildsLineThenShows();
    void modeSwitch_unreadableDiameter_showsNoLine();
    void focusOfSelectedModeOption_reloadsWithoutFormula();
    void pitchOption_comparesThePitchsValue_data();
    void pitchOption_comparesThePitchsValue();
    void pitchOption_leavesEditMenuAsItWas();
    void resultFieldByTab_enablesEditAndSelectsLine();
    void rightClickWithModifier_stillOpensEditMenu();
    void rightClickAfterFailingField_warnsThenOpensMenu();

private:
    fixture::Watchdog m_watchdog;
};

void SwitchesAndFocus::cleanup()
{
    m_watchdog.verifyNothingUnexpected();
}

void SwitchesAndFocus::modeSwitch_loadsThenBuildsLineThenShows_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QList<Field>>("loads");
    QTest::addColumn<QString>("picture");
    using enum Field;
    const QList<Field> millDrill{Diameter,     Flutes,       FeedPerTooth,
                                 CuttingSpeed, SpindleSpeed, FeedRate};
    const QList<Field> tap{PitchMm, ThreadsPerInch, Diameter, CuttingSpeed, SpindleSpeed, FeedRate};
    using namespace names;
    QTest::newRow("Drill to Mill") << DrillOption << MillOption << millDrill << MillPicture;
    QTest::newRow("Mill to Drill") << MillOption << DrillOption << millDrill << DrillPicture;
    QTest::newRow("Mill to Tap") << MillOption << TapOption << tap << TapPicture;
}

void SwitchesAndFocus::modeSwitch_loadsThenBuildsLineThenShows()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QList<Field>, loads);
    QFETCH(QString, picture);
    RunningWindow s;
    distinctValues(s.values);
    s.values.tap[Field::ThreadsPerInch] = u"18"_s;
    QVERIFY(s.open(Language::Danish, true));
    s.click(from);
    // An entry field has the focus, so the Edit menu is enabled when the switch starts.
    s.type(Field::CuttingSpeed, QString());
    QVERIFY(s.menu(names::EditMenu)->isEnabled());
    const ToolMode mode = to == names::MillOption    ? ToolMode::Mill
                          : to == names::DrillOption ? ToolMode::Drill
                                                     : ToolMode::Tap;
    const ToolValues before = s.values.tool(mode);

    s.click(to);

    // No formula runs: the kind's values come back as they were, a drill's Z as "1".
    ToolValues expected = before;
    if (mode == ToolMode::Drill)
        expected[Field::Flutes] = u"1"_s;
    QCOMPARE(s.values.tool(mode), expected);
    for (Field field : loads)
        QCOMPARE(s.field(field)->text(), expected[field]);
    QVERIFY(s.line().contains(u" ("_s + QString(expected[Field::Diameter]).replace(u',', u'.') +
                              u" "_s));
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());
    QCOMPARE(s.field(Field::Flutes)->isEnabled(), mode != ToolMode::Drill);
    QCOMPARE(s.option(names::PitchMmOption)->isVisible(), mode == ToolMode::Tap);
    for (const QString &name : {names::MillPicture, names::DrillPicture, names::TapPicture})
        QCOMPARE(s.window->findChild<QWidget *>(name)->isVisible(), picture == name);
}

void SwitchesAndFocus::modeSwitch_unreadableDiameter_showsNoLine()
{
    RunningWindow s;
    s.values.drill[Field::Diameter] = u"abc"_s;
    QVERIFY(s.open(Language::English, true));

    s.click(names::DrillOption);
    QCOMPARE(s.line(), QString());
    QCOMPARE(s.field(Field::Diameter)->text(), u"abc"_s);
    QVERIFY(!s.field(Field::Flutes)->isEnabled());
}

void SwitchesAndFocus::focusOfSelectedModeOption_reloadsWithoutFormula()
{
    RunningWindow s;
    QVERIFY(s.openSample(Language::Danish, true));
    // The line takes the focus from the option, and leaving it calculates nothing.
    QTest::mouseClick(s.field(names::CncLine), Qt::LeftButton);
    QVERIFY(s.menu(names::EditMenu)->isEnabled());

    // Values that no formula gives from one another: only a reload shows them.
    s.values.mill[Field::Diameter] = u"20"_s;
    s.values.mill[Field::SpindleSpeed] = u"100"_s;
    s.values.mill[Field::FeedRate] = u"7"_s;
    s.key(Qt::Key_Tab); // round to the first control, the selected option
    QVERIFY(s.option(names::MillOption)->hasFocus());

    QCOMPARE(s.field(Field::Diameter)->text(), u"20"_s);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), u"100"_s);
    QCOMPARE(s.field(Field::FeedRate)->text(), u"7"_s);
    QCOMPARE(s.line(), u"S100 M03 F7 (20 FR 3 SK)"_s);
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());
    QCOMPARE(s.saved().mill[Field::SpindleSpeed], u"100"_s);
}

void SwitchesAndFocus::pitchOption_comparesThePitchsValue_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("pitch");
    QTest::addColumn<bool>("calculates");
    for (const QString &option : {names::PitchMmOption, names::ThreadsPerInchOption}) {
        const auto row = [&option](const char *pitch, bool calculates) {
            QTest::addRow("%s, '%s'", qPrintable(option), pitch)
                << option << QString::fromUtf8(pitch) << calculates;
        };
        row("0,0009", false);
        row("0,0001", false);
        row(".5", true);    // no number where the separator is a comma: an input error
        row("0,00", false); // a prefix is the smaller
        row("0,001", true);
        row("0,0010", true);
        row(",5", true); // read as a number, not compared as text
        row("1", true);
    }
}

void SwitchesAndFocus::pitchOption_comparesThePitchsValue()
{
    QFETCH(QString, option);
    QFETCH(QString, pitch);
    QFETCH(bool, calculates);
    RunningWindow s;
    // The other unit first, so that the click changes the unit.
    const bool mm = option == names::PitchMmOption;
    s.values.pitchUnit = mm ? calc::PitchUnit::ThreadsPerInch : calc::PitchUnit::Millimetres;
    (mm ? s.values.tap[Field::PitchMm] : s.values.tap[Field::ThreadsPerInch]) = pitch;
    QVERIFY(s.open(Language::Danish, true));
    s.click(names::TapOption);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), u"1061"_s);

    s.click(option);
    m_watchdog.take(); // an odd pitch may fail in the feed formula; n comes first
    QCOMPARE(s.values.pitchUnit == calc::PitchUnit::Millimetres, mm);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), calculates ? u"1061,03"_s : u"1061"_s);
}

void SwitchesAndFocus::pitchOption_leavesEditMenuAsItWas()
{
    RunningWindow s;
    QVERIFY(s.openSample(Language::English, true));
    s.click(names::TapOption);
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());
    s.click(names::ThreadsPerInchOption);
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());

    s.type(Field::Diameter, QString());
    QVERIFY(s.menu(names::EditMenu)->isEnabled());
    s.click(names::PitchMmOption);
    QVERIFY(s.option(names::PitchMmOption)->hasFocus());
    QVERIFY(s.menu(names::EditMenu)->isEnabled());
    // With an option holding the focus, Copy has no text to take.
    platform::setClipboardText(u"kept"_s);
    QTest::keyClick(s.option(names::PitchMmOption), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform::clipboardText(), u"kept"_s);
}

void SwitchesAndFocus::resultFieldByTab_enablesEditAndSelectsLine()
{
    RunningWindow s;
    QVERIFY(s.openSample(Language::Danish, true));
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());

    // In Mill mode the pitch options are hidden: the feed rate is followed by the line.
    s.type(Field::FeedRate, QString());
    s.click(names::MillOption);
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());
    s.type(Field::FeedRate, QString());
    s.key(Qt::Key_Tab);
    EntryField *result = s.field(names::CncLine);
    QVERIFY(result->hasFocus());
    QCOMPARE(result->selectedText(), u"S1273 M03 F381.97 (12.5 FR 3 SK)"_s);
    QVERIFY(s.menu(names::EditMenu)->isEnabled());

    // Enter in the line calculates nothing and warns of nothing.
    const QByteArray file = s.fileBytes();
    s.key(Qt::Key_Return);
    QCOMPARE(s.fileBytes(), file);
}

void SwitchesAndFocus::rightClickWithModifier_stillOpensEditMenu()
{
    RunningWindow s;
    QVERIFY(s.openSample(Language::English, true));
    EntryField *result = s.field(names::CncLine);
    QTest::mouseClick(result, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier,
                      QPoint(20, 8));
    QVERIFY(result->hasFocus());
    QCOMPARE(result->selectedText(), result->text());
    QCOMPARE(QApplication::activePopupWidget(), s.menu(names::EditMenu));
}

void SwitchesAndFocus::rightClickAfterFailingField_warnsThenOpensMenu()
{
    RunningWindow s;
    QVERIFY(s.openSample(Language::Danish, true));
    s.type(Field::Diameter, u"abc"_s);

    EntryField *result = s.field(names::CncLine);
    QTest::mouseClick(result, Qt::RightButton, {}, QPoint(20, 8));
    QTRY_VERIFY(QApplication::activePopupWidget() == s.menu(names::EditMenu));
    const QList<fixture::SeenBox> boxes = m_watchdog.take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, u"Manglende indtastning eller fejlindtastning i felt."_s);
    // The window gets the focus back with the line in it (its activation follows the message
    // box by the window manager's hand, so the window is asked, not the application).
    QCOMPARE(s.window->focusWidget(), result);
    QCOMPARE(result->selectedText(), result->text());
}

QTEST_MAIN(SwitchesAndFocus)
#include "tst_switchesandfocus.moc"
