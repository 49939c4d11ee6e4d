// The 16u curves' results in a compact form, for the kernels that gather one
// entry per sample: a 64 KiB table of bytes stays in a 32-48 KiB first-level
// cache far more than the 128 KiB table of results does.  For every 16-bit value v
//   result(v) = (base + (v * slope >> 12) + residual[v]) mod 65536,
// where base and slope belong to v's segment (at most 32, kept in registers)
// and every residual is 0..255.  Segments: the forward curve, steep near 0,
// by the float exponent of v and its two leading fraction bits, all of 0..1023
// in segment 0; the inverse curve, close to a parabola, by v >> 11.
// Built once from the shared results (gamma_results16.h); the sum is taken
// modulo 2^16, so a segment keeps only the low 16 bits of its base.
#pragma once

#include <cstdint>
#include <cstring>

namespace qrx::gamma {

struct Compact16 {
    std::uint32_t segments[32];       // base << 16 | slope (slope < 2^15)
    std::uint8_t residual[65536 + 3];  // the kernels read 4 bytes at each entry
};

// The shared compact form of one direction; null if some residual would not
// fit in a byte (not the case for these curves: the tests take every value).
const Compact16* compact16(bool fwd);

inline unsigned compact16_segment(unsigned v, bool fwd) {
    if (!fwd) return v >> 11;
    const float f = static_cast<float>(v);  // exact
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    const int j = static_cast<int>(bits >> 21) - 547;  // 1024.0f gives 1
    return j < 0 ? 0u : static_cast<unsigned>(j);
}

inline unsigned compact16_line(unsigned v, std::uint32_t segment) {
    return (segment >> 16) + ((v * (segment & 0xFFFF)) >> 12);
}

inline std::uint16_t compact16_result(unsigned v, const std::uint32_t* segments, const std::uint8_t* residual,
                                      bool fwd) {
    return static_cast<std::uint16_t>(compact16_line(v, segments[compact16_segment(v, fwd)]) + residual[v]);
}

}  // namespace qrx::gamma
