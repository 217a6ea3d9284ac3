#pragma once

#include <QString>

namespace platform {

// The directory that holds the program file.
QString programDirectory();

// The user's configuration folder for this program (under XDG_CONFIG_HOME or ~/.config, on
// Windows under %APPDATA%, named after the application's organisation and name); it may not
// exist yet. Empty when
// the system names none. Asked once the application object exists.
QString userConfigDirectory();

struct Version
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The running program's version, from the project version of the build.
Version programVersion();

} // namespace platform
