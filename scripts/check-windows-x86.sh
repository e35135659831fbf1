#!/usr/bin/env bash
# The 32-bit Windows stage of scripts/test.sh, for machines that cannot run 32-bit code:
# cross-builds the windows-x86 preset (the DLLs, lvcgrab and every test program, so the
# compile-time checks of the 32-bit layout and calling conventions run), then checks the
# DLLs' export and import tables with the mingw objdump. The suites themselves need a
# 32-bit Windows (or a 32-bit Wine, which is not installed here).
set -euo pipefail
cd "$(dirname "$0")/.."

preset=windows-x86
jobs=$(nproc)

echo "=== $preset: build"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs"

echo "=== $preset: export and import tables"
cmake -P "build/$preset/tests/win32/check_dlls.cmake"
