// Inverse recipes of the 16-bit packed RGB conversions beyond the shared ones
// of ycbcr/recipes.h (I16a, I13s and the term function T are taken from there).
#pragma once

#include "core/inline.h"
#include "ycbcr/recipes.h"

namespace qrx::rgb16 {

using qrx::ycbcr::clamp255;
using qrx::ycbcr::Rgb;
using qrx::ycbcr::term;

// I13u: 13-bit terms like I13s (green terms positive and subtracted), truncated (no +8).
QRX_INLINE Rgb i13u(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    const int ty = term(yp, 9535);
    return {clamp255((ty + term(crp, 13074)) >> 4), clamp255((ty - term(crp, 6660) - term(cbp, 3211)) >> 4),
            clamp255((ty + term(cbp, 16523)) >> 4)};
}

// I16c: 16.16 on the raw samples; the offsets stand for the subtraction of 16 and 128.
QRX_INLINE Rgb i16c(int y, int cb, int cr) {
    return {clamp255((76284 * y + 104595 * cr - 14608761) >> 16),
            clamp255((76284 * y - 53281 * cr - 25690 * cb + 8887730) >> 16),
            clamp255((76284 * y + 132186 * cb - 18140365) >> 16)};
}

// I16e: I16a rounded (one half added before the shift).
QRX_INLINE Rgb i16e(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    return {clamp255((76284 * yp + 104595 * crp + 32768) >> 16),
            clamp255((76284 * yp - 53281 * crp - 25690 * cbp + 32768) >> 16),
            clamp255((76284 * yp + 132186 * cbp + 32768) >> 16)};
}

}  // namespace qrx::rgb16
