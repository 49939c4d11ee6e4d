// Pixels <-> channel registers by whole-register byte permutes (AVX-512 VBMI
// with VL).
//
// Three-byte pixels: a register of N bytes per channel needs 3N source
// bytes: one two-source permute takes what lies in the first 2N bytes, a
// masked one-source permute fills in the rest from the third register.  Three
// channels in or out cost six permutes, against nine in-lane shuffles, six ORs
// and three lane joins for the 128-bit-lane forms.
// Include only from per-level files compiled with VBMI; internal linkage.
#pragma once

#if defined(__AVX512VBMI__) && defined(__AVX512VL__)
#include <immintrin.h>

#include <cstdint>

namespace qrx::simd {
namespace {

// N = 32 (256-bit registers) or 64 (512-bit).  Byte k of the pixel-order run
// is channel k % 3 of pixel k / 3.
template <int N>
struct C3Permutes {
    alignas(64) std::uint8_t deint[3][N];  // channel c of pixel j: byte 3j + c, modulo 2N
    alignas(64) std::uint8_t inter[3][N];  // out byte N o + i: pixel k / 3 of channel k % 3
    std::uint64_t deint_third[3];          // pixels whose byte lies in the third register
    std::uint64_t inter_third[3];          // out bytes that come from channel 2
};

template <int N>
constexpr C3Permutes<N> make_c3_permutes() {
    C3Permutes<N> t{};
    for (int c = 0; c < 3; ++c)
        for (int j = 0; j < N; ++j) {
            t.deint[c][j] = static_cast<std::uint8_t>((3 * j + c) % (2 * N));
            if (3 * j + c >= 2 * N) t.deint_third[c] |= 1ull << j;
        }
    for (int o = 0; o < 3; ++o)
        for (int i = 0; i < N; ++i) {
            const int k = N * o + i, ch = k % 3, px = k / 3;
            // channels 0 and 1 index the pair (c0, c1); channel 2 is read alone
            t.inter[o][i] = static_cast<std::uint8_t>(ch == 2 ? px : px + N * ch);
            if (ch == 2) t.inter_third[o] |= 1ull << i;
        }
    return t;
}

template <int N>
inline constexpr C3Permutes<N> kC3Permutes = make_c3_permutes<N>();

// 32 pixels (96 bytes) -> three channel registers in pixel order.
inline void load_c3_vbmi(const std::uint8_t* p, __m256i c[3]) {
    const auto& t = kC3Permutes<32>;
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 64));
    for (int ch = 0; ch < 3; ++ch) {
        const __m256i idx = _mm256_load_si256(reinterpret_cast<const __m256i*>(t.deint[ch]));
        c[ch] = _mm256_mask_permutexvar_epi8(_mm256_permutex2var_epi8(a, idx, b),
                                             static_cast<__mmask32>(t.deint_third[ch]), idx, d);
    }
}

// Three channel registers of 32 pixels -> 96 bytes of pixel order.
inline void store_c3_vbmi(std::uint8_t* p, const __m256i c[3]) {
    const auto& t = kC3Permutes<32>;
    for (int o = 0; o < 3; ++o) {
        const __m256i idx = _mm256_load_si256(reinterpret_cast<const __m256i*>(t.inter[o]));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 32 * o),
                            _mm256_mask_permutexvar_epi8(_mm256_permutex2var_epi8(c[0], idx, c[1]),
                                                         static_cast<__mmask32>(t.inter_third[o]), idx, c[2]));
    }
}

// 64 pixels (192 bytes) -> three channel registers in pixel order.
inline void load_c3_vbmi(const std::uint8_t* p, __m512i c[3]) {
    const auto& t = kC3Permutes<64>;
    const __m512i a = _mm512_loadu_si512(p), b = _mm512_loadu_si512(p + 64), d = _mm512_loadu_si512(p + 128);
    for (int ch = 0; ch < 3; ++ch) {
        const __m512i idx = _mm512_load_si512(t.deint[ch]);
        c[ch] = _mm512_mask_permutexvar_epi8(_mm512_permutex2var_epi8(a, idx, b), t.deint_third[ch], idx, d);
    }
}

// Three channel registers of 64 pixels -> 192 bytes of pixel order.
inline void store_c3_vbmi(std::uint8_t* p, const __m512i c[3]) {
    const auto& t = kC3Permutes<64>;
    for (int o = 0; o < 3; ++o) {
        const __m512i idx = _mm512_load_si512(t.inter[o]);
        _mm512_storeu_si512(p + 64 * o, _mm512_mask_permutexvar_epi8(_mm512_permutex2var_epi8(c[0], idx, c[1]),
                                                                     t.inter_third[o], idx, c[2]));
    }
}

// ---- 16-bit channel forms: 16 pixels, each channel zero-extended ---------------------------

struct C3WordPermutes {
    alignas(32) std::uint8_t deint[3][32];  // word i of channel c: byte 3i + c (odd bytes zeroed)
    alignas(32) std::uint8_t inter[2][32];  // out byte k from the packs (a|b per lane, c|c per lane)
};

constexpr C3WordPermutes make_c3_word_permutes() {
    C3WordPermutes t{};
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 16; ++i) t.deint[c][2 * i] = t.deint[c][2 * i + 1] = static_cast<std::uint8_t>(3 * i + c);
    for (int k = 0; k < 48; ++k) {
        const int ch = k % 3, px = k / 3;
        const int at = px < 8 ? px : px + 8;  // position in a 16-bit pack: lane 0 pixels 0..7, lane 1 8..15
        t.inter[k / 32][k % 32] = static_cast<std::uint8_t>(ch == 0 ? at : ch == 1 ? at + 8 : 32 + at);
    }
    return t;
}

inline constexpr C3WordPermutes kC3WordPermutes = make_c3_word_permutes();

// 16 pixels (exactly 48 bytes read) -> three registers of zero-extended 16-bit channels.
inline void load_c3_words_vbmi(const std::uint8_t* p, __m256i& c0, __m256i& c1, __m256i& c2) {
    const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i hi = _mm256_zextsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32)));
    const auto& t = kC3WordPermutes;
    auto ch = [&](int c) {
        return _mm256_maskz_permutex2var_epi8(0x55555555u, lo,
                                              _mm256_load_si256(reinterpret_cast<const __m256i*>(t.deint[c])), hi);
    };
    c0 = ch(0), c1 = ch(1), c2 = ch(2);
}

// Three registers of 16-bit channels (16 pixels), clamped to 0..255 by unsigned
// saturation -> exactly 48 bytes of pixel order.
inline void store_c3_words_vbmi(std::uint8_t* p, __m256i c0, __m256i c1, __m256i c2) {
    const __m256i ab = _mm256_packus_epi16(c0, c1), cc = _mm256_packus_epi16(c2, c2);
    const auto& t = kC3WordPermutes;
    const __m256i o0 = _mm256_permutex2var_epi8(ab, _mm256_load_si256(reinterpret_cast<const __m256i*>(t.inter[0])), cc);
    const __m256i o1 = _mm256_permutex2var_epi8(ab, _mm256_load_si256(reinterpret_cast<const __m256i*>(t.inter[1])), cc);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), o0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), _mm256_castsi256_si128(o1));
}

// ---- four-byte pixels -> their first three channels as bytes --------------------------------

// N = 32 or 64 pixels from four registers: one two-source permute per pair of
// source registers takes two channels of its N/2 pixels (c0|c1 from the first pair,
// c1|c0 from the second, c2 from either); halves meet by blends and one lane swap.
template <int N>
struct C4Gather {
    alignas(64) std::uint8_t c01[N], c10[N], c22[N];
};

template <int N>
constexpr C4Gather<N> make_c4_gather() {
    C4Gather<N> t{};
    for (int j = 0; j < N / 2; ++j) {
        const auto at = [j](int c) { return static_cast<std::uint8_t>(4 * j + c); };
        t.c01[j] = at(0), t.c01[N / 2 + j] = at(1);
        t.c10[j] = at(1), t.c10[N / 2 + j] = at(0);
        t.c22[j] = at(2), t.c22[N / 2 + j] = at(2);
    }
    return t;
}

template <int N>
inline constexpr C4Gather<N> kC4Gather = make_c4_gather<N>();

// 32 pixels (128 bytes) -> channels 0, 1, 2 in pixel order.
inline void load_c4_vbmi(const std::uint8_t* p, __m256i& c0, __m256i& c1, __m256i& c2) {
    const auto& t = kC4Gather<32>;
    auto ld = [p](int k) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * k)); };
    auto idx = [](const std::uint8_t* i) { return _mm256_load_si256(reinterpret_cast<const __m256i*>(i)); };
    const __m256i v0 = ld(0), v1 = ld(1), v2 = ld(2), v3 = ld(3);
    const __m256i a = _mm256_permutex2var_epi8(v0, idx(t.c01), v1), b = _mm256_permutex2var_epi8(v2, idx(t.c10), v3);
    c0 = _mm256_mask_blend_epi32(0xF0, a, b);
    c1 = _mm256_permute2x128_si256(a, b, 0x21);  // high half of a, low half of b
    c2 = _mm256_mask_blend_epi32(0xF0, _mm256_permutex2var_epi8(v0, idx(t.c22), v1),
                                 _mm256_permutex2var_epi8(v2, idx(t.c22), v3));
}

// 64 pixels (256 bytes) -> channels 0, 1, 2 in pixel order.
inline void load_c4_vbmi(const std::uint8_t* p, __m512i& c0, __m512i& c1, __m512i& c2) {
    const auto& t = kC4Gather<64>;
    const __m512i v0 = _mm512_loadu_si512(p), v1 = _mm512_loadu_si512(p + 64);
    const __m512i v2 = _mm512_loadu_si512(p + 128), v3 = _mm512_loadu_si512(p + 192);
    const __m512i a = _mm512_permutex2var_epi8(v0, _mm512_load_si512(t.c01), v1);
    const __m512i b = _mm512_permutex2var_epi8(v2, _mm512_load_si512(t.c10), v3);
    const __m512i i2 = _mm512_load_si512(t.c22);
    c0 = _mm512_mask_blend_epi64(0xF0, a, b);
    c1 = _mm512_maskz_shuffle_i64x2(0xFF, a, b, 0x4E);  // high half of a, low half of b
    c2 = _mm512_mask_blend_epi64(0xF0, _mm512_permutex2var_epi8(v0, i2, v1), _mm512_permutex2var_epi8(v2, i2, v3));
}

// ---- four-byte pixels from two 16-bit packs: 32 pixels ------------------------------------

// The packs p01 = packus(c0, c1) and p23 = packus(c2, c3) of 16-bit channel registers
// whose 128-bit lane L holds pixels 8L..8L+7 carry, per lane, the 8 bytes of c0 then
// those of c1 (p23 likewise); byte 4q + c of output row o is channel c of pixel 16 o + q.
struct C4OfPacks {
    alignas(64) std::uint8_t idx[2][64];
};

constexpr C4OfPacks make_c4_of_packs() {
    C4OfPacks t{};
    for (int o = 0; o < 2; ++o)
        for (int q = 0; q < 16; ++q) {
            const int p = 16 * o + q, at = 16 * (p / 8) + p % 8;
            t.idx[o][4 * q] = static_cast<std::uint8_t>(at);
            t.idx[o][4 * q + 1] = static_cast<std::uint8_t>(at + 8);
            t.idx[o][4 * q + 2] = static_cast<std::uint8_t>(64 + at);
            t.idx[o][4 * q + 3] = static_cast<std::uint8_t>(64 + at + 8);
        }
    return t;
}

inline constexpr C4OfPacks kC4OfPacks = make_c4_of_packs();

// Output row o (16 pixels, 64 bytes) of the 32 pixels in the packs.
inline __m512i c4_row_of_packs(__m512i p01, __m512i p23, int o) {
    return _mm512_permutex2var_epi8(p01, _mm512_load_si512(kC4OfPacks.idx[o]), p23);
}

}  // namespace
}  // namespace qrx::simd
#endif
