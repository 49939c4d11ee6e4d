// YCbCr to 16-bit packed RGB (565, 555, 444 in RGB and BGR order, plain or
// dithered): checks in the documented order, then per row a region plan.  The
// kernels (rgb16_kernels.h) do the 13-bit vector recipe; the 16.16 recipes that
// finish a row are applied here, pixel by pixel or pair by pair.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "ycbcr/rgb16_format.h"
#include "ycbcr/rgb16_kernels.h"
#include "ycbcr/rgb16_recipes.h"

using qrx::rgb16::Format;
using qrx::rgb16::FormatKernels;
using qrx::rgb16::Rgb;
using u8 = std::uint8_t;
using u16 = std::uint16_t;

namespace {

namespace r16 = qrx::rgb16;

template <Format F, bool SwapRB>
const FormatKernels& kernels_for() {
    return r16::kernels().fmt[static_cast<int>(F)][SwapRB ? 1 : 0];
}

// Plain or dithered packing of one pixel at ROI position (x, row).
template <Format F, bool SwapRB, bool Dither>
u16 to_pixel(const Rgb& c, int x, int row) {
    if constexpr (Dither)
        return r16::pack_dither<F, SwapRB>(c.r, c.g, c.b, x, row);
    else
        return r16::pack<F, SwapRB>(c.r, c.g, c.b);
}

inline u16* dst_row(u16* dst, int dstStep, std::ptrdiff_t y) { return qrx::row_at_samples(dst, dstStep, y); }

// Gap-free image: source rows of exactly w pixels and floor(dstStep / 2) == w.
inline bool gap_free(int srcStep, int bytes_per_pixel, int dstStep, int width) {
    return static_cast<std::int64_t>(srcStep) == static_cast<std::int64_t>(width) * bytes_per_pixel &&
           (dstStep >> 1) == width;
}

// A long row is handed to a kernel in pieces of at most this many pixels (a
// multiple of 8, so the pieces keep the 8-pixel blocks of the whole row).
constexpr std::ptrdiff_t kPiece = std::ptrdiff_t{1} << 28;

inline void long_body(r16::PixFn fn, const u8* src, int bytes_per_pixel, u16* dst, std::ptrdiff_t body) {
    for (std::ptrdiff_t i = 0; i < body; i += kPiece)
        fn(src + i * bytes_per_pixel, dst + i, static_cast<int>(std::min(kPiece, body - i)), 0);
}

// ---- the 16.16 recipes that finish a row ----------------------------------

// C3: n pixels by I16a.
template <Format F, bool SwapRB>
void c3_rest_i16a(const u8* s, u16* d, std::ptrdiff_t n) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const Rgb c = qrx::ycbcr::i16a(s[3 * i], s[3 * i + 1], s[3 * i + 2]);
        d[i] = r16::pack<F, SwapRB>(c.r, c.g, c.b);
    }
}

// YCbCr422 packed: n / 2 pairs by I16c (n even).
template <Format F, bool SwapRB>
void c2_pairs_i16c(const u8* s, u16* d, std::ptrdiff_t n) {
    for (std::ptrdiff_t i = 0; i + 1 < n; i += 2) {
        const u8* p = s + 2 * i;
        const Rgb c0 = r16::i16c(p[0], p[1], p[3]);
        const Rgb c1 = r16::i16c(p[2], p[1], p[3]);
        d[i] = r16::pack<F, SwapRB>(c0.r, c0.g, c0.b);
        d[i + 1] = r16::pack<F, SwapRB>(c1.r, c1.g, c1.b);
    }
}

// ---- 4:4:4 pixel order ------------------------------------------------------

template <Format F, bool SwapRB>
QrxStatus c3_plain(const u8* src, int srcStep, u16* dst, int dstStep, QrxSize roi) {
    if (qrx::any_null(src, dst)) return qrxStatusNullPointer;
    if (qrx::size_below(roi)) return qrxStatusSizeError;
    const r16::PixFn body_fn = kernels_for<F, SwapRB>().c3_plain;
    const int w = roi.width;
    // BGR444 runs the image as one row only for even widths; the others for any width.
    const bool width_ok = !(F == Format::k444 && !SwapRB) || w % 2 == 0;
    if (gap_free(srcStep, 3, dstStep, w) && width_ok) {
        // one row of w * h pixels: blocks of 8 by I13u, the last (w * h) mod 8 by I16a
        const std::ptrdiff_t total = static_cast<std::ptrdiff_t>(w) * roi.height;
        const std::ptrdiff_t body = total / 8 * 8;
        long_body(body_fn, src, 3, dst, body);
        c3_rest_i16a<F, SwapRB>(src + 3 * body, dst + body, total - body);
        return qrxStatusOk;
    }
    // per row: blocks of 8 by I13u, the last w mod 8 pixels by I16a
    const int body = w / 8 * 8;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = qrx::row_at(src, srcStep, y);
        u16* d = dst_row(dst, dstStep, y);
        if (body > 0) body_fn(s, d, body, 0);
        c3_rest_i16a<F, SwapRB>(s + 3 * body, d + body, w - body);
    }
    return qrxStatusOk;
}

template <Format F, bool SwapRB>
QrxStatus c3_dither(const u8* src, int srcStep, u16* dst, int dstStep, QrxSize roi) {
    if (qrx::any_null(src, dst)) return qrxStatusNullPointer;
    if (qrx::size_below(roi)) return qrxStatusSizeError;
    const r16::PixFn fn = kernels_for<F, SwapRB>().c3_dither;
    // I13u for every pixel; the dither is anchored at the ROI's top-left pixel
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        fn(qrx::row_at(src, srcStep, y), dst_row(dst, dstStep, y), roi.width, static_cast<int>(y & 3));
    return qrxStatusOk;
}

// ---- 4:4:4 planar, one step ---------------------------------------------------

template <Format F, bool SwapRB, bool Dither>
QrxStatus p444(const u8* const src[3], int srcStep, u16* dst, int dstStep, QrxSize roi) {
    if (qrx::any_null(src, dst)) return qrxStatusNullPointer;
    if (qrx::size_below(roi)) return qrxStatusSizeError;
    if (qrx::any_plane_null(src, 3)) return qrxStatusNullPointer;
    const FormatKernels& k = kernels_for<F, SwapRB>();
    const r16::PlaneFn fn = Dither ? k.p444_dither : k.p444_plain;
    // I13u for every pixel
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        fn(qrx::row_at(src[0], srcStep, y), qrx::row_at(src[1], srcStep, y), qrx::row_at(src[2], srcStep, y),
           dst_row(dst, dstStep, y), roi.width, static_cast<int>(y & 3));
    return qrxStatusOk;
}

// ---- 4:2:2 packed (Y0 Cb Y1 Cr) ------------------------------------------------

// Width 1: no pair at all; the pixel's Cb also stands in for Cr, I16c.
template <Format F, bool SwapRB, bool Dither>
void c2_width_one(const u8* src, int srcStep, u16* dst, int dstStep, int height) {
    for (std::ptrdiff_t y = 0; y < height; ++y) {
        const u8* s = qrx::row_at(src, srcStep, y);
        dst_row(dst, dstStep, y)[0] = to_pixel<F, SwapRB, Dither>(r16::i16c(s[0], s[1], s[1]), 0, static_cast<int>(y & 3));
    }
}

template <Format F, bool SwapRB>
QrxStatus c2_plain(const u8* src, int srcStep, u16* dst, int dstStep, QrxSize roi) {
    if (qrx::any_null(src, dst)) return qrxStatusNullPointer;
    if (qrx::size_below(roi)) return qrxStatusSizeError;
    const int w = roi.width;
    if (w == 1) {
        c2_width_one<F, SwapRB, false>(src, srcStep, dst, dstStep, roi.height);
        return qrxStatusOk;
    }
    const r16::PixFn body_fn = kernels_for<F, SwapRB>().c2_plain;
    if (gap_free(srcStep, 2, dstStep, w) && w % 2 == 0) {
        // one row of w * h pixels: blocks of 8 by I13u, the remaining pairs by I16c
        const std::ptrdiff_t total = static_cast<std::ptrdiff_t>(w) * roi.height;
        const std::ptrdiff_t body = total / 8 * 8;
        long_body(body_fn, src, 2, dst, body);
        c2_pairs_i16c<F, SwapRB>(src + 2 * body, dst + body, total - body);
        return qrxStatusOk;
    }
    // per row: blocks of 8 by I13u, the remaining pairs by I16c, an odd last
    // pixel by I16a with the Cr of the previous pair
    const int body = w / 8 * 8;
    const int pairs_end = w & ~1;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = qrx::row_at(src, srcStep, y);
        u16* d = dst_row(dst, dstStep, y);
        if (body > 0) body_fn(s, d, body, 0);
        c2_pairs_i16c<F, SwapRB>(s + 2 * body, d + body, pairs_end - body);
        if (w & 1) {
            const u8* p = s + 2 * (w - 1);
            const Rgb c = qrx::ycbcr::i16a(p[0], p[1], p[-1]);
            d[w - 1] = r16::pack<F, SwapRB>(c.r, c.g, c.b);
        }
    }
    return qrxStatusOk;
}

template <Format F, bool SwapRB>
QrxStatus c2_dither(const u8* src, int srcStep, u16* dst, int dstStep, QrxSize roi) {
    if (qrx::any_null(src, dst)) return qrxStatusNullPointer;
    if (qrx::size_below(roi)) return qrxStatusSizeError;
    const int w = roi.width;
    if (w == 1) {
        c2_width_one<F, SwapRB, true>(src, srcStep, dst, dstStep, roi.height);
        return qrxStatusOk;
    }
    const r16::PixFn fn = kernels_for<F, SwapRB>().c2_dither;
    // every pair by I13u; an odd last pixel by I13u with its Cb in place of Cr
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* s = qrx::row_at(src, srcStep, y);
        u16* d = dst_row(dst, dstStep, y);
        const int row = static_cast<int>(y & 3);
        fn(s, d, w & ~1, row);
        if (w & 1) {
            const u8* p = s + 2 * (w - 1);
            d[w - 1] = to_pixel<F, SwapRB, true>(r16::i13u(p[0], p[1], p[1]), w - 1, row);
        }
    }
    return qrxStatusOk;
}

// ---- 4:2:2 and 4:2:0 planar, step array ---------------------------------------

template <Format F, bool SwapRB, bool Dither>
QrxStatus p422(const u8* const src[3], const int srcStep[3], u16* dst, int dstStep, QrxSize roi) {
    if (qrx::any_null(src, dst)) return qrxStatusNullPointer;
    if (qrx::size_below(roi)) return qrxStatusSizeError;
    if (qrx::any_plane_null(src, 3)) return qrxStatusNullPointer;
    const FormatKernels& k = kernels_for<F, SwapRB>();
    const r16::PlaneFn fn = Dither ? k.p422_dither : k.p422_plain;
    // I13u for every pixel; pixel x takes chroma sample x / 2 of its row
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        fn(qrx::row_at(src[0], srcStep[0], y), qrx::row_at(src[1], srcStep[1], y), qrx::row_at(src[2], srcStep[2], y),
           dst_row(dst, dstStep, y), roi.width, static_cast<int>(y & 3));
    return qrxStatusOk;
}

template <Format F, bool SwapRB, bool Dither>
QrxStatus p420(const u8* const src[3], const int srcStep[3], u16* dst, int dstStep, QrxSize roi) {
    if (qrx::any_null(src, dst)) return qrxStatusNullPointer;
    if (qrx::size_below(roi)) return qrxStatusSizeError;
    if (qrx::any_plane_null(src, 3)) return qrxStatusNullPointer;
    const FormatKernels& k = kernels_for<F, SwapRB>();
    const r16::TwoRowFn pair_fn = Dither ? k.p420_dither : k.p420_plain;
    const r16::PlaneFn row_fn = Dither ? k.p422_dither : k.p422_plain;
    // I13u for every pixel; pixel (x, y) takes chroma sample x / 2 of chroma row
    // y / 2, so rows 2j and 2j + 1 are converted together over chroma row j
    for (std::ptrdiff_t y = 0; y < roi.height; y += 2) {
        const u8* cb = qrx::row_at(src[1], srcStep[1], y >> 1);
        const u8* cr = qrx::row_at(src[2], srcStep[2], y >> 1);
        if (y + 1 < roi.height)
            pair_fn(qrx::row_at(src[0], srcStep[0], y), qrx::row_at(src[0], srcStep[0], y + 1), cb, cr,
                    dst_row(dst, dstStep, y), dst_row(dst, dstStep, y + 1), roi.width, static_cast<int>(y & 3));
        else
            row_fn(qrx::row_at(src[0], srcStep[0], y), cb, cr, dst_row(dst, dstStep, y), roi.width,
                   static_cast<int>(y & 3));
    }
    return qrxStatusOk;
}

// ---- 4:1:1 planar, step array -----------------------------------------------------

template <Format F, bool SwapRB>
QrxStatus p411(const u8* const src[3], const int srcStep[3], u16* dst, int dstStep, QrxSize roi) {
    if (qrx::any_null(src, dst) || qrx::any_plane_null(src, 3)) return qrxStatusNullPointer;
    if (qrx::size_below(roi, 4, 1)) return qrxStatusSizeError;
    const r16::PlaneFn body_fn = kernels_for<F, SwapRB>().p411_plain;
    // blocks of 32 by I13s; the rest (groups of 4, then w mod 4 pixels) by I16e;
    // pixel x takes chroma sample x / 4
    const int w = roi.width;
    const int body = w / 32 * 32;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* ys = qrx::row_at(src[0], srcStep[0], y);
        const u8* cb = qrx::row_at(src[1], srcStep[1], y);
        const u8* cr = qrx::row_at(src[2], srcStep[2], y);
        u16* d = dst_row(dst, dstStep, y);
        if (body > 0) body_fn(ys, cb, cr, d, body, 0);
        for (int x = body; x < w; ++x) {
            const Rgb c = r16::i16e(ys[x], cb[x >> 2], cr[x >> 2]);
            d[x] = r16::pack<F, SwapRB>(c.r, c.g, c.b);
        }
    }
    return qrxStatusOk;
}

}  // namespace

extern "C" {

QRXCC_API QrxStatus qrxiYCbCrToBGR565_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_plain<Format::k565, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k565, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR565_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_plain<Format::k565, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k565, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k565, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR565Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_dither<Format::k565, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k565, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR565Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_dither<Format::k565, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k565, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToBGR565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k565, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR555_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_plain<Format::k555, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k555, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR555_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_plain<Format::k555, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k555, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k555, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR555Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_dither<Format::k555, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k555, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR555Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_dither<Format::k555, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k555, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToBGR555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k555, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR444_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_plain<Format::k444, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR444_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k444, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR444_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_plain<Format::k444, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k444, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToBGR444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k444, false, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR444Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_dither<Format::k444, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToBGR444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k444, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR444Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_dither<Format::k444, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToBGR444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k444, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToBGR444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k444, false, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB565_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_plain<Format::k565, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB565_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k565, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB565_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_plain<Format::k565, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k565, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToRGB565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k565, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB565Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_dither<Format::k565, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k565, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB565Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_dither<Format::k565, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k565, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToRGB565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k565, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB555_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_plain<Format::k555, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB555_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k555, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB555_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_plain<Format::k555, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k555, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToRGB555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k555, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB555Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_dither<Format::k555, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k555, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB555Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_dither<Format::k555, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k555, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToRGB555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k555, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB444_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_plain<Format::k444, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB444_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k444, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB444_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_plain<Format::k444, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k444, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToRGB444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k444, true, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB444Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c3_dither<Format::k444, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCrToRGB444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p444<Format::k444, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB444Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return c2_dither<Format::k444, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr422ToRGB444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p422<Format::k444, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr420ToRGB444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p420<Format::k444, true, true>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr411ToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p411<Format::k565, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}
QRXCC_API QrxStatus qrxiYCbCr411ToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return p411<Format::k555, false>(pSrc, srcStep, pDst, dstStep, roiSize);
}

}  // extern "C"
