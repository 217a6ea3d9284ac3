// SPDX-License-Identifier: MIT
#include "ordinaryuser.h"
#include "settings/settingsfile.h"
#include "settings/startup.h"
#include "settingssets.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace settings;
using calc::Language;
using calc::ToolValues;
using settings::LanguageState;
using testsets::recordsOf;
using testsets::writeAll;
using namespace Qt::StringLiterals;

namespace {

// The records the start's first save writes.
FileRecords savedRecords(const Start &start)
{
    return start.file.recordsFor(start.settings);
}

void verifyDefaultTexts(const FileRecords &values)
{
    // D Z Sz V, both pitches: 1; n and S: 4.
    const QStringList expected = QString::fromLatin1("1 1 1 1 1 1 4 4").split(QLatin1Char(' '));
    for (const ToolValues *tool : {&values.mill, &values.drill, &values.tap})
        QCOMPARE(QStringList(tool->texts.begin(), tool->texts.end()), expected);
}

} // namespace

class TestStartup : public QObject, private testsets::FolderPerTest
{
    Q_OBJECT

private slots:
    void init();
    void main_opensTheStoredWindow_data();
    void main_opensTheStoredWindow();
    void main_afterFirstRunSave_keepsTheUsersValues();
    void main_settingsPathBesideTheProgram_data();
    void main_settingsPathBesideTheProgram();
#ifdef Q_OS_UNIX // a read-only folder: an access list on Windows, which Wine does not keep
    void settingsFilePath_asOrdinaryUser_data();
    void settingsFilePath_asOrdinaryUser();
#endif
    void main_installedProgram_keepsValuesInUserFolder();
    void main_removesWhatCrashedSavesLeft_data();
    void main_removesWhatCrashedSavesLeft();
    void main_unreadableFile_keptBeforeAnythingIsWritten_data();
    void main_unreadableFile_keptBeforeAnythingIsWritten();
    void main_noNotationRecord_loadsOnlyTextsTheNotationCannotChange_data();
    void main_noNotationRecord_loadsOnlyTextsTheNotationCannotChange();
#ifdef Q_OS_UNIX // group folders and other users
    void main_sharedFolder_neverLosesTheGroupsFile_data();
    void main_sharedFolder_neverLosesTheGroupsFile();
#endif

private:
    QString m_program; // where a program is kept in the test's folder
    QString m_user;    // and the user's configuration folder
};

void TestStartup::init()
{
    QVERIFY(makeFolder());
    m_program = m_dir->filePath(u"bin"_s);
    m_user = m_dir->filePath(u"home/.config/maker/kvrcalc"_s);
}

void TestStartup::main_opensTheStoredWindow_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<StartWindow>("window");
    QTest::addColumn<bool>("defaults");

    // Flags the opposite of the defaults, so that each default is seen to be applied.
    FileRecords stored = testsets::settingsSetB();
    stored.spareFlag1 = true;
    stored.spareFlag2 = true;
    const auto file = [&stored](int languageState) {
        FileRecords v = stored;
        v.languageState = LanguageState(languageState);
        return serializeSettings(v);
    };
    FileRecords empty;
    empty.decimalCount = 1;
    empty.languageState = LanguageState::English;
    empty.metricUnits = true;
    empty.threadsPerInchSelected = true;

    // clang-format off
    QTest::newRow("no file") << false << QByteArray() << StartWindow(Language::English) << true;
    QTest::newRow("languageState 0") << true << file(0) << StartWindow(Language::English) << true;
    QTest::newRow("languageState 1") << true << file(1) << StartWindow(Language::Danish) << false;
    QTest::newRow("languageState 2") << true << file(2) << StartWindow(Language::English) << false;
    QTest::newRow("languageState 2, empty texts")
        << true << serializeSettings(empty) << StartWindow(Language::English) << false;
    QTest::newRow("languageState 3") << true << file(3) << StartWindow() << false;
    for (const int state : {4, 7, 255}) // no window's number: the defaults, as for 0
        QTest::addRow("languageState %d", state) << true << file(state) << StartWindow(Language::English) << true;
    // clang-format on

    QList<QByteArray> lines = serializeSettings(stored).split('\n');
    lines[25] = "300\r";
    QTest::newRow("300 in line 26")
        << true << lines.join('\n') << StartWindow(Language::English) << true;
}

void TestStartup::main_opensTheStoredWindow()
{
    QFETCH(bool, hasFile);
    QFETCH(QByteArray, content);
    QFETCH(StartWindow, window);
    QFETCH(bool, defaults);

    QVERIFY(!hasFile || writeAll(m_path, content));
    FileRecords fromFile;
    parseSettings(content, fromFile);

    const Start start = startUp(m_dir->path(), QString());
    QCOMPARE(start.window, window);
    QCOMPARE(start.file.path(), m_path);
    const FileRecords values = savedRecords(start);

    if (!defaults) {
        // No window: the program ends before anything is saved.
        if (window)
            QCOMPARE(recordsOf(values), recordsOf(fromFile));
        return;
    }
    verifyDefaultTexts(values);
    QVERIFY(values.inchUnits);
    QVERIFY(!values.metricUnits);
    QVERIFY(values.threadsPerInchSelected);
    QVERIFY(!values.pitchMmSelected);
    QVERIFY(!values.decimalIsPoint);
    // Recorded as the English window that opens, so the defaults come only once.
    QCOMPARE(values.languageState, LanguageState::English);
    // Left as the file held them.
    QCOMPARE(values.decimalCount, fromFile.decimalCount);
    QCOMPARE(values.spareFlag1, fromFile.spareFlag1);
    QCOMPARE(values.spareFlag2, fromFile.spareFlag2);
}

void TestStartup::main_afterFirstRunSave_keepsTheUsersValues()
{
    FileRecords stale = testsets::settingsSetA();
    stale.languageState = LanguageState::NothingStored;
    QVERIFY(writeAll(m_path, serializeSettings(stale)));

    Start first = startUp(m_dir->path(), QString());
    QCOMPARE(first.window, StartWindow(Language::English));
    verifyDefaultTexts(savedRecords(first));
    first.settings.mill[calc::Field::Diameter] = QStringLiteral("12,5");
    first.settings.units = calc::Units::Metric;
    QCOMPARE(first.file.save(first.settings).status, SaveStatus::Saved);

    const Start second = startUp(m_dir->path(), QString());
    QCOMPARE(second.window, StartWindow(Language::English));
    QVERIFY(second.settings == first.settings);
}

void TestStartup::main_settingsPathBesideTheProgram_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("plain directory") << QString();
    QTest::newRow("trailing separator") << QStringLiteral("/");
    QTest::newRow("no program folder: never a relative path") << QStringLiteral("-");
}

void TestStartup::main_settingsPathBesideTheProgram()
{
    QFETCH(QString, suffix);
    if (suffix == u"-") // a folder name the file system's encoding cannot give
        QCOMPARE(settingsFilePath(QString(), m_dir->path()), m_path);
    const Start start = startUp(suffix == u"-" ? QString() : m_dir->path() + suffix, QString());
    QCOMPARE(start.file.path(), suffix == u"-" ? QString() : m_path);
    QVERIFY(!QFile::exists(start.file.path())); // starting writes nothing
}

#ifdef Q_OS_UNIX
void TestStartup::settingsFilePath_asOrdinaryUser_data()
{
    QTest::addColumn<int>("programFolderMode");
    QTest::addColumn<int>("fileMode"); // of a file beside the program, -1: none
    QTest::addColumn<bool>("userFolderKnown");
    QTest::addColumn<bool>("inUserFolder");

    QTest::newRow("writable program folder") << 0755 << -1 << true << false;
    QTest::newRow("read-only program folder") << 0555 << -1 << true << true;
    QTest::newRow("file in a read-only program folder") << 0555 << 0644 << true << false;
    QTest::newRow("read-only file in a read-only folder") << 0555 << 0444 << true << false;
    QTest::newRow("read-only program folder, no user folder") << 0555 << -1 << false << false;
}

void TestStartup::settingsFilePath_asOrdinaryUser()
{
    QFETCH(int, programFolderMode);
    QFETCH(int, fileMode);
    QFETCH(bool, userFolderKnown);
    QFETCH(bool, inUserFolder);

    VERIFY_AS_ORDINARY_USER(m_dir->path(), [&]() -> QString {
        CHILD_VERIFY(
            testsets::placeFile(m_program + u"/KVRsys.cfg"_s, "kept", fileMode, programFolderMode));
        const QString path = settingsFilePath(m_program, userFolderKnown ? m_user : QString());
        CHILD_VERIFY(path == (inUserFolder ? m_user : m_program) + u"/KVRsys.cfg"_s);
        CHILD_VERIFY(!QFileInfo::exists(m_user)); // deciding makes nothing
        return {};
    });
}

#endif

void TestStartup::main_installedProgram_keepsValuesInUserFolder()
{
    VERIFY_AS_ORDINARY_USER(m_dir->path(), [&]() -> QString {
        CHILD_VERIFY(QDir().mkpath(m_program));
        // Its folder may be written, as root may write /usr/bin: nothing is kept there.
        const auto installed = ProgramLayout::Installed;

        Start first = startUp(m_program, m_user, installed);
        CHILD_VERIFY(first.window == StartWindow(Language::English));
        CHILD_VERIFY(first.file.path() == m_user + QStringLiteral("/KVRsys.cfg"));
        CHILD_VERIFY(!QFileInfo::exists(m_user));
        first.settings.mill[calc::Field::Diameter] = QStringLiteral("12,5");
        first.settings.language = Language::Danish;
        const SaveResult saved = first.file.save(first.settings);
        if (saved.status != SaveStatus::Saved)
            return saved.reason;

        const Start second = startUp(m_program, m_user, installed);
        CHILD_VERIFY(second.window == StartWindow(Language::Danish));
        CHILD_VERIFY(second.settings == first.settings);
        CHILD_VERIFY(
            QDir(m_program).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        return {};
    });
}

void TestStartup::main_removesWhatCrashedSavesLeft_data()
{
    QTest::addColumn<QString>("name");
    // f a file, d a folder, l a link to a file elsewhere, q a file Qt names as it names a
    // save's temporary file (name unused)
    QTest::addColumn<char>("kind");
    QTest::addColumn<bool>("removed");

    QTest::newRow("temporary file of a gone save")
        << QStringLiteral("KVRsys.cfg.kvrcalc-save-999999999") << 'f' << true;
    QTest::newRow("temporary file of a live copy")
        << QStringLiteral("KVRsys.cfg.kvrcalc-save-%1").arg(QCoreApplication::applicationPid())
        << 'f' << false;
    QTest::newRow("a user's backup") << QStringLiteral("KVRsys.cfg.backup") << 'f' << false;
    QTest::newRow("named by Qt") << QString() << 'q' << false;
    QTest::newRow("five letters") << QStringLiteral("KVRsys.cfg.aBcDe") << 'f' << false;
    QTest::newRow("seven letters") << QStringLiteral("KVRsys.cfg.aBcDeFg") << 'f' << false;
    QTest::newRow("a digit") << QStringLiteral("KVRsys.cfg.aBc1eF") << 'f' << false;
    QTest::newRow("another file's") << QStringLiteral("KVRsys.cfh.aBcDeF") << 'f' << false;
    QTest::newRow("name in other case") << QStringLiteral("kvrsys.cfg.aBcDeF") << 'f' << false;
    QTest::newRow("a folder") << QStringLiteral("KVRsys.cfg.kvrcalc-save") << 'd' << false;
#ifdef Q_OS_UNIX // a Windows shortcut is a file of its own name
    QTest::newRow("a link") << QStringLiteral("KVRsys.cfg.kvrcalc-save") << 'l' << false;
#endif
}

void TestStartup::main_removesWhatCrashedSavesLeft()
{
    QFETCH(QString, name);
    QFETCH(char, kind);
    QFETCH(bool, removed);

    const FileRecords stored = testsets::settingsSetA();
    QVERIFY(writeAll(m_path, serializeSettings(stored)));
    QString entry = m_dir->filePath(name);
    const QString linkTarget = m_dir->filePath(u"elsewhere/target"_s);
    QVERIFY(testsets::placeFile(linkTarget, "target", 0, 0));
    switch (kind) {
    case 'f':
        QVERIFY(writeAll(entry, serializeSettings(testsets::settingsSetB()).left(100)));
#ifdef Q_OS_WIN
        // Windows cannot tell whether the writer is gone: only the file's age tells there.
        if (removed) {
            QFile file(entry);
            QVERIFY(
                file.open(QIODevice::ReadWrite) &&
                file.setFileTime(QDateTime::currentDateTime().addSecs(-AbandonedAfterSeconds - 60),
                                 QFileDevice::FileModificationTime));
        }
#endif
        break;
    case 'q': {
        QTemporaryFile file(m_path);
        file.setAutoRemove(false);
        QVERIFY(file.open());
        entry = file.fileName();
        break;
    }
    case 'd':
        QVERIFY(QDir().mkpath(entry));
        break;
    default:
        QVERIFY(QFile::link(linkTarget, entry));
    }
    QVERIFY(QFileInfo::exists(entry));

    const Start start = startUp(m_dir->path(), QString());
    QCOMPARE(start.window, StartWindow(Language::Danish));
    QCOMPARE(QFileInfo(entry).isSymLink() || QFileInfo::exists(entry), !removed);
    QVERIFY(QFileInfo::exists(linkTarget));
    QVERIFY(savedRecords(start) == stored);
}

void TestStartup::main_unreadableFile_keptBeforeAnythingIsWritten_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("folderMode"); // of the program's folder
    QTest::addColumn<bool>("userFolderKnown");
    QTest::addColumn<QString>("keptAs");         // below the test's folder; empty: nothing kept
    QTest::addColumn<StartNotice::Kind>("told"); // when kept: what gave way

    QList<QByteArray> lines = testsets::fileLines(testsets::settingsSetA());
    const QByteArray cut = testsets::joinLines(lines.mid(0, 25));
    FileRecords noLanguage = testsets::settingsSetA();
    noLanguage.languageState = LanguageState::NothingStored;
    const QByteArray large = cut + QByteArray(MaxSettingsBytes + 1 - cut.size(), 'x');
    const auto language = [](int state) {
        FileRecords file = testsets::settingsSetA();
        file.languageState = LanguageState(state);
        return serializeSettings(file);
    };
    using enum StartNotice::Kind;
    const QByteArray whole = serializeSettings(testsets::settingsSetA());
    // clang-format off
    QTest::newRow("no language record") << cut << 0755 << true << "program/KVRsys.cfg.damaged" << DamagedKept;
    // The first name is taken by a file that the user keeps.
    QTest::newRow("name taken") << cut << 0755 << true << "program/KVRsys.cfg.damaged2" << DamagedKept;
#ifdef Q_OS_UNIX // a read-only folder: an access list on Windows, which Wine does not keep
    QTest::newRow("read-only program folder") << cut << 0555 << true << "user/KVRsys.cfg.damaged" << DamagedKept;
    QTest::newRow("nowhere to keep it") << cut << 0555 << false << QString() << DamagedKept;
    QTest::newRow("too large, read-only program folder") << large << 0555 << true << QString() << DamagedKept;
#endif
    QTest::newRow("empty file") << QByteArray() << 0755 << true << QString() << DamagedKept;
    QTest::newRow("language 0") << language(0) << 0755 << true << "program/KVRsys.cfg.damaged" << NoLanguageKept;
    QTest::newRow("language 7") << language(7) << 0755 << true << "program/KVRsys.cfg.damaged" << UnknownLanguageKept;
    QTest::newRow("language 255") << language(255) << 0755 << true << "program/KVRsys.cfg.damaged" << UnknownLanguageKept;
    QTest::newRow("one byte too large") << large << 0755 << true << "program/KVRsys.cfg.damaged" << DamagedKept;
    QTest::newRow("whole, exactly 64 KiB") << whole + QByteArray(MaxSettingsBytes - whole.size(), 'x') << 0755 << true << QString() << DamagedKept;
    lines[25] = "0"; // cut after record 30, as a user who never chose a language had it
    QTest::newRow("language 0, no notation record") << testsets::joinLines(lines.mid(0, 30)) << 0755 << true << "program/KVRsys.cfg.damaged" << NoLanguageKept;
    // clang-format on
}

void TestStartup::main_unreadableFile_keptBeforeAnythingIsWritten()
{
    QFETCH(QByteArray, content);
    QFETCH(int, folderMode);
    QFETCH(bool, userFolderKnown);
    QFETCH(QString, keptAs);
    QFETCH(StartNotice::Kind, told);

    const QString program = m_dir->filePath(u"program"_s);
    VERIFY_AS_ORDINARY_USER(m_dir->path(), [&]() -> QString {
        const QString path = program + u"/KVRsys.cfg"_s;
        const int takenMode = keptAs.endsWith(u'2') ? 0 : -1; // the first name taken, or free
        CHILD_VERIFY(testsets::placeFile(path + u".damaged"_s, "other", takenMode, 0));
        CHILD_VERIFY(testsets::placeFile(path, content, 0640, folderMode));

        const Start start =
            startUp(program, userFolderKnown ? m_dir->filePath(u"user"_s) : QString());
        const QString kept = keptAs.isEmpty() ? QString() : m_dir->filePath(keptAs);
        CHILD_VERIFY(start.notices.size() == (kept.isEmpty() ? 0u : 1u));
        CHILD_VERIFY(kept.isEmpty() || start.notices.front().path == kept);
        CHILD_VERIFY(kept.isEmpty() || start.notices.front().kind == told);
        CHILD_VERIFY(kept.isEmpty() || QFile(kept).size() == content.size());
        CHILD_VERIFY(kept.isEmpty() || QFile::permissions(kept) == QFile::permissions(path) ||
                     !QFileInfo::exists(path));
        // A file too large to copy is moved aside.
        CHILD_VERIFY(QFileInfo::exists(path) ==
                     (kept.isEmpty() || content.size() <= MaxSettingsBytes));
        // Kept nowhere: no save may replace it.
        CHILD_VERIFY(start.file.save(start.settings).failed() ==
                     (kept.isEmpty() && !content.isEmpty() && content.size() != MaxSettingsBytes));
        return {};
    });
}

void TestStartup::main_noNotationRecord_loadsOnlyTextsTheNotationCannotChange_data()
{
    QTest::addColumn<bool>("comma");          // the locale's decimal separator
    QTest::addColumn<QString>("text");        // each text of the file begins so
    QTest::addColumn<QByteArray>("record31"); // empty: the file ends after record 30
    QTest::addColumn<bool>("loaded");         // else the first-run defaults

    // clang-format off
    QTest::newRow("30 records, point texts, point locale") << false << u"12.5"_s << QByteArray() << true;
    QTest::newRow("30 records, point texts, comma locale") << true << u"12.5"_s << QByteArray() << false;
    QTest::newRow("TRUE, comma texts, point locale") << false << u"12,5"_s << QByteArray("TRUE") << false;
    QTest::newRow("TRUE, comma texts, comma locale") << true << u"12,5"_s << QByteArray("TRUE") << true;
    QTest::newRow("whole comma file, point locale") << false << u"12,5"_s << QByteArray("#FALSE#") << true;
    // clang-format on
}

void TestStartup::main_noNotationRecord_loadsOnlyTextsTheNotationCannotChange()
{
    QFETCH(bool, comma);
    QFETCH(QString, text);
    QFETCH(QByteArray, record31);
    QFETCH(bool, loaded);

    FileRecords file = testsets::settingsSetA();
    testsets::fillTexts(file, text);
    QList<QByteArray> lines = testsets::fileLines(file);
    lines[30] = record31;
    QVERIFY(writeAll(m_path, testsets::joinLines(lines.mid(0, record31.isEmpty() ? 30 : 33))));
    const Start start = startUp(m_dir->path(), QString(), ProgramLayout::Portable,
                                comma ? calc::commaLocale() : calc::pointLocale());
    const bool whole = record31 == "#FALSE#";
    QCOMPARE(start.settings.mill[calc::Field::Diameter], loaded ? text + u'1' : u"1"_s);
    // What the window's load translates from: the file's notation, or none.
    QCOMPARE(start.settings.decimalSeparator == u'.', loaded && !whole && !comma);
    QCOMPARE(start.notices.size(), whole ? 0u : 1u); // kept aside and told what stood
    QVERIFY(whole || start.notices.front().kind == (loaded ? StartNotice::Kind::CutShortKept
                                                           : StartNotice::Kind::CutShortReplaced));
}

#ifdef Q_OS_UNIX
void TestStartup::main_sharedFolder_neverLosesTheGroupsFile_data()
{
    // e: a member's failed in-place save left the file empty; l: another user's link in the
    // file's place, to that user's own file; g: a file too large to read, set aside; u: a file
    // the member may write but not read, as one held open by another program.
    QTest::addColumn<char>("found");
    QTest::newRow("empty shared file, no copy of one's own: not saved over") << 'e';
    QTest::newRow("another user's link in the file's place: not read") << 'l';
    QTest::newRow("set aside in a group folder: the group may still write") << 'g';
    QTest::newRow("unreadable: told, and not saved over") << 'u';
}

void TestStartup::main_sharedFolder_neverLosesTheGroupsFile()
{
    QFETCH(char, found);
    if (::geteuid() != 0)
        QSKIP("Only root can set up a folder shared by a group.");
    const QString shared = m_dir->filePath(u"shared"_s);
    const QString path = shared + u"/KVRsys.cfg"_s;
    const QString theirs = m_dir->filePath(u"private/KVRsys.cfg"_s);
    const QByteArray whole = serializeSettings(testsets::settingsSetA());
    const QByteArray content = found == 'g'   ? whole + QByteArray(MaxSettingsBytes, 'x')
                               : found == 'u' ? whole
                                              : "";
    const unsigned mode = found == 'u' ? 0620 : 0664;
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()), 0755) == 0 &&
            testsets::placeFile(found == 'l' ? theirs : path, found == 'l' ? whole : content, mode,
                                0) &&
            QDir().mkpath(shared) && QDir().mkpath(m_user) &&
            ::chmod(QFile::encodeName(shared), 02775) == 0 &&
            ::chown(QFile::encodeName(shared), 0, ordinaryuser::GroupId) == 0 &&
            ::chown(QFile::encodeName(found == 'l' ? theirs : path), 0, ordinaryuser::GroupId) ==
                0);
    if (found == 'l') {
        QVERIFY(QFile::link(theirs, path) && ::lchown(QFile::encodeName(path), ordinaryuser::UserId,
                                                      ordinaryuser::GroupId) == 0);
        const Start start = startUp(shared, m_dir->filePath(u"user"_s));
        QVERIFY(start.window == Language::English &&
                savedRecords(start) != testsets::settingsSetA());
        QVERIFY(start.file.save(start.settings).failed());
        QCOMPARE(testsets::readWholeFile(theirs), whole);
        return;
    }
    const std::optional<QString> report = ordinaryuser::runProgram(m_user, [&]() -> QString {
        ::umask(022);
        const Start start = startUp(shared, m_user);
        CHILD_VERIFY(start.notices.size() == 1u);
        CHILD_VERIFY(start.notices.front().kind ==
                     (found == 'e'   ? StartNotice::Kind::SharedFileCutShort
                      : found == 'u' ? StartNotice::Kind::Unreadable
                                     : StartNotice::Kind::DamagedKept));
        CHILD_VERIFY(start.file.save(start.settings).failed() == (found != 'g'));
        return {};
    });
    QVERIFY(report);
    QCOMPARE(*report, QString());
    QCOMPARE(QFile(path).size(), found == 'e' ? 0 : qint64(whole.size()));
    struct stat saved = {};
    QVERIFY(::stat(QFile::encodeName(path), &saved) == 0);
    QCOMPARE(saved.st_mode & 0777, mode);
    QCOMPARE(saved.st_gid, ordinaryuser::GroupId);
}

#endif

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
