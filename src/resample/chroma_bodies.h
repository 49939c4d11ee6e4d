// Vector bodies of the chroma byte moves.  Each function moves the leading
// whole vector blocks of a row and returns how many units (pairs, quads or
// samples, as the caller counts them) it has done; the caller's plain loop
// does the rest, so every byte lands where the plain loop would put it.
// The reference level (QRX_LEVEL_SCALAR) returns 0 everywhere.
//
// Each body is written once against a byte-vector trait (B128, B256, B512)
// and runs with the widest vector the level has first, then with each
// narrower one over the blocks that remain.
// Included by per-level files only: everything lives in an anonymous
// namespace so each level keeps its own copy.
#pragma once

#include <cstdint>

#include "core/byte_moves_x86.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#define QRX_RESAMPLE_SSE2 1
#endif
#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
#define QRX_RESAMPLE_AVX2 1
#include "core/pixel_dwords_x86.h"
#endif
#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512BW__)
#define QRX_RESAMPLE_AVX512 1
#include "core/lane_units_x86.h"
#endif

namespace qrx::resample::simd {
namespace {

using u8 = std::uint8_t;

#if defined(QRX_RESAMPLE_SSE2)

using ::qrx::simd::in_register;
using ::qrx::simd::walk_apart;
using ::qrx::simd::B128;
#if defined(QRX_RESAMPLE_AVX2)
using ::qrx::simd::B256;
#endif
#if defined(QRX_RESAMPLE_AVX512)
using ::qrx::simd::B512;
#endif

template <class B>
inline typename B::T even_bytes(typename B::T a, typename B::T b) {
    const typename B::T lo = B::set16(0x00FF);
    return B::in_order(B::packus16(B::and_(a, lo), B::and_(b, lo)));
}
template <class B>
inline typename B::T odd_bytes(typename B::T a, typename B::T b) {
    return B::in_order(B::packus16(B::srli16(a, 8), B::srli16(b, 8)));
}
// 16-bit units, exact: sign-extended before the signed pack.
template <class B>
inline typename B::T even_words(typename B::T a, typename B::T b) {
    return B::in_order(B::packs32(B::srai32(B::slli32(a, 16), 16), B::srai32(B::slli32(b, 16), 16)));
}
template <class B>
inline typename B::T odd_words(typename B::T a, typename B::T b) {
    return B::in_order(B::packs32(B::srai32(a, 16), B::srai32(b, 16)));
}
// Luma / chroma bytes of packed 4:2:2 (luma first: even bytes; chroma first: odd).
template <class B, bool CF>
inline typename B::T luma_of(typename B::T a, typename B::T b) {
    return CF ? odd_bytes<B>(a, b) : even_bytes<B>(a, b);
}
template <class B, bool CF>
inline typename B::T chroma_of(typename B::T a, typename B::T b) {
    return CF ? even_bytes<B>(a, b) : odd_bytes<B>(a, b);
}
// Luma y and chroma pairs c (kBytes each) -> 2 kBytes of packed 4:2:2.
template <class B, bool CF>
inline void join_packed(u8* d, typename B::T y, typename B::T c) {
    typename B::T o0, o1;
    if (CF)
        B::zip8(c, y, o0, o1);
    else
        B::zip8(y, c, o0, o1);
    B::store(d, o0);
    B::store(d + B::kBytes, o1);
}
// kBytes / 2 chroma pairs, each for the two pairs of its quad: 4 kBytes out.
template <class B, bool CF>
inline void join_packed_hdup(u8* d, const u8* y, typename B::T c) {
    typename B::T c0, c1;
    B::zip16(c, c, c0, c1);
    join_packed<B, CF>(d, B::load(y), c0);
    join_packed<B, CF>(d + 2 * B::kBytes, B::load(y + B::kBytes), c1);
}

// Runs `body(B{}, i)` for each width of the level, widest first; each call
// continues where the previous one stopped.  kMaxBytes caps the widest form.
template <int kMaxBytes = 64, class Body>
inline int widest_first(Body body, int i = 0) {
#if defined(QRX_RESAMPLE_AVX512)
    if constexpr (kMaxBytes >= 64) i = body(B512{}, i);
#endif
#if defined(QRX_RESAMPLE_AVX2)
    i = body(B256{}, i);
#endif
    return body(B128{}, i);
}

#if defined(QRX_RESAMPLE_AVX2)
// 32 pairs of packed 4:2:2 to planes at 256 bits: one byte shuffle per register
// sorts each lane into its 8 luma bytes and 4 of each chroma, interleaves
// gather the registers' lanes and one lane permute per plane puts them in
// order: 14 instructions per 128 bytes, where masks and packs took 24.
template <bool CF>
inline void unpack_p3_256(const u8* s, u8* y, u8* u, u8* v) {
    const __m128i sort = CF ? _mm_setr_epi8(1, 3, 5, 7, 9, 11, 13, 15, 0, 4, 8, 12, 2, 6, 10, 14)
                            : _mm_setr_epi8(0, 2, 4, 6, 8, 10, 12, 14, 1, 5, 9, 13, 3, 7, 11, 15);
    __m256i p[4];  // lane L of p[k]: Y, first and second chroma of pairs 8k + 4L .. 8k + 4L + 3
    for (int k = 0; k < 4; ++k) p[k] = B256::shuffle8(B256::load(s + 32 * k), sort);
    B256::store(y, B256::in_order(_mm256_unpacklo_epi64(p[0], p[1])));
    B256::store(y + 32, B256::in_order(_mm256_unpacklo_epi64(p[2], p[3])));
    const __m256i c01 = _mm256_unpackhi_epi32(p[0], p[1]), c23 = _mm256_unpackhi_epi32(p[2], p[3]);
    // the chroma of pairs 8k + 4L .. 8k + 4L + 3 sits in lane L, dword k
    const __m256i groups_in_order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    B256::store(u, _mm256_permutevar8x32_epi32(_mm256_unpacklo_epi64(c01, c23), groups_in_order));
    B256::store(v, _mm256_permutevar8x32_epi32(_mm256_unpackhi_epi64(c01, c23), groups_in_order));
}

// 32 four-byte units to four planes at 256 bits, the same way: one byte shuffle
// per register sorts each lane into its units' first, second, third and fourth
// bytes, two rounds of interleaves gather them and one lane permute per plane
// puts them in order: 16 instructions per 128 bytes, where masks and packs took
// 36 (4:2:0 semi-planar to 4:1:1 planar measured at 0.79 of memcpy with them).
inline void unzip4_256(const u8* s, u8* a, u8* b, u8* c, u8* e) {
    const __m128i sort = _mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    __m256i p[4];  // lane L of p[k]: bytes 0, 1, 2, 3 of units 8k + 4L .. 8k + 4L + 3, a dword each
    for (int k = 0; k < 4; ++k) p[k] = B256::shuffle8(B256::load(s + 32 * k), sort);
    const __m256i ab01 = _mm256_unpacklo_epi32(p[0], p[1]), ab23 = _mm256_unpacklo_epi32(p[2], p[3]);
    const __m256i ce01 = _mm256_unpackhi_epi32(p[0], p[1]), ce23 = _mm256_unpackhi_epi32(p[2], p[3]);
    // byte j of units 8k + 4L .. 8k + 4L + 3 sits in lane L, dword k of plane j
    const __m256i groups_in_order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    B256::store(a, _mm256_permutevar8x32_epi32(_mm256_unpacklo_epi64(ab01, ab23), groups_in_order));
    B256::store(b, _mm256_permutevar8x32_epi32(_mm256_unpackhi_epi64(ab01, ab23), groups_in_order));
    B256::store(c, _mm256_permutevar8x32_epi32(_mm256_unpacklo_epi64(ce01, ce23), groups_in_order));
    B256::store(e, _mm256_permutevar8x32_epi32(_mm256_unpackhi_epi64(ce01, ce23), groups_in_order));
}
#endif

// ---- the bodies; n = B::kBytes ------------------------------------------------

template <bool CF, bool Aligned>
int unpack_p3(const u8* s, u8* y, u8* u, u8* v, int pairs) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
#if defined(QRX_RESAMPLE_AVX2)
        if constexpr (n == 32) {
            for (; i + n <= pairs; i += n) unpack_p3_256<CF>(s + 4 * i, y + 2 * i, u + i, v + i);
            return i;
        }
#endif
        auto ld = [](const u8* p) { return Aligned ? B::load_a(p) : B::load(p); };
        auto st = [](u8* p, typename B::T x) { Aligned ? B::store_a(p, x) : B::store(p, x); };
        for (; i + n <= pairs; i += n) {
            const auto a = ld(s + 4 * i), b = ld(s + 4 * i + n), c = ld(s + 4 * i + 2 * n), e = ld(s + 4 * i + 3 * n);
            st(y + 2 * i, luma_of<B, CF>(a, b));
            st(y + 2 * i + n, luma_of<B, CF>(c, e));
            const auto c0 = chroma_of<B, CF>(a, b), c1 = chroma_of<B, CF>(c, e);
            B::store(u + i, even_bytes<B>(c0, c1));
            B::store(v + i, odd_bytes<B>(c0, c1));
        }
        return i;
    });
}

template <bool CF>
int unpack_y(const u8* s, u8* y, int pairs) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; i + n <= pairs; i += n) {
            if constexpr (n == 64)  // as in unpack_p2
                for (int k = 0; k < 4 * n; k += 64) __builtin_prefetch(s + 4 * i + 2048 + k);
            B::store(y + 2 * i, luma_of<B, CF>(B::load(s + 4 * i), B::load(s + 4 * i + n)));
            B::store(y + 2 * i + n, luma_of<B, CF>(B::load(s + 4 * i + 2 * n), B::load(s + 4 * i + 3 * n)));
        }
        return i;
    });
}

template <bool CF>
int unpack_p2(const u8* s, u8* y, u8* uv, int pairs) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        // luma, then chroma from the same (cached) row: one store stream per
        // pass; with both streams at once, loads stalled behind stores whose
        // addresses matched them modulo 4 KiB (1920x1080 at avx2: 264 -> 250 us)
        const int i0 = i;
        for (; 2 * i + n <= 2 * pairs; i += n / 2) {
            // 512-bit rows ask for the source 2 KiB ahead (1920x1080 beside the
            // peer: 0.94 -> 0.97; at 256 bits it measured slower)
            if constexpr (n == 64) {
                __builtin_prefetch(s + 4 * i + 2048);
                __builtin_prefetch(s + 4 * i + 2048 + 64);
            }
            B::store(y + 2 * i, luma_of<B, CF>(B::load(s + 4 * i), B::load(s + 4 * i + n)));
        }
        for (int k = i0; k < i; k += n / 2) B::store(uv + 2 * k, chroma_of<B, CF>(B::load(s + 4 * k), B::load(s + 4 * k + n)));
        return i;
    });
}

template <bool CF>
int unpack_uv(const u8* s, u8* uv, int pairs) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; 2 * i + n <= 2 * pairs; i += n / 2)
            B::store(uv + 2 * i, chroma_of<B, CF>(B::load(s + 4 * i), B::load(s + 4 * i + n)));
        return i;
    });
}

#if defined(QRX_RESAMPLE_AVX2)
// 4:2:2 -> 4:1:1 from 256 bits up: one byte shuffle per register puts each
// 128-bit lane's 8 luma bytes first and the chroma of its 2 quads next (dword
// 2); the lane picks then gather them across lanes.  Planar: the chroma dwords
// are (u, u, v, v) and are split into the two planes; semi-planar: they are
// (u, v, u, v) and stored as they are.
template <bool CF, bool Planar>
struct HdropBytes {
    static constexpr int u0 = CF ? 0 : 1, v0 = CF ? 2 : 3, l0 = CF ? 1 : 0;  // byte offsets in a pair
    static constexpr std::int8_t z = -128;
    alignas(16) static constexpr std::int8_t kLane[16] = {
        l0, l0 + 2, l0 + 4, l0 + 6, l0 + 8, l0 + 10, l0 + 12, l0 + 14,  //
        u0, Planar ? u0 + 8 : v0, Planar ? v0 : u0 + 8, v0 + 8, z, z, z, z};
    // per lane (u, u, v, v) dwords -> the u bytes, then the v bytes
    alignas(16) static constexpr std::int8_t kSplit[16] = {0, 1, 4, 5, 8, 9, 12, 13, 2, 3, 6, 7, 10, 11, 14, 15};
};

// 16 quads (64 pixels) at a time; lane k of the 4 registers holds quads 2k, 2k + 1
// of each 32 bytes.
template <bool CF, bool Planar>
inline int hdrop_256(const u8* s, u8* y, u8* u, u8* v, u8* uv, int quads) {
    using Bytes = HdropBytes<CF, Planar>;
    const __m256i lane = _mm256_broadcastsi128_si256(::qrx::simd::lane_bytes(Bytes::kLane));
    const __m256i split = _mm256_broadcastsi128_si256(::qrx::simd::lane_bytes(Bytes::kSplit));
    int i = 0;
    for (; i + 16 <= quads; i += 16) {
        const u8* p = s + 8 * i;
        const __m256i a = _mm256_shuffle_epi8(B256::load(p), lane), b = _mm256_shuffle_epi8(B256::load(p + 32), lane);
        const __m256i c = _mm256_shuffle_epi8(B256::load(p + 64), lane), e = _mm256_shuffle_epi8(B256::load(p + 96), lane);
        B256::store(y + 4 * i, B256::in_order(_mm256_unpacklo_epi64(a, b)));
        B256::store(y + 4 * i + 32, B256::in_order(_mm256_unpacklo_epi64(c, e)));
        // per lane the chroma dwords of a, b, c, e; lane 0 holds quads 0-1, 4-5, 8-9,
        // 12-13 and lane 1 the others: the dwords interleaved over the lanes are in row order
        const __m256i ch = _mm256_unpacklo_epi64(_mm256_unpackhi_epi32(a, b), _mm256_unpackhi_epi32(c, e));
        const __m256i rows = _mm256_permutevar8x32_epi32(ch, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
        if (Planar) {
            const __m256i uv2 = B256::in_order(_mm256_shuffle_epi8(rows, split));  // u of 16 quads | v
            B128::store(u + i, _mm256_castsi256_si128(uv2));
            B128::store(v + i, _mm256_extracti128_si256(uv2, 1));
        } else {
            B256::store(uv + 2 * i, rows);
        }
    }
    return i;
}
#endif

#if defined(QRX_RESAMPLE_AVX512)
// The same with 512-bit registers, 32 quads (128 pixels) at a time.
template <bool CF, bool Planar>
inline int hdrop_512(const u8* s, u8* y, u8* u, u8* v, u8* uv, int quads) {
    using ::qrx::simd::V512;
    using Bytes = HdropBytes<CF, Planar>;
    const auto lane = ::qrx::simd::lane_bytes(Bytes::kLane), split = ::qrx::simd::lane_bytes(Bytes::kSplit);
    int i = 0;
    for (; i + 32 <= quads; i += 32) {
        const u8* p = s + 8 * i;
        const auto a = V512::shuffle8(B512::load(p), lane), b = V512::shuffle8(B512::load(p + 64), lane);
        const auto c = V512::shuffle8(B512::load(p + 128), lane), e = V512::shuffle8(B512::load(p + 192), lane);
        B512::store(y + 4 * i, ::qrx::simd::lo64_of_lanes(a, b));
        B512::store(y + 4 * i + 64, ::qrx::simd::lo64_of_lanes(c, e));
        const auto ch = ::qrx::simd::dword_of_lanes<2>(a, b, c, e);
        if (Planar)
            ::qrx::simd::store_halves(u + i, v + i, B512::in_order(V512::shuffle8(ch, split)));
        else
            B512::store(uv + 2 * i, ch);
    }
    return i;
}
#endif

// Packed 4:2:2 -> luma and the chroma of the first pair of every 4 pixels, as
// two planes (Planar) or as (u, v) pairs.
template <bool CF, bool Planar>
int unpack_hdrop(const u8* s, u8* y, u8* u, u8* v, u8* uv, int quads) {
    int start = 0;
#if defined(QRX_RESAMPLE_AVX512)
    start = hdrop_512<CF, Planar>(s, y, u, v, uv, quads);
#endif
#if defined(QRX_RESAMPLE_AVX2)
    start += hdrop_256<CF, Planar>(s + 8 * start, y + 4 * start, Planar ? u + start : u, Planar ? v + start : v,
                                   Planar ? uv : uv + 2 * start, quads - start);
#endif
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; 2 * i + n <= 2 * quads; i += n / 2) {
            const auto a = B::load(s + 8 * i), b = B::load(s + 8 * i + n);
            const auto c = B::load(s + 8 * i + 2 * n), e = B::load(s + 8 * i + 3 * n);
            B::store(y + 4 * i, luma_of<B, CF>(a, b));
            B::store(y + 4 * i + n, luma_of<B, CF>(c, e));
            const auto cw = even_words<B>(chroma_of<B, CF>(a, b), chroma_of<B, CF>(c, e));  // pairs 0, 2, 4, ...
            if (Planar) {
                B::store_half(u + i, even_bytes<B>(cw, cw));
                B::store_half(v + i, odd_bytes<B>(cw, cw));
            } else {
                B::store(uv + 2 * i, cw);
            }
        }
        return i;
    }, start);
}

template <bool CF>
int unpack_p3_hdrop(const u8* s, u8* y, u8* u, u8* v, int quads) {
    return unpack_hdrop<CF, true>(s, y, u, v, nullptr, quads);
}

template <bool CF>
int unpack_p2_hdrop(const u8* s, u8* y, u8* uv, int quads) {
    return unpack_hdrop<CF, false>(s, y, nullptr, nullptr, uv, quads);
}

template <bool CF>
int pack_p3(const u8* y, const u8* u, const u8* v, u8* d, int pairs) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; i + n <= pairs; i += n) {
            typename B::T c0, c1;
            B::zip8(B::load(u + i), B::load(v + i), c0, c1);
            join_packed<B, CF>(d + 4 * i, B::load(y + 2 * i), c0);
            join_packed<B, CF>(d + 4 * i + 2 * n, B::load(y + 2 * i + n), c1);
        }
        return i;
    });
}

template <bool CF>
int pack_p2(const u8* y, const u8* uv, u8* d, int pairs) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; i + n <= pairs; i += n) {
            join_packed<B, CF>(d + 4 * i, B::load(y + 2 * i), B::load(uv + 2 * i));
            join_packed<B, CF>(d + 4 * i + 2 * n, B::load(y + 2 * i + n), B::load(uv + 2 * i + n));
        }
        return i;
    });
}

template <bool CF>
int pack_p3_hdup(const u8* y, const u8* u, const u8* v, u8* d, int quads) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; 2 * i + n <= 2 * quads; i += n / 2) join_packed_hdup<B, CF>(d + 8 * i, y + 4 * i, B::zip8_halves(u + i, v + i));
        return i;
    });
}

template <bool CF>
int pack_p2_hdup(const u8* y, const u8* uv, u8* d, int quads) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; 2 * i + n <= 2 * quads; i += n / 2) join_packed_hdup<B, CF>(d + 8 * i, y + 4 * i, B::load(uv + 2 * i));
        return i;
    });
}

#if defined(__SSSE3__)
// Every 4 bytes reordered by one byte shuffle (control: the source byte of each).
template <int b0, int b1, int b2, int b3>
inline int reorder_quads(const u8* s, u8* d, int pairs) {
    const __m128i m = _mm_setr_epi8(b0, b1, b2, b3, b0 + 4, b1 + 4, b2 + 4, b3 + 4, b0 + 8, b1 + 8, b2 + 8, b3 + 8,
                                    b0 + 12, b1 + 12, b2 + 12, b3 + 12);
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        // four registers a step: one at a time, the loop's own counting took
        // as many instructions as the work (in cache, 256x32 at avx2: 42 -> 57
        // Gpix/s; 1920x1080 runs at memcpy speed either way)
        for (; 4 * i + 4 * n <= 4 * pairs; i += n)
            for (int k = 0; k < 4 * n; k += n) B::store(d + 4 * i + k, B::shuffle8(B::load(s + 4 * i + k), m));
        for (; 4 * i + n <= 4 * pairs; i += n / 4) B::store(d + 4 * i, B::shuffle8(B::load(s + 4 * i), m));
        return i;
    });
}
inline int swap_luma_chroma(const u8* s, u8* d, int pairs) { return reorder_quads<1, 0, 3, 2>(s, d, pairs); }
inline int swap_chroma(const u8* s, u8* d, int pairs) { return reorder_quads<0, 3, 2, 1>(s, d, pairs); }
#else
inline int swap_luma_chroma(const u8* s, u8* d, int pairs) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; 4 * i + n <= 4 * pairs; i += n / 4) {
            const auto a = B::load(s + 4 * i);
            B::store(d + 4 * i, B::or_(B::slli16(a, 8), B::srli16(a, 8)));
        }
        return i;
    });
}

inline int swap_chroma(const u8* s, u8* d, int pairs) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        const auto keep = B::set32(0x00FF00FF), first = B::set32(0x0000FF00);
        for (; 4 * i + n <= 4 * pairs; i += n / 4) {
            const auto a = B::load(s + 4 * i);
            const auto c0 = B::slli32(B::and_(a, first), 16);                    // byte 1 -> byte 3
            const auto c1 = B::srli32(B::andnot(B::or_(keep, first), a), 16);    // byte 3 -> byte 1
            B::store(d + 4 * i, B::or_(B::and_(a, keep), B::or_(c0, c1)));
        }
        return i;
    });
}
#endif

// The plain 2-plane interleave and de-interleave stop at 256 bits: they only
// move bytes at the cache's bandwidth, and the 512-bit forms measured a little
// slower here (about 0.5 us per 1920x1080 frame), not faster.
inline int zip(const u8* a, const u8* b, u8* d, int count) {
    return widest_first<32>([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        const u8 *pa = a + i, *pb = b + i;
        u8* pd = d + 2 * i;
        const u8* const end = pa + (count - i) / n * n;
        for (; pa != end; pa += n, pb += n, pd += 2 * n) {
            typename B::T o0, o1;
            B::zip8(B::load_fold(pa), B::load_fold(pb), o0, o1);
            B::store(pd, o0);
            B::store(pd + n, o1);
            walk_apart(pa, pb, pd);
        }
        return static_cast<int>(pa - a);
    });
}

inline int unzip(const u8* s, u8* a, u8* b, int count) {
    return widest_first<32>([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        const u8* ps = s + 2 * i;
        u8 *pa = a + i, *pb = b + i;
        const u8* const end = pa + (count - i) / n * n;
        for (; pa != end; ps += 2 * n, pa += n, pb += n) {
            const auto x = B::load(ps), y = B::load(ps + n);
            B::store(pa, even_bytes<B>(x, y));
            B::store(pb, odd_bytes<B>(x, y));
            walk_apart(ps, pa, pb);
        }
        return static_cast<int>(pa - a);
    });
}

// dst[2i] = a[2i], dst[2i+1] = b[2i].  Called with a and b one byte into the
// row as well, so the blocks stop one sample early: no read past the row.
inline int zip_even(const u8* a, const u8* b, u8* d, int count) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; i + n < count; i += n) {
            typename B::T o0, o1;
            B::zip8(even_bytes<B>(B::load(a + 2 * i), B::load(a + 2 * i + n)),
                    even_bytes<B>(B::load(b + 2 * i), B::load(b + 2 * i + n)), o0, o1);
            B::store(d + 2 * i, o0);
            B::store(d + 2 * i + n, o1);
        }
        return i;
    });
}

// a[i] = s[4i], b[i] = s[4i+1], c[i] = s[4i+2], e[i] = s[4i+3].
inline int unzip4(const u8* s, u8* a, u8* b, u8* c, u8* e, int count) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
#if defined(QRX_RESAMPLE_AVX2)
        if constexpr (n == 32) {
            for (; i + n <= count; i += n) unzip4_256(s + 4 * i, a + i, b + i, c + i, e + i);
            return i;
        }
#endif
        for (; i + n <= count; i += n) {
            const auto x0 = B::load(s + 4 * i), x1 = B::load(s + 4 * i + n);
            const auto x2 = B::load(s + 4 * i + 2 * n), x3 = B::load(s + 4 * i + 3 * n);
            const auto ab0 = even_words<B>(x0, x1), ab1 = even_words<B>(x2, x3);
            const auto ce0 = odd_words<B>(x0, x1), ce1 = odd_words<B>(x2, x3);
            B::store(a + i, even_bytes<B>(ab0, ab1));
            B::store(b + i, odd_bytes<B>(ab0, ab1));
            B::store(c + i, even_bytes<B>(ce0, ce1));
            B::store(e + i, odd_bytes<B>(ce0, ce1));
        }
        return i;
    });
}

inline int drop(const u8* s, u8* d, int count) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; i + n <= count; i += n) B::store(d + i, even_bytes<B>(B::load(s + 2 * i), B::load(s + 2 * i + n)));
        return i;
    });
}

// Each byte twice: the interleave of the row with itself.
inline int dup(const u8* s, u8* d, int count) { return zip(s, s, d, count); }

inline int unzip_dup(const u8* s, u8* a, u8* b, int count) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; 2 * i + n <= 2 * count; i += n / 2) {
            const auto x = B::load(s + 2 * i);
            const auto ua = B::and_(x, B::set16(0x00FF)), vb = B::srli16(x, 8);
            B::store(a + 2 * i, B::or_(ua, B::slli16(ua, 8)));
            B::store(b + 2 * i, B::or_(vb, B::slli16(vb, 8)));
        }
        return i;
    });
}

inline int zip4(const u8* a, const u8* b, const u8* c, const u8* e, u8* d, int count) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; i + n <= count; i += n) {
            typename B::T ab0, ab1, ce0, ce1, o0, o1;
            B::zip8(B::load(a + i), B::load(b + i), ab0, ab1);
            B::zip8(B::load(c + i), B::load(e + i), ce0, ce1);
            B::zip16(ab0, ce0, o0, o1);
            B::store(d + 4 * i, o0);
            B::store(d + 4 * i + n, o1);
            B::zip16(ab1, ce1, o0, o1);
            B::store(d + 4 * i + 2 * n, o0);
            B::store(d + 4 * i + 3 * n, o1);
        }
        return i;
    });
}

// One chroma row pair of u, v -> the (u, v) pairs of the even samples and of the odd
// ones: each input read once for both output rows.
inline int split_p2(const u8* u, const u8* v, u8* e, u8* o, int count) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        for (; i + n <= count; i += n) {
            const auto u0 = B::load(u + 2 * i), u1 = B::load(u + 2 * i + n);
            const auto v0 = B::load(v + 2 * i), v1 = B::load(v + 2 * i + n);
            typename B::T o0, o1;
            B::zip8(even_bytes<B>(u0, u1), even_bytes<B>(v0, v1), o0, o1);
            B::store(e + 2 * i, o0);
            B::store(e + 2 * i + n, o1);
            B::zip8(odd_bytes<B>(u0, u1), odd_bytes<B>(v0, v1), o0, o1);
            B::store(o + 2 * i, o0);
            B::store(o + 2 * i + n, o1);
        }
        return i;
    });
}

inline int merge_p2(const u8* uva, const u8* uvb, u8* u, u8* v, int count) {
    return widest_first([=](auto tag, int i) {
        using B = decltype(tag);
        constexpr int n = B::kBytes;
        const auto lo = B::set16(0x00FF);
        for (; 2 * i + n <= 2 * count; i += n / 2) {
            const auto a = B::load(uva + 2 * i), b = B::load(uvb + 2 * i);
            B::store(u + 2 * i, B::or_(B::and_(a, lo), B::slli16(b, 8)));
            B::store(v + 2 * i, B::or_(B::srli16(a, 8), B::andnot(lo, b)));
        }
        return i;
    });
}

#else  // reference level: everything by the plain loops

template <bool CF, bool Aligned>
int unpack_p3(const u8*, u8*, u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_y(const u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_p2(const u8*, u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_uv(const u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_p3_hdrop(const u8*, u8*, u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_p2_hdrop(const u8*, u8*, u8*, int) { return 0; }
template <bool CF>
int pack_p3(const u8*, const u8*, const u8*, u8*, int) { return 0; }
template <bool CF>
int pack_p2(const u8*, const u8*, u8*, int) { return 0; }
template <bool CF>
int pack_p3_hdup(const u8*, const u8*, const u8*, u8*, int) { return 0; }
template <bool CF>
int pack_p2_hdup(const u8*, const u8*, u8*, int) { return 0; }
inline int swap_luma_chroma(const u8*, u8*, int) { return 0; }
inline int swap_chroma(const u8*, u8*, int) { return 0; }
inline int zip(const u8*, const u8*, u8*, int) { return 0; }
inline int unzip(const u8*, u8*, u8*, int) { return 0; }
inline int zip_even(const u8*, const u8*, u8*, int) { return 0; }
inline int unzip4(const u8*, u8*, u8*, u8*, u8*, int) { return 0; }
inline int drop(const u8*, u8*, int) { return 0; }
inline int dup(const u8*, u8*, int) { return 0; }
inline int unzip_dup(const u8*, u8*, u8*, int) { return 0; }
inline int zip4(const u8*, const u8*, const u8*, const u8*, u8*, int) { return 0; }
inline int merge_p2(const u8*, const u8*, u8*, u8*, int) { return 0; }
inline int split_p2(const u8*, const u8*, u8*, u8*, int) { return 0; }

#endif

}  // namespace
}  // namespace qrx::resample::simd
