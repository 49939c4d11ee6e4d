// RGB <-> XYZ recipes (BT.709 primaries, D65 white).
//
// 8u: two fixed-point scalings of the same matrix.  G15/G13 are the grouped
// recipes (whole groups of 8 C3 or 4 AC4 pixels from the row start), P16 the
// per-pixel recipe of the rest of the row; which pixel gets which is part of
// the result.  16u, 16s and 32f: the single-precision matrix, sums left to
// right in the order of each row.
#pragma once

#include <cstdint>

#include "core/inline.h"
#include "models/xyz_lanes.h"

namespace qrx::xyzlab {

QRX_INLINE int clamp_u8(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
QRX_INLINE int min_255(int v) { return v > 255 ? 255 : v; }

// ---- 8u forward ------------------------------------------------------------
// G15: 15-bit coefficients, exact 32-bit sums, each result at most 255.
QRX_INLINE int g15_x(int r, int g, int b) { return min_255((13515 * r + 11717 * g + 5912 * b) >> 15); }
QRX_INLINE int g15_y(int r, int g, int b) { return min_255((6969 * r + 23434 * g + 2365 * b) >> 15); }
QRX_INLINE int g15_z(int r, int g, int b) { return min_255((634 * r + 3906 * g + 31137 * b) >> 15); }
// P16: 16-bit coefficients; X and Y stay within 0..254, Z is clamped.
QRX_INLINE int p16_x(int r, int g, int b) { return (27030 * r + 23434 * g + 11824 * b) >> 16; }
QRX_INLINE int p16_y(int r, int g, int b) { return (13937 * r + 46868 * g + 4729 * b) >> 16; }
QRX_INLINE int p16_z(int r, int g, int b) { return clamp_u8((1267 * r + 7811 * g + 62274 * b) >> 16); }

// ---- 8u inverse ------------------------------------------------------------
// G13: 13-bit coefficients, clamped to 0..255.
QRX_INLINE int g13_r(int x, int y, int z) { return clamp_u8((26546 * x - 12591 * y - 4083 * z) >> 13); }
QRX_INLINE int g13_g(int x, int y, int z) { return clamp_u8((-7939 * x + 15368 * y + 340 * z) >> 13); }
QRX_INLINE int g13_b(int x, int y, int z) { return clamp_u8((456 * x - 1671 * y + 8661 * z) >> 13); }
// P16 inverse: 16-bit coefficients, clamped to 0..255.
QRX_INLINE int p16_r(int x, int y, int z) { return clamp_u8((212368 * x - 100738 * y - 32671 * z) >> 16); }
QRX_INLINE int p16_g(int x, int y, int z) { return clamp_u8((-63521 * x + 122944 * y + 2723 * z) >> 16); }
QRX_INLINE int p16_b(int x, int y, int z) { return clamp_u8((3646 * x - 13372 * y + 69291 * z) >> 16); }

// ---- single-precision matrix -------------------------------------------------
template <class L>
QRX_INLINE L mat_x(L r, L g, L b) { return 0.412453f * r + 0.35758f * g + 0.180423f * b; }
template <class L>
QRX_INLINE L mat_y(L r, L g, L b) { return 0.212671f * r + 0.71516f * g + 0.072169f * b; }
template <class L>
QRX_INLINE L mat_z(L r, L g, L b) { return 0.019334f * r + 0.119193f * g + 0.950227f * b; }
template <class L>
QRX_INLINE L inv_r(L x, L y, L z) { return 3.240479f * x - 1.53715f * y - 0.498535f * z; }
template <class L>
QRX_INLINE L inv_g(L x, L y, L z) { return -0.969256f * x + 1.875991f * y + 0.041556f * z; }
template <class L>
QRX_INLINE L inv_b(L x, L y, L z) { return 0.055648f * x - 0.204043f * y + 1.057311f * z; }

// 16u and 16s (on offset samples): truncated, saturated to 0..65535 (the
// caller's 16s store subtracts 32768).  Clamping before the truncation gives
// the same integers and keeps the conversion in range.
template <class L>
QRX_INLINE auto trunc_sat16(L v) { return cvtt(clampf(v, L(0.0f), L(65535.0f))); }

template <class L>
QRX_INLINE auto xyz_fwd_16(L r, L g, L b) {
    using I = decltype(trunc_sat16(r));
    return Tri<I>{trunc_sat16(mat_x(r, g, b)), trunc_sat16(mat_y(r, g, b)), trunc_sat16(mat_z(r, g, b))};
}
template <class L>
QRX_INLINE auto xyz_inv_16(L x, L y, L z) {
    using I = decltype(trunc_sat16(x));
    return Tri<I>{trunc_sat16(inv_r(x, y, z)), trunc_sat16(inv_g(x, y, z)), trunc_sat16(inv_b(x, y, z))};
}
// 32f: X and Y unclamped, Z clamped to 0..1.
template <class L>
QRX_INLINE Tri<L> xyz_fwd_32f(L r, L g, L b) {
    return {mat_x(r, g, b), mat_y(r, g, b), clampf(mat_z(r, g, b), L(0.0f), L(1.0f))};
}
// 32f inverse: each channel clamped to 0..1.
template <class L>
QRX_INLINE Tri<L> xyz_inv_32f(L x, L y, L z) {
    return {clampf(inv_r(x, y, z), L(0.0f), L(1.0f)), clampf(inv_g(x, y, z), L(0.0f), L(1.0f)),
            clampf(inv_b(x, y, z), L(0.0f), L(1.0f))};
}

}  // namespace qrx::xyzlab
