// SPDX-License-Identifier: MIT
// The number texts: any text is read without a crash, and every finite double survives the
// trip through its text in both a comma and a point locale.
//
// Input: the whole input as a text (UTF-8 and Latin-1); when it has 8 bytes or more, its
// first 8 bytes also as a double.

#include "fuzzcheck.h"

#include "calc/numbers.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

using calc::NumberLocale;
using fuzz::printable;

namespace {

std::string numberText(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

std::string localeName(const NumberLocale &locale)
{
    return locale.decimal.isPoint() ? "point locale" : "comma locale";
}

// The number a text reads as, or nothing when it is no number; a finite result or an
// InputError are the only outcomes.
std::optional<double> readNumber(const QString &text, const NumberLocale &locale)
{
    try {
        const double x = calc::textToNumber(text, locale);
        FUZZ_CHECK(std::isfinite(x), "textToNumber(" + printable(text) + ") in the " +
                                         localeName(locale) + " gave " + numberText(x));
        return x;
    } catch (const calc::InputError &) {
        return std::nullopt;
    } catch (const std::exception &e) {
        FUZZ_FAIL("textToNumber(" + printable(text) + ") threw " + e.what());
    }
}

std::optional<double> readLenient(const QString &text)
{
    try {
        const double x = calc::readLenientNumber(text);
        FUZZ_CHECK(std::isfinite(x),
                   "readLenientNumber(" + printable(text) + ") gave " + numberText(x));
        return x;
    } catch (const calc::InputError &) {
        return std::nullopt;
    } catch (const std::exception &e) {
        FUZZ_FAIL("readLenientNumber(" + printable(text) + ") threw " + e.what());
    }
}

bool onlyPlainNumberCharacters(const QString &text)
{
    for (const QChar c : text) {
        if (!(c.unicode() < 0x80 && (c.isDigit() || c == u'.' || c == u'e' || c == u'E' ||
                                     c == u'+' || c == u'-' || c == u' ')))
            return false;
    }
    return true;
}

void checkText(const QString &text)
{
    const auto comma = readNumber(text, calc::commaLocale());
    const auto point = readNumber(text, calc::pointLocale());
    // Without either separator, the locale cannot matter.
    if (!text.contains(u',') && !text.contains(u'.')) {
        FUZZ_CHECK(comma.has_value() == point.has_value() && (!comma || *comma == *point),
                   "textToNumber(" + printable(text) + ") differs between the locales");
    }

    const auto lenient = readLenient(text);
    // A plain number with a point reads the same strictly and leniently.
    if (point && onlyPlainNumberCharacters(text)) {
        FUZZ_CHECK(lenient && *lenient == *point,
                   "readLenientNumber(" + printable(text) +
                       ") = " + (lenient ? numberText(*lenient) : "error") +
                       ", textToNumber in the point locale = " + numberText(*point));
    }
}

// The number of significant digits of the mantissa of a number text.
int significantDigits(const QString &mantissa)
{
    QString digits;
    for (const QChar c : mantissa) {
        if (c.isDigit())
            digits += c;
    }
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    return static_cast<int>(digits.size());
}

void checkTextOfNumber(double x, const NumberLocale &locale)
{
    QString text;
    try {
        text = calc::numberToText(x, locale);
    } catch (const std::exception &e) {
        FUZZ_FAIL("numberToText(" + numberText(x) + ") threw " + e.what());
    }
    const std::string what = "numberToText(" + numberText(x) + ") in the " + localeName(locale) +
                             " gave " + printable(text);

    FUZZ_CHECK(!text.isEmpty(), what);
    for (const QChar c : text) {
        const bool allowed = (c.unicode() < 0x80 && c.isDigit()) || c == u'-' || c == u'+' ||
                             c == u'E' || c == locale.decimal;
        FUZZ_CHECK(allowed, what);
    }
    FUZZ_CHECK(text != QLatin1String("-0"), what);

    const qsizetype e = text.indexOf(u'E');
    const QString mantissa = e < 0 ? text : text.left(e);
    FUZZ_CHECK(significantDigits(mantissa) <= 15, what);
    if (mantissa.contains(locale.decimal)) {
        FUZZ_CHECK(!mantissa.endsWith(u'0') && !mantissa.endsWith(locale.decimal), what);
    }
    if (e >= 0) {
        const QString exponent = text.mid(e + 1);
        FUZZ_CHECK(exponent.size() >= 3 && (exponent[0] == u'+' || exponent[0] == u'-'), what);
    }

    const auto back = readNumber(text, locale);
    // Within 15 digits of the largest double, the rounded text lies beyond it and reads as an
    // overflow; everything else reads back.
    if (!back && std::fabs(x) > 1.79769313486231e308)
        return;
    FUZZ_CHECK(back.has_value(), what + ", which does not read back");
    const double y = *back;
    FUZZ_CHECK(std::fabs(y - x) <= 1e-14 * std::fabs(x) + DBL_TRUE_MIN,
               what + ", which reads back as " + numberText(y));
    if (x == 0)
        FUZZ_CHECK(y == 0 && text == QLatin1String("0"), what);

    // Exponent form for the very small and the very large, judged on the written value.
    const double a = std::fabs(y);
    if (e >= 0)
        FUZZ_CHECK(a < 1e-4 * (1 + 1e-14) || a >= 1e15 * (1 - 1e-14), what);
    else if (a != 0)
        FUZZ_CHECK(a >= 1e-4 * (1 - 1e-14) && a < 1e15 * (1 + 1e-14), what);
}

void checkRounding(double x)
{
    for (int k = 0; k <= 8; ++k) {
        double r = 0;
        try {
            r = calc::roundHalfEven(x, k);
        } catch (const std::exception &e) {
            FUZZ_FAIL("roundHalfEven(" + numberText(x) + ", " + std::to_string(k) + ") threw " +
                      e.what());
        }
        const std::string what =
            "roundHalfEven(" + numberText(x) + ", " + std::to_string(k) + ") gave " + numberText(r);
        FUZZ_CHECK(std::isfinite(r), what);
        const double half = 0.5 * std::pow(10.0, -k);
        FUZZ_CHECK(std::fabs(r - x) <= half * (1 + 1e-9) + 4 * DBL_EPSILON * std::fabs(x), what);
        FUZZ_CHECK(r == 0 || std::signbit(r) == std::signbit(x), what);
        // A rounded number stays as it is when rounded again.
        FUZZ_CHECK(calc::roundHalfEven(r, k) == r,
                   what + ", which rounds again to " + numberText(calc::roundHalfEven(r, k)));
        // An exact half (x + 0.5 whole) goes to the even neighbour.
        if (k == 0 && std::fabs(x) < 0x1p52 && x != std::trunc(x) && 2 * x == std::trunc(2 * x)) {
            const double lower = std::floor(x);
            const double even = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
            FUZZ_CHECK(r == even, what);
        }
    }
}

void checkNumber(double x)
{
    if (!std::isfinite(x))
        return;
    checkTextOfNumber(x, calc::commaLocale());
    checkTextOfNumber(x, calc::pointLocale());
    checkRounding(x);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto *chars = reinterpret_cast<const char *>(data);
    for (const auto how : {fuzz::Decoding::Utf8, fuzz::Decoding::Latin1}) {
        const QString text = fuzz::decode(chars, size, how);
        checkText(text);
        // Whatever reads as a number is also a number to write and round.
        if (const auto x = readNumber(text, calc::commaLocale()))
            checkNumber(*x);
        if (const auto x = readNumber(text, calc::pointLocale()))
            checkNumber(*x);
    }
    if (size >= sizeof(double)) {
        double x = 0;
        std::memcpy(&x, data, sizeof x);
        checkNumber(x);
    }
    return 0;
}
