// Row kernels of the gamma conversion: table lookups (8u constant tables, 16u
// per-call table) and the curves evaluated per sample (16u, 32f).  Source and
// destination may be the same row (in place).
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/cpu.h"
#include "gray_twist_gamma/gamma_poly16.h"
#include "gray_twist_gamma/recipes.h"

namespace qrx::gamma {

using u8 = std::uint8_t;
using u16 = std::uint16_t;

using Lut8Fn = void (*)(const u8* src, u8* dst, std::ptrdiff_t n, const u8* table);
using Lut16Fn = void (*)(const u16* src, u16* dst, std::ptrdiff_t n, const u16* table);
// The curves, with exactly the results of the recipes gamma16_* / gamma32_*.
using Curve16Fn = void (*)(const u16* src, u16* dst, std::ptrdiff_t n);
using Curve32Fn = void (*)(const float* src, float* dst, std::ptrdiff_t n, const gtg::GammaRange& g);
struct Kernels {
    Lut8Fn lut8;        // n consecutive samples
    Lut8Fn lut8_ac4;    // n four-sample pixels: samples 0..2 looked up, sample 3 left as it was
    Lut16Fn lut16;      // n consecutive samples; table has 65536 entries
    Lut16Fn lut16_ac4;  // n four-sample pixels, as lut8_ac4
    // [0: forward, 1: inverse][0: n consecutive samples, 1: n four-sample pixels, as lut8_ac4]
    Curve16Fn curve16[2][2];
    Curve32Fn curve32[2][2];
    // [as curve16]: the polynomial form of gamma_poly16.h; null below AVX-512
    Poly16Fn poly16[2][2];
};

}  // namespace qrx::gamma

QRX_KERNEL_TABLE(qrx::gamma, Kernels)
