// RGB <-> YUV 4:2:2.  Every row: whole pairs by the vector and pair form (one
// form, so the kernel's block size does not show in the results), then an odd
// last pixel by its own form.  The whole-image forms run a gap-free image
// with an even width of at least 256 pixels as one long row.
#include "yuv/yuv_subsampled.h"

using namespace qrx;
using namespace qrx::yuv;

namespace {

// Contiguous steps of the whole-image forms.
struct Contig {
    int rgb3, y, c;
};
inline Contig contig(QrxSize s) { return {3 * s.width, s.width, half_up(s.width)}; }

// The whole image as one row of W x H pixels: W even and W x H >= 256.  The
// row must fit the kernels' int count.
inline bool as_one_row(QrxSize s) {
    const long long n = static_cast<long long>(s.width) * s.height;
    return (s.width & 1) == 0 && n >= 256 && n <= 0x3fffffffLL;
}
inline QrxSize one_row(QrxSize s) { return {s.width * s.height, 1}; }

// Odd last pixel of a planar 4:2:2 row: Y by the pair form's twice-luma,
// chroma by the rounded single-pixel form.
inline void fwd_planar_odd(int r, int g, int b, u8* y, u8* u, u8* v) {
    *y = static_cast<u8>(twice_y(r, g, b) >> 1);
    *u = odd_planar_u(r, g, b);
    *v = odd_planar_v(r, g, b);
}

QrxStatus rgb_to_422_c3p3(const u8* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const Kernels& k = kernels();
    const int pairs = roi.width >> 1;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(src, srcStep, y);
        u8* dy = row_at(dst[0], dstStep[0], y);
        u8* du = row_at(dst[1], dstStep[1], y);
        u8* dv = row_at(dst[2], dstStep[2], y);
        if (pairs > 0) k.fwd422_c3p3(s, dy, du, dv, pairs);
        if (roi.width & 1) {
            const u8* p = s + 3 * (roi.width - 1);
            fwd_planar_odd(p[0], p[1], p[2], dy + roi.width - 1, du + pairs, dv + pairs);
        }
    }
    return qrxStatusOk;
}

// Planar RGB: the forms of the pixel-order member (its rounding is ours to pick).
QrxStatus rgb_to_422_p3(const u8* const src[3], int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const Kernels& k = kernels();
    const int pairs = roi.width >> 1;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* r = row_at(src[0], srcStep, y);
        const u8* g = row_at(src[1], srcStep, y);
        const u8* b = row_at(src[2], srcStep, y);
        u8* dy = row_at(dst[0], dstStep[0], y);
        u8* du = row_at(dst[1], dstStep[1], y);
        u8* dv = row_at(dst[2], dstStep[2], y);
        if (pairs > 0) k.fwd422_p3(r, g, b, dy, du, dv, pairs);
        if (roi.width & 1) {
            const int x = roi.width - 1;
            fwd_planar_odd(r[x], g[x], b[x], dy + x, du + pairs, dv + pairs);
        }
    }
    return qrxStatusOk;
}

// Inverse from planes, one row at a time: pairs by the kernel, an odd last
// pixel by the pair form with the row's last chroma sample.
template <class PairsFn, class OddFn>
QrxStatus yuv422_rows(const u8* const src[3], const int srcStep[3], QrxSize roi, PairsFn pairs_fn, OddFn odd_fn) {
    const int pairs = roi.width >> 1;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* sy = row_at(src[0], srcStep[0], y);
        const u8* su = row_at(src[1], srcStep[1], y);
        const u8* sv = row_at(src[2], srcStep[2], y);
        if (pairs > 0) pairs_fn(y, sy, su, sv, pairs);
        if (roi.width & 1) odd_fn(y, roi.width - 1, i3(sy[roi.width - 1], su[pairs], sv[pairs]));
    }
    return qrxStatusOk;
}

QrxStatus yuv422_to_c3(const u8* const src[3], const int srcStep[3], u8* dst, int dstStep, QrxSize roi) {
    const Kernels& k = kernels();
    return yuv422_rows(
        src, srcStep, roi,
        [&](std::ptrdiff_t y, const u8* sy, const u8* su, const u8* sv, int n) {
            k.inv422_p3c3_rgb(sy, su, sv, row_at(dst, dstStep, y), n);
        },
        [&](std::ptrdiff_t y, int x, Rgb c) {
            u8* d = row_at(dst, dstStep, y) + 3 * x;
            d[0] = c.r;
            d[1] = c.g;
            d[2] = c.b;
        });
}

// Planar RGB output: the pair form of the pixel-order member (its rounding is ours to pick).
QrxStatus yuv422_to_p3(const u8* const src[3], const int srcStep[3], u8* const dst[3], int dstStep, QrxSize roi) {
    const Kernels& k = kernels();
    return yuv422_rows(
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

QRXCC_API QrxStatus qrxiRGBToYUV422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (QrxStatus st = check_pix(pSrc, pDst, roi)) return st;
    const Kernels& k = kernels();
    const int pairs = roi.width >> 1;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(pSrc, srcStep, y);
        u8* d = row_at(pDst, dstStep, y);
        if (pairs > 0) k.fwd422_c3c2(s, d, pairs);
        if (roi.width & 1) {  // odd last pixel: its Y and U bytes only
            const u8* p = s + 3 * (roi.width - 1);
            const int t = twice_y(p[0], p[1], p[2]);
            d[4 * pairs] = static_cast<u8>(t >> 1);
            d[4 * pairs + 1] = odd_packed_u(p[2], t);
        }
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (QrxStatus st = check_pix(pSrc, pDst, roi)) return st;
    const Kernels& k = kernels();
    const int pairs = roi.width >> 1;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = row_at(pSrc, srcStep, y);
        u8* d = row_at(pDst, dstStep, y);
        if (roi.width == 1) {  // no pair at all: the edge form, U standing in for V
            const Rgb c = edge_inv(s[0], s[1], s[1]);
            d[0] = c.r;
            d[1] = c.g;
            d[2] = c.b;
            continue;
        }
        k.inv422_c2c3(s, d, pairs);
        if (roi.width & 1) {  // odd last pixel: bytes Y, U; V of the previous pair
            const u8* p = s + 4 * pairs;
            const Rgb c = odd_packed_inv(p[0], p[1], p[-1]);
            u8* o = d + 6 * pairs;
            o[0] = c.r;
            o[1] = c.g;
            o[2] = c.b;
        }
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiRGBToYUV422_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                             const int dstStep[3], QrxSize roi) {
    if (QrxStatus st = check_to_planes(pSrc, pDst, roi)) return st;
    return rgb_to_422_c3p3(pSrc, srcStep, pDst, dstStep, roi);
}

QRXCC_API QrxStatus qrxiRGBToYUV422_8u_C3P3(const Qrx8u* pSrc, Qrx8u* const pDst[3], QrxSize size) {
    if (QrxStatus st = check_to_planes(pSrc, pDst, size)) return st;
    const Contig c = contig(size);
    const int steps[3] = {c.y, c.c, c.c};
    if (as_one_row(size)) return rgb_to_422_c3p3(pSrc, 0, pDst, steps, one_row(size));
    return rgb_to_422_c3p3(pSrc, c.rgb3, pDst, steps, size);
}

QRXCC_API QrxStatus qrxiRGBToYUV422_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                                           const int dstStep[3], QrxSize roi) {
    if (QrxStatus st = check_planar(pSrc, pDst, roi)) return st;
    return rgb_to_422_p3(pSrc, srcStep, pDst, dstStep, roi);
}

QRXCC_API QrxStatus qrxiRGBToYUV422_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3], QrxSize size) {
    if (QrxStatus st = check_planar(pSrc, pDst, size)) return st;
    const Contig c = contig(size);
    const int steps[3] = {c.y, c.c, c.c};
    if (as_one_row(size)) return rgb_to_422_p3(pSrc, 0, pDst, steps, one_row(size));
    return rgb_to_422_p3(pSrc, c.y, pDst, steps, size);
}

QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                             int dstStep, QrxSize roi) {
    if (QrxStatus st = check_from_planes(pSrc, pDst, roi)) return st;
    return yuv422_to_c3(pSrc, srcStep, pDst, dstStep, roi);
}

QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3C3(const Qrx8u* const pSrc[3], Qrx8u* pDst, QrxSize size) {
    if (QrxStatus st = check_from_planes(pSrc, pDst, size)) return st;
    const Contig c = contig(size);
    const int steps[3] = {c.y, c.c, c.c};
    if (as_one_row(size)) return yuv422_to_c3(pSrc, steps, pDst, 0, one_row(size));
    return yuv422_to_c3(pSrc, steps, pDst, c.rgb3, size);
}

QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* const pDst[3],
                                           int dstStep, QrxSize roi) {
    if (QrxStatus st = check_planar(pSrc, pDst, roi)) return st;
    return yuv422_to_p3(pSrc, srcStep, pDst, dstStep, roi);
}

QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3], QrxSize size) {
    if (QrxStatus st = check_planar(pSrc, pDst, size)) return st;
    const Contig c = contig(size);
    const int steps[3] = {c.y, c.c, c.c};
    if (as_one_row(size)) return yuv422_to_p3(pSrc, steps, pDst, 0, one_row(size));
    return yuv422_to_p3(pSrc, steps, pDst, c.y, size);
}

QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3AC4R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                              int dstStep, QrxSize roi) {
    if (QrxStatus st = check_from_planes(pSrc, pDst, roi)) return st;
    const Kernels& k = kernels();
    // the pair form of the pixel-order member, with 0 in every fourth byte
    return yuv422_rows(
        pSrc, srcStep, roi,
        [&](std::ptrdiff_t y, const u8* sy, const u8* su, const u8* sv, int n) {
            k.inv422_p3ac4_rgb(sy, su, sv, row_at(pDst, dstStep, y), n);
        },
        [&](std::ptrdiff_t y, int x, Rgb c) { store_ac4_zero_alpha(row_at(pDst, dstStep, y) + 4 * x, c); });
}

}  // extern "C"
