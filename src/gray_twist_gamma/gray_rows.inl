// Row kernels of the gray conversion, compiled once per CPU level (the
// including file defines QRX_LEVEL).  The 8u body recipe has hand-written
// vector paths (SSE2: AC4; SSSE3: C3 too; AVX2; AVX-512 with and without byte
// permutes), and so do 16u and the 16s body from AVX2 on (float lanes);
// everything else is the plain recipe loop, which the compiler vectorises
// without changing a bit (no reassociation, no contraction).
#include <type_traits>

#include "core/cpu.h"
#include "gray_twist_gamma/gray_kernels.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#include "core/byte_moves_x86.h"
#include "core/channel_words_x86.h"
#include "core/dword_pixels_x86.h"
#include "core/simd_x86.h"
#include "core/simd_x86_sat.h"
#endif
#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
#include "core/four_sample_lanes.h"
#include "core/lane_gathers.h"
#include "core/lane_pixels.h"
#include "core/lane_samples.h"
#endif
namespace qrx::gray::QRX_LEVEL {
namespace {

using namespace qrx::gtg;

template <int SC>
void body8_scalar(const u8* __restrict s, u8* __restrict d, int n, Weights8 w) {
    for (int i = 0; i < n; ++i) d[i] = gray8_body(s[SC * i], s[SC * i + 1], s[SC * i + 2], w);
}

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
using qrx::simd::adds16u;

// The low 16 bits of each 32-bit lane read as signed, shifted right by 4 and
// sign-extended: what the signed packs then clamp to 0..255.
template <class V>
QRX_INLINE typename V::T low_word_sra4(typename V::T s) {
    return V::srai32(V::slli32(s, 16), 20);
}

// Pixels held one per 32-bit lane as bytes (c0, c1, c2, x): per channel
// (c << 8) sits in the low 16 bits, the high half is zero, so the unsigned
// high multiply gives the truncated product and a zero.  The saturating sum
// read as signed 16-bit and shifted right by 4 packs (signed, then unsigned
// saturation) to 0 for sums of 32768 and above and to min(255, S >> 4) below.
template <class V, class T = typename V::T>
QRX_INLINE T body8_lanes(T v, T w0, T w1, T w2) {
    const T m = V::set32(0xFF00);
    const T a = V::and_(V::slli32(v, 8), m);
    const T b = V::and_(v, m);
    const T c = V::and_(V::srli32(v, 8), m);
    return low_word_sra4<V>(adds16u<V>(adds16u<V>(V::mulhi16u(a, w0), V::mulhi16u(b, w1)), V::mulhi16u(c, w2)));
}
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
// 256/512-bit body: pixels one per 32-bit lane as bytes (c0, c1, c2, x), seen
// as two 16-bit halves (c1:c0, x:c2).  Shifting each half left by 8 gives
// (c0 << 8, c2 << 8), masking the high bytes gives (c1 << 8, x << 8); the
// high multiplies by (W0, W2) and (W1, 0) give (P0, P2) and (P1, 0).  Two
// saturating adds leave S = sat(sat(P0 + P1) + P2) in the low half; S >> 4
// as signed 16-bit, sign-extended to 32 bits, packs (signed 32 -> 16, then
// unsigned 8) to 0 for S >= 32768 and to min(255, S >> 4) below.  One load
// per vector (in_register): keeps the compiler from folding the same
// (possibly line-splitting) load into two instructions.
template <class V, class T = typename V::T>
QRX_INLINE T body8_px(T v, T w02, T w1) {
    v = qrx::simd::in_register(v);
    const T p02 = V::mulhi16u(V::slli16(v, 8), w02);
    const T p1 = V::mulhi16u(V::and_(v, V::set16(0xFF00)), w1);
    const T s1 = adds16u<V>(p02, p1);
    return low_word_sra4<V>(adds16u<V>(s1, V::srli32(s1, 16)));
}

// kLanes32 pixels of SC bytes, one per 32-bit lane.
template <class V, int SC>
QRX_INLINE typename V::T load_px(const u8* p) {
    if constexpr (SC == 3)
        return qrx::simd::load_c3_dwords<V>(p);
    else
        return V::load(p);
}

// 4 kLanes32 pixels through body8_px, stored as bytes.
template <class V, int SC>
QRX_INLINE void body8_px4(const u8* p, u8* d, typename V::T w02, typename V::T w1) {
    constexpr int n = V::kLanes32 * SC;
    qrx::simd::store_bytes_of_dwords<V>(d, body8_px<V>(load_px<V, SC>(p), w02, w1), body8_px<V>(load_px<V, SC>(p + n), w02, w1),
                                        body8_px<V>(load_px<V, SC>(p + 2 * n), w02, w1),
                                        body8_px<V>(load_px<V, SC>(p + 3 * n), w02, w1));
}

#if defined(__AVX512VBMI__)
// With byte permutes: 64 pixels become per channel two vectors of 32 words
// holding c << 8, then three high multiplies, two saturating adds, a signed
// shift by 4 and a saturating pack.
template <int SC>
int body8_vbmi(const u8* s, u8* d, int n, Weights8 w) {
    using V = qrx::simd::V512;
    const V::T w0 = V::set16(w.w0), w1 = V::set16(w.w1), w2 = V::set16(w.w2);
    auto sum = [&](const V::T c[3]) {  // S >> 4 as signed words
        return V::srai16(adds16u<V>(adds16u<V>(V::mulhi16u(c[0], w0), V::mulhi16u(c[1], w1)), V::mulhi16u(c[2], w2)), 4);
    };
    int i = 0;
    for (; i + 64 <= n; i += 64) {
        V::T c[2][3];
        qrx::simd::load_channel_words_hi<SC>(s + SC * i, c);
        V::store(d + i, qrx::simd::packus16_in_rows<V>(sum(c[0]), sum(c[1])));
    }
    return i;
}
#endif  // __AVX512VBMI__

// Four-byte pixels with weights whose sum cannot saturate (exact in body8):
// S is exact and S >> 4 at most 255.  32 pixels a time at 256 bits: per 8
// pixels one multiply-high of (c0 << 8, c2 << 8) gives (P0, P2), and a
// multiply-add by ones their sum; the c1 of two registers masked to (c1 << 8)
// dwords and packed make one register of words, each lane's first half from
// the first register, the order in which the pack of the two registers'
// P0 + P2 gives them, so 16 sums take one multiply-high more and one add: 6
// multiply-highs per 32 pixels in place of 8 (on an AMD EPYC at 1920x1080
// beside the peer: 0.92 -> 0.99-1.01 at avx2; 15.6 -> 18 Gpix/s in cache).
// Multiply-adds rather than horizontal adds: on an AMD EPYC without AVX-512,
// where a horizontal add takes two cycles, 3% faster beside the peer at
// 1920x1080 than one half by horizontal add (0.95 -> 0.97-1.00); on the one
// with AVX-512, at avx2, 1% slower.  Two steps per pass of the loop: 2% more
// there (0.97-0.99 -> 0.99-1.01).
int exact_ac4_256(const u8* s, u8* d, int i, int n, Weights8 w) {
    using V = qrx::simd::V256;
    using T = V::T;
    const T k02 = V::pair16(w.w0, w.w2), k1 = V::set16(w.w1), c1_mask = V::set32(0xFF00), ones = V::set16(1);
    // (S >> 4) of pixels 0-3, 8-11 | 4-7, 12-15 from P0 + P2 in that order (as the
    // multiply-adds and the pack give them)
    auto sums16 = [&](T a, T b, T p02) {
        const T c1 = _mm256_packus_epi32(V::and_(a, c1_mask), V::and_(b, c1_mask));
        return V::srli16(V::add16(p02, V::mulhi16u(c1, k1)), 4);
    };
    auto p02_of = [&](T v) { return V::mulhi16u(V::slli16(v, 8), k02); };
    auto load = [](const u8* p) { return qrx::simd::in_register(V::load(p)); };
    // the packed bytes hold, lane 0, pixels 0-3, 8-11, 16-19, 24-27, lane 1 the groups between
    const __m256i in_order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
#pragma GCC unroll 2
    for (; i + 32 <= n; i += 32) {
        const u8* p = s + 4 * i;
        const T a = load(p), b = load(p + 32), c = load(p + 64), e = load(p + 96);
        const T lo = sums16(a, b, V::packs32(V::madd(p02_of(a), ones), V::madd(p02_of(b), ones)));
        const T hi = sums16(c, e, V::packs32(V::madd(p02_of(c), ones), V::madd(p02_of(e), ones)));
        V::store(d + i, _mm256_permutevar8x32_epi32(V::packus16(lo, hi), in_order));
    }
    return i;
}

#if defined(__AVX512BW__)
// The same at 512 bits, pixels kept in 32-bit lanes: one multiply-add gives S
// (1920x1080 beside the peer: 0.92 -> 1.35 on an AMD EPYC).
int exact_ac4_512(const u8* s, u8* d, int i, int n, Weights8 w) {
    using W = qrx::simd::V512;
    using T = W::T;
    const T high = W::set16(0xFF00), ones = W::set16(1), k02 = W::pair16(w.w0, w.w2), k1 = W::set32(w.w1);
    auto sum = [&](const u8* p) {
        const T v = qrx::simd::in_register(W::load(p));
        return W::madd(W::add16(W::mulhi16u(W::slli16(v, 8), k02), W::mulhi16u(W::and_(v, high), k1)), ones);
    };
    for (; i + 64 <= n; i += 64) {
        const u8* p = s + 4 * i;
        const T lo = W::srli16(W::packs32(sum(p), sum(p + 64)), 4);
        const T hi = W::srli16(W::packs32(sum(p + 128), sum(p + 192)), 4);
        qrx::simd::store_bytes_of_words<W>(d + i, lo, hi);
    }
    return i;
}
#endif

template <int SC>
void body8(const u8* __restrict s, u8* __restrict d, int n, Weights8 w) {
    using V = qrx::simd::V256;
    const V::T w02 = V::pair16(w.w0, w.w2), w1 = V::set32(w.w1);
    int i = 0;
    // AC4 with weights that cannot saturate: exact_ac4_* (measured no slower
    // than the byte-permute body)
    const bool exact = SC == 4 && (255u * w.w0 >> 8) + (255u * w.w1 >> 8) + (255u * w.w2 >> 8) < 4096u;
#if defined(__AVX512VBMI__)
    if (!exact) i = body8_vbmi<SC>(s, d, n, w);
#elif defined(__AVX512BW__)
    // 512-bit pixels in 32-bit lanes only for four-byte pixels with weights that
    // may saturate: on an Intel Xeon the exact four-byte loop and the three-byte
    // body below measured faster at 256 bits (1920x1080: 380 against 480 us, 315
    // against 375); the exact loop takes 512 bits where they run at full width
    if (SC == 4 && !exact) {
        using W = qrx::simd::V512;
        const W::T x02 = W::pair16(w.w0, w.w2), x1 = W::set32(w.w1);
        for (; i + 64 <= n; i += 64) body8_px4<W, SC>(s + SC * i, d + i, x02, x1);
    }
#endif
    if constexpr (SC == 3) {
        // three-byte pixels: 16 per register of (c << 8) words, as the recipe
        // multiplies them, in place of 8 per register of 32-bit lanes; the
        // saturating sum read as signed and shifted packs as in body8_px
        const V::T k0 = V::set16(w.w0), k1 = V::set16(w.w1), k2 = V::set16(w.w2);
        auto half = [&](const u8* p) {
            V::T c0, c1, c2;
            qrx::simd::load_c3<V, 1>(p, c0, c1, c2);
            return V::srai16(adds16u<V>(adds16u<V>(V::mulhi16u(c0, k0), V::mulhi16u(c1, k1)), V::mulhi16u(c2, k2)), 4);
        };
        for (; i + 32 <= n; i += 32) V::store(d + i, V::packus16_rows(half(s + 3 * i), half(s + 3 * i + 48)));
    }
    if constexpr (SC == 4) {
        // weights whose three largest products sum below 4096 (the standard
        // ones: 4080) never saturate and never reach the sign bit
        if (exact) {
#if defined(__AVX512BW__)
            if (qrx::cpu::full_width_512()) i = exact_ac4_512(s, d, i, n, w);
#endif
            i = exact_ac4_256(s, d, i, n, w);
        }
    }
    for (; i + 32 <= n; i += 32) body8_px4<V, SC>(s + SC * i, d + i, w02, w1);
    for (; i + 8 <= n; i += 8) qrx::simd::store_bytes_of_dwords<V>(d + i, body8_px<V>(load_px<V, SC>(s + SC * i), w02, w1));
    body8_scalar<SC>(s + SC * i, d + i, n - i, w);
}
#elif !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
template <int SC>
void body8(const u8* __restrict s, u8* __restrict d, int n, Weights8 w) {
    using V = qrx::simd::V128;
    const V::T w0 = V::set32(w.w0), w1 = V::set32(w.w1), w2 = V::set32(w.w2);
    auto px = [&](V::T v) { return body8_lanes<V>(v, w0, w1, w2); };
    int i = 0;
    if constexpr (SC == 4) {
        for (; i + 16 <= n; i += 16) {
            const u8* p = s + 4 * i;
            qrx::simd::store_bytes_of_dwords<V>(d + i, px(V::load(p)), px(V::load(p + 16)), px(V::load(p + 32)),
                                                px(V::load(p + 48)));
        }
    }
#if defined(__SSSE3__)
    if constexpr (SC == 3) {
        for (; i + 16 <= n; i += 16) {
            V::T r[4];
            qrx::simd::load_c3_dwords4<V>(s + 3 * i, r);
            qrx::simd::store_bytes_of_dwords<V>(d + i, px(r[0]), px(r[1]), px(r[2]), px(r[3]));
        }
        for (; i + 4 <= n; i += 4) qrx::simd::store_bytes_of_dwords<V>(d + i, px(qrx::simd::load_c3_dwords<V>(s + 3 * i)));
    }
#endif
    body8_scalar<SC>(s + SC * i, d + i, n - i, w);
}
#else
template <int SC>
void body8(const u8* __restrict s, u8* __restrict d, int n, Weights8 w) {
    body8_scalar<SC>(s, d, n, w);
}
#endif

template <int SC>
void tail8(const u8* __restrict s, u8* __restrict d, int n, Weights8 w) {
    for (int i = 0; i < n; ++i) d[i] = gray8_tail(s[SC * i], s[SC * i + 1], s[SC * i + 2], w);
}

template <int SC>
void g16u(const u16* __restrict s, u16* __restrict d, int n, const WeightsF& w) {
    const WeightsF k = w;
    for (int i = 0; i < n; ++i) d[i] = gray16u(s[SC * i], s[SC * i + 1], s[SC * i + 2], k);
}

template <int SC>
void g16s_body(const s16* __restrict s, s16* __restrict d, int n, const WeightsF& w) {
    const WeightsF k = w;
    for (int i = 0; i < n; ++i) d[i] = gray16s_body(s[SC * i], s[SC * i + 1], s[SC * i + 2], k);
}

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
// 16u and the 16s body at 256 and 512 bits: a register of pixels in float
// lanes, the sum in the recipe's order, truncated; 16u keeps the low 16 bits,
// 16s removes the offset and saturates.  (The compiler's own vectorisation of
// the loops above reached 0.8 of memcpy at avx2 on 16u.)
#if defined(QRX_LANES_HAVE_16)
using GrayLanes = lanes::F16;
#else
using GrayLanes = lanes::F8;
#endif
template <int SC, class T>
void g16_lanes(const T* __restrict s, T* __restrict d, int n, const WeightsF& w) {
    using F = GrayLanes;
    constexpr int kW = F::kWidth;
    constexpr bool kSigned = std::is_same_v<T, s16>;
    const F w0(w.w0), w1(w.w1), w2(w.w2), o(kSigned ? 32768.0f : 0.0f);
    int i = 0;
    for (; i + kW <= n; i += kW) {
        F c[3];
        if constexpr (SC == 3)
            lanes::gather3(lanes::widen_lanes<F>(s + 3 * i), lanes::widen_lanes<F>(s + 3 * i + kW),
                           lanes::widen_lanes<F>(s + 3 * i + 2 * kW), c);
        else
            lanes::load_c4_first3(s + 4 * i, c);
        for (auto& x : c) x = kSigned ? lanes::as_float<T>(x) + o : lanes::as_float<T>(x);
        const auto t = lanes::cvtt((w0 * c[0] + w1 * c[1]) + w2 * c[2]);
        if constexpr (kSigned)
            lanes::narrow_lanes(d + i, lanes::raw_bits(lanes::iclamp(t - decltype(t)(32768), -32768, 32767)));
        else
            lanes::narrow_lanes(d + i, lanes::raw_bits(lanes::and_bits(t, 0xFFFF)));
    }
    if constexpr (kSigned)
        g16s_body<SC>(s + SC * i, d + i, n - i, w);
    else
        g16u<SC>(s + SC * i, d + i, n - i, w);
}
#define QRX_GRAY_16U(SC) g16_lanes<SC, u16>
#define QRX_GRAY_16S_BODY(SC) g16_lanes<SC, s16>
#else
#define QRX_GRAY_16U(SC) g16u<SC>
#define QRX_GRAY_16S_BODY(SC) g16s_body<SC>
#endif

template <int SC>
void g16s_tail(const s16* __restrict s, s16* __restrict d, int n, const WeightsF& w) {
    const WeightsF k = w;
    for (int i = 0; i < n; ++i) d[i] = gray16s_tail(s[SC * i], s[SC * i + 1], s[SC * i + 2], k);
}

template <int SC>
void g32f(const float* __restrict s, float* __restrict d, int n, const WeightsF& w) {
    const WeightsF k = w;
    for (int i = 0; i < n; ++i) d[i] = gray_f(s[SC * i], s[SC * i + 1], s[SC * i + 2], k);
}

}  // namespace

extern const Kernels kTable = {
    body8<3>,     tail8<3>,     body8<4>,     tail8<4>,     QRX_GRAY_16U(3), QRX_GRAY_16U(4),
    QRX_GRAY_16S_BODY(3), g16s_tail<3>, QRX_GRAY_16S_BODY(4), g16s_tail<4>, g32f<3>, g32f<4>,
};

}  // namespace qrx::gray::QRX_LEVEL
