// SPDX-License-Identifier: MIT
#include "ordinaryuser.h"
#include "settings/filewriting.h"
#include "settings/settingsfile.h"
#include "settings/startup.h"
#include "settingssets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <chrono>
#include <csignal>
#include <thread>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#else
#include <windows.h>
#endif

using namespace settings;
using settings::LanguageState;
using testsets::fileLines;
using testsets::joinLines;
using testsets::readWholeFile;
using testsets::recordsOf;
using testsets::writeAll;
using namespace Qt::StringLiterals;

namespace {

enum class Place { File, Missing, Directory, Pipe, DanglingLink, Unreadable };

#ifdef Q_OS_UNIX
struct stat statOf(const QString &path)
{
    struct stat info = {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}
#endif

bool makePipe(const QString &path)
{
#ifdef Q_OS_UNIX
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
    Q_UNUSED(path);
    return false; // no pipes in folders
#endif
}

QList<QByteArray> replacingLine(QList<QByteArray> lines, int number, const QByteArray &line)
{
    lines[number - 1] = line;
    return lines;
}

} // namespace

class TestSettingsFile : public QObject, private testsets::FolderPerTest
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(makeFolder()); }
    void roundTrip_keepsEveryValue_data();
    void roundTrip_keepsEveryValue();
    void serialize_defaults_writesExactBytes();
    void settingsFrom_settlesEachPair_data();
    void settingsFrom_settlesEachPair();
    void serialize_textTheFileCannotHold_data();
    void serialize_textTheFileCannotHold();
    void load_brokenFile_keepsRecordsBeforeTheFault_data();
    void load_brokenFile_keepsRecordsBeforeTheFault();
    void save_asThisUser_data();
    void save_asThisUser();
#ifdef Q_OS_UNIX // other users, root and permission bits
    void save_asOrdinaryUser_data();
    void save_asOrdinaryUser();
    void save_throughLink_data();
    void save_throughLink();
    void save_asRootInAnotherUsersFolder_writesNothing();
    void save_againstAnotherUser_touchesNoOtherFileAndLosesNoSave_data();
    void save_againstAnotherUser_touchesNoOtherFileAndLosesNoSave();
#else // Linux has no lock that keeps a program from a file
    void save_whileAnotherProgramHoldsTheFile_data();
    void save_whileAnotherProgramHoldsTheFile();
#endif
    // Last: a lock never let go is not waited for again in the same run.
    void save_lockName_onlyAnOwnFileInAnOwnFolder_data();
    void save_lockName_onlyAnOwnFileInAnOwnFolder();
};

void TestSettingsFile::roundTrip_keepsEveryValue_data()
{
    QTest::addColumn<FileRecords>("values");

    SettingsFile defaultsFile;
    Settings defaults;
    applyFirstRunDefaults(defaults);
    QTest::newRow("first-run defaults") << defaultsFile.recordsFor(defaults);
    QTest::newRow("initial state, all texts empty") << defaultsFile.recordsFor(Settings{});
    QTest::newRow("decimal commas, flags set A") << testsets::settingsSetA();
    QTest::newRow("decimal points, flags set B") << testsets::settingsSetB();

    FileRecords letters = testsets::settingsSetA();
    letters.mill[calc::Field::Diameter] = QStringLiteral("æøå ÆØÅ µ°");
    letters.tap[calc::Field::FeedRate] = QStringLiteral("  1 1/2, \t");
    letters.languageState = LanguageState(255);
    QTest::newRow("Latin-1 letters, blanks, commas") << letters;
}

void TestSettingsFile::roundTrip_keepsEveryValue()
{
    QFETCH(FileRecords, values);

    FileRecords parsed;
    QCOMPARE(parseSettings(serializeSettings(values), parsed), 33);
    QCOMPARE(recordsOf(parsed), recordsOf(values));

    QCOMPARE(testsets::saveRecords(values, m_path).status, SaveStatus::Saved);
    // Saved as the program reads them: a language number it does not know as English.
    FileRecords loaded;
    QCOMPARE(testsets::loadRecords(loaded, m_path), 33);
    SettingsFile file;
    QVERIFY(loaded == file.recordsFor(file.take(values)));
}

void TestSettingsFile::serialize_defaults_writesExactBytes()
{
    Settings values;
    applyFirstRunDefaults(values);
    values.language = Language::English;
    QByteArray expected;
    for (int tool = 0; tool < 3; ++tool)
        expected += "\"1\"\r\n\"1\"\r\n\"1\"\r\n\"1\"\r\n\"1\"\r\n\"1\"\r\n\"4\"\r\n\"4\"\r\n";
    expected +=
        "0\r\n2\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n";
    QCOMPARE(serializeSettings(SettingsFile().recordsFor(values)), expected);
}

void TestSettingsFile::settingsFrom_settlesEachPair_data()
{
    // Records 27 to 31 as flags, and what the program makes of them.
    QTest::addColumn<QList<bool>>("flags");
    QTest::addColumn<calc::Units>("units");
    QTest::addColumn<calc::PitchUnit>("pitchUnit");
    QTest::addColumn<QChar>("separator");
    using enum calc::Units;
    using enum calc::PitchUnit;
    // Metric was always shown last, and mm restored first: each wins over the other.
    QTest::newRow("both set") << QList{true, true, true, true, true} << Metric << Millimetres
                              << QChar(u'.');
    QTest::newRow("neither set") << QList{false, false, false, false, false} << Inch
                                 << ThreadsPerInch << QChar(u',');
    QTest::newRow("inch, mm") << QList{true, false, false, true, false} << Inch << Millimetres
                              << QChar(u',');
    QTest::newRow("metric, threads per inch")
        << QList{false, true, true, false, true} << Metric << ThreadsPerInch << QChar(u'.');
}

void TestSettingsFile::settingsFrom_settlesEachPair()
{
    QFETCH(QList<bool>, flags);
    QFETCH(calc::Units, units);
    QFETCH(calc::PitchUnit, pitchUnit);
    QFETCH(QChar, separator);
    FileRecords records = testsets::settingsSetA();
    records.inchUnits = flags[0];
    records.metricUnits = flags[1];
    records.threadsPerInchSelected = flags[2];
    records.pitchMmSelected = flags[3];
    records.decimalIsPoint = flags[4];
    const Settings settings = settingsFrom(records);
    QCOMPARE(settings.units, units);
    QCOMPARE(settings.pitchUnit, pitchUnit);
    QCOMPARE(settings.decimalSeparator.character(), separator);
    QCOMPARE(settings.mill, records.mill);
}

void TestSettingsFile::serialize_textTheFileCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("double quote dropped") << QStringLiteral("1\"2\"") << QByteArray("\"12\"");
    QTest::newRow("only a double quote") << QStringLiteral("\"") << QByteArray("\"\"");
    QTest::newRow("line breaks dropped") << QStringLiteral("1\r\n2\n") << QByteArray("\"12\"");
    QTest::newRow("euro sign outside Latin-1") << QStringLiteral("5€") << QByteArray("\"5?\"");
    QTest::newRow("character beyond 16 bits") << QStringLiteral("a😀b") << QByteArray("\"a?b\"");
    QTest::newRow("Latin-1 kept byte for byte")
        << QStringLiteral("ø½") << QByteArray("\"\xF8\xBD\"");
}

void TestSettingsFile::serialize_textTheFileCannotHold()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, line);

    FileRecords values = testsets::settingsSetA();
    values.drill[calc::Field::CuttingSpeed] = text;
    const QByteArray bytes = serializeSettings(values);
    QCOMPARE(bytes.split('\n').at(11), line + '\r');

    FileRecords parsed;
    QCOMPARE(parseSettings(bytes, parsed), 33);
    QCOMPARE(parsed.drill[calc::Field::CuttingSpeed],
             QString::fromLatin1(line.mid(1, line.size() - 2)));
}

void TestSettingsFile::load_brokenFile_keepsRecordsBeforeTheFault_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("readRecords");

    const FileRecords file = testsets::settingsSetA();
    const QList<QByteArray> lines = fileLines(file);
    const QStringList records = recordsOf(file);
    const QByteArray whole = joinLines(lines);
    const QByteArray megaLine(1024 * 1024, 'x');
    // The whole file with one line in place of line `number`.
    const auto withLine = [&lines](int number, const char *line) {
        return joinLines(replacingLine(lines, number, line));
    };

    QTest::newRow("whole file") << Place::File << whole << records;
    QTest::newRow("empty file") << Place::File << QByteArray() << QStringList();
    QTest::newRow("missing file") << Place::Missing << QByteArray() << QStringList();
    QTest::newRow("directory in its place") << Place::Directory << QByteArray() << QStringList();
#ifdef Q_OS_UNIX
    QTest::newRow("pipe in its place") << Place::Pipe << QByteArray() << QStringList();
    QTest::newRow("link to nowhere") << Place::DanglingLink << QByteArray() << QStringList();
    QTest::newRow("unreadable file") << Place::Unreadable << whole << QStringList();
#endif

    // clang-format off
    QTest::newRow("ends after line 30") << Place::File << joinLines(lines.mid(0, 30)) << records.mid(0, 30);
    QTest::newRow("last line without line end") << Place::File << whole.chopped(2) << records;
    QTest::newRow("byte-order mark first") << Place::File << "\xEF\xBB\xBF" + whole << records;
    QTest::newRow("line feeds only") << Place::File << joinLines(lines, "\n") << records;
    QTest::newRow("blank lines between records")
        << Place::File << joinLines(lines, "\r\n \r\n\r\n") << records;
    QTest::newRow("records separated by commas") << Place::File << lines.join(',') << records;
    QTest::newRow("no line ends at all") << Place::File << lines.join(QByteArray()) << QStringList();
    QTest::newRow("more after a closing quote")
        << Place::File << withLine(4, "\"12,5 a4\"x") << records.mid(0, 3);
    QTest::newRow("blanks after a closing quote") << Place::File << withLine(4, "\"12,5 a4\" \t") << records;

    QTest::newRow("quoted number in line 25") << Place::File << withLine(25, "\"2\"") << records.mid(0, 24);
    QTest::newRow("number where a flag belongs") << Place::File << withLine(27, "1") << records.mid(0, 26);
    QTest::newRow("300 in line 26") << Place::File << withLine(26, "300") << records.mid(0, 25);
    QTest::newRow("many digits in line 26")
        << Place::File << withLine(26, "0000000000000000000000000001") << records;
    QTest::newRow("sign in line 25") << Place::File << withLine(25, "+2") << records.mid(0, 24);
    QTest::newRow("negative line 26") << Place::File << withLine(26, "-1") << records.mid(0, 25);
    QTest::newRow("decimal point in line 25") << Place::File << withLine(25, "2.0") << records.mid(0, 24);
    QTest::newRow("blank inside a number") << Place::File << withLine(25, "2 0") << records.mid(0, 24);
    QTest::newRow("blanks around a number") << Place::File << withLine(25, " \t2 ") << records;
    QTest::newRow("flag in lower case") << Place::File << withLine(27, "#true#") << records;
    QTest::newRow("unknown flag word") << Place::File << withLine(31, "#YES#") << records.mid(0, 30);
    QTest::newRow("missing closing quote") << Place::File << withLine(5, "\"12,5 a5") << records.mid(0, 4);
    QTest::newRow("closing quote on the next line")
        << Place::File << withLine(5, "\"12,5") << records.mid(0, 4);

    FileRecords unquoted = file;
    unquoted.mill[calc::Field::FeedPerTooth] = QStringLiteral("7");
    QTest::newRow("unquoted text") << Place::File << withLine(3, "  7  ") << recordsOf(unquoted);
    QTest::newRow("quote inside an unquoted text") << Place::File << withLine(3, "7\"") << records.mid(0, 2);

    FileRecords clamped = file;
    clamped.decimalCount = 3;
    QTest::newRow("decimalCount 7 taken as 3") << Place::File << withLine(25, "7") << recordsOf(clamped);
    QTest::newRow("decimalCount 255 taken as 3") << Place::File << withLine(25, "255") << recordsOf(clamped);
    // clang-format on

    // Every byte value except the delimiters and blanks: one unquoted record, then nothing.
    QByteArray junk;
    for (int b = 0; b < 256; ++b) {
        if (!QByteArray("\",\r\n \t").contains(char(b)))
            junk += char(b);
    }
    QTest::newRow("binary junk") << Place::File << junk << QStringList{QString::fromLatin1(junk)};

    QTest::newRow("ten megabytes after the records")
        << Place::File << whole + QByteArray(10 * 1024 * 1024, '\x01') << records;
    QTest::newRow("a 1 MB line first") << Place::File << megaLine + "\r\n" + whole << QStringList();
    QTest::newRow("a 1 MB line after five records")
        << Place::File << joinLines(lines.mid(0, 5)) + megaLine + "\r\n" + joinLines(lines.mid(5))
        << records.mid(0, 5);
}

void TestSettingsFile::load_brokenFile_keepsRecordsBeforeTheFault()
{
    QFETCH(Place, place);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, readRecords);

    const QString &path = m_path;
    switch (place) {
    case Place::File:
        QVERIFY(writeAll(path, content));
        break;
    case Place::Missing:
        break;
    case Place::Directory:
        QVERIFY(QDir().mkdir(path));
        break;
    case Place::Pipe:
        QVERIFY(makePipe(path));
        break;
    case Place::DanglingLink:
        QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("gone")), path));
        break;
    case Place::Unreadable:
        QVERIFY(writeAll(path, content));
        QVERIFY(QFile::setPermissions(path, QFile::Permissions()));
        if (QFile file(path); file.open(QIODevice::ReadOnly))
            QSKIP("This user reads files whatever their permissions (root).");
        break;
    }

    // Everything the file does not supply keeps what it held before.
    FileRecords values = testsets::settingsSetB();
    QCOMPARE(testsets::loadRecords(values, path), readRecords.size());

    const QStringList expected =
        readRecords + recordsOf(testsets::settingsSetB()).mid(readRecords.size());
    QCOMPARE(recordsOf(values), expected);
}

void TestSettingsFile::save_asThisUser_data()
{
    QTest::addColumn<QString>("name"); // of the settings file in the folder; null: no path
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("fileMode");   // -1: no file
    QTest::addColumn<int>("folderMode"); // 0: left as it is
    QTest::addColumn<SaveStatus>("status");

    const QString file = QStringLiteral("KVRsys.cfg");
    const QByteArray setA = serializeSettings(testsets::settingsSetA());
    // clang-format off
    QTest::newRow("read-only file stays byte-identical")
        << file << setA + "kept as it is" << 0444 << 0 << SaveStatus::KeptReadOnly;
#ifdef Q_OS_UNIX // a folder's read-only attribute holds nothing back on Windows
    QTest::newRow("read-only folder: nothing made") << file << QByteArray() << -1 << 0500 << SaveStatus::Failed;
#endif
    QTest::newRow("over a longer file: exactly the records")
        << file << QByteArray(100000, 'x') << 0644 << 0 << SaveStatus::Saved;
    QTest::newRow("the file's permissions kept") << file << QByteArray() << 0640 << 0 << SaveStatus::Saved;
    // Each of these fails with a reason that the user can be shown.
    QTest::newRow("a folder as the path") << u"."_s << QByteArray() << -1 << 0 << SaveStatus::Failed;
    QTest::newRow("no such folder") << u"no such folder/KVRsys.cfg"_s << QByteArray() << -1 << 0 << SaveStatus::Failed;
    QTest::newRow("no path") << QString() << QByteArray() << -1 << 0 << SaveStatus::Failed;
    // clang-format on
}

void TestSettingsFile::save_asThisUser()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(SaveStatus, status);

    const QString path = name.isNull() ? QString() : QDir::cleanPath(m_dir->filePath(name));
    QVERIFY(fileMode < 0 || testsets::placeFile(path, before, fileMode, 0));
    QVERIFY(testsets::placeFile(m_path, {}, -1, folderMode));
    const FileRecords values = testsets::settingsSetB();
    const SaveResult result = testsets::saveRecords(values, path);
    const SaveStatus again = testsets::saveRecords(values, path).status;
    const QStringList entries = QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY(testsets::placeFile(m_path, {}, -1, 0700));

    QCOMPARE(result.status, status);
    QCOMPARE(again, status);
    QCOMPARE(result.path, path);
    QCOMPARE(result.reason.isEmpty(), status != SaveStatus::Failed);
    QCOMPARE(readWholeFile(path),
             status == SaveStatus::Saved ? joinLines(fileLines(values)) : before);
#ifdef Q_OS_UNIX
    if (fileMode >= 0)
        QCOMPARE(int(statOf(path).st_mode & 07777), fileMode);
#else
    if (fileMode >= 0) // whether it is read-only is all that Windows keeps
        QCOMPARE(QFileInfo(path).isWritable(), (fileMode & 0200) != 0);
#endif
    QCOMPARE(entries, fileMode >= 0 || status == SaveStatus::Saved ? QStringList{u"KVRsys.cfg"_s}
                                                                   : QStringList());
    QVERIFY(QFileInfo(m_dir->path()).isDir());
}

#ifdef Q_OS_UNIX
void TestSettingsFile::save_asOrdinaryUser_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("fileMode");  // -1: no file
    QTest::addColumn<int>("sizeLimit"); // bytes a file may grow to, 0: no limit
    QTest::addColumn<SaveStatus>("status");
    QTest::addColumn<bool>("inPlace");      // written into the same file, not renamed
    QTest::addColumn<bool>("configFolder"); // a user's configuration folder for its copy
    QTest::addColumn<int>("records");       // of the file before

    // clang-format off
    QTest::newRow("writable file, writable folder") << 0755 << 0644 << 0 << SaveStatus::Saved << false << true << 33;
    QTest::newRow("no file, writable folder") << 0755 << -1 << 0 << SaveStatus::Saved << false << true << 33;
    QTest::newRow("writable file, read-only folder") << 0555 << 0644 << 0 << SaveStatus::Saved << true << true << 33;
    QTest::newRow("writable file, read-only folder, no configuration folder")
        << 0555 << 0644 << 0 << SaveStatus::Failed << false << false << 33;
    QTest::newRow("read-only file, read-only folder")
        << 0555 << 0444 << 0 << SaveStatus::KeptReadOnly << false << true << 33;
    QTest::newRow("owner may only read, group may write")
        << 0755 << 0464 << 0 << SaveStatus::Failed << false << true << 33;
    QTest::newRow("no file, read-only folder") << 0555 << -1 << 0 << SaveStatus::Failed << false << true << 33;
    QTest::newRow("disk full") << 0755 << 0644 << 100 << SaveStatus::Failed << false << true << 33;
    // Cut short, as no temporary file can be had; its whole copy stays for the next start.
    QTest::newRow("disk full, read-only folder") << 0555 << 0644 << 400 << SaveStatus::Failed << true << true << 33;
    const int inRecord31 = int(serializeSettings(testsets::settingsSetB()).size()) - 20;
    QTest::newRow("disk full in record 31, read-only folder") << 0555 << 0644 << inRecord31 << SaveStatus::Failed << true << true << 33;
    QTest::newRow("32 records, disk full, read-only folder") << 0555 << 0644 << 400 << SaveStatus::Failed << true << true << 32;
    // clang-format on
}

void TestSettingsFile::save_asOrdinaryUser()
{
    QFETCH(int, folderMode);
    QFETCH(int, fileMode);
    QFETCH(int, sizeLimit);
    QFETCH(SaveStatus, status);
    QFETCH(bool, inPlace);
    QFETCH(bool, configFolder);
    QFETCH(int, records);

    const QString folder = m_dir->filePath(QStringLiteral("program"));
    VERIFY_AS_ORDINARY_USER(m_dir->path(), [&]() -> QString {
        const QString path = folder + QStringLiteral("/KVRsys.cfg");
        const QByteArray before =
            testsets::joinLines(testsets::fileLines(testsets::settingsSetA()).mid(0, records));
        CHILD_VERIFY(testsets::placeFile(path, before, fileMode, folderMode));
        const ino_t fileBefore = statOf(path).st_ino;
        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        if (sizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN); // a refused write, not a killed process
            const rlimit limit{rlim_t(sizeLimit), unlimited.rlim_max};
            CHILD_VERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
        }

        const FileRecords values = testsets::settingsSetB();
        const QString config = configFolder ? m_dir->filePath(u"config"_s) : QString();
        const QString copy = inPlaceCopyPath(path, config);
        const SaveResult result = testsets::saveRecords(values, path, config);
        if (result.status != status)
            return QStringLiteral("status %1: %2").arg(int(result.status)).arg(result.reason);
        // A second failure keeps the whole copy that the first one made.
        CHILD_VERIFY(!inPlace || status != SaveStatus::Failed ||
                     testsets::saveRecords(values, path, config).failed());
        CHILD_VERIFY(result.path == path);
        CHILD_VERIFY(result.reason.isEmpty() == (status != SaveStatus::Failed));

        const QByteArray after = readWholeFile(path);
        if (status == SaveStatus::Saved) {
            CHILD_VERIFY(after == serializeSettings(values));
            CHILD_VERIFY((statOf(path).st_ino == fileBefore) == inPlace);
        } else if (inPlace) {
            // Put back at once; a start puts back the copy of a file that was not whole.
            CHILD_VERIFY(after == before && QFileInfo::exists(copy));
            CHILD_VERIFY((statOf(copy).st_mode & 0777) == (statOf(path).st_mode & 0777));
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            const Start next = startUp(folder, config);
            CHILD_VERIFY(readWholeFile(path) == before);
            CHILD_VERIFY(next.notices.size() == (records == 33 ? 0u : 1u));
            // Empty, with a copy that cannot be put back: damage, which no save replaces.
            CHILD_VERIFY(records == 33 || (writeAll(path, {}) && QFile::setPermissions(copy, {})));
            const Start third = startUp(folder, config);
            CHILD_VERIFY(third.file.save(third.settings).failed() == (records != 33));
        } else {
            CHILD_VERIFY(after == (fileMode >= 0 ? before : QByteArray()));
        }
        // Nothing but the file, and that only where there was one or a save.
        const QStringList expected = fileMode >= 0 || status == SaveStatus::Saved
                                         ? QStringList{QStringLiteral("KVRsys.cfg")}
                                         : QStringList();
        CHILD_VERIFY(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System) == expected);
        CHILD_VERIFY(!QFileInfo::exists(copy) || (inPlace && status == SaveStatus::Failed));
        return {};
    });
}

void TestSettingsFile::save_throughLink_data()
{
    QTest::addColumn<QString>("link"); // the file's, a folder's or the temporary file's name
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<int>("owner"); // of the link, -1: the running user
    QTest::addColumn<SaveStatus>("status");

    // clang-format off
    QTest::newRow("own link to a file") << QStringLiteral("KVRsys.cfg") << true << -1 << SaveStatus::Saved;
    QTest::newRow("own link to nothing") << QStringLiteral("KVRsys.cfg") << false << -1 << SaveStatus::Failed;
    QTest::newRow("another user's link") << QStringLiteral("KVRsys.cfg") << true << 12345 << SaveStatus::Failed;
    QTest::newRow("own link to the folder") << QStringLiteral("real") << true << -1 << SaveStatus::Saved;
    QTest::newRow("another user's link to the folder") << QStringLiteral("real") << true << 12345 << SaveStatus::Failed;
    QTest::newRow("own link at another's temporary name") << QStringLiteral("KVRsys.cfg.kvrcalc-save-1") << true << -1 << SaveStatus::Saved;
    // clang-format on
}

void TestSettingsFile::save_throughLink()
{
    QFETCH(QString, link);
    QFETCH(bool, targetExists);
    QFETCH(int, owner);
    QFETCH(SaveStatus, status);

    const QString target = m_dir->filePath(QStringLiteral("target/KVRsys.cfg"));
    QVERIFY(QDir().mkpath(QFileInfo(target).path()) &&
            ordinaryuser::giveFolder(QFileInfo(target).path()));
    QVERIFY(!targetExists || (writeAll(target, "kept") && ordinaryuser::giveFolder(target)));
    QVERIFY(
        QFile::link(link == u"real" ? QFileInfo(target).path() : target, m_dir->filePath(link)));
    const uid_t linkOwner = owner >= 0 ? uid_t(owner) : ordinaryuser::UserId;
    if (::geteuid() == 0 ? ::lchown(QFile::encodeName(m_dir->filePath(link)).constData(), linkOwner,
                                    linkOwner) != 0
                         : owner >= 0)
        QSKIP("Only root can give a link to another user.");
    VERIFY_AS_ORDINARY_USER(m_dir->path(), [&]() -> QString {
        const FileRecords values = testsets::settingsSetB();
        const QString savedAt = link == u"real" ? m_dir->filePath(u"real/KVRsys.cfg"_s) : m_path;
        CHILD_VERIFY(testsets::saveRecords(values, savedAt).status == status);
        // A target that did not exist is not made either.
        const bool written = status == SaveStatus::Saved && !link.contains(u"save"_s);
        CHILD_VERIFY(readWholeFile(target) == (written ? serializeSettings(values)
                                                       : QByteArray(targetExists ? "kept" : "")));
        return {};
    });
}

void TestSettingsFile::save_asRootInAnotherUsersFolder_writesNothing()
{
    const QTemporaryDir &home = *m_dir;
    if (::geteuid() != 0 || !ordinaryuser::giveFolder(home.path()))
        QSKIP("Only root writes into another user's folder.");
    const FileRecords values = testsets::settingsSetA();
    const QString config = home.filePath(QStringLiteral(".config/KVRsys.cfg"));
    QCOMPARE(testsets::saveRecords(values, config, {}, true).status, SaveStatus::Failed);
    QVERIFY(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    // Nor into a file the user has there.
    QVERIFY(writeAll(m_path, {}) && ordinaryuser::giveFolder(m_path));
    QCOMPARE(testsets::saveRecords(values, m_path).status, SaveStatus::Failed);
    QCOMPARE(QFile(m_path).size(), 0);
    // Nor the copy of an in-place save (a folder without write bits) under the user's home.
    QTemporaryDir program;
    const QString programFile = program.filePath(u"KVRsys.cfg"_s);
    QVERIFY(testsets::placeFile(programFile, "kept", 0644, 0555));
    QCOMPARE(testsets::saveRecords(values, programFile, home.filePath(u".config/kvrcalc"_s)).status,
             SaveStatus::Failed);
    QCOMPARE(readWholeFile(programFile), QByteArray("kept"));
    QVERIFY(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) ==
            QStringList{u"KVRsys.cfg"_s});
}

void TestSettingsFile::save_againstAnotherUser_touchesNoOtherFileAndLosesNoSave_data()
{
    QTest::addColumn<char>("attack");
    QTest::newRow("file swapped for a link after the check") << 'f';
    QTest::newRow("root: folder swapped for a link after the check") << 'd';
    QTest::newRow("two users on one setgid folder at once") << 'u';
    QTest::newRow("lock folder taken by another user") << 's';
    QTest::newRow("root: temporary folder in another user's") << 't';
    QTest::newRow("root: temporary folder through another user's link") << 'l';
    QTest::newRow("root: middle folder swapped for a link after the check") << 'm';
    QTest::newRow("root: middle folder swapped for another real folder") << 'r';
}

void TestSettingsFile::save_againstAnotherUser_touchesNoOtherFileAndLosesNoSave()
{
    QFETCH(char, attack);
    const passwd *second = ::getpwnam("kvrtest");
    if (::geteuid() != 0 || !second)
        QSKIP("Only root can act as two users.");
    // Another user's folder and file; root's own program folder below it when a middle folder
    // is swapped, so that only the walk's checks stand between root and that user's folder.
    const QString otherShop = m_dir->filePath(u"othershop"_s);
    const QString other = otherShop + u"/program"_s;
    const QString shop = m_dir->filePath(u"shop"_s);
    const QString folder = shop + u"/program"_s;
    const QString rootOnly = m_dir->filePath(u"rootonly"_s);
    const QString squatted = other + u"/kvrcalc-%1"_s.arg(ordinaryuser::UserId);
    const bool middle = attack == 'm' || attack == 'r';
    QVERIFY(testsets::placeFile(other + u"/KVRsys.cfg"_s, "kept", 0666, 0777) &&
            ordinaryuser::giveFolder(otherShop) && (middle || ordinaryuser::giveFolder(other)) &&
            QDir().mkdir(squatted) && ::chown(QFile::encodeName(squatted), second->pw_uid, 0) == 0);
    QVERIFY(testsets::placeFile(folder + u"/KVRsys.cfg"_s, "", 0664, 02775) &&
            ::chown(QFile::encodeName(folder), attack == 'f' ? ordinaryuser::UserId : 0,
                    ordinaryuser::GroupId) == 0 &&
            ::chown(QFile::encodeName(folder + u"/KVRsys.cfg"_s), 0, ordinaryuser::GroupId) == 0 &&
            ::chmod(QFile::encodeName(folder), attack == 'f' ? 0555 : 02775) == 0 &&
            ::chmod(QFile::encodeName(m_dir->path()), 0755) == 0 && QDir().mkdir(rootOnly) &&
            ::chmod(QFile::encodeName(rootOnly), 0700) == 0);
    const QString userLink = m_dir->filePath(u"tmplink"_s);
    QVERIFY(QFile::link(rootOnly, userLink) &&
            ::lchown(QFile::encodeName(userLink), ordinaryuser::UserId, ordinaryuser::GroupId) ==
                0);
    const FileRecords values = testsets::settingsSetB();
    const QString path = folder + u"/KVRsys.cfg"_s;
    const QString config = m_dir->filePath(u"config"_s);
    bool swapped = false; // as another user would, between the check and the use
    const bool refused = attack == 'f' || attack == 'd' || middle;
    const QString swappedName = attack == 'f' ? path : middle ? shop : folder;
    const auto afterNameCheck = [&](const QString &name) {
        if (swapped || !refused || name != swappedName)
            return;
        QVERIFY(attack != 'f' || ::chmod(QFile::encodeName(folder), 0755) == 0);
        const QString to = attack == 'f' ? other + u"/KVRsys.cfg"_s : middle ? otherShop : other;
        swapped = QFile::rename(name, name + u".old"_s) &&
                  (attack == 'r' ? QFile::rename(to, name) : QFile::link(to, name));
    };
    const auto saves = [&, refused](const FileRecords &set) {
        return [&, set, refused]() -> QString {
            for (int i = 0; i < (refused ? 1 : 20); ++i) {
                if (const SaveResult result =
                        testsets::saveRecords(set, path, config, false, afterNameCheck);
                    result.failed() != refused)
                    return u"save %1: %2"_s.arg(i).arg(result.reason);
            }
            const QString lock = lockFilePath(path);
            if (swapped != refused)
                return u"swapped: %1"_s.arg(swapped);
            return attack != 'u' &&
                           (lock.isEmpty() || lock.startsWith(::geteuid() == 0 ? other : squatted))
                       ? u"lock at %1"_s.arg(lock)
                       : QString();
        };
    };
    // The temporary folder is another user's; the cache folder is in the user's home.
    const QByteArray temporary = qgetenv("TMPDIR");
    const QByteArray home = qgetenv("HOME");
    qputenv("TMPDIR", QFile::encodeName(attack == 'l' ? userLink : middle ? otherShop : other));
    qputenv("HOME", QFile::encodeName(m_dir->path()));
    qunsetenv("XDG_CACHE_HOME");
    std::optional<QString> report;
    if (attack == 'u') {
        const FileRecords a = testsets::settingsSetA();
        std::thread first([&] { report = ordinaryuser::runProgram(folder, saves(a)); });
        const std::optional<QString> secondReport =
            ordinaryuser::runProgram(folder, saves(values), second->pw_uid);
        first.join();
        QCOMPARE(secondReport.value_or(QString()), QString());
        const QByteArray last = readWholeFile(path);
        QVERIFY(last == serializeSettings(a) || last == serializeSettings(values));
    } else {
        report = attack == 'f' || attack == 's'
                     ? ordinaryuser::runProgram(m_dir->path(), saves(values))
                     : saves(values)();
    }
    QVERIFY(attack != 'r' || QFile::rename(shop, otherShop));
    qputenv("TMPDIR", temporary);
    qputenv("HOME", home);
    QCOMPARE(report.value_or(QString()), QString());
    QCOMPARE(QDir(other).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             attack == 'u' ? 3 : 2); // the file, the squatted folder, the second user's
    QCOMPARE(readWholeFile(other + u"/KVRsys.cfg"_s), QByteArray("kept"));
    QVERIFY(QDir(rootOnly).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

#else
void TestSettingsFile::save_whileAnotherProgramHoldsTheFile_data()
{
    QTest::addColumn<int>("heldMs"); // how long the file is held; -1: past every wait
    QTest::newRow("let go within the wait: saved") << 300;
    QTest::newRow("held past the wait: told, and not saved over after the start") << -1;
}

void TestSettingsFile::save_whileAnotherProgramHoldsTheFile()
{
    QFETCH(int, heldMs);
    const QByteArray before = serializeSettings(testsets::settingsSetA());
    QVERIFY(writeAll(m_path, before));
    // Opened without sharing, as a backup tool or a virus scanner may open it.
    const HANDLE held = ::CreateFileW(QDir::toNativeSeparators(m_path).toStdWString().c_str(),
                                      GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    QVERIFY(held != INVALID_HANDLE_VALUE);
    std::thread letGo([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(heldMs));
        if (heldMs >= 0)
            ::CloseHandle(held);
    });
    const FileRecords values = testsets::settingsSetB();
    const SaveResult saved = testsets::saveRecords(values, m_path);
    const Start start = startUp(m_dir->path(), QString());
    letGo.join();
    QVERIFY(heldMs >= 0 || ::CloseHandle(held));

    QCOMPARE(saved.status, heldMs >= 0 ? SaveStatus::Saved : SaveStatus::Failed);
    QCOMPARE(saved.reason.isEmpty(), heldMs >= 0);
    // What a file held at the start holds is unknown: told, and never saved over in that run.
    QCOMPARE(start.notices.size(), heldMs >= 0 ? 0u : 1u);
    QVERIFY(heldMs >= 0 || start.notices.front().kind == StartNotice::Kind::Unreadable);
    QCOMPARE(start.file.save(start.settings).failed(), heldMs < 0);
    QCOMPARE(readWholeFile(m_path), heldMs >= 0 ? serializeSettings(values) : before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"KVRsys.cfg"_s});
}
#endif

void TestSettingsFile::save_lockName_onlyAnOwnFileInAnOwnFolder_data()
{
    // At the lock's name: p a pipe, b a huge file, e an own file of 4 KiB, o another user's,
    // h a lock; r: a relative XDG_RUNTIME_DIR, never taken.
    QTest::addColumn<char>("planted");
    QTest::addColumn<SaveStatus>("status");
    QTest::newRow("a file too large for a lock") << 'b' << SaveStatus::Failed;
    QTest::newRow("an own file of exactly 4 KiB") << 'e' << SaveStatus::Saved;
#ifdef Q_OS_UNIX
    QTest::newRow("a pipe") << 'p' << SaveStatus::Failed;
    QTest::newRow("another user's file") << 'o' << SaveStatus::Failed;
    QTest::newRow("a relative runtime folder") << 'r' << SaveStatus::Saved;
#endif
    QTest::newRow("locks never let go, this user's and the folder's: a save waits once")
        << 'h' << SaveStatus::SavedWithoutTurns;
}

void TestSettingsFile::save_lockName_onlyAnOwnFileInAnOwnFolder()
{
    QFETCH(char, planted);
    QFETCH(SaveStatus, status);
    SettingsFile settingsFile(m_path);
    Settings values = settingsFile.take(testsets::settingsSetA());
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (planted == 'r') // a private folder, but named from wherever the program started
        qputenv("XDG_RUNTIME_DIR", QDir::current().relativeFilePath(m_dir->path()).toUtf8());
    const QString lock = lockFilePath(m_path);
    qputenv("XDG_RUNTIME_DIR", runtime);
    QVERIFY(QDir::isAbsolutePath(lock) && !lock.startsWith(m_dir->path()));
#ifdef Q_OS_UNIX
    if (planted == 'o' && ::geteuid() != 0)
        QSKIP("Only root can give a file to another user.");
    const QFileInfo folder(QFileInfo(lock).path()); // where only this user writes
    QVERIFY(folder.ownerId() == ::geteuid() && !(folder.permissions() & 0x77));
#endif
    QFile file(lock);
    std::optional<SettingsLock> otherCopy;
    SettingsFolder otherUsersCopy; // holds the turn on the settings folder
    QString reason;
    QVERIFY(planted != 'h' ||
            (otherUsersCopy.open(m_dir->path(), reason) && otherUsersCopy.takeTurn(Wait::No) &&
             writeAll(m_path, serializeSettings(testsets::settingsSetA()))));
    if (planted == 'p')
        QVERIFY(makePipe(lock));
    else if (planted == 'h')
        QVERIFY(otherCopy.emplace(m_path, Wait::No).refusal().isEmpty());
    else if (planted != 'r')
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(planted == 'b' ? 1 << 30 : 4096) &&
                (planted != 'o' || ordinaryuser::giveFolder(lock)));
    QElapsedTimer clock;
    clock.start();
    // The load, as the start, reads whole without waiting; only the first save waits.
    QVERIFY(planted != 'h' || settingsFile.load(values) == WholeRecordCount);
    const qint64 loaded = clock.restart();
    const SaveResult result = settingsFile.save(values);
    const qint64 waited = clock.restart();
    QCOMPARE(settingsFile.save(values).status, status);
    QVERIFY2(planted != 'h' || (clock.elapsed() * 4 < waited && loaded * 4 < waited),
             "the lock was waited for again");
    QFile::remove(lock);
    QCOMPARE(result.status, status);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
