#!/usr/bin/env bash
# qrxconvert end to end: the demo, a round trip of a written file, and the
# messages and exit codes of bad input.
set -uo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
expect() {  # expect CODE DESCRIPTION -- command...
  local want=$1 what=$2; shift 3
  "$@" >"$work/out" 2>"$work/err"; local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL: $what: exit $got, want $want"; cat "$work/err"; fail=1
  elif [ "$want" -ne 0 ] && ! grep -q "qrxconvert" "$work/err" && ! grep -q usage "$work/err"; then
    echo "FAIL: $what: no message on standard error"; fail=1
  fi
}
expect 0 "demo" -- "$bin" demo "$work/demo"
for f in input.ppm roundtrip_444.ppm ycbcr444_y.pgm report.txt; do
  [ -s "$work/demo/$f" ] || { echo "FAIL: demo did not write $f"; fail=1; }
done
grep -q "PSNR" "$work/demo/report.txt" || { echo "FAIL: report has no PSNR"; fail=1; }
expect 0 "round trip of the demo's output" -- "$bin" roundtrip "$work/demo/input.ppm" "$work/rt"
cmp -s "$work/demo/roundtrip_444.ppm" "$work/rt/roundtrip_444.ppm" || { echo "FAIL: round trip differs from demo"; fail=1; }
expect 0 "help" -- "$bin" --help
expect 2 "unknown command" -- "$bin" frobnicate
expect 1 "missing file" -- "$bin" roundtrip "$work/nope.ppm" "$work/x"
printf 'P3\n2 2\n255\n' >"$work/ascii.ppm"
expect 1 "wrong magic" -- "$bin" roundtrip "$work/ascii.ppm" "$work/x"
printf 'P6\n4 4\n255\nabc' >"$work/short.ppm"
expect 1 "truncated data" -- "$bin" roundtrip "$work/short.ppm" "$work/x"
printf 'P6\n99999999999 4\n255\n' >"$work/huge.ppm"
expect 1 "absurd size" -- "$bin" roundtrip "$work/huge.ppm" "$work/x"
printf 'P6\n2 2\n65535\n' >"$work/deep.ppm"
expect 1 "16-bit maxval" -- "$bin" roundtrip "$work/deep.ppm" "$work/x"
expect 1 "unwritable folder" -- "$bin" demo /proc/qrx-no-such-dir
[ $fail -eq 0 ] && echo "qrxconvert: all cases passed"
exit $fail
