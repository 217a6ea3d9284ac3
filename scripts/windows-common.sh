# Shared by windows.sh and test.sh: where Qt for Windows lives and what the Windows build
# needs. Sourced, not run.

KVR_WIN_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/kvrcalc
KVR_WIN_QT=$KVR_WIN_CACHE/qt-6.4.2-windows-x64

WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)

# The Debian source version of the host Qt, so that both Qts are the same.
host_qt_source_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev
}

host_qt_cmake_dir() {
    dirname "$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")"
}
