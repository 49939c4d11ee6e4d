// Samples of 8- and 16-bit types and 32f <-> the lanes of core/float_lanes.h,
// beside core/lane_pixels.h and core/lane_samples.h, for kernels that work
// on one pixel per lane and store through saturation:
//   load_plane_float<F>(p)            F::kWidth samples of one plane as floats
//   store_plane_sat(p, i)             int32 lanes saturated to the sample type
//   load_pixels_float<C>(p, x0..x2)   channels 0..2 of F::kWidth pixels of C
//                                     samples (the fourth sample is not used;
//                                     256 and 512 bits)
//   store_pixels_sat<C>(p, r0..r2)    the reverse, saturated; with C == 4 the
//                                     destination's fourth samples are kept
// and for kernels with one pixel per group of four lanes (lanes = channels):
//   splat_quad<k>(f)                  lane k of every group of four, to all four
//   broadcast_quad<F>(p)              four floats repeated in every group
//   store3_sat(q, i) / store3(q, f)   lanes 0..2 to three consecutive samples
//   load_c3_quads / store_c3_quads    four 3-float pixels, one per group (512 bits)
//   store_c4_keep_fourth              four 4-float pixels, fourth floats kept (512 bits)
//   stream_lanes / stream_c3_quads / stream_fence   cache-bypassing stores
// Saturation (signed to the type's range; INT_MIN, the conversion of NaN or
// out-of-range floats, gives the minimum) lets a kernel clamp only from above
// in floats, where "NaN gives the maximum" must be decided.  The pixel loads
// and stores touch exactly C * F::kWidth samples; the fourth ones of C == 4
// are written back unchanged at 256 bits and not written at 512.  Include
// only from per-level files (internal linkage throughout).
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/lane_samples.h"

#if defined(__SSE2__)
namespace qrx::lanes {
namespace {

// ---- 128 bits ----------------------------------------------------------------------

QRX_INLINE F4 widen4(const std::int8_t* s) {
    int raw;
    std::memcpy(&raw, s, 4);
    const __m128i b = _mm_cvtsi32_si128(raw);
    const __m128i w = _mm_unpacklo_epi8(b, b);
    return float_bits(I4(_mm_srai_epi32(_mm_unpacklo_epi16(w, w), 24)));
}
QRX_INLINE __m128i narrow4(std::int8_t*, F4 v) {
    const __m128i w = _mm_packs_epi32(int_bits(v).v, int_bits(v).v);
    return _mm_packs_epi16(w, w);
}

template <int K>
QRX_INLINE F4 splat_quad(F4 x) {
    return _mm_shuffle_ps(x.v, x.v, _MM_SHUFFLE(K, K, K, K));
}

// The four lanes saturated to samples in the low 8 bytes (the unsigned 16-bit
// narrowing of core/lane_samples.h takes lanes from -32768 up: negative lanes
// become 0 first).
template <class T>
QRX_INLINE __m128i narrow4_sat(T* q, I4 i) {
    if constexpr (std::is_same_v<T, std::uint16_t>) i = _mm_andnot_si128(_mm_srai_epi32(i.v, 31), i.v);
    return narrow4(q, float_bits(i));
}
// Lanes 0..2 saturated to three consecutive samples, or as floats.
template <class T>
QRX_INLINE void store3_sat(T* q, I4 i) {
    std::uint8_t bytes[8];
    _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), narrow4_sat(q, i));
    std::memcpy(q, bytes, 3 * sizeof(T));
}
QRX_INLINE void store3(float* q, F4 r) {
    _mm_storel_pi(reinterpret_cast<__m64*>(q), r.v);
    _mm_store_ss(q + 2, _mm_movehl_ps(r.v, r.v));
}

// Cache-bypassing stores (aligned destinations); stream_fence orders them.
QRX_INLINE void stream_lanes(float* q, F4 v) { _mm_stream_ps(q, v.v); }
QRX_INLINE void stream_fence() { _mm_sfence(); }
// Four 3-float pixels (lanes 0..2 of r0..r3) as three aligned 16-byte stores.
QRX_INLINE void stream_c3_quads(float* q, F4 r0, F4 r1, F4 r2, F4 r3) {
    const __m128 a = r0.v, b = r1.v, c = r2.v, d = r3.v;
    _mm_stream_ps(q, _mm_shuffle_ps(a, _mm_shuffle_ps(a, b, _MM_SHUFFLE(0, 0, 2, 2)), _MM_SHUFFLE(2, 0, 1, 0)));
    _mm_stream_ps(q + 4, _mm_shuffle_ps(b, c, _MM_SHUFFLE(1, 0, 2, 1)));
    _mm_stream_ps(q + 8, _mm_shuffle_ps(_mm_shuffle_ps(c, d, _MM_SHUFFLE(0, 0, 2, 2)), d, _MM_SHUFFLE(2, 1, 2, 0)));
}

}  // namespace
}  // namespace qrx::lanes
#endif

// ---- 256 bits: pixels and planes of every integer type ---------------------------------
#if defined(__AVX2__)
namespace qrx::lanes {
namespace {

// Byte 1 and byte 2 of each 32-bit lane, zero-extended (per 128-bit lane).
QRX_INLINE __m128i dword_byte(int b) {
    return _mm_add_epi32(_mm_setr_epi32(static_cast<int>(0x80808000u), static_cast<int>(0x80808004u),
                                        static_cast<int>(0x80808008u), static_cast<int>(0x8080800Cu)),
                         _mm_set1_epi32(b));
}
// Bytes of channel 0, 1, 2 of four pixels (0x80: zero) -> the pixels' byte
// triples in 32-bit lanes, fourth byte zero (per 128-bit lane).
QRX_INLINE __m128i triple_order() {
    return _mm_setr_epi32(static_cast<int>(0x80080400u), static_cast<int>(0x80090501u), static_cast<int>(0x800A0602u),
                          static_cast<int>(0x800B0703u));
}

template <class T>
QRX_INLINE F8 widen8_any(const T* s) {
    if constexpr (std::is_same_v<T, std::int8_t>)
        return float_bits(_mm256_cvtepi8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s))));
    else
        return widen8(s);
}
template <class F, class T>
QRX_INLINE std::enable_if_t<F::kWidth == 8, F> load_plane_float(const T* p) {
    return as_float<T>(widen8_any(p));
}
// (the narrowings of core/lane_pixels.h saturate at this width)
template <class T>
QRX_INLINE void store_plane_sat(T* p, I8 r) {
    if constexpr (std::is_same_v<T, std::int8_t>) {
        const __m128i w = _mm_packs_epi32(_mm256_castsi256_si128(r.v), _mm256_extracti128_si256(r.v, 1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packs_epi16(w, w));
    } else {
        narrow_lanes(p, float_bits(r));
    }
}

template <int C>
QRX_INLINE void load_pixels_float(const std::uint8_t* p, F8& x0, F8& x1, F8& x2) {
    I8 c0, c1, c2;
    if constexpr (C == 3) {
        load_c3_lanes(p, c0, c1, c2);
    } else {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        c0 = _mm256_and_si256(v, _mm256_set1_epi32(0xFF));
        c1 = _mm256_shuffle_epi8(v, _mm256_broadcastsi128_si256(dword_byte(1)));
        c2 = _mm256_shuffle_epi8(v, _mm256_broadcastsi128_si256(dword_byte(2)));
    }
    x0 = to_float(c0);
    x1 = to_float(c1);
    x2 = to_float(c2);
}
template <int C>
QRX_INLINE void store_pixels_sat(std::uint8_t* p, I8 r0, I8 r1, I8 r2) {
    if constexpr (C == 3) {
        store_c3_lanes(p, r0, r1, r2);  // saturates through its packs
    } else {
        // the destination's fourth bytes packed with the results: per 128-bit
        // lane r0, r1, r2, fourth of four pixels as bytes, then one pixel per dword
        __m256i* d = reinterpret_cast<__m256i*>(p);
        const __m256i fourth = _mm256_srli_epi32(_mm256_loadu_si256(d), 24);
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(r0.v, r1.v), _mm256_packs_epi32(r2.v, fourth));
        const __m256i quads = _mm256_broadcastsi128_si256(_mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
        _mm256_storeu_si256(d, _mm256_shuffle_epi8(bytes, quads));
    }
}

// 8s and 16-bit pixels: 8 pixels widened to 32-bit elements in row order
// (three registers for C3, four for C4: two pixels per register), channels
// gathered by core/lane_pixels.h's stride-3 gather or by a 4 x 4 transpose.
// The transpose leaves the pixels in the lane order 0 2 4 6 1 3 5 7, which
// the store's inverse transpose undoes.
template <class T>
QRX_INLINE I8 widen8_elems(const T* p) {
    if constexpr (std::is_same_v<T, std::int8_t>)
        return _mm256_cvtepi8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
    else
        return int_bits(widen8(p));
}
QRX_INLINE void transpose4_lanes(I8 a, I8 b, I8 c, I8 d, I8& c0, I8& c1, I8& c2) {
    const __m256i t0 = _mm256_unpacklo_epi32(a.v, b.v), t1 = _mm256_unpacklo_epi32(c.v, d.v);
    const __m256i t2 = _mm256_unpackhi_epi32(a.v, b.v), t3 = _mm256_unpackhi_epi32(c.v, d.v);
    c0 = _mm256_unpacklo_epi64(t0, t1);
    c1 = _mm256_unpackhi_epi64(t0, t1);
    c2 = _mm256_unpacklo_epi64(t2, t3);
}
// The inverse, the fourth channel zero: pixels (0, 1), (2, 3), (4, 5), (6, 7).
QRX_INLINE void untranspose4_lanes(I8 r0, I8 r1, I8 r2, __m256i q[4]) {
    const __m256i z = _mm256_setzero_si256();
    const __m256i u0 = _mm256_unpacklo_epi32(r0.v, r1.v), u1 = _mm256_unpackhi_epi32(r0.v, r1.v);
    const __m256i v0 = _mm256_unpacklo_epi32(r2.v, z), v1 = _mm256_unpackhi_epi32(r2.v, z);
    q[0] = _mm256_unpacklo_epi64(u0, v0);
    q[1] = _mm256_unpackhi_epi64(u0, v0);
    q[2] = _mm256_unpacklo_epi64(u1, v1);
    q[3] = _mm256_unpackhi_epi64(u1, v1);
}
// Two registers of int32 elements to 16 samples in row order, saturated.
template <class T>
QRX_INLINE __m256i pack_rows_sat(__m256i a, __m256i b) {
    const __m256i w = std::is_same_v<T, std::uint16_t> ? _mm256_packus_epi32(a, b) : _mm256_packs_epi32(a, b);
    return _mm256_permute4x64_epi64(w, 0xD8);
}

template <int C, class T>
QRX_INLINE std::enable_if_t<!std::is_same_v<T, std::uint8_t>> load_pixels_float(const T* p, F8& x0, F8& x1, F8& x2) {
    I8 c0, c1, c2;
    if constexpr (C == 3) {
        F8 c[3];
        gather3(float_bits(widen8_elems(p)), float_bits(widen8_elems(p + 8)), float_bits(widen8_elems(p + 16)), c);
        c0 = int_bits(c[0]);
        c1 = int_bits(c[1]);
        c2 = int_bits(c[2]);
    } else {
        transpose4_lanes(widen8_elems(p), widen8_elems(p + 8), widen8_elems(p + 16), widen8_elems(p + 24), c0, c1, c2);
    }
    x0 = to_float(c0);
    x1 = to_float(c1);
    x2 = to_float(c2);
}
template <int C, class T>
QRX_INLINE std::enable_if_t<!std::is_same_v<T, std::uint8_t>> store_pixels_sat(T* p, I8 r0, I8 r1, I8 r2) {
    if constexpr (C == 3) {
        F8 o[3];
        scatter3(float_bits(r0), float_bits(r1), float_bits(r2), o);
        const __m256i w01 = pack_rows_sat<T>(int_bits(o[0]).v, int_bits(o[1]).v);
        const __m128i w2 = _mm256_castsi256_si128(pack_rows_sat<T>(int_bits(o[2]).v, int_bits(o[2]).v));
        if constexpr (sizeof(T) == 2) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), w01);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), w2);
        } else {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p),
                             _mm_packs_epi16(_mm256_castsi256_si128(w01), _mm256_extracti128_si256(w01, 1)));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), _mm_packs_epi16(w2, w2));
        }
    } else {
        __m256i q[4];
        untranspose4_lanes(r0, r1, r2, q);
        const __m256i w01 = pack_rows_sat<T>(q[0], q[1]), w23 = pack_rows_sat<T>(q[2], q[3]);
        if constexpr (sizeof(T) == 2) {  // the fourth words of the destination blended back
            __m256i* d = reinterpret_cast<__m256i*>(p);
            _mm256_storeu_si256(d, _mm256_blend_epi16(w01, _mm256_loadu_si256(d), 0x88));
            _mm256_storeu_si256(d + 1, _mm256_blend_epi16(w23, _mm256_loadu_si256(d + 1), 0x88));
        } else {
            const __m256i b = _mm256_permute4x64_epi64(_mm256_packs_epi16(w01, w23), 0xD8);
            __m256i* d = reinterpret_cast<__m256i*>(p);
            _mm256_storeu_si256(d, _mm256_blendv_epi8(b, _mm256_loadu_si256(d), _mm256_set1_epi32(static_cast<int>(0xFF000000u))));
        }
    }
}

}  // namespace
}  // namespace qrx::lanes
#endif

// ---- 512 bits: every integer type, pixels and planes; 32f four pixels at a time --------
#if defined(QRX_LANES_HAVE_16)
namespace qrx::lanes {
namespace {

template <class F, class T>
QRX_INLINE std::enable_if_t<F::kWidth == 16, F> load_plane_float(const T* p) {
    if constexpr (std::is_same_v<T, std::int8_t>)
        return to_float(I16(_mm512_cvtepi8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))));
    else
        return as_float<T>(widen16(p));
}
QRX_INLINE void store_plane_sat(std::uint8_t* p, I16 r) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm512_cvtusepi32_epi8(_mm512_max_epi32(r.v, _mm512_setzero_si512())));
}
QRX_INLINE void store_plane_sat(std::int8_t* p, I16 r) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm512_cvtsepi32_epi8(r.v));
}
QRX_INLINE __m256i words_sat(std::uint16_t*, I16 r) { return _mm512_cvtusepi32_epi16(_mm512_max_epi32(r.v, _mm512_setzero_si512())); }
QRX_INLINE __m256i words_sat(std::int16_t*, I16 r) { return _mm512_cvtsepi32_epi16(r.v); }
template <class T>
QRX_INLINE std::enable_if_t<sizeof(T) == 2> store_plane_sat(T* p, I16 r) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), words_sat(p, r));
}

// Sixteen 3-byte pixels (48 bytes) spread to one pixel per 32-bit lane
// (bytes 0..2), and back.
QRX_INLINE __m512i load_c3_dwords(const void* p) {
    const __m512i spread = _mm512_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 11);
    const __m512i to_lanes = _mm512_set4_epi32(static_cast<int>(0xFF0B0A09u), static_cast<int>(0xFF080706u),
                                               static_cast<int>(0xFF050403u), static_cast<int>(0xFF020100u));
    return _mm512_shuffle_epi8(_mm512_permutexvar_epi32(spread, _mm512_maskz_loadu_epi32(0x0FFF, p)), to_lanes);
}
QRX_INLINE void store_c3_dwords(void* p, __m512i v) {
    const __m512i from_lanes = _mm512_set4_epi32(-1, static_cast<int>(0x0E0D0C0Au), static_cast<int>(0x09080605u),
                                                 static_cast<int>(0x04020100u));
    const __m512i gather = _mm512_setr_epi32(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 3, 7, 11, 15);
    _mm512_mask_storeu_epi32(p, 0x0FFF, _mm512_permutexvar_epi32(gather, _mm512_shuffle_epi8(v, from_lanes)));
}
template <int C>
QRX_INLINE __m512i load_pixel_dwords(const void* p) {
    if constexpr (C == 3)
        return load_c3_dwords(p);
    else
        return _mm512_loadu_si512(p);
}
// Bytes 0..2 of every dword to 3- or 4-byte pixels (the fourth byte kept).
template <int C>
QRX_INLINE void store_pixel_dwords(void* p, __m512i v) {
    if constexpr (C == 3)
        store_c3_dwords(p, v);
    else
        _mm512_mask_storeu_epi8(p, 0x7777777777777777ull, v);
}

template <int C>
QRX_INLINE void load_pixels_float(const std::uint8_t* p, F16& x0, F16& x1, F16& x2) {
    const __m512i v = load_pixel_dwords<C>(p);
    x0 = to_float(I16(_mm512_and_si512(v, _mm512_set1_epi32(0xFF))));
    x1 = to_float(I16(_mm512_shuffle_epi8(v, _mm512_broadcast_i32x4(dword_byte(1)))));
    x2 = to_float(I16(_mm512_shuffle_epi8(v, _mm512_broadcast_i32x4(dword_byte(2)))));
}
template <int C>
QRX_INLINE void store_pixels_sat(std::uint8_t* p, I16 r0, I16 r1, I16 r2) {
    const __m512i bytes = _mm512_packus_epi16(_mm512_packus_epi32(r0.v, r1.v), _mm512_packus_epi32(r2.v, r2.v));
    store_pixel_dwords<C>(p, _mm512_shuffle_epi8(bytes, _mm512_broadcast_i32x4(triple_order())));
}
template <int C>
QRX_INLINE void load_pixels_float(const std::int8_t* p, F16& x0, F16& x1, F16& x2) {
    const __m512i v = load_pixel_dwords<C>(p);  // bytes sign-extended by shifting up and back
    x0 = to_float(I16(_mm512_srai_epi32(_mm512_slli_epi32(v, 24), 24)));
    x1 = to_float(I16(_mm512_srai_epi32(_mm512_slli_epi32(v, 16), 24)));
    x2 = to_float(I16(_mm512_srai_epi32(_mm512_slli_epi32(v, 8), 24)));
}
template <int C>
QRX_INLINE void store_pixels_sat(std::int8_t* p, I16 r0, I16 r1, I16 r2) {
    const __m512i ff = _mm512_set1_epi32(0xFF);
    const I16 b0 = iclamp(r0, -128, 127), b1 = iclamp(r1, -128, 127), b2 = iclamp(r2, -128, 127);
    const __m512i v = _mm512_or_si512(_mm512_and_si512(b0.v, ff), _mm512_or_si512(_mm512_slli_epi32(_mm512_and_si512(b1.v, ff), 8),
                                                                                  _mm512_slli_epi32(_mm512_and_si512(b2.v, ff), 16)));
    store_pixel_dwords<C>(p, v);
}

// 16-bit pixels: 16 pixels = 48 or 64 samples in two vectors (the second
// loaded with a mask), channels gathered by word permutes; the stores scatter
// back the same way, masked to leave the fourth samples and what lies past
// the pixels alone.
template <int C>
struct WordPixels {
    static constexpr __mmask32 kTail = C == 3 ? 0x0000FFFFu : 0xFFFFFFFFu;
    static constexpr __mmask32 kKeep = C == 3 ? 0xFFFFFFFFu : 0x77777777u;
    std::uint16_t in01[32];  // channel 0 of 16 pixels, then channel 1
    std::uint16_t in2[32];   // channel 2, twice
    std::uint16_t out[64];   // sample k: channel k % C of pixel k / C from (c0 | c1 | c2)
    constexpr WordPixels() : in01(), in2(), out() {
        for (int i = 0; i < 16; ++i) {
            in01[i] = static_cast<std::uint16_t>(C * i);
            in01[16 + i] = static_cast<std::uint16_t>(C * i + 1);
        }
        for (int i = 0; i < 32; ++i) in2[i] = static_cast<std::uint16_t>(C * (i % 16) + 2);
        for (int k = 0; k < 64; ++k) {
            const int px = (k / C) % 16, ch = k % C;
            out[k] = static_cast<std::uint16_t>(ch == 3 ? 0 : 16 * ch + px);
        }
    }
};
template <int C>
constexpr WordPixels<C> kWordPixels{};

template <class T>
QRX_INLINE F16 words_float(__m256i w) {
    return to_float(I16(std::is_same_v<T, std::int16_t> ? _mm512_cvtepi16_epi32(w) : _mm512_cvtepu16_epi32(w)));
}
template <int C, class T>
QRX_INLINE std::enable_if_t<sizeof(T) == 2> load_pixels_float(const T* p, F16& x0, F16& x1, F16& x2) {
    const WordPixels<C>& w = kWordPixels<C>;
    const __m512i v0 = _mm512_loadu_si512(p), v1 = _mm512_maskz_loadu_epi16(WordPixels<C>::kTail, p + 32);
    const __m512i x01 = _mm512_permutex2var_epi16(v0, _mm512_loadu_si512(w.in01), v1);
    const __m512i x2w = _mm512_permutex2var_epi16(v0, _mm512_loadu_si512(w.in2), v1);
    x0 = words_float<T>(_mm512_castsi512_si256(x01));
    x1 = words_float<T>(_mm512_extracti64x4_epi64(x01, 1));
    x2 = words_float<T>(_mm512_castsi512_si256(x2w));
}
template <int C, class T>
QRX_INLINE std::enable_if_t<sizeof(T) == 2> store_pixels_sat(T* p, I16 r0, I16 r1, I16 r2) {
    const WordPixels<C>& w = kWordPixels<C>;
    const __m512i r01 = _mm512_inserti64x4(_mm512_castsi256_si512(words_sat(p, r0)), words_sat(p, r1), 1);
    const __m512i r2z = _mm512_castsi256_si512(words_sat(p, r2));
    _mm512_mask_storeu_epi16(p, WordPixels<C>::kKeep, _mm512_permutex2var_epi16(r01, _mm512_loadu_si512(w.out), r2z));
    _mm512_mask_storeu_epi16(p + 32, WordPixels<C>::kKeep & WordPixels<C>::kTail,
                             _mm512_permutex2var_epi16(r01, _mm512_loadu_si512(w.out + 32), r2z));
}

// ---- 32f, one pixel per group of four lanes ----
template <int K>
QRX_INLINE F16 splat_quad(F16 x) {
    return _mm512_permute_ps(x.v, K * 0x55);
}
template <class F>
QRX_INLINE std::enable_if_t<F::kWidth == 16, F> broadcast_quad(const float* p) {
    return _mm512_broadcast_f32x4(_mm_loadu_ps(p));
}
QRX_INLINE F16 load_c3_quads(const float* p) {
    return _mm512_permutexvar_ps(_mm512_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 11),
                                 _mm512_maskz_loadu_ps(0x0FFF, p));
}
QRX_INLINE F16 pack_c3_quads(F16 r) {
    return _mm512_permutexvar_ps(_mm512_setr_epi32(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 3, 7, 11, 15), r.v);
}
QRX_INLINE void store_c3_quads(float* q, F16 r) { _mm512_mask_storeu_ps(q, 0x0FFF, pack_c3_quads(r).v); }
QRX_INLINE void store_c4_keep_fourth(float* q, F16 r) { _mm512_mask_storeu_ps(q, 0x7777, r.v); }
QRX_INLINE void stream_lanes(float* q, F16 v) { _mm512_stream_ps(q, v.v); }
// Sixteen 3-float pixels, four per vector as store_c3_quads takes them, as
// three aligned 64-byte stores.
QRX_INLINE void stream_c3_quads(float* q, F16 r0, F16 r1, F16 r2, F16 r3) {
    const __m512 a = pack_c3_quads(r0).v, b = pack_c3_quads(r1).v, e = pack_c3_quads(r2).v, f = pack_c3_quads(r3).v;
    const __m512i lo = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18, 19);
    const __m512i mid = _mm512_setr_epi32(4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21, 22, 23);
    const __m512i hi = _mm512_setr_epi32(8, 9, 10, 11, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27);
    _mm512_stream_ps(q, _mm512_permutex2var_ps(a, lo, b));
    _mm512_stream_ps(q + 16, _mm512_permutex2var_ps(b, mid, e));
    _mm512_stream_ps(q + 32, _mm512_permutex2var_ps(e, hi, f));
}

}  // namespace
}  // namespace qrx::lanes
#endif

#if defined(__SSE2__)
namespace qrx::lanes {
namespace {
template <class F>
QRX_INLINE std::enable_if_t<F::kWidth == 4, F> broadcast_quad(const float* p) {
    return F::load(p);
}
template <class F, class T>
QRX_INLINE std::enable_if_t<F::kWidth == 4, F> load_plane_float(const T* p) {
    return as_float<T>(widen4(p));
}
template <class T>
QRX_INLINE void store_plane_sat(T* p, I4 r) {
    std::uint8_t bytes[8];
    _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), narrow4_sat(p, r));
    std::memcpy(p, bytes, 4 * sizeof(T));
}
}  // namespace
}  // namespace qrx::lanes
#endif
