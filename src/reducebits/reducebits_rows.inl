// Plain quantiser and ordered dithering, compiled once per CPU level (the
// including file defines QRX_LEVEL, and QRX_LEVEL_SCALAR for the reference).
// Vector code repeats the scalar recipe operation for operation in single
// precision, so every sample gets the same result wherever it lies in a row.
#include <cstring>

#include <type_traits>

#if !defined(QRX_LEVEL_SCALAR)
#include "core/byte_table.h"
#include "core/lane_gathers.h"
#include "core/lane_samples.h"
#include "core/masked_bytes_x86.h"
#include "core/pixel_dwords_x86.h"
#endif

#include "core/image.h"
#include "reducebits/recipes.h"
#include "reducebits/reducebits_kernels.h"


namespace qrx::reducebits::QRX_LEVEL {
namespace {

// ---- scalar runs (the reference, and the tails of the vector code) ---------

// Pixels [x0, x1) of one row through the quantiser.
template <class P, int Lay>
QRX_INLINE void plain_pixels(const typename P::In* s, typename P::Out* d, int x0, int x1, const QuantParams& p) {
    constexpr int ch = channels_of(Lay), st = stride_of(Lay);
    for (std::ptrdiff_t x = x0; x < x1; ++x)
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
    for (std::ptrdiff_t x = x0; x < x1; ++x) {
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

// The widest float lanes of the level (core/float_lanes.h).
#if defined(QRX_LANES_HAVE_16)
using F = lanes::F16;
#elif defined(__AVX2__)
using F = lanes::F8;
#else
using F = lanes::F4;
#endif
using I = decltype(lanes::cvtt(F{}));
constexpr int VW = F::kWidth;

// VW samples as float lanes; 16s is moved up by 32768 (the recipe's working units).
template <class T>
QRX_INLINE F load_work(const T* p) {
    const F raw = lanes::widen_samples<F>(p);
    if constexpr (std::is_same_v<T, s16>)
        return lanes::to_float(lanes::int_bits(raw) + I(32768));
    else
        return lanes::as_float<T>(raw);
}
// Integer lanes within the output type's range; AC4 leaves every fourth sample.
template <bool KeepAlpha, class T>
QRX_INLINE void store(T* d, I v) {
    lanes::narrow_lanes<KeepAlpha>(d, lanes::raw_bits(v));
}

// Float to integer as to_int<P>: float input is first held inside the int
// range (NaN, which the scalar recipe turns into 0, becomes the range's low
// end here; either way the sample ends on the lowest output).
template <class P>
QRX_INLINE I vto_int(F x) {
    if constexpr (P::kFloatIn) x = lanes::vmin(lanes::vmax(x, F(-2147483648.0f)), F(2147483520.0f));
    return lanes::cvtt(x);
}

// (x truncated, clamped to 0..top) == truncation of x clamped to 0..top.
QRX_INLINE I trunc_clamped(F x, float top) { return lanes::cvtt(lanes::vmin(lanes::vmax(x, F(0.0f)), F(top))); }

template <class P>
QRX_INLINE F norm_vec(F work) {
    if constexpr (P::kFloatIn) return work;
    else if constexpr (P::kU == 255.0f) return work * F(kK8);
    else return work * F(kK16);
}

// d > t ? q + s : q
QRX_INLINE F add_if_above(F q, F d, F t, F s) { return q + lanes::sel0(d > t, s); }

// Broadcast parameters of a call.
struct VQuant {
    F L, s, h;
    explicit VQuant(const QuantParams& p) : L(p.L), s(p.s), h(p.h) {}
};
struct VDither {
    F s, r;
    explicit VDither(const DitherParams& d) : s(d.s), r(d.r) {}
};

// The level quantiser on VW samples.
template <class P>
QRX_INLINE I quantise_vec(F a, const VQuant& p) {
    const F q0 = lanes::to_float(vto_int<P>(p.L * a)) * p.s;
    const F q = add_if_above(q0, a - q0, p.h, p.s);
    return trunc_clamped(q * F(P::kMf), static_cast<float>(P::kM)) + I(P::kOff);
}

// Ordered dithering of VW samples with per-sample thresholds t (the level is
// non-negative, so the arithmetic shift is the logical one).
template <class P>
QRX_INLINE I ordered_vec(F v, F t, const VDither& d) {
    const F q0 = lanes::to_float(vto_int<P>(v * d.r)) * d.s;
    const F q = add_if_above(q0, v - q0, t, d.s);
    const F level = P::kFloatIn ? q * F(P::kMf) : q;
    return lanes::sra(trunc_clamped(level, static_cast<float>(P::kTop)), P::kShift) + I(P::kOff);
}

#if defined(__AVX2__)
// 8u input: every result is one of 256 table entries built with the scalar
// recipe, looked up a register at a time (core/byte_table.h).  At the
// byte-permute level the row's last partial register goes through byte masks,
// elsewhere through the table one byte at a time.
template <class V>
void lut_rows_8u(const u8* src, int srcStep, u8* dst, int dstStep, int w, int h, int lay, const u8* lut) {
    const simd::ByteTable<V> table(lut);
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(w) * stride_of(lay);
    for (std::ptrdiff_t y = 0; y < h; ++y) {
        const u8* s = row_at(src, srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        std::ptrdiff_t i = 0;
        for (; i + V::kBytes <= n; i += V::kBytes) {
            const auto r = table.look(V::load(s + i));
            if (lay == kAC4)
                simd::store_keep_fourth<V>(d + i, r);
            else
                V::store(d + i, r);
        }
#if defined(__AVX512VBMI__)
        if (i < n) {
            const std::uint64_t m = simd::first_bytes(n - i) & (lay == kAC4 ? simd::kFirstThreeOfFour : ~0ull);
            simd::store_bytes_masked(d + i, m, table.look(simd::load_bytes_masked(s + i, m)));
        }
#else
        for (; i < n; ++i)
            if (lay != kAC4 || (i & 3) != 3) d[i] = lut[s[i]];
#endif
    }
}
#endif

#if defined(__AVX512VBMI__)
// Lanes of column class c (pixel column mod 4) in the b-th block of 64 samples
// of a row; the pattern repeats every 3 blocks for 3 samples per pixel, every
// block otherwise.
struct ColumnClasses {
    std::uint64_t m[3][4];
};
constexpr ColumnClasses column_classes(int lay) {
    ColumnClasses out{};
    const int st = stride_of(lay);
    for (int b = 0; b < 3; ++b)
        for (int j = 0; j < 64; ++j) out.m[b][(64 * b + j) / st & 3] |= 1ull << j;
    return out;
}
constexpr ColumnClasses kColumnClasses[4] = {column_classes(kC1), column_classes(kC3), column_classes(kAC4),
                                             column_classes(kC4)};

// Ordered dithering of one 8u row from four 256-entry tables, one per pixel
// column mod 4: every 64 samples are looked up in all four, and each lane
// keeps the result of its own pixel's column.
void ordered_lut_row_8u(const u8* s, u8* d, int w, int lay, const u8* lut4) {
    const simd::ByteTable<simd::V512> t[4] = {simd::ByteTable<simd::V512>(lut4), simd::ByteTable<simd::V512>(lut4 + 256),
                                             simd::ByteTable<simd::V512>(lut4 + 512), simd::ByteTable<simd::V512>(lut4 + 768)};
    const int st = stride_of(lay);
    const std::uint64_t keep = lay == kAC4 ? simd::kFirstThreeOfFour : ~0ull;
    const ColumnClasses& cls = kColumnClasses[lay];
    const int patterns = st == 3 ? 3 : 1;
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(w) * st;
    std::ptrdiff_t i = 0;
    int b = 0;
    for (; i < n; i += 64) {
        const std::uint64_t m = i + 64 <= n ? keep : simd::first_bytes(n - i) & keep;
        const auto x = simd::load_bytes_masked(s + i, m);
        auto r = simd::V512::zero();
        for (int c = 0; c < 4; ++c) r = simd::blend_bytes(cls.m[b][c], r, t[c].look(x));
        simd::store_bytes_masked(d + i, m, r);
        b = b + 1 == patterns ? 0 : b + 1;
    }
}
#endif

template <class P, int Lay>
void plain_image(const typename P::In* src, int srcStep, typename P::Out* dst, int dstStep, int w, int h,
                 const QuantParams& p) {
#if defined(__AVX2__)
    // 8u input: a table of the 256 results, built with the scalar recipe
    if constexpr (std::is_same_v<P, Pair8u>) {
        alignas(64) u8 lut[256];
        for (int x = 0; x < 256; ++x) lut[x] = quantise<P>(static_cast<u8>(x), p);
#if defined(__AVX512VBMI__)
        lut_rows_8u<simd::V512>(src, srcStep, dst, dstStep, w, h, Lay, lut);
#else
        lut_rows_8u<simd::V256>(src, srcStep, dst, dstStep, w, h, Lay, lut);
#endif
        return;
    }
#endif
    constexpr int st = stride_of(Lay);
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(w) * st;
    const VQuant vp(p);
    for (std::ptrdiff_t y = 0; y < h; ++y) {
        const auto* s = row_at_samples(src, srcStep, y);
        auto* d = row_at_samples(dst, dstStep, y);
        std::ptrdiff_t i = 0;
        for (; i + VW <= n; i += VW) store<Lay == kAC4>(d + i, quantise_vec<P>(norm_vec<P>(load_work(s + i)), vp));
        plain_pixels<P, Lay>(s, d, static_cast<int>(i / st), w, p);
    }
}

// Thresholds of the 64 pixels from x0 (a multiple of 64, so the chunk never
// wraps the 1024-entry index table), laid out per sample (st per pixel).
// The vector version gathers the noise values 16 or 8 pixels at a time and
// spreads each pixel's threshold over its samples with lane permutes; the
// arithmetic ((matrix entry + noise) * s) is the scalar one.
template <int st>
QRX_INLINE void chunk_thresholds(float* thr, int x0, unsigned y, const float* bayer_row, const DitherParams& dp,
                                 const float* nv, const u16* ni) {
#if defined(__AVX2__)
    if (nv != nullptr) {
        const F bayer = lanes::load_repeat4<F>(bayer_row), sv(dp.s);
        const I lane = lanes::iota<I>();
        for (int g = 0; g < 64; g += VW) {
            const int x = x0 + g;
            const I idx = lanes::int_bits(lanes::widen_samples<F>(ni + (x & 1023)));
            const I j = lanes::and_bits(idx + I(static_cast<int>(2u * y + static_cast<unsigned>(x))) + lane, 1023);
            const F t = (bayer + lanes::gather_floats(nv, j)) * sv;
            for (int k = 0; k < st; ++k) {
                alignas(64) std::int32_t spread[VW];
                for (int e = 0; e < VW; ++e) spread[e] = (VW * k + e) / st;
                lanes::store_lanes(thr + g * st + VW * k, lanes::permute_lanes(t, I::load(spread)));
            }
        }
        return;
    }
#endif
    for (int px = 0; px < 64; ++px) {
        const float t = pixel_threshold(bayer_row, static_cast<unsigned>(x0 + px), y, dp, nv, ni);
        for (int c = 0; c < st; ++c) thr[px * st + c] = t;
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
    const VDither vd(dp);
    int x0 = 0;
    for (; x0 + kChunk <= w; x0 += kChunk) {
        if (nv != nullptr || x0 == 0) chunk_thresholds<st>(thr, x0, y, bayer_row, dp, nv, ni);
        const auto* sc = s + static_cast<std::ptrdiff_t>(x0) * st;
        auto* dc = d + static_cast<std::ptrdiff_t>(x0) * st;
        for (int i = 0; i < kChunk * st; i += VW) store<Lay == kAC4>(dc + i, ordered_vec<P>(load_work(sc + i), F::load(thr + i), vd));
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
#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512VBMI__)
    ordered_lut_row_8u,
#else
    nullptr,
#endif
};

}  // namespace qrx::reducebits::QRX_LEVEL
