// SPDX-License-Identifier: MIT
#include "calctest.h"

#include "calc/cncline.h"
#include "testvalues.h"

#include <QTest>

using namespace calc;
using calc::Field;
using calc::ToolMode;
using calctest::inLocale;

namespace {

const CncWords &danish = testvalues::DanishWords;
const CncWords &english = testvalues::EnglishWords;

enum Options { NoOption = 0, Mm = 1, Tpi = 2, Inch = 4 };

// Field texts written with a point, shown in each locale's notation.
struct Fields
{
    ToolMode mode = ToolMode::Mill;
    int options = NoOption;
    const char *spindleSpeed = "", *feedRate = "", *diameter = "", *flutes = "", *pitchMm = "",
               *threadsPerInch = "";
};

CncInput inputOf(const Fields &f, const NumberLocale &locale)
{
    const auto l = [&locale](const char *t) { return inLocale(QString::fromLatin1(t), locale); };
    CncInput in;
    in.mode = f.mode;
    in.pitchUnit = (f.options & Mm) != 0 ? PitchUnit::Millimetres : PitchUnit::ThreadsPerInch;
    in.units = (f.options & Inch) != 0 ? Units::Inch : Units::Metric;
    in.values[Field::SpindleSpeed] = l(f.spindleSpeed);
    in.values[Field::FeedRate] = l(f.feedRate);
    in.values[Field::Diameter] = l(f.diameter);
    in.values[Field::Flutes] = l(f.flutes);
    in.values[Field::PitchMm] = l(f.pitchMm);
    in.values[Field::ThreadsPerInch] = l(f.threadsPerInch);
    return in;
}

} // namespace

Q_DECLARE_METATYPE(Fields)

class TestCncLine : public QObject
{
    Q_OBJECT

private slots:
    void plainNumberForLine_keepsDigitsOrThrows_data();
    void plainNumberForLine_keepsDigitsOrThrows();

    void composeCncLine_writesLineWithPointsOrLeavesTheLine_data();
    void composeCncLine_writesLineWithPointsOrLeavesTheLine();
};

void TestCncLine::plainNumberForLine_keepsDigitsOrThrows_data()
{
    QTest::addColumn<QString>("text");     // in the comma locale
    QTest::addColumn<QString>("expected"); // empty: InputError
    // clang-format off
    QTest::newRow("decimal comma") << "381,97" << "381.97";
    QTest::newRow("digits kept, blanks around dropped") << " 04,50 " << "04.50";
    QTest::newRow("exponent") << "1e3" << "";
    QTest::newRow("negative") << "-5" << "";
    QTest::newRow("a second word") << "795 G0 Z-100" << "";
    QTest::newRow("digit group") << "1.234,5" << "";
    QTest::newRow("zero is a number") << "0,0" << "0.0";
    QTest::newRow("separator alone") << "," << "";
    QTest::newRow("empty") << "" << "";
    // clang-format on
}

void TestCncLine::plainNumberForLine_keepsDigitsOrThrows()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    if (expected.isEmpty())
        QVERIFY_THROWS_EXCEPTION(InputError, plainNumberForLine(text, commaLocale()));
    else
        QCOMPARE(plainNumberForLine(text, commaLocale()), expected);
}

void TestCncLine::composeCncLine_writesLineWithPointsOrLeavesTheLine_data()
{
    QTest::addColumn<NumberLocale>("locale");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QString>("danishLine"); // empty: InputError, and the line stays
    QTest::addColumn<QString>("englishLine");

    constexpr ToolMode mill = ToolMode::Mill;
    constexpr ToolMode drill = ToolMode::Drill;
    constexpr ToolMode tap = ToolMode::Tap;
    const struct
    {
        const char *name;
        Fields f;
        const char *danish;
        const char *english;
    } rows[] = {
        // clang-format off
        {"mill", {mill, NoOption, "1273.24", "381.97", "12.5", "3"}, "S1273 M03 F381.97 (12.5 FR 3 SK)", "S1273 M03 F381.97 (12.5 MILL 3 FLUTES)"},
        {"drill", {drill, NoOption, "795.77", "119.4", "8", "2"}, "S796 M03 F119.4 (8 BOR)", "S796 M03 F119.4 (8 DRILL)"},
        {"tap, mm pitch", {tap, Mm, "318", "318", "6", "1", "1", "20"}, "S318 M03 F318 (6 TAP 1 STIG)", "S318 M03 F318 (6 TAPS 1 PITCH)"},
        {"tap, threads per inch, inch", {tap, Tpi | Inch, "1200", "60", "0.25", "1", "1.5", "20"}, "S1200 M03 F60 (0.25 TAP 20 STIG)", "S1200 M03 F60 (0.25 TAPS 20 PITCH)"},
        {"tap F: S word x pitch", {tap, Mm, "530.52", "795.78", "6", "1", "1.5", "20"}, "S531 M03 F796.5 (6 TAP 1.5 STIG)", "S531 M03 F796.5 (6 TAPS 1.5 PITCH)"},
        {"tap F of a mm pitch in inch, to 4 decimals", {tap, Mm | Inch, "500", "25", "0.25", "1", "1.5", "20"}, "S500 M03 F29.5276 (0.25 TAP 1.5 STIG)", "S500 M03 F29.5276 (0.25 TAPS 1.5 PITCH)"},
        {"n above a tie", {drill, NoOption, "1274.51", "1", "8"}, "S1275 M03 F1 (8 BOR)", "S1275 M03 F1 (8 DRILL)"},
        {"n tie to even, down", {drill, NoOption, "1274.5", "1", "8"}, "S1274 M03 F1 (8 BOR)", "S1274 M03 F1 (8 DRILL)"},
        {"n tie to even, up", {drill, NoOption, "1273.5", "1", "8"}, "S1274 M03 F1 (8 BOR)", "S1274 M03 F1 (8 DRILL)"},
        {"D to 4 decimals", {drill, NoOption, "1000", "100", "12.34567"}, "S1000 M03 F100 (12.3457 BOR)", "S1000 M03 F100 (12.3457 DRILL)"},
        {"D tie to even at 4 decimals", {drill, NoOption, "1000", "100", "0.00125"}, "S1000 M03 F100 (0.0012 BOR)", "S1000 M03 F100 (0.0012 DRILL)"},
        {"whole D without separator", {mill, NoOption, "1000", "100", "10.0", "4"}, "S1000 M03 F100 (10 FR 4 SK)", "S1000 M03 F100 (10 MILL 4 FLUTES)"},
        {"D below 1", {mill, NoOption, "1000", "100", "0.5", "4"}, "S1000 M03 F100 (0.5 FR 4 SK)", "S1000 M03 F100 (0.5 MILL 4 FLUTES)"},
        {"S and Z copied as shown", {mill, NoOption, "1000", "100.50", "10", "04"}, "S1000 M03 F100.50 (10 FR 04 SK)", "S1000 M03 F100.50 (10 MILL 04 FLUTES)"},
        {"n and S that round to 0", {mill, NoOption, "0.4", "0", "0.5", "0"}, "S0 M03 F0 (0.5 FR 0 SK)", "S0 M03 F0 (0.5 MILL 0 FLUTES)"},
        {"n and D of 0", {drill, NoOption, "0", "1", "0"}, "S0 M03 F1 (0 BOR)", "S0 M03 F1 (0 DRILL)"},
        {"huge n written out", {drill, NoOption, "1.5E+15", "1", "8"}, "S1500000000000000 M03 F1 (8 BOR)", "S1500000000000000 M03 F1 (8 DRILL)"},
        {"empty n", {mill, NoOption, "", "381.97", "12.5", "3"}, "", ""},
        {"unreadable n", {mill, NoOption, "12x", "381.97", "12.5", "3"}, "", ""},
        {"n rounds to -0", {mill, NoOption, "-0.4", "381.97", "12.5", "3"}, "", ""},
        {"negative n", {mill, NoOption, "-5305", "381.97", "12.5", "3"}, "", ""},
        {"empty D", {mill, NoOption, "1273.24", "381.97", "", "3"}, "", ""},
        {"fraction D", {mill, NoOption, "1273.24", "381.97", "1 1/2", "3"}, "", ""},
        {"empty Z", {mill, NoOption, "1000", "100", "10", ""}, "", ""},
        {"empty S", {drill, NoOption, "1000", "", "10"}, "", ""},
        {"S in exponent form", {drill, NoOption, "1000", "1e3", "10"}, "", ""},
        {"pitch in exponent form", {tap, Mm, "1000", "100", "10", "1", "5e-1"}, "", ""},
        // clang-format on
    };
    for (const auto &[localeName, locale] : calctest::Locales()) {
        for (const auto &row : rows) {
            QTest::addRow("%s: %s", localeName, row.name)
                << locale << row.f << QString::fromLatin1(row.danish)
                << QString::fromLatin1(row.english);
        }
    }
}

void TestCncLine::composeCncLine_writesLineWithPointsOrLeavesTheLine()
{
    QFETCH(NumberLocale, locale);
    QFETCH(Fields, fields);
    QFETCH(QString, danishLine);
    QFETCH(QString, englishLine);

    const CncInput input = inputOf(fields, locale);
    QString line = QStringLiteral("previous line");
    if (danishLine.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(InputError, composeCncLine(input, danish, locale, line));
        QCOMPARE(line, QStringLiteral("previous line"));
        return;
    }
    composeCncLine(input, danish, locale, line);
    QCOMPARE(line, danishLine);
    composeCncLine(input, english, locale, line);
    QCOMPARE(line, englishLine);
}

QTEST_APPLESS_MAIN(TestCncLine)
#include "tst_cncline.moc"
