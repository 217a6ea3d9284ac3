#include "settingssets.h"
#include "state/settingsfile.h"
#include "state/startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace state;
using testsets::Records;

namespace {

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void VerifyDefaultTexts(const WorkingValues &values)
{
    for (const ToolValues *tool : {&values.Mill, &values.Drill, &values.Tap}) {
        for (const QString *text :
             {&tool->D, &tool->Z, &tool->Sz, &tool->V, &tool->PitchMm, &tool->PitchTpi})
            QCOMPARE(*text, QStringLiteral("1"));
        QCOMPARE(tool->n, QStringLiteral("4"));
        QCOMPARE(tool->S, QStringLiteral("4"));
    }
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void main_opensTheStoredWindow_data();
    void main_opensTheStoredWindow();
    void main_afterFirstRunSave_keepsTheUsersValues();
    void main_settingsPathBesideTheProgram_data();
    void main_settingsPathBesideTheProgram();
};

void TestStartup::main_opensTheStoredWindow_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<StartWindow>("window");
    QTest::addColumn<bool>("defaults");

    // Flags the opposite of the defaults, so that each default is seen to be applied.
    WorkingValues stored = testsets::SetB();
    stored.SpareFlag1 = true;
    stored.SpareFlag2 = true;
    const auto file = [&stored](int languageState) {
        WorkingValues v = stored;
        v.LanguageState = std::uint8_t(languageState);
        return SerializeSettings(v);
    };
    WorkingValues empty;
    empty.DecimalCount = 1;
    empty.LanguageState = 2;
    empty.MetricUnits = true;

    QTest::newRow("no file") << false << QByteArray() << StartWindow::English << true;
    QTest::newRow("LanguageState 0") << true << file(0) << StartWindow::English << true;
    QTest::newRow("LanguageState 1") << true << file(1) << StartWindow::Danish << false;
    QTest::newRow("LanguageState 2") << true << file(2) << StartWindow::English << false;
    QTest::newRow("LanguageState 2, empty texts")
        << true << SerializeSettings(empty) << StartWindow::English << false;
    QTest::newRow("LanguageState 3") << true << file(3) << StartWindow::None << false;
    QTest::newRow("LanguageState 4") << true << file(4) << StartWindow::English << true;
    QTest::newRow("LanguageState 7") << true << file(7) << StartWindow::English << true;
    QTest::newRow("LanguageState 255") << true << file(255) << StartWindow::English << true;

    QList<QByteArray> lines = SerializeSettings(stored).split('\n');
    lines[25] = "300\r";
    QTest::newRow("300 in line 26") << true << lines.join('\n') << StartWindow::English << true;
}

void TestStartup::main_opensTheStoredWindow()
{
    QFETCH(bool, hasFile);
    QFETCH(QByteArray, content);
    QFETCH(StartWindow, window);
    QFETCH(bool, defaults);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("KVRsys.cfg"));
    if (hasFile)
        QVERIFY(WriteAll(path, content));
    WorkingValues fromFile;
    ParseSettings(content, fromFile);

    WorkingValues values;
    QCOMPARE(Main(values, dir.path()), window);
    QCOMPARE(values.SettingsPath, path);

    if (!defaults) {
        QCOMPARE(Records(values), Records(fromFile));
        return;
    }
    VerifyDefaultTexts(values);
    QVERIFY(values.InchUnits);
    QVERIFY(!values.MetricUnits);
    QVERIFY(values.PitchTpiSelected);
    QVERIFY(!values.PitchMmSelected);
    QVERIFY(!values.DecimalIsPeriod);
    // Recorded as the English window that opens, so the defaults come only once.
    QCOMPARE(values.LanguageState, std::uint8_t(2));
    // Left as the file held them.
    QCOMPARE(values.DecimalCount, fromFile.DecimalCount);
    QCOMPARE(values.SpareFlag1, fromFile.SpareFlag1);
    QCOMPARE(values.SpareFlag2, fromFile.SpareFlag2);
}

void TestStartup::main_afterFirstRunSave_keepsTheUsersValues()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    WorkingValues stale = testsets::SetA();
    stale.LanguageState = 0;
    QVERIFY(WriteAll(dir.filePath(QStringLiteral("KVRsys.cfg")), SerializeSettings(stale)));

    WorkingValues first;
    QCOMPARE(Main(first, dir.path()), StartWindow::English);
    VerifyDefaultTexts(first);
    first.Mill.D = QStringLiteral("12,5");
    first.MetricUnits = true;
    first.InchUnits = false;
    QVERIFY(SaveSettings(first));

    WorkingValues second;
    QCOMPARE(Main(second, dir.path()), StartWindow::English);
    QVERIFY(second.sameStoredValues(first));
}

void TestStartup::main_settingsPathBesideTheProgram_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("plain directory") << QString();
    QTest::newRow("trailing separator") << QStringLiteral("/");
}

void TestStartup::main_settingsPathBesideTheProgram()
{
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    WorkingValues values;
    Main(values, dir.path() + suffix);
    QCOMPARE(values.SettingsPath, dir.path() + QStringLiteral("/KVRsys.cfg"));
    QVERIFY(!QFile::exists(values.SettingsPath)); // starting writes nothing
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
