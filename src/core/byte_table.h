// A 256-entry byte table looked up a whole register of bytes at a time:
// ByteTable<V> keeps the table in registers and look(x) gives t[x] for every
// byte x, at every width (V128 from SSSE3, V256, and V512 at the byte-permute
// level).  The forms, chosen by width and level, give the same bytes:
//   V128: sixteen 16-entry slices; slice k answers the bytes whose high nibble
//         is k, since (x xor 16k) saturating-plus 0x70 keeps bit 7 clear only
//         there (a shuffle gives zero where bit 7 is set);
//   V256: each half of the table as slice 0 and the differences (xor) of
//         each next slice to the one before; a shuffle by x - 16k is zero for
//         the slices above x's (bit 7 set), so the shuffles xor to x's slice;
//         one byte blend on the top bit picks the half;
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
    // d[k]: slice k xor slice k - 1, except d[0] and d[8], which are slices 0 and 8
    __m256i d[16];
    explicit ByteTable(const std::uint8_t* t) {
        for (int k = 0; k < 16; ++k) {
            __m128i slice = V128::load(t + 16 * k);
            if (k % 8 != 0) slice = _mm_xor_si128(slice, V128::load(t + 16 * (k - 1)));
            d[k] = V256::broadcast_lane(slice);
        }
    }
    __m256i look(__m256i x) const {
        // Below 128, x - 16k keeps bit 7 clear exactly for the slices k <= x >> 4
        // (k < 8), so the shuffles of d[0..7] xor to slice x >> 4; the same for
        // x - 128 and d[8..15].  The top bit of x then picks the half.
        const __m256i step = V256::set8(16);
        __m256i y = x, z = V256::xor_(x, V256::set8(0x80));
        __m256i lo = _mm256_shuffle_epi8(d[0], y), hi = _mm256_shuffle_epi8(d[8], z);
        for (int k = 1; k < 8; ++k) {
            y = _mm256_sub_epi8(y, step);
            z = _mm256_sub_epi8(z, step);
            lo = V256::xor_(lo, _mm256_shuffle_epi8(d[k], y));
            hi = V256::xor_(hi, _mm256_shuffle_epi8(d[8 + k], z));
        }
        return _mm256_blendv_epi8(lo, hi, x);
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
