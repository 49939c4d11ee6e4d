// Table reads and lane moves on the float lanes of core/float_lanes.h, at 256
// and 512 bits (the widths with gather and cross-lane permute instructions):
// float table entries at int32 lane indices (gather_floats), lanes rearranged
// by an index register (permute_lanes; permute_pair for 32 int entries in two
// registers), four floats repeated over the lanes
// (load_repeat4), the lane numbers 0, 1, 2, ... (iota) and the low bits of
// integer lanes (and_bits).  Include only from per-level files.
#pragma once

#include <cstdint>

#include "core/float_lanes.h"

namespace qrx::lanes {
namespace {

#if defined(__AVX2__)
QRX_INLINE F8 gather_floats(const float* t, I8 j) { return _mm256_i32gather_ps(t, j.v, 4); }
QRX_INLINE F8 permute_lanes(F8 v, I8 idx) { return _mm256_permutevar8x32_ps(v.v, idx.v); }
QRX_INLINE I8 and_bits(I8 a, int m) { return _mm256_and_si256(a.v, _mm256_set1_epi32(m)); }
#endif
#if defined(QRX_LANES_HAVE_16)
QRX_INLINE F16 gather_floats(const float* t, I16 j) { return _mm512_i32gather_ps(j.v, t, 4); }
QRX_INLINE F16 permute_lanes(F16 v, I16 idx) { return _mm512_permutexvar_ps(idx.v, v.v); }
QRX_INLINE I16 and_bits(I16 a, int m) { return _mm512_and_si512(a.v, _mm512_set1_epi32(m)); }
// Entry idx (0..31) of the 32 lanes lo, hi: a 32-entry table in two registers.
QRX_INLINE I16 permute_pair(I16 lo, I16 hi, I16 idx) { return _mm512_permutex2var_epi32(lo.v, idx.v, hi.v); }
#endif

#if defined(__AVX2__)
// p[0..3] in lanes 4k .. 4k + 3 of every k.
template <class F>
QRX_INLINE F load_repeat4(const float* p) {
#if defined(QRX_LANES_HAVE_16)
    if constexpr (F::kWidth == 16) return F16(_mm512_broadcast_f32x4(_mm_loadu_ps(p)));
    else
#endif
    return F8(_mm256_broadcast_ps(reinterpret_cast<const __m128*>(p)));
}

// Lane k holds k.
template <class I>
QRX_INLINE I iota() {
    alignas(64) static constexpr std::int32_t kLanes[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    return I::load(kLanes);
}
#endif

}  // namespace
}  // namespace qrx::lanes
