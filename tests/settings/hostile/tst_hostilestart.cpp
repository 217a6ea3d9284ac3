// SPDX-License-Identifier: MIT
// Starts the real program beside a damaged, odd or hostile settings file and checks that it
// neither crashes nor loses the file: it saves a whole 33-record file holding what could be
// read (and the first-run defaults where no language was stored), or leaves the file alone.

#include "qtversion.h"
#include "settings/ordinaryuser.h"
#include "settings/settingsfile.h"
#include "settings/settingssets.h"
#include "settings/startup.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <utility>

#include <unistd.h>

using settings::FileRecords;
using settings::LanguageState;
using testsets::recordsOf;

namespace {

enum class Place { File, Missing, Directory, ReadOnlyFile, FileAndAbandonedSave };

// What the start must do with the file.
enum class Outcome {
    Saves,     // the window opens and writes the file
    KeepsFile, // the window opens but writes nothing (the file stays as it was)
    MaySave,   // the window opens; whether it writes or not, the values stay as read
    ExitsAtOnce
};

const QDateTime OldTime = utcDateTime(QDate(2001, 1, 1), QTime(12, 0));

QList<QByteArray> quotedRecord(const QList<QByteArray> &texts)
{
    QList<QByteArray> lines;
    for (const QByteArray &t : texts)
        lines << '"' + t + '"';
    return lines;
}

// A settings file from its 24 text lines as they stand in the file.
QByteArray settingsBytes(const QList<QByteArray> &textLines, const QByteArray &decimals,
                         const QByteArray &language,
                         const QList<bool> &flags = {true, false, true, false, false, false, false})
{
    QByteArray file;
    for (const QByteArray &line : textLines)
        file += line + "\r\n";
    file += decimals + "\r\n" + language + "\r\n";
    for (const bool f : flags)
        file += f ? "#TRUE#\r\n" : "#FALSE#\r\n";
    return file;
}

// Numbers that compose a CNC line in any locale, so that the first save can happen.
QList<QByteArray> plainTexts()
{
    const QList<QByteArray> mill{"12", "3", "0", "40", "1", "20", "1000", "150"};
    const QList<QByteArray> drill{"8", "2", "0", "25", "1", "20", "990", "99"};
    const QList<QByteArray> tap{"6", "1", "1", "10", "1", "20", "530", "530"};
    return mill + drill + tap;
}

QByteArray plainFile(const QByteArray &language, const QByteArray &decimals = "2")
{
    return settingsBytes(quotedRecord(plainTexts()), decimals, language,
                         {false, true, false, true, false, true, false});
}

// The plain file with text line index (0..23) replaced as it stands.
QByteArray replacingLine(int index, const QByteArray &line, const QByteArray &language)
{
    QList<QByteArray> lines = quotedRecord(plainTexts());
    lines[index] = line;
    return settingsBytes(lines, "1", language);
}

QByteArray junkBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = static_cast<char>(random.bounded(256));
    bytes[0] = '\0';
    return bytes;
}

// What the reader makes of the bytes, read from a file of their own (the reader looks only
// at the start of a huge file).
FileRecords loadedFrom(const QByteArray &bytes, bool present)
{
    FileRecords v;
    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("no temporary directory");
    const QString path = dir.filePath(QStringLiteral("read.cfg"));
    if (present && !testsets::writeAll(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    settings::parseSettings(settings::readSettingsBytes(path), v);
    return v;
}

// The values the program must have saved: what the reader reads, with the start-up and
// window-load rules applied. decimalIsPoint follows the user's locale and is not compared.
FileRecords expectedAfterStart(const QByteArray &bytes, bool present)
{
    const FileRecords read = loadedFrom(bytes, present);
    settings::SettingsFile file;
    settings::Settings settings = file.take(read);
    if (read.languageState == LanguageState::NothingStored || int(read.languageState) > 3) {
        settings::applyFirstRunDefaults(settings);
        settings.language = calc::Language::English;
    }
    return file.recordsFor(settings);
}

// Gives the program until saved() holds, or patience ms, and a moment to settle after a
// save; then ends it, gently first. Says whether it was still running.
bool stopAfterSave(QProcess &program, int patience, const std::function<bool()> &saved)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < patience && program.state() == QProcess::Running && !saved())
        program.waitForFinished(50);
    if (program.state() == QProcess::Running)
        program.waitForFinished(500);
    if (program.state() != QProcess::Running)
        return false;
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished(5000);
    }
    return true;
}

// Writes bytes to path, dated long ago so that a save shows.
bool writeOldFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.setFileTime(OldTime, QFileDevice::FileModificationTime);
}

bool savedSince(const QString &path, bool existedBefore)
{
    const QFileInfo info(path);
    if (!existedBefore)
        return info.isFile();
    return info.isFile() && info.lastModified() > OldTime.addSecs(3600);
}

// Every settings file found below folder.
QStringList settingsFilesBelow(const QString &folder)
{
    QStringList found;
    QDirIterator files(folder, {QString::fromLatin1(settings::SettingsFileName)},
                       QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext())
        found << files.next();
    return found;
}

// Puts the program into dir: a hard link when the file system allows it, else a copy. The
// program looks for its settings file beside its own path.
bool placeProgram(const QString &program, const QString &dir)
{
    const QString target = dir + QStringLiteral("/kvrcalc");
    if (::link(QFile::encodeName(program).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    return QFile::copy(program, target);
}

// Starts the program on the offscreen platform, with the variables of environment changed
// as given (a null value removes one).
void startProgram(QProcess &program, const QString &path, const QStringList &arguments,
                  const QString &folder, const QList<std::pair<QString, QString>> &environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const auto &[name, value] : environment) {
        env.remove(name);
        if (!value.isNull())
            env.insert(name, value);
    }
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(folder);
    program.start(path, arguments);
}

} // namespace

class HostileStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void start_hostileFile_neitherCrashesNorLosesIt_data();
    void start_hostileFile_neitherCrashesNorLosesIt();
    void installedStart_savesBesideProgramOrInConfigFolder_data();
    void installedStart_savesBesideProgramOrInConfigFolder();

private:
    QString m_program;
};

void HostileStart::initTestCase()
{
    m_program = QStringLiteral(KVR_PROGRAM_PATH);
    if (!QFileInfo(m_program).isExecutable())
        QSKIP("the program is not built");
}

void HostileStart::start_hostileFile_neitherCrashesNorLosesIt_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Outcome>("outcome");
    // Spot checks of the saved file, independent of the reader: -1, a null text or empty
    // bytes skip them.
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("millD");
    QTest::addColumn<QString>("millN");
    QTest::addColumn<QByteArray>("savedPart");

    const auto file = Place::File;
    const auto saves = Outcome::Saves;
    const auto keeps = Outcome::KeepsFile;
    const QString any;
    const QByteArray none;
    const QByteArray latin1 = "\xe6\xf8\xe5 \xc6\xd8\xc5";
    const QByteArray utf8 = "\xc3\xa6\xc3\xb8\xc3\xa5";

    // Defaults replace everything when no language is stored.
    auto firstRun = [&](const char *name, Place place, const QByteArray &bytes) {
        QTest::newRow(name) << place << bytes << saves << 2 << -1 << QStringLiteral("1")
                            << QStringLiteral("4") << none;
    };
    firstRun("no file", Place::Missing, {});
    firstRun("empty file", file, {});
    firstRun("binary junk", file, junkBytes(4096, 1));
    firstRun("languageState 0", file, plainFile("0"));
    firstRun("languageState 7", file, plainFile("7"));
    firstRun("languageState 300", file, plainFile("300"));
    firstRun("a bare first line of 1 MB", file,
             QByteArray(1024 * 1024, '7') + "\r\n" + plainFile("2"));

    // The stored values stand.
    auto stored = [&](const char *name, const QByteArray &bytes, int language, int decimals,
                      const QByteArray &part, Place place = Place::File) {
        QTest::newRow(name) << place << bytes << saves << language << decimals
                            << QStringLiteral("12") << QStringLiteral("1000") << part;
    };
    stored("languageState 1", plainFile("1"), 1, 2, none);
    // What a save cut short by a crash left beside it is gone after the start.
    stored("a crashed save's temporary file", plainFile("2"), 2, 2, none,
           Place::FileAndAbandonedSave);
    stored("languageState 2", plainFile("2"), 2, 2, none);
    stored("decimalCount 9", plainFile("2", "9"), 2, 3, none);
    stored("line feeds only", plainFile("2").replace("\r\n", "\n"), 2, 2, none);
    stored("10 MB long", plainFile("2") + junkBytes(10 * 1024 * 1024, 2), 2, 2, none);
    stored("Latin-1 letters", replacingLine(8, '"' + latin1 + '"', "1"), 1, 1, '"' + latin1 + '"');
    stored("UTF-8 letters", replacingLine(8, '"' + utf8 + '"', "2"), 2, 1, '"' + utf8 + '"');
    stored("a bare text line", replacingLine(9, "a bare text", "2"), 2, 1, "\"a bare text\"");

    // Whatever the reader makes of these, the program opens and saves a whole file.
    auto odd = [&](const char *name, const QByteArray &bytes) {
        QTest::newRow(name) << file << bytes << saves << -1 << -1 << any << any << none;
    };
    odd("no line ends", plainFile("2").replace("\r\n", ""));
    odd("a quoted line of 1 MB", replacingLine(9, '"' + QByteArray(1024 * 1024, 'x') + '"', "2"));
    odd("a bare line of 1 MB", replacingLine(9, QByteArray(1024 * 1024, '7'), "2"));
    odd("a missing closing quote", plainFile("1").replace("\"40\"", "\"40"));

    // No line can be composed from empty texts; no default is put over them either.
    QTest::newRow("languageState 1, empty texts")
        << file << settingsBytes(quotedRecord(QList<QByteArray>(24)), "0", "1") << Outcome::MaySave
        << 1 << 0 << QString() << QString() << none;

    // The window opens, but the file stays as it was.
    QTest::newRow("a read-only file") << Place::ReadOnlyFile << plainFile("2") << keeps << 2 << 2
                                      << QStringLiteral("12") << QStringLiteral("1000") << none;
    QTest::newRow("a directory in its place")
        << Place::Directory << QByteArray() << keeps << -1 << -1 << any << any << none;

    QTest::newRow("languageState 3") << file << plainFile("3") << Outcome::ExitsAtOnce << 3 << 2
                                     << QStringLiteral("12") << QStringLiteral("1000") << none;
}

void HostileStart::start_hostileFile_neitherCrashesNorLosesIt()
{
    QFETCH(Place, place);
    QFETCH(QByteArray, bytes);
    QFETCH(Outcome, outcome);
    QFETCH(int, language);
    QFETCH(int, decimals);
    QFETCH(QString, millD);
    QFETCH(QString, millN);
    QFETCH(QByteArray, savedPart);

    // Beside the build tree, so that the program can be hard-linked rather than copied.
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/hostile-XXXXXX"));
    QVERIFY(dir.isValid());
    QVERIFY(placeProgram(m_program, dir.path()));
    const QString settings = dir.filePath(QString::fromLatin1(settings::SettingsFileName));

    if (place == Place::Directory) {
        QVERIFY(QDir(dir.path()).mkdir(QString::fromLatin1(settings::SettingsFileName)));
    } else if (place != Place::Missing) {
        QVERIFY(writeOldFile(settings, bytes));
        if (place == Place::ReadOnlyFile)
            QVERIFY(QFile::setPermissions(settings, QFileDevice::ReadOwner |
                                                        QFileDevice::ReadGroup |
                                                        QFileDevice::ReadOther));
    }
    QVERIFY(
        place != Place::FileAndAbandonedSave ||
        testsets::writeAll(settings + QStringLiteral(".kvrcalc-save-999999999"), bytes.left(100)));
    const bool existed = place != Place::Directory && place != Place::Missing;

    QProcess program;
    startProgram(program, dir.filePath(QStringLiteral("kvrcalc")), {}, dir.path(), {});
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));

    if (outcome == Outcome::ExitsAtOnce)
        QVERIFY(program.waitForFinished(10000));
    // A start that saves does so as soon as its window is shown; one that need not save gets
    // a few seconds to do something wrong.
    const bool stillRunning = stopAfterSave(program, outcome == Outcome::Saves ? 20000 : 3000,
                                            [&] { return savedSince(settings, existed); });
    const QByteArray errors = program.readAllStandardError();
    for (const char *report :
         {"AddressSanitizer", "LeakSanitizer", "runtime error:", "UndefinedBehaviorSanitizer"})
        QVERIFY2(!errors.contains(report), errors.constData());

    if (outcome == Outcome::ExitsAtOnce) {
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    } else {
        QVERIFY2(stillRunning, qPrintable(QStringLiteral("the program ended by itself (%1, code "
                                                         "%2): %3")
                                              .arg(int(program.exitStatus()))
                                              .arg(program.exitCode())
                                              .arg(QString::fromLocal8Bit(errors.right(2000)))));
    }

    // Nothing left behind but the program, its settings file and a file it could not read.
    const QStringList entries =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &entry : entries)
        QVERIFY2(entry == QLatin1String("kvrcalc") ||
                     entry == QLatin1String(settings::SettingsFileName) ||
                     entry == QLatin1String("KVRsys.cfg.damaged"),
                 qPrintable(entry));

    if (place == Place::Directory) {
        QVERIFY(QFileInfo(settings).isDir());
        return;
    }
    const QByteArray after = testsets::readWholeFile(settings);
    if (outcome == Outcome::KeepsFile || outcome == Outcome::ExitsAtOnce) {
        QVERIFY2(!savedSince(settings, existed), "the file was written");
        QVERIFY2(after == bytes, "the file changed");
    } else if (outcome == Outcome::Saves) {
        QVERIFY2(savedSince(settings, existed), "the window did not save within 20 s");
    }

    FileRecords saved;
    QCOMPARE(settings::parseSettings(after, saved), 33);

    const FileRecords want = outcome == Outcome::Saves || outcome == Outcome::MaySave
                                 ? expectedAfterStart(bytes, existed)
                                 : loadedFrom(bytes, existed);
    FileRecords comparable = saved;
    comparable.decimalIsPoint = want.decimalIsPoint;
    QCOMPARE(recordsOf(comparable), recordsOf(want));

    if (language >= 0)
        QCOMPARE(int(saved.languageState), language);
    if (decimals >= 0)
        QCOMPARE(int(saved.decimalCount), decimals);
    if (!millD.isNull())
        QCOMPARE(saved.mill[calc::Field::Diameter], millD);
    if (!millN.isNull())
        QCOMPARE(saved.mill[calc::Field::SpindleSpeed], millN);
    if (!savedPart.isEmpty())
        QVERIFY2(after.contains(savedPart), after.left(400).constData());
}

// The program installed in a folder that its user, who is not root, cannot write.
void HostileStart::installedStart_savesBesideProgramOrInConfigFolder_data()
{
    QTest::addColumn<bool>("fileBeside"); // a writable settings file beside the program
    QTest::addColumn<bool>("configHomeSet");

    QTest::newRow("no file, ~/.config") << false << false;
    QTest::newRow("no file, XDG_CONFIG_HOME") << false << true;
    QTest::newRow("writable file beside the program") << true << false;
}

void HostileStart::installedStart_savesBesideProgramOrInConfigFolder()
{
    QFETCH(bool, fileBeside);
    QFETCH(bool, configHomeSet);

    const bool root = ::geteuid() == 0;
    const QString switchUser = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (root && switchUser.isEmpty())
        QSKIP("setpriv is needed to start the program as an ordinary user");

    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/installed-XXXXXX"));
    QVERIFY(dir.isValid());
    const auto open = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser |
                      QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(dir.path(), open | QFile::WriteOwner));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString home = dir.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(QDir().mkpath(home));
    QVERIFY(ordinaryuser::giveFolder(home));
    QVERIFY(placeProgram(m_program, bin));
    const QString settings =
        bin + QStringLiteral("/") + QString::fromLatin1(settings::SettingsFileName);
    if (fileBeside) {
        QVERIFY(writeOldFile(settings, plainFile("1")));
        QVERIFY(QFile::setPermissions(settings, open | QFile::WriteUser | QFile::WriteOwner |
                                                    QFile::WriteGroup | QFile::WriteOther));
    }
    QVERIFY(QFile::setPermissions(bin, open));
    const QString configHome =
        home + (configHomeSet ? QStringLiteral("/settings") : QStringLiteral("/.config"));

    QProcess program;
    const QString path = bin + QStringLiteral("/kvrcalc");
    const QStringList asUser{QStringLiteral("--reuid=%1").arg(ordinaryuser::UserId),
                             QStringLiteral("--regid=%1").arg(ordinaryuser::GroupId),
                             QStringLiteral("--clear-groups"), QStringLiteral("--"), path};
    startProgram(program, root ? switchUser : path, root ? asUser : QStringList(), home,
                 {{QStringLiteral("HOME"), home},
                  {QStringLiteral("XDG_RUNTIME_DIR"), QString()},
                  {QStringLiteral("XDG_CONFIG_HOME"), configHomeSet ? configHome : QString()}});
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));

    // The window saves as soon as it is shown.
    const bool stillRunning = stopAfterSave(program, 20000, [&] {
        return fileBeside ? savedSince(settings, true) : !settingsFilesBelow(home).isEmpty();
    });
    QVERIFY(QFile::setPermissions(bin, open | QFile::WriteOwner));
    const QByteArray errors = program.readAllStandardError();
    QVERIFY2(stillRunning, errors.right(2000).constData());

    const QStringList inHome = settingsFilesBelow(home);
    QString savedPath = settings;
    if (fileBeside) {
        QVERIFY2(savedSince(settings, true), "the file beside the program was not saved");
        QVERIFY2(inHome.isEmpty(), qPrintable(inHome.join(u' ')));
    } else {
        QCOMPARE(inHome.size(), 1);
        savedPath = inHome.first();
        QVERIFY2(savedPath.startsWith(configHome + u'/'), qPrintable(savedPath));
        QVERIFY(!QFileInfo::exists(settings));
    }
    QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             fileBeside ? 2 : 1);

    FileRecords values;
    QCOMPARE(settings::parseSettings(testsets::readWholeFile(savedPath), values), 33);
    // The stored Danish window with its values, or a first run in English.
    QCOMPARE(values.languageState, fileBeside ? LanguageState::Danish : LanguageState::English);
    QCOMPARE(values.mill[calc::Field::Diameter],
             fileBeside ? QStringLiteral("12") : QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(HostileStart)
#include "tst_hostilestart.moc"
