// The CNC line: with any field texts, modes and pitch options, composing the line either
// fails with an input error or writes a line with points only, and the comma-to-point step
// keeps every other character.
//
// Input: one byte of options, then the texts n, S, D, Z, pitch mm, pitch tpi and the line
// already shown, separated by '\n'.
//   bits 0-1 tool mode (Mill, Drill, Tap, Tap), bit 2 pitch in mm, bit 3 threads per inch,
//   bit 4 point locale, bit 5 English words, bits 6-7 decoding (UTF-8, Latin-1, UTF-16).

#include "fuzzcheck.h"

#include "calc/cncline.h"
#include "calc/numbers.h"

#include <exception>
#include <string>

using fuzz::Shown;

namespace {

const calc::CncWords DanishWords{QStringLiteral(" FR "), QStringLiteral(" SK)"),
                                 QStringLiteral(" BOR)"), QStringLiteral(" TAP "),
                                 QStringLiteral(" STIG)")};
const calc::CncWords EnglishWords{QStringLiteral(" MILL "), QStringLiteral(" FLUTES)"),
                                  QStringLiteral(" DRILL)"), QStringLiteral(" TAPS "),
                                  QStringLiteral(" PITCH)")};

QString Points(QString text)
{
    return text.replace(u',', u'.');
}

// commasToPoints on one text: over 255 characters it throws and leaves the text alone,
// otherwise every comma, and nothing else, becomes a point in both the text and the result.
void CheckSkrivPunktum(const QString &original)
{
    QString text = original;
    const std::string what = "commasToPoints(" + Shown(original) + ")";
    try {
        const QString result = calc::commasToPoints(text);
        FUZZ_CHECK(original.size() <= 255, what + " did not throw");
        FUZZ_CHECK(result == text,
                   what + " returned " + Shown(result) + " but left " + Shown(text));
        FUZZ_CHECK(result.size() == original.size() && !result.contains(u','),
                   what + " gave " + Shown(result));
        for (qsizetype i = 0; i < original.size(); ++i) {
            const QChar want = original[i] == u',' ? QChar(u'.') : original[i];
            FUZZ_CHECK(result[i] == want, what + " gave " + Shown(result));
        }
    } catch (const calc::InputError &) {
        FUZZ_CHECK(original.size() > 255, what + " threw");
        FUZZ_CHECK(text == original, what + " threw and changed the text to " + Shown(text));
    } catch (const std::exception &e) {
        FUZZ_FAIL(what + " threw " + e.what());
    }
}

bool IsNumber(const QString &text, const calc::NumberLocale &locale)
{
    try {
        calc::textToNumber(text, locale);
        return true;
    } catch (const calc::InputError &) {
        return false;
    }
}

// The whole line for an input that composes without an error, from the rule: n rounded to a
// whole number and D to 4 decimals, the other texts copied, every comma turned into a point.
QString ExpectedLine(const calc::CncInput &in, const calc::CncWords &words,
                     const calc::NumberLocale &locale)
{
    const QString n = calc::numberToText(
        calc::roundHalfEven(calc::textToNumber(in.spindleSpeed, locale), 0), locale);
    const QString d =
        calc::numberToText(calc::roundHalfEven(calc::textToNumber(in.diameter, locale), 4), locale);
    QString line =
        QLatin1String("S") + n + QLatin1String(" M03 F") + in.feedRate + QLatin1String(" (") + d;
    switch (in.mode) {
    case ToolMode::Mill:
        line += words.mill + in.flutes + words.edges;
        break;
    case ToolMode::Drill:
        line += words.drill;
        break;
    case ToolMode::Tap:
        line +=
            words.tap + (in.threadsPerInchSelected ? in.threadsPerInch : in.pitchMm) + words.pitch;
        break;
    }
    return Points(line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t options = data[0];
    const auto parts = fuzz::SplitLines(data + 1, size - 1, 7);
    const auto how = static_cast<fuzz::Decoding>(((options >> 6) & 3) % 3);
    auto field = [&](std::size_t i) {
        return i < parts.size() ? fuzz::Decode(parts[i].constData(),
                                               static_cast<std::size_t>(parts[i].size()), how)
                                : QString();
    };

    calc::CncInput in;
    const int mode = options & 3;
    in.mode = mode == 0 ? ToolMode::Mill : mode == 1 ? ToolMode::Drill : ToolMode::Tap;
    in.pitchMmSelected = (options & 4) != 0;
    in.threadsPerInchSelected = (options & 8) != 0;
    const calc::NumberLocale locale = (options & 16) ? calc::pointLocale() : calc::commaLocale();
    const calc::CncWords &words = (options & 32) ? EnglishWords : DanishWords;
    in.spindleSpeed = field(0);
    in.feedRate = field(1);
    in.diameter = field(2);
    in.flutes = field(3);
    in.pitchMm = field(4);
    in.threadsPerInch = field(5);
    const QString before = field(6);

    for (const QString &text : {in.spindleSpeed, in.feedRate, in.diameter, in.flutes, in.pitchMm,
                                in.threadsPerInch, before})
        CheckSkrivPunktum(text);

    const bool tapWithoutPitch =
        in.mode == ToolMode::Tap && !in.pitchMmSelected && !in.threadsPerInchSelected;
    const bool bothPitches =
        in.mode == ToolMode::Tap && in.pitchMmSelected && in.threadsPerInchSelected;

    QString line = before;
    const std::string what = "composeCncLine(mode " + std::to_string(mode) + ", options " +
                             std::to_string(options) + ", n " + Shown(in.spindleSpeed) + ", S " +
                             Shown(in.feedRate) + ", D " + Shown(in.diameter) + ", Z " +
                             Shown(in.flutes) + ", pitch " + Shown(in.pitchMm) + " / " +
                             Shown(in.threadsPerInch) + ")";
    try {
        calc::composeCncLine(in, words, locale, line);
    } catch (const calc::InputError &) {
        FUZZ_CHECK(!tapWithoutPitch, what + " threw with no line to build");
        // Nothing is written before n is read and S is copied; after that, the line holds
        // the new start with points only.
        const bool failsEarly = !IsNumber(in.spindleSpeed, locale) || in.feedRate.size() > 255;
        if (failsEarly)
            FUZZ_CHECK(line == before, what + " threw and changed the line to " + Shown(line));
        FUZZ_CHECK(line == before || (line.startsWith(u'S') && !line.contains(u',')),
                   what + " threw and left " + Shown(line));
        return 0;
    } catch (const std::exception &e) {
        FUZZ_FAIL(what + " threw " + e.what());
    }

    if (tapWithoutPitch) {
        FUZZ_CHECK(line == before, what + " changed the line to " + Shown(line));
        return 0;
    }
    FUZZ_CHECK(!line.contains(u','), what + " gave " + Shown(line));
    if (!bothPitches) {
        const QString expected = ExpectedLine(in, words, locale);
        FUZZ_CHECK(line == expected,
                   what + " gave " + Shown(line) + ", expected " + Shown(expected));
    }
    return 0;
}
