// Recipes of the subsampled YCbCr conversions (4:2:2, 4:2:0, 4:1:1), on top of
// the 4:4:4 recipes of recipes.h.  Each is written once, as its formula reads.
//   Pair chroma works on the sums of two horizontal pixels:  SR = R0 + R1, ...
//   Block chroma works on the sums of a 2x2 block or a 4x1 group: S4R, ...
// ⌊a / 2^n⌋ of a signed product is written (a) >> n (arithmetic shift = floor).
#pragma once

#include <cstdint>

#include "core/inline.h"
#include "ycbcr/recipes.h"

namespace qrx::ycbcr::chroma {

using qrx::ycbcr::clamp255;
using qrx::ycbcr::Rgb;
using qrx::ycbcr::term;

// ---- forward luma ------------------------------------------------------------

// F16t: 16.16 truncated (offset 16, no rounding half).
QRX_INLINE int f16t_y(int r, int g, int b) { return (16843 * r + 33030 * g + 6423 * b + 1048576) >> 16; }
// F16u: the last odd pixel of the RGB C3 -> packed function.
QRX_INLINE int f16u_y(int r, int g, int b) { return (16842 * r + 33030 * g + 6422 * b + 1048576) >> 16; }
// Y15: vector luma, products of (v << 8) and the 8422 set, high halves summed.
QRX_INLINE int y15(int r, int g, int b) { return (((8422 * r) >> 8) + ((16515 * g) >> 8) + ((3212 * b) >> 8) + 2112) >> 7; }
// Y15s: scalar 15-bit luma, rounded.
QRX_INLINE int y15s(int r, int g, int b) { return (8422 * r + 16515 * g + 3212 * b + 540672) >> 15; }
// Y12: 12-bit luma of the RGB -> 4:2:0 function, clamped.
QRX_INLINE int y12(int r, int g, int b) {
    return clamp255((((1052 * r) >> 9) + ((2064 * g) >> 9) + ((401 * b) >> 9) + 132) >> 3);
}

// ---- pair chroma (4:2:2), on pair sums -----------------------------------------

QRX_INLINE int p17_cb(int sr, int sg, int sb) { return (-9699 * sr - 19071 * sg + 28770 * sb + 16842752) >> 17; }
QRX_INLINE int p17_cr(int sr, int sg, int sb) { return (28770 * sr - 24117 * sg - 4653 * sb + 16842752) >> 17; }
// P17 Cr with the offset two below (the pair tail of the CbYCr AC4 function).
QRX_INLINE int p17m2_cr(int sr, int sg, int sb) { return (28770 * sr - 24117 * sg - 4653 * sb + 16842750) >> 17; }
QRX_INLINE int p17q_cb(int sr, int sg, int sb) { return (-9699 * sr - 19071 * sg + 28770 * sb + 16793600) >> 17; }
QRX_INLINE int p17q_cr(int sr, int sg, int sb) { return (28770 * sr - 24117 * sg - 4653 * sb + 16793600) >> 17; }
QRX_INLINE int p10_cb(int sr, int sg, int sb) {
    return (((-9699 * sr) >> 10) + ((-19071 * sg) >> 10) + ((28770 * sb) >> 10) + 16448) >> 7;
}
QRX_INLINE int p10_cr(int sr, int sg, int sb) {
    return (((28770 * sr) >> 10) + ((-24117 * sg) >> 10) + ((-4653 * sb) >> 10) + 16448) >> 7;
}
QRX_INLINE int p11_cb(int sr, int sg, int sb) {
    return (((28770 * sb) >> 11) - ((9699 * sr) >> 11) - ((19071 * sg) >> 11) + 8200) >> 6;
}
QRX_INLINE int p11_cr(int sr, int sg, int sb) {
    return (((28770 * sr) >> 11) - ((24117 * sg) >> 11) - ((4653 * sb) >> 11) + 8200) >> 6;
}

// Cb of a single last pixel of an odd-width packed row.
QRX_INLINE int last_cb_128(int r, int g, int b) { return (-9699 * r - 19070 * g + 28770 * b + 8388608) >> 16; }
QRX_INLINE int last_cb_128q(int r, int g, int b) { return (-9699 * r - 19071 * g + 28770 * b + 8396800) >> 16; }

// Three-tap chroma (weights 1/4, 1/2, 1/4 on pixels 2k-1, 2k, 2k+1; scale 32768).
// For the first pair of a row the left pixel's terms are zero (pass zeros).
QRX_INLINE int tap3_cb(int rl, int gl, int bl, int r0, int g0, int b0, int r1, int g1, int b1) {
    return clamp255((7193 * b0 - 2426 * r0 - 4769 * g0 + 3596 * b1 - 1213 * r1 - 2385 * g1 + 3596 * bl - 1213 * rl -
                     2385 * gl + 4210687) >> 15);
}
QRX_INLINE int tap3_cr(int rl, int gl, int bl, int r0, int g0, int b0, int r1, int g1, int b1) {
    return clamp255((7193 * r0 - 6030 * g0 - 1164 * b0 + 3596 * r1 - 3015 * g1 - 582 * b1 + 3596 * rl - 3015 * gl -
                     582 * bl + 4210687) >> 15);
}

// BT.709 transfer curve on 8-bit values: entry i = 255 * V(i / 255) rounded to
// nearest, ties to even (entries 1 and 3 are exact ties: 4.5 -> 4, 13.5 -> 14).
extern const std::uint8_t kBt709Curve8[256];

// ---- block chroma (4:2:0 2x2 blocks, 4:1:1 4x1 groups), on block sums ----------

QRX_INLINE int q18_cb(int sr, int sg, int sb) { return (-9699 * sr - 19071 * sg + 28770 * sb + 33587200) >> 18; }
QRX_INLINE int q18_cr(int sr, int sg, int sb) { return (28770 * sr - 24117 * sg - 4653 * sb + 33587200) >> 18; }
QRX_INLINE int q11_cb(int sr, int sg, int sb) {
    return (((28770 * sb) >> 11) - ((9699 * sr) >> 11) - ((19071 * sg) >> 11) + 16400) >> 7;
}
QRX_INLINE int q11_cr(int sr, int sg, int sb) {
    return (((28770 * sr) >> 11) - ((24117 * sg) >> 11) - ((4653 * sb) >> 11) + 16400) >> 7;
}
QRX_INLINE int q12_cb(int sr, int sg, int sb) {
    return clamp255((((-607 * sr) >> 11) + ((-1192 * sg) >> 11) + ((1798 * sb) >> 11) + 1028) >> 3);
}
QRX_INLINE int q12_cr(int sr, int sg, int sb) {
    return clamp255((((1798 * sr) >> 11) + ((-1508 * sg) >> 11) + ((-291 * sb) >> 11) + 1028) >> 3);
}

// ---- inverse -------------------------------------------------------------------

// I16c: on raw Y, Cb, Cr (the offsets fold in the subtraction of 16 and 128).
QRX_INLINE Rgb i16c(int y, int cb, int cr) {
    return {clamp255((76284 * y + 104595 * cr - 14608761) >> 16),
            clamp255((76284 * y - 53281 * cr - 25690 * cb + 8887730) >> 16),
            clamp255((76284 * y + 132186 * cb - 18140365) >> 16)};
}
// I16d: I16b rounded.
QRX_INLINE Rgb i16d(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    return {clamp255((76282 * yp + 104593 * crp + 32768) >> 16),
            clamp255((76282 * yp - 53279 * crp - 25689 * cbp + 32768) >> 16),
            clamp255((76282 * yp + 132184 * cbp + 32768) >> 16)};
}
// I16e: I16a rounded.
QRX_INLINE Rgb i16e(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    return {clamp255((76284 * yp + 104595 * crp + 32768) >> 16),
            clamp255((76284 * yp - 53281 * crp - 25690 * cbp + 32768) >> 16),
            clamp255((76284 * yp + 132186 * cbp + 32768) >> 16)};
}
// I16f: the 4:1:1 inverse.
QRX_INLINE Rgb i16f(int y, int cb, int cr) {
    const int cbp = cb - 128, crp = cr - 128;
    return {clamp255((76294 * y + 104595 * crp - 1220704) >> 16),
            clamp255((76294 * y - 53281 * crp - 25625 * cbp - 1220704) >> 16),
            clamp255((76294 * y + 132186 * cbp - 1220704) >> 16)};
}
// I12: 12-bit terms, green terms positive and subtracted.
QRX_INLINE Rgb i12(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    const int ty = term(yp, 4767);
    return {clamp255((ty + term(crp, 6537)) >> 3), clamp255((ty - term(cbp, 1605) - term(crp, 3330)) >> 3),
            clamp255((ty + term(cbp, 8261)) >> 3)};
}

}  // namespace qrx::ycbcr::chroma
