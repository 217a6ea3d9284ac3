// SPDX-License-Identifier: MIT
// The formulas on numbers. A result is compared as the 15-digit text that the session rounds
// and stores; how it is rounded and stored is tested with the session.

#include "calc/formulas.h"

#include <QTest>

#include <functional>

using namespace calc;

namespace {

constexpr Units Metric = Units::Metric;
constexpr Units Inch = Units::Inch;
constexpr PitchUnit Mm = PitchUnit::Millimetres;
constexpr PitchUnit Tpi = PitchUnit::ThreadsPerInch;

// Pi as every formula gets it: read back from the text a window holds.
const double Pi = textToNumber(makePiText(pointLocale()), pointLocale());

using Formula = std::function<double()>;

void addRow(const char *name, const Formula &formula, const char *result)
{
    QTest::newRow(name) << formula << QString::fromLatin1(result);
}

} // namespace

Q_DECLARE_METATYPE(Formula)

class TestFormulas : public QObject
{
    Q_OBJECT

private slots:
    void formula_givesItsResultOrInputError_data();
    void formula_givesItsResultOrInputError();
};

void TestFormulas::formula_givesItsResultOrInputError_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<QString>("result");
    // nullptr: InputError. A product or quotient that is formed first keeps the other from
    // overflowing.
    // clang-format off
    addRow("V metric", [] { return cuttingSpeed(10, 1000, Pi, Metric); }, "31.4159265358979");
    addRow("V inch", [] { return cuttingSpeed(0.5, 3000, Pi, Inch); }, "392.699081698724");
    addRow("V of a negative D", [] { return cuttingSpeed(-10, 1000, Pi, Metric); }, "-31.4159265358979");
    addRow("V: D x n first", [] { return cuttingSpeed(1e308, 0.5, Pi, Metric); }, "1.5707963267949E+305");
    addRow("V: D x n overflows", [] { return cuttingSpeed(1e308, 10, Pi, Metric); }, nullptr);
    addRow("n metric", [] { return spindleSpeed(100, 10, Pi, Metric); }, "3183.09886183791");
    addRow("n inch", [] { return spindleSpeed(300, 0.5, Pi, Inch); }, "2291.8311805233");
    addRow("n: D 0, metric", [] { return spindleSpeed(100, 0, Pi, Metric); }, nullptr);
    addRow("n: D 0, inch", [] { return spindleSpeed(100, 0, Pi, Inch); }, nullptr);
    addRow("n: D 0 and V 0", [] { return spindleSpeed(0, 0, Pi, Metric); }, nullptr);
    addRow("n: V x 1000 overflows", [] { return spindleSpeed(1e308, 1000, Pi, Metric); }, nullptr);
    addRow("n: V x 12 overflows", [] { return spindleSpeed(1e308, 0.001, Pi, Inch); }, nullptr);
    addRow("Sz", [] { return feedPerTooth(636.6, 4, 3183); }, "0.05");
    addRow("Sz of other values", [] { return feedPerTooth(25, 2, 1000); }, "0.0125");
    addRow("Sz of a drill: Z 1", [] { return feedPerTooth(100, 1, 1000); }, "0.1");
    addRow("Sz below 0.0001 in exponent form", [] { return feedPerTooth(0.2, 4, 1000); }, "5E-05");
    addRow("Sz: Z 0", [] { return feedPerTooth(100, 0, 1000); }, nullptr);
    addRow("Sz: n 0", [] { return feedPerTooth(100, 4, 0); }, nullptr);
    addRow("Sz: Z x n overflows", [] { return feedPerTooth(1, 1e200, 1e200); }, nullptr);
    addRow("S of a mill", [] { return feedRate(0.05, 4, 3183); }, "636.6");
    addRow("S of other values", [] { return feedRate(0.0123, 3, 1273); }, "46.9737");
    addRow("S: Sz x Z first", [] { return feedRate(1e-300, 1e300, 1e10); }, "10000000000");
    addRow("S of a drill: Z 1", [] { return feedRate(0.1, 1, 1000); }, "100");
    addRow("tap S metric, mm", [] { return tapFeedRate(1.5, Mm, 500, Metric); }, "750");
    addRow("tap S metric, tpi", [] { return tapFeedRate(20, Tpi, 500, Metric); }, "635");
    addRow("tap S metric, 13 tpi", [] { return tapFeedRate(13, Tpi, 800, Metric); }, "1563.07692307692");
    addRow("tap S inch, mm", [] { return tapFeedRate(1.27, Mm, 500, Inch); }, "25");
    addRow("tap S inch, tpi", [] { return tapFeedRate(20, Tpi, 500, Inch); }, "25");
    addRow("tap S inch, 13 tpi", [] { return tapFeedRate(13, Tpi, 800, Inch); }, "61.5384615384615");
    addRow("tap S: 25.4 / TPI first", [] { return tapFeedRate(20, Tpi, 1e307, Metric); }, "1.27E+307");
    addRow("tap S: P / 25.4 first", [] { return tapFeedRate(25.4, Mm, 1e308, Inch); }, "1E+308");
    addRow("tap S: pitch 0 mm is no divisor", [] { return tapFeedRate(0, Mm, 500, Inch); }, "0");
    addRow("tap S: tpi 0, metric", [] { return tapFeedRate(0, Tpi, 500, Metric); }, nullptr);
    addRow("tap S: tpi 0, inch", [] { return tapFeedRate(0, Tpi, 500, Inch); }, nullptr);
    addRow("tap n metric, mm", [] { return tapSpindleSpeed(750, 1.5, Mm, Metric); }, "500");
    addRow("tap n metric, tpi", [] { return tapSpindleSpeed(635, 20, Tpi, Metric); }, "500");
    addRow("tap n metric, mm, a third", [] { return tapSpindleSpeed(1000, 1.5, Mm, Metric); }, "666.666666666667");
    addRow("tap n inch, mm", [] { return tapSpindleSpeed(25, 1.27, Mm, Inch); }, "500");
    addRow("tap n inch, tpi", [] { return tapSpindleSpeed(25, 20, Tpi, Inch); }, "500");
    addRow("tap n: TPI / 25.4 first", [] { return tapSpindleSpeed(1e308, 25.4, Tpi, Metric); }, "1E+308");
    addRow("tap n: 25.4 / P first", [] { return tapSpindleSpeed(1e308, 25.4, Mm, Inch); }, "1E+308");
    addRow("tap n: tpi 0 is no divisor", [] { return tapSpindleSpeed(635, 0, Tpi, Metric); }, "0");
    addRow("tap n: pitch 0 mm, metric", [] { return tapSpindleSpeed(750, 0, Mm, Metric); }, nullptr);
    addRow("tap n: pitch 0 mm, inch", [] { return tapSpindleSpeed(750, 0, Mm, Inch); }, nullptr);
    // clang-format on
}

void TestFormulas::formula_givesItsResultOrInputError()
{
    QFETCH(Formula, formula);
    QFETCH(QString, result);
    if (result.isEmpty())
        QVERIFY_THROWS_EXCEPTION(InputError, formula());
    else
        QCOMPARE(numberToText(formula(), pointLocale()), result);
}

QTEST_APPLESS_MAIN(TestFormulas)
#include "tst_formulas.moc"
