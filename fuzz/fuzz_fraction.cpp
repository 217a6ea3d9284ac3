// SPDX-License-Identifier: MIT
// Fraction entry in the Diameter field: any text gives either nothing or a number text of the
// locale, never an exception, and the same number in a comma and a point locale.
//
// Input: the first byte picks the decoding of the rest (UTF-8, Latin-1, UTF-16).

#include "fuzzcheck.h"

#include "calc/fraction.h"
#include "calc/numbers.h"

#include <cmath>
#include <exception>
#include <optional>
#include <string>

using calc::NumberLocale;
using fuzz::printable;

namespace {

QString evaluated(const QString &text, const NumberLocale &locale)
{
    try {
        return calc::evaluateFraction(text, locale);
    } catch (const std::exception &e) {
        FUZZ_FAIL("evaluateFraction(" + printable(text) + ") threw " + e.what());
    } catch (...) {
        FUZZ_FAIL("evaluateFraction(" + printable(text) + ") threw");
    }
}

// The value of a result, or nothing for the empty result; a non-empty result must be a
// number text of the locale.
std::optional<double> valueOf(const QString &text, const QString &result,
                              const NumberLocale &locale)
{
    const std::string what = "evaluateFraction(" + printable(text) + ") gave " + printable(result);
    FUZZ_CHECK(!result.contains(u'/'), what);
    if (result.isEmpty())
        return std::nullopt;
    try {
        const double x = calc::textToNumber(result, locale);
        FUZZ_CHECK(std::isfinite(x), what);
        // The result is written by numberToText, so it is its own canonical text.
        FUZZ_CHECK(calc::numberToText(x, locale) == result, what);
        return x;
    } catch (const calc::InputError &) {
        FUZZ_FAIL(what + ", which is no number text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto how = static_cast<fuzz::Decoding>(data[0] % 3);
    const QString text = fuzz::decode(reinterpret_cast<const char *>(data + 1), size - 1, how);

    const QString comma = evaluated(text, calc::commaLocale());
    const QString point = evaluated(text, calc::pointLocale());
    const auto commaValue = valueOf(text, comma, calc::commaLocale());
    const auto pointValue = valueOf(text, point, calc::pointLocale());

    // A point reads as the decimal separator in both locales, a comma in the comma locale only.
    if (text.contains(u','))
        FUZZ_CHECK(!pointValue, "evaluateFraction(" + printable(text) + ") gave " +
                                    printable(point) + " with a comma in a point locale");
    else
        FUZZ_CHECK(commaValue == pointValue, "evaluateFraction(" + printable(text) + ") gave " +
                                                 printable(comma) + " and " + printable(point));
    // One slash, no more.
    if (text.count(u'/') > 1)
        FUZZ_CHECK(comma.isEmpty(), "evaluateFraction(" + printable(text) + ") gave " +
                                        printable(comma) + " for a second slash");
    // Without a slash the denominator is empty: nothing to divide by.
    if (!text.contains(u'/'))
        FUZZ_CHECK(comma.isEmpty(), "evaluateFraction(" + printable(text) + ") gave " +
                                        printable(comma) + " without a slash");
    // The length is held in a byte.
    if (text.size() > 255)
        FUZZ_CHECK(comma.isEmpty(), "evaluateFraction(" + printable(text) + ") gave " +
                                        printable(comma) + " for a text over 255 characters");
    return 0;
}
