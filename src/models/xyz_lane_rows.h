// Row loops of the single-precision recipes: n pixels of one row, W pixels at
// a time in W-wide lanes (W = 1 at the scalar level), the last n mod W pixels
// in one-pixel lanes.  The recipe is the same function at every width, so the
// width never changes a result.  Samples enter as floats (16s with its 32768
// offset added) and leave as the recipe's clamped integers (16s minus 32768)
// or as floats.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "core/four_sample_lanes.h"
#include "core/lane_pixels.h"
#include "core/unaligned.h"
#include "models/xyz_lanes.h"

namespace qrx::xyzlab {
namespace {

template <class S>
inline float in_sample(S v) {
    if constexpr (std::is_same_v<S, std::int16_t>)
        return static_cast<float>(static_cast<int>(v) + 32768);
    else
        return static_cast<float>(v);
}

template <class D, class R>
inline D out_sample(R v) {
    if constexpr (std::is_same_v<D, float>)
        return v;
    else if constexpr (std::is_same_v<D, std::int16_t>)
        return static_cast<D>(v - 32768);
    else
        return static_cast<D>(v);
}

#if defined(__AVX2__)
// The same for widened lanes of samples (integers as their bits) and back.
template <class S>
inline F8 in_lanes(F8 raw) {
    if constexpr (std::is_same_v<S, float>)
        return raw;
    else if constexpr (std::is_same_v<S, std::int16_t>)
        return to_float(int_bits(raw) + I8(32768));
    else
        return to_float(int_bits(raw));
}
template <class D, class R>
inline F8 out_lanes(R v) {
    if constexpr (std::is_same_v<D, float>)
        return v;
    else if constexpr (std::is_same_v<D, std::int16_t>)
        return float_bits(v - I8(32768));
    else
        return float_bits(v);
}
#endif

// Element type of a lane's results: float or int for one-pixel lanes, the
// vector lane's Elem otherwise.
template <class T, class = void>
struct ElemOf {
    using type = T;
};
template <class T>
struct ElemOf<T, std::void_t<typename T::Elem>> {
    using type = typename T::Elem;
};

// SC/DC: samples per source/destination pixel (3 or 4; the fourth is neither
// read nor written).  `rec(a, b, c)` returns Tri of the three results.
// Samples move through the unaligned helpers: the 16-bit side of Lab keeps
// its byte step, so its samples may sit at odd addresses.
template <class L, int SC, int DC, class S, class D, class Recipe>
inline void run_lanes(const S* __restrict s, D* __restrict d, int n, const Recipe& rec) {
    constexpr int W = LaneWidth<L>::value;
    int i = 0;
    if constexpr (W > 1) {
        for (; i + W <= n; i += W) {
#if defined(QRX_XYZ_VECTOR_LANES) && defined(__AVX2__)
            if constexpr (W == 8 && SC == 3 && DC == 3 && std::is_same_v<S, std::uint8_t> &&
                          std::is_same_v<D, std::uint8_t>) {
                I8 x0, x1, x2;
                load_c3_lanes(s + i * 3, x0, x1, x2);
                const auto o = rec(to_float(x0), to_float(x1), to_float(x2));
                store_c3_lanes_low(d + i * 3, o.a, o.b, o.c);
                continue;
            }
            if constexpr (W == 8 && SC == 3 && DC == 3 && std::is_same_v<S, float> && std::is_same_v<D, float> &&
                          std::is_same_v<decltype(rec(F8(), F8(), F8()).a), F8>) {
                F8 x[3], y[3];
                gather3(F8::load(s + i * 3), F8::load(s + i * 3 + 8), F8::load(s + i * 3 + 16), x);
                const auto o = rec(x[0], x[1], x[2]);
                scatter3(o.a, o.b, o.c, y);
                for (int k = 0; k < 3; ++k) store_lanes(d + i * 3 + 8 * k, y[k]);
                continue;
            }
            // 16-bit and float four-sample pixels: results are integers already
            // within 0..65535 (16s before its offset) or floats.
            if constexpr (W == 8 && SC == 4 && DC == 4 && std::is_same_v<S, D> && !std::is_same_v<S, std::uint8_t>) {
                using Out = std::conditional_t<std::is_same_v<D, float>, F8, I8>;
                if constexpr (std::is_same_v<std::decay_t<decltype(rec(F8(), F8(), F8()).a)>, Out>) {
                    F8 x[3];
                    load_c4_first3(s + i * 4, x);
                    const auto o = rec(in_lanes<S>(x[0]), in_lanes<S>(x[1]), in_lanes<S>(x[2]));
                    store_c4_first3(d + i * 4, out_lanes<D>(o.a), out_lanes<D>(o.b), out_lanes<D>(o.c));
                    continue;
                }
            }
#endif
            alignas(32) float a[3][W];
            for (int k = 0; k < W; ++k)
                for (int c = 0; c < 3; ++c) a[c][k] = in_sample(load_unaligned<S>(s + (i + k) * SC + c));
            const auto o = rec(load_lanes<L>(a[0]), load_lanes<L>(a[1]), load_lanes<L>(a[2]));
            using E = typename ElemOf<std::decay_t<decltype(o.a)>>::type;
            alignas(32) E r[3][W];
            store_lanes(r[0], o.a);
            store_lanes(r[1], o.b);
            store_lanes(r[2], o.c);
            for (int k = 0; k < W; ++k)
                for (int c = 0; c < 3; ++c) store_unaligned<D>(d + (i + k) * DC + c, out_sample<D>(r[c][k]));
        }
    }
    for (; i < n; ++i) {
        const auto o = rec(in_sample(load_unaligned<S>(s + i * SC)), in_sample(load_unaligned<S>(s + i * SC + 1)),
                           in_sample(load_unaligned<S>(s + i * SC + 2)));
        store_unaligned<D>(d + i * DC, out_sample<D>(o.a));
        store_unaligned<D>(d + i * DC + 1, out_sample<D>(o.b));
        store_unaligned<D>(d + i * DC + 2, out_sample<D>(o.c));
    }
}

}  // namespace
}  // namespace qrx::xyzlab
