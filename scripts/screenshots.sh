#!/usr/bin/env bash
# Renders the configuration dialog's four pages with the Qt view on the offscreen
# platform into docs/screenshots/qt-*.png. Usage: scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/linux}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset linux >/dev/null
  build=build/linux
fi
cmake --build "$build" --target lvc_dialog_screenshots lorvenacam_qt
mkdir -p docs/screenshots
"$build/bin/lvc_dialog_screenshots" docs/screenshots
