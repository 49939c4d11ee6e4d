// Byte-masked loads, stores and blends of 512-bit registers (AVX-512BW): a
// mask's bit j stands for byte j.  A row's last partial register is read and
// written through first_bytes, so nothing past the row is touched, and the
// mask kFirstThreeOfFour leaves the fourth byte of every 4-byte pixel as it
// was.  Include only from per-level files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/simd_x86.h"

#if defined(__AVX512BW__)
namespace qrx::simd {
namespace {

constexpr std::uint64_t kFirstThreeOfFour = 0x7777777777777777ull;

// The first n bytes (0 <= n <= 64).
inline std::uint64_t first_bytes(std::ptrdiff_t n) {
#if defined(__BMI2__)
    return _bzhi_u64(~0ull, static_cast<unsigned>(n));
#else
    return n >= 64 ? ~0ull : (1ull << n) - 1;
#endif
}

// The bytes of m from p, zero elsewhere; nothing else is read.
inline __m512i load_bytes_masked(const void* p, std::uint64_t m) { return _mm512_maskz_loadu_epi8(m, p); }
// The bytes of m to p; nothing else is written.
inline void store_bytes_masked(void* p, std::uint64_t m, __m512i v) { _mm512_mask_storeu_epi8(p, m, v); }
// b where m, a elsewhere.
inline __m512i blend_bytes(std::uint64_t m, __m512i a, __m512i b) { return _mm512_mask_blend_epi8(m, a, b); }

}  // namespace
}  // namespace qrx::simd
#endif  // __AVX512BW__
