// Row kernels of the RGB <-> YUV conversions.  Each entry converts one region
// of one row (or row pair) with one recipe; the exported functions decide
// which pixels go where.  Counts are in pixels for 4:4:4 and in horizontal
// pairs for the subsampled kernels.
#pragma once

#include <cstdint>

#include "core/cpu.h"

namespace qrx::yuv {

using u8 = std::uint8_t;
using u16 = std::uint16_t;

using PixFn = void (*)(const u8* src, u8* dst, int n);
using PixToPlanesFn = void (*)(const u8* src, u8* d0, u8* d1, u8* d2, int n);
using PlanesFn = void (*)(const u8* s0, const u8* s1, const u8* s2, u8* d0, u8* d1, u8* d2, int n);
using PlanesToPixFn = void (*)(const u8* s0, const u8* s1, const u8* s2, u8* dst, int n);

// 4:2:0 forward over a row pair: n pairs of columns (n 2 x 2 blocks).
using Fwd420C3Fn = void (*)(const u8* s0, const u8* s1, u8* y0, u8* y1, u8* u, u8* v, int n);
using Fwd420P3Fn = void (*)(const u8* const r[2], const u8* const g[2], const u8* const b[2], u8* y0, u8* y1, u8* u,
                            u8* v, int n);

// 4:2:0 to 16-bit packed RGB: n pairs of one row.  The dithered kernels take
// the ROI column of the first pixel and the ROI row for the dither pattern.
using Rgb16Fn = void (*)(const u8* y, const u8* u, const u8* v, u16* dst, int n);
using Rgb16DitherFn = void (*)(const u8* y, const u8* u, const u8* v, u16* dst, int n, int x0, int row);

// 16-bit packed BGR row pair to 4:2:0: n 2 x 2 blocks.
using Bgr16To420Fn = void (*)(const u16* s0, const u16* s1, u8* y0, u8* y1, u8* u, u8* v, int n);

// The 16-bit formats in the tables below: 565, 555, 444 (rgb16::Format), each
// in RGB order then BGR order, at 2 x format + (BGR ? 1 : 0).
constexpr int kRgb16FormatCount = 6;

struct Kernels {
    // ---- 4:4:4, n pixels
    PixFn fwd_c3_blk;            // C3 -> C3, block form
    PixToPlanesFn fwd_c3p3_blk;  // C3 -> planes, block form
    PlanesFn fwd_p3_blk;         // planes -> planes, block form
    PixFn fwd_ac4_split;         // AC4 -> AC4, split form, alpha kept
    PixFn inv_c3_i1;             // C3 -> C3, I1
    PixFn inv_ac4_i1;            // AC4 -> AC4, I1, alpha kept
    PlanesFn inv_p3_i2;          // planes -> planes, I2
    PlanesToPixFn inv_p3c3_i3;   // planes -> C3, I3
    // ---- 4:2:2 forward, n pairs (vector and pair form)
    PixFn fwd422_c3c2;
    PixToPlanesFn fwd422_c3p3;
    PlanesFn fwd422_p3;
    // ---- 4:2:2 inverse rows (also one row of 4:2:0), n pairs, pair form
    PixFn inv422_c2c3;
    PlanesToPixFn inv422_p3c3_rgb;
    PlanesToPixFn inv422_p3c3_bgr;
    PlanesToPixFn inv422_p3ac4_rgb;   // pair form, alpha 0
    PlanesToPixFn inv422_p3ac4_y16r;  // 16 x luma form rounded, alpha 0
    PlanesFn inv422_p3;
    // ---- 4:2:0 forward, vector body (n blocks of 2 x 2)
    Fwd420C3Fn fwd420_c3;
    Fwd420P3Fn fwd420_p3;
    // ---- 4:2:0 to 16-bit packed
    Rgb16Fn rgb16_plain[kRgb16FormatCount];
    Rgb16DitherFn rgb16_dither[kRgb16FormatCount];
    // ---- 16-bit packed BGR to 4:2:0
    Bgr16To420Fn bgr565_to_420;
    Bgr16To420Fn bgr555_to_420;
};

}  // namespace qrx::yuv

QRX_KERNEL_TABLE(qrx::yuv, Kernels)
