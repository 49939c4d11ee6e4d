// Whole 64- and 32-bit units picked out of the 128-bit lanes of several
// registers and laid side by side in row order, and a register stored as two
// halves to two places.  A body that first arranges each lane's bytes with
// an in-lane shuffle (V::shuffle8) then gathers the pieces with these, one
// two-register permute each.  They exist where one instruction does the
// whole gather: at 512 bits (AVX-512BW).  Include only from per-level files.
#pragma once

#include "core/simd_x86.h"

#if defined(__AVX512BW__)
namespace qrx::simd {
namespace {

// Qword 0 of every lane of a, then of b: 64 bytes.
inline __m512i lo64_of_lanes(__m512i a, __m512i b) {
    return _mm512_permutex2var_epi64(a, _mm512_setr_epi64(0, 2, 4, 6, 8, 10, 12, 14), b);
}

// Dword K of every lane of a, b, c, then e: 64 bytes.
template <int K>
inline __m512i dword_of_lanes(__m512i a, __m512i b, __m512i c, __m512i e) {
    const __m512i ab = _mm512_setr_epi32(K, K + 4, K + 8, K + 12, K + 16, K + 20, K + 24, K + 28, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m512i ce = _mm512_setr_epi32(0, 0, 0, 0, 0, 0, 0, 0, K, K + 4, K + 8, K + 12, K + 16, K + 20, K + 24, K + 28);
    return _mm512_mask_mov_epi32(_mm512_permutex2var_epi32(a, ab, b), 0xFF00, _mm512_permutex2var_epi32(c, ce, e));
}

// Bytes 0..31 of v to lo, bytes 32..63 to hi.
inline void store_halves(void* lo, void* hi, __m512i v) {
    _mm512_mask_storeu_epi64(lo, 0x0F, v);
    _mm256_storeu_si256(static_cast<__m256i*>(hi), _mm512_maskz_extracti64x4_epi64(0x0F, v, 1));
}

}  // namespace
}  // namespace qrx::simd
#endif  // __AVX512BW__
