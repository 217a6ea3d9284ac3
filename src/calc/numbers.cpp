// SPDX-License-Identifier: MIT
#include "calc/numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace calc {

namespace {

// A number taken apart into ASCII pieces, so that from_chars (which ignores LC_NUMERIC)
// does the conversion whatever separators the text used.
struct DecimalParts
{
    bool negative = false;
    std::string intDigits;
    std::string fracDigits;
    bool expNegative = false;
    std::string expDigits;
};

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The exponent as a number, saturated: "1e99999999999999999999" is still just huge.
long long saturatedExponent(const DecimalParts &p)
{
    long long e = 0;
    for (char c : p.expDigits) {
        e = e * 10 + (c - '0');
        if (e > 1'000'000'000)
            e = 1'000'000'000;
    }
    return p.expNegative ? -e : e;
}

// from_chars reports both overflow and underflow as out of range; tell them apart by the
// decimal position of the first significant digit.
bool isBeyondRange(const DecimalParts &p)
{
    long long magnitude = 0;
    const auto first = p.intDigits.find_first_not_of('0');
    if (first != std::string::npos) {
        magnitude = static_cast<long long>(p.intDigits.size() - first) - 1;
    } else {
        const auto frac = p.fracDigits.find_first_not_of('0');
        if (frac == std::string::npos)
            return false;
        magnitude = -static_cast<long long>(frac) - 1;
    }
    return magnitude + saturatedExponent(p) >= 0;
}

double toDouble(const DecimalParts &p)
{
    std::string ascii;
    ascii.reserve(p.intDigits.size() + p.fracDigits.size() + p.expDigits.size() + 4);
    if (p.negative)
        ascii += '-';
    ascii += p.intDigits.empty() ? std::string("0") : p.intDigits;
    if (!p.fracDigits.empty()) {
        ascii += '.';
        ascii += p.fracDigits;
    }
    if (!p.expDigits.empty()) {
        ascii += 'e';
        if (p.expNegative)
            ascii += '-';
        ascii += p.expDigits;
    }

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (isBeyondRange(p))
            throw InputError("number beyond the double range");
        return p.negative ? -0.0 : 0.0; // underflow is no error
    }
    if (ec != std::errc() || ptr != ascii.data() + ascii.size())
        throw InputError("not a number");
    return value;
}

// Blanks that may stand for a no-break-space group separator: users cannot type
// U+00A0 or U+202F, and a pasted text may carry any of them.
bool isBlankSeparator(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

// A number read from the front of a text; the two readers judge what it leaves.
struct ScannedNumber
{
    DecimalParts parts;
    bool hasDigits = false; // in the integer part or the fraction
    bool atEnd = false;     // nothing but skipped characters after it
};

// For a reader that skips nothing, or groups no digits.
bool matchesNothing(QChar)
{
    return false;
}

// The one scan of sign, integer digits, fraction and exponent behind both readers. isSkipped
// characters are passed over wherever they stand; isGroup characters only after the first
// integer digit and before the decimal separator. An exponent mark counts only with digits
// after it, else the scan ends before it.
template <typename Skipped, typename Group>
ScannedNumber scanNumber(QStringView s, QChar decimal, Skipped isSkipped, Group isGroup)
{
    const qsizetype n = s.size();
    // The first character at or after k that is not skipped.
    const auto next = [&](qsizetype k) {
        while (k < n && isSkipped(s[k]))
            ++k;
        return k;
    };
    const auto digitAt = [&](qsizetype k) { return k < n && isAsciiDigit(s[k]); };
    const auto signAt = [&](qsizetype k) {
        return k < n && (s[k] == QLatin1Char('+') || s[k] == QLatin1Char('-'));
    };

    ScannedNumber number;
    DecimalParts &p = number.parts;
    qsizetype i = next(0);
    if (signAt(i)) {
        p.negative = s[i] == QLatin1Char('-');
        i = next(i + 1);
    }
    for (; i < n; i = next(i + 1)) {
        if (isAsciiDigit(s[i]))
            p.intDigits += char(s[i].unicode());
        else if (!isGroup(s[i]) || p.intDigits.empty())
            break;
    }
    if (i < n && s[i] == decimal) {
        for (i = next(i + 1); digitAt(i); i = next(i + 1))
            p.fracDigits += char(s[i].unicode());
    }
    number.hasDigits = !p.intDigits.empty() || !p.fracDigits.empty();
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        qsizetype j = next(i + 1);
        bool negative = false;
        if (signAt(j)) {
            negative = s[j] == QLatin1Char('-');
            j = next(j + 1);
        }
        std::string digits;
        for (; digitAt(j); j = next(j + 1))
            digits += char(s[j].unicode());
        if (!digits.empty()) {
            p.expNegative = negative;
            p.expDigits = std::move(digits);
            i = j;
        }
    }
    number.atEnd = i == n;
    return number;
}

// A decimal digit string and its exponent: "2.675" is {"2675", 0}, meaning 2.675e0.
struct ScientificDigits
{
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Splits to_chars' scientific output ("-2.675e+00") into sign, digits and exponent.
ScientificDigits splitScientific(const char *first, const char *last)
{
    ScientificDigits s;
    const char *p = first;
    if (p != last && *p == '-') {
        s.negative = true;
        ++p;
    }
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.')
            s.digits += *p;
    }
    if (p != last) {
        ++p; // 'e'
        std::from_chars(*p == '+' ? p + 1 : p, last, s.exponent);
    }
    return s;
}

} // namespace

double textToNumber(const QString &text, const NumberLocale &locale)
{
    QStringView s(text);
    while (!s.isEmpty() && s.front().isSpace())
        s = s.mid(1);
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);

    // The decimal separator wins when a locale uses one character for both.
    const auto isGroup = [&locale](QChar c) {
        if (c == locale.decimal)
            return false;
        if (c == locale.group)
            return true;
        return isBlankSeparator(locale.group) && isBlankSeparator(c);
    };

    const ScannedNumber number = scanNumber(s, locale.decimal, matchesNothing, isGroup);
    if (!number.hasDigits || !number.atEnd)
        throw InputError("not a number");
    return toDouble(number.parts);
}

QString numberToText(double value, const NumberLocale &locale)
{
    if (!std::isfinite(value))
        throw InputError("overflow");
    if (value == 0.0)
        return QStringLiteral("0"); // also -0

    // 15 significant digits, rounded from the exact binary value.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    ScientificDigits s = splitScientific(buf, res.ptr);
    while (s.digits.size() > 1 && s.digits.back() == '0')
        s.digits.pop_back();

    QString out;
    if (s.negative)
        out += QLatin1Char('-');
    const int e = s.exponent;
    if (e < -4 || e >= 15) {
        out += QLatin1Char(s.digits[0]);
        if (s.digits.size() > 1) {
            out += locale.decimal;
            out += QLatin1String(s.digits.data() + 1, qsizetype(s.digits.size() - 1));
        }
        out += QLatin1Char('E');
        out += QLatin1Char(e < 0 ? '-' : '+');
        out += QString::number(std::abs(e)).rightJustified(2, QLatin1Char('0'));
    } else if (e < 0) {
        out += QLatin1Char('0');
        out += locale.decimal;
        out += QString(-e - 1, QLatin1Char('0'));
        out += QLatin1String(s.digits.data(), qsizetype(s.digits.size()));
    } else {
        const auto intCount = std::size_t(e) + 1;
        if (s.digits.size() <= intCount) {
            out += QLatin1String(s.digits.data(), qsizetype(s.digits.size()));
            out += QString(qsizetype(intCount - s.digits.size()), QLatin1Char('0'));
        } else {
            out += QLatin1String(s.digits.data(), qsizetype(intCount));
            out += locale.decimal;
            out += QLatin1String(s.digits.data() + intCount, qsizetype(s.digits.size() - intCount));
        }
    }
    return out;
}

double readLenientNumber(const QString &text)
{
    // Blanks, tabs and line feeds do not count wherever they stand.
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; };
    const ScannedNumber number = scanNumber(text, QLatin1Char('.'), isBlank, matchesNothing);
    return number.hasDigits ? toDouble(number.parts) : 0.0;
}

double roundHalfEven(double x, int k)
{
    if (!std::isfinite(x) || x == 0.0)
        return x;

    // The tie is judged on the shortest text that reads back as x, so 2.675 is a tie
    // although its binary value lies just below it.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
    const ScientificDigits s = splitScientific(buf, res.ptr);

    // Digits at index 0..kept-1 have a place value of at least 10^-k.
    const long long kept = static_cast<long long>(s.exponent) + k + 1;
    if (kept >= static_cast<long long>(s.digits.size()))
        return x; // no digits beyond k decimals
    if (kept < 0)
        return s.negative ? -0.0 : 0.0; // less than a tenth of the last kept place

    std::string head = s.digits.substr(0, std::size_t(kept));
    const std::string tail = s.digits.substr(std::size_t(kept));
    bool up = false;
    if (tail[0] > '5') {
        up = true;
    } else if (tail[0] == '5') {
        const bool beyondHalf = tail.find_first_not_of('0', 1) != std::string::npos;
        const bool lastOdd = !head.empty() && (head.back() - '0') % 2 == 1;
        up = beyondHalf || lastOdd;
    }

    // head holds the kept digits, the last of them in the place 10^-k; an empty head is 0.
    if (head.empty())
        head.push_back('0'); // not head = "0": GCC 12 at -O2 warns falsely (-Wrestrict)
    if (up) {
        std::size_t pos = head.size();
        while (pos > 0 && head[pos - 1] == '9')
            head[--pos] = '0';
        if (pos == 0)
            head.insert(head.begin(), '1');
        else
            ++head[pos - 1];
    }

    std::string ascii;
    if (s.negative)
        ascii += '-';
    ascii += head;
    ascii += 'e';
    ascii += std::to_string(-k);

    double value = 0.0;
    std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return value;
}

double checkedMul(double a, double b)
{
    const double r = a * b;
    if (!std::isfinite(r))
        throw InputError("overflow");
    return r;
}

double checkedDiv(double a, double b)
{
    if (b == 0.0)
        throw InputError("division by zero");
    const double r = a / b;
    if (!std::isfinite(r))
        throw InputError("overflow");
    return r;
}

double checkedAdd(double a, double b)
{
    const double r = a + b;
    if (!std::isfinite(r))
        throw InputError("overflow");
    return r;
}

} // namespace calc
