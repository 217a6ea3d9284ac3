#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing and builds the Debian package kvrcalc_VERSION_ARCH.deb from a release
# build, in the package preset's folder: install it with
# `sudo apt install ./build-package/kvrcalc_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
cmake --preset package >/dev/null
cmake --build --preset package -j "$jobs"
build=$(preset_binary_dir package)
rm -f "$build"/kvrcalc_*.deb
cpack --preset package
ls "$build"/kvrcalc_*.deb
