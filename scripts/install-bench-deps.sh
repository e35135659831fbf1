#!/usr/bin/env bash
# Installs what the benchmarks need beside the build's own packages: the libraries they
# compare against (OpenCV 4, libdc1394) and Google Benchmark, from Debian's packages only.
# Idempotent: nothing is fetched when every package is already installed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh libopencv-dev libdc1394-dev libbenchmark-dev python3
