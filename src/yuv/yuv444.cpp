// RGB <-> YUV 4:4:4: checks, then per row a region plan.  The vector body
// covers whole blocks from the row's left edge (16 or 8 pixels, by function);
// the pixels after the last whole block get the tail recipe.
#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "yuv/yuv_kernels.h"
#include "yuv/yuv_recipes.h"

using namespace qrx;
using namespace qrx::yuv;

namespace {

inline int body_of(int width, int block) { return width / block * block; }

// Planar checks: arrays, size, then source planes and destination planes.
template <class S, class D>
QrxStatus check_planar(const S* const* src, const D* const* dst, QrxSize roi) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(src, 3) || any_plane_null(dst, 3)) return qrxStatusNullPointer;
    return qrxStatusOk;
}

template <Yuv (*Tail)(int, int, int)>
void tail_pix(const u8* s, u8* d, int n, int sc, int dc) {
    for (int i = 0; i < n; ++i) {
        const Yuv c = Tail(s[sc * i], s[sc * i + 1], s[sc * i + 2]);
        d[dc * i] = c.y;
        d[dc * i + 1] = c.u;
        d[dc * i + 2] = c.v;
    }
}

}  // namespace

extern "C" {

QRXCC_API QrxStatus qrxiRGBToYUV_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = kernels();
    // blocks of 16 by the block form; the last width mod 16 pixels by the tail form
    const int body = body_of(roi.width, 16);
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(pSrc, srcStep, y);
        u8* d = row_at(pDst, dstStep, y);
        if (body > 0) k.fwd_c3_blk(s, d, body);
        tail_pix<rem_c3>(s + 3 * body, d + 3 * body, roi.width - body, 3, 3);
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiRGBToYUV_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = kernels();
    // the split form for every pixel (blocks and the tail alike)
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) k.fwd_ac4_split(row_at(pSrc, srcStep, y), row_at(pDst, dstStep, y), roi.width);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiRGBToYUV_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3], int dstStep,
                                        QrxSize roi) {
    if (QrxStatus st = check_planar(pSrc, pDst, roi)) return st;
    const Kernels& k = kernels();
    // blocks of 16 by the block form, each plane in its own pass; the tail by one sum per output
    const int body = body_of(roi.width, 16);
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* r = row_at(pSrc[0], srcStep, y);
        const u8* g = row_at(pSrc[1], srcStep, y);
        const u8* b = row_at(pSrc[2], srcStep, y);
        u8* dy = row_at(pDst[0], dstStep, y);
        u8* du = row_at(pDst[1], dstStep, y);
        u8* dv = row_at(pDst[2], dstStep, y);
        if (body > 0) k.fwd_p3_blk(r, g, b, dy, du, dv, body);
        for (int i = body; i < roi.width; ++i) {
            const Yuv c = rem_p3(r[i], g[i], b[i]);
            dy[i] = c.y;
            du[i] = c.u;
            dv[i] = c.v;
        }
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiRGBToYUV_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
                                          QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    const Kernels& k = kernels();
    // blocks of 8 by the block form; the tail by the Q16 form
    const int body = body_of(roi.width, 8);
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(pSrc, srcStep, y);
        u8* dy = row_at(pDst[0], dstStep, y);
        u8* du = row_at(pDst[1], dstStep, y);
        u8* dv = row_at(pDst[2], dstStep, y);
        if (body > 0) k.fwd_c3p3_blk(s, dy, du, dv, body);
        for (int i = body; i < roi.width; ++i) {
            const Yuv c = rem_c3p3(s[3 * i], s[3 * i + 1], s[3 * i + 2]);
            dy[i] = c.y;
            du[i] = c.u;
            dv[i] = c.v;
        }
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYUVToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = kernels();
    // blocks of 8 and the tail share I1
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) k.inv_c3_i1(row_at(pSrc, srcStep, y), row_at(pDst, dstStep, y), roi.width);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYUVToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = kernels();
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) k.inv_ac4_i1(row_at(pSrc, srcStep, y), row_at(pDst, dstStep, y), roi.width);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYUVToRGB_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3], int dstStep,
                                        QrxSize roi) {
    if (QrxStatus st = check_planar(pSrc, pDst, roi)) return st;
    const Kernels& k = kernels();
    // I2 in blocks of 8 and, as its own tail form, for the pixels after them
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        k.inv_p3_i2(row_at(pSrc[0], srcStep, y), row_at(pSrc[1], srcStep, y), row_at(pSrc[2], srcStep, y),
                    row_at(pDst[0], dstStep, y), row_at(pDst[1], dstStep, y), row_at(pDst[2], dstStep, y), roi.width);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYUVToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                          QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(pSrc, 3)) return qrxStatusNullPointer;
    const Kernels& k = kernels();
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        k.inv_p3c3_i3(row_at(pSrc[0], srcStep, y), row_at(pSrc[1], srcStep, y), row_at(pSrc[2], srcStep, y),
                      row_at(pDst, dstStep, y), roi.width);
    return qrxStatusOk;
}

}  // extern "C"
