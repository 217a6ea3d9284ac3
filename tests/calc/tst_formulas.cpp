#include "calctest.h"

#include "calc/formulas.h"

#include <QTest>

using namespace calc;
using calctest::InLocale;

namespace {

enum class Formula { V, N, Sz, S, NVedGevind };
enum Units { Neither = 0, Metric = 1, Inch = 2, BothUnits = 3 };
enum Pitch { NoPitch = 0, MmPitch = 1, TpiPitch = 2, BothPitches = 3 };

// One formula run. Number texts are written with a point and put into each locale's
// notation; stored == nullptr means the formula stores nothing.
struct Case
{
    ToolMode mode = ToolMode::Mill;
    int units = Metric;
    int pitch = NoPitch;
    int decimals = 2;
    const char *diameter = "", *flutes = "", *feedPerTooth = "", *cuttingSpeed = "", *pitchMm = "",
               *threadsPerInch = "", *spindleSpeed = "", *feedRate = "";
    const char *resultBefore = "";
    const char *stored = nullptr;
    const char *result = nullptr; // resultText afterwards; nullptr: unchanged
};

QString L(const char *pointText, const NumberLocale &locale)
{
    return InLocale(QString::fromLatin1(pointText), locale);
}

ToolValues ValuesOf(const Case &c, const NumberLocale &locale)
{
    return {L(c.diameter, locale),     L(c.flutes, locale),  L(c.feedPerTooth, locale),
            L(c.cuttingSpeed, locale), L(c.pitchMm, locale), L(c.threadsPerInch, locale),
            L(c.spindleSpeed, locale), L(c.feedRate, locale)};
}

QString *Target(Formula f, ToolValues &v)
{
    switch (f) {
    case Formula::V:
        return &v.cuttingSpeed;
    case Formula::N:
    case Formula::NVedGevind:
        return &v.spindleSpeed;
    case Formula::Sz:
        return &v.feedPerTooth;
    case Formula::S:
        return &v.feedRate;
    }
    return nullptr;
}

std::optional<QString> Run(Formula f, FormulaContext &ctx)
{
    switch (f) {
    case Formula::V:
        return computeCuttingSpeed(ctx);
    case Formula::N:
        return computeSpindleSpeed(ctx);
    case Formula::Sz:
        return computeFeedPerTooth(ctx);
    case Formula::S:
        return computeFeedRate(ctx);
    case Formula::NVedGevind:
        return computeTapSpindleSpeed(ctx);
    }
    return std::nullopt;
}

FormulaContext MakeContext(const Case &c, ToolValues &values, QString &resultText,
                           const NumberLocale &locale)
{
    return {c.mode,
            values,
            (c.units & Metric) != 0,
            (c.units & Inch) != 0,
            (c.pitch & MmPitch) != 0,
            (c.pitch & TpiPitch) != 0,
            c.decimals,
            resultText,
            makePiText(locale),
            locale};
}

void CompareValues(const ToolValues &actual, const ToolValues &expected)
{
    QCOMPARE(actual.diameter, expected.diameter);
    QCOMPARE(actual.flutes, expected.flutes);
    QCOMPARE(actual.feedPerTooth, expected.feedPerTooth);
    QCOMPARE(actual.cuttingSpeed, expected.cuttingSpeed);
    QCOMPARE(actual.pitchMm, expected.pitchMm);
    QCOMPARE(actual.threadsPerInch, expected.threadsPerInch);
    QCOMPARE(actual.spindleSpeed, expected.spindleSpeed);
    QCOMPARE(actual.feedRate, expected.feedRate);
}

} // namespace

Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(Formula)

class TestFormulas : public QObject
{
    Q_OBJECT

private slots:
    void beregnV_storesSpeedToEightDecimals_data();
    void beregnV_storesSpeedToEightDecimals() { storesRoundedResult(); }
    void beregnN_storesSpindleSpeedToDecimalCount_data();
    void beregnN_storesSpindleSpeedToDecimalCount() { storesRoundedResult(); }
    void beregnSz_storesFeedPerToothToEightDecimals_data();
    void beregnSz_storesFeedPerToothToEightDecimals() { storesRoundedResult(); }
    void beregnS_storesFeedRateToDecimalCount_data();
    void beregnS_storesFeedRateToDecimalCount() { storesRoundedResult(); }
    void beregnSTap_storesFeedFromPitch_data();
    void beregnSTap_storesFeedFromPitch() { storesRoundedResult(); }
    void beregnNVedGevind_storesSpindleSpeedFromPitch_data();
    void beregnNVedGevind_storesSpindleSpeedFromPitch() { storesRoundedResult(); }
    void neitherUnit_storesLastResultRounded_data();
    void neitherUnit_storesLastResultRounded() { storesRoundedResult(); }

    void failingFormula_storesNothing_data();
    void failingFormula_storesNothing();

    void piIsReadFromPiText();
    void makePiText_usesLocaleSeparator();

private:
    void storesRoundedResult();
};

namespace {

void AddRows(Formula f, std::initializer_list<std::pair<const char *, Case>> rows)
{
    QTest::addColumn<NumberLocale>("locale");
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<Case>("c");
    for (const auto &[localeName, locale] : calctest::Locales()) {
        for (const auto &[name, c] : rows)
            QTest::addRow("%s: %s", localeName, name) << locale << f << c;
    }
}

} // namespace

void TestFormulas::storesRoundedResult()
{
    QFETCH(NumberLocale, locale);
    QFETCH(Formula, formula);
    QFETCH(Case, c);

    ToolValues values = ValuesOf(c, locale);
    QString resultText = L(c.resultBefore, locale);
    FormulaContext ctx = MakeContext(c, values, resultText, locale);
    ToolValues expected = values;

    const std::optional<QString> stored = Run(formula, ctx);

    if (c.stored) {
        QVERIFY(stored.has_value());
        QCOMPARE(*stored, L(c.stored, locale));
        *Target(formula, expected) = L(c.stored, locale);
    } else {
        QVERIFY(!stored.has_value());
    }
    CompareValues(values, expected);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(resultText, L(c.result ? c.result : c.resultBefore, locale));
}

void TestFormulas::beregnV_storesSpeedToEightDecimals_data()
{
    AddRows(Formula::V, {
                            {"metric",
                             {.units = Metric,
                              .diameter = "10",
                              .spindleSpeed = "1000",
                              .stored = "31.41592654",
                              .result = "31.4159265358979"}},
                            {"inch, eighth decimal 0 not shown",
                             {.units = Inch,
                              .diameter = "0.5",
                              .spindleSpeed = "3000",
                              .stored = "392.6990817",
                              .result = "392.699081698724"}},
                            {"decimal count does not apply",
                             {.units = Metric,
                              .decimals = 0,
                              .diameter = "10",
                              .spindleSpeed = "1000",
                              .stored = "31.41592654",
                              .result = "31.4159265358979"}},
                            {"tap mode uses its own values",
                             {.mode = ToolMode::Tap,
                              .units = Metric,
                              .diameter = "10",
                              .cuttingSpeed = "5",
                              .spindleSpeed = "1000",
                              .stored = "31.41592654",
                              .result = "31.4159265358979"}},
                            {"negative input computed",
                             {.units = Metric,
                              .diameter = "-10",
                              .spindleSpeed = "1000",
                              .stored = "-31.41592654",
                              .result = "-31.4159265358979"}},
                            // D x n first: pi x D would overflow.
                            {"product D x n formed first",
                             {.units = Metric,
                              .diameter = "1E+308",
                              .spindleSpeed = "0.5",
                              .stored = "1.5707963267949E+305",
                              .result = "1.5707963267949E+305"}},
                            {"both units: inch runs second",
                             {.units = BothUnits,
                              .diameter = "10",
                              .spindleSpeed = "1000",
                              .stored = "2617.99387799",
                              .result = "2617.99387799149"}},
                        });
}

void TestFormulas::beregnN_storesSpindleSpeedToDecimalCount_data()
{
    AddRows(Formula::N, {
                            {"metric, 0 decimals",
                             {.units = Metric,
                              .decimals = 0,
                              .diameter = "10",
                              .cuttingSpeed = "100",
                              .stored = "3183",
                              .result = "3183.09886183791"}},
                            {"metric, 1 decimal",
                             {.units = Metric,
                              .decimals = 1,
                              .diameter = "10",
                              .cuttingSpeed = "100",
                              .stored = "3183.1",
                              .result = "3183.09886183791"}},
                            {"metric, 2 decimals, no trailing zero",
                             {.units = Metric,
                              .decimals = 2,
                              .diameter = "10",
                              .cuttingSpeed = "100",
                              .stored = "3183.1",
                              .result = "3183.09886183791"}},
                            {"metric, 3 decimals",
                             {.units = Metric,
                              .decimals = 3,
                              .diameter = "10",
                              .cuttingSpeed = "100",
                              .stored = "3183.099",
                              .result = "3183.09886183791"}},
                            {"inch, 0 decimals",
                             {.units = Inch,
                              .decimals = 0,
                              .diameter = "0.5",
                              .cuttingSpeed = "300",
                              .stored = "2292",
                              .result = "2291.8311805233"}},
                            {"inch, 1 decimal",
                             {.units = Inch,
                              .decimals = 1,
                              .diameter = "0.5",
                              .cuttingSpeed = "300",
                              .stored = "2291.8",
                              .result = "2291.8311805233"}},
                            {"inch, 2 decimals",
                             {.units = Inch,
                              .decimals = 2,
                              .diameter = "0.5",
                              .cuttingSpeed = "300",
                              .stored = "2291.83",
                              .result = "2291.8311805233"}},
                            {"inch, 3 decimals",
                             {.units = Inch,
                              .decimals = 3,
                              .diameter = "0.5",
                              .cuttingSpeed = "300",
                              .stored = "2291.831",
                              .result = "2291.8311805233"}},
                        });
}

void TestFormulas::beregnSz_storesFeedPerToothToEightDecimals_data()
{
    AddRows(Formula::Sz, {
                             {"metric",
                              {.units = Metric,
                               .flutes = "4",
                               .spindleSpeed = "3183",
                               .feedRate = "636.6",
                               .stored = "0.05",
                               .result = "0.05"}},
                             {"inch, same number",
                              {.units = Inch,
                               .decimals = 0,
                               .flutes = "2",
                               .spindleSpeed = "1000",
                               .feedRate = "25",
                               .stored = "0.0125",
                               .result = "0.0125"}},
                             {"drill: inverse of the feed with Z 1",
                              {.mode = ToolMode::Drill,
                               .units = Metric,
                               .flutes = "1",
                               .spindleSpeed = "1000",
                               .feedRate = "100",
                               .stored = "0.1",
                               .result = "0.1"}},
                             {"below 0.0001 in exponent form",
                              {.units = Metric,
                               .flutes = "4",
                               .spindleSpeed = "1000",
                               .feedRate = "0.2",
                               .stored = "5E-05",
                               .result = "5E-05"}},
                         });
}

void TestFormulas::beregnS_storesFeedRateToDecimalCount_data()
{
    AddRows(Formula::S, {
                            {"mill",
                             {.units = Metric,
                              .flutes = "4",
                              .feedPerTooth = "0.05",
                              .spindleSpeed = "3183",
                              .stored = "636.6",
                              .result = "636.6"}},
                            {"mill, inch",
                             {.units = Inch,
                              .flutes = "4",
                              .feedPerTooth = "0.05",
                              .spindleSpeed = "3183",
                              .stored = "636.6",
                              .result = "636.6"}},
                            {"mill, 0 decimals",
                             {.units = Metric,
                              .decimals = 0,
                              .flutes = "3",
                              .feedPerTooth = "0.0123",
                              .spindleSpeed = "1273",
                              .stored = "47",
                              .result = "46.9737"}},
                            {"mill, 1 decimal",
                             {.units = Metric,
                              .decimals = 1,
                              .flutes = "3",
                              .feedPerTooth = "0.0123",
                              .spindleSpeed = "1273",
                              .stored = "47",
                              .result = "46.9737"}},
                            {"mill, 2 decimals",
                             {.units = Metric,
                              .decimals = 2,
                              .flutes = "3",
                              .feedPerTooth = "0.0123",
                              .spindleSpeed = "1273",
                              .stored = "46.97",
                              .result = "46.9737"}},
                            {"mill, 3 decimals",
                             {.units = Inch,
                              .decimals = 3,
                              .flutes = "3",
                              .feedPerTooth = "0.0123",
                              .spindleSpeed = "1273",
                              .stored = "46.974",
                              .result = "46.9737"}},
                            // Sz x Z first: Z x n would overflow.
                            {"mill, product Sz x Z formed first",
                             {.units = Metric,
                              .flutes = "1E+300",
                              .feedPerTooth = "1E-300",
                              .spindleSpeed = "1E+10",
                              .stored = "10000000000",
                              .result = "10000000000"}},
                            {"drill ignores Z",
                             {.mode = ToolMode::Drill,
                              .units = Metric,
                              .flutes = "7",
                              .feedPerTooth = "0.1",
                              .spindleSpeed = "1000",
                              .stored = "100",
                              .result = "100"}},
                            {"tie rounds down to even",
                             {.mode = ToolMode::Drill,
                              .units = Metric,
                              .decimals = 0,
                              .feedPerTooth = "0.5",
                              .spindleSpeed = "5",
                              .stored = "2",
                              .result = "2.5"}},
                            {"tie rounds up to even",
                             {.mode = ToolMode::Drill,
                              .units = Inch,
                              .decimals = 0,
                              .feedPerTooth = "0.5",
                              .spindleSpeed = "7",
                              .stored = "4",
                              .result = "3.5"}},
                        });
}

void TestFormulas::beregnSTap_storesFeedFromPitch_data()
{
    constexpr ToolMode tap = ToolMode::Tap;
    AddRows(Formula::S, {
                            {"metric, mm",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = MmPitch,
                              .pitchMm = "1.5",
                              .spindleSpeed = "500",
                              .stored = "750",
                              .result = "750"}},
                            {"metric, tpi",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = TpiPitch,
                              .threadsPerInch = "20",
                              .spindleSpeed = "500",
                              .stored = "635",
                              .result = "635"}},
                            {"metric, 13 tpi, 0 decimals",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = TpiPitch,
                              .decimals = 0,
                              .threadsPerInch = "13",
                              .spindleSpeed = "800",
                              .stored = "1563",
                              .result = "1563.07692307692"}},
                            {"metric, 13 tpi, 1 decimal",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = TpiPitch,
                              .decimals = 1,
                              .threadsPerInch = "13",
                              .spindleSpeed = "800",
                              .stored = "1563.1",
                              .result = "1563.07692307692"}},
                            {"metric, 13 tpi, 2 decimals",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = TpiPitch,
                              .decimals = 2,
                              .threadsPerInch = "13",
                              .spindleSpeed = "800",
                              .stored = "1563.08",
                              .result = "1563.07692307692"}},
                            {"metric, 13 tpi, 3 decimals",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = TpiPitch,
                              .decimals = 3,
                              .threadsPerInch = "13",
                              .spindleSpeed = "800",
                              .stored = "1563.077",
                              .result = "1563.07692307692"}},
                            {"inch, mm",
                             {.mode = tap,
                              .units = Inch,
                              .pitch = MmPitch,
                              .pitchMm = "1.27",
                              .spindleSpeed = "500",
                              .stored = "25",
                              .result = "25"}},
                            {"inch, tpi",
                             {.mode = tap,
                              .units = Inch,
                              .pitch = TpiPitch,
                              .threadsPerInch = "20",
                              .spindleSpeed = "500",
                              .stored = "25",
                              .result = "25"}},
                            {"inch, 13 tpi, 3 decimals",
                             {.mode = tap,
                              .units = Inch,
                              .pitch = TpiPitch,
                              .decimals = 3,
                              .threadsPerInch = "13",
                              .spindleSpeed = "800",
                              .stored = "61.538",
                              .result = "61.5384615384615"}},
                            // 25.4 / TPI first: 25.4 x n would overflow.
                            {"metric, quotient 25.4 / TPI formed first",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = TpiPitch,
                              .threadsPerInch = "20",
                              .spindleSpeed = "1E+307",
                              .stored = "1.27E+307",
                              .result = "1.27E+307"}},
                            {"inch, quotient P / 25.4 formed first",
                             {.mode = tap,
                              .units = Inch,
                              .pitch = MmPitch,
                              .pitchMm = "25.4",
                              .spindleSpeed = "1E+308",
                              .stored = "1E+308",
                              .result = "1E+308"}},
                            {"pitch 0 mm is no divisor",
                             {.mode = tap,
                              .units = Inch,
                              .pitch = MmPitch,
                              .pitchMm = "0",
                              .spindleSpeed = "500",
                              .stored = "0",
                              .result = "0"}},
                            {"both pitch fields: tpi runs second",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = BothPitches,
                              .pitchMm = "1.5",
                              .threadsPerInch = "20",
                              .spindleSpeed = "500",
                              .stored = "635",
                              .result = "635"}},
                            {"no pitch field: last result stored",
                             {.mode = tap,
                              .units = Metric,
                              .pitch = NoPitch,
                              .decimals = 2,
                              .spindleSpeed = "500",
                              .resultBefore = "1234.5678",
                              .stored = "1234.57"}},
                        });
}

void TestFormulas::beregnNVedGevind_storesSpindleSpeedFromPitch_data()
{
    constexpr ToolMode tap = ToolMode::Tap;
    AddRows(Formula::NVedGevind,
            {
                {"metric, mm",
                 {.mode = tap,
                  .units = Metric,
                  .pitch = MmPitch,
                  .pitchMm = "1.5",
                  .feedRate = "750",
                  .stored = "500",
                  .result = "500"}},
                {"metric, tpi",
                 {.mode = tap,
                  .units = Metric,
                  .pitch = TpiPitch,
                  .threadsPerInch = "20",
                  .feedRate = "635",
                  .stored = "500",
                  .result = "500"}},
                {"inch, mm",
                 {.mode = tap,
                  .units = Inch,
                  .pitch = MmPitch,
                  .pitchMm = "1.27",
                  .feedRate = "25",
                  .stored = "500",
                  .result = "500"}},
                {"inch, tpi",
                 {.mode = tap,
                  .units = Inch,
                  .pitch = TpiPitch,
                  .threadsPerInch = "20",
                  .feedRate = "25",
                  .stored = "500",
                  .result = "500"}},
                {"metric, mm, 0 decimals",
                 {.mode = tap,
                  .units = Metric,
                  .pitch = MmPitch,
                  .decimals = 0,
                  .pitchMm = "1.5",
                  .feedRate = "1000",
                  .stored = "667",
                  .result = "666.666666666667"}},
                {"metric, mm, 1 decimal",
                 {.mode = tap,
                  .units = Metric,
                  .pitch = MmPitch,
                  .decimals = 1,
                  .pitchMm = "1.5",
                  .feedRate = "1000",
                  .stored = "666.7",
                  .result = "666.666666666667"}},
                {"metric, mm, 2 decimals",
                 {.mode = tap,
                  .units = Metric,
                  .pitch = MmPitch,
                  .decimals = 2,
                  .pitchMm = "1.5",
                  .feedRate = "1000",
                  .stored = "666.67",
                  .result = "666.666666666667"}},
                {"metric, mm, 3 decimals",
                 {.mode = tap,
                  .units = Metric,
                  .pitch = MmPitch,
                  .decimals = 3,
                  .pitchMm = "1.5",
                  .feedRate = "1000",
                  .stored = "666.667",
                  .result = "666.666666666667"}},
                // The pitch quotient first: TPI x S or 25.4 x S would overflow.
                {"metric, quotient TPI / 25.4 formed first",
                 {.mode = tap,
                  .units = Metric,
                  .pitch = TpiPitch,
                  .threadsPerInch = "25.4",
                  .feedRate = "1E+308",
                  .stored = "1E+308",
                  .result = "1E+308"}},
                {"inch, quotient 25.4 / P formed first",
                 {.mode = tap,
                  .units = Inch,
                  .pitch = MmPitch,
                  .pitchMm = "25.4",
                  .feedRate = "1E+308",
                  .stored = "1E+308",
                  .result = "1E+308"}},
                {"tpi 0 is no divisor",
                 {.mode = tap,
                  .units = Metric,
                  .pitch = TpiPitch,
                  .threadsPerInch = "0",
                  .feedRate = "635",
                  .stored = "0",
                  .result = "0"}},
                {"both units: inch stored last",
                 {.mode = tap,
                  .units = BothUnits,
                  .pitch = MmPitch,
                  .pitchMm = "1.5",
                  .feedRate = "750",
                  .stored = "12700",
                  .result = "12700"}},
                {"no pitch field: last result stored",
                 {.mode = tap,
                  .units = Inch,
                  .pitch = NoPitch,
                  .decimals = 1,
                  .resultBefore = "99.95",
                  .stored = "100"}},
                {"neither unit: nothing stored",
                 {.mode = tap,
                  .units = Neither,
                  .pitch = MmPitch,
                  .pitchMm = "1.5",
                  .spindleSpeed = "3",
                  .feedRate = "750",
                  .resultBefore = "42"}},
                {"mill mode: nothing stored",
                 {.mode = ToolMode::Mill,
                  .units = Metric,
                  .pitch = MmPitch,
                  .pitchMm = "1.5",
                  .spindleSpeed = "3",
                  .feedRate = "750",
                  .resultBefore = "42"}},
                {"drill mode, unreadable values: nothing stored",
                 {.mode = ToolMode::Drill,
                  .units = Metric,
                  .pitch = MmPitch,
                  .pitchMm = "x",
                  .spindleSpeed = "3",
                  .feedRate = ""}},
            });
}

void TestFormulas::neitherUnit_storesLastResultRounded_data()
{
    QTest::addColumn<NumberLocale>("locale");
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<Case>("c");
    const struct
    {
        const char *name;
        Formula formula;
        Case c;
    } rows[] = {
        {"V to 8 decimals",
         Formula::V,
         {.units = Neither,
          .diameter = "10",
          .spindleSpeed = "1000",
          .resultBefore = "12.3456789012",
          .stored = "12.3456789"}},
        {"n tie 2.5 to 2",
         Formula::N,
         {.units = Neither,
          .decimals = 0,
          .diameter = "10",
          .cuttingSpeed = "100",
          .resultBefore = "2.5",
          .stored = "2"}},
        {"n tie 3.5 to 4",
         Formula::N,
         {.units = Neither,
          .decimals = 0,
          .diameter = "10",
          .cuttingSpeed = "100",
          .resultBefore = "3.5",
          .stored = "4"}},
        {"Sz to 8 decimals, exponent form",
         Formula::Sz,
         {.units = Neither, .resultBefore = "0.000000015", .stored = "2E-08"}},
        {"S to the decimal count",
         Formula::S,
         {.units = Neither, .decimals = 3, .resultBefore = "1.23456", .stored = "1.235"}},
    };
    for (const auto &[localeName, locale] : calctest::Locales()) {
        for (const auto &row : rows)
            QTest::addRow("%s: %s", localeName, row.name) << locale << row.formula << row.c;
    }
}

void TestFormulas::failingFormula_storesNothing_data()
{
    QTest::addColumn<NumberLocale>("locale");
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<Case>("c");
    constexpr ToolMode tap = ToolMode::Tap;
    const struct
    {
        const char *name;
        Formula formula;
        Case c;
    } rows[] = {
        {"n: D = 0, metric",
         Formula::N,
         {.units = Metric, .diameter = "0", .cuttingSpeed = "100", .spindleSpeed = "7"}},
        {"n: D = 0, inch",
         Formula::N,
         {.units = Inch, .diameter = "0", .cuttingSpeed = "100", .spindleSpeed = "7"}},
        {"n: D = 0 and V = 0",
         Formula::N,
         {.units = Metric, .diameter = "0", .cuttingSpeed = "0", .spindleSpeed = "7"}},
        {"n: V x 1000 overflows",
         Formula::N,
         {.units = Metric, .diameter = "1000", .cuttingSpeed = "1E+308", .spindleSpeed = "7"}},
        {"n: V = 1E308 with a small D",
         Formula::N,
         {.units = Inch, .diameter = "0.001", .cuttingSpeed = "1E+308", .spindleSpeed = "7"}},
        {"n: empty V",
         Formula::N,
         {.units = Metric, .diameter = "10", .cuttingSpeed = "", .spindleSpeed = "7"}},
        {"V: D x n overflows",
         Formula::V,
         {.units = Metric, .diameter = "1E+308", .cuttingSpeed = "9", .spindleSpeed = "10"}},
        {"V: unreadable D",
         Formula::V,
         {.units = Inch, .diameter = "abc", .cuttingSpeed = "9", .spindleSpeed = "10"}},
        {"V: fraction text not evaluated",
         Formula::V,
         {.units = Metric, .diameter = "1 1/2", .cuttingSpeed = "9", .spindleSpeed = "10"}},
        {"Sz: empty S",
         Formula::Sz,
         {.units = Metric, .flutes = "4", .feedPerTooth = "0.1", .spindleSpeed = "1000"}},
        {"Sz: Z = 0",
         Formula::Sz,
         {.units = Metric,
          .flutes = "0",
          .feedPerTooth = "0.1",
          .spindleSpeed = "1000",
          .feedRate = "100"}},
        {"Sz: n = 0",
         Formula::Sz,
         {.units = Inch,
          .flutes = "4",
          .feedPerTooth = "0.1",
          .spindleSpeed = "0",
          .feedRate = "100"}},
        {"Sz: Z x n overflows",
         Formula::Sz,
         {.units = Metric,
          .flutes = "1E+200",
          .feedPerTooth = "0.1",
          .spindleSpeed = "1E+200",
          .feedRate = "1"}},
        {"S: empty Z in mill mode",
         Formula::S,
         {.units = Metric,
          .flutes = "",
          .feedPerTooth = "0.1",
          .spindleSpeed = "1000",
          .feedRate = "5"}},
        {"S: tpi 0, metric",
         Formula::S,
         {.mode = tap,
          .units = Metric,
          .pitch = TpiPitch,
          .threadsPerInch = "0",
          .spindleSpeed = "500",
          .feedRate = "5"}},
        {"S: tpi 0, inch",
         Formula::S,
         {.mode = tap,
          .units = Inch,
          .pitch = TpiPitch,
          .threadsPerInch = "0",
          .spindleSpeed = "500",
          .feedRate = "5"}},
        {"S: empty mm pitch",
         Formula::S,
         {.mode = tap,
          .units = Metric,
          .pitch = MmPitch,
          .pitchMm = "",
          .spindleSpeed = "500",
          .feedRate = "5"}},
        {"n from pitch: mm 0, metric",
         Formula::NVedGevind,
         {.mode = tap,
          .units = Metric,
          .pitch = MmPitch,
          .pitchMm = "0",
          .spindleSpeed = "7",
          .feedRate = "750"}},
        {"n from pitch: mm 0, inch",
         Formula::NVedGevind,
         {.mode = tap,
          .units = Inch,
          .pitch = MmPitch,
          .pitchMm = "0",
          .spindleSpeed = "7",
          .feedRate = "750"}},
        {"n from pitch: empty S",
         Formula::NVedGevind,
         {.mode = tap,
          .units = Inch,
          .pitch = TpiPitch,
          .threadsPerInch = "20",
          .spindleSpeed = "7"}},
        {"V: neither unit, empty last result",
         Formula::V,
         {.units = Neither, .diameter = "10", .cuttingSpeed = "9", .spindleSpeed = "1000"}},
        {"n: neither unit, empty last result",
         Formula::N,
         {.units = Neither, .diameter = "10", .cuttingSpeed = "100", .spindleSpeed = "7"}},
        {"Sz: neither unit, empty last result",
         Formula::Sz,
         {.units = Neither,
          .flutes = "4",
          .feedPerTooth = "0.1",
          .spindleSpeed = "1000",
          .feedRate = "100"}},
        {"S: neither unit, empty last result",
         Formula::S,
         {.units = Neither,
          .flutes = "4",
          .feedPerTooth = "0.1",
          .spindleSpeed = "1000",
          .feedRate = "5"}},
    };
    for (const auto &[localeName, locale] : calctest::Locales()) {
        for (const auto &row : rows) {
            QTest::addRow("%s: %s", localeName, row.name) << locale << row.formula << row.c;
            // A failure leaves the last result of an earlier formula as it was.
            if (row.c.units != Neither) {
                Case withEarlierResult = row.c;
                withEarlierResult.resultBefore = "31.4159265358979";
                QTest::addRow("%s: %s, earlier result kept", localeName, row.name)
                    << locale << row.formula << withEarlierResult;
            }
        }
    }
}

void TestFormulas::failingFormula_storesNothing()
{
    QFETCH(NumberLocale, locale);
    QFETCH(Formula, formula);
    QFETCH(Case, c);

    ToolValues values = ValuesOf(c, locale);
    QString resultText = L(c.resultBefore, locale);
    FormulaContext ctx = MakeContext(c, values, resultText, locale);
    const ToolValues before = values;

    QVERIFY_THROWS_EXCEPTION(InputError, Run(formula, ctx));
    CompareValues(values, before);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(resultText, L(c.resultBefore, locale));
}

void TestFormulas::piIsReadFromPiText()
{
    ToolValues values;
    values.diameter = "10";
    values.spindleSpeed = "1000";
    QString resultText;
    FormulaContext ctx{.mode = ToolMode::Mill,
                       .values = values,
                       .metric = true,
                       .resultText = resultText,
                       .piText = "3",
                       .locale = commaLocale()};
    QCOMPARE(computeCuttingSpeed(ctx), QStringLiteral("30"));
    values.cuttingSpeed = "30";
    QCOMPARE(computeSpindleSpeed(ctx), QStringLiteral("1000"));
}

void TestFormulas::makePiText_usesLocaleSeparator()
{
    QCOMPARE(makePiText(commaLocale()), QStringLiteral("3,14159265358979"));
    QCOMPARE(makePiText(pointLocale()), QStringLiteral("3.14159265358979"));
}

QTEST_APPLESS_MAIN(TestFormulas)
#include "tst_formulas.moc"
