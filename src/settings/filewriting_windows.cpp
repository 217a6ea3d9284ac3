// The settings file's code for Windows: paths by name, a link in the file's place never written
// through, copies taking turns through this user's lock file only.

#include "settings/filewriting.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <io.h>

namespace settings {

namespace {

// A lock file holds a process id, a program and a host name.
constexpr qint64 MaxLockFileBytes = 4096;

// Once another copy held the lock past the wait, it is only tried until it is had again.
bool lockWasRefused = false;

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
        m_refusal = QStringLiteral("%1 is not a lock file of this user's").arg(path);
        return;
    }
    m_lockFile = std::make_unique<QLockFile>(path);
    const bool waits = wait == Wait::UpToLimit;
    if (m_lockFile->tryLock(waits && !lockWasRefused ? LockWaitMs : 0)) {
        lockWasRefused = lockWasRefused && !waits;
        return;
    }
    m_waitedInVain = true;
    lockWasRefused = lockWasRefused || waits;
}

SettingsLock::~SettingsLock() = default;

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
        reason = QStringLiteral("The folder %1 cannot be created").arg(m_path);
        return false;
    }
    if (m_afterNameCheck)
        m_afterNameCheck(m_path);
    if (!QFileInfo(m_path).isDir() || isLink(m_path)) {
        reason = QFileInfo::exists(m_path)
                     ? QStringLiteral("%1: Not a folder").arg(m_path)
                     : QStringLiteral("The folder %1 does not exist").arg(m_path);
        return false;
    }
    return true;
}

bool SettingsFolder::openFileFolder(const QString &path, QString &name, QString &reason,
                                    std::optional<unsigned> createMode)
{
    // A link in the file's place is never written through.
    if (isLink(path)) {
        reason = QStringLiteral("%1 is a link").arg(path);
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return readBounded(file, limit);
}

WriteStatus SettingsFolder::writeAtomically(const QString &name, const QByteArray &bytes,
                                            const EntryState &model, QString &reason)
{
    const QString path = filePath(name);
    const QString temporary = filePath(temporaryName(name, 0));
    QFile file(temporary);
    // NewOnly: never through a link or into a file that someone else put in its place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return WriteStatus::NoTemporaryFile;
    }
    bool written = writeAll(file, bytes, reason);
    if (written && model.exists && QFileInfo::exists(path))
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
}

bool SettingsFolder::rewriteInPlace(
    const QString &name, const EntryState &, const QByteArray &bytes,
    const std::function<bool(const QByteArray &previous, QString &reason)> &beforeWriting,
    QString &reason)
{
    if (m_afterNameCheck)
        m_afterNameCheck(filePath(name));
    QFile file(filePath(name));
    if (isLink(file.fileName()) || !file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
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
    if (replaceContent(file, bytes, reason))
        return true;
    QString ignored;
    if (!replaceContent(file, *previous, ignored))
        reason += QStringLiteral("; the previous content could not be put back");
    return false;
}

bool SettingsFolder::writeNewFile(const QString &name, const QByteArray &bytes, const EntryState &)
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    QString reason;
    if (writeAll(file, bytes, reason))
        return true;
    file.remove();
    return false;
}

bool SettingsFolder::renameToNewName(const QString &from, const QString &to)
{
    if (QFileInfo::exists(filePath(to)) || isLink(filePath(to)))
        return false;
    std::error_code error;
    std::filesystem::rename(nativePath(filePath(from)), nativePath(filePath(to)), error);
    return !error;
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
