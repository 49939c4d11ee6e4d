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
#include <type_traits>

#if defined(__SSE__) || defined(__SSE2__) || defined(_M_X64)
#include <immintrin.h>
#define QRX_HLS_HAVE_SSE_RCP 1
#else
#define QRX_HLS_HAVE_SSE_RCP 0
#endif

#include "core/inline.h"

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

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
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
    static constexpr int ch(int c) { return SWAP ? 2 - c : c; }
    static inline T get(const void* const* p, std::ptrdiff_t x, int c) {
        return static_cast<const T*>(p[0])[CH * x + ch(c)];
    }
    static inline void put(void* const* p, std::ptrdiff_t x, int c, T v) { static_cast<T*>(p[0])[CH * x + ch(c)] = v; }
};
template <class T, bool SWAP>
struct Planes {
    using S = T;
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

// One row: pixels [0, body) by the grouped recipe Op::group (lane-wise, so
// any number of lanes per step keeps its result), [body, width) by the
// per-pixel recipe Op::pixel.  The grouped region is always whole groups.
template <class Op, class In, class Out>
void convert_row(const void* const* src, void* const* dst, int body, int width) {
    using Lane = typename Op::Out;
    using Elem = typename LaneArray<Lane>::type;
    using OS = typename Out::S;
    for (int i = 0; i < body; i += kLanes) {
        const int cnt = body - i < kLanes ? body - i : kLanes;
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
