// Vector bodies of the chroma byte moves.  Each function converts the leading
// whole vector blocks of a row and returns how many units (pairs or samples)
// it has done; the caller's plain loop does the rest.  The reference level
// (QRX_LEVEL_SCALAR) and any level without a body return 0.
// Included by per-level files only: everything lives in an anonymous
// namespace so each level keeps its own copy.
#pragma once

#include <cstdint>

#if !defined(QRX_LEVEL_SCALAR)
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSSE3__)
#include <tmmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif
#endif

namespace qrx::resample::simd {
namespace {

using u8 = std::uint8_t;

template <bool CF, bool Aligned>
int unpack_p3(const u8*, u8*, u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_y(const u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_p2(const u8*, u8*, u8*, int) { return 0; }
template <bool CF, bool Stream>
int pack_p3(const u8*, const u8*, const u8*, u8*, int) { return 0; }
template <bool CF>
int pack_p2(const u8*, const u8*, u8*, int) { return 0; }
inline int swap_luma_chroma(const u8*, u8*, int) { return 0; }
inline int swap_chroma(const u8*, u8*, int) { return 0; }
inline int zip(const u8*, const u8*, u8*, int) { return 0; }
inline int unzip(const u8*, u8*, u8*, int) { return 0; }
inline int copy_stream(const u8*, u8*, int) { return 0; }

}  // namespace
}  // namespace qrx::resample::simd
