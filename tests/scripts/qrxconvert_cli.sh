#!/usr/bin/env bash
# qrxconvert end to end: the demo, conversions through raw, PPM and
# YUV4MPEG2 files, and the messages and exit codes of bad input.
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
  elif [ "$want" -ne 0 ] && ! grep -q "qrxconvert" "$work/err"; then
    echo "FAIL: $what: no message on standard error"; fail=1
  fi
}
check() { "$@" || { echo "FAIL: $*"; fail=1; }; }

# demo and help
expect 0 "demo" -- "$bin" demo "$work/demo"
for f in input.ppm roundtrip_i420.ppm i420.raw report.txt; do check test -s "$work/demo/$f"; done
check grep -q "i420" "$work/demo/report.txt"
for c in "" list convert demo; do expect 0 "help $c" -- "$bin" $c --help; done
expect 0 "list" -- "$bin" list
check grep -q yuyv422 "$work/out"

# PPM -> i420 raw -> PPM equals the demo's round trip; rgb24 raw is the PPM's pixels
in=$work/demo/input.ppm
expect 0 "ppm to i420" -- "$bin" convert "$in" "$work/a.i420" --to i420 --quiet
check cmp -s "$work/a.i420" "$work/demo/i420.raw"
expect 0 "i420 to ppm" -- "$bin" convert "$work/a.i420" "$work/a.ppm" --from i420 --size 640x480 --quiet
check cmp -s "$work/a.ppm" "$work/demo/roundtrip_i420.ppm"
expect 0 "yuyv alias" -- "$bin" convert "$in" "$work/a.yuy2" --to YCbCr422 --quiet
check test "$(stat -c %s "$work/a.yuy2")" -eq $((640 * 480 * 2))
expect 0 "565 dithered" -- "$bin" convert "$in" "$work/a.565" --to rgb565 --dither --quiet
check test "$(stat -c %s "$work/a.565")" -eq $((640 * 480 * 2))

# YUV4MPEG2 with three frames: raw frames -> y4m -> raw frames again
cat "$work/a.i420" "$work/a.i420" "$work/a.i420" >"$work/three.i420"
expect 0 "raw frames to y4m" -- "$bin" convert "$work/three.i420" "$work/three.y4m" --from i420 --size 640x480 --to i420 --quiet
check test "$(grep -ac FRAME "$work/three.y4m")" -eq 3
expect 0 "y4m to raw 4:2:2" -- "$bin" convert "$work/three.y4m" "$work/three.422" --to yuv422p --quiet
check test "$(stat -c %s "$work/three.422")" -eq $((3 * 640 * 480 * 2))
expect 0 "y4m 4:4:4 out" -- "$bin" convert "$work/three.y4m" "$work/three444.y4m" --to yuv444p --quiet
check grep -aq "C444" "$work/three444.y4m"

# analog YUV 4:2:0 through YUV4MPEG2 and back
expect 0 "rgb to analog yuv420 y4m" -- "$bin" convert "$in" "$work/a.y4m" --to yuv420a --quiet
expect 0 "analog y4m back to rgb" -- "$bin" convert "$work/a.y4m" "$work/b.ppm" --from yuv420a --quiet
expect 0 "same via raw" -- "$bin" convert "$in" "$work/a.yuv420a" --to yuv420a --quiet
expect 0 "raw analog back" -- "$bin" convert "$work/a.yuv420a" "$work/c.ppm" --from yuv420a --size 640x480 --quiet
check cmp -s "$work/b.ppm" "$work/c.ppm"
expect 2 "y4m read as the wrong sampling" -- "$bin" convert "$work/a.y4m" "$work/x.ppm" --from yuv422a

# odd sizes are cut down, with a note
printf 'P6\n5 3\n255\n' >"$work/odd.ppm"; head -c 45 /dev/urandom >>"$work/odd.ppm"
expect 0 "odd width to 4:2:2" -- "$bin" convert "$work/odd.ppm" "$work/odd.yuy2" --to yuyv422
check grep -q "4x3" "$work/err"
check test "$(stat -c %s "$work/odd.yuy2")" -eq $((4 * 3 * 2))

# bad input: message and exit code, and no output file left behind
expect 2 "unknown command" -- "$bin" frobnicate
expect 2 "unknown format" -- "$bin" convert "$in" "$work/x.raw" --to nosuch
expect 2 "raw without size" -- "$bin" convert "$work/a.i420" "$work/x.ppm" --from i420
expect 2 "raw size misaligned" -- "$bin" convert "$work/a.i420" "$work/x.ppm" --from i420 --size 641x480
expect 1 "raw size mismatch" -- "$bin" convert "$work/a.i420" "$work/x.ppm" --from i420 --size 640x400
expect 2 "overflowing size" -- "$bin" convert "$work/a.i420" "$work/x.ppm" --from i420 --size 99999x99999
expect 1 "missing file" -- "$bin" convert "$work/nope.ppm" "$work/x.ppm"
printf 'P3\n2 2\n255\n' >"$work/ascii.ppm"
expect 2 "wrong magic" -- "$bin" convert "$work/ascii.ppm" "$work/x.ppm"
printf 'P6\n4 4\n255\nabc' >"$work/short.ppm"
expect 1 "truncated data" -- "$bin" convert "$work/short.ppm" "$work/x.ppm"
printf 'P6\n99999999 4\n255\n' >"$work/huge.ppm"
expect 1 "absurd size" -- "$bin" convert "$work/huge.ppm" "$work/x.ppm"
printf 'YUV4MPEG2 W64 H64 C420jpeg\nFRAME\nabc' >"$work/short.y4m"
expect 1 "truncated y4m frame" -- "$bin" convert "$work/short.y4m" "$work/x.raw" --quiet
expect 2 "ppm holds rgb only" -- "$bin" convert "$in" "$work/x.ppm" --to i420
expect 1 "unwritable output" -- "$bin" convert "$in" /proc/qrx-no-such-dir/x.raw --to i420
expect 1 "unwritable demo folder" -- "$bin" demo /proc/qrx-no-such-dir
check test ! -e "$work/x.ppm"
check test ! -e "$work/x.raw"

[ $fail -eq 0 ] && echo "qrxconvert: all cases passed"
exit $fail
