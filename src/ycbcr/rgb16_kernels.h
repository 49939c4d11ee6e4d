// Row kernels of the YCbCr to 16-bit packed RGB conversions.  Each kernel
// converts n pixels of one row, all with the 13-bit recipe of its layout (I13u,
// or I13s for 4:1:1), starting at the row's pixel 0, and packs them plainly or
// with the ordered dither (`row` is the ROI row number mod 4; plain kernels
// ignore it).  The exported functions decide which pixels go to a kernel and
// finish the rest with the 16.16 recipes.
#pragma once

#include <cstdint>

#include "core/cpu.h"
#include "ycbcr/rgb16_format.h"

namespace qrx::rgb16 {

using u8 = std::uint8_t;
using u16 = std::uint16_t;

// Pixel-order sources: C3 Y, Cb, Cr (any n) or YCbCr422 packed pairs (n even).
using PixFn = void (*)(const u8* src, u16* dst, int n, int row);
// Planar sources: pixel i takes luma y[i] and chroma sample i >> s of the row
// (s = 0 for 4:4:4, 1 for 4:2:2 and 4:2:0, 2 for 4:1:1).
using PlaneFn = void (*)(const u8* y, const u8* cb, const u8* cr, u16* dst, int n, int row);
// Two luma rows over one chroma row (4:2:0 row pairs), chroma i >> 1; row0 is
// the first row's number mod 4 (the second row uses row0 + 1).
using TwoRowFn = void (*)(const u8* y0, const u8* y1, const u8* cb, const u8* cr, u16* d0, u16* d1, int n,
                          int row0);

struct FormatKernels {
    PixFn c3_plain;       // I13u, truncated
    PixFn c3_dither;      // I13u, dithered
    PixFn c2_plain;       // I13u on pairs, truncated
    PixFn c2_dither;      // I13u on pairs, dithered
    PlaneFn p444_plain;   // I13u
    PlaneFn p444_dither;
    PlaneFn p422_plain;   // I13u, chroma i >> 1 (4:2:2 and 4:2:0 rows)
    PlaneFn p422_dither;
    TwoRowFn p420_plain;  // I13u, chroma i >> 1, two rows at once
    TwoRowFn p420_dither;
    PlaneFn p411_plain;   // I13s, chroma i >> 2
};

// [format][order]: order 0 = BGR names (blue low), 1 = RGB names (red low).
struct Kernels {
    FormatKernels fmt[kFormatCount][2];
};

}  // namespace qrx::rgb16

QRX_KERNEL_TABLE(qrx::rgb16, Kernels)
