// A fast double-precision power function x^y for the gamma curves, on
// vectors of N doubles (GCC vector extensions: the same IEEE operations in the
// same order on every lane and at every width; the levels with fused
// multiply-adds fuse the polynomial steps, so their bits may differ from the
// others').  Its relative error is below 2^-44 in both forms (measured: 2^-44.4
// at most, on every float base of the curves and on a wide random sample up to
// kLargestBase);
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
#include <cstring>

#include "core/inline.h"

#if defined(__AVX2__)
#include <immintrin.h>
#endif

#if defined(__GNUC__)  // GCC and clang
// Vectors wider than the level's registers are passed only between functions
// of one translation unit, all built for the same level.
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
// a >= b, for b > 0 and not NaN (a NaN gives false).
template <int N>
QRX_INLINE typename Vec<N>::u at_least(typename Vec<N>::d a, double b) {
    using U = typename Vec<N>::u;
#if defined(__AVX2__)
    // the register-wide compares (b > 0: the same lanes as below)
    double x[N];
    std::uint64_t m[N];
    std::memcpy(x, &a, sizeof a);
#if defined(__AVX512F__)
    if constexpr (N % 8 == 0) {
        for (int i = 0; i < N; i += 8)
            _mm512_storeu_si512(m + i, _mm512_movm_epi64(_mm512_cmp_pd_mask(_mm512_loadu_pd(x + i), _mm512_set1_pd(b), _CMP_GE_OQ)));
    } else
#endif
    {
        for (int i = 0; i < N; i += 4)
            _mm256_storeu_pd(reinterpret_cast<double*>(m + i), _mm256_cmp_pd(_mm256_loadu_pd(x + i), _mm256_set1_pd(b), _CMP_GE_OQ));
    }
    U r;
    std::memcpy(&r, m, sizeof r);
    return r;
#else
    using D = typename Vec<N>::d;
    const U x = (U)a;
    const U bb = (U)(D{} + b);
    const U inf = (U)(D{} + __builtin_inf());
    return ((x >> 63) - 1) & (((x - bb) >> 63) - 1) & (((inf - x) >> 63) - 1);
#endif
}
// a and b differ in some bit.
template <int N>
QRX_INLINE typename Vec<N>::i differ(typename Vec<N>::f a, typename Vec<N>::f b) {
    using W = typename Vec<N>::w;
    const W x = (W)a ^ (W)b;
    return (typename Vec<N>::i)(-((x | -x) >> 31));
}

// a * b + c inside pow: one rounding where the level has fused multiply-adds
// (AVX2 and up), two below.  The error bound holds for both forms; the curves'
// own arithmetic around pow never fuses.
template <class D>
QRX_INLINE D mul_add(D a, D b, D c) {
#if defined(__FMA__)
    constexpr int n = static_cast<int>(sizeof(D) / sizeof(double));
    double x[n], y[n], z[n];
    std::memcpy(x, &a, sizeof a);
    std::memcpy(y, &b, sizeof b);
    std::memcpy(z, &c, sizeof c);
#if defined(__AVX512F__)
    if constexpr (n % 8 == 0) {
        for (int i = 0; i < n; i += 8)
            _mm512_storeu_pd(z + i, _mm512_fmadd_pd(_mm512_loadu_pd(x + i), _mm512_loadu_pd(y + i), _mm512_loadu_pd(z + i)));
    } else
#endif
    {
        static_assert(n % 4 == 0, "whole 256-bit registers");
        for (int i = 0; i < n; i += 4)
            _mm256_storeu_pd(z + i, _mm256_fmadd_pd(_mm256_loadu_pd(x + i), _mm256_loadu_pd(y + i), _mm256_loadu_pd(z + i)));
    }
    D r;
    std::memcpy(&r, z, sizeof r);
    return r;
#else
    return a * b + c;
#endif
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
    const D f = (m - 1.0) * (r0 * mul_add(-b, r0, D{} + 2.0));

    // ln m = 2 (f + f^3 / 3 + ... + f^15 / 15), |f| <= 0.1716
    const D s = f * f;
    D q = mul_add(s, D{} + 2.0 / 15, D{} + 2.0 / 13);
    q = mul_add(q, s, D{} + 2.0 / 11);
    q = mul_add(q, s, D{} + 2.0 / 9);
    q = mul_add(q, s, D{} + 2.0 / 7);
    q = mul_add(q, s, D{} + 2.0 / 5);
    q = mul_add(q, s, D{} + 2.0 / 3);
    const D z = mul_add(f * s, q, mul_add(k, D{} + kLn2, f + f)) * y;

    // e^z = 2^j e^r
    const D t = mul_add(z, D{} + kInvLn2, D{} + kRound);
    const D j = t - kRound;
    const D r = mul_add(-j, D{} + kLn2, z);
    D e = mul_add(r, D{} + 1.0 / 39916800.0, D{} + 1.0 / 3628800.0);  // 1/11!, 1/10!
    e = mul_add(e, r, D{} + 1.0 / 362880.0);
    e = mul_add(e, r, D{} + 1.0 / 40320.0);
    e = mul_add(e, r, D{} + 1.0 / 5040.0);
    e = mul_add(e, r, D{} + 1.0 / 720.0);
    e = mul_add(e, r, D{} + 1.0 / 120.0);
    e = mul_add(e, r, D{} + 1.0 / 24.0);
    e = mul_add(e, r, D{} + 1.0 / 6.0);
    e = mul_add(e, r, D{} + 0.5);
    const D sum = 1.0 + mul_add(r * r, e, r);
    const U scale = ((U)t - (U)(D{} + kRound) + 1023u) << 52;
    return sum * (D)scale;
}

}  // namespace qrx::gtg::power
