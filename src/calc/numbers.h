// SPDX-License-Identifier: MIT
#pragma once

// Number texts. Every quantity is held as text; numbers exist only inside a formula.
// None of these read the process locale: the separators come in through NumberLocale,
// so the same code runs (and is tested) in a comma and a point locale on any machine.

#include <QChar>
#include <QString>

#include <stdexcept>

namespace calc {

// The decimal separator of every number text: a point or a comma and nothing else, since the
// settings file is Latin-1 and names only these two. A literal other than '.' or ',' does not
// compile, and no character read at run time converts to one.
class DecimalSeparator
{
public:
    consteval DecimalSeparator(char16_t c) : m_isPoint(c == u'.')
    {
        if (c != u'.' && c != u',')
            throw "a decimal separator is a point or a comma";
    }
    static constexpr DecimalSeparator pointIf(bool point)
    {
        return point ? DecimalSeparator(u'.') : DecimalSeparator(u',');
    }

    constexpr bool isPoint() const { return m_isPoint; }
    constexpr QChar character() const { return m_isPoint ? u'.' : u','; }
    constexpr operator QChar() const { return character(); }
    friend constexpr bool operator==(DecimalSeparator, DecimalSeparator) = default;

private:
    bool m_isPoint;
};

// The user's decimal and digit-group separators for number texts.
struct NumberLocale
{
    DecimalSeparator decimal = u'.';
    QChar group = QLatin1Char(',');
};

inline NumberLocale commaLocale()
{
    return {u',', QLatin1Char('.')};
}
inline NumberLocale pointLocale()
{
    return {u'.', QLatin1Char(',')};
}

// The one input error: a text that is no number, a division by zero, 0/0, an overflow.
// Each calculation chain has exactly one catch for it.
class InputError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads a number in the user's locale: blanks around it, an optional sign, digits with the
// decimal separator and (integer part only) skipped group separators, an optional exponent
// (e or E, optional sign, digits). Where the group separator is a no-break space, any of
// U+0020, U+00A0 and U+202F counts as one; where both separators are the same character, it
// is the decimal separator. Anything else, the empty text, or a value beyond the double
// range throws InputError; a value too small for a double reads as 0.
double textToNumber(const QString &text, const NumberLocale &locale);

// At most 15 significant digits, the locale's decimal separator, no grouping, no trailing
// zeros; exponent form (1E-05, 1.5E+15, 1E+100) below 0.0001 or from 1E15 on, judged on
// the rounded value. -0 is written "0". Throws InputError for infinity or NaN.
QString numberToText(double value, const NumberLocale &locale);

// Lenient reading with a point, whatever the locale: skips blanks, tabs and line feeds
// anywhere, stops at the first character that does not fit, gives 0 when no digit was read.
// Throws InputError only when the number lies beyond the double range.
double readLenientNumber(const QString &text);

// x rounded to k decimals (0..8), a tie going to the even neighbour. A tie is judged on the
// shortest decimal text of x, so 2.675 to two decimals gives 2.68. A value with no digits
// beyond k decimals comes back unchanged.
double roundHalfEven(double x, int k);

// Checked arithmetic: overflow, division by zero and 0/0 throw InputError; underflow does not.
double checkedMul(double a, double b);
double checkedDiv(double a, double b);
double checkedAdd(double a, double b);

} // namespace calc
