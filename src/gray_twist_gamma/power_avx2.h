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

QRX_INLINE __m256d set(double v) { return _mm256_set1_pd(v); }
QRX_INLINE __m256i set_bits(std::uint64_t v) { return _mm256_set1_epi64x(static_cast<long long>(v)); }

// Each step for K registers in turn: the power function is one long chain of
// dependent operations, and K chains side by side keep the units busy where
// one register's chain at a time would wait on each step's latency.
#define QRX_EACH(stmt)                          \
    _Pragma("GCC unroll 16") for (int i = 0; i < K; ++i) { stmt; }

// x[i]^y for x in [2^-1021, kLargestBase] and y in (0, 3], as pow<N> of power.h.
template <int K>
QRX_INLINE void pow4(__m256d (&x)[K], double y) {
    __m256i u[K];
    __m256d m[K], k[K], f[K], s[K], q[K], t[K], z[K], e[K];
    // x = 2^k m, m in [sqrt(1/2), sqrt(2)): the bits of x less those of
    // sqrt(1/2) hold k above the mantissa field (offset by 2048 to make the
    // shift a logical one)
    QRX_EACH(u[i] = _mm256_sub_epi64(_mm256_castpd_si256(x[i]), set_bits(kSqrtHalfBits ^ (1ull << 63))))
    QRX_EACH(m[i] = _mm256_castsi256_pd(_mm256_add_epi64(_mm256_and_si256(u[i], set_bits(kMantissa)), set_bits(kSqrtHalfBits))))
    QRX_EACH(k[i] = _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(_mm256_srli_epi64(u[i], 52), set_bits(kTwo52Bits))),
                                  set(kTwo52 + 2048.0)))
    // ln m = 2 atanh(f) = 2f + f^3 Q(f^2), f = (m - 1) / (m + 1); z = y log2 x,
    // the polynomial's coefficients scaled by y / ln2
    const double ly = y * kInvLn2;
    QRX_EACH(f[i] = _mm256_div_pd(_mm256_sub_pd(m[i], set(1.0)), _mm256_add_pd(m[i], set(1.0))))
    QRX_EACH(s[i] = _mm256_mul_pd(f[i], f[i]))
    QRX_EACH(q[i] = _mm256_fmadd_pd(s[i], set(kLogQ[4] * ly), set(kLogQ[3] * ly)))
    _Pragma("GCC unroll 4") for (int c = 2; c >= 0; --c) QRX_EACH(q[i] = _mm256_fmadd_pd(q[i], s[i], set(kLogQ[c] * ly)))
    QRX_EACH(t[i] = _mm256_fmadd_pd(k[i], set(y), _mm256_mul_pd(f[i], set(2.0 * ly))))
    QRX_EACH(z[i] = _mm256_fmadd_pd(_mm256_mul_pd(f[i], s[i]), q[i], t[i]))
    // 2^z = 2^j 2^r, |r| <= 1/2 in every rounding mode
    QRX_EACH(t[i] = _mm256_round_pd(z[i], _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC))
    QRX_EACH(z[i] = _mm256_sub_pd(z[i], t[i]))  // exact
    QRX_EACH(e[i] = _mm256_fmadd_pd(z[i], set(kExp2P[9]), set(kExp2P[8])))
    _Pragma("GCC unroll 8") for (int c = 7; c >= 0; --c) QRX_EACH(e[i] = _mm256_fmadd_pd(e[i], z[i], set(kExp2P[c])))
    QRX_EACH(x[i] = _mm256_mul_pd(e[i], _mm256_castsi256_pd(_mm256_add_epi64(
                                            _mm256_slli_epi64(_mm256_castpd_si256(_mm256_add_pd(t[i], set(kRound))), 52),
                                            set_bits(kOneBits)))))
}

#undef QRX_EACH

}  // namespace qrx::gtg::power
#endif
