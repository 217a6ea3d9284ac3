# SPDX-License-Identifier: MIT
# The build step: kvrcalc.exe and the window-free tests in the windows preset's folder,
# build-win/ (needs qt.sh).
# Part of scripts/windows.sh, which sources it after scripts/setup.sh and
# scripts/windows/common.sh; run it through windows.sh.

build_program() {
    build_qt
    ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}"
    # The pictures are drawn by a tool that runs here, so it is built for this machine.
    cmake --preset windows-tools >/dev/null
    cmake --build --preset windows-tools >/dev/null
    echo "== windows preset (Windows x64) =="
    # qt-cmake passes Qt's toolchain file, the one the preset names too.
    "$KVR_WIN_QT/bin/qt-cmake" --preset windows >/dev/null
    cmake --build --preset windows -j "$jobs"
    win_build=$(preset_binary_dir windows)
}
