#include "platform/windowsinstall.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

bool windowsProgramIsInstalled(const QString &programDir)
{
    return !programDir.isEmpty() &&
           QFileInfo(QDir(programDir).filePath(QLatin1StringView(WindowsUninstallerName))).isFile();
}

} // namespace platform
