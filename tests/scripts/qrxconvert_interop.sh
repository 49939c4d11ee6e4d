#!/usr/bin/env bash
# qrxconvert beside ffmpeg: PNG, JPEG and YUV4MPEG2 files of either tool are read by
# the other, and 4:2:0 <-> RGB agrees with ffmpeg's own conversion (nearest-neighbour
# chroma, accurate rounding).  Skipped (77) without ffmpeg.
set -uo pipefail
bin=$(realpath "$1")
command -v ffmpeg >/dev/null || { echo "ffmpeg not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail=0
ff() { ffmpeg -nostdin -v error -y "$@"; }
q() { "$bin" "$@" --quiet || { echo "FAIL: qrxconvert $*"; fail=1; }; }
same() { cmp -s "$1" "$2" || { echo "FAIL: $3: bytes differ"; fail=1; }; }
at_least() {  # at_least DB A B WHAT: PSNR of A against B
  local db
  db=$(ffmpeg -nostdin -i "$2" -i "$3" -lavfi psnr -f null - 2>&1 | grep -o 'average:[0-9.a-z]*' | cut -d: -f2)
  awk -v d="$db" -v m="$1" 'BEGIN { exit !(d == "inf" || d + 0 >= m) }' || { echo "FAIL: $4: $db dB < $1"; fail=1; }
}
raw() { ff -i "$1" -f rawvideo -pix_fmt "$2" -; }  # ffmpeg's decoding as raw samples

ff -f lavfi -i testsrc2=size=320x240 -frames 3 src.y4m
ff -i src.y4m -frames 1 src.ppm

# PNGs made by ffmpeg read as ffmpeg reads them, kinds and depths kept (PAM out);
# palette and 1-bit images come out as RGB and 8-bit gray
for k in rgb24 rgba gray ya8 gray16be rgb48be rgba64be pal8:rgb24 monob:gray; do
  made=${k%%:*} seen=${k##*:}
  ff -i src.ppm -pix_fmt "$made" "f_$made.png"
  q convert "f_$made.png" "q_$made.pam"
  raw "f_$made.png" "$seen" >want
  same <(tail -c "$(stat -c %s want)" "q_$made.pam") want "ffmpeg's $made PNG"
  # and written back as PNG, ffmpeg reads the same samples
  [ "$made" = "$seen" ] && { q convert "q_$made.pam" "w_$made.png"; raw "w_$made.png" "$seen" | same - want "our $made PNG"; }
done

# JPEG: ffmpeg's file read as ffmpeg decodes it; ours read by ffmpeg, quality honoured
ff -i src.ppm -q:v 2 f.jpg
q convert f.jpg q.ppm
ff -i f.jpg -pix_fmt rgb24 fj.ppm
at_least 50 q.ppm fj.ppm "ffmpeg's JPEG"
for qu in 50 95; do q convert src.ppm "o$qu.jpg" --quality $qu; ff -i "o$qu.jpg" -pix_fmt rgb24 "o$qu.ppm"; done
at_least 30 o95.ppm src.ppm "our JPEG at quality 95"
[ "$(stat -c %s o95.jpg)" -gt "$(stat -c %s o50.jpg)" ] || { echo "FAIL: quality 95 not larger than 50"; fail=1; }

# YUV4MPEG2: ffmpeg's three frames all read; ours read by ffmpeg as the same planes
q convert src.y4m frames.i420
[ "$(stat -c %s frames.i420)" -eq $((3 * 320 * 240 * 3 / 2)) ] || { echo "FAIL: frames of ffmpeg's Y4M"; fail=1; }
q convert src.ppm q.y4m
q convert src.ppm q.i420
raw q.y4m yuv420p | same - q.i420 "our Y4M read by ffmpeg"
ff -i q.y4m -f null - 2>/dev/null || fail=1

# 4:2:0 <-> RGB against ffmpeg's conversion
sws=(-sws_flags neighbor+accurate_rnd)
ff -i src.ppm -pix_fmt yuv420p "${sws[@]}" f.y4m
at_least 45 q.y4m f.y4m "RGB -> 4:2:0"
q convert f.y4m back.ppm
ff -i f.y4m -pix_fmt rgb24 "${sws[@]}" fback.ppm
at_least 45 back.ppm fback.ppm "4:2:0 -> RGB"

[ $fail -eq 0 ] && echo "qrxconvert interop: all cases passed"
exit $fail
