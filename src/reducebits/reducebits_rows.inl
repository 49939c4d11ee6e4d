// Plain quantiser and ordered dithering, compiled once per CPU level (the
// including file defines QRX_LEVEL, and QRX_LEVEL_SCALAR for the reference).
// Vector code repeats the scalar recipe operation for operation in single
// precision, so every sample gets the same result wherever it lies in a row.
#include <cstring>

#include "core/image.h"
#include "reducebits/recipes.h"
#include "reducebits/reducebits_kernels.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512F__)
#include <immintrin.h>
#endif

namespace qrx::reducebits::QRX_LEVEL {
namespace {

// ---- scalar runs (the reference, and the tails of the vector code) ---------

// Pixels [x0, x1) of one row through the quantiser.
template <class P, int Lay>
QRX_INLINE void plain_pixels(const typename P::In* s, typename P::Out* d, int x0, int x1, const QuantParams& p) {
    constexpr int ch = channels_of(Lay), st = stride_of(Lay);
    for (int x = x0; x < x1; ++x)
        for (int c = 0; c < ch; ++c) d[x * st + c] = quantise<P>(s[x * st + c], p);
}

// Threshold of pixel (x, y) in working units.
QRX_INLINE float pixel_threshold(const float* bayer_row, unsigned x, unsigned y, const DitherParams& d,
                                 const float* nv, const u16* ni) {
    if (nv == nullptr) return bayer_row[x & 3u] * d.s;
    return (bayer_row[x & 3u] + nv[noise_slot(ni, x, y)]) * d.s;
}

template <class P, int Lay>
QRX_INLINE void ordered_pixels(const typename P::In* s, typename P::Out* d, int x0, int x1, unsigned y,
                               const DitherParams& dp, const float* nv, const u16* ni) {
    constexpr int ch = channels_of(Lay), st = stride_of(Lay);
    const float* bayer_row = kBayer[y & 3u];
    for (int x = x0; x < x1; ++x) {
        const float t = pixel_threshold(bayer_row, static_cast<unsigned>(x), y, dp, nv, ni);
        for (int c = 0; c < ch; ++c) d[x * st + c] = ordered<P>(s[x * st + c], t, dp);
    }
}

#if defined(QRX_LEVEL_SCALAR)

template <class P, int Lay>
void plain_image(const typename P::In* src, int srcStep, typename P::Out* dst, int dstStep, int w, int h,
                 const QuantParams& p) {
    for (std::ptrdiff_t y = 0; y < h; ++y)
        plain_pixels<P, Lay>(row_at_samples(src, srcStep, y), row_at_samples(dst, dstStep, y), 0, w, p);
}

template <class P, int Lay>
void ordered_row(const typename P::In* s, typename P::Out* d, int w, unsigned y, const DitherParams& dp,
                 const float* nv, const u16* ni) {
    ordered_pixels<P, Lay>(s, d, 0, w, y, dp, nv, ni);
}

#else  // vector levels

#pragma GCC diagnostic ignored "-Wpsabi"  // vector helpers are internal (inlined)

#if defined(__AVX512F__)
constexpr int VW = 16;
#else
constexpr int VW = 8;
#endif
typedef float vf __attribute__((vector_size(VW * 4)));
typedef std::int32_t vi __attribute__((vector_size(VW * 4)));
typedef std::uint8_t vu8 __attribute__((vector_size(VW)));
typedef std::uint16_t vu16 __attribute__((vector_size(VW * 2)));
typedef std::int16_t vs16 __attribute__((vector_size(VW * 2)));

template <class T> struct VecOf;
template <> struct VecOf<u8> { using type = vu8; };
template <> struct VecOf<u16> { using type = vu16; };
template <> struct VecOf<s16> { using type = vs16; };

QRX_INLINE vf splat(float x) { return vf{} + x; }
QRX_INLINE vi splati(int x) { return vi{} + x; }

// Working value of VW samples (the sample as float; 16s shifted by 32768).
QRX_INLINE vf load_work(const u8* p) { vu8 b; std::memcpy(&b, p, sizeof b); return __builtin_convertvector(b, vf); }
QRX_INLINE vf load_work(const u16* p) { vu16 b; std::memcpy(&b, p, sizeof b); return __builtin_convertvector(b, vf); }
QRX_INLINE vf load_work(const s16* p) {
    vs16 b;
    std::memcpy(&b, p, sizeof b);
    return __builtin_convertvector(__builtin_convertvector(b, vi) + 32768, vf);
}
QRX_INLINE vf load_work(const float* p) { vf b; std::memcpy(&b, p, sizeof b); return b; }

// trunc_sat / plain truncation, as to_int<P>.
template <class P>
QRX_INLINE vi vto_int(vf x) {
    if constexpr (P::kFloatIn) {
        x = x == x ? x : vf{};
        x = x < -2147483648.0f ? splat(-2147483648.0f) : x;
        x = x > 2147483520.0f ? splat(2147483520.0f) : x;
    }
    return __builtin_convertvector(x, vi);
}

QRX_INLINE vi vclamp(vi v, int lo, int hi) {
    v = v < lo ? splati(lo) : v;
    return v > hi ? splati(hi) : v;
}

template <class Out>
QRX_INLINE typename VecOf<Out>::type narrow(vi t) { return __builtin_convertvector(t, typename VecOf<Out>::type); }

// Lanes 3, 7, 11, ... (the alpha samples of AC4 pixels) all ones.
template <class Out>
QRX_INLINE typename VecOf<Out>::type alpha_lanes() {
    using V = typename VecOf<Out>::type;
    V m{};
    for (int i = 3; i < VW; i += 4) m[i] = static_cast<Out>(~Out{0});
    return m;
}

// Stores VW results; AC4 keeps the destination's alpha samples.
template <class Out, int Lay>
QRX_INLINE void store_out(Out* d, vi t) {
    using V = typename VecOf<Out>::type;
    V r = narrow<Out>(t);
    if constexpr (Lay == kAC4) {
        V old;
        std::memcpy(&old, d, sizeof old);
        const V m = alpha_lanes<Out>();
        r = (r & ~m) | (old & m);
    }
    std::memcpy(d, &r, sizeof r);
}

// The level quantiser on VW samples.
template <class P>
QRX_INLINE vi quantise_vec(vf a, const QuantParams& p) {
    const vi k = vto_int<P>(a * p.L);
    vf q = __builtin_convertvector(k, vf) * p.s;
    q = (a - q) > p.h ? q + p.s : q;
    return vclamp(vto_int<P>(q * P::kMf), 0, P::kM) + P::kOff;
}

template <class P>
QRX_INLINE vf norm_vec(vf work) {
    if constexpr (P::kFloatIn) return work;
    else if constexpr (P::kU == 255.0f) return work * kK8;
    else return work * kK16;
}

// Ordered dithering of VW samples with per-sample thresholds.
template <class P>
QRX_INLINE vi ordered_vec(vf v, vf t, const DitherParams& dp) {
    const vi k = vto_int<P>(v * dp.r);
    vf q = __builtin_convertvector(k, vf) * dp.s;
    q = t < (v - q) ? q + dp.s : q;
    const vi lvl = P::kFloatIn ? vto_int<P>(q * P::kMf) : __builtin_convertvector(q, vi);
    return (vclamp(lvl, 0, P::kTop) >> P::kShift) + P::kOff;
}

#if defined(__AVX512F__)
// 8u input: every result is one of 256 table entries built with the scalar
// recipe; the table is looked up 64 bytes at a time (two-register byte permutes).
bool has_byte_permute() {
    static const bool yes = __builtin_cpu_supports("avx512vbmi");
    return yes;
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void lut_rows_8u(const u8* src, int srcStep, u8* dst,
                                                                        int dstStep, int w, int h, int lay,
                                                                        const u8* lut) {
    const __m512i t0 = _mm512_loadu_si512(lut), t1 = _mm512_loadu_si512(lut + 64);
    const __m512i t2 = _mm512_loadu_si512(lut + 128), t3 = _mm512_loadu_si512(lut + 192);
    const __mmask64 keep = lay == kAC4 ? 0x7777777777777777ull : ~0ull;
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(w) * stride_of(lay);
    for (std::ptrdiff_t y = 0; y < h; ++y) {
        const u8* s = row_at(src, srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        std::ptrdiff_t i = 0;
        for (; i + 64 <= n; i += 64) {
            const __m512i x = _mm512_loadu_si512(s + i);
            const __m512i lo = _mm512_permutex2var_epi8(t0, x, t1);
            const __m512i hi = _mm512_permutex2var_epi8(t2, x, t3);
            const __m512i r = _mm512_mask_blend_epi8(_mm512_movepi8_mask(x), lo, hi);
            if (lay == kAC4)
                _mm512_mask_storeu_epi8(d + i, keep, r);
            else
                _mm512_storeu_si512(d + i, r);
        }
        if (i < n) {
            const __mmask64 m = _bzhi_u64(~0ull, static_cast<unsigned>(n - i)) & keep;
            const __m512i x = _mm512_maskz_loadu_epi8(m, s + i);
            const __m512i lo = _mm512_permutex2var_epi8(t0, x, t1);
            const __m512i hi = _mm512_permutex2var_epi8(t2, x, t3);
            _mm512_mask_storeu_epi8(d + i, m, _mm512_mask_blend_epi8(_mm512_movepi8_mask(x), lo, hi));
        }
    }
}
#endif

template <class P, int Lay>
void plain_image(const typename P::In* src, int srcStep, typename P::Out* dst, int dstStep, int w, int h,
                 const QuantParams& p) {
#if defined(__AVX512F__)
    if constexpr (std::is_same_v<P, Pair8u>) {
        if (has_byte_permute()) {
            alignas(64) u8 lut[256];
            for (int x = 0; x < 256; ++x) lut[x] = quantise<P>(static_cast<u8>(x), p);
            lut_rows_8u(src, srcStep, dst, dstStep, w, h, Lay, lut);
            return;
        }
    }
#endif
    constexpr int st = stride_of(Lay);
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(w) * st;
    for (std::ptrdiff_t y = 0; y < h; ++y) {
        const auto* s = row_at_samples(src, srcStep, y);
        auto* d = row_at_samples(dst, dstStep, y);
        std::ptrdiff_t i = 0;
        for (; i + VW <= n; i += VW) store_out<typename P::Out, Lay>(d + i, quantise_vec<P>(norm_vec<P>(load_work(s + i)), p));
        plain_pixels<P, Lay>(s, d, static_cast<int>(i / st), w, p);
    }
}

// Rows are dithered in chunks of 64 pixels: the thresholds of a chunk are laid
// out per sample first (once per row without noise, the matrix repeating
// every 4 pixels), then the samples go through the vector recipe.
template <class P, int Lay>
void ordered_row(const typename P::In* s, typename P::Out* d, int w, unsigned y, const DitherParams& dp,
                 const float* nv, const u16* ni) {
    constexpr int st = stride_of(Lay);
    constexpr int kChunk = 64;
    alignas(64) float thr[kChunk * st];
    const float* bayer_row = kBayer[y & 3u];
    int x0 = 0;
    for (; x0 + kChunk <= w; x0 += kChunk) {
        if (nv != nullptr || x0 == 0) {
            for (int px = 0; px < kChunk; ++px) {
                const float t = pixel_threshold(bayer_row, static_cast<unsigned>(x0 + px), y, dp, nv, ni);
                for (int c = 0; c < st; ++c) thr[px * st + c] = t;
            }
        }
        const auto* sc = s + static_cast<std::ptrdiff_t>(x0) * st;
        auto* dc = d + static_cast<std::ptrdiff_t>(x0) * st;
        for (int i = 0; i < kChunk * st; i += VW) {
            vf t;
            std::memcpy(&t, thr + i, sizeof t);
            store_out<typename P::Out, Lay>(dc + i, ordered_vec<P>(load_work(sc + i), t, dp));
        }
    }
    ordered_pixels<P, Lay>(s, d, x0, w, y, dp, nv, ni);
}

#endif

template <class P>
constexpr PairKernels<P> pair_table() {
    return PairKernels<P>{{plain_image<P, kC1>, plain_image<P, kC3>, plain_image<P, kAC4>, plain_image<P, kC4>},
                          {ordered_row<P, kC1>, ordered_row<P, kC3>, ordered_row<P, kAC4>, ordered_row<P, kC4>}};
}

}  // namespace

extern const Kernels kTable = {
    pair_table<Pair8u>(),    pair_table<Pair16u>(),   pair_table<Pair16u8u>(),  pair_table<Pair16s>(),
    pair_table<Pair16s8u>(), pair_table<Pair32f8u>(), pair_table<Pair32f16u>(), pair_table<Pair32f16s>(),
};

}  // namespace qrx::reducebits::QRX_LEVEL
