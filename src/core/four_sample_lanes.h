// Four-sample pixels of 16-bit or float samples <-> the 32-bit lanes of
// core/float_lanes.h: load_c4_first3 reads kWidth pixels into the lanes of
// their first three channels (16-bit samples widened as their type, held as
// integer bits until as_float), store_c4_first3 writes three channels back
// (integer lanes already in the range of the sample type) and leaves the
// fourth sample of each destination pixel as it was.
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/lane_pixels.h"

namespace qrx::lanes {
namespace {

#if defined(__AVX2__)
// Eight pixels.  The loads take pixels j and j + 4 into the two halves of one
// register (or the 16-bit samples of pixels 0 1 | 4 5 and 2 3 | 6 7), so the
// transposes within each 128-bit half leave every channel in pixel order.
QRX_INLINE __m256 pd_lo(__m256 a, __m256 b) { return _mm256_castpd_ps(_mm256_unpacklo_pd(_mm256_castps_pd(a), _mm256_castps_pd(b))); }
QRX_INLINE __m256 pd_hi(__m256 a, __m256 b) { return _mm256_castpd_ps(_mm256_unpackhi_pd(_mm256_castps_pd(a), _mm256_castps_pd(b))); }
QRX_INLINE __m256i halves(const void* lo, const void* hi) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(static_cast<const __m128i*>(lo))),
                                   _mm_loadu_si128(static_cast<const __m128i*>(hi)), 1);
}

QRX_INLINE void load_c4_first3(const float* s, F8 c[3]) {
    __m256 x[4];
    for (int j = 0; j < 4; ++j) x[j] = _mm256_castsi256_ps(halves(s + 4 * j, s + 16 + 4 * j));
    const __m256 t0 = _mm256_unpacklo_ps(x[0], x[1]), t1 = _mm256_unpackhi_ps(x[0], x[1]);
    const __m256 t2 = _mm256_unpacklo_ps(x[2], x[3]), t3 = _mm256_unpackhi_ps(x[2], x[3]);
    c[0] = pd_lo(t0, t2);
    c[1] = pd_hi(t0, t2);
    c[2] = pd_lo(t1, t3);
}
// Widened 16-bit samples (zero- or sign-extended as T), integer bits in F8.
template <class T>
QRX_INLINE void load_c4_first3(const T* s, F8 c[3]) {
    const __m256i x = halves(s, s + 16), y = halves(s + 8, s + 24);
    const __m256i u = _mm256_unpacklo_epi16(x, y), v = _mm256_unpackhi_epi16(x, y);
    const __m256i w0 = _mm256_unpacklo_epi16(u, v), w1 = _mm256_unpackhi_epi16(u, v);  // c0 | c1, c2 | c3
    if constexpr (std::is_signed_v<T>) {
        c[0] = float_bits(I8(_mm256_srai_epi32(_mm256_unpacklo_epi16(w0, w0), 16)));
        c[1] = float_bits(I8(_mm256_srai_epi32(_mm256_unpackhi_epi16(w0, w0), 16)));
        c[2] = float_bits(I8(_mm256_srai_epi32(_mm256_unpacklo_epi16(w1, w1), 16)));
    } else {
        const __m256i z = _mm256_setzero_si256();
        c[0] = float_bits(I8(_mm256_unpacklo_epi16(w0, z)));
        c[1] = float_bits(I8(_mm256_unpackhi_epi16(w0, z)));
        c[2] = float_bits(I8(_mm256_unpacklo_epi16(w1, z)));
    }
}

// The stores write the first three samples of each pixel: floats by masked
// stores; 16-bit samples (each lane already in the range of T) are merged
// with the destination's own fourth samples, which are rewritten with the
// value just read, as the 8u stores do.
QRX_INLINE void store_c4_first3(float* d, F8 c0, F8 c1, F8 c2) {
    const __m256 s0 = _mm256_unpacklo_ps(c0.v, c1.v), s1 = _mm256_unpackhi_ps(c0.v, c1.v);
    const __m256 s2 = _mm256_unpacklo_ps(c2.v, c2.v), s3 = _mm256_unpackhi_ps(c2.v, c2.v);
    const __m256 p0 = pd_lo(s0, s2), p1 = pd_hi(s0, s2), p2 = pd_lo(s1, s3), p3 = pd_hi(s1, s3);  // pixels j | j + 4
    const __m256i first3 = _mm256_setr_epi32(-1, -1, -1, 0, -1, -1, -1, 0);
    _mm256_maskstore_ps(d, first3, _mm256_permute2f128_ps(p0, p1, 0x20));
    _mm256_maskstore_ps(d + 8, first3, _mm256_permute2f128_ps(p2, p3, 0x20));
    _mm256_maskstore_ps(d + 16, first3, _mm256_permute2f128_ps(p0, p1, 0x31));
    _mm256_maskstore_ps(d + 24, first3, _mm256_permute2f128_ps(p2, p3, 0x31));
}
template <class T>
QRX_INLINE void store_c4_first3(T* d, F8 c0, F8 c1, F8 c2) {
    const __m256i a = int_bits(c0).v, b = int_bits(c1).v, c = int_bits(c2).v, z = _mm256_setzero_si256();
    const __m256i ab = std::is_signed_v<T> ? _mm256_packs_epi32(a, b) : _mm256_packus_epi32(a, b);  // c0 c1 of pixels 0..3 | 4..7
    const __m256i cz = std::is_signed_v<T> ? _mm256_packs_epi32(c, z) : _mm256_packus_epi32(c, z);
    const __m256i u = _mm256_unpacklo_epi16(ab, cz), v = _mm256_unpackhi_epi16(ab, cz);
    const __m256i p = _mm256_unpacklo_epi16(u, v), q = _mm256_unpackhi_epi16(u, v);  // pixels 0 1 | 4 5, 2 3 | 6 7
    const __m256i fourth = _mm256_set1_epi64x(static_cast<long long>(0xffff000000000000ull));
    __m256i* lo = reinterpret_cast<__m256i*>(d);
    __m256i* hi = reinterpret_cast<__m256i*>(d + 16);
    _mm256_storeu_si256(lo, _mm256_or_si256(_mm256_permute2x128_si256(p, q, 0x20), _mm256_and_si256(_mm256_loadu_si256(lo), fourth)));
    _mm256_storeu_si256(hi, _mm256_or_si256(_mm256_permute2x128_si256(p, q, 0x31), _mm256_and_si256(_mm256_loadu_si256(hi), fourth)));
}
#endif

#if defined(QRX_LANES_HAVE_16)
// Sixteen pixels, widened four to a register (register r holds pixels 4r to
// 4r + 3): channel c of pixel k is element 4k + c of the four registers in a
// row.  Two two-register permutes take pixels 0..7 and 8..15, a lane shuffle
// joins them; the scatter is a two-register permute and a masked one per
// register (as for three samples).
struct Quad16 {
    alignas(64) int gather_[3][16];
    alignas(64) int scatter_a[4][16];
    alignas(64) int scatter_b[4][16];
    __mmask16 scatter_m[4];
    constexpr Quad16() : gather_(), scatter_a(), scatter_b(), scatter_m() {
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 8; ++k) gather_[c][k] = 4 * k + c;
        for (int r = 0; r < 4; ++r)
            for (int p = 0; p < 16; ++p) {
                const int c = p % 4, k = 4 * r + p / 4;
                scatter_a[r][p] = c == 0 ? k : c == 1 ? 16 + k : 0;
                scatter_b[r][p] = k;
                if (c == 2) scatter_m[r] = static_cast<__mmask16>(scatter_m[r] | (1u << p));
            }
    }
};
constexpr Quad16 kQuad16{};
QRX_INLINE void gather4(F16 v0, F16 v1, F16 v2, F16 v3, F16 c[3]) {
    for (int ch = 0; ch < 3; ++ch) {
        const __m512i idx = _mm512_load_si512(kQuad16.gather_[ch]);
        c[ch] = _mm512_shuffle_f32x4(_mm512_permutex2var_ps(v0.v, idx, v1.v), _mm512_permutex2var_ps(v2.v, idx, v3.v), 0x44);
    }
}
QRX_INLINE void scatter4(F16 c0, F16 c1, F16 c2, F16 out[4]) {
    for (int r = 0; r < 4; ++r) {
        const __m512 t = _mm512_permutex2var_ps(c0.v, _mm512_load_si512(kQuad16.scatter_a[r]), c1.v);
        out[r] = _mm512_mask_permutexvar_ps(t, kQuad16.scatter_m[r], _mm512_load_si512(kQuad16.scatter_b[r]), c2.v);
    }
}
template <class T>
QRX_INLINE void load_c4_first3(const T* s, F16 c[3]) {
    gather4(widen16(s), widen16(s + 16), widen16(s + 32), widen16(s + 48), c);
}
// Masked stores: the fourth samples are never written.
QRX_INLINE void store_c4_first3(float* d, F16 c0, F16 c1, F16 c2) {
    F16 out[4];
    scatter4(c0, c1, c2, out);
    for (int r = 0; r < 4; ++r) _mm512_mask_storeu_ps(d + 16 * r, 0x7777, out[r].v);
}
template <class T>
QRX_INLINE void store_c4_first3(T* d, F16 c0, F16 c1, F16 c2) {
    F16 out[4];
    scatter4(c0, c1, c2, out);
    for (int r = 0; r < 4; ++r) _mm512_mask_cvtepi32_storeu_epi16(d + 16 * r, 0x7777, int_bits(out[r]).v);
}
#endif

}  // namespace
}  // namespace qrx::lanes
