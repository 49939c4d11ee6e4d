// Model of the 16-bit packed RGB words (565, 555, 444): each field cut from
// its 8-bit channel, or ordered-dithered with the 4 x 4 thresholds, then packed.
#pragma once

#include <cstdint>

namespace rgb16model {

// Ordered-dither thresholds: 4-bit fields use the Bayer pattern x 289, 5-bit
// fields the table below, 6-bit fields half of it.
inline const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
inline const int kD5[4][4] = {{0, 1118, 279, 1398}, {1678, 559, 1957, 839}, {419, 1538, 139, 1258}, {2097, 978, 1817, 699}};

// The `bits`-wide field of channel value v at pixel (x, y): the top bits, or
// the level below v raised by one where v's remainder passes the threshold.
inline int field(int v, int bits, bool dither, int x, int y) {
    if (!dither) return v >> (8 - bits);
    int t = bits == 4 ? kBayer[y & 3][x & 3] * 289 : kD5[y & 3][x & 3];
    if (bits == 6) t /= 2;
    const int levels = (1 << bits) - 1;
    const int q = v * levels / 256;
    return 256 * v - q * (256 * 255 / levels) > t ? q + 1 : q;
}

// The word of (r, g, b) with red and blue fields of rb_bits and a green one
// of g_bits; RGB formats put red in the low field, BGR formats blue.
inline std::uint16_t pack(int r, int g, int b, int rb_bits, int g_bits, bool rgb, bool dither, int x, int y) {
    const int fr = field(r, rb_bits, dither, x, y), fg = field(g, g_bits, dither, x, y), fb = field(b, rb_bits, dither, x, y);
    const int low = rgb ? fr : fb, high = rgb ? fb : fr;
    return static_cast<std::uint16_t>((high << (rb_bits + g_bits)) | (fg << rb_bits) | low);
}

}  // namespace rgb16model
