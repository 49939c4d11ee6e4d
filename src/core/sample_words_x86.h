// Byte samples to 16-bit words, row order, on the traits of simd_x86.h:
// chroma samples repeated for the 2 or 4 pixels that share them, packed
// 4:2:2 pairs (Y0 C0 Y1 C1) split into Y, C0 and C1 words, and three-byte
// pixels as three channels of words at every width.  Every load reads exactly
// the samples of the V::kLanes16 pixels it serves.
#pragma once

#include "core/simd_x86.h"

#if defined(__SSE2__)
namespace qrx::simd {
namespace {

// V::kLanes16 / 2 samples, each for two pixels.
template <class V>
inline typename V::T load_widen_x2(const std::uint8_t* p) {
    if constexpr (V::kBytes == 16) {
        int v;
        std::memcpy(&v, p, 4);
        const __m128i c = _mm_cvtsi32_si128(v);
        return V::lo8to16(_mm_unpacklo_epi8(c, c));
    } else if constexpr (V::kBytes == 32) {
#if defined(__AVX2__)
        const __m128i c = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        return _mm256_cvtepu8_epi16(_mm_unpacklo_epi8(c, c));
#endif
    } else {
#if defined(__AVX512BW__)
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m256i d = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi8(c, c)), _mm_unpackhi_epi8(c, c), 1);
        return _mm512_cvtepu8_epi16(d);
#endif
    }
}

// V::kLanes16 / 4 samples, each for four pixels.
template <class V>
inline typename V::T load_widen_x4(const std::uint8_t* p) {
    if constexpr (V::kBytes == 16) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        __m128i c = _mm_cvtsi32_si128(v);
        c = _mm_unpacklo_epi8(c, c);
        return V::lo8to16(_mm_unpacklo_epi16(c, c));
    } else if constexpr (V::kBytes == 32) {
#if defined(__AVX2__)
        int v;
        std::memcpy(&v, p, 4);
        __m128i c = _mm_cvtsi32_si128(v);
        c = _mm_unpacklo_epi8(c, c);
        return _mm256_cvtepu8_epi16(_mm_unpacklo_epi16(c, c));
#endif
    } else {
#if defined(__AVX512BW__)
        __m128i c = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        c = _mm_unpacklo_epi8(c, c);
        const __m256i d = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi16(c, c)), _mm_unpackhi_epi16(c, c), 1);
        return _mm512_cvtepu8_epi16(d);
#endif
    }
}

// V::kLanes16 / 2 packed pairs Y0 C0 Y1 C1 (2 kLanes16 bytes): the Y words, and
// C0 and C1 each repeated for both pixels of its pair.
template <class V>
inline void load_pairs_words(const std::uint8_t* p, typename V::T& y, typename V::T& c0, typename V::T& c1) {
    const typename V::T v = V::load(p);
    y = V::and_(v, V::set16(0xFF));
    const typename V::T c = V::srli16(v, 8);  // C0 C1 C0 C1 ...
    if constexpr (V::kBytes == 16) {
        c0 = _mm_shufflehi_epi16(_mm_shufflelo_epi16(c, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
        c1 = _mm_shufflehi_epi16(_mm_shufflelo_epi16(c, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
    } else if constexpr (V::kBytes == 32) {
#if defined(__AVX2__)
        c0 = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(c, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
        c1 = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(c, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
#endif
    } else {
#if defined(__AVX512BW__)
        c0 = _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(c, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
        c1 = _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(c, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
#endif
    }
}

// The two 16-bit words of every 32-bit lane: swapped (pair_swap16), the first
// in both (pair_first16), the second in both (pair_second16).  One byte shuffle
// from SSSE3 on; two word shuffles before.
template <class V>
inline typename V::T pair_words(typename V::T v, int first, int second) {
#if defined(__SSSE3__)
    const std::int8_t a = static_cast<std::int8_t>(2 * first), b = static_cast<std::int8_t>(2 * second);
    const __m128i m = _mm_setr_epi8(a, a + 1, b, b + 1, a + 4, a + 5, b + 4, b + 5, a + 8, a + 9, b + 8, b + 9, a + 12,
                                    a + 13, b + 12, b + 13);
    return V::shuffle8(v, m);
#else
    static_assert(V::kBytes == 16, "wider vectors come with SSSE3");
    if (first == 1 && second == 0)
        return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1)), _MM_SHUFFLE(2, 3, 0, 1));
    if (first == 0)
        return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
#endif
}
template <class V>
inline typename V::T pair_swap16(typename V::T v) { return pair_words<V>(v, 1, 0); }
template <class V>
inline typename V::T pair_first16(typename V::T v) { return pair_words<V>(v, 0, 0); }
template <class V>
inline typename V::T pair_second16(typename V::T v) { return pair_words<V>(v, 1, 1); }

// Three channels of V::kLanes16 three-byte pixels as words (load_c3 at every
// width and level); reads exactly 3 kLanes16 bytes.
template <class V>
inline void load_c3_words(const std::uint8_t* p, typename V::T& a, typename V::T& b, typename V::T& c) {
    if constexpr (V::kBytes == 64) {
#if defined(__AVX512BW__)
        __m256i a0, b0, c0, a1, b1, c1;
        load_c3<V256>(p, a0, b0, c0);
        load_c3<V256>(p + 48, a1, b1, c1);
        auto join = [](__m256i lo, __m256i hi) {
            const __m512i x = _mm512_zextsi256_si512(lo);
            return _mm512_mask_shuffle_i64x2(x, 0xFF, x, _mm512_zextsi256_si512(hi), 0x44);
        };
        a = join(a0, a1), b = join(b0, b1), c = join(c0, c1);
#endif
    } else {
#if defined(__SSSE3__)
        load_c3<V>(p, a, b, c);
#else
        alignas(16) std::int16_t w[3][V::kLanes16];
        for (int j = 0; j < V::kLanes16; ++j)
            for (int k = 0; k < 3; ++k) w[k][j] = p[3 * j + k];
        a = V::load(w[0]), b = V::load(w[1]), c = V::load(w[2]);
#endif
    }
}

}  // namespace
}  // namespace qrx::simd
#endif  // __SSE2__
