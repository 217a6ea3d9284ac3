#!/usr/bin/env bash
# Builds kvrcalc for Windows x64 on this Debian machine and tests it under Wine:
#   build-win/kvrcalc-VERSION-windows-x64.zip   the portable folder
#   build-win/kvrcalc-VERSION-setup.exe         the installer
# Qt for Windows is built once from Debian's qt6-base sources into
# ~/.cache/kvrcalc/qt-6.4.2-windows-x64 and reused.
#
# scripts/windows.sh [all|qt|build|test|package|check]
#   qt       only the Qt build (the first run takes about an hour on two cores)
#   build    kvrcalc.exe and the window-free tests, in build-win/
#   test     build, then the tests through Wine in a comma and a point locale
#   package  build, then the portable zip and the installer
#   check    the program, the zip and the installer started under Wine on Xvfb
#   all      every step (the default)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
source scripts/windows-common.sh

step=${1:-all}
jobs=$(nproc 2>/dev/null || echo 2)

# --- Qt for Windows ---------------------------------------------------------------------

# deb-src for the archive the machine already installs from, so that apt-get source finds
# qt6-base.
ensure_qt_sources_entry() {
    if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
        return
    fi
    local uri=http://deb.debian.org/debian suite=bookworm
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
        suite=$(awk '/^Suites:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
    fi
    echo "Adding deb-src $uri $suite"
    as_root tee /etc/apt/sources.list.d/kvrcalc-src.sources >/dev/null <<SOURCES
Types: deb-src
URIs: $uri
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    as_root apt-get update -qq
}

build_qt() {
    if [ -f "$KVR_WIN_QT/.complete" ]; then
        echo "Qt for Windows: reusing $KVR_WIN_QT"
        return
    fi
    ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}" dpkg-dev perl
    ensure_qt_sources_entry
    local work=$KVR_WIN_CACHE/qtbase-work
    mkdir -p "$work"
    if [ ! -f "$work/source/CMakeLists.txt" ]; then
        rm -rf "$work/source" "$work"/qt6-base-*
        (cd "$work" && apt-get source -qq "qt6-base=$(host_qt_source_version)" </dev/null)
        mv "$work"/qt6-base-*/ "$work/source"
    fi
    # Qt keeps the toolchain's path and loads it whenever a project uses this Qt: give it
    # its own copy, so that it does not depend on this checkout.
    mkdir -p "$KVR_WIN_QT"
    cp cmake/mingw-w64.cmake "$KVR_WIN_QT/mingw-w64.cmake"
    echo "Configuring Qt for Windows (log: $work/build.log)"
    # Only what the program and its tests use. Debian's sources lack the Wintab header,
    # hence no tablet events; the Windows platform plugin needs OpenGL, so it stays on.
    nice -n 15 cmake -S "$work/source" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$KVR_WIN_QT/mingw-w64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$KVR_WIN_QT" \
        -DCMAKE_BUILD_TYPE=Release \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR="$(host_qt_cmake_dir)" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
        >"$work/build.log" 2>&1 || { tail -40 "$work/build.log"; exit 1; }
    echo "Building Qt for Windows: about an hour on two cores (log: $work/build.log)"
    nice -n 15 cmake --build "$work/build" -j "$jobs" >>"$work/build.log" 2>&1 \
        || { tail -40 "$work/build.log"; exit 1; }
    cmake --install "$work/build" >>"$work/build.log" 2>&1
    touch "$KVR_WIN_QT/.complete"
    rm -rf "$work/build"
}

case "$step" in
    qt) build_qt ;;
    *) echo "usage: $0 [all|qt|build|test|package|check]" >&2; exit 2 ;;
esac
