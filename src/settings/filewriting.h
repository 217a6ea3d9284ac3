#pragma once

// Writing the settings file and what goes with it so that no value the user has is lost: the
// locks, the atomic and the in-place write through one open folder, and the one rule for
// following a link.

#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <functional>
#include <optional>

namespace settings {

// The temporary files of atomic saves: the target's name plus this, a dash and the writer's
// process id. No other program makes such a name, so a start may remove one whose writer is
// gone.
inline constexpr const char *temporarySaveSuffix = ".kvrcalc-save";

// A copy that is still writing gets this long before the work goes on without the lock.
inline constexpr int LockWaitMs = 2000;

// Called with a name that was checked, just before what it names is opened; a test swaps the
// name there, as another user could.
inline std::function<void(const QString &)> afterNameCheck;

// Where the lock of the settings file at settingsPath lives, named after the file's absolute
// path: in a folder that only this user may write (XDG_RUNTIME_DIR, else a folder of the
// user's own in the temporary folder, else one in the user's cache folder), so that no other
// user can put anything at its name. Empty when there is no such folder.
QString lockFilePath(const QString &settingsPath);

// Held while a copy of the program reads or writes the settings file, by this user's copies.
// Waits a little for another copy; never hangs: without the lock, or without a folder for
// it, the work goes on as before. Anything at the lock's name but a small file of this user's
// own is neither opened nor waited for: the lock is refused, and a save must not go on.
class SettingsLock
{
public:
    explicit SettingsLock(const QString &settingsPath);

    // Why the lock could not even be tried; empty when it was.
    const QString &refusal() const { return m_refusal; }

private:
    std::optional<QLockFile> m_lock;
    QString m_refusal;
};

// Whether a new file or folder may be made in folder (or in the nearest part of its path that
// exists). Root makes none where another user keeps theirs: it would be root's, and that user
// could no longer save.
bool mayCreateIn(const QString &folder, QString &reason);

// The file that a write of path goes to: path itself, or the target of a link that the running
// user or root owns. Empty, with the reason, for a link on the way, the folders' included, that
// someone else owns (it may have been planted) and for one that points nowhere (its target is
// never created).
QString writableTarget(const QString &path, QString &reason);

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

// A folder opened once, without following a link at its last step: the file, the temporary
// file, the kept copies and the rename all go through it, so that a name swapped for a link
// after the checks leads nowhere. Run as root, a folder of another user is not opened.
class SettingsFolder
{
public:
    SettingsFolder() = default;
    SettingsFolder(const SettingsFolder &) = delete;
    SettingsFolder &operator=(const SettingsFolder &) = delete;
    ~SettingsFolder();

    bool open(const QString &folder, QString &reason);
    const QString &path() const { return m_path; }
    QString filePath(const QString &name) const;

    EntryState entry(const QString &name) const;
    // This user may write the entry, as the system decides.
    bool mayWrite(const QString &name) const;

    // The turn on the folder that every copy of the program takes, whoever runs it; let go
    // when the folder is closed. Waits up to LockWaitMs; false without it.
    bool takeTurn();

    // The file's first bytes, at most limit + 1, when it is a regular file.
    std::optional<QByteArray> read(const QString &name, qint64 limit) const;

    // Writes bytes to a temporary file of this process's own, to disk, then renames it over
    // name. The new file takes the permissions of previous when it exists, and its owner when
    // root writes. NoTemporaryFile when the folder takes no new file.
    WriteStatus writeAtomically(const QString &name, const QByteArray &bytes,
                                const EntryState &previous, QString &reason);

    // Opens name once, checks it is the regular file that checked describes, hands its old
    // content to beforeWriting (which may refuse), then empties it and writes bytes, all
    // through one descriptor. A failed write puts the old content back before it returns.
    bool rewriteInPlace(
        const QString &name, const EntryState &checked, const QByteArray &bytes,
        const std::function<bool(const QByteArray &previous, QString &reason)> &beforeWriting,
        QString &reason);

    // Writes bytes to a file that must not exist yet, with the permission bits of mode.
    bool writeNewFile(const QString &name, const QByteArray &bytes, unsigned mode);

    // Renames from to a name that must not exist yet; never replaces anything.
    bool renameToNewName(const QString &from, const QString &to);

    bool remove(const QString &name);

    // Removes the temporary files of saves of fileName that this user's writers left: those
    // whose writer is gone, and those older than a save can take.
    void removeLeftovers(const QString &fileName);

private:
    QString m_path;
#ifdef Q_OS_UNIX
    int m_fd = -1;
#endif
};

// The file's bytes, at most limit + 1, read through one descriptor when it is a regular file.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit);

} // namespace settings
