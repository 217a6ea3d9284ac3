#include "settings/filewriting.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

namespace settings {

namespace {

// As the system itself gives up on a loop of links.
constexpr int MaxLinkHops = 40;

// A lock file holds a process id, a program and a host name.
constexpr qint64 MaxLockFileBytes = 4096;

// No save takes this long, so a temporary file this old has no writer left.
constexpr qint64 AbandonedAfterSeconds = 600;

// Taken where the failure happens, before anything else can change errno.
QString systemReason(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

// The temporary name of this process's save of fileName; attempt counts names already taken.
QString temporaryName(const QString &fileName, int attempt)
{
    QString name = fileName + QLatin1StringView(temporarySaveSuffix) + u'-' +
                   QString::number(QCoreApplication::applicationPid());
    return attempt == 0 ? name : name + u'.' + QString::number(attempt);
}

// The writer's process id in a temporary name of a save of fileName: 0 for a name of an
// earlier version, which carries none; nothing for a name no save makes.
std::optional<qint64> writerOf(const QString &name, const QString &fileName)
{
    const QString prefix = fileName + QLatin1StringView(temporarySaveSuffix);
    if (!name.startsWith(prefix))
        return std::nullopt;
    if (name.size() == prefix.size())
        return 0;
    const QStringView rest = QStringView(name).mid(prefix.size());
    if (!rest.startsWith(u'-'))
        return std::nullopt;
    const QStringView digits =
        rest.mid(1).left(rest.indexOf(u'.') < 0 ? -1 : rest.indexOf(u'.') - 1);
    bool number = false;
    const qint64 pid = digits.toLongLong(&number);
    return number && pid > 0 ? std::optional<qint64>(pid) : std::nullopt;
}

bool writerIsGone([[maybe_unused]] qint64 pid)
{
#ifdef Q_OS_UNIX
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
#else
    return false; // only the age tells
#endif
}

#ifdef Q_OS_UNIX
QByteArray encoded(const QString &name)
{
    return QFile::encodeName(name);
}

// Writes all of bytes from the start of fd, then puts it on the disk.
bool writeAllAt(int fd, const QByteArray &bytes, QString &reason)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count =
            ::pwrite(fd, bytes.constData() + written, size_t(bytes.size() - written), written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            reason = systemReason(count < 0 ? errno : ENOSPC);
            return false;
        }
        written += count;
    }
    // Until the data is on the disk, a power cut can still leave an empty file.
    if (::fsync(fd) != 0) {
        reason = systemReason(errno);
        return false;
    }
    return true;
}

bool replaceContent(int fd, const QByteArray &bytes, QString &reason)
{
    if (::ftruncate(fd, 0) != 0) {
        reason = systemReason(errno);
        return false;
    }
    return writeAllAt(fd, bytes, reason);
}

std::optional<QByteArray> readBounded(int fd, qint64 limit)
{
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    QByteArray bytes(limit + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t count = ::pread(fd, bytes.data() + got, size_t(bytes.size() - got), got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        got += count;
    }
    bytes.truncate(got);
    return bytes;
}

// Reads fd, when it opened, and closes it.
std::optional<QByteArray> readAndClose(int fd, qint64 limit)
{
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> bytes = readBounded(fd, limit);
    ::close(fd);
    return bytes;
}

EntryState entryOf(const struct stat &info)
{
    return {true,
            S_ISREG(info.st_mode),
            unsigned(info.st_mode & 07777),
            info.st_uid,
            info.st_gid,
            qint64(info.st_size),
            info.st_dev,
            info.st_ino};
}

// A folder that no other user can write into, nor put anything in.
bool isPrivateFolder(const QString &folder)
{
    struct stat entry = {};
    return ::lstat(encoded(folder).constData(), &entry) == 0 && S_ISDIR(entry.st_mode) &&
           entry.st_uid == ::geteuid() && (entry.st_mode & 077) == 0;
}

// A folder kvrcalc-<uid> of this user's own in parent, made when missing and allowed.
QString ownFolderIn(const QString &parent)
{
    QString reason;
    if (!QDir::isAbsolutePath(parent) || !mayCreateIn(parent, reason))
        return {};
    const QString own = QDir(parent).filePath(QStringLiteral("kvrcalc-%1").arg(::geteuid()));
    if (!isPrivateFolder(own) && QDir().mkpath(parent))
        ::mkdir(encoded(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}
#else
std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdWString());
}

std::optional<QByteArray> readBounded(QFile &file, qint64 limit)
{
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool writeAll(QFile &file, const QByteArray &bytes, QString &reason)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            reason = file.errorString();
            return false;
        }
        written += count;
    }
    if (!file.flush() || ::_commit(file.handle()) != 0) {
        reason = systemReason(errno);
        return false;
    }
    return true;
}
#endif

QString lockFolder()
{
#ifdef Q_OS_UNIX
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        return runtime;
    // Without a session's runtime folder (sudo, cron, a service): one of the user's own in
    // the temporary folder; if another user took its name first, one in the cache folder,
    // where nobody else can.
    const QString inTemporary = ownFolderIn(QDir::tempPath());
    return inTemporary.isEmpty()
               ? ownFolderIn(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
               : inTemporary;
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
    if (::lstat(encoded(path).constData(), &entry) != 0)
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
    if (path.isEmpty())
        return; // saved without this user's lock, as when another copy never lets go
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

SettingsFolder::~SettingsFolder()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the turn too
#endif
}

bool SettingsFolder::open(const QString &folder, QString &reason)
{
    // The links on the way were asked before; the last step is then never a link.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    m_path =
        canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
#ifdef Q_OS_UNIX
    struct stat checked = {};
    const bool named = ::stat(encoded(m_path).constData(), &checked) == 0;
    if (afterNameCheck)
        afterNameCheck(m_path);
    m_fd = ::open(encoded(m_path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (m_fd < 0) {
        reason = QStringLiteral("%1: %2").arg(m_path, errno == ELOOP || errno == ENOTDIR
                                                          ? QStringLiteral("Not a folder")
                                                          : systemReason(errno));
        return false;
    }
    struct stat opened = {};
    if (::fstat(m_fd, &opened) != 0 || !named || opened.st_dev != checked.st_dev ||
        opened.st_ino != checked.st_ino) {
        reason = QStringLiteral("%1 was replaced while it was opened").arg(m_path);
        return false;
    }
    // Root writes nothing into another user's folder: what it made there would be root's,
    // and that user might have put a link anywhere in its place.
    if (::geteuid() == 0 && opened.st_uid != 0) {
        reason = QStringLiteral("%1 belongs to another user").arg(m_path);
        return false;
    }
    return true;
#else
    if (!QFileInfo(m_path).isDir() || QFileInfo(m_path).isSymLink()) {
        reason = QStringLiteral("%1: Not a folder").arg(m_path);
        return false;
    }
    return true;
#endif
}

QString SettingsFolder::filePath(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

EntryState SettingsFolder::entry(const QString &name) const
{
#ifdef Q_OS_UNIX
    struct stat info = {};
    if (::fstatat(m_fd, encoded(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    return entryOf(info);
#else
    const QFileInfo info(filePath(name));
    if (!info.exists() && !info.isSymLink())
        return {};
    const bool writable = info.permissions().testAnyFlags(QFile::WriteOwner | QFile::WriteUser);
    return {true, info.isFile() && !info.isSymLink(), writable ? 0666u : 0444u, 0, 0, info.size()};
#endif
}

bool SettingsFolder::mayWrite(const QString &name) const
{
#ifdef Q_OS_UNIX
    return ::faccessat(m_fd, encoded(name).constData(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) ==
           0;
#else
    return QFileInfo(filePath(name)).isWritable();
#endif
}

bool SettingsFolder::takeTurn()
{
#ifdef Q_OS_UNIX
    // A turn that could not be had once (a copy that never lets go, one that is stopped) is
    // not waited for again: every save would freeze the window for the wait.
    static bool turnWasFree = true;
    QDeadlineTimer deadline(turnWasFree ? LockWaitMs : 0);
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            return turnWasFree = false;
        QThread::msleep(10);
    }
    return turnWasFree = true;
#else
    return false; // this user's lock file alone
#endif
}

std::optional<QByteArray> SettingsFolder::read(const QString &name, qint64 limit) const
{
#ifdef Q_OS_UNIX
    return readAndClose(
        ::openat(m_fd, encoded(name).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC),
        limit);
#else
    if (QFileInfo(filePath(name)).isSymLink())
        return std::nullopt;
    return readRegularFile(filePath(name), limit);
#endif
}

WriteStatus SettingsFolder::writeAtomically(const QString &name, const QByteArray &bytes,
                                            const EntryState &previous, QString &reason)
{
#ifdef Q_OS_UNIX
    // A name of this process's own, made here and now: never a link, never another's save.
    QString temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 10; ++attempt) {
        temporary = temporaryName(name, attempt);
        fd = ::openat(m_fd, encoded(temporary).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      previous.exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) {
            reason = systemReason(errno);
            return WriteStatus::NoTemporaryFile;
        }
    }
    if (fd < 0) {
        reason = systemReason(EEXIST);
        return WriteStatus::NoTemporaryFile;
    }
    bool written = writeAllAt(fd, bytes, reason);
    // The new file takes the old one's permissions, and its owner when root saves a user's
    // file, so that the user can still write it afterwards.
    if (written && previous.exists) {
        ::fchmod(fd, previous.mode & 0777);
        if (::geteuid() == 0 && (previous.owner != 0 || previous.group != 0)) {
            [[maybe_unused]] const int ignored = ::fchown(fd, previous.owner, previous.group);
        }
    }
    ::close(fd);
    if (written &&
        ::renameat(m_fd, encoded(temporary).constData(), m_fd, encoded(name).constData()) != 0) {
        reason = systemReason(errno);
        written = false;
    }
    if (!written) {
        ::unlinkat(m_fd, encoded(temporary).constData(), 0);
        return WriteStatus::Failed;
    }
    ::fsync(m_fd); // a rename is on the disk only once its folder is
    return WriteStatus::Written;
#else
    const QString path = filePath(name);
    const QString temporary = filePath(temporaryName(name, 0));
    QFile file(temporary);
    // NewOnly: never through a link or into a file that someone else put in its place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return WriteStatus::NoTemporaryFile;
    }
    bool written = writeAll(file, bytes, reason);
    if (written && previous.exists)
        file.setPermissions(QFile::permissions(path));
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
    return WriteStatus::Written;
#endif
}

bool SettingsFolder::rewriteInPlace(
    const QString &name, const EntryState &checked, const QByteArray &bytes,
    const std::function<bool(const QByteArray &previous, QString &reason)> &beforeWriting,
    QString &reason)
{
    if (afterNameCheck)
        afterNameCheck(filePath(name));
#ifdef Q_OS_UNIX
    const int fd =
        ::openat(m_fd, encoded(name).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = errno == ELOOP ? QStringLiteral("%1 is a link").arg(filePath(name))
                                : systemReason(errno);
        return false;
    }
    struct stat opened = {};
    const std::optional<QByteArray> previous = readBounded(fd, 64 * 1024);
    bool done = false;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != checked.device ||
        opened.st_ino != checked.inode)
        reason = QStringLiteral("%1 was replaced while it was opened").arg(filePath(name));
    else if (!previous)
        reason = QStringLiteral("%1 cannot be read").arg(filePath(name));
    else if (!beforeWriting || beforeWriting(*previous, reason)) {
        done = replaceContent(fd, bytes, reason);
        // Put back at once, so that nobody who reads it next meets an empty file.
        QString ignored;
        if (!done && !replaceContent(fd, *previous, ignored))
            reason += QStringLiteral("; the previous content could not be put back");
    }
    ::close(fd);
    return done;
#else
    Q_UNUSED(checked);
    QFile file(filePath(name));
    if (QFileInfo(file).isSymLink() || !file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    const std::optional<QByteArray> previous = readBounded(file, 64 * 1024);
    if (!previous) {
        reason = file.errorString();
        return false;
    }
    if (beforeWriting && !beforeWriting(*previous, reason))
        return false;
    const auto replace = [&file](const QByteArray &content, QString &why) {
        return file.seek(0) && file.resize(0) && writeAll(file, content, why);
    };
    if (replace(bytes, reason))
        return true;
    QString ignored;
    if (!replace(*previous, ignored))
        reason += QStringLiteral("; the previous content could not be put back");
    return false;
#endif
}

bool SettingsFolder::writeNewFile(const QString &name, const QByteArray &bytes,
                                  [[maybe_unused]] unsigned mode)
{
#ifdef Q_OS_UNIX
    const int fd = ::openat(m_fd, encoded(name).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    QString reason;
    const bool written = writeAllAt(fd, bytes, reason) && ::fchmod(fd, mode & 0777) == 0;
    ::close(fd);
    if (!written)
        ::unlinkat(m_fd, encoded(name).constData(), 0);
    return written;
#else
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    QString reason;
    if (writeAll(file, bytes, reason))
        return true;
    file.remove();
    return false;
#endif
}

bool SettingsFolder::renameToNewName(const QString &from, const QString &to)
{
#ifdef Q_OS_LINUX
    if (::renameat2(m_fd, encoded(from).constData(), m_fd, encoded(to).constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL) // a file system that cannot say "no replacing" goes on below
        return false;
#endif
#ifdef Q_OS_UNIX
    // A hard link never replaces anything either.
    if (::linkat(m_fd, encoded(from).constData(), m_fd, encoded(to).constData(), 0) != 0)
        return false;
    return ::unlinkat(m_fd, encoded(from).constData(), 0) == 0;
#else
    if (QFileInfo::exists(filePath(to)) || QFileInfo(filePath(to)).isSymLink())
        return false;
    std::error_code error;
    std::filesystem::rename(nativePath(filePath(from)), nativePath(filePath(to)), error);
    return !error;
#endif
}

bool SettingsFolder::remove(const QString &name)
{
#ifdef Q_OS_UNIX
    return ::unlinkat(m_fd, encoded(name).constData(), 0) == 0;
#else
    return QFile::remove(filePath(name));
#endif
}

void SettingsFolder::removeLeftovers(const QString &fileName)
{
    const QString pattern = fileName + QLatin1StringView(temporarySaveSuffix) + u'*';
    const QDateTime abandoned = QDateTime::currentDateTime().addSecs(-AbandonedAfterSeconds);
    const QFileInfoList found =
        QDir(m_path).entryInfoList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &leftover : found) {
        const std::optional<qint64> writer = writerOf(leftover.fileName(), fileName);
        if (!writer || leftover.isSymLink())
            continue;
#ifdef Q_OS_UNIX
        // Another user's is left alone: its writer may be alive on another machine.
        const EntryState state = entry(leftover.fileName());
        if (!state.regular || state.owner != ::geteuid())
            continue;
#endif
        if (writerIsGone(*writer) || leftover.lastModified() < abandoned)
            remove(leftover.fileName());
    }
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit)
{
#ifdef Q_OS_UNIX
    // One descriptor: what is read is what was checked, and a pipe never blocks the open.
    return readAndClose(::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC),
                        limit);
#else
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return readBounded(file, limit);
#endif
}

} // namespace settings
