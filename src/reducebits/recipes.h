// Bit-depth reduction: the type pairs, the level quantiser and the dithering
// decisions, each written once as a scalar recipe.  Vector kernels reproduce
// exactly these operations in the same order.
#pragma once

#include <cmath>
#include <cstdint>

#include "core/inline.h"
#include "core/scalar_steps.h"

namespace qrx::reducebits {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using s16 = std::int16_t;

// Single-precision constants nearest to 1/255 and 1/65535.
constexpr float kK8 = 0.003921569f;    // 0x3B808081
constexpr float kK16 = 1.5259022e-05f;  // 0x37800080

// Layout codes: samples handled per pixel and samples per pixel.
enum Layout : int { kC1 = 0, kC3 = 1, kAC4 = 2, kC4 = 3 };
constexpr int channels_of(int layout) { return layout == kC1 ? 1 : layout == kC4 ? 4 : 3; }
constexpr int stride_of(int layout) { return layout == kC1 ? 1 : layout == kC3 ? 3 : 4; }

// Truncation toward zero.  Out-of-range values saturate and NaN gives 0, so
// that float input outside 0..1 has a defined result (see decisions).
QRX_INLINE int trunc_sat(float x) {
    x = x == x ? x : 0.0f;
    x = x < -2147483648.0f ? -2147483648.0f : x;
    x = x > 2147483520.0f ? 2147483520.0f : x;
    return static_cast<int>(x);
}

QRX_INLINE int clamp_int(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// (y - 0.49999) rounded to the nearest integer, ties to even (the processor's
// conversion in its default rounding mode).  Out-of-range values saturate,
// NaN gives 0.
QRX_INLINE int round_down_biased(double y) {
    y = y - 0.49999;
    if (!(y > -2147483648.5 && y < 2147483647.5)) return y > 0.0 ? INT32_MAX : y < 0.0 ? INT32_MIN : 0;
    return round_in_mode(y);
}

// q + s where t < diff, else q; without a branch (the decision is data-driven
// and unpredictable in dithering).
QRX_INLINE float add_step_if_below(float q, float t, float diff, float s) { return q + step_if_less(t, diff, s); }

// ---- type pairs -----------------------------------------------------------
// norm: the 0..1 value of the quantiser.  work: the value in the units of the
// dithering kernels (unit kU).  kM/kOff: full scale and offset of the output.
// kRangeMax: the top of the working range as an integer (q is clamped there),
// kShift: working integer to output (16-bit working units to 8-bit output).
template <class In_, class Out_, int Unit, int M, int Off, int MaxLevels, bool FsRounds>
struct PairBase {
    using In = In_;
    using Out = Out_;
    static constexpr bool kFloatIn = Unit == 1;
    static constexpr float kU = static_cast<float>(Unit);
    static constexpr int kM = M;
    static constexpr float kMf = static_cast<float>(M);
    static constexpr int kOff = Off;
    static constexpr int kMaxLevels = MaxLevels;
    static constexpr bool kFsRounds = FsRounds;  // Floyd-Steinberg rounds instead of truncating
    static constexpr int kShift = (!kFloatIn && Unit == 65535 && M == 255) ? 8 : 0;
    static constexpr int kOutMin = Off;
    static constexpr int kOutMax = M + Off;
    // Working level as an integer before the shift: the range 0..kTop.
    static constexpr int kTop = kFloatIn ? M : Unit;
};

struct Pair8u : PairBase<u8, u8, 255, 255, 0, 256, false> {
    QRX_INLINE float norm(u8 x) { return static_cast<float>(x) * kK8; }
    QRX_INLINE float work(u8 x) { return static_cast<float>(x); }
};
struct Pair16u : PairBase<u16, u16, 65535, 65535, 0, 65536, false> {
    QRX_INLINE float norm(u16 x) { return static_cast<float>(x) * kK16; }
    QRX_INLINE float work(u16 x) { return static_cast<float>(x); }
};
struct Pair16u8u : PairBase<u16, u8, 65535, 255, 0, 256, false> {
    QRX_INLINE float norm(u16 x) { return static_cast<float>(x) * kK16; }
    QRX_INLINE float work(u16 x) { return static_cast<float>(x); }
};
struct Pair16s : PairBase<s16, s16, 65535, 65535, -32768, 65536, false> {
    QRX_INLINE float norm(s16 x) { return static_cast<float>(x + 32768) * kK16; }
    QRX_INLINE float work(s16 x) { return static_cast<float>(x + 32768); }
};
struct Pair16s8u : PairBase<s16, u8, 65535, 255, 0, 256, true> {
    QRX_INLINE float norm(s16 x) { return static_cast<float>(x + 32768) * kK16; }
    QRX_INLINE float work(s16 x) { return static_cast<float>(x + 32768); }
};
struct Pair32f8u : PairBase<float, u8, 1, 255, 0, 256, true> {
    QRX_INLINE float norm(float x) { return x; }
    QRX_INLINE float work(float x) { return x; }
};
struct Pair32f16u : PairBase<float, u16, 1, 65535, 0, 256, true> {
    QRX_INLINE float norm(float x) { return x; }
    QRX_INLINE float work(float x) { return x; }
};
struct Pair32f16s : PairBase<float, s16, 1, 65535, -32768, 256, true> {
    QRX_INLINE float norm(float x) { return x; }
    QRX_INLINE float work(float x) { return x; }
};

// Float to integer as the pair needs it: integer input never leaves the int
// range, float input may.
template <class P>
QRX_INLINE int to_int(float x) {
    if constexpr (P::kFloatIn)
        return trunc_sat(x);
    else
        return static_cast<int>(x);
}

// ---- level quantiser -------------------------------------------------------
struct QuantParams {
    float L;  // levels - 1
    float s;  // 1 / L
    float h;  // 0.5 / L
};

QRX_INLINE QuantParams quant_params(int levels) {
    const float L = static_cast<float>(levels - 1);
    return QuantParams{L, 1.0f / L, 0.5f / L};
}

// Nearest of the L + 1 levels, halves going down; (q * M) truncated, plus the
// offset, saturated.
template <class P>
QRX_INLINE typename P::Out quantise(typename P::In x, const QuantParams& p) {
    const float a = P::norm(x);
    const int k = to_int<P>(p.L * a);
    float q = static_cast<float>(k) * p.s;
    if ((a - q) > p.h) q = q + p.s;
    return static_cast<typename P::Out>(clamp_int(to_int<P>(q * P::kMf), 0, P::kM) + P::kOff);
}

// ---- dithering -------------------------------------------------------------
struct DitherParams {
    float s;  // level step in working units
    float r;  // levels per working unit
};

template <class P>
QRX_INLINE DitherParams dither_params(int levels) {
    const float L = static_cast<float>(levels - 1);
    if constexpr (P::kFloatIn) return DitherParams{1.0f / L, L};
    if constexpr (P::kU == 255.0f) return DitherParams{(65280.0f / L) * 0.00390625f, L / 255.0f};
    return DitherParams{65535.0f / L, L / 65535.0f};
}

// Output from the chosen level q by truncation (saturated to the output range).
template <class P>
QRX_INLINE typename P::Out level_out_trunc(float q) {
    const int t = P::kFloatIn ? trunc_sat(q * P::kMf) : trunc_sat(q);
    return static_cast<typename P::Out>((clamp_int(t, 0, P::kTop) >> P::kShift) + P::kOff);
}

// Output from q by the biased round-to-even rule (Floyd-Steinberg, rounding pairs).
template <class P>
QRX_INLINE typename P::Out level_out_round(float q) {
    const double y = P::kFloatIn ? static_cast<double>(q * P::kMf) : static_cast<double>(q);
    return static_cast<typename P::Out>((clamp_int(round_down_biased(y), 0, P::kTop) >> P::kShift) + P::kOff);
}

// Ordered dithering of one sample: t is the threshold in working units.
template <class P>
QRX_INLINE typename P::Out ordered(typename P::In x, float t, const DitherParams& d) {
    const float v = P::work(x);
    const int k = to_int<P>(v * d.r);
    float q = static_cast<float>(k) * d.s;
    if (t < (v - q)) q = q + d.s;
    return level_out_trunc<P>(q);
}

// The 4 x 4 threshold matrix, [y mod 4][x mod 4].
alignas(64) constexpr float kBayer[4][4] = {
    {0.0f / 15.0f, 8.0f / 15.0f, 2.0f / 15.0f, 10.0f / 15.0f},
    {12.0f / 15.0f, 4.0f / 15.0f, 14.0f / 15.0f, 6.0f / 15.0f},
    {3.0f / 15.0f, 11.0f / 15.0f, 1.0f / 15.0f, 9.0f / 15.0f},
    {15.0f / 15.0f, 7.0f / 15.0f, 13.0f / 15.0f, 5.0f / 15.0f},
};

// Noise lookup position of pixel (x, y).
QRX_INLINE unsigned noise_slot(const u16* index, unsigned x, unsigned y) {
    return (static_cast<unsigned>(index[x & 1023u]) + 2u * y + x) & 1023u;
}

}  // namespace qrx::reducebits
