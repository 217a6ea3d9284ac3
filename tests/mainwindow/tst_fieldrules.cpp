// SPDX-License-Identifier: MIT
// What the entry fields do with keys, Enter, leaving and right clicks, in both windows and
// both locales.

#include "fixture.h"

#include <QAccessible>
#include <QInputMethodEvent>

using calc::ToolValues;

using fixture::numberText;
using fixture::RunningWindow;

// Each test runs for both windows in both locales (m_row); one of a single window, once.
class FieldRules : public fixture::WindowTest
{
    Q_OBJECT

public:
    FieldRules() : WindowTest(fixture::Rows::BothWindowsBothLocales) {}

private slots:
    void typing_storesIntoSelectedKind();
    void decimalKeys_giveLocaleSeparatorInEveryField();
    void danishFeedRate_commaLocale_keepsTextAsTyped();
    void thirteenthTypedCharacter_isRefused();
    void longComputedText_staysWholeAndTakesNoMore();
    void doubleQuote_andCommandKeys_areNeverTyped();
    void tabAndClick_selectWholeText();
    void enter_runsItsFieldsChainInOrder_data();
    void enter_runsItsFieldsChainInOrder();
    void fractionAndEnter_recomputesLineAndFile();
    void divisionByZero_leavingDiameter_keepsTextAndWarnsOnce();
    void enterWithEmptyDiameter_emptiesResults();
    void rightClick_opensOnlyEditMenuAndSelectsAll_data();
    void rightClick_opensOnlyEditMenuAndSelectsAll();
};

void FieldRules::typing_storesIntoSelectedKind()
{
    RunningWindow s;
    fixture::sampleValues(s.values, m_row.comma);
    const ToolValues drill = s.values.drill;
    QVERIFY(s.open(m_row.language, m_row.comma));

    s.type(Field::CuttingSpeed, u"75"_s);
    QCOMPARE(s.field(Field::CuttingSpeed)->text(), u"75"_s);
    QCOMPARE(s.values.mill[Field::CuttingSpeed], u"75"_s);
    QCOMPARE(s.values.drill, drill);

    // Every change is stored, also a deletion.
    s.key(Qt::Key_Backspace);
    QCOMPARE(s.values.mill[Field::CuttingSpeed], u"7"_s);
}

void FieldRules::decimalKeys_giveLocaleSeparatorInEveryField()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    const QString expected = numberText("2,5", m_row.comma);
    using enum Field;
    for (Field field : {Diameter, Flutes, FeedPerTooth, CuttingSpeed, SpindleSpeed, FeedRate}) {
        for (const QString &typed : {u"2,5"_s, u"2.5"_s}) {
            s.type(field, typed);
            QCOMPARE(s.field(field)->text(), expected);
        }
    }
    QCOMPARE(s.values.mill[Field::FeedRate], expected);
    QCOMPARE(s.values.mill[Field::Diameter], expected);
    m_watchdog.take(); // leaving fields with odd values may warn; not the point here
}

void FieldRules::danishFeedRate_commaLocale_keepsTextAsTyped()
{
    RUN_IN_FIRST_ROW_ONLY();
    // The feed-rate field follows the rules of every other field: the typed point gives a
    // comma and the text is stored as it stands, so the CNC line and the file agree with it.
    RunningWindow s;
    QVERIFY(s.openSample(Language::Danish, true));
    s.click(names::DrillOption);
    s.type(Field::FeedRate, u"12.50"_s);
    QCOMPARE(s.field(Field::FeedRate)->text(), u"12,50"_s);
    QCOMPARE(s.values.drill[Field::FeedRate], u"12,50"_s);

    // Enter: Sz from S, n from V and D, S again; the stored S is the field's text.
    s.key(Qt::Key_Return);
    QCOMPARE(s.values.drill[Field::FeedRate], s.field(Field::FeedRate)->text());
    QCOMPARE(s.saved().drill[Field::FeedRate], s.values.drill[Field::FeedRate]);
    QVERIFY(s.values.drill[Field::FeedRate].contains(u','));
}

void FieldRules::thirteenthTypedCharacter_isRefused()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    s.type(Field::CuttingSpeed, u"123456789012"_s);
    QTest::keyClicks(s.field(Field::CuttingSpeed), u"3"_s);
    QCOMPARE(s.field(Field::CuttingSpeed)->text(), u"123456789012"_s);
    QCOMPARE(s.values.mill[Field::CuttingSpeed], u"123456789012"_s);

    // With a selection the key replaces it.
    s.key(Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(s.field(Field::CuttingSpeed), u"9"_s);
    QCOMPARE(s.field(Field::CuttingSpeed)->text(), u"123456789019"_s);
}

void FieldRules::longComputedText_staysWholeAndTakesNoMore()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    s.type(Field::Diameter, u"1/24"_s);
    s.key(Qt::Key_Return);
    const QString expected = numberText("0,0416666666666667", m_row.comma);
    QCOMPARE(s.field(Field::Diameter)->text(), expected);
    QCOMPARE(s.values.mill[Field::Diameter], expected);

    s.key(Qt::Key_End);
    QTest::keyClicks(s.field(Field::Diameter), u"5"_s);
    QCOMPARE(s.field(Field::Diameter)->text(), expected);
    // Shortening it is allowed.
    s.key(Qt::Key_Backspace);
    QCOMPARE(s.field(Field::Diameter)->text(), expected.chopped(1));
    // Once left, it shows its first digits again.
    s.key(Qt::Key_Tab);
    QCOMPARE(s.field(Field::Diameter)->cursorPosition(), 0);
}

void FieldRules::doubleQuote_andCommandKeys_areNeverTyped()
{
    RUN_IN_FIRST_ROW_ONLY();
    RunningWindow s;
    QVERIFY(s.openSample(Language::English, true));

    s.type(Field::CuttingSpeed, u"1\"2"_s);
    QCOMPARE(s.field(Field::CuttingSpeed)->text(), u"12"_s);
    QCOMPARE(s.values.mill[Field::CuttingSpeed], u"12"_s);

    // Nor through an input method, which passes by the keys; nor past the limit that way.
    EntryField *speed = s.field(Field::CuttingSpeed);
    QInputMethodEvent quoted;
    quoted.setCommitString(u"\"3\""_s);
    QApplication::sendEvent(speed, &quoted);
    QCOMPARE(speed->text(), u"123"_s);
    QInputMethodEvent overlong;
    overlong.setCommitString(u"4567890123"_s);
    QApplication::sendEvent(speed, &overlong);
    QCOMPARE(speed->text(), u"123"_s);
    QCOMPARE(s.values.mill[Field::CuttingSpeed], u"123"_s);
    // Nor a letter held with Alt, Ctrl or Meta that no shortcut takes, in a field or the line.
    const std::pair<QString, Qt::KeyboardModifier> keys[] = {
        {names::field(Field::Diameter), Qt::AltModifier},
        {names::field(Field::Diameter), Qt::ControlModifier},
        {names::CncLine, Qt::MetaModifier},
        {names::CncLine, Qt::AltModifier}};
    for (const auto &[name, modifier] : keys) {
        const QString shown = s.field(name)->text();
        QTest::sendKeyEvent(QTest::Click, s.field(name), Qt::Key_F, u"f"_s, modifier);
        QCOMPARE(s.field(name)->text(), shown);
    }
}

void FieldRules::tabAndClick_selectWholeText()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    EntryField *diameter = s.field(Field::Diameter);
    QTest::mouseClick(diameter, Qt::LeftButton, {}, QPoint(diameter->width() - 4, 8));
    QVERIFY(diameter->hasFocus());
    QCOMPARE(diameter->selectedText(), diameter->text());
    QVERIFY(s.menu(names::EditMenu)->isEnabled());

    s.key(Qt::Key_Tab);
    EntryField *edges = s.field(Field::Flutes);
    QVERIFY(edges->hasFocus());
    QCOMPARE(edges->selectedText(), u"3"_s);
    QTest::keyClicks(edges, u"4"_s);
    QCOMPARE(edges->text(), u"4"_s);
    QCOMPARE(s.values.mill[Field::Flutes], u"4"_s);

    // A click on the line selects it whole, also when it has the focus already.
    EntryField *line = s.field(names::CncLine);
    s.clickField(line);
    line->deselect();
    s.clickAt(line, line->rect().center());
    QCOMPARE(line->selectedText(), line->text());
}

void FieldRules::enter_runsItsFieldsChainInOrder_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected"); // Sz, V, n, S
    QTest::addColumn<QString>("line");
    // clang-format off
    // Sz from S, then n from V and D, then S from that Sz and n.
    QTest::newRow("Mill, feed rate") << names::MillOption << Field::FeedRate << u"600"_s
        << QStringList{u"0,15707958"_s, u"50"_s, u"1273,24"_s, u"600"_s} << u"S1273 M03 F600 (12.5 FR 3 SK)"_s;
    // V from n, then n again from that V, rounded to two decimals, then S.
    QTest::newRow("Drill, spindle speed") << names::DrillOption << Field::SpindleSpeed << u"1000,456"_s
        << QStringList{u"0,1"_s, u"25,14420176"_s, u"1000,46"_s, u"100,05"_s} << u"S1000 M03 F100.05 (8 BOR)"_s;
    // clang-format on
}

void FieldRules::enter_runsItsFieldsChainInOrder()
{
    RUN_IN_FIRST_ROW_ONLY();
    QFETCH(QString, mode);
    QFETCH(Field, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    QFETCH(QString, line);
    RunningWindow s;
    QVERIFY(s.openSample(Language::Danish, true));
    s.click(mode);

    s.type(field, typed);
    s.key(Qt::Key_Return);
    const QStringList shown{s.field(Field::FeedPerTooth)->text(),
                            s.field(Field::CuttingSpeed)->text(),
                            s.field(Field::SpindleSpeed)->text(), s.field(Field::FeedRate)->text()};
    QCOMPARE(shown, expected);
    QCOMPARE(s.line(), line);
    const ToolValues &stored = mode == names::DrillOption ? s.values.drill : s.values.mill;
    QCOMPARE((QStringList{stored[Field::FeedPerTooth], stored[Field::CuttingSpeed],
                          stored[Field::SpindleSpeed], stored[Field::FeedRate]}),
             expected);
}

void FieldRules::fractionAndEnter_recomputesLineAndFile()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    s.type(Field::Diameter, u"1 1/2"_s);
    QCOMPARE(s.values.mill[Field::Diameter], u"1 1/2"_s);
    s.key(Qt::Key_Return);

    QCOMPARE(s.field(Field::Diameter)->text(), numberText("1,5", m_row.comma));
    QCOMPARE(s.values.mill[Field::Diameter], numberText("1,5", m_row.comma));
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), numberText("10610,33", m_row.comma));
    QCOMPARE(s.field(Field::FeedRate)->text(), numberText("3183,1", m_row.comma));
    QCOMPARE(s.values.mill[Field::FeedRate], numberText("3183,1", m_row.comma));
    QCOMPARE(s.line(), m_row.language == Language::Danish
                           ? u"S10610 M03 F3183.1 (1.5 FR 3 SK)"_s
                           : u"S10610 M03 F3183.1 (1.5 MILL 3 FLUTES)"_s);
    // The line's rebuild wrote the file.
    const QByteArray bytes = s.fileBytes();
    QVERIFY(bytes.startsWith("\"" + numberText("1,5", m_row.comma).toLatin1() + "\"\r\n\"3\"\r\n"));
    QVERIFY(bytes.contains("\"" + numberText("10610,33", m_row.comma).toLatin1() + "\"\r\n"));
    QVERIFY(s.savedSettings() == s.values);
    // The focus stays in the field.
    QVERIFY(s.field(Field::Diameter)->hasFocus());
}

void FieldRules::divisionByZero_leavingDiameter_keepsTextAndWarnsOnce()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    s.type(Field::Diameter, u"1/0"_s);
    s.key(Qt::Key_Tab);

    // The entry stays as typed; the results that belonged to the old diameter are gone.
    QCOMPARE(s.field(Field::Diameter)->text(), u"1/0"_s);
    QCOMPARE(s.values.mill[Field::Diameter], u"1/0"_s);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), QString());
    QCOMPARE(s.line(), QString());
    // One input-error message; its texts, icon and button are tst_hostileinput's to check.
    QCOMPARE(m_watchdog.take().size(), 1);
    // The message took the focus and gave it back: that is no leaving, so no second message.
    QTest::qWait(50);
    QCOMPARE(m_watchdog.take().size(), 0);
    // The field whose value failed has the focus back, described as invalid until edited.
    EntryField *diameter = s.field(Field::Diameter);
    QVERIFY(diameter->hasFocus());
    QAccessibleInterface *seen = QAccessible::queryAccessibleInterface(diameter);
    QCOMPARE(seen->text(QAccessible::Description), s.window->texts().invalidEntry);
    QTest::keyClicks(diameter, u"2"_s);
    QCOMPARE(seen->text(QAccessible::Description), diameter->toolTip());
}

void FieldRules::enterWithEmptyDiameter_emptiesResults()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));
    const QByteArray file = s.fileBytes();

    s.type(Field::Diameter, QString());
    s.key(Qt::Key_Delete);
    QCOMPARE(s.values.mill[Field::Diameter], QString());
    s.type(Field::Flutes, u"4"_s); // leaving the empty diameter warns
    QCOMPARE(m_watchdog.take().size(), 1);
    s.key(Qt::Key_Return);
    QCOMPARE(m_watchdog.take().size(), 1);

    QCOMPARE(s.field(Field::SpindleSpeed)->text(), QString());
    QCOMPARE(s.field(Field::FeedRate)->text(), QString());
    QCOMPARE(s.line(), QString());
    QCOMPARE(s.fileBytes(), file);
    QCOMPARE(s.values.mill[Field::Flutes], u"4"_s);
}

void FieldRules::rightClick_opensOnlyEditMenuAndSelectsAll_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    for (Language language : {Language::Danish, Language::English}) {
        const char *window = language == Language::Danish ? "Danish" : "English";
        for (const QString &name :
             {names::field(Field::Diameter), names::field(Field::FeedRate), names::CncLine})
            QTest::addRow("%s, %s", window, qPrintable(name))
                << language << name << Qt::KeyboardModifiers();
    }
    QTest::newRow("English, CNC line, Shift+Ctrl")
        << Language::English << names::CncLine << (Qt::ShiftModifier | Qt::ControlModifier);
}

void FieldRules::rightClick_opensOnlyEditMenuAndSelectsAll()
{
    RUN_IN_FIRST_ROW_ONLY();
    QFETCH(Language, language);
    QFETCH(QString, name);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    RunningWindow s;
    QVERIFY(s.openSample(language, true));
    QVERIFY(!s.menu(names::EditMenu)->isEnabled()); // the Mill option has the focus

    EntryField *entry = s.field(name);
    QTest::mouseClick(entry, Qt::RightButton, modifiers, QPoint(10, 8));

    QVERIFY(entry->hasFocus());
    QVERIFY(!entry->text().isEmpty());
    QCOMPARE(entry->selectedText(), entry->text());
    QVERIFY(s.menu(names::EditMenu)->isEnabled());
    QWidget *popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    QCOMPARE(popup, s.menu(names::EditMenu));
    QCOMPARE(popup->objectName(), names::EditMenu);
    // Only one menu is open: the field's own is never created.
    int menus = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu *>(top) && top->isVisible())
            ++menus;
    QCOMPARE(menus, 1);
    popup->close();
    // A left click opens none.
    QTest::mouseClick(entry, Qt::LeftButton);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

QTEST_MAIN(FieldRules)
#include "tst_fieldrules.moc"
