// Row driver shared by the HLS, HSV and YCC pixel-order functions: one
// row-parallel region, every row converted by one kernel with the region plan
// "pixels [0, body) by the grouped recipe, [body, width) pixel by pixel", where
// body is the row's whole groups from its left edge.  A group of 1 means one
// recipe for the whole row.  16-bit and float rows are addressed with the byte
// step shifted down to whole samples (for bytes the shift is by zero).
#pragma once

#include <cstddef>

#include "core/checks.h"
#include "core/image.h"
#include "core/parallel_rows.h"
#include "qrxcc.h"

namespace qrx::models {

// Row kernel: src[0]/dst[0] are the row starts (plane pointers for planar sides).
using GroupedRowFn = void (*)(const void* const* src, void* const* dst, int body, int width);

inline int grouped_of(int width, int group) { return width / group * group; }

template <class T>
inline QrxStatus grouped_rows(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, GroupedRowFn fn,
                              int group) {
    const int width = roi.width;
    const int body = grouped_of(width, group);
    parallel_rows(roi.height, [&](std::ptrdiff_t y) {
        const void* s[1] = {row_at_samples(src, srcStep, y)};
        void* d[1] = {row_at_samples(dst, dstStep, y)};
        fn(s, d, body, width);
    });
    return qrxStatusOk;
}

// The pixel-order functions: source and destination null, then the size; the
// steps are not examined.
template <class T>
inline QrxStatus checked_grouped_rows(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, GroupedRowFn fn,
                                      int group) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    return grouped_rows(src, srcStep, dst, dstStep, roi, fn, group);
}

}  // namespace qrx::models

// An exported pixel-order function of a family whose kernel table is
// qrx::<ns>::kernels().row[entry].
#define QRX_MODELS_GROUPED_FN(name, T, ns, entry, group)                                                    \
    QRXCC_API QrxStatus name(const T* pSrc, int srcStep, T* pDst, int dstStep, QrxSize roiSize) {            \
        return qrx::models::checked_grouped_rows(pSrc, srcStep, pDst, dstStep, roiSize,                       \
                                                 qrx::ns::kernels().row[qrx::ns::entry], group);              \
    }
