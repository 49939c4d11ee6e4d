// Row kernels of the gray conversion, compiled once per CPU level (the
// including file defines QRX_LEVEL).  The 8u body recipe has hand-written
// vector paths (SSE2: AC4; SSSE3: C3 too; AVX2; AVX-512 with and without byte
// permutes); everything else is the plain recipe loop, which the compiler
// vectorises without changing a bit (no reassociation, no contraction).
#include <array>

#include "core/cpu.h"
#include "gray_twist_gamma/gray_kernels.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#include <immintrin.h>

#include "core/simd_x86.h"
#include "core/simd_x86_sat.h"
#endif
namespace qrx::gray::QRX_LEVEL {
namespace {

using namespace qrx::gtg;

template <int SC>
void body8_scalar(const u8* __restrict s, u8* __restrict d, int n, Weights8 w) {
    for (int i = 0; i < n; ++i) d[i] = gray8_body(s[SC * i], s[SC * i + 1], s[SC * i + 2], w);
}

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
// Pixels held one per 32-bit lane as bytes (c0, c1, c2, x): per channel
// (c << 8) sits in the low 16 bits, the high half is zero, so the unsigned
// high multiply gives the truncated product and a zero.  The saturating sum
// read as signed 16-bit and shifted right by 4 packs (signed, then unsigned
// saturation) to 0 for sums of 32768 and above and to min(255, S >> 4) below.
QRX_INLINE __m128i body8_lanes(__m128i v, __m128i w0, __m128i w1, __m128i w2) {
    using V = qrx::simd::V128;
    const __m128i m = V::set32(0xFF00);
    const __m128i a = V::and_(V::slli32(v, 8), m);
    const __m128i b = V::and_(v, m);
    const __m128i c = V::and_(V::srli32(v, 8), m);
    const __m128i s = qrx::simd::adds16u<V>(qrx::simd::adds16u<V>(V::mulhi16u(a, w0), V::mulhi16u(b, w1)), V::mulhi16u(c, w2));
    return V::srai32(V::slli32(s, 16), 20);
}
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
// 256/512-bit body: pixels one per 32-bit lane as bytes (c0, c1, c2, x), seen
// as two 16-bit halves (c1:c0, x:c2).  Shifting each half left by 8 gives
// (c0 << 8, c2 << 8), masking the high bytes gives (c1 << 8, x << 8); the
// high multiplies by (W0, W2) and (W1, 0) give (P0, P2) and (P1, 0).  Two
// saturating adds leave S = sat(sat(P0 + P1) + P2) in the low half; S >> 4
// as signed 16-bit, zero-extended to 32 bits, packs (unsigned 32 -> 16, then
// signed 16 -> unsigned 8) to 0 for S >= 32768 and to min(255, S >> 4) below.
// One load per vector: keeps the compiler from folding the same (possibly
// line-splitting) load into two instructions.
template <class V>
QRX_INLINE V in_register(V v) {
#if defined(__GNUC__)
    __asm__("" : "+v"(v));
#endif
    return v;
}

template <class V>
QRX_INLINE typename V::T body8_px(typename V::T v, typename V::T w02, typename V::T w1) {
    using qrx::simd::adds16u;
    v = in_register(v);
    const typename V::T p02 = V::mulhi16u(V::slli16(v, 8), w02);
    const typename V::T p1 = V::mulhi16u(V::and_(v, V::set16(0xFF00)), w1);
    const typename V::T s1 = adds16u<V>(p02, p1);
    const typename V::T s = adds16u<V>(s1, V::srli32(s1, 16));
    return V::and_(V::srai16(s, 4), V::set32(0xFFFF));
}
QRX_INLINE __m256i body8_px256(__m256i v, __m256i w02, __m256i w1) { return body8_px<qrx::simd::V256>(v, w02, w1); }

// 8 C3 pixels (24 bytes, read without going past them) as 32-bit lanes.
QRX_INLINE __m256i load8_c3(const u8* p) {
    const __m256i shuf = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                          0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hi = _mm_srli_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), 4);
    return _mm256_shuffle_epi8(_mm256_set_m128i(hi, lo), shuf);
}
QRX_INLINE __m256i load8_ac4(const u8* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }

// Two vectors of words, each two packs of 8 lanes, to 32 bytes in pixel order.
QRX_INLINE void store_words32(u8* d, __m256i w01, __m256i w23) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm256_permutevar8x32_epi32(_mm256_packus_epi16(w01, w23),
                                                                                   _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)));
}
// Four vectors of 8 lanes to 32 bytes in pixel order.
QRX_INLINE void store32(u8* d, __m256i r0, __m256i r1, __m256i r2, __m256i r3) {
    store_words32(d, _mm256_packus_epi32(r0, r1), _mm256_packus_epi32(r2, r3));
}
QRX_INLINE void store8(u8* d, __m256i r) {
    const __m256i w = _mm256_packus_epi32(r, r);
    const __m256i b = _mm256_packus_epi16(w, w);
    const __m128i q = _mm_unpacklo_epi32(_mm256_castsi256_si128(b), _mm256_extracti128_si256(b, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), q);
}

#if defined(__AVX512BW__)
QRX_INLINE __m512i body8_px512(__m512i v, __m512i w02, __m512i w1) { return body8_px<qrx::simd::V512>(v, w02, w1); }
// 16 C3 pixels (48 bytes, masked load): 12 bytes into each 128-bit lane, then
// one byte shuffle to 32-bit lanes.
QRX_INLINE __m512i load16_c3(const u8* p) {
    const __m512i v = _mm512_maskz_loadu_epi32(0x0FFF, p);
    const __m512i spread = _mm512_permutexvar_epi32(_mm512_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 11), v);
    const __m512i shuf = _mm512_set4_epi32(static_cast<int>(0xFF0B0A09u), static_cast<int>(0xFF080706u),
                                           static_cast<int>(0xFF050403u), static_cast<int>(0xFF020100u));
    return _mm512_shuffle_epi8(spread, shuf);
}
QRX_INLINE void store64(u8* d, __m512i r0, __m512i r1, __m512i r2, __m512i r3) {
    const __m512i b = _mm512_packus_epi16(_mm512_packus_epi32(r0, r1), _mm512_packus_epi32(r2, r3));
    // lane k holds dwords (r0, r1, r2, r3) of source lane k
    _mm512_storeu_si512(d, _mm512_permutexvar_epi32(
                               _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15), b));
}

#if defined(__AVX512VBMI__)
// With byte permutes: 64 pixels become per channel two vectors of 32 words
// holding c << 8 (the permute picks channel bytes from two source vectors into
// the high byte of each word and zeroes the low byte), then three high
// multiplies, two saturating adds, a signed shift by 4 and a saturating pack.
template <int SC, int C, int Base = 0>
struct ChannelIndex {
    // byte 2w + 1 of word w takes channel C of pixel w; indices are relative to
    // the two-vector window that holds the 32 pixels
    static constexpr std::array<u8, 64> make() {
        std::array<u8, 64> a{};
        for (int w = 0; w < 32; ++w) {
            a[2 * w] = 0;
            a[2 * w + 1] = static_cast<u8>(Base + SC * w + C);
        }
        return a;
    }
    alignas(64) static constexpr std::array<u8, 64> value = make();
};

// 32 pixels from the two-vector window (a, b): S >> 4 as signed words.
QRX_INLINE __m512i vbmi_half(__m512i a, __m512i b, __m512i i0, __m512i i1, __m512i i2, __m512i w0, __m512i w1,
                             __m512i w2) {
    const __mmask64 odd = 0xAAAAAAAAAAAAAAAAull;
    const __m512i p0 = _mm512_mulhi_epu16(_mm512_maskz_permutex2var_epi8(odd, a, i0, b), w0);
    const __m512i p1 = _mm512_mulhi_epu16(_mm512_maskz_permutex2var_epi8(odd, a, i1, b), w1);
    const __m512i p2 = _mm512_mulhi_epu16(_mm512_maskz_permutex2var_epi8(odd, a, i2, b), w2);
    using V = qrx::simd::V512;
    return V::srai16(qrx::simd::adds16u<V>(qrx::simd::adds16u<V>(p0, p1), p2), 4);
}

QRX_INLINE __m512i load_once(const u8* p) {
    __m512i v = _mm512_loadu_si512(p);
    __asm__("" : "+v"(v));
    return v;
}

template <int SC>
int body8_vbmi(const u8* s, u8* d, int n, Weights8 w) {
    const __m512i i0 = _mm512_load_si512(ChannelIndex<SC, 0>::value.data());
    const __m512i i1 = _mm512_load_si512(ChannelIndex<SC, 1>::value.data());
    const __m512i i2 = _mm512_load_si512(ChannelIndex<SC, 2>::value.data());
    const __m512i w0 = _mm512_set1_epi16(static_cast<short>(w.w0));
    const __m512i w1 = _mm512_set1_epi16(static_cast<short>(w.w1));
    const __m512i w2 = _mm512_set1_epi16(static_cast<short>(w.w2));
    const __m512i order = _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7);
#define half(a, b) vbmi_half(a, b, i0, i1, i2, w0, w1, w2)
    // C3: pixels 32..63 (bytes 96..191) are read through the window starting at
    // byte 64, so nothing past the 64 pixels is read
    const __m512i j0 = _mm512_load_si512(ChannelIndex<SC, 0, 32>::value.data());
    const __m512i j1 = _mm512_load_si512(ChannelIndex<SC, 1, 32>::value.data());
    const __m512i j2 = _mm512_load_si512(ChannelIndex<SC, 2, 32>::value.data());
    int i = 0;
    for (; i + 64 <= n; i += 64) {
        const u8* p = s + SC * i;
        __m512i lo, hi;
        if constexpr (SC == 4) {
            const __m512i v0 = load_once(p), v1 = load_once(p + 64), v2 = load_once(p + 128), v3 = load_once(p + 192);
            lo = half(v0, v1);
            hi = half(v2, v3);
        } else {
            const __m512i v0 = load_once(p), v1 = load_once(p + 64), v2 = load_once(p + 128);
            lo = half(v0, v1);
            hi = vbmi_half(v1, v2, j0, j1, j2, w0, w1, w2);
        }
        _mm512_storeu_si512(d + i, _mm512_permutexvar_epi64(order, _mm512_packus_epi16(lo, hi)));
    }
#undef half
    return i;
}
#endif  // __AVX512VBMI__

#endif

template <int SC>
void body8(const u8* __restrict s, u8* __restrict d, int n, Weights8 w) {
    const __m256i w02 = _mm256_set1_epi32(static_cast<int>(w.w0 | (static_cast<unsigned>(w.w2) << 16)));
    const __m256i w1 = _mm256_set1_epi32(w.w1);
    auto load = [](const u8* p) { return SC == 3 ? load8_c3(p) : load8_ac4(p); };
    int i = 0;
    // AC4 with weights that cannot saturate: the multiply-add loop below (at
    // copy speed, measured no slower than the byte-permute body)
    const bool exact = SC == 4 && (255u * w.w0 >> 8) + (255u * w.w1 >> 8) + (255u * w.w2 >> 8) < 4096u;
#if defined(__AVX512VBMI__)
    if (!exact) i = body8_vbmi<SC>(s, d, n, w);
#elif defined(__AVX512BW__)
    {
        const __m512i x02 = _mm512_set1_epi32(static_cast<int>(w.w0 | (static_cast<unsigned>(w.w2) << 16)));
        const __m512i x1 = _mm512_set1_epi32(w.w1);
        auto load16 = [](const u8* p) {
            return SC == 3 ? load16_c3(p) : _mm512_loadu_si512(p);
        };
        for (; i + 64 <= n; i += 64) {
            const u8* p = s + SC * i;
            store64(d + i, body8_px512(load16(p), x02, x1), body8_px512(load16(p + 16 * SC), x02, x1),
                    body8_px512(load16(p + 32 * SC), x02, x1), body8_px512(load16(p + 48 * SC), x02, x1));
        }
    }
#endif
    if constexpr (SC == 3) {
        // three-byte pixels: 16 per register of (c << 8) words, as the recipe
        // multiplies them, in place of 8 per register of 32-bit lanes; the
        // saturating sum read as signed and shifted packs as in body8_px256
        const __m256i k0 = _mm256_set1_epi16(static_cast<short>(w.w0)), k1 = _mm256_set1_epi16(static_cast<short>(w.w1)),
                      k2 = _mm256_set1_epi16(static_cast<short>(w.w2));
        auto half = [&](const u8* p) {
            __m256i c0, c1, c2;
            qrx::simd::load_c3<qrx::simd::V256, 1>(p, c0, c1, c2);
            using V = qrx::simd::V256;
            return V::srai16(qrx::simd::adds16u<V>(qrx::simd::adds16u<V>(V::mulhi16u(c0, k0), V::mulhi16u(c1, k1)),
                                                   V::mulhi16u(c2, k2)),
                             4);
        };
        for (; i + 32 <= n; i += 32) {
            const __m256i b = _mm256_packus_epi16(half(s + 3 * i), half(s + 3 * i + 48));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), _mm256_permute4x64_epi64(b, 0xD8));
        }
    }
    if constexpr (SC == 4) {
        // Weights whose three largest products sum below 4096 (the standard
        // ones: 4080) never saturate and never reach the sign bit, so the sum
        // is exact and S >> 4 at most 255: one multiply-add gives S in 32-bit
        // lanes, and the shift is done once on the packed words.
        if (exact) {
            using V = qrx::simd::V256;
            const __m256i high = V::set16(0xFF00), ones = V::set16(1);
            auto sum = [&](const u8* p) {
                const __m256i v = in_register(load8_ac4(p));
                return V::madd(V::add16(V::mulhi16u(V::slli16(v, 8), w02), V::mulhi16u(V::and_(v, high), w1)), ones);
            };
            for (; i + 32 <= n; i += 32) {
                const u8* p = s + 4 * i;
                const __m256i lo = V::srli16(V::packs32(sum(p), sum(p + 32)), 4);
                const __m256i hi = V::srli16(V::packs32(sum(p + 64), sum(p + 96)), 4);
                store_words32(d + i, lo, hi);
            }
        }
    }
    for (; i + 32 <= n; i += 32) {
        const u8* p = s + SC * i;
        store32(d + i, body8_px256(load(p), w02, w1), body8_px256(load(p + 8 * SC), w02, w1),
                body8_px256(load(p + 16 * SC), w02, w1), body8_px256(load(p + 24 * SC), w02, w1));
    }
    for (; i + 8 <= n; i += 8) store8(d + i, body8_px256(load(s + SC * i), w02, w1));
    body8_scalar<SC>(s + SC * i, d + i, n - i, w);
}
#elif !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
QRX_INLINE void store16(u8* d, __m128i r0, __m128i r1, __m128i r2, __m128i r3) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d),
                     _mm_packus_epi16(_mm_packs_epi32(r0, r1), _mm_packs_epi32(r2, r3)));
}

#if defined(__SSSE3__)
// 4 C3 pixels (12 bytes, read without going past them) as 32-bit lanes.
QRX_INLINE __m128i load4_c3(const u8* p) {
    std::int64_t lo;
    std::int32_t hi;
    __builtin_memcpy(&lo, p, 8);
    __builtin_memcpy(&hi, p + 8, 4);
    const __m128i v = _mm_unpacklo_epi64(_mm_cvtsi64_si128(lo), _mm_cvtsi32_si128(hi));
    return _mm_shuffle_epi8(v, _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
}
// 16 C3 pixels: four 12-byte groups out of three 16-byte loads.
QRX_INLINE void load16_c3(const u8* p, __m128i& a, __m128i& b, __m128i& c, __m128i& e) {
    const __m128i shuf = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
    a = _mm_shuffle_epi8(v0, shuf);
    b = _mm_shuffle_epi8(_mm_alignr_epi8(v1, v0, 12), shuf);
    c = _mm_shuffle_epi8(_mm_alignr_epi8(v2, v1, 8), shuf);
    e = _mm_shuffle_epi8(_mm_srli_si128(v2, 4), shuf);
}
#endif

template <int SC>
void body8(const u8* __restrict s, u8* __restrict d, int n, Weights8 w) {
    const __m128i w0 = _mm_set1_epi32(w.w0), w1 = _mm_set1_epi32(w.w1), w2 = _mm_set1_epi32(w.w2);
    int i = 0;
    if constexpr (SC == 4) {
        for (; i + 16 <= n; i += 16) {
            const __m128i* p = reinterpret_cast<const __m128i*>(s + 4 * i);
            store16(d + i, body8_lanes(_mm_loadu_si128(p), w0, w1, w2), body8_lanes(_mm_loadu_si128(p + 1), w0, w1, w2),
                    body8_lanes(_mm_loadu_si128(p + 2), w0, w1, w2), body8_lanes(_mm_loadu_si128(p + 3), w0, w1, w2));
        }
    }
#if defined(__SSSE3__)
    if constexpr (SC == 3) {
        for (; i + 16 <= n; i += 16) {
            __m128i a, b, c, e;
            load16_c3(s + 3 * i, a, b, c, e);
            store16(d + i, body8_lanes(a, w0, w1, w2), body8_lanes(b, w0, w1, w2), body8_lanes(c, w0, w1, w2),
                    body8_lanes(e, w0, w1, w2));
        }
        for (; i + 4 <= n; i += 4) {
            const __m128i r = body8_lanes(load4_c3(s + 3 * i), w0, w1, w2);
            const int q = _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(r, r), r));
            __builtin_memcpy(d + i, &q, 4);
        }
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
    body8<3>,     tail8<3>,     body8<4>,     tail8<4>,     g16u<3>, g16u<4>,
    g16s_body<3>, g16s_tail<3>, g16s_body<4>, g16s_tail<4>, g32f<3>, g32f<4>,
};

}  // namespace qrx::gray::QRX_LEVEL
