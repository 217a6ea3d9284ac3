#include "state/filewriting.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

namespace state {

namespace {

// A copy that is still writing gets this long before the work goes on without the lock.
constexpr int LockWaitMs = 2000;

// As the system itself gives up on a loop of links.
constexpr int MaxLinkHops = 40;

// A lock file holds a process id, a program and a host name.
constexpr qint64 MaxLockFileBytes = 4096;

// Until the data is on the disk, a power cut can still leave an empty file.
bool syncToDisk(QFile &file)
{
    if (!file.flush())
        return false;
#if defined(Q_OS_UNIX)
    return ::fsync(file.handle()) == 0;
#elif defined(Q_OS_WIN)
    return ::_commit(file.handle()) == 0;
#else
    return true;
#endif
}

// A rename is on the disk only once its folder is.
void syncFolder([[maybe_unused]] const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

// Unbuffered, so that a write falling short is seen; the one after a short write says why
// (a full disk, a file-size limit).
bool writeAll(QFile &file, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return syncToDisk(file);
}

std::filesystem::path nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// The new file takes the old one's permissions, and its owner when root saves a user's file,
// so that the user can still write it afterwards.
void takeOverAttributes(QFile &file, const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat old = {};
    if (::stat(QFile::encodeName(path).constData(), &old) != 0)
        return;
    ::fchmod(file.handle(), old.st_mode & 0777);
    if (::geteuid() == 0 && (old.st_uid != 0 || old.st_gid != 0)) {
        [[maybe_unused]] const int ignored = ::fchown(file.handle(), old.st_uid, old.st_gid);
    }
#else
    if (QFileInfo::exists(path))
        file.setPermissions(QFile::permissions(path));
#endif
}

QString failureReason(const QFile &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("The file cannot be written") : reason;
}

#ifdef Q_OS_UNIX
// A folder that no other user can write into, nor put anything in.
bool isPrivateFolder(const QString &folder)
{
    struct stat entry = {};
    return ::lstat(QFile::encodeName(folder).constData(), &entry) == 0 && S_ISDIR(entry.st_mode) &&
           entry.st_uid == ::geteuid() && (entry.st_mode & 077) == 0;
}
#endif

QString lockFolder()
{
#ifdef Q_OS_UNIX
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        return runtime;
    // Without a session's runtime folder (sudo, cron, a service): one of the user's own. If
    // another user made it first, it is not used.
    const QString own =
        QDir(QDir::tempPath()).filePath(QStringLiteral("kvrcalc-%1").arg(::geteuid()));
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
#else
    // The user's own temporary folder.
    return QDir::tempPath();
#endif
}

// Nothing there yet, or a small regular file of this user's: a pipe would block the check for
// a stale lock, a device or a huge file would be read without end.
bool isOwnLockFile(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat entry = {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0)
        return errno == ENOENT;
    return S_ISREG(entry.st_mode) && entry.st_uid == ::geteuid() &&
           entry.st_size <= MaxLockFileBytes;
#else
    const QFileInfo info(path);
    return !info.exists() ||
           (info.isFile() && !info.isSymLink() && info.size() <= MaxLockFileBytes);
#endif
}

#ifdef Q_OS_UNIX
// Every link on the way to path, in its folders and in theirs, belongs to this user or root.
bool ownedLinksOnTheWay(const QString &path, QString &reason, int depth = 0)
{
    if (depth > MaxLinkHops) {
        reason = QStringLiteral("%1 is a link that cannot be followed").arg(path);
        return false;
    }
    const QString clean = QDir::cleanPath(path);
    for (qsizetype end = clean.indexOf(u'/', 1);; end = clean.indexOf(u'/', end + 1)) {
        const QString prefix = end < 0 ? clean : clean.left(end);
        const QByteArray name = QFile::encodeName(prefix);
        struct stat entry = {};
        if (::lstat(name.constData(), &entry) != 0)
            return true; // nothing further exists, so nothing further is followed
        if (S_ISLNK(entry.st_mode)) {
            if (entry.st_uid != ::geteuid() && entry.st_uid != 0) {
                reason = QStringLiteral("%1 is a link that another user owns").arg(prefix);
                return false;
            }
            char target[4096];
            const ssize_t size = ::readlink(name.constData(), target, sizeof target);
            if (size <= 0 || size == ssize_t(sizeof target)) {
                reason = QStringLiteral("%1 is a link that cannot be followed").arg(prefix);
                return false;
            }
            const QString to = QFileInfo(prefix).absoluteDir().absoluteFilePath(
                QFile::decodeName(QByteArray(target, size)));
            if (!ownedLinksOnTheWay(to, reason, depth + 1))
                return false;
        }
        if (end < 0)
            return true;
    }
}
#endif

} // namespace

QString lockFilePath(const QString &settingsPath)
{
    const QString folder = lockFolder();
    if (folder.isEmpty())
        return {};
    const QByteArray hash = QCryptographicHash::hash(
        QFileInfo(settingsPath).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return QDir(folder).filePath(
        QStringLiteral("kvrcalc-%1.lock").arg(QLatin1StringView(hash.toHex().left(16))));
}

SettingsLock::SettingsLock(const QString &settingsPath)
{
    // A lock that could not be had once (another copy that never lets go) is not waited for
    // again: every save would freeze the window for the wait.
    static bool lockWasFree = true;
    if (settingsPath.isEmpty())
        return;
    const QString path = lockFilePath(settingsPath);
    if (path.isEmpty()) {
        m_refusal = QStringLiteral("No folder of this user's own to keep the lock in");
        return;
    }
    if (!isOwnLockFile(path)) {
        m_refusal = QStringLiteral("%1 is not a lock file of this user's").arg(path);
        return;
    }
    m_lock.emplace(path);
    lockWasFree = m_lock->tryLock(lockWasFree ? LockWaitMs : 0);
}

bool mayCreateIn([[maybe_unused]] const QString &folder, [[maybe_unused]] QString &reason)
{
#ifdef Q_OS_UNIX
    if (::geteuid() != 0)
        return true; // the system's permissions decide
    QString existing = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    struct stat entry = {};
    while (::stat(QFile::encodeName(existing).constData(), &entry) != 0) {
        const QString up = QFileInfo(existing).path();
        if (up == existing)
            return true;
        existing = up;
    }
    if (entry.st_uid == 0)
        return true;
    reason = QStringLiteral("%1 belongs to another user").arg(existing);
    return false;
#else
    return true;
#endif
}

QString writableTarget(const QString &path, QString &reason)
{
#ifdef Q_OS_UNIX
    // Every link on the way is asked: one that another user owns may have been planted.
    QString current = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        if (!ownedLinksOnTheWay(QFileInfo(current).absolutePath(), reason))
            return {};
        const QByteArray name = QFile::encodeName(current);
        struct stat entry = {};
        if (::lstat(name.constData(), &entry) != 0) {
            if (hop == 0)
                return current; // no file yet: a save makes it
            reason = QStringLiteral("%1 is a link to a file that does not exist").arg(path);
            return {};
        }
        if (!S_ISLNK(entry.st_mode))
            return current;
        if (entry.st_uid != ::geteuid() && entry.st_uid != 0) {
            reason = QStringLiteral("%1 is a link that another user owns").arg(current);
            return {};
        }
        char target[4096];
        const ssize_t size = ::readlink(name.constData(), target, sizeof target);
        if (size <= 0 || size == ssize_t(sizeof target))
            break;
        current = QDir::cleanPath(QFileInfo(current).absoluteDir().absoluteFilePath(
            QFile::decodeName(QByteArray(target, size))));
    }
    reason = QStringLiteral("%1 is a link that cannot be followed").arg(path);
    return {};
#else
    if (QFileInfo(path).isSymLink()) {
        reason = QStringLiteral("%1 is a link").arg(path);
        return {};
    }
    return path;
#endif
}

WriteStatus writeAtomically(const QString &path, const QByteArray &bytes, QString &reason)
{
    const QString temporary = path + QLatin1StringView(temporarySaveSuffix);
    // Only a regular file of that name can be a save of ours that was cut short.
    if (QFileInfo(temporary).isFile() && !QFileInfo(temporary).isSymLink())
        QFile::remove(temporary);
    QFile file(temporary);
    // NewOnly: never through a link or into a file that someone else put in its place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        reason = failureReason(file);
        return WriteStatus::NoTemporaryFile;
    }
    const bool written = writeAll(file, bytes);
    if (!written)
        reason = failureReason(file);
    else
        takeOverAttributes(file, path);
    file.close();
    std::error_code error;
    if (written)
        std::filesystem::rename(nativePath(temporary), nativePath(path), error);
    if (!written || error) {
        if (error)
            reason = QString::fromStdString(error.message());
        QFile::remove(temporary);
        return WriteStatus::Failed;
    }
    syncFolder(QFileInfo(path).absolutePath());
    return WriteStatus::Written;
}

bool writeInPlace(const QString &path, const QByteArray &bytes, QString &reason)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
        !writeAll(file, bytes)) {
        reason = failureReason(file);
        return false;
    }
    return true;
}

bool writeNewFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    if (writeAll(file, bytes))
        return true;
    file.remove();
    return false;
}

bool renameToNewName(const QString &from, const QString &to)
{
#ifdef Q_OS_LINUX
    if (::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD,
                    QFile::encodeName(to).constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL) // a file system that cannot say "no replacing" goes on below
        return false;
#endif
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return false;
    std::error_code error;
    std::filesystem::rename(nativePath(from), nativePath(to), error);
    return !error;
}

} // namespace state
