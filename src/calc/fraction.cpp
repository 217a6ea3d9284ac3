#include "calc/fraction.h"

namespace calc {

QString evaluateFraction(const QString &fractionText, const NumberLocale &locale)
{
    // The length was always held in a byte: a longer text is walked as if it were empty,
    // which ends in 0/0 and so in the empty result.
    constexpr qsizetype maxLength = 255;
    const qsizetype length = fractionText.size() <= maxLength ? fractionText.size() : 0;
    const QStringView text = QStringView(fractionText).left(length);

    // The whole part is everything before the first blank.
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QStringView wholePart = blank < 0 ? QStringView() : text.left(blank);
    const QStringView rest = blank < 0 ? text : text.mid(blank + 1);

    // Every "/" is dropped; what comes after the first one is the denominator. Later blanks
    // stay in the parts (readLenientNumber skips them).
    QString numerator;
    QString denominator;
    bool slashSeen = false;
    for (QChar c : rest) {
        if (c == QLatin1Char('/'))
            slashSeen = true;
        else if (slashSeen)
            denominator += c;
        else
            numerator += c;
    }

    try {
        const double whole = readLenientNumber(wholePart.toString());
        const double quotient =
            checkedDiv(readLenientNumber(numerator), readLenientNumber(denominator));
        return numberToText(checkedAdd(whole, quotient), locale);
    } catch (const InputError &) {
        return {};
    }
}

} // namespace calc
