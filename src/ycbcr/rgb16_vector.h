// Vector blocks of the 16-bit packed RGB kernels.  Included by rgb16_rows.inl
// (once per level file that has vector code), after its packers are known.
//
// Every lane holds one pixel as a signed 16-bit value.  The 13-bit terms are the
// high halves of (v << 7) * k, exactly T(v, k) of the scalar recipe, and no sum
// leaves the 16-bit range, so each lane equals the scalar result.  Blocks are
// V::kLanes16 pixels (8, 16 or 32); they always start at a multiple of 4 from
// the row's pixel 0, so one threshold vector per row serves the dither.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/packed16_x86.h"
#include "core/sample_words_x86.h"
#include "core/simd_x86.h"
#include "ycbcr/rgb16_format.h"

namespace qrx::rgb16::QRX_LEVEL::vec {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using qrx::simd::opaque;
using qrx::simd::V128;
#if defined(__AVX2__)
using qrx::simd::V256;
#endif
#if defined(__AVX512BW__)
using qrx::simd::V512;
#endif

// ---- recipe and packing on vectors ------------------------------------------------

// Offsets and coefficients of the 13-bit recipes.
template <class V>
struct Coeffs {
    using T = typename V::T;
    T y16 = opaque(V::set16(16)), c128 = opaque(V::set16(128)), round = opaque(V::set16(8));
    T ky = opaque(V::set16(9535)), kr = opaque(V::set16(13074)), kgr = opaque(V::set16(6660));
    T kgb = opaque(V::set16(3211)), kb = opaque(V::set16(16523));
};

// I13u (Round false) or I13s (Round true) on widened samples: R, G, B before
// the clamp (signed 16-bit lanes).
template <class V, bool Round>
QRX_INLINE void to_rgb(const Coeffs<V>& k, typename V::T y, typename V::T cb, typename V::T cr, typename V::T& r,
                       typename V::T& g, typename V::T& b) {
    using T = typename V::T;
    const T yp = V::slli16(V::sub16(y, k.y16), 7);
    const T bp = V::slli16(V::sub16(cb, k.c128), 7);
    const T rp = V::slli16(V::sub16(cr, k.c128), 7);
    T ty = V::mulhi16(yp, k.ky);
    if (Round) ty = V::add16(ty, k.round);
    r = V::srai16(V::add16(ty, V::mulhi16(rp, k.kr)), 4);
    g = V::srai16(V::sub16(V::sub16(ty, V::mulhi16(rp, k.kgr)), V::mulhi16(bp, k.kgb)), 4);
    b = V::srai16(V::add16(ty, V::mulhi16(bp, k.kb)), 4);
}

template <class Px>
using Px16 = qrx::simd::Packed16<Layout<Px::kFormat>::kRBBits, Layout<Px::kFormat>::kGBits, Layout<Px::kFormat>::kHighShift,
                                 Layout<Px::kFormat>::kMidShift, Px::kSwapRB, Px::kDither>;

// The packer of Px's layout, with the dither matrix row of image row `row`.
template <class V, class Px>
struct Packer : Px16<Px>::template Packer<V> {
    explicit Packer(int row)
        : Px16<Px>::template Packer<V>((Px::kFormat == Format::k444 ? kD4 : kD5)[row & 3]) {}
};

// ---- blocks by layout, from pixel i; return the first pixel not done ----------------

template <class V, class Px>
QRX_INLINE int c3_blocks(const u8* s, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    const Coeffs<V> k;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        T y, cb, cr, r, g, b;
        qrx::simd::load_c3_words<V>(s + 3 * static_cast<std::ptrdiff_t>(i), y, cb, cr);
        to_rgb<V, false>(k, y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

template <class V, class Px>
QRX_INLINE int c2_blocks(const u8* s, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    const Coeffs<V> k;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        T y, cb, cr, r, g, b;
        qrx::simd::load_pairs_words<V>(s + 2 * static_cast<std::ptrdiff_t>(i), y, cb, cr);
        to_rgb<V, false>(k, y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

// Chroma shared by pixel pairs (4:2:2 and 4:2:0 rows), I13u: the chroma terms
// are formed once per sample and then doubled.  2 * kLanes pixels per step.
template <class V>
struct PairTerms {
    using T = typename V::T;
    T r_lo, r_hi, g_lo, g_hi, b_lo, b_hi;  // T(Cr', 13074); T(Cr', 6660) + T(Cb', 3211); T(Cb', 16523)

    inline PairTerms(const Coeffs<V>& k, const u8* cbs, const u8* crs) {
        const T bp = V::slli16(V::sub16(V::load_widen(cbs), k.c128), 7);
        const T rp = V::slli16(V::sub16(V::load_widen(crs), k.c128), 7);
        const T tr = V::mulhi16(rp, k.kr);
        const T tg = V::add16(V::mulhi16(rp, k.kgr), V::mulhi16(bp, k.kgb));
        const T tb = V::mulhi16(bp, k.kb);
        r_lo = V::unpacklo16(tr, tr), r_hi = V::unpackhi16(tr, tr);
        g_lo = V::unpacklo16(tg, tg), g_hi = V::unpackhi16(tg, tg);
        b_lo = V::unpacklo16(tb, tb), b_hi = V::unpackhi16(tb, tb);
    }
};

// Luma terms of 2 * kLanes pixels, combined with the pair terms and packed.
template <class V, class Px>
QRX_INLINE void pair_luma(const Coeffs<V>& k, const PairTerms<V>& c, const Packer<V, Px>& pk, const u8* ys, u16* d) {
    using T = typename V::T;
    // in-lane widening, so the pixels of the lo / hi unpacks of the pair terms
    const T yv = V::load(ys), y0 = V::lo8to16(yv), y1 = V::hi8to16(yv);
    const T ty0 = V::mulhi16(V::slli16(V::sub16(y0, k.y16), 7), k.ky);
    const T ty1 = V::mulhi16(V::slli16(V::sub16(y1, k.y16), 7), k.ky);
    const T out0 = pk(V::srai16(V::add16(ty0, c.r_lo), 4), V::srai16(V::sub16(ty0, c.g_lo), 4),
                      V::srai16(V::add16(ty0, c.b_lo), 4));
    const T out1 = pk(V::srai16(V::add16(ty1, c.r_hi), 4), V::srai16(V::sub16(ty1, c.g_hi), 4),
                      V::srai16(V::add16(ty1, c.b_hi), 4));
    V::store_unpacked(d, out0, out1);
}

template <class V, class Px>
QRX_INLINE int pair_chroma_blocks(const u8* ys, const u8* cbs, const u8* crs, u16* d, int i, int n, int row) {
    const Packer<V, Px> pk(row);
    const Coeffs<V> k;
    for (; i + 2 * V::kLanes16 <= n; i += 2 * V::kLanes16)
        pair_luma<V, Px>(k, PairTerms<V>(k, cbs + (i >> 1), crs + (i >> 1)), pk, ys + i, d + i);
    return i;
}

// Two luma rows over one chroma row (4:2:0 row pairs): the chroma terms serve both.
template <class V, class Px>
QRX_INLINE int pair_chroma_two_rows_blocks(const u8* y0, const u8* y1, const u8* cbs, const u8* crs, u16* d0,
                                           u16* d1, int i, int n, int row0) {
    const Packer<V, Px> pk0(row0), pk1(row0 + 1);
    const Coeffs<V> k;
    for (; i + 2 * V::kLanes16 <= n; i += 2 * V::kLanes16) {
        const PairTerms<V> c(k, cbs + (i >> 1), crs + (i >> 1));
        pair_luma<V, Px>(k, c, pk0, y0 + i, d0 + i);
        pair_luma<V, Px>(k, c, pk1, y1 + i, d1 + i);
    }
    return i;
}

template <class V, class Px, int Shift, bool Round>
QRX_INLINE int plane_blocks(const u8* ys, const u8* cbs, const u8* crs, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    const Coeffs<V> k;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        const T y = V::load_widen(ys + i);
        T cb, cr;
        if constexpr (Shift == 0) {
            cb = V::load_widen(cbs + i), cr = V::load_widen(crs + i);
        } else if constexpr (Shift == 1) {
            cb = qrx::simd::load_widen_x2<V>(cbs + (i >> 1)), cr = qrx::simd::load_widen_x2<V>(crs + (i >> 1));
        } else {
            cb = qrx::simd::load_widen_x4<V>(cbs + (i >> 2)), cr = qrx::simd::load_widen_x4<V>(crs + (i >> 2));
        }
        T r, g, b;
        to_rgb<V, Round>(k, y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

}  // namespace

// Widest blocks first, down to 8-pixel blocks; the caller finishes the rest.
template <class Px>
int c3(const u8* s, u16* d, int n, int row) {
    int i = 0;
#if defined(__AVX512BW__)
    i = c3_blocks<V512, Px>(s, d, i, n, row);
#endif
#if defined(__AVX2__)
    i = c3_blocks<V256, Px>(s, d, i, n, row);
#endif
    return c3_blocks<V128, Px>(s, d, i, n, row);
}

template <class Px>
int c2(const u8* s, u16* d, int n, int row) {
    int i = 0;
#if defined(__AVX512BW__)
    i = c2_blocks<V512, Px>(s, d, i, n, row);
#endif
#if defined(__AVX2__)
    i = c2_blocks<V256, Px>(s, d, i, n, row);
#endif
    return c2_blocks<V128, Px>(s, d, i, n, row);
}

template <class Px, int Shift, bool Round>
int planes(const u8* y, const u8* cb, const u8* cr, u16* d, int n, int row) {
    int i = 0;
    if constexpr (Shift == 1 && !Round) {
#if defined(__AVX512BW__)
        i = pair_chroma_blocks<V512, Px>(y, cb, cr, d, i, n, row);
#endif
#if defined(__AVX2__)
        i = pair_chroma_blocks<V256, Px>(y, cb, cr, d, i, n, row);
#endif
        i = pair_chroma_blocks<V128, Px>(y, cb, cr, d, i, n, row);
    }
#if defined(__AVX512BW__)
    i = plane_blocks<V512, Px, Shift, Round>(y, cb, cr, d, i, n, row);
#endif
#if defined(__AVX2__)
    i = plane_blocks<V256, Px, Shift, Round>(y, cb, cr, d, i, n, row);
#endif
    return plane_blocks<V128, Px, Shift, Round>(y, cb, cr, d, i, n, row);
}

// Two rows sharing one chroma row, in blocks of 2 * kLanes pixels; the caller
// finishes each row from the returned pixel on.
template <class Px>
int planes_two_rows(const u8* y0, const u8* y1, const u8* cb, const u8* cr, u16* d0, u16* d1, int n, int row0) {
    int i = 0;
#if defined(__AVX512BW__)
    i = pair_chroma_two_rows_blocks<V512, Px>(y0, y1, cb, cr, d0, d1, i, n, row0);
#endif
#if defined(__AVX2__)
    i = pair_chroma_two_rows_blocks<V256, Px>(y0, y1, cb, cr, d0, d1, i, n, row0);
#endif
    return pair_chroma_two_rows_blocks<V128, Px>(y0, y1, cb, cr, d0, d1, i, n, row0);
}

}  // namespace qrx::rgb16::QRX_LEVEL::vec
