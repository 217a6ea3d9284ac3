#!/usr/bin/env bash
# Installs what is missing and builds the Debian package build-package/kvrcalc_VERSION_ARCH.deb
# from a release build. Install it with `sudo apt install ./build-package/kvrcalc_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVR_BUILD_TESTS=OFF >/dev/null
cmake --build build-package -j "$jobs"
rm -f build-package/kvrcalc_*.deb
cpack --config build-package/CPackConfig.cmake -B "$PWD/build-package"
ls build-package/kvrcalc_*.deb
