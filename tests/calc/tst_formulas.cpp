// The formulas on numbers. A result is compared as the 15-digit text that the session rounds
// and stores; how it is rounded and stored is tested with the session.

#include "calc/formulas.h"

#include <QTest>

using namespace calc;

namespace {

enum class Formula {
    CuttingSpeed, // D, n
    SpindleSpeed, // V, D
    FeedPerTooth, // S, Z, n
    FeedRate,     // Sz, Z, n
    TapFeedMm,    // pitch in mm, n
    TapFeedTpi,   // threads per inch, n
    TapSpeedMm,   // S, pitch in mm
    TapSpeedTpi,  // S, threads per inch
};

constexpr Units Metric = Units::Metric;
constexpr Units Inch = Units::Inch;

// Pi as every formula gets it: read back from the text a window holds.
const double Pi = textToNumber(makePiText(pointLocale()), pointLocale());

double evaluate(Formula formula, Units units, double a, double b, double c)
{
    using enum PitchUnit;
    switch (formula) {
    case Formula::CuttingSpeed:
        return cuttingSpeed(a, b, Pi, units);
    case Formula::SpindleSpeed:
        return spindleSpeed(a, b, Pi, units);
    case Formula::FeedPerTooth:
        return feedPerTooth(a, b, c);
    case Formula::FeedRate:
        return feedRate(a, b, c);
    case Formula::TapFeedMm:
        return tapFeedRate(a, Millimetres, b, units);
    case Formula::TapFeedTpi:
        return tapFeedRate(a, ThreadsPerInch, b, units);
    case Formula::TapSpeedMm:
        return tapSpindleSpeed(a, b, Millimetres, units);
    case Formula::TapSpeedTpi:
        return tapSpindleSpeed(a, b, ThreadsPerInch, units);
    }
    return 0;
}

void addRow(const char *name, Formula formula, Units units, double a, double b, double c,
            const char *result)
{
    QTest::newRow(name) << formula << units << a << b << c << QString::fromLatin1(result);
}

} // namespace

Q_DECLARE_METATYPE(Formula)
Q_DECLARE_METATYPE(calc::Units)

class TestFormulas : public QObject
{
    Q_OBJECT

private slots:
    void formula_givesItsResultOrInputError_data();
    void formula_givesItsResultOrInputError();
    void piText_hasFifteenDigitsInTheLocalesNotation();
};

void TestFormulas::formula_givesItsResultOrInputError_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<Units>("units");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<QString>("result");
    using enum Formula;
    // The inputs in the order of the function's parameters; nullptr: InputError.
    // A product or quotient that is formed first keeps the other from overflowing.
    // clang-format off
    addRow("V metric", CuttingSpeed, Metric, 10, 1000, 0, "31.4159265358979");
    addRow("V inch", CuttingSpeed, Inch, 0.5, 3000, 0, "392.699081698724");
    addRow("V of a negative D", CuttingSpeed, Metric, -10, 1000, 0, "-31.4159265358979");
    addRow("V: D x n first", CuttingSpeed, Metric, 1e308, 0.5, 0, "1.5707963267949E+305");
    addRow("V: D x n overflows", CuttingSpeed, Metric, 1e308, 10, 0, nullptr);
    addRow("n metric", SpindleSpeed, Metric, 100, 10, 0, "3183.09886183791");
    addRow("n inch", SpindleSpeed, Inch, 300, 0.5, 0, "2291.8311805233");
    addRow("n: D 0, metric", SpindleSpeed, Metric, 100, 0, 0, nullptr);
    addRow("n: D 0, inch", SpindleSpeed, Inch, 100, 0, 0, nullptr);
    addRow("n: D 0 and V 0", SpindleSpeed, Metric, 0, 0, 0, nullptr);
    addRow("n: V x 1000 overflows", SpindleSpeed, Metric, 1e308, 1000, 0, nullptr);
    addRow("n: V x 12 overflows", SpindleSpeed, Inch, 1e308, 0.001, 0, nullptr);
    addRow("Sz", FeedPerTooth, Metric, 636.6, 4, 3183, "0.05");
    addRow("Sz of other values", FeedPerTooth, Inch, 25, 2, 1000, "0.0125");
    addRow("Sz of a drill: Z 1", FeedPerTooth, Metric, 100, 1, 1000, "0.1");
    addRow("Sz below 0.0001 in exponent form", FeedPerTooth, Metric, 0.2, 4, 1000, "5E-05");
    addRow("Sz: Z 0", FeedPerTooth, Metric, 100, 0, 1000, nullptr);
    addRow("Sz: n 0", FeedPerTooth, Metric, 100, 4, 0, nullptr);
    addRow("Sz: Z x n overflows", FeedPerTooth, Metric, 1, 1e200, 1e200, nullptr);
    addRow("S of a mill", FeedRate, Metric, 0.05, 4, 3183, "636.6");
    addRow("S of other values", FeedRate, Metric, 0.0123, 3, 1273, "46.9737");
    addRow("S: Sz x Z first", FeedRate, Metric, 1e-300, 1e300, 1e10, "10000000000");
    addRow("S of a drill: Z 1", FeedRate, Metric, 0.1, 1, 1000, "100");
    addRow("tap S metric, mm", TapFeedMm, Metric, 1.5, 500, 0, "750");
    addRow("tap S metric, tpi", TapFeedTpi, Metric, 20, 500, 0, "635");
    addRow("tap S metric, 13 tpi", TapFeedTpi, Metric, 13, 800, 0, "1563.07692307692");
    addRow("tap S inch, mm", TapFeedMm, Inch, 1.27, 500, 0, "25");
    addRow("tap S inch, tpi", TapFeedTpi, Inch, 20, 500, 0, "25");
    addRow("tap S inch, 13 tpi", TapFeedTpi, Inch, 13, 800, 0, "61.5384615384615");
    addRow("tap S: 25.4 / TPI first", TapFeedTpi, Metric, 20, 1e307, 0, "1.27E+307");
    addRow("tap S: P / 25.4 first", TapFeedMm, Inch, 25.4, 1e308, 0, "1E+308");
    addRow("tap S: pitch 0 mm is no divisor", TapFeedMm, Inch, 0, 500, 0, "0");
    addRow("tap S: tpi 0, metric", TapFeedTpi, Metric, 0, 500, 0, nullptr);
    addRow("tap S: tpi 0, inch", TapFeedTpi, Inch, 0, 500, 0, nullptr);
    addRow("tap n metric, mm", TapSpeedMm, Metric, 750, 1.5, 0, "500");
    addRow("tap n metric, tpi", TapSpeedTpi, Metric, 635, 20, 0, "500");
    addRow("tap n metric, mm, a third", TapSpeedMm, Metric, 1000, 1.5, 0, "666.666666666667");
    addRow("tap n inch, mm", TapSpeedMm, Inch, 25, 1.27, 0, "500");
    addRow("tap n inch, tpi", TapSpeedTpi, Inch, 25, 20, 0, "500");
    addRow("tap n: TPI / 25.4 first", TapSpeedTpi, Metric, 1e308, 25.4, 0, "1E+308");
    addRow("tap n: 25.4 / P first", TapSpeedMm, Inch, 1e308, 25.4, 0, "1E+308");
    addRow("tap n: tpi 0 is no divisor", TapSpeedTpi, Metric, 635, 0, 0, "0");
    addRow("tap n: pitch 0 mm, metric", TapSpeedMm, Metric, 750, 0, 0, nullptr);
    addRow("tap n: pitch 0 mm, inch", TapSpeedMm, Inch, 750, 0, 0, nullptr);
    // clang-format on
}

void TestFormulas::formula_givesItsResultOrInputError()
{
    QFETCH(Formula, formula);
    QFETCH(Units, units);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(QString, result);
    if (result.isEmpty())
        QVERIFY_THROWS_EXCEPTION(InputError, evaluate(formula, units, a, b, c));
    else
        QCOMPARE(numberToText(evaluate(formula, units, a, b, c), pointLocale()), result);
}

void TestFormulas::piText_hasFifteenDigitsInTheLocalesNotation()
{
    QCOMPARE(makePiText(commaLocale()), QStringLiteral("3,14159265358979"));
    QCOMPARE(makePiText(pointLocale()), QStringLiteral("3.14159265358979"));
}

QTEST_APPLESS_MAIN(TestFormulas)
#include "tst_formulas.moc"
