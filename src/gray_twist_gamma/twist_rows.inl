// Row kernels of the colour twist, compiled once per CPU level (the including
// file defines QRX_LEVEL).  Every path computes the fixed sum order of its type
// (A, B or C) in single precision, clamps with "NaN gives the maximum" and
// rounds with the current rounding mode, which the exported function has set
// to round-to-nearest for the integer types.
//   scalar: the recipes, pixel by pixel;
//   SSE2 and up: one pixel per vector, lanes = output channels, the matrix
//                columns as vectors (three or four multiplies and adds);
//   AVX2: 8u pixel-order and planar rows eight pixels per vector, lanes =
//         pixels, the matrix entries broadcast;
//   AVX-512: 8u, 8s, 16u, 16s sixteen pixels per vector (lanes = pixels);
//         32f four pixels per vector (one per 128-bit lane, lanes = output
//         channels) and planes sixteen at a time.  Masked stores leave alpha
//         and everything past the last pixel untouched.
#include <array>
#include <type_traits>

#include "gray_twist_gamma/twist_kernels.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#include <immintrin.h>

#include "core/lane_pixels.h"
#define QRX_TWIST_SIMD 1
#else
#define QRX_TWIST_SIMD 0
#endif

namespace qrx::twist::QRX_LEVEL {
namespace {

using namespace qrx::gtg;

template <class T>
constexpr bool kOrderB = std::is_same_v<T, s8>;

template <class T>
QRX_INLINE float order3(const float* m, float x0, float x1, float x2) {
    if constexpr (kOrderB<T>)
        return twist_b(m, x0, x1, x2);
    else
        return twist_a(m, x0, x1, x2);
}

// ---- reference paths ----------------------------------------------------------

template <class T, int C>
void pix_ref(const T* s, T* d, std::ptrdiff_t n, const Matrix& m) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const T* p = s + C * i;
        const float x0 = p[0], x1 = p[1], x2 = p[2];
        const float r0 = order3<T>(m.row[0], x0, x1, x2);
        const float r1 = order3<T>(m.row[1], x0, x1, x2);
        const float r2 = order3<T>(m.row[2], x0, x1, x2);
        T* q = d + C * i;
        q[0] = TwistOut<T>::from(r0);
        q[1] = TwistOut<T>::from(r1);
        q[2] = TwistOut<T>::from(r2);
    }
}

template <class T>
void planes_ref(const T* s0, const T* s1, const T* s2, T* d0, T* d1, T* d2, std::ptrdiff_t n, const Matrix& m) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const float x0 = s0[i], x1 = s1[i], x2 = s2[i];
        const float r0 = order3<T>(m.row[0], x0, x1, x2);
        const float r1 = order3<T>(m.row[1], x0, x1, x2);
        const float r2 = order3<T>(m.row[2], x0, x1, x2);
        d0[i] = TwistOut<T>::from(r0);
        d1[i] = TwistOut<T>::from(r1);
        d2[i] = TwistOut<T>::from(r2);
    }
}

#if !QRX_TWIST_SIMD
void c4_ref(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const float* p = s + 4 * i;
        const float x0 = p[0], x1 = p[1], x2 = p[2], x3 = p[3];
        const float r0 = twist_c(m.row[0], x0, x1, x2, x3);
        const float r1 = twist_c(m.row[1], x0, x1, x2, x3);
        const float r2 = twist_c(m.row[2], x0, x1, x2, x3);
        const float r3 = twist_c(m.row[3], x0, x1, x2, x3);
        float* q = d + 4 * i;
        q[0] = r0;
        q[1] = r1;
        q[2] = r2;
        q[3] = r3;
    }
}
#endif

#if QRX_TWIST_SIMD
// ---- one pixel per vector -------------------------------------------------------

using lanes::F4;

struct Cols {
    F4 c0, c1, c2, c3;
    explicit Cols(const Matrix& m)
        : c0(F4::load(m.col[0])), c1(F4::load(m.col[1])), c2(F4::load(m.col[2])), c3(F4::load(m.col[3])) {}
};

template <class T>
QRX_INLINE __m128 combine3(const Cols& c, F4 x0, F4 x1, F4 x2) {
    if constexpr (kOrderB<T>)  // ((c0 x0 + c1 x1) + c2 x2) + c3
        return (((c.c0 * x0 + c.c1 * x1) + c.c2 * x2) + c.c3).v;
    else  // (c3 + c0 x0) + (c2 x2 + c1 x1)
        return ((c.c3 + c.c0 * x0) + (c.c2 * x2 + c.c1 * x1)).v;
}

// Clamp from above (NaN gives the bound: min returns its second operand),
// then from below, then the mode's rounding conversion.
QRX_INLINE __m128i clamp_cvt(F4 r, float lo, float hi) { return lanes::cvtr(lanes::vmax(lanes::vmin(r, F4(hi)), F4(lo))).v; }

// Lanes 0..2 of r to three destination samples.
QRX_INLINE void put3(u8* q0, u8* q1, u8* q2, __m128 r) {
    const __m128i i = clamp_cvt(r, 0.0f, 255.0f);
    const int v = _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(i, i), i));
    *q0 = static_cast<u8>(v);
    *q1 = static_cast<u8>(v >> 8);
    *q2 = static_cast<u8>(v >> 16);
}
QRX_INLINE void put3(s8* q0, s8* q1, s8* q2, __m128 r) {
    // limited from above only; the rounded integer saturates through the packs
    const __m128i i = lanes::cvtr(lanes::vmin(F4(r), F4(127.0f))).v;
    const int v = _mm_cvtsi128_si32(_mm_packs_epi16(_mm_packs_epi32(i, i), i));
    *q0 = static_cast<s8>(v);
    *q1 = static_cast<s8>(v >> 8);
    *q2 = static_cast<s8>(v >> 16);
}
QRX_INLINE void put3(u16* q0, u16* q1, u16* q2, __m128 r) {
    const __m128i i = clamp_cvt(r, 0.0f, 65535.0f);
    *q0 = static_cast<u16>(_mm_extract_epi16(i, 0));
    *q1 = static_cast<u16>(_mm_extract_epi16(i, 2));
    *q2 = static_cast<u16>(_mm_extract_epi16(i, 4));
}
QRX_INLINE void put3(s16* q0, s16* q1, s16* q2, __m128 r) {
    const __m128i i = clamp_cvt(r, -32768.0f, 32767.0f);
    *q0 = static_cast<s16>(_mm_extract_epi16(i, 0));
    *q1 = static_cast<s16>(_mm_extract_epi16(i, 2));
    *q2 = static_cast<s16>(_mm_extract_epi16(i, 4));
}
QRX_INLINE void put3(float* q0, float* q1, float* q2, __m128 r) {
    _mm_store_ss(q0, r);
    _mm_store_ss(q1, _mm_shuffle_ps(r, r, _MM_SHUFFLE(1, 1, 1, 1)));
    _mm_store_ss(q2, _mm_shuffle_ps(r, r, _MM_SHUFFLE(2, 2, 2, 2)));
}

template <class T>
QRX_INLINE F4 splat(T v) {
    return F4(static_cast<float>(v));
}

template <class T, int C>
void pix_vec(const T* s, T* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols c(m);
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const T* p = s + C * i;
        const __m128 r = combine3<T>(c, splat(p[0]), splat(p[1]), splat(p[2]));
        T* q = d + C * i;
        put3(q, q + 1, q + 2, r);
    }
}

template <class T>
void planes_vec(const T* s0, const T* s1, const T* s2, T* d0, T* d1, T* d2, std::ptrdiff_t n, const Matrix& m) {
    const Cols c(m);
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const __m128 r = combine3<T>(c, splat(s0[i]), splat(s1[i]), splat(s2[i]));
        put3(d0 + i, d1 + i, d2 + i, r);
    }
}

// 32f C3 with cache-bypassing stores: once the destination reaches a 16-byte
// boundary, four pixels (48 bytes) go out as three aligned vectors.
[[maybe_unused]] void c3_32f_stream(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols c(m);
    auto one = [&](std::ptrdiff_t i) {
        const float* p = s + 3 * i;
        return combine3<float>(c, F4(p[0]), F4(p[1]), F4(p[2]));
    };
    std::ptrdiff_t i = 0;
    if ((reinterpret_cast<std::uintptr_t>(d) & 3) == 0) {
        for (; i < n && (reinterpret_cast<std::uintptr_t>(d + 3 * i) & 15) != 0; ++i) {
            float* q = d + 3 * i;
            put3(q, q + 1, q + 2, one(i));
        }
        for (; i + 4 <= n; i += 4) {
            const __m128 r0 = one(i), r1 = one(i + 1), r2 = one(i + 2), r3 = one(i + 3);
            const __m128 v0 = _mm_shuffle_ps(r0, _mm_shuffle_ps(r0, r1, _MM_SHUFFLE(0, 0, 2, 2)), _MM_SHUFFLE(2, 0, 1, 0));
            const __m128 v1 = _mm_shuffle_ps(r1, r2, _MM_SHUFFLE(1, 0, 2, 1));
            const __m128 v2 = _mm_shuffle_ps(_mm_shuffle_ps(r2, r3, _MM_SHUFFLE(0, 0, 2, 2)), r3, _MM_SHUFFLE(2, 1, 2, 0));
            float* q = d + 3 * i;
            _mm_stream_ps(q, v0);
            _mm_stream_ps(q + 4, v1);
            _mm_stream_ps(q + 8, v2);
        }
    }
    for (; i < n; ++i) {
        float* q = d + 3 * i;
        put3(q, q + 1, q + 2, one(i));
    }
    _mm_sfence();
}

QRX_INLINE __m128 combine4(const Cols& c, __m128 x) {
    // ((c0 x0 + c1 x1) + c2 x2) + c3 x3
    const __m128 x0 = _mm_shuffle_ps(x, x, _MM_SHUFFLE(0, 0, 0, 0));
    const __m128 x1 = _mm_shuffle_ps(x, x, _MM_SHUFFLE(1, 1, 1, 1));
    const __m128 x2 = _mm_shuffle_ps(x, x, _MM_SHUFFLE(2, 2, 2, 2));
    const __m128 x3 = _mm_shuffle_ps(x, x, _MM_SHUFFLE(3, 3, 3, 3));
    return (((c.c0 * F4(x0) + c.c1 * F4(x1)) + c.c2 * F4(x2)) + c.c3 * F4(x3)).v;
}

void c4_vec(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols c(m);
    for (std::ptrdiff_t i = 0; i < n; ++i) _mm_storeu_ps(d + 4 * i, combine4(c, _mm_loadu_ps(s + 4 * i)));
}

// Both row pointers 16-byte aligned: aligned loads, cache-bypassing stores.
void c4_stream(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols c(m);
    for (std::ptrdiff_t i = 0; i < n; ++i) _mm_stream_ps(d + 4 * i, combine4(c, _mm_load_ps(s + 4 * i)));
    _mm_sfence();
}
#endif  // QRX_TWIST_SIMD

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
// ---- 8u, eight pixels per vector (core/lane_pixels.h lanes) -------------------

using lanes::F8;
using lanes::I8;

struct Bcast {
    F8 t[3][4];
    explicit Bcast(const Matrix& m) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) t[i][j] = F8(m.row[i][j]);
    }
};

// Order A on lanes = pixels, then clamp to 0..255 and round (mode: nearest).
QRX_INLINE I8 twist8_lanes(const Bcast& b, int i, F8 x0, F8 x1, F8 x2) {
    const F8 r = (b.t[i][3] + b.t[i][0] * x0) + (b.t[i][2] * x2 + b.t[i][1] * x1);
    return lanes::cvtr(lanes::vmax(lanes::vmin(r, F8(255.0f)), F8(0.0f)));
}
QRX_INLINE void twist8_channels(const Bcast& b, I8& c0, I8& c1, I8& c2) {
    const F8 x0 = lanes::to_float(c0), x1 = lanes::to_float(c1), x2 = lanes::to_float(c2);
    c0 = twist8_lanes(b, 0, x0, x1, x2);
    c1 = twist8_lanes(b, 1, x0, x1, x2);
    c2 = twist8_lanes(b, 2, x0, x1, x2);
}

void c3_8u_avx2(const u8* s, u8* d, std::ptrdiff_t n, const Matrix& m) {
    const Bcast b(m);
    std::ptrdiff_t i = 0;
    for (; i + 8 <= n; i += 8) {
        I8 c0, c1, c2;
        lanes::load_c3_lanes(s + 3 * i, c0, c1, c2);
        twist8_channels(b, c0, c1, c2);
        lanes::store_c3_lanes(d + 3 * i, c0, c1, c2);
    }
    pix_vec<u8, 3>(s + 3 * i, d + 3 * i, n - i, m);
}

// The destination alpha bytes are merged back in (read and written unchanged).
void ac4_8u_avx2(const u8* s, u8* d, std::ptrdiff_t n, const Matrix& m) {
    const Bcast b(m);
    std::ptrdiff_t i = 0;
    for (; i + 8 <= n; i += 8) {
        I8 c0, c1, c2;
        lanes::load_c4_lanes(s + 4 * i, c0, c1, c2);
        twist8_channels(b, c0, c1, c2);
        lanes::store_c4_lanes(d + 4 * i, c0, c1, c2);
    }
    pix_vec<u8, 4>(s + 4 * i, d + 4 * i, n - i, m);
}

void p3_8u_avx2(const u8* s0, const u8* s1, const u8* s2, u8* d0, u8* d1, u8* d2, std::ptrdiff_t n, const Matrix& m) {
    const Bcast b(m);
    std::ptrdiff_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const F8 x0 = lanes::as_float<u8>(lanes::widen8(s0 + i)), x1 = lanes::as_float<u8>(lanes::widen8(s1 + i)),
                 x2 = lanes::as_float<u8>(lanes::widen8(s2 + i));
        lanes::narrow_lanes(d0 + i, lanes::raw_bits(twist8_lanes(b, 0, x0, x1, x2)));
        lanes::narrow_lanes(d1 + i, lanes::raw_bits(twist8_lanes(b, 1, x0, x1, x2)));
        lanes::narrow_lanes(d2 + i, lanes::raw_bits(twist8_lanes(b, 2, x0, x1, x2)));
    }
    planes_vec<u8>(s0 + i, s1 + i, s2 + i, d0 + i, d1 + i, d2 + i, n - i, m);
}
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512BW__)
// ---- 8u, sixteen pixels per vector ------------------------------------------

struct Bcast512 {
    __m512 t[3][4];
    explicit Bcast512(const Matrix& m) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) t[i][j] = _mm512_set1_ps(m.row[i][j]);
    }
};

QRX_INLINE __m512i twist8_lanes512(const Bcast512& b, int i, __m512 x0, __m512 x1, __m512 x2) {
    const __m512 r = _mm512_add_ps(_mm512_add_ps(b.t[i][3], _mm512_mul_ps(b.t[i][0], x0)),
                                   _mm512_add_ps(_mm512_mul_ps(b.t[i][2], x2), _mm512_mul_ps(b.t[i][1], x1)));
    return _mm512_cvtps_epi32(_mm512_max_ps(_mm512_min_ps(r, _mm512_set1_ps(255.0f)), _mm512_setzero_ps()));
}

// Sixteen pixels in 32-bit lanes (bytes 0..2 read) -> bytes 0..2 of each lane.
// The lower clamp is left to the unsigned saturation of the packs: a rounded
// value below zero (or the integer of -inf) becomes 0, as clamping first would
// give; the upper clamp stays in floats for "NaN gives the maximum".
QRX_INLINE __m512i twist8_dwords512(const Bcast512& b, __m512i v) {
    // byte 1 or 2 of each 32-bit lane, zero-extended (indices count within the 128-bit lane)
    const __m512i byte1 = _mm512_set4_epi32(static_cast<int>(0x8080800Du), static_cast<int>(0x80808009u),
                                            static_cast<int>(0x80808005u), static_cast<int>(0x80808001u));
    const __m512i byte2 = _mm512_set4_epi32(static_cast<int>(0x8080800Eu), static_cast<int>(0x8080800Au),
                                            static_cast<int>(0x80808006u), static_cast<int>(0x80808002u));
    const __m512 x0 = _mm512_cvtepi32_ps(_mm512_and_si512(v, _mm512_set1_epi32(0xFF)));
    const __m512 x1 = _mm512_cvtepi32_ps(_mm512_shuffle_epi8(v, byte1));
    const __m512 x2 = _mm512_cvtepi32_ps(_mm512_shuffle_epi8(v, byte2));
    auto channel = [&](int i) {
        const __m512 r = _mm512_add_ps(_mm512_add_ps(b.t[i][3], _mm512_mul_ps(b.t[i][0], x0)),
                                       _mm512_add_ps(_mm512_mul_ps(b.t[i][2], x2), _mm512_mul_ps(b.t[i][1], x1)));
        return _mm512_cvtps_epi32(_mm512_min_ps(r, _mm512_set1_ps(255.0f)));
    };
    const __m512i r0 = channel(0), r1 = channel(1), r2 = channel(2);
    // per 128-bit lane: r0 of 4 pixels, r1, r2, r2 as bytes; then byte k of pixel p from 4k + p
    const __m512i bytes = _mm512_packus_epi16(_mm512_packus_epi32(r0, r1), _mm512_packus_epi32(r2, r2));
    const __m512i order = _mm512_set4_epi32(static_cast<int>(0x800B0703u), static_cast<int>(0x800A0602u),
                                            static_cast<int>(0x80090501u), static_cast<int>(0x80080400u));
    return _mm512_shuffle_epi8(bytes, order);
}

// Byte-masked stores: the alpha bytes are never written.
void ac4_8u_512(const u8* s, u8* d, std::ptrdiff_t n, const Matrix& m) {
    const Bcast512 b(m);
    std::ptrdiff_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m512i v = _mm512_loadu_si512(s + 4 * i);
        _mm512_mask_storeu_epi8(d + 4 * i, 0x7777777777777777ull, twist8_dwords512(b, v));
    }
    ac4_8u_avx2(s + 4 * i, d + 4 * i, n - i, m);
}

// 16 C3 pixels: 48 bytes in (masked load, 12 bytes spread to each 128-bit
// lane, shuffled to 32-bit lanes) and 48 bytes out (the reverse).
void c3_8u_512(const u8* s, u8* d, std::ptrdiff_t n, const Matrix& m) {
    const Bcast512 b(m);
    const __m512i spread = _mm512_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 11);
    const __m512i to_lanes = _mm512_set4_epi32(static_cast<int>(0xFF0B0A09u), static_cast<int>(0xFF080706u),
                                               static_cast<int>(0xFF050403u), static_cast<int>(0xFF020100u));
    const __m512i from_lanes = _mm512_set4_epi32(-1, static_cast<int>(0x0E0D0C0Au), static_cast<int>(0x09080605u),
                                                 static_cast<int>(0x04020100u));
    const __m512i gather = _mm512_setr_epi32(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 3, 7, 11, 15);
    std::ptrdiff_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m512i raw = _mm512_maskz_loadu_epi32(0x0FFF, s + 3 * i);
        const __m512i v = _mm512_shuffle_epi8(_mm512_permutexvar_epi32(spread, raw), to_lanes);
        const __m512i r = _mm512_permutexvar_epi32(gather, _mm512_shuffle_epi8(twist8_dwords512(b, v), from_lanes));
        _mm512_mask_storeu_epi32(d + 3 * i, 0x0FFF, r);
    }
    c3_8u_avx2(s + 3 * i, d + 3 * i, n - i, m);
}

void p3_8u_512(const u8* s0, const u8* s1, const u8* s2, u8* d0, u8* d1, u8* d2, std::ptrdiff_t n, const Matrix& m) {
    const Bcast512 b(m);
    auto load = [](const u8* p) {
        return _mm512_cvtepi32_ps(_mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
    };
    std::ptrdiff_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m512 x0 = load(s0 + i), x1 = load(s1 + i), x2 = load(s2 + i);
        const __m512i r0 = twist8_lanes512(b, 0, x0, x1, x2);
        const __m512i r1 = twist8_lanes512(b, 1, x0, x1, x2);
        const __m512i r2 = twist8_lanes512(b, 2, x0, x1, x2);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d0 + i), _mm512_cvtepi32_epi8(r0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d1 + i), _mm512_cvtepi32_epi8(r1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d2 + i), _mm512_cvtepi32_epi8(r2));
    }
    p3_8u_avx2(s0 + i, s1 + i, s2 + i, d0 + i, d1 + i, d2 + i, n - i, m);
}

// ---- 16-bit and 8s, sixteen pixels per vector -----------------------------------

// Order A (B for 8s) on lanes = pixels, converted as the type requires:
// 8u/16u/16s clamp from above then below, 8s from above only; then the
// mode's rounding conversion (nearest).
template <class T>
QRX_INLINE __m512i twist_lanes512(const Bcast512& b, int i, __m512 x0, __m512 x1, __m512 x2) {
    if constexpr (kOrderB<T>) {
        const __m512 r = _mm512_add_ps(_mm512_add_ps(_mm512_add_ps(_mm512_mul_ps(b.t[i][0], x0), _mm512_mul_ps(b.t[i][1], x1)),
                                                     _mm512_mul_ps(b.t[i][2], x2)),
                                       b.t[i][3]);
        const __m512i n = _mm512_cvtps_epi32(_mm512_min_ps(r, _mm512_set1_ps(127.0f)));
        return _mm512_max_epi32(n, _mm512_set1_epi32(-128));
    } else {
        constexpr float lo = std::is_same_v<T, s16> ? -32768.0f : 0.0f;
        constexpr float hi = std::is_same_v<T, s16> ? 32767.0f : std::is_same_v<T, u16> ? 65535.0f : 255.0f;
        const __m512 r = _mm512_add_ps(_mm512_add_ps(b.t[i][3], _mm512_mul_ps(b.t[i][0], x0)),
                                       _mm512_add_ps(_mm512_mul_ps(b.t[i][2], x2), _mm512_mul_ps(b.t[i][1], x1)));
        return _mm512_cvtps_epi32(_mm512_max_ps(_mm512_min_ps(r, _mm512_set1_ps(hi)), _mm512_set1_ps(lo)));
    }
}

// Word indices: the first 16 of channel c0 of 16 pixels, the next 16 of c0 + 1.
template <int C>
struct WordIndex {
    static constexpr std::array<std::uint16_t, 32> make_in01() {
        std::array<std::uint16_t, 32> a{};
        for (int i = 0; i < 16; ++i) {
            a[i] = static_cast<std::uint16_t>(C * i);
            a[16 + i] = static_cast<std::uint16_t>(C * i + 1);
        }
        return a;
    }
    static constexpr std::array<std::uint16_t, 32> make_in2() {
        std::array<std::uint16_t, 32> a{};
        for (int i = 0; i < 32; ++i) a[i] = static_cast<std::uint16_t>(C * (i % 16) + 2);
        return a;
    }
    // output sample k (0..63) of 16 pixels: channel k % C of pixel k / C taken
    // from (r0 words 0..15, r1 words 16..31 | r2 words 32..47); alpha slots anything
    static constexpr std::array<std::uint16_t, 64> make_out() {
        std::array<std::uint16_t, 64> a{};
        for (int k = 0; k < 64; ++k) {
            const int px = (k / C) % 16, ch = k % C;
            a[k] = static_cast<std::uint16_t>(ch == 3 ? 0 : 16 * ch + px);
        }
        return a;
    }
    alignas(64) static constexpr std::array<std::uint16_t, 32> in01 = make_in01();
    alignas(64) static constexpr std::array<std::uint16_t, 32> in2 = make_in2();
    alignas(64) static constexpr std::array<std::uint16_t, 64> out = make_out();
};

template <class T>
QRX_INLINE __m512 words_to_float(__m256i w) {
    return _mm512_cvtepi32_ps(std::is_same_v<T, s16> ? _mm512_cvtepi16_epi32(w) : _mm512_cvtepu16_epi32(w));
}

// 16-bit C3 / AC4: 16 pixels = 48 or 64 samples in two vectors (the second
// loaded with a mask), channels gathered by word permutes, results scattered
// back the same way; masked stores leave alpha and everything past the
// pixels alone.
template <class T, int C>
void pix16_512(const T* s, T* d, std::ptrdiff_t n, const Matrix& m) {
    const Bcast512 b(m);
    using WI = WordIndex<C>;
    const __m512i in01 = _mm512_load_si512(WI::in01.data()), in2 = _mm512_load_si512(WI::in2.data());
    const __m512i out0 = _mm512_load_si512(WI::out.data()), out1 = _mm512_load_si512(WI::out.data() + 32);
    constexpr __mmask32 tail_mask = C == 3 ? 0x0000FFFFu : 0xFFFFFFFFu;
    constexpr __mmask32 keep = C == 3 ? 0xFFFFFFFFu : 0x77777777u;
    std::ptrdiff_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const T* p = s + C * i;
        const __m512i v0 = _mm512_loadu_si512(p);
        const __m512i v1 = _mm512_maskz_loadu_epi16(tail_mask, p + 32);
        const __m512i x01 = _mm512_permutex2var_epi16(v0, in01, v1);
        const __m512i x2w = _mm512_permutex2var_epi16(v0, in2, v1);
        const __m512 x0 = words_to_float<T>(_mm512_castsi512_si256(x01));
        const __m512 x1 = words_to_float<T>(_mm512_extracti64x4_epi64(x01, 1));
        const __m512 x2 = words_to_float<T>(_mm512_castsi512_si256(x2w));
        const __m256i r0 = _mm512_cvtepi32_epi16(twist_lanes512<T>(b, 0, x0, x1, x2));
        const __m256i r1 = _mm512_cvtepi32_epi16(twist_lanes512<T>(b, 1, x0, x1, x2));
        const __m256i r2 = _mm512_cvtepi32_epi16(twist_lanes512<T>(b, 2, x0, x1, x2));
        const __m512i r01 = _mm512_inserti64x4(_mm512_castsi256_si512(r0), r1, 1);
        const __m512i r2z = _mm512_castsi256_si512(r2);
        T* q = d + C * i;
        _mm512_mask_storeu_epi16(q, keep, _mm512_permutex2var_epi16(r01, out0, r2z));
        _mm512_mask_storeu_epi16(q + 32, keep & tail_mask, _mm512_permutex2var_epi16(r01, out1, r2z));
    }
    pix_vec<T, C>(s + C * i, d + C * i, n - i, m);
}

template <class T>
QRX_INLINE __m512 load16_plane(const T* p) {
    if constexpr (sizeof(T) == 2)
        return words_to_float<T>(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
    else
        return _mm512_cvtepi32_ps(_mm512_cvtepi8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
}
template <class T>
QRX_INLINE void store16_plane(T* q, __m512i r) {  // r already within the type's range
    if constexpr (sizeof(T) == 2)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(q), _mm512_cvtepi32_epi16(r));
    else
        _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm512_cvtepi32_epi8(r));
}

template <class T>
void planes16_512(const T* s0, const T* s1, const T* s2, T* d0, T* d1, T* d2, std::ptrdiff_t n, const Matrix& m) {
    const Bcast512 b(m);
    std::ptrdiff_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m512 x0 = load16_plane(s0 + i), x1 = load16_plane(s1 + i), x2 = load16_plane(s2 + i);
        const __m512i r0 = twist_lanes512<T>(b, 0, x0, x1, x2);
        const __m512i r1 = twist_lanes512<T>(b, 1, x0, x1, x2);
        const __m512i r2 = twist_lanes512<T>(b, 2, x0, x1, x2);
        store16_plane(d0 + i, r0);
        store16_plane(d1 + i, r1);
        store16_plane(d2 + i, r2);
    }
    planes_vec<T>(s0 + i, s1 + i, s2 + i, d0 + i, d1 + i, d2 + i, n - i, m);
}

// 8s pixel order: 32-bit lanes (c0, c1, c2, x) sign-extended per byte.
template <int C>
void pix8s_512(const s8* s, s8* d, std::ptrdiff_t n, const Matrix& m) {
    const Bcast512 b(m);
    const __m512i spread = _mm512_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 11);
    const __m512i to_lanes = _mm512_set4_epi32(static_cast<int>(0xFF0B0A09u), static_cast<int>(0xFF080706u),
                                               static_cast<int>(0xFF050403u), static_cast<int>(0xFF020100u));
    const __m512i from_lanes = _mm512_set4_epi32(-1, static_cast<int>(0x0E0D0C0Au), static_cast<int>(0x09080605u),
                                                 static_cast<int>(0x04020100u));
    const __m512i gather = _mm512_setr_epi32(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 3, 7, 11, 15);
    const __m512i ff = _mm512_set1_epi32(0xFF);
    std::ptrdiff_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m512i v;
        if constexpr (C == 3)
            v = _mm512_shuffle_epi8(_mm512_permutexvar_epi32(spread, _mm512_maskz_loadu_epi32(0x0FFF, s + 3 * i)), to_lanes);
        else
            v = _mm512_loadu_si512(s + 4 * i);
        const __m512 x0 = _mm512_cvtepi32_ps(_mm512_srai_epi32(_mm512_slli_epi32(v, 24), 24));
        const __m512 x1 = _mm512_cvtepi32_ps(_mm512_srai_epi32(_mm512_slli_epi32(v, 16), 24));
        const __m512 x2 = _mm512_cvtepi32_ps(_mm512_srai_epi32(_mm512_slli_epi32(v, 8), 24));
        const __m512i r0 = _mm512_and_si512(twist_lanes512<s8>(b, 0, x0, x1, x2), ff);
        const __m512i r1 = _mm512_and_si512(twist_lanes512<s8>(b, 1, x0, x1, x2), ff);
        const __m512i r2 = _mm512_and_si512(twist_lanes512<s8>(b, 2, x0, x1, x2), ff);
        const __m512i r = _mm512_or_si512(r0, _mm512_or_si512(_mm512_slli_epi32(r1, 8), _mm512_slli_epi32(r2, 16)));
        if constexpr (C == 3)
            _mm512_mask_storeu_epi32(d + 3 * i, 0x0FFF, _mm512_permutexvar_epi32(gather, _mm512_shuffle_epi8(r, from_lanes)));
        else
            _mm512_mask_storeu_epi8(d + 4 * i, 0x7777777777777777ull, r);
    }
    pix_vec<s8, C>(s + C * i, d + C * i, n - i, m);
}

// ---- 32f: four pixels per vector, lanes = output channels ---------------------------
// The column scheme of the one-pixel path with every 128-bit lane holding one
// pixel: the same orders A and C, four pixels per instruction.

struct Cols512 {
    __m512 c0, c1, c2, c3;
    explicit Cols512(const Matrix& m)
        : c0(_mm512_broadcast_f32x4(_mm_load_ps(m.col[0]))), c1(_mm512_broadcast_f32x4(_mm_load_ps(m.col[1]))),
          c2(_mm512_broadcast_f32x4(_mm_load_ps(m.col[2]))), c3(_mm512_broadcast_f32x4(_mm_load_ps(m.col[3]))) {}
};

// x holds four pixels, one per 128-bit lane, channels in lanes 0..2 (0..3).
QRX_INLINE __m512 order_a4(const Cols512& c, __m512 x) {
    const __m512 x0 = _mm512_permute_ps(x, 0x00), x1 = _mm512_permute_ps(x, 0x55), x2 = _mm512_permute_ps(x, 0xAA);
    return _mm512_add_ps(_mm512_add_ps(c.c3, _mm512_mul_ps(c.c0, x0)),
                         _mm512_add_ps(_mm512_mul_ps(c.c2, x2), _mm512_mul_ps(c.c1, x1)));
}
QRX_INLINE __m512 order_c4(const Cols512& c, __m512 x) {
    const __m512 x0 = _mm512_permute_ps(x, 0x00), x1 = _mm512_permute_ps(x, 0x55);
    const __m512 x2 = _mm512_permute_ps(x, 0xAA), x3 = _mm512_permute_ps(x, 0xFF);
    return _mm512_add_ps(_mm512_add_ps(_mm512_add_ps(_mm512_mul_ps(c.c0, x0), _mm512_mul_ps(c.c1, x1)),
                                       _mm512_mul_ps(c.c2, x2)),
                         _mm512_mul_ps(c.c3, x3));
}

// Four C3 pixels (12 floats) spread to one pixel per 128-bit lane, and back.
QRX_INLINE __m512 load4_c3f(const float* p) {
    return _mm512_permutexvar_ps(_mm512_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 11),
                                 _mm512_maskz_loadu_ps(0x0FFF, p));
}
QRX_INLINE __m512 pack4_c3f(__m512 r) {
    return _mm512_permutexvar_ps(_mm512_setr_epi32(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 3, 7, 11, 15), r);
}

void c3_32f_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols512 c(m);
    std::ptrdiff_t i = 0;
    for (; i + 4 <= n; i += 4) _mm512_mask_storeu_ps(d + 3 * i, 0x0FFF, pack4_c3f(order_a4(c, load4_c3f(s + 3 * i))));
    pix_vec<float, 3>(s + 3 * i, d + 3 * i, n - i, m);
}

void ac4_32f_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols512 c(m);
    std::ptrdiff_t i = 0;
    for (; i + 4 <= n; i += 4) _mm512_mask_storeu_ps(d + 4 * i, 0x7777, order_a4(c, _mm512_loadu_ps(s + 4 * i)));
    pix_vec<float, 4>(s + 4 * i, d + 4 * i, n - i, m);
}

void p3_32f_512(const float* s0, const float* s1, const float* s2, float* d0, float* d1, float* d2, std::ptrdiff_t n,
                const Matrix& m) {
    const Bcast512 b(m);
    std::ptrdiff_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m512 x0 = _mm512_loadu_ps(s0 + i), x1 = _mm512_loadu_ps(s1 + i), x2 = _mm512_loadu_ps(s2 + i);
        __m512 r[3];
        for (int k = 0; k < 3; ++k)
            r[k] = _mm512_add_ps(_mm512_add_ps(b.t[k][3], _mm512_mul_ps(b.t[k][0], x0)),
                                 _mm512_add_ps(_mm512_mul_ps(b.t[k][2], x2), _mm512_mul_ps(b.t[k][1], x1)));
        _mm512_storeu_ps(d0 + i, r[0]);
        _mm512_storeu_ps(d1 + i, r[1]);
        _mm512_storeu_ps(d2 + i, r[2]);
    }
    planes_vec<float>(s0 + i, s1 + i, s2 + i, d0 + i, d1 + i, d2 + i, n - i, m);
}

// Cache-bypassing C3: once the destination sits on 64 bytes, sixteen pixels
// (48 floats) go out as three aligned vectors.
void c3_32f_stream_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols512 c(m);
    std::ptrdiff_t i = 0;
    if ((reinterpret_cast<std::uintptr_t>(d) & 3) == 0) {
        for (; i < n && (reinterpret_cast<std::uintptr_t>(d + 3 * i) & 63) != 0; ++i) pix_vec<float, 3>(s + 3 * i, d + 3 * i, 1, m);
        const __m512i lo = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18, 19);
        const __m512i mid = _mm512_setr_epi32(4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21, 22, 23);
        const __m512i hi = _mm512_setr_epi32(8, 9, 10, 11, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27);
        for (; i + 16 <= n; i += 16) {
            const float* p = s + 3 * i;
            const __m512 a = pack4_c3f(order_a4(c, load4_c3f(p)));
            const __m512 b = pack4_c3f(order_a4(c, load4_c3f(p + 12)));
            const __m512 e = pack4_c3f(order_a4(c, load4_c3f(p + 24)));
            const __m512 f = pack4_c3f(order_a4(c, load4_c3f(p + 36)));
            float* q = d + 3 * i;
            _mm512_stream_ps(q, _mm512_permutex2var_ps(a, lo, b));
            _mm512_stream_ps(q + 16, _mm512_permutex2var_ps(b, mid, e));
            _mm512_stream_ps(q + 32, _mm512_permutex2var_ps(e, hi, f));
        }
    }
    c3_32f_512(s + 3 * i, d + 3 * i, n - i, m);
    _mm_sfence();
}

void c4_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols512 c(m);
    std::ptrdiff_t i = 0;
    for (; i + 4 <= n; i += 4) _mm512_storeu_ps(d + 4 * i, order_c4(c, _mm512_loadu_ps(s + 4 * i)));
    c4_vec(s + 4 * i, d + 4 * i, n - i, m);
}

// Aligned rows: 16-byte pixels until the destination sits on 64 bytes, then
// four pixels per cache-bypassing store.
void c4_stream_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols512 c(m);
    std::ptrdiff_t i = 0;
    for (; i < n && (reinterpret_cast<std::uintptr_t>(d + 4 * i) & 63) != 0; ++i) c4_stream(s + 4 * i, d + 4 * i, 1, m);
    for (; i + 4 <= n; i += 4) _mm512_stream_ps(d + 4 * i, order_c4(c, _mm512_loadu_ps(s + 4 * i)));
    c4_stream(s + 4 * i, d + 4 * i, n - i, m);
}
#endif

}  // namespace

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512BW__)
#define QRX_TW8 {c3_8u_512, ac4_8u_512, p3_8u_512}
#elif !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
#define QRX_TW8 {c3_8u_avx2, ac4_8u_avx2, p3_8u_avx2}
#endif

#if QRX_TWIST_SIMD
#define QRX_TW(T) {pix_vec<T, 3>, pix_vec<T, 4>, planes_vec<T>}
#ifndef QRX_TW8
#define QRX_TW8 QRX_TW(u8)
#endif
#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512BW__)
#define QRX_TW8S {pix8s_512<3>, pix8s_512<4>, planes16_512<s8>}
#define QRX_TW16(T) {pix16_512<T, 3>, pix16_512<T, 4>, planes16_512<T>}
#else
#define QRX_TW8S QRX_TW(s8)
#define QRX_TW16(T) QRX_TW(T)
#endif
#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512BW__)
extern const Kernels kTable = {
    QRX_TW8,           QRX_TW8S, QRX_TW16(u16), QRX_TW16(s16), {c3_32f_512, ac4_32f_512, p3_32f_512},
    c3_32f_stream_512, c4_512,   c4_stream_512,
};
#else
extern const Kernels kTable = {
    QRX_TW8, QRX_TW8S, QRX_TW16(u16), QRX_TW16(s16), QRX_TW(float), c3_32f_stream, c4_vec, c4_stream,
};
#endif
#undef QRX_TW8S
#undef QRX_TW16
#else
#define QRX_TW(T) {pix_ref<T, 3>, pix_ref<T, 4>, planes_ref<T>}
extern const Kernels kTable = {
    QRX_TW(u8), QRX_TW(s8), QRX_TW(u16), QRX_TW(s16), QRX_TW(float), pix_ref<float, 3>, c4_ref, c4_ref,
};
#endif
#undef QRX_TW
#undef QRX_TW8
#undef QRX_TWIST_SIMD

}  // namespace qrx::twist::QRX_LEVEL
