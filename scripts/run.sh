#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds and starts the program. The settings file KVRsys.cfg
# lives beside the program, in the default preset's folder (build/).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" libxcb-cursor0
# The build of scripts/test.sh, so that the two share build/.
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs" --target kvrcalc
build=$(preset_binary_dir default)
exec "$build/kvrcalc"
