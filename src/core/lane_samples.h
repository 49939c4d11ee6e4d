// Samples <-> the 32-bit lanes of core/float_lanes.h, completing
// core/lane_pixels.h: the 128-bit forms of widen_lanes / narrow_lanes, and
// narrow_lanes<KeepFourth>, which leaves every fourth sample of the
// destination as it was (the alpha of four-sample pixels; the lanes start on
// a pixel).  Narrowing takes integer lanes already inside the sample type's
// range, as raw bits (raw_bits).  Include only from per-level files.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/lane_pixels.h"

namespace qrx::lanes {
namespace {

#if defined(__SSE2__)
QRX_INLINE F4 raw_bits(I4 a) { return float_bits(a); }
QRX_INLINE F4 widen4(const std::uint8_t* s) {
    int raw;
    std::memcpy(&raw, s, 4);
    const __m128i z = _mm_setzero_si128();
    return float_bits(I4(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(raw), z), z)));
}
QRX_INLINE F4 widen4(const std::uint16_t* s) {
    return float_bits(I4(_mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s)), _mm_setzero_si128())));
}
QRX_INLINE F4 widen4(const std::int16_t* s) {
    const __m128i w = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s));
    return float_bits(I4(_mm_srai_epi32(_mm_unpacklo_epi16(w, w), 16)));
}
QRX_INLINE F4 widen4(const float* s) { return F4::load(s); }

// The four lanes as samples in 8 bytes (words; bytes in the low 4).
QRX_INLINE __m128i narrow4(std::uint8_t*, F4 v) {
    const __m128i w = _mm_packs_epi32(int_bits(v).v, int_bits(v).v);
    return _mm_packus_epi16(w, w);
}
QRX_INLINE __m128i narrow4(std::uint16_t*, F4 v) {
    // 0..65535 through the signed pack: shifted down by 32768 and back
    const __m128i x = _mm_sub_epi32(int_bits(v).v, _mm_set1_epi32(32768));
    return _mm_xor_si128(_mm_packs_epi32(x, x), _mm_set1_epi16(static_cast<short>(0x8000)));
}
QRX_INLINE __m128i narrow4(std::int16_t*, F4 v) { return _mm_packs_epi32(int_bits(v).v, int_bits(v).v); }

template <bool KeepFourth = false, class T>
QRX_INLINE void narrow_lanes(T* d, F4 v) {
    std::uint8_t bytes[8];
    _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), narrow4(d, v));
    std::memcpy(d, bytes, (KeepFourth ? 3 : 4) * sizeof(T));
}
#endif

#if defined(__AVX2__)
template <bool KeepFourth, class T>
QRX_INLINE void narrow_lanes(T* d, F8 v) {
    if constexpr (!KeepFourth) {
        narrow_lanes(d, v);
    } else {
        // the fourth byte of each dword, or word of each qword, from the destination
        const __m128i keep = sizeof(T) == 1 ? _mm_set1_epi32(static_cast<int>(0xFF000000u))
                                            : _mm_set1_epi64x(static_cast<long long>(0xFFFF000000000000ull));
        const __m128i old = sizeof(T) == 1 ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d))
                                           : _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
        const __m128i x = _mm_or_si128(_mm_andnot_si128(keep, narrow8(d, v)), _mm_and_si128(keep, old));
        if constexpr (sizeof(T) == 1)
            _mm_storel_epi64(reinterpret_cast<__m128i*>(d), x);
        else
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d), x);
    }
}
#endif

#if defined(QRX_LANES_HAVE_16)
template <bool KeepFourth, class T>
QRX_INLINE void narrow_lanes(T* d, F16 v) {
    if constexpr (!KeepFourth) {
        narrow_lanes(d, v);
    } else if constexpr (sizeof(T) == 1) {
        _mm_mask_storeu_epi8(d, 0x7777, _mm512_cvtepi32_epi8(int_bits(v).v));
    } else {
        _mm256_mask_storeu_epi16(d, 0x7777, _mm512_cvtepi32_epi16(int_bits(v).v));
    }
}
#endif

#if defined(__SSE2__)
// L::kWidth samples widened to 32-bit lanes, at every width.
template <class L, class T>
QRX_INLINE L widen_samples(const T* s) {
    if constexpr (L::kWidth == 4)
        return widen4(s);
#if defined(__AVX2__)
    else
        return widen_lanes<L>(s);
#endif
}
#endif

}  // namespace
}  // namespace qrx::lanes
