// Vector blocks of the 16-bit packed RGB kernels.  Included by rgb16_rows.inl
// (once per level file that has vector code), after its packers are known.
//
// Every lane holds one pixel as a signed 16-bit value.  The 13-bit terms are the
// high halves of (v << 7) * k, exactly T(v, k) of the scalar recipe, and no sum
// leaves the 16-bit range, so each lane equals the scalar result.  Blocks are 8
// pixels (128-bit) or 16 pixels (256-bit); they always start at a multiple of 4
// from the row's pixel 0, so one threshold vector per row serves the dither.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ycbcr/rgb16_format.h"

namespace qrx::rgb16::QRX_LEVEL::vec {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;

// ---- 128-bit lanes (8 pixels) ------------------------------------------------

struct V128 {
    using T = __m128i;
    static constexpr int kLanes = 8;
    static T set1(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static T add(T a, T b) { return _mm_add_epi16(a, b); }
    static T sub(T a, T b) { return _mm_sub_epi16(a, b); }
    static T mulhi(T a, T b) { return _mm_mulhi_epi16(a, b); }
    static T mullo(T a, T b) { return _mm_mullo_epi16(a, b); }
    static T or_(T a, T b) { return _mm_or_si128(a, b); }
    static T cmpgt(T a, T b) { return _mm_cmpgt_epi16(a, b); }
    static T inc_where_gt(T q, T a, T b) { return _mm_sub_epi16(q, _mm_cmpgt_epi16(a, b)); }
    static T mulhi_u(T a, T b) { return _mm_mulhi_epu16(a, b); }
    static T packus(T a, T b) { return _mm_packus_epi16(a, b); }
    static T lo_bytes_high(T a) { return _mm_unpacklo_epi8(_mm_setzero_si128(), a); }
    static T hi_bytes_high(T a) { return _mm_unpackhi_epi8(_mm_setzero_si128(), a); }
    template <int N>
    static T slli(T a) { return _mm_slli_epi16(a, N); }
    template <int N>
    static T srli(T a) { return _mm_srli_epi16(a, N); }
    template <int N>
    static T srai(T a) { return _mm_srai_epi16(a, N); }
    static void store(u16* d, T v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(d), v); }

    static T widen(T bytes) { return _mm_unpacklo_epi8(bytes, _mm_setzero_si128()); }
    static T load8(const u8* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
    static T load4(const u8* p) {
        int v;
        std::memcpy(&v, p, 4);
        return _mm_cvtsi32_si128(v);
    }
    static T load2(const u8* p) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return _mm_cvtsi32_si128(v);
    }
    // 8 samples, one per pixel
    static T samples(const u8* p) { return widen(load8(p)); }
    // 16 luma samples split into pixels 0..7 (lo) and 8..15 (hi)
    static void samples_2x(const u8* p, T& lo, T& hi) {
        const T v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        lo = _mm_unpacklo_epi8(v, _mm_setzero_si128());
        hi = _mm_unpackhi_epi8(v, _mm_setzero_si128());
    }
    // each lane doubled: the lanes for the pixels of samples_2x's lo and hi
    static T dup_lo(T a) { return _mm_unpacklo_epi16(a, a); }
    static T dup_hi(T a) { return _mm_unpackhi_epi16(a, a); }
    // results of lo and hi back in pixel order
    static void store_2x(u16* d, T lo, T hi) {
        store(d, lo);
        store(d + 8, hi);
    }
    // 4 samples, each for two pixels
    static T samples_x2(const u8* p) {
        const T c = load4(p);
        return widen(_mm_unpacklo_epi8(c, c));
    }
    // 2 samples, each for four pixels
    static T samples_x4(const u8* p) {
        T c = load2(p);
        c = _mm_unpacklo_epi8(c, c);
        return widen(_mm_unpacklo_epi16(c, c));
    }
    // 4 pairs Y0 Cb Y1 Cr (16 bytes)
    static void pairs(const u8* p, T& y, T& cb, T& cr) {
        const T v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        y = _mm_and_si128(v, set1(0xFF));
        const T c = _mm_srli_epi16(v, 8);  // Cb0 Cr0 Cb1 Cr1 ...
        cb = _mm_shufflehi_epi16(_mm_shufflelo_epi16(c, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
        cr = _mm_shufflehi_epi16(_mm_shufflelo_epi16(c, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
    }
    // 8 pixels Y Cb Cr (24 bytes)
    static void triples(const u8* p, T& y, T& cb, T& cr) {
#if defined(__SSSE3__)
        // bytes 0..15 and 8..23; pixels 0..4 come from the first load, 5..7 from the second
        const T lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const T hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
        const char z = -128;
        y = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(0, z, 3, z, 6, z, 9, z, 12, z, z, z, z, z, z, z)),
                         _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, 7, z, 10, z, 13, z)));
        cb = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(1, z, 4, z, 7, z, 10, z, 13, z, z, z, z, z, z, z)),
                          _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, 8, z, 11, z, 14, z)));
        cr = _mm_or_si128(_mm_shuffle_epi8(lo, _mm_setr_epi8(2, z, 5, z, 8, z, 11, z, 14, z, z, z, z, z, z, z)),
                          _mm_shuffle_epi8(hi, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, 9, z, 12, z, 15, z)));
#else
        y = _mm_setr_epi16(p[0], p[3], p[6], p[9], p[12], p[15], p[18], p[21]);
        cb = _mm_setr_epi16(p[1], p[4], p[7], p[10], p[13], p[16], p[19], p[22]);
        cr = _mm_setr_epi16(p[2], p[5], p[8], p[11], p[14], p[17], p[20], p[23]);
#endif
    }
    // One dither row repeated over the lanes, shifted right by `shift`.
    static T thresholds(const std::uint16_t* d, int shift) {
        return _mm_setr_epi16(static_cast<short>(d[0] >> shift), static_cast<short>(d[1] >> shift),
                              static_cast<short>(d[2] >> shift), static_cast<short>(d[3] >> shift),
                              static_cast<short>(d[0] >> shift), static_cast<short>(d[1] >> shift),
                              static_cast<short>(d[2] >> shift), static_cast<short>(d[3] >> shift));
    }
};

// ---- 256-bit lanes (16 pixels) -------------------------------------------------

#if defined(__AVX2__)
struct V256 {
    using T = __m256i;
    static constexpr int kLanes = 16;
    static T set1(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static T add(T a, T b) { return _mm256_add_epi16(a, b); }
    static T sub(T a, T b) { return _mm256_sub_epi16(a, b); }
    static T mulhi(T a, T b) { return _mm256_mulhi_epi16(a, b); }
    static T mullo(T a, T b) { return _mm256_mullo_epi16(a, b); }
    static T or_(T a, T b) { return _mm256_or_si256(a, b); }
    static T cmpgt(T a, T b) { return _mm256_cmpgt_epi16(a, b); }
    static T inc_where_gt(T q, T a, T b) { return _mm256_sub_epi16(q, _mm256_cmpgt_epi16(a, b)); }
    static T mulhi_u(T a, T b) { return _mm256_mulhi_epu16(a, b); }
    static T packus(T a, T b) { return _mm256_packus_epi16(a, b); }
    static T lo_bytes_high(T a) { return _mm256_unpacklo_epi8(_mm256_setzero_si256(), a); }
    static T hi_bytes_high(T a) { return _mm256_unpackhi_epi8(_mm256_setzero_si256(), a); }
    template <int N>
    static T slli(T a) { return _mm256_slli_epi16(a, N); }
    template <int N>
    static T srli(T a) { return _mm256_srli_epi16(a, N); }
    template <int N>
    static T srai(T a) { return _mm256_srai_epi16(a, N); }
    static void store(u16* d, T v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), v); }

    static T samples(const u8* p) { return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))); }
    // 32 luma samples split per 128-bit half: lo = pixels 0..7 and 16..23,
    // hi = pixels 8..15 and 24..31 (the order of the in-lane unpacks)
    static void samples_2x(const u8* p, T& lo, T& hi) {
        const T v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        lo = _mm256_unpacklo_epi8(v, _mm256_setzero_si256());
        hi = _mm256_unpackhi_epi8(v, _mm256_setzero_si256());
    }
    static T dup_lo(T a) { return _mm256_unpacklo_epi16(a, a); }
    static T dup_hi(T a) { return _mm256_unpackhi_epi16(a, a); }
    static void store_2x(u16* d, T lo, T hi) {
        store(d, _mm256_permute2x128_si256(lo, hi, 0x20));
        store(d + 16, _mm256_permute2x128_si256(lo, hi, 0x31));
    }
    static T samples_x2(const u8* p) {
        const __m128i c = V128::load8(p);
        return _mm256_cvtepu8_epi16(_mm_unpacklo_epi8(c, c));
    }
    static T samples_x4(const u8* p) {
        __m128i c = V128::load4(p);
        c = _mm_unpacklo_epi8(c, c);
        return _mm256_cvtepu8_epi16(_mm_unpacklo_epi16(c, c));
    }
    static void pairs(const u8* p, T& y, T& cb, T& cr) {
        const T v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        y = _mm256_and_si256(v, set1(0xFF));
        const T c = _mm256_srli_epi16(v, 8);
        cb = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(c, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
        cr = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(c, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
    }
    static void triples(const u8* p, T& y, T& cb, T& cr) {
        __m128i y0, b0, r0, y1, b1, r1;
        V128::triples(p, y0, b0, r0);
        V128::triples(p + 24, y1, b1, r1);
        y = _mm256_inserti128_si256(_mm256_castsi128_si256(y0), y1, 1);
        cb = _mm256_inserti128_si256(_mm256_castsi128_si256(b0), b1, 1);
        cr = _mm256_inserti128_si256(_mm256_castsi128_si256(r0), r1, 1);
    }
    static T thresholds(const std::uint16_t* d, int shift) {
        const __m128i t = V128::thresholds(d, shift);
        return _mm256_inserti128_si256(_mm256_castsi128_si256(t), t, 1);
    }
};
#endif

// ---- 512-bit lanes (32 pixels) -------------------------------------------------

#if defined(__AVX512BW__)
struct V512 {
    using T = __m512i;
    static constexpr int kLanes = 32;
    static T set1(int v) { return _mm512_set1_epi16(static_cast<short>(v)); }
    static T add(T a, T b) { return _mm512_add_epi16(a, b); }
    static T sub(T a, T b) { return _mm512_sub_epi16(a, b); }
    static T mulhi(T a, T b) { return _mm512_mulhi_epi16(a, b); }
    static T mullo(T a, T b) { return _mm512_mullo_epi16(a, b); }
    static T or_(T a, T b) { return _mm512_or_si512(a, b); }
    static T inc_where_gt(T q, T a, T b) {
        return _mm512_mask_sub_epi16(q, _mm512_cmpgt_epi16_mask(a, b), q, _mm512_set1_epi16(-1));
    }
    static T mulhi_u(T a, T b) { return _mm512_mulhi_epu16(a, b); }
    static T packus(T a, T b) { return _mm512_packus_epi16(a, b); }
    static T lo_bytes_high(T a) { return _mm512_unpacklo_epi8(_mm512_setzero_si512(), a); }
    static T hi_bytes_high(T a) { return _mm512_unpackhi_epi8(_mm512_setzero_si512(), a); }
    template <int N>
    static T slli(T a) { return _mm512_slli_epi16(a, N); }
    template <int N>
    static T srli(T a) { return _mm512_srli_epi16(a, N); }
    template <int N>
    static T srai(T a) { return _mm512_srai_epi16(a, N); }
    static void store(u16* d, T v) { _mm512_storeu_si512(d, v); }

    static T samples(const u8* p) { return _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))); }
    static T samples_x2(const u8* p) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m256i d = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi8(c, c)), _mm_unpackhi_epi8(c, c), 1);
        return _mm512_cvtepu8_epi16(d);
    }
    static T samples_x4(const u8* p) {
        __m128i c = V128::load8(p);
        c = _mm_unpacklo_epi8(c, c);
        const __m256i d = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi16(c, c)), _mm_unpackhi_epi16(c, c), 1);
        return _mm512_cvtepu8_epi16(d);
    }
    // 64 luma samples split per 128-bit quarter: lo = pixels 0..7, 16..23, 32..39, 48..55
    static void samples_2x(const u8* p, T& lo, T& hi) {
        const T v = _mm512_loadu_si512(p);
        lo = _mm512_unpacklo_epi8(v, _mm512_setzero_si512());
        hi = _mm512_unpackhi_epi8(v, _mm512_setzero_si512());
    }
    static T dup_lo(T a) { return _mm512_unpacklo_epi16(a, a); }
    static T dup_hi(T a) { return _mm512_unpackhi_epi16(a, a); }
    static void store_2x(u16* d, T lo, T hi) {
        store(d, _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11), hi));
        store(d + 32, _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15), hi));
    }
    static void pairs(const u8* p, T& y, T& cb, T& cr) {
        const T v = _mm512_loadu_si512(p);
        y = _mm512_and_si512(v, set1(0xFF));
        const T c = _mm512_srli_epi16(v, 8);
        cb = _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(c, _MM_SHUFFLE(2, 2, 0, 0)), _MM_SHUFFLE(2, 2, 0, 0));
        cr = _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(c, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
    }
    // lo in the low 256 bits, hi in the high 256 bits
    static T join(__m256i lo, __m256i hi) {
        const T a = _mm512_zextsi256_si512(lo);
        return _mm512_mask_shuffle_i64x2(a, 0xFF, a, _mm512_zextsi256_si512(hi), 0x44);
    }
    static void triples(const u8* p, T& y, T& cb, T& cr) {
        V256::T y0, b0, r0, y1, b1, r1;
        V256::triples(p, y0, b0, r0);
        V256::triples(p + 48, y1, b1, r1);
        y = join(y0, y1), cb = join(b0, b1), cr = join(r0, r1);
    }
    static T thresholds(const std::uint16_t* d, int shift) {
        std::uint64_t four = 0;  // the row's four entries repeat every 64 bits
        for (int k = 0; k < 4; ++k) four |= static_cast<std::uint64_t>(d[k] >> shift) << (16 * k);
        return _mm512_set1_epi64(static_cast<long long>(four));
    }
};
#endif

// ---- recipe and packing on vectors ------------------------------------------------

// Constants the compiler may neither rewrite nor rematerialise inside a loop:
// a multiply by a known constant would otherwise become a chain of shifts and
// adds, and under register pressure a constant would be rebuilt every step
// instead of being read from the stack as a memory operand.
template <class T>
QRX_INLINE T opaque(T v) {
#if defined(__AVX512F__)
    __asm__("" : "+v"(v));
#else
    __asm__("" : "+x"(v));
#endif
    return v;
}

// Offsets and coefficients of the 13-bit recipes.
template <class V>
struct Coeffs {
    using T = typename V::T;
    T y16 = opaque(V::set1(16)), c128 = opaque(V::set1(128)), round = opaque(V::set1(8));
    T ky = opaque(V::set1(9535)), kr = opaque(V::set1(13074)), kgr = opaque(V::set1(6660));
    T kgb = opaque(V::set1(3211)), kb = opaque(V::set1(16523));
};

// I13u (Round false) or I13s (Round true) on widened samples: R, G, B before
// the clamp (signed 16-bit lanes).
template <class V, bool Round>
QRX_INLINE void to_rgb(const Coeffs<V>& k, typename V::T y, typename V::T cb, typename V::T cr, typename V::T& r,
                       typename V::T& g, typename V::T& b) {
    using T = typename V::T;
    const T yp = V::template slli<7>(V::sub(y, k.y16));
    const T bp = V::template slli<7>(V::sub(cb, k.c128));
    const T rp = V::template slli<7>(V::sub(cr, k.c128));
    T ty = V::mulhi(yp, k.ky);
    if (Round) ty = V::add(ty, k.round);
    r = V::template srai<4>(V::add(ty, V::mulhi(rp, k.kr)));
    g = V::template srai<4>(V::sub(V::sub(ty, V::mulhi(rp, k.kgr)), V::mulhi(bp, k.kgb)));
    b = V::template srai<4>(V::add(ty, V::mulhi(bp, k.kb)));
}

// One dithered channel from v8 = v << 8 (v the clamped 8-bit value):
// q = (v (2^n - 1)) >> 8 = high half of v8 (2^n - 1); r = 256 v - q u is exact in
// 16 bits (0 <= r < 2^15); the field is q + 1 where r > t.
template <class V>
QRX_INLINE typename V::T dither_field(typename V::T v8, typename V::T t, typename V::T levels, typename V::T step) {
    using T = typename V::T;
    const T q = V::mulhi_u(v8, levels);
    const T rem = V::sub(v8, V::mullo(q, step));
    return V::inc_where_gt(q, rem, t);
}

template <class V, class Px>
struct Packer {
    using T = typename V::T;
    using L = Layout<Px::kFormat>;
    T t, tg;  // thresholds of the row (dither only)
    T levels_rb, levels_g, step_rb, step_g;  // 2^n - 1 and u of the fields

    explicit Packer(int row) {
        row &= 3;
        if constexpr (Px::kDither) {
            const std::uint16_t* d = Px::kFormat == Format::k444 ? kD4[row] : kD5[row];
            t = V::thresholds(d, 0);
            tg = V::thresholds(d, L::kGBits == 6 ? 1 : 0);
            levels_rb = opaque(V::set1((1 << L::kRBBits) - 1));
            levels_g = opaque(V::set1((1 << L::kGBits) - 1));
            step_rb = opaque(V::set1(level_step(L::kRBBits)));
            step_g = opaque(V::set1(level_step(L::kGBits)));
        } else {
            (void)row;
            t = tg = levels_rb = levels_g = step_rb = step_g = V::set1(0);
        }
    }

    // r, g, b: unclamped results of the recipe.  The unsigned saturating pack
    // clamps them to 0..255; unpacking under zero bytes gives each value << 8.
    inline T operator()(T r, T g, T b) const {
        const T rg = V::packus(r, g);
        const T bb = V::packus(b, b);
        const T r8 = V::lo_bytes_high(rg), g8 = V::hi_bytes_high(rg), b8 = V::lo_bytes_high(bb);
        T fr, fg, fb;
        if constexpr (Px::kDither) {
            fr = dither_field<V>(r8, t, levels_rb, step_rb);
            fg = dither_field<V>(g8, tg, levels_g, step_g);
            fb = dither_field<V>(b8, t, levels_rb, step_rb);
        } else {
            fr = V::template srli<16 - L::kRBBits>(r8);
            fg = V::template srli<16 - L::kGBits>(g8);
            fb = V::template srli<16 - L::kRBBits>(b8);
        }
        const T high = Px::kSwapRB ? fb : fr;
        const T low = Px::kSwapRB ? fr : fb;
        return V::or_(V::or_(V::template slli<L::kHighShift>(high), V::template slli<L::kMidShift>(fg)), low);
    }
};

// ---- blocks by layout, from pixel i; return the first pixel not done ----------------

template <class V, class Px>
QRX_INLINE int c3_blocks(const u8* s, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    const Coeffs<V> k;
    for (; i + V::kLanes <= n; i += V::kLanes) {
        T y, cb, cr, r, g, b;
        V::triples(s + 3 * static_cast<std::ptrdiff_t>(i), y, cb, cr);
        to_rgb<V, false>(k, y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

template <class V, class Px>
QRX_INLINE int c2_blocks(const u8* s, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    const Coeffs<V> k;
    for (; i + V::kLanes <= n; i += V::kLanes) {
        T y, cb, cr, r, g, b;
        V::pairs(s + 2 * static_cast<std::ptrdiff_t>(i), y, cb, cr);
        to_rgb<V, false>(k, y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

// Chroma shared by pixel pairs (4:2:2 and 4:2:0 rows), I13u: the chroma terms
// are formed once per sample and then doubled.  2 * kLanes pixels per step.
template <class V>
struct PairTerms {
    using T = typename V::T;
    T r_lo, r_hi, g_lo, g_hi, b_lo, b_hi;  // T(Cr', 13074); T(Cr', 6660) + T(Cb', 3211); T(Cb', 16523)

    inline PairTerms(const Coeffs<V>& k, const u8* cbs, const u8* crs) {
        const T bp = V::template slli<7>(V::sub(V::samples(cbs), k.c128));
        const T rp = V::template slli<7>(V::sub(V::samples(crs), k.c128));
        const T tr = V::mulhi(rp, k.kr);
        const T tg = V::add(V::mulhi(rp, k.kgr), V::mulhi(bp, k.kgb));
        const T tb = V::mulhi(bp, k.kb);
        r_lo = V::dup_lo(tr), r_hi = V::dup_hi(tr);
        g_lo = V::dup_lo(tg), g_hi = V::dup_hi(tg);
        b_lo = V::dup_lo(tb), b_hi = V::dup_hi(tb);
    }
};

// Luma terms of 2 * kLanes pixels, combined with the pair terms and packed.
template <class V, class Px>
QRX_INLINE void pair_luma(const Coeffs<V>& k, const PairTerms<V>& c, const Packer<V, Px>& pk, const u8* ys, u16* d) {
    using T = typename V::T;
    T y0, y1;
    V::samples_2x(ys, y0, y1);
    const T ty0 = V::mulhi(V::template slli<7>(V::sub(y0, k.y16)), k.ky);
    const T ty1 = V::mulhi(V::template slli<7>(V::sub(y1, k.y16)), k.ky);
    const T out0 = pk(V::template srai<4>(V::add(ty0, c.r_lo)), V::template srai<4>(V::sub(ty0, c.g_lo)),
                      V::template srai<4>(V::add(ty0, c.b_lo)));
    const T out1 = pk(V::template srai<4>(V::add(ty1, c.r_hi)), V::template srai<4>(V::sub(ty1, c.g_hi)),
                      V::template srai<4>(V::add(ty1, c.b_hi)));
    V::store_2x(d, out0, out1);
}

template <class V, class Px>
QRX_INLINE int pair_chroma_blocks(const u8* ys, const u8* cbs, const u8* crs, u16* d, int i, int n, int row) {
    const Packer<V, Px> pk(row);
    const Coeffs<V> k;
    for (; i + 2 * V::kLanes <= n; i += 2 * V::kLanes)
        pair_luma<V, Px>(k, PairTerms<V>(k, cbs + (i >> 1), crs + (i >> 1)), pk, ys + i, d + i);
    return i;
}

// Two luma rows over one chroma row (4:2:0 row pairs): the chroma terms serve both.
template <class V, class Px>
QRX_INLINE int pair_chroma_two_rows_blocks(const u8* y0, const u8* y1, const u8* cbs, const u8* crs, u16* d0,
                                           u16* d1, int i, int n, int row0) {
    const Packer<V, Px> pk0(row0), pk1(row0 + 1);
    const Coeffs<V> k;
    for (; i + 2 * V::kLanes <= n; i += 2 * V::kLanes) {
        const PairTerms<V> c(k, cbs + (i >> 1), crs + (i >> 1));
        pair_luma<V, Px>(k, c, pk0, y0 + i, d0 + i);
        pair_luma<V, Px>(k, c, pk1, y1 + i, d1 + i);
    }
    return i;
}

template <class V, class Px, int Shift, bool Round>
QRX_INLINE int plane_blocks(const u8* ys, const u8* cbs, const u8* crs, u16* d, int i, int n, int row) {
    using T = typename V::T;
    const Packer<V, Px> pk(row);
    const Coeffs<V> k;
    for (; i + V::kLanes <= n; i += V::kLanes) {
        const T y = V::samples(ys + i);
        T cb, cr;
        if constexpr (Shift == 0) {
            cb = V::samples(cbs + i), cr = V::samples(crs + i);
        } else if constexpr (Shift == 1) {
            cb = V::samples_x2(cbs + (i >> 1)), cr = V::samples_x2(crs + (i >> 1));
        } else {
            cb = V::samples_x4(cbs + (i >> 2)), cr = V::samples_x4(crs + (i >> 2));
        }
        T r, g, b;
        to_rgb<V, Round>(k, y, cb, cr, r, g, b);
        V::store(d + i, pk(r, g, b));
    }
    return i;
}

}  // namespace

// Widest blocks first, down to 8-pixel blocks; the caller finishes the rest.
template <class Px>
int c3(const u8* s, u16* d, int n, int row) {
    int i = 0;
#if defined(__AVX512BW__)
    i = c3_blocks<V512, Px>(s, d, i, n, row);
#endif
#if defined(__AVX2__)
    i = c3_blocks<V256, Px>(s, d, i, n, row);
#endif
    return c3_blocks<V128, Px>(s, d, i, n, row);
}

template <class Px>
int c2(const u8* s, u16* d, int n, int row) {
    int i = 0;
#if defined(__AVX512BW__)
    i = c2_blocks<V512, Px>(s, d, i, n, row);
#endif
#if defined(__AVX2__)
    i = c2_blocks<V256, Px>(s, d, i, n, row);
#endif
    return c2_blocks<V128, Px>(s, d, i, n, row);
}

template <class Px, int Shift, bool Round>
int planes(const u8* y, const u8* cb, const u8* cr, u16* d, int n, int row) {
    int i = 0;
    if constexpr (Shift == 1 && !Round) {
#if defined(__AVX512BW__)
        i = pair_chroma_blocks<V512, Px>(y, cb, cr, d, i, n, row);
#endif
#if defined(__AVX2__)
        i = pair_chroma_blocks<V256, Px>(y, cb, cr, d, i, n, row);
#endif
        i = pair_chroma_blocks<V128, Px>(y, cb, cr, d, i, n, row);
    }
#if defined(__AVX512BW__)
    i = plane_blocks<V512, Px, Shift, Round>(y, cb, cr, d, i, n, row);
#endif
#if defined(__AVX2__)
    i = plane_blocks<V256, Px, Shift, Round>(y, cb, cr, d, i, n, row);
#endif
    return plane_blocks<V128, Px, Shift, Round>(y, cb, cr, d, i, n, row);
}

// Two rows sharing one chroma row, in blocks of 2 * kLanes pixels; the caller
// finishes each row from the returned pixel on.
template <class Px>
int planes_two_rows(const u8* y0, const u8* y1, const u8* cb, const u8* cr, u16* d0, u16* d1, int n, int row0) {
    int i = 0;
#if defined(__AVX512BW__)
    i = pair_chroma_two_rows_blocks<V512, Px>(y0, y1, cb, cr, d0, d1, i, n, row0);
#endif
#if defined(__AVX2__)
    i = pair_chroma_two_rows_blocks<V256, Px>(y0, y1, cb, cr, d0, d1, i, n, row0);
#endif
    return pair_chroma_two_rows_blocks<V128, Px>(y0, y1, cb, cr, d0, d1, i, n, row0);
}

}  // namespace qrx::rgb16::QRX_LEVEL::vec
