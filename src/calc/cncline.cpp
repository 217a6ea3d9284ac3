// SPDX-License-Identifier: MIT
#include "calc/cncline.h"

#include <charconv>
#include <cmath>

namespace calc {

QString plainNumberForLine(const QString &text, const NumberLocale &locale)
{
    const QString trimmed = text.trimmed();
    bool separatorSeen = false;
    bool digitSeen = false;
    QString plain;
    plain.reserve(trimmed.size());
    for (const QChar c : trimmed) {
        if (c >= u'0' && c <= u'9') {
            digitSeen = true;
            plain += c;
        } else if (c == locale.decimal && !separatorSeen) {
            separatorSeen = true;
            plain += u'.';
        } else {
            throw InputError("not a plain number");
        }
    }
    // Digits alone cannot overflow or go negative; zero is a number (a feed that rounds to 0).
    if (!digitSeen)
        throw InputError("no digits");
    return plain;
}

QString roundedNumberForLine(double value, int decimals)
{
    if (!(value >= 0.0))
        throw InputError("negative");
    // Adding 0 turns a -0 into 0, which the line writes without a sign.
    const double rounded = roundHalfEven(value, decimals) + 0.0;
    if (!std::isfinite(rounded))
        throw InputError("overflow");
    // The shortest plain text that reads back as the rounded value: it has no more
    // decimals than were kept. 330 characters hold the largest double written out.
    char buffer[330];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed);
    if (error != std::errc())
        throw InputError("overflow");
    return QString::fromLatin1(buffer, end - buffer);
}

namespace {

// A tap's feed word keeps this many decimals at most: the S word times the lead, exact for
// every lead of up to 4 decimals in the line's units.
constexpr int MostTapFeedDecimals = 4;

// The one field that the line takes for use.
constexpr Field fieldFor(LineUse use)
{
    for (const FieldInfo &field : FieldTable) {
        if (field.lineUse == use)
            return field.field;
    }
    throw "no field has that use"; // not reached: a compile-time error where it is used
}

} // namespace

void composeCncLine(const CncInput &input, const CncWords &words, const NumberLocale &locale,
                    QString &line)
{
    // Everything is read before anything is written: a line is whole or not at all.
    const ToolValues &values = input.values;
    constexpr Field speedField = fieldFor(LineUse::SpindleWord);
    constexpr Field feedField = fieldFor(LineUse::FeedWord);
    constexpr Field diameterField = fieldFor(LineUse::Diameter);
    constexpr Field edgesField = fieldFor(LineUse::Edges);
    // Each number names its field when the line cannot carry it.
    const auto of = [](Field field, auto &&write) {
        try {
            return write();
        } catch (const InputError &) {
            throw LineInputError(field);
        }
    };
    const double spindleSpeed =
        of(speedField, [&] { return textToNumber(values[speedField], locale); });
    const QString speed = of(speedField, [&] { return roundedNumberForLine(spindleSpeed, 0); });
    QString feed = of(feedField, [&] { return plainNumberForLine(values[feedField], locale); });
    const QString diameter = of(diameterField, [&] {
        return roundedNumberForLine(textToNumber(values[diameterField], locale), 4);
    });
    QString rest;
    switch (input.mode) {
    case ToolMode::Mill:
        rest = words.mill +
               of(edgesField, [&] { return plainNumberForLine(values[edgesField], locale); }) +
               words.edges;
        break;
    case ToolMode::Drill:
        rest = words.drill;
        break;
    case ToolMode::Tap: {
        const PitchUnit pitchUnit = input.pitchUnit;
        const Field pitchField =
            pitchUnit == PitchUnit::ThreadsPerInch ? Field::ThreadsPerInch : Field::PitchMm;
        const QString &pitch = values[pitchField];
        rest = words.tap + of(pitchField, [&] { return plainNumberForLine(pitch, locale); }) +
               words.pitch;
        // A rigid-tapping control feeds F/S per turn: that must be the lead itself, not a
        // feed from the unrounded speed.
        feed = of(pitchField, [&] {
            return roundedNumberForLine(tapFeedRate(textToNumber(pitch, locale), pitchUnit,
                                                    roundHalfEven(spindleSpeed, 0), input.units),
                                        MostTapFeedDecimals);
        });
        break;
    }
    }
    line = QLatin1String("S") + speed + QLatin1String(" M03 F") + feed + QLatin1String(" (") +
           diameter + rest;
}

} // namespace calc
