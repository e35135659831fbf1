#!/usr/bin/env bash
# Takes screenshots of lvcview's window on a virtual X display (Xvfb) while the simulated
# Bayer camera streams: docs/lvcview/streaming.png, and docs/lvcview/log-pane.png with the
# log pane open. Usage: scripts/lvcview-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/linux}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset linux >/dev/null
  build=build/linux
fi
cmake --build "$build" --target lvcview lorvenacam_qt

settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
# A bus of its own, so a camera open elsewhere on this machine does not get in the way.
export FWCONTROL_SIM_NAMESPACE=lvcview-screenshots
export XDG_RUNTIME_DIR=$settings
mkdir -p docs/lvcview

shoot() {
  local file=$1
  shift
  xvfb-run -a -s "-screen 0 1200x760x24" \
    "$build/bin/lvcview" --system-path "$settings" --camera "Simvision SC-640C - 1001" \
    --stream --screenshot "$file" --after 3 "$@"
  echo "$file"
}

shoot docs/lvcview/streaming.png
shoot docs/lvcview/log-pane.png --log
