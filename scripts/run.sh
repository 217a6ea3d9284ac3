#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. The settings file KVRsys.cfg
# lives beside the program, in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" libxcb-cursor0
# The build of scripts/test.sh, so that the two share build/.
cmake --preset default >/dev/null
cmake --build build -j "$jobs" --target kvrcalc
exec ./build/kvrcalc
