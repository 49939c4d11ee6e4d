// Inverse row plan of the 4:2:0 conversions, shared by the 8-bit and the
// 16-bit packed outputs.
#pragma once

#include "yuv/yuv_subsampled.h"

namespace qrx::yuv {

// Rows of the even part: whole pairs through `pairs_fn(y, Y, U, V, n)` with
// chroma row y / 2; an odd last column by the edge form.  An odd last row:
// every pixel by the edge form.  `put(y, x, rgb)` stores one pixel.
template <class PairsFn, class PutFn>
QrxStatus yuv420_rows(const u8* const src[3], const int srcStep[3], QrxSize roi, PairsFn pairs_fn, PutFn put) {
    const int pairs = roi.width >> 1;
    const int even_rows = roi.height & ~1;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u8* sy = row_at(src[0], srcStep[0], y);
        const u8* su = row_at(src[1], srcStep[1], y >> 1);
        const u8* sv = row_at(src[2], srcStep[2], y >> 1);
        if (y < even_rows) {
            if (pairs > 0) pairs_fn(y, sy, su, sv, pairs);
            if (roi.width & 1) put(y, roi.width - 1, edge_inv(sy[roi.width - 1], su[pairs], sv[pairs]));
        } else {
            for (int x = 0; x < roi.width; ++x) put(y, x, edge_inv(sy[x], su[x >> 1], sv[x >> 1]));
        }
    }
    return qrxStatusOk;
}

}  // namespace qrx::yuv
