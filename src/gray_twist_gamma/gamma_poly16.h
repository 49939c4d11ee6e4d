// The 16u curves as piecewise polynomials, for the 512-bit kernels that
// evaluate them in float lanes instead of reading a table: with the samples
// in random order a table of 64-128 KiB is read from the second-level cache
// one lane at a time, while the polynomial takes a few register permutes and
// fused multiply-adds for 16 samples.
//
// Pieces: below `first_curve` the linear piece, v * slope; above it one
// polynomial in t = v - centre per segment (degree 5 forward, 4 inverse: the
// inverse curve is the flatter).  Segments: forward, steep near 0, quarter
// binades (the float exponent of v and two fraction bits, read from bit 21
// of its bits, modulo 32); inverse, close to a parabola, v >> 11.  The value at
// the centre is held as the nearest integer plus the rest, so that the sum
// of the rest and the powers of t keeps every fraction bit a float has.
//
// Exactness: the recipe rounds y + 0.5 to float before it truncates, which
// moves each boundary between two results by up to half a float ulp of the
// result (2^-9 below 65536).  A lane is kept only when the polynomial's value
// lies farther than 2^-9 + kPoly16Margin from the half-integer; the others
// (about half a percent of the values) take the shared results of
// gamma_results16.h.  The margin bounds the polynomial's error (below 1e-4
// against the curve, and the float rounding of its evaluation); poly16_exact
// checks every 16-bit value once per kernel before a call uses it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qrx::gamma {

struct Poly16 {
    static constexpr int kDegree = 5;
    // per segment: the integer nearest the curve at the centre, the rest of
    // that value, the coefficients of t^1 .. t^5 (t^5: 0 for the inverse)
    alignas(64) std::int32_t whole[32];
    alignas(64) float rest[32];
    alignas(64) float coef[kDegree][32];
    std::int32_t first_curve;  // the smallest v on the curve's power piece
    float slope;               // of the linear piece below it
};

constexpr float kPoly16Margin = 5e-4f;

inline unsigned poly16_segment(unsigned v, bool fwd) {
    if (!fwd) return v >> 11;
    const float f = static_cast<float>(v);  // exact
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return (bits >> 21) & 31;
}

// The centre the polynomial of v's segment is expanded about: forward, the
// middle of its quarter binade (for v >= 1); inverse, of its 2048 values.
inline float poly16_centre(unsigned v, bool fwd) {
    if (!fwd) return static_cast<float>((v & ~2047u) | 1024u);
    const float f = static_cast<float>(v);
    std::uint32_t bits, start, binade;
    std::memcpy(&bits, &f, sizeof bits);
    start = bits & 0xFFE00000u;
    binade = bits & 0x7F800000u;
    float s, b;
    std::memcpy(&s, &start, sizeof s);
    std::memcpy(&b, &binade, sizeof b);
    return s + b / 8;
}

// The shared polynomial form of one direction (built once).
const Poly16& poly16(bool fwd);

// n samples (or n four-sample pixels) through the form; `results` are the
// shared results of the same direction, for the lanes too near a boundary.
using Poly16Fn = void (*)(const std::uint16_t* src, std::uint16_t* dst, std::ptrdiff_t n, const Poly16& form,
                          const std::uint16_t* results);

// True when `kernel` (the one-sample-per-lane form) gives the shared results
// for every 16-bit value; checked once per kernel and direction.
bool poly16_exact(bool fwd, Poly16Fn kernel);

}  // namespace qrx::gamma
