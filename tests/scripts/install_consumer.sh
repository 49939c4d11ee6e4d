#!/usr/bin/env bash
# Installs the build tree into a scratch prefix and builds a C consumer
# against it twice: with find_package(qrxcc) and with pkg-config.
set -euo pipefail
build=$1 src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
libdir=$(find "$work/prefix" -name 'libqrxcc.so' -printf '%h\n' | head -1)
cmake -S "$src/tests/consumer" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
LD_LIBRARY_PATH="$libdir" "$work/cmake/consumer"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Werror -pedantic "$src/tests/consumer/main.c" -o "$work/pc_consumer" $(pkg-config --cflags --libs qrxcc)
LD_LIBRARY_PATH="$libdir" "$work/pc_consumer"
# the Python package, when built, imports from the installed tree
pydir=$(find "$work/prefix" -type d -name qrxcc -path '*-packages/*' | head -1)
if [ -n "$pydir" ]; then
  (cd "$work" && PYTHONPATH="$(dirname "$pydir")" LD_LIBRARY_PATH="$libdir" python3 -c 'import qrxcc; assert "i420" in qrxcc.formats()')
fi
