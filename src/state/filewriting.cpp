#include "state/filewriting.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

} // namespace

QString lockFilePath(const QString &settingsPath)
{
    const QByteArray hash = QCryptographicHash::hash(
        QFileInfo(settingsPath).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("kvrcalc-%1.lock").arg(QLatin1StringView(hash.toHex().left(16))));
}

SettingsLock::SettingsLock(const QString &settingsPath) : m_lock(lockFilePath(settingsPath))
{
    // A lock that could not be had once (another user's stale lock file that this user may
    // not remove) is not waited for again: every save would freeze the window for the wait.
    static bool lockWasFree = true;
    if (!settingsPath.isEmpty())
        lockWasFree = m_lock.tryLock(lockWasFree ? LockWaitMs : 0);
}

QString writableTarget(const QString &path, QString &reason)
{
#ifdef Q_OS_UNIX
    // Every link on the way is asked: one that another user owns may have been planted.
    QString current = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
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

} // namespace state
