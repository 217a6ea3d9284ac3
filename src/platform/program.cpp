#include "platform/program.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString programDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object exists, the kernel still knows the program file.
    const QString program = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return program.isEmpty() ? QString() : QFileInfo(program).absolutePath();
}

QString userConfigDirectory()
{
#ifdef Q_OS_WIN
    // %APPDATA%, where Windows programs keep a user's settings so that they roam with the
    // user; Qt's AppConfigLocation there is the machine's own %LOCALAPPDATA%.
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

Version programVersion()
{
    return Version{KVR_VERSION_MAJOR, KVR_VERSION_MINOR, KVR_VERSION_PATCH};
}

} // namespace platform
