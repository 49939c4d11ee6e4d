// The BT.601 studio-range fixed-point recipes of the RGB <-> YCbCr family.
// Every recipe is a different integer scaling of the same coefficients; which
// recipe a pixel gets is part of each function's result, so each one is kept
// here exactly as its formula reads.  Y' = Y - 16, Cb' = Cb - 128, Cr' = Cr - 128.
#pragma once

#include <cstdint>

#include "core/inline.h"

namespace qrx::ycbcr {

QRX_INLINE std::uint8_t clamp255(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

struct Ycc {
    std::uint8_t y, cb, cr;
};
struct Rgb {
    std::uint8_t r, g, b;
};

// ---- forward ---------------------------------------------------------------

// F16: 16.16 with rounding; offsets 16.5 and 128.5 in 16.16.  Never leaves range.
QRX_INLINE int f16_y(int r, int g, int b) { return (16843 * r + 33030 * g + 6423 * b + 1081344) >> 16; }
QRX_INLINE int f16_cb(int r, int g, int b) { return (-9699 * r - 19071 * g + 28770 * b + 8421376) >> 16; }
QRX_INLINE int f16_cr(int r, int g, int b) { return (28770 * r - 24117 * g - 4653 * b + 8421376) >> 16; }
QRX_INLINE Ycc f16(int r, int g, int b) {
    return {static_cast<std::uint8_t>(f16_y(r, g, b)), static_cast<std::uint8_t>(f16_cb(r, g, b)),
            static_cast<std::uint8_t>(f16_cr(r, g, b))};
}

// F15: 15-bit coefficients, the R,G pair summed before the first shift, truncated.
QRX_INLINE int f15_y(int r, int g, int b) { return ((((8421 * r + 16515 * g) >> 11) + ((3211 * b) >> 11)) >> 4) + 16; }
QRX_INLINE int f15_cb(int r, int g, int b) { return ((((-4850 * r - 9535 * g) >> 11) + ((14385 * b) >> 11)) >> 4) + 128; }
QRX_INLINE int f15_cr(int r, int g, int b) { return ((((14385 * r - 12059 * g) >> 11) + ((-2327 * b) >> 11)) >> 4) + 128; }
QRX_INLINE Ycc f15(int r, int g, int b) {
    return {clamp255(f15_y(r, g, b)), clamp255(f15_cb(r, g, b)), clamp255(f15_cr(r, g, b))};
}

// FP: every product floored on its own, then summed and shifted, truncated.
QRX_INLINE int fp_y(int r, int g, int b) { return ((((16843 * r) >> 8) + ((33030 * g) >> 8) + ((6423 * b) >> 8)) >> 8) + 16; }
QRX_INLINE int fp_cb(int r, int g, int b) { return ((((-9699 * r) >> 9) + ((-19071 * g) >> 9) + ((28770 * b) >> 9)) >> 7) + 128; }
QRX_INLINE int fp_cr(int r, int g, int b) { return ((((28770 * r) >> 9) + ((-24117 * g) >> 9) + ((-4653 * b) >> 9)) >> 7) + 128; }
QRX_INLINE Ycc fp(int r, int g, int b) { return {clamp255(fp_y(r, g, b)), clamp255(fp_cb(r, g, b)), clamp255(fp_cr(r, g, b))}; }

// ---- inverse ---------------------------------------------------------------

// I16a / I16b: 16.16 truncated, two slightly different coefficient sets.
QRX_INLINE Rgb i16a(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    return {clamp255((76284 * yp + 104595 * crp) >> 16), clamp255((76284 * yp - 53281 * crp - 25690 * cbp) >> 16),
            clamp255((76284 * yp + 132186 * cbp) >> 16)};
}
QRX_INLINE Rgb i16b(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    return {clamp255((76282 * yp + 104593 * crp) >> 16), clamp255((76282 * yp - 53279 * crp - 25689 * cbp) >> 16),
            clamp255((76282 * yp + 132184 * cbp) >> 16)};
}

// T(v, k): high half of the signed 16x16 product of (v << 7) and k.
QRX_INLINE int term(int v, int k) { return (v * k) >> 9; }

// I13t: 13-bit terms, truncated.
QRX_INLINE Rgb i13t(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    const int ty = term(yp, 9536);
    return {clamp255((ty + term(crp, 13074)) >> 4), clamp255((ty + term(crp, -6660) + term(cbp, -3203)) >> 4),
            clamp255((ty + term(cbp, 16523)) >> 4)};
}
// I13r: 13-bit terms, rounded.
QRX_INLINE Rgb i13r(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    const int ty = term(yp, 9535);
    return {clamp255((ty + term(crp, 13074) + 8) >> 4), clamp255((ty + term(crp, -6660) + term(cbp, -3211) + 8) >> 4),
            clamp255((ty + term(cbp, 16523) + 8) >> 4)};
}
// Vector bodies take I13r's luma term and its rounding 8 as one product: the
// high half of ((y << 7) + kI13rRoundedLumaOffset) times 9535 equals
// term(y - 16, 9535) + 8 for every y in 0..255 (checked here), an add fewer.
constexpr int kI13rRoundedLumaOffset = 55 - (16 << 7);
constexpr bool i13r_rounding_folds() {
    for (int y = 0; y < 256; ++y) {
        const int t = (y - 16) * 9535, w = (y << 7) + kI13rRoundedLumaOffset;
        if (((w * 9535) >> 16) != (t >= 0 ? t : t - 511) / 512 + 8) return false;  // floors
    }
    return true;
}
static_assert(i13r_rounding_folds(), "I13r's rounding folded into its luma input");

// I13s: I13r with the green terms computed positive and subtracted.
QRX_INLINE Rgb i13s(int y, int cb, int cr) {
    const int yp = y - 16, cbp = cb - 128, crp = cr - 128;
    const int ty = term(yp, 9535);
    return {clamp255((ty + term(crp, 13074) + 8) >> 4), clamp255((ty - term(crp, 6660) - term(cbp, 3211) + 8) >> 4),
            clamp255((ty + term(cbp, 16523) + 8) >> 4)};
}

}  // namespace qrx::ycbcr
