#!/usr/bin/env bash
# Compiles every example of docs/guide.md against the built library and runs it.
# Usage: run_examples.sh CC INCLUDE_DIR LIB_DIR [EXTRA_FLAGS]
set -uo pipefail
cc=$1 inc=$2 lib=$3 extra=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
for src in "$here"/*.c; do
  name=$(basename "$src" .c)
  # shellcheck disable=SC2086
  if ! "$cc" -std=c99 -Wall -Wextra -Werror -pedantic $extra -I"$inc" "$src" -o "$work/$name" \
       -L"$lib" -Wl,-rpath,"$lib" -lqrxcc -lqrxcore; then
    echo "FAIL: $name does not compile"; fail=1; continue
  fi
  # shellcheck disable=SC2086  # QRX_EMULATOR: the emulator command of a cross build
  if ! ${QRX_EMULATOR:-} "$work/$name"; then echo "FAIL: $name"; fail=1; fi
done
[ $fail -eq 0 ] && echo "docs examples: all passed"
exit $fail
