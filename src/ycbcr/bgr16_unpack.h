// 16-bit packed BGR sources: one little-endian word per pixel.
//   BGR565: B5 in bits 4..0, G6 in bits 10..5, R5 in bits 15..11.
//   BGR555: B5 in bits 4..0, G5 in bits 9..5,  R5 in bits 14..10; bit 15 ignored.
// Fields are widened to 8 bits by a plain left shift (5-bit x 8, 6-bit x 4),
// without replicating the high bits into the low ones: white 0xFFFF in 565
// becomes R = 248, G = 252, B = 248.
#pragma once

#include <cstdint>

#include "core/inline.h"

namespace qrx::ycbcr {

struct Bgr16Widened {
    std::uint8_t b, g, r;
};

QRX_INLINE Bgr16Widened unpack_bgr565(std::uint16_t w) {
    return {static_cast<std::uint8_t>((w & 0x1F) << 3), static_cast<std::uint8_t>(((w >> 5) & 0x3F) << 2),
            static_cast<std::uint8_t>(((w >> 11) & 0x1F) << 3)};
}

QRX_INLINE Bgr16Widened unpack_bgr555(std::uint16_t w) {
    return {static_cast<std::uint8_t>((w & 0x1F) << 3), static_cast<std::uint8_t>(((w >> 5) & 0x1F) << 3),
            static_cast<std::uint8_t>(((w >> 10) & 0x1F) << 3)};
}

// Unpacks n words into n pixels of 8-bit B, G, R (three bytes per pixel).
// A plain loop: the vectoriser turns it into the same shifts and masks.
template <bool Is565>
QRX_INLINE void unpack_bgr16_to_bgr24(const std::uint16_t* src, std::uint8_t* bgr, int n) {
    for (int i = 0; i < n; ++i) {
        const Bgr16Widened p = Is565 ? unpack_bgr565(src[i]) : unpack_bgr555(src[i]);
        bgr[3 * i] = p.b;
        bgr[3 * i + 1] = p.g;
        bgr[3 * i + 2] = p.r;
    }
}

// Separate B, G, R planes (one byte per pixel each), for planar consumers.
template <bool Is565>
QRX_INLINE void unpack_bgr16_to_planes(const std::uint16_t* src, std::uint8_t* b, std::uint8_t* g, std::uint8_t* r,
                                       int n) {
    for (int i = 0; i < n; ++i) {
        const Bgr16Widened p = Is565 ? unpack_bgr565(src[i]) : unpack_bgr555(src[i]);
        b[i] = p.b;
        g[i] = p.g;
        r[i] = p.r;
    }
}

}  // namespace qrx::ycbcr
