// Floyd-Steinberg on 8-bit samples, compiled once per CPU level (the
// including file defines QRX_LEVEL).  The rows of a channel are diffused in
// groups, each row two samples behind the row above (the skewed front of the
// scalar diffusion), one row per vector lane: what a row gathers from the row
// above is that row's last three errors, so they come from the lane above (a
// shift by one lane); only the first row of a group reads the error row E,
// and only the last one writes it (for the next group).  Each lane does the
// scalar sample's operations in the same order, the branches as selects, so
// every level gives the scalar path's bytes.  One step is a long chain of
// dependent operations, so a group is several vectors: 12 rows in three
// 4-lane vectors, 16 in two 8-lane ones (measured fastest here; more spill
// registers).  GCC vector extensions at the level's register width, where
// comparisons stay vector compares.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include "core/image.h"
#include "core/inline.h"
#include "reducebits/diffusion8.h"

namespace qrx::diffusion8::QRX_LEVEL {
namespace {

using reducebits::DitherParams;
using reducebits::Pair8u;
using u8 = std::uint8_t;

#if defined(__AVX2__) && !defined(QRX_LEVEL_SCALAR)
constexpr int kLanes = 8;
#else
constexpr int kLanes = 4;
#endif
typedef float F __attribute__((vector_size(4 * kLanes)));
typedef std::int32_t I __attribute__((vector_size(4 * kLanes)));

// Lane 0 from lane kLanes - 1 of `above`, lanes 1.. from lanes 0.. of `v`.
QRX_INLINE F from_above(F v, F above) {
#if defined(__AVX2__) && !defined(QRX_LEVEL_SCALAR)
    return __builtin_shufflevector(v, above, 15, 0, 1, 2, 3, 4, 5, 6);
#else
    return __builtin_shufflevector(v, above, 7, 0, 1, 2);
#endif
}

struct Lanes {
    F err;  // the error left (0 where saturated)
    I out;  // the output level
};

QRX_INLINE Lanes sample(F v, F up_left, F up, F up_right, F left, F t, const DitherParams& d) {
    const F sum = ((3.0f * up_right + up_left) + 5.0f * up) + 7.0f * left;
    const F w = v + sum * 0.0625f;
    const I k = __builtin_convertvector(w * d.r, I);
    const F q0 = __builtin_convertvector(k, F) * d.s;
    const F q = q0 + (F)((t < (w - q0)) & (I)(F{} + d.s));
    const I high = w >= Pair8u::kU, low = w < 0.0f;
    const I keep = ~(high | low);
    I o = __builtin_convertvector(q, I);
    o = o & ~(o < 0);
    o = (o & ~(o > 255)) | ((o > 255) & 255);
    return Lanes{(F)((I)(w - q) & keep), (o & keep) | (high & 255)};
}

template <bool Noise>
void floyd_steinberg(const Job& j, int channel, float* block) {
    constexpr int kVecs = kLanes == 8 ? 2 : 3, kRows = kLanes * kVecs, kLag = 2;
    const int w = j.width;
    std::memset(block, 0, sizeof(float) * (2 * static_cast<std::size_t>(w) + 4));
    float* const E = block + 1;
    const DitherParams d = j.d;
    const float half = d.s * 0.5f;
    const std::ptrdiff_t stride = j.stride;
    for (std::ptrdiff_t y0 = 0; y0 < j.height; y0 += kRows) {
        const int rows = static_cast<int>(std::min<std::ptrdiff_t>(kRows, j.height - y0));
        // row r's sample of step i is at src[r] + i * stride (the skew folded in)
        const u8* src[kRows];
        u8* out[kRows];
        for (int r = 0; r < kRows; ++r) {
            const std::ptrdiff_t y = y0 + std::min(r, rows - 1);
            src[r] = row_at(j.src, j.srcStep, y) + channel - kLag * r * stride;
            out[r] = row_at(j.dst, j.dstStep, y) + channel - kLag * r * stride;
        }
        // each row's errors at x - 1, x - 2, x - 3
        F h1[kVecs] = {}, h2[kVecs] = {}, h3[kVecs] = {};
        const auto step = [&](int i, auto checked) {
            bool act[kRows];
            for (int r = 0; r < kRows; ++r) {
                const int x = i - kLag * r;
                act[r] = !checked.value || (r < rows && x >= 0 && x < w);
            }
            const std::ptrdiff_t at = i * stride;
            // the first row reads E[i - 1 .. i + 1], in the last lane of the vector "above" its own
            const bool top = !checked.value || i < w;
            F el{}, eu{}, er{};
            el[kLanes - 1] = top ? E[i - 1] : 0.0f;
            eu[kLanes - 1] = top ? E[i] : 0.0f;
            er[kLanes - 1] = top ? E[i + 1] : 0.0f;
            Lanes res[kVecs];
#pragma GCC unroll 4
            for (int g = 0; g < kVecs; ++g) {
                I v{};
                F t = F{} + half;
                for (int l = 0; l < kLanes; ++l) {
                    const int r = kLanes * g + l;
                    v[l] = act[r] ? src[r][at] : 0;
                    if constexpr (Noise)
                        if (act[r])
                            t[l] = j.noise_value[reducebits::noise_slot(j.noise_index, static_cast<unsigned>(i - kLag * r),
                                                                        static_cast<unsigned>(y0 + r))];
                }
                res[g] = sample(__builtin_convertvector(v, F), from_above(h3[g], g == 0 ? el : h3[g - 1]),
                                from_above(h2[g], g == 0 ? eu : h2[g - 1]), from_above(h1[g], g == 0 ? er : h1[g - 1]),
                                h1[g], t, d);
            }
#pragma GCC unroll 4
            for (int g = 0; g < kVecs; ++g) {
                F e = res[g].err;
                if constexpr (checked.value) {  // rows not started or ended leave zero errors (the guards)
                    I on;
                    for (int l = 0; l < kLanes; ++l) on[l] = -static_cast<int>(act[kLanes * g + l]);
                    e = (F)((I)e & on);
                }
                h3[g] = h2[g], h2[g] = h1[g], h1[g] = e;
            }
            for (int r = 0; r < kRows; ++r)
                if (act[r]) out[r][at] = static_cast<u8>(res[r / kLanes].out[r % kLanes]);
            if (act[kRows - 1]) E[i - kLag * (kRows - 1)] = h1[kVecs - 1][kLanes - 1];
        };
        // steps [0, steps): for a full group those in [lag (rows - 1), width)
        // have every row inside its row and run unchecked
        const int steps = w + kLag * (rows - 1);
        int i = 0;
        if (rows == kRows && w > kLag * (kRows - 1)) {
            for (; i < kLag * (kRows - 1); ++i) step(i, std::true_type{});
            for (; i < w; ++i) step(i, std::false_type{});
        }
        for (; i < steps; ++i) step(i, std::true_type{});
    }
}

}  // namespace

extern const Kernels kTable = {{floyd_steinberg<false>, floyd_steinberg<true>}};

}  // namespace qrx::diffusion8::QRX_LEVEL
