// RGB/BGR <-> HLS and RGB <-> HSV: checks in the documented order, then one
// row-parallel region; every row is converted by its kernel with the region
// plan "whole groups of 4 (or 8) from the row start by the grouped recipe,
// the rest pixel by pixel".  16-bit and float images address their rows with
// the byte step shifted down to whole samples.
#include "core/checks.h"
#include "core/image.h"
#include "core/parallel_rows.h"
#include "models/grouped_rows.h"
#include "models/hls_kernels.h"
#include "qrxcc.h"

using namespace qrx;
using u8 = std::uint8_t;

namespace {

template <class T>
QrxStatus pixel_order(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, hls::Entry entry, int group) {
    return models::grouped_rows(src, srcStep, dst, dstStep, roi, hls::kernels().row[entry], group);
}

// Where the fourth channel of the planar/mixed BGR-HLS functions goes.
enum class Alpha { none, plane_to_plane, plane_to_pixel, pixel_to_plane };

// One side of a planar/mixed function: a pixel-order row pointer (n == 0) or
// an array of n plane pointers.
template <class P>
struct Side {
    P* ptr;
    P* const* planes;
    int n;
};
Side<const u8> pixels(const u8* p) { return {p, nullptr, 0}; }
Side<u8> pixels(u8* p) { return {p, nullptr, 0}; }
Side<const u8> planes(const u8* const* p, int n) { return {nullptr, p, n}; }
Side<u8> planes(u8* const* p, int n) { return {nullptr, p, n}; }

template <class P>
bool side_null(const Side<P>& side) {
    return side.n == 0 ? side.ptr == nullptr : side.planes == nullptr;
}
template <class P>
bool planes_null(const Side<P>& side) {
    for (int p = 0; p < side.n; ++p)
        if (side.planes[p] == nullptr) return true;
    return false;
}
// Row y of every plane of a side (or of its pixel-order image) into rows[].
template <class P, class R>
void rows_of(const Side<P>& side, int step, std::ptrdiff_t y, R* rows) {
    if (side.n == 0) rows[0] = row_at(side.ptr, step, y);
    for (int p = 0; p < side.n; ++p) rows[p] = row_at(side.planes[p], step, y);
}

// Checks of the twelve planar/mixed functions: arrays or pointers, source
// planes, destination planes; steps; size.  Then the rows, 4-pixel groups.
QrxStatus planar(Side<const u8> src, int srcStep, Side<u8> dst, int dstStep, QrxSize roi, hls::Entry entry,
                 Alpha alpha) {
    if (side_null(src) || side_null(dst)) return qrxStatusNullPointer;
    if (planes_null(src) || planes_null(dst)) return qrxStatusNullPointer;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    if (size_below(roi)) return qrxStatusSizeError;

    const hls::RowFn fn = hls::kernels().row[entry];
    const int width = roi.width;
    const int body = models::grouped_of(width, 4);
    parallel_rows(roi.height, [&](std::ptrdiff_t y) {
        const void* s[4] = {};
        void* d[4] = {};
        rows_of(src, srcStep, y, s);
        rows_of(dst, dstStep, y, d);
        fn(s, d, body, width);
        switch (alpha) {
            case Alpha::none: break;
            case Alpha::plane_to_plane:
                for (int x = 0; x < width; ++x) static_cast<u8*>(d[3])[x] = static_cast<const u8*>(s[3])[x];
                break;
            case Alpha::plane_to_pixel:
                for (int x = 0; x < width; ++x) static_cast<u8*>(d[0])[4 * x + 3] = static_cast<const u8*>(s[3])[x];
                break;
            case Alpha::pixel_to_plane:
                for (int x = 0; x < width; ++x) static_cast<u8*>(d[3])[x] = static_cast<const u8*>(s[0])[4 * x + 3];
                break;
        }
    });
    return qrxStatusOk;
}

}  // namespace

#define QRX_HLS_PIXEL(name, T, entry, group) QRX_MODELS_GROUPED_FN(name, T, hls, entry, group)

extern "C" {

// HSV: groups of 4 everywhere.
QRX_HLS_PIXEL(qrxiRGBToHSV_8u_C3R, Qrx8u, kRgbToHsv8uC3, 4)
QRX_HLS_PIXEL(qrxiRGBToHSV_8u_AC4R, Qrx8u, kRgbToHsv8uAC4, 4)
QRX_HLS_PIXEL(qrxiRGBToHSV_16u_C3R, Qrx16u, kRgbToHsv16uC3, 4)
QRX_HLS_PIXEL(qrxiRGBToHSV_16u_AC4R, Qrx16u, kRgbToHsv16uAC4, 4)
QRX_HLS_PIXEL(qrxiHSVToRGB_8u_C3R, Qrx8u, kHsvToRgb8uC3, 4)
QRX_HLS_PIXEL(qrxiHSVToRGB_8u_AC4R, Qrx8u, kHsvToRgb8uAC4, 4)
QRX_HLS_PIXEL(qrxiHSVToRGB_16u_C3R, Qrx16u, kHsvToRgb16uC3, 4)
QRX_HLS_PIXEL(qrxiHSVToRGB_16u_AC4R, Qrx16u, kHsvToRgb16uAC4, 4)

// HLS: groups of 8 for the 8u C3 kernels, 4 for the others; the 32f forward
// kernel has one recipe for every pixel.
QRX_HLS_PIXEL(qrxiRGBToHLS_8u_C3R, Qrx8u, kRgbToHls8uC3, 8)
QRX_HLS_PIXEL(qrxiRGBToHLS_8u_AC4R, Qrx8u, kRgbToHls8uAC4, 4)
QRX_HLS_PIXEL(qrxiRGBToHLS_16u_C3R, Qrx16u, kRgbToHls16uC3, 4)
QRX_HLS_PIXEL(qrxiRGBToHLS_16u_AC4R, Qrx16u, kRgbToHls16uAC4, 4)
QRX_HLS_PIXEL(qrxiRGBToHLS_16s_C3R, Qrx16s, kRgbToHls16sC3, 4)
QRX_HLS_PIXEL(qrxiRGBToHLS_16s_AC4R, Qrx16s, kRgbToHls16sAC4, 4)
QRX_HLS_PIXEL(qrxiRGBToHLS_32f_C3R, Qrx32f, kRgbToHls32fC3, 1)
QRX_HLS_PIXEL(qrxiRGBToHLS_32f_AC4R, Qrx32f, kRgbToHls32fAC4, 1)
QRX_HLS_PIXEL(qrxiHLSToRGB_8u_C3R, Qrx8u, kHlsToRgb8uC3, 8)
QRX_HLS_PIXEL(qrxiHLSToRGB_8u_AC4R, Qrx8u, kHlsToRgb8uAC4, 4)
QRX_HLS_PIXEL(qrxiHLSToRGB_16u_C3R, Qrx16u, kHlsToRgb16uC3, 4)
QRX_HLS_PIXEL(qrxiHLSToRGB_16u_AC4R, Qrx16u, kHlsToRgb16uAC4, 4)
QRX_HLS_PIXEL(qrxiHLSToRGB_16s_C3R, Qrx16s, kHlsToRgb16sC3, 4)
QRX_HLS_PIXEL(qrxiHLSToRGB_16s_AC4R, Qrx16s, kHlsToRgb16sAC4, 4)
QRX_HLS_PIXEL(qrxiHLSToRGB_32f_C3R, Qrx32f, kHlsToRgb32fC3, 4)
QRX_HLS_PIXEL(qrxiHLSToRGB_32f_AC4R, Qrx32f, kHlsToRgb32fAC4, 4)

// BGR AC4 to HLS AC4 checks its steps after the size.
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roiSize)) return qrxStatusSizeError;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    return pixel_order(pSrc, srcStep, pDst, dstStep, roiSize, hls::kBgrToHlsAC4, 4);
}

// ---- planar and mixed layouts: steps before the size ------------------------
// (plane arrays are declared `T* const p[3]` / `[4]`, i.e. `T* const* p`)
#define QRX_HLS_PLANAR(name, SrcT, DstT, src, dst, entry, alpha)                                              \
    QRXCC_API QrxStatus name(SrcT pSrc, int srcStep, DstT pDst, int dstStep, QrxSize roiSize) {              \
        return planar(src, srcStep, dst, dstStep, roiSize, hls::entry, Alpha::alpha);                         \
    }
using Pixels = const Qrx8u*;
using Planes = const Qrx8u* const*;
using OutPixels = Qrx8u*;
using OutPlanes = Qrx8u* const*;

QRX_HLS_PLANAR(qrxiBGRToHLS_8u_C3P3R, Pixels, OutPlanes, pixels(pSrc), planes(pDst, 3), kBgrToHlsC3P3, none)
QRX_HLS_PLANAR(qrxiBGRToHLS_8u_P3C3R, Planes, OutPixels, planes(pSrc, 3), pixels(pDst), kBgrToHlsP3C3, none)
QRX_HLS_PLANAR(qrxiBGRToHLS_8u_P3R, Planes, OutPlanes, planes(pSrc, 3), planes(pDst, 3), kBgrToHlsP3, none)
QRX_HLS_PLANAR(qrxiBGRToHLS_8u_AP4R, Planes, OutPlanes, planes(pSrc, 4), planes(pDst, 4), kBgrToHlsP3,
               plane_to_plane)
QRX_HLS_PLANAR(qrxiBGRToHLS_8u_AP4C4R, Planes, OutPixels, planes(pSrc, 4), pixels(pDst), kBgrToHlsP4C4,
               plane_to_pixel)
QRX_HLS_PLANAR(qrxiBGRToHLS_8u_AC4P4R, Pixels, OutPlanes, pixels(pSrc), planes(pDst, 4), kBgrToHlsC4P3,
               pixel_to_plane)

QRX_HLS_PLANAR(qrxiHLSToBGR_8u_C3P3R, Pixels, OutPlanes, pixels(pSrc), planes(pDst, 3), kHlsToBgrC3P3, none)
QRX_HLS_PLANAR(qrxiHLSToBGR_8u_P3C3R, Planes, OutPixels, planes(pSrc, 3), pixels(pDst), kHlsToBgrP3C3, none)
QRX_HLS_PLANAR(qrxiHLSToBGR_8u_P3R, Planes, OutPlanes, planes(pSrc, 3), planes(pDst, 3), kHlsToBgrP3, none)
QRX_HLS_PLANAR(qrxiHLSToBGR_8u_AP4R, Planes, OutPlanes, planes(pSrc, 4), planes(pDst, 4), kHlsToBgrP3,
               plane_to_plane)
QRX_HLS_PLANAR(qrxiHLSToBGR_8u_AP4C4R, Planes, OutPixels, planes(pSrc, 4), pixels(pDst), kHlsToBgrP3C4,
               plane_to_pixel)
QRX_HLS_PLANAR(qrxiHLSToBGR_8u_AC4P4R, Pixels, OutPlanes, pixels(pSrc), planes(pDst, 4), kHlsToBgrC4P3,
               pixel_to_plane)

}  // extern "C"
