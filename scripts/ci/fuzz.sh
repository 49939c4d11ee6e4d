#!/usr/bin/env bash
# Builds the libFuzzer harness (clang, libFuzzer + ASan + UBSan) in build-fuzz
# and runs it for a bounded time over the committed seed corpus.
#   scripts/ci/fuzz.sh                 # about 150 s of fuzzing
#   QRX_FUZZ_SECONDS=3600 scripts/ci/fuzz.sh   # a longer run (see docs/reliability.md)
#   scripts/ci/fuzz.sh --tests         # first every test (and qrxconvert) in the same build (CI)
# Extra arguments go to the fuzzer (e.g. -jobs=4 -workers=4).
# --tests is the CI's sanitizer run: one instrumented build of the library
# serves the suite and the fuzzer (a separate gcc build of the suite under the
# sanitizers made CI about 4.5 minutes longer on 2 cores).
set -euo pipefail
cd "$(dirname "$0")/../.."

tests=OFF
if [ "${1:-}" = "--tests" ]; then tests=ON; shift; fi

seconds=${QRX_FUZZ_SECONDS:-150}
jobs=${QRX_BUILD_JOBS:-2}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

CC=clang-16 CXX=clang++-16 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1" "-DCMAKE_C_FLAGS_RELEASE=-O1" \
  -DQRX_FUZZ=ON -DQRX_SANITIZE=address,undefined "-DCMAKE_CXX_FLAGS=-O1 -fsanitize=fuzzer-no-link" \
  -DQRX_BUILD_TESTS=$tests -DQRX_BUILD_BENCH=OFF -DQRX_BUILD_TOOLS=$tests >/dev/null
if [ "$tests" = ON ]; then
  cmake --build build-fuzz -j"$jobs"
  supp=$PWD/scripts/ci/lsan.supp
  (cd build-fuzz && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS="suppressions=$supp" ctest --output-on-failure -j"$jobs")
else
  cmake --build build-fuzz -j"$jobs" --target qrxfuzz
fi

# new inputs go to a scratch directory; the committed corpus is only read
mkdir -p "$tmp/corpus" "$tmp/artifacts"
# byte steps that are not whole samples too (QRXFUZZ_ODD_STEPS=0 turns them off)
export QRXFUZZ_ODD_STEPS=${QRXFUZZ_ODD_STEPS:-1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
./build-fuzz/tests/fuzz/qrxfuzz -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -max_len=512 \
  -print_final_stats=1 -artifact_prefix="$tmp/artifacts/" "$@" "$tmp/corpus" tests/fuzz/corpus || status=$?
if [ "$status" -ne 0 ]; then
  mkdir -p build-fuzz/artifacts && cp -r "$tmp/artifacts/." build-fuzz/artifacts/ || true
  echo "qrxfuzz failed; reproducer(s) in build-fuzz/artifacts/" >&2
fi
exit "$status"
