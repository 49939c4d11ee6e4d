// Vector blocks of the 16-bit packed RGB kernels.  Included by rgb16_rows.inl
// (once per level file that has vector code), after its packers are known.
//
// Every lane holds one pixel as a signed 16-bit value.  The 13-bit terms are the
// high halves of (v << 7) * k, exactly T(v, k) of the scalar recipe, and no sum
// leaves the 16-bit range, so each lane equals the scalar result.  Blocks are 8
// pixels (128-bit) or 16 pixels (256-bit); they always start at a multiple of 4
// from the row's pixel 0, so one threshold vector per row serves the dither.
#pragma once

#include <immintrin.h>

#include <cstdint>
#include <cstring>

#include "ycbcr/rgb16_format.h"

namespace qrx::rgb16::QRX_LEVEL::vec {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;

// ---- 128-bit lanes (8 pixels) ------------------------------------------------

struct V128 {
    using T = __m128i;
    static constexpr int kLanes = 8;
    static T set1(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static T add(T a, T b) { return _mm_add_epi16(a, b); }
    static T sub(T a, T b) { return _mm_sub_epi16(a, b); }
    static T mulhi(T a, T b) { return _mm_mulhi_epi16(a, b); }
    static T mullo(T a, T b) { return _mm_mullo_epi16(a, b); }
    static T or_(T a, T b) { return _mm_or_si128(a, b); }
    static T cmpgt(T a, T b) { return _mm_cmpgt_epi16(a, b); }
    static T clamp255(T a) { return _mm_min_epi16(_mm_max_epi16(a, _mm_setzero_si128()), set1(255)); }
    template <int N>
    static T slli(T a) { return _mm_slli_epi16(a, N); }
    template <int N>
    static T srli(T a) { return _mm_srli_epi16(a, N); }
    template <int N>
    static T srai(T a) { return _mm_srai_epi16(a, N); }
    static void store(u16* d, T v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(d), v); }

    static T widen(T bytes) { return _mm_unpacklo_epi8(bytes, _mm_setzero_si128()); }
    static T load8(const u8* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
    static T load4(const u8* p) {
        int v;
        std::memcpy(&v, p, 4);
        return _mm_cvtsi32_si128(v);
    }
    static T load2(const u8* p) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return _mm_cvtsi32_si128(v);
    }
    // 8 samples, one per pixel
    static T samples(const u8* p) { return widen(load8(p)); }
    // 4 samples, each for two pixels
    static T samples_x2(const u8* p) {
        const T c = load4(p);
        return widen(_mm_unpacklo_epi8(c, c));
    }
    // 2 samples, each for four pixels
    static T samples_x4(const u8* p) {
        T c = load2(p);
        c = _mm_unpacklo_epi8(c, c);
        return widen(_mm_unpacklo_epi16(c, c));
    }
    // 4 pairs Y0 Cb Y1 Cr (16 bytes)
    static void pairs(const u8* p, T& y, T& cb, T& cr) {
        const T v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        y = _mm_and_si128(v, set1(0xFF));
        const T c = _mm_srli_epi16(v, 8);  // Cb0 Cr0 Cb1 Cr1 ...
        cb = _mm_shufflehi_epi16(_mm_shufflelo_epi16(c, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
        cr = _mm_shufflehi_epi16(_mm_shufflelo_epi16(c, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
    }
    // 8 pixels Y Cb Cr (24 bytes)
    static void triples(const u8* p, T& y, T& cb, T& cr) {
#if defined(__SSSE3__)
        // bytes 0..15 and 8..23; pixels 0..4 come from the first load, 5..7 from the second
        const T lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const T hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
        const char z = -128;
        y = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(0, z, 3, z, 6, z, 9, z, 12, z, z, z, z, z, z, z)),
                         _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, 7, z, 10, z, 13, z)));
        cb = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(1, z, 4, z, 7, z, 10, z, 13, z, z, z, z, z, z, z)),
                          _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, 8, z, 11, z, 14, z)));
        cr = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(2, z, 5, z, 8, z, 11, z, 14, z, z, z, z, z, z, z)),
                          _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, 9, z, 12, z, 15, z)));
#else
        y = _mm_setr_epi16(p[0], p[3], p[6], p[9], p[12], p[15], p[18], p[21]);
        cb = _mm_setr_epi16(p[1], p[4], p[7], p[10], p[13], p[16], p[19], p[22]);
        cr = _mm_setr_epi16(p[2], p[5], p[8], p[11], p[14], p[17], p[20], p[23]);
#endif
    }
    // One dither row repeated over the lanes, shifted right by `shift`.
    static T thresholds(const std::uint16_t* d, int shift) {
        return _mm_setr_epi16(static_cast<short>(d[0] >> shift), static_cast<short>(d[1] >> shift),
                              static_cast<short>(d[2] >> shift), static_cast<short>(d[3] >> shift),
                              static_cast<short>(d[0] >> shift), static_cast<short>(d[1] >> shift),
                              static_cast<short>(d[2] >> shift), static_cast<short>(d[3] >> shift));
    }
};

// ---- 256-bit lanes (16 pixels) -------------------------------------------------

#if defined(__AVX2__)
struct V256 {
    using T = __m256i;
    static constexpr int kLanes = 16;
    static T set1(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static T add(T a, T b) { return _mm256_add_epi16(a, b); }
    static T sub(T a, T b) { return _mm256_sub_epi16(a, b); }
    static T mulhi(T a, T b) { return _mm256_mulhi_epi16(a, b); }
    static T mullo(T a, T b) { return _mm256_mullo_epi16(a, b); }
    static T or_(T a, T b) { return _mm256_or_si256(a, b); }
    static T cmpgt(T a, T b) { return _mm256_cmpgt_epi16(a, b); }
    static T clamp255(T a) { return _mm256_min_epi16(_mm256_max_epi16(a, _mm256_setzero_si256()), set1(255)); }
    template <int N>
    static T slli(T a) { return _mm256_slli_epi16(a, N); }
    template <int N>
    static T srli(T a) { return _mm256_srli_epi16(a, N); }
    template <int N>
    static T srai(T a) { return _mm256_srai_epi16(a, N); }
    static void store(u16* d, T v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), v); }

    static T samples(const u8* p) { return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))); }
    static T samples_x2(const u8* p) {
        const __m128i c = V128::load8(p);
        return _mm256_cvtepu8_epi16(_mm_unpacklo_epi8(c, c));
    }
    static T samples_x4(const u8* p) {
        __m128i c = V128::load4(p);
        c = _mm_unpacklo_epi8(c, c);
        return _mm256_cvtepu8_epi16(_mm_unpacklo_epi16(c, c));
    }
    static void pairs(const u8* p, T& y, T& cb, T& cr) {
        const T v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        y = _mm256_and_si256(v, set1(0xFF));
        const T c = _mm256_srli_epi16(v, 8);
        cb = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(c, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
        cr = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(c, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
    }
    static void triples(const u8* p, T& y, T& cb, T& cr) {
        __m128i y0, b0, r0, y1, b1, r1;
        V128::triples(p, y0, b0, r0);
        V128::triples(p + 24, y1, b1, r1);
        y = _mm256_inserti128_si256(_mm256_castsi128_si256(y0), y1, 1);
        cb = _mm256_inserti128_si256(_mm256_castsi128_si256(b0), b1, 1);
        cr = _mm256_inserti128_si256(_mm256_castsi128_si256(r0), r1, 1);
    }
    static T thresholds(const std::uint16_t* d, int shift) {
        const __m128i t = V128::thresholds(d, shift);
        return _mm256_inserti128_si256(_mm256_castsi128_si256(t), t, 1);
    }
};
#endif

// ---- recipe and packing on vectors ------------------------------------------------

// I13u (Round false) or I13s (Round true) on widened samples; R, G, B clamped to 0..255.
template <class V, bool Round>
QRX_INLINE void to_rgb(typename V::T y, typename V::T cb, typename V::T cr, typename V::T& r, typename V::T& g,
                       typename V::T& b) {
    using T = typename V::T;
    const T yp = V::template slli<7>(V::sub(y, V::set1(16)));
    const T bp = V::template slli<7>(V::sub(cb, V::set1(128)));
    const T rp = V::template slli<7>(V::sub(cr, V::set1(128)));
    T ty = V::mulhi(yp, V::set1(9535));
    if (Round) ty = V::add(ty, V::set1(8));
    r = V::clamp255(V::template srai<4>(V::add(ty, V::mulhi(rp, V::set1(13074)))));
    g = V::clamp255(V::template srai<4>(V::sub(V::sub(ty, V::mulhi(rp, V::set1(6660))), V::mulhi(bp, V::set1(3211)))));
    b = V::clamp255(V::template srai<4>(V::add(ty, V::mulhi(bp, V::set1(16523)))));
}

// One dithered channel: q = (v (2^n - 1)) >> 8, r = 256 v - q u (exact in 16 bits,
// since 0 <= r < 2^15), field q + 1 where r > t.
template <class V, int Bits>
QRX_INLINE typename V::T dither_field(typename V::T v, typename V::T t) {
    using T = typename V::T;
    const T q = V::template srli<8>(V::mullo(v, V::set1((1 << Bits) - 1)));
    const T rem = V::sub(V::template slli<8>(v), V::mullo(q, V::set1(level_step(Bits))));
    return V::sub(q, V::cmpgt(rem, t));
}

template <class V, class Px>
struct Packer {
    using T = typename V::T;
    using L = Layout<Px::kFormat>;
    T t, tg;  // thresholds of the row (dither only)

    Packer(int row) {
        if constexpr (Px::kDither) {
            const std::uint16_t* d = Px::kFormat == Format::k444 ? kD4[row & 3] : kD5[row & 3];
            t = V::thresholds(d, 0);
            tg = V::thresholds(d, L::kGBits == 6 ? 1 : 0);
        } else {
            (void)row;
            t = tg = V::set1(0);
        }
    }

    inline T operator()(T r, T g, T b) const {
        T fr, fg, fb;
        if constexpr (Px::kDither) {
            fr = dither_field<V, L::kRBBits>(r, t);
            fg = dither_field<V, L::kGBits>(g, tg);
            fb = dither_field<V, L::kRBBits>(b, t);
        } else {
            fr = V::template srli<8 - L::kRBBits>(r);
            fg = V::template srli<8 - L::kGBits>(g);
            fb = V::template srli<8 - L::kRBBits>(b);
        }
        const T high = Px::kSwapRB ? fb : fr;
        const T low = Px::kSwapRB ? fr : fb;
        return V::or_(V::or_(V::template slli<L::kHighShift>(high), V::template slli<L::kMidShift>(fg)), low);
    }
};

// ---- blocks by layout, from pixel i; return the first pixel not done ----------------

template <class V, class Px>
QRX_INLINE int c3_blocks(const u8* s, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    for (; i + V::kLanes <= n; i += V::kLanes) {
        T y, cb, cr, r, g, b;
        V::triples(s + 3 * i, y, cb, cr);
        to_rgb<V, false>(y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

template <class V, class Px>
QRX_INLINE int c2_blocks(const u8* s, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    for (; i + V::kLanes <= n; i += V::kLanes) {
        T y, cb, cr, r, g, b;
        V::pairs(s + 2 * i, y, cb, cr);
        to_rgb<V, false>(y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

template <class V, class Px, int Shift, bool Round>
QRX_INLINE int plane_blocks(const u8* ys, const u8* cbs, const u8* crs, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    for (; i + V::kLanes <= n; i += V::kLanes) {
        const T y = V::samples(ys + i);
        T cb, cr;
        if constexpr (Shift == 0) {
            cb = V::samples(cbs + i), cr = V::samples(crs + i);
        } else if constexpr (Shift == 1) {
            cb = V::samples_x2(cbs + (i >> 1)), cr = V::samples_x2(crs + (i >> 1));
        } else {
            cb = V::samples_x4(cbs + (i >> 2)), cr = V::samples_x4(crs + (i >> 2));
        }
        T r, g, b;
        to_rgb<V, Round>(y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

}  // namespace

// Widest blocks first, then 8-pixel blocks; the caller finishes the rest.
template <class Px>
int c3(const u8* s, u16* d, int n, int row) {
    int i = 0;
#if defined(__AVX2__)
    i = c3_blocks<V256, Px>(s, d, i, n, row);
#endif
    return c3_blocks<V128, Px>(s, d, i, n, row);
}

template <class Px>
int c2(const u8* s, u16* d, int n, int row) {
    int i = 0;
#if defined(__AVX2__)
    i = c2_blocks<V256, Px>(s, d, i, n, row);
#endif
    return c2_blocks<V128, Px>(s, d, i, n, row);
}

template <class Px, int Shift, bool Round>
int planes(const u8* y, const u8* cb, const u8* cr, u16* d, int n, int row) {
    int i = 0;
#if defined(__AVX2__)
    i = plane_blocks<V256, Px, Shift, Round>(y, cb, cr, d, i, n, row);
#endif
    return plane_blocks<V128, Px, Shift, Round>(y, cb, cr, d, i, n, row);
}

}  // namespace qrx::rgb16::QRX_LEVEL::vec
