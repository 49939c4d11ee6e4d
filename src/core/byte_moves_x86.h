// Byte-vector traits for the byte moves (copies, interleaves and
// de-interleaves of samples without arithmetic): B128 (SSE2), B256 (AVX2) and
// B512 (AVX-512BW), with the same member names and meanings at every width.
// Packs work within 128-bit lanes and in_order puts their result back in row
// order; zip8 / zip16 / zip8_halves return row order themselves.  The wider
// loads keep their value in a register (see in_register).  Include only from per-level files;
// everything here has internal linkage.
#pragma once

#if defined(__SSE2__)
#include <immintrin.h>

#include <cstdint>

namespace qrx::simd {
namespace {

// Keeps a loaded vector in a register: without it the compiler folds the load
// into each instruction that uses the value, so a source line used twice is
// read twice, and the extra loads take queue slots from the next lines'
// misses (measured: about 1.5% slower on the P2 -> P3 chroma copy).  The
// interleave is the exception: with its loads folded into the two unpacks
// (`load_fold`, one plane read twice) it measured about 0.7% faster on the
// P3 -> P2 chroma copy of a 1920x1080 frame than with loads in registers.
template <class T>
inline T in_register(T v) {
    __asm__("" : "+v"(v));
    return v;
}

// Makes each pointer its own induction variable.  Left alone, the compiler
// folds the pointers of a loop into one index, and the loads then address
// base + scaled index, which measured about 0.5% slower on the P2 -> P3 chroma
// copy of a 1920x1080 frame than loads from a pointer that walks on its own.
template <class P>
inline void walk_apart(P& p) {
    __asm__("" : "+r"(p));
}
template <class P, class... Rest>
inline void walk_apart(P& p, Rest&... rest) {
    walk_apart(p);
    walk_apart(rest...);
}

// ---- byte-vector traits ------------------------------------------------------
// even_bytes / odd_bytes / even_words / odd_words: the even or odd elements of
// a then b, in row order.  zip8 / zip16: byte or 16-bit interleave of a and b
// in row order, the first kBytes in o0.  Halves: the first kBytes / 2 bytes.

struct B128 {
    using T = __m128i;
    static constexpr int kBytes = 16;
    static T load(const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const T*>(p)); }
    static T load_a(const std::uint8_t* p) { return _mm_load_si128(reinterpret_cast<const T*>(p)); }
    static T load_fold(const std::uint8_t* p) { return load(p); }
    static void store(std::uint8_t* p, T v) { _mm_storeu_si128(reinterpret_cast<T*>(p), v); }
    static void store_a(std::uint8_t* p, T v) { _mm_store_si128(reinterpret_cast<T*>(p), v); }
    static void store_half(std::uint8_t* p, T v) { _mm_storel_epi64(reinterpret_cast<T*>(p), v); }
#if defined(__SSSE3__)
    static T shuffle8(T a, __m128i m) { return _mm_shuffle_epi8(a, m); }  // the same control in every lane
#endif
    static T set16(int x) { return _mm_set1_epi16(static_cast<short>(x)); }
    static T set32(int x) { return _mm_set1_epi32(x); }
    static T and_(T a, T b) { return _mm_and_si128(a, b); }
    static T or_(T a, T b) { return _mm_or_si128(a, b); }
    static T andnot(T a, T b) { return _mm_andnot_si128(a, b); }  // ~a & b
    static T slli16(T a, int n) { return _mm_slli_epi16(a, n); }
    static T srli16(T a, int n) { return _mm_srli_epi16(a, n); }
    static T slli32(T a, int n) { return _mm_slli_epi32(a, n); }
    static T srli32(T a, int n) { return _mm_srli_epi32(a, n); }
    static T srai32(T a, int n) { return _mm_srai_epi32(a, n); }
    static T in_order(T a) { return a; }  // packs already keep row order
    static T packus16(T a, T b) { return _mm_packus_epi16(a, b); }
    static T packs32(T a, T b) { return _mm_packs_epi32(a, b); }
    static void zip8(T a, T b, T& o0, T& o1) {
        o0 = _mm_unpacklo_epi8(a, b);
        o1 = _mm_unpackhi_epi8(a, b);
    }
    static void zip16(T a, T b, T& o0, T& o1) {
        o0 = _mm_unpacklo_epi16(a, b);
        o1 = _mm_unpackhi_epi16(a, b);
    }
    // Bytes interleaved from the first kBytes / 2 of a and of b.
    static T zip8_halves(const std::uint8_t* a, const std::uint8_t* b) {
        return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const T*>(a)),
                                 _mm_loadl_epi64(reinterpret_cast<const T*>(b)));
    }
};

#if defined(__AVX2__)
// The byte packs and unpacks of AVX2 work within 128-bit lanes; the permutes
// put the bytes back in row order.
struct B256 {
    using T = __m256i;
    static constexpr int kBytes = 32;
    static T load(const std::uint8_t* p) { return in_register(_mm256_loadu_si256(reinterpret_cast<const T*>(p))); }
    static T load_fold(const std::uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const T*>(p)); }
    static T load_a(const std::uint8_t* p) { return load(p); }
    static void store(std::uint8_t* p, T v) { _mm256_storeu_si256(reinterpret_cast<T*>(p), v); }
    static T shuffle8(T a, __m128i m) { return _mm256_shuffle_epi8(a, _mm256_broadcastsi128_si256(m)); }
    static void store_a(std::uint8_t* p, T v) { store(p, v); }
    static void store_half(std::uint8_t* p, T v) { B128::store(p, _mm256_castsi256_si128(v)); }
    static T set16(int x) { return _mm256_set1_epi16(static_cast<short>(x)); }
    static T set32(int x) { return _mm256_set1_epi32(x); }
    static T and_(T a, T b) { return _mm256_and_si256(a, b); }
    static T or_(T a, T b) { return _mm256_or_si256(a, b); }
    static T andnot(T a, T b) { return _mm256_andnot_si256(a, b); }
    static T slli16(T a, int n) { return _mm256_slli_epi16(a, n); }
    static T srli16(T a, int n) { return _mm256_srli_epi16(a, n); }
    static T slli32(T a, int n) { return _mm256_slli_epi32(a, n); }
    static T srli32(T a, int n) { return _mm256_srli_epi32(a, n); }
    static T srai32(T a, int n) { return _mm256_srai_epi32(a, n); }
    static T in_order(T a) { return _mm256_permute4x64_epi64(a, 0xD8); }
    static T packus16(T a, T b) { return _mm256_packus_epi16(a, b); }
    static T packs32(T a, T b) { return _mm256_packs_epi32(a, b); }
    static void zip8(T a, T b, T& o0, T& o1) {
        const T lo = _mm256_unpacklo_epi8(a, b), hi = _mm256_unpackhi_epi8(a, b);
        o0 = _mm256_permute2x128_si256(lo, hi, 0x20);
        o1 = _mm256_permute2x128_si256(lo, hi, 0x31);
    }
    static void zip16(T a, T b, T& o0, T& o1) {
        const T lo = _mm256_unpacklo_epi16(a, b), hi = _mm256_unpackhi_epi16(a, b);
        o0 = _mm256_permute2x128_si256(lo, hi, 0x20);
        o1 = _mm256_permute2x128_si256(lo, hi, 0x31);
    }
    static T zip8_halves(const std::uint8_t* a, const std::uint8_t* b) {
        const __m128i x = B128::load(a), y = B128::load(b);
        return _mm256_set_m128i(_mm_unpackhi_epi8(x, y), _mm_unpacklo_epi8(x, y));
    }
};
#endif

#if defined(__AVX512BW__)
// AVX-512BW: packs and unpacks work within the four 128-bit lanes as well.
// Shifts and permutes use the all-ones masked forms: the plain intrinsics pass an
// undefined register that GCC 12 warns about; the instructions are the same.
struct B512 {
    using T = __m512i;
    static constexpr int kBytes = 64;
    static T load(const std::uint8_t* p) { return in_register(_mm512_loadu_si512(p)); }
    static T load_fold(const std::uint8_t* p) { return _mm512_loadu_si512(p); }
    static T shuffle8(T a, __m128i m) { return _mm512_shuffle_epi8(a, _mm512_broadcast_i32x4(m)); }
    static T load_a(const std::uint8_t* p) { return load(p); }
    static void store(std::uint8_t* p, T v) { _mm512_storeu_si512(p, v); }
    static void store_a(std::uint8_t* p, T v) { store(p, v); }
    static void store_half(std::uint8_t* p, T v) { _mm512_mask_storeu_epi64(p, 0x0F, v); }
    static T set16(int x) { return set32((x & 0xFFFF) * 0x10001); }
    static T set32(int x) { return _mm512_set1_epi32(x); }
    static T and_(T a, T b) { return _mm512_and_si512(a, b); }
    static T or_(T a, T b) { return _mm512_or_si512(a, b); }
    static T andnot(T a, T b) { return _mm512_maskz_andnot_epi64(0xFF, a, b); }
    static T slli16(T a, int n) { return _mm512_maskz_slli_epi16(~0u, a, static_cast<unsigned>(n)); }
    static T srli16(T a, int n) { return _mm512_maskz_srli_epi16(~0u, a, static_cast<unsigned>(n)); }
    static T slli32(T a, int n) { return _mm512_maskz_slli_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    static T srli32(T a, int n) { return _mm512_maskz_srli_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    static T srai32(T a, int n) { return _mm512_maskz_srai_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    // After a pack, 64-bit unit 2k holds lane k of a, 2k+1 lane k of b.
    static T in_order(T a) { return _mm512_maskz_permutexvar_epi64(0xFF, _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), a); }
    static T packus16(T a, T b) { return _mm512_packus_epi16(a, b); }
    static T packs32(T a, T b) { return _mm512_packs_epi32(a, b); }
    // After an unpack, lane k of lo / hi holds output chunk 2k / 2k+1.
    static void lanes_in_order(T lo, T hi, T& o0, T& o1) {
        o0 = _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11), hi);
        o1 = _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15), hi);
    }
    static void zip8(T a, T b, T& o0, T& o1) { lanes_in_order(_mm512_unpacklo_epi8(a, b), _mm512_unpackhi_epi8(a, b), o0, o1); }
    static void zip16(T a, T b, T& o0, T& o1) {
        lanes_in_order(_mm512_unpacklo_epi16(a, b), _mm512_unpackhi_epi16(a, b), o0, o1);
    }
    static T zip8_halves(const std::uint8_t* a, const std::uint8_t* b) {
        const T x = _mm512_maskz_loadu_epi64(0x0F, a), y = _mm512_maskz_loadu_epi64(0x0F, b);
        T o0, o1;
        lanes_in_order(_mm512_unpacklo_epi8(x, y), _mm512_unpackhi_epi8(x, y), o0, o1);
        return o0;
    }
};
#endif

}  // namespace
}  // namespace qrx::simd

#endif  // __SSE2__
