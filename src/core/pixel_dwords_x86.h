// Four-byte pixels held one per 32-bit lane, on the traits of simd_x86.h:
// the store that writes bytes 0..2 of every pixel and keeps the destination's
// fourth byte, and 16-byte shuffle controls given as arrays.
#pragma once

#include "core/simd_x86.h"

#if defined(__SSE2__)
namespace qrx::simd {
namespace {

// A 16-byte shuffle control (per 128-bit lane, as V::shuffle8 takes it).
inline __m128i lane_bytes(const std::int8_t (&m)[16]) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(m)); }

// v holds kBytes / 4 pixels; bytes 0..2 of each go to p and the destination's
// fourth byte stays.  512-bit registers use a byte-masked store, so the
// destination is never read; 256-bit ones blend its fourth byte in, whatever
// v holds there (the 8u bit reduction relies on it); 128-bit ones merge it by
// OR, so there v's fourth byte must be zero.
template <class V>
inline void store_keep_fourth(std::uint8_t* p, typename V::T v) {
#if defined(__AVX512BW__)
    if constexpr (V::kBytes == 64) {
        _mm512_mask_storeu_epi8(p, 0x7777777777777777ull, v);
        return;
    }
#endif
    const typename V::T fourth = V::set32(static_cast<int>(0xFF000000u));
#if defined(__AVX2__)
    // one byte blend: the fourth byte of v is ignored
    if constexpr (V::kBytes == 32) {
        V::store(p, _mm256_blendv_epi8(v, V::load(p), fourth));
        return;
    }
#endif
    V::store(p, V::or_(v, V::and_(V::load(p), fourth)));
}

}  // namespace
}  // namespace qrx::simd
#endif  // __SSE2__
