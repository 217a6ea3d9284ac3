// SPDX-License-Identifier: MIT
// The CNC line: with any field texts, modes and pitch options, composing the line either
// fails with an input error and leaves the line as it was, or writes a line the machine may
// get, with the user's own digits for S (a tap's F is its S word times the lead), Z and the
// pitch.
//
// Input: one byte of options, then the texts n, S, D, Z, pitch mm, pitch tpi and the line
// already shown, separated by '\n'.
//   bits 0-1 tool mode (Mill, Drill, Tap, Tap in inches), bit 2 pitch in mm (else threads per
//   inch), bit 3 unused, bit 4 point locale, bit 5 English words, bits 6-7 decoding (UTF-8,
//   Latin-1, UTF-16).

#include "fuzzcheck.h"

#include "calc/cncline.h"
#include "calc/numbers.h"

#include <exception>
#include <string>

using calc::ToolMode;

using fuzz::DanishWords;
using fuzz::EnglishWords;
using fuzz::printable;

namespace {

// The copied texts as the line must show them: their digits, the separator a point.
QString copiedText(const QString &text, const calc::NumberLocale &locale)
{
    QString copied = text.trimmed();
    return copied.replace(locale.decimal, u'.');
}

// The whole line for an input that composes without an error: n rounded to a whole number and
// D to 4 decimals, the other texts with their own digits, but a tap's feed: the S word times
// the lead, to 4 decimals.
QString expectedLine(const calc::CncInput &in, const calc::CncWords &words,
                     const calc::NumberLocale &locale)
{
    const double n =
        calc::roundHalfEven(calc::textToNumber(in.values[calc::Field::SpindleSpeed], locale), 0);
    const double d =
        calc::roundHalfEven(calc::textToNumber(in.values[calc::Field::Diameter], locale), 4);
    const bool threadsPerInch = in.pitchUnit == calc::PitchUnit::ThreadsPerInch;
    const QString &pitch =
        threadsPerInch ? in.values[calc::Field::ThreadsPerInch] : in.values[calc::Field::PitchMm];
    QString feed = copiedText(in.values[calc::Field::FeedRate], locale);
    if (in.mode == ToolMode::Tap) {
        const double pitchNumber = calc::textToNumber(pitch, locale);
        const double lead =
            threadsPerInch ? (in.units == calc::Units::Metric ? 25.4 : 1.0) / pitchNumber
                           : (in.units == calc::Units::Metric ? pitchNumber : pitchNumber / 25.4);
        feed = calc::roundedNumberForLine(n * lead, 4);
    }
    QString line = QLatin1String("S") + calc::roundedNumberForLine(n, 0) + QLatin1String(" M03 F") +
                   feed + QLatin1String(" (") + calc::roundedNumberForLine(d, 4);
    switch (in.mode) {
    case ToolMode::Mill:
        line += words.mill + copiedText(in.values[calc::Field::Flutes], locale) + words.edges;
        break;
    case ToolMode::Drill:
        line += words.drill;
        break;
    case ToolMode::Tap:
        line += words.tap + copiedText(pitch, locale) + words.pitch;
        break;
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t options = data[0];
    const auto parts = fuzz::splitLines(data + 1, size - 1, 7);
    const auto how = static_cast<fuzz::Decoding>(((options >> 6) & 3) % 3);
    auto field = [&](std::size_t i) {
        return i < parts.size() ? fuzz::decode(parts[i].constData(),
                                               static_cast<std::size_t>(parts[i].size()), how)
                                : QString();
    };

    calc::CncInput in;
    const int mode = options & 3;
    in.mode = mode == 0 ? ToolMode::Mill : mode == 1 ? ToolMode::Drill : ToolMode::Tap;
    in.units = mode == 3 ? calc::Units::Inch : calc::Units::Metric;
    in.pitchUnit =
        (options & 4) != 0 ? calc::PitchUnit::Millimetres : calc::PitchUnit::ThreadsPerInch;
    const calc::NumberLocale locale = (options & 16) ? calc::pointLocale() : calc::commaLocale();
    const calc::CncWords &words = (options & 32) ? EnglishWords : DanishWords;
    in.values[calc::Field::SpindleSpeed] = field(0);
    in.values[calc::Field::FeedRate] = field(1);
    in.values[calc::Field::Diameter] = field(2);
    in.values[calc::Field::Flutes] = field(3);
    in.values[calc::Field::PitchMm] = field(4);
    in.values[calc::Field::ThreadsPerInch] = field(5);
    const QString before = field(6);

    QString line = before;
    const std::string what = "composeCncLine(mode " + std::to_string(mode) + ", options " +
                             std::to_string(options) + ", n " +
                             printable(in.values[calc::Field::SpindleSpeed]) + ", S " +
                             printable(in.values[calc::Field::FeedRate]) + ", D " +
                             printable(in.values[calc::Field::Diameter]) + ", Z " +
                             printable(in.values[calc::Field::Flutes]) + ", pitch " +
                             printable(in.values[calc::Field::PitchMm]) + " / " +
                             printable(in.values[calc::Field::ThreadsPerInch]) + ")";
    try {
        calc::composeCncLine(in, words, locale, line);
    } catch (const calc::InputError &) {
        FUZZ_CHECK(line == before, what + " threw and changed the line to " + printable(line));
        return 0;
    } catch (const std::exception &e) {
        FUZZ_FAIL(what + " threw " + e.what());
    }

    FUZZ_CHECK(fuzz::isMachineSafeLine(line, words), what + " gave " + printable(line));
    const QString expected = expectedLine(in, words, locale);
    FUZZ_CHECK(line == expected,
               what + " gave " + printable(line) + ", expected " + printable(expected));
    return 0;
}
