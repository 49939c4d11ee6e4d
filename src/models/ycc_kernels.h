// Row kernels of the RGB <-> YCC conversions: pixels [0, body) by the grouped
// recipe, [body, width) by the per-pixel recipe (src[0]/dst[0] = row start).
#pragma once

#include "core/cpu.h"

namespace qrx::ycc {

using RowFn = void (*)(const void* const* src, void* const* dst, int body, int width);

enum Entry : int {
    kFwd8uC3, kFwd8uAC4, kInv8uC3, kInv8uAC4,
    kFwd16uC3, kFwd16uAC4, kInv16uC3, kInv16uAC4,
    kFwd16sC3, kFwd16sAC4, kInv16sC3, kInv16sAC4,
    kFwd32fC3, kFwd32fAC4, kInv32fC3, kInv32fAC4,
    kEntryCount
};

struct Kernels {
    RowFn row[kEntryCount];
};

}  // namespace qrx::ycc

QRX_KERNEL_TABLE(qrx::ycc, Kernels)
