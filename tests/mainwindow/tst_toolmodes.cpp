// The three tool kinds and the two pitch units.

#include "fixture.h"

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

class ToolModes : public QObject
{
    Q_OBJECT

private slots:
    // Each test runs for both windows in both locales (m_row); a test of one window ignores it.
    void initTestCase_data() { fixture::addWindowRows(); }
    void init() { m_row = fixture::globalWindowRow(); }
    void cleanup();

    void opening_showsMillValuesAndPicture();
    void drill_showsOneEdgeDisabled();
    void millTapMill_keepsEveryValue();
    void focusBeforeClick_copiesNoValuesAcross();
    void pitchOption_smallPitchCalculatesNothing_data();
    void pitchOption_smallPitchCalculatesNothing();
    void pitchOption_failingChainWarns_switchDoesNot();

private:
    fixture::Watchdog m_watchdog;
    fixture::WindowRow m_row;
};

void ToolModes::cleanup()
{
    m_watchdog.verifyNothingUnexpected();
}

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

void ToolModes::drill_showsOneEdgeDisabled()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));

    s.click(names::DrillOption);
    EntryField *edges = s.field(Field::Flutes);
    QCOMPARE(edges->text(), u"1"_s);
    QVERIFY(!edges->isEnabled());
    QCOMPARE(s.values.drill[Field::Flutes], u"1"_s);
    QCOMPARE(s.field(Field::Diameter)->text(), u"8"_s);
    QCOMPARE(visiblePicture(s), names::DrillPicture);
    QCOMPARE(s.line(), m_row.language == Language::Danish ? u"S796 M03 F79.58 (8 BOR)"_s
                                                          : u"S796 M03 F79.58 (8 DRILL)"_s);
    QCOMPARE(s.values.mill[Field::Flutes], u"3"_s);

    s.click(names::MillOption);
    QVERIFY(edges->isEnabled());
    QCOMPARE(edges->text(), u"3"_s);
    QCOMPARE(visiblePicture(s), names::MillPicture);
}

void ToolModes::millTapMill_keepsEveryValue()
{
    RunningWindow s;
    QVERIFY(s.openSample(m_row.language, m_row.comma));
    const Settings before = s.values;
    // The fields on show; hidden ones keep whatever they last held.
    auto visibleTexts = [&s] {
        QStringList texts;
        for (const EntryField *entry : s.window->findChildren<EntryField *>())
            if (entry->isVisible())
                texts << entry->objectName() + u'=' + entry->text();
        return texts;
    };
    const QStringList shown = visibleTexts();
    QCOMPARE(shown.size(), 7);

    s.click(names::TapOption);
    QCOMPARE(s.field(Field::Diameter)->text(), u"6"_s);
    QCOMPARE(s.field(Field::PitchMm)->text(), numberText("1,25", m_row.comma));
    QVERIFY(!s.field(Field::Flutes)->isVisible() && !s.field(Field::FeedPerTooth)->isVisible());
    QCOMPARE(visiblePicture(s), names::TapPicture);
    QCOMPARE(s.line(), m_row.language == Language::Danish
                           ? u"S1061 M03 F1326.25 (6 TAP 1.25 STIG)"_s
                           : u"S1061 M03 F1326.25 (6 TAPS 1.25 PITCH)"_s);

    s.click(names::MillOption);
    QCOMPARE(visibleTexts(), shown);
    QVERIFY(s.values == before);
}

void ToolModes::focusBeforeClick_copiesNoValuesAcross()
{
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

void ToolModes::pitchOption_smallPitchCalculatesNothing_data()
{
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("pitch");
    QTest::addColumn<bool>("calculates");
    for (bool comma : {true, false}) {
        const char *locale = comma ? "comma" : "point";
        // The rule itself is the session's; here the window shows what it decided.
        QTest::addRow("%s, '0,0005'", locale) << comma << numberText("0,0005", comma) << false;
        QTest::addRow("%s, '0,5'", locale) << comma << numberText("0,5", comma) << true;
    }
}

void ToolModes::pitchOption_smallPitchCalculatesNothing()
{
    QFETCH(bool, comma);
    QFETCH(QString, pitch);
    QFETCH(bool, calculates);
    RunningWindow s;
    fixture::sampleValues(s.values, comma);
    s.values.tap[Field::ThreadsPerInch] = pitch;
    QVERIFY(s.open(Language::Danish, comma));
    s.click(names::TapOption);
    QCOMPARE(s.field(Field::SpindleSpeed)->text(), u"1061"_s);

    s.click(names::ThreadsPerInchOption);
    QCOMPARE(s.values.pitchUnit, calc::PitchUnit::ThreadsPerInch);
    QVERIFY(s.field(Field::ThreadsPerInch)->isVisible() && !s.field(Field::PitchMm)->isVisible());
    QCOMPARE(s.field(Field::SpindleSpeed)->text() != u"1061"_s, calculates);
    if (calculates) {
        QCOMPARE(s.field(Field::SpindleSpeed)->text(), numberText("1061,03", comma));
        QVERIFY(s.line().startsWith(u"S1061 M03 F"_s));
        QVERIFY(s.line().endsWith(u" TAP "_s + pitch.replace(u',', u'.') + u" STIG)"_s));
        QVERIFY(s.saved().threadsPerInchSelected);
    }
}

void ToolModes::pitchOption_failingChainWarns_switchDoesNot()
{
    RunningWindow s;
    s.values.tap[Field::Diameter].clear();
    QVERIFY(s.open(Language::English, true));

    s.click(names::TapOption); // the line cannot be built; a switch says nothing
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
