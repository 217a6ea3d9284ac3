// SPDX-License-Identifier: MIT
// The settings file's code for Linux and other POSIX systems: every path is walked one folder at
// a time from the root, and everything after the walk goes through the folder's descriptor.

#include "settings/filewriting.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <deque>
#include <system_error>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/openat2.h>
#include <sys/syscall.h>
#endif

namespace settings {

namespace {

// As the system itself gives up on a loop of links.
constexpr int MaxLinkHops = 40;

// A lock file is empty; an older version wrote a process id, a program and a host name.
constexpr qint64 MaxLockFileBytes = 4096;

// Once another copy held a lock past the wait, that lock is only tried until it is had again:
// every save would freeze the window for the wait.
bool lockWasRefused = false; // this user's lock file
bool turnWasRefused = false; // the folder's turn

// Taken where the failure happens, before anything else can change errno.
QString systemReason(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

QByteArray encoded(const QString &name)
{
    return QFile::encodeName(name);
}

// Owns one open descriptor.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(Descriptor &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor &operator=(Descriptor &&other) noexcept
    {
        reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor() { reset(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

bool sameEntry(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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

// Writes all of bytes from the start of fd.
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
    return true;
}

// Until the data is on the disk, a power cut can still leave an empty file.
bool toDisk(int fd, QString &reason)
{
    if (::fsync(fd) == 0)
        return true;
    reason = systemReason(errno);
    return false;
}

// Writes bytes over the old ones, then cuts the file to their length: the file is never empty
// on the way, and a file of about the same length needs no new block of a full disk.
bool replaceContent(int fd, const QByteArray &bytes, QString &reason)
{
    if (!writeAllAt(fd, bytes, reason))
        return false;
    if (::ftruncate(fd, bytes.size()) != 0) {
        reason = systemReason(errno);
        return false;
    }
    return toDisk(fd, reason);
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

// The new file takes the permission bits and group of model, and its owner when root writes
// for a user, so that everyone who could write the old file can write the new one.
void takeOwnershipOf(int fd, const EntryState &model)
{
    if (!model.exists)
        return;
    ::fchmod(fd, model.mode & 0777);
    // A group the user is not in stays the folder's; nothing more can be done then.
    if (::geteuid() == 0 && (model.owner != 0 || model.group != 0)) {
        [[maybe_unused]] const int ignored = ::fchown(fd, model.owner, model.group);
    } else if (::geteuid() != 0) {
        [[maybe_unused]] const int ignored = ::fchown(fd, uid_t(-1), model.group);
    }
}

bool writerIsGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// Locks fd, waiting up to LockWaitMs when asked to and the lock was had the last time a save
// asked for it (wasRefused, which a save's wait updates).
bool takeLock(int fd, Wait wait, bool &wasRefused)
{
    const bool waits = wait == Wait::UpToLimit;
    QDeadlineTimer deadline(waits && !wasRefused ? LockWaitMs : 0);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            wasRefused = wasRefused || waits;
            return false;
        }
        QThread::msleep(10);
    }
    wasRefused = wasRefused && !waits;
    return true;
}

// Root makes nothing in another user's folder: it would be root's, and that user could no
// longer save, or could have put a link in its place.
bool mayCreateIn(int folder, const QString &shown, QString &reason)
{
    struct stat info = {};
    if (::geteuid() != 0)
        return true; // the system's permissions decide
    if (::fstat(folder, &info) == 0 && info.st_uid == 0)
        return true;
    reason = QStringLiteral("%1 belongs to another user").arg(shown);
    return false;
}

// Reads the link name in folder, which was looked at as checked, when the running user or root
// owns it. The link itself is opened, so that its owner and its target are those of one link.
bool readOwnedLink(int folder, const QByteArray &name, const struct stat &checked,
                   const QString &shown, QString &target, QString &reason)
{
    const Descriptor link(::openat(folder, name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened = {};
    if (!link.valid() || ::fstat(link.get(), &opened) != 0 || !S_ISLNK(opened.st_mode) ||
        !sameEntry(opened, checked)) {
        reason = QStringLiteral("%1 was replaced while it was opened").arg(shown);
        return false;
    }
    if (opened.st_uid != ::geteuid() && opened.st_uid != 0) {
        reason = QStringLiteral("%1 is a link that another user owns").arg(shown);
        return false;
    }
    char buffer[4096];
    const ssize_t size = ::readlinkat(link.get(), "", buffer, sizeof buffer);
    if (size <= 0 || size == ssize_t(sizeof buffer)) {
        reason = QStringLiteral("%1 is a link that cannot be followed").arg(shown);
        return false;
    }
    target = QFile::decodeName(QByteArray(buffer, size));
    return true;
}

// The folder at absolute, in one step when the kernel can promise that no link is on the way.
Descriptor openWithoutLinks(const QString &absolute)
{
#if defined(__linux__) && defined(SYS_openat2)
    open_how how = {};
    how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    return Descriptor(
        int(::syscall(SYS_openat2, AT_FDCWD, encoded(absolute).constData(), &how, sizeof how)));
#else
    Q_UNUSED(absolute);
    return Descriptor();
#endif
}

// Opens the folder at path one name at a time from "/": each is looked at without following a
// link, opened without following one, and checked to be what was looked at. A link is read and
// walked in turn when the running user or root owns it. createMode: missing folders are made.
Descriptor walkToFolder(const QString &path, std::optional<unsigned> createMode,
                        const NameCheck &afterNameCheck, QString &resolved, QString &reason)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // A test swaps names between the steps; the kernel's one step has none.
    if (!afterNameCheck) {
        Descriptor direct = openWithoutLinks(QDir::cleanPath(absolute));
        if (direct.valid()) {
            resolved = QDir::cleanPath(absolute);
            return direct;
        }
    }
    Descriptor current(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::deque<QString> pending;
    for (const QString &name : absolute.split(u'/', Qt::SkipEmptyParts))
        pending.push_back(name);
    QStringList walked;
    int hops = 0;
    while (current.valid() && !pending.empty()) {
        const QString name = pending.front();
        pending.pop_front();
        if (name == u".")
            continue;
        if (name == u"..") {
            current.reset(::openat(current.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (!walked.isEmpty())
                walked.removeLast();
            continue;
        }
        const QString shown = u'/' + (walked + QStringList{name}).join(u'/');
        const QByteArray entry = encoded(name);
        struct stat checked = {};
        if (::fstatat(current.get(), entry.constData(), &checked, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT || !createMode) {
                reason = errno == ENOENT ? QStringLiteral("The folder %1 does not exist").arg(shown)
                                         : QStringLiteral("%1: %2").arg(shown, systemReason(errno));
                return Descriptor();
            }
            if (!mayCreateIn(current.get(), u'/' + walked.join(u'/'), reason))
                return Descriptor();
            if ((::mkdirat(current.get(), entry.constData(), mode_t(*createMode)) != 0 &&
                 errno != EEXIST) ||
                ::fstatat(current.get(), entry.constData(), &checked, AT_SYMLINK_NOFOLLOW) != 0) {
                reason = QStringLiteral("The folder %1 cannot be created").arg(shown);
                return Descriptor();
            }
        }
        if (afterNameCheck)
            afterNameCheck(shown);
        if (S_ISLNK(checked.st_mode)) {
            QString target;
            if (!readOwnedLink(current.get(), entry, checked, shown, target, reason))
                return Descriptor();
            if (++hops > MaxLinkHops) {
                reason = QStringLiteral("%1 is a link that cannot be followed").arg(shown);
                return Descriptor();
            }
            const QStringList parts = target.split(u'/', Qt::SkipEmptyParts);
            for (auto part = parts.rbegin(); part != parts.rend(); ++part)
                pending.push_front(*part);
            if (target.startsWith(u'/')) {
                current.reset(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
                walked.clear();
            }
            continue;
        }
        if (!S_ISDIR(checked.st_mode)) {
            reason = QStringLiteral("%1: Not a folder").arg(shown);
            return Descriptor();
        }
        Descriptor next(::openat(current.get(), entry.constData(),
                                 O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat opened = {};
        if (!next.valid() && errno != ELOOP && errno != ENOTDIR) {
            reason = QStringLiteral("%1: %2").arg(shown, systemReason(errno));
            return Descriptor();
        }
        // A link, or another folder, put in its place since it was looked at.
        if (!next.valid() || ::fstat(next.get(), &opened) != 0 || !sameEntry(opened, checked)) {
            reason = QStringLiteral("%1 was replaced while it was opened").arg(shown);
            return Descriptor();
        }
        current = std::move(next);
        walked.append(name);
    }
    if (!current.valid()) {
        reason = QStringLiteral("%1: %2").arg(path, systemReason(errno));
        return Descriptor();
    }
    resolved = u'/' + walked.join(u'/');
    return current;
}

// The user's cache folder, as the XDG rules name it; none without a home (or with "/" as one).
QString cacheFolder()
{
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (QDir::isAbsolutePath(cache))
        return cache;
    const QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home) || QDir::cleanPath(home) == u"/")
        return {};
    return home + QStringLiteral("/.cache");
}

// A folder kvrcalc-<uid> of this user's own in parent (made first when makeParent says so),
// made when missing and allowed.
bool openOwnFolderIn(const QString &parent, bool makeParent, SettingsFolder &folder)
{
    QString reason;
    if (!QDir::isAbsolutePath(parent) ||
        !folder.open(parent, reason, makeParent ? std::optional<unsigned>(0700) : std::nullopt))
        return false;
    const QString own = QDir(parent).filePath(QStringLiteral("kvrcalc-%1").arg(::geteuid()));
    return folder.open(own, reason, 0700) && folder.isPrivate();
}

// Where this user's lock files live: only this user may write there.
bool openLockFolder(SettingsFolder &folder)
{
    QString reason;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && folder.open(runtime, reason) && folder.isPrivate())
        return true;
    // Without a session's runtime folder (sudo, cron, a service): one of the user's own in the
    // temporary folder; if another user took its name first, one in the cache folder, where
    // nobody else can.
    // Qt's tempPath() would have followed a link in TMPDIR, whoever owns it.
    const QString temporary = qEnvironmentVariable("TMPDIR");
    return openOwnFolderIn(QDir::isAbsolutePath(temporary) ? temporary : QStringLiteral("/tmp"),
                           false, folder) ||
           openOwnFolderIn(cacheFolder(), true, folder);
}

} // namespace

QString lockFilePath(const QString &settingsPath)
{
    SettingsFolder folder;
    return openLockFolder(folder) ? folder.filePath(lockFileName(settingsPath)) : QString();
}

SettingsLock::SettingsLock(const QString &settingsPath, Wait wait)
{
    SettingsFolder folder;
    if (settingsPath.isEmpty() || !openLockFolder(folder))
        return; // saved without this user's lock, as when another copy never lets go
    const QString name = lockFileName(settingsPath);
    // Nothing there yet, or a small regular file of this user's: a pipe would block, a device
    // or a huge file is nobody's lock.
    const auto isOwnLockFile = [](const EntryState &state) {
        return state.regular && state.owner == ::geteuid() && state.size <= MaxLockFileBytes;
    };
    const EntryState found = folder.entry(name);
    Descriptor lock;
    if (!found.exists || isOwnLockFile(found)) {
        lock.reset(::openat(folder.m_fd, encoded(name).constData(),
                            O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
    }
    struct stat opened = {};
    if (!lock.valid() || ::fstat(lock.get(), &opened) != 0 || !isOwnLockFile(entryOf(opened))) {
        m_refusal =
            QStringLiteral("%1 is not a lock file of this user's").arg(folder.filePath(name));
        return;
    }
    if (!takeLock(lock.get(), wait, lockWasRefused)) {
        m_waitedInVain = true;
        return;
    }
    m_fd = lock.release();
}

SettingsLock::~SettingsLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the lock too
}

SettingsFolder::SettingsFolder(NameCheck afterNameCheck)
    : m_afterNameCheck(std::move(afterNameCheck))
{
}

SettingsFolder::~SettingsFolder()
{
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the turn too
}

bool SettingsFolder::open(const QString &folder, QString &reason,
                          std::optional<unsigned> createMode)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    m_fd = walkToFolder(folder, createMode, m_afterNameCheck, m_path, reason).release();
    return m_fd >= 0;
}

bool SettingsFolder::openFileFolder(const QString &path, QString &name, QString &reason,
                                    std::optional<unsigned> createMode)
{
    QString current = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        if (!open(QFileInfo(current).path(), reason, createMode))
            return false;
        name = QFileInfo(current).fileName();
        struct stat checked = {};
        if (::fstatat(m_fd, encoded(name).constData(), &checked, AT_SYMLINK_NOFOLLOW) != 0) {
            if (hop == 0)
                return true; // no file yet: a save makes it
            reason = QStringLiteral("%1 is a link to a file that does not exist").arg(path);
            return false;
        }
        if (!S_ISLNK(checked.st_mode))
            return true;
        QString target;
        if (!readOwnedLink(m_fd, encoded(name), checked, filePath(name), target, reason))
            return false;
        current = QDir::cleanPath(QDir(m_path).absoluteFilePath(target));
        createMode.reset(); // the folder of a link's target is never made
    }
    reason = QStringLiteral("%1 is a link that cannot be followed").arg(path);
    return false;
}

QString SettingsFolder::filePath(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

bool SettingsFolder::mayMakeFiles(QString &reason) const
{
    struct stat info = {};
    if (::geteuid() != 0 || (::fstat(m_fd, &info) == 0 && info.st_uid == 0))
        return true;
    reason = QStringLiteral("%1 belongs to another user").arg(m_path);
    return false;
}

bool SettingsFolder::isOwnFolder() const
{
    struct stat info = {};
    return ::fstat(m_fd, &info) == 0 && info.st_uid == ::geteuid();
}

bool SettingsFolder::isPrivate() const
{
    struct stat info = {};
    return ::fstat(m_fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 077) == 0;
}

bool SettingsFolder::takesNewFiles() const
{
    QString reason;
    struct stat info = {};
    return m_fd >= 0 && mayMakeFiles(reason) && ::fstat(m_fd, &info) == 0 &&
           (info.st_mode & 0222) && ::faccessat(m_fd, ".", W_OK, AT_EACCESS) == 0;
}

EntryState SettingsFolder::entry(const QString &name) const
{
    struct stat info = {};
    if (::fstatat(m_fd, encoded(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return {};
    return entryOf(info);
}

bool SettingsFolder::mayWrite(const QString &name) const
{
    return ::faccessat(m_fd, encoded(name).constData(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) ==
           0;
}

bool SettingsFolder::takeTurn(Wait wait)
{
    return takeLock(m_fd, wait, turnWasRefused);
}

std::optional<QByteArray> SettingsFolder::read(const QString &name, qint64 limit) const
{
    const Descriptor fd(
        ::openat(m_fd, encoded(name).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return std::nullopt;
    return readBounded(fd.get(), limit);
}

WriteStatus SettingsFolder::writeAtomically(const QString &name, const QByteArray &bytes,
                                            const EntryState &model, QString &reason)
{
    // A name of this process's own, made here and now: never a link, never another's save.
    QString temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 10; ++attempt) {
        temporary = temporaryName(name, attempt);
        fd = ::openat(m_fd, encoded(temporary).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      model.exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) {
            reason = systemReason(errno);
            return WriteStatus::NoTemporaryFile;
        }
    }
    if (fd < 0) {
        reason = systemReason(EEXIST);
        return WriteStatus::NoTemporaryFile;
    }
    bool written = writeAllAt(fd, bytes, reason) && toDisk(fd, reason);
    if (written)
        takeOwnershipOf(fd, model);
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
}

bool SettingsFolder::rewriteInPlace(
    const QString &name, const EntryState &checked, const QByteArray &bytes,
    const std::function<bool(const QByteArray &previous, QString &reason)> &beforeWriting,
    QString &reason)
{
    if (m_afterNameCheck)
        m_afterNameCheck(filePath(name));
    const Descriptor fd(
        ::openat(m_fd, encoded(name).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        reason = errno == ELOOP ? QStringLiteral("%1 is a link").arg(filePath(name))
                                : systemReason(errno);
        return false;
    }
    struct stat opened = {};
    const std::optional<QByteArray> previous = readBounded(fd.get(), 64 * 1024);
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        opened.st_dev != checked.device || opened.st_ino != checked.inode) {
        reason = QStringLiteral("%1 was replaced while it was opened").arg(filePath(name));
        return false;
    }
    if (!previous) {
        reason = QStringLiteral("%1 cannot be read").arg(filePath(name));
        return false;
    }
    if (beforeWriting && !beforeWriting(*previous, reason))
        return false;
    if (replaceContent(fd.get(), bytes, reason))
        return true;
    // Put back at once, so that nobody who reads it next meets a mixed file.
    QString ignored;
    if (!replaceContent(fd.get(), *previous, ignored))
        reason += QStringLiteral("; the previous content could not be put back");
    return false;
}

bool SettingsFolder::writeNewFile(const QString &name, const QByteArray &bytes,
                                  const EntryState &model)
{
    const int fd = ::openat(m_fd, encoded(name).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    QString reason;
    const bool written = writeAllAt(fd, bytes, reason) && toDisk(fd, reason);
    if (written)
        takeOwnershipOf(fd, model);
    ::close(fd);
    if (!written)
        ::unlinkat(m_fd, encoded(name).constData(), 0);
    return written;
}

bool SettingsFolder::renameToNewName(const QString &from, const QString &to)
{
#ifdef __linux__
    if (::renameat2(m_fd, encoded(from).constData(), m_fd, encoded(to).constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL) // a file system that cannot say "no replacing" goes on below
        return false;
#endif
    // A hard link never replaces anything either.
    if (::linkat(m_fd, encoded(from).constData(), m_fd, encoded(to).constData(), 0) != 0)
        return false;
    return ::unlinkat(m_fd, encoded(from).constData(), 0) == 0;
}

bool SettingsFolder::remove(const QString &name)
{
    return ::unlinkat(m_fd, encoded(name).constData(), 0) == 0;
}

void SettingsFolder::removeLeftovers(const QString &fileName)
{
    // Listed through the open folder too: a name swapped in for the folder lists nothing.
    Descriptor folder(::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR *listing = folder.valid() ? ::fdopendir(folder.get()) : nullptr;
    if (!listing)
        return;
    folder.release(); // the listing closes it
    QStringList names;
    while (const dirent *found = ::readdir(listing)) {
        const QString name = QFile::decodeName(found->d_name);
        if (writerOf(name, fileName))
            names.append(name);
    }
    ::closedir(listing);
    const qint64 abandoned = QDateTime::currentSecsSinceEpoch() - AbandonedAfterSeconds;
    for (const QString &name : names) {
        struct stat info = {};
        // Another user's is left alone: its writer may be alive on another machine.
        if (::fstatat(m_fd, encoded(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (writerIsGone(*writerOf(name, fileName)) || qint64(info.st_mtime) < abandoned)
            remove(name);
    }
}

} // namespace settings
