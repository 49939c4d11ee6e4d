#!/usr/bin/env bash
# qrxconvert end to end: the demo, conversions through raw, PPM and
# YUV4MPEG2 files, and the messages and exit codes of bad input.
set -uo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -n "${QRX_EMULATOR:-}" ]; then  # a cross-built tool
  printf '#!/bin/sh\nexec %s "%s" "$@"\n' "$QRX_EMULATOR" "$bin" >"$work/emulated" && chmod +x "$work/emulated"
  bin=$work/emulated
fi
fail=0
expect() {  # expect CODE DESCRIPTION -- command...
  local want=$1 what=$2; shift 3
  "$@" >"$work/out" 2>"$work/err"; local got=$?
  if grep -qE "Sanitizer|runtime error:" "$work/err"; then  # a report, whatever the exit code
    echo "FAIL: $what: sanitizer report"; cat "$work/err"; fail=1
  elif [ "$got" -ne "$want" ]; then
    echo "FAIL: $what: exit $got, want $want"; cat "$work/err"; fail=1
  elif [ "$want" -ne 0 ] && ! grep -q "qrxconvert" "$work/err"; then
    echo "FAIL: $what: no message on standard error"; fail=1
  fi
}
check() { "$@" || { echo "FAIL: $*"; fail=1; }; }

# demo and help
expect 0 "demo" -- "$bin" demo "$work/demo"
for f in input.ppm input.png roundtrip_i420.png hsv_h.png i420.raw report.txt; do check test -s "$work/demo/$f"; done
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
expect 0 "565 dithered" -- "$bin" convert "$in" "$work/a.rgb565" --to rgb565 --dither --quiet
check test "$(stat -c %s "$work/a.rgb565")" -eq $((640 * 480 * 2))

# YUV4MPEG2 with three frames: raw frames -> y4m -> raw frames again
cat "$work/a.i420" "$work/a.i420" "$work/a.i420" >"$work/three.i420"
expect 0 "raw frames to y4m" -- "$bin" convert "$work/three.i420" "$work/three.y4m" --from i420 --size 640x480 --to i420 --quiet
check test "$(grep -ac FRAME "$work/three.y4m")" -eq 3
expect 0 "y4m to raw 4:2:2" -- "$bin" convert "$work/three.y4m" "$work/three.yuv422p" --to yuv422p --quiet
check test "$(stat -c %s "$work/three.yuv422p")" -eq $((3 * 640 * 480 * 2))

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

# ---- formats over the library's other models -------------------------------
for f in hsv_h.pgm hsv_s.pgm hsv_v.pgm gamma_fwd_inv.ppm reduce8_fs.ppm roundtrip_hsv.ppm roundtrip_nv12.ppm; do
  check test -s "$work/demo/$f"
done
check grep -q "reduce8_ordered" "$work/demo/report.txt"
pixels() { tail -c "$2" "$1"; }  # the last N bytes: the pixels of a PNM file
npx=$((640 * 480))
for f in hsv hls lab luv xyz ycc; do
  expect 0 "ppm to $f" -- "$bin" convert "$in" "$work/a.$f" --to "$f" --quiet
  check test "$(stat -c %s "$work/a.$f")" -eq $((npx * 3))
  expect 0 "$f to ppm" -- "$bin" convert "$work/a.$f" "$work/b_$f.ppm" --from "$f" --size 640x480 --quiet
  check cmp -s "$work/b_$f.ppm" "$work/demo/roundtrip_$f.ppm"
done
expect 0 "ppm to ycocg" -- "$bin" convert "$in" "$work/a.ycocg" --to ycocg --quiet
check test "$(stat -c %s "$work/a.ycocg")" -eq $((npx * 6))
# the reversible YCoCg transform is lossless
expect 0 "ppm to ycocg-r" -- "$bin" convert "$in" "$work/a.ycocgr" --to ycocg-r --quiet
expect 0 "ycocg-r to ppm" -- "$bin" convert "$work/a.ycocgr" "$work/b_ycocgr.ppm" --from ycocg-r --size 640x480 --quiet
check cmp -s "$work/b_ycocgr.ppm" "$in"
# NV12 holds the I420 planes with Cb, Cr interleaved
expect 0 "ppm to nv12" -- "$bin" convert "$in" "$work/a.nv12" --to nv12 --quiet
check cmp -s <(head -c $npx "$work/a.nv12") <(head -c $npx "$work/a.i420")
check cmp -s <(tail -c $((npx / 2)) "$work/a.nv12" | od -An -v -tu1 -w2 | awk '{print $1}') \
             <(tail -c $((npx / 2)) "$work/a.i420" | head -c $((npx / 4)) | od -An -v -tu1 -w1 | awk '{print $1}')
expect 0 "nv12 to ppm" -- "$bin" convert "$work/a.nv12" "$work/b_nv12.ppm" --from nv12 --size 640x480 --quiet
check cmp -s "$work/b_nv12.ppm" "$work/demo/roundtrip_i420.ppm"
expect 0 "smoothing 4:2:2" -- "$bin" convert "$in" "$work/a.yuyv422s" --to yuyv422-smooth --quiet
check test "$(stat -c %s "$work/a.yuyv422s")" -eq $((npx * 2))
# slices: a slice as high as the frame is one whole-frame call; slices of 16 and 100 rows
# (top, middle ..., bottom) give the whole frame's bytes away from the slice borders
expect 0 "one slice" -- "$bin" convert "$in" "$work/s480.yuyv422s" --to yuyv422-smooth --slice 480 --quiet
check cmp -s "$work/s480.yuyv422s" "$work/a.yuyv422s"
for r in 16 100; do
  expect 0 "slices of $r rows" -- "$bin" convert "$in" "$work/s$r.yuyv422s" --to yuyv422-smooth --slice $r --quiet
  check test "$(stat -c %s "$work/s$r.yuyv422s")" -eq $((npx * 2))
  check cmp -s <(head -c $((1280 * 10)) "$work/s$r.yuyv422s") <(head -c $((1280 * 10)) "$work/a.yuyv422s")
done

# gray: PPM -> PGM, PGM -> PGM keeps the samples, PGM -> PPM repeats them
expect 0 "ppm to pgm" -- "$bin" convert "$in" "$work/g.pgm" --quiet
check test "$(head -c 2 "$work/g.pgm")" = P5
check test "$(stat -c %s "$work/g.pgm")" -eq $((npx + 15))
expect 0 "pgm to pgm" -- "$bin" convert "$work/g.pgm" "$work/g2.pgm" --to gray --quiet
check cmp -s "$work/g.pgm" "$work/g2.pgm"
expect 0 "pgm to ppm" -- "$bin" convert "$work/g.pgm" "$work/g.ppm" --quiet
check cmp -s <(pixels "$work/g.ppm" $((npx * 3)) | od -An -v -tu1 -w3 | awk '{print $1}') \
             <(pixels "$work/g.pgm" $npx | od -An -v -tu1 -w1 | awk '{print $1}')
expect 0 "gray raw" -- "$bin" convert "$in" "$work/g.raw" --to grey --quiet
check cmp -s "$work/g.raw" <(pixels "$work/g.pgm" $npx)

# channels as PGM planes (OUT may be left out)
expect 0 "hsv planes" -- "$bin" convert "$in" --to hsv --planes "$work/pl" --quiet
for c in h s v; do check cmp -s "$work/pl/hsv_$c.pgm" "$work/demo/hsv_$c.pgm"; done
expect 0 "i420 planes" -- "$bin" convert "$in" --to i420 --planes "$work/pl" --quiet
check grep -aq "^320 240$" "$work/pl/i420_cb.pgm"
for f in hls ycc ycocg yuyv422 nv12 xyz luv; do expect 0 "$f planes" -- "$bin" convert "$in" --to $f --planes "$work/pl" --quiet; done
check test -s "$work/pl/nv12_cr.pgm"
expect 0 "y4m planes" -- "$bin" convert "$work/three.y4m" --to yuv422p --planes "$work/pl"
check grep -q "first of 3 frames" "$work/err"

# bit-depth reduction
expect 0 "reduce to 2 levels" -- "$bin" convert "$in" "$work/r2.ppm" --reduce 2 --dither off --quiet
check test "$(pixels "$work/r2.ppm" $((npx * 3)) | od -An -v -tu1 -w1 | sort -u | tr -d ' ' | tr '\n' ,)" = "0,255,"
for d in off fs jjn stucki ordered; do
  expect 0 "reduce dither $d" -- "$bin" convert "$in" "$work/r_$d.ppm" --reduce 16 --dither $d --noise 5 --quiet
done
check test "$(cmp -s "$work/r_fs.ppm" "$work/r_stucki.ppm"; echo $?)" -eq 1
expect 0 "reduce gray" -- "$bin" convert "$in" "$work/r.pgm" --reduce 4 --dither jjn --quiet
check test "$(pixels "$work/r.pgm" $npx | od -An -v -tu1 -w1 | sort -un | tr -d ' ' | tr '\n' ,)" = "0,85,170,255,"
# 16-bit input: --reduce works from the full 16-bit samples, not their high bytes
printf 'P6\n64 32\n65535\n' >"$work/deep.ppm"; head -c $((64 * 32 * 6)) /dev/urandom >>"$work/deep.ppm"
expect 0 "16-bit plain" -- "$bin" convert "$work/deep.ppm" "$work/deep8.ppm" --quiet
expect 0 "16-bit reduce 256" -- "$bin" convert "$work/deep.ppm" "$work/deep256.ppm" --reduce 256 --dither off --quiet
check test "$(cmp -s "$work/deep8.ppm" "$work/deep256.ppm"; echo $?)" -eq 1
printf 'P6\n1 1\n65535\n\377\000\000\377\377\377' >"$work/one16.ppm"
expect 0 "16-bit reduce 2" -- "$bin" convert "$work/one16.ppm" "$work/one.ppm" --reduce 2 --dither off --quiet
check test "$(pixels "$work/one.ppm" 3 | od -An -v -tu1 | tr -s ' ')" = " 255 0 255"
# thread count does not change results
expect 0 "threads 1" -- "$bin" convert "$in" "$work/t1.hls" --to hls --threads 1 --quiet
expect 0 "threads 3" -- "$bin" convert "$in" "$work/t3.hls" --to hls --threads 3 --quiet
check cmp -s "$work/t1.hls" "$work/t3.hls"

# gamma and colour twist
expect 0 "gamma forward" -- "$bin" convert "$in" "$work/gf.ppm" --gamma forward --quiet
expect 0 "gamma inverse" -- "$bin" convert "$work/gf.ppm" "$work/gfi.ppm" --gamma inverse --quiet
check test "$(cmp -s "$work/gf.ppm" "$in"; echo $?)" -eq 1
printf '1 0 0 0\n0 1 0 0\n0 0 1 0\n' >"$work/identity.twist"
expect 0 "identity twist" -- "$bin" convert "$in" "$work/tw.ppm" --twist "$work/identity.twist" --quiet
check cmp -s "$work/tw.ppm" "$in"
printf '0, 0, 1, 0,\n0, 1, 0, 0,\n1, 0, 0, 0\n' >"$work/swap.twist"
expect 0 "swapping twist" -- "$bin" convert "$in" "$work/sw.ppm" --twist "$work/swap.twist" --quiet
expect 0 "bgr24 raw" -- "$bin" convert "$in" "$work/a.bgr" --to bgr24 --quiet
check cmp -s <(pixels "$work/sw.ppm" $((npx * 3))) "$work/a.bgr"

# bad options of the new features
printf '1 0 0 0\n0 1 0 0\n0 0 1\n' >"$work/short.twist"
printf '1 0 0 0\n0 1 0 0\n0 0 1 zero\n' >"$work/word.twist"
expect 1 "twist with 11 numbers" -- "$bin" convert "$in" "$work/x.ppm" --twist "$work/short.twist"
check grep -q "12 numbers" "$work/err"
expect 1 "twist with a word" -- "$bin" convert "$in" "$work/x.ppm" --twist "$work/word.twist"
expect 2 "twist without file" -- "$bin" convert "$in" "$work/x.ppm" --twist
expect 2 "reduce 1 level" -- "$bin" convert "$in" "$work/x.ppm" --reduce 1
expect 2 "reduce not a number" -- "$bin" convert "$in" "$work/x.ppm" --reduce 8x
expect 2 "noise 101" -- "$bin" convert "$in" "$work/x.ppm" --reduce 8 --noise 101
expect 2 "unknown gamma" -- "$bin" convert "$in" "$work/x.ppm" --gamma sideways
expect 2 "slice not a number" -- "$bin" convert "$in" "$work/x.raw" --to yuyv422-smooth --slice top
expect 2 "odd slice" -- "$bin" convert "$in" "$work/x.raw" --to yuyv422-smooth --slice 15
expect 2 "slice without smoothing" -- "$bin" convert "$in" "$work/x.raw" --to i420 --slice 16
expect 2 "threads 0" -- "$bin" convert "$in" "$work/x.ppm" --threads 0
expect 2 "planes of 565" -- "$bin" convert "$in" --to rgb565 --planes "$work/x"
expect 2 "pgm holds gray only" -- "$bin" convert "$in" "$work/x.pgm" --to hsv
expect 2 "gray into ppm" -- "$bin" convert "$in" "$work/x.ppm" --to gray
expect 1 "unwritable planes folder" -- "$bin" convert "$in" --to hsv --planes /proc/qrx-no-such-dir
printf 'P5\n4 4\n255\nab' >"$work/short.pgm"
expect 1 "truncated pgm" -- "$bin" convert "$work/short.pgm" "$work/x.pgm"
expect 2 "nv12 size misaligned" -- "$bin" convert "$work/a.nv12" "$work/x.ppm" --from nv12 --size 639x480
check test ! -e "$work/x"
check test ! -e "$work/x.pgm"
check test ! -e "$work/x.ppm"
check test ! -e "$work/x.raw"

# containers by extension: PNG and JPEG, refusal of what cannot be written or read
expect 0 "png out" -- "$bin" convert "$in" "$work/p.png" --quiet
expect 0 "png in" -- "$bin" convert "$work/p.png" "$work/p.ppm" --quiet
check cmp -s "$work/p.ppm" "$in"
expect 0 "jpeg round trip" -- "$bin" convert "$in" "$work/p.jpg" --quality 80 --quiet
expect 0 "jpeg in" -- "$bin" convert "$work/p.jpg" "$work/pj.ppm" --quiet
check test "$(head -c 2 "$work/p.jpg" | od -An -tx1 | tr -d ' ')" = ffd8
expect 0 "raw format from the extension" -- "$bin" convert "$in" "$work/b.i420" --quiet
check cmp -s "$work/b.i420" "$work/a.i420"
expect 0 "container override" -- "$bin" convert "$in" "$work/y.gif" --container raw --to i420 --quiet
check cmp -s "$work/y.gif" "$work/a.i420"
for x in x.gif x.tiff x.bmp; do expect 2 "cannot write $x" -- "$bin" convert "$in" "$work/$x"; done
expect 2 "cannot read a raw file without --from" -- "$bin" convert "$work/y.gif" "$work/x.png"
expect 2 "png holds rgb or gray" -- "$bin" convert "$in" "$work/x.png" --to i420
expect 2 "quality out of range" -- "$bin" convert "$in" "$work/x.jpg" --quality 0
expect 2 "unknown container" -- "$bin" convert "$in" "$work/x.png" --container gif
printf '\x89PNG\r\n\x1a\nbroken' >"$work/broken.png"
expect 1 "broken png" -- "$bin" convert "$work/broken.png" "$work/x.png"
for x in x.gif x.tiff x.bmp x.png x.jpg; do check test ! -e "$work/$x"; done

# batches: every file to DIR/NAME.png by default; a bad file is reported, the others convert
expect 1 "batch with a bad file" -- "$bin" convert "$in" "$work/y.gif" "$work/g.pgm" "$work/p.jpg" -o "$work/batch" --jobs 2
check grep -q "y.gif" "$work/err"
check grep -q "3 of 4 files converted" "$work/err"
check grep -q "Mpix/s" "$work/err"
check cmp -s "$work/batch/input.png" "$work/p.png"
check test "$(ls "$work/batch" | tr '\n' ' ')" = "g.png input.png p.png "
check test -z "$(tr -cd '\r' <"$work/err")"  # no progress bar off a terminal
expect 0 "batch to y4m" -- "$bin" convert "$in" "$work/p.png" -o "$work/b2" --container y4m --quiet
check cmp -s "$work/b2/p.y4m" "$work/b2/input.y4m"
expect 2 "batch name clash" -- "$bin" convert "$in" "$work/demo/input.png" -o "$work/b3"
check test ! -e "$work/b3"

[ $fail -eq 0 ] && echo "qrxconvert: all cases passed"
exit $fail
