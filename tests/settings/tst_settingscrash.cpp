// SPDX-License-Identifier: MIT
#include "settings/settingsfile.h"
#include "settingssets.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <chrono>
#include <thread>

using namespace settings;
using testsets::recordsOf;

class TestSettingsCrash : public QObject, private testsets::FolderPerTest
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(makeFolder()); }
    void saveKilledAtRandom_leavesOneWholeSet();
};

void TestSettingsCrash::saveKilledAtRandom_leavesOneWholeSet()
{
    const QStringList setA = recordsOf(testsets::settingsSetA());
    const QStringList setB = recordsOf(testsets::settingsSetB());
    QRandomGenerator random(7411);
    int sawA = 0;
    int sawB = 0;

    for (int round = 0; round < 200; ++round) {
        QProcess saver;
        saver.start(QStringLiteral(KVR_SETTINGS_SAVER), {m_path});
        QVERIFY2(saver.waitForReadyRead(10000), qPrintable(saver.errorString()));
        QCOMPARE(saver.readLine().trimmed(), QByteArray("saving")); // "\r\n" on Windows
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(3000)));
        saver.kill(); // SIGKILL: no chance to tidy up
        QVERIFY(saver.waitForFinished(10000));
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

        FileRecords loaded;
        testsets::loadRecords(loaded, m_path);
        const QStringList records = recordsOf(loaded);
        if (records == setA)
            ++sawA;
        else if (records == setB)
            ++sawB;
        else
            QFAIL(qPrintable(QStringLiteral("round %1: neither set: %2")
                                 .arg(round)
                                 .arg(records.join(QLatin1Char('|')))));
    }
    // Both sets must have been caught, or the kills never hit a save in progress.
    qInfo("set A %d times, set B %d times", sawA, sawB);
    QVERIFY(sawA > 0);
    QVERIFY(sawB > 0);
}

QTEST_GUILESS_MAIN(TestSettingsCrash)
#include "tst_settingscrash.moc"
