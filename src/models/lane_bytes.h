// Byte-pixel loads shared by the float-lane kernels of the HLS/HSV/YCC and the
// XYZ/LUV/Lab conversions at the AVX2 level.
#pragma once

#if defined(__AVX2__)
#include <immintrin.h>

#include <cstdint>

namespace qrx::models {
namespace {

// Eight C3 byte pixels (exactly 24 bytes read) to three vectors of eight int32,
// channel c of pixel k in element k.  Each 128-bit half is shuffled on its own:
// the low half holds pixels 0..3 at byte 0, the high half pixels 4..7 at byte 4.
inline void load_c3x8_epi32(const std::uint8_t* p, __m256i& c0, __m256i& c1, __m256i& c2) {
    const __m256i v = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), 1);
    const __m256i k0 = _mm256_setr_epi8(0, -1, -1, -1, 3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1,  //
                                        4, -1, -1, -1, 7, -1, -1, -1, 10, -1, -1, -1, 13, -1, -1, -1);
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i k1 = _mm256_add_epi32(k0, one);
    c0 = _mm256_shuffle_epi8(v, k0);
    c1 = _mm256_shuffle_epi8(v, k1);
    c2 = _mm256_shuffle_epi8(v, _mm256_add_epi32(k1, one));
}

}  // namespace
}  // namespace qrx::models
#endif
