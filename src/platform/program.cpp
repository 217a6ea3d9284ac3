// SPDX-License-Identifier: MIT
#include "platform/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <csignal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace platform {

QString folderOfProgramFile(const QByteArray &nativePath)
{
    const QString program = QFile::decodeName(nativePath);
    // A folder whose name is not valid in the file system's encoding (Latin-1 on an old stick)
    // cannot be named by a QString: no folder is better than a wrong one.
    if (QFile::encodeName(program) != nativePath || !QDir::isAbsolutePath(program))
        return {};
    return QFileInfo(program).absolutePath();
}

QString programDirectory()
{
#ifdef Q_OS_LINUX
    // The kernel's name of the program file, also before the application object exists.
    char name[4096];
    const ssize_t size = ::readlink("/proc/self/exe", name, sizeof name);
    if (size > 0 && size < ssize_t(sizeof name))
        return folderOfProgramFile(QByteArray(name, size));
#endif
    const QString folder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return QDir::isAbsolutePath(folder) ? folder : QString();
}

QString userConfigDirectory()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // As the XDG rules say: a relative XDG_CONFIG_HOME is ignored. Qt would name /.config
    // without a home; nothing is written under / instead.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(base)) {
        const QString home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(home) || QDir::cleanPath(home) == u"/")
            return {};
        base = home + QStringLiteral("/.config");
    }
    // Named as Qt's AppConfigLocation names it.
    return QDir::cleanPath(base + u'/' + QCoreApplication::organizationName() + u'/' +
                           QCoreApplication::applicationName());
#elif defined(Q_OS_WIN)
    // %APPDATA%, which roams with the user; Qt's AppConfigLocation is the local one there.
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

bool isInstalledLayout(const QString &programDir)
{
    const QDir folder(programDir);
#ifdef Q_OS_WIN
    // Installer hook: the Windows installer puts its uninstaller beside the program; a
    // portable zip has none.
    return QFileInfo::exists(folder.filePath(QStringLiteral("uninstall.exe")));
#else
    // What cmake/install.cmake lays out beside bin/.
    const QString appId = QStringLiteral("com.example.kovrin.kvrcalc");
    return folder.dirName() == u"bin" &&
           (QFileInfo::exists(
                folder.filePath(u"../share/applications/"_s + appId + u".desktop"_s)) ||
            QFileInfo::exists(
                folder.filePath(u"../share/metainfo/"_s + appId + u".metainfo.xml"_s)));
#endif
}

bool programIsInstalled()
{
    return isInstalledLayout(programDirectory());
}

void ignoreFileSizeSignal()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void announceRunning()
{
#ifdef Q_OS_WIN
    // In the global namespace, so that the installer sees copies of other users' sessions
    // too; in the session's own where the system allows no global one. Never closed: it
    // lives as long as the process.
    if (!::CreateMutexW(nullptr, FALSE, L"Global\\kvrcalc-running"))
        ::CreateMutexW(nullptr, FALSE, L"Local\\kvrcalc-running");
#endif
}

Version programVersion()
{
    return Version{KVR_VERSION_MAJOR, KVR_VERSION_MINOR, KVR_VERSION_PATCH};
}

} // namespace platform
