// Hostile typing and pasting in the main window: over-long pastes, texts that are no number,
// zeros, overflows and underflows, repeated Enter and focus changes, in both windows, both
// locales, every tool mode and both unit systems. After every step the window has either
// warned once with its own message, or shows values that agree with each other; it never
// shows inf or nan, never builds a CNC line with a comma, and leaves a settings file that a
// fresh start reads whole.

#include "mainwindow/fixture.h"
#include "platform/clipboard.h"
#include "state/startup.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QRegularExpression>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

using fixture::Num;
using fixture::Session;

namespace {

// A tool mode together with the pitch unit in use.
enum class Mode { Mill, Drill, TapMm, TapTpi };
enum class Quantity { D, Z, Sz, V, PitchMm, PitchTpi, n, S };

const char *ModeName(Mode mode)
{
    switch (mode) {
    case Mode::Mill:
        return "Mill";
    case Mode::Drill:
        return "Drill";
    case Mode::TapMm:
        return "Tap mm";
    case Mode::TapTpi:
        return "Tap tpi";
    }
    return "";
}

QString FieldName(Quantity q)
{
    static const char *const names[] = {
        "DiameterSkærText", "AntalSkærText",     "TilspændingTandText", "SkærehastighedText",
        "StigningText",     "StigningTextTomme", "OmdrejningerText",    "TilspændingOmdrText"};
    return QString::fromUtf8(names[int(q)]);
}

QString OptionName(Mode mode)
{
    return mode == Mode::Mill    ? u"FræsereValg"_s
           : mode == Mode::Drill ? u"BorValg"_s
                                 : u"GevindtappeValg"_s;
}

bool IsTap(Mode mode)
{
    return mode == Mode::TapMm || mode == Mode::TapTpi;
}

ToolValues &KindValues(WorkingValues &v, Mode mode)
{
    return mode == Mode::Mill ? v.mill : mode == Mode::Drill ? v.drill : v.tap;
}

const QString &StoredText(WorkingValues &v, Mode mode, Quantity q)
{
    const ToolValues &kind = KindValues(v, mode);
    const QString *texts[] = {&kind.diameter,     &kind.flutes,  &kind.feedPerTooth,
                              &kind.cuttingSpeed, &kind.pitchMm, &kind.threadsPerInch,
                              &kind.spindleSpeed, &kind.feedRate};
    return *texts[int(q)];
}

// The fields a user can type into in each mode, in tab order.
QList<Quantity> Editable(Mode mode)
{
    using enum Quantity;
    switch (mode) {
    case Mode::Mill:
        return {D, Z, Sz, V, n, S};
    case Mode::Drill:
        return {D, Sz, V, n, S};
    case Mode::TapMm:
        return {D, PitchMm, V, n, S};
    case Mode::TapTpi:
        return {D, PitchTpi, V, n, S};
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
ToolValues Baseline(bool comma, Mode mode)
{
    return {u"10"_s,
            mode == Mode::Drill ? u"1"_s : u"4"_s,
            Num("0,05", comma),
            u"1000"_s,
            Num("1,5", comma),
            u"20"_s,
            u"31831"_s,
            Num("6366,2", comma)};
}

void Prepare(Session &s, const Setup &c)
{
    fixture::SampleValues(s.values, c.comma);
    s.values.mill = Baseline(c.comma, Mode::Mill);
    s.values.drill = Baseline(c.comma, Mode::Drill);
    s.values.tap = Baseline(c.comma, Mode::TapMm);
    s.values.decimalCount = std::uint8_t(c.decimals);
    s.values.languageState = c.language == Language::Danish ? 1 : 2;
    s.values.metricUnits = c.metric;
    s.values.inchUnits = !c.metric;
    s.values.pitchMmSelected = c.mode != Mode::TapTpi;
    s.values.threadsPerInchSelected = c.mode == Mode::TapTpi;
}

// The rows of every test: both windows, both locales, each mode, both unit systems.
void AddSetupRows()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("metric");
    for (Language language : {Language::Danish, Language::English})
        for (bool comma : {true, false})
            for (Mode mode : {Mode::Mill, Mode::Drill, Mode::TapMm, Mode::TapTpi})
                for (bool metric : {true, false}) {
                    QTest::addRow(
                        "%s, %s, %s, %s", language == Language::Danish ? "Danish" : "English",
                        comma ? "comma" : "point", ModeName(mode), metric ? "metric" : "inch")
                        << int(language) << comma << int(mode) << metric;
                }
}

Setup FetchSetup()
{
    QFETCH(int, language);
    QFETCH(bool, comma);
    QFETCH(int, mode);
    QFETCH(bool, metric);
    // The number of decimals varies with the row, so every count meets every mode.
    const int decimals = (mode + (metric ? 0 : 2) + (comma ? 1 : 0)) % 4;
    return {Language(language), comma, Mode(mode), metric, decimals};
}

// A number as the window shows it, read independently of the program's own reader. A value
// too small for a double is 0; one too large, or a text that is no number, is nothing.
std::optional<double> Value(const QString &text, bool comma)
{
    const QChar decimal = comma ? u',' : u'.';
    std::string ascii;
    bool negativeExponent = false;
    for (QChar c : text.trimmed()) {
        if (c == decimal) {
            ascii += '.';
        } else if (c.unicode() < 0x80 &&
                   (c.isDigit() || c == u'-' || c == u'+' || c == u'e' || c == u'E')) {
            if (c == u'-' && !ascii.empty() && (ascii.back() == 'e' || ascii.back() == 'E'))
                negativeExponent = true;
            ascii += char(c.unicode());
        } else {
            return std::nullopt;
        }
    }
    if (!ascii.empty() && ascii.front() == '+')
        ascii.erase(0, 1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || end != ascii.data() + ascii.size())
        return std::nullopt;
    if (ec == std::errc::result_out_of_range)
        return negativeExponent ? std::optional<double>(0.0) : std::nullopt;
    if (ec != std::errc())
        return std::nullopt;
    return value;
}

// Whether a shown result lies within the rounding of the formula's exact value.
bool Near(double shown, double exact, int decimals)
{
    const double halfStep = 0.5 * std::pow(10.0, -decimals);
    return std::isfinite(exact) &&
           std::abs(shown - exact) <= halfStep * (1 + 1e-9) + 1e-11 * std::abs(exact);
}

constexpr double Pi = 3.14159265358979;

// Every number the fields of the window show, and the hidden Tap record's Z and Sz.
struct Shown
{
    std::optional<double> diameter, flutes, feedPerTooth, cuttingSpeed, pitchMm, threadsPerInch,
        spindleSpeed, feedRate, tapZ, tapSz;
};

Shown ReadShown(const Session &s, bool comma)
{
    Shown r;
    auto read = [&](Quantity q) { return Value(s.field(FieldName(q))->text(), comma); };
    r.diameter = read(Quantity::D);
    r.flutes = read(Quantity::Z);
    r.feedPerTooth = read(Quantity::Sz);
    r.cuttingSpeed = read(Quantity::V);
    r.pitchMm = read(Quantity::PitchMm);
    r.threadsPerInch = read(Quantity::PitchTpi);
    r.spindleSpeed = read(Quantity::n);
    r.feedRate = read(Quantity::S);
    r.tapZ = Value(s.values.tap.flutes, comma);
    r.tapSz = Value(s.values.tap.feedPerTooth, comma);
    return r;
}

// What the results must be after the chain of `field` succeeded, given what the fields
// showed before it ran. Returns a description of the first disagreement, or nothing.
QString CheckResults(const Session &s, const Setup &c, Quantity field, const Shown &before)
{
    const Shown now = ReadShown(s, c.comma);
    const double k = c.metric ? 1000.0 : 12.0;
    QStringList wrong;
    auto expect = [&](const char *what, const std::optional<double> &shown, double exact,
                      int decimals) {
        if (!shown || !Near(*shown, exact, decimals))
            wrong << QStringLiteral("%1 shows %2, expected %3")
                         .arg(QLatin1String(what),
                              shown ? QString::number(*shown, 'g', 17) : u"no number"_s,
                              QString::number(exact, 'g', 17));
    };
    auto all = [](std::initializer_list<std::optional<double>> values) {
        for (const auto &v : values)
            if (!v)
                return false;
        return true;
    };
    if (!all({now.diameter, now.cuttingSpeed, now.spindleSpeed, now.feedRate}))
        return u"a result field holds no number"_s;

    if (!IsTap(c.mode)) {
        if (!all({now.flutes, now.feedPerTooth}))
            return u"Z or Sz holds no number"_s;
        if (field == Quantity::n && before.spindleSpeed && before.diameter)
            expect("V from the typed n", now.cuttingSpeed,
                   Pi * (*before.diameter * *before.spindleSpeed) / k, 8);
        if (field == Quantity::S && before.feedRate && before.flutes && before.spindleSpeed)
            expect("Sz from the typed S", now.feedPerTooth,
                   *before.feedRate / (*before.flutes * *before.spindleSpeed), 8);
        expect("n", now.spindleSpeed, (*now.cuttingSpeed * k) / (Pi * *now.diameter), c.decimals);
        const double edges = c.mode == Mode::Mill ? *now.flutes : 1.0;
        expect("S", now.feedRate, (*now.feedPerTooth * edges) * *now.spindleSpeed, c.decimals);
        return wrong.join(u"; "_s);
    }

    const bool mm = c.mode == Mode::TapMm;
    const std::optional<double> pitch = mm ? now.pitchMm : now.threadsPerInch;
    if (!pitch)
        return u"the pitch holds no number"_s;
    auto feed = [&](double n) {
        if (c.metric)
            return mm ? *pitch * n : (25.4 / *pitch) * n;
        return mm ? (*pitch / 25.4) * n : (1.0 / *pitch) * n;
    };
    auto speed = [&](double S) {
        if (c.metric)
            return mm ? S / *pitch : (*pitch / 25.4) * S;
        return mm ? (25.4 / *pitch) * S : *pitch * S;
    };
    if (field == Quantity::S) {
        expect("n from the typed S", now.spindleSpeed, speed(*now.feedRate), c.decimals);
        if (now.tapZ)
            expect("Sz of the taps", now.tapSz, *now.feedRate / (*now.tapZ * *now.spindleSpeed), 8);
        expect("V", now.cuttingSpeed, Pi * (*now.diameter * *now.spindleSpeed) / k, 8);
    } else if (field == Quantity::n) {
        expect("V from the typed n", now.cuttingSpeed, Pi * (*now.diameter * *now.spindleSpeed) / k,
               8);
        expect("S", now.feedRate, feed(*now.spindleSpeed), c.decimals);
    } else {
        expect("n", now.spindleSpeed, (*now.cuttingSpeed * k) / (Pi * *now.diameter), c.decimals);
        expect("S", now.feedRate, feed(*now.spindleSpeed), c.decimals);
    }
    return wrong.join(u"; "_s);
}

QString Points(QString text)
{
    return text.replace(u',', u'.');
}

// The CNC line after a successful chain: the spindle speed is n to a whole number, the feed
// is S as shown, the diameter D to four decimals, then the tool words of the window.
QString CheckLine(const Session &s, const Setup &c)
{
    const QString line = s.line();
    static const QRegularExpression shape(u"^S(\\S+) M03 F(\\S+) \\((\\S+)( .*)$"_s);
    const QRegularExpressionMatch m = shape.match(line);
    if (!m.hasMatch())
        return u"line out of shape: "_s + line;
    auto text = [&s](Quantity q) { return s.field(FieldName(q))->text(); };
    const std::optional<double> n = Value(text(Quantity::n), c.comma);
    const std::optional<double> speed = Value(m.captured(1), false);
    if (!n || !speed || !Near(*speed, *n, 0))
        return u"spindle speed does not follow n: "_s + line;
    if (m.captured(2) != Points(text(Quantity::S)))
        return u"feed is not S as shown: "_s + line;
    const std::optional<double> d = Value(text(Quantity::D), c.comma);
    const std::optional<double> diameter = Value(m.captured(3), false);
    if (!d || !diameter || !Near(*diameter, *d, 4))
        return u"diameter does not follow D: "_s + line;

    const bool danish = c.language == Language::Danish;
    QString tail;
    switch (c.mode) {
    case Mode::Mill:
        tail = (danish ? u" FR "_s : u" MILL "_s) + Points(text(Quantity::Z)) +
               (danish ? u" SK)"_s : u" FLUTES)"_s);
        break;
    case Mode::Drill:
        tail = danish ? u" BOR)"_s : u" DRILL)"_s;
        break;
    case Mode::TapMm:
    case Mode::TapTpi:
        tail = (danish ? u" TAP "_s : u" TAPS "_s) +
               Points(text(c.mode == Mode::TapMm ? Quantity::PitchMm : Quantity::PitchTpi)) +
               (danish ? u" STIG)"_s : u" PITCH)"_s);
        break;
    }
    if (m.captured(4) != tail)
        return u"tool words wrong: "_s + line;
    return {};
}

bool ShowsInfOrNan(const QString &text)
{
    return text.contains(u"inf"_s, Qt::CaseInsensitive) ||
           text.contains(u"nan"_s, Qt::CaseInsensitive);
}

// A text a formula wrote: digits, the locale's separator, an exponent.
bool LooksComputed(const QString &text, bool comma)
{
    static const QRegularExpression commaForm(u"^-?\\d+(,\\d+)?(E[+-]\\d+)?$"_s);
    static const QRegularExpression pointForm(u"^-?\\d+(\\.\\d+)?(E[+-]\\d+)?$"_s);
    return (comma ? commaForm : pointForm).match(text).hasMatch();
}

// What must hold after any step, whatever happened: no inf or nan anywhere (but in the text
// the user just typed), no typed text beyond twelve characters, a CNC line without a comma
// (unless the user pasted the line's text), and a settings file that reads whole and starts
// the program again in the same window.
QString CheckInvariants(const Session &s, const Setup &c, const QString &typedField = {},
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
                composed.remove(Points(typedText));
            if (!linePasted && (ShowsInfOrNan(composed) || composed.contains(u',')))
                return u"CNC line: "_s + text;
            continue;
        }
        if (ShowsInfOrNan(text) && !typed)
            return entry->objectName() + u" shows "_s + text;
        if (text.size() > EntryField::MaxTypedLength && !LooksComputed(text, c.comma))
            return entry->objectName() + u" holds a long typed text: "_s + text;
    }

    const QByteArray bytes = s.fileBytes();
    WorkingValues read;
    const int records = state::parseSettings(bytes, read);
    if (records != 33)
        return QStringLiteral("settings file reads %1 records").arg(records);
    WorkingValues fresh;
    const state::StartWindow start = state::chooseStartWindow(fresh, s.dir.path(), QString());
    if (start != c.language || !fresh.sameStoredValues(read))
        return u"a fresh start does not read the file back"_s;
    return {};
}

// Drives one window as a user would, and gives it back the activation a window manager
// gives when a message box has gone.
class Driver
{
public:
    Driver(Session &session, ModalWatchdog &boxes, const Setup &setup)
        : s(session), m_boxes(boxes), c(setup)
    {
    }

    void settle() const
    {
        QCoreApplication::processEvents();
        if (QApplication::activeWindow() != s.window.get()) {
            QApplication::setActiveWindow(s.window.get());
            QCoreApplication::processEvents();
        }
    }

    void clickWidget(QWidget *widget, QPoint at) const
    {
        settle();
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        settle();
    }
    void clickField(Quantity q) const { clickField(s.field(FieldName(q))); }
    void clickField(EntryField *entry) const { clickWidget(entry, QPoint(5, entry->height() / 2)); }
    void clickOption(const QString &name) const
    {
        QRadioButton *option = s.option(name);
        clickWidget(option, QPoint(7, option->height() / 2));
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        settle();
        if (QWidget *target = QApplication::focusWidget())
            QTest::keyClick(target, key, modifiers);
        settle();
    }

    // Typing, one key a character; characters beyond ASCII come as the text of a key.
    void typeText(QWidget *target, const QString &text) const
    {
        for (QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(target, char(ch.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), {});
        }
        settle();
    }

    // Focuses a field as a user does (a click, or Ctrl+A when it has the focus already, since
    // a click there only moves the caret) and types over its whole text.
    void typeInto(Quantity q, const QString &text) const
    {
        EntryField *entry = s.field(FieldName(q));
        if (entry->hasFocus())
            key(Qt::Key_A, Qt::ControlModifier);
        else
            clickField(entry);
        typeText(entry, text);
    }

    // Checks that exactly `count` input-error messages of the window's language were shown
    // since the last check, and nothing else.
    QString boxes(int count) const { return boxesWithin(count, count); }
    QString boxesWithin(int least, int most) const
    {
        const QList<fixture::SeenBox> seen = m_boxes.take();
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
    QString reset(const QString &typedField = {}, const QString &typedText = {}) const
    {
        const QString option = OptionName(c.mode);
        if (!s.option(option)->hasFocus()) {
            clickOption(option); // leaving a field may warn: its chain meets the last input
            if (const QString e = boxesWithin(0, 1); !e.isEmpty())
                return u"leaving for the mode option: "_s + e;
            if (const QString e = CheckInvariants(s, c, typedField, typedText); !e.isEmpty())
                return u"leaving for the mode option: "_s + e;
        }
        KindValues(s.values, c.mode) = Baseline(c.comma, c.mode);
        clickOption(option);
        if (const QString e = boxes(0); !e.isEmpty())
            return u"reset: "_s + e;
        return {};
    }

    // Opens the window and selects the row's mode.
    bool open() const
    {
        Prepare(s, c);
        if (!s.open(c.language, c.comma))
            return false;
        settle();
        if (c.mode != Mode::Mill)
            clickOption(OptionName(c.mode));
        return m_boxes.take().isEmpty();
    }

    Session &s;
    ModalWatchdog &m_boxes;
    Setup c;
};

// What an input does to a chain that reads it.
enum class Effect {
    NoNumber, // never a number: every chain that reads it stops
    Zero,     // reads as 0: a divisor for D, threads per inch and a tap's feed
    Huge,     // 1E308: overflows wherever it is multiplied up
    Plain     // an ordinary number
};

struct TypedCase
{
    const char *typed;
    Effect effect;          // in every field but the diameter
    Effect diameter;        // in the diameter, after its fraction step
    const char *diameterIs; // what the diameter shows after Enter, with a comma; null: as typed
};

// Typed with the keys; "," and "." give the locale's separator.
const TypedCase TypedCases[] = {
    {"abc", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"/", Effect::NoNumber, Effect::NoNumber, ""},
    {"1/0", Effect::NoNumber, Effect::NoNumber, ""},
    {"/0", Effect::NoNumber, Effect::NoNumber, ""},
    {"0/0", Effect::NoNumber, Effect::NoNumber, ""},
    {"1 1/0", Effect::NoNumber, Effect::NoNumber, ""},
    {"1/inf", Effect::NoNumber, Effect::NoNumber, ""},
    {"1 1/2", Effect::NoNumber, Effect::Plain, "1,5"},
    {"1E308", Effect::Huge, Effect::Huge, nullptr},
    {"-0", Effect::Zero, Effect::Zero, nullptr},
    {"1E-400", Effect::Zero, Effect::Zero, nullptr},
    {"0", Effect::Zero, Effect::Zero, nullptr},
    {"-5", Effect::Plain, Effect::Plain, nullptr},
    {"   ", Effect::NoNumber, Effect::NoNumber, nullptr},
    {",", Effect::NoNumber, Effect::NoNumber, nullptr},
    {".", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"1,2,3", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"1E", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"E5", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"1e5", Effect::Plain, Effect::Plain, nullptr},
    {"+5", Effect::Plain, Effect::Plain, nullptr},
    {"inf", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"NaN", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"∞", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"½", Effect::NoNumber, Effect::NoNumber, nullptr},
    {"١٢", Effect::NoNumber, Effect::NoNumber, nullptr}, // Arabic-Indic digits
    {"1234567890123", Effect::Plain, Effect::Plain, nullptr},
};

// Whether the chain of `field` stops at this input, from the sane values.
bool Warns(Effect effect, Quantity field, Mode mode)
{
    switch (effect) {
    case Effect::NoNumber:
        return true;
    case Effect::Plain:
        return false;
    case Effect::Zero:
        // A divisor of n, of the thread feed, and (through n = 0) of the taps' Sz.
        return field == Quantity::D || field == Quantity::PitchTpi ||
               (field == Quantity::S && IsTap(mode));
    case Effect::Huge:
        // Harmless only where it divides first: a huge thread count makes S tiny, and a huge
        // feed in Mill or Drill divides into Sz and comes back. A huge diameter overflows in
        // pi x D before it can divide.
        return !(field == Quantity::PitchTpi || (field == Quantity::S && !IsTap(mode)));
    }
    return true;
}

// Whether the engine stops at each of two runs of the field's chain (Enter, then leaving):
// beyond the inputs that are no number to a formula, a line that would carry a number that is
// not positive and plain stops it too. The window must show exactly that.
std::array<bool, 2> EngineWarns(const WorkingValues &before, const Setup &c, Quantity field,
                                const QString &typed)
{
    WorkingValues values = before;
    session::Session engine(values, fixture::Locale(c.comma), [](const WorkingValues &) {
        return state::SaveResult{state::SaveStatus::Saved, {}, {}};
    });
    engine.load(calc::CncWords{});
    engine.selectMode(c.mode == Mode::Mill    ? ToolMode::Mill
                      : c.mode == Mode::Drill ? ToolMode::Drill
                                              : ToolMode::Tap);
    engine.setText(Field(int(field)), typed);
    const bool first = engine.enter(Field(int(field))).inputError;
    return {first, engine.enter(Field(int(field))).inputError};
}

// What the field shows after typing: each decimal key gives the locale's separator, and
// no more than twelve characters are taken.
QString AsTyped(const QString &text, bool comma)
{
    QString shown = text.left(EntryField::MaxTypedLength);
    for (QChar &ch : shown)
        if (ch == u',' || ch == u'.')
            ch = comma ? u',' : u'.';
    return shown;
}

enum class Leave { Tab, ClickField, ClickLine };

const char *LeaveName(Leave leave)
{
    return leave == Leave::Tab          ? "Tab"
           : leave == Leave::ClickField ? "click on a field"
                                        : "click on the line";
}

const QString Long300Digits = QString(300, u'7');

// Three hundred characters a user might copy from somewhere: numbers with both separators,
// quotes, tabs and line breaks, words that a careless reader takes for numbers.
QString Long300Mixed()
{
    const QString piece = u"1,5 \"inf\" NaN 12.5\t-0 1E308\r\n"_s;
    QString text;
    while (text.size() < 300)
        text += piece;
    return text.left(300);
}

} // namespace

class HostileInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void hostileEntry_warnsOnceOrComputesRightValues_data() { AddSetupRows(); }
    void hostileEntry_warnsOnceOrComputesRightValues();
    void longPaste_refusedInEntryFields_takenWholeByLine_data() { AddSetupRows(); }
    void longPaste_refusedInEntryFields_takenWholeByLine();
    void repeatedEnterAndFocusChanges_warnOncePerEvent_data();
    void repeatedEnterAndFocusChanges_warnOncePerEvent();
    void hugeSpeedWithSmallDiameter_overflowWarns_data();
    void hugeSpeedWithSmallDiameter_overflowWarns();
    void selectedModeOption_clickedAgain_staysSelected_data();
    void selectedModeOption_clickedAgain_staysSelected();

private:
    ModalWatchdog m_boxes;
};

namespace {

QtMessageHandler PassOn = nullptr;

// The offscreen platform says this for every message box it shows; it says nothing about
// the window under test and would bury what does.
void DropSizeHintNotice(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text == u"This plugin does not support propagateSizeHints()"_s)
        return;
    if (PassOn)
        PassOn(type, context, text);
}

} // namespace

void HostileInput::initTestCase()
{
    PassOn = qInstallMessageHandler(DropSizeHintNotice);
}

void HostileInput::cleanupTestCase()
{
    qInstallMessageHandler(PassOn);
}

void HostileInput::cleanup()
{
    const QList<fixture::SeenBox> left = m_boxes.take();
    QVERIFY2(left.isEmpty(), qPrintable(u"message box left over: "_s +
                                        (left.isEmpty() ? QString() : left.first().text)));
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

void HostileInput::hostileEntry_warnsOnceOrComputesRightValues()
{
    const Setup c = FetchSetup();
    Session s;
    Driver d(s, m_boxes, c);
    QVERIFY(d.open());
    const QList<Quantity> fields = Editable(c.mode);
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
            const Quantity field = fields[(step / 2 + offset + pick) % fields.size()];
            const Leave leave = Leave(step % 3);
            const QString name = FieldName(field);
            const QString where = QStringLiteral("'%1' in %2, leaving by %3: ")
                                      .arg(typed, name, QLatin1String(LeaveName(leave)));

            QString error = d.reset(lastField, lastTyped);
            QVERIFY2(error.isEmpty(), qPrintable(where + error));
            const QByteArray fileBefore = s.fileBytes();
            const QString lineBefore = s.line();
            const Shown before = ReadShown(s, c.comma);
            const WorkingValues valuesBefore = s.values;

            d.typeInto(field, typed);
            const QString shownTyped = AsTyped(typed, c.comma);
            lastField = name;
            lastTyped = shownTyped;
            EntryField *entry = s.field(name);
            QVERIFY2(entry->text() == shownTyped, qPrintable(where + u"shows "_s + entry->text()));
            QVERIFY2(StoredText(s.values, c.mode, field) == shownTyped,
                     qPrintable(where + u"typed text not stored"_s));
            Shown typedIn = before;
            const std::optional<double> typedValue = Value(shownTyped, c.comma);
            if (field == Quantity::n)
                typedIn.spindleSpeed = typedValue;
            if (field == Quantity::S)
                typedIn.feedRate = typedValue;
            error = d.boxes(0);
            QVERIFY2(error.isEmpty(), qPrintable(where + u"typing: "_s + error));

            const Effect effect = field == Quantity::D ? input.diameter : input.effect;
            const bool noNumber = Warns(effect, field, c.mode);
            const std::array<bool, 2> engineWarns = EngineWarns(valuesBefore, c, field, shownTyped);
            const bool fraction = field == Quantity::D && input.diameterIs;
            const QString afterEnter = fraction ? Num(input.diameterIs, c.comma) : shownTyped;
            const bool keepsTyped = IsTap(c.mode) || (field != Quantity::n && field != Quantity::S);

            // Enter, then leaving: the same chain twice, with the same outcome.
            for (int event = 0; event < 2; ++event) {
                const char *what = event == 0 ? "Enter: " : "leaving: ";
                const Shown shownBefore = event == 0 ? typedIn : ReadShown(s, c.comma);
                if (event == 0) {
                    d.key(Qt::Key_Return);
                } else if (leave == Leave::Tab) {
                    d.key(Qt::Key_Tab);
                } else if (leave == Leave::ClickLine) {
                    d.clickField(s.field(u"CNCResultatText"_s));
                } else {
                    d.clickField(fields[(fields.indexOf(field) + 1) % fields.size()]);
                }
                const QString context = where + QLatin1String(what);
                const bool warns = engineWarns[std::size_t(event)];
                QVERIFY2(warns || !noNumber, qPrintable(context + u"no input error"_s));
                error = d.boxes(warns ? 1 : 0);
                QVERIFY2(error.isEmpty(), qPrintable(context + error));
                QVERIFY2(event == 1 || entry->hasFocus(), qPrintable(context + u"focus moved"_s));
                error = CheckInvariants(s, c, name, shownTyped);
                QVERIFY2(error.isEmpty(), qPrintable(context + error));
                if (warns) {
                    // A formula that stopped leaves the field as typed (a failed fraction
                    // empties it). Either way nothing was saved and the line stayed.
                    if (noNumber)
                        QCOMPARE(entry->text(), fraction ? QString() : shownTyped);
                    QVERIFY2(s.fileBytes() == fileBefore, qPrintable(context + u"file written"_s));
                    QVERIFY2(s.line() == lineBefore,
                             qPrintable(context + u"line changed: "_s + s.line()));
                    continue;
                }
                if (event == 0 && keepsTyped)
                    QVERIFY2(entry->text() == afterEnter,
                             qPrintable(context + u"shows "_s + entry->text()));
                error = CheckResults(s, c, field, shownBefore);
                QVERIFY2(error.isEmpty(), qPrintable(context + error));
                error = CheckLine(s, c);
                QVERIFY2(error.isEmpty(), qPrintable(context + error));
                QVERIFY2(s.saved().sameStoredValues(s.values),
                         qPrintable(context + u"file differs from the values"_s));
            }
        }
    }
}

void HostileInput::longPaste_refusedInEntryFields_takenWholeByLine()
{
    const Setup c = FetchSetup();
    Session s;
    Driver d(s, m_boxes, c);
    QVERIFY(d.open());
    QVERIFY(d.reset().isEmpty());
    QAction *paste = s.action(u"ctlSætInd"_s);
    QAction *copy = s.action(u"ctlKopier"_s);

    for (const QString &text : {Long300Digits, Long300Mixed()}) {
        QCOMPARE(text.size(), 300);
        platform::setClipboardText(text);
        for (Quantity field : Editable(c.mode)) {
            const QString name = FieldName(field);
            EntryField *entry = s.field(name);
            d.clickField(entry);
            const QString before = entry->text();
            QVERIFY2(entry->selectedText() == before, qPrintable(name));

            // The menu item, the key over the whole text, the key at the end of the text.
            paste->trigger();
            QVERIFY2(entry->text() == before, qPrintable(name + u" took the menu paste"_s));
            d.key(Qt::Key_V, Qt::ControlModifier);
            QVERIFY2(entry->text() == before, qPrintable(name + u" took Ctrl+V"_s));
            d.key(Qt::Key_End);
            d.key(Qt::Key_V, Qt::ControlModifier);
            QVERIFY2(entry->text() == before, qPrintable(name + u" took Ctrl+V at the end"_s));
            QCOMPARE(StoredText(s.values, c.mode, field), before);
            QCOMPARE(platform::clipboardText(), text);
            // Leaving each field runs its chain on the sane values.
            const QString error = d.boxes(0) + CheckInvariants(s, c);
            QVERIFY2(error.isEmpty(), qPrintable(name + u": "_s + error));
        }
    }

    // The line takes the whole text (less tabs and line breaks) by the menu item or the key.
    EntryField *line = s.field(u"CNCResultatText"_s);
    d.clickField(line);
    const ToolValues kind = KindValues(s.values, c.mode);
    QString pasted = Long300Mixed();
    pasted.remove(u'\t').remove(u'\r').remove(u'\n');
    const bool byMenu = c.metric;
    if (byMenu)
        paste->trigger();
    else
        d.key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(line->text(), pasted);
    d.key(Qt::Key_Return);
    d.key(Qt::Key_Return);
    QCOMPARE(line->text(), pasted);
    QVERIFY(KindValues(s.values, c.mode) == kind); // the line is no entry: nothing stored
    QString error = d.boxes(0) + CheckInvariants(s, c, {}, {}, true);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    // Copy takes the whole pasted line.
    platform::setClipboardText(u"old"_s);
    d.key(Qt::Key_A, Qt::ControlModifier);
    if (byMenu)
        copy->trigger();
    else
        d.key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform::clipboardText(), pasted);

    // Leaving the line runs nothing; the next calculation builds a proper line again.
    if (c.comma) {
        d.clickField(Quantity::D);
        QCOMPARE(line->text(), pasted);
        const Shown before = ReadShown(s, c.comma);
        d.key(Qt::Key_Return);
        error = d.boxes(0);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        error = CheckResults(s, c, Quantity::D, before);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else {
        // Tab from the line wraps round to the mode option, whose switch rebuilds the line.
        d.key(Qt::Key_Tab);
        QVERIFY(s.option(OptionName(c.mode))->hasFocus());
        error = d.boxes(0);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
    QVERIFY(line->text() != pasted);
    error = CheckLine(s, c) + CheckInvariants(s, c);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(s.saved().sameStoredValues(s.values));
}

void HostileInput::repeatedEnterAndFocusChanges_warnOncePerEvent_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("emptyDiameter");
    for (Language language : {Language::Danish, Language::English})
        for (bool comma : {true, false})
            for (bool metric : {true, false})
                for (bool empty : {false, true})
                    QTest::addRow("%s, %s, %s, %s",
                                  language == Language::Danish ? "Danish" : "English",
                                  comma ? "comma" : "point", metric ? "metric" : "inch",
                                  empty ? "empty diameter" : "sane values")
                        << int(language) << comma << metric << empty;
}

void HostileInput::repeatedEnterAndFocusChanges_warnOncePerEvent()
{
    QFETCH(int, language);
    QFETCH(bool, comma);
    QFETCH(bool, metric);
    QFETCH(bool, emptyDiameter);
    Setup c{Language(language), comma, Mode::Mill, metric, metric ? 3 : 1};
    Session s;
    Driver d(s, m_boxes, c);
    QVERIFY(d.open());
    // With an empty diameter every chain stops, so every Enter and every leaving of a field
    // warns exactly once; with sane values none does.
    const int perChain = emptyDiameter ? 1 : 0;
    bool focusInField = false;
    int events = 0;

    for (Mode mode : {Mode::Mill, Mode::Drill, Mode::TapMm, Mode::TapTpi, Mode::Mill}) {
        c.mode = d.c.mode = mode;
        const QString where = QLatin1String(ModeName(mode)) + u": "_s;
        if (IsTap(mode) && s.option(u"GevindtappeValg"_s)->isChecked()) {
            // From Tap mm to Tap tpi by the pitch option: leaving the field warns, and so
            // does the recalculation of the new unit.
            d.clickOption(u"PtommeOption"_s);
            QString error = d.boxes((focusInField ? perChain : 0) + perChain);
            QVERIFY2(error.isEmpty(), qPrintable(where + u"pitch option: "_s + error));
        } else {
            d.clickOption(OptionName(mode));
            QString error = d.boxes(focusInField ? perChain : 0);
            QVERIFY2(error.isEmpty(), qPrintable(where + u"mode option: "_s + error));
            QVERIFY(s.option(OptionName(mode))->isChecked());
            QVERIFY2(!s.menu(u"ctlEdit"_s)->isEnabled(), qPrintable(where + u"Edit menu on"_s));
        }
        focusInField = false;

        if (emptyDiameter) {
            d.clickField(Quantity::D);
            d.key(Qt::Key_Delete);
            QCOMPARE(KindValues(s.values, mode).diameter, QString());
        } else {
            d.clickField(Quantity::D);
        }
        focusInField = true;
        QString error = d.boxes(0);
        QVERIFY2(error.isEmpty(), qPrintable(where + error));

        const QList<Quantity> fields = Editable(mode);
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const QString name = FieldName(fields[i]);
            QVERIFY2(s.field(name)->hasFocus(), qPrintable(where + name + u" has no focus"_s));
            for (int enter = 0; enter < 3; ++enter, ++events) {
                const Shown before = ReadShown(s, comma);
                d.key(enter == 1 ? Qt::Key_Enter : Qt::Key_Return);
                const QString context = where + name + QStringLiteral(", Enter %1: ").arg(enter);
                error = d.boxes(perChain);
                QVERIFY2(error.isEmpty(), qPrintable(context + error));
                QVERIFY2(s.field(name)->hasFocus(), qPrintable(context + u"focus moved"_s));
                error = CheckInvariants(s, c);
                QVERIFY2(error.isEmpty(), qPrintable(context + error));
                if (!emptyDiameter) {
                    error = CheckResults(s, c, fields[i], before) + CheckLine(s, c);
                    QVERIFY2(error.isEmpty(), qPrintable(context + error));
                }
            }
            // Tab on to the next field; from the last, on past the fields.
            d.key(Qt::Key_Tab);
            error = d.boxes(perChain);
            QVERIFY2(error.isEmpty(), qPrintable(where + name + u", Tab: "_s + error));
            error = CheckInvariants(s, c);
            QVERIFY2(error.isEmpty(), qPrintable(where + name + u", Tab: "_s + error));
        }
        // The focus went past the fields: to the pitch option in Tap, to the line otherwise.
        focusInField = false;
        QWidget *past = QApplication::focusWidget();
        QVERIFY(past);
        QCOMPARE(past->objectName(),
                 IsTap(mode) ? (mode == Mode::TapMm ? u"PmmOption"_s : u"PtommeOption"_s)
                             : u"CNCResultatText"_s);

        // Back into the speed field with a click, Enter, then on to the next mode.
        d.clickField(Quantity::V);
        d.key(Qt::Key_Return);
        error = d.boxes(perChain);
        QVERIFY2(error.isEmpty(), qPrintable(where + u"V by click: "_s + error));
        focusInField = true;
        if (IsTap(mode)) {
            // The pitch option already set: leaving the field and recalculating each warn.
            d.clickOption(mode == Mode::TapMm ? u"PmmOption"_s : u"PtommeOption"_s);
            error = d.boxes(2 * perChain);
            QVERIFY2(error.isEmpty(), qPrintable(where + u"same pitch option: "_s + error));
            focusInField = false;
        }
        QVERIFY(events < 500);
    }
    // The tap values kept their unit: the last pitch chosen was threads per inch.
    QVERIFY(s.values.threadsPerInchSelected && !s.values.pitchMmSelected);
    d.clickOption(u"FræsereValg"_s);
    const QString error = d.boxes(perChain) + CheckInvariants(s, c);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void HostileInput::hugeSpeedWithSmallDiameter_overflowWarns_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("diameter");
    QTest::addColumn<bool>("formulaStops"); // else the line refuses S in exponent form
    for (Language language : {Language::Danish, Language::English})
        for (bool comma : {true, false})
            for (bool metric : {true, false}) {
                const char *window = language == Language::Danish ? "Danish" : "English";
                const char *locale = comma ? "comma" : "point";
                const char *units = metric ? "metric" : "inch";
                // V itself overflows when scaled; a smaller V overflows only in the division
                // by the small diameter; with a plain diameter n is huge but a number, and so
                // is S, too big to write without an exponent.
                QTest::addRow("%s, %s, %s, V 1E308, D 0,001", window, locale, units)
                    << int(language) << comma << metric << u"1E308"_s << u"0,001"_s << true;
                QTest::addRow("%s, %s, %s, V 1E305, D 0,001", window, locale, units)
                    << int(language) << comma << metric << u"1E305"_s << u"0,001"_s << true;
                QTest::addRow("%s, %s, %s, V 1E305, D 10", window, locale, units)
                    << int(language) << comma << metric << u"1E305"_s << u"10"_s << false;
            }
}

void HostileInput::hugeSpeedWithSmallDiameter_overflowWarns()
{
    QFETCH(int, language);
    QFETCH(bool, comma);
    QFETCH(bool, metric);
    QFETCH(QString, speed);
    QFETCH(QString, diameter);
    QFETCH(bool, formulaStops);
    const Setup c{Language(language), comma, Mode::Mill, metric, 2};
    Session s;
    Driver d(s, m_boxes, c);
    QVERIFY(d.open());

    d.typeInto(Quantity::D, diameter);
    d.key(Qt::Key_Return);
    QString error = d.boxes(0);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString n = s.field(FieldName(Quantity::n))->text();
    const QString line = s.line();
    const QByteArray file = s.fileBytes();

    d.typeInto(Quantity::V, speed);
    const Shown before = ReadShown(s, comma);
    d.key(Qt::Key_Return);
    error = d.boxes(1) + CheckInvariants(s, c, FieldName(Quantity::V), speed);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(s.field(FieldName(Quantity::V))->text(), speed);
    QCOMPARE(s.line(), line);
    QCOMPARE(s.fileBytes(), file);
    if (formulaStops) {
        QCOMPARE(s.field(FieldName(Quantity::n))->text(), n);
    } else {
        error = CheckResults(s, c, Quantity::V, before);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // n is written in exponent form, longer than anything typed.
        const QString shownN = s.field(FieldName(Quantity::n))->text();
        QVERIFY2(shownN.contains(u"E+"_s) && shownN.size() > EntryField::MaxTypedLength,
                 qPrintable(shownN));
    }
    // Leaving the field runs the same chain once more.
    d.key(Qt::Key_Tab);
    error = d.boxes(1) + CheckInvariants(s, c);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void HostileInput::selectedModeOption_clickedAgain_staysSelected_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("pitch"); // 0 mm, 1 threads per inch, 2 neither (from a file)
    QTest::addColumn<int>("how");   // 0 click with the focus on it, 1 click from a field, 2 Space
    const char *pitches[] = {"pitch in mm", "threads per inch", "no pitch unit"};
    const char *hows[] = {"click on the focused option", "click from a field", "Space"};
    for (Mode mode : {Mode::Mill, Mode::Drill, Mode::TapMm})
        for (int pitch = 0; pitch < 3; ++pitch)
            for (int how = 0; how < 3; ++how)
                QTest::addRow("%s, %s, %s", IsTap(mode) ? "Tap" : ModeName(mode), pitches[pitch],
                              hows[how])
                    << int(mode) << pitch << how;
}

void HostileInput::selectedModeOption_clickedAgain_staysSelected()
{
    QFETCH(int, mode);
    QFETCH(int, pitch);
    QFETCH(int, how);
    // With no pitch unit stored, the window opens with threads per inch.
    const Mode shown = Mode(mode) == Mode::TapMm && pitch != 0 ? Mode::TapTpi : Mode(mode);
    const Setup c{how == 1 ? Language::English : Language::Danish, pitch != 1, shown, true, 2};
    Session s;
    Driver d(s, m_boxes, c);
    Prepare(s, c);
    s.values.pitchMmSelected = pitch == 0;
    s.values.threadsPerInchSelected = pitch == 1;
    s.values.tap.diameter = u"6"_s;
    s.values.drill.diameter = u"8"_s;
    QVERIFY(s.open(c.language, c.comma));
    d.settle();
    const QString name = OptionName(c.mode);
    if (c.mode != Mode::Mill)
        d.clickOption(name);
    QVERIFY(s.option(name)->isChecked());
    const WorkingValues before = s.values;
    const QString line = s.line();

    // Again, as a user does who is not sure the first click took.
    if (how == 1)
        d.clickField(Quantity::V);
    if (how == 2) {
        QVERIFY(s.option(name)->hasFocus());
        d.key(Qt::Key_Space);
    } else {
        d.clickOption(name);
    }
    for (Mode other : {Mode::Mill, Mode::Drill, Mode::TapMm})
        QCOMPARE(s.option(OptionName(other))->isChecked(), OptionName(other) == name);
    QCOMPARE(s.field(FieldName(Quantity::D))->text(), KindValues(s.values, c.mode).diameter);
    if (how != 1) // leaving the speed field recalculates; the switch itself only rebuilds
        QCOMPARE(s.line(), line);

    // What is typed next lands in this kind, and nowhere else.
    d.typeInto(Quantity::V, u"77"_s);
    d.key(Qt::Key_Return);
    QCOMPARE(KindValues(s.values, c.mode).cuttingSpeed, u"77"_s);
    WorkingValues unchanged = before;
    for (Mode other : {Mode::Mill, Mode::Drill, Mode::TapMm})
        if (OptionName(other) != name)
            QCOMPARE(KindValues(s.values, other), KindValues(unchanged, other));
    const QString error = d.boxes(0) + CheckInvariants(s, c);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString check = CheckLine(s, c);
    QVERIFY2(check.isEmpty(), qPrintable(check));
}

QTEST_MAIN(HostileInput)
#include "tst_hostileinput.moc"
