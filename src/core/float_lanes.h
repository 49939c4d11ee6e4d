// Single-precision lanes for the float recipes: one pixel per lane, the same
// operations at every width, so a recipe written once against them gives the
// same bits one pixel at a time or sixteen at a time.
//   float / int / bool   one pixel (any level, any architecture)
//   FS4 / IS4 / MS4      four pixels held in arrays (the reference level)
//   F4 / I4 / M4         128 bits (SSE2; SSE4.1 forms where the level has them)
//   F8 / I8 / M8         256 bits (AVX2)
//   F16 / I16 / M16      512 bits (AVX-512 F+BW+DQ)
// Every operation behaves the same in every form:
//   vmin / vmax   a < b ? a : b  /  a > b ? a : b (the SSE operand order: a NaN gives b)
//   rcp           the processor's reciprocal estimate, always the table of the
//                 128/256-bit instruction (the 512-bit lanes take it as two
//                 256-bit halves, never the 14-bit rcp14); exact division off x86
//   rcp1          the estimate refined by one Newton step
//   cvtt / cvtr   truncation / round-to-nearest-even to int32, with the
//                 processor's "integer indefinite" (INT_MIN) for NaN and
//                 out-of-range values
//   I + - *       wrap modulo 2^32
// Include only from per-level files (internal linkage throughout).
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>

#include "core/inline.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <immintrin.h>
#define QRX_LANES_HAVE_RCP 1
#else
#define QRX_LANES_HAVE_RCP 0
#endif

namespace qrx::lanes {
namespace {

// ---- one pixel -----------------------------------------------------------------

QRX_INLINE float vmin(float a, float b) { return a < b ? a : b; }
QRX_INLINE float vmax(float a, float b) { return a > b ? a : b; }
QRX_INLINE float clampf(float x, float lo, float hi) { return vmin(vmax(x, lo), hi); }
QRX_INLINE float sel(bool m, float a, float b) { return m ? a : b; }
QRX_INLINE int sel(bool m, int a, int b) { return m ? a : b; }
QRX_INLINE float rcp(float x) {
#if QRX_LANES_HAVE_RCP
    return _mm_cvtss_f32(_mm_rcp_ss(_mm_set_ss(x)));
#else
    return 1.0f / x;  // no estimate instruction: exact division stands in
#endif
}
QRX_INLINE bool int32_range(float x) { return x > -2147483904.0f && x < 2147483648.0f; }
QRX_INLINE int cvtt(float x) {
#if QRX_LANES_HAVE_RCP
    return _mm_cvttss_si32(_mm_set_ss(x));
#else
    return int32_range(x) ? static_cast<int>(x) : INT_MIN;
#endif
}
QRX_INLINE int cvtr(float x) {
#if QRX_LANES_HAVE_RCP
    return _mm_cvtss_si32(_mm_set_ss(x));
#else
    return int32_range(x) ? static_cast<int>(std::nearbyint(x)) : INT_MIN;
#endif
}
QRX_INLINE float to_float(int i) { return static_cast<float>(i); }
QRX_INLINE int imin(int a, int b) { return a < b ? a : b; }
QRX_INLINE int imax(int a, int b) { return a > b ? a : b; }
QRX_INLINE int iclamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
QRX_INLINE int sra(int a, int k) { return a >> k; }
QRX_INLINE bool ieq(int a, int b) { return a == b; }
// Rows of a two-column float table, and bytes of a byte table.
QRX_INLINE void gather_row(const float (*tab)[2], int j, float& c, float& k) {
    c = tab[j][0];
    k = tab[j][1];
}
QRX_INLINE int gather_u8(const std::uint8_t* tab, int i) { return tab[i]; }
QRX_INLINE void store_lanes(float* p, float v) { *p = v; }
QRX_INLINE void store_lanes(std::int32_t* p, int v) { *p = v; }

// The estimate refined by one Newton step: (r + r) - (x * r) * r.  Written
// once for every lane form.
template <class L>
QRX_INLINE L rcp1(L x) {
    const L r = rcp(x);
    return (r + r) - (x * r) * r;
}

// Lanes per value, and loads of whole lanes from floats or int32.
template <class L>
struct LaneWidth {
    static constexpr int value = L::kWidth;
};
template <>
struct LaneWidth<float> {
    static constexpr int value = 1;
};
template <>
struct LaneWidth<int> {
    static constexpr int value = 1;
};
template <class L, class E>
QRX_INLINE L load_lanes(const E* p) {
    if constexpr (LaneWidth<L>::value == 1)
        return *p;
    else
        return L::load(p);
}

// ---- four pixels in arrays: the reference backend -------------------------------
struct FS4 {
    static constexpr int kWidth = 4;
    using Elem = float;
    float v[4];
    FS4() = default;
    FS4(float x) : v{x, x, x, x} {}
    static FS4 load(const float* p) { FS4 r; for (int k = 0; k < 4; ++k) r.v[k] = p[k]; return r; }
};
struct IS4 {
    static constexpr int kWidth = 4;
    using Elem = std::int32_t;
    std::int32_t v[4];
    IS4() = default;
    IS4(int x) : v{x, x, x, x} {}
    static IS4 load(const std::int32_t* p) { IS4 r; for (int k = 0; k < 4; ++k) r.v[k] = p[k]; return r; }
};
struct MS4 {
    bool v[4];
};
#define QRX_LANEWISE(T, expr)                    \
    T r;                                         \
    for (int k = 0; k < 4; ++k) r.v[k] = (expr); \
    return r
QRX_INLINE void store_lanes(float* p, FS4 a) { for (int k = 0; k < 4; ++k) p[k] = a.v[k]; }
QRX_INLINE void store_lanes(std::int32_t* p, IS4 a) { for (int k = 0; k < 4; ++k) p[k] = a.v[k]; }
QRX_INLINE FS4 operator+(FS4 a, FS4 b) { QRX_LANEWISE(FS4, a.v[k] + b.v[k]); }
QRX_INLINE FS4 operator-(FS4 a, FS4 b) { QRX_LANEWISE(FS4, a.v[k] - b.v[k]); }
QRX_INLINE FS4 operator*(FS4 a, FS4 b) { QRX_LANEWISE(FS4, a.v[k] * b.v[k]); }
QRX_INLINE FS4 operator/(FS4 a, FS4 b) { QRX_LANEWISE(FS4, a.v[k] / b.v[k]); }
QRX_INLINE FS4 vmin(FS4 a, FS4 b) { QRX_LANEWISE(FS4, vmin(a.v[k], b.v[k])); }
QRX_INLINE FS4 vmax(FS4 a, FS4 b) { QRX_LANEWISE(FS4, vmax(a.v[k], b.v[k])); }
QRX_INLINE MS4 operator==(FS4 a, FS4 b) { QRX_LANEWISE(MS4, a.v[k] == b.v[k]); }
QRX_INLINE MS4 operator!=(FS4 a, FS4 b) { QRX_LANEWISE(MS4, a.v[k] != b.v[k]); }
QRX_INLINE MS4 operator<(FS4 a, FS4 b) { QRX_LANEWISE(MS4, a.v[k] < b.v[k]); }
QRX_INLINE MS4 operator>(FS4 a, FS4 b) { QRX_LANEWISE(MS4, a.v[k] > b.v[k]); }
QRX_INLINE MS4 operator>=(FS4 a, FS4 b) { QRX_LANEWISE(MS4, a.v[k] >= b.v[k]); }
QRX_INLINE MS4 operator&(MS4 a, MS4 b) { QRX_LANEWISE(MS4, a.v[k] && b.v[k]); }
QRX_INLINE MS4 operator|(MS4 a, MS4 b) { QRX_LANEWISE(MS4, a.v[k] || b.v[k]); }
QRX_INLINE MS4 andnot(MS4 a, MS4 b) { QRX_LANEWISE(MS4, !a.v[k] && b.v[k]); }  // b and not a
QRX_INLINE FS4 sel(MS4 m, FS4 a, FS4 b) { QRX_LANEWISE(FS4, m.v[k] ? a.v[k] : b.v[k]); }
QRX_INLINE FS4 rcp(FS4 a) { QRX_LANEWISE(FS4, rcp(a.v[k])); }
QRX_INLINE IS4 cvtt(FS4 a) { QRX_LANEWISE(IS4, int32_range(a.v[k]) ? static_cast<int>(a.v[k]) : INT_MIN); }
QRX_INLINE IS4 cvtr(FS4 a) { QRX_LANEWISE(IS4, int32_range(a.v[k]) ? static_cast<int>(std::nearbyint(a.v[k])) : INT_MIN); }
QRX_INLINE FS4 to_float(IS4 a) { QRX_LANEWISE(FS4, static_cast<float>(a.v[k])); }
QRX_INLINE IS4 operator+(IS4 a, IS4 b) {
    QRX_LANEWISE(IS4, static_cast<std::int32_t>(static_cast<std::uint32_t>(a.v[k]) + static_cast<std::uint32_t>(b.v[k])));
}
QRX_INLINE IS4 operator-(IS4 a, IS4 b) {
    QRX_LANEWISE(IS4, static_cast<std::int32_t>(static_cast<std::uint32_t>(a.v[k]) - static_cast<std::uint32_t>(b.v[k])));
}
QRX_INLINE IS4 operator*(IS4 a, IS4 b) {
    QRX_LANEWISE(IS4, static_cast<std::int32_t>(static_cast<std::uint32_t>(a.v[k]) * static_cast<std::uint32_t>(b.v[k])));
}
QRX_INLINE IS4 sra(IS4 a, int n) { QRX_LANEWISE(IS4, a.v[k] >> n); }
QRX_INLINE IS4 iclamp(IS4 a, int lo, int hi) { QRX_LANEWISE(IS4, iclamp(a.v[k], lo, hi)); }
#undef QRX_LANEWISE

}  // namespace
}  // namespace qrx::lanes

// ---- 128 bits ------------------------------------------------------------------
#if defined(__SSE2__)
namespace qrx::lanes {
namespace {
struct F4 {
    static constexpr int kWidth = 4;
    using Elem = float;
    __m128 v;
    F4() = default;
    F4(__m128 x) : v(x) {}
    F4(float f) : v(_mm_set1_ps(f)) {}
    static F4 load(const float* p) { return _mm_loadu_ps(p); }
};
struct M4 {
    __m128 v;
};
struct I4 {
    static constexpr int kWidth = 4;
    using Elem = std::int32_t;
    __m128i v;
    I4() = default;
    I4(__m128i x) : v(x) {}
    I4(int i) : v(_mm_set1_epi32(i)) {}
    static I4 load(const std::int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
};
QRX_INLINE F4 operator+(F4 a, F4 b) { return _mm_add_ps(a.v, b.v); }
QRX_INLINE F4 operator-(F4 a, F4 b) { return _mm_sub_ps(a.v, b.v); }
QRX_INLINE F4 operator*(F4 a, F4 b) { return _mm_mul_ps(a.v, b.v); }
QRX_INLINE F4 operator/(F4 a, F4 b) { return _mm_div_ps(a.v, b.v); }
QRX_INLINE F4 operator-(F4 a) { return _mm_xor_ps(a.v, _mm_set1_ps(-0.0f)); }
QRX_INLINE M4 operator>(F4 a, F4 b) { return {_mm_cmpgt_ps(a.v, b.v)}; }
QRX_INLINE M4 operator>=(F4 a, F4 b) { return {_mm_cmpge_ps(a.v, b.v)}; }
QRX_INLINE M4 operator<(F4 a, F4 b) { return {_mm_cmplt_ps(a.v, b.v)}; }
QRX_INLINE M4 operator<=(F4 a, F4 b) { return {_mm_cmple_ps(a.v, b.v)}; }
QRX_INLINE M4 operator==(F4 a, F4 b) { return {_mm_cmpeq_ps(a.v, b.v)}; }
QRX_INLINE M4 operator!=(F4 a, F4 b) { return {_mm_cmpneq_ps(a.v, b.v)}; }
QRX_INLINE M4 operator&(M4 a, M4 b) { return {_mm_and_ps(a.v, b.v)}; }
QRX_INLINE M4 operator|(M4 a, M4 b) { return {_mm_or_ps(a.v, b.v)}; }
QRX_INLINE M4 andnot(M4 a, M4 b) { return {_mm_andnot_ps(a.v, b.v)}; }
QRX_INLINE F4 sel(M4 m, F4 a, F4 b) {
#if defined(__SSE4_1__)
    return _mm_blendv_ps(b.v, a.v, m.v);
#else
    return _mm_or_ps(_mm_and_ps(m.v, a.v), _mm_andnot_ps(m.v, b.v));
#endif
}
QRX_INLINE I4 sel(M4 m, I4 a, I4 b) {
    const __m128i mi = _mm_castps_si128(m.v);
    return _mm_or_si128(_mm_and_si128(mi, a.v), _mm_andnot_si128(mi, b.v));
}
QRX_INLINE F4 vmax(F4 a, F4 b) { return _mm_max_ps(a.v, b.v); }
QRX_INLINE F4 vmin(F4 a, F4 b) { return _mm_min_ps(a.v, b.v); }
QRX_INLINE F4 clampf(F4 x, F4 lo, F4 hi) { return vmin(vmax(x, lo), hi); }
QRX_INLINE F4 rcp(F4 a) { return _mm_rcp_ps(a.v); }
QRX_INLINE I4 cvtt(F4 a) { return _mm_cvttps_epi32(a.v); }
QRX_INLINE I4 cvtr(F4 a) { return _mm_cvtps_epi32(a.v); }
QRX_INLINE F4 to_float(I4 i) { return _mm_cvtepi32_ps(i.v); }
QRX_INLINE I4 operator+(I4 a, I4 b) { return _mm_add_epi32(a.v, b.v); }
QRX_INLINE I4 operator-(I4 a, I4 b) { return _mm_sub_epi32(a.v, b.v); }
QRX_INLINE I4 operator*(I4 a, I4 b) {
#if defined(__SSE4_1__)
    return _mm_mullo_epi32(a.v, b.v);
#else
    const __m128i even = _mm_mul_epu32(a.v, b.v);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a.v, 32), _mm_srli_epi64(b.v, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)), _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
#endif
}
QRX_INLINE I4 sra(I4 a, int k) { return _mm_srai_epi32(a.v, k); }
QRX_INLINE M4 ieq(I4 a, I4 b) { return {_mm_castsi128_ps(_mm_cmpeq_epi32(a.v, b.v))}; }
QRX_INLINE I4 imin(I4 a, I4 b) {
#if defined(__SSE4_1__)
    return _mm_min_epi32(a.v, b.v);
#else
    const __m128i gt = _mm_cmpgt_epi32(a.v, b.v);
    return _mm_or_si128(_mm_and_si128(gt, b.v), _mm_andnot_si128(gt, a.v));
#endif
}
QRX_INLINE I4 imax(I4 a, I4 b) {
#if defined(__SSE4_1__)
    return _mm_max_epi32(a.v, b.v);
#else
    const __m128i gt = _mm_cmpgt_epi32(a.v, b.v);
    return _mm_or_si128(_mm_and_si128(gt, a.v), _mm_andnot_si128(gt, b.v));
#endif
}
QRX_INLINE I4 iclamp(I4 a, int lo, int hi) { return imin(imax(a, I4(lo)), I4(hi)); }
QRX_INLINE void gather_row(const float (*tab)[2], I4 j, F4& c, F4& k) {
    alignas(16) std::int32_t idx[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(idx), j.v);
    c = _mm_setr_ps(tab[idx[0]][0], tab[idx[1]][0], tab[idx[2]][0], tab[idx[3]][0]);
    k = _mm_setr_ps(tab[idx[0]][1], tab[idx[1]][1], tab[idx[2]][1], tab[idx[3]][1]);
}
QRX_INLINE I4 gather_u8(const std::uint8_t* tab, I4 i) {
    alignas(16) std::int32_t idx[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(idx), i.v);
    return _mm_setr_epi32(tab[idx[0]], tab[idx[1]], tab[idx[2]], tab[idx[3]]);
}
QRX_INLINE void store_lanes(float* p, F4 v) { _mm_storeu_ps(p, v.v); }
QRX_INLINE void store_lanes(std::int32_t* p, I4 v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v.v); }
}  // namespace
}  // namespace qrx::lanes
#endif

// ---- 256 bits ------------------------------------------------------------------
#if defined(__AVX2__)
namespace qrx::lanes {
namespace {
struct F8 {
    static constexpr int kWidth = 8;
    using Elem = float;
    __m256 v;
    F8() = default;
    F8(__m256 x) : v(x) {}
    F8(float f) : v(_mm256_set1_ps(f)) {}
    static F8 load(const float* p) { return _mm256_loadu_ps(p); }
};
struct M8 {
    __m256 v;
};
struct I8 {
    static constexpr int kWidth = 8;
    using Elem = std::int32_t;
    __m256i v;
    I8() = default;
    I8(__m256i x) : v(x) {}
    I8(int i) : v(_mm256_set1_epi32(i)) {}
    static I8 load(const std::int32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
};
QRX_INLINE F8 operator+(F8 a, F8 b) { return _mm256_add_ps(a.v, b.v); }
QRX_INLINE F8 operator-(F8 a, F8 b) { return _mm256_sub_ps(a.v, b.v); }
QRX_INLINE F8 operator*(F8 a, F8 b) { return _mm256_mul_ps(a.v, b.v); }
QRX_INLINE F8 operator/(F8 a, F8 b) { return _mm256_div_ps(a.v, b.v); }
QRX_INLINE F8 operator-(F8 a) { return _mm256_xor_ps(a.v, _mm256_set1_ps(-0.0f)); }
QRX_INLINE M8 operator>(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_GT_OQ)}; }
QRX_INLINE M8 operator>=(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_GE_OQ)}; }
QRX_INLINE M8 operator<(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_LT_OQ)}; }
QRX_INLINE M8 operator<=(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_LE_OQ)}; }
QRX_INLINE M8 operator==(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_EQ_OQ)}; }
QRX_INLINE M8 operator!=(F8 a, F8 b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_NEQ_UQ)}; }
QRX_INLINE M8 operator&(M8 a, M8 b) { return {_mm256_and_ps(a.v, b.v)}; }
QRX_INLINE M8 operator|(M8 a, M8 b) { return {_mm256_or_ps(a.v, b.v)}; }
QRX_INLINE M8 andnot(M8 a, M8 b) { return {_mm256_andnot_ps(a.v, b.v)}; }
QRX_INLINE F8 sel(M8 m, F8 a, F8 b) { return _mm256_blendv_ps(b.v, a.v, m.v); }
QRX_INLINE I8 sel(M8 m, I8 a, I8 b) { return _mm256_blendv_epi8(b.v, a.v, _mm256_castps_si256(m.v)); }
QRX_INLINE F8 vmax(F8 a, F8 b) { return _mm256_max_ps(a.v, b.v); }
QRX_INLINE F8 vmin(F8 a, F8 b) { return _mm256_min_ps(a.v, b.v); }
QRX_INLINE F8 clampf(F8 x, F8 lo, F8 hi) { return vmin(vmax(x, lo), hi); }
// vrcpps on 256 bits uses the table of the 128-bit form on the processors
// this build targets; a test compares the two.
QRX_INLINE F8 rcp(F8 a) { return _mm256_rcp_ps(a.v); }
QRX_INLINE I8 cvtt(F8 a) { return _mm256_cvttps_epi32(a.v); }
QRX_INLINE I8 cvtr(F8 a) { return _mm256_cvtps_epi32(a.v); }
QRX_INLINE F8 to_float(I8 i) { return _mm256_cvtepi32_ps(i.v); }
QRX_INLINE I8 operator+(I8 a, I8 b) { return _mm256_add_epi32(a.v, b.v); }
QRX_INLINE I8 operator-(I8 a, I8 b) { return _mm256_sub_epi32(a.v, b.v); }
QRX_INLINE I8 operator*(I8 a, I8 b) { return _mm256_mullo_epi32(a.v, b.v); }
QRX_INLINE I8 sra(I8 a, int k) { return _mm256_srai_epi32(a.v, k); }
QRX_INLINE M8 ieq(I8 a, I8 b) { return {_mm256_castsi256_ps(_mm256_cmpeq_epi32(a.v, b.v))}; }
QRX_INLINE I8 imin(I8 a, I8 b) { return _mm256_min_epi32(a.v, b.v); }
QRX_INLINE I8 imax(I8 a, I8 b) { return _mm256_max_epi32(a.v, b.v); }
QRX_INLINE I8 iclamp(I8 a, int lo, int hi) { return imin(imax(a, I8(lo)), I8(hi)); }
QRX_INLINE void gather_row(const float (*tab)[2], I8 j, F8& c, F8& k) {
    // each lane's row (c, k) read as one 8-byte load, two rows per 128 bits,
    // then split into the c and k lanes
    alignas(32) std::int32_t idx[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(idx), j.v);
    auto rows = [&](int a, int b) {
        const __m128d lo = _mm_load_sd(reinterpret_cast<const double*>(tab[idx[a]]));
        return _mm_castpd_ps(_mm_loadh_pd(lo, reinterpret_cast<const double*>(tab[idx[b]])));
    };
    const __m256 r0 = _mm256_insertf128_ps(_mm256_castps128_ps256(rows(0, 1)), rows(4, 5), 1);
    const __m256 r1 = _mm256_insertf128_ps(_mm256_castps128_ps256(rows(2, 3)), rows(6, 7), 1);
    c = _mm256_shuffle_ps(r0, r1, 0x88);
    k = _mm256_shuffle_ps(r0, r1, 0xDD);
}
QRX_INLINE I8 gather_u8(const std::uint8_t* tab, I8 i) {
    alignas(32) std::int32_t idx[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(idx), i.v);
    return _mm256_setr_epi32(tab[idx[0]], tab[idx[1]], tab[idx[2]], tab[idx[3]], tab[idx[4]], tab[idx[5]],
                             tab[idx[6]], tab[idx[7]]);
}
QRX_INLINE void store_lanes(float* p, F8 v) { _mm256_storeu_ps(p, v.v); }
QRX_INLINE void store_lanes(std::int32_t* p, I8 v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v.v); }
}  // namespace
}  // namespace qrx::lanes
#endif

// ---- 512 bits ------------------------------------------------------------------
#if defined(__AVX512F__) && defined(__AVX512BW__) && defined(__AVX512DQ__)
#define QRX_LANES_HAVE_16 1
namespace qrx::lanes {
namespace {
struct F16 {
    static constexpr int kWidth = 16;
    using Elem = float;
    __m512 v;
    F16() = default;
    F16(__m512 x) : v(x) {}
    F16(float f) : v(_mm512_set1_ps(f)) {}
    static F16 load(const float* p) { return _mm512_loadu_ps(p); }
};
struct M16 {
    __mmask16 v;
};
struct I16 {
    static constexpr int kWidth = 16;
    using Elem = std::int32_t;
    __m512i v;
    I16() = default;
    I16(__m512i x) : v(x) {}
    I16(int i) : v(_mm512_set1_epi32(i)) {}
    static I16 load(const std::int32_t* p) { return _mm512_loadu_si512(p); }
};
QRX_INLINE F16 operator+(F16 a, F16 b) { return _mm512_add_ps(a.v, b.v); }
QRX_INLINE F16 operator-(F16 a, F16 b) { return _mm512_sub_ps(a.v, b.v); }
QRX_INLINE F16 operator*(F16 a, F16 b) { return _mm512_mul_ps(a.v, b.v); }
QRX_INLINE F16 operator/(F16 a, F16 b) { return _mm512_div_ps(a.v, b.v); }
QRX_INLINE M16 operator>(F16 a, F16 b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_GT_OQ)}; }
QRX_INLINE M16 operator>=(F16 a, F16 b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_GE_OQ)}; }
QRX_INLINE M16 operator<(F16 a, F16 b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_LT_OQ)}; }
QRX_INLINE M16 operator<=(F16 a, F16 b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_LE_OQ)}; }
QRX_INLINE M16 operator==(F16 a, F16 b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_EQ_OQ)}; }
QRX_INLINE M16 operator!=(F16 a, F16 b) { return {_mm512_cmp_ps_mask(a.v, b.v, _CMP_NEQ_UQ)}; }
QRX_INLINE M16 operator&(M16 a, M16 b) { return {static_cast<__mmask16>(a.v & b.v)}; }
QRX_INLINE M16 operator|(M16 a, M16 b) { return {static_cast<__mmask16>(a.v | b.v)}; }
QRX_INLINE M16 andnot(M16 a, M16 b) { return {static_cast<__mmask16>(~a.v & b.v)}; }
QRX_INLINE F16 sel(M16 m, F16 a, F16 b) { return _mm512_mask_blend_ps(m.v, b.v, a.v); }
QRX_INLINE I16 sel(M16 m, I16 a, I16 b) { return _mm512_mask_blend_epi32(m.v, b.v, a.v); }
QRX_INLINE F16 vmax(F16 a, F16 b) { return _mm512_max_ps(a.v, b.v); }
QRX_INLINE F16 vmin(F16 a, F16 b) { return _mm512_min_ps(a.v, b.v); }
QRX_INLINE F16 clampf(F16 x, F16 lo, F16 hi) { return vmin(vmax(x, lo), hi); }
// Two 256-bit estimates: rcp14 would be a different table, so different bits.
QRX_INLINE F16 rcp(F16 a) {
    const __m256 lo = _mm256_rcp_ps(_mm512_castps512_ps256(a.v));
    const __m256 hi = _mm256_rcp_ps(_mm512_extractf32x8_ps(a.v, 1));
    return _mm512_insertf32x8(_mm512_castps256_ps512(lo), hi, 1);
}
QRX_INLINE I16 cvtt(F16 a) { return _mm512_cvttps_epi32(a.v); }
QRX_INLINE I16 cvtr(F16 a) { return _mm512_cvtps_epi32(a.v); }
QRX_INLINE F16 to_float(I16 a) { return _mm512_cvtepi32_ps(a.v); }
QRX_INLINE I16 operator+(I16 a, I16 b) { return _mm512_add_epi32(a.v, b.v); }
QRX_INLINE I16 operator-(I16 a, I16 b) { return _mm512_sub_epi32(a.v, b.v); }
QRX_INLINE I16 operator*(I16 a, I16 b) { return _mm512_mullo_epi32(a.v, b.v); }
QRX_INLINE I16 sra(I16 a, int k) { return _mm512_srai_epi32(a.v, static_cast<unsigned>(k)); }
QRX_INLINE M16 ieq(I16 a, I16 b) { return {_mm512_cmpeq_epi32_mask(a.v, b.v)}; }
QRX_INLINE I16 imin(I16 a, I16 b) { return _mm512_min_epi32(a.v, b.v); }
QRX_INLINE I16 imax(I16 a, I16 b) { return _mm512_max_epi32(a.v, b.v); }
QRX_INLINE I16 iclamp(I16 a, int lo, int hi) { return imin(imax(a, I16(lo)), I16(hi)); }
QRX_INLINE void store_lanes(float* p, F16 v) { _mm512_storeu_ps(p, v.v); }
QRX_INLINE void store_lanes(std::int32_t* p, I16 v) { _mm512_storeu_si512(p, v.v); }
}  // namespace
}  // namespace qrx::lanes
#endif

// ---- m ? a : +0.0, one mask operation at every width ------------------------------
namespace qrx::lanes {
namespace {
QRX_INLINE float sel0(bool m, float a) { return m ? a : 0.0f; }
QRX_INLINE FS4 sel0(MS4 m, FS4 a) { return sel(m, a, FS4(0.0f)); }
#if defined(__SSE2__)
QRX_INLINE F4 sel0(M4 m, F4 a) { return _mm_and_ps(m.v, a.v); }
#endif
#if defined(__AVX2__)
QRX_INLINE F8 sel0(M8 m, F8 a) { return _mm256_and_ps(m.v, a.v); }
#endif
#if defined(QRX_LANES_HAVE_16)
QRX_INLINE F16 sel0(M16 m, F16 a) { return _mm512_maskz_mov_ps(m.v, a.v); }
#endif
}  // namespace
}  // namespace qrx::lanes
