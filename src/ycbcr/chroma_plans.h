// Row plans shared by the 8-bit and the 16-bit packed BGR forward conversions:
// the body region goes to a kernel, the rest of the row to the scalar recipes.
// S is any forward source accessor (PixIn, or the 16-bit word reader).  The
// row drivers below take the source as bytes whatever its layout L (BGR C3,
// AC4, or 16-bit words): the body kernel reads the row's bytes and the rest of
// the row goes through scalar_in<L>.
#pragma once

#include <cstddef>

#include "core/image.h"
#include "qrxcc.h"
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

// Packed 4:2:2 (out: PackedOut), pixels [from, w): pairs by Y0 / Y1 / CB / CR, an
// odd last pixel as two bytes, Y by LY and Cb by LCB.
template <YFn Y0, YFn Y1, YFn CB, YFn CR, YFn LY, YFn LCB, class S, class D>
void packed422_rest(const S& s, const D& out, int from, int w) {
    fwd_pairs<Y0, Y1, CB, CR>(s, out, from, w);
    if (w & 1) {
        int r, g, b;
        s.get(w - 1, r, g, b);
        out.last(w - 1, LY(r, g, b), LCB(r, g, b));
    }
}

// BGR -> packed YCbCr 4:2:2, pixels [from, w): pairs by F16 / P17q, an odd last
// pixel as Y by F16 and Cb with offset 128.125.
template <class S>
void bgr422_packed_rest(const S& s, u8* d, int from, int w) {
    packed422_rest<f16_y, f16_y, p17q_cb, p17q_cr, f16_y, last_cb_128q>(s, PackedOut<false>{d}, from, w);
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

// BGR -> packed YCbCr 4:2:2: blocks of 32 by the body kernel (Y15 / P11), the rest by F16 / P17q.
template <Px L>
QrxStatus bgr_to_422_packed(const u8* src, int srcStep, u8* dst, int dstStep, QrxSize roi, PixToPackedFn body_fn) {
    const int w = roi.width, body = body_of(w, 32);
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(src, srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        if (body > 0) body_fn(s, d, body);
        bgr422_packed_rest(scalar_in<L>(s), d, body, w);
    }
    return qrxStatusOk;
}

// BGR -> Y plane row + subsampled Cb, Cr rows: blocks of 32 by the body
// kernel, then rest(source accessor, y, cb, cr, body, width).
template <Px L, class Rest>
QrxStatus bgr_to_planes(const u8* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi,
                        PixToPlanesFn body_fn, Rest rest) {
    const int w = roi.width, body = body_of(w, 32);
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(src, srcStep, y);
        u8 *yp = row_at(dst[0], dstStep[0], y), *cb = row_at(dst[1], dstStep[1], y), *cr = row_at(dst[2], dstStep[2], y);
        if (body > 0) body_fn(s, yp, cb, cr, body);
        rest(scalar_in<L>(s), yp, cb, cr, body, w);
    }
    return qrxStatusOk;
}

// BGR -> planar 4:2:2: blocks of 32 by the body kernel (Y15 / P11); the rest by
// F16 / P17q, an odd last pixel Y only.
template <Px L>
QrxStatus bgr_to_422_planes(const u8* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi,
                            PixToPlanesFn body_fn) {
    return bgr_to_planes<L>(src, srcStep, dst, dstStep, roi, body_fn,
                            [](const auto& s, u8* y, u8* cb, u8* cr, int from, int w) {
                                bgr422_planes_rest(s, y, cb, cr, from, w);
                            });
}

// BGR -> 4:2:0 (planes Y, Cb, Cr as given): per row pair, blocks of 16 columns by
// the body kernel (Y15 / Q11), the remaining column pairs by F16 / Q18, an odd
// last column and an odd last row Y by F16.
template <Px L>
QrxStatus bgr_to_420(const u8* src, int srcStep, u8* const p[3], const int step[3], QrxSize roi,
                     RowPairTo420Fn body_fn) {
    const int w = roi.width, body = body_of(w, 16);
    for (std::ptrdiff_t j = 0; j < roi.height / 2; ++j) {
        const u8* s0 = row_at(src, srcStep, 2 * j);
        const u8* s1 = row_at(src, srcStep, 2 * j + 1);
        u8 *y0 = row_at(p[0], step[0], 2 * j), *y1 = row_at(p[0], step[0], 2 * j + 1);
        u8 *cb = row_at(p[1], step[1], j), *cr = row_at(p[2], step[2], j);
        if (body > 0) body_fn(s0, s1, y0, y1, cb, cr, body);
        bgr420_pair_rest(scalar_in<L>(s0), scalar_in<L>(s1), y0, y1, cb, cr, body, w);
    }
    if (roi.height & 1) {
        const std::ptrdiff_t last = roi.height - 1;
        luma_only<f16_y>(scalar_in<L>(row_at(src, srcStep, last)), row_at(p[0], step[0], last), 0, w);
    }
    return qrxStatusOk;
}

// BGR -> 4:1:1: blocks of 32 by the body kernel (Y15 / Q11); whole groups of 4
// by F16 / Q18; the rest Y by F16.
template <Px L>
QrxStatus bgr_to_411(const u8* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi,
                     PixToPlanesFn body_fn) {
    return bgr_to_planes<L>(src, srcStep, dst, dstStep, roi, body_fn,
                            [](const auto& s, u8* y, u8* cb, u8* cr, int from, int w) {
                                bgr411_rest(s, y, cb, cr, from, w);
                            });
}

}  // namespace
}  // namespace qrx::ycbcr_sub
