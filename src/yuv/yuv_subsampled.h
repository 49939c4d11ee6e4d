// Shared pieces of the 4:2:2 and 4:2:0 YUV conversions: argument checks,
// plane addressing, and the per-row plans of the subsampled forward and
// inverse conversions (vector body through the kernel table, pairs, odd
// columns and rows by the scalar recipes).
#pragma once

#include <cstddef>

#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "yuv/yuv_kernels.h"
#include "yuv/yuv_recipes.h"

namespace qrx::yuv {

QRX_INLINE int half_up(int n) { return (n >> 1) + (n & 1); }

// Pixel-order (or packed) source and destination.
template <class S, class D>
QRX_INLINE QrxStatus check_pix(const S* src, const D* dst, QrxSize roi) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    return qrxStatusOk;
}
// Pointer arrays, size, then the plane pointers of the planar sides.
template <class S, class D>
QRX_INLINE QrxStatus check_planar(const S* const* src, const D* const* dst, QrxSize roi) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(src, 3) || any_plane_null(dst, 3)) return qrxStatusNullPointer;
    return qrxStatusOk;
}
template <class S, class D>
QRX_INLINE QrxStatus check_to_planes(const S* src, const D* const* dst, QrxSize roi) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(dst, 3)) return qrxStatusNullPointer;
    return qrxStatusOk;
}
template <class S, class D>
QRX_INLINE QrxStatus check_from_planes(const S* const* src, const D* dst, QrxSize roi) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(src, 3)) return qrxStatusNullPointer;
    return qrxStatusOk;
}

// One row of an RGB source: pixel-order (3 bytes per pixel) or three planes.
struct RgbRow {
    const u8* p[3];
    int sc;  // samples between pixels: 3 or 1
    int r(int x) const { return p[0][static_cast<std::ptrdiff_t>(x) * sc]; }
    int g(int x) const { return p[1][static_cast<std::ptrdiff_t>(x) * sc]; }
    int b(int x) const { return p[2][static_cast<std::ptrdiff_t>(x) * sc]; }
};
// One AC4 output pixel of the YUV inverses: R, G, B and 0 in the fourth byte.
QRX_INLINE void store_ac4_zero_alpha(u8* d, Rgb c) {
    d[0] = c.r;
    d[1] = c.g;
    d[2] = c.b;
    d[3] = 0;
}

QRX_INLINE RgbRow c3_row(const u8* base, int step, std::ptrdiff_t y) {
    const u8* s = row_at(base, step, y);
    return {{s, s + 1, s + 2}, 3};
}
QRX_INLINE RgbRow p3_row(const u8* const planes[3], int step, std::ptrdiff_t y) {
    return {{row_at(planes[0], step, y), row_at(planes[1], step, y), row_at(planes[2], step, y)}, 1};
}

// Forward 4:2:0 of one row pair: the vector body over whole blocks of 8
// chroma samples (done by the caller), then the remainder pairs with the
// one-shift twice-luma, then an odd last column by the two-pixel Q16 edge form.
QRX_INLINE void fwd420_pair_tail(const RgbRow& a, const RgbRow& b, u8* y0, u8* y1, u8* u, u8* v, int first_pair,
                                 int width) {
    const int pairs = width >> 1;
    for (int i = first_pair; i < pairs; ++i) {
        const int x0 = 2 * i, x1 = 2 * i + 1;
        const int t00 = twice_y_one(a.r(x0), a.g(x0), a.b(x0)), t01 = twice_y_one(a.r(x1), a.g(x1), a.b(x1));
        const int t10 = twice_y_one(b.r(x0), b.g(x0), b.b(x0)), t11 = twice_y_one(b.r(x1), b.g(x1), b.b(x1));
        y0[x0] = static_cast<u8>(t00 >> 1);
        y0[x1] = static_cast<u8>(t01 >> 1);
        y1[x0] = static_cast<u8>(t10 >> 1);
        y1[x1] = static_cast<u8>(t11 >> 1);
        const int st = t00 + t01 + t10 + t11;
        u[i] = quad_u(a.b(x0) + a.b(x1) + b.b(x0) + b.b(x1), st);
        v[i] = quad_v(a.r(x0) + a.r(x1) + b.r(x0) + b.r(x1), st);
    }
    if (width & 1) {
        const int x = width - 1;
        const int f0 = q16_f(a.r(x), a.g(x), a.b(x)), f1 = q16_f(b.r(x), b.g(x), b.b(x));
        y0[x] = q16_y(f0);
        y1[x] = q16_y(f1);
        u[pairs] = edge2_u(a.b(x) + b.b(x), f0 + f1);
        v[pairs] = edge2_v(a.r(x) + b.r(x), f0 + f1);
    }
}

// Forward 4:2:0 of an odd last row: horizontal pairs by the two-pixel Q16 edge
// form, an odd last pixel by the one-pixel form.
QRX_INLINE void fwd420_last_row(const RgbRow& a, u8* y, u8* u, u8* v, int width) {
    const int pairs = width >> 1;
    for (int i = 0; i < pairs; ++i) {
        const int x0 = 2 * i, x1 = 2 * i + 1;
        const int f0 = q16_f(a.r(x0), a.g(x0), a.b(x0)), f1 = q16_f(a.r(x1), a.g(x1), a.b(x1));
        y[x0] = q16_y(f0);
        y[x1] = q16_y(f1);
        u[i] = edge2_u(a.b(x0) + a.b(x1), f0 + f1);
        v[i] = edge2_v(a.r(x0) + a.r(x1), f0 + f1);
    }
    if (width & 1) {
        const int x = width - 1;
        const int f = q16_f(a.r(x), a.g(x), a.b(x));
        y[x] = q16_y(f);
        u[pairs] = edge1_u(a.b(x), f);
        v[pairs] = edge1_v(a.r(x), f);
    }
}

// Whole blocks of 8 chroma samples (16 pixels) of the 4:2:0 forward vector body.
QRX_INLINE int fwd420_body_pairs(int width) { return width / 16 * 8; }

}  // namespace qrx::yuv
