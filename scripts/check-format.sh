#!/usr/bin/env bash
# Fails when a C or C++ file of the tree differs from the house style in .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "clang-format: $(git ls-files '*.c' '*.cpp' '*.h' | wc -l) files in the house style"
