// SPDX-License-Identifier: MIT
// On Windows the decimal separator is that of the user's regional settings. Wine takes them
// from the locale it is started in; scripts/windows.sh runs the tests in a comma and a point
// locale and names the separator each should give in KVR_EXPECTED_DECIMAL.

#include "platform/locale.h"

#include <QTest>

class TestRegionalSettings : public QObject
{
    Q_OBJECT

private slots:
    void decimalSeparator_followsRegionalSettings()
    {
        const QString expected = qEnvironmentVariable("KVR_EXPECTED_DECIMAL");
        if (expected.isEmpty())
            QSKIP("KVR_EXPECTED_DECIMAL names no separator for this run");
        QCOMPARE(QString(platform::userNumberLocale().decimal), expected);
    }
};

QTEST_GUILESS_MAIN(TestRegionalSettings)
#include "tst_regionalsettings.moc"
