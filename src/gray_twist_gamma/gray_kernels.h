// Row kernels of the gray conversion.  Each entry converts n pixels of one row
// with one recipe; the exported functions decide which pixels go where.
#pragma once

#include <cstdint>

#include "core/cpu.h"
#include "gray_twist_gamma/recipes.h"

namespace qrx::gray {

using gtg::s16;
using gtg::u16;
using gtg::u8;
using gtg::Weights8;
using gtg::WeightsF;

using Gray8Fn = void (*)(const u8* src, u8* dst, int n, Weights8 w);
using Gray16uFn = void (*)(const u16* src, u16* dst, int n, const WeightsF& w);
using Gray16sFn = void (*)(const s16* src, s16* dst, int n, const WeightsF& w);
using Gray32fFn = void (*)(const float* src, float* dst, int n, const WeightsF& w);

struct Kernels {
    Gray8Fn c3_8u_body;     // 8u C3, body recipe (truncated products, saturating sum)
    Gray8Fn c3_8u_tail;     // 8u C3, tail recipe (exact sum, low 8 bits)
    Gray8Fn ac4_8u_body;    // 8u AC4, body recipe
    Gray8Fn ac4_8u_tail;    // 8u AC4, tail recipe
    Gray16uFn c3_16u;       // 16u C3
    Gray16uFn ac4_16u;      // 16u AC4
    Gray16sFn c3_16s_body;  // 16s C3, saturated
    Gray16sFn c3_16s_tail;  // 16s C3, low 16 bits
    Gray16sFn ac4_16s_body;
    Gray16sFn ac4_16s_tail;
    Gray32fFn c3_32f;
    Gray32fFn ac4_32f;
};

}  // namespace qrx::gray

QRX_KERNEL_TABLE(qrx::gray, Kernels)
