// Row kernels of the YCoCg transforms: one entry per exported function.
#pragma once

#include "core/cpu.h"

namespace qrx::ycocg {

using ForwardRow = void (*)(const void* bgr, void* y, void* co, void* cg, int n);
using InverseRow = void (*)(const void* y, const void* co, const void* cg, void* bgr, int n, int alpha);

// Index by flavour (plain, reversible) x types x channels.
enum ForwardId { kF8u16sC3, kF8u16sC4, kF16sC3, kF16sC4, kF16s32sC3, kF16s32sC4, kForwardCount };
enum InverseId { kI16s8uC3, kI16s8uC4, kI16sC3, kI16sC4, kI32s16sC3, kI32s16sC4, kInverseCount };

struct Kernels {
    ForwardRow forward[2][kForwardCount];  // [reversible][id]
    InverseRow inverse[2][kInverseCount];
};

}  // namespace qrx::ycocg

QRX_KERNEL_TABLE(qrx::ycocg, Kernels)
