// A fast double-precision power function x^y for the gamma curves, on
// vectors of N doubles (GCC vector extensions: the same IEEE operations in the
// same order on every lane and at every width; the levels with fused
// multiply-adds fuse the polynomial steps, so their bits may differ from the
// others').  Its relative error is below 2^-40 in both forms and in every
// rounding mode (measured: 2^-42.8 at most on every float base of the curves,
// 2^-41.5 on a wide random sample of bases, directed rounding modes included);
// the callers take kErrorBound, with a further margin, as its bound: they keep
// a result only when every value within that bound rounds to the same output
// sample, and evaluate the others (a few in ten thousand) with the math
// library's pow, so the outputs are exactly those of the math library's pow.
//
// Valid for x in [2^-1021, kLargestBase] and y in (0, 3] where x^y is a
// normal double (the curves use x >= 0.018 and y = 0.45 or 2.22..; callers
// send larger bases to the math library).  Other lanes give unspecified
// values without trapping.
//
// Method: x = 2^k m with m in [sqrt(1/2), sqrt(2)); ln m = 2 atanh(f) with
// f = (m - 1) / (m + 1) and a minimax odd polynomial of degree 11, giving
// z = y log2 x; 2^z = 2^j 2^r with j the nearest integer to z, |r| <= 1/2 and
// a minimax polynomial of degree 9.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/inline.h"

#if defined(__SSE4_1__)
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

constexpr double kInvLn2 = 1.44269504088896338700e+00;
constexpr double kTwo52 = 4503599627370496.0;
constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer
constexpr std::uint64_t kMantissa = 0x000FFFFFFFFFFFFFull;
constexpr std::uint64_t kOneBits = 0x3FF0000000000000ull;
constexpr std::uint64_t kTwo52Bits = 0x4330000000000000ull;

constexpr std::uint64_t kSqrtHalfBits = 0x3FE6A09E667F3BCDull;  // sqrt(1/2) rounded up

// Minimax polynomials (the coefficients rounded to doubles): ln m = 2f + f^3 Q(f^2)
// for |f| <= (sqrt(2) - 1) / (sqrt(2) + 1), error below 2^-44.6; 2^r = P(r) for
// |r| <= 1/2, relative error below 2^-46.
constexpr double kLogQ[5] = {0.6666666666738434, 0.39999998787259233, 0.28571756249261226, 0.22191307650156689,
                             0.19364237070873697};
constexpr double kExp2P[10] = {1.0000000000000127,    0.693147180559871,      0.24022650695649653,
                               0.055504108668685624,  0.009618129192067193,   0.0013333557617602426,
                               0.00015403434948103528, 1.5252984839814557e-05, 1.3259405603573696e-06,
                               1.0150336495148618e-07};

constexpr double kErrorBound = 0x1p-38;
constexpr double kLargestBase = 1e10;

// The nearest integer to each lane (|x| < 2^51), whatever the rounding mode:
// the power function's reduction relies on it.
template <int N>
QRX_INLINE typename Vec<N>::d nearest(typename Vec<N>::d a) {
    using D = typename Vec<N>::d;
#if defined(__SSE4_1__)
    double x[N];
    std::memcpy(x, &a, sizeof a);
#if defined(__AVX512F__)
    if constexpr (N % 8 == 0) {
        for (int i = 0; i < N; i += 8)
            _mm512_storeu_pd(x + i, _mm512_roundscale_pd(_mm512_loadu_pd(x + i), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
    } else
#endif
#if defined(__AVX__)
    if constexpr (N % 4 == 0) {
        for (int i = 0; i < N; i += 4)
            _mm256_storeu_pd(x + i, _mm256_round_pd(_mm256_loadu_pd(x + i), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
    } else
#endif
    {
        static_assert(N % 2 == 0, "whole 128-bit registers");
        for (int i = 0; i < N; i += 2)
            _mm_storeu_pd(x + i, _mm_round_pd(_mm_loadu_pd(x + i), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
    }
    D r;
    std::memcpy(&r, x, sizeof r);
    return r;
#else
    // adding 1.5 * 2^52 rounds to an integer in the current mode; a lane that
    // a directed mode left more than a half away from a is moved one step back
    using U = typename Vec<N>::u;
    D j = (a + kRound) - kRound;
    const D off = a - j;  // exact
    j = j + (D)((U)(D{} + 1.0) & (U)(off > 0.5)) - (D)((U)(D{} + 1.0) & (U)(off < -0.5));
    return j;
#endif
}

template <int N>
QRX_INLINE typename Vec<N>::d pow(typename Vec<N>::d x, double y) {
    using D = typename Vec<N>::d;
    using U = typename Vec<N>::u;
    // x = 2^k m, m in [sqrt(1/2), sqrt(2)): the bits of x less those of
    // sqrt(1/2) hold k above the mantissa field (offset by 2048 so that a
    // logical shift reads it)
    const U u = (U)x - (kSqrtHalfBits ^ (1ull << 63));
    const D m = (D)((u & kMantissa) + kSqrtHalfBits);
    const D k = (D)((u >> 52) | kTwo52Bits) - (kTwo52 + 2048.0);

    // ln m = 2 atanh(f) = 2f + f^3 Q(f^2), f = (m - 1) / (m + 1); z = y log2 x,
    // the polynomial's coefficients scaled by y / ln2
    const double ly = y * kInvLn2;
    const D f = (m - 1.0) / (m + 1.0);
    const D s = f * f;
    D q = mul_add(s, D{} + kLogQ[4] * ly, D{} + kLogQ[3] * ly);
    q = mul_add(q, s, D{} + kLogQ[2] * ly);
    q = mul_add(q, s, D{} + kLogQ[1] * ly);
    q = mul_add(q, s, D{} + kLogQ[0] * ly);
    const D z = mul_add(f * s, q, mul_add(k, D{} + y, f * (2.0 * ly)));

    // 2^z = 2^j 2^r, |r| <= 1/2 in every rounding mode
    const D j = nearest<N>(z);
    const D r = z - j;  // exact
    D e = mul_add(r, D{} + kExp2P[9], D{} + kExp2P[8]);
    for (int c = 7; c >= 0; --c) e = mul_add(e, r, D{} + kExp2P[c]);
    return e * (D)(((U)(j + kRound) << 52) + kOneBits);
}

}  // namespace qrx::gtg::power
