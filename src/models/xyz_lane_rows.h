// Row loops of the single-precision recipes: n pixels of one row, W pixels at
// a time in W-wide lanes (W = 1 at the scalar level), the last n mod W pixels
// in one-pixel lanes.  The recipe is the same function at every width, so the
// width never changes a result.  Samples enter as floats (16s with its 32768
// offset added) and leave as the recipe's clamped integers (16s minus 32768)
// or as floats.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "core/unaligned.h"
#include "models/lane_bytes.h"
#include "models/xyz_lanes.h"

namespace qrx::xyzlab {
namespace {

template <class S>
inline float in_sample(S v) {
    if constexpr (std::is_same_v<S, std::int16_t>)
        return static_cast<float>(static_cast<int>(v) + 32768);
    else
        return static_cast<float>(v);
}

template <class D, class R>
inline D out_sample(R v) {
    if constexpr (std::is_same_v<D, float>)
        return v;
    else if constexpr (std::is_same_v<D, std::int16_t>)
        return static_cast<D>(v - 32768);
    else
        return static_cast<D>(v);
}

// Element type of a lane's results: float or int for one-pixel lanes, the
// vector lane's Elem otherwise.
template <class T, class = void>
struct ElemOf {
    using type = T;
};
template <class T>
struct ElemOf<T, std::void_t<typename T::Elem>> {
    using type = typename T::Elem;
};

#if defined(QRX_XYZ_VECTOR_LANES) && defined(__AVX2__)
// Eight C3 byte pixels (exactly 24 bytes read) to three rows of eight floats.
inline void load8_c3_u8(const std::uint8_t* p, F8& a, F8& b, F8& c) {
    __m256i c0, c1, c2;
    qrx::models::load_c3x8_epi32(p, c0, c1, c2);
    a = _mm256_cvtepi32_ps(c0);
    b = _mm256_cvtepi32_ps(c1);
    c = _mm256_cvtepi32_ps(c2);
}
// Three rows of eight integers to eight C3 byte pixels (exactly 24 bytes
// written); each integer keeps its low byte, as a plain byte store would.
inline void store8_c3_u8(std::uint8_t* p, I8 a, I8 b, I8 c) {
    const __m256i ff = _mm256_set1_epi32(0xFF);
    const __m256i v = _mm256_or_si256(
        _mm256_and_si256(a.v, ff),
        _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(b.v, ff), 8), _mm256_slli_epi32(_mm256_and_si256(c.v, ff), 16)));
    const __m256i k = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                       0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i packed = _mm256_shuffle_epi8(v, k);
    const __m128i lo = _mm256_castsi256_si128(packed), hi = _mm256_extracti128_si256(packed, 1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), lo);  // bytes 12..15 rewritten below
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 12), hi);
    const int last = _mm_cvtsi128_si32(_mm_srli_si128(hi, 8));
    std::memcpy(p + 20, &last, 4);
}

// Eight C3 float pixels (exactly 24 floats) to three rows of eight floats and
// back.  Channel c of pixel k sits at 3k + c: for each channel the eight
// positions fall in distinct slots mod 8, so two blends gather them from the
// three registers and one permute puts them in pixel order.
inline void load8_c3_f32(const float* p, F8& a, F8& b, F8& c) {
    const __m256 v0 = _mm256_loadu_ps(p), v1 = _mm256_loadu_ps(p + 8), v2 = _mm256_loadu_ps(p + 16);
    a = _mm256_permutevar8x32_ps(_mm256_blend_ps(_mm256_blend_ps(v0, v1, 0x92), v2, 0x24),
                                 _mm256_setr_epi32(0, 3, 6, 1, 4, 7, 2, 5));
    b = _mm256_permutevar8x32_ps(_mm256_blend_ps(_mm256_blend_ps(v0, v1, 0x24), v2, 0x49),
                                 _mm256_setr_epi32(1, 4, 7, 2, 5, 0, 3, 6));
    c = _mm256_permutevar8x32_ps(_mm256_blend_ps(_mm256_blend_ps(v0, v1, 0x49), v2, 0x92),
                                 _mm256_setr_epi32(2, 5, 0, 3, 6, 1, 4, 7));
}
inline void store8_c3_f32(float* p, F8 a, F8 b, F8 c) {
    // the inverse permutes: slot (3k + ch) mod 8 receives pixel k
    const __m256 qa = _mm256_permutevar8x32_ps(a.v, _mm256_setr_epi32(0, 3, 6, 1, 4, 7, 2, 5));
    const __m256 qb = _mm256_permutevar8x32_ps(b.v, _mm256_setr_epi32(5, 0, 3, 6, 1, 4, 7, 2));
    const __m256 qc = _mm256_permutevar8x32_ps(c.v, _mm256_setr_epi32(2, 5, 0, 3, 6, 1, 4, 7));
    _mm256_storeu_ps(p, _mm256_blend_ps(_mm256_blend_ps(qa, qb, 0x92), qc, 0x24));
    _mm256_storeu_ps(p + 8, _mm256_blend_ps(_mm256_blend_ps(qa, qb, 0x24), qc, 0x49));
    _mm256_storeu_ps(p + 16, _mm256_blend_ps(_mm256_blend_ps(qa, qb, 0x49), qc, 0x92));
}
#endif

// SC/DC: samples per source/destination pixel (3 or 4; the fourth is neither
// read nor written).  `rec(a, b, c)` returns Tri of the three results.
// Samples move through the unaligned helpers: the 16-bit side of Lab keeps
// its byte step, so its samples may sit at odd addresses.
template <class L, int SC, int DC, class S, class D, class Recipe>
inline void run_lanes(const S* __restrict s, D* __restrict d, int n, const Recipe& rec) {
    constexpr int W = LaneWidth<L>::value;
    int i = 0;
    if constexpr (W > 1) {
        for (; i + W <= n; i += W) {
#if defined(QRX_XYZ_VECTOR_LANES) && defined(__AVX2__)
            if constexpr (W == 8 && SC == 3 && DC == 3 && std::is_same_v<S, std::uint8_t> &&
                          std::is_same_v<D, std::uint8_t>) {
                F8 x0, x1, x2;
                load8_c3_u8(s + i * 3, x0, x1, x2);
                const auto o = rec(x0, x1, x2);
                store8_c3_u8(d + i * 3, o.a, o.b, o.c);
                continue;
            }
            if constexpr (W == 8 && SC == 3 && DC == 3 && std::is_same_v<S, float> && std::is_same_v<D, float> &&
                          std::is_same_v<decltype(rec(F8(), F8(), F8()).a), F8>) {
                F8 x0, x1, x2;
                load8_c3_f32(s + i * 3, x0, x1, x2);
                const auto o = rec(x0, x1, x2);
                store8_c3_f32(d + i * 3, o.a, o.b, o.c);
                continue;
            }
#endif
            alignas(32) float a[3][W];
            for (int k = 0; k < W; ++k)
                for (int c = 0; c < 3; ++c) a[c][k] = in_sample(load_unaligned<S>(s + (i + k) * SC + c));
            const L zero(0.0f);
            const auto o = rec(load_lanes(a[0], zero), load_lanes(a[1], zero), load_lanes(a[2], zero));
            using E = typename ElemOf<std::decay_t<decltype(o.a)>>::type;
            alignas(32) E r[3][W];
            store_lanes(r[0], o.a);
            store_lanes(r[1], o.b);
            store_lanes(r[2], o.c);
            for (int k = 0; k < W; ++k)
                for (int c = 0; c < 3; ++c) store_unaligned<D>(d + (i + k) * DC + c, out_sample<D>(r[c][k]));
        }
    }
    for (; i < n; ++i) {
        const auto o = rec(in_sample(load_unaligned<S>(s + i * SC)), in_sample(load_unaligned<S>(s + i * SC + 1)),
                           in_sample(load_unaligned<S>(s + i * SC + 2)));
        store_unaligned<D>(d + i * DC, out_sample<D>(o.a));
        store_unaligned<D>(d + i * DC + 1, out_sample<D>(o.b));
        store_unaligned<D>(d + i * DC + 2, out_sample<D>(o.c));
    }
}

}  // namespace
}  // namespace qrx::xyzlab
