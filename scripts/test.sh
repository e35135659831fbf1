#!/usr/bin/env bash
# Builds every configuration once and runs its test suite: the optimised build, then
# AddressSanitizer + UndefinedBehaviorSanitizer and ThreadSanitizer, each followed by the
# soak with its figures; then the Windows x64 build, cross-compiled and tested under Wine,
# and the Windows x86 build, checked without running it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/check-format.sh
scripts/check-layers.sh

presets=(linux linux-asan linux-tsan)
jobs=$(nproc)

for preset in "${presets[@]}"; do
  echo "=== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

status=0
for preset in "${presets[@]}"; do
  echo "=== $preset: test"
  ctest --preset "$preset" -j "$jobs" --label-exclude soak || status=1
  echo "=== $preset: soak"
  ctest --preset "$preset" --label-regex soak --verbose || status=1
done

# The Debian packages from the linux build: checked, installed, run from /usr, removed.
scripts/test-packages.sh || status=1
scripts/test-windows.sh windows-x64 || status=1
# The Windows zip from that build: its lvcgrab.exe grabs under Wine with what the zip holds.
scripts/test-windows-zip.sh windows-x64 || status=1
scripts/check-windows-x86.sh || status=1
exit $status
