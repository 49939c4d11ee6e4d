// Pixels <-> the 32-bit lanes of core/float_lanes.h (one pixel per lane):
// samples widened to 32-bit lanes and narrowed back, the stride-3 gather and
// scatter of 32-bit elements, and 3- and 4-byte pixels.  The forms are
// overloads on the lane type, so a kernel names one operation at every width.
// Widened lanes are held as F (integers as their bits) until as_float.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "core/float_lanes.h"

namespace qrx::lanes {
namespace {

#if defined(__SSE2__)
QRX_INLINE I4 int_bits(F4 a) { return _mm_castps_si128(a.v); }
QRX_INLINE F4 float_bits(I4 a) { return _mm_castsi128_ps(a.v); }

// Four 4-byte pixels: the first three bytes as int32 lanes, and back with the
// fourth byte of the destination kept (each lane already 0..255).
QRX_INLINE void load_c4_lanes(const std::uint8_t* p, I4& c0, I4& c1, I4& c2) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i ff = _mm_set1_epi32(255);
    c0 = _mm_and_si128(v, ff);
    c1 = _mm_and_si128(_mm_srli_epi32(v, 8), ff);
    c2 = _mm_and_si128(_mm_srli_epi32(v, 16), ff);
}
QRX_INLINE void store_c4_lanes(std::uint8_t* p, I4 c0, I4 c1, I4 c2) {
    __m128i* d = reinterpret_cast<__m128i*>(p);
    const __m128i fourth = _mm_and_si128(_mm_loadu_si128(d), _mm_set1_epi32(static_cast<int>(0xff000000u)));
    _mm_storeu_si128(d, _mm_or_si128(_mm_or_si128(c0.v, _mm_slli_epi32(c1.v, 8)), _mm_or_si128(_mm_slli_epi32(c2.v, 16), fourth)));
}
#endif

#if defined(__SSE4_1__)
// Four 3-byte pixels (exactly 12 bytes read or written) <-> int32 lanes; the
// stores take lanes already within 0..255.
struct C3Bytes4 {
    alignas(16) signed char spread_[3][16];   // dword k <- byte 3k + c, zero-extended
    alignas(16) signed char interleave_[16];  // R0..3 G0..3 B0..3 B0..3 -> R0 G0 B0 R1 ...
    constexpr C3Bytes4() : spread_(), interleave_() {
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                for (int b = 0; b < 4; ++b) spread_[c][4 * k + b] = static_cast<signed char>(b == 0 ? 3 * k + c : -128);
        for (int j = 0; j < 16; ++j) interleave_[j] = static_cast<signed char>(j < 12 ? (j % 3) * 4 + j / 3 : -128);
    }
    __m128i spread(int c) const { return _mm_load_si128(reinterpret_cast<const __m128i*>(spread_[c])); }
    __m128i interleave() const { return _mm_load_si128(reinterpret_cast<const __m128i*>(interleave_)); }
};
constexpr C3Bytes4 kC3Bytes4{};

QRX_INLINE void load_c3_lanes(const std::uint8_t* s, I4& c0, I4& c1, I4& c2) {
    std::uint32_t last;
    std::memcpy(&last, s + 8, 4);
    const __m128i v = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s)), _mm_cvtsi32_si128(static_cast<int>(last)));
    c0 = _mm_shuffle_epi8(v, kC3Bytes4.spread(0));
    c1 = _mm_shuffle_epi8(v, kC3Bytes4.spread(1));
    c2 = _mm_shuffle_epi8(v, kC3Bytes4.spread(2));
}
QRX_INLINE void store_c3_lanes(std::uint8_t* d, I4 c0, I4 c1, I4 c2) {
    const __m128i px = _mm_shuffle_epi8(_mm_packus_epi16(_mm_packs_epi32(c0.v, c1.v), _mm_packs_epi32(c2.v, c2.v)), kC3Bytes4.interleave());
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), px);
    const std::uint32_t last = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(px, 8)));
    std::memcpy(d + 8, &last, 4);
}
#endif

#if defined(__AVX2__)
QRX_INLINE I8 int_bits(F8 a) { return _mm256_castps_si256(a.v); }
QRX_INLINE F8 float_bits(I8 a) { return _mm256_castsi256_ps(a.v); }

// 8 samples widened to 32-bit lanes (floats: their bits), and back (each
// integer lane already in the range of the sample type).
QRX_INLINE F8 widen8(const std::uint8_t* s) {
    return float_bits(_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s))));
}
QRX_INLINE F8 widen8(const std::uint16_t* s) {
    return float_bits(_mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s))));
}
QRX_INLINE F8 widen8(const std::int16_t* s) {
    return float_bits(_mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s))));
}
QRX_INLINE F8 widen8(const float* s) { return F8::load(s); }
// (narrow8: the 8 samples in the low bytes of a register, for the stores)
QRX_INLINE __m128i narrow8(std::uint8_t*, F8 v) {
    const __m256i i = int_bits(v).v;
    const __m128i w = _mm_packs_epi32(_mm256_castsi256_si128(i), _mm256_extracti128_si256(i, 1));
    return _mm_packus_epi16(w, w);
}
QRX_INLINE __m128i narrow8(std::uint16_t*, F8 v) {
    const __m256i i = int_bits(v).v;
    return _mm_packus_epi32(_mm256_castsi256_si128(i), _mm256_extracti128_si256(i, 1));
}
QRX_INLINE __m128i narrow8(std::int16_t*, F8 v) {
    const __m256i i = int_bits(v).v;
    return _mm_packs_epi32(_mm256_castsi256_si128(i), _mm256_extracti128_si256(i, 1));
}
QRX_INLINE void narrow_lanes(std::uint8_t* d, F8 v) { _mm_storel_epi64(reinterpret_cast<__m128i*>(d), narrow8(d, v)); }
QRX_INLINE void narrow_lanes(std::uint16_t* d, F8 v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(d), narrow8(d, v)); }
QRX_INLINE void narrow_lanes(std::int16_t* d, F8 v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(d), narrow8(d, v)); }
QRX_INLINE void narrow_lanes(float* d, F8 v) { store_lanes(d, v); }

// Stride-3 gather of 8 pixels held as 24 32-bit elements in three registers:
// channel C of pixel k is element C + 3k, at position (C + 3k) mod 8 of
// register (C + 3k) / 8; the positions of one channel are all different, so
// two blends and one permute gather it.  The scatter is the inverse.
template <int C>
struct Tri8 {
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
    static __m256 gather(__m256 v0, __m256 v1, __m256 v2) {
        const __m256 t = _mm256_blend_ps(_mm256_blend_ps(v0, v1, from(1)), v2, from(2));
        return _mm256_permutevar8x32_ps(t, _mm256_setr_epi32(C % 8, (C + 3) % 8, (C + 6) % 8, (C + 9) % 8, (C + 12) % 8,
                                                             (C + 15) % 8, (C + 18) % 8, (C + 21) % 8));
    }
    static __m256 spread(__m256 x) {
        return _mm256_permutevar8x32_ps(x, _mm256_setr_epi32(lane_at(0), lane_at(1), lane_at(2), lane_at(3), lane_at(4),
                                                             lane_at(5), lane_at(6), lane_at(7)));
    }
};
template <int R>
QRX_INLINE __m256 tri8_merge(__m256 y0, __m256 y1, __m256 y2) {
    return _mm256_blend_ps(_mm256_blend_ps(y0, y1, Tri8<1>::of_reg(R)), y2, Tri8<2>::of_reg(R));
}
QRX_INLINE void gather3(F8 v0, F8 v1, F8 v2, F8 c[3]) {
    c[0] = Tri8<0>::gather(v0.v, v1.v, v2.v);
    c[1] = Tri8<1>::gather(v0.v, v1.v, v2.v);
    c[2] = Tri8<2>::gather(v0.v, v1.v, v2.v);
}
QRX_INLINE void scatter3(F8 c0, F8 c1, F8 c2, F8 out[3]) {
    const __m256 y0 = Tri8<0>::spread(c0.v), y1 = Tri8<1>::spread(c1.v), y2 = Tri8<2>::spread(c2.v);
    out[0] = tri8_merge<0>(y0, y1, y2);
    out[1] = tri8_merge<1>(y0, y1, y2);
    out[2] = tri8_merge<2>(y0, y1, y2);
}

// Eight 3-byte pixels (exactly 24 bytes read) to int32 lanes.  Each 128-bit
// half is shuffled on its own: the low half holds pixels 0..3 at byte 0, the
// high half pixels 4..7 at byte 4.
QRX_INLINE void load_c3_lanes(const std::uint8_t* p, I8& c0, I8& c1, I8& c2) {
    const __m256i v = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), 1);
    const __m256i k0 = _mm256_setr_epi8(0, -1, -1, -1, 3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1,  //
                                        4, -1, -1, -1, 7, -1, -1, -1, 10, -1, -1, -1, 13, -1, -1, -1);
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i k1 = _mm256_add_epi32(k0, one);
    c0 = _mm256_shuffle_epi8(v, k0);
    c1 = _mm256_shuffle_epi8(v, k1);
    c2 = _mm256_shuffle_epi8(v, _mm256_add_epi32(k1, one));
}
// Int32 lanes already within 0..255 to eight 3-byte pixels (exactly 24 bytes
// written).
struct C3Bytes8 {
    // bytes of each half after the packs, R0..3 G0..3 B0..3 B0..3 -> R0 G0 B0 R1 ...
    alignas(32) signed char interleave_[32];
    constexpr C3Bytes8() : interleave_() {
        for (int h = 0; h < 2; ++h)
            for (int j = 0; j < 16; ++j) interleave_[16 * h + j] = static_cast<signed char>(j < 12 ? (j % 3) * 4 + j / 3 : -128);
    }
    __m256i interleave() const { return _mm256_load_si256(reinterpret_cast<const __m256i*>(interleave_)); }
};
constexpr C3Bytes8 kC3Bytes8{};
QRX_INLINE void store_c3_halves(std::uint8_t* d, __m256i px) {
    const __m128i hi = _mm256_extracti128_si256(px, 1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm256_castsi256_si128(px));  // bytes 12..15 rewritten next
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 12), hi);
    const std::uint32_t last = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(hi, 8)));
    std::memcpy(d + 20, &last, 4);
}
// Eight 3-byte pixels (exactly 24 bytes read) as R | G << 16 and B in 32-bit
// lanes: the 16-bit pairs of a multiply-add.
QRX_INLINE void load_c3_rg_b(const std::uint8_t* p, __m256i& rg, __m256i& b) {
    const __m256i v = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), 1);
    // lane 0: pixels 0..3 from byte 0; lane 1: pixels 4..7 from byte 4
    rg = _mm256_shuffle_epi8(v, _mm256_setr_epi8(0, -1, 1, -1, 3, -1, 4, -1, 6, -1, 7, -1, 9, -1, 10, -1,  //
                                                 4, -1, 5, -1, 7, -1, 8, -1, 10, -1, 11, -1, 13, -1, 14, -1));
    b = _mm256_shuffle_epi8(v, _mm256_setr_epi8(2, -1, -1, -1, 5, -1, -1, -1, 8, -1, -1, -1, 11, -1, -1, -1,  //
                                                6, -1, -1, -1, 9, -1, -1, -1, 12, -1, -1, -1, 15, -1, -1, -1));
}
// Eight pixels held as byte triples in 32-bit lanes (byte 3 ignored) to
// 3-byte pixels (exactly 24 bytes written).
QRX_INLINE void store_c3_triples(std::uint8_t* d, I8 v) {
    const __m256i k = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                       0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    store_c3_halves(d, _mm256_shuffle_epi8(v.v, k));
}
QRX_INLINE void store_c3_lanes(std::uint8_t* d, I8 c0, I8 c1, I8 c2) {
    const __m256i rg = _mm256_packs_epi32(c0.v, c1.v), bb = _mm256_packs_epi32(c2.v, c2.v);
    store_c3_halves(d, _mm256_shuffle_epi8(_mm256_packus_epi16(rg, bb), kC3Bytes8.interleave()));
}
// The same for any int32 lanes: each keeps its low byte, as a plain byte store would.
QRX_INLINE void store_c3_lanes_low(std::uint8_t* d, I8 c0, I8 c1, I8 c2) {
    const __m256i ff = _mm256_set1_epi32(0xFF);
    store_c3_triples(d, _mm256_or_si256(_mm256_and_si256(c0.v, ff), _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(c1.v, ff), 8),
                                                                                     _mm256_slli_epi32(_mm256_and_si256(c2.v, ff), 16))));
}

QRX_INLINE void load_c4_lanes(const std::uint8_t* p, I8& c0, I8& c1, I8& c2) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i ff = _mm256_set1_epi32(255);
    c0 = _mm256_and_si256(v, ff);
    c1 = _mm256_and_si256(_mm256_srli_epi32(v, 8), ff);
    c2 = _mm256_and_si256(_mm256_srli_epi32(v, 16), ff);
}
QRX_INLINE void store_c4_lanes(std::uint8_t* p, I8 c0, I8 c1, I8 c2) {
    __m256i* d = reinterpret_cast<__m256i*>(p);
    const __m256i fourth = _mm256_and_si256(_mm256_loadu_si256(d), _mm256_set1_epi32(static_cast<int>(0xff000000u)));
    _mm256_storeu_si256(d, _mm256_or_si256(_mm256_or_si256(c0.v, _mm256_slli_epi32(c1.v, 8)),
                                           _mm256_or_si256(_mm256_slli_epi32(c2.v, 16), fourth)));
}
#endif

#if defined(QRX_LANES_HAVE_16)
QRX_INLINE I16 int_bits(F16 a) { return _mm512_castps_si512(a.v); }
QRX_INLINE F16 float_bits(I16 a) { return _mm512_castsi512_ps(a.v); }

QRX_INLINE F16 widen16(const std::uint8_t* s) {
    return float_bits(_mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s))));
}
QRX_INLINE F16 widen16(const std::uint16_t* s) {
    return float_bits(_mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s))));
}
QRX_INLINE F16 widen16(const std::int16_t* s) {
    return float_bits(_mm512_cvtepi16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s))));
}
QRX_INLINE F16 widen16(const float* s) { return F16::load(s); }
QRX_INLINE void narrow_lanes(std::uint8_t* d, F16 v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm512_cvtepi32_epi8(int_bits(v).v));
}
QRX_INLINE void narrow_lanes(std::uint16_t* d, F16 v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm512_cvtepi32_epi16(int_bits(v).v));
}
QRX_INLINE void narrow_lanes(std::int16_t* d, F16 v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm512_cvtepi32_epi16(int_bits(v).v));
}
QRX_INLINE void narrow_lanes(float* d, F16 v) { store_lanes(d, v); }

// Stride-3 gather and scatter of 16 pixels (48 elements in three registers):
// a two-register permute takes the elements of the first two registers, a
// masked permute those of the third.
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
QRX_INLINE void gather3(F16 v0, F16 v1, F16 v2, F16 c[3]) {
    for (int ch = 0; ch < 3; ++ch) {
        const __m512 t = _mm512_permutex2var_ps(v0.v, _mm512_load_si512(kTri16.gather_a[ch]), v1.v);
        c[ch] = _mm512_mask_permutexvar_ps(t, kTri16.gather_m[ch], _mm512_load_si512(kTri16.gather_b[ch]), v2.v);
    }
}
QRX_INLINE void scatter3(F16 c0, F16 c1, F16 c2, F16 out[3]) {
    for (int r = 0; r < 3; ++r) {
        const __m512 t = _mm512_permutex2var_ps(c0.v, _mm512_load_si512(kTri16.scatter_a[r]), c1.v);
        out[r] = _mm512_mask_permutexvar_ps(t, kTri16.scatter_m[r], _mm512_load_si512(kTri16.scatter_b[r]), c2.v);
    }
}

QRX_INLINE void load_c4_lanes(const std::uint8_t* p, I16& c0, I16& c1, I16& c2) {
    const __m512i v = _mm512_loadu_si512(p);
    const __m512i ff = _mm512_set1_epi32(255);
    c0 = _mm512_and_si512(v, ff);
    c1 = _mm512_and_si512(_mm512_srli_epi32(v, 8), ff);
    c2 = _mm512_and_si512(_mm512_srli_epi32(v, 16), ff);
}
// The fourth bytes are not written: a masked store keeps them.
QRX_INLINE void store_c4_lanes(std::uint8_t* p, I16 c0, I16 c1, I16 c2) {
    const __m512i v = _mm512_or_si512(_mm512_or_si512(c0.v, _mm512_slli_epi32(c1.v, 8)), _mm512_slli_epi32(c2.v, 16));
    _mm512_mask_storeu_epi8(p, 0x7777777777777777ull, v);
}
#endif

#if defined(__AVX2__)
// L::kWidth samples widened to 32-bit lanes (floats: their bits).
template <class L, class T>
QRX_INLINE L widen_lanes(const T* s) {
#if defined(QRX_LANES_HAVE_16)
    if constexpr (L::kWidth == 16) return widen16(s);
    else
#endif
    return widen8(s);
}
#endif

// Widened lanes of samples of type T as float lanes.
template <class T, class L>
QRX_INLINE L as_float(L raw) {
    if constexpr (std::is_same_v<T, float>)
        return raw;
    else
        return to_float(int_bits(raw));
}
// Result lanes as raw 32-bit lanes for the narrowing stores.
template <class L>
QRX_INLINE L raw_bits(L a) {
    return a;
}
#if defined(__AVX2__)
QRX_INLINE F8 raw_bits(I8 a) { return float_bits(a); }
#endif
#if defined(QRX_LANES_HAVE_16)
QRX_INLINE F16 raw_bits(I16 a) { return float_bits(a); }
#endif

}  // namespace
}  // namespace qrx::lanes
