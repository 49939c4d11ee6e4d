// Row kernels of the 4:4:4 conversions.  Each entry converts n pixels of one
// row with one recipe; the exported functions decide which pixels go where.
#pragma once

#include <cstdint>

#include "core/cpu.h"

namespace qrx::ycbcr444 {

using u8 = std::uint8_t;
using PixFn = void (*)(const u8* src, u8* dst, int n);
using PlaneFn = void (*)(const u8* s0, const u8* s1, const u8* s2, u8* d0, u8* d1, u8* d2, int n);
using PlanesToPixFn = void (*)(const u8* y, const u8* cb, const u8* cr, u8* dst, int n, u8 alpha);

struct Kernels {
    PixFn rgb_c3_f15;          // C3 RGB -> C3 YCbCr, F15
    PixFn rgb_c3_f16;          // C3 RGB -> C3 YCbCr, F16
    PixFn rgb_ac4_f16;         // AC4 -> AC4, F16, destination alpha kept
    PlaneFn rgb_p3_fp;         // R,G,B planes -> Y,Cb,Cr planes, FP
    PlaneFn rgb_p3_f16;        // same, F16
    PixFn ycc_c3_i13t;         // C3 YCbCr -> C3 RGB, I13t
    PixFn ycc_c3_i16a;         // C3 YCbCr -> C3 RGB, I16a
    PixFn ycc_ac4_i16a;        // AC4 -> AC4, I16a, destination alpha kept
    PlaneFn ycc_p3_i13t;       // Y,Cb,Cr planes -> R,G,B planes, I13t
    PlaneFn ycc_p3_i16a;       // same, I16a
    PlanesToPixFn p3c3_rgb_i13r;  // planes -> C3 RGB, I13r
    PlanesToPixFn p3c3_rgb_i16b;  // planes -> C3 RGB, I16b
    PlanesToPixFn p3c3_bgr_i13r;  // planes -> C3 BGR, I13r
    PlanesToPixFn p3c4_bgr_i13s;  // planes -> C4 BGR + alpha, I13s
};

}  // namespace qrx::ycbcr444

QRX_KERNEL_TABLE(qrx::ycbcr444, Kernels)
