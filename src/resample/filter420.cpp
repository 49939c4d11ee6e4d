// Filtered 4:2:0 conversions.
//
// Interpolating 4:2:0 -> 4:2:2: luma copied; even chroma rows are the source
// rows, odd rows the four-tap (-1, 9, 9, -1) interpolation of the source rows
// around them, taps beyond the frame taking the nearest row.
//
// Smoothing (slice position): luma by the 1-2-1 vertical filter, chroma by
// the average of two neighbouring source chroma rows.  Every value is taken
// either in the rounding form (columns inside whole blocks) or in the
// truncating form (the rest of the row, and the rows that a mode puts wholly
// in that form); the tables below decide which.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "resample/filter420_kernels.h"

using namespace qrx;
using qrx::filter420::Kernels;
using u8 = std::uint8_t;
using std::ptrdiff_t;

namespace {

using In = Plane<const u8>;  // a source plane and its step
using Out = Plane<u8>;

void copy_rows(In s, Out d, int n, ptrdiff_t first, ptrdiff_t last) {
    for (ptrdiff_t r = first; r <= last; ++r) std::memcpy(d.row(r), s.row(r), static_cast<std::size_t>(n));
}

// ---- interpolating 4:2:0 -> 4:2:2 -------------------------------------------

// Source chroma row k of n, clamped to the frame.
ptrdiff_t edge(ptrdiff_t k, int n) { return std::clamp<ptrdiff_t>(k, 0, n - 1); }

void interpolate_plane(In c, Out d, int w, int h) {
    const Kernels& k = filter420::kernels();
    const int n = h / 2;
    for (ptrdiff_t j = 0; j < n; ++j) {
        std::memcpy(d.row(2 * j), c.row(j), static_cast<std::size_t>(w / 2));
        k.interp(c.row(edge(j - 1, n)), c.row(j), c.row(edge(j + 1, n)), c.row(edge(j + 2, n)), d.row(2 * j + 1), w / 2);
    }
}

void interpolate_p2(In uv, Out u, Out v, int w, int h) {
    const Kernels& k = filter420::kernels();
    const int n = h / 2;
    for (ptrdiff_t j = 0; j < n; ++j) {
        k.unzip(uv.row(j), u.row(2 * j), v.row(2 * j), w / 2);
        k.interp_uv(uv.row(edge(j - 1, n)), uv.row(j), uv.row(edge(j + 1, n)), uv.row(edge(j + 2, n)),
                    u.row(2 * j + 1), v.row(2 * j + 1), w / 2);
    }
}

QrxStatus interpolating_p3(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* const pDst[3],
                           const int dstStep[3], QrxSize roi, int cb_in, int cr_in) {
    if (pSrc == nullptr || pDst == nullptr || any_plane_null(pSrc, 3) || any_plane_null(pDst, 3))
        return qrxStatusNullPointer;
    if (size_below(roi, 2, 8)) return qrxStatusSizeError;
    const int w = roi.width & ~1, h = roi.height & ~7;
    copy_rows({pSrc[0], srcStep[0]}, {pDst[0], dstStep[0]}, w, 0, h - 1);
    interpolate_plane({pSrc[cb_in], srcStep[cb_in]}, {pDst[1], dstStep[1]}, w, h);
    interpolate_plane({pSrc[cr_in], srcStep[cr_in]}, {pDst[2], dstStep[2]}, w, h);
    return qrxStatusOk;
}

// ---- smoothing with slice positions -------------------------------------------

enum class Slice { None, Top, Middle, Bottom, Whole };

Slice slice_of(int position) {
    constexpr int kAll = qrxSliceTop | qrxSliceMiddle | qrxSliceBottom;
    if ((position & kAll) == kAll) return Slice::Whole;
    if (position == qrxSliceTop) return Slice::Top;
    if (position == qrxSliceMiddle) return Slice::Middle;
    if (position == qrxSliceBottom) return Slice::Bottom;
    return Slice::None;
}

// Rows of one call, relative to the slice: luma rows [first, last]; the frame
// edges that the slice holds (there a missing neighbour is the row itself).
struct SliceRows {
    int first, last;
    bool top_edge, bottom_edge;
};

SliceRows rows_of(Slice s, int h) {
    switch (s) {
        // a top slice of height 2 still converts its rows 0-1, reading luma
        // row 2 and chroma row 1 of the following slice
        case Slice::Top: return {0, std::max(h - 3, 1), true, false};
        case Slice::Middle: return {-2, h - 3, false, false};
        case Slice::Bottom: return {-2, h - 1, false, true};
        default: return {0, h - 1, true, true};
    }
}

// Luma neighbours of row r, and the pair of source chroma rows averaged for
// chroma row k (n = h/2 chroma rows in the slice).
ptrdiff_t above(const SliceRows& sr, ptrdiff_t r) { return (sr.top_edge && r == 0) ? r : r - 1; }
ptrdiff_t below(const SliceRows& sr, ptrdiff_t r, int h) { return (sr.bottom_edge && r == h - 1) ? r : r + 1; }
void chroma_pair(const SliceRows& sr, ptrdiff_t k, int h, ptrdiff_t& lo, ptrdiff_t& hi) {
    lo = k, hi = k + 1;
    if (sr.bottom_edge && hi > h / 2 - 1) lo = k - 1, hi = k;  // last row: the two last source rows
    if (sr.top_edge && lo < 0) lo = 0;                         // a frame of one chroma row
}

int whole_blocks(int n, int block) { return block > 0 ? n / block * block : 0; }

// Packed 4:2:2 output: block width (luma columns) of the rounding form in row r;
// 0 puts the whole row in the truncating form.
int packed_block(Slice s, int r, int h) {
    switch (s) {
        case Slice::Whole: return (r <= 1 || r >= h - 2) ? 0 : 32;
        case Slice::Top: return r <= 1 ? 8 : 32;
        case Slice::Bottom: return r >= h - 2 ? 8 : 32;
        default: return 32;
    }
}

}  // namespace

extern "C" {

QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                         Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    return interpolating_p3(pSrc, srcStep, pDst, dstStep, roi, 1, 2);
}

QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_Filter_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                         Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    return interpolating_p3(pSrc, srcStep, pDst, dstStep, roi, 2, 1);  // source planes Y, Cr, Cb
}

QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                           int srcCbCrStep, Qrx8u* const pDst[3],
                                                           const int dstStep[3], QrxSize roi) {
    if (pDst == nullptr || any_plane_null(pDst, 3) || any_null(pSrcY, pSrcCbCr)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 8)) return qrxStatusSizeError;
    const int w = roi.width & ~1, h = roi.height & ~7;
    copy_rows({pSrcY, srcYStep}, {pDst[0], dstStep[0]}, w, 0, h - 1);
    interpolate_p2({pSrcCbCr, srcCbCrStep}, {pDst[1], dstStep[1]}, {pDst[2], dstStep[2]}, w, h);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                           int srcCbCrStep, Qrx8u* pDst, int dstStep, QrxSize roi,
                                                           int slicePosition) {
    if (any_null(pSrcY, pSrcCbCr, pDst)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 2)) return qrxStatusSizeError;
    const Slice slice = slice_of(slicePosition);
    if (slice == Slice::None) return qrxStatusOk;
    const int w = roi.width & ~1, h = roi.height & ~1;
    const In y{pSrcY, srcYStep}, c{pSrcCbCr, srcCbCrStep};
    const Out d{pDst, dstStep};
    const SliceRows sr = rows_of(slice, h);
    const Kernels& k = filter420::kernels();
    for (ptrdiff_t r = sr.first; r <= sr.last; ++r) {
        ptrdiff_t lo, hi;
        chroma_pair(sr, r >> 1, h, lo, hi);  // rows 2k and 2k+1 share chroma row k (r may be -2, -1)
        const u8* a = y.row(above(sr, r));
        const u8* b = y.row(r);
        const u8* cc = y.row(below(sr, r, h));
        const u8* ca = c.row(lo);
        const u8* cb = c.row(hi);
        u8* out = d.row(r);
        const int body = whole_blocks(w, packed_block(slice, static_cast<int>(r), h));
        if (body > 0) k.packed_round(a, b, cc, ca, cb, out, body / 2);
        if (w > body) k.packed_trunc(a + body, b + body, cc + body, ca + body, cb + body, out + 2 * body, (w - body) / 2);
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                           int srcCbCrStep, Qrx8u* const pDst[3],
                                                           const int dstStep[3], QrxSize roi, int slicePosition) {
    if (any_null(pSrcY, pSrcCbCr, pDst)) return qrxStatusNullPointer;
    if (size_below(roi, 1, 1)) return qrxStatusSizeError;
    if (any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 2)) return qrxStatusSizeError;
    const Slice slice = slice_of(slicePosition);
    if (slice == Slice::None) return qrxStatusOk;
    const int w = roi.width & ~1, h = roi.height & ~1;
    const int cw = w / 2;
    const auto a16 = [](const void* p) { return reinterpret_cast<std::uintptr_t>(p) % 16 == 0; };
    const bool aligned = w % 64 == 0 && h % 16 == 0 && srcYStep % 16 == 0 && srcCbCrStep % 32 == 0 &&
                         dstStep[0] % 32 == 0 && dstStep[1] % 32 == 0 && dstStep[2] % 32 == 0 && a16(pSrcY) &&
                         a16(pSrcCbCr) && a16(pDst[0]) && a16(pDst[1]) && a16(pDst[2]);
    const In y{pSrcY, srcYStep}, c{pSrcCbCr, srcCbCrStep};
    const Out dy{pDst[0], dstStep[0]}, du{pDst[1], dstStep[1]}, dv{pDst[2], dstStep[2]};
    const SliceRows sr = rows_of(slice, h);
    const Kernels& k = filter420::kernels();

    // Rounding-form widths: the aligned path covers whole rows in one block;
    // the general path (and every whole-frame call) blocks of 16 luma
    // columns and of 16 chroma samples.  A whole-frame call puts its first
    // and last luma rows and its last chroma row in the truncating form.
    const bool whole = slice == Slice::Whole;
    const int luma_body = (aligned && !whole) ? w : whole_blocks(w, 16);
    const int chroma_body = (aligned && !whole) ? cw : whole_blocks(cw, 16);

    for (ptrdiff_t r = sr.first; r <= sr.last; ++r) {
        const int body = (whole && (r == 0 || r == h - 1)) ? 0 : luma_body;
        const u8* a = y.row(above(sr, r));
        const u8* b = y.row(r);
        const u8* cc = y.row(below(sr, r, h));
        u8* out = dy.row(r);
        if (body > 0) k.smooth_round(a, b, cc, out, body);
        if (w > body) k.smooth_trunc(a + body, b + body, cc + body, out + body, w - body);
    }
    const ptrdiff_t kfirst = sr.first / 2, klast = (sr.last - 1) / 2;
    for (ptrdiff_t j = kfirst; j <= klast; ++j) {
        ptrdiff_t lo, hi;
        chroma_pair(sr, j, h, lo, hi);
        const int body = (whole && j == h / 2 - 1) ? 0 : chroma_body;
        const u8* ca = c.row(lo);
        const u8* cb = c.row(hi);
        if (body > 0) k.avg_uv_round(ca, cb, du.row(j), dv.row(j), body);
        if (cw > body) k.avg_uv_trunc(ca + 2 * body, cb + 2 * body, du.row(j) + body, dv.row(j) + body, cw - body);
    }
    return qrxStatusOk;
}

}  // extern "C"
