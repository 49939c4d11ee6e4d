// Integer vector traits for per-level kernel files: V128 (SSE2 up to SSE4.1),
// V256 (AVX2) and V512 (AVX-512BW).  Kernels are written once against these and instantiated
// for the widths a level has.  Include only from per-level files compiled
// with at least SSE2 (the byte shuffles and the 8-pixel helpers need SSSE3);
// everything here has internal linkage.
//
// Element order: unpacks and packs work within 128-bit lanes, as the
// instructions do.  The widening pair lo8to16/hi8to16 and packus16 undo each
// other, so a body that widens, computes and packs back keeps row order at
// every width.  The members whose comment says "row order" restore it inside
// (a permute on the wider forms).
#pragma once

#if defined(__SSE2__)
#include <immintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "core/byte_permutes.h"

namespace qrx::simd {
namespace {

struct V128 {
    using T = __m128i;
    static constexpr int kLanes16 = 8;  // 16-bit elements per vector
    static T zero() { return _mm_setzero_si128(); }
    static T set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static T set32(int v) { return _mm_set1_epi32(v); }
    static T pair16(int lo, int hi) {  // (lo, hi) repeated, for madd
        return _mm_set1_epi32(static_cast<int>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(hi)) << 16) |
                                               static_cast<std::uint16_t>(lo)));
    }
    static T add16(T a, T b) { return _mm_add_epi16(a, b); }
    static T sub16(T a, T b) { return _mm_sub_epi16(a, b); }
    static T add32(T a, T b) { return _mm_add_epi32(a, b); }
    static T sub32(T a, T b) { return _mm_sub_epi32(a, b); }
    static T srai16(T a, int n) { return _mm_srai_epi16(a, n); }
    static T srli16(T a, int n) { return _mm_srli_epi16(a, n); }
    static T slli16(T a, int n) { return _mm_slli_epi16(a, n); }
    static T srai32(T a, int n) { return _mm_srai_epi32(a, n); }
    static T mulhi16(T a, T b) { return _mm_mulhi_epi16(a, b); }
    static T mulhi16u(T a, T b) { return _mm_mulhi_epu16(a, b); }
    static T madd(T a, T b) { return _mm_madd_epi16(a, b); }
    static T madd_add(T acc, T a, T b) { return _mm_add_epi32(acc, _mm_madd_epi16(a, b)); }  // acc + madd(a, b)
    static T unpacklo16(T a, T b) { return _mm_unpacklo_epi16(a, b); }
    static T unpackhi16(T a, T b) { return _mm_unpackhi_epi16(a, b); }
    static T packs32(T a, T b) { return _mm_packs_epi32(a, b); }
#if defined(__SSE4_1__)
    static T mullo32(T a, T b) { return _mm_mullo_epi32(a, b); }
#endif
    // Whole-register forms for kernels that keep pixels in 32-bit lanes.
    static constexpr int kLanes32 = 4;
    static T load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    static void store(void* p, T v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
    static T and_(T a, T b) { return _mm_and_si128(a, b); }
    static T or_(T a, T b) { return _mm_or_si128(a, b); }
    static T srli32(T a, int n) { return _mm_srli_epi32(a, n); }
    static T mullo16(T a, T b) { return _mm_mullo_epi16(a, b); }
    static T packus16(T a, T b) { return _mm_packus_epi16(a, b); }
#if defined(__SSSE3__)
    static T shuffle8(T a, __m128i m) { return _mm_shuffle_epi8(a, m); }  // per 128-bit lane
    static T xor_(T a, T b) { return _mm_xor_si128(a, b); }
    static T set8(int v) { return _mm_set1_epi8(static_cast<char>(v)); }
    // unsigned bytes of k times signed bytes of a, adjacent pairs summed into 16 bits
    static T maddubs(T k, T a) { return _mm_maddubs_epi16(k, a); }
    // even 16-bit words of a, odd words of b
#if defined(__SSE4_1__)
    static T blend_odd16(T a, T b) { return _mm_blend_epi16(a, b, 0xAA); }
#else
    static T blend_odd16(T a, T b) {
        const T odd = _mm_set1_epi32(static_cast<int>(0xFFFF0000u));
        return _mm_or_si128(_mm_andnot_si128(odd, a), _mm_and_si128(odd, b));
    }
#endif
#else
    // the same sums from word products (each fits 16 bits), added with saturation
    static T maddubs(T k, T a) {
        const T even = _mm_mullo_epi16(_mm_and_si128(k, _mm_set1_epi16(0x00ff)), _mm_srai_epi16(_mm_slli_epi16(a, 8), 8));
        const T odd = _mm_mullo_epi16(_mm_srli_epi16(k, 8), _mm_srai_epi16(a, 8));
        return _mm_adds_epi16(even, odd);
    }
#endif
    // 128-bit halves: V128 has one.
    static T from_halves(__m128i lo, __m128i) { return lo; }
    static __m128i half(T v, int) { return v; }
    static constexpr int kHalves = 1;

    // ---- shared vocabulary (same meaning at every width) ----
    static constexpr int kBytes = 16;
    static T broadcast_lane(__m128i m) { return m; }
    static T packus16_rows(T a, T b) { return _mm_packus_epi16(a, b); }  // row order
    static T load_half(const void* p) { return _mm_loadl_epi64(static_cast<const __m128i*>(p)); }
    static void store_half(void* p, T v) { _mm_storel_epi64(static_cast<__m128i*>(p), v); }
    static T min16(T a, T b) { return _mm_min_epi16(a, b); }
    static T max16(T a, T b) { return _mm_max_epi16(a, b); }
    static T inc_if_gt16(T q, T a, T b) { return _mm_sub_epi16(q, _mm_cmpgt_epi16(a, b)); }  // q + (a > b)
    static T slli32(T a, int n) { return _mm_slli_epi32(a, n); }
    template <int N>
    static T bsrli(T a) { return _mm_srli_si128(a, N); }  // bytes shifted down within each lane
    static T unpacklo8(T a, T b) { return _mm_unpacklo_epi8(a, b); }
    static T unpackhi8(T a, T b) { return _mm_unpackhi_epi8(a, b); }
    static T lo8to16(T a) { return _mm_unpacklo_epi8(a, _mm_setzero_si128()); }  // bytes 0..7 of each lane
    static T hi8to16(T a) { return _mm_unpackhi_epi8(a, _mm_setzero_si128()); }  // bytes 8..15 of each lane
    // words: sums of adjacent unsigned byte pairs
    static T sum_pairs8(T a) {
#if defined(__SSSE3__)
        return _mm_maddubs_epi16(a, _mm_set1_epi8(1));
#else
        return _mm_packs_epi32(_mm_madd_epi16(lo8to16(a), set16(1)), _mm_madd_epi16(hi8to16(a), set16(1)));
#endif
    }
    // even and odd dwords of a then b, per lane
    static T even32(T a, T b) {
        return _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(a), _mm_castsi128_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
    }
    static T odd32(T a, T b) {
        return _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(a), _mm_castsi128_ps(b), _MM_SHUFFLE(3, 1, 3, 1)));
    }
    // per lane: bytes 0..7 interleaved with bytes 8..15 (two 8-byte packs zipped)
    static T zip_halves8(T a) {
#if defined(__SSSE3__)
        return _mm_shuffle_epi8(a, _mm_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15));
#else
        return _mm_unpacklo_epi8(a, _mm_srli_si128(a, 8));
#endif
    }
    // row order: kLanes16 bytes zero-extended, and back with unsigned saturation
    static T load_widen(const void* p) { return lo8to16(load_half(p)); }
    static void store_narrow(void* p, T v) { store_half(p, _mm_packus_epi16(v, v)); }
    // row order: packus16(a, b) of two word vectors stored as kLanes16 bytes at pa and at pb
    static void store_narrow2(void* pa, void* pb, T a, T b) {
        const T x = _mm_packus_epi16(a, b);
        store_half(pa, x);
        store_half(pb, _mm_unpackhi_epi64(x, x));
    }
    // row order: the pair (unpacklo, unpackhi) of two vectors, 2 kBytes
    static void store_unpacked(void* p, T lo, T hi) {
        store(p, lo);
        store(static_cast<char*>(p) + kBytes, hi);
    }
    // row order: the low 8 bytes of each lane (kBytes / 2)
    static void store_lane_lo8(void* p, T v) { store_half(p, v); }
    // row order: dword 0 of each lane to pa, dword 1 to pb (kBytes / 4 each)
    static void store_lane_dw01(void* pa, void* pb, T v) {
        const int a = _mm_cvtsi128_si32(v), b = _mm_cvtsi128_si32(_mm_srli_si128(v, 4));
        std::memcpy(pa, &a, 4);
        std::memcpy(pb, &b, 4);
    }
};

#if defined(__AVX2__)
struct V256 {
    using T = __m256i;
    static constexpr int kLanes16 = 16;
    static T zero() { return _mm256_setzero_si256(); }
    static T set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static T set32(int v) { return _mm256_set1_epi32(v); }
    static T pair16(int lo, int hi) {
        return _mm256_set1_epi32(static_cast<int>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(hi)) << 16) |
                                                  static_cast<std::uint16_t>(lo)));
    }
    static T add16(T a, T b) { return _mm256_add_epi16(a, b); }
    static T sub16(T a, T b) { return _mm256_sub_epi16(a, b); }
    static T add32(T a, T b) { return _mm256_add_epi32(a, b); }
    static T sub32(T a, T b) { return _mm256_sub_epi32(a, b); }
    static T srai16(T a, int n) { return _mm256_srai_epi16(a, n); }
    static T srli16(T a, int n) { return _mm256_srli_epi16(a, n); }
    static T slli16(T a, int n) { return _mm256_slli_epi16(a, n); }
    static T srai32(T a, int n) { return _mm256_srai_epi32(a, n); }
    static T mulhi16(T a, T b) { return _mm256_mulhi_epi16(a, b); }
    static T mulhi16u(T a, T b) { return _mm256_mulhi_epu16(a, b); }
    static T madd(T a, T b) { return _mm256_madd_epi16(a, b); }
#if defined(__AVX512VNNI__) && defined(__AVX512VL__)
    static T madd_add(T acc, T a, T b) { return _mm256_dpwssd_epi32(acc, a, b); }
#else
    static T madd_add(T acc, T a, T b) { return _mm256_add_epi32(acc, _mm256_madd_epi16(a, b)); }
#endif
    static T unpacklo16(T a, T b) { return _mm256_unpacklo_epi16(a, b); }
    static T unpackhi16(T a, T b) { return _mm256_unpackhi_epi16(a, b); }
    static T packs32(T a, T b) { return _mm256_packs_epi32(a, b); }
    static T mullo32(T a, T b) { return _mm256_mullo_epi32(a, b); }
    static constexpr int kLanes32 = 8;
    static T load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
    static void store(void* p, T v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
    static T and_(T a, T b) { return _mm256_and_si256(a, b); }
    static T or_(T a, T b) { return _mm256_or_si256(a, b); }
    static T srli32(T a, int n) { return _mm256_srli_epi32(a, n); }
    static T mullo16(T a, T b) { return _mm256_mullo_epi16(a, b); }
    static T packus16(T a, T b) { return _mm256_packus_epi16(a, b); }
    static T shuffle8(T a, __m128i m) { return _mm256_shuffle_epi8(a, _mm256_broadcastsi128_si256(m)); }
    static T xor_(T a, T b) { return _mm256_xor_si256(a, b); }
    static T set8(int v) { return _mm256_set1_epi8(static_cast<char>(v)); }
    static T maddubs(T k, T a) { return _mm256_maddubs_epi16(k, a); }
    static T blend_odd16(T a, T b) { return _mm256_blend_epi16(a, b, 0xAA); }
    // Element order: 16-bit elements 0..7 in the low half, 8..15 in the high
    // half; unpack/pack work within halves, so unpack-then-pack keeps order.
    static T from_halves(__m128i lo, __m128i hi) { return _mm256_set_m128i(hi, lo); }
    static __m128i half(T v, int i) { return i == 0 ? _mm256_castsi256_si128(v) : _mm256_extracti128_si256(v, 1); }
    static constexpr int kHalves = 2;

    // ---- shared vocabulary (same meaning at every width) ----
    static constexpr int kBytes = 32;
    static T broadcast_lane(__m128i m) { return _mm256_broadcastsi128_si256(m); }
    static T packus16_rows(T a, T b) { return _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8); }
    static __m128i load_half(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    static void store_half(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
    static T min16(T a, T b) { return _mm256_min_epi16(a, b); }
    static T max16(T a, T b) { return _mm256_max_epi16(a, b); }
    static T inc_if_gt16(T q, T a, T b) { return _mm256_sub_epi16(q, _mm256_cmpgt_epi16(a, b)); }
    static T slli32(T a, int n) { return _mm256_slli_epi32(a, n); }
    template <int N>
    static T bsrli(T a) { return _mm256_srli_si256(a, N); }
    static T unpacklo8(T a, T b) { return _mm256_unpacklo_epi8(a, b); }
    static T unpackhi8(T a, T b) { return _mm256_unpackhi_epi8(a, b); }
    static T lo8to16(T a) { return _mm256_unpacklo_epi8(a, _mm256_setzero_si256()); }
    static T hi8to16(T a) { return _mm256_unpackhi_epi8(a, _mm256_setzero_si256()); }
    static T sum_pairs8(T a) { return _mm256_maddubs_epi16(a, _mm256_set1_epi8(1)); }
    static T even32(T a, T b) {
        return _mm256_castps_si256(_mm256_shuffle_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
    }
    static T odd32(T a, T b) {
        return _mm256_castps_si256(_mm256_shuffle_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), _MM_SHUFFLE(3, 1, 3, 1)));
    }
    static T zip_halves8(T a) {
        return _mm256_shuffle_epi8(a, _mm256_broadcastsi128_si256(_mm_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15)));
    }
    static T load_widen(const void* p) { return _mm256_cvtepu8_epi16(load_half(p)); }
    static void store_narrow(void* p, T v) {
        store_half(p, _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi16(v, v), 0x08)));
    }
    static void store_narrow2(void* pa, void* pb, T a, T b) {
        const T x = _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8);
        store_half(pa, _mm256_castsi256_si128(x));
        store_half(pb, _mm256_extracti128_si256(x, 1));
    }
    static void store_unpacked(void* p, T lo, T hi) {
        store(p, _mm256_permute2x128_si256(lo, hi, 0x20));
        store(static_cast<char*>(p) + kBytes, _mm256_permute2x128_si256(lo, hi, 0x31));
    }
    static void store_lane_lo8(void* p, T v) { store_half(p, _mm256_castsi256_si128(_mm256_permute4x64_epi64(v, 0x08))); }
    static void store_lane_dw01(void* pa, void* pb, T v) {
        const __m128i o = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(0, 4, 1, 5, 2, 3, 6, 7)));
        _mm_storel_epi64(static_cast<__m128i*>(pa), o);
        _mm_storel_epi64(static_cast<__m128i*>(pb), _mm_unpackhi_epi64(o, o));
    }
};
#endif

#if defined(__AVX512BW__)
// What the pixel-order kernels (pixels in 32-bit lanes) and the planar to
// four-byte-pixel kernels (16-bit lanes) use.
struct V512 {
    using T = __m512i;
    static constexpr int kLanes32 = 16;
    static constexpr int kLanes16 = 32;
    static constexpr int kHalves = 4;  // 128-bit lanes
    static T set16(int v) { return _mm512_set1_epi32(static_cast<int>(static_cast<std::uint16_t>(v) * 0x10001u)); }
    static T sub16(T a, T b) { return _mm512_sub_epi16(a, b); }
    static T mulhi16(T a, T b) { return _mm512_mulhi_epi16(a, b); }
    static T slli16(T a, int n) { return _mm512_maskz_slli_epi16(~0u, a, static_cast<unsigned>(n)); }
    static T srai16(T a, int n) { return _mm512_maskz_srai_epi16(~0u, a, static_cast<unsigned>(n)); }
    static T set32(int v) { return _mm512_set1_epi32(v); }
    static T pair16(int lo, int hi) {
        return _mm512_set1_epi32(static_cast<int>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(hi)) << 16) |
                                                  static_cast<std::uint16_t>(lo)));
    }
    static T load(const void* p) { return _mm512_loadu_si512(p); }
    static void store(void* p, T v) { _mm512_storeu_si512(p, v); }
    static T and_(T a, T b) { return _mm512_and_si512(a, b); }
    static T or_(T a, T b) { return _mm512_or_si512(a, b); }
    static T add16(T a, T b) { return _mm512_add_epi16(a, b); }
    static T add32(T a, T b) { return _mm512_add_epi32(a, b); }
    // all-ones masked forms: the plain intrinsics pass an undefined register
    // that GCC 12 warns about; the instructions are the same
    static T srli32(T a, int n) { return _mm512_maskz_srli_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    static T srai32(T a, int n) { return _mm512_maskz_srai_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    static T mullo16(T a, T b) { return _mm512_mullo_epi16(a, b); }
    static T madd(T a, T b) { return _mm512_madd_epi16(a, b); }
#if defined(__AVX512VNNI__)
    static T madd_add(T acc, T a, T b) { return _mm512_dpwssd_epi32(acc, a, b); }
#else
    static T madd_add(T acc, T a, T b) { return _mm512_add_epi32(acc, _mm512_madd_epi16(a, b)); }
#endif
    static T packs32(T a, T b) { return _mm512_packs_epi32(a, b); }
    static T packus16(T a, T b) { return _mm512_packus_epi16(a, b); }
    static T shuffle8(T a, __m128i m) { return _mm512_shuffle_epi8(a, _mm512_maskz_broadcast_i32x4(0xFFFF, m)); }

    // ---- shared vocabulary (same meaning at every width) ----
    static constexpr int kBytes = 64;
    static T zero() { return _mm512_setzero_si512(); }
    static T sub32(T a, T b) { return _mm512_sub_epi32(a, b); }
    static T mulhi16u(T a, T b) { return _mm512_mulhi_epu16(a, b); }
    static T srli16(T a, int n) { return _mm512_maskz_srli_epi16(~0u, a, static_cast<unsigned>(n)); }
    static T slli32(T a, int n) { return _mm512_maskz_slli_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    static T min16(T a, T b) { return _mm512_min_epi16(a, b); }
    static T max16(T a, T b) { return _mm512_max_epi16(a, b); }
    static T inc_if_gt16(T q, T a, T b) { return _mm512_mask_add_epi16(q, _mm512_cmpgt_epi16_mask(a, b), q, set16(1)); }
    static T unpacklo8(T a, T b) { return _mm512_unpacklo_epi8(a, b); }
    static T unpackhi8(T a, T b) { return _mm512_unpackhi_epi8(a, b); }
    static T unpacklo16(T a, T b) { return _mm512_unpacklo_epi16(a, b); }
    static T unpackhi16(T a, T b) { return _mm512_unpackhi_epi16(a, b); }
    static T lo8to16(T a) { return _mm512_unpacklo_epi8(a, _mm512_setzero_si512()); }
    static T hi8to16(T a) { return _mm512_unpackhi_epi8(a, _mm512_setzero_si512()); }
    static T even32(T a, T b) {
        return _mm512_castps_si512(_mm512_maskz_shuffle_ps(0xFFFF, _mm512_castsi512_ps(a), _mm512_castsi512_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
    }
    static T odd32(T a, T b) {
        return _mm512_castps_si512(_mm512_maskz_shuffle_ps(0xFFFF, _mm512_castsi512_ps(a), _mm512_castsi512_ps(b), _MM_SHUFFLE(3, 1, 3, 1)));
    }
    static T broadcast_lane(__m128i m) { return _mm512_maskz_broadcast_i32x4(0xFFFF, m); }
    // dwords in the order 0, 4, 8, 12, 1, 5, ...: lane L gets dword L of every lane
    static T transpose_lanes32(T a) {
        return _mm512_maskz_permutexvar_epi32(0xFFFF, _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15), a);
    }
    static __m256i load_half(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
    static T load_widen(const void* p) { return _mm512_cvtepu8_epi16(load_half(p)); }
    static void store_narrow(void* p, T v) {
        const T x = _mm512_maskz_permutexvar_epi64(0xFF, _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), _mm512_packus_epi16(v, v));
        _mm256_storeu_si256(static_cast<__m256i*>(p), _mm512_castsi512_si256(x));
    }
    static void store_unpacked(void* p, T lo, T hi) {
        store(p, _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11), hi));
        store(static_cast<char*>(p) + kBytes, _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15), hi));
    }
    static void store_lane_lo8(void* p, T v) {
        _mm512_mask_storeu_epi64(p, 0x0F, _mm512_maskz_permutexvar_epi64(0xFF, _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), v));
    }
    static void store_lane_dw01(void* pa, void* pb, T v) {
        const T o = transpose_lanes32(v);
        _mm_storeu_si128(static_cast<__m128i*>(pa), _mm512_maskz_extracti32x4_epi32(0xF, o, 0));
        _mm_storeu_si128(static_cast<__m128i*>(pb), _mm512_maskz_extracti32x4_epi32(0xF, o, 1));
    }

    static T xor_(T a, T b) { return _mm512_xor_si512(a, b); }
    static T set8(int v) { return _mm512_set1_epi8(static_cast<char>(v)); }
    static T maddubs(T k, T a) { return _mm512_maddubs_epi16(k, a); }
    static T blend_odd16(T a, T b) { return _mm512_mask_blend_epi16(0xAAAAAAAAu, a, b); }
};
#endif

// Asks for the cache line at p.  The builtin, not _mm_prefetch: GCC 12 drops
// _mm_prefetch from kernels inlined through always_inline helpers.
inline void prefetch(const void* p) { __builtin_prefetch(p, 0, 3); }
// The same for the line `bytes` past p, which may lie past the buffer's end
// (a prefetch never faults; the address is formed as an integer).
inline void prefetch_ahead(const void* p, std::ptrdiff_t bytes) {
    prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(p) + static_cast<std::uintptr_t>(bytes)));
}

#if defined(__SSSE3__)
// ---- 8-pixel loads and stores on 128-bit registers (16-bit elements) ------

// Byte shuffles that gather channel C of 8 three-byte pixels into 16-bit
// words: pixel bytes [Begin, Begin + 16) sit in a register loaded from byte
// From, and each sample lands in byte Hi of its word (0: zero-extended,
// 1: the sample times 256); the other bytes are zero.
template <int C, int From, int Begin, int Hi>
struct C3WordMask {
    static constexpr std::array<std::int8_t, 16> make() {
        std::array<std::int8_t, 16> m{};
        for (int j = 0; j < 8; ++j) {
            const int at = 3 * j + C;
            m[2 * j + Hi] = static_cast<std::int8_t>(at >= Begin && at < Begin + 16 ? at - From : -128);
            m[2 * j + 1 - Hi] = -128;
        }
        return m;
    }
    alignas(16) static constexpr std::array<std::int8_t, 16> value = make();
    static __m128i get() { return _mm_load_si128(reinterpret_cast<const __m128i*>(value.data())); }
};

// From SSE4.1 on, one byte blend gathers channel C of the 8 pixels first:
// bytes 3j + C below 16 stay where the first load has them, the others (16..23)
// come from the second load at 3j + C - 16; the two sets never share a position
// (they differ mod 3).  One shuffle then widens the gathered bytes: a blend and
// a shuffle per channel in place of two shuffles and an OR.
template <int C, int Hi>
struct C3BlendWordMask {
    struct Masks {
        std::int8_t from_hi[16], widen[16];
    };
    static constexpr Masks make() {
        Masks m{};
        for (int j = 0; j < 16; ++j) m.from_hi[j] = 0, m.widen[j] = -128;
        for (int j = 0; j < 8; ++j) {
            const int at = 3 * j + C, pos = at < 16 ? at : at - 16;
            if (at >= 16) m.from_hi[pos] = -128;
            m.widen[2 * j + Hi] = static_cast<std::int8_t>(pos);
        }
        return m;
    }
    alignas(16) static constexpr Masks value = make();
    static __m128i from_hi() { return _mm_load_si128(reinterpret_cast<const __m128i*>(value.from_hi)); }
    static __m128i widen() { return _mm_load_si128(reinterpret_cast<const __m128i*>(value.widen)); }
};

// Three channels of 8 interleaved 3-byte pixels as 16-bit words (byte Hi of
// each word, see C3WordMask) from two loads: bytes 0..15 and 16..23.  Reads
// exactly 24 bytes.
template <int Hi = 0>
inline void load_c3x8(const std::uint8_t* p, __m128i& c0, __m128i& c1, __m128i& c2) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hi = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16));
    auto ch = [&](auto c) {
        constexpr int C = decltype(c)::value;
#if defined(__SSE4_1__)
        using M = C3BlendWordMask<C, Hi>;
        return _mm_shuffle_epi8(_mm_blendv_epi8(lo, hi, M::from_hi()), M::widen());
#else
        return _mm_or_si128(_mm_shuffle_epi8(lo, C3WordMask<C, 0, 0, Hi>::get()),
                            _mm_shuffle_epi8(hi, C3WordMask<C, 16, 16, Hi>::get()));
#endif
    };
    c0 = ch(std::integral_constant<int, 0>{});
    c1 = ch(std::integral_constant<int, 1>{});
    c2 = ch(std::integral_constant<int, 2>{});
}

// Stores 8 pixels of three 16-bit channels as 3-byte pixels, each value
// clamped to 0..255 by unsigned saturation.  Writes exactly 24 bytes.
inline void store_c3x8(std::uint8_t* p, __m128i c0, __m128i c1, __m128i c2) {
    const __m128i ab = _mm_packus_epi16(c0, c1);  // a0..a7 b0..b7
    const __m128i cc = _mm_packus_epi16(c2, c2);  // c0..c7 c0..c7
    const char z = -128;
    const __m128i first = _mm_or_si128(
        _mm_shuffle_epi8(ab, _mm_setr_epi8(0, 8, z, 1, 9, z, 2, 10, z, 3, 11, z, 4, 12, z, 5)),
        _mm_shuffle_epi8(cc, _mm_setr_epi8(z, z, 0, z, z, 1, z, z, 2, z, z, 3, z, z, 4, z)));
    const __m128i last = _mm_or_si128(
        _mm_shuffle_epi8(ab, _mm_setr_epi8(13, z, 6, 14, z, 7, 15, z, z, z, z, z, z, z, z, z)),
        _mm_shuffle_epi8(cc, _mm_setr_epi8(z, 5, z, z, 6, z, z, 7, z, z, z, z, z, z, z, z)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), first);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), last);
}

// First three channels of 8 four-byte pixels, zero-extended.  Reads 32 bytes.
inline void load_c4x8(const std::uint8_t* p, __m128i& c0, __m128i& c1, __m128i& c2) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const char z = -128;
    c0 = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(0, z, 4, z, 8, z, 12, z, z, z, z, z, z, z, z, z)),
                      _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, 0, z, 4, z, 8, z, 12, z)));
    c1 = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(1, z, 5, z, 9, z, 13, z, z, z, z, z, z, z, z, z)),
                      _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, 1, z, 5, z, 9, z, 13, z)));
    c2 = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(2, z, 6, z, 10, z, 14, z, z, z, z, z, z, z, z, z)),
                      _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, 2, z, 6, z, 10, z, 14, z)));
}

// Stores 8 four-byte pixels: three clamped channels and a fourth byte that is
// either kept from the destination (keep_fourth) or set to `fourth`.
inline void store_c4x8(std::uint8_t* p, __m128i c0, __m128i c1, __m128i c2, bool keep_fourth, std::uint8_t fourth) {
    const __m128i ab = _mm_packus_epi16(c0, c1);  // a0..a7 b0..b7
    const __m128i cz = _mm_packus_epi16(c2, _mm_setzero_si128());
    const __m128i ab_lo = _mm_unpacklo_epi8(ab, _mm_srli_si128(ab, 8));  // a0 b0 a1 b1 ...
    const __m128i c_lo = _mm_unpacklo_epi8(cz, _mm_setzero_si128());     // c0 0 c1 0 ...
    __m128i q0 = _mm_unpacklo_epi16(ab_lo, c_lo);                        // a b c 0 x4
    __m128i q1 = _mm_unpackhi_epi16(ab_lo, c_lo);
    const __m128i fourth_mask = _mm_set1_epi32(static_cast<int>(0xff000000u));
    __m128i*const d = reinterpret_cast<__m128i*>(p);
    if (keep_fourth) {
        q0 = _mm_or_si128(q0, _mm_and_si128(_mm_loadu_si128(d), fourth_mask));
        q1 = _mm_or_si128(q1, _mm_and_si128(_mm_loadu_si128(d + 1), fourth_mask));
    } else {
        const __m128i a = _mm_and_si128(_mm_set1_epi8(static_cast<char>(fourth)), fourth_mask);
        q0 = _mm_or_si128(q0, a);
        q1 = _mm_or_si128(q1, a);
    }
    _mm_storeu_si128(d, q0);
    _mm_storeu_si128(d + 1, q1);
}

#endif  // __SSSE3__

// Width-generic forms: V::kLanes16 pixels.  With V256 the low 128-bit half
// holds pixels 0..7 and the high half pixels 8..15; both halves are shuffled
// by one 256-bit instruction with the 128-bit masks repeated.
#if defined(__AVX2__)
inline __m256i load_two(const std::uint8_t* lo, const std::uint8_t* hi) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lo))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(hi)), 1);
}
inline __m256i load_two_half(const std::uint8_t* lo, const std::uint8_t* hi) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lo))),
                                   _mm_loadl_epi64(reinterpret_cast<const __m128i*>(hi)), 1);
}
inline __m256i mask2(__m128i m) { return _mm256_broadcastsi128_si256(m); }
#endif

#if defined(__SSSE3__)
// Hi = 1 puts each sample in the high byte of its word (the sample times 256).
template <class V, int Hi = 0>
inline void load_c3(const std::uint8_t* p, typename V::T& a, typename V::T& b, typename V::T& c) {
    if constexpr (V::kHalves == 1) {
        load_c3x8<Hi>(p, a, b, c);
    } else {
#if defined(__AVX512VBMI__)
        if constexpr (Hi == 0) {
            load_c3_words_vbmi(p, a, b, c);
            return;
        }
#endif
#if defined(__AVX2__)
        // per 128-bit half the 8 pixels' bytes 0..15 and 16..23, as load_c3x8
        const __m256i lo = load_two(p, p + 24), hi = load_two_half(p + 16, p + 40);
        auto ch = [&](auto k) {
            constexpr int C = decltype(k)::value;
            using M = C3BlendWordMask<C, Hi>;
            return _mm256_shuffle_epi8(_mm256_blendv_epi8(lo, hi, mask2(M::from_hi())), mask2(M::widen()));
        };
        a = ch(std::integral_constant<int, 0>{});
        b = ch(std::integral_constant<int, 1>{});
        c = ch(std::integral_constant<int, 2>{});
#endif
    }
}

template <class V>
inline void store_c3(std::uint8_t* p, typename V::T a, typename V::T b, typename V::T c) {
    if constexpr (V::kHalves == 1) {
        store_c3x8(p, a, b, c);
    } else {
#if defined(__AVX512VBMI__)
        store_c3_words_vbmi(p, a, b, c);
#elif defined(__AVX2__)
        const __m256i ab = _mm256_packus_epi16(a, b), cc = _mm256_packus_epi16(c, c);
        const char z = -128;
        const __m256i first = _mm256_or_si256(
            _mm256_shuffle_epi8(ab, mask2(_mm_setr_epi8(0, 8, z, 1, 9, z, 2, 10, z, 3, 11, z, 4, 12, z, 5))),
            _mm256_shuffle_epi8(cc, mask2(_mm_setr_epi8(z, z, 0, z, z, 1, z, z, 2, z, z, 3, z, z, 4, z))));
        const __m256i last = _mm256_or_si256(
            _mm256_shuffle_epi8(ab, mask2(_mm_setr_epi8(13, z, 6, 14, z, 7, 15, z, z, z, z, z, z, z, z, z))),
            _mm256_shuffle_epi8(cc, mask2(_mm_setr_epi8(z, 5, z, z, 6, z, z, 7, z, z, z, z, z, z, z, z))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(first));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), _mm256_castsi256_si128(last));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 24), _mm256_extracti128_si256(first, 1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 40), _mm256_extracti128_si256(last, 1));
#endif
    }
}

template <class V>
inline void load_c4(const std::uint8_t* p, typename V::T& a, typename V::T& b, typename V::T& c) {
    if constexpr (V::kHalves == 1) {
        load_c4x8(p, a, b, c);
    } else {
#if defined(__AVX2__)
        const __m256i lo = load_two(p, p + 32), hi = load_two(p + 16, p + 48);
        const char z = -128;
        a = _mm256_or_si256(_mm256_shuffle_epi8(lo, mask2(_mm_setr_epi8(0, z, 4, z, 8, z, 12, z, z, z, z, z, z, z, z, z))),
                            _mm256_shuffle_epi8(hi, mask2(_mm_setr_epi8(z, z, z, z, z, z, z, z, 0, z, 4, z, 8, z, 12, z))));
        b = _mm256_or_si256(_mm256_shuffle_epi8(lo, mask2(_mm_setr_epi8(1, z, 5, z, 9, z, 13, z, z, z, z, z, z, z, z, z))),
                            _mm256_shuffle_epi8(hi, mask2(_mm_setr_epi8(z, z, z, z, z, z, z, z, 1, z, 5, z, 9, z, 13, z))));
        c = _mm256_or_si256(_mm256_shuffle_epi8(lo, mask2(_mm_setr_epi8(2, z, 6, z, 10, z, 14, z, z, z, z, z, z, z, z, z))),
                            _mm256_shuffle_epi8(hi, mask2(_mm_setr_epi8(z, z, z, z, z, z, z, z, 2, z, 6, z, 10, z, 14, z))));
#endif
    }
}

template <class V>
inline void store_c4(std::uint8_t* p, typename V::T a, typename V::T b, typename V::T c, bool keep, std::uint8_t fourth) {
    if constexpr (V::kHalves == 1) {
        store_c4x8(p, a, b, c, keep, fourth);
    } else if constexpr (V::kHalves == 4) {
#if defined(__AVX512BW__)
        // per 128-bit lane L: pixels 8L..8L+7; the fourth byte rides in the c pack
        const __m512i zero = _mm512_setzero_si512();
        const __m512i ab = _mm512_packus_epi16(a, b);
        const __m512i cf = _mm512_packus_epi16(c, keep ? zero : V512::set16(fourth));
#if defined(__AVX512VBMI__)
        __m512i out0 = c4_row_of_packs(ab, cf, 0), out1 = c4_row_of_packs(ab, cf, 1);
#else
        // per lane: a0..a7 b0..b7 -> a0 b0 a1 b1 ...
        const __m512i zip = _mm512_maskz_broadcast_i32x4(0xFFFF, _mm_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15));
        const __m512i ab_i = _mm512_shuffle_epi8(ab, zip), cf_i = _mm512_shuffle_epi8(cf, zip);
        const __m512i q0 = _mm512_unpacklo_epi16(ab_i, cf_i), q1 = _mm512_unpackhi_epi16(ab_i, cf_i);
        __m512i out0 = _mm512_permutex2var_epi64(q0, _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11), q1);
        __m512i out1 = _mm512_permutex2var_epi64(q0, _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15), q1);
#endif
        if (keep) {
            const __m512i fourth_mask = _mm512_set1_epi32(static_cast<int>(0xff000000u));
            out0 = _mm512_or_si512(out0, _mm512_and_si512(_mm512_loadu_si512(p), fourth_mask));
            out1 = _mm512_or_si512(out1, _mm512_and_si512(_mm512_loadu_si512(p + 64), fourth_mask));
        }
        _mm512_storeu_si512(p, out0);
        _mm512_storeu_si512(p + 64, out1);
#endif
    } else {
#if defined(__AVX2__)
        const __m256i ab = _mm256_packus_epi16(a, b);  // per half: a0..a7 b0..b7
        const __m256i cz = _mm256_packus_epi16(c, _mm256_setzero_si256());
        const __m256i ab_i = _mm256_unpacklo_epi8(ab, _mm256_srli_si256(ab, 8));
        const __m256i c_i = _mm256_unpacklo_epi8(cz, _mm256_setzero_si256());
        const __m256i q0 = _mm256_unpacklo_epi16(ab_i, c_i);  // pixels 0-3 | 8-11
        const __m256i q1 = _mm256_unpackhi_epi16(ab_i, c_i);  // pixels 4-7 | 12-15
        __m256i out0 = _mm256_permute2x128_si256(q0, q1, 0x20), out1 = _mm256_permute2x128_si256(q0, q1, 0x31);
        const __m256i fourth_mask = _mm256_set1_epi32(static_cast<int>(0xff000000u));
        __m256i* const d = reinterpret_cast<__m256i*>(p);
        if (keep) {
            out0 = _mm256_or_si256(out0, _mm256_and_si256(_mm256_loadu_si256(d), fourth_mask));
            out1 = _mm256_or_si256(out1, _mm256_and_si256(_mm256_loadu_si256(d + 1), fourth_mask));
        } else {
            const __m256i f = _mm256_and_si256(_mm256_set1_epi8(static_cast<char>(fourth)), fourth_mask);
            out0 = _mm256_or_si256(out0, f);
            out1 = _mm256_or_si256(out1, f);
        }
        _mm256_storeu_si256(d, out0);
        _mm256_storeu_si256(d + 1, out1);
#endif
    }
}

#endif  // __SSSE3__

// Row order, V::kLanes16 pixels: bytes zero-extended to words, and back.
template <class V>
inline typename V::T load_p(const std::uint8_t* p) {
    return V::load_widen(p);
}
template <class V>
inline void store_p(std::uint8_t* p, typename V::T v) {
    V::store_narrow(p, v);
}

}  // namespace
}  // namespace qrx::simd

#endif  // __SSE2__
