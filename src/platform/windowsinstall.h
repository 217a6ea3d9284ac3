#pragma once

#include <QString>

namespace platform {

// The file the Windows installer puts beside the program, and that removes it again.
inline constexpr char WindowsUninstallerName[] = "uninstall.exe";

// Whether the program in programDir was laid out by the Windows installer: its uninstaller
// sits beside it. The portable folder (the zip, a USB stick) has none. An installed program
// keeps its settings in the user's configuration folder, a portable one beside itself.
// Looks at files only, so it answers the same on every system.
bool windowsProgramIsInstalled(const QString &programDir);

} // namespace platform
