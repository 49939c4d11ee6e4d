// 4:2:0 YUV to 16-bit packed RGB (plain and dithered) and 16-bit packed
// BGR565 / BGR555 to 4:2:0 YUV.
//
// Outputs: the even part (rows in pairs, whole column pairs) by the truncated
// 16 x luma form, an odd last column and an odd last row by the edge form;
// then truncated to the field widths (plain) or placed by the ordered dither
// with the pattern anchored at the ROI's top-left pixel.  The plain outputs
// convert nothing for a ROI one pixel wide or one row high.
//
// Inputs: only the even part is converted (W & ~1 columns, H & ~1 rows); an
// odd width or height then yields the odd-size warning.
#include "ycbcr/rgb16_format.h"
#include "yuv/yuv420.h"

using namespace qrx;
using namespace qrx::yuv;

namespace {

using rgb16::Format;

template <Format F, bool SwapRB>
QrxStatus to_rgb16(const u8* const src[3], const int srcStep[3], u16* dst, int dstStep, QrxSize roi, bool dither) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_plane_null(src, 3)) return qrxStatusNullPointer;
    if (!dither && (roi.width == 1 || roi.height == 1)) return qrxStatusOk;  // nothing to convert
    constexpr int fmt = static_cast<int>(F) * 2 + (SwapRB ? 0 : 1);
    const Kernels& k = kernels();
    const Rgb16Fn plain = k.rgb16_plain[fmt];
    const Rgb16DitherFn dithered = k.rgb16_dither[fmt];
    return yuv420_rows(
        src, srcStep, roi,
        [&](std::ptrdiff_t y, const u8* sy, const u8* su, const u8* sv, int n) {
            u16* d = row_at_samples(dst, dstStep, y);
            if (dither)
                dithered(sy, su, sv, d, n, 0, static_cast<int>(y & 3));
            else
                plain(sy, su, sv, d, n);
        },
        [&](std::ptrdiff_t y, int x, Rgb c) {
            row_at_samples(dst, dstStep, y)[x] = dither ? rgb16::pack_dither<F, SwapRB>(c.r, c.g, c.b, x, static_cast<int>(y & 3))
                                                        : rgb16::pack<F, SwapRB>(c.r, c.g, c.b);
        });
}

template <bool Is565>
QrxStatus from_bgr16(const u16* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    if (any_null(src, dst) || any_plane_null(dst, 3)) return qrxStatusNullPointer;
    if (size_below(roi, 2, 2)) return qrxStatusSizeError;
    const Kernels& k = kernels();
    const Bgr16To420Fn fn = Is565 ? k.bgr565_to_420 : k.bgr555_to_420;
    const int blocks = roi.width >> 1;
    for (std::ptrdiff_t j = 0; j < (roi.height >> 1); ++j)
        fn(row_at(src, srcStep, 2 * j), row_at(src, srcStep, 2 * j + 1), row_at(dst[0], dstStep[0], 2 * j),
           row_at(dst[0], dstStep[0], 2 * j + 1), row_at(dst[1], dstStep[1], j), row_at(dst[2], dstStep[2], j), blocks);
    return ((roi.width | roi.height) & 1) ? qrxStatusOddSize : qrxStatusOk;
}

}  // namespace

extern "C" {

#define QRX_YUV420_TO_RGB16(NAME, FMT, SWAP, DITHER)                                                              \
    QRXCC_API QrxStatus NAME(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx16u* pDst, int dstStep,         \
                             QrxSize roi) {                                                                        \
        return to_rgb16<Format::FMT, SWAP>(pSrc, srcStep, pDst, dstStep, roi, DITHER);                             \
    }

QRX_YUV420_TO_RGB16(qrxiYUV420ToRGB565_8u16u_P3C3R, k565, true, false)
QRX_YUV420_TO_RGB16(qrxiYUV420ToBGR565_8u16u_P3C3R, k565, false, false)
QRX_YUV420_TO_RGB16(qrxiYUV420ToRGB555_8u16u_P3C3R, k555, true, false)
QRX_YUV420_TO_RGB16(qrxiYUV420ToBGR555_8u16u_P3C3R, k555, false, false)
QRX_YUV420_TO_RGB16(qrxiYUV420ToRGB444_8u16u_P3C3R, k444, true, false)
QRX_YUV420_TO_RGB16(qrxiYUV420ToBGR444_8u16u_P3C3R, k444, false, false)
QRX_YUV420_TO_RGB16(qrxiYUV420ToRGB565Dither_8u16u_P3C3R, k565, true, true)
QRX_YUV420_TO_RGB16(qrxiYUV420ToBGR565Dither_8u16u_P3C3R, k565, false, true)
QRX_YUV420_TO_RGB16(qrxiYUV420ToRGB555Dither_8u16u_P3C3R, k555, true, true)
QRX_YUV420_TO_RGB16(qrxiYUV420ToBGR555Dither_8u16u_P3C3R, k555, false, true)
QRX_YUV420_TO_RGB16(qrxiYUV420ToRGB444Dither_8u16u_P3C3R, k444, true, true)
QRX_YUV420_TO_RGB16(qrxiYUV420ToBGR444Dither_8u16u_P3C3R, k444, false, true)

#undef QRX_YUV420_TO_RGB16

QRXCC_API QrxStatus qrxiBGR565ToYUV420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                   const int dstStep[3], QrxSize roi) {
    return from_bgr16<true>(pSrc, srcStep, pDst, dstStep, roi);
}

QRXCC_API QrxStatus qrxiBGR555ToYUV420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                   const int dstStep[3], QrxSize roi) {
    return from_bgr16<false>(pSrc, srcStep, pDst, dstStep, roi);
}

}  // extern "C"
