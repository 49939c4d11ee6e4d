#!/usr/bin/env bash
# Mutation check of the test suite: applies a fixed list of small faults to the
# library, one at a time, rebuilds only the test binary and reports whether the
# fast tests notice.  Not part of CI (about an hour on a shared 2-core machine).
#
#   scripts/mutate.sh [--list] [--only N[,N...]] [--build DIR]
#
# Each fault is "file<TAB>exact text<TAB>replacement" ("\n" for a line break);
# the text must occur exactly once in the file, else the fault is reported as
# "stale" and skipped.  The file is restored after every fault (and on exit).
# Prints one line per fault (caught / MISSED / build-error / stale) and a total.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD build=build-mutate only="" list_only=0
while [ $# -gt 0 ]; do
  case "$1" in
    --list) list_only=1; shift ;;
    --only) only=",$2,"; shift 2 ;;
    --build) build=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done

faults() {
  cat <<'EOF'
src/ycbcr/recipes.h	+ 6423 * b + 1081344) >> 16; }	+ 6423 * b + 1081345) >> 16; }
src/ycbcr/recipes.h	((-9699 * r) >> 9)	((-9698 * r) >> 9)
src/ycbcr/recipes.h	clamp255((76284 * yp + 132186 * cbp) >> 16)	clamp255((76284 * yp + 132186 * cbp) >> 15)
src/ycbcr/recipes.h	const int ty = term(yp, 9536);	const int ty = term(yp, 9535);
src/ycbcr/chroma_recipes.h	+ 3212 * b + 540672) >> 15; }	+ 3212 * b + 540671) >> 15; }
src/ycbcr/ycbcr444_simd.inl	ga2, V::pair16(16515, 1056));	ga2, V::pair16(16515, 1024));
src/ycbcr/rgb16_recipes.h	clamp255((ty + term(cbp, 16523)) >> 4)};	clamp255((ty + term(cbp, 16524)) >> 4)};
src/ycbcr/bgr16_unpack.h	(((w >> 5) & 0x3F) << 2)	(((w >> 5) & 0x3F) << 3)
src/core/sample_words_x86.h	const typename V::T c = V::srli16(v, 8);  // C0 C1 C0 C1 ...	const typename V::T c = V::srli16(v, 7);  // C0 C1 C0 C1 ...
src/yuv/yuv_recipes.h	return (((19595 * r) >> 8) + ((38469 * g) >> 8)	return (((19595 * r) >> 8) + ((38470 * g) >> 8)
src/yuv/yuv_recipes.h	clamp255(y + ((8 * u * 16646) >> 16))};	clamp255(y + ((8 * u * 16646) >> 15))};
src/yuv/yuv_recipes.h	return clamp255(((((32768 * r - s + 32767) >> 15)	return clamp255(((((32768 * r - s + 16383) >> 15)
src/yuv/yuv_recipes.h	QRX_INLINE Rgb y16r(int y, int u, int v) { return y16<8>(y, u, v); }	QRX_INLINE Rgb y16r(int y, int u, int v) { return y16<7>(y, u, v); }
src/yuv/yuv_recipes.h	return static_cast<std::uint8_t>((f + 32768) >> 16); }	return static_cast<std::uint8_t>((f + 32767) >> 16); }
src/yuv/yuv_simd.inl	o[0][h] = V::srai16(V::add16(y2, V::mulhi16(v4, V::set16(9338))), 1);	o[0][h] = V::srai16(V::add16(y2, V::mulhi16(v4, V::set16(9338))), 2);
src/yuv/yuv_simd.inl	return V::add16(V::srli16(V::add16(a, V::srli16(c, 8)), 6), V::mulhi16(b, kb));	return V::add16(V::srli16(V::add16(a, V::srli16(c, 7)), 6), V::mulhi16(b, kb));
src/yuv/yuv_rows.inl	if constexpr (DC == 4) d[DC * i + 3] = 0;	if constexpr (DC == 4) d[DC * i + 3] = 1;
src/gray_twist_gamma/recipes.h	constexpr Weights8 kGrayWeights8 = {1225, 2404, 467};	constexpr Weights8 kGrayWeights8 = {1225, 2405, 467};
src/gray_twist_gamma/recipes.h	return static_cast<u8>(s >> 12);	return static_cast<u8>(s >> 11);
src/gray_twist_gamma/gray_rows.inl	return V::srai32(V::slli32(s, 16), 20);	return V::srai32(V::slli32(s, 16), 21);
src/gray_twist_gamma/gray_rows.inl	V::mulhi16u(c[2], w2)), 4);	V::mulhi16u(c[2], w2)), 3);
src/gray_twist_gamma/recipes.h	return (m[3] + m[0] * x0) + (m[2] * x2 + m[1] * x1);	return ((m[3] + m[0] * x0) + m[2] * x2) + m[1] * x1;
src/gray_twist_gamma/recipes.h	r = r < 127.0f ? r : 127.0f;	r = r < 128.0f ? r : 128.0f;
src/gray_twist_gamma/twist_rows.inl	constexpr float kHi = std::is_same_v<T, u8> ? 255.0f	constexpr float kHi = std::is_same_v<T, u8> ? 254.0f
src/gray_twist_gamma/recipes.h	constexpr double kInvThreshold = 0.0812;	constexpr double kInvThreshold = 0.0813;
src/gray_twist_gamma/gamma_curves.inl	n = n - (~gtg::power::differ<kLanes>(rv, __builtin_convertvector(n, F)) & (n & 1));	n = n + (~gtg::power::differ<kLanes>(rv, __builtin_convertvector(n, F)) & (n & 1));
src/gray_twist_gamma/gamma.cpp	const T* dst, int dstStep, QrxSize roi) {\n    if (any_null(src, dst)) return qrxStatusNullPointer;\n    if (size_below(roi)) return qrxStatusSizeError;\n    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;	const T* dst, int dstStep, QrxSize roi) {\n    if (any_null(src, dst)) return qrxStatusNullPointer;\n    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;\n    if (size_below(roi)) return qrxStatusSizeError;
src/core/float_lanes.h	return (r + r) - (x * r) * r;	return (r + r) - x * (r * r);
src/core/float_lanes.h	QRX_INLINE F8 rcp(F8 a) { return _mm256_rcp_ps(a.v); }	QRX_INLINE F8 rcp(F8 a) { return _mm256_div_ps(_mm256_set1_ps(1.0f), a.v); }
src/models/hls.cpp	static_cast<u8*>(d[0])[4 * x + 3] = static_cast<const u8*>(s[3])[x];	static_cast<u8*>(d[0])[4 * x + 3] = static_cast<const u8*>(s[2])[x];
src/models/ycc_recipes.h	C1 = static_cast<u8>(((((B * 16384) - y) >> 10) * 1789 >> 16) + 156);	C1 = static_cast<u8>(((((B * 16384) - y) >> 10) * 1789 >> 16) + 155);
src/models/ycc_recipes.h	const I c2 = mulhi((cvtt(c2f) - I(137)) * I(128), 14921);	const I c2 = mulhi((cvtt(c2f) - I(137)) * I(128), 14922);
src/models/xyz_recipes.h	return min_255((6969 * r + 23434 * g + 2365 * b) >> 15); }	return min_255((6969 * r + 23434 * g + 2366 * b) >> 15); }
src/models/xyz_recipes.h	return 0.019334f * r + 0.119193f * g + 0.950227f * b; }	return 0.019334f * r + 0.119194f * g + 0.950227f * b; }
src/models/luv_recipes.h	const L fy = (ls + 16.0f) * 0.00862069f;	const L fy = (ls + 16.0f) * 0.00862068f;
src/models/lab_recipes.h	cvtr(clampf(((fy - fz) * 200.0f + 128.0f) * 255.0f, zero, top))};	cvtr(clampf(((fy - fz) * 200.0f + 127.0f) * 255.0f, zero, top))};
src/models/lab_recipes.h	return sel(v > 0.008856f, lab_cbrt<kLong>(v), v * 7.787f + 0.13793103f);	return sel(v > 0.008856f, lab_cbrt<kLong>(v), v * 7.786f + 0.13793103f);
src/models/grouped_rows.h	inline int grouped_of(int width, int group) { return width / group * group; }	inline int grouped_of(int width, int group) { return (width - 1) / group * group; }
src/reducebits/recipes.h	return (static_cast<unsigned>(index[x & 1023u]) + 2u * y + x) & 1023u;	return (static_cast<unsigned>(index[x & 1023u]) + 2u * y + x + 1u) & 1023u;
src/reducebits/reducebits_rows.inl	if (nv == nullptr) return bayer_row[x & 3u] * d.s;	if (nv == nullptr) return bayer_row[(x + 1) & 3u] * d.s;
src/reducebits/recipes.h	{12.0f / 15.0f, 4.0f / 15.0f, 14.0f / 15.0f, 6.0f / 15.0f},	{12.0f / 15.0f, 4.0f / 15.0f, 14.0f / 15.0f, 7.0f / 15.0f},
src/reducebits/error_diffusion.cpp	sum = ((3.0f * E[x + 1] + E[x - 1]) + 5.0f * E[x]) + 7.0f * rs.left1;	sum = ((3.0f * E[x + 1] + E[x - 1]) + 5.0f * E[x]) + 6.0f * rs.left1;
src/reducebits/error_diffusion.cpp	static constexpr float up[5] = {2.0f, 4.0f, 8.0f, 4.0f, 2.0f};	static constexpr float up[5] = {2.0f, 4.0f, 8.0f, 4.0f, 1.0f};
src/reducebits/noise.cpp	if (negative) t -= 18u;	if (negative) t -= 17u;
src/reducebits/reducebits_rows.inl	lanes::int_bits(raw) + I(32768)	lanes::int_bits(raw) + I(32767)
src/resample/filter420_kernels.h	return clamp_u8((-a + 9 * b + 9 * c - d + 8) >> 4); }	return clamp_u8((-a + 9 * b + 9 * c - d + 7) >> 4); }
src/resample/filter420_kernels.h	return static_cast<u8>((a + 2 * b + c) >> 2); }	return static_cast<u8>((a + 2 * b + c + 1) >> 2); }
src/resample/filter420.cpp	case Slice::Top: return {0, std::max(h - 3, 1), true, false};	case Slice::Top: return {0, std::max(h - 2, 1), true, false};
src/resample/filter420.cpp	case Slice::Whole: return (r <= 1 || r >= h - 2) ? 0 : 32;	case Slice::Whole: return (r <= 1 || r >= h - 2) ? 0 : 16;
src/resample/chroma_bodies.h	const auto ua = B::and_(x, B::set16(0x00FF)), vb = B::srli16(x, 8);	const auto ua = B::and_(x, B::set16(0x007F)), vb = B::srli16(x, 8);
src/ycocg/ycocg_recipes.h	W::n(add(sub(r, b), 1) >> 1)	W::n(add(sub(r, b), 0) >> 1)
src/ycocg/ycocg_rows.inl	if constexpr (CH == 4) d[CH * i + 3] = static_cast<Pix>(alpha);	if constexpr (CH == 4) d[CH * i + 3] = static_cast<Pix>(alpha + 1);
src/core/checks.h	return roi.width < min_w || roi.height < min_h;	return roi.width < min_w || roi.height < 0;
src/yuv/yuv_simd.inl	const T ka_b1 = V::set16(29 | 16 << 8)	const T ka_b1 = V::set16(29 | 15 << 8)
src/yuv/yuv_simd.inl	V::set32(32767 - (1 << 26))	V::set32(32766 - (1 << 26))
src/ycbcr/chroma_simd.inl	map_through(src, mapped, 3 * std::min(kMapped, body - x), curve);	map_through(src, mapped, 3 * std::min(kMapped - 16, body - x), curve);
src/gray_twist_gamma/gamma_rows.inl	_mm512_set1_ps(0.5f - 0x1p-9f - kPoly16Margin)	_mm512_set1_ps(0.5f - kPoly16Margin)
src/gray_twist_gamma/gamma_curve32_avx2.inl	const __m256d delta = _mm256_fmadd_pd(pw[i], c.bound_pw, c.bound_rest);	const __m256d delta = _mm256_setzero_pd();
src/gray_twist_gamma/power.h	j = j + (D)((U)(D{} + 1.0) & (U)(off > 0.5)) - (D)((U)(D{} + 1.0) & (U)(off < -0.5));	j = j + (D)((U)(D{} + 1.0) & (U)(off > 0.5));
src/gray_twist_gamma/gamma_curves.inl	+ abs_of(yp)) * gtg::power::kErrorBound;	+ abs_of(yp)) * 0.0;
src/models/luv_recipes.h	    const L ls = sel(y > 0.008856f, lcube, y * 903.3f);	    const L ls = sel(y > 0.008856f, lcube, y * 903.2f);
src/models/luv_recipes.h	    const L llin = yc * kInv65535 * 903.3f;	    const L llin = yc * kInv65535 * 903.2f;
EOF
}

mapfile -t list < <(faults)
if [ "$list_only" = 1 ]; then
  for i in "${!list[@]}"; do printf '%2d  %s\n' $((i + 1)) "${list[$i]}"; done
  exit 0
fi

export CCACHE_BASEDIR=/work
if [ ! -f "$build/CMakeCache.txt" ]; then
  # -O1: the kernels compile several times faster and give the same bytes
  # ccache where it is installed (each fault rebuilds one file, the rest comes from the cache)
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DCMAKE_C_FLAGS_RELEASE=-O1 \
    -DQRX_BUILD_BENCH=OFF -DQRX_BUILD_TOOLS=OFF "${launcher[@]}" >/dev/null || exit 1
fi
build_tests() { cmake --build "$build" -j2 --target qrxtests >"$build/mutate-build.log" 2>&1; }
# The fast tests: everything but the huge-image run.
run_tests() { timeout 600 "$build/tests/qrxtests" --gtest_brief=1 --gtest_fail_fast --gtest_filter='-*Huge*' >"$build/mutate-run.log" 2>&1; }

build_tests || { echo "the unmutated build fails (see $build/mutate-build.log)"; exit 1; }
run_tests || { echo "the unmutated tests fail (see $build/mutate-run.log)"; exit 1; }

backup=$(mktemp) current=""
restore() { [ -n "$current" ] && cp "$backup" "$current"; current=""; }
trap 'restore; rm -f "$backup"' EXIT
trap 'exit 130' INT TERM

caught=0 missed=0 other=0
for i in "${!list[@]}"; do
  n=$((i + 1))
  [ -n "$only" ] && [[ "$only" != *",$n,"* ]] && continue
  IFS=$'\t' read -r file old new <<<"${list[$i]}"
  cp "$root/$file" "$backup" && current=$root/$file
  if ! python3 - "$root/$file" "$old" "$new" <<'PY'; then
import sys
path, old, new = sys.argv[1], sys.argv[2].replace("\\n", "\n"), sys.argv[3].replace("\\n", "\n")
text = open(path).read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w").write(text.replace(old, new))
PY
    restore; printf '%2d  stale        %s\n' "$n" "$file"; other=$((other + 1)); continue
  fi
  start=$SECONDS
  if ! build_tests; then
    result=build-error; other=$((other + 1))
  elif run_tests; then
    result=MISSED; missed=$((missed + 1))
  else
    result=caught; caught=$((caught + 1))
  fi
  restore
  printf '%2d  %-12s %-36s %4ds  %s\n' "$n" "$result" "$file" $((SECONDS - start)) "${old:0:60}"
done
build_tests >/dev/null
echo "caught $caught, missed $missed, not run $other, of ${#list[@]} faults"
