// SPDX-License-Identifier: MIT
#pragma once

// Shared by the calc tests: every worked example runs in a comma and a point locale.

#include "calc/numbers.h"

#include <QTest>

#include <array>
#include <charconv>

Q_DECLARE_METATYPE(calc::NumberLocale)

namespace calctest {

struct NamedLocale
{
    const char *name;
    calc::NumberLocale locale;
};

inline std::array<NamedLocale, 2> Locales()
{
    return {{{"comma", calc::commaLocale()}, {"point", calc::pointLocale()}}};
}

// A number text written with a point, in the locale's notation.
inline QString inLocale(QString pointText, const calc::NumberLocale &locale)
{
    pointText.replace(QLatin1Char('.'), locale.decimal);
    return pointText;
}

// Shortest round-trip text, to show a double exactly in a failure message.
inline QByteArray exactDigits(double value)
{
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QByteArray(buf, res.ptr - buf);
}

} // namespace calctest

// QCOMPARE on doubles is fuzzy; results here must be exact.
#define CALC_COMPARE_EXACT(actual, expected)                                                       \
    do {                                                                                           \
        const double actual_ = (actual);                                                           \
        const double expected_ = (expected);                                                       \
        QVERIFY2(actual_ == expected_, "got " + calctest::exactDigits(actual_) + ", expected " +   \
                                           calctest::exactDigits(expected_));                      \
    } while (false)
