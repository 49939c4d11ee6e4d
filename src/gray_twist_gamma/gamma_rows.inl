// Kernels of the gamma conversion, compiled once per CPU level (the including
// file defines QRX_LEVEL): the curves evaluated per sample (gamma_curves.inl)
// and the table lookups.  A lookup has one possible result,
// so every path gives the same bytes; the paths only differ in speed:
//   8u,  SSSE3 and up: the byte-table lookup of core/byte_table.h for runs of
//        samples (C3, planes); at SSSE3/AVX2 AC4 keeps the plain loop, which is
//        faster there than looking up and merging the alpha back; the
//        byte-permute level stores AC4 with a byte mask;
//   16u: a plain loop of table reads, unrolled; AVX-512: no table, the
//        polynomial form of gamma_poly16.h, 16 lanes at a time.
// In-place calls pass the same pointer twice: each block is read before it is
// written.  AC4 alpha samples are never stored by the byte-masked paths; the
// others merge the alpha back from the destination (written unchanged).
#include <algorithm>
#include <cstring>

#include "core/inline.h"
#include "gray_twist_gamma/gamma_kernels.h"
#include "gray_twist_gamma/gamma_poly16.h"
#include "gray_twist_gamma/power.h"
#include "gray_twist_gamma/power_avx2.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSSE3__)
#include "core/byte_table.h"
#include "core/float_lanes.h"
#include "core/masked_bytes_x86.h"
#endif
namespace qrx::gamma::QRX_LEVEL {
namespace {

#include "gray_twist_gamma/gamma_curves.inl"

[[maybe_unused]] void lut8_ref(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) {
    for (std::ptrdiff_t i = 0; i < n; ++i) d[i] = t[s[i]];
}
[[maybe_unused]] void lut8_ac4_ref(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const u8 a = s[4 * i], b = s[4 * i + 1], c = s[4 * i + 2];
        d[4 * i] = t[a];
        d[4 * i + 1] = t[b];
        d[4 * i + 2] = t[c];
    }
}
// 16u: one sample at a time, unrolled, which keeps the loop to a load, a
// table read and a store per sample.  At 1920x1080 on one AMD EPYC core, with
// the 128 KiB table mostly outside the first-level cache, this measured about
// 1.1x the speed of four table reads per 8-byte load and store (C3), and 1.15x
// that of 8-lane gathers with the alpha lanes masked off (AC4).  With random
// samples the loop is bound by refilling the first-level cache from the
// second (about 2 cycles a sample); below AVX-512 the table still wins: on the
// same core, 8-lane computed forms measured 1.3-1.7x slower (a degree-9
// polynomial in the mantissa times a per-binade factor, the near lanes from
// the table), a third to two thirds of the samples computed beside table reads
// of the others no faster, and a 64 KiB table of byte offsets from every 32nd result 1.2x
// slower (two reads a sample).  A degree-5 polynomial per quarter binade (one
// in-lane permute per coefficient) measured 1.2-1.4x slower alone, 5-17% faster
// for a third of the samples beside table reads: too little for a second form.
void lut16_ref(const u16* s, u16* d, std::ptrdiff_t n, const u16* t) {
#pragma GCC unroll 8
    for (std::ptrdiff_t i = 0; i < n; ++i) d[i] = t[s[i]];
}
void lut16_ac4_ref(const u16* s, u16* d, std::ptrdiff_t n, const u16* t) {
#pragma GCC unroll 4
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const u16 a = s[4 * i], b = s[4 * i + 1], c = s[4 * i + 2];
        d[4 * i] = t[a];
        d[4 * i + 1] = t[b];
        d[4 * i + 2] = t[c];
    }
}

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSSE3__)
// 8u: the whole register looked up at once (core/byte_table.h).
[[maybe_unused]] void lut8_vec(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) {
    qrx::simd::look_up_bytes(s, d, n, t);
}
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(QRX_LANES_HAVE_16)
// The centre of each lane's segment (poly16_centre of gamma_poly16.h) from
// the bits of v, without a table: forward, the start of the quarter binade
// plus an eighth of the binade; inverse, the 2048-block's start plus 1024.
template <bool Fwd>
QRX_INLINE __m512 poly16_centre(__m512 f, __m512i v) {
    if constexpr (Fwd) {
        const __m512 start = _mm512_and_ps(f, _mm512_castsi512_ps(_mm512_set1_epi32(static_cast<int>(0xFFE00000u))));
        const __m512 binade = _mm512_and_ps(f, _mm512_castsi512_ps(_mm512_set1_epi32(0x7F800000)));
        return _mm512_fmadd_ps(binade, _mm512_set1_ps(0.125f), start);  // exact: few bits
    }
    return _mm512_cvtepi32_ps(_mm512_or_si512(_mm512_andnot_si512(_mm512_set1_epi32(2047), v), _mm512_set1_epi32(1024)));
}

// 16u through the polynomial form of gamma_poly16.h, 16 lanes at a time.
// A lane too near a boundary between two results takes the shared results;
// those lanes are noted (with their source samples, for in-place calls) and
// patched after every 64 vectors, not at once: a branch on each vector's
// lanes waits for the whole evaluation, and its mispredictions (it goes the
// rare way for about one vector in 12) made a standalone trial about 12%
// slower.  The patch loop has no branch but its end either: one bit per
// vector says which hold near lanes (1920x1080 on an AMD EPYC: 12-15% faster
// than a loop over every vector's mask).  Listing the lanes with compress
// instructions measured 7% slower, and gathering the AC4 colour samples into
// whole registers (two word permutes in, two out per 16 pixels) about 20%
// slower than computing the alpha lanes too.
template <bool Fwd, bool Ac4>
void poly16_lanes(const u16* s, u16* d, std::ptrdiff_t n, const Poly16& p, const u16* results) {
    struct Table {  // one 32-entry table of the form in two registers
        __m512 lo, hi;
        explicit Table(const float* t) : lo(_mm512_load_ps(t)), hi(_mm512_load_ps(t + 16)) {}
        __m512 at(__m512i key) const { return _mm512_permutex2var_ps(lo, key, hi); }
    };
    const __m512i whole_lo = _mm512_load_si512(p.whole), whole_hi = _mm512_load_si512(p.whole + 16);
    const Table rest(p.rest), c1(p.coef[0]), c2(p.coef[1]), c3(p.coef[2]), c4(p.coef[3]),
        c5(p.coef[4]);
    const __m512i first_curve = _mm512_set1_epi32(p.first_curve);
    const __m512 slope = _mm512_set1_ps(p.slope);
    const __m512 kept = _mm512_set1_ps(0.5f - 0x1p-9f - kPoly16Margin);
    // two registers of 16 samples per step; AC4: every fourth lane (alpha) neither stored nor patched
    constexpr __mmask16 kColour = Ac4 ? 0x7777 : 0xFFFF;
    constexpr int kSteps = 32;
    alignas(64) u16 held[kSteps * 32];  // the sources, for in-place calls
    __mmask16 near[kSteps * 2];
    const std::ptrdiff_t samples = Ac4 ? 4 * n : n;
    std::ptrdiff_t i = 0;
    // 16 lanes: the results as 32-bit integers, and which of them are near a boundary
    auto evaluate = [&](__m256i raw, __mmask16& is_near) {
        const __m512i v = _mm512_cvtepu16_epi32(raw);
        const __m512 f = _mm512_cvtepi32_ps(v);
        const __m512i key = Fwd ? _mm512_srli_epi32(_mm512_castps_si512(f), 21) : _mm512_srli_epi32(v, 11);
        const __m512 t = _mm512_sub_ps(f, poly16_centre<Fwd>(f, v));
        __m512 e = Fwd ? _mm512_fmadd_ps(c5.at(key), t, c4.at(key)) : c4.at(key);
        e = _mm512_fmadd_ps(e, t, c3.at(key));
        e = _mm512_fmadd_ps(e, t, c2.at(key));
        e = _mm512_fmadd_ps(e, t, c1.at(key));
        e = _mm512_fmadd_ps(e, t, rest.at(key));  // y - whole
        const __mmask16 linear = _mm512_cmplt_epi32_mask(v, first_curve);
        e = _mm512_mask_mul_ps(e, linear, f, slope);
        const __m512i w = _mm512_maskz_permutex2var_epi32(static_cast<__mmask16>(~linear), whole_lo, key, whole_hi);
        // y + 0.5 rounded to float moves each boundary by up to half an ulp of y (2^-9 below 65536)
        is_near = _mm512_cmp_ps_mask(_mm512_abs_ps(_mm512_reduce_ps(e, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC)), kept, _CMP_GT_OQ);
        // the forward linear piece is exact (v * 4.5): its halves go to the even neighbour, as rounded here
        if constexpr (Fwd) is_near &= static_cast<__mmask16>(~linear);
        return _mm512_add_epi32(w, _mm512_cvtps_epi32(e));
    };
    while (i + 32 <= samples) {
        const int steps = static_cast<int>(std::min<std::ptrdiff_t>(kSteps, (samples - i) / 32));
        const std::ptrdiff_t start = i;
        std::uint64_t any = 0;  // bit k: vector k has a near lane
        for (int k = 0; k < steps; ++k, i += 32) {
            qrx::simd::prefetch_ahead(s + i, 512);
            qrx::simd::prefetch_ahead(d + i, 512);
            const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
            const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 16));
            const __m512i n0 = evaluate(a, near[2 * k]), n1 = evaluate(b, near[2 * k + 1]);
            near[2 * k] &= kColour, near[2 * k + 1] &= kColour;
            any |= std::uint64_t{near[2 * k] != 0} << (2 * k) | std::uint64_t{near[2 * k + 1] != 0} << (2 * k + 1);
            // 0..65535: kept by the unsigned pack; its 128-bit lanes put back in order
            const __m512i out = _mm512_permutexvar_epi64(_mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), _mm512_packus_epi32(n0, n1));
            if constexpr (Ac4)
                _mm512_mask_storeu_epi16(d + i, 0x77777777u, out);
            else
                _mm512_storeu_si512(d + i, out);
            _mm256_store_si256(reinterpret_cast<__m256i*>(held + 32 * k), a);
            _mm256_store_si256(reinterpret_cast<__m256i*>(held + 32 * k + 16), b);
        }
        // the near lanes from the shared results, in one loop whose only branch is
        // its end (the choice of the next vector is a conditional move)
        while (any != 0) {
            const int k = __builtin_ctzll(any);
            const unsigned m = near[k];
            const int q = 16 * k + __builtin_ctz(m);
            d[start + q] = results[held[q]];
            near[k] = static_cast<__mmask16>(m & (m - 1));
            any = near[k] != 0 ? any : any & (any - 1);
        }
    }
    for (; i < samples; ++i)
        if (!Ac4 || i % 4 != 3) d[i] = results[s[i]];
}
#define QRX_GAMMA_POLY16 \
    {{poly16_lanes<true, false>, poly16_lanes<true, true>}, {poly16_lanes<false, false>, poly16_lanes<false, true>}}
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512VBMI__)
void lut8_vbmi_masked(const u8* s, u8* d, std::ptrdiff_t n, const u8* t, unsigned long long keep) {
    using V = qrx::simd::V512;
    using qrx::simd::store_bytes_masked;
    const qrx::simd::ByteTable<V> table(t);
    std::ptrdiff_t i = 0;
    for (; i + 256 <= n; i += 256) {
        const V::T x0 = V::load(s + i), x1 = V::load(s + i + 64), x2 = V::load(s + i + 128), x3 = V::load(s + i + 192);
        const V::T r0 = table.look(x0), r1 = table.look(x1), r2 = table.look(x2), r3 = table.look(x3);
        store_bytes_masked(d + i, keep, r0);
        store_bytes_masked(d + i + 64, keep, r1);
        store_bytes_masked(d + i + 128, keep, r2);
        store_bytes_masked(d + i + 192, keep, r3);
    }
    for (; i < n; i += 64) {
        const unsigned long long m = qrx::simd::first_bytes(n - i);
        store_bytes_masked(d + i, m & keep, table.look(qrx::simd::load_bytes_masked(s + i, m)));
    }
}

void lut8_vbmi(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) { lut8_vbmi_masked(s, d, n, t, ~0ull); }
void lut8_ac4_vbmi(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) {
    lut8_vbmi_masked(s, d, 4 * n, t, qrx::simd::kFirstThreeOfFour);  // alpha bytes are not stored
}
#endif


}  // namespace

#if defined(QRX_LEVEL_SCALAR) || !defined(__SSSE3__)
extern const Kernels kTable = {lut8_ref, lut8_ac4_ref, lut16_ref, lut16_ac4_ref, QRX_GAMMA_CURVES, {}};
#elif defined(__AVX512VBMI__)
extern const Kernels kTable = {lut8_vbmi, lut8_ac4_vbmi, lut16_ref, lut16_ac4_ref, QRX_GAMMA_CURVES, QRX_GAMMA_POLY16};
#elif defined(QRX_LANES_HAVE_16)
extern const Kernels kTable = {lut8_vec, lut8_ac4_ref, lut16_ref, lut16_ac4_ref, QRX_GAMMA_CURVES, QRX_GAMMA_POLY16};
#elif defined(__AVX2__)
extern const Kernels kTable = {lut8_vec, lut8_ac4_ref, lut16_ref, lut16_ac4_ref, QRX_GAMMA_CURVES, {}};
#else
extern const Kernels kTable = {lut8_vec, lut8_ac4_ref, lut16_ref, lut16_ac4_ref, QRX_GAMMA_CURVES, {}};
#endif

}  // namespace qrx::gamma::QRX_LEVEL
