#include "calc/cncline.h"

namespace calc {

QString commasToPoints(QString &text)
{
    // The length was always walked with a byte counter.
    if (text.size() > 255)
        throw InputError("overflow");
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return text;
}

namespace {

// The part every tool kind shares, written into line at once: "S<n> M03 F<S>". Returns the
// diameter text for the comment that follows.
QString WriteSpindleAndFeed(const CncInput &input, const NumberLocale &locale, QString &line)
{
    QString feed = input.feedRate;
    commasToPoints(feed);
    // n is whole, so normally carries no separator; a huge one is written in exponent form,
    // and a CNC control still needs a point there.
    QString speed =
        numberToText(roundHalfEven(textToNumber(input.spindleSpeed, locale), 0), locale);
    commasToPoints(speed);
    line = QLatin1String("S") + speed + QLatin1String(" M03 ") + QLatin1String("F") + feed;

    QString diameter = numberToText(roundHalfEven(textToNumber(input.diameter, locale), 4), locale);
    return commasToPoints(diameter);
}

} // namespace

void composeCncLine(const CncInput &input, const CncWords &words, const NumberLocale &locale,
                    QString &line)
{
    // Independent tests, each rebuilding the line from scratch; the options exclude each
    // other, so normally one applies.
    if (input.mode == ToolMode::Mill) {
        const QString diameter = WriteSpindleAndFeed(input, locale, line);
        line += QLatin1String(" (") + diameter + words.mill;
        QString edges = input.flutes;
        line += commasToPoints(edges) + words.edges;
    }
    if (input.mode == ToolMode::Drill) {
        const QString diameter = WriteSpindleAndFeed(input, locale, line);
        line += QLatin1String(" (") + diameter + words.drill;
    }
    if (input.mode == ToolMode::Tap && input.pitchMmSelected) {
        const QString diameter = WriteSpindleAndFeed(input, locale, line);
        line += QLatin1String(" (") + diameter + words.tap;
        QString pitch = input.pitchMm;
        line += commasToPoints(pitch) + words.pitch;
    }
    if (input.mode == ToolMode::Tap && input.threadsPerInchSelected) {
        const QString diameter = WriteSpindleAndFeed(input, locale, line);
        line += QLatin1String(" (") + diameter + words.tap;
        QString pitch = input.threadsPerInch;
        line += commasToPoints(pitch) + words.pitch;
    }
}

} // namespace calc
