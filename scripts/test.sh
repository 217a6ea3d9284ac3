#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test through ctest: first the ordinary
# build (preset default, in build/), then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer (preset asan, in build-asan/; skip it with KVR_SKIP_SANITIZE=1),
# then every fuzz target built with clang and libFuzzer for a short fixed number of runs (skip
# them with KVR_SKIP_FUZZ=1), then the Windows build's tests where Qt for Windows is built.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

# lintian and man judge the Debian package and its manual page (tests/package).
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" poppler-utils xvfb xauth \
    x11-utils desktop-file-utils appstream lintian man-db
ensure_packages_if_known "${SVG_PLUGIN_PACKAGES[@]}"
ensure_locale da_DK.UTF-8
ensure_locale en_US.UTF-8
ensure_locale fa_IR.UTF-8 # a decimal separator that is neither a point nor a comma
# The package tests start the packaged program as this user: root writes where others may not.
if [ "$(id -u)" -eq 0 ] && ! id kvrtest >/dev/null 2>&1; then
    useradd --system --user-group --no-create-home --shell /usr/sbin/nologin kvrtest
fi

export QT_QPA_PLATFORM=offscreen

# Each build is a preset of CMakePresets.json, which names its folder; the test presets show
# the output of a failed test.
echo "== default preset =="
# Warnings are errors with the compilers and Qt versions we test (KVR_WERROR=AUTO), not with
# a newer one that warns of something new.
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

if [ "${KVR_SKIP_SANITIZE:-0}" != 1 ]; then
    echo "== asan preset (AddressSanitizer, UndefinedBehaviorSanitizer) =="
    # The preset adds -fsanitize=float-cast-overflow: gcc's -fsanitize=undefined leaves out a
    # double too big for its integer.
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    export_sanitizer_options
    # Besides the fuzz runs' options: leaks, and the order of static initialisation.
    ASAN_OPTIONS+=":detect_leaks=1:check_initialization_order=1"
    ctest --preset asan -j "$jobs"
fi

if [ "${KVR_SKIP_FUZZ:-0}" != 1 ]; then
    echo "== fuzz preset (clang, libFuzzer: every target for a few thousand inputs) =="
    bash scripts/fuzz.sh --short 20000
fi

# The Windows build's window-free tests, under Wine in a comma and a point locale, wherever
# this machine has built Qt for Windows (scripts/windows.sh, once).
source scripts/windows/common.sh
if [ -f "$KVR_WIN_QT/.complete" ]; then
    scripts/windows.sh test
else
    echo "Windows tests skipped: no Qt for Windows in $KVR_WIN_QT; scripts/windows.sh builds it (about an hour) and runs them."
fi
