// The power function of power.h on one AVX2 register of four doubles: the
// same operations in the same order, the polynomial steps fused as power.h
// fuses them where the level has fused multiply-adds, so it gives power.h's
// bits and keeps its error bound (kErrorBound).  Written on registers because
// the vector-extension form spills on 16 registers: at 1920x1080 on an AMD
// EPYC without AVX-512 the 32f curves spent more instructions moving lanes
// through memory than computing.
#pragma once

#if defined(__AVX2__) && defined(__FMA__)
#include <immintrin.h>

#include <cstdint>

#include "core/inline.h"
#include "gray_twist_gamma/power.h"

namespace qrx::gtg::power {

constexpr std::uint64_t kRoundBits = 0x4338000000000000ull;  // the bits of kRound

QRX_INLINE __m256d set(double v) { return _mm256_set1_pd(v); }
QRX_INLINE __m256i set_bits(std::uint64_t v) { return _mm256_set1_epi64x(static_cast<long long>(v)); }

// Each step for K registers in turn: the power function is one long chain of
// dependent operations, and K chains side by side keep the units busy where
// one register's chain at a time would wait on each step's latency.
#define QRX_EACH(stmt)                          \
    _Pragma("GCC unroll 8") for (int i = 0; i < K; ++i) { stmt; }

// x[i]^y for x in [2^-1021, kLargestBase] and y in (0, 3], as pow<N> of power.h.
template <int K>
QRX_INLINE void pow4(__m256d (&x)[K], double y) {
    __m256i bits[K], big[K];
    __m256d m[K], k[K], b[K], f[K], s[K], q[K], t[K], r[K], e[K];
    // x = 2^k m, m in [sqrt(1/2), sqrt(2)) (halved exactly through its exponent field)
    QRX_EACH(bits[i] = _mm256_castpd_si256(x[i]))
    QRX_EACH({
        const __m256i mbits = _mm256_or_si256(_mm256_and_si256(bits[i], set_bits(kMantissa)), set_bits(kOneBits));
        big[i] = _mm256_cmpgt_epi64(mbits, set_bits(kSqrt2Bits - 1));  // m >= sqrt(2)
        m[i] = _mm256_castsi256_pd(_mm256_sub_epi64(mbits, _mm256_and_si256(big[i], set_bits(1ull << 52))));
    })
    QRX_EACH({
        const __m256d exponent =
            _mm256_castsi256_pd(_mm256_or_si256(_mm256_srli_epi64(bits[i], 52), set_bits(kTwo52Bits)));
        k[i] = _mm256_add_pd(_mm256_sub_pd(_mm256_sub_pd(exponent, set(kTwo52)), set(1023.0)),
                             _mm256_castsi256_pd(_mm256_and_si256(big[i], set_bits(kOneBits))));
    })
    // f = (m - 1) / (m + 1) from the float quotient and one Newton step
    QRX_EACH(b[i] = _mm256_add_pd(m[i], set(1.0)))
    QRX_EACH(f[i] = _mm256_cvtps_pd(_mm_div_ps(_mm_set1_ps(1.0f), _mm256_cvtpd_ps(b[i]))))
    QRX_EACH(f[i] = _mm256_mul_pd(_mm256_sub_pd(m[i], set(1.0)), _mm256_mul_pd(f[i], _mm256_fnmadd_pd(b[i], f[i], set(2.0)))))
    // ln m = 2 (f + f^3 / 3 + ... + f^15 / 15)
    QRX_EACH(s[i] = _mm256_mul_pd(f[i], f[i]))
    QRX_EACH(q[i] = _mm256_fmadd_pd(s[i], set(2.0 / 15), set(2.0 / 13)))
    for (const double c : {2.0 / 11, 2.0 / 9, 2.0 / 7, 2.0 / 5, 2.0 / 3}) QRX_EACH(q[i] = _mm256_fmadd_pd(q[i], s[i], set(c)))
    QRX_EACH(t[i] = _mm256_fmadd_pd(k[i], set(kLn2), _mm256_add_pd(f[i], f[i])))
    QRX_EACH(r[i] = _mm256_mul_pd(_mm256_fmadd_pd(_mm256_mul_pd(f[i], s[i]), q[i], t[i]), set(y)))  // z
    // e^z = 2^j e^r
    QRX_EACH(t[i] = _mm256_fmadd_pd(r[i], set(kInvLn2), set(kRound)))
    QRX_EACH(r[i] = _mm256_fnmadd_pd(_mm256_sub_pd(t[i], set(kRound)), set(kLn2), r[i]))
    QRX_EACH(e[i] = _mm256_fmadd_pd(r[i], set(1.0 / 39916800.0), set(1.0 / 3628800.0)))
    for (const double c : {1.0 / 362880.0, 1.0 / 40320.0, 1.0 / 5040.0, 1.0 / 720.0, 1.0 / 120.0, 1.0 / 24.0, 1.0 / 6.0, 0.5})
        QRX_EACH(e[i] = _mm256_fmadd_pd(e[i], r[i], set(c)))
    QRX_EACH({
        const __m256d sum = _mm256_add_pd(set(1.0), _mm256_fmadd_pd(_mm256_mul_pd(r[i], r[i]), e[i], r[i]));
        const __m256i scale = _mm256_slli_epi64(
            _mm256_add_epi64(_mm256_sub_epi64(_mm256_castpd_si256(t[i]), set_bits(kRoundBits)), set_bits(1023)), 52);
        x[i] = _mm256_mul_pd(sum, _mm256_castsi256_pd(scale));
    })
}

#undef QRX_EACH

}  // namespace qrx::gtg::power
#endif
