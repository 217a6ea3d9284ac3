// SPDX-License-Identifier: MIT
// Copy and Paste of the Edit menu: by the menu, the context menu and the keys.

#include "fixture.h"
#include "platform/clipboard.h"
#include "widgets/messageboxes.h"

using fixture::numberText;
using fixture::RunningWindow;

// Each test runs for both windows in both locales (m_row).
class Clipboard : public fixture::WindowTest
{
    Q_OBJECT

public:
    Clipboard() : WindowTest(fixture::Rows::BothWindowsBothLocales) {}

private slots:
    void rightClickResultThenCopy_takesWholeLine();
    void copyKey_takesSelectionOnly();
    void pasteKey_replacesSelectionAndStoresWithoutCalculating();
    void paste_dropsWhatTheFieldCannotHold_data();
    void paste_dropsWhatTheFieldCannotHold();
    void paste_pointOrComma_readsAsTyped_data();
    void paste_pointOrComma_readsAsTyped();
    void pasteIntoResultField_hasNoLimit();
    void cutKey_goesThroughTheSameRules();
    void afterModeOption_copyAndPasteDoNothing();
    void copyKeyInMessageBox_leavesClipboard();
};

void Clipboard::rightClickResultThenCopy_takesWholeLine()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));
    platform::setClipboardText(u"old"_s);

    EntryField *result = s.field(names::CncLine);
    QTest::mouseClick(result, Qt::RightButton, {}, QPoint(30, 8));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    // Copy is chosen with the menu's own keys: Qt 6.8 closes a menu on a synthetic click, on
    // the offscreen platform and under Xvfb alike.
    menu->setActiveAction(s.action(names::CopyItem));
    QTest::keyClick(menu, Qt::Key_Return);

    QCOMPARE(platform::clipboardText(), s.line());
    QCOMPARE(platform::clipboardText(), fixture::sampleLine(m_row.language));
}

void Clipboard::copyKey_takesSelectionOnly()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    s.type(Field::Diameter, QString());
    s.key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform::clipboardText(), numberText("12,5", m_row.comma));

    // Nothing selected: the clipboard is emptied.
    s.key(Qt::Key_End);
    s.key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform::clipboardText(), QString());
}

void Clipboard::pasteKey_replacesSelectionAndStoresWithoutCalculating()
{
    const bool comma = m_row.comma;
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, comma));
    const QByteArray file = s.fileBytes();
    platform::setClipboardText(u"42"_s);

    s.type(Field::Diameter, QString());
    s.key(Qt::Key_V, Qt::ControlModifier);
    EntryField *diameter = s.field(Field::Diameter);
    QCOMPARE(diameter->text(), u"42"_s);
    QCOMPARE(diameter->cursorPosition(), 2);
    QCOMPARE(s.values.mill[Field::Diameter], u"42"_s);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), numberText("1273,24", comma));
    QCOMPARE(s.fileBytes(), file);

    // An empty clipboard clears the selected part.
    platform::setClipboardText(QString());
    s.key(Qt::Key_Left, Qt::ShiftModifier);
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(diameter->text(), u"4"_s);
}

void Clipboard::paste_dropsWhatTheFieldCannotHold_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::newRow("double quotes") << u"\"4\"2\""_s << u"42"_s;
    QTest::newRow("line breaks, a tab a blank") << u"1\t1/2\r\n"_s << u"1 1/2"_s;
    QTest::newRow("twelve characters") << u"12345,678901"_s << u"12345,678901"_s;
    QTest::newRow("thirteen characters") << u"1234567890123"_s << u"12,5"_s;
    QTest::newRow("300 characters") << QString(300, u'7') << u"12,5"_s;
}

void Clipboard::paste_dropsWhatTheFieldCannotHold()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, true)); // the expected texts are written with a comma
    platform::setClipboardText(clipboard);

    s.type(Field::Diameter, QString());
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.field(Field::Diameter)->text(), expected);
    QCOMPARE(s.values.mill[Field::Diameter], expected);

    // What the field holds can always be stored and read back.
    s.key(Qt::Key_Tab);
    m_watchdog.take();
    QCOMPARE(s.saved().mill[Field::Diameter], s.values.mill[Field::Diameter]);
}

void Clipboard::paste_pointOrComma_readsAsTyped_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("12.5") << u"12.5"_s;
    QTest::newRow("12,5") << u"12,5"_s;
}

void Clipboard::paste_pointOrComma_readsAsTyped()
{
    // A diameter copied from a drawing is 12.5 whichever separator it came with.
    QFETCH(QString, clipboard);
    const bool comma = m_row.comma;
    RunningWindow s;
    fixture::sampleValues(s.values, comma);
    s.values.mill[Field::Diameter] = u"3"_s;
    QVERIFY(s.open(m_row.language, comma));
    platform::setClipboardText(clipboard);

    s.type(Field::Diameter, QString());
    s.key(Qt::Key_V, Qt::ControlModifier);
    s.key(Qt::Key_Return);
    QCOMPARE(s.field(Field::Diameter)->text(), numberText("12,5", comma));
    QCOMPARE(s.line(), fixture::sampleLine(m_row.language));
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), numberText("1273,24", comma));
}

void Clipboard::pasteIntoResultField_hasNoLimit()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));
    const QString text = u"S1273 M03 F381.97 (12.5 FR 3 SK) ; spindle on"_s;
    platform::setClipboardText(text + u"\n"_s);

    QTest::mouseClick(s.field(names::CncLine), Qt::LeftButton);
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.line(), text);
}

void Clipboard::cutKey_goesThroughTheSameRules()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    s.type(Field::CuttingSpeed, QString());
    s.key(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(platform::clipboardText(), u"50"_s);
    QCOMPARE(s.field(Field::CuttingSpeed)->text(), QString());
    QCOMPARE(s.values.mill[Field::CuttingSpeed], QString());
}

void Clipboard::afterModeOption_copyAndPasteDoNothing()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));
    s.type(Field::Diameter, QString());
    QVERIFY(s.menu(names::EditMenu)->isEnabled());

    s.click(names::MillOption);
    QVERIFY(!s.menu(names::EditMenu)->isEnabled());
    QVERIFY(!s.action(names::CopyItem)->isEnabled());
    platform::setClipboardText(u"99"_s);
    s.key(Qt::Key_C, Qt::ControlModifier);
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(platform::clipboardText(), u"99"_s);
    QCOMPARE(s.field(Field::Diameter)->text(), numberText("12,5", m_row.comma));

    // A text field with the focus enables both again.
    s.type(Field::Diameter, QString());
    s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.field(Field::Diameter)->text(), u"99"_s);
}

void Clipboard::copyKeyInMessageBox_leavesClipboard()
{
    widgets::keepMessageTextsOffClipboard(); // as the program does
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));
    platform::setClipboardText(u"old"_s);
    m_watchdog.expect([](QWidget *box) {
        QTest::keyClick(box->focusWidget(), Qt::Key_C, Qt::ControlModifier);
        ModalWatchdog::dismiss(box);
    });
    s.type(Field::Diameter, u"1/0"_s);
    s.key(Qt::Key_Tab); // the input-error message
    QTRY_COMPARE(m_watchdog.pending(), 0);
    QCOMPARE(platform::clipboardText(), u"old"_s);
}

QTEST_MAIN(Clipboard)
#include "tst_clipboard.moc"
