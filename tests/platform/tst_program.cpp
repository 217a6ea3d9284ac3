#include "platform/program.h"

#include <QCoreApplication>
#include <QDir>
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
