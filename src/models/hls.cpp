// RGB/BGR <-> HLS and RGB <-> HSV: checks in the documented order, then one
// row-parallel region; every row is converted by its kernel with the region
// plan "whole groups of 4 (or 8) from the row start by the grouped recipe,
// the rest pixel by pixel".  16-bit and float images address their rows with
// the byte step shifted down to whole samples.
#include "core/checks.h"
#include "core/image.h"
#include "core/parallel_rows.h"
#include "models/hls_kernels.h"
#include "qrxcc.h"

using namespace qrx;
using u8 = std::uint8_t;

namespace {

// Grouped pixels of a row: whole groups from the left edge.  A group of 1
// means one recipe for the whole row.
inline int grouped_of(int width, int group) { return width / group * group; }

template <class T>
QrxStatus pixel_order(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, hls::Entry entry, int group) {
    const hls::RowFn fn = hls::kernels().row[entry];
    const int width = roi.width;
    const int body = grouped_of(width, group);
    parallel_rows(roi.height, [&](std::ptrdiff_t y) {
        const void* s[1] = {row_at_samples(src, srcStep, y)};
        void* d[1] = {row_at_samples(dst, dstStep, y)};
        fn(s, d, body, width);
    });
    return qrxStatusOk;
}

template <class T>
QrxStatus c3_ac4(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, hls::Entry entry, int group) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    return pixel_order(src, srcStep, dst, dstStep, roi, entry, group);
}

// Where the fourth channel of the planar/mixed BGR-HLS functions goes.
enum class Alpha { none, plane_to_plane, plane_to_pixel, pixel_to_plane };

// One side of a planar/mixed function: `planes` plane pointers (0: pixel order).
struct Side {
    const void* const* ptrs;
    int planes;
};

// Checks of the twelve planar/mixed functions: arrays or pointers, source
// planes, destination planes; steps; size.  Then the rows, 4-pixel groups.
QrxStatus planar(const void* src_ptr, const void* const* src_planes, int src_n, int srcStep, void* dst_ptr,
                 void* const* dst_planes, int dst_n, int dstStep, QrxSize roi, hls::Entry entry, Alpha alpha) {
    if (src_n == 0 ? src_ptr == nullptr : src_planes == nullptr) return qrxStatusNullPointer;
    if (dst_n == 0 ? dst_ptr == nullptr : dst_planes == nullptr) return qrxStatusNullPointer;
    for (int p = 0; p < src_n; ++p)
        if (src_planes[p] == nullptr) return qrxStatusNullPointer;
    for (int p = 0; p < dst_n; ++p)
        if (dst_planes[p] == nullptr) return qrxStatusNullPointer;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    if (size_below(roi)) return qrxStatusSizeError;

    const hls::RowFn fn = hls::kernels().row[entry];
    const int width = roi.width;
    const int body = grouped_of(width, 4);
    parallel_rows(roi.height, [&](std::ptrdiff_t y) {
        const void* s[4] = {};
        void* d[4] = {};
        if (src_n == 0)
            s[0] = row_at(static_cast<const u8*>(src_ptr), srcStep, y);
        for (int p = 0; p < src_n; ++p) s[p] = row_at(static_cast<const u8*>(src_planes[p]), srcStep, y);
        if (dst_n == 0)
            d[0] = row_at(static_cast<u8*>(dst_ptr), dstStep, y);
        for (int p = 0; p < dst_n; ++p) d[p] = row_at(static_cast<u8*>(dst_planes[p]), dstStep, y);
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

const void* const* planes_of(const u8* const* p) { return reinterpret_cast<const void* const*>(p); }
void* const* planes_of(u8* const* p) { return reinterpret_cast<void* const*>(p); }

}  // namespace

#define QRX_HLS_PIXEL(name, T, entry, group)                                                                  \
    QRXCC_API QrxStatus name(const T* pSrc, int srcStep, T* pDst, int dstStep, QrxSize roiSize) {            \
        return c3_ac4(pSrc, srcStep, pDst, dstStep, roiSize, hls::entry, group);                              \
    }

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
QRXCC_API QrxStatus qrxiBGRToHLS_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
                                          QrxSize roiSize) {
    return planar(pSrc, nullptr, 0, srcStep, nullptr, planes_of(pDst), 3, dstStep, roiSize, hls::kBgrToHlsC3P3,
                  Alpha::none);
}
QRXCC_API QrxStatus qrxiBGRToHLS_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                          QrxSize roiSize) {
    return planar(nullptr, planes_of(pSrc), 3, srcStep, pDst, nullptr, 0, dstStep, roiSize, hls::kBgrToHlsP3C3,
                  Alpha::none);
}
QRXCC_API QrxStatus qrxiBGRToHLS_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3], int dstStep,
                                        QrxSize roiSize) {
    return planar(nullptr, planes_of(pSrc), 3, srcStep, nullptr, planes_of(pDst), 3, dstStep, roiSize,
                  hls::kBgrToHlsP3, Alpha::none);
}
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AP4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* const pDst[4], int dstStep,
                                         QrxSize roiSize) {
    return planar(nullptr, planes_of(pSrc), 4, srcStep, nullptr, planes_of(pDst), 4, dstStep, roiSize,
                  hls::kBgrToHlsP3, Alpha::plane_to_plane);
}
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AP4C4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* pDst, int dstStep,
                                           QrxSize roiSize) {
    return planar(nullptr, planes_of(pSrc), 4, srcStep, pDst, nullptr, 0, dstStep, roiSize, hls::kBgrToHlsP4C4,
                  Alpha::plane_to_pixel);
}
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AC4P4R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[4], int dstStep,
                                           QrxSize roiSize) {
    return planar(pSrc, nullptr, 0, srcStep, nullptr, planes_of(pDst), 4, dstStep, roiSize, hls::kBgrToHlsC4P3,
                  Alpha::pixel_to_plane);
}

QRXCC_API QrxStatus qrxiHLSToBGR_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
                                          QrxSize roiSize) {
    return planar(pSrc, nullptr, 0, srcStep, nullptr, planes_of(pDst), 3, dstStep, roiSize, hls::kHlsToBgrC3P3,
                  Alpha::none);
}
QRXCC_API QrxStatus qrxiHLSToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                          QrxSize roiSize) {
    return planar(nullptr, planes_of(pSrc), 3, srcStep, pDst, nullptr, 0, dstStep, roiSize, hls::kHlsToBgrP3C3,
                  Alpha::none);
}
QRXCC_API QrxStatus qrxiHLSToBGR_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3], int dstStep,
                                        QrxSize roiSize) {
    return planar(nullptr, planes_of(pSrc), 3, srcStep, nullptr, planes_of(pDst), 3, dstStep, roiSize,
                  hls::kHlsToBgrP3, Alpha::none);
}
QRXCC_API QrxStatus qrxiHLSToBGR_8u_AP4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* const pDst[4], int dstStep,
                                         QrxSize roiSize) {
    return planar(nullptr, planes_of(pSrc), 4, srcStep, nullptr, planes_of(pDst), 4, dstStep, roiSize,
                  hls::kHlsToBgrP3, Alpha::plane_to_plane);
}
QRXCC_API QrxStatus qrxiHLSToBGR_8u_AP4C4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* pDst, int dstStep,
                                           QrxSize roiSize) {
    return planar(nullptr, planes_of(pSrc), 4, srcStep, pDst, nullptr, 0, dstStep, roiSize, hls::kHlsToBgrP3C4,
                  Alpha::plane_to_pixel);
}
QRXCC_API QrxStatus qrxiHLSToBGR_8u_AC4P4R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[4], int dstStep,
                                           QrxSize roiSize) {
    return planar(pSrc, nullptr, 0, srcStep, nullptr, planes_of(pDst), 4, dstStep, roiSize, hls::kHlsToBgrC4P3,
                  Alpha::pixel_to_plane);
}

}  // extern "C"
