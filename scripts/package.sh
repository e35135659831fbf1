#!/usr/bin/env bash
# Builds the packages, each from its preset's build directory (configured if need be, and
# only the installed targets built, no tests):
#   linux        build/linux/packages/lorvenacam*_VERSION_ARCH.deb (one per component)
#   windows-x64  build/windows-x64/packages/lorvenacam-VERSION-win64.zip
#   windows-x86  build/windows-x86/packages/lorvenacam-VERSION-win32.zip
# Usage: scripts/package.sh [PRESET...]   (default: linux windows-x64)
set -euo pipefail
cd "$(dirname "$0")/.."

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(linux windows-x64)

for preset in "${presets[@]}"; do
  echo "=== $preset: packages"
  [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" --target installed_targets
  rm -rf "build/$preset/packages"
  (cd "build/$preset" && cpack)
done
