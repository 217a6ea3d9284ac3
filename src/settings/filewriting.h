// SPDX-License-Identifier: MIT
#pragma once

// Writing the settings file and what goes with it so that no value the user has is lost: the
// locks, the atomic and the in-place write through one open folder, and the one rule for
// following a link. Each system has its own file of this code (filewriting_posix.cpp,
// filewriting_windows.cpp); what they share is in filewriting.cpp.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace settings {

// The temporary files of atomic saves: the target's name plus this, a dash and the writer's
// process id. No other program makes such a name, so a start may remove one whose writer is
// gone.
inline constexpr const char *temporarySaveSuffix = ".kvrcalc-save";

// A copy that is still writing gets this long, once a run, before saves go on without turns.
inline constexpr int LockWaitMs = 2000;

// Called with the path of each folder or file that was looked at, just before it is opened; a
// test swaps the name there, as another user could.
using NameCheck = std::function<void(const QString &path)>;

// Whether taking a turn waits for another copy (a save, up to LockWaitMs once a run) or only
// tries (the start, which reads what a save renamed whole).
enum class Wait { UpToLimit, No };

// Where the lock of the settings file at settingsPath lives, named after the file's absolute
// path: in a folder that only this user may write (XDG_RUNTIME_DIR, else a folder of the
// user's own in the temporary folder, else one in the user's cache folder), so that no other
// user can put anything at its name. Empty when there is no such folder.
QString lockFilePath(const QString &settingsPath);

// Held while a copy of the program writes the settings file, by this user's copies. Never
// hangs: without the lock, or without a folder for it, the work goes on as before. Anything
// at the lock's name but a small file of this user's own is neither opened nor waited for:
// the lock is refused, and a save must not go on.
class SettingsLock
{
public:
    SettingsLock(const QString &settingsPath, Wait wait);
    SettingsLock(const SettingsLock &) = delete;
    SettingsLock &operator=(const SettingsLock &) = delete;
    ~SettingsLock();

    // Why the lock could not even be tried; empty when it was.
    const QString &refusal() const { return m_refusal; }
    // Another copy held it past the wait: the work goes on without taking turns.
    bool waitedInVain() const { return m_waitedInVain; }

private:
    int m_fd = -1;                // Linux: the lock file, locked
    void *m_lockHandle = nullptr; // Windows: the lock file, locked
    QString m_refusal;
    bool m_waitedInVain = false;
};

// An entry of a folder as it was when looked at, links not followed.
struct EntryState
{
    bool exists = false;
    bool regular = false;
    unsigned mode = 0; // the permission bits
    unsigned owner = 0;
    unsigned group = 0;
    qint64 size = 0;
    quint64 device = 0;
    quint64 inode = 0;

    bool readOnlyByIntent() const { return !(mode & 0222); }
};

enum class WriteStatus { Written, NoTemporaryFile, Failed };

// A folder reached one step at a time from the root of the file system: each folder on the way
// is opened without following a link, and checked to be what was looked at; a link is
// followed only when the running user or root owns it. The file, the temporary file, the kept
// copies and the rename then all go through the folder's descriptor, so that a name swapped
// for a link, or for another folder, after the checks leads nowhere.
class SettingsFolder
{
public:
    explicit SettingsFolder(NameCheck afterNameCheck = {});
    SettingsFolder(const SettingsFolder &) = delete;
    SettingsFolder &operator=(const SettingsFolder &) = delete;
    ~SettingsFolder();

    // Opens the folder at path. createMode: missing folders on the way are made with these
    // permission bits (root makes none in another user's folder); none: they are not made.
    bool open(const QString &folder, QString &reason,
              std::optional<unsigned> createMode = std::nullopt);
    // Opens the folder of the file at path, and gives the file's name in it. A link in the
    // file's place is followed as a folder's is, and only to a file that exists.
    bool openFileFolder(const QString &path, QString &name, QString &reason,
                        std::optional<unsigned> createMode = std::nullopt);

    const QString &path() const { return m_path; }
    QString filePath(const QString &name) const;

    // Root writes nothing into another user's folder: what it made there would be root's, and
    // that user might have put a link anywhere in its place. False, with the reason, then.
    bool mayMakeFiles(QString &reason) const;
    // The folder belongs to the user who runs the program (Windows: always).
    bool isOwnFolder() const;
    // Only this user may write it, and nobody else look into it.
    bool isPrivate() const;
    // A new file may be made here as far as can be told without making one: on Linux the
    // folder's bits must say so too, so that root does not put a file where nobody may.
    bool takesNewFiles() const;

    EntryState entry(const QString &name) const;
    // This user may write the entry, as the system decides.
    bool mayWrite(const QString &name) const;

    // The turn on the folder that every copy of the program takes, whoever runs it; let go
    // when the folder is closed. False when another copy held it past the wait; the turn
    // that could not be had once is only tried, never waited for, for the rest of the run.
    bool takeTurn(Wait wait);

    // The file's first bytes, at most limit + 1, when it is a regular file.
    std::optional<QByteArray> read(const QString &name, qint64 limit) const;

    // Writes bytes to a temporary file of this process's own, to disk, then renames it over
    // name. The new file takes the permissions and group of model when it exists (the file
    // it replaces, or the one it follows), and its owner when root writes. NoTemporaryFile
    // when the folder takes no new file.
    WriteStatus writeAtomically(const QString &name, const QByteArray &bytes,
                                const EntryState &model, QString &reason);

    // Opens name once, checks it is the regular file that checked describes, hands its old
    // content to beforeWriting (which may refuse), then writes bytes over the old ones and cuts
    // the file to their length, all through one descriptor, so that the file is never empty on
    // the way. A failed write puts the old content back before it returns.
    bool rewriteInPlace(
        const QString &name, const EntryState &checked, const QByteArray &bytes,
        const std::function<bool(const QByteArray &previous, QString &reason)> &beforeWriting,
        QString &reason);

    // Writes bytes to a file that must not exist yet, with the permission bits and group of
    // model.
    bool writeNewFile(const QString &name, const QByteArray &bytes, const EntryState &model);

    // Renames from to a name that must not exist yet; never replaces anything.
    bool renameToNewName(const QString &from, const QString &to);

    bool remove(const QString &name);

    // Removes the temporary files of saves of fileName that this user's writers left: those
    // whose writer is gone, and those older than a save can take.
    void removeLeftovers(const QString &fileName);

private:
    friend class SettingsLock; // opens its lock file in the lock folder

    NameCheck m_afterNameCheck;
    QString m_path;
    int m_fd = -1; // Linux: the folder, opened
};

// The temporary name of this process's save of fileName; attempt counts names already taken.
QString temporaryName(const QString &fileName, int attempt);
// The writer's process id in a temporary name of a save of fileName: 0 for a name of an
// earlier version, which carries none; nothing for a name no save makes.
std::optional<qint64> writerOf(const QString &name, const QString &fileName);
// The name of the lock of the settings file at settingsPath, in the lock folder.
QString lockFileName(const QString &settingsPath);

// No save takes this long, so a temporary file this old has no writer left.
inline constexpr qint64 AbandonedAfterSeconds = 600;

} // namespace settings
