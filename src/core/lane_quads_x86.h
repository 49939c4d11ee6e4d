// Four-byte pixels left in 128-bit lanes by in-lane interleaves, stored lane by
// lane where their pixels go: no lane-crossing permute before the stores up to
// 256 bits (the shuffle port is what bounds these loops in cache); at 512 bits
// one two-register qword permute per stored register.  On the traits of
// simd_x86.h; include only from per-level files.
#pragma once

#include <cstdint>

#include "core/simd_x86.h"

#if defined(__SSE2__)
namespace qrx::simd {
namespace {

// q0 and q1 as made by unpacklo16 / unpackhi16 of two byte interleaves: lane L
// of q0 holds pixels 16L .. 16L + 3, lane L of q1 pixels 16L + 4 .. 16L + 7
// (one or two lanes).
template <class V>
inline void store_quads_by_lane(std::uint8_t* p, typename V::T q0, typename V::T q1) {
    static_assert(V::kHalves <= 2, "one or two 128-bit lanes");
    if constexpr (V::kHalves == 1) {
        V::store(p, q0);
        V::store(p + 16, q1);
    } else {
        V::store_half(p, V::half(q0, 0));
        V::store_half(p + 16, V::half(q1, 0));
        V::store_half(p + 64, V::half(q0, 1));
        V::store_half(p + 80, V::half(q1, 1));
    }
}

// b, g, r, a byte registers in the order left by packus16 of two row-order
// 16-bit halves -> kBytes four-byte pixels B, G, R, A.
template <class V>
inline void store_c4_of_packs(std::uint8_t* d, typename V::T b, typename V::T g, typename V::T r, typename V::T a) {
    using T = typename V::T;
    const T bg0 = V::unpacklo8(b, g), bg1 = V::unpackhi8(b, g);
    const T ra0 = V::unpacklo8(r, a), ra1 = V::unpackhi8(r, a);
    const T o[4] = {V::unpacklo16(bg0, ra0), V::unpackhi16(bg0, ra0), V::unpacklo16(bg1, ra1), V::unpackhi16(bg1, ra1)};
    if constexpr (V::kBytes == 32) {
        // o[k] holds pixels 4k'..4k'+3 | 4k'+8..: the halves of o[0], o[1] (and
        // o[2], o[3]) exchanged into two whole stores each
        for (int k = 0; k < 4; k += 2) {
            V::store(d + 32 * k, _mm256_permute2x128_si256(o[k], o[k + 1], 0x20));
            V::store(d + 32 * k + 32, _mm256_permute2x128_si256(o[k], o[k + 1], 0x31));
        }
        return;
    }
#if defined(__AVX512BW__)
    if constexpr (V::kBytes == 64) {
        // o[k] lane j holds pixels 8j + 4k (k < 2) or 32 + 8j + 4(k - 2): lanes
        // 0-1 of o[0], o[1] interleaved make pixels 0..15, lanes 2-3 16..31
        const __m512i first = _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11);
        const __m512i second = _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15);
        V::store(d, _mm512_permutex2var_epi64(o[0], first, o[1]));
        V::store(d + 64, _mm512_permutex2var_epi64(o[0], second, o[1]));
        V::store(d + 128, _mm512_permutex2var_epi64(o[2], first, o[3]));
        V::store(d + 192, _mm512_permutex2var_epi64(o[2], second, o[3]));
        return;
    }
#endif
    for (int k = 0; k < 4; ++k) V::store(d + k * V::kBytes, o[k]);
}

}  // namespace
}  // namespace qrx::simd
#endif
