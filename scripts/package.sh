#!/usr/bin/env bash
# Installs what is missing and builds the Debian package build-package/kvrcalc_VERSION_ARCH.deb
# from a release build. Install it with `sudo apt install ./build-package/kvrcalc_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
cmake --preset package >/dev/null
cmake --build build-package -j "$jobs"
rm -f build-package/kvrcalc_*.deb
cpack --config build-package/CPackConfig.cmake -B "$PWD/build-package"
ls build-package/kvrcalc_*.deb
