// Saturating 16-bit arithmetic for the integer traits of core/simd_x86.h, one
// name at every width, as a free template over the trait like the row-order
// forms of row_order_x86.h.  Include only from per-level files.
#pragma once

#include "core/simd_x86.h"

#if defined(__SSE2__)
namespace qrx::simd {
namespace {

// Unsigned 16-bit lanes: a + b, at most 65535.
template <class V>
inline typename V::T adds16u(typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) return _mm_adds_epu16(a, b);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) return _mm256_adds_epu16(a, b);
#endif
#if defined(__AVX512BW__)
    else return _mm512_adds_epu16(a, b);
#endif
}

}  // namespace
}  // namespace qrx::simd
#endif
