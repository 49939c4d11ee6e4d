// Pixels held one per 32-bit lane, on the traits of simd_x86.h, and 32-bit
// lanes narrowed back to bytes, at every width:
//   load_c3_dwords      kLanes32 three-byte pixels, one per lane with the
//                       fourth byte zero (exactly 3 kLanes32 bytes read);
//   load_c3_dwords4     four registers of them (16 pixels from three loads
//                       at 128 bits);
//   store_bytes_of_dwords  one or four registers of 32-bit lanes as bytes in
//                       row order (signed saturation to 16 bits, then unsigned
//                       to 8), kLanes32 bytes per register;
//   store_bytes_of_words   two registers of words, each V::packs32 of two
//                       registers of 32-bit lanes, as bytes in row order;
//   packus16_in_rows    V::packus16 with the result in row order at every
//                       width (V512 included).
// The three-byte forms need SSSE3.  Include only from per-level files.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/row_order_x86.h"
#include "core/simd_x86.h"

#if defined(__SSE2__)
namespace qrx::simd {
namespace {

#if defined(__SSSE3__)
// Per 16-byte lane: four 3-byte pixels from bytes 0..11 into the four dwords.
alignas(16) constexpr std::int8_t kC3ToDwords[16] = {0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1};

template <class V>
inline typename V::T load_c3_dwords(const std::uint8_t* p) {
    const __m128i spread = _mm_load_si128(reinterpret_cast<const __m128i*>(kC3ToDwords));
    if constexpr (V::kBytes == 16) {
        std::int64_t lo;
        std::int32_t hi;
        std::memcpy(&lo, p, 8);
        std::memcpy(&hi, p + 8, 4);
        return _mm_shuffle_epi8(_mm_unpacklo_epi64(_mm_cvtsi64_si128(lo), _mm_cvtsi32_si128(hi)), spread);
    }
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) {
        // bytes 0..11 in the low lane, 12..23 in the high one (read from byte 8, shifted down)
        const __m128i lo = V128::load(p), hi = _mm_srli_si128(V128::load(p + 8), 4);
        return V::shuffle8(_mm256_set_m128i(hi, lo), spread);
    }
#endif
#if defined(__AVX512BW__)
    else {
        // 12 bytes into each 128-bit lane (a masked load of 48 bytes)
        const __m512i v = _mm512_maskz_loadu_epi32(0x0FFF, p);
        return V::shuffle8(_mm512_permutexvar_epi32(_mm512_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 11), v),
                           spread);
    }
#endif
}

template <class V>
inline void load_c3_dwords4(const std::uint8_t* p, typename V::T r[4]) {
    if constexpr (V::kBytes == 16) {
        const __m128i spread = _mm_load_si128(reinterpret_cast<const __m128i*>(kC3ToDwords));
        const __m128i v0 = V::load(p), v1 = V::load(p + 16), v2 = V::load(p + 32);
        r[0] = _mm_shuffle_epi8(v0, spread);
        r[1] = _mm_shuffle_epi8(_mm_alignr_epi8(v1, v0, 12), spread);
        r[2] = _mm_shuffle_epi8(_mm_alignr_epi8(v2, v1, 8), spread);
        r[3] = _mm_shuffle_epi8(_mm_srli_si128(v2, 4), spread);
    } else {
        for (int k = 0; k < 4; ++k) r[k] = load_c3_dwords<V>(p + 3 * V::kLanes32 * k);
    }
}
#endif  // __SSSE3__

template <class V>
inline typename V::T packus16_in_rows(typename V::T a, typename V::T b) {
#if defined(__AVX512BW__)
    if constexpr (V::kBytes == 64)
        return _mm512_permutexvar_epi64(_mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), V::packus16(a, b));
    else
#endif
        return V::packus16_rows(a, b);
}

template <class V>
inline void store_bytes_of_words(std::uint8_t* p, typename V::T w01, typename V::T w23) {
    const typename V::T b = V::packus16(w01, w23);  // lane k: dwords k of r0, r1, r2, r3
    if constexpr (V::kBytes == 16) V::store(p, b);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) V::store(p, _mm256_permutevar8x32_epi32(b, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)));
#endif
#if defined(__AVX512BW__)
    else V::store(p, V::transpose_lanes32(b));
#endif
}

template <class V>
inline void store_bytes_of_dwords(std::uint8_t* p, typename V::T r0, typename V::T r1, typename V::T r2, typename V::T r3) {
    store_bytes_of_words<V>(p, V::packs32(r0, r1), V::packs32(r2, r3));
}

template <class V>
inline void store_bytes_of_dwords(std::uint8_t* p, typename V::T r) {
    const typename V::T w = V::packs32(r, r);
    if constexpr (V::kBytes == 16) store_quarter<V>(p, V::packus16(w, w));
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) {
        const __m256i b = V::packus16(w, w);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_unpacklo_epi32(V::half(b, 0), V::half(b, 1)));
    }
#endif
}

}  // namespace
}  // namespace qrx::simd
#endif  // __SSE2__
