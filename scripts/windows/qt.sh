# SPDX-License-Identifier: MIT
# The qt step: Qt for Windows, built once from Debian's qt6-base sources into $KVR_WIN_QT.
# Part of scripts/windows.sh, which sources it after scripts/setup.sh and
# scripts/windows/common.sh; run it through windows.sh.

# deb-src for the archives the machine already installs from (every suite, security too), so
# that apt-get source finds the qt6-base of the installed Qt.
ensure_qt_sources_entry() {
    if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
        return
    fi
    echo "Adding deb-src entries beside the deb entries of the machine"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee /etc/apt/sources.list.d/kvrcalc-src.sources >/dev/null
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list |
            as_root tee /etc/apt/sources.list.d/kvrcalc-src.list >/dev/null
    fi
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
    rm -rf "$work"
}
