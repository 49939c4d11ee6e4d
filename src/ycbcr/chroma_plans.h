// Row plans shared by the 8-bit and the 16-bit packed BGR forward conversions:
// the body region goes to a kernel, the rest of the row to the scalar recipes.
// S is any forward source accessor (PixIn, or the 16-bit word reader).
#pragma once

#include "ycbcr/bgr16_unpack.h"
#include "ycbcr/chroma_access.h"
#include "ycbcr/chroma_kernels.h"
#include "ycbcr/recipes.h"

namespace qrx::ycbcr_sub {
namespace {

using namespace qrx::ycbcr::chroma;
using qrx::ycbcr::f16_cb;
using qrx::ycbcr::f16_y;

// Whole blocks of `block` pixels from the left edge.
inline int body_of(int width, int block) { return width / block * block; }

// BGR -> packed YCbCr 4:2:2, pixels [from, w): pairs by F16 / P17q, an odd last
// pixel as Y by F16 and Cb with offset 128.125.
template <class S>
void bgr422_packed_rest(const S& s, u8* d, int from, int w) {
    const PackedOut<false> out{d};
    fwd_pairs<f16_y, f16_y, p17q_cb, p17q_cr>(s, out, from, w);
    if (w & 1) {
        int r, g, b;
        s.get(w - 1, r, g, b);
        out.last(w - 1, f16_y(r, g, b), last_cb_128q(r, g, b));
    }
}

// BGR -> planar 4:2:2, pixels [from, w): pairs by F16 / P17q, an odd last pixel Y only.
template <class S>
void bgr422_planes_rest(const S& s, u8* y, u8* cb, u8* cr, int from, int w) {
    fwd_pairs<f16_y, f16_y, p17q_cb, p17q_cr>(s, Planes422Out{y, cb, cr}, from, w);
    if (w & 1) luma_only<f16_y>(s, y, w - 1, w);
}

// BGR -> 4:2:0, one row pair, columns [from, w): blocks by F16 / Q18, an odd
// last column Y only (both rows).
template <class S>
void bgr420_pair_rest(const S& s0, const S& s1, u8* y0, u8* y1, u8* cb, u8* cr, int from, int w) {
    fwd_blocks_420<f16_y, q18_cb, q18_cr>(s0, s1, y0, y1, cb, cr, from, w);
    if (w & 1) {
        luma_only<f16_y>(s0, y0, w - 1, w);
        luma_only<f16_y>(s1, y1, w - 1, w);
    }
}

// BGR -> 4:1:1, pixels [from, w): groups of 4 by F16 / Q18, the last w mod 4 Y only.
template <class S>
void bgr411_rest(const S& s, u8* y, u8* cb, u8* cr, int from, int w) {
    fwd_groups_411<f16_y, q18_cb, q18_cr>(s, y, cb, cr, from, w);
    luma_only<f16_y>(s, y, w / 4 * 4 > from ? w / 4 * 4 : from, w);
}

}  // namespace
}  // namespace qrx::ycbcr_sub
