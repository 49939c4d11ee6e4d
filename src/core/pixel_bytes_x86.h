// Pixels <-> channel registers of bytes, on the traits of simd_x86.h: V128
// holds 16 pixels per channel, V256 32 (V512 64, byte-permute level only).
// Channel registers are in row order; the 3-byte forms read or write exactly
// 3 kBytes, the 4-byte forms 4 kBytes.  The byte-permute forms are chosen here
// by level, so kernels name one operation at every level.
#pragma once

#include "core/row_order_x86.h"
#include "core/simd_x86.h"

#if defined(__SSE2__)
namespace qrx::simd {
namespace {

#if defined(__SSSE3__)
// The byte shuffles of the stride-3 de-interleave: channel ch of 16 pixels
// gathered from the third `part` (bytes 16 part .. 16 part + 15) of their 48 bytes.
alignas(16) constexpr std::int8_t kC3Pick[3][3][16] = {
    {{0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
     {-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1},
     {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7, 10, 13}},
    {{1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
     {-1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1},
     {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14}},
    {{2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
     {-1, -1, -1, -1, -1, 1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1},
     {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15}}};
inline __m128i c3_pick(int ch, int part) { return _mm_load_si128(reinterpret_cast<const __m128i*>(kC3Pick[ch][part])); }
#endif

#if defined(__SSE4_1__)
// The same de-interleave by byte blends: byte j of the k-th 16 bytes holds
// channel (j + k) % 3, so channel ch takes byte j from the first 16 bytes where
// j % 3 == ch, from the second where j % 3 == ch + 2 and from the third where
// j % 3 == ch + 1 (mod 3); one shuffle then puts its 16 pixels in order.  Two
// blends and a shuffle per channel instead of three shuffles and two ORs.
alignas(16) constexpr std::int8_t kC3Every3[3][16] = {  // bytes j with j % 3 == k
    {-128, 0, 0, -128, 0, 0, -128, 0, 0, -128, 0, 0, -128, 0, 0, -128},
    {0, -128, 0, 0, -128, 0, 0, -128, 0, 0, -128, 0, 0, -128, 0, 0},
    {0, 0, -128, 0, 0, -128, 0, 0, -128, 0, 0, -128, 0, 0, -128, 0}};
alignas(16) constexpr std::int8_t kC3Sort[3][16] = {
    {0, 3, 6, 9, 12, 15, 2, 5, 8, 11, 14, 1, 4, 7, 10, 13},
    {1, 4, 7, 10, 13, 0, 3, 6, 9, 12, 15, 2, 5, 8, 11, 14},
    {2, 5, 8, 11, 14, 1, 4, 7, 10, 13, 0, 3, 6, 9, 12, 15}};
inline __m128i c3_every3(int k) { return _mm_load_si128(reinterpret_cast<const __m128i*>(kC3Every3[k])); }
inline __m128i c3_sort(int ch) { return _mm_load_si128(reinterpret_cast<const __m128i*>(kC3Sort[ch])); }
// The inverse shuffles, for the interleave: byte j of channel ch's register
// goes where the blends of the k-th 16 bytes take it (k = (ch - j) mod 3).
struct C3Unsort {
    std::int8_t at[3][16];
};
constexpr C3Unsort c3_unsort_table() {
    C3Unsort u{};
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < 16; ++i) u.at[ch][kC3Sort[ch][i]] = static_cast<std::int8_t>(i);
    return u;
}
alignas(16) constexpr C3Unsort kC3Unsort = c3_unsort_table();
inline __m128i c3_unsort(int ch) { return _mm_load_si128(reinterpret_cast<const __m128i*>(kC3Unsort.at[ch])); }

// Bytes of y where the mask byte (one 128-bit pattern for every lane) has its top bit, else of x.
template <class V>
inline typename V::T blend_bytes(typename V::T x, typename V::T y, __m128i mask) {
    if constexpr (V::kBytes == 16) return _mm_blendv_epi8(x, y, mask);
#if defined(__AVX2__)
    else return _mm256_blendv_epi8(x, y, _mm256_broadcastsi128_si256(mask));
#endif
}

// The three 16-byte parts of 48-byte blocks of three-byte pixels, one block per
// 128-bit lane (at 256 bits pixels 0..15 in lane 0 and 16..31 in lane 1).
template <class V>
inline void c3_parts(const std::uint8_t* p, typename V::T& t0, typename V::T& t1, typename V::T& t2) {
    if constexpr (V::kBytes == 16) {
        t0 = V::load(p), t1 = V::load(p + 16), t2 = V::load(p + 32);
    }
#if defined(__AVX2__)
    else {
        auto two = [p](int lo) {
            return _mm256_inserti128_si256(_mm256_castsi128_si256(V128::load(p + lo)), V128::load(p + lo + 48), 1);
        };
        t0 = two(0), t1 = two(16), t2 = two(32);
    }
#endif
}

// Channel ch of those blocks' pixels, gathered by two blends and put in order.
template <class V>
inline typename V::T c3_channel(typename V::T t0, typename V::T t1, typename V::T t2, int ch) {
    const typename V::T mixed = blend_bytes<V>(blend_bytes<V>(t0, t1, c3_every3((ch + 2) % 3)), t2, c3_every3((ch + 1) % 3));
    return V::shuffle8(mixed, c3_sort(ch));
}
#endif

// Stride-3 de-interleave: channel k of pixel j is byte 3j + k.
template <class V>
inline void load_c3_bytes(const std::uint8_t* p, typename V::T& a, typename V::T& b, typename V::T& c) {
    if constexpr (V::kBytes == 16) {
        const __m128i t00 = V::load(p), t01 = V::load(p + 16), t02 = V::load(p + 32);
#if defined(__SSE4_1__)
        a = c3_channel<V>(t00, t01, t02, 0), b = c3_channel<V>(t00, t01, t02, 1), c = c3_channel<V>(t00, t01, t02, 2);
#elif defined(__SSSE3__)
        auto pick = [&](__m128i m0, __m128i m1, __m128i m2) {
            return _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(t00, m0), _mm_shuffle_epi8(t01, m1)), _mm_shuffle_epi8(t02, m2));
        };
        a = pick(c3_pick(0, 0), c3_pick(0, 1), c3_pick(0, 2));
        b = pick(c3_pick(1, 0), c3_pick(1, 1), c3_pick(1, 2));
        c = pick(c3_pick(2, 0), c3_pick(2, 1), c3_pick(2, 2));
#else
        // five rounds of byte interleaving sort the stride-3 stream into channels
        auto step = [](__m128i& x0, __m128i& x1, __m128i& x2) {
            const __m128i y0 = _mm_unpacklo_epi8(x0, _mm_unpackhi_epi64(x1, x1));
            const __m128i y1 = _mm_unpacklo_epi8(_mm_unpackhi_epi64(x0, x0), x2);
            const __m128i y2 = _mm_unpacklo_epi8(x1, _mm_unpackhi_epi64(x2, x2));
            x0 = y0, x1 = y1, x2 = y2;
        };
        __m128i x0 = t00, x1 = t01, x2 = t02;
        for (int k = 0; k < 4; ++k) step(x0, x1, x2);
        a = x0, b = x1, c = x2;
#endif
    } else if constexpr (V::kBytes == 32) {
#if defined(__AVX512VBMI__)
        __m256i ch[3];
        load_c3_vbmi(p, ch);
        a = ch[0], b = ch[1], c = ch[2];
#elif defined(__AVX2__)
        __m256i t0, t1, t2;
        c3_parts<V>(p, t0, t1, t2);
        a = c3_channel<V>(t0, t1, t2, 0), b = c3_channel<V>(t0, t1, t2, 1), c = c3_channel<V>(t0, t1, t2, 2);
#endif
    } else {
#if defined(__AVX512VBMI__)
        __m512i ch[3];
        load_c3_vbmi(p, ch);
        a = ch[0], b = ch[1], c = ch[2];
#endif
    }
}

// Three-byte pixels as 16-bit lanes of the even and of the odd pixels: ab_e
// holds (channel 0 | channel 1 << 8) of pixels 0, 2, 4, ..., ab_o the same of
// pixels 1, 3, 5, ..., and c_e, c_o channel 2 of each (high bytes zero).  From
// SSE4.1 on the blends of load_c3_bytes gather these sets directly: within a
// 48-byte block, byte j of the k-th 16 bytes is stream byte 16 k + j, and for
// each j exactly one k puts it among channels 0 and 1 of an even pixel
// (16 k + j = 0 or 1 mod 6), of an odd one (3 or 4 mod 6), or in channel 2
// (2 mod 3); one shuffle per set then orders it (two for channel 2, one per
// parity).  Ten instructions after the loads, against the channel bytes' nine
// and eight more to make these words of them.
struct C3PairMasks {
    std::int8_t from1[16], from2[16], sort[16];
};
// Masks of the set of stream bytes q with q % m in {r0, r1}; sort gathers
// output byte o from q = start + 6 (o / 2) + (o % 2 ? r1 - r0 : 0), or zero
// for odd o when r1 < 0 (one channel, zero-extended).
constexpr C3PairMasks c3_pair_masks(int m, int r0, int r1, int start) {
    C3PairMasks k{};
    for (int j = 0; j < 16; ++j) {
        int from = 0;
        for (int part = 0; part < 3; ++part) {
            const int r = (16 * part + j) % m;
            if (r == r0 || r == r1) from = part;
        }
        k.from1[j] = from == 1 ? -128 : 0;
        k.from2[j] = from == 2 ? -128 : 0;
        const int q = start + 6 * (j / 2) + (j % 2 ? r1 - r0 : 0);
        k.sort[j] = j % 2 && r1 < 0 ? -128 : static_cast<std::int8_t>(q % 16);
    }
    return k;
}
alignas(16) constexpr C3PairMasks kC3PairAbEven = c3_pair_masks(6, 0, 1, 0);
alignas(16) constexpr C3PairMasks kC3PairAbOdd = c3_pair_masks(6, 3, 4, 3);
alignas(16) constexpr C3PairMasks kC3PairCEven = c3_pair_masks(3, 2, -1, 2);
alignas(16) constexpr C3PairMasks kC3PairCOdd = c3_pair_masks(3, 2, -1, 5);

// The same words made from channel registers of bytes a, b, c.
template <class V>
inline void pair_words_of_bytes(typename V::T a, typename V::T b, typename V::T c, typename V::T& ab_e,
                                typename V::T& ab_o, typename V::T& c_e, typename V::T& c_o) {
    using T = typename V::T;
    const T lo = V::set16(0x00FF), hi = V::set16(static_cast<std::int16_t>(0xFF00));
    ab_e = V::or_(V::and_(a, lo), V::slli16(b, 8));
    ab_o = V::or_(V::srli16(a, 8), V::and_(b, hi));
    c_e = V::and_(c, lo);
    c_o = V::srli16(c, 8);
}

template <class V>
inline void load_c3_pair_words(const std::uint8_t* p, typename V::T& ab_e, typename V::T& ab_o, typename V::T& c_e,
                               typename V::T& c_o) {
    using T = typename V::T;
#if defined(__SSE4_1__)
    if constexpr (V::kBytes <= 32) {
        T t0, t1, t2;
        c3_parts<V>(p, t0, t1, t2);  // a second lane starts 48 bytes on: 48 = 0 mod 6
        auto m = [](const std::int8_t (&x)[16]) { return _mm_load_si128(reinterpret_cast<const __m128i*>(x)); };
        auto gather = [&](const C3PairMasks& k) {
            return blend_bytes<V>(blend_bytes<V>(t0, t1, m(k.from1)), t2, m(k.from2));
        };
        ab_e = V::shuffle8(gather(kC3PairAbEven), m(kC3PairAbEven.sort));
        ab_o = V::shuffle8(gather(kC3PairAbOdd), m(kC3PairAbOdd.sort));
        const T c = gather(kC3PairCEven);  // the same blend for both parities
        c_e = V::shuffle8(c, m(kC3PairCEven.sort));
        c_o = V::shuffle8(c, m(kC3PairCOdd.sort));
        return;
    }
#endif
    T a, b, c;
    load_c3_bytes<V>(p, a, b, c);
    pair_words_of_bytes<V>(a, b, c, ab_e, ab_o, c_e, c_o);
}

// Stride-3 interleave, the inverse of load_c3_bytes.
template <class V>
inline void store_c3_bytes(std::uint8_t* p, typename V::T a, typename V::T b, typename V::T c) {
#if defined(__SSE4_1__) && !defined(__AVX512VBMI__)
    if constexpr (V::kBytes <= 32) {
        // the blends of load_c3_bytes run backwards: one shuffle per channel puts
        // its bytes where the k-th 16 bytes take them, then two blends per 16
        // bytes pick each byte's channel ((j + k) % 3 for byte j): three shuffles
        // and six blends per 48 bytes in place of nine shuffles and six ORs
        using T = typename V::T;
        const T x0 = V::shuffle8(a, c3_unsort(0)), x1 = V::shuffle8(b, c3_unsort(1)), x2 = V::shuffle8(c, c3_unsort(2));
        T o[3];
        for (int k = 0; k < 3; ++k)
            o[k] = blend_bytes<V>(blend_bytes<V>(x0, x1, c3_every3((4 - k) % 3)), x2, c3_every3((5 - k) % 3));
        if constexpr (V::kBytes == 16) {
            for (int k = 0; k < 3; ++k) V::store(p + 16 * k, o[k]);
        } else {
            // each 128-bit half straight to its place (a store each): measured about 5%
            // faster than lane permutes and whole-register stores on the 4:2:2 to RGB rows
            for (int k = 0; k < 3; ++k) V::store_half(p + 16 * k, V::half(o[k], 0));
            for (int k = 0; k < 3; ++k) V::store_half(p + 48 + 16 * k, V::half(o[k], 1));
        }
        return;
    }
#endif
    if constexpr (V::kBytes == 16) {
#if defined(__SSSE3__)
        auto put = [&](__m128i ma, __m128i mb, __m128i mc) {
            return _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a, ma), _mm_shuffle_epi8(b, mb)), _mm_shuffle_epi8(c, mc));
        };
        V::store(p, put(_mm_setr_epi8(0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1, 5),
                        _mm_setr_epi8(-1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1),
                        _mm_setr_epi8(-1, -1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1)));
        V::store(p + 16, put(_mm_setr_epi8(-1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10, -1),
                             _mm_setr_epi8(5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10),
                             _mm_setr_epi8(-1, 5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1)));
        V::store(p + 32, put(_mm_setr_epi8(-1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1, -1),
                             _mm_setr_epi8(-1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1),
                             _mm_setr_epi8(10, -1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15)));
#else
        // four pixels of (a, b, c, 0) per register, then each squeezed to 12 bytes
        const __m128i z = _mm_setzero_si128();
        const __m128i ab0 = _mm_unpacklo_epi8(a, b), ab1 = _mm_unpackhi_epi8(a, b);
        const __m128i c0 = _mm_unpacklo_epi8(c, z), c1 = _mm_unpackhi_epi8(c, z);
        const __m128i q[4] = {_mm_unpacklo_epi16(ab0, c0), _mm_unpackhi_epi16(ab0, c0), _mm_unpacklo_epi16(ab1, c1),
                              _mm_unpackhi_epi16(ab1, c1)};
        const __m128i lo3 = _mm_setr_epi32(0x00ffffff, 0, 0x00ffffff, 0);  // bytes 0..2 of each qword
        const __m128i keep6 = _mm_setr_epi32(-1, 0xffff, 0, 0);
        for (int k = 0; k < 4; ++k) {
            // each qword: pixel 0 in bytes 0..2, pixel 1 moved down to bytes 3..5 (its zero byte to 6)
            const __m128i x = _mm_or_si128(_mm_and_si128(q[k], lo3), _mm_andnot_si128(lo3, _mm_srli_epi64(q[k], 8)));
            const __m128i x6 = _mm_or_si128(_mm_and_si128(x, keep6), _mm_andnot_si128(keep6, _mm_srli_si128(x, 2)));
            V::store_half(p + 12 * k, x6);
            const int tail = _mm_cvtsi128_si32(_mm_srli_si128(x6, 8));
            std::memcpy(p + 12 * k + 8, &tail, 4);
        }
#endif
    } else if constexpr (V::kBytes == 32) {
#if defined(__AVX512VBMI__)
        const __m256i ch[3] = {a, b, c};
        store_c3_vbmi(p, ch);
#endif
    } else {
#if defined(__AVX512VBMI__)
        const __m512i ch[3] = {a, b, c};
        store_c3_vbmi(p, ch);
#endif
    }
}

// 4-byte pixel gather into "quad order" (nothing crosses a 128-bit lane):
// channels 0, 1, 2 of kBytes pixels.  Each 128-bit lane holds 4 pixels from
// each of the 4 registers loaded, so at 128 bits this is row order and at 256
// bits lane 0 holds pixels 0-3, 8-11, 16-19, 24-27 and lane 1 pixels 4-7,
// 12-15, 20-23, 28-31: every 4 pixels stay together (pixel pairs too).
// store_quad_order puts such a register back in row order.  From SSSE3 on one
// byte shuffle per register groups each quad's channels and two rounds of
// interleaves gather them, 11 instructions; without byte shuffles, four rounds
// of byte interleaves, 15.  The kernels around it are bound by their total
// instruction count more than by the shuffle pipes the multiplies share.
template <class V>
inline void load_c4_bytes_quads(const std::uint8_t* p, typename V::T& a, typename V::T& b, typename V::T& c) {
    using T = typename V::T;
    const T q0 = V::load(p), q1 = V::load(p + V::kBytes), q2 = V::load(p + 2 * V::kBytes), q3 = V::load(p + 3 * V::kBytes);
#if defined(__SSSE3__)
    // per quad: its 4 bytes of channel 0, of 1, of 2, of 3 (one dword each), then
    // dwords of q0 beside q1 (q2 beside q3), then qwords of q0q1 beside q2q3
    const __m128i by_channel = _mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    const T s0 = V::shuffle8(q0, by_channel), s1 = V::shuffle8(q1, by_channel), s2 = V::shuffle8(q2, by_channel),
            s3 = V::shuffle8(q3, by_channel);
    const T t0 = unpacklo32<V>(s0, s1), t1 = unpackhi32<V>(s0, s1), t2 = unpacklo32<V>(s2, s3), t3 = unpackhi32<V>(s2, s3);
    a = unpacklo64<V>(t0, t2);
    b = unpackhi64<V>(t0, t2);
    c = unpacklo64<V>(t1, t3);
#else
    // pixel i of q0 beside pixel i of q1 (and q2 beside q3), then i beside i + 2,
    // then i beside i + 1: a channel's 8 bytes of q0, q1 (q2, q3) side by side
    const T e = V::unpacklo8(q0, q1), f = V::unpackhi8(q0, q1), g = V::unpacklo8(q2, q3), h = V::unpackhi8(q2, q3);
    const T i = V::unpacklo8(e, f), j = V::unpackhi8(e, f), k = V::unpacklo8(g, h), l = V::unpackhi8(g, h);
    const T ch01 = V::unpacklo8(i, j), ch23 = V::unpackhi8(i, j), dh01 = V::unpacklo8(k, l), dh23 = V::unpackhi8(k, l);
    a = unpacklo64<V>(ch01, dh01);
    b = unpackhi64<V>(ch01, dh01);
    c = unpacklo64<V>(ch23, dh23);
#endif
}

// A register of bytes in the quad order of load_c4_bytes_quads stored in row order.
template <class V>
inline void store_quad_order(std::uint8_t* p, typename V::T v) {
    if constexpr (V::kBytes == 16) V::store(p, v);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) V::store(p, _mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)));
#endif
}

// Two registers of words, one word per pixel pair in the quad order of
// load_c4_bytes_quads, packed to bytes and stored in row order at pa and pb
// (kBytes / 2 each): store_narrow2 for that order.
template <class V>
inline void store_narrow2_quad_order(void* pa, void* pb, typename V::T a, typename V::T b) {
    if constexpr (V::kBytes == 16) V::store_narrow2(pa, pb, a, b);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) {
        // each lane holds the two pairs of quads 0, 2, 4, 6 (lane 0) or 1, 3, 5, 7 (lane 1):
        // a's bytes go to lane 0 and b's to lane 1, then the quads' words are interleaved
        const __m256i x = _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8);
        const __m256i y = V::shuffle8(x, _mm_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15));
        V::store_half(pa, _mm256_castsi256_si128(y));
        V::store_half(pb, _mm256_extracti128_si256(y, 1));
    }
#endif
}

// 4-byte pixel gather: channels 0, 1, 2 of kBytes pixels (the fourth byte is dropped).
template <class V>
inline void load_c4_bytes(const std::uint8_t* p, typename V::T& a, typename V::T& b, typename V::T& c) {
    if constexpr (V::kBytes == 16) {
        const __m128i m = V::set16(0x00ff);
        const __m128i q0 = V::load(p), q1 = V::load(p + 16), q2 = V::load(p + 32), q3 = V::load(p + 48);
        // bytes 0 and 2 of each pixel, then 1 and 3
        const __m128i e01 = V::packus16(V::and_(q0, m), V::and_(q1, m));
        const __m128i e23 = V::packus16(V::and_(q2, m), V::and_(q3, m));
        const __m128i o01 = V::packus16(V::srli16(q0, 8), V::srli16(q1, 8));
        const __m128i o23 = V::packus16(V::srli16(q2, 8), V::srli16(q3, 8));
        a = V::packus16(V::and_(e01, m), V::and_(e23, m));
        c = V::packus16(V::srli16(e01, 8), V::srli16(e23, 8));
        b = V::packus16(V::and_(o01, m), V::and_(o23, m));
    } else if constexpr (V::kBytes == 32) {
#if defined(__AVX2__)
        const __m256i q0 = V::load(p), q1 = V::load(p + 32), q2 = V::load(p + 64), q3 = V::load(p + 96);
        const __m128i group = _mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
        // four pixels per lane quarter, channels grouped as dwords
        const __m256i x0 = V::shuffle8(_mm256_permute2x128_si256(q0, q2, 0x20), group);  // 0..3 | 16..19
        const __m256i x1 = V::shuffle8(_mm256_permute2x128_si256(q0, q2, 0x31), group);  // 4..7 | 20..23
        const __m256i x2 = V::shuffle8(_mm256_permute2x128_si256(q1, q3, 0x20), group);  // 8..11 | 24..27
        const __m256i x3 = V::shuffle8(_mm256_permute2x128_si256(q1, q3, 0x31), group);  // 12..15 | 28..31
        const __m256i lo01 = _mm256_unpacklo_epi32(x0, x1), lo23 = _mm256_unpacklo_epi32(x2, x3);
        const __m256i hi01 = _mm256_unpackhi_epi32(x0, x1), hi23 = _mm256_unpackhi_epi32(x2, x3);
        a = _mm256_unpacklo_epi64(lo01, lo23);
        b = _mm256_unpackhi_epi64(lo01, lo23);
        c = _mm256_unpacklo_epi64(hi01, hi23);
#endif
    } else {
#if defined(__AVX512VBMI__)
        load_c4_vbmi(p, a, b, c);
#elif defined(__AVX512BW__)
        // per 16 bytes: channel 0 of 4 pixels, then 1, 2, 3; then gather the dwords
        const __m512i m = V::broadcast_lane(_mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
        __m512i v[4];
        for (int k = 0; k < 4; ++k) v[k] = _mm512_shuffle_epi8(V::load(p + 64 * k), m);
        // dword 4 k + c of v[j] holds channel c of the 4-pixel group 4 j + k
        const __m512i ab = _mm512_setr_epi32(0, 4, 8, 12, 16, 20, 24, 28, 1, 5, 9, 13, 17, 21, 25, 29);
        const __m512i cc = _mm512_setr_epi32(2, 6, 10, 14, 18, 22, 26, 30, 2, 6, 10, 14, 18, 22, 26, 30);
        const __m512i lo = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 16, 17, 18, 19, 20, 21, 22, 23);
        const __m512i hi = _mm512_setr_epi32(8, 9, 10, 11, 12, 13, 14, 15, 24, 25, 26, 27, 28, 29, 30, 31);
        const __m512i ab01 = _mm512_permutex2var_epi32(v[0], ab, v[1]), ab23 = _mm512_permutex2var_epi32(v[2], ab, v[3]);
        const __m512i c01 = _mm512_permutex2var_epi32(v[0], cc, v[1]), c23 = _mm512_permutex2var_epi32(v[2], cc, v[3]);
        a = _mm512_permutex2var_epi32(ab01, lo, ab23);
        b = _mm512_permutex2var_epi32(ab01, hi, ab23);
        c = _mm512_permutex2var_epi32(c01, lo, c23);
#endif
    }
}

// The 4-byte pixel stores below interleave bytes and then words within
// lanes.  The 256-bit form restores row order by lane permutes after that;
// the 512-bit form instead needs its inputs' dwords put through quad_order
// first (before widening): every lane then already holds whole output rows.
template <class V>
inline typename V::T quad_order(typename V::T x) {
#if defined(__AVX512BW__)
    if constexpr (V::kBytes == 64) return V::transpose_lanes32(x);
#endif
    return x;
}

// Four registers whose lane L holds row bytes 64 L + 16 k (k = 0..3), put in row order.
template <class V>
inline void order_lane_quads(typename V::T q[4]) {
    if constexpr (V::kBytes == 32) {
#if defined(__AVX2__)
        const __m256i q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
        q[0] = _mm256_permute2x128_si256(q0, q1, 0x20);
        q[1] = _mm256_permute2x128_si256(q2, q3, 0x20);
        q[2] = _mm256_permute2x128_si256(q0, q1, 0x31);
        q[3] = _mm256_permute2x128_si256(q2, q3, 0x31);
#endif
    }
    (void)q;  // the other widths are in order already
}

// Channels 0, 1, 2 of kBytes pixels into 4-byte pixels whose fourth byte is
// zero, or kept from the destination (KeepFourth).
template <class V, bool KeepFourth>
inline void store_c4_bytes(std::uint8_t* p, typename V::T a, typename V::T b, typename V::T c) {
    using T = typename V::T;
    const T z = V::zero();
    const T ab0 = V::unpacklo8(a, b), ab1 = V::unpackhi8(a, b);
    const T c0 = V::unpacklo8(c, z), c1 = V::unpackhi8(c, z);
    T q[4] = {V::unpacklo16(ab0, c0), V::unpackhi16(ab0, c0), V::unpacklo16(ab1, c1), V::unpackhi16(ab1, c1)};
    order_lane_quads<V>(q);
    const T fourth = V::set32(static_cast<int>(0xff000000u));
    for (int k = 0; k < 4; ++k) {
        std::uint8_t* d = p + V::kBytes * k;
        V::store(d, KeepFourth ? V::or_(q[k], V::and_(V::load(d), fourth)) : q[k]);
    }
}

}  // namespace
}  // namespace qrx::simd
#endif  // __SSE2__
