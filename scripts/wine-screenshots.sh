#!/usr/bin/env bash
# Pictures of the native property sheet's four pages, drawn by Wine on Xvfb, into
# docs/screenshots/win32-*.png. Builds the windows-x64 preset's screenshot program first.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wine-prefix}"

cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 --target lvc_win32_screenshots -j "$(nproc)"
scripts/wine-prepare.sh
output="$(winepath -w "$PWD/docs/screenshots" 2>/dev/null)"
xvfb-run -a -s "-screen 0 1024x768x24" \
  scripts/wine-run.sh build/windows-x64/bin/lvc_win32_screenshots.exe "$output"
