// RGB <-> YUV 4:2:0 with 8-bit RGB.  Rows are taken in pairs; an odd last
// column and an odd last row get the Q16 edge forms, so every pixel of any
// ROI is converted.
//
// Forward plan of a row pair: blocks of 8 chroma samples (16 columns) by the
// vector form, the remaining whole pairs by the one-shift remainder form, an
// odd last column by the two-pixel edge form.  Odd last row: pairs by the
// two-pixel edge form, its odd last pixel by the one-pixel form.
//
// Inverse plan: rows of the even part by the pair form of the member (pairs
// of the row through the kernel), an odd last column and an odd last row by
// the edge form.
#include "yuv/yuv420.h"

using namespace qrx;
using namespace qrx::yuv;

namespace {

struct Contig {
    int rgb3, y, c;
};
inline Contig contig(QrxSize s) { return {3 * s.width, s.width, half_up(s.width)}; }

template <class RowOf, class BodyFn>
QrxStatus rgb_to_420(RowOf row_of, u8* const dst[3], const int dstStep[3], QrxSize roi, BodyFn body_fn) {
    const int body = fwd420_body_pairs(roi.width);
    const int h2 = roi.height >> 1;
    for (std::ptrdiff_t j = 0; j < h2; ++j) {
        const RgbRow a = row_of(2 * j), b = row_of(2 * j + 1);
        u8* y0 = row_at(dst[0], dstStep[0], 2 * j);
        u8* y1 = row_at(dst[0], dstStep[0], 2 * j + 1);
        u8* u = row_at(dst[1], dstStep[1], j);
        u8* v = row_at(dst[2], dstStep[2], j);
        if (body > 0) body_fn(2 * j, y0, y1, u, v, body);
        fwd420_pair_tail(a, b, y0, y1, u, v, body, roi.width);
    }
    if (roi.height & 1) {
        const std::ptrdiff_t y = roi.height - 1;
        fwd420_last_row(row_of(y), row_at(dst[0], dstStep[0], y), row_at(dst[1], dstStep[1], h2),
                        row_at(dst[2], dstStep[2], h2), roi.width);
    }
    return qrxStatusOk;
}

QrxStatus rgb_c3_to_420(const u8* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const Kernels& k = kernels();
    return rgb_to_420([&](std::ptrdiff_t y) { return c3_row(src, srcStep, y); }, dst, dstStep, roi,
                      [&](std::ptrdiff_t y, u8* y0, u8* y1, u8* u, u8* v, int n) {
                          k.fwd420_c3(row_at(src, srcStep, y), row_at(src, srcStep, y + 1), y0, y1, u, v, n);
                      });
}

// Planar RGB: the forms of the pixel-order member (its rounding is ours to pick).
QrxStatus rgb_p3_to_420(const u8* const src[3], int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const Kernels& k = kernels();
    return rgb_to_420([&](std::ptrdiff_t y) { return p3_row(src, srcStep, y); }, dst, dstStep, roi,
                      [&](std::ptrdiff_t y, u8* y0, u8* y1, u8* u, u8* v, int n) {
                          const u8* r[2] = {row_at(src[0], srcStep, y), row_at(src[0], srcStep, y + 1)};
                          const u8* g[2] = {row_at(src[1], srcStep, y), row_at(src[1], srcStep, y + 1)};
                          const u8* b[2] = {row_at(src[2], srcStep, y), row_at(src[2], srcStep, y + 1)};
                          k.fwd420_p3(r, g, b, y0, y1, u, v, n);
                      });
}

QrxStatus yuv420_to_c3(const u8* const src[3], const int srcStep[3], u8* dst, int dstStep, QrxSize roi,
                       PlanesToPixFn pairs_fn, bool bgr) {
    return yuv420_rows(
        src, srcStep, roi,
        [&](std::ptrdiff_t y, const u8* sy, const u8* su, const u8* sv, int n) {
            pairs_fn(sy, su, sv, row_at(dst, dstStep, y), n);
        },
        [&](std::ptrdiff_t y, int x, Rgb c) {
            u8* d = row_at(dst, dstStep, y) + 3 * x;
            d[0] = bgr ? c.b : c.r;
            d[1] = c.g;
            d[2] = bgr ? c.r : c.b;
        });
}

// Planar RGB output: the pair form.
QrxStatus yuv420_to_p3(const u8* const src[3], const int srcStep[3], u8* const dst[3], int dstStep, QrxSize roi) {
    const Kernels& k = kernels();
    return yuv420_rows(
        src, srcStep, roi,
        [&](std::ptrdiff_t y, const u8* sy, const u8* su, const u8* sv, int n) {
            k.inv422_p3(sy, su, sv, row_at(dst[0], dstStep, y), row_at(dst[1], dstStep, y), row_at(dst[2], dstStep, y),
                        n);
        },
        [&](std::ptrdiff_t y, int x, Rgb c) {
            row_at(dst[0], dstStep, y)[x] = c.r;
            row_at(dst[1], dstStep, y)[x] = c.g;
            row_at(dst[2], dstStep, y)[x] = c.b;
        });
}

}  // namespace

extern "C" {

QRXCC_API QrxStatus qrxiRGBToYUV420_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                             const int dstStep[3], QrxSize roi) {
    if (QrxStatus st = check_to_planes(pSrc, pDst, roi)) return st;
    return rgb_c3_to_420(pSrc, srcStep, pDst, dstStep, roi);
}

QRXCC_API QrxStatus qrxiRGBToYUV420_8u_C3P3(const Qrx8u* pSrc, Qrx8u* const pDst[3], QrxSize size) {
    if (QrxStatus st = check_to_planes(pSrc, pDst, size)) return st;
    const Contig c = contig(size);
    const int steps[3] = {c.y, c.c, c.c};
    return rgb_c3_to_420(pSrc, c.rgb3, pDst, steps, size);
}

QRXCC_API QrxStatus qrxiRGBToYUV420_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxSize roi) {
    if (QrxStatus st = check_planar(pSrc, pDst, roi)) return st;
    return rgb_p3_to_420(pSrc, srcStep, pDst, dstStep, roi);
}

QRXCC_API QrxStatus qrxiRGBToYUV420_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3], QrxSize size) {
    if (QrxStatus st = check_planar(pSrc, pDst, size)) return st;
    const Contig c = contig(size);
    const int steps[3] = {c.y, c.c, c.c};
    return rgb_p3_to_420(pSrc, c.y, pDst, steps, size);
}

QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                             int dstStep, QrxSize roi) {
    if (QrxStatus st = check_from_planes(pSrc, pDst, roi)) return st;
    return yuv420_to_c3(pSrc, srcStep, pDst, dstStep, roi, kernels().inv422_p3c3_rgb, false);
}

QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3C3(const Qrx8u* const pSrc[3], Qrx8u* pDst, QrxSize size) {
    if (QrxStatus st = check_from_planes(pSrc, pDst, size)) return st;
    const Contig c = contig(size);
    const int steps[3] = {c.y, c.c, c.c};
    return yuv420_to_c3(pSrc, steps, pDst, c.rgb3, size, kernels().inv422_p3c3_rgb, false);
}

QRXCC_API QrxStatus qrxiYUV420ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                             int dstStep, QrxSize roi) {
    if (QrxStatus st = check_from_planes(pSrc, pDst, roi)) return st;
    // the pair form of the RGB member with the bytes in B, G, R order
    return yuv420_to_c3(pSrc, srcStep, pDst, dstStep, roi, kernels().inv422_p3c3_bgr, true);
}

QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* const pDst[3],
                                           int dstStep, QrxSize roi) {
    if (QrxStatus st = check_planar(pSrc, pDst, roi)) return st;
    return yuv420_to_p3(pSrc, srcStep, pDst, dstStep, roi);
}

QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3], QrxSize size) {
    if (QrxStatus st = check_planar(pSrc, pDst, size)) return st;
    const Contig c = contig(size);
    const int steps[3] = {c.y, c.c, c.c};
    return yuv420_to_p3(pSrc, steps, pDst, c.y, size);
}

QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3AC4R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                              int dstStep, QrxSize roi) {
    if (QrxStatus st = check_from_planes(pSrc, pDst, roi)) return st;
    const Kernels& k = kernels();
    // the rounded 16 x luma form over the even part, the edge form elsewhere; 0 in every fourth byte
    return yuv420_rows(
        pSrc, srcStep, roi,
        [&](std::ptrdiff_t y, const u8* sy, const u8* su, const u8* sv, int n) {
            k.inv422_p3ac4_y16r(sy, su, sv, row_at(pDst, dstStep, y), n);
        },
        [&](std::ptrdiff_t y, int x, Rgb c) { store_ac4_zero_alpha(row_at(pDst, dstStep, y) + 4 * x, c); });
}

}  // extern "C"
