// RGB/BGR <-> planar YCbCr 4:2:0 and 4:1:1: checks, then a region plan per row
// pair (4:2:0) or per row (4:1:1).
#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "ycbcr/chroma_plans.h"

using namespace qrx;
using namespace qrx::ycbcr_sub;
using qrx::ycbcr::i16a;

namespace {

struct PlaneRows {
    u8* const* p;
    const int* step;
    u8* at(int plane, std::ptrdiff_t row) const { return row_at(p[plane], step[plane], row); }
};

// RGB C3 -> 4:2:0 by Y12 / Q12 over every whole 2x2 block; an odd last column
// and an odd last row get Y by F16 and no chroma.
QrxStatus rgb_to_420(const u8* src, int srcStep, const PlaneRows& dst, QrxSize roi) {
    const int w = roi.width, pairs = w & ~1;
    const Kernels& k = ycbcr_sub::kernels();
    for (std::ptrdiff_t j = 0; j < roi.height / 2; ++j) {
        const u8* s0 = row_at(src, srcStep, 2 * j);
        const u8* s1 = row_at(src, srcStep, 2 * j + 1);
        u8* y0 = dst.at(0, 2 * j);
        u8* y1 = dst.at(0, 2 * j + 1);
        if (pairs > 0) k.rgb_c3_420_y12_q12(s0, s1, y0, y1, dst.at(1, j), dst.at(2, j), pairs);
        if (w & 1) {
            luma_only<f16_y>(PixIn<3, false>{s0}, y0, w - 1, w);
            luma_only<f16_y>(PixIn<3, false>{s1}, y1, w - 1, w);
        }
    }
    if (roi.height & 1) {
        const std::ptrdiff_t last = roi.height - 1;
        luma_only<f16_y>(PixIn<3, false>{row_at(src, srcStep, last)}, dst.at(0, last), 0, w);
    }
    return qrxStatusOk;
}

// The YCrCb420 functions exchange the second and third planes, then convert as YCbCr420.
struct Swapped {
    u8* p[3];
    int step[3];
    Swapped(u8* const d[3], const int s[3]) : p{d[0], d[2], d[1]}, step{s[0], s[2], s[1]} {}
};

// 4:2:0 -> pixel order: rows of a pair take chroma row y/2; blocks of 4 columns by
// I12, the remaining column pairs by I16e, an odd last column by I16a; an odd last row
// is all I16a.
template <bool BGR>
QrxStatus p420_to_pix(const u8* const src[3], const int srcStep[3], u8* dst, int dstStep, QrxSize roi,
                      PlanesToPixFn body_fn) {
    const int w = roi.width, body = body_of(w, 4), pairs = w & ~1;
    const std::ptrdiff_t paired_rows = roi.height & ~1;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const SubPlanesIn<1> s{row_at(src[0], srcStep[0], y), row_at(src[1], srcStep[1], y / 2),
                               row_at(src[2], srcStep[2], y / 2)};
        const PixOut<3, BGR> d{row_at(dst, dstStep, y), 0};
        if (y < paired_rows) {
            if (body > 0) body_fn(s.y, s.cb, s.cr, d.d, body, 0);
            inv_pixels<i16e>(s, d, body, pairs);
            inv_pixels<i16a>(s, d, pairs, w);
        } else {
            inv_pixels<i16a>(s, d, 0, w);
        }
    }
    return qrxStatusOk;
}

// 4:1:1 -> BGR: blocks of 8 by I13t, then a group of 4 and the last w mod 4 pixels by I16f.
template <int DC>
QrxStatus p411_to_bgr(const u8* const src[3], const int srcStep[3], u8* dst, int dstStep, QrxSize roi, u8 alpha,
                      PlanesToPixFn body_fn) {
    const int w = roi.width, body = body_of(w, 8);
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const SubPlanesIn<2> s{row_at(src[0], srcStep[0], y), row_at(src[1], srcStep[1], y),
                               row_at(src[2], srcStep[2], y)};
        const PixOut<DC, true> d{row_at(dst, dstStep, y), alpha};
        if (body > 0) body_fn(s.y, s.cb, s.cr, d.d, body, alpha);
        inv_pixels<i16f>(s, d, body, w);
    }
    return qrxStatusOk;
}

}  // namespace

extern "C" {

QRXCC_API QrxStatus qrxiRGBToYCbCr420_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                               const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    return rgb_to_420(pSrc, srcStep, PlaneRows{pDst, dstStep}, roi);
}

QRXCC_API QrxStatus qrxiBGRToYCbCr420_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                               const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 2)) return qrxStatusSizeError;
    return bgr_to_420<Px::Bgr3>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().bgr_c3_420_y15_q11);
}

QRXCC_API QrxStatus qrxiBGRToYCbCr420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 2)) return qrxStatusSizeError;
    return bgr_to_420<Px::Bgr4>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().bgr_ac4_420_y15_q11);
}

QRXCC_API QrxStatus qrxiBGRToYCrCb420_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                               const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 2)) return qrxStatusSizeError;
    const Swapped sw(pDst, dstStep);
    return bgr_to_420<Px::Bgr3>(pSrc, srcStep, sw.p, sw.step, roi, ycbcr_sub::kernels().bgr_c3_420_y15_q11);
}

QRXCC_API QrxStatus qrxiBGRToYCrCb420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 2)) return qrxStatusSizeError;
    const Swapped sw(pDst, dstStep);
    return bgr_to_420<Px::Bgr4>(pSrc, srcStep, sw.p, sw.step, roi, ycbcr_sub::kernels().bgr_ac4_420_y15_q11);
}

QRXCC_API QrxStatus qrxiYCbCr420ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                               int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    return p420_to_pix<false>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().p420_rgb_c3_i12);
}

QRXCC_API QrxStatus qrxiYCbCr420ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                               int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    return p420_to_pix<true>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().p420_bgr_c3_i12);
}

QRXCC_API QrxStatus qrxiBGRToYCbCr411_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                               const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 4, 1)) return qrxStatusSizeError;
    return bgr_to_411<Px::Bgr3>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().bgr_c3_411_y15_q11);
}

QRXCC_API QrxStatus qrxiBGRToYCbCr411_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 4, 1)) return qrxStatusSizeError;
    return bgr_to_411<Px::Bgr4>(pSrc, srcStep, pDst, dstStep, roi, ycbcr_sub::kernels().bgr_ac4_411_y15_q11);
}

QRXCC_API QrxStatus qrxiYCbCr411ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                               int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 4, 1)) return qrxStatusSizeError;
    return p411_to_bgr<3>(pSrc, srcStep, pDst, dstStep, roi, 0, ycbcr_sub::kernels().p411_bgr_c3_i13t);
}

QRXCC_API QrxStatus qrxiYCbCr411ToBGR_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                               int dstStep, QrxSize roi, Qrx8u aval) {
    if (any_null(pSrc, pDst) || any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 4, 1)) return qrxStatusSizeError;
    return p411_to_bgr<4>(pSrc, srcStep, pDst, dstStep, roi, aval, ycbcr_sub::kernels().p411_bgr_c4_i13t);
}

}  // extern "C"
