// Fixed-point recipes of the analog-video YUV model (luma 0.299, 0.587, 0.114;
// U = 0.492 (B - Y) + 128, V = 0.877 (R - Y) + 128).  No luma offset, no range
// compression.  Every recipe is written once, as its formula reads; which
// recipe a pixel gets is part of each function's result.  Right shifts of
// negative values are floor divisions (arithmetic shifts).
#pragma once

#include <cstdint>

#include "core/inline.h"

namespace qrx::yuv {

QRX_INLINE std::uint8_t clamp255(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

struct Yuv {
    std::uint8_t y, u, v;
};
struct Rgb {
    std::uint8_t r, g, b;
};

// ===== 4:4:4 forward =========================================================

// Block form: 16-bit products floored one by one (luma /256 then /256,
// colour differences /512 then /64).
QRX_INLINE int blk_y(int r, int g, int b) { return (((19595 * r) >> 8) + ((38469 * g) >> 8) + ((7471 * b) >> 8)) >> 8; }
QRX_INLINE int blk_u(int r, int g, int b) {
    return ((((-4816 * r) >> 9) + ((-9469 * g) >> 9) + ((14286 * b) >> 9)) >> 6) + 128;
}
QRX_INLINE int blk_v(int r, int g, int b) {
    return ((((20152 * r) >> 9) + ((-16875 * g) >> 9) + ((-3276 * b) >> 9)) >> 6) + 128;
}
QRX_INLINE Yuv blk(int r, int g, int b) {
    return {static_cast<std::uint8_t>(blk_y(r, g, b)), clamp255(blk_u(r, g, b)), clamp255(blk_v(r, g, b))};
}

// Pixel-order tail: twice-luma S from two partial 15-bit sums, colour
// differences scaled from (2B - S) and (2R - S).
QRX_INLINE Yuv rem_c3(int r, int g, int b) {
    const int d0 = (2 * r * 9798 + 2 * g * 19235) >> 15;
    const int d1 = (2 * b * 3736) >> 15;
    const int s = d0 + d1;
    return {static_cast<std::uint8_t>(s >> 1), clamp255((((2 * b - s) * 16121) >> 16) + 128),
            clamp255((((2 * r - s) * 28737) >> 16) + 128)};
}

// Pixel-order to planes tail: Q16 luma sum F with rounding on the differences.
QRX_INLINE Yuv rem_c3p3(int r, int g, int b) {
    const int f = 19595 * r + 38470 * g + 7471 * b;
    return {static_cast<std::uint8_t>(f >> 16), clamp255(((((65536 * b - f + 32767) >> 16) * 32244) >> 16) + 128),
            clamp255(((((65536 * r - f + 32767) >> 16) * 57475) >> 16) + 128)};
}

// Planar tail: one sum per output, luma >> 16, colour differences >> 15.
QRX_INLINE Yuv rem_p3(int r, int g, int b) {
    return {static_cast<std::uint8_t>((19595 * r + 38469 * g + 7471 * b) >> 16),
            clamp255(((-4816 * r - 9469 * g + 14286 * b) >> 15) + 128),
            clamp255(((20152 * r - 16875 * g - 3276 * b) >> 15) + 128)};
}

// Split form of the pixel-order-with-alpha forward: R,G pair and B shifted apart.
QRX_INLINE Yuv split_ac4(int r, int g, int b) {
    return {static_cast<std::uint8_t>(((9798 * r + 19235 * g) >> 15) + ((3736 * b) >> 15)),
            clamp255(((-4817 * r - 9470 * g) >> 15) + ((14287 * b) >> 15) + 128),
            clamp255(((20152 * r - 16876 * g) >> 15) + ((-3277 * b) >> 15) + 128)};
}

// ===== 4:4:4 inverse =========================================================

// I1: 8192 scale, terms (8x k) >> 16.
QRX_INLINE Rgb i1(int y, int u, int v) {
    u -= 128;
    v -= 128;
    return {clamp255(y + ((8 * v * 9339) >> 16)), clamp255(y + ((8 * u * -3228) >> 16) + ((8 * v * -4760) >> 16)),
            clamp255(y + ((8 * u * 16646) >> 16))};
}

// I2: terms t(k, x) = (64 x k) >> 16, green terms summed before the shift.
QRX_INLINE int t64(int k, int x) { return (64 * x * k) >> 16; }
QRX_INLINE Rgb i2(int y, int u, int v) {
    u -= 128;
    v -= 128;
    return {clamp255(y + (t64(18677, v) >> 4)), clamp255(y - ((t64(9519, v) + t64(6455, u)) >> 4)),
            clamp255(y + (t64(16646, u) >> 3))};
}

// I3 (also the vector and pair form of the subsampled inverse): t(k, x) =
// (16 x k) >> 16 added to twice the luma, halved.
QRX_INLINE int t16(int k, int x) { return (16 * x * k) >> 16; }
QRX_INLINE Rgb i3(int y, int u, int v) {
    u -= 128;
    v -= 128;
    return {clamp255((2 * y + t16(9338, v)) >> 1), clamp255((2 * y + t16(-3227, u) + t16(-4759, v)) >> 1),
            clamp255((2 * y + t16(16645, u)) >> 1)};
}

// ===== 4:2:2 / 4:2:0 forward =================================================

// Twice-luma of the vector and pair form: R,G pair and B shifted apart.
QRX_INLINE int twice_y(int r, int g, int b) { return ((9798 * r + 19235 * g) >> 14) + ((3736 * b) >> 14); }
// Twice-luma of the 4:2:0 remainder pairs: one shift over the whole sum.
QRX_INLINE int twice_y_one(int r, int g, int b) { return (9798 * r + 19235 * g + 3736 * b) >> 14; }

QRX_INLINE std::uint8_t chroma_u(int du) { return clamp255(((du * 16121) >> 16) + 128); }
QRX_INLINE std::uint8_t chroma_v(int dv) { return clamp255(((dv * 28737) >> 16) + 128); }

// Pair chroma from the pair's sums (sb = B0 + B1, st = T0 + T1).
QRX_INLINE std::uint8_t pair_u(int sb, int st) { return chroma_u(sb - (st >> 1)); }
QRX_INLINE std::uint8_t pair_v(int sr, int st) { return chroma_v(sr - (st >> 1)); }
// 2 x 2 block chroma from the four pixels' sums.
QRX_INLINE std::uint8_t quad_u(int sb, int st) { return chroma_u((sb >> 1) - (st >> 2)); }
QRX_INLINE std::uint8_t quad_v(int sr, int st) { return chroma_v((sr >> 1) - (st >> 2)); }

// Odd last pixel of a packed 4:2:2 row (only its Y and U are stored).
QRX_INLINE std::uint8_t odd_packed_u(int b, int t) { return clamp255((((2 * b - t) * 16121) >> 16) + 128); }

// Odd last pixel of a planar 4:2:2 row.
QRX_INLINE std::uint8_t odd_planar_u(int r, int g, int b) {
    const int s = 9798 * r + 19235 * g + 3736 * b;
    return clamp255(((((32768 * b - s + 16383) >> 15) * 16121) >> 15) + 128);
}
QRX_INLINE std::uint8_t odd_planar_v(int r, int g, int b) {
    const int s = 9798 * r + 19235 * g + 3736 * b;
    return clamp255(((((32768 * r - s + 32767) >> 15) * 28737) >> 15) + 128);
}

// Edge forms of 4:2:0 (odd last column / row), Q16 weights.
QRX_INLINE int q16_f(int r, int g, int b) { return 19595 * r + 38470 * g + 7471 * b; }
QRX_INLINE std::uint8_t q16_y(int f) { return static_cast<std::uint8_t>(f >> 16); }
// Two pixels (sums of B or R, sum of F).
QRX_INLINE std::uint8_t edge2_u(int sb, int sf) { return clamp255(((((sb * 65536 - sf) >> 16) * 32244) >> 17) + 128); }
QRX_INLINE std::uint8_t edge2_v(int sr, int sf) { return clamp255(((((sr * 65536 - sf) >> 16) * 57475) >> 17) + 128); }
// One pixel (bottom-right corner when both sizes are odd).
QRX_INLINE std::uint8_t edge1_u(int b, int f) { return clamp255(((((b * 65536 - f) >> 16) * 32244) >> 16) + 128); }
QRX_INLINE std::uint8_t edge1_v(int r, int f) { return clamp255(((((r * 65536 - f) >> 16) * 57475) >> 16) + 128); }

// ===== 4:2:2 / 4:2:0 inverse =================================================

// Vector and pair form: i3 above.

// Edge form of 4:2:0 (odd last column, odd last row); also the packed 4:2:2
// row of width 1.
QRX_INLINE Rgb edge_inv(int y, int u, int v) {
    u -= 128;
    v -= 128;
    return {clamp255((65536 * y + 74711 * v) >> 16), clamp255((65536 * y - 38076 * v - 25821 * u) >> 16),
            clamp255((65536 * y + 133169 * u) >> 16)};
}

// Odd last pixel of a packed 4:2:2 row (V from the previous pair), 8192 scale.
QRX_INLINE Rgb odd_packed_inv(int y, int u, int v) {
    u -= 128;
    v -= 128;
    return {clamp255((8192 * y + 9338 * v) >> 13), clamp255((8192 * y - 3227 * u - 4759 * v) >> 13),
            clamp255((8192 * y + 16645 * u) >> 13)};
}

// 16 x luma form: t(k, x) = (128 x k) >> 16, rounded by +8 before the shift
// (pixel order with zero alpha) or truncated (16-bit packed outputs).
QRX_INLINE int t128(int k, int x) { return (128 * x * k) >> 16; }
template <int Round>
QRX_INLINE Rgb y16(int y, int u, int v) {
    u -= 128;
    v -= 128;
    return {clamp255((16 * y + t128(9338, v) + Round) >> 4),
            clamp255((16 * y - t128(3227, u) - t128(4759, v) + Round) >> 4),
            clamp255((16 * y + t128(16646, u) + Round) >> 4)};
}
QRX_INLINE Rgb y16r(int y, int u, int v) { return y16<8>(y, u, v); }
QRX_INLINE Rgb y16t(int y, int u, int v) { return y16<0>(y, u, v); }

// ===== 16-bit packed BGR to 4:2:0 ============================================

// With the fields widened to 8 bits (5-bit x 8, 6-bit x 4), the Q16 luma sum
// F = 19595 R + 38470 G + 7471 B equals the packed form's Yfull (for example
// 59768 B5 + 153880 G6 + 156760 R5 for 565), and the sum of four widened
// values times 65536 equals the field sum times 524288.
QRX_INLINE std::uint8_t bgr16_y(int f) { return static_cast<std::uint8_t>((f + 32768) >> 16); }
QRX_INLINE std::uint8_t bgr16_u(int sb, int sf) { return clamp255(((((sb * 65536 - sf + 131071) >> 16) * 32244) >> 18) + 128); }
QRX_INLINE std::uint8_t bgr16_v(int sr, int sf) { return clamp255(((((sr * 65536 - sf + 131071) >> 16) * 57475) >> 18) + 128); }

}  // namespace qrx::yuv
