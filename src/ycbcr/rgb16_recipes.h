// Inverse recipes of the 16-bit packed RGB conversions beyond the shared ones
// of ycbcr/recipes.h and ycbcr/chroma_recipes.h.
#pragma once

#include "core/inline.h"
#include "ycbcr/chroma_recipes.h"
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

// I16c (raw samples) and I16e (I16a rounded) are shared with the 4:2:2 family.
using qrx::ycbcr::chroma::i16c;
using qrx::ycbcr::chroma::i16e;

}  // namespace qrx::rgb16
