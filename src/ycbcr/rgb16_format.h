// 16-bit packed RGB pixels and their 4x4 ordered dither.
//
// One little-endian 16-bit word per pixel.  The format name lists the channels
// from the least significant bits upwards, so a BGR format keeps blue in the low
// field and red in the high one, and the matching RGB format swaps the two:
//
//   BGR565  R5 15..11  G6 10..5  B5 4..0      RGB565  B5 15..11  G6 10..5  R5 4..0
//   BGR555  0 | R5 14..10  G5 9..5  B5 4..0   RGB555  0 | B5 14..10  G5 9..5  R5 4..0
//   BGR444  0000 | R4 11..8  G4 7..4  B4 3..0 RGB444  0000 | B4 11..8  G4 7..4  R4 3..0
//
// Every packer takes 8-bit R, G, B (already clamped to 0..255) and a compile-time
// flag `SwapRB`: false gives the BGR layout, true the RGB layout.
//
// Plain packing truncates each channel to its field width.  Dithered packing
// places each channel on one of its 2^n levels by comparing the remainder of the
// level division with a threshold from D5 (5- and 6-bit fields; the 6-bit green
// uses the entry halved) or D4 (4-bit fields), indexed [y mod 4][x mod 4] with x, y
// counted from the top-left pixel of the region being converted.
#pragma once

#include <cstdint>

#include "core/inline.h"

namespace qrx::rgb16 {

enum class Format : int { k565 = 0, k555 = 1, k444 = 2 };
constexpr int kFormatCount = 3;

// Field widths and positions of the BGR layout (blue low, red high).
template <Format F>
struct Layout;
template <>
struct Layout<Format::k565> {
    static constexpr int kRBBits = 5, kGBits = 6, kHighShift = 11, kMidShift = 5;
};
template <>
struct Layout<Format::k555> {
    static constexpr int kRBBits = 5, kGBits = 5, kHighShift = 10, kMidShift = 5;
};
template <>
struct Layout<Format::k444> {
    static constexpr int kRBBits = 4, kGBits = 4, kHighShift = 8, kMidShift = 4;
};

// D4: the 4x4 Bayer matrix times 289 (4-bit fields).
inline constexpr std::uint16_t kD4[4][4] = {
    {0, 2312, 578, 2890}, {3468, 1156, 4046, 1734}, {867, 3179, 289, 2601}, {4335, 2023, 3757, 1445}};
// D5: the same pattern scaled to a maximum of 2097 (5- and 6-bit fields).
inline constexpr std::uint16_t kD5[4][4] = {
    {0, 1118, 279, 1398}, {1678, 559, 1957, 839}, {419, 1538, 139, 1258}, {2097, 978, 1817, 699}};

// Place three field values (each already within its width).
template <Format F, bool SwapRB>
QRX_INLINE std::uint16_t place(int r, int g, int b) {
    using L = Layout<F>;
    const int high = SwapRB ? b : r;
    const int low = SwapRB ? r : b;
    return static_cast<std::uint16_t>((high << L::kHighShift) | (g << L::kMidShift) | low);
}

// Plain packing: the top bits of each 8-bit channel.
template <Format F, bool SwapRB>
QRX_INLINE std::uint16_t pack(int r, int g, int b) {
    using L = Layout<F>;
    return place<F, SwapRB>(r >> (8 - L::kRBBits), g >> (8 - L::kGBits), b >> (8 - L::kRBBits));
}

// Level step u = 256 * 255 / (2^n - 1), truncated.
QRX_INLINE constexpr int level_step(int bits) { return bits == 6 ? 1036 : bits == 5 ? 2105 : 4352; }

// One dithered channel: level q = floor(v (2^n - 1) / 256), remainder
// r = 256 v - q u; the field is q + 1 when r exceeds the threshold t, else q.
template <int Bits>
QRX_INLINE int dither_level(int v, int t) {
    const int q = (v * ((1 << Bits) - 1)) >> 8;
    const int rem = 256 * v - q * level_step(Bits);
    return rem > t ? q + 1 : q;
}

// Threshold of the matrix for format F at ROI position (x, y).
template <Format F>
QRX_INLINE int dither_threshold(int x, int y) {
    return F == Format::k444 ? kD4[y & 3][x & 3] : kD5[y & 3][x & 3];
}

// Dithered packing of the pixel at ROI position (x, y).
template <Format F, bool SwapRB>
QRX_INLINE std::uint16_t pack_dither(int r, int g, int b, int x, int y) {
    using L = Layout<F>;
    const int t = dither_threshold<F>(x, y);
    const int tg = L::kGBits == 6 ? t >> 1 : t;
    return place<F, SwapRB>(dither_level<L::kRBBits>(r, t), dither_level<L::kGBits>(g, tg),
                            dither_level<L::kRBBits>(b, t));
}

}  // namespace qrx::rgb16
