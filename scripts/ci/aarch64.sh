#!/usr/bin/env bash
# Cross-builds the scalar library, qrxconvert and the whole suite for 64-bit
# ARM with Debian's aarch64 toolchain and runs every test under qemu-aarch64
# (through ctest), in build-aarch64.  GoogleTest is built from Debian's
# source package with the cross compiler; qrxconvert's libpng and libjpeg are
# Debian's arm64 packages, installed beside the host's (multiarch).  Fails on
# any failing test.
set -euo pipefail
cd "$(dirname "$0")/../.."
jobs=${QRX_BUILD_JOBS:-$(nproc)}
dir=build-aarch64
sysroot=/usr/aarch64-linux-gnu

# qrxconvert's PNG and JPEG libraries come as Debian's arm64 packages (multiarch)
need=(g++-aarch64-linux-gnu qemu-user googletest cmake libpng-dev:arm64 libjpeg62-turbo-dev:arm64)
missing=()
for p in "${need[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || dpkg -s "$p:$(dpkg --print-architecture)" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx arm64 || "${sudo_cmd[@]}" dpkg --add-architecture arm64
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# the cross settings shared by GoogleTest and the project
cross=(-DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR=aarch64
  -DCMAKE_C_COMPILER=aarch64-linux-gnu-gcc -DCMAKE_CXX_COMPILER=aarch64-linux-gnu-g++
  "-DCMAKE_FIND_ROOT_PATH=$sysroot;/" -DCMAKE_LIBRARY_ARCHITECTURE=aarch64-linux-gnu
  -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER
  -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY
  "-DCMAKE_CROSSCOMPILING_EMULATOR=qemu-aarch64;-L;$sysroot;-E;LD_LIBRARY_PATH=/lib" -DCMAKE_BUILD_TYPE=Release)
# LD_LIBRARY_PATH=/lib (the toolchain's $sysroot/lib under -L): the C library, libstdc++ and
# libgomp all come from the cross toolchain, whose loader runs them; the arm64 C library that
# multiarch brings with libpng would otherwise be mixed in (threads then hang at start-up)
if command -v ccache >/dev/null; then
  cross+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

gtest=$PWD/$dir/gtest
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$dir/gtest-build" "${cross[@]}" -DCMAKE_INSTALL_PREFIX="$gtest" \
    -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON >/dev/null
  cmake --build "$dir/gtest-build" -j"$jobs" >/dev/null
  cmake --install "$dir/gtest-build" >/dev/null
fi

cmake -S . -B "$dir" "${cross[@]}" -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=BOTH \
  "-DGTest_DIR=$gtest/lib/cmake/GTest" -DQRX_SIMD=OFF -DQRX_BUILD_BENCH=OFF -DQRX_BUILD_PYTHON=OFF >/dev/null
cmake --build "$dir" -j"$jobs"
readelf -h "$dir/tests/qrxtests" | grep -q AArch64 || { echo "qrxtests is not an aarch64 binary" >&2; exit 1; }
cd "$dir"
export QEMU_LD_PREFIX=$sysroot QEMU_SET_ENV=LD_LIBRARY_PATH=/lib
# OpenMP threads sleep instead of spinning at barriers: emulated spinning
# threads outnumbering the cores can take minutes to meet
export OMP_WAIT_POLICY=passive
ctest --output-on-failure -j"$jobs"
