#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. The settings file KVRsys.cfg
# lives beside the program, in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" libxcb-cursor0
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs" --target kvrcalc
exec ./build/kvrcalc
