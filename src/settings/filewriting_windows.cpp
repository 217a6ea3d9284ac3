// SPDX-License-Identifier: MIT
// The settings file's code for Windows: paths by name, a link in the file's place never written
// through, copies taking turns through this user's lock file only. Backup tools, indexers and
// virus scanners hold files open for a moment, so opening and replacing the file wait a
// little while another program holds it; and the program's own handles let others read,
// write and replace the file, so that copies on other PCs are never held up by them.

#include "settings/filewriting.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace settings {

namespace {

// A lock file holds a process id, a program and a host name.
constexpr qint64 MaxLockFileBytes = 4096;

// Once another copy held the lock past the wait, it is only tried until it is had again.
bool lockWasRefused = false;

// How long a save or the start waits for a file that another program holds: longer than a
// virus scanner or an indexer holds one, short enough not to freeze the window for long.
constexpr int HeldFileWaitMs = 1500;

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

QString systemMessage(DWORD error)
{
    return QString::fromStdString(std::system_category().message(int(error)));
}

// Another program has the file open in a way that excludes this use, for now. Replacing a
// file that is open without delete sharing, or whose replacement is still pending, fails
// with ERROR_ACCESS_DENIED instead.
bool heldByAnother(DWORD error, bool replacing)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           (replacing && error == ERROR_ACCESS_DENIED);
}

// Tries attempt until it succeeds, or fails for another reason than a file held by another
// program, or waitMs have passed; GetLastError() then tells why.
template <typename Attempt>
bool whenFree(Attempt attempt, bool replacing, int waitMs = HeldFileWaitMs)
{
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (attempt())
            return true;
        const DWORD error = ::GetLastError();
        if (!heldByAnother(error, replacing) || deadline.hasExpired()) {
            ::SetLastError(error);
            return false;
        }
        ::Sleep(25);
    }
}

// Opens path into file with CreateFileW (creation: OPEN_EXISTING or CREATE_NEW), sharing it
// with every other reader, writer and renamer, and never through a link in its place.
bool openFile(QFile &file, const QString &path, QIODevice::OpenMode mode, DWORD creation,
              QString &reason)
{
    const bool writes = mode.testFlag(QIODevice::WriteOnly);
    const DWORD access = GENERIC_READ | (writes ? GENERIC_WRITE : 0);
    const std::wstring name = nativePath(path);
    HANDLE handle = INVALID_HANDLE_VALUE;
    const bool opened = whenFree(
        [&] {
            handle = ::CreateFileW(
                name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                nullptr, creation, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            return handle != INVALID_HANDLE_VALUE;
        },
        false);
    if (!opened) {
        reason = systemMessage(::GetLastError());
        return false;
    }
    const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle),
                                             (writes ? _O_RDWR : _O_RDONLY) | _O_BINARY);
    if (descriptor < 0) {
        ::CloseHandle(handle);
        reason = systemMessage(ERROR_TOO_MANY_OPEN_FILES);
        return false;
    }
    if (!file.open(descriptor, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::_close(descriptor);
        reason = file.errorString();
        return false;
    }
    return true;
}

// Renames from to to, replacing to only when replace says so, through to the disk.
bool moveFile(const QString &from, const QString &to, bool replace, QString &reason)
{
    const std::wstring source = nativePath(from);
    const std::wstring target = nativePath(to);
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (whenFree([&] { return ::MoveFileExW(source.c_str(), target.c_str(), flags) != 0; }, true))
        return true;
    reason = systemMessage(::GetLastError());
    return false;
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
        reason = QString::fromStdString(std::generic_category().message(errno));
        return false;
    }
    return true;
}

// Writes bytes over the old ones, then cuts the file to their length: never empty on the way.
bool replaceContent(QFile &file, const QByteArray &bytes, QString &reason)
{
    if (!file.seek(0) || !writeAll(file, bytes, reason))
        return false;
    if (file.resize(bytes.size()))
        return true;
    reason = file.errorString();
    return false;
}

bool isLink(const QString &path)
{
    return QFileInfo(path).isSymLink();
}

} // namespace

QString lockFilePath(const QString &settingsPath)
{
    // The user's own temporary folder.
    return QDir(QDir::tempPath()).filePath(lockFileName(settingsPath));
}

SettingsLock::SettingsLock(const QString &settingsPath, Wait wait)
{
    if (settingsPath.isEmpty())
        return;
    const QString path = lockFilePath(settingsPath);
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.isSymLink() || info.size() > MaxLockFileBytes)) {
        m_refusal = QStringLiteral("%1 is not a lock file of this user's")
                        .arg(QDir::toNativeSeparators(path));
        return;
    }
    // A lock of the system's, not a file's presence: it goes with its process, however that
    // ends, so a killed copy never holds up the next one.
    HANDLE handle =
        ::CreateFileW(nativePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return; // no lock: the work goes on as before
    const bool waits = wait == Wait::UpToLimit;
    // Held by another copy, the lock fails as a file held by another program does.
    const auto lock = [handle] {
        OVERLAPPED firstByte = {};
        return ::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                            &firstByte) != 0;
    };
    if (whenFree(lock, false, waits && !lockWasRefused ? LockWaitMs : 0)) {
        m_lockHandle = handle;
        lockWasRefused = lockWasRefused && !waits;
        return;
    }
    ::CloseHandle(handle);
    m_waitedInVain = true;
    lockWasRefused = lockWasRefused || waits;
}

SettingsLock::~SettingsLock()
{
    if (m_lockHandle)
        ::CloseHandle(m_lockHandle); // and with it the lock
}

SettingsFolder::SettingsFolder(NameCheck afterNameCheck)
    : m_afterNameCheck(std::move(afterNameCheck))
{
}

SettingsFolder::~SettingsFolder() = default;

bool SettingsFolder::open(const QString &folder, QString &reason,
                          std::optional<unsigned> createMode)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    m_path =
        canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
    if (createMode && !QFileInfo::exists(m_path) && !QDir().mkpath(m_path)) {
        reason =
            QStringLiteral("The folder %1 cannot be created").arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    if (m_afterNameCheck)
        m_afterNameCheck(m_path);
    if (!QFileInfo(m_path).isDir() || isLink(m_path)) {
        reason = QFileInfo::exists(m_path)
                     ? QStringLiteral("%1: Not a folder").arg(QDir::toNativeSeparators(m_path))
                     : QStringLiteral("The folder %1 does not exist")
                           .arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    return true;
}

bool SettingsFolder::openFileFolder(const QString &path, QString &name, QString &reason,
                                    std::optional<unsigned> createMode)
{
    // A link in the file's place is never written through.
    if (isLink(path)) {
        reason = QStringLiteral("%1 is a link").arg(QDir::toNativeSeparators(path));
        return false;
    }
    name = QFileInfo(path).fileName();
    return open(QFileInfo(path).absolutePath(), reason, createMode);
}

QString SettingsFolder::filePath(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

bool SettingsFolder::mayMakeFiles(QString &) const
{
    return true; // no root
}

bool SettingsFolder::isOwnFolder() const
{
    return true; // no owners to compare
}

bool SettingsFolder::isPrivate() const
{
    return true; // the user's own temporary folder
}

bool SettingsFolder::takesNewFiles() const
{
    return true; // the system decides when a file is made
}

EntryState SettingsFolder::entry(const QString &name) const
{
    const QFileInfo info(filePath(name));
    if (!info.exists() && !info.isSymLink())
        return {};
    const bool writable = info.permissions().testAnyFlags(QFile::WriteOwner | QFile::WriteUser);
    return {true, info.isFile() && !info.isSymLink(), writable ? 0666u : 0444u, 0, 0, info.size()};
}

bool SettingsFolder::mayWrite(const QString &name) const
{
    return QFileInfo(filePath(name)).isWritable();
}

bool SettingsFolder::takeTurn(Wait)
{
    return true; // this user's lock file alone
}

std::optional<QByteArray> SettingsFolder::read(const QString &name, qint64 limit) const
{
    const QString path = filePath(name);
    if (isLink(path) || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file;
    QString reason;
    if (!openFile(file, path, QIODevice::ReadOnly, OPEN_EXISTING, reason))
        return std::nullopt;
    return readBounded(file, limit);
}

WriteStatus SettingsFolder::writeAtomically(const QString &name, const QByteArray &bytes,
                                            const EntryState &model, QString &reason)
{
    const QString path = filePath(name);
    // Copies on other PCs may share a process id: the next name then.
    QString temporary;
    QFile file;
    for (int attempt = 0; !file.isOpen(); ++attempt) {
        temporary = filePath(temporaryName(name, attempt));
        // A new file only: never through a link, or into one that someone put in its place.
        if (!openFile(file, temporary, QIODevice::WriteOnly, CREATE_NEW, reason) &&
            (::GetLastError() != ERROR_FILE_EXISTS || attempt == 9))
            return WriteStatus::NoTemporaryFile;
    }
    const bool written = writeAll(file, bytes, reason);
    file.close();
    if (written && model.exists && QFileInfo::exists(path))
        QFile::setPermissions(temporary, QFile::permissions(path));
    if (!written || !moveFile(temporary, path, true, reason)) {
        QFile::remove(temporary);
        return WriteStatus::Failed;
    }
    return WriteStatus::Written;
}

bool SettingsFolder::rewriteInPlace(
    const QString &name, const EntryState &, const QByteArray &bytes,
    const std::function<bool(const QByteArray &previous, QString &reason)> &beforeWriting,
    QString &reason)
{
    if (m_afterNameCheck)
        m_afterNameCheck(filePath(name));
    QFile file;
    if (isLink(filePath(name))) {
        reason = QStringLiteral("%1 is a link").arg(QDir::toNativeSeparators(filePath(name)));
        return false;
    }
    if (!openFile(file, filePath(name), QIODevice::ReadWrite, OPEN_EXISTING, reason))
        return false;
    const std::optional<QByteArray> previous = readBounded(file, 64 * 1024);
    if (!previous) {
        reason = file.errorString();
        return false;
    }
    if (beforeWriting && !beforeWriting(*previous, reason))
        return false;
    if (replaceContent(file, bytes, reason))
        return true;
    QString ignored;
    if (!replaceContent(file, *previous, ignored))
        reason += QStringLiteral("; the previous content could not be put back");
    return false;
}

bool SettingsFolder::writeNewFile(const QString &name, const QByteArray &bytes, const EntryState &)
{
    QFile file;
    QString reason;
    if (!openFile(file, filePath(name), QIODevice::WriteOnly, CREATE_NEW, reason))
        return false;
    if (writeAll(file, bytes, reason))
        return true;
    file.close();
    QFile::remove(filePath(name));
    return false;
}

bool SettingsFolder::renameToNewName(const QString &from, const QString &to)
{
    if (QFileInfo::exists(filePath(to)) || isLink(filePath(to)))
        return false;
    QString reason;
    return moveFile(filePath(from), filePath(to), false, reason);
}

bool SettingsFolder::remove(const QString &name)
{
    return QFile::remove(filePath(name));
}

void SettingsFolder::removeLeftovers(const QString &fileName)
{
    const QString pattern = fileName + QLatin1StringView(temporarySaveSuffix) + u'*';
    const QDateTime abandoned = QDateTime::currentDateTime().addSecs(-AbandonedAfterSeconds);
    const QFileInfoList found =
        QDir(m_path).entryInfoList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &leftover : found) {
        const std::optional<qint64> writer = writerOf(leftover.fileName(), fileName);
        // Only the age tells whether its writer is gone.
        if (writer && !leftover.isSymLink() && leftover.lastModified() < abandoned)
            remove(leftover.fileName());
    }
}

} // namespace settings
