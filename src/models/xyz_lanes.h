// Lanes for the single-precision recipes of the XYZ, LUV and Lab conversions.
//
// Every float recipe is written once as a template over a lane type: plain
// `float` (one pixel), F4 (four pixels, 128-bit) or F8 (eight pixels, 256-bit).
// Each lane operation is the same IEEE single-precision operation whatever the
// width, so a recipe gives the same bits one pixel at a time or eight at a
// time.  The reciprocal estimate is the processor's own (rcpss/rcpps) at every
// level, including the one-pixel lanes: its bits are part of the results.
#pragma once

#include <cstdint>

#include "core/inline.h"

#if defined(__SSE__) || defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#define QRX_XYZ_HAVE_RCP 1
#else
#include <cmath>
#define QRX_XYZ_HAVE_RCP 0
#endif

namespace qrx::xyzlab {
namespace {

template <class T>
struct Tri {
    T a, b, c;
};

}  // namespace

// ---- one pixel -------------------------------------------------------------

// Select, and the max/min of the packed instructions: (x > lo) ? x : lo, so a
// NaN gives the bound.
QRX_INLINE float sel(bool m, float a, float b) { return m ? a : b; }
QRX_INLINE int sel(bool m, int a, int b) { return m ? a : b; }
QRX_INLINE float vmax(float x, float lo) { return x > lo ? x : lo; }
QRX_INLINE float vmin(float x, float hi) { return x < hi ? x : hi; }
QRX_INLINE float clampf(float x, float lo, float hi) { return vmin(vmax(x, lo), hi); }

// Reciprocal estimate of the processor (about 12 bits).  Off x86 a true
// division stands in for it (see the decisions record).
QRX_INLINE float vrcp(float x) {
#if QRX_XYZ_HAVE_RCP
    return _mm_cvtss_f32(_mm_rcp_ss(_mm_set_ss(x)));
#else
    return 1.0f / x;
#endif
}
// Truncation toward zero and round-to-nearest-even; callers clamp first.
QRX_INLINE int vtrunc(float x) { return static_cast<int>(x); }
QRX_INLINE int vround(float x) {
#if QRX_XYZ_HAVE_RCP
    return _mm_cvtss_si32(_mm_set_ss(x));
#else
    return static_cast<int>(std::nearbyint(x));
#endif
}
QRX_INLINE float to_float(int i) { return static_cast<float>(i); }
QRX_INLINE int imin(int a, int b) { return a < b ? a : b; }
QRX_INLINE int imax(int a, int b) { return a > b ? a : b; }
QRX_INLINE int isra(int a, int k) { return a >> k; }
QRX_INLINE bool ieq(int a, int b) { return a == b; }

// Rows of a two-column float table, and bytes of a byte table.
QRX_INLINE void gather_row(const float (*tab)[2], int j, float& c, float& k) {
    c = tab[j][0];
    k = tab[j][1];
}
QRX_INLINE int gather_u8(const std::uint8_t* tab, int i) { return tab[i]; }

// Estimate refined by one Newton step: (r + r) - (x * r) * r.
template <class L>
QRX_INLINE L vrcp1(L x) {
    const L r = vrcp(x);
    return (r + r) - (x * r) * r;
}

template <class L>
struct LaneWidth {
    static constexpr int value = L::kWidth;
};
template <>
struct LaneWidth<float> {
    static constexpr int value = 1;
};

QRX_INLINE float load_lanes(const float* p, float) { return *p; }
QRX_INLINE void store_lanes(float* p, float v) { *p = v; }
QRX_INLINE void store_lanes(std::int32_t* p, int v) { *p = v; }

}  // namespace qrx::xyzlab

// ---- four and eight pixels ---------------------------------------------------
// Only the SIMD level files ask for these (QRX_XYZ_VECTOR_LANES set before the
// include); the scalar level keeps to one-pixel lanes.
#if defined(QRX_XYZ_VECTOR_LANES) && defined(__SSE2__)
namespace qrx::xyzlab {
namespace {

struct F4 {
    static constexpr int kWidth = 4;
    using Elem = float;
    __m128 v;
    F4() = default;
    F4(__m128 x) : v(x) {}
    F4(float f) : v(_mm_set1_ps(f)) {}
};
struct M4 {
    __m128 v;
};
struct I4 {
    using Elem = std::int32_t;
    __m128i v;
    I4() = default;
    I4(__m128i x) : v(x) {}
    I4(int i) : v(_mm_set1_epi32(i)) {}
};

inline F4 operator+(F4 a, F4 b) { return _mm_add_ps(a.v, b.v); }
inline F4 operator-(F4 a, F4 b) { return _mm_sub_ps(a.v, b.v); }
inline F4 operator*(F4 a, F4 b) { return _mm_mul_ps(a.v, b.v); }
inline F4 operator/(F4 a, F4 b) { return _mm_div_ps(a.v, b.v); }
inline F4 operator-(F4 a) { return _mm_xor_ps(a.v, _mm_set1_ps(-0.0f)); }
inline M4 operator>(F4 a, F4 b) { return {_mm_cmpgt_ps(a.v, b.v)}; }
inline M4 operator>=(F4 a, F4 b) { return {_mm_cmpge_ps(a.v, b.v)}; }
inline M4 operator<(F4 a, F4 b) { return {_mm_cmplt_ps(a.v, b.v)}; }
inline M4 operator<=(F4 a, F4 b) { return {_mm_cmple_ps(a.v, b.v)}; }
inline M4 operator==(F4 a, F4 b) { return {_mm_cmpeq_ps(a.v, b.v)}; }
inline F4 sel(M4 m, F4 a, F4 b) { return _mm_or_ps(_mm_and_ps(m.v, a.v), _mm_andnot_ps(m.v, b.v)); }
inline I4 sel(M4 m, I4 a, I4 b) {
    const __m128i mi = _mm_castps_si128(m.v);
    return _mm_or_si128(_mm_and_si128(mi, a.v), _mm_andnot_si128(mi, b.v));
}
inline F4 vmax(F4 x, F4 lo) { return _mm_max_ps(x.v, lo.v); }
inline F4 vmin(F4 x, F4 hi) { return _mm_min_ps(x.v, hi.v); }
inline F4 clampf(F4 x, F4 lo, F4 hi) { return vmin(vmax(x, lo), hi); }
inline F4 vrcp(F4 x) { return _mm_rcp_ps(x.v); }
inline I4 vtrunc(F4 x) { return _mm_cvttps_epi32(x.v); }
inline I4 vround(F4 x) { return _mm_cvtps_epi32(x.v); }
inline F4 to_float(I4 i) { return _mm_cvtepi32_ps(i.v); }
inline I4 isra(I4 a, int k) { return _mm_srai_epi32(a.v, k); }
inline M4 ieq(I4 a, I4 b) { return {_mm_castsi128_ps(_mm_cmpeq_epi32(a.v, b.v))}; }
inline I4 imin(I4 a, I4 b) {
    const __m128i gt = _mm_cmpgt_epi32(a.v, b.v);
    return _mm_or_si128(_mm_and_si128(gt, b.v), _mm_andnot_si128(gt, a.v));
}
inline I4 imax(I4 a, I4 b) {
    const __m128i gt = _mm_cmpgt_epi32(a.v, b.v);
    return _mm_or_si128(_mm_and_si128(gt, a.v), _mm_andnot_si128(gt, b.v));
}
inline void gather_row(const float (*tab)[2], I4 j, F4& c, F4& k) {
    alignas(16) std::int32_t idx[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(idx), j.v);
    c = _mm_setr_ps(tab[idx[0]][0], tab[idx[1]][0], tab[idx[2]][0], tab[idx[3]][0]);
    k = _mm_setr_ps(tab[idx[0]][1], tab[idx[1]][1], tab[idx[2]][1], tab[idx[3]][1]);
}
inline I4 gather_u8(const std::uint8_t* tab, I4 i) {
    alignas(16) std::int32_t idx[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(idx), i.v);
    return _mm_setr_epi32(tab[idx[0]], tab[idx[1]], tab[idx[2]], tab[idx[3]]);
}
inline F4 load_lanes(const float* p, F4) { return _mm_load_ps(p); }
inline void store_lanes(float* p, F4 v) { _mm_store_ps(p, v.v); }
inline void store_lanes(std::int32_t* p, I4 v) { _mm_store_si128(reinterpret_cast<__m128i*>(p), v.v); }

}  // namespace
}  // namespace qrx::xyzlab
#endif

#if defined(QRX_XYZ_VECTOR_LANES) && defined(__AVX2__)
namespace qrx::xyzlab {
namespace {

struct F8 {
    static constexpr int kWidth = 8;
    using Elem = float;
    __m256 v;
    F8() = default;
    F8(__m256 x) : v(x) {}
    F8(float f) : v(_mm256_set1_ps(f)) {}
};
struct M8 {
    __m256 v;
};
struct I8 {
    using Elem = std::int32_t;
    __m256i v;
    I8() = default;
    I8(__m256i x) : v(x) {}
    I8(int i) : v(_mm256_set1_epi32(i)) {}
};

inline F8 operator+(F8 a, F8 b) { return _mm256_add_ps(a.v, b.v); }
inline F8 operator-(F8 a, F8 b) { return _mm256_sub_ps(a.v, b.v); }
inline F8 operator*(F8 a, F8 b) { return _mm256_mul_ps(a.v, b.v); }
inline F8 operator/(F8 a, F8 b) { return _mm256_div_ps(a.v, b.v); }
inline F8 operator-(F8 a) { return _mm256_xor_ps(a.v, _mm256_set1_ps(-0.0f)); }
inline M8 operator>(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_GT_OQ)}; }
inline M8 operator>=(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_GE_OQ)}; }
inline M8 operator<(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_LT_OQ)}; }
inline M8 operator<=(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_LE_OQ)}; }
inline M8 operator==(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_EQ_OQ)}; }
inline F8 sel(M8 m, F8 a, F8 b) { return _mm256_blendv_ps(b.v, a.v, m.v); }
inline I8 sel(M8 m, I8 a, I8 b) { return _mm256_blendv_epi8(b.v, a.v, _mm256_castps_si256(m.v)); }
inline F8 vmax(F8 x, F8 lo) { return _mm256_max_ps(x.v, lo.v); }
inline F8 vmin(F8 x, F8 hi) { return _mm256_min_ps(x.v, hi.v); }
inline F8 clampf(F8 x, F8 lo, F8 hi) { return vmin(vmax(x, lo), hi); }
inline F8 vrcp(F8 x) { return _mm256_rcp_ps(x.v); }
inline I8 vtrunc(F8 x) { return _mm256_cvttps_epi32(x.v); }
inline I8 vround(F8 x) { return _mm256_cvtps_epi32(x.v); }
inline F8 to_float(I8 i) { return _mm256_cvtepi32_ps(i.v); }
inline I8 isra(I8 a, int k) { return _mm256_srai_epi32(a.v, k); }
inline M8 ieq(I8 a, I8 b) { return {_mm256_castsi256_ps(_mm256_cmpeq_epi32(a.v, b.v))}; }
inline I8 imin(I8 a, I8 b) { return _mm256_min_epi32(a.v, b.v); }
inline I8 imax(I8 a, I8 b) { return _mm256_max_epi32(a.v, b.v); }
inline void gather_row(const float (*tab)[2], I8 j, F8& c, F8& k) {
    const __m256i j2 = _mm256_add_epi32(j.v, j.v);
    const float* base = &tab[0][0];
    c = _mm256_i32gather_ps(base, j2, 4);
    k = _mm256_i32gather_ps(base + 1, j2, 4);
}
inline I8 gather_u8(const std::uint8_t* tab, I8 i) {
    alignas(32) std::int32_t idx[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(idx), i.v);
    return _mm256_setr_epi32(tab[idx[0]], tab[idx[1]], tab[idx[2]], tab[idx[3]], tab[idx[4]], tab[idx[5]],
                             tab[idx[6]], tab[idx[7]]);
}
inline F8 load_lanes(const float* p, F8) { return _mm256_load_ps(p); }
inline void store_lanes(float* p, F8 v) { _mm256_store_ps(p, v.v); }
inline void store_lanes(std::int32_t* p, I8 v) { _mm256_store_si256(reinterpret_cast<__m256i*>(p), v.v); }

}  // namespace
}  // namespace qrx::xyzlab
#endif
