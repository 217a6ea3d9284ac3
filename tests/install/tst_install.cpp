// SPDX-License-Identifier: MIT
// Installs the build into a temporary prefix, as a package build does, and reads the tree as a
// desktop would: the desktop entry's and AppStream's own validators, every icon size read
// back, and the names that tie the program, its entry, its metainfo and its icon together.

#include "platform/identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Finished
{
    int status = -1;
    QString output;
};

Finished runProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(": ") + process.errorString()};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void validators_passInstalledFilesWithoutWarnings_data();
    void validators_passInstalledFilesWithoutWarnings();
    void desktopEntry_namesTheInstalledProgram();
    void icon_hasItsSize_data();
    void icon_hasItsSize();
    void metainfoRelease_isTheProgramsVersion();

private:
    QString entryValue(const QString &key) const;

    QTemporaryDir m_prefix;
    QString m_desktopFile;
    QString m_metainfo;
    QString m_entry;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const Finished install = runProgram(QStringLiteral(KVR_CMAKE_COMMAND),
                                        {QStringLiteral("--install"), QStringLiteral(KVR_BUILD_DIR),
                                         QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY2(install.status == 0, qPrintable(install.output));

    // The desktop file is found by the name the program gives the desktop.
    const QString id = QGuiApplication::desktopFileName();
    m_desktopFile = m_prefix.filePath(QStringLiteral("share/applications/%1.desktop").arg(id));
    m_metainfo = m_prefix.filePath(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id));
    QFile entry(m_desktopFile);
    QVERIFY2(entry.open(QIODevice::ReadOnly), qPrintable(m_desktopFile));
    m_entry = QString::fromUtf8(entry.readAll());
}

QString TestInstall::entryValue(const QString &key) const
{
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key),
                                  QRegularExpression::MultilineOption);
    return line.match(m_entry).captured(1);
}

void TestInstall::validators_passInstalledFilesWithoutWarnings_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::newRow("desktop entry")
        << QStringList{QStringLiteral("desktop-file-validate"), m_desktopFile};
    QTest::newRow("metainfo") << QStringList{QStringLiteral("appstreamcli"),
                                             QStringLiteral("validate"), QStringLiteral("--no-net"),
                                             m_metainfo};
    // Also finds the entry that the metainfo launches, by its file name.
    QTest::newRow("installed tree")
        << QStringList{QStringLiteral("appstreamcli"), QStringLiteral("validate-tree"),
                       QStringLiteral("--no-net"), m_prefix.path()};
}

void TestInstall::validators_passInstalledFilesWithoutWarnings()
{
    QFETCH(QStringList, command);
    const Finished check = runProgram(command.takeFirst(), command);
    QVERIFY2(check.status == 0, qPrintable(check.output));
    // desktop-file-validate passes a file with warnings; they count here.
    if (check.output.contains(QStringLiteral("warning"), Qt::CaseInsensitive))
        QFAIL(qPrintable(check.output));
}

void TestInstall::desktopEntry_namesTheInstalledProgram()
{
    const QFileInfo program(
        m_prefix.filePath(QStringLiteral("bin/") + entryValue(QStringLiteral("Exec"))));
    QVERIFY2(program.isFile() && program.isExecutable(), qPrintable(program.filePath()));
}

void TestInstall::icon_hasItsSize_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("size"); // 0: drawn to any size
    QTest::newRow("scalable") << QStringLiteral("scalable") << 0;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(size)))
            << QStringLiteral("%1x%1").arg(size) << size;
}

void TestInstall::icon_hasItsSize()
{
    QFETCH(QString, folder);
    QFETCH(int, size);
    const QString icon = entryValue(QStringLiteral("Icon"));
    const QString path = m_prefix.filePath(
        QStringLiteral("share/icons/hicolor/%1/apps/%2.%3")
            .arg(folder, icon, size ? QStringLiteral("png") : QStringLiteral("svg")));
    QImageReader reader(path);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(": ") + reader.errorString()));
    if (size) {
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
    }
}

void TestInstall::metainfoRelease_isTheProgramsVersion()
{
    const Finished version =
        runProgram(m_prefix.filePath(QStringLiteral("bin/kvrcalc")), {QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    const QString number = version.output.trimmed().section(QLatin1Char(' '), 1);
    QFile metainfo(m_metainfo);
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(metainfo.readAll());
    QVERIFY2(text.contains(QStringLiteral("<release version=\"%1\" date=\"").arg(number)),
             qPrintable(number));
}

int main(int argc, char *argv[])
{
    platform::setApplicationIdentity();
    QGuiApplication app(argc, argv);
    TestInstall test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_install.moc"
