// A fast double-precision power function x^y for the gamma curves, on
// vectors of N doubles (GCC vector extensions: the same IEEE operations in the
// same order on every lane and at every width, so every level gives the same
// bits).  Its relative error is below 2^-44 (measured: 2^-44.4 at most, on every
// float base of the curves and on a wide random sample up to kLargestBase);
// the callers take kErrorBound, with a further margin, as its bound: they keep
// a result only when every value within that bound rounds to the same output
// sample, and evaluate the others (a few in ten thousand) with the math
// library's pow, so the outputs are exactly those of the math library's pow.
//
// Valid for x in [2^-1021, kLargestBase] and y in (0, 3] (the curves use
// x >= 0.018 and y = 0.45 or 2.22..; callers send larger bases to the math
// library).  Other lanes give unspecified values without trapping.
//
// Method: x = 2^k m with m in [sqrt(1/2), sqrt(2)); ln m = 2 atanh(f) with
// f = (m - 1) / (m + 1) and a degree-15 odd series; e^(y ln x) = 2^j e^r with
// |r| <= ln2 / 2 and a degree-11 Taylor polynomial.
#pragma once

#include <cstdint>

#include "core/inline.h"

#if defined(__GNUC__) && !defined(__clang__)
// Vectors wider than the level's registers are passed only between inlined functions.
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace qrx::gtg::power {

template <int N>
struct Vec {
    typedef double d __attribute__((vector_size(8 * N)));
    typedef std::uint64_t u __attribute__((vector_size(8 * N)));
    typedef float f __attribute__((vector_size(4 * N)));
    typedef std::int32_t i __attribute__((vector_size(4 * N)));
    typedef std::uint32_t w __attribute__((vector_size(4 * N)));
};

template <class D, class U>
QRX_INLINE D select(U mask, D a, D b) {
    return (D)(((U)a & mask) | ((U)b & ~mask));
}

// Comparisons as integer arithmetic on the bit patterns, giving all ones or
// zero per lane: GCC turns comparisons of vectors wider than the registers
// into one scalar compare per lane, integer operations it splits into
// register-wide ones.
// a >= b, for b >= 0 and not NaN (a NaN gives false).
template <int N>
QRX_INLINE typename Vec<N>::u at_least(typename Vec<N>::d a, double b) {
    using D = typename Vec<N>::d;
    using U = typename Vec<N>::u;
    const U x = (U)a;
    const U bb = (U)(D{} + b);
    const U inf = (U)(D{} + __builtin_inf());
    return ((x >> 63) - 1) & (((x - bb) >> 63) - 1) & (((inf - x) >> 63) - 1);
}
// a and b differ in some bit.
template <int N>
QRX_INLINE typename Vec<N>::i differ(typename Vec<N>::f a, typename Vec<N>::f b) {
    using W = typename Vec<N>::w;
    const W x = (W)a ^ (W)b;
    return (typename Vec<N>::i)(-((x | -x) >> 31));
}

constexpr double kLn2 = 6.93147180559945286227e-01;
constexpr double kInvLn2 = 1.44269504088896338700e+00;
constexpr double kSqrt2 = 1.41421356237309514547e+00;
constexpr double kTwo52 = 4503599627370496.0;
constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer
constexpr std::uint64_t kMantissa = 0x000FFFFFFFFFFFFFull;
constexpr std::uint64_t kOneBits = 0x3FF0000000000000ull;
constexpr std::uint64_t kSqrt2Bits = 0x3FF6A09E667F3BCDull;
constexpr std::uint64_t kTwo52Bits = 0x4330000000000000ull;

constexpr double kErrorBound = 0x1p-38;
constexpr double kLargestBase = 1e10;

template <int N>
QRX_INLINE typename Vec<N>::d pow(typename Vec<N>::d x, double y) {
    using D = typename Vec<N>::d;
    using U = typename Vec<N>::u;
    // x = 2^k m, m in [sqrt(1/2), sqrt(2)) (halved exactly through its exponent field)
    const U bits = (U)x;
    const U mbits = (bits & kMantissa) | kOneBits;
    const U big = -((kSqrt2Bits - 1 - mbits) >> 63);  // m >= sqrt(2)
    const D m = (D)(mbits - (big & (1ull << 52)));
    const D k = ((D)((bits >> 52) | kTwo52Bits) - kTwo52) - 1023.0 + (D)(big & kOneBits);

    // f = (m - 1) / (m + 1) from the float quotient (cheaper than a double
    // division) and one Newton step
    const D b = m + 1.0;
    const D r0 = __builtin_convertvector(1.0f / __builtin_convertvector(b, typename Vec<N>::f), D);
    const D f = (m - 1.0) * (r0 * (2.0 - b * r0));

    // ln m = 2 (f + f^3 / 3 + ... + f^15 / 15), |f| <= 0.1716
    const D s = f * f;
    D q = s * (2.0 / 15) + 2.0 / 13;
    q = q * s + 2.0 / 11;
    q = q * s + 2.0 / 9;
    q = q * s + 2.0 / 7;
    q = q * s + 2.0 / 5;
    q = q * s + 2.0 / 3;
    const D z = ((k * kLn2 + (f + f)) + (f * s) * q) * y;

    // e^z = 2^j e^r
    const D t = z * kInvLn2 + kRound;
    const D j = t - kRound;
    const D r = z - j * kLn2;
    D e = r * (1.0 / 39916800.0) + 1.0 / 3628800.0;  // 1/11!, 1/10!
    e = e * r + 1.0 / 362880.0;
    e = e * r + 1.0 / 40320.0;
    e = e * r + 1.0 / 5040.0;
    e = e * r + 1.0 / 720.0;
    e = e * r + 1.0 / 120.0;
    e = e * r + 1.0 / 24.0;
    e = e * r + 1.0 / 6.0;
    e = e * r + 0.5;
    const D sum = 1.0 + (r + (r * r) * e);
    const U scale = ((U)t - (U)(D{} + kRound) + 1023u) << 52;
    return sum * (D)scale;
}

}  // namespace qrx::gtg::power
