#!/usr/bin/env bash
# Builds the linux-bench configuration (Release, benchmarks on, tests off) and runs every
# benchmark program (bin/*_bench) with repetitions, single-threaded. Results go to
# build/linux-bench/results/<program>.json; the conversion benchmarks also print their
# ratio table. Extra arguments go to every program (for example --benchmark_filter=yuv).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-bench-deps.sh
cmake --preset linux-bench >/dev/null
cmake --build --preset linux-bench -j "$(nproc)"

results=build/linux-bench/results
mkdir -p "$results"
for program in build/linux-bench/bin/*_bench; do
  name=$(basename "$program")
  echo "=== $name"
  "$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
             --benchmark_out="$results/$name.json" --benchmark_out_format=json "$@"
done

if [ -f "$results/transform_bench.json" ]; then
  python3 bench/transform/ratio_table.py "$results/transform_bench.json"
fi
