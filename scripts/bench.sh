#!/usr/bin/env bash
# Builds the linux-bench configuration (Release, benchmarks on, tests off) and runs every
# benchmark program (bin/*_bench) with repetitions, single-threaded. Results go to
# build/linux-bench/results/<program>.json. The conversion benchmarks run a second time
# with OpenCV's dispatch limited to SSE4.1 (OPENCV_CPU_DISABLE, read by OpenCV when it is
# loaded), to compare the SSE4.1 tier with it, and then print their ratio table. Extra
# arguments go to every program (for example --benchmark_filter=yuv).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-bench-deps.sh
cmake --preset linux-bench >/dev/null
cmake --build --preset linux-bench -j "$(nproc)"

# What OpenCV 4.6 may dispatch to beyond SSE4.2: its names, comma-separated.
opencv_above_sse42=AVX,AVX2,FMA3,FP16,AVX512F,AVX512BW,AVX512CD,AVX512DQ,AVX512VL,AVX512-SKX,AVX512-CLX,AVX512-ICL,AVX512-COMMON

results=build/linux-bench/results
mkdir -p "$results"
run() {
  local program=$1 out=$2
  shift 2
  "$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
             --benchmark_out="$out" --benchmark_out_format=json "$@"
}
# The GenICam frame path streams from a fake GigE Vision camera: it runs in a network
# namespace of its own, where the loopback is the only interface.
aravis_frame_path_on_loopback() {
  unshare --net sh -c 'ip link set lo up && exec "$0" "$@"' \
    build/linux-bench/bin/aravis_frame_path_bench "$@"
}
for program in build/linux-bench/bin/*_bench; do
  name=$(basename "$program")
  echo "=== $name"
  if [ "$name" = aravis_frame_path_bench ]; then
    if ! unshare --net true 2>/dev/null; then
      echo "skipped: unshare --net is not permitted here (it needs root or user namespaces)"
      continue
    fi
    run aravis_frame_path_on_loopback "$results/$name.json" "$@"
    continue
  fi
  run "$program" "$results/$name.json" "$@"
done

if [ -f "$results/transform_bench.json" ]; then
  echo "=== transform_bench, OpenCV limited to SSE4.1"
  OPENCV_CPU_DISABLE=$opencv_above_sse42 \
    run build/linux-bench/bin/transform_bench "$results/transform_bench_sse41.json" "$@"
  python3 bench/transform/ratio_table.py "$results/transform_bench.json" \
    "$results/transform_bench_sse41.json"
fi
