// RGB/BGR <-> YCbCr 4:2:2: checks, then per row a region plan.  The vector body
// covers whole blocks from the row's left edge, the rest of the row is finished
// pair by pair and, for an odd width, by one last single pixel.
#include <cstdint>

#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "ycbcr/chroma_plans.h"

using namespace qrx;
using namespace qrx::ycbcr_sub;
using qrx::ycbcr::f16_cb;
using qrx::ycbcr::f16_y;
using qrx::ycbcr::i16b;
using qrx::ycbcr::i13r;

namespace {

bool aligned16(const void* p) { return (reinterpret_cast<std::uintptr_t>(p) & 15u) == 0; }
bool aligned16(int step) { return (step & 15) == 0; }

// Forward rows: body by `body_fn`, then `rest(s, d, body)` for the rest of the row.
template <class Body, class Rest>
QrxStatus forward_rows(const u8* src, int srcStep, u8* dst, int dstStep, QrxSize roi, int body, Body body_fn,
                       Rest rest) {
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(src, srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        if (body > 0) body_fn(s, d, body);
        rest(s, d, body);
    }
    return qrxStatusOk;
}

// Packed 4:2:2 -> any destination D (out_of_row(y) gives row y's accessor).
// Width 1: every row through `Last` with the pixel's Cb in the place of Cr.
// Otherwise body_fn(src row, d, body), pairs by `Pair`, and an odd last pixel
// by `Last` with the Cr of the previous pair.
template <bool CbFirst, RgbFn Pair, RgbFn Last, class OutOfRow, class Body>
QrxStatus packed_inv_rows(const u8* src, int srcStep, QrxSize roi, int body, OutOfRow out_of_row, Body body_fn) {
    const int w = roi.width;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const PackedIn<CbFirst> s{row_at(src, srcStep, y)};
        const auto d = out_of_row(y);
        if (w == 1) {
            int yv, cb;
            s.last(0, yv, cb);
            d.put(0, Last(yv, cb, cb));
            continue;
        }
        if (body > 0) body_fn(s.s, d, body);
        inv_pairs<Pair>(s, d, body, w);
        if (w & 1) {
            int yv, cb;
            s.last(w - 1, yv, cb);
            d.put(w - 1, Last(yv, cb, s.prev_cr(w - 1)));
        }
    }
    return qrxStatusOk;
}

// Packed 4:2:2 -> pixel order (DC bytes, alpha into a fourth byte).
template <bool CbFirst, int DC, bool BGR, RgbFn Pair, RgbFn Last>
QrxStatus packed_to_pix_rows(const u8* src, int srcStep, u8* dst, int dstStep, QrxSize roi, int body,
                             PackedToPixFn body_fn, u8 alpha) {
    using Out = PixOut<DC, BGR>;
    return packed_inv_rows<CbFirst, Pair, Last>(
        src, srcStep, roi, body, [&](std::ptrdiff_t y) { return Out{row_at(dst, dstStep, y), alpha}; },
        [&](const u8* s, const Out& d, int n) { body_fn(s, d.d, n, alpha); });
}

}  // namespace

extern "C" {

// ---- forward ---------------------------------------------------------------------

QRXCC_API QrxStatus qrxiRGBToYCbCr422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const int w = roi.width;
    // vector body: blocks of 8 then 4 (all whole 4-pixel blocks), Y by FP, chroma by P17;
    // pairs: Y by F16t, chroma by P17; odd last pixel: Y by F16u and Cb with offset 128
    return forward_rows(pSrc, srcStep, pDst, dstStep, roi, body_of(w, 4), ycbcr_sub::kernels().rgb_c3_yuy_fp_p17,
                        [w](const u8* s, u8* d, int from) {
                            packed422_rest<f16t_y, f16t_y, p17_cb, p17_cr, f16u_y, last_cb_128>(
                                PixIn<3, false>{s}, PackedOut<false>{d}, from, w);
                        });
}

QRXCC_API QrxStatus qrxiRGBToYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    const int w = roi.width, body = body_of(w, 8);
    const Kernels& k = ycbcr_sub::kernels();
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const PlanesIn in{row_at(pSrc[0], srcStep, y), row_at(pSrc[1], srcStep, y), row_at(pSrc[2], srcStep, y)};
        const PackedOut<false> out{row_at(pDst, dstStep, y)};
        // vector body: blocks of 8, Y by FP, chroma by P17
        if (body > 0) k.rgb_p3_yuy_fp_p17(in.r, in.g, in.b, out.d, body);
        // pairs: Y0 by F16, Y1 by F16t, chroma by P17; odd last pixel: Y and Cb by F16
        packed422_rest<f16_y, f16t_y, p17_cb, p17_cr, f16_y, f16_cb>(in, out, body, w);
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 1)) return qrxStatusSizeError;
    // vector body: blocks of 32, Y by Y15, chroma by P11; the rest by F16 / P17q
    return bgr_to_422_packed<Px::Bgr3>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().bgr_c3_yuy_y15_p11);
}

QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_AC4C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                                QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 1)) return qrxStatusSizeError;
    return bgr_to_422_packed<Px::Bgr4>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().bgr_ac4_yuy_y15_p11);
}

// BGR to planar 4:2:2: vector body blocks of 32, Y by Y15, chroma by P11; the rest by
// F16 / P17q, an odd last pixel Y only.
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                               const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 1)) return qrxStatusSizeError;
    return bgr_to_422_planes<Px::Bgr3>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().bgr_c3_p3_y15_p11);
}

QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 1)) return qrxStatusSizeError;
    return bgr_to_422_planes<Px::Bgr4>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().bgr_ac4_p3_y15_p11);
}

QRXCC_API QrxStatus qrxiBGRToCbYCr422_8u_AC4C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                                QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = ycbcr_sub::kernels();
    const bool aligned = aligned16(pSrc) && aligned16(pDst) && aligned16(srcStep) && aligned16(dstStep);
    const int w = roi.width;
    // vector body: blocks of 8, Y by Y15, chroma by P10; pairs: Y by F16, Cb by P17,
    // Cr by P17 with its offset two below; odd last pixel: Y and Cb by F16
    return forward_rows(pSrc, srcStep, pDst, dstStep, roi, body_of(w, 8),
                        aligned ? k.bgr_ac4_uyvy_y15_p10_a : k.bgr_ac4_uyvy_y15_p10,
                        [w](const u8* s, u8* d, int from) {
                            packed422_rest<f16_y, f16_y, p17_cb, p17m2_cr, f16_y, f16_cb>(
                                PixIn<4, true>{s}, PackedOut<true>{d}, from, w);
                        });
}

}  // extern "C"

namespace {

// Three-tap CbYCr: every whole pair by Y15s / three-tap chroma (body blocks of 4
// and the pairs after it share the recipe); an odd last pixel by F16 (Y, Cb).
QrxStatus tap3_rows(const u8* src, int srcStep, u8* dst, int dstStep, QrxSize roi, const u8* curve) {
    const int w = roi.width;
    const Kernels& k = ycbcr_sub::kernels();
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(src, srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        if (w >= 2) k.rgb_c3_uyvy_tap3(s, d, w & ~1, curve);
        if (w & 1) {
            int r, g, b;
            PixIn<3, false>{s}.get(w - 1, r, g, b);
            if (curve) r = curve[r], g = curve[g], b = curve[b];
            PackedOut<true>{d}.last(w - 1, f16_y(r, g, b), f16_cb(r, g, b));
        }
    }
    return qrxStatusOk;
}

}  // namespace

extern "C" {

QRXCC_API QrxStatus qrxiRGBToCbYCr422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    return tap3_rows(pSrc, srcStep, pDst, dstStep, roi, nullptr);
}

QRXCC_API QrxStatus qrxiRGBToCbYCr422Gamma_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                                    QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    return tap3_rows(pSrc, srcStep, pDst, dstStep, roi, kBt709Curve8);
}

// ---- inverse ---------------------------------------------------------------------

QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    // vector body: blocks of 8 then 4 by I13t; pairs and the odd last pixel by I16c
    return packed_to_pix_rows<false, 3, false, i16c, i16c>(pSrc, srcStep, pDst, dstStep, roi, body_of(roi.width, 4),
                                                           ycbcr_sub::kernels().yuy_rgb_c3_i13t, 0);
}

QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
                                               QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    // vector body: blocks of 4 by I13t; pairs and the odd last pixel by I16c
    const Kernels& k = ycbcr_sub::kernels();
    return packed_inv_rows<false, i16c, i16c>(
        pSrc, srcStep, roi, body_of(roi.width, 4),
        [&](std::ptrdiff_t y) {
            return PlanesOut{row_at(pDst[0], dstStep, y), row_at(pDst[1], dstStep, y), row_at(pDst[2], dstStep, y)};
        },
        [&](const u8* s, const PlanesOut& d, int n) { k.yuy_rgb_p3_i13t(s, d.r, d.g, d.b, n); });
}

QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                               int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    const int w = roi.width, body = body_of(w, 8);
    const Kernels& k = ycbcr_sub::kernels();
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const SubPlanesIn<1> s{row_at(pSrc[0], srcStep[0], y), row_at(pSrc[1], srcStep[1], y),
                               row_at(pSrc[2], srcStep[2], y)};
        const PixOut<3, false> d{row_at(pDst, dstStep, y), 0};
        // vector body: blocks of 8 by I13r; pairs and an odd last pixel (chroma sample w/2) by I16b
        if (body > 0) k.p3_422_rgb_c3_i13r(s.y, s.cb, s.cr, d.d, body, 0);
        inv_pixels<i16b>(s, d, body, w);
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToBGR_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 1)) return qrxStatusSizeError;
    // vector body: blocks of 16 by I13r; pairs by I13r; odd last pixel by I16c
    return packed_to_pix_rows<false, 3, true, i13r, i16c>(pSrc, srcStep, pDst, dstStep, roi, body_of(roi.width, 16),
                                                          ycbcr_sub::kernels().yuy_bgr_c3_i13r, 0);
}

QRXCC_API QrxStatus qrxiYCbCr422ToBGR_8u_C2C4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi, Qrx8u aval) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 1)) return qrxStatusSizeError;
    // vector body: blocks of 16 by I12; pairs and the odd last pixel by I16c
    return packed_to_pix_rows<false, 4, true, i16c, i16c>(pSrc, srcStep, pDst, dstStep, roi, body_of(roi.width, 16),
                                                          ycbcr_sub::kernels().yuy_bgr_c4_i12, aval);
}

QRXCC_API QrxStatus qrxiCbYCr422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    // vector body: blocks of 8 by I13r; pairs and the odd last pixel by I16d
    return packed_to_pix_rows<true, 3, false, i16d, i16d>(pSrc, srcStep, pDst, dstStep, roi, body_of(roi.width, 8),
                                                          ycbcr_sub::kernels().uyvy_rgb_c3_i13r, 0);
}

QRXCC_API QrxStatus qrxiCbYCr422ToBGR_8u_C2C4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                               QrxSize roi, Qrx8u aval) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = ycbcr_sub::kernels();
    const bool aligned = aligned16(pSrc) && aligned16(pDst) && aligned16(srcStep) && aligned16(dstStep);
    return packed_to_pix_rows<true, 4, true, i16d, i16d>(pSrc, srcStep, pDst, dstStep, roi, body_of(roi.width, 8),
                                                         aligned ? k.uyvy_bgr_c4_i13r_a : k.uyvy_bgr_c4_i13r, aval);
}

}  // extern "C"
