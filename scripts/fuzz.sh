#!/usr/bin/env bash
# Builds the fuzz targets of the private-profile reader and the LUT file reader with
# clang's libFuzzer (with AddressSanitizer and UBSan) and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target, default 30]
# A crash stops the run and leaves its input in build/fuzz/crashes/; replay it with
#   build/fuzz/<target> build/fuzz/crashes/<file>
set -euo pipefail

seconds="${1:-30}"
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${LVC_FUZZ_DIR:-$root/build/fuzz}"
mkdir -p "$out/crashes"

flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/src" -I"$root/tests/fuzz")

build() {
  local target="$1"
  shift
  clang++ "${flags[@]}" "$root/tests/fuzz/$target.cpp" "$@" -o "$out/$target"
}

run() {
  local target="$1" seeds="$2"
  mkdir -p "$out/corpus/$target"
  echo "== $target: ${seconds}s"
  "$out/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/crashes/$target-" "$out/corpus/$target" "$root/tests/fuzz/corpus/$seeds"
}

build profile_fuzzer "$root/src/platform/posix/private_profile.cpp"
build lut_fuzzer "$root/src/camera/lut_file.cpp"
run profile_fuzzer profile
run lut_fuzzer lut
