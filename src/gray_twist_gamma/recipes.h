// Scalar recipes of the gray, colour-twist and gamma conversions.  Each is
// written once, as its formula reads; every kernel at every CPU level must give
// exactly these results for the pixels its region plan assigns to it.
#pragma once

#include <cmath>
#include <cstdint>

#include "core/inline.h"

namespace qrx::gtg {

using u8 = std::uint8_t;
using s8 = std::int8_t;
using u16 = std::uint16_t;
using s16 = std::int16_t;

// Float to signed 32-bit by truncation toward zero, as the hardware conversion
// does it: NaN and values outside the int32 range give INT32_MIN.
QRX_INLINE std::int32_t trunc_i32(float f) {
    return (f >= -2147483648.0f && f < 2147483648.0f) ? static_cast<std::int32_t>(f) : INT32_MIN;
}
QRX_INLINE std::int32_t trunc_i32(double f) {
    return (f > -2147483649.0 && f < 2147483648.0) ? static_cast<std::int32_t>(f) : INT32_MIN;
}

// ---------------------------------------------------------------- gray ----

// 12-bit fixed-point weights of the 8u gray conversion.
struct Weights8 {
    u16 w0, w1, w2;
};
struct WeightsF {
    float w0, w1, w2;
};

constexpr WeightsF kGrayWeights = {0.299f, 0.587f, 0.114f};
constexpr Weights8 kGrayWeights8 = {1225, 2404, 467};

// W = trunc(w * 4096 + 0.5) in double; the low 16 bits, unsigned.
QRX_INLINE u16 weight_12bit(float w) {
    const double v = static_cast<double>(w) * 4096.0 + 0.5;
    return static_cast<u16>(static_cast<std::uint32_t>(trunc_i32(v)));
}

// 8u body: per channel the high half of (x << 8) * W, saturating 16-bit sum,
// then 0 when the sum reads as negative, else min(255, S >> 4).
QRX_INLINE u8 gray8_body(unsigned x0, unsigned x1, unsigned x2, Weights8 w) {
    const unsigned p0 = ((x0 << 8) * w.w0) >> 16;
    const unsigned p1 = ((x1 << 8) * w.w1) >> 16;
    const unsigned p2 = ((x2 << 8) * w.w2) >> 16;
    unsigned s = p0 + p1;
    if (s > 65535u) s = 65535u;
    s += p2;
    if (s > 65535u) s = 65535u;
    if (s >= 32768u) return 0;
    s >>= 4;
    return static_cast<u8>(s > 255u ? 255u : s);
}

// 8u tail: exact 32-bit sum shifted by 12, low 8 bits kept (no clamping).
QRX_INLINE u8 gray8_tail(int x0, int x1, int x2, Weights8 w) {
    const int s = x0 * static_cast<int>(w.w0) + x1 * static_cast<int>(w.w1) + x2 * static_cast<int>(w.w2);
    return static_cast<u8>(s >> 12);
}

// Single-precision weighted sum, in this order.
QRX_INLINE float gray_f(float x0, float x1, float x2, const WeightsF& w) {
    return (w.w0 * x0 + w.w1 * x1) + w.w2 * x2;
}

QRX_INLINE u16 gray16u(u16 x0, u16 x1, u16 x2, const WeightsF& w) {
    return static_cast<u16>(static_cast<std::uint32_t>(trunc_i32(gray_f(x0, x1, x2, w))));
}

// 16s: samples offset into 0..65535, truncated sum, offset removed (32-bit wrap).
QRX_INLINE std::int32_t gray16s_wide(s16 x0, s16 x1, s16 x2, const WeightsF& w) {
    const float o = 32768.0f;
    const std::int32_t t = trunc_i32(gray_f(x0 + o, x1 + o, x2 + o, w));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(t) - 32768u);
}
QRX_INLINE s16 gray16s_body(s16 x0, s16 x1, s16 x2, const WeightsF& w) {
    const std::int32_t y = gray16s_wide(x0, x1, x2, w);
    return static_cast<s16>(y < -32768 ? -32768 : y > 32767 ? 32767 : y);
}
QRX_INLINE s16 gray16s_tail(s16 x0, s16 x1, s16 x2, const WeightsF& w) {
    return static_cast<s16>(static_cast<u16>(static_cast<std::uint32_t>(gray16s_wide(x0, x1, x2, w))));
}

// --------------------------------------------------------------- twist ----
// m points at one matrix row (t[i][0..3]).

// Order A: (t3 + t0*x0) + (t2*x2 + t1*x1).
QRX_INLINE float twist_a(const float* m, float x0, float x1, float x2) {
    return (m[3] + m[0] * x0) + (m[2] * x2 + m[1] * x1);
}
// Order B: ((t0*x0 + t1*x1) + t2*x2) + t3.
QRX_INLINE float twist_b(const float* m, float x0, float x1, float x2) {
    return ((m[0] * x0 + m[1] * x1) + m[2] * x2) + m[3];
}
// Order C (four channels): ((t0*x0 + t1*x1) + t2*x2) + t3*x3.
QRX_INLINE float twist_c(const float* m, float x0, float x1, float x2, float x3) {
    return ((m[0] * x0 + m[1] * x1) + m[2] * x2) + m[3] * x3;
}

// Limit from above (NaN gives hi), then from below, then round to nearest
// even.  The caller runs with round-to-nearest in force.
QRX_INLINE int clamp_round(float r, float lo, float hi) {
    r = r < hi ? r : hi;
    r = r > lo ? r : lo;
    return static_cast<int>(std::nearbyint(r));
}

template <class T>
struct TwistOut;
template <>
struct TwistOut<u8> {
    static u8 from(float r) { return static_cast<u8>(clamp_round(r, 0.0f, 255.0f)); }
};
template <>
struct TwistOut<u16> {
    static u16 from(float r) { return static_cast<u16>(clamp_round(r, 0.0f, 65535.0f)); }
};
template <>
struct TwistOut<s16> {
    static s16 from(float r) { return static_cast<s16>(clamp_round(r, -32768.0f, 32767.0f)); }
};
// 8s: limited from above to 127, rounded, then the integer saturated (a value
// beyond the int32 range converts to INT32_MIN and so gives -128).
template <>
struct TwistOut<s8> {
    static s8 from(float r) {
        r = r < 127.0f ? r : 127.0f;
        const std::int32_t i = trunc_i32(std::nearbyint(r));
        return static_cast<s8>(i < -128 ? -128 : i);
    }
};
template <>
struct TwistOut<float> {
    static float from(float r) { return r; }
};

// --------------------------------------------------------------- gamma ----
// Stored double constants (bit patterns checked by the tests).
constexpr double kFwdThreshold = 0.018;
constexpr double kFwdExponent = 0.45;
constexpr double kScaleA = 1.099;
constexpr double kOffsetB = 0.099;
constexpr double kLinearSlope = 4.5;
constexpr double kInvThreshold = 0.0812;
constexpr double kInv65535 = 1.5259021896696422e-05;
constexpr double kInvScaleA = 0.9099181073703366;
constexpr double kInvExponent = 2.2222222222222223;
constexpr double kInvSlope = 0.2222222222222222;
constexpr double kFullScale16 = 65535.0;

// y + 0.5 rounded to float, truncated; exact odd halves go to the even neighbour.
QRX_INLINE u16 gamma16_round(double y) {
    const float r = static_cast<float>(y + 0.5);
    std::int32_t n = trunc_i32(r);
    if ((n & 1) != 0 && r == static_cast<float>(n)) n -= 1;
    return static_cast<u16>(static_cast<std::uint32_t>(n));
}

QRX_INLINE u16 gamma16_fwd(unsigned v) {
    const double x = static_cast<double>(v) * kInv65535;
    double y;
    if (x >= kFwdThreshold)
        y = (std::pow(x, kFwdExponent) * kScaleA - kOffsetB) * kFullScale16;
    else
        y = static_cast<double>(v) * kLinearSlope;
    return gamma16_round(y);
}

QRX_INLINE u16 gamma16_inv(unsigned v) {
    const double x = static_cast<double>(v) * kInv65535;
    double y;
    if (x >= kInvThreshold)
        y = std::pow((x + kOffsetB) * kInvScaleA, kInvExponent) * kFullScale16;
    else
        y = static_cast<double>(v) * kInvSlope;
    return gamma16_round(y);
}

// 32f over [vMin, vMax]: r = vMax - vMin (float, widened), q = 1 / r.
struct GammaRange {
    float vmin;
    double r, q;
};

QRX_INLINE float gamma32_fwd(float s, const GammaRange& g) {
    const double d = static_cast<double>(s - g.vmin);
    const double t = d * g.q;
    double y;
    if (t >= kFwdThreshold)
        y = (std::pow(t, kFwdExponent) * kScaleA - kOffsetB) * g.r + static_cast<double>(g.vmin);
    else
        y = d * kLinearSlope + static_cast<double>(g.vmin);
    return static_cast<float>(y);
}

QRX_INLINE float gamma32_inv(float s, const GammaRange& g) {
    const double d = static_cast<double>(s - g.vmin);
    const double t = d * g.q;
    double y;
    if (t >= kInvThreshold)
        y = std::pow((t + kOffsetB) * kInvScaleA, kInvExponent) * g.r + static_cast<double>(g.vmin);
    else
        y = d * kInvSlope + static_cast<double>(g.vmin);
    return static_cast<float>(y);
}

}  // namespace qrx::gtg
