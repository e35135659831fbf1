#!/usr/bin/env bash
# The main job: builds the `linux` preset and grabs frames from the default simulated bus
# with lvcgrab, the command-line host. The frames land as PNG files in build/demo/
# (one folder per camera); extra arguments go to every `lvcgrab grab`, e.g. `-n 10`.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset linux >/dev/null
cmake --build --preset linux --target lvcgrab -j "$(nproc)"

lvcgrab=build/linux/bin/lvcgrab
output=build/demo
rm -rf "$output"
mkdir -p "$output"
# The built-in bus, whatever the calling shell may point the simulator at.
unset FWCONTROL_SIM_BUS

echo "Cameras on the simulated bus:"
"$lvcgrab" --system-dir "$output" list
count=$("$lvcgrab" --system-dir "$output" list | wc -l)
for ((camera = 0; camera < count; camera++)); do
  "$lvcgrab" --system-dir "$output" grab "$camera" -n 3 -o "$output/camera-$camera" "$@"
done
echo "PNG frames written to $output/camera-*/"
