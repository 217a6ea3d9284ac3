// SPDX-License-Identifier: MIT
#include "calc/fraction.h"

namespace calc {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits with at most one decimal separator: a point, or the locale's own. Nothing groups
// digits and nothing signs them. Throws InputError for anything else.
double readFractionPart(QStringView part, const NumberLocale &locale)
{
    QString plain;
    plain.reserve(part.size());
    bool separatorSeen = false;
    bool digitSeen = false;
    for (const QChar c : part) {
        if (isDigit(c)) {
            digitSeen = true;
            plain += c;
        } else if ((c == u'.' || c == locale.decimal) && !separatorSeen) {
            separatorSeen = true;
            plain += u'.';
        } else {
            throw InputError("not a fraction");
        }
    }
    if (!digitSeen)
        throw InputError("not a fraction");
    return textToNumber(plain, pointLocale());
}

} // namespace

QString evaluateFraction(const QString &fractionText, const NumberLocale &locale)
{
    // The length was always held in a byte.
    constexpr qsizetype maxLength = 255;
    if (fractionText.size() > maxLength)
        return {};
    // A pasted tab stands for the blank that was typed.
    QString text = fractionText;
    text.replace(u'\t', u' ');
    const QStringView entry = QStringView(text).trimmed();

    const qsizetype blank = entry.indexOf(u' ');
    const QStringView wholePart = blank < 0 ? QStringView() : entry.left(blank);
    const QStringView fraction = blank < 0 ? entry : entry.mid(blank + 1);
    const qsizetype slash = fraction.indexOf(u'/');
    if (slash < 0)
        return {};
    const QStringView numerator = fraction.left(slash);
    const QStringView denominator = fraction.mid(slash + 1);

    try {
        // The whole part is a whole number; only a slash with nothing before it reads as 0/b.
        for (const QChar c : wholePart) {
            if (!isDigit(c))
                return {};
        }
        const double whole = wholePart.isEmpty() ? 0.0 : readFractionPart(wholePart, locale);
        const bool bareSlash = numerator.isEmpty() && blank < 0;
        const double top = bareSlash ? 0.0 : readFractionPart(numerator, locale);
        const double quotient = checkedDiv(top, readFractionPart(denominator, locale));
        return numberToText(checkedAdd(whole, quotient), locale);
    } catch (const InputError &) {
        return {};
    }
}

} // namespace calc
