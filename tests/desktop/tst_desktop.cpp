// SPDX-License-Identifier: MIT
// The built program as a desktop starts it: what its command line answers, with and without a
// display, and what its main window tells the window system.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

struct Finished
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLine_answersOrRefusesBeforeReadingSettings_data();
    void commandLine_answersOrRefusesBeforeReadingSettings();
    void mainWindow_keepsItsFixedTitle();

private:
    Finished run(const QStringList &arguments, bool display);
    QString m_program;
    QTemporaryDir m_dir{QDir::currentPath() + QStringLiteral("/desktop-XXXXXX")};
};

void TestDesktop::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A link of its own: a start that should not happen writes its settings file here, not
    // beside the build's program.
    m_program = m_dir.filePath(QStringLiteral("kvrcalc"));
    const QByteArray from = QFile::encodeName(QStringLiteral(KVR_PROGRAM_PATH));
    if (::link(from.constData(), QFile::encodeName(m_program).constData()) != 0)
        QVERIFY(QFile::copy(QStringLiteral(KVR_PROGRAM_PATH), m_program));
}

Finished TestDesktop::run(const QStringList &arguments, bool display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (display)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(m_program, arguments);
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return {};
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

void TestDesktop::commandLine_answersOrRefusesBeforeReadingSettings_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // a pattern the whole of standard output matches
    QTest::addColumn<QString>("err"); // a pattern found in standard error

    const QString version =
        QStringLiteral("kvrcalc ") + QStringLiteral(KVR_PROJECT_VERSION) + QStringLiteral("\n");
    const QString help = QStringLiteral("Usage: \\S*kvrcalc \\[options\\]\n(.*\n)*"
                                        "  -h, --help .*\n  -v, --version .*\n");
    QTest::newRow("--version") << QStringList{"--version"} << false << 0
                               << QRegularExpression::escape(version) << QString();
    QTest::newRow("-v") << QStringList{"-v"} << false << 0 << QRegularExpression::escape(version)
                        << QString();
    QTest::newRow("--help") << QStringList{"--help"} << false << 0 << help << QString();
    QTest::newRow("-h beside an unknown option")
        << QStringList{"--bogus", "-h"} << false << 0 << help << QString();
    QTest::newRow("unknown option") << QStringList{"--bogus"} << false << 2 << QString()
                                    << QStringLiteral("kvrcalc: Unknown option 'bogus'");
    QTest::newRow("Qt's single-dash word is not -v")
        << QStringList{"-reverse", "-verbose"} << false << 2 << QString()
        << QStringLiteral("Unknown option 'verbose'");
    // The program starts; its settings file asks for no window, so it ends at once.
    QTest::newRow("a file name") << QStringList{"KVRsys.cfg"} << true << 0 << QString()
                                 << QStringLiteral("the argument 'KVRsys.cfg' is ignored");
    QTest::newRow("Qt's own option is Qt's")
        << QStringList{"-platform", "offscreen", "stray"} << false << 0 << QString()
        << QStringLiteral("the argument 'stray' is ignored");
}

void TestDesktop::commandLine_answersOrRefusesBeforeReadingSettings()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const QString settings = m_dir.filePath(QStringLiteral("KVRsys.cfg"));
    const QByteArray noWindow =
        QByteArray("\"1\"\r\n").repeated(24) + "0\r\n3\r\n" + QByteArray("#FALSE#\r\n").repeated(7);
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(noWindow) == noWindow.size());
    file.close();
    const Finished finished = run(arguments, display);
    QVERIFY2(
        QRegularExpression(QRegularExpression::anchoredPattern(out)).match(finished.out).hasMatch(),
        qPrintable(finished.out));
    QVERIFY2(finished.err.contains(err), qPrintable(finished.err));
    QCOMPARE(finished.status, status);
    // Nothing wrote the settings file.
    QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == noWindow && file.remove());
}

void TestDesktop::mainWindow_keepsItsFixedTitle()
{
    for (const char *tool : {"xvfb-run", "xwininfo"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    }
    // The window is up once the settings file is written; then its title and class are read
    // back from the X server. The class is the desktop entry's StartupWMClass.
    const QString script =
        QStringLiteral("\"$0\" & pid=$!\n"
                       "for i in $(seq 150); do [ -e KVRsys.cfg ] && break; sleep 0.1; done\n"
                       "xwininfo -root -tree\n"
                       "kill $pid\n");
    QProcess xvfb;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // libxkbcommon-x11 hands strndup a reply without a closing NUL, which AddressSanitizer's
    // strict string checks report before the window opens.
    const QString asan = QStringLiteral("ASAN_OPTIONS");
    if (env.contains(asan))
        env.insert(asan, env.value(asan) + QStringLiteral(":strict_string_checks=0"));
    xvfb.setProcessEnvironment(env);
    xvfb.setWorkingDirectory(m_dir.path());
    xvfb.start(QStringLiteral("xvfb-run"), {QStringLiteral("-a"), QStringLiteral("sh"),
                                            QStringLiteral("-c"), script, m_program});
    QVERIFY(xvfb.waitForFinished(60000));
    QFile::remove(m_dir.filePath(QStringLiteral("KVRsys.cfg")));
    const QString seen = QString::fromLocal8Bit(xvfb.readAllStandardOutput());
    // The fixed title alone: Qt appends the display name to every title when one is set.
    static const QRegularExpression window(
        QStringLiteral("0x[0-9a-f]+ \"KOVRIN Zarir adu Rezi\": \\(\"kvrcalc\" \"kvrcalc\"\\)"));
    QVERIFY2(window.match(seen).hasMatch(), qPrintable(seen));
}

QTEST_GUILESS_MAIN(TestDesktop)

#include "tst_desktop.moc"
