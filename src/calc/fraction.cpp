#include "calc/fraction.h"

namespace calc {

namespace {

// One part of a fraction. A point always reads as the decimal separator here, as does the
// locale's own; nothing groups digits. Throws InputError for a part that is no number.
double readFractionPart(QStringView part, const NumberLocale &locale)
{
    QString compact;
    compact.reserve(part.size());
    for (const QChar c : part) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        compact += c == locale.decimal ? QChar(u'.') : c;
    }
    if (compact.isEmpty())
        return 0.0;
    // Both separators a point: the decimal one wins, so no character groups digits.
    return textToNumber(compact, NumberLocale{QLatin1Char('.'), QLatin1Char('.')});
}

} // namespace

QString evaluateFraction(const QString &fractionText, const NumberLocale &locale)
{
    // The length was always held in a byte.
    constexpr qsizetype maxLength = 255;
    if (fractionText.size() > maxLength)
        return {};
    const QStringView text(fractionText);

    // The whole part is everything before the first blank.
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QStringView wholePart = blank < 0 ? QStringView() : text.left(blank);
    const QStringView rest = blank < 0 ? text : text.mid(blank + 1);

    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (wholePart.contains(QLatin1Char('/')) ||
        (slash >= 0 && rest.indexOf(QLatin1Char('/'), slash + 1) >= 0))
        return {};
    const QStringView numerator = slash < 0 ? rest : rest.left(slash);
    const QStringView denominator = slash < 0 ? QStringView() : rest.mid(slash + 1);

    try {
        const double whole = readFractionPart(wholePart, locale);
        const double quotient =
            checkedDiv(readFractionPart(numerator, locale), readFractionPart(denominator, locale));
        return numberToText(checkedAdd(whole, quotient), locale);
    } catch (const InputError &) {
        return {};
    }
}

} // namespace calc
