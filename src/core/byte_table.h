// A 256-entry byte table looked up a whole register of bytes at a time:
// ByteTable<V> keeps the table in registers and look(x) gives t[x] for every
// byte x, at every width (V128 from SSSE3, V256, and V512 at the byte-permute
// level).  The forms, chosen by width and level, give the same bytes:
//   V128: sixteen 16-entry slices; slice k answers the bytes whose high nibble
//         is k, since (x xor 16k) saturating-plus 0x70 keeps bit 7 clear only
//         there (a shuffle gives zero where bit 7 is set);
//   V256: the sixteen slices looked up by the low nibble, the slice then
//         chosen by the high nibble's bits through a tree of byte blends
//         (each blend reads bit 7, where the bits are moved in turn);
//   V512 (avx512vbmi): two two-register permutes over 128 entries each,
//         chosen by the top bit.
// Include only from per-level files (internal linkage).
#pragma once

#if defined(__SSSE3__)
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "core/simd_x86.h"

namespace qrx::simd {
namespace {

template <class V>
struct ByteTable;

template <>
struct ByteTable<V128> {
    __m128i s[16];
    explicit ByteTable(const std::uint8_t* t) {
        for (int k = 0; k < 16; ++k) s[k] = V128::load(t + 16 * k);
    }
    __m128i look(__m128i x) const {
        const __m128i bias = _mm_set1_epi8(0x70);
        __m128i r = _mm_setzero_si128();
        for (int k = 0; k < 16; ++k)
            r = _mm_or_si128(r, _mm_shuffle_epi8(s[k], _mm_adds_epu8(_mm_xor_si128(x, V128::set8(16 * k)), bias)));
        return r;
    }
};

#if defined(__AVX2__)
template <>
struct ByteTable<V256> {
    __m256i s[16];
    explicit ByteTable(const std::uint8_t* t) {
        for (int k = 0; k < 16; ++k) s[k] = V256::broadcast_lane(V128::load(t + 16 * k));
    }
    __m256i look(__m256i x) const {
        const __m256i lo = V256::and_(x, V256::set8(0x0F));
        const __m256i b4 = V256::slli16(x, 3), b5 = V256::slli16(x, 2), b6 = V256::slli16(x, 1);
        __m256i quarter[4];
        for (int q = 0; q < 4; ++q) {
            const __m256i* t = s + 4 * q;
            const __m256i a = _mm256_blendv_epi8(_mm256_shuffle_epi8(t[0], lo), _mm256_shuffle_epi8(t[1], lo), b4);
            const __m256i b = _mm256_blendv_epi8(_mm256_shuffle_epi8(t[2], lo), _mm256_shuffle_epi8(t[3], lo), b4);
            quarter[q] = _mm256_blendv_epi8(a, b, b5);
        }
        return _mm256_blendv_epi8(_mm256_blendv_epi8(quarter[0], quarter[1], b6),
                                  _mm256_blendv_epi8(quarter[2], quarter[3], b6), x);
    }
};
#endif

#if defined(__AVX512VBMI__)
template <>
struct ByteTable<V512> {
    __m512i t0, t1, t2, t3;
    explicit ByteTable(const std::uint8_t* t)
        : t0(V512::load(t)), t1(V512::load(t + 64)), t2(V512::load(t + 128)), t3(V512::load(t + 192)) {}
    __m512i look(__m512i x) const {
        const __m512i lo = _mm512_permutex2var_epi8(t0, x, t1);
        const __m512i hi = _mm512_permutex2var_epi8(t2, x, t3);
        return _mm512_mask_blend_epi8(_mm512_movepi8_mask(x), lo, hi);
    }
};
#endif

// n bytes of s through the table t into d (d may be s): whole registers with the
// widest table of the level, the rest one byte at a time.
inline void look_up_bytes(const std::uint8_t* s, std::uint8_t* d, std::ptrdiff_t n, const std::uint8_t* t) {
#if defined(__AVX512VBMI__)
    using V = V512;
#elif defined(__AVX2__)
    using V = V256;
#else
    using V = V128;
#endif
    const ByteTable<V> table(t);
    std::ptrdiff_t i = 0;
    for (; i + V::kBytes <= n; i += V::kBytes) V::store(d + i, table.look(V::load(s + i)));
    for (; i < n; ++i) d[i] = t[s[i]];
}

}  // namespace
}  // namespace qrx::simd

#endif  // __SSSE3__
