// Vector bodies of the chroma byte moves.  Each function moves the leading
// whole vector blocks of a row and returns how many units (pairs, quads or
// samples, as the caller counts them) it has done; the caller's plain loop
// does the rest, so every byte lands where the plain loop would put it.
// The reference level (QRX_LEVEL_SCALAR) returns 0 everywhere.
// Included by per-level files only: everything lives in an anonymous
// namespace so each level keeps its own copy.
#pragma once

#include <cstdint>

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#define QRX_RESAMPLE_SSE2 1
#include <emmintrin.h>
#endif
#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
#define QRX_RESAMPLE_AVX2 1
#include <immintrin.h>
#endif

namespace qrx::resample::simd {
namespace {

using u8 = std::uint8_t;

#if defined(QRX_RESAMPLE_SSE2)

using V = __m128i;

inline V ld(const u8* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
inline V ld_a(const u8* p) { return _mm_load_si128(reinterpret_cast<const V*>(p)); }
inline V ld8(const u8* p) { return _mm_loadl_epi64(reinterpret_cast<const V*>(p)); }
inline void st(u8* p, V v) { _mm_storeu_si128(reinterpret_cast<V*>(p), v); }
inline void st_a(u8* p, V v) { _mm_store_si128(reinterpret_cast<V*>(p), v); }
inline void st8(u8* p, V v) { _mm_storel_epi64(reinterpret_cast<V*>(p), v); }

inline V lo_bytes() { return _mm_set1_epi16(0x00FF); }
// Even / odd bytes of two registers, packed into one.
inline V even_bytes(V a, V b) { return _mm_packus_epi16(_mm_and_si128(a, lo_bytes()), _mm_and_si128(b, lo_bytes())); }
inline V odd_bytes(V a, V b) { return _mm_packus_epi16(_mm_srli_epi16(a, 8), _mm_srli_epi16(b, 8)); }
// Even 16-bit units of two registers (exact: sign-extended before the signed pack).
inline V even_words(V a, V b) {
    return _mm_packs_epi32(_mm_srai_epi32(_mm_slli_epi32(a, 16), 16), _mm_srai_epi32(_mm_slli_epi32(b, 16), 16));
}

#if defined(QRX_RESAMPLE_AVX2)
// 256-bit forms.  The byte packs and unpacks of AVX2 work within 128-bit
// lanes; the permutes put the bytes back in row order.
using W = __m256i;
inline W ldw(const u8* p) { return _mm256_loadu_si256(reinterpret_cast<const W*>(p)); }
inline void stw(u8* p, W v) { _mm256_storeu_si256(reinterpret_cast<W*>(p), v); }
inline W lo_bytes_w() { return _mm256_set1_epi16(0x00FF); }
inline W even_bytes_w(W a, W b) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi16(_mm256_and_si256(a, lo_bytes_w()), _mm256_and_si256(b, lo_bytes_w())), 0xD8);
}
inline W odd_bytes_w(W a, W b) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi16(_mm256_srli_epi16(a, 8), _mm256_srli_epi16(b, 8)), 0xD8);
}
// Byte interleave of a and b in row order: o0 gets the first 32 bytes.
inline void zip_w(W a, W b, W& o0, W& o1) {
    const W lo = _mm256_unpacklo_epi8(a, b), hi = _mm256_unpackhi_epi8(a, b);
    o0 = _mm256_permute2x128_si256(lo, hi, 0x20);
    o1 = _mm256_permute2x128_si256(lo, hi, 0x31);
}
// 16-bit interleave of a and b in row order.
inline void zip16_w(W a, W b, W& o0, W& o1) {
    const W lo = _mm256_unpacklo_epi16(a, b), hi = _mm256_unpackhi_epi16(a, b);
    o0 = _mm256_permute2x128_si256(lo, hi, 0x20);
    o1 = _mm256_permute2x128_si256(lo, hi, 0x31);
}
inline W even_words_w(W a, W b) {
    return _mm256_permute4x64_epi64(
        _mm256_packs_epi32(_mm256_srai_epi32(_mm256_slli_epi32(a, 16), 16), _mm256_srai_epi32(_mm256_slli_epi32(b, 16), 16)),
        0xD8);
}
inline __m128i low_half(W a) { return _mm256_castsi256_si128(a); }
// Luma y (32 bytes) and chroma pairs c (32 bytes) -> 64 bytes of packed 4:2:2.
template <bool CF>
inline void join_packed_w(u8* d, W y, W c) {
    W o0, o1;
    if (CF)
        zip_w(c, y, o0, o1);
    else
        zip_w(y, c, o0, o1);
    stw(d, o0);
    stw(d + 32, o1);
}
#endif

// Packed 4:2:2 -> luma and (u, v) pairs: 16 pixels from 32 bytes.
template <bool CF, bool Aligned>
inline void split_packed(const u8* s, V& y, V& c) {
    const V a = Aligned ? ld_a(s) : ld(s), b = Aligned ? ld_a(s + 16) : ld(s + 16);
    y = CF ? odd_bytes(a, b) : even_bytes(a, b);
    c = CF ? even_bytes(a, b) : odd_bytes(a, b);
}

// Luma and (u, v) pairs -> packed 4:2:2, 16 pixels (32 bytes).
template <bool CF>
inline void join_packed(u8* d, V y, V c) {
    st(d, CF ? _mm_unpacklo_epi8(c, y) : _mm_unpacklo_epi8(y, c));
    st(d + 16, CF ? _mm_unpackhi_epi8(c, y) : _mm_unpackhi_epi8(y, c));
}

template <bool CF, bool Aligned>
int unpack_p3(const u8* s, u8* y, u8* u, u8* v, int pairs) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= pairs; i += 32) {
        const W a = ldw(s + 4 * i), b = ldw(s + 4 * i + 32), c = ldw(s + 4 * i + 64), e = ldw(s + 4 * i + 96);
        stw(y + 2 * i, CF ? odd_bytes_w(a, b) : even_bytes_w(a, b));
        stw(y + 2 * i + 32, CF ? odd_bytes_w(c, e) : even_bytes_w(c, e));
        const W c0 = CF ? even_bytes_w(a, b) : odd_bytes_w(a, b), c1 = CF ? even_bytes_w(c, e) : odd_bytes_w(c, e);
        stw(u + i, even_bytes_w(c0, c1));
        stw(v + i, odd_bytes_w(c0, c1));
    }
#endif
    for (; i + 16 <= pairs; i += 16) {
        V y0, c0, y1, c1;
        split_packed<CF, Aligned>(s + 4 * i, y0, c0);
        split_packed<CF, Aligned>(s + 4 * i + 32, y1, c1);
        if (Aligned) {
            st_a(y + 2 * i, y0);
            st_a(y + 2 * i + 16, y1);
        } else {
            st(y + 2 * i, y0);
            st(y + 2 * i + 16, y1);
        }
        st(u + i, even_bytes(c0, c1));
        st(v + i, odd_bytes(c0, c1));
    }
    return i;
}

template <bool CF>
int unpack_y(const u8* s, u8* y, int pairs) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= pairs; i += 32) {
        const W a = ldw(s + 4 * i), b = ldw(s + 4 * i + 32), c = ldw(s + 4 * i + 64), e = ldw(s + 4 * i + 96);
        stw(y + 2 * i, CF ? odd_bytes_w(a, b) : even_bytes_w(a, b));
        stw(y + 2 * i + 32, CF ? odd_bytes_w(c, e) : even_bytes_w(c, e));
    }
#endif
    for (; i + 16 <= pairs; i += 16) {
        const V a = ld(s + 4 * i), b = ld(s + 4 * i + 16), c = ld(s + 4 * i + 32), e = ld(s + 4 * i + 48);
        st(y + 2 * i, CF ? odd_bytes(a, b) : even_bytes(a, b));
        st(y + 2 * i + 16, CF ? odd_bytes(c, e) : even_bytes(c, e));
    }
    return i;
}

template <bool CF>
int unpack_p2(const u8* s, u8* y, u8* uv, int pairs) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 16 <= pairs; i += 16) {
        const W a = ldw(s + 4 * i), b = ldw(s + 4 * i + 32);
        stw(y + 2 * i, CF ? odd_bytes_w(a, b) : even_bytes_w(a, b));
        stw(uv + 2 * i, CF ? even_bytes_w(a, b) : odd_bytes_w(a, b));
    }
#endif
    for (; i + 8 <= pairs; i += 8) {
        V y0, c0;
        split_packed<CF, false>(s + 4 * i, y0, c0);
        st(y + 2 * i, y0);
        st(uv + 2 * i, c0);
    }
    return i;
}

// Packed 4:2:2 -> planes, keeping the chroma of the first pair of every 4 pixels.
template <bool CF>
int unpack_p3_hdrop(const u8* s, u8* y, u8* u, u8* v, int quads) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 16 <= quads; i += 16) {
        const W a = ldw(s + 8 * i), b = ldw(s + 8 * i + 32), c = ldw(s + 8 * i + 64), e = ldw(s + 8 * i + 96);
        stw(y + 4 * i, CF ? odd_bytes_w(a, b) : even_bytes_w(a, b));
        stw(y + 4 * i + 32, CF ? odd_bytes_w(c, e) : even_bytes_w(c, e));
        const W cw = even_words_w(CF ? even_bytes_w(a, b) : odd_bytes_w(a, b), CF ? even_bytes_w(c, e) : odd_bytes_w(c, e));
        st(u + i, low_half(even_bytes_w(cw, cw)));
        st(v + i, low_half(odd_bytes_w(cw, cw)));
    }
#endif
    for (; i + 8 <= quads; i += 8) {
        V y0, c0, y1, c1;
        split_packed<CF, false>(s + 8 * i, y0, c0);
        split_packed<CF, false>(s + 8 * i + 32, y1, c1);
        st(y + 4 * i, y0);
        st(y + 4 * i + 16, y1);
        const V c = even_words(c0, c1);  // (u, v) of pairs 0, 2, 4, ...
        st8(u + i, _mm_packus_epi16(_mm_and_si128(c, lo_bytes()), c));
        st8(v + i, _mm_packus_epi16(_mm_srli_epi16(c, 8), c));
    }
    return i;
}

template <bool CF>
int unpack_p2_hdrop(const u8* s, u8* y, u8* uv, int quads) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 16 <= quads; i += 16) {
        const W a = ldw(s + 8 * i), b = ldw(s + 8 * i + 32), c = ldw(s + 8 * i + 64), e = ldw(s + 8 * i + 96);
        stw(y + 4 * i, CF ? odd_bytes_w(a, b) : even_bytes_w(a, b));
        stw(y + 4 * i + 32, CF ? odd_bytes_w(c, e) : even_bytes_w(c, e));
        stw(uv + 2 * i, even_words_w(CF ? even_bytes_w(a, b) : odd_bytes_w(a, b), CF ? even_bytes_w(c, e) : odd_bytes_w(c, e)));
    }
#endif
    for (; i + 8 <= quads; i += 8) {
        V y0, c0, y1, c1;
        split_packed<CF, false>(s + 8 * i, y0, c0);
        split_packed<CF, false>(s + 8 * i + 32, y1, c1);
        st(y + 4 * i, y0);
        st(y + 4 * i + 16, y1);
        st(uv + 2 * i, even_words(c0, c1));
    }
    return i;
}

template <bool CF>
int pack_p3(const u8* y, const u8* u, const u8* v, u8* d, int pairs) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= pairs; i += 32) {
        W c0, c1;
        zip_w(ldw(u + i), ldw(v + i), c0, c1);
        join_packed_w<CF>(d + 4 * i, ldw(y + 2 * i), c0);
        join_packed_w<CF>(d + 4 * i + 64, ldw(y + 2 * i + 32), c1);
    }
#endif
    for (; i + 16 <= pairs; i += 16) {
        const V uu = ld(u + i), vv = ld(v + i);
        const V c0 = _mm_unpacklo_epi8(uu, vv), c1 = _mm_unpackhi_epi8(uu, vv);
        join_packed<CF>(d + 4 * i, ld(y + 2 * i), c0);
        join_packed<CF>(d + 4 * i + 32, ld(y + 2 * i + 16), c1);
    }
    return i;
}

template <bool CF>
int pack_p2(const u8* y, const u8* uv, u8* d, int pairs) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= pairs; i += 32) {
        join_packed_w<CF>(d + 4 * i, ldw(y + 2 * i), ldw(uv + 2 * i));
        join_packed_w<CF>(d + 4 * i + 64, ldw(y + 2 * i + 32), ldw(uv + 2 * i + 32));
    }
#endif
    for (; i + 16 <= pairs; i += 16) {
        join_packed<CF>(d + 4 * i, ld(y + 2 * i), ld(uv + 2 * i));
        join_packed<CF>(d + 4 * i + 32, ld(y + 2 * i + 16), ld(uv + 2 * i + 16));
    }
    return i;
}

// (u, v) pairs of 8 quads, each pair repeated for the two pairs of its quad.
template <bool CF>
inline void join_packed_hdup(u8* d, const u8* y, V c) {
    join_packed<CF>(d, ld(y), _mm_unpacklo_epi16(c, c));
    join_packed<CF>(d + 32, ld(y + 16), _mm_unpackhi_epi16(c, c));
}

#if defined(QRX_RESAMPLE_AVX2)
// 16 (u, v) pairs, each for the two pairs of its quad: 64 pixels.
template <bool CF>
inline void join_packed_hdup_w(u8* d, const u8* y, W c) {
    W c0, c1;
    zip16_w(c, c, c0, c1);
    join_packed_w<CF>(d, ldw(y), c0);
    join_packed_w<CF>(d + 64, ldw(y + 32), c1);
}
#endif

template <bool CF>
int pack_p3_hdup(const u8* y, const u8* u, const u8* v, u8* d, int quads) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 16 <= quads; i += 16) {
        const V uu = ld(u + i), vv = ld(v + i);
        join_packed_hdup_w<CF>(d + 8 * i, y + 4 * i, _mm256_set_m128i(_mm_unpackhi_epi8(uu, vv), _mm_unpacklo_epi8(uu, vv)));
    }
#endif
    for (; i + 8 <= quads; i += 8) join_packed_hdup<CF>(d + 8 * i, y + 4 * i, _mm_unpacklo_epi8(ld8(u + i), ld8(v + i)));
    return i;
}

template <bool CF>
int pack_p2_hdup(const u8* y, const u8* uv, u8* d, int quads) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 16 <= quads; i += 16) join_packed_hdup_w<CF>(d + 8 * i, y + 4 * i, ldw(uv + 2 * i));
#endif
    for (; i + 8 <= quads; i += 8) join_packed_hdup<CF>(d + 8 * i, y + 4 * i, ld(uv + 2 * i));
    return i;
}

inline int swap_luma_chroma(const u8* s, u8* d, int pairs) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 8 <= pairs; i += 8) {
        const W a = ldw(s + 4 * i);
        stw(d + 4 * i, _mm256_or_si256(_mm256_slli_epi16(a, 8), _mm256_srli_epi16(a, 8)));
    }
#endif
    for (; i + 4 <= pairs; i += 4) {
        const V a = ld(s + 4 * i);
        st(d + 4 * i, _mm_or_si128(_mm_slli_epi16(a, 8), _mm_srli_epi16(a, 8)));
    }
    return i;
}

inline int swap_chroma(const u8* s, u8* d, int pairs) {
    int i = 0;
    const V keep = _mm_set1_epi32(0x00FF00FF), first = _mm_set1_epi32(0x0000FF00);
#if defined(QRX_RESAMPLE_AVX2)
    const W keep_w = _mm256_set1_epi32(0x00FF00FF), first_w = _mm256_set1_epi32(0x0000FF00);
    for (; i + 8 <= pairs; i += 8) {
        const W a = ldw(s + 4 * i);
        const W c0 = _mm256_slli_epi32(_mm256_and_si256(a, first_w), 16);
        const W c1 = _mm256_srli_epi32(_mm256_andnot_si256(_mm256_or_si256(keep_w, first_w), a), 16);
        stw(d + 4 * i, _mm256_or_si256(_mm256_and_si256(a, keep_w), _mm256_or_si256(c0, c1)));
    }
#endif
    for (; i + 4 <= pairs; i += 4) {
        const V a = ld(s + 4 * i);
        const V c0 = _mm_slli_epi32(_mm_and_si128(a, first), 16);  // byte 1 -> byte 3
        const V c1 = _mm_srli_epi32(_mm_andnot_si128(_mm_or_si128(keep, first), a), 16);  // byte 3 -> byte 1
        st(d + 4 * i, _mm_or_si128(_mm_and_si128(a, keep), _mm_or_si128(c0, c1)));
    }
    return i;
}

inline int zip(const u8* a, const u8* b, u8* d, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= n; i += 32) {
        W o0, o1;
        zip_w(ldw(a + i), ldw(b + i), o0, o1);
        stw(d + 2 * i, o0);
        stw(d + 2 * i + 32, o1);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        const V x = ld(a + i), y = ld(b + i);
        st(d + 2 * i, _mm_unpacklo_epi8(x, y));
        st(d + 2 * i + 16, _mm_unpackhi_epi8(x, y));
    }
    return i;
}

inline int unzip(const u8* s, u8* a, u8* b, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= n; i += 32) {
        const W x = ldw(s + 2 * i), y = ldw(s + 2 * i + 32);
        stw(a + i, even_bytes_w(x, y));
        stw(b + i, odd_bytes_w(x, y));
    }
#endif
    for (; i + 16 <= n; i += 16) {
        const V x = ld(s + 2 * i), y = ld(s + 2 * i + 16);
        st(a + i, even_bytes(x, y));
        st(b + i, odd_bytes(x, y));
    }
    return i;
}

// dst[2i] = a[2i], dst[2i+1] = b[2i].  Called with a and b one byte into the
// row as well, so the blocks stop one sample early: no read past the row.
inline int zip_even(const u8* a, const u8* b, u8* d, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 < n; i += 32) {
        W o0, o1;
        zip_w(even_bytes_w(ldw(a + 2 * i), ldw(a + 2 * i + 32)), even_bytes_w(ldw(b + 2 * i), ldw(b + 2 * i + 32)), o0, o1);
        stw(d + 2 * i, o0);
        stw(d + 2 * i + 32, o1);
    }
#endif
    for (; i + 16 < n; i += 16) {
        const V ae = even_bytes(ld(a + 2 * i), ld(a + 2 * i + 16));
        const V be = even_bytes(ld(b + 2 * i), ld(b + 2 * i + 16));
        st(d + 2 * i, _mm_unpacklo_epi8(ae, be));
        st(d + 2 * i + 16, _mm_unpackhi_epi8(ae, be));
    }
    return i;
}

// a[i] = s[4i], b[i] = s[4i+1].  Called with s two bytes into the row as
// well, so the blocks stop one sample early: no read past the row.
inline int unzip_even(const u8* s, u8* a, u8* b, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 < n; i += 32) {
        const W w0 = even_words_w(ldw(s + 4 * i), ldw(s + 4 * i + 32));
        const W w1 = even_words_w(ldw(s + 4 * i + 64), ldw(s + 4 * i + 96));
        stw(a + i, even_bytes_w(w0, w1));
        stw(b + i, odd_bytes_w(w0, w1));
    }
#endif
    for (; i + 16 < n; i += 16) {
        const V w0 = even_words(ld(s + 4 * i), ld(s + 4 * i + 16));
        const V w1 = even_words(ld(s + 4 * i + 32), ld(s + 4 * i + 48));
        st(a + i, even_bytes(w0, w1));
        st(b + i, odd_bytes(w0, w1));
    }
    return i;
}

inline int drop(const u8* s, u8* d, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= n; i += 32) stw(d + i, even_bytes_w(ldw(s + 2 * i), ldw(s + 2 * i + 32)));
#endif
    for (; i + 16 <= n; i += 16) st(d + i, even_bytes(ld(s + 2 * i), ld(s + 2 * i + 16)));
    return i;
}

inline int dup(const u8* s, u8* d, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= n; i += 32) {
        const W x = ldw(s + i);
        W o0, o1;
        zip_w(x, x, o0, o1);
        stw(d + 2 * i, o0);
        stw(d + 2 * i + 32, o1);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        const V x = ld(s + i);
        st(d + 2 * i, _mm_unpacklo_epi8(x, x));
        st(d + 2 * i + 16, _mm_unpackhi_epi8(x, x));
    }
    return i;
}

inline int unzip_dup(const u8* s, u8* a, u8* b, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 16 <= n; i += 16) {
        const W x = ldw(s + 2 * i);
        const W ua = _mm256_and_si256(x, lo_bytes_w()), vb = _mm256_srli_epi16(x, 8);
        stw(a + 2 * i, _mm256_or_si256(ua, _mm256_slli_epi16(ua, 8)));
        stw(b + 2 * i, _mm256_or_si256(vb, _mm256_slli_epi16(vb, 8)));
    }
#endif
    for (; i + 8 <= n; i += 8) {
        const V x = ld(s + 2 * i);
        const V ua = _mm_and_si128(x, lo_bytes()), vb = _mm_srli_epi16(x, 8);
        st(a + 2 * i, _mm_or_si128(ua, _mm_slli_epi16(ua, 8)));
        st(b + 2 * i, _mm_or_si128(vb, _mm_slli_epi16(vb, 8)));
    }
    return i;
}

inline int zip4(const u8* a, const u8* b, const u8* c, const u8* e, u8* d, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 32 <= n; i += 32) {
        W ab0, ab1, cd0, cd1, o0, o1;
        zip_w(ldw(a + i), ldw(b + i), ab0, ab1);
        zip_w(ldw(c + i), ldw(e + i), cd0, cd1);
        zip16_w(ab0, cd0, o0, o1);
        stw(d + 4 * i, o0);
        stw(d + 4 * i + 32, o1);
        zip16_w(ab1, cd1, o0, o1);
        stw(d + 4 * i + 64, o0);
        stw(d + 4 * i + 96, o1);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        const V x = ld(a + i), y = ld(b + i), z = ld(c + i), w = ld(e + i);
        const V ab0 = _mm_unpacklo_epi8(x, y), ab1 = _mm_unpackhi_epi8(x, y);
        const V cd0 = _mm_unpacklo_epi8(z, w), cd1 = _mm_unpackhi_epi8(z, w);
        st(d + 4 * i, _mm_unpacklo_epi16(ab0, cd0));
        st(d + 4 * i + 16, _mm_unpackhi_epi16(ab0, cd0));
        st(d + 4 * i + 32, _mm_unpacklo_epi16(ab1, cd1));
        st(d + 4 * i + 48, _mm_unpackhi_epi16(ab1, cd1));
    }
    return i;
}

inline int merge_p2(const u8* uva, const u8* uvb, u8* u, u8* v, int n) {
    int i = 0;
#if defined(QRX_RESAMPLE_AVX2)
    for (; i + 16 <= n; i += 16) {
        const W a = ldw(uva + 2 * i), b = ldw(uvb + 2 * i);
        stw(u + 2 * i, _mm256_or_si256(_mm256_and_si256(a, lo_bytes_w()), _mm256_slli_epi16(b, 8)));
        stw(v + 2 * i, _mm256_or_si256(_mm256_srli_epi16(a, 8), _mm256_andnot_si256(lo_bytes_w(), b)));
    }
#endif
    for (; i + 8 <= n; i += 8) {
        const V a = ld(uva + 2 * i), b = ld(uvb + 2 * i);
        st(u + 2 * i, _mm_or_si128(_mm_and_si128(a, lo_bytes()), _mm_slli_epi16(b, 8)));
        st(v + 2 * i, _mm_or_si128(_mm_srli_epi16(a, 8), _mm_andnot_si128(lo_bytes(), b)));
    }
    return i;
}

#else  // reference level: everything by the plain loops

template <bool CF, bool Aligned>
int unpack_p3(const u8*, u8*, u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_y(const u8*, u8*, int) { return 0; }
template <bool CF>
int unpack_p2(const u8*, u8*, u8*, int) { return 0; }
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
inline int unzip_even(const u8*, u8*, u8*, int) { return 0; }
inline int drop(const u8*, u8*, int) { return 0; }
inline int dup(const u8*, u8*, int) { return 0; }
inline int unzip_dup(const u8*, u8*, u8*, int) { return 0; }
inline int zip4(const u8*, const u8*, const u8*, const u8*, u8*, int) { return 0; }
inline int merge_p2(const u8*, const u8*, u8*, u8*, int) { return 0; }

#endif

}  // namespace
}  // namespace qrx::resample::simd
