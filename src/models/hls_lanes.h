// Lane arithmetic shared by the HLS, HSV and YCC row kernels.
//
// The grouped recipes are written once against the small set of operations
// below and are lane-wise (no lane ever looks at another), so the same recipe
// code runs on an array of 4 floats in the scalar file and on 4 or 8 SSE/AVX
// lanes elsewhere.  Every operation behaves the same in every backend:
//   min/max      a < b ? a : b  /  a > b ? a : b (the SSE operand order)
//   rcp          the processor's reciprocal estimate, always the 128-bit
//                instruction's table (the 256-bit one gives the same values,
//                see the AVX2 backend); exact division without SSE
//   cvtt / cvtr  truncation / round-to-nearest-even to int32, with the
//                processor's "integer indefinite" (INT_MIN) for NaN and
//                out-of-range values
// Included by the per-level .inl files after QRX_LEVEL is defined.  A level file
// that defines QRX_LEVEL_SCALAR gets the array backend.
#pragma once

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(__SSE__) || defined(__SSE2__) || defined(_M_X64)
#include <immintrin.h>
#define QRX_HLS_HAVE_SSE_RCP 1
#else
#define QRX_HLS_HAVE_SSE_RCP 0
#endif

#include "core/inline.h"
#include "models/lane_bytes.h"

namespace qrx::hlsycc::QRX_LEVEL {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using s16 = std::int16_t;

// ---- scalar helpers used by the per-pixel recipes (and the array backend) ----

// The processor's single-precision reciprocal estimate of x.
QRX_INLINE float rcp_estimate(float x) {
#if QRX_HLS_HAVE_SSE_RCP
    return _mm_cvtss_f32(_mm_rcp_ps(_mm_set1_ps(x)));
#else
    return 1.0f / x;  // no estimate instruction: exact division stands in
#endif
}
// The estimate refined by one Newton step: (r + r) - (x * r) * r.
QRX_INLINE float rcp_newton(float x) {
    const float r = rcp_estimate(x);
    return (r + r) - (x * r) * r;
}
QRX_INLINE bool int32_range(float x) { return x > -2147483904.0f && x < 2147483648.0f; }
QRX_INLINE int trunc_i(float x) { return int32_range(x) ? static_cast<int>(x) : INT_MIN; }
QRX_INLINE int round_even_i(float x) { return int32_range(x) ? static_cast<int>(std::nearbyint(x)) : INT_MIN; }
QRX_INLINE int clampi(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
QRX_INLINE float fmin_sse(float a, float b) { return a < b ? a : b; }
QRX_INLINE float fmax_sse(float a, float b) { return a > b ? a : b; }

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512F__) && defined(__AVX512BW__) && defined(__AVX512DQ__)
// ---- 16 lanes (AVX-512).  The reciprocal estimate is taken 8 lanes at a time
// with the 256-bit vrcpps, never rcp14 (a different, more precise table). ------
#define QRX_HLS_LANES16 1
constexpr int kLanes = 16;
struct F { __m512 v; };
struct I { __m512i v; };
struct M { __mmask16 v; };
QRX_INLINE F fset(float x) { return {_mm512_set1_ps(x)}; }
QRX_INLINE F fload(const float* p) { return {_mm512_loadu_ps(p)}; }
QRX_INLINE void fstore(float* p, F a) { _mm512_storeu_ps(p, a.v); }
QRX_INLINE I iset(int x) { return {_mm512_set1_epi32(x)}; }
QRX_INLINE I iload(const std::int32_t* p) { return {_mm512_loadu_si512(p)}; }
QRX_INLINE void istore(std::int32_t* p, I a) { _mm512_storeu_si512(p, a.v); }
QRX_INLINE F operator+(F a, F b) { return {_mm512_add_ps(a.v, b.v)}; }
QRX_INLINE F operator-(F a, F b) { return {_mm512_sub_ps(a.v, b.v)}; }
QRX_INLINE F operator*(F a, F b) { return {_mm512_mul_ps(a.v, b.v)}; }
QRX_INLINE F operator/(F a, F b) { return {_mm512_div_ps(a.v, b.v)}; }
QRX_INLINE F fmin(F a, F b) { return {_mm512_min_ps(a.v, b.v)}; }
QRX_INLINE F fmax(F a, F b) { return {_mm512_max_ps(a.v, b.v)}; }
QRX_INLINE M operator==(F a, F b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_EQ_OQ)}; }
QRX_INLINE M operator!=(F a, F b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_NEQ_UQ)}; }
QRX_INLINE M operator<(F a, F b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_LT_OS)}; }
QRX_INLINE M operator>(F a, F b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_GT_OS)}; }
QRX_INLINE M operator&(M a, M b) { return {static_cast<__mmask16>(a.v & b.v)}; }
QRX_INLINE M operator|(M a, M b) { return {static_cast<__mmask16>(a.v | b.v)}; }
QRX_INLINE F sel(M m, F a, F b) { return {_mm512_mask_blend_ps(m.v, b.v, a.v)}; }
QRX_INLINE F rcp(F a) {
    const __m256 lo = _mm256_rcp_ps(_mm512_castps512_ps256(a.v));
    const __m256 hi = _mm256_rcp_ps(_mm512_extractf32x8_ps(a.v, 1));
    return {_mm512_insertf32x8(_mm512_castps256_ps512(lo), hi, 1)};
}
QRX_INLINE I cvtt(F a) { return {_mm512_cvttps_epi32(a.v)}; }
QRX_INLINE I cvtr(F a) { return {_mm512_cvtps_epi32(a.v)}; }
QRX_INLINE F tofloat(I a) { return {_mm512_cvtepi32_ps(a.v)}; }
QRX_INLINE I operator+(I a, I b) { return {_mm512_add_epi32(a.v, b.v)}; }
QRX_INLINE I operator-(I a, I b) { return {_mm512_sub_epi32(a.v, b.v)}; }
QRX_INLINE I operator*(I a, I b) { return {_mm512_mullo_epi32(a.v, b.v)}; }
QRX_INLINE I sra(I a, int n) { return {_mm512_srai_epi32(a.v, static_cast<unsigned>(n))}; }
QRX_INLINE I iclamp(I a, int lo, int hi) {
    return {_mm512_min_epi32(_mm512_max_epi32(a.v, _mm512_set1_epi32(lo)), _mm512_set1_epi32(hi))};
}
#elif !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
// ---- 8 lanes (AVX2).  vrcpps on 256 bits uses the same table as the 128-bit
// form on the processors this build targets; a test compares the two. ----------
constexpr int kLanes = 8;
struct F { __m256 v; };
struct I { __m256i v; };
struct M { __m256 v; };
QRX_INLINE F fset(float x) { return {_mm256_set1_ps(x)}; }
QRX_INLINE F fload(const float* p) { return {_mm256_loadu_ps(p)}; }
QRX_INLINE void fstore(float* p, F a) { _mm256_storeu_ps(p, a.v); }
QRX_INLINE I iset(int x) { return {_mm256_set1_epi32(x)}; }
QRX_INLINE I iload(const std::int32_t* p) { return {_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))}; }
QRX_INLINE void istore(std::int32_t* p, I a) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), a.v); }
QRX_INLINE F operator+(F a, F b) { return {_mm256_add_ps(a.v, b.v)}; }
QRX_INLINE F operator-(F a, F b) { return {_mm256_sub_ps(a.v, b.v)}; }
QRX_INLINE F operator*(F a, F b) { return {_mm256_mul_ps(a.v, b.v)}; }
QRX_INLINE F operator/(F a, F b) { return {_mm256_div_ps(a.v, b.v)}; }
QRX_INLINE F fmin(F a, F b) { return {_mm256_min_ps(a.v, b.v)}; }
QRX_INLINE F fmax(F a, F b) { return {_mm256_max_ps(a.v, b.v)}; }
QRX_INLINE M operator==(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_EQ_OQ)}; }
QRX_INLINE M operator!=(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_NEQ_UQ)}; }
QRX_INLINE M operator<(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_LT_OS)}; }
QRX_INLINE M operator>(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_GT_OS)}; }
QRX_INLINE M operator&(M a, M b) { return {_mm256_and_ps(a.v, b.v)}; }
QRX_INLINE M operator|(M a, M b) { return {_mm256_or_ps(a.v, b.v)}; }
QRX_INLINE F sel(M m, F a, F b) { return {_mm256_blendv_ps(b.v, a.v, m.v)}; }
QRX_INLINE F rcp(F a) { return {_mm256_rcp_ps(a.v)}; }
QRX_INLINE I cvtt(F a) { return {_mm256_cvttps_epi32(a.v)}; }
QRX_INLINE I cvtr(F a) { return {_mm256_cvtps_epi32(a.v)}; }
QRX_INLINE F tofloat(I a) { return {_mm256_cvtepi32_ps(a.v)}; }
QRX_INLINE I operator+(I a, I b) { return {_mm256_add_epi32(a.v, b.v)}; }
QRX_INLINE I operator-(I a, I b) { return {_mm256_sub_epi32(a.v, b.v)}; }
QRX_INLINE I operator*(I a, I b) { return {_mm256_mullo_epi32(a.v, b.v)}; }
QRX_INLINE I sra(I a, int n) { return {_mm256_srai_epi32(a.v, n)}; }
QRX_INLINE I iclamp(I a, int lo, int hi) {
    return {_mm256_min_epi32(_mm256_max_epi32(a.v, _mm256_set1_epi32(lo)), _mm256_set1_epi32(hi))};
}
#elif !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
// ---- 4 lanes (SSE2, SSE4.1 where the level has it) ----------------------------
constexpr int kLanes = 4;
struct F { __m128 v; };
struct I { __m128i v; };
struct M { __m128 v; };
QRX_INLINE F fset(float x) { return {_mm_set1_ps(x)}; }
QRX_INLINE F fload(const float* p) { return {_mm_loadu_ps(p)}; }
QRX_INLINE void fstore(float* p, F a) { _mm_storeu_ps(p, a.v); }
QRX_INLINE I iset(int x) { return {_mm_set1_epi32(x)}; }
QRX_INLINE I iload(const std::int32_t* p) { return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))}; }
QRX_INLINE void istore(std::int32_t* p, I a) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), a.v); }
QRX_INLINE F operator+(F a, F b) { return {_mm_add_ps(a.v, b.v)}; }
QRX_INLINE F operator-(F a, F b) { return {_mm_sub_ps(a.v, b.v)}; }
QRX_INLINE F operator*(F a, F b) { return {_mm_mul_ps(a.v, b.v)}; }
QRX_INLINE F operator/(F a, F b) { return {_mm_div_ps(a.v, b.v)}; }
QRX_INLINE F fmin(F a, F b) { return {_mm_min_ps(a.v, b.v)}; }
QRX_INLINE F fmax(F a, F b) { return {_mm_max_ps(a.v, b.v)}; }
QRX_INLINE M operator==(F a, F b) { return {_mm_cmpeq_ps(a.v, b.v)}; }
QRX_INLINE M operator!=(F a, F b) { return {_mm_cmpneq_ps(a.v, b.v)}; }
QRX_INLINE M operator<(F a, F b) { return {_mm_cmplt_ps(a.v, b.v)}; }
QRX_INLINE M operator>(F a, F b) { return {_mm_cmpgt_ps(a.v, b.v)}; }
QRX_INLINE M operator&(M a, M b) { return {_mm_and_ps(a.v, b.v)}; }
QRX_INLINE M operator|(M a, M b) { return {_mm_or_ps(a.v, b.v)}; }
QRX_INLINE F sel(M m, F a, F b) {
#if defined(__SSE4_1__)
    return {_mm_blendv_ps(b.v, a.v, m.v)};
#else
    return {_mm_or_ps(_mm_and_ps(m.v, a.v), _mm_andnot_ps(m.v, b.v))};
#endif
}
QRX_INLINE F rcp(F a) { return {_mm_rcp_ps(a.v)}; }
QRX_INLINE I cvtt(F a) { return {_mm_cvttps_epi32(a.v)}; }
QRX_INLINE I cvtr(F a) { return {_mm_cvtps_epi32(a.v)}; }
QRX_INLINE F tofloat(I a) { return {_mm_cvtepi32_ps(a.v)}; }
QRX_INLINE I operator+(I a, I b) { return {_mm_add_epi32(a.v, b.v)}; }
QRX_INLINE I operator-(I a, I b) { return {_mm_sub_epi32(a.v, b.v)}; }
QRX_INLINE I operator*(I a, I b) {
#if defined(__SSE4_1__)
    return {_mm_mullo_epi32(a.v, b.v)};
#else
    const __m128i even = _mm_mul_epu32(a.v, b.v);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a.v, 32), _mm_srli_epi64(b.v, 32));
    return {_mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)), _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)))};
#endif
}
QRX_INLINE I sra(I a, int n) { return {_mm_srai_epi32(a.v, n)}; }
QRX_INLINE I iclamp(I a, int lo, int hi) {
#if defined(__SSE4_1__)
    return {_mm_min_epi32(_mm_max_epi32(a.v, _mm_set1_epi32(lo)), _mm_set1_epi32(hi))};
#else
    const __m128i l = _mm_set1_epi32(lo), h = _mm_set1_epi32(hi);
    __m128i below = _mm_cmplt_epi32(a.v, l);
    __m128i x = _mm_or_si128(_mm_and_si128(below, l), _mm_andnot_si128(below, a.v));
    __m128i above = _mm_cmpgt_epi32(x, h);
    return {_mm_or_si128(_mm_and_si128(above, h), _mm_andnot_si128(above, x))};
#endif
}
#else
// ---- 4 lanes held in arrays: the reference backend --------------------------
constexpr int kLanes = 4;
struct F { float v[4]; };
struct I { std::int32_t v[4]; };
struct M { bool v[4]; };
#define QRX_HLS_LANEWISE(T, expr) \
    T r;                          \
    for (int k = 0; k < 4; ++k) r.v[k] = (expr);  \
    return r
QRX_INLINE F fset(float x) { QRX_HLS_LANEWISE(F, x); }
QRX_INLINE F fload(const float* p) { QRX_HLS_LANEWISE(F, p[k]); }
QRX_INLINE void fstore(float* p, F a) { for (int k = 0; k < 4; ++k) p[k] = a.v[k]; }
QRX_INLINE I iset(int x) { QRX_HLS_LANEWISE(I, x); }
QRX_INLINE I iload(const std::int32_t* p) { QRX_HLS_LANEWISE(I, p[k]); }
QRX_INLINE void istore(std::int32_t* p, I a) { for (int k = 0; k < 4; ++k) p[k] = a.v[k]; }
QRX_INLINE F operator+(F a, F b) { QRX_HLS_LANEWISE(F, a.v[k] + b.v[k]); }
QRX_INLINE F operator-(F a, F b) { QRX_HLS_LANEWISE(F, a.v[k] - b.v[k]); }
QRX_INLINE F operator*(F a, F b) { QRX_HLS_LANEWISE(F, a.v[k] * b.v[k]); }
QRX_INLINE F operator/(F a, F b) { QRX_HLS_LANEWISE(F, a.v[k] / b.v[k]); }
QRX_INLINE F fmin(F a, F b) { QRX_HLS_LANEWISE(F, fmin_sse(a.v[k], b.v[k])); }
QRX_INLINE F fmax(F a, F b) { QRX_HLS_LANEWISE(F, fmax_sse(a.v[k], b.v[k])); }
QRX_INLINE M operator==(F a, F b) { QRX_HLS_LANEWISE(M, a.v[k] == b.v[k]); }
QRX_INLINE M operator!=(F a, F b) { QRX_HLS_LANEWISE(M, a.v[k] != b.v[k]); }
QRX_INLINE M operator<(F a, F b) { QRX_HLS_LANEWISE(M, a.v[k] < b.v[k]); }
QRX_INLINE M operator>(F a, F b) { QRX_HLS_LANEWISE(M, a.v[k] > b.v[k]); }
QRX_INLINE M operator&(M a, M b) { QRX_HLS_LANEWISE(M, a.v[k] && b.v[k]); }
QRX_INLINE M operator|(M a, M b) { QRX_HLS_LANEWISE(M, a.v[k] || b.v[k]); }
QRX_INLINE F sel(M m, F a, F b) { QRX_HLS_LANEWISE(F, m.v[k] ? a.v[k] : b.v[k]); }
QRX_INLINE F rcp(F a) { QRX_HLS_LANEWISE(F, rcp_estimate(a.v[k])); }
QRX_INLINE I cvtt(F a) { QRX_HLS_LANEWISE(I, trunc_i(a.v[k])); }
QRX_INLINE I cvtr(F a) { QRX_HLS_LANEWISE(I, round_even_i(a.v[k])); }
QRX_INLINE F tofloat(I a) { QRX_HLS_LANEWISE(F, static_cast<float>(a.v[k])); }
QRX_INLINE I operator+(I a, I b) {
    QRX_HLS_LANEWISE(I, static_cast<std::int32_t>(static_cast<std::uint32_t>(a.v[k]) + static_cast<std::uint32_t>(b.v[k])));
}
QRX_INLINE I operator-(I a, I b) {
    QRX_HLS_LANEWISE(I, static_cast<std::int32_t>(static_cast<std::uint32_t>(a.v[k]) - static_cast<std::uint32_t>(b.v[k])));
}
QRX_INLINE I operator*(I a, I b) {
    QRX_HLS_LANEWISE(I, static_cast<std::int32_t>(static_cast<std::uint32_t>(a.v[k]) * static_cast<std::uint32_t>(b.v[k])));
}
QRX_INLINE I sra(I a, int n) { QRX_HLS_LANEWISE(I, a.v[k] >> n); }
QRX_INLINE I iclamp(I a, int lo, int hi) { QRX_HLS_LANEWISE(I, clampi(a.v[k], lo, hi)); }
#undef QRX_HLS_LANEWISE
#endif

// rcp1: the estimate refined by one Newton step, in single precision.
QRX_INLINE F rcp1(F x) {
    const F r = rcp(x);
    return (r + r) - (x * r) * r;
}

// ---- sample access by layout -----------------------------------------------
// Pix<T, CH, SWAP>: pixel order, CH samples per pixel; SWAP reads/writes the
// first three channels in reverse order (BGR side of an RGB recipe).
// Planes<T, SWAP>: channel c in plane c of a pointer array.
template <class T, int CH, bool SWAP>
struct Pix {
    using S = T;
    static constexpr int kStride = CH;  // samples from one pixel to the next in p[0]
    static constexpr int ch(int c) { return SWAP ? 2 - c : c; }
    static inline T get(const void* const* p, std::ptrdiff_t x, int c) {
        return static_cast<const T*>(p[0])[CH * x + ch(c)];
    }
    static inline void put(void* const* p, std::ptrdiff_t x, int c, T v) { static_cast<T*>(p[0])[CH * x + ch(c)] = v; }
};
template <class T, bool SWAP>
struct Planes {
    using S = T;
    static constexpr int kStride = 1;
    static constexpr int ch(int c) { return SWAP ? 2 - c : c; }
    static inline T get(const void* const* p, std::ptrdiff_t x, int c) { return static_cast<const T*>(p[ch(c)])[x]; }
    static inline void put(void* const* p, std::ptrdiff_t x, int c, T v) { static_cast<T*>(p[ch(c)])[x] = v; }
};

QRX_INLINE void lanes_store(std::int32_t* p, I a) { istore(p, a); }
QRX_INLINE void lanes_store(float* p, F a) { fstore(p, a); }
template <class L>
struct LaneArray;
template <>
struct LaneArray<I> { using type = std::int32_t; };
template <>
struct LaneArray<F> { using type = float; };

// ---- whole-lane loads and stores -------------------------------------------
// LaneIo<Layout>::load reads kLanes pixels from pixel x into three float lanes
// (channel order of the recipe); store writes three result lanes (integers
// already in the sample range, or floats).  The generic versions go sample by
// sample; the AVX2 backend has shuffling versions for the common layouts.
template <class L>
struct LaneIo {
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        alignas(32) float a[3][kLanes];
        for (int k = 0; k < kLanes; ++k)
            for (int ch = 0; ch < 3; ++ch) a[ch][k] = static_cast<float>(L::get(p, x + k, ch));
        for (int ch = 0; ch < 3; ++ch) c[ch] = fload(a[ch]);
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        using Elem = typename LaneArray<Lane>::type;
        alignas(32) Elem b[3][kLanes];
        for (int ch = 0; ch < 3; ++ch) lanes_store(b[ch], o[ch]);
        for (int k = 0; k < kLanes; ++k)
            for (int ch = 0; ch < 3; ++ch) L::put(p, x + k, ch, static_cast<typename L::S>(b[ch][k]));
    }
};

#if defined(QRX_HLS_LANES16)
// Three-channel interleave of 16 pixels held as 48 32-bit elements in three
// registers: channel C of pixel k is element C + 3k.  A two-register permute
// takes the elements of the first two registers, a masked permute those of
// the third.
struct Tri16 {
    alignas(64) int gather_a[3][16];
    alignas(64) int gather_b[3][16];
    __mmask16 gather_m[3];
    alignas(64) int scatter_a[3][16];
    alignas(64) int scatter_b[3][16];
    __mmask16 scatter_m[3];
    constexpr Tri16() : gather_a(), gather_b(), gather_m(), scatter_a(), scatter_b(), scatter_m() {
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 16; ++k) {
                const int e = c + 3 * k;
                gather_a[c][k] = e < 32 ? e : 0;
                gather_b[c][k] = e >= 32 ? e - 32 : 0;
                if (e >= 32) gather_m[c] = static_cast<__mmask16>(gather_m[c] | (1u << k));
            }
        for (int r = 0; r < 3; ++r)
            for (int p = 0; p < 16; ++p) {
                const int e = 16 * r + p, c = e % 3, k = e / 3;
                scatter_a[r][p] = c == 0 ? k : c == 1 ? 16 + k : 0;
                scatter_b[r][p] = k;
                if (c == 2) scatter_m[r] = static_cast<__mmask16>(scatter_m[r] | (1u << p));
            }
    }
};
constexpr Tri16 kTri16{};
QRX_INLINE __m512i tri_idx(const int* p) { return _mm512_load_si512(p); }
QRX_INLINE __m512 tri_gather(int c, __m512 v0, __m512 v1, __m512 v2) {
    const __m512 t = _mm512_permutex2var_ps(v0, tri_idx(kTri16.gather_a[c]), v1);
    return _mm512_mask_permutexvar_ps(t, kTri16.gather_m[c], tri_idx(kTri16.gather_b[c]), v2);
}
QRX_INLINE __m512 tri_scatter(int r, __m512 c0, __m512 c1, __m512 c2) {
    const __m512 t = _mm512_permutex2var_ps(c0, tri_idx(kTri16.scatter_a[r]), c1);
    return _mm512_mask_permutexvar_ps(t, kTri16.scatter_m[r], tri_idx(kTri16.scatter_b[r]), c2);
}
QRX_INLINE __m512 widen16(const u8* s) {
    return _mm512_castsi512_ps(_mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s))));
}
QRX_INLINE __m512 widen16(const u16* s) {
    return _mm512_castsi512_ps(_mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s))));
}
QRX_INLINE __m512 widen16(const s16* s) {
    return _mm512_castsi512_ps(_mm512_cvtepi16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s))));
}
QRX_INLINE __m512 widen16(const float* s) { return _mm512_loadu_ps(s); }
template <class T>
QRX_INLINE F as_float(__m512 v) {
    if constexpr (std::is_same_v<T, float>) return {v};
    else return {_mm512_cvtepi32_ps(_mm512_castps_si512(v))};
}
// 16 int32 already in the range of T narrowed and stored; floats as they are.
QRX_INLINE void narrow16(u8* d, __m512 v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm512_cvtepi32_epi8(_mm512_castps_si512(v)));
}
QRX_INLINE void narrow16(u16* d, __m512 v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm512_cvtepi32_epi16(_mm512_castps_si512(v)));
}
QRX_INLINE void narrow16(s16* d, __m512 v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm512_cvtepi32_epi16(_mm512_castps_si512(v)));
}
QRX_INLINE void narrow16(float* d, __m512 v) { _mm512_storeu_ps(d, v); }
QRX_INLINE __m512 bits(I a) { return _mm512_castsi512_ps(a.v); }
QRX_INLINE __m512 bits(F a) { return a.v; }

template <class T, bool SWAP>
struct LaneIo<Pix<T, 3, SWAP>> {
    using L = Pix<T, 3, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        const T* s = static_cast<const T*>(p[0]) + 3 * x;
        const __m512 v0 = widen16(s), v1 = widen16(s + 16), v2 = widen16(s + 32);
        for (int ch = 0; ch < 3; ++ch) c[ch] = as_float<T>(tri_gather(L::ch(ch), v0, v1, v2));
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        T* d = static_cast<T*>(p[0]) + 3 * x;
        const __m512 c0 = bits(o[L::ch(0)]), c1 = bits(o[1]), c2 = bits(o[L::ch(2)]);
        narrow16(d, tri_scatter(0, c0, c1, c2));
        narrow16(d + 16, tri_scatter(1, c0, c1, c2));
        narrow16(d + 32, tri_scatter(2, c0, c1, c2));
    }
};

template <class T, bool SWAP>
struct LaneIo<Planes<T, SWAP>> {
    using L = Planes<T, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        for (int ch = 0; ch < 3; ++ch) c[ch] = as_float<T>(widen16(static_cast<const T*>(p[L::ch(ch)]) + x));
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        for (int ch = 0; ch < 3; ++ch) narrow16(static_cast<T*>(p[L::ch(ch)]) + x, bits(o[ch]));
    }
};

// 8u, four samples per pixel: only the first three bytes of each
// destination pixel are written.
template <bool SWAP>
struct LaneIo<Pix<u8, 4, SWAP>> {
    using L = Pix<u8, 4, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        const __m512i v = _mm512_loadu_si512(static_cast<const u8*>(p[0]) + 4 * x);
        const __m512i ff = _mm512_set1_epi32(255);
        c[L::ch(0)] = {_mm512_cvtepi32_ps(_mm512_and_si512(v, ff))};
        c[1] = {_mm512_cvtepi32_ps(_mm512_and_si512(_mm512_srli_epi32(v, 8), ff))};
        c[L::ch(2)] = {_mm512_cvtepi32_ps(_mm512_and_si512(_mm512_srli_epi32(v, 16), ff))};
    }
    static inline void store(void* const* p, std::ptrdiff_t x, const I o[3]) {
        const __m512i v = _mm512_or_si512(_mm512_or_si512(o[L::ch(0)].v, _mm512_slli_epi32(o[1].v, 8)),
                                          _mm512_slli_epi32(o[L::ch(2)].v, 16));
        _mm512_mask_storeu_epi8(static_cast<u8*>(p[0]) + 4 * x, 0x7777777777777777ull, v);
    }
};
#elif !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
// Three-channel interleave of 8 pixels held as 24 32-bit elements in three
// registers: channel C of pixel k is element C + 3k, which sits at position
// (C + 3k) mod 8 of register (C + 3k) / 8; the positions of one channel are
// all different, so two blends and one permute gather it.
template <int C>
struct Tri {
    static constexpr int reg_of(int p) {
        for (int k = 0; k < 8; ++k)
            if ((C + 3 * k) % 8 == p) return (C + 3 * k) / 8;
        return 0;
    }
    static constexpr int from(int reg) {
        int m = 0;
        for (int p = 0; p < 8; ++p)
            if (reg_of(p) == reg) m |= 1 << p;
        return m;
    }
    static constexpr int lane_at(int p) { return ((p - C) % 8 + 8) * 3 % 8; }  // k with (C + 3k) mod 8 = p
    static constexpr int of_reg(int r) {  // positions of register r that hold channel C
        int m = 0;
        for (int p = 0; p < 8; ++p)
            if ((8 * r + p) % 3 == C) m |= 1 << p;
        return m;
    }
};
template <int C>
QRX_INLINE __m256 tri_gather(__m256 v0, __m256 v1, __m256 v2) {
    constexpr int m1 = Tri<C>::from(1), m2 = Tri<C>::from(2);
    const __m256 t = _mm256_blend_ps(_mm256_blend_ps(v0, v1, m1), v2, m2);
    return _mm256_permutevar8x32_ps(t, _mm256_setr_epi32(C % 8, (C + 3) % 8, (C + 6) % 8, (C + 9) % 8, (C + 12) % 8,
                                                         (C + 15) % 8, (C + 18) % 8, (C + 21) % 8));
}
template <int C>
QRX_INLINE __m256 tri_spread(__m256 x) {
    using T = Tri<C>;
    return _mm256_permutevar8x32_ps(x, _mm256_setr_epi32(T::lane_at(0), T::lane_at(1), T::lane_at(2), T::lane_at(3),
                                                         T::lane_at(4), T::lane_at(5), T::lane_at(6), T::lane_at(7)));
}
template <int R>
QRX_INLINE __m256 tri_merge(__m256 y0, __m256 y1, __m256 y2) {
    constexpr int m1 = Tri<1>::of_reg(R), m2 = Tri<2>::of_reg(R);
    return _mm256_blend_ps(_mm256_blend_ps(y0, y1, m1), y2, m2);
}

// 8 elements of T widened to int32 (floats: their bits).
QRX_INLINE __m256 widen8(const u8* s) {
    return _mm256_castsi256_ps(_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s))));
}
QRX_INLINE __m256 widen8(const u16* s) {
    return _mm256_castsi256_ps(_mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s))));
}
QRX_INLINE __m256 widen8(const s16* s) {
    return _mm256_castsi256_ps(_mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s))));
}
QRX_INLINE __m256 widen8(const float* s) { return _mm256_loadu_ps(s); }
template <class T>
QRX_INLINE F as_float(__m256 v) {
    if constexpr (std::is_same_v<T, float>) return {v};
    else return {_mm256_cvtepi32_ps(_mm256_castps_si256(v))};
}
// 8 int32 (in the range of T) narrowed and stored; floats stored as they are.
QRX_INLINE void narrow8(u8* d, __m256 v) {
    const __m256i i = _mm256_castps_si256(v);
    const __m128i w = _mm_packs_epi32(_mm256_castsi256_si128(i), _mm256_extracti128_si256(i, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(w, w));
}
QRX_INLINE void narrow8(u16* d, __m256 v) {
    const __m256i i = _mm256_castps_si256(v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packus_epi32(_mm256_castsi256_si128(i), _mm256_extracti128_si256(i, 1)));
}
QRX_INLINE void narrow8(s16* d, __m256 v) {
    const __m256i i = _mm256_castps_si256(v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packs_epi32(_mm256_castsi256_si128(i), _mm256_extracti128_si256(i, 1)));
}
QRX_INLINE void narrow8(float* d, __m256 v) { _mm256_storeu_ps(d, v); }
QRX_INLINE __m256 bits(I a) { return _mm256_castsi256_ps(a.v); }
QRX_INLINE __m256 bits(F a) { return a.v; }

template <class T, bool SWAP>
struct LaneIo<Pix<T, 3, SWAP>> {
    using L = Pix<T, 3, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        const T* s = static_cast<const T*>(p[0]) + 3 * x;
        const __m256 v0 = widen8(s), v1 = widen8(s + 8), v2 = widen8(s + 16);
        c[L::ch(0)] = as_float<T>(tri_gather<0>(v0, v1, v2));
        c[1] = as_float<T>(tri_gather<1>(v0, v1, v2));
        c[L::ch(2)] = as_float<T>(tri_gather<2>(v0, v1, v2));
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        T* d = static_cast<T*>(p[0]) + 3 * x;
        const __m256 y0 = tri_spread<0>(bits(o[L::ch(0)])), y1 = tri_spread<1>(bits(o[1])),
                     y2 = tri_spread<2>(bits(o[L::ch(2)]));
        narrow8(d, tri_merge<0>(y0, y1, y2));
        narrow8(d + 8, tri_merge<1>(y0, y1, y2));
        narrow8(d + 16, tri_merge<2>(y0, y1, y2));
    }
};

template <class T, bool SWAP>
struct LaneIo<Planes<T, SWAP>> {
    using L = Planes<T, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        for (int ch = 0; ch < 3; ++ch) c[ch] = as_float<T>(widen8(static_cast<const T*>(p[L::ch(ch)]) + x));
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        for (int ch = 0; ch < 3; ++ch) narrow8(static_cast<T*>(p[L::ch(ch)]) + x, bits(o[ch]));
    }
};

// 8u, three samples per pixel: byte shuffles within each 128-bit half
// (pixels 0..3 from the first 16 bytes, pixels 4..7 from bytes 8..23).
struct Bytes3 {
    // bytes of each half after the packs, R0..3 G0..3 B0..3 B0..3 -> R0 G0 B0 R1 ...
    alignas(32) signed char interleave_[32];
    constexpr Bytes3() : interleave_() {
        for (int h = 0; h < 2; ++h)
            for (int j = 0; j < 16; ++j)
                interleave_[16 * h + j] = static_cast<signed char>(j < 12 ? (j % 3) * 4 + j / 3 : -128);
    }
    __m256i interleave() const { return _mm256_load_si256(reinterpret_cast<const __m256i*>(interleave_)); }
};
constexpr Bytes3 kBytes3{};

template <bool SWAP>
struct LaneIo<Pix<u8, 3, SWAP>> {
    using L = Pix<u8, 3, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        __m256i c0, c1, c2;
        qrx::models::load_c3x8_epi32(static_cast<const u8*>(p[0]) + 3 * x, c0, c1, c2);
        c[L::ch(0)] = {_mm256_cvtepi32_ps(c0)};
        c[1] = {_mm256_cvtepi32_ps(c1)};
        c[L::ch(2)] = {_mm256_cvtepi32_ps(c2)};
    }
    static inline void store(void* const* p, std::ptrdiff_t x, const I o[3]) {
        u8* d = static_cast<u8*>(p[0]) + 3 * x;
        const __m256i rg = _mm256_packs_epi32(o[L::ch(0)].v, o[1].v);
        const __m256i bb = _mm256_packs_epi32(o[L::ch(2)].v, o[L::ch(2)].v);
        const __m256i px = _mm256_shuffle_epi8(_mm256_packus_epi16(rg, bb), kBytes3.interleave());
        const __m128i hi = _mm256_extracti128_si256(px, 1);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm256_castsi256_si128(px));  // bytes 12..15 rewritten next
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 12), hi);
        const std::uint32_t last = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(hi, 8)));
        std::memcpy(d + 20, &last, 4);
    }
};

// 8u, four samples per pixel: the fourth byte of the destination is kept.
template <bool SWAP>
struct LaneIo<Pix<u8, 4, SWAP>> {
    using L = Pix<u8, 4, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(static_cast<const u8*>(p[0]) + 4 * x));
        const __m256i ff = _mm256_set1_epi32(255);
        c[L::ch(0)] = {_mm256_cvtepi32_ps(_mm256_and_si256(v, ff))};
        c[1] = {_mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(v, 8), ff))};
        c[L::ch(2)] = {_mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(v, 16), ff))};
    }
    static inline void store(void* const* p, std::ptrdiff_t x, const I o[3]) {
        __m256i* d = reinterpret_cast<__m256i*>(static_cast<u8*>(p[0]) + 4 * x);
        const __m256i alpha = _mm256_and_si256(_mm256_loadu_si256(d), _mm256_set1_epi32(static_cast<int>(0xff000000u)));
        const __m256i v = _mm256_or_si256(_mm256_or_si256(o[L::ch(0)].v, _mm256_slli_epi32(o[1].v, 8)),
                                          _mm256_or_si256(_mm256_slli_epi32(o[L::ch(2)].v, 16), alpha));
        _mm256_storeu_si256(d, v);
    }
};
#elif !defined(QRX_LEVEL_SCALAR) && defined(__SSE4_1__)
// 4 lanes with SSSE3/SSE4.1 byte shuffles for 8u pixel order.
struct Bytes3x4 {
    alignas(16) signed char spread_[3][16];  // dword k <- byte 3k + c, zero-extended
    alignas(16) signed char interleave_[16];  // R0..3 G0..3 B0..3 B0..3 -> R0 G0 B0 R1 ...
    constexpr Bytes3x4() : spread_(), interleave_() {
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                for (int b = 0; b < 4; ++b) spread_[c][4 * k + b] = static_cast<signed char>(b == 0 ? 3 * k + c : -128);
        for (int j = 0; j < 16; ++j) interleave_[j] = static_cast<signed char>(j < 12 ? (j % 3) * 4 + j / 3 : -128);
    }
    __m128i spread(int c) const { return _mm_load_si128(reinterpret_cast<const __m128i*>(spread_[c])); }
    __m128i interleave() const { return _mm_load_si128(reinterpret_cast<const __m128i*>(interleave_)); }
};
constexpr Bytes3x4 kBytes3x4{};

template <bool SWAP>
struct LaneIo<Pix<u8, 3, SWAP>> {
    using L = Pix<u8, 3, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        const u8* s = static_cast<const u8*>(p[0]) + 3 * x;
        std::uint32_t last;
        std::memcpy(&last, s + 8, 4);
        const __m128i v = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s)),
                                             _mm_cvtsi32_si128(static_cast<int>(last)));
        c[L::ch(0)] = {_mm_cvtepi32_ps(_mm_shuffle_epi8(v, kBytes3x4.spread(0)))};
        c[1] = {_mm_cvtepi32_ps(_mm_shuffle_epi8(v, kBytes3x4.spread(1)))};
        c[L::ch(2)] = {_mm_cvtepi32_ps(_mm_shuffle_epi8(v, kBytes3x4.spread(2)))};
    }
    static inline void store(void* const* p, std::ptrdiff_t x, const I o[3]) {
        u8* d = static_cast<u8*>(p[0]) + 3 * x;
        const __m128i rg = _mm_packs_epi32(o[L::ch(0)].v, o[1].v);
        const __m128i bb = _mm_packs_epi32(o[L::ch(2)].v, o[L::ch(2)].v);
        const __m128i px = _mm_shuffle_epi8(_mm_packus_epi16(rg, bb), kBytes3x4.interleave());
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d), px);
        const std::uint32_t last = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(px, 8)));
        std::memcpy(d + 8, &last, 4);
    }
};

// 8u, four samples per pixel: the fourth byte of the destination is kept.
template <bool SWAP>
struct LaneIo<Pix<u8, 4, SWAP>> {
    using L = Pix<u8, 4, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(static_cast<const u8*>(p[0]) + 4 * x));
        const __m128i ff = _mm_set1_epi32(255);
        c[L::ch(0)] = {_mm_cvtepi32_ps(_mm_and_si128(v, ff))};
        c[1] = {_mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(v, 8), ff))};
        c[L::ch(2)] = {_mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(v, 16), ff))};
    }
    static inline void store(void* const* p, std::ptrdiff_t x, const I o[3]) {
        __m128i* d = reinterpret_cast<__m128i*>(static_cast<u8*>(p[0]) + 4 * x);
        const __m128i alpha = _mm_and_si128(_mm_loadu_si128(d), _mm_set1_epi32(static_cast<int>(0xff000000u)));
        const __m128i v = _mm_or_si128(_mm_or_si128(o[L::ch(0)].v, _mm_slli_epi32(o[1].v, 8)),
                                       _mm_or_si128(_mm_slli_epi32(o[L::ch(2)].v, 16), alpha));
        _mm_storeu_si128(d, v);
    }
};
#endif

// One row: pixels [0, body) by the grouped recipe Op::group (lane-wise, so
// any number of lanes per step keeps its result), [body, width) by the
// per-pixel recipe Op::pixel.  The grouped region is always whole groups; a
// last step with fewer pixels than lanes fills the spare lanes with a copy
// of its first pixel and stores only its own.
template <class Op, class In, class Out>
void convert_row(const void* const* src, void* const* dst, int body, int width) {
    using Lane = typename Op::Out;
    using Elem = typename LaneArray<Lane>::type;
    using OS = typename Out::S;
    int i = 0;
    for (; i + kLanes <= body; i += kLanes) {
        // the loads of a group wait on memory unless asked for well ahead
        // (32f HLS -> RGB about a third faster at 1920x1080)
        __builtin_prefetch(static_cast<const char*>(src[0]) + sizeof(typename In::S) * In::kStride * i + 1024);
        F c[3];
        LaneIo<In>::load(src, i, c);
        Lane o[3];
        Op::group(c[0], c[1], c[2], o[0], o[1], o[2]);
        LaneIo<Out>::store(dst, i, o);
    }
    if (i < body) {
        const int cnt = body - i;
        alignas(32) float a[3][kLanes];
        for (int k = 0; k < kLanes; ++k) {
            const std::ptrdiff_t x = i + (k < cnt ? k : 0);
            for (int c = 0; c < 3; ++c) a[c][k] = static_cast<float>(In::get(src, x, c));
        }
        Lane o[3];
        Op::group(fload(a[0]), fload(a[1]), fload(a[2]), o[0], o[1], o[2]);
        alignas(32) Elem b[3][kLanes];
        for (int c = 0; c < 3; ++c) lanes_store(b[c], o[c]);
        for (int k = 0; k < cnt; ++k)
            for (int c = 0; c < 3; ++c) Out::put(dst, i + k, c, static_cast<OS>(b[c][k]));
    }
    for (int x = body; x < width; ++x) {
        OS r0, r1, r2;
        Op::pixel(In::get(src, x, 0), In::get(src, x, 1), In::get(src, x, 2), r0, r1, r2);
        Out::put(dst, x, 0, r0);
        Out::put(dst, x, 1, r1);
        Out::put(dst, x, 2, r2);
    }
}

}  // namespace
}  // namespace qrx::hlsycc::QRX_LEVEL
