// Pixel access and generic loops of the 4:2:2, 4:2:0 and 4:1:1 conversions.
// The loops apply one recipe to a range of pixels (pairs, 2x2 blocks or 4x1
// groups); the scalar kernels run them over the body region and the exported
// functions over the rest of each row.  Everything here has internal linkage so
// that per-level kernel files never share an out-of-line copy.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/inline.h"
#include "ycbcr/bgr16_unpack.h"
#include "ycbcr/chroma_recipes.h"

namespace qrx::ycbcr_sub {
namespace {

using u8 = std::uint8_t;
using qrx::ycbcr::clamp255;
using qrx::ycbcr::Rgb;
using YFn = int (*)(int, int, int);
using RgbFn = Rgb (*)(int, int, int);

// ---- sources of the forward conversions ---------------------------------------

// SC bytes per pixel; BGR: bytes B, G, R (else R, G, B).  A fourth byte is never read.
template <int SC, bool BGR>
struct PixIn {
    const u8* s;
    void get(int i, int& r, int& g, int& b) const {
        const u8* p = s + static_cast<std::ptrdiff_t>(SC) * i;
        r = p[BGR ? 2 : 0];
        g = p[1];
        b = p[BGR ? 0 : 2];
    }
};

// One 16-bit packed BGR word per pixel, read as widened R, G, B (rows may start at
// any byte address: the word is copied out, never read through a misaligned pointer).
template <bool Is565>
struct Bgr16In {
    const void* s;
    void get(int i, int& r, int& g, int& b) const {
        std::uint16_t w;
        std::memcpy(&w, static_cast<const u8*>(s) + 2 * static_cast<std::ptrdiff_t>(i), 2);
        const auto p = Is565 ? qrx::ycbcr::unpack_bgr565(w) : qrx::ycbcr::unpack_bgr555(w);
        r = p.r;
        g = p.g;
        b = p.b;
    }
};

// Pixel-order source layouts of the kernels (Bgr4A: 16-byte aligned rows).
enum class Px { Rgb3, Bgr3, Bgr4, Bgr4A, Bgr565, Bgr555 };

template <Px L>
QRX_INLINE auto scalar_in(const u8* s) {
    if constexpr (L == Px::Rgb3) return PixIn<3, false>{s};
    else if constexpr (L == Px::Bgr3) return PixIn<3, true>{s};
    else if constexpr (L == Px::Bgr4 || L == Px::Bgr4A) return PixIn<4, true>{s};
    else return Bgr16In<L == Px::Bgr565>{s};
}

struct PlanesIn {
    const u8 *r, *g, *b;
    void get(int i, int& rv, int& gv, int& bv) const {
        rv = r[i];
        gv = g[i];
        bv = b[i];
    }
};

// ---- destinations of the forward conversions ----------------------------------

// Packed 4:2:2, pair i (even) at byte 2 i.  CbFirst: Cb Y0 Cr Y1, else Y0 Cb Y1 Cr.
template <bool CbFirst>
struct PackedOut {
    u8* d;
    void pair(int i, int y0, int y1, int cb, int cr) const {
        u8* p = d + 2 * static_cast<std::ptrdiff_t>(i);
        p[CbFirst ? 1 : 0] = clamp255(y0);
        p[CbFirst ? 0 : 1] = clamp255(cb);
        p[CbFirst ? 3 : 2] = clamp255(y1);
        p[CbFirst ? 2 : 3] = clamp255(cr);
    }
    // The single last pixel of an odd row: two bytes, Y and Cb.
    void last(int i, int y, int cb) const {
        u8* p = d + 2 * static_cast<std::ptrdiff_t>(i);
        p[CbFirst ? 1 : 0] = clamp255(y);
        p[CbFirst ? 0 : 1] = clamp255(cb);
    }
};

// Planar 4:2:2: full-width Y, half-width Cb and Cr.
struct Planes422Out {
    u8 *y, *cb, *cr;
    void pair(int i, int y0, int y1, int cbv, int crv) const {
        y[i] = clamp255(y0);
        y[i + 1] = clamp255(y1);
        cb[i >> 1] = clamp255(cbv);
        cr[i >> 1] = clamp255(crv);
    }
};

// ---- sources of the inverse conversions -----------------------------------------

template <bool CbFirst>
struct PackedIn {
    const u8* s;
    void pair(int i, int& y0, int& y1, int& cb, int& cr) const {
        const u8* p = s + 2 * static_cast<std::ptrdiff_t>(i);
        y0 = p[CbFirst ? 1 : 0];
        cb = p[CbFirst ? 0 : 1];
        y1 = p[CbFirst ? 3 : 2];
        cr = p[CbFirst ? 2 : 3];
    }
    void last(int i, int& y, int& cb) const {
        const u8* p = s + 2 * static_cast<std::ptrdiff_t>(i);
        y = p[CbFirst ? 1 : 0];
        cb = p[CbFirst ? 0 : 1];
    }
    // Cr of the pair before pixel i.
    int prev_cr(int i) const { return s[2 * static_cast<std::ptrdiff_t>(i) - (CbFirst ? 2 : 1)]; }
};

// Y row with chroma rows subsampled horizontally by 2^Shift (1: 4:2:2 / 4:2:0, 2: 4:1:1).
template <int Shift>
struct SubPlanesIn {
    const u8 *y, *cb, *cr;
    void get(int i, int& yv, int& cbv, int& crv) const {
        yv = y[i];
        cbv = cb[i >> Shift];
        crv = cr[i >> Shift];
    }
};

// ---- destinations of the inverse conversions ------------------------------------

// DC bytes per pixel; BGR order or RGB; DC == 4 writes alpha into the fourth byte.
template <int DC, bool BGR>
struct PixOut {
    u8* d;
    u8 alpha;
    void put(int i, Rgb c) const {
        u8* p = d + static_cast<std::ptrdiff_t>(DC) * i;
        p[0] = BGR ? c.b : c.r;
        p[1] = c.g;
        p[2] = BGR ? c.r : c.b;
        if constexpr (DC == 4) p[3] = alpha;
    }
};

struct PlanesOut {
    u8 *r, *g, *b;
    void put(int i, Rgb c) const {
        r[i] = c.r;
        g[i] = c.g;
        b[i] = c.b;
    }
};

// ---- loops ------------------------------------------------------------------------

// Forward pairs [i0, i1): luma of each pixel, chroma of the pair from its sums.
template <YFn Y0, YFn Y1, YFn CB, YFn CR, class S, class D>
QRX_INLINE void fwd_pairs(const S& s, const D& d, int i0, int i1) {
    for (int i = i0; i + 1 < i1; i += 2) {
        int r0, g0, b0, r1, g1, b1;
        s.get(i, r0, g0, b0);
        s.get(i + 1, r1, g1, b1);
        d.pair(i, Y0(r0, g0, b0), Y1(r1, g1, b1), CB(r0 + r1, g0 + g1, b0 + b1), CR(r0 + r1, g0 + g1, b0 + b1));
    }
}

// Inverse pairs of a packed row [i0, i1): both pixels take the pair's chroma.
template <RgbFn R, class S, class D>
QRX_INLINE void inv_pairs(const S& s, const D& d, int i0, int i1) {
    for (int i = i0; i + 1 < i1; i += 2) {
        int y0, y1, cb, cr;
        s.pair(i, y0, y1, cb, cr);
        d.put(i, R(y0, cb, cr));
        d.put(i + 1, R(y1, cb, cr));
    }
}

// Inverse pixels [i0, i1) of a planar row with subsampled chroma.
template <RgbFn R, class S, class D>
QRX_INLINE void inv_pixels(const S& s, const D& d, int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
        int y, cb, cr;
        s.get(i, y, cb, cr);
        d.put(i, R(y, cb, cr));
    }
}

// Luma only, pixels [i0, i1).
template <YFn Y, class S>
QRX_INLINE void luma_only(const S& s, u8* y, int i0, int i1) {
    for (int i = i0; i < i1; ++i) {
        int r, g, b;
        s.get(i, r, g, b);
        y[i] = clamp255(Y(r, g, b));
    }
}

// Forward 2x2 blocks of a row pair, columns [i0, i1): luma of all four pixels,
// chroma of the block from its sums.
template <YFn Y, YFn CB, YFn CR, class S>
QRX_INLINE void fwd_blocks_420(const S& s0, const S& s1, u8* y0, u8* y1, u8* cb, u8* cr, int i0, int i1) {
    for (int i = i0; i + 1 < i1; i += 2) {
        int r[4], g[4], b[4];
        s0.get(i, r[0], g[0], b[0]);
        s0.get(i + 1, r[1], g[1], b[1]);
        s1.get(i, r[2], g[2], b[2]);
        s1.get(i + 1, r[3], g[3], b[3]);
        y0[i] = clamp255(Y(r[0], g[0], b[0]));
        y0[i + 1] = clamp255(Y(r[1], g[1], b[1]));
        y1[i] = clamp255(Y(r[2], g[2], b[2]));
        y1[i + 1] = clamp255(Y(r[3], g[3], b[3]));
        const int sr = r[0] + r[1] + r[2] + r[3], sg = g[0] + g[1] + g[2] + g[3], sb = b[0] + b[1] + b[2] + b[3];
        cb[i >> 1] = clamp255(CB(sr, sg, sb));
        cr[i >> 1] = clamp255(CR(sr, sg, sb));
    }
}

// Forward 4x1 groups, pixels [i0, i1).
template <YFn Y, YFn CB, YFn CR, class S>
QRX_INLINE void fwd_groups_411(const S& s, u8* y, u8* cb, u8* cr, int i0, int i1) {
    for (int i = i0; i + 3 < i1; i += 4) {
        int sr = 0, sg = 0, sb = 0;
        for (int k = 0; k < 4; ++k) {
            int r, g, b;
            s.get(i + k, r, g, b);
            y[i + k] = clamp255(Y(r, g, b));
            sr += r;
            sg += g;
            sb += b;
        }
        cb[i >> 2] = clamp255(CB(sr, sg, sb));
        cr[i >> 2] = clamp255(CR(sr, sg, sb));
    }
}

// Y15s luma and three-tap chroma over the pairs [0, n) of a row (n even); the
// first pair has no left neighbour.  curve, when given, maps every input first.
// Pairs [from, n); the pair at `from` takes pixel from - 1 as its left neighbour.
template <bool Curve, class S>
QRX_INLINE void tap3_pairs_(const S& s, u8* dst, int from, int n, const u8* curve) {
    using namespace qrx::ycbcr::chroma;
    int rl = 0, gl = 0, bl = 0;
    if (from > 0) {
        s.get(from - 1, rl, gl, bl);
        if constexpr (Curve) rl = curve[rl], gl = curve[gl], bl = curve[bl];
    }
    for (int i = from; i + 1 < n; i += 2) {
        int r0, g0, b0, r1, g1, b1;
        s.get(i, r0, g0, b0);
        s.get(i + 1, r1, g1, b1);
        if constexpr (Curve) {
            r0 = curve[r0], g0 = curve[g0], b0 = curve[b0];
            r1 = curve[r1], g1 = curve[g1], b1 = curve[b1];
        }
        u8* p = dst + 2 * static_cast<std::ptrdiff_t>(i);
        p[0] = static_cast<u8>(tap3_cb(rl, gl, bl, r0, g0, b0, r1, g1, b1));
        p[1] = clamp255(y15s(r0, g0, b0));
        p[2] = static_cast<u8>(tap3_cr(rl, gl, bl, r0, g0, b0, r1, g1, b1));
        p[3] = clamp255(y15s(r1, g1, b1));
        rl = r1, gl = g1, bl = b1;
    }
}
template <class S>
QRX_INLINE void tap3_pairs(const S& s, u8* dst, int n, const u8* curve, int from = 0) {
    if (curve) tap3_pairs_<true>(s, dst, from, n, curve);
    else tap3_pairs_<false>(s, dst, from, n, curve);
}

}  // namespace
}  // namespace qrx::ycbcr_sub
