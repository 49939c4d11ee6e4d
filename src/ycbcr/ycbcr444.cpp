// RGB/BGR <-> YCbCr 4:4:4: checks, then per row a region plan.  The vector
// body covers whole blocks from the row's left edge; the rest of the row gets
// the tail recipe.  Block sizes are those of the conversion, not of the CPU.
#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "ycbcr/ycbcr444_kernels.h"

using namespace qrx;
using qrx::ycbcr444::Kernels;
using u8 = std::uint8_t;

namespace {

// Whole blocks of `block` pixels from the left edge.
inline int body_of(int width, int block) { return width / block * block; }

// Pixel-order rows: [0, body) by `body_fn`, [body, w) by `tail_fn`.
QrxStatus pixel_rows(const u8* src, int srcStep, u8* dst, int dstStep, QrxSize roi, int src_ch, int dst_ch,
                     int body, ycbcr444::PixFn body_fn, ycbcr444::PixFn tail_fn) {
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(src, srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        if (body > 0) body_fn(s, d, body);
        if (roi.width > body) tail_fn(s + body * src_ch, d + body * dst_ch, roi.width - body);
    }
    return qrxStatusOk;
}

QrxStatus plane_rows(const u8* const src[3], int srcStep, u8* const dst[3], int dstStep, QrxSize roi, int body,
                     ycbcr444::PlaneFn body_fn, ycbcr444::PlaneFn tail_fn) {
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s[3];
        u8* d[3];
        for (int p = 0; p < 3; ++p) {
            s[p] = row_at(src[p], srcStep, y);
            d[p] = row_at(dst[p], dstStep, y);
        }
        if (body > 0) body_fn(s[0], s[1], s[2], d[0], d[1], d[2], body);
        if (roi.width > body)
            tail_fn(s[0] + body, s[1] + body, s[2] + body, d[0] + body, d[1] + body, d[2] + body, roi.width - body);
    }
    return qrxStatusOk;
}

QrxStatus planes_to_pixel_rows(const u8* const src[3], int srcStep, u8* dst, int dstStep, QrxSize roi, int dst_ch,
                               int body, ycbcr444::PlanesToPixFn body_fn, ycbcr444::PlanesToPixFn tail_fn,
                               u8 alpha) {
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s0 = row_at(src[0], srcStep, y);
        const u8* s1 = row_at(src[1], srcStep, y);
        const u8* s2 = row_at(src[2], srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        if (body > 0) body_fn(s0, s1, s2, d, body, alpha);
        if (roi.width > body) tail_fn(s0 + body, s1 + body, s2 + body, d + body * dst_ch, roi.width - body, alpha);
    }
    return qrxStatusOk;
}

// Blocks of 8 then at most one block of 4: together all whole 4-pixel blocks.
inline int body_8_then_4(int width) { return body_of(width, 4); }

}  // namespace

extern "C" {

QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = ycbcr444::kernels();
    // vector body: blocks of 8 by F15; the rest of the row by F16
    return pixel_rows(pSrc, srcStep, pDst, dstStep, roi, 3, 3, body_of(roi.width, 8), k.rgb_c3_f15, k.rgb_c3_f16);
}

QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = ycbcr444::kernels();
    // whole 4-pixel blocks by I13t; the last w mod 4 pixels by I16a
    return pixel_rows(pSrc, srcStep, pDst, dstStep, roi, 3, 3, body_8_then_4(roi.width), k.ycc_c3_i13t,
                      k.ycc_c3_i16a);
}

QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = ycbcr444::kernels();
    return pixel_rows(pSrc, srcStep, pDst, dstStep, roi, 4, 4, roi.width, k.rgb_ac4_f16, k.rgb_ac4_f16);
}

QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = ycbcr444::kernels();
    return pixel_rows(pSrc, srcStep, pDst, dstStep, roi, 4, 4, roi.width, k.ycc_ac4_i16a, k.ycc_ac4_i16a);
}

QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3], int dstStep,
                                          QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pSrc, 3) || any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    const Kernels& k = ycbcr444::kernels();
    // vector body: blocks of 16 by FP; the rest by F16
    return plane_rows(pSrc, srcStep, pDst, dstStep, roi, body_of(roi.width, 16), k.rgb_p3_fp, k.rgb_p3_f16);
}

QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3], int dstStep,
                                          QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pDst, 3) || any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    const Kernels& k = ycbcr444::kernels();
    return plane_rows(pSrc, srcStep, pDst, dstStep, roi, body_8_then_4(roi.width), k.ycc_p3_i13t, k.ycc_p3_i16a);
}

QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                            QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    const Kernels& k = ycbcr444::kernels();
    // vector body: blocks of 8 by I13r; the rest by I16b
    return planes_to_pixel_rows(pSrc, srcStep, pDst, dstStep, roi, 3, body_of(roi.width, 8), k.p3c3_rgb_i13r,
                                k.p3c3_rgb_i16b, 0);
}

QRXCC_API QrxStatus qrxiYCbCrToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                            QrxSize roi) {
    if (any_null(pSrc, pDst) || any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = ycbcr444::kernels();
    // I13r everywhere (blocks of 16 and the single-pixel tail share the recipe)
    return planes_to_pixel_rows(pSrc, srcStep, pDst, dstStep, roi, 3, roi.width, k.p3c3_bgr_i13r, k.p3c3_bgr_i13r,
                                0);
}

QRXCC_API QrxStatus qrxiYCbCrToBGR_8u_P3C4R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                            QrxSize roi, Qrx8u aval) {
    if (any_null(pSrc, pDst) || any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = ycbcr444::kernels();
    return planes_to_pixel_rows(pSrc, srcStep, pDst, dstStep, roi, 4, roi.width, k.p3c4_bgr_i13s, k.p3c4_bgr_i13s,
                                aval);
}

}  // extern "C"
