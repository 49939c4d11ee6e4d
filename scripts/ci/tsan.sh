#!/usr/bin/env bash
# ThreadSanitizer build of the test suite (clang + LLVM OpenMP runtime) in
# build-tsan, then the threaded tests: the reliability suite, the row-parallel
# colour models, ordered and error-diffusion bit reduction, the thread driver.
# The OpenMP runtime is not instrumented; its synchronisation is made visible
# to ThreadSanitizer by the runtime's own tool library (archer), and the few
# reports from inside the runtime are suppressed (scripts/ci/tsan.supp).
#   scripts/ci/tsan.sh            # threaded tests only (CI)
#   scripts/ci/tsan.sh --all      # every test
set -euo pipefail
cd "$(dirname "$0")/../.."
jobs=${QRX_BUILD_JOBS:-2}

CC=clang-16 CXX=clang++-16 cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1" "-DCMAKE_C_FLAGS_RELEASE=-O1" -DQRX_SANITIZE=thread \
  -DQRX_BUILD_BENCH=OFF -DQRX_BUILD_TOOLS=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target qrxtests

filter='Reliability*:ParallelRows.*:*Thread*:HlsPlanar.*:LabFrame.*:LuvFrame.*:XyzFrame.*'
if [ "${1:-}" = "--all" ]; then filter='*'; fi

archer=""
for cand in "$(clang-16 -print-resource-dir 2>/dev/null)/../../libarcher.so" /usr/lib/llvm-*/lib/libarcher.so; do
  if [ -f "$cand" ]; then archer=$cand; break; fi
done
if [ -n "$archer" ]; then export OMP_TOOL_LIBRARIES="$archer"; fi
# the suppressions match function names: reports must be symbolised
export TSAN_OPTIONS="external_symbolizer_path=$(command -v llvm-symbolizer-16) halt_on_error=1 ignore_noninstrumented_modules=1 second_deadlock_stack=1 suppressions=$PWD/scripts/ci/tsan.supp ${TSAN_OPTIONS:-}"
./build-tsan/tests/qrxtests --gtest_filter="$filter" --gtest_brief=1
