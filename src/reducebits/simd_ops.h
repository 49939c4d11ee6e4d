// Vector operations used by the reduction kernels, one set per CPU level
// (SSE2: 4 lanes, AVX2: 8 lanes, AVX-512: 16 lanes).  Included only by the
// vector levels of reducebits_rows.inl, inside its anonymous namespace, so
// every level file has its own copies.
//
// Conventions: F holds floats, I holds 32-bit integers.  fmax(x, lo) returns
// lo when x is NaN.  Stores take integers already inside the output type's
// range; the AC4 variants leave every fourth sample (alpha) as it was.
#pragma once

#include <immintrin.h>

#include <cstdint>
#include <cstring>

#define QRX_V inline __attribute__((always_inline))

#if defined(__AVX512F__)

constexpr int VW = 16;
using F = __m512;
using I = __m512i;
QRX_V F fset(float x) { return _mm512_set1_ps(x); }
QRX_V F fadd(F a, F b) { return _mm512_add_ps(a, b); }
QRX_V F fsub(F a, F b) { return _mm512_sub_ps(a, b); }
QRX_V F fmul(F a, F b) { return _mm512_mul_ps(a, b); }
QRX_V F fmax(F x, F lo) { return _mm512_max_ps(x, lo); }
QRX_V F fmin(F x, F hi) { return _mm512_min_ps(x, hi); }
QRX_V I cvtt(F a) { return _mm512_cvttps_epi32(a); }
QRX_V F cvt(I a) { return _mm512_cvtepi32_ps(a); }
// d > t ? q + s : q
QRX_V F add_if_above(F q, F d, F t, F s) { return _mm512_mask_add_ps(q, _mm512_cmp_ps_mask(d, t, _CMP_GT_OQ), q, s); }
QRX_V I iadd(I a, int b) { return _mm512_add_epi32(a, _mm512_set1_epi32(b)); }
QRX_V I isrl(I a, int n) { return _mm512_srli_epi32(a, static_cast<unsigned>(n)); }

QRX_V F load_work(const std::uint8_t* p) { return _mm512_cvtepi32_ps(_mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))); }
QRX_V F load_work(const std::uint16_t* p) { return _mm512_cvtepi32_ps(_mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)))); }
QRX_V F load_work(const std::int16_t* p) {
    const I v = _mm512_cvtepi16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
    return _mm512_cvtepi32_ps(_mm512_add_epi32(v, _mm512_set1_epi32(32768)));
}
QRX_V F load_work(const float* p) { return _mm512_loadu_ps(p); }
QRX_V F load_f(const float* p) { return _mm512_loadu_ps(p); }

template <bool KeepAlpha>
QRX_V void store(std::uint8_t* d, I v) {
    const __m128i b = _mm512_cvtepi32_epi8(v);
    if (KeepAlpha) _mm_mask_storeu_epi8(d, 0x7777, b);
    else _mm_storeu_si128(reinterpret_cast<__m128i*>(d), b);
}
template <bool KeepAlpha>
QRX_V void store16(void* d, I v) {
    const __m256i w = _mm512_cvtepi32_epi16(v);
    if (KeepAlpha) _mm256_mask_storeu_epi16(d, 0x7777, w);
    else _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), w);
}
template <bool KeepAlpha> QRX_V void store(std::uint16_t* d, I v) { store16<KeepAlpha>(d, v); }
template <bool KeepAlpha> QRX_V void store(std::int16_t* d, I v) { store16<KeepAlpha>(d, v); }

#elif defined(__AVX2__)

constexpr int VW = 8;
using F = __m256;
using I = __m256i;
QRX_V F fset(float x) { return _mm256_set1_ps(x); }
QRX_V F fadd(F a, F b) { return _mm256_add_ps(a, b); }
QRX_V F fsub(F a, F b) { return _mm256_sub_ps(a, b); }
QRX_V F fmul(F a, F b) { return _mm256_mul_ps(a, b); }
QRX_V F fmax(F x, F lo) { return _mm256_max_ps(x, lo); }
QRX_V F fmin(F x, F hi) { return _mm256_min_ps(x, hi); }
QRX_V I cvtt(F a) { return _mm256_cvttps_epi32(a); }
QRX_V F cvt(I a) { return _mm256_cvtepi32_ps(a); }
QRX_V F add_if_above(F q, F d, F t, F s) {
    return _mm256_add_ps(q, _mm256_and_ps(_mm256_cmp_ps(d, t, _CMP_GT_OQ), s));
}
QRX_V I iadd(I a, int b) { return _mm256_add_epi32(a, _mm256_set1_epi32(b)); }
QRX_V I isrl(I a, int n) { return _mm256_srli_epi32(a, n); }

QRX_V F load_work(const std::uint8_t* p) { return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)))); }
QRX_V F load_work(const std::uint16_t* p) { return _mm256_cvtepi32_ps(_mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))); }
QRX_V F load_work(const std::int16_t* p) {
    const I v = _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    return _mm256_cvtepi32_ps(_mm256_add_epi32(v, _mm256_set1_epi32(32768)));
}
QRX_V F load_work(const float* p) { return _mm256_loadu_ps(p); }
QRX_V F load_f(const float* p) { return _mm256_loadu_ps(p); }

// Alpha lanes of 8 bytes / 8 words in pixel order.
QRX_V __m128i keep_old(__m128i fresh, __m128i old, __m128i alpha) {
    return _mm_or_si128(_mm_andnot_si128(alpha, fresh), _mm_and_si128(alpha, old));
}
template <bool KeepAlpha>
QRX_V void store(std::uint8_t* d, I v) {
    const __m128i w = _mm_packs_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    __m128i b = _mm_packus_epi16(w, w);
    if (KeepAlpha)
        b = keep_old(b, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d)), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), b);
}
template <bool KeepAlpha>
QRX_V void store_words(void* d, __m128i w) {
    if (KeepAlpha)
        w = keep_old(w, _mm_loadu_si128(reinterpret_cast<const __m128i*>(d)), _mm_set1_epi64x(static_cast<long long>(0xFFFF000000000000ull)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), w);
}
template <bool KeepAlpha> QRX_V void store(std::uint16_t* d, I v) {
    store_words<KeepAlpha>(d, _mm_packus_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1)));
}
template <bool KeepAlpha> QRX_V void store(std::int16_t* d, I v) {
    store_words<KeepAlpha>(d, _mm_packs_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1)));
}

#else  // SSE2

constexpr int VW = 4;
using F = __m128;
using I = __m128i;
QRX_V F fset(float x) { return _mm_set1_ps(x); }
QRX_V F fadd(F a, F b) { return _mm_add_ps(a, b); }
QRX_V F fsub(F a, F b) { return _mm_sub_ps(a, b); }
QRX_V F fmul(F a, F b) { return _mm_mul_ps(a, b); }
QRX_V F fmax(F x, F lo) { return _mm_max_ps(x, lo); }
QRX_V F fmin(F x, F hi) { return _mm_min_ps(x, hi); }
QRX_V I cvtt(F a) { return _mm_cvttps_epi32(a); }
QRX_V F cvt(I a) { return _mm_cvtepi32_ps(a); }
QRX_V F add_if_above(F q, F d, F t, F s) { return _mm_add_ps(q, _mm_and_ps(_mm_cmpgt_ps(d, t), s)); }
QRX_V I iadd(I a, int b) { return _mm_add_epi32(a, _mm_set1_epi32(b)); }
QRX_V I isrl(I a, int n) { return _mm_srli_epi32(a, n); }

QRX_V F load_work(const std::uint8_t* p) {
    int raw;
    std::memcpy(&raw, p, 4);
    const __m128i z = _mm_setzero_si128();
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(raw), z), z));
}
QRX_V F load_work(const std::uint16_t* p) {
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128()));
}
QRX_V F load_work(const std::int16_t* p) {
    const __m128i w = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    const __m128i v = _mm_srai_epi32(_mm_unpacklo_epi16(w, w), 16);
    return _mm_cvtepi32_ps(_mm_add_epi32(v, _mm_set1_epi32(32768)));
}
QRX_V F load_work(const float* p) { return _mm_loadu_ps(p); }
QRX_V F load_f(const float* p) { return _mm_loadu_ps(p); }

template <bool KeepAlpha>
QRX_V void store(std::uint8_t* d, I v) {
    const __m128i w = _mm_packs_epi32(v, v);
    const __m128i b = _mm_packus_epi16(w, w);
    if (KeepAlpha) {
        std::uint8_t bytes[4];
        const int packed = _mm_cvtsi128_si32(b);
        std::memcpy(bytes, &packed, 4);
        d[0] = bytes[0];
        d[1] = bytes[1];
        d[2] = bytes[2];
    } else {
        const int packed = _mm_cvtsi128_si32(b);
        std::memcpy(d, &packed, 4);
    }
}
template <bool KeepAlpha>
QRX_V void store_words(void* d, __m128i w) {
    if (KeepAlpha) {
        std::uint16_t words[4];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(words), w);
        std::memcpy(d, words, 6);
    } else {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d), w);
    }
}
template <bool KeepAlpha> QRX_V void store(std::uint16_t* d, I v) {
    // 0..65535 through the signed pack: shift down by 32768 and back
    const __m128i bias = _mm_set1_epi32(32768);
    const __m128i w = _mm_packs_epi32(_mm_sub_epi32(v, bias), _mm_sub_epi32(v, bias));
    store_words<KeepAlpha>(d, _mm_xor_si128(w, _mm_set1_epi16(static_cast<short>(0x8000))));
}
template <bool KeepAlpha> QRX_V void store(std::int16_t* d, I v) { store_words<KeepAlpha>(d, _mm_packs_epi32(v, v)); }

#endif

#undef QRX_V
