// Channels of three- or four-byte pixels as 16-bit words holding the sample
// times 256 (the sample in the high byte, the low byte zero), by byte
// permutes at the avx512vbmi level: one two-register permute per channel and
// 32 pixels.  load_channel_words_hi<S> takes 64 pixels of S bytes (exactly
// 64 S bytes read) into w[h][c], channel c of pixels 32 h .. 32 h + 31.
// Include only from per-level files.
#pragma once

#include <array>
#include <cstdint>

#include "core/byte_moves_x86.h"

#if defined(__AVX512VBMI__)
namespace qrx::simd {
namespace {

// Byte 2w + 1 takes channel C of pixel w, counted from pixel Base of the
// two-register window; the even bytes are zeroed by the permute's mask.
template <int S, int C, int Base>
struct HighByteIndex {
    static constexpr std::array<std::uint8_t, 64> make() {
        std::array<std::uint8_t, 64> a{};
        for (int w = 0; w < 32; ++w) a[2 * w + 1] = static_cast<std::uint8_t>(Base + S * w + C);
        return a;
    }
    alignas(64) static constexpr std::array<std::uint8_t, 64> value = make();
    static __m512i get() { return _mm512_load_si512(value.data()); }
};

// Channels of 32 pixels from the window (a, b).  Base: where they start in it
// (three-byte pixels 32..63 are read through the window from byte 64, so
// nothing past the 64 pixels is read).
template <int S, int Base>
inline void channel_words_hi(__m512i a, __m512i b, __m512i w[3]) {
    const __mmask64 odd = 0xAAAAAAAAAAAAAAAAull;
    w[0] = _mm512_maskz_permutex2var_epi8(odd, a, HighByteIndex<S, 0, Base>::get(), b);
    w[1] = _mm512_maskz_permutex2var_epi8(odd, a, HighByteIndex<S, 1, Base>::get(), b);
    w[2] = _mm512_maskz_permutex2var_epi8(odd, a, HighByteIndex<S, 2, Base>::get(), b);
}

template <int S>
inline void load_channel_words_hi(const std::uint8_t* p, __m512i w[2][3]) {
    static_assert(S == 3 || S == 4, "three- or four-byte pixels");
    const __m512i v0 = B512::load(p), v1 = B512::load(p + 64), v2 = B512::load(p + 128);
    if constexpr (S == 4) {
        channel_words_hi<4, 0>(v0, v1, w[0]);
        channel_words_hi<4, 0>(v2, B512::load(p + 192), w[1]);
    } else {
        channel_words_hi<3, 0>(v0, v1, w[0]);
        channel_words_hi<3, 32>(v1, v2, w[1]);
    }
}

}  // namespace
}  // namespace qrx::simd
#endif  // __AVX512VBMI__
