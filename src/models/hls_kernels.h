// Row kernels of the HLS and HSV conversions.  Each entry converts one row:
// pixels [0, body) by the grouped recipe, [body, width) by the per-pixel one.
// The exported functions choose body (whole groups of 4 or 8 from the row
// start) and pass the row pointers: src[0]/dst[0] for pixel order, the plane
// pointers of the row for planar sides.
#pragma once

#include "core/cpu.h"

namespace qrx::hls {

using RowFn = void (*)(const void* const* src, void* const* dst, int body, int width);

enum Entry : int {
    kRgbToHsv8uC3, kRgbToHsv8uAC4, kRgbToHsv16uC3, kRgbToHsv16uAC4,
    kHsvToRgb8uC3, kHsvToRgb8uAC4, kHsvToRgb16uC3, kHsvToRgb16uAC4,
    kRgbToHls8uC3, kRgbToHls8uAC4, kRgbToHls16uC3, kRgbToHls16uAC4,
    kRgbToHls16sC3, kRgbToHls16sAC4, kRgbToHls32fC3, kRgbToHls32fAC4,
    kHlsToRgb8uC3, kHlsToRgb8uAC4, kHlsToRgb16uC3, kHlsToRgb16uAC4,
    kHlsToRgb16sC3, kHlsToRgb16sAC4, kHlsToRgb32fC3, kHlsToRgb32fAC4,
    // BGR side in channel/plane order B, G, R; HLS side H, L, S
    kBgrToHlsAC4, kBgrToHlsC3P3, kBgrToHlsP3C3, kBgrToHlsP3, kBgrToHlsP4C4, kBgrToHlsC4P3,
    kHlsToBgrC3P3, kHlsToBgrP3C3, kHlsToBgrP3, kHlsToBgrP3C4, kHlsToBgrC4P3,
    kEntryCount
};

struct Kernels {
    RowFn row[kEntryCount];
};

}  // namespace qrx::hls

QRX_KERNEL_TABLE(qrx::hls, Kernels)
