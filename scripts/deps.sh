#!/usr/bin/env bash
# Installs what building and testing qrxcc needs on Debian (as root, or via sudo).
# Packages already present are left alone, so a second run costs nothing.
set -euo pipefail
need=(cmake make g++ clang-16 libclang-rt-16-dev llvm-16 pkg-config libgtest-dev libbenchmark-dev libomp-16-dev libpng-dev libjpeg-dev
      python3-dev pybind11-dev python3-numpy python3-pytest python3-dask python3-distributed)
# Test-only: the interoperability checks of qrxconvert's files.
need+=(ffmpeg)
# Peers and plots for the benchmarks (optional at configure time).
want=(libyuv-dev libopencv-dev gnuplot-nox)
missing=()
for p in "${need[@]}" "${want[@]}"; do
  # p:ARCH where another architecture's instance is installed too (the aarch64 stage's arm64 libraries)
  dpkg -s "$p" >/dev/null 2>&1 || dpkg -s "$p:$(dpkg --print-architecture)" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
