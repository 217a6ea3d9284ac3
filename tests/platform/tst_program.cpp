#include "platform/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    }

    void userConfigDirectory_followsTheUsersFolders_data()
    {
        QTest::addColumn<QByteArray>("configHome"); // XDG_CONFIG_HOME below the temporary home
        QTest::addColumn<QString>("expected");      // below the temporary home

        QTest::newRow("XDG_CONFIG_HOME unset")
            << QByteArray() << QStringLiteral(".config/maker.example/kvrtest");
        QTest::newRow("XDG_CONFIG_HOME set")
            << QByteArray("settings") << QStringLiteral("settings/maker.example/kvrtest");
    }

    void userConfigDirectory_followsTheUsersFolders()
    {
        QFETCH(QByteArray, configHome);
        QFETCH(QString, expected);

        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        if (configHome.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()) + '/' + configHome);
        QCoreApplication::setOrganizationName(QStringLiteral("maker.example"));
        QCoreApplication::setApplicationName(QStringLiteral("kvrtest"));

        const QString directory = platform::userConfigDirectory();

        qputenv("HOME", oldHome);
        if (oldConfigHome.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfigHome);
        QCOMPARE(directory, home.filePath(expected));
    }

    void programVersion_isTheProjectVersion()
    {
        const platform::Version version = platform::programVersion();
        QCOMPARE(version.major, KVR_PROJECT_MAJOR);
        QCOMPARE(version.minor, KVR_PROJECT_MINOR);
        QCOMPARE(version.revision, KVR_PROJECT_PATCH);
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
