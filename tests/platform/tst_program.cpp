// SPDX-License-Identifier: MIT
#include "platform/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class TestProgram : public QObject
{
    Q_OBJECT

public:
    explicit TestProgram(QString directoryBeforeApp)
        : m_directoryBeforeApp(std::move(directoryBeforeApp))
    {
    }

private slots:
    void programDirectory_isTheExecutablesDirectory()
    {
        const QString expected = QDir(QStringLiteral(KVR_TEST_BINARY_DIR)).canonicalPath();
        QCOMPARE(QDir(platform::programDirectory()).canonicalPath(), expected);
        QCOMPARE(QDir(m_directoryBeforeApp).canonicalPath(), expected);
        QCOMPARE(platform::folderOfProgramFile("/opt/Værktøj/kvrcalc"),
                 QStringLiteral("/opt/Værktøj"));
        // A Latin-1 folder name: never a relative path, which would land wherever it started.
        QCOMPARE(platform::folderOfProgramFile("/opt/V\xe6rkt\xf8j/kvrcalc"), QString());
    }

    void userConfigDirectory_followsTheUsersFolders_data()
    {
        QTest::addColumn<QByteArray>("homeVariable"); // ~ stands for the temporary home
        QTest::addColumn<QByteArray>("configHome");   // XDG_CONFIG_HOME, with ~ the same
        QTest::addColumn<QString>("expected");        // below the temporary home; null: none

        const QString inConfig = QStringLiteral(".config/maker.example/kvrtest");
        QTest::newRow("XDG_CONFIG_HOME unset") << QByteArray("~") << QByteArray() << inConfig;
        QTest::newRow("XDG_CONFIG_HOME set") << QByteArray("~") << QByteArray("~/settings")
                                             << QStringLiteral("settings/maker.example/kvrtest");
        QTest::newRow("XDG_CONFIG_HOME relative")
            << QByteArray("~") << QByteArray("settings") << inConfig;
        QTest::newRow("home is /") << QByteArray("/") << QByteArray() << QString();
    }

    void userConfigDirectory_followsTheUsersFolders()
    {
        QFETCH(QByteArray, homeVariable);
        QFETCH(QByteArray, configHome);
        QFETCH(QString, expected);

        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", homeVariable.replace('~', QFile::encodeName(home.path())));
        if (configHome.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", configHome.replace('~', QFile::encodeName(home.path())));
        QCoreApplication::setOrganizationName(QStringLiteral("maker.example"));
        QCoreApplication::setApplicationName(QStringLiteral("kvrtest"));

        const QString directory = platform::userConfigDirectory();

        qputenv("HOME", oldHome);
        if (oldConfigHome.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfigHome);
        QCOMPARE(directory, expected.isNull() ? QString() : home.filePath(expected));
    }

    void isInstalledLayout_needsTheInstalledFiles_data()
    {
        QTest::addColumn<QString>("programFolder"); // in a tree with one installed desktop entry
        QTest::addColumn<bool>("installed");
        QTest::newRow("bin beside share") << QStringLiteral("usr/bin") << true;
        QTest::newRow("another name beside share") << QStringLiteral("usr/build") << false;
        QTest::newRow("bin without share") << QStringLiteral("opt/bin") << false;
    }

    void isInstalledLayout_needsTheInstalledFiles()
    {
        QFETCH(QString, programFolder);
        QFETCH(bool, installed);
        QTemporaryDir tree;
        const QString entries = tree.filePath(QStringLiteral("usr/share/applications"));
        QVERIFY(QDir().mkpath(tree.filePath(programFolder)) && QDir().mkpath(entries));
        QVERIFY(QFile(entries + QStringLiteral("/com.example.kovrin.kvrcalc.desktop"))
                    .open(QIODevice::WriteOnly));
        QCOMPARE(platform::isInstalledLayout(tree.filePath(programFolder)), installed);
    }

    void ignoreFileSizeSignal_writePastTheLimitFails()
    {
        QTemporaryDir dir;
        const pid_t child = ::fork();
        if (child == 0) {
            platform::ignoreFileSizeSignal();
            const rlimit limit{10, 10};
            QFile file(dir.filePath(QStringLiteral("big")));
            const bool refused = ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                                 file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                                 file.write(QByteArray(100, 'x')) < 100;
            ::_exit(refused ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "ended by the limit's signal");
    }

private:
    QString m_directoryBeforeApp;
};

int main(int argc, char **argv)
{
    // Asked once before the application object exists, as early start-up code might.
    const QString beforeApp = platform::programDirectory();
    QCoreApplication app(argc, argv);
    TestProgram test(beforeApp);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program.moc"
