#!/usr/bin/env bash
# Cross-builds one Windows preset (default windows-x64) and runs its test suite under
# Wine, headless: the Windows stage of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-windows-x64}"
jobs=$(nproc)
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wine-prefix}"

echo "=== $preset: build"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs"

echo "=== $preset: test under Wine"
scripts/wine-prepare.sh
status=0
env -u DISPLAY ctest --preset "$preset" -j "$jobs" || status=1
wineserver -k 2>/dev/null || true
exit $status
