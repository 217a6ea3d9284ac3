#pragma once

// Writing the settings file and what goes with it so that no value the user has is lost: a
// lock shared by every running copy, the atomic and the in-place write, and the one rule for
// following a link.

#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <optional>

namespace state {

// The temporary file of an atomic save: the target's name plus this. No other program makes
// such a name, so a start may remove one that a crash left.
inline constexpr const char *temporarySaveSuffix = ".kvrcalc-save";

// Where the lock of the settings file at settingsPath lives, named after the file's absolute
// path: in a folder that only this user may write (XDG_RUNTIME_DIR, else a folder of the
// user's own in the temporary folder), so that it works when the settings folder is read-only
// and no other user can put anything at its name. Empty when there is no such folder.
QString lockFilePath(const QString &settingsPath);

// Held while a copy of the program reads or writes the settings file, so that none reads a
// half-written one. Waits a little for another copy; never hangs: without the lock the work
// goes on as before. Anything at the lock's name but a small file of this user's own is
// neither opened nor waited for: the lock is refused, and a save must not go on.
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

enum class WriteStatus { Written, NoTemporaryFile, Failed };

// Writes bytes to a temporary file beside path, to disk, then renames it over path. The old
// file's permissions stay. NoTemporaryFile when the folder takes no new file.
WriteStatus writeAtomically(const QString &path, const QByteArray &bytes, QString &reason);

// Empties path and writes bytes into the same file, to disk.
bool writeInPlace(const QString &path, const QByteArray &bytes, QString &reason);

// Writes bytes to a file that must not exist yet; an existing one is never touched.
bool writeNewFile(const QString &path, const QByteArray &bytes);

// Renames from to a name that must not exist yet, in the same folder; never replaces anything.
bool renameToNewName(const QString &from, const QString &to);

} // namespace state
