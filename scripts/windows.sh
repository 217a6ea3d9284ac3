#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds kvrcalc for Windows x64 on this Debian machine and tests it under Wine:
#   build-win/kvrcalc-VERSION-windows-x64.zip   the portable folder
#   build-win/kvrcalc-VERSION-setup.exe         the installer
# Qt for Windows is built once from Debian 13's qt6-base sources (Qt 6.8, the long-term
# release) into ~/.cache/kvrcalc/qt-6.8-windows-x64 and reused. On a machine whose own Qt is
# not 6.8 (Debian 12) every step runs in a Debian 13 root (scripts/windows/root.sh), so both
# releases make the same zip and installer.
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
source scripts/windows/common.sh
# One file per step; each step calls the one it needs first.
source scripts/windows/qt.sh
source scripts/windows/build.sh
source scripts/windows/test.sh
source scripts/windows/sharedfolder.sh
source scripts/windows/package.sh
source scripts/windows/check.sh

step=${1:-all}
case "$step" in
qt | build | test | package | check | all) ;;
*) echo "usage: $0 [all|qt|build|test|package|check]" >&2; exit 2 ;;
esac
if ! host_builds_windows; then
    source scripts/windows/root.sh
    run_windows_step_in_root "$step"
    exit
fi

case "$step" in
    qt) build_qt ;;
    build) build_program ;;
    test) run_tests ;;
    package) package_program ;;
    check) check_program ;;
    all)
        run_tests
        check_program
        ;;
esac

