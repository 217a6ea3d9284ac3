#pragma once

#include <QString>

namespace platform {

// The directory that holds the program file.
QString programDirectory();

struct Version
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The running program's version, from the project version of the build.
Version programVersion();

} // namespace platform
