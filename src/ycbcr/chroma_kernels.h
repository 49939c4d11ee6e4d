// Vector-body kernels of the 4:2:2, 4:2:0 and 4:1:1 conversions.  Each entry
// converts the body region of one row (or row pair) with the body recipes; n is
// a whole number of the conversion's blocks.  The exported functions decide the
// regions and finish the rows with the scalar recipes of chroma_recipes.h.
#pragma once

#include <cstdint>

#include "core/cpu.h"

namespace qrx::ycbcr_sub {

using u8 = std::uint8_t;

// pixel order -> packed 4:2:2 (YCbCr or CbYCr byte order)
using PixToPackedFn = void (*)(const u8* src, u8* dst, int n);
// R, G, B planes -> packed 4:2:2
using PlanesToPackedFn = void (*)(const u8* r, const u8* g, const u8* b, u8* dst, int n);
// pixel order -> Y plane row + half-width Cb, Cr rows
using PixToPlanesFn = void (*)(const u8* src, u8* y, u8* cb, u8* cr, int n);
// three-tap CbYCr: the even part of a row, optional 256-entry input curve
using Tap3Fn = void (*)(const u8* src, u8* dst, int n, const u8* curve);
// packed 4:2:2 -> pixel order (alpha written when the destination has 4 channels)
using PackedToPixFn = void (*)(const u8* src, u8* dst, int n, u8 alpha);
// packed 4:2:2 -> R, G, B planes
using PackedToPlanesFn = void (*)(const u8* src, u8* r, u8* g, u8* b, int n);
// Y row + subsampled Cb, Cr rows -> pixel order
using PlanesToPixFn = void (*)(const u8* y, const u8* cb, const u8* cr, u8* dst, int n, u8 alpha);
// two pixel-order rows -> two Y rows + one Cb, Cr row (4:2:0 2x2 blocks)
using RowPairTo420Fn = void (*)(const u8* s0, const u8* s1, u8* y0, u8* y1, u8* cb, u8* cr, int n);

struct Kernels {
    // 4:2:2 forward
    PixToPackedFn rgb_c3_yuy_fp_p17;       // blocks of 4 (8 then 4): Y by FP, chroma by P17
    PlanesToPackedFn rgb_p3_yuy_fp_p17;    // blocks of 8
    PixToPackedFn bgr_c3_yuy_y15_p11;      // blocks of 32
    PixToPackedFn bgr_ac4_yuy_y15_p11;     // blocks of 32
    PixToPlanesFn bgr_c3_p3_y15_p11;       // blocks of 32
    PixToPlanesFn bgr_ac4_p3_y15_p11;      // blocks of 32
    PixToPackedFn bgr_ac4_uyvy_y15_p10;    // blocks of 8, any alignment
    PixToPackedFn bgr_ac4_uyvy_y15_p10_a;  // blocks of 8, 16-byte aligned rows
    Tap3Fn rgb_c3_uyvy_tap3;               // every whole pair: Y by Y15s, chroma by the three-tap filter
    // 4:2:2 inverse
    PackedToPixFn yuy_rgb_c3_i13t;         // blocks of 4 (8 then 4)
    PackedToPlanesFn yuy_rgb_p3_i13t;      // blocks of 4 (8 then 4)
    PlanesToPixFn p3_422_rgb_c3_i13r;      // blocks of 8
    PackedToPixFn yuy_bgr_c3_i13r;         // blocks of 16
    PackedToPixFn yuy_bgr_c4_i12;          // blocks of 16
    PackedToPixFn uyvy_rgb_c3_i13r;        // blocks of 8
    PackedToPixFn uyvy_bgr_c4_i13r;        // blocks of 8, any alignment
    PackedToPixFn uyvy_bgr_c4_i13r_a;      // blocks of 8, 16-byte aligned rows
    // 4:2:0 / 4:1:1
    RowPairTo420Fn rgb_c3_420_y12_q12;     // every whole 2x2 block (one recipe for the whole row pair)
    RowPairTo420Fn bgr_c3_420_y15_q11;     // blocks of 16 columns
    RowPairTo420Fn bgr_ac4_420_y15_q11;    // blocks of 16 columns
    PlanesToPixFn p420_rgb_c3_i12;         // blocks of 4 columns (one row, chroma row shared)
    PlanesToPixFn p420_bgr_c3_i12;
    PixToPlanesFn bgr_c3_411_y15_q11;      // blocks of 32
    PixToPlanesFn bgr_ac4_411_y15_q11;     // blocks of 32
    PlanesToPixFn p411_bgr_c3_i13t;        // blocks of 8
    PlanesToPixFn p411_bgr_c4_i13t;        // blocks of 8
    // 16-bit packed BGR sources (rows of 16-bit words passed as bytes), widened fields
    PixToPackedFn bgr565_yuy_y15_p11;      // blocks of 32
    PixToPackedFn bgr555_yuy_y15_p11;
    PixToPlanesFn bgr565_p3_y15_p11;       // blocks of 32
    PixToPlanesFn bgr555_p3_y15_p11;
    RowPairTo420Fn bgr565_420_y15_q11;     // blocks of 16 columns
    RowPairTo420Fn bgr555_420_y15_q11;
    PixToPlanesFn bgr565_411_y15_q11;      // blocks of 32
    PixToPlanesFn bgr555_411_y15_q11;
};

}  // namespace qrx::ycbcr_sub

QRX_KERNEL_TABLE(qrx::ycbcr_sub, Kernels)
