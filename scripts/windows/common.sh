# SPDX-License-Identifier: MIT
# Shared by scripts/windows.sh, its steps and scripts/test.sh: where Qt for Windows lives,
# what the Windows build needs, and Wine. Sourced, not run.

# The cache: Qt for Windows and the Debian 13 root it is built in. Inside that root the
# machine's cache is mounted and named by KVR_WIN_CACHE.
KVR_WIN_CACHE=${KVR_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kvrcalc}
# Qt 6.8, the long-term release, from Debian 13's qt6-base sources.
# Exported for the windows preset (CMakePresets.json), which finds Qt's toolchain file there.
export KVR_WIN_QT=$KVR_WIN_CACHE/qt-6.8-windows-x64

WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
# Wine runs what the cross compiler makes; NSIS makes the installer.
WINDOWS_TEST_PACKAGES=(wine wine64 fonts-wine xvfb xauth x11-utils xdotool xclip locales poppler-utils)
WINDOWS_PACKAGE_PACKAGES=(nsis zip qt6-translations-l10n)

# The folders of MinGW's runtime DLLs (libstdc++, libgcc, winpthread), one a line: read them
# with mapfile, as a folder may have blanks in its name.
mingw_runtime_dirs() {
    local dll
    for dll in libstdc++-6.dll libwinpthread-1.dll; do
        dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")"
    done | sort -u
}

# The folders Qt's and MinGW's DLLs are taken from, Qt's first, in dll_dirs.
find_dll_dirs() {
    local runtime_dirs=()
    mapfile -t runtime_dirs < <(mingw_runtime_dirs)
    dll_dirs=("$KVR_WIN_QT/bin" "${runtime_dirs[@]}")
}

# host_builds_windows: true where this machine's own Qt is the 6.8 of Debian 13 (or Ubuntu's
# 6.8): Qt for Windows is built from the host Qt's Debian sources, with the host's Qt tools,
# and the program with those tools. Elsewhere scripts/windows.sh runs in a Debian 13 root.
host_builds_windows() {
    local version
    if [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" = trixie ]; then
        return 0
    fi
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
    [ -n "$version" ] || version=$(apt-cache policy qt6-base-dev 2>/dev/null | sed -n 's/^ *Candidate: //p')
    case "$version" in
    6.8.*) return 0 ;;
    *) return 1 ;;
    esac
}

# The Debian source version of the host Qt, so that both Qts are the same.
host_qt_source_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev
}

host_qt_cmake_dir() {
    dirname "$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")"
}

# win_build: the windows preset's folder, set by build_program, which every later step calls
# first.
program_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win_build/CMakeCache.txt"
}

# use_wine PREFIX LOCALE: Wine with its own prefix, its regional settings from LOCALE, quiet,
# and Qt's and MinGW's DLLs on its PATH. A new prefix is made on first use.
use_wine() {
    ensure_packages "${WINDOWS_TEST_PACKAGES[@]}"
    ensure_locale "$2"
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko: nothing here needs them, and Wine would offer to fetch them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LC_ALL=$2
    local path="" dir dll_dirs=()
    find_dll_dirs
    for dir in "${dll_dirs[@]}"; do path+="Z:${dir//\//\\};"; done
    export WINEPATH=$path
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
}
