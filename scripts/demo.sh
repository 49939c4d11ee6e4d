#!/usr/bin/env bash
# Builds qrxcc and runs the qrxconvert demo on its embedded test image.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target qrxconvert
./build/tools/qrxconvert/qrxconvert demo "${1:-qrx-demo}"
