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

}  // namespace qrx::ycbcr
