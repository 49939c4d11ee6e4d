#!/usr/bin/env bash
# Packages qrxcc and proves the .deb works: builds the .deb and .tar.gz with
# cpack, installs the .deb with dpkg, builds the C consumer against the
# installed package with pkg-config, runs it, and removes the package again.
# Needs root (dpkg).  Usage: scripts/ci/package.sh [BUILD_DIR]
#   BUILD_DIR  a configured plain (not sanitized) build tree; default: build.
#              It is configured and the packaged targets are built if needed.
set -euo pipefail
cd "$(dirname "$0")/../.."
src=$PWD
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQRX_BUILD_BENCH=OFF -DQRX_BUILD_TESTS=OFF >/dev/null
fi
if grep -Eq '^QRX_SANITIZE:[A-Z]+=.+' "$build/CMakeCache.txt"; then
  echo "package.sh: $build is a sanitizer build; give a plain build folder" >&2
  exit 2
fi
cmake --build "$build" -j"$(nproc)" --target qrxcc qrxcore $(grep -q '^QRX_BUILD_TOOLS:BOOL=ON' "$build/CMakeCache.txt" && echo qrxconvert) \
  $(grep -q '^pybind11_DIR:PATH=/' "$build/CMakeCache.txt" && echo qrxcc_python)

out=$(mktemp -d)
installed=0
cleanup() {
  if [ $installed -eq 1 ]; then
    dpkg --purge python3-qrxcc >/dev/null 2>&1 || true
    dpkg -r qrxcc >/dev/null && dpkg --purge qrxcc >/dev/null || echo "package.sh: removing qrxcc failed" >&2
  fi
  rm -rf "$out"
}
trap cleanup EXIT

(cd "$build" && cpack -G "DEB;TGZ" -B "$out" >/dev/null)
deb=$(ls "$out"/qrxcc_*.deb)
tgz=$(ls "$out"/qrxcc-*.tar.gz)
pydeb=$(ls "$out"/python3-qrxcc_*.deb 2>/dev/null || true)
echo "package.sh: built $(basename "$deb") and $(basename "$tgz")"
dpkg-deb -c "$deb" | awk '{print "  " $6}'
mkdir -p "$build/packages"
cp "$deb" "$tgz" $pydeb "$build/packages/"

if [ "$(dpkg-query -W -f='${Status}' qrxcc 2>/dev/null)" = "install ok installed" ]; then
  echo "package.sh: a qrxcc package is installed already; remove it first (dpkg -r qrxcc)" >&2
  exit 1
fi
dpkg -i "$deb" >/dev/null
installed=1

# The installed library carries the SONAME of the version record.
major=$(sed -n 's/^set(QRXCC_SOVERSION \([0-9]*\))/\1/p' CMakeLists.txt)
lib=$(pkg-config --variable=libdir qrxcc)/libqrxcc.so
objdump -p "$(readlink -f "$lib")" | grep -q "SONAME *libqrxcc.so.$major\$" || {
  echo "package.sh: $lib does not have the SONAME libqrxcc.so.$major" >&2
  exit 1
}
echo "package.sh: pkg-config qrxcc $(pkg-config --modversion qrxcc), SONAME libqrxcc.so.$major"

# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Werror -pedantic tests/consumer/main.c -o "$out/consumer" $(pkg-config --cflags --libs qrxcc)
"$out/consumer"
if command -v qrxconvert >/dev/null; then
  qrxconvert list >/dev/null
fi
# The Python package installs beside the library and converts from outside the source tree.
if [ -n "$pydeb" ]; then
  echo "package.sh: built $(basename "$pydeb")"
  dpkg -i "$pydeb" >/dev/null
  (cd / && /usr/bin/python3 -c 'import numpy, qrxcc; y, u, v = qrxcc.convert(numpy.zeros((4, 4, 3), numpy.uint8), "rgb24", "i420"); assert y.shape == (4, 4) and qrxcc.lib.qrxccGetLibVersion()["major"] == 5')
  dpkg --purge python3-qrxcc >/dev/null
  echo "package.sh: python3-qrxcc installs, imports and converts"
fi

dpkg -r qrxcc >/dev/null
installed=0
# dpkg -r keeps the record (and the maintainer scripts) until a purge; then nothing is left.
[ "$(dpkg-query -W -f='${Status}' qrxcc 2>/dev/null)" != "install ok installed" ] &&
  [ ! -e "$lib" ] || { echo "package.sh: qrxcc still installed" >&2; exit 1; }
dpkg --purge qrxcc >/dev/null
echo "package.sh: the .deb installs, builds the consumer, runs, and removes cleanly (packages in $build/packages)"
