// SPDX-License-Identifier: MIT
#include "calctest.h"

#include "calc/numbers.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace calc;
using calctest::inLocale;

namespace {

// The expected value of a row that expects an InputError.
const double Rejected = std::numeric_limits<double>::quiet_NaN();

using Operation = double (*)(double, double);

} // namespace

Q_DECLARE_METATYPE(Operation)

// The value, or an InputError where the row expects Rejected.
#define COMPARE_OR_REJECTED(actual, expected)                                                      \
    do {                                                                                           \
        if (std::isnan(expected))                                                                  \
            QVERIFY_THROWS_EXCEPTION(InputError, actual);                                          \
        else                                                                                       \
            CALC_COMPARE_EXACT(actual, expected);                                                  \
    } while (false)

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void textToNumber_readsLocaleNotationOrRejects_data();
    void textToNumber_readsLocaleNotationOrRejects();

    void numberToText_writesFifteenSignificantDigitsOrRejects_data();
    void numberToText_writesFifteenSignificantDigitsOrRejects();
    void numberToText_readsBackInBothLocales_data();
    void numberToText_readsBackInBothLocales();

    void valNumber_readsLenientlyThrowingOnlyBeyondRange_data();
    void valNumber_readsLenientlyThrowingOnlyBeyondRange();

    void roundHalfEven_roundsTiesToEven_data();
    void roundHalfEven_roundsTiesToEven();

    void checkedArithmetic_throwsOnOverflowAndZeroDivisorOnly_data();
    void checkedArithmetic_throwsOnOverflowAndZeroDivisorOnly();
};

void TestNumbers::textToNumber_readsLocaleNotationOrRejects_data()
{
    QTest::addColumn<NumberLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    const NumberLocale comma = commaLocale();
    const NumberLocale point = pointLocale();
    // The same text reads differently: the other separator is a group separator.
    QTest::newRow("comma: 12,5") << comma << "12,5" << 12.5;
    QTest::newRow("point: 12,5 is grouped") << point << "12,5" << 125.0;
    QTest::newRow("point: 12.5") << point << "12.5" << 12.5;
    QTest::newRow("comma: 12.5 is grouped") << comma << "12.5" << 125.0;
    QTest::newRow("comma: grouped with decimals") << comma << "1.234.567,25" << 1234567.25;
    QTest::newRow("point: grouped with decimals") << point << "1,234,567.25" << 1234567.25;
    QTest::newRow("blanks around") << comma << "  \t-7,5 " << -7.5;
    QTest::newRow("plus sign") << point << "+3" << 3.0;
    QTest::newRow("leading separator") << comma << ",5" << 0.5;
    QTest::newRow("trailing separator") << point << "5." << 5.0;
    QTest::newRow("exponent E+") << comma << "1,5E+3" << 1500.0;
    QTest::newRow("exponent e-") << point << "2.5e-3" << 0.0025;
    QTest::newRow("exponent without sign") << point << "1E5" << 100000.0;
    QTest::newRow("exponent form as written") << comma << "5E-05" << 0.00005;
    QTest::newRow("negative zero") << point << "-0" << 0.0;
    QTest::newRow("largest double")
        << point << "1.7976931348623157E+308" << std::numeric_limits<double>::max();
    QTest::newRow("underflow gives 0") << comma << "1E-400" << 0.0;
    QTest::newRow("300 digits") << point << QString(300, QLatin1Char('9')) << 1e300;
    QTest::newRow("pi text") << comma << "3,14159265358979" << 3.14159265358979;
    QTest::newRow("empty") << comma << "" << Rejected;
    QTest::newRow("blanks only") << point << "   " << Rejected;
    QTest::newRow("letters") << comma << "abc" << Rejected;
    QTest::newRow("trailing letter") << point << "12a" << Rejected;
    QTest::newRow("sign only") << comma << "-" << Rejected;
    QTest::newRow("separator only") << comma << "," << Rejected;
    QTest::newRow("two signs") << point << "--1" << Rejected;
    QTest::newRow("second decimal separator") << comma << "1,2,3" << Rejected;
    QTest::newRow("group in decimals") << point << "1.234,5" << Rejected;
    QTest::newRow("group before any digit") << point << ",5" << Rejected;
    QTest::newRow("inner blank") << comma << "1 2" << Rejected;
    QTest::newRow("exponent without digits") << point << "1E" << Rejected;
    QTest::newRow("exponent sign without digits") << point << "1E+" << Rejected;
    QTest::newRow("fraction") << comma << "1 1/2" << Rejected;
    QTest::newRow("hex") << point << "0x10" << Rejected;
    QTest::newRow("infinity") << point << "inf" << Rejected;
    QTest::newRow("nan") << point << "nan" << Rejected;
    QTest::newRow("non-ASCII digits") << comma << QString::fromUtf8("١٢") << Rejected;
    QTest::newRow("vulgar fraction") << comma << QString::fromUtf8("½") << Rejected;
    QTest::newRow("overflow") << point << "1E309" << Rejected;
    QTest::newRow("overflow in digits") << comma << QString(310, QLatin1Char('9')) << Rejected;
    QTest::newRow("huge exponent") << point << "1E99999999999999999999" << Rejected;
    // Where a no-break space groups digits, either kind of it or a blank does.
    const NumberLocale nbsp{u',', QChar(0x00A0)};
    const NumberLocale narrowNbsp{u',', QChar(0x202F)};
    QTest::newRow("U+00A0 locale, U+00A0") << nbsp << QString::fromUtf8("1\u00A0234,5") << 1234.5;
    QTest::newRow("U+00A0 locale, U+202F") << nbsp << QString::fromUtf8("1\u202F234,5") << 1234.5;
    QTest::newRow("U+202F locale, blank") << narrowNbsp << QStringLiteral("1 234,5") << 1234.5;
    // A decimal separator that is also the group separator is read as the decimal.
    const NumberLocale same{u'.', QLatin1Char('.')};
    QTest::newRow("decimal wins over equal group") << same << QStringLiteral("12.5") << 12.5;
    QTest::newRow("equal group: second point") << same << QStringLiteral("1.234.5") << Rejected;
}

void TestNumbers::textToNumber_readsLocaleNotationOrRejects()
{
    QFETCH(NumberLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, expected);
    COMPARE_OR_REJECTED(textToNumber(text, locale), expected);
}

void TestNumbers::numberToText_writesFifteenSignificantDigitsOrRejects_data()
{
    QTest::addColumn<NumberLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    struct Row
    {
        const char *name;
        double value;
        const char *text; // written with a point; nullptr: InputError
    };
    const Row rows[] = {
        {"half", 0.5, "0.5"},
        {"whole", 3183.0, "3183"},
        {"whole with zeros", 100.0, "100"},
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"negative", -2.5, "-2.5"},
        {"one third, rounded down", 1.0 / 3.0, "0.333333333333333"},
        {"two thirds, rounded up", 2.0 / 3.0, "0.666666666666667"},
        {"binary noise hidden", 0.1 + 0.2, "0.3"},
        {"1/24", 1.0 / 24.0, "0.0416666666666667"},
        {"pi", 3.14159265358979, "3.14159265358979"},
        {"smallest fixed", 0.0001, "0.0001"},
        {"rounds up into fixed", 0.00009999999999999999, "0.0001"},
        {"below 0.0001", 0.00001, "1E-05"},
        {"below 0.0001 with decimals", -0.000015, "-1.5E-05"},
        {"largest fixed", 999999999999999.0, "999999999999999"},
        {"rounds up into exponent", 999999999999999.9, "1E+15"},
        {"1E15", 1e15, "1E+15"},
        {"1.5E15", 1.5e15, "1.5E+15"},
        {"three exponent digits", 1e100, "1E+100"},
        {"negative exponent, three digits", 1.5e-100, "1.5E-100"},
        {"large, rounded to 15 digits", 123456789012345678.0, "1.23456789012346E+17"},
        {"largest double", std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        {"smallest subnormal", std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {"infinity", std::numeric_limits<double>::infinity(), nullptr},
        {"minus infinity", -std::numeric_limits<double>::infinity(), nullptr},
        {"nan", std::numeric_limits<double>::quiet_NaN(), nullptr},
    };
    for (const auto &[name, locale] : calctest::Locales()) {
        for (const Row &row : rows) {
            QTest::addRow("%s: %s", name, row.name)
                << locale << row.value << inLocale(QString::fromLatin1(row.text), locale);
        }
    }
}

void TestNumbers::numberToText_writesFifteenSignificantDigitsOrRejects()
{
    QFETCH(NumberLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    if (expected.isEmpty())
        QVERIFY_THROWS_EXCEPTION(InputError, numberToText(value, locale));
    else
        QCOMPARE(numberToText(value, locale), expected);
}

void TestNumbers::numberToText_readsBackInBothLocales_data()
{
    QTest::addColumn<NumberLocale>("locale");
    QTest::addColumn<double>("value");
    for (const auto &[name, locale] : calctest::Locales()) {
        QTest::addRow("%s: thousands", name) << locale << 1234567.125;
        QTest::addRow("%s: small", name) << locale << -0.000012345;
        QTest::addRow("%s: large", name) << locale << 6.02214076e23;
    }
}

void TestNumbers::numberToText_readsBackInBothLocales()
{
    QFETCH(NumberLocale, locale);
    QFETCH(double, value);
    CALC_COMPARE_EXACT(textToNumber(numberToText(value, locale), locale), value);
}

void TestNumbers::valNumber_readsLenientlyThrowingOnlyBeyondRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("point") << "12.5" << 12.5;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("blanks anywhere") << " 1 2 . 5 " << 12.5;
    QTest::newRow("tab and line feed") << "\t-\n3" << -3.0;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("plus and leading point") << "+.5" << 0.5;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent with sign") << "1E-2" << 0.01;
    QTest::newRow("exponent without digits") << "1E" << 1.0;
    QTest::newRow("exponent sign without digits") << "1E+" << 1.0;
    QTest::newRow("underflow gives 0") << "1e-400" << 0.0;
    QTest::newRow("zero with a huge exponent") << "0e99999" << 0.0;
    QTest::newRow("non-ASCII stops") << QString::fromUtf8("3½") << 3.0;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("١٢") << 0.0;
    QTest::newRow("currency sign") << QString::fromUtf8("5€") << 5.0;
    QTest::newRow("300 characters")
        << QStringLiteral("1") + QString(299, QLatin1Char('0')) << 1e299;
    QTest::newRow("300 blanks then a number") << QString(300, QLatin1Char(' ')) + "7" << 7.0;
    QTest::newRow("beyond range: exponent") << "1e309" << Rejected;
    QTest::newRow("beyond range: 310 digits") << QString(310, QLatin1Char('9')) << Rejected;
    QTest::newRow("beyond range: negative") << "-2e308" << Rejected;
    QTest::newRow("beyond range: huge exponent") << "1E99999999999999999999" << Rejected;
}

void TestNumbers::valNumber_readsLenientlyThrowingOnlyBeyondRange()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    COMPARE_OR_REJECTED(readLenientNumber(text), expected);
}

void TestNumbers::roundHalfEven_roundsTiesToEven_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 down to even") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5 up to even") << 3.5 << 0 << 4.0;
    QTest::newRow("0.5 to 0") << 0.5 << 0 << 0.0;
    QTest::newRow("1273.5") << 1273.5 << 0 << 1274.0;
    QTest::newRow("1274.5") << 1274.5 << 0 << 1274.0;
    QTest::newRow("negative tie") << -2.5 << 0 << -2.0;
    QTest::newRow("negative tie up") << -3.5 << 0 << -4.0;
    QTest::newRow("just above a tie") << 2.5000001 << 0 << 3.0;
    QTest::newRow("below half") << 0.49 << 0 << 0.0;
    QTest::newRow("carry through nines") << 9.5 << 0 << 10.0;
    QTest::newRow("carry to a new digit") << 99.995 << 2 << 100.0;
    // The shortest text of 2.675 is a tie although the double lies just below it.
    QTest::newRow("2.675 judged on its text") << 2.675 << 2 << 2.68;
    QTest::newRow("2.665 judged on its text") << 2.665 << 2 << 2.66;
    QTest::newRow("three decimals") << 3183.09886183791 << 3 << 3183.099;
    QTest::newRow("eight decimals") << 31.4159265358979 << 8 << 31.41592654;
    QTest::newRow("eight decimals, trailing zero") << 392.699081698724 << 8 << 392.6990817;
    QTest::newRow("tie at the 8th place") << 0.000000015 << 8 << 0.00000002;
    QTest::newRow("tie below the 8th place") << 0.000000005 << 8 << 0.0;
    QTest::newRow("far below the last place") << 1e-20 << 8 << 0.0;
    QTest::newRow("already short") << 0.25 << 3 << 0.25;
    QTest::newRow("too large for decimals") << 1e20 << 2 << 1e20;
    QTest::newRow("no digits past the point") << 12345678901234568.0 << 0 << 12345678901234568.0;
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << 8 << std::numeric_limits<double>::max();
    QTest::newRow("zero") << 0.0 << 2 << 0.0;
}

void TestNumbers::roundHalfEven_roundsTiesToEven()
{
    QFETCH(double, x);
    QFETCH(int, k);
    QFETCH(double, expected);
    CALC_COMPARE_EXACT(roundHalfEven(x, k), expected);
}

void TestNumbers::checkedArithmetic_throwsOnOverflowAndZeroDivisorOnly_data()
{
    QTest::addColumn<Operation>("op");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("expected");

    QTest::newRow("product overflows") << &checkedMul << 1e200 << 1e200 << Rejected;
    QTest::newRow("negative product overflows") << &checkedMul << -1e200 << 1e200 << Rejected;
    QTest::newRow("division by zero") << &checkedDiv << 1.0 << 0.0 << Rejected;
    QTest::newRow("division by minus zero") << &checkedDiv << -1.0 << -0.0 << Rejected;
    QTest::newRow("zero by zero") << &checkedDiv << 0.0 << 0.0 << Rejected;
    QTest::newRow("quotient overflows") << &checkedDiv << 1e308 << 1e-10 << Rejected;
    QTest::newRow("sum overflows") << &checkedAdd << 1.7e308 << 1.7e308 << Rejected;
    QTest::newRow("product underflows") << &checkedMul << 1e-200 << 1e-200 << 0.0;
    QTest::newRow("quotient underflows") << &checkedDiv << 1e-300 << 1e100 << 0.0;
    QTest::newRow("product") << &checkedMul << 2.0 << 3.0 << 6.0;
    QTest::newRow("zero dividend") << &checkedDiv << 0.0 << 5.0 << 0.0;
    QTest::newRow("sum") << &checkedAdd << 0.1 << 0.2 << 0.1 + 0.2;
}

void TestNumbers::checkedArithmetic_throwsOnOverflowAndZeroDivisorOnly()
{
    QFETCH(Operation, op);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, expected);
    COMPARE_OR_REJECTED(op(a, b), expected);
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
