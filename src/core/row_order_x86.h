// Row-order forms on the traits of simd_x86.h that the in-lane members lack:
// byte registers widened by halves, interleaves of the first or second halves
// of two registers, a 32-to-16-bit pack, and quarter-register loads and stores
// (a permute across 128-bit lanes on the wider forms, nothing on V128); plus
// the in-lane 64-bit unpacks, byte shifts up, and, at 512 bits, the qword order
// that gives every 128-bit lane the rows its in-lane unpacks will produce.
#pragma once

#include "core/simd_x86.h"

#if defined(__SSE2__)
namespace qrx::simd {
namespace {

// 64-bit units of a 256-bit register as (0, 2, 1, 3): the halves of in-lane
// results side by side, or row-order halves split over the lanes.
#if defined(__AVX2__)
inline __m256i swap_mid64(__m256i v) { return _mm256_permute4x64_epi64(v, 0xD8); }
#endif

// Words of bytes 0 .. kBytes / 2 - 1 (lo) or of the rest (hi), row order.
template <class V>
inline typename V::T widen_lo_rows(typename V::T v) {
    if constexpr (V::kBytes == 16) return V::lo8to16(v);
#if defined(__AVX2__)
    else return _mm256_cvtepu8_epi16(_mm256_castsi256_si128(v));
#endif
}
template <class V>
inline typename V::T widen_hi_rows(typename V::T v) {
    if constexpr (V::kBytes == 16) return V::hi8to16(v);
#if defined(__AVX2__)
    else return _mm256_cvtepu8_epi16(_mm256_extracti128_si256(v, 1));
#endif
}

// Elements of the first (lo) or second (hi) halves of a and b interleaved, row order.
template <class V>
inline typename V::T zip8_lo_rows(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return V::unpacklo8(a, b);
#if defined(__AVX2__)
    else return V::unpacklo8(swap_mid64(a), swap_mid64(b));
#endif
}
template <class V>
inline typename V::T zip8_hi_rows(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return V::unpackhi8(a, b);
#if defined(__AVX2__)
    else return V::unpackhi8(swap_mid64(a), swap_mid64(b));
#endif
}
template <class V>
inline typename V::T zip16_lo_rows(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return V::unpacklo16(a, b);
#if defined(__AVX2__)
    else return V::unpacklo16(swap_mid64(a), swap_mid64(b));
#endif
}
template <class V>
inline typename V::T zip16_hi_rows(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return V::unpackhi16(a, b);
#if defined(__AVX2__)
    else return V::unpackhi16(swap_mid64(a), swap_mid64(b));
#endif
}

// Signed-saturating pack of 32-bit a then b into 16 bits, row order.
template <class V>
inline typename V::T packs32_rows(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return V::packs32(a, b);
#if defined(__AVX2__)
    else return swap_mid64(V::packs32(a, b));
#endif
}

// kBytes / 4 bytes to the low end of a register (the rest zero), and back.
template <class V>
inline typename V::T load_quarter(const void* p) {
    if constexpr (V::kBytes == 16) {
        int v;
        std::memcpy(&v, p, 4);
        return _mm_cvtsi32_si128(v);
    }
#if defined(__AVX2__)
    else return _mm256_castsi128_si256(_mm_loadl_epi64(static_cast<const __m128i*>(p)));
#endif
}
template <class V>
inline void store_quarter(void* p, typename V::T v) {
    if constexpr (V::kBytes == 16) {
        const int x = _mm_cvtsi128_si32(v);
        std::memcpy(p, &x, 4);
    }
#if defined(__AVX2__)
    else _mm_storel_epi64(static_cast<__m128i*>(p), _mm256_castsi256_si128(v));
#endif
}

// Per 128-bit lane: dwords 0, 1 of a and of b interleaved (lo), or dwords 2, 3 (hi).
template <class V>
inline typename V::T unpacklo32(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return _mm_unpacklo_epi32(a, b);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) return _mm256_unpacklo_epi32(a, b);
#endif
#if defined(__AVX512BW__)
    else return _mm512_unpacklo_epi32(a, b);
#endif
}
template <class V>
inline typename V::T unpackhi32(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return _mm_unpackhi_epi32(a, b);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) return _mm256_unpackhi_epi32(a, b);
#endif
#if defined(__AVX512BW__)
    else return _mm512_unpackhi_epi32(a, b);
#endif
}

// Per 128-bit lane: qword 0 of a and of b (lo), or qword 1 of each (hi).
template <class V>
inline typename V::T unpacklo64(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return _mm_unpacklo_epi64(a, b);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) return _mm256_unpacklo_epi64(a, b);
#endif
#if defined(__AVX512BW__)
    else return _mm512_maskz_unpacklo_epi64(0xFF, a, b);
#endif
}
template <class V>
inline typename V::T unpackhi64(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return _mm_unpackhi_epi64(a, b);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) return _mm256_unpackhi_epi64(a, b);
#endif
#if defined(__AVX512BW__)
    else return _mm512_maskz_unpackhi_epi64(0xFF, a, b);
#endif
}

// 128-bit registers: bytes shifted up by N (zeros in).
template <int N>
inline __m128i bslli128(__m128i a) { return _mm_slli_si128(a, N); }

// packus16(a, b) in row order stored as kLanes16 bytes at pa and at pb.
template <class V>
inline void store_narrow2(void* pa, void* pb, typename V::T a, typename V::T b) {
    if constexpr (V::kBytes < 64) {
        V::store_narrow2(pa, pb, a, b);
    } else {
#if defined(__AVX512BW__)
        const __m512i x = _mm512_maskz_permutexvar_epi64(0xFF, _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), V::packus16(a, b));
        _mm256_storeu_si256(static_cast<__m256i*>(pa), _mm512_maskz_extracti64x4_epi64(0xF, x, 0));
        _mm256_storeu_si256(static_cast<__m256i*>(pb), _mm512_maskz_extracti64x4_epi64(0xF, x, 1));
#endif
    }
}

}  // namespace
}  // namespace qrx::simd
#endif  // __SSE2__
