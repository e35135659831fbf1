#!/usr/bin/env bash
# The Windows zip's stage of scripts/test.sh, after the windows-x64 build: makes the zip,
# unpacks it, and lists and grabs from the simulated bus with the lvcgrab.exe it holds,
# under Wine, headless: the DLLs beside it must be all it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-windows-x64}"
root=$PWD
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-prefix}"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

scripts/package.sh "$preset"
(cd "$scratch" && cmake -E tar xf "$root/build/$preset/packages/"lorvenacam-*.zip)

echo "=== $preset zip: lvcgrab.exe on the simulated bus, under Wine"
scripts/wine-prepare.sh
cd "$scratch"/lorvenacam-*
unset FWCONTROL_SIM_BUS
export FWCONTROL_SIM_NAMESPACE=zip-check-$$
wine_run() { env -u DISPLAY "$root/scripts/wine-run.sh" lvcgrab.exe --system-dir . "$@"; }
wine_run list | tee cameras
[ -s cameras ] || fail "lvcgrab.exe from the zip lists no camera"
wine_run grab 1 -n 2 -o frames
for frame in frame_0000.png frame_0001.png; do
  [ -s "frames/$frame" ] || fail "lvcgrab.exe from the zip wrote no $frame"
done
wineserver -k 2>/dev/null || true
echo "$preset zip: passed"
