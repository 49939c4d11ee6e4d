#!/usr/bin/env bash
# Builds qrxcc and runs every test.  Usage: scripts/test.sh [--sanitize LIST] [--no-simd] [--clang]
#   --sanitize address,undefined   builds into build-san-* with those sanitizers
#   --no-simd                      builds the scalar-only library (as on non-x86 machines)
#   --clang                        builds with clang 16 instead of the default compiler
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
dir=build type=Release extra=()
while [ $# -gt 0 ]; do
  case "$1" in
    # -O1 without debug information: instrumented kernels compile many times faster
    --sanitize) dir=build-san-${2//,/-}; extra+=(-DQRX_SANITIZE="$2" -DQRX_BUILD_BENCH=OFF "-DCMAKE_CXX_FLAGS_RELEASE=-O1" "-DCMAKE_C_FLAGS_RELEASE=-O1"); shift 2 ;;
    --no-simd) dir=build-nosimd; extra+=(-DQRX_SIMD=OFF -DQRX_BUILD_BENCH=OFF); shift ;;
    --clang) dir=$dir-clang; export CC=clang-16 CXX=clang++-16; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "${extra[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
