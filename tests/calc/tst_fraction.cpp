// SPDX-License-Identifier: MIT
#include "calctest.h"

#include "calc/fraction.h"

#include <QTest>

using namespace calc;
using calctest::inLocale;

class TestFraction : public QObject
{
    Q_OBJECT

private slots:
    void evaluateFraction_givesValueInLocaleOrFails_data();
    void evaluateFraction_givesValueInLocaleOrFails();
};

void TestFraction::evaluateFraction_givesValueInLocaleOrFails_data()
{
    QTest::addColumn<NumberLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // in the locale's notation; empty when it fails

    struct Row
    {
        const char *name;
        QString text;
        const char *result; // written with a point; "" when the evaluation fails
    };
    // Blanks inside a part do not count.
    const QString padded = QStringLiteral("1 1/2") + QString(250, QLatin1Char(' '));
    const Row rows[] = {
        {"mixed number", QStringLiteral("1 1/2"), "1.5"},
        {"mixed number 2 3/4", QStringLiteral("2 3/4"), "2.75"},
        {"plain fraction", QStringLiteral("3/8"), "0.375"},
        {"not rounded to the decimals", QStringLiteral("1/3"), "0.333333333333333"},
        {"second slash", QStringLiteral("1/2/4"), ""},
        {"second slash, zero last", QStringLiteral("1/2/0"), ""},
        {"leading blank, empty whole part", QStringLiteral(" 1/2"), "0.5"},
        {"trailing blank in denominator", QStringLiteral("1 1/2 "), "1.5"},
        {"blank before the slash", QStringLiteral("3 /8"), ""},
        {"blank in numerator", QStringLiteral("1 1 /2"), ""},
        {"a third number", QStringLiteral("1 1/2 3"), ""},
        {"signed numerator", QStringLiteral("1 -1/2"), ""},
        {"pasted tab for the blank", QStringLiteral("1\t1/2"), "1.5"},
        {"empty numerator", QStringLiteral("/2"), "0"},
        {"empty denominator", QStringLiteral("1/"), ""},
        {"zero denominator", QStringLiteral("1 1/0"), ""},
        {"letters", QStringLiteral("a/b"), ""},
        {"point inside a part", QStringLiteral("1.5/2"), "0.75"},
        {"separator in the whole part", QStringLiteral("1.5 1/2"), ""},
        {"no slash", QStringLiteral("15"), ""},
        {"negative whole part", QStringLiteral("-1 1/2"), ""},
        {"exponent in a part", QStringLiteral("1e3/4"), ""},
        {"small result in exponent form", QStringLiteral("1/100000"), "1E-05"},
        {"quotient overflows", QStringLiteral("1e308/1e-10"), ""},
        {"sum overflows", QStringLiteral("1e308 1e308/1"), ""},
        {"part beyond range", QStringLiteral("1e309/1"), ""},
        {"255 characters", padded, "1.5"},
        {"256 characters", padded + QLatin1Char(' '), ""},
        {"non-ASCII whole part", QString::fromUtf8("½ 1/2"), ""},
    };
    for (const auto &[name, locale] : calctest::Locales()) {
        for (const Row &row : rows) {
            QTest::addRow("%s: %s", name, row.name)
                << locale << row.text << inLocale(QString::fromLatin1(row.result), locale);
        }
    }
    // A comma is the decimal separator of one locale and no number in the other.
    QTest::newRow("comma: 1,5/2") << commaLocale() << QStringLiteral("1,5/2")
                                  << QStringLiteral("0,75");
    QTest::newRow("point: 1,5/2") << pointLocale() << QStringLiteral("1,5/2") << QString();
}

void TestFraction::evaluateFraction_givesValueInLocaleOrFails()
{
    QFETCH(NumberLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(evaluateFraction(text, locale), expected);
}

QTEST_APPLESS_MAIN(TestFraction)
#include "tst_fraction.moc"
