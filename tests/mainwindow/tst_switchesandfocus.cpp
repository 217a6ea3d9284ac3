// SPDX-License-Identifier: MIT
// What a tool-mode switch and a pitch-unit change show, and where the focus and the Edit menu
// go: with the switches, with Tab and with a right click.

#include "fixture.h"
#include "platform/clipboard.h"

using fixture::numberText;
using fixture::RunningWindow;

class SwitchesAndFocus : public fixture::WindowTest
{
    Q_OBJECT

public:
    SwitchesAndFocus() : WindowTest(fixture::Rows::Once) {}

private slots:
    void focusOfSelectedModeOption_reloadsWithoutFormula();
    void pitchOption_comparesThePitchsValue_data();
    void pitchOption_comparesThePitchsValue();
    void pitchOption_leavesEditMenuAsItWas();
    void resultFieldByTab_enablesEditAndSelectsLine();
    void rightClickAfterFailingField_warnsThenOpensMenu();
};

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
    for (int link = 0; link <= 4; ++link) // past the maker's links to the selected option
        s.key(Qt::Key_Tab);
    QVERIFY(s.option(names::MillOption)->hasFocus());

    QCOMPARE(s.field(Field::Diameter)->text(), u"20"_s);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), u"100"_s);
    QCOMPARE(s.field(Field::FeedRate)->text(), u"7"_s);
    QCOMPARE(s.line(), u"S100 M03 F7 (20 FR 3 SK)"_s);
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());
    QCOMPARE(s.saved().mill[Field::SpindleSpeed], u"100"_s);
}

// What a pitch option's click does with the pitch it shows.
enum class PitchOutcome { NothingCalculated, Calculated, CalculatedThenWarned };

void SwitchesAndFocus::pitchOption_comparesThePitchsValue_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("pitch");
    QTest::addColumn<PitchOutcome>("outcome");
    using enum PitchOutcome;
    for (const QString &option : {names::PitchMmOption, names::ThreadsPerInchOption}) {
        const auto row = [&option](const char *pitch, PitchOutcome outcome, bool comma = true) {
            QTest::addRow("%s, %s, '%s'", qPrintable(option), comma ? "comma" : "point", pitch)
                << option << comma << QString::fromUtf8(pitch) << outcome;
        };
        // The rule itself is the session's; here the window shows what it decided.
        row("0,0009", NothingCalculated);
        row("0,0001", NothingCalculated);
        row(".5", CalculatedThenWarned); // no number where the separator is a comma
        row("0,00", NothingCalculated);  // a prefix is the smaller
        row("0,001", Calculated);
        row("0,0010", Calculated);
        row(",5", Calculated); // read as a number, not compared as text
        row("1", Calculated);
        row("0.0005", NothingCalculated, false);
        row("0.5", Calculated, false);
    }
}

void SwitchesAndFocus::pitchOption_comparesThePitchsValue()
{
    QFETCH(QString, option);
    QFETCH(bool, comma);
    QFETCH(QString, pitch);
    QFETCH(PitchOutcome, outcome);
    RunningWindow s;
    fixture::sampleValues(s.values, comma);
    // The other unit first, so that the click changes the unit.
    const bool mm = option == names::PitchMmOption;
    s.values.pitchUnit = mm ? calc::PitchUnit::ThreadsPerInch : calc::PitchUnit::Millimetres;
    s.values.tap[mm ? Field::PitchMm : Field::ThreadsPerInch] = pitch;
    QVERIFY(s.open(Language::Danish, comma));
    s.click(names::TapOption);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), u"1061"_s);

    s.click(option);
    // n comes first; an odd pitch fails in the feed formula after it.
    QCOMPARE(m_watchdog.take().size(), outcome == PitchOutcome::CalculatedThenWarned ? 1 : 0);
    QCOMPARE(s.values.pitchUnit == calc::PitchUnit::Millimetres, mm);
    QCOMPARE(s.field(Field::PitchMm)->isVisible(), mm);
    QCOMPARE(s.field(Field::ThreadsPerInch)->isVisible(), !mm);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(),
             outcome == PitchOutcome::NothingCalculated ? u"1061"_s : numberText("1061,03", comma));
    if (outcome == PitchOutcome::Calculated) {
        QVERIFY(s.line().startsWith(u"S1061 M03 F"_s));
        QVERIFY(s.line().endsWith(u" TAP "_s + pitch.replace(u',', u'.') + u" STIG)"_s));
        QCOMPARE(s.saved().threadsPerInchSelected, !mm);
    }
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
