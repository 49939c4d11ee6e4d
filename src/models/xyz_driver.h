// Exported-function frame of the XYZ, LUV and Lab conversions: the checks
// (source null, destination null, width < 1, height < 1; steps are not
// examined), then the rows through the row-parallel driver, each row split
// by its region plan: pixels [0, body) by the grouped entry, where body is the
// row's whole groups from its left edge, and [body, width) by the per-pixel
// entry.  A group of 0 sends the whole row to the per-pixel entry.
#pragma once

#include <cstddef>

#include "core/checks.h"
#include "core/image.h"
#include "core/parallel_rows.h"
#include "models/xyz_kernels.h"
#include "qrxcc.h"

namespace qrx::xyzlab {

// Bytes: row r at p + r * step (8u data, and both sides of Lab).
// Samples: the byte step is first shifted down to whole samples.
enum class Rows { Bytes, Samples };

struct Plan {
    int channels;  // 3 (C3) or 4 (AC4)
    int group;     // pixels per group of the grouped entry, or 0
    RowFn grouped;
    RowFn rest;
};

template <class S, class D>
inline QrxStatus convert_rows(const S* src, int srcStep, D* dst, int dstStep, QrxSize roi, Rows rows,
                              const Plan& plan) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const int width = roi.width;
    const int body = plan.group > 0 ? width / plan.group * plan.group : 0;
    const std::ptrdiff_t ch = plan.channels;
    parallel_rows(roi.height, [&](std::ptrdiff_t r) {
        const S* s = rows == Rows::Samples ? row_at_samples(src, srcStep, r) : row_at(src, srcStep, r);
        D* d = rows == Rows::Samples ? row_at_samples(dst, dstStep, r) : row_at(dst, dstStep, r);
        if (body > 0) plan.grouped(s, d, body);
        if (width > body) plan.rest(s + body * ch, d + body * ch, width - body);
    });
    return qrxStatusOk;
}

// The same sample type on both sides (XYZ, LUV): 8u rows by their byte steps,
// 16-bit and float rows in whole samples.
template <class T>
inline QrxStatus convert_same(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, const Plan& plan) {
    return convert_rows(src, srcStep, dst, dstStep, roi, sizeof(T) == 1 ? Rows::Bytes : Rows::Samples, plan);
}

inline const Kernels& K() { return kernels(); }

}  // namespace qrx::xyzlab
