// Byte-masked loads and stores of whole 512-bit registers (AVX-512BW): only
// the bytes whose mask bit is set are read or written, so a row's last partial
// register or the fourth byte of four-byte pixels needs no scalar tail and no
// read of the destination.  Masks are plain 64-bit words (bit k: byte k).
// Include only from per-level files.
#pragma once

#include <cstddef>

#include "core/simd_x86.h"

#if defined(__AVX512BW__)
namespace qrx::simd {
namespace {

// Bytes 0..2 of every four-byte pixel.
constexpr unsigned long long kFirstThreeOfFour = 0x7777777777777777ull;

// The first n bytes (all 64 when n >= 64).
inline unsigned long long first_bytes(std::ptrdiff_t n) { return n >= 64 ? ~0ull : (1ull << n) - 1; }

// Bytes outside m read as zero and never touch memory.
inline V512::T load_bytes_masked(const void* p, unsigned long long m) { return _mm512_maskz_loadu_epi8(m, p); }

// Bytes outside m stay as they were in memory.
inline void store_bytes_masked(void* p, unsigned long long m, V512::T v) { _mm512_mask_storeu_epi8(p, m, v); }

}  // namespace
}  // namespace qrx::simd
#endif
