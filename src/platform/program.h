// SPDX-License-Identifier: MIT
#pragma once

// Where the program lives, whether it is installed, and its version.

#include <QByteArray>
#include <QString>

namespace platform {

// The directory that holds the program file, as an absolute path; empty when it cannot be
// named (a folder name that is not valid in the file system's encoding).
QString programDirectory();

// The folder of the program file that the system names by these bytes; empty when they name
// no absolute path that a QString can hold.
QString folderOfProgramFile(const QByteArray &nativePath);

// The user's configuration folder for this program (under XDG_CONFIG_HOME or ~/.config; on
// Windows under %APPDATA%), named after the application's organisation and name; it may not
// exist yet. Empty when the system names none: no absolute XDG_CONFIG_HOME and no home but /.
// Asked once the application object exists.
QString userConfigDirectory();

// Whether the program runs from an installed layout rather than from a build or an unzipped
// folder: on Linux, a folder named bin with the desktop entry or the metainfo installed beside
// it in ../share; on Windows, the installer's uninstall.exe beside the program.
bool isInstalledLayout(const QString &programDir);
bool programIsInstalled();

// A write past the file-size limit (ulimit -f) then fails and is reported as a failed save,
// instead of ending the program.
void ignoreFileSizeSignal();

// Lets the Windows installer and uninstaller see that a copy of the program runs, so that
// they refuse to replace or remove its files under it: a named mutex that the system drops
// when the process ends, however it ends ("kvrcalc-running", in resources/windows/
// installer.nsi too). Elsewhere nothing.
void announceRunning();

struct Version
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The running program's version, from the project version of the build.
Version programVersion();

} // namespace platform
