// SPDX-License-Identifier: MIT
#pragma once

// The program's names for the desktop and for Qt.

namespace platform {

// Names the program for the desktop and for Qt, before any application object exists:
// application "kvrcalc" with the build's version, organisation "kovrin" of
// kovrin.example.com, and the desktop file com.example.kovrin.kvrcalc.desktop that
// cmake/install.cmake installs. The organisation and application names decide
// QStandardPaths::AppConfigLocation (~/.config/kovrin/kvrcalc). No display name is set: Qt
// would append it to every window title, and the titles are fixed texts.
void setApplicationIdentity();

} // namespace platform
