// SPDX-License-Identifier: MIT
// Hostile typing and pasting in the main window: over-long pastes, texts that are no number,
// zeros, overflows and underflows, repeated Enter and focus changes, in both windows, both
// locales, every tool mode and both unit systems. After every step the window shows what a
// window-free engine over the same values answers: one message of its own when the chain
// stopped, the engine's field texts and line otherwise. It never shows inf or nan, never
// builds a CNC line with a comma, and leaves a settings file that a fresh start reads whole.

#include "mainwindow/fixture.h"
#include "platform/clipboard.h"
#include "settings/startup.h"

#include <QElapsedTimer>
#include <QRegularExpression>

#include <functional>

using calc::AllFields;
using calc::ToolMode;
using calc::ToolValues;
using texts::catalogue;

using fixture::RunningWindow;

// Fails the test with the context and what did not hold, if anything did not.
#define VERIFY_HOLDS(context, failures)                                                            \
    do {                                                                                           \
        const QString failed = (failures);                                                         \
        QVERIFY2(failed.isEmpty(), qPrintable(QString(context) + failed));                         \
    } while (false)

namespace {

using Mode = testvalues::ToolKind;

const char *modeName(Mode mode)
{
    static const char *const names[] = {"Mill", "Drill", "Tap mm", "Tap tpi"};
    return names[int(mode)];
}

bool isTap(Mode mode)
{
    return toolMode(mode) == ToolMode::Tap;
}

QString optionName(Mode mode)
{
    return mode == Mode::Mill    ? names::MillOption
           : mode == Mode::Drill ? names::DrillOption
                                 : names::TapOption;
}

// The fields a user can type into in each mode, in tab order.
QList<Field> editable(Mode mode)
{
    using enum Field;
    switch (mode) {
    case Mode::Mill:
        return {Diameter, Flutes, FeedPerTooth, CuttingSpeed, SpindleSpeed, FeedRate};
    case Mode::Drill:
        return {Diameter, FeedPerTooth, CuttingSpeed, SpindleSpeed, FeedRate};
    case Mode::TapMm:
        return {Diameter, PitchMm, CuttingSpeed, SpindleSpeed, FeedRate};
    case Mode::TapTpi:
        return {Diameter, ThreadsPerInch, CuttingSpeed, SpindleSpeed, FeedRate};
    }
    return {};
}

struct Setup
{
    Language language = Language::Danish;
    bool comma = true;
    Mode mode = Mode::Mill;
    bool metric = true;
    int decimals = 2;
};

// Sane values every hostile step starts from: n in the hundreds or more in both unit
// systems, so that 1E308 overflows wherever it is multiplied by n.
ToolValues baseline(bool comma, Mode mode)
{
    const auto number = [comma](QString text) { return comma ? text : text.replace(u',', u'.'); };
    return {u"10"_s,           mode == Mode::Drill ? u"1"_s : u"4"_s,
            number(u"0,05"_s), u"1000"_s,
            number(u"1,5"_s),  u"20"_s,
            u"31831"_s,        number(u"6366,2"_s)};
}

void prepare(RunningWindow &s, const Setup &c)
{
    fixture::sampleValues(s.values, c.comma);
    s.values.mill = baseline(c.comma, Mode::Mill);
    s.values.drill = baseline(c.comma, Mode::Drill);
    s.values.tap = baseline(c.comma, Mode::TapMm);
    s.values.decimalCount = c.decimals;
    s.values.language = c.language;
    s.values.units = c.metric ? calc::Units::Metric : calc::Units::Inch;
    s.values.pitchUnit =
        c.mode == Mode::TapTpi ? calc::PitchUnit::ThreadsPerInch : calc::PitchUnit::Millimetres;
}

// Within the window and locale of the global row: each mode, both unit systems.
void addSetupRows()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("metric");
    for (Mode mode : {Mode::Mill, Mode::Drill, Mode::TapMm, Mode::TapTpi})
        for (bool metric : {true, false})
            QTest::addRow("%s, %s", modeName(mode), metric ? "metric" : "inch") << mode << metric;
}

Setup fetchSetup(const fixture::WindowRow &row)
{
    QFETCH(Mode, mode);
    QFETCH(bool, metric);
    // The number of decimals varies with the row, so every count meets every mode.
    const int decimals = (int(mode) + (metric ? 0 : 2) + (row.comma ? 1 : 0)) % 4;
    return {row.language, row.comma, mode, metric, decimals};
}

// A window-free engine over a copy of the values the window holds now, in the window's mode,
// locale and language: what it answers is what the window must show.
struct Mirror
{
    Mirror(const Settings &now, const Setup &c)
        : values(now), engine(values, fixture::numberLocale(c.comma), nullptr)
    {
        engine.load(catalogue(c.language).cncWords);
        opened = engine.selectMode(toolMode(c.mode));
    }

    Settings values;
    session::Session engine;
    session::Outcome opened; // the mode switch: the line it builds
};

session::Outcome engineEnter(const RunningWindow &s, const Setup &c, Field field)
{
    return Mirror(s.values, c).engine.enter(field);
}

// The window shows the engine's answer: every field text, and the line and the saved values
// of a chain that ran through. A chain that stopped empties the line and leaves the file.
QString checkShows(const RunningWindow &s, const session::Outcome &expected,
                   const QByteArray &fileBefore)
{
    for (Field field : AllFields) {
        const QString shown = s.field(field)->text();
        if (shown != expected.field(field))
            return names::field(field) + u" shows "_s + shown + u", the engine "_s +
                   expected.field(field);
    }
    if (expected.inputError) {
        if (!s.line().isEmpty())
            return u"line not emptied: "_s + s.line();
        if (s.fileBytes() != fileBefore)
            return u"file written"_s;
        return {};
    }
    if (s.line() != expected.cncLine)
        return u"line "_s + s.line() + u", the engine "_s + expected.cncLine;
    if (s.savedSettings() != s.values)
        return u"file differs from the values"_s;
    return {};
}

QString points(QString text)
{
    return text.replace(u',', u'.');
}

bool showsInfOrNan(const QString &text)
{
    return text.contains(u"inf"_s, Qt::CaseInsensitive) ||
           text.contains(u"nan"_s, Qt::CaseInsensitive);
}

// A text a formula wrote: digits, the locale's separator, an exponent.
bool looksComputed(const QString &text, bool comma)
{
    static const QRegularExpression commaForm(u"^-?\\d+(,\\d+)?(E[+-]\\d+)?$"_s);
    static const QRegularExpression pointForm(u"^-?\\d+(\\.\\d+)?(E[+-]\\d+)?$"_s);
    return (comma ? commaForm : pointForm).match(text).hasMatch();
}

// What must hold after any step, whatever happened: no inf or nan anywhere (but in the text
// the user just typed), no typed text beyond twelve characters, a CNC line without a comma
// (unless the user pasted the line's text), and a settings file that reads whole and starts
// the program again in the same window.
QString checkInvariants(const RunningWindow &s, const Setup &c, const QString &typedField = {},
                        const QString &typedText = {}, bool linePasted = false)
{
    for (const EntryField *entry : s.window->findChildren<EntryField *>()) {
        const QString text = entry->text();
        const bool typed = entry->objectName() == typedField && text == typedText;
        if (entry->kind() == EntryField::Kind::Result) {
            // Z, S and the pitch go into the line as typed (with points): a mode switch puts
            // the user's own odd text there, and only that may show.
            QString composed = text;
            if (!typedText.isEmpty())
                composed.remove(points(typedText));
            if (!linePasted && (showsInfOrNan(composed) || composed.contains(u',')))
                return u"CNC line: "_s + text;
            continue;
        }
        if (showsInfOrNan(text) && !typed)
            return entry->objectName() + u" shows "_s + text;
        if (text.size() > EntryField::MaxTypedLength && !looksComputed(text, c.comma))
            return entry->objectName() + u" holds a long typed text: "_s + text;
    }

    const QByteArray bytes = s.fileBytes();
    settings::FileRecords read;
    const int records = settings::parseSettings(bytes, read);
    if (records != 33)
        return QStringLiteral("settings file reads %1 records").arg(records);
    const settings::Start fresh = settings::startUp(s.dir.path(), QString());
    if (fresh.window != c.language || fresh.settings != settings::settingsFrom(read))
        return u"a fresh start does not read the file back"_s;
    return {};
}

// One window of a row's setup, with the checks every hostile step ends in.
class HostileWindow : public RunningWindow
{
public:
    HostileWindow(ModalWatchdog &boxes, const Setup &setup) : m_watchdog(boxes), c(setup) {}

    // A key that runs the chain of `field`, which stops or not as `warns` says; the window
    // must show the engine's answer.
    QString keyRunsChain(Qt::Key pressed, Field field, bool warns)
    {
        const session::Outcome expected = engineEnter(*this, c, field);
        if (expected.inputError != warns)
            return warns ? u"the engine runs the chain"_s : u"the engine stops the chain"_s;
        const QByteArray fileBefore = fileBytes();
        key(pressed);
        return boxes(warns ? 1 : 0) + checkShows(*this, expected, fileBefore);
    }

    // Checks that exactly `count` input-error messages of the window's language were shown
    // since the last check, and nothing else.
    QString boxes(int count) const { return boxesWithin(count, count); }
    QString boxesWithin(int least, int most) const
    {
        const QList<fixture::SeenBox> seen = m_watchdog.take();
        const bool danish = c.language == Language::Danish;
        const QString text = danish ? u"Manglende indtastning eller fejlindtastning i felt."_s
                                    : u"Empty fields or error in fields."_s;
        const QString title = danish ? u"Meddelelse"_s : u"Error"_s;
        if (seen.size() < least || seen.size() > most)
            return QStringLiteral("%1 message boxes, expected %2")
                .arg(seen.size())
                .arg(least == most ? QString::number(least)
                                   : QStringLiteral("%1 to %2").arg(least).arg(most));
        for (const fixture::SeenBox &box : seen)
            if (box.text != text || box.title != title || box.icon != QMessageBox::Warning ||
                box.buttons != QMessageBox::StandardButtons(QMessageBox::Ok))
                return u"wrong box: "_s + box.title + u" / "_s + box.text;
        return {};
    }

    // Puts the sane values back into the selected kind: with the focus on the mode option,
    // where no chain runs, the kind's values are set and the option clicked, which reloads
    // the fields and rebuilds the line.
    QString reset(const QString &typedField = {}, const QString &typedText = {})
    {
        const QString name = optionName(c.mode);
        if (!option(name)->hasFocus()) {
            click(name); // leaving a field may warn: its chain meets the last input
            if (const QString e = boxesWithin(0, 1); !e.isEmpty())
                return u"leaving for the mode option: "_s + e;
            if (const QString e = checkInvariants(*this, c, typedField, typedText); !e.isEmpty())
                return u"leaving for the mode option: "_s + e;
        }
        values.tool(toolMode(c.mode)) = baseline(c.comma, c.mode);
        click(name);
        if (const QString e = boxes(0); !e.isEmpty())
            return u"reset: "_s + e;
        return {};
    }

    // Opens the window on the sane values, changed by `adjust`, and selects the row's mode.
    bool openSetup(const std::function<void(Settings &)> &adjust = {})
    {
        prepare(*this, c);
        if (adjust)
            adjust(values);
        if (!open(c.language, c.comma))
            return false;
        waitActive();
        if (c.mode != Mode::Mill)
            click(optionName(c.mode));
        return m_watchdog.take().isEmpty();
    }

    ModalWatchdog &m_watchdog;
    Setup c;
};

struct TypedCase
{
    const char *typed;
    bool noNumber;         // no formula reads a number from it: every chain that reads it stops
    bool numberAsDiameter; // but the diameter's fraction step makes one of it
};

// Typed with the keys; "," and "." give the locale's separator.
const TypedCase TypedCases[] = {
    {"abc", true, false},
    {"/", true, false},
    {"1/0", true, false},
    {"/0", true, false},
    {"0/0", true, false},
    {"1 1/0", true, false},
    {"1/inf", true, false},
    {"1 1/2", true, true},
    {"1E308", false, false},
    {"-0", false, false},
    {"1E-400", false, false},
    {"0", false, false},
    {"-5", false, false},
    {"   ", true, false},
    {",", true, false},
    {".", true, false},
    {"1,2,3", true, false},
    {"1E", true, false},
    {"E5", true, false},
    {"1e5", false, false},
    {"+5", false, false},
    {"inf", true, false},
    {"NaN", true, false},
    {"∞", true, false},
    {"½", true, false},
    {"١٢", true, false}, // Arabic-Indic digits
    {"1234567890123", false, false},
};

// What the field shows after typing: each decimal key gives the locale's separator, and
// no more than twelve characters are taken.
QString asTyped(const QString &text, bool comma)
{
    QString shown = text.left(EntryField::MaxTypedLength);
    for (QChar &ch : shown)
        if (ch == u',' || ch == u'.')
            ch = comma ? u',' : u'.';
    return shown;
}

enum class Leave { Tab, ClickField, ClickLine };

// How a user picks the selected mode option again: a click while it has the focus, a click
// from a field, or Space.
enum class Reselect { FocusedOption, FromField, Space };

const char *leaveName(Leave leave)
{
    return leave == Leave::Tab          ? "Tab"
           : leave == Leave::ClickField ? "click on a field"
                                        : "click on the line";
}

const QString Long300Digits = QString(300, u'7');

// Three hundred characters a user might copy from somewhere: numbers with both separators,
// quotes, tabs and line breaks, words that a careless reader takes for numbers.
QString long300Mixed()
{
    const QString piece = u"1,5 \"inf\" NaN 12.5\t-0 1E308\r\n"_s;
    QString text;
    while (text.size() < 300)
        text += piece;
    return text.left(300);
}

} // namespace

// Every test runs for both windows in both locales (m_row).
class HostileInput : public fixture::WindowTest
{
    Q_OBJECT

public:
    HostileInput() : WindowTest(fixture::Rows::BothWindowsBothLocales) {}

private slots:
    void initTestCase();
    void cleanupTestCase();

    void hostileEntry_warnsOnceOrShowsTheEnginesValues_data() { addSetupRows(); }
    void hostileEntry_warnsOnceOrShowsTheEnginesValues();
    void longPaste_refusedInEntryFields_takenWholeByLine_data() { addSetupRows(); }
    void longPaste_refusedInEntryFields_takenWholeByLine();
    void repeatedEnterAndFocusChanges_warnOncePerEvent_data();
    void repeatedEnterAndFocusChanges_warnOncePerEvent();
    void hugeSpeedWithSmallDiameter_overflowWarns_data();
    void hugeSpeedWithSmallDiameter_overflowWarns();
    void selectedModeOption_clickedAgain_staysSelected_data();
    void selectedModeOption_clickedAgain_staysSelected();
};

namespace {

QtMessageHandler passOn = nullptr;

// The offscreen platform says this for every message box it shows; it says nothing about
// the window under test and would bury what does.
void dropSizeHintNotice(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text == u"This plugin does not support propagateSizeHints()"_s)
        return;
    if (passOn)
        passOn(type, context, text);
}

} // namespace

void HostileInput::initTestCase()
{
    passOn = qInstallMessageHandler(dropSizeHintNotice);
}

void HostileInput::cleanupTestCase()
{
    qInstallMessageHandler(passOn);
}

void HostileInput::hostileEntry_warnsOnceOrShowsTheEnginesValues()
{
    const Setup c = fetchSetup(m_row);
    HostileWindow s(m_watchdog, c);
    QVERIFY(s.openSetup());
    const QList<Field> fields = editable(c.mode);
    // The window and locale pick which fields each input goes to, so that over the four
    // rows of one mode every input meets every field.
    const int offset = 2 * ((c.language == Language::Danish ? 0 : 2) + (c.comma ? 0 : 1));
    QElapsedTimer clock;
    clock.start();

    int step = 0;
    QString lastField;
    QString lastTyped;
    for (const TypedCase &input : TypedCases) {
        const QString typed = QString::fromUtf8(input.typed);
        for (int pick = 0; pick < 2; ++pick, ++step) {
            QVERIFY2(clock.elapsed() < 60'000, "steps take too long");
            const Field field = fields[(step / 2 + offset + pick) % fields.size()];
            const Leave leave = Leave(step % 3);
            const QString name = names::field(field);
            const QString where = QStringLiteral("'%1' in %2, leaving by %3: ")
                                      .arg(typed, name, QLatin1String(leaveName(leave)));

            VERIFY_HOLDS(where, s.reset(lastField, lastTyped));

            s.type(field, typed);
            const QString shownTyped = asTyped(typed, c.comma);
            lastField = name;
            lastTyped = shownTyped;
            EntryField *entry = s.field(name);
            QVERIFY2(entry->text() == shownTyped, qPrintable(where + u"shows "_s + entry->text()));
            QVERIFY2(s.values.tool(toolMode(c.mode))[field] == shownTyped,
                     qPrintable(where + u"typed text not stored"_s));
            VERIFY_HOLDS(where + u"typing: "_s, s.boxes(0));
            const bool noNumber =
                input.noNumber && !(field == Field::Diameter && input.numberAsDiameter);

            // Enter, then leaving: the same chain twice, with the same outcome.
            for (int event = 0; event < 2; ++event) {
                const QString context = where + QLatin1String(event == 0 ? "Enter: " : "leaving: ");
                const session::Outcome expected = engineEnter(s, c, field);
                const QByteArray fileBefore = s.fileBytes();
                if (event == 0)
                    s.key(Qt::Key_Return);
                else if (leave == Leave::Tab)
                    s.key(Qt::Key_Tab);
                else if (leave == Leave::ClickLine)
                    s.clickField(s.field(names::CncLine));
                else
                    s.clickField(fields[(fields.indexOf(field) + 1) % fields.size()]);
                QVERIFY2(expected.inputError || !noNumber,
                         qPrintable(context + u"no input error"_s));
                VERIFY_HOLDS(context, s.boxes(expected.inputError ? 1 : 0) +
                                          checkShows(s, expected, fileBefore) +
                                          checkInvariants(s, c, name, shownTyped));
                QVERIFY2(event == 1 || entry->hasFocus(), qPrintable(context + u"focus moved"_s));
            }
        }
    }
}

void HostileInput::longPaste_refusedInEntryFields_takenWholeByLine()
{
    const Setup c = fetchSetup(m_row);
    HostileWindow s(m_watchdog, c);
    QVERIFY(s.openSetup());
    QVERIFY(s.reset().isEmpty());
    QAction *paste = s.action(names::PasteItem);
    QAction *copy = s.action(names::CopyItem);

    for (const QString &text : {Long300Digits, long300Mixed()}) {
        QCOMPARE(text.size(), 300);
        platform::setClipboardText(text);
        for (Field field : editable(c.mode)) {
            const QString name = names::field(field);
            EntryField *entry = s.field(name);
            s.clickField(entry);
            const QString before = entry->text();
            QVERIFY2(entry->selectedText() == before, qPrintable(name));

            // The menu item, the key over the whole text, the key at the end of the text.
            paste->trigger();
            QVERIFY2(entry->text() == before, qPrintable(name + u" took the menu paste"_s));
            s.key(Qt::Key_V, Qt::ControlModifier);
            QVERIFY2(entry->text() == before, qPrintable(name + u" took Ctrl+V"_s));
            s.key(Qt::Key_End);
            s.key(Qt::Key_V, Qt::ControlModifier);
            QVERIFY2(entry->text() == before, qPrintable(name + u" took Ctrl+V at the end"_s));
            QCOMPARE(s.values.tool(toolMode(c.mode))[field], before);
            QCOMPARE(platform::clipboardText(), text);
            // Leaving each field runs its chain on the sane values.
            VERIFY_HOLDS(name + u": "_s, s.boxes(0) + checkInvariants(s, c));
        }
    }

    // The line takes the whole text (less tabs and line breaks) by the menu item or the key.
    EntryField *line = s.field(names::CncLine);
    s.clickField(line);
    const ToolValues kind = s.values.tool(toolMode(c.mode));
    QString pasted = long300Mixed();
    pasted.remove(u'\t').remove(u'\r').remove(u'\n');
    const bool byMenu = c.metric;
    if (byMenu)
        paste->trigger();
    else
        s.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(line->text(), pasted);
    s.key(Qt::Key_Return);
    s.key(Qt::Key_Return);
    QCOMPARE(line->text(), pasted);
    QVERIFY(s.values.tool(toolMode(c.mode)) == kind); // the line is no entry: nothing stored
    VERIFY_HOLDS(u""_s, s.boxes(0) + checkInvariants(s, c, {}, {}, true));

    // Copy takes the whole pasted line.
    platform::setClipboardText(u"old"_s);
    s.key(Qt::Key_A, Qt::ControlModifier);
    if (byMenu)
        copy->trigger();
    else
        s.key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform::clipboardText(), pasted);

    // Leaving the line runs nothing; the next calculation builds the engine's line again.
    if (c.comma) {
        s.clickField(Field::Diameter);
        QCOMPARE(line->text(), pasted);
        VERIFY_HOLDS(u""_s, s.keyRunsChain(Qt::Key_Return, Field::Diameter, false));
    } else {
        // Tab from the line passes the maker's links and wraps round to the mode option,
        // whose switch rebuilds the line.
        for (int link = 0; link <= 4; ++link)
            s.key(Qt::Key_Tab);
        QVERIFY(s.option(optionName(c.mode))->hasFocus());
        VERIFY_HOLDS(u""_s, s.boxes(0));
        QCOMPARE(line->text(), Mirror(s.values, c).opened.cncLine);
    }
    QVERIFY(line->text() != pasted);
    VERIFY_HOLDS(u""_s, checkInvariants(s, c));
    QVERIFY(s.savedSettings() == s.values);
}

void HostileInput::repeatedEnterAndFocusChanges_warnOncePerEvent_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("emptyDiameter");
    for (bool metric : {true, false})
        for (bool empty : {false, true})
            QTest::addRow("%s, %s", metric ? "metric" : "inch",
                          empty ? "empty diameter" : "sane values")
                << metric << empty;
}

void HostileInput::repeatedEnterAndFocusChanges_warnOncePerEvent()
{
    QFETCH(bool, metric);
    QFETCH(bool, emptyDiameter);
    Setup c{m_row.language, m_row.comma, Mode::Mill, metric, metric ? 3 : 1};
    HostileWindow s(m_watchdog, c);
    QVERIFY(s.openSetup());
    // With an empty diameter every chain stops, so every Enter and every leaving of a field
    // warns exactly once; with sane values none does.
    const int perChain = emptyDiameter ? 1 : 0;
    bool focusInField = false;
    int events = 0;

    for (Mode mode : {Mode::Mill, Mode::Drill, Mode::TapMm, Mode::TapTpi, Mode::Mill}) {
        c.mode = s.c.mode = mode;
        const QString where = QLatin1String(modeName(mode)) + u": "_s;
        if (isTap(mode) && s.option(names::TapOption)->isChecked()) {
            // From Tap mm to Tap tpi by the pitch option: leaving the field warns, and so
            // does the recalculation of the new unit.
            s.click(names::ThreadsPerInchOption);
            VERIFY_HOLDS(where + u"pitch option: "_s,
                         s.boxes((focusInField ? perChain : 0) + perChain));
        } else {
            s.click(optionName(mode));
            VERIFY_HOLDS(where + u"mode option: "_s, s.boxes(focusInField ? perChain : 0));
            QVERIFY(s.option(optionName(mode))->isChecked());
            QVERIFY2(!s.menu(names::EditMenu)->isEnabled(), qPrintable(where + u"Edit menu on"_s));
        }
        focusInField = false;

        s.clickField(Field::Diameter);
        if (emptyDiameter) {
            s.key(Qt::Key_Delete);
            QCOMPARE(s.values.tool(toolMode(mode))[Field::Diameter], QString());
        }
        focusInField = true;
        VERIFY_HOLDS(where, s.boxes(0));

        const QList<Field> fields = editable(mode);
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const QString name = names::field(fields[i]);
            QVERIFY2(s.field(name)->hasFocus(), qPrintable(where + name + u" has no focus"_s));
            for (int enter = 0; enter < 3; ++enter, ++events) {
                const QString context = where + name + QStringLiteral(", Enter %1: ").arg(enter);
                const Qt::Key key = enter == 1 ? Qt::Key_Enter : Qt::Key_Return;
                VERIFY_HOLDS(context,
                             s.keyRunsChain(key, fields[i], emptyDiameter) + checkInvariants(s, c));
                QVERIFY2(s.field(name)->hasFocus(), qPrintable(context + u"focus moved"_s));
            }
            // Tab on to the next field; from the last, on past the fields.
            s.key(Qt::Key_Tab);
            VERIFY_HOLDS(where + name + u", Tab: "_s, s.boxes(perChain) + checkInvariants(s, c));
        }
        // The focus went past the fields: to the pitch option in Tap, to the line otherwise.
        focusInField = false;
        QWidget *past = QApplication::focusWidget();
        QVERIFY(past);
        QCOMPARE(past->objectName(),
                 isTap(mode)
                     ? (mode == Mode::TapMm ? names::PitchMmOption : names::ThreadsPerInchOption)
                     : names::CncLine);

        // Back into the speed field with a click, Enter, then on to the next mode.
        s.clickField(Field::CuttingSpeed);
        s.key(Qt::Key_Return);
        VERIFY_HOLDS(where + u"V by click: "_s, s.boxes(perChain));
        focusInField = true;
        if (isTap(mode)) {
            // The pitch option already set: leaving the field and recalculating each warn.
            s.click(mode == Mode::TapMm ? names::PitchMmOption : names::ThreadsPerInchOption);
            VERIFY_HOLDS(where + u"same pitch option: "_s, s.boxes(2 * perChain));
            focusInField = false;
        }
        QVERIFY(events < 500);
    }
    // The tap values kept their unit: the last pitch chosen was threads per inch.
    QCOMPARE(s.values.pitchUnit, calc::PitchUnit::ThreadsPerInch);
    s.click(names::MillOption);
    VERIFY_HOLDS(u""_s, s.boxes(perChain) + checkInvariants(s, c));
}

void HostileInput::hugeSpeedWithSmallDiameter_overflowWarns_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("diameter");
    for (bool metric : {true, false}) {
        const char *units = metric ? "metric" : "inch";
        // V itself overflows when scaled; a smaller V overflows only in the division by the
        // small diameter; with a plain diameter n is huge but a number, and so is S, which
        // the line cannot carry without an exponent.
        QTest::addRow("%s, V 1E308, D 0,001", units) << metric << u"1E308"_s << u"0,001"_s;
        QTest::addRow("%s, V 1E305, D 0,001", units) << metric << u"1E305"_s << u"0,001"_s;
        QTest::addRow("%s, V 1E305, D 10", units) << metric << u"1E305"_s << u"10"_s;
    }
}

void HostileInput::hugeSpeedWithSmallDiameter_overflowWarns()
{
    QFETCH(bool, metric);
    QFETCH(QString, speed);
    QFETCH(QString, diameter);
    const Setup c{m_row.language, m_row.comma, Mode::Mill, metric, 2};
    HostileWindow s(m_watchdog, c);
    QVERIFY(s.openSetup());

    s.type(Field::Diameter, diameter);
    s.key(Qt::Key_Return);
    VERIFY_HOLDS(u""_s, s.boxes(0));
    const QString oldSpeed = s.field(Field::SpindleSpeed)->text();

    s.type(Field::CuttingSpeed, speed);
    VERIFY_HOLDS(u""_s, s.keyRunsChain(Qt::Key_Return, Field::CuttingSpeed, true) +
                            checkInvariants(s, c, names::field(Field::CuttingSpeed), speed));
    QCOMPARE(s.field(Field::CuttingSpeed)->text(), speed);
    // Whichever step stopped, no n of the old V stays beside the new one.
    QVERIFY(s.field(Field::SpindleSpeed)->text() != oldSpeed);
    // Leaving the field runs the same chain once more.
    s.key(Qt::Key_Tab);
    VERIFY_HOLDS(u""_s, s.boxes(1) + checkInvariants(s, c));
}

void HostileInput::selectedModeOption_clickedAgain_staysSelected_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<calc::PitchUnit>("pitch");
    QTest::addColumn<Reselect>("how");

    const char *hows[] = {"click on the focused option", "click from a field", "Space"};
    for (Mode mode : {Mode::Mill, Mode::Drill, Mode::TapMm})
        for (calc::PitchUnit pitch :
             {calc::PitchUnit::Millimetres, calc::PitchUnit::ThreadsPerInch})
            for (Reselect how : {Reselect::FocusedOption, Reselect::FromField, Reselect::Space})
                QTest::addRow("%s, %s, %s", isTap(mode) ? "Tap" : modeName(mode),
                              pitch == calc::PitchUnit::Millimetres ? "pitch in mm"
                                                                    : "threads per inch",
                              hows[int(how)])
                    << mode << pitch << how;
}

void HostileInput::selectedModeOption_clickedAgain_staysSelected()
{
    QFETCH(Mode, mode);
    QFETCH(calc::PitchUnit, pitch);
    QFETCH(Reselect, how);
    const Mode shown =
        mode == Mode::TapMm && pitch == calc::PitchUnit::ThreadsPerInch ? Mode::TapTpi : mode;
    const Setup c{m_row.language, m_row.comma, shown, true, 2};
    HostileWindow s(m_watchdog, c);
    QVERIFY(s.openSetup([pitch](Settings &v) {
        v.pitchUnit = pitch;
        v.tap[Field::Diameter] = u"6"_s;
        v.drill[Field::Diameter] = u"8"_s;
    }));
    const QString name = optionName(c.mode);
    QVERIFY(s.option(name)->isChecked());
    const Settings before = s.values;
    const QString line = s.line();

    // Again, as a user does who is not sure the first click took.
    if (how == Reselect::FromField)
        s.clickField(Field::CuttingSpeed);
    if (how == Reselect::Space) {
        QVERIFY(s.option(name)->hasFocus());
        s.key(Qt::Key_Space);
    } else {
        s.click(name);
    }
    for (Mode other : {Mode::Mill, Mode::Drill, Mode::TapMm})
        QCOMPARE(s.option(optionName(other))->isChecked(), optionName(other) == name);
    QCOMPARE(s.field(Field::Diameter)->text(), s.values.tool(toolMode(c.mode))[Field::Diameter]);
    if (how != Reselect::FromField) // leaving the speed field recalculates; the switch itself only
                                    // rebuilds
        QCOMPARE(s.line(), line);

    // What is typed next lands in this kind, and nowhere else.
    s.type(Field::CuttingSpeed, u"77"_s);
    VERIFY_HOLDS(u""_s, s.keyRunsChain(Qt::Key_Return, Field::CuttingSpeed, false) +
                            checkInvariants(s, c));
    QCOMPARE(s.values.tool(toolMode(c.mode))[Field::CuttingSpeed], u"77"_s);
    for (ToolMode other : {ToolMode::Mill, ToolMode::Drill, ToolMode::Tap})
        if (other != toolMode(c.mode))
            QCOMPARE(s.values.tool(other), before.tool(other));
}

QTEST_MAIN(HostileInput)
#include "tst_hostileinput.moc"
