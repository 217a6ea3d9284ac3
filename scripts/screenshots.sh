#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the screenshot tool and draws the README's pictures of the
# windows on a light and on a dark palette into docs/, on an X server of its own (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" libxcb-cursor0 xvfb
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs" --target kvrcalc_screenshots
screenshots=$(preset_binary_dir default)/kvrcalc_screenshots
start_xvfb
DISPLAY=$xvfb_display QT_QPA_PLATFORM=xcb "$screenshots" docs
