// Error diffusion.  Every row runs left to right and depends on the previous
// sample's error, so this is scalar code; it is specialised per pair, method
// and noise so that the inner loop has no decisions but the saturation tests.
#include "reducebits/error_diffusion.h"

#include <omp.h>

#include <climits>
#include <cstring>
#include <utility>

#include "core/allocator.h"
#include "core/image.h"
#include "core/parallel_rows.h"
#include "reducebits/noise.h"

namespace qrx::reducebits {
namespace {

constexpr float kEpsilon = 1.1920929e-7f;

// Everything a channel pass needs.
template <class P>
struct Job {
    const typename P::In* src;
    int srcStep;
    typename P::Out* dst;
    int dstStep;
    int width, height, stride;
    DitherParams d;
    const float* noise_value;           // null: threshold s / 2
    const std::uint16_t* noise_index;
};

// One Floyd-Steinberg decision.  Returns the output, sets err to the error left.
template <class P, bool Noise>
QRX_INLINE typename P::Out fs_sample(float w, float threshold, const DitherParams& d, float& err) {
    constexpr float kLow = P::kFloatIn ? kEpsilon : 0.0f;
    if (w >= P::kU) {
        err = 0.0f;
        return static_cast<typename P::Out>(P::kOutMax);
    }
    if (w < kLow) {
        err = 0.0f;
        return static_cast<typename P::Out>(P::kOutMin);
    }
    const int k = P::kFsRounds ? round_down_biased(static_cast<double>(w * d.r)) : to_int<P>(w * d.r);
    float q = static_cast<float>(k) * d.s;
    if (threshold < (w - q)) q = q + d.s;
    err = w - q;
    return P::kFsRounds ? level_out_round<P>(q) : level_out_trunc<P>(q);
}

// Floyd-Steinberg over one channel.  block: two rows of width + 2 floats, the
// first and last entry of each a zero guard.
template <class P, bool Noise>
void floyd_steinberg(const Job<P>& j, int channel, float* block) {
    const int w = j.width;
    std::memset(block, 0, sizeof(float) * (2 * static_cast<std::size_t>(w) + 4));
    float* prev = block + 1;
    float* cur = block + 1 + (w + 2);
    const float half = j.d.s * 0.5f;
    for (std::ptrdiff_t y = 0; y < j.height; ++y) {
        const auto* s = row_at_samples(j.src, j.srcStep, y) + channel;
        auto* o = row_at_samples(j.dst, j.dstStep, y) + channel;
        float left = 0.0f;  // cur[x - 1]
        for (int x = 0; x < w; ++x) {
            float sum;
            if constexpr (!P::kFsRounds)
                sum = ((3.0f * prev[x + 1] + prev[x - 1]) + 5.0f * prev[x]) + 7.0f * left;
            else
                sum = ((3.0f * prev[x + 1] + 5.0f * prev[x]) + prev[x - 1]) + 7.0f * left;
            const float wv = P::work(s[static_cast<std::ptrdiff_t>(x) * j.stride]) + sum * 0.0625f;
            float t = half;
            if constexpr (Noise) t = j.noise_value[noise_slot(j.noise_index, static_cast<unsigned>(x), static_cast<unsigned>(y))];
            float err;
            o[static_cast<std::ptrdiff_t>(x) * j.stride] = fs_sample<P, Noise>(wv, t, j.d, err);
            cur[x] = err;
            left = err;
        }
        std::swap(prev, cur);
    }
}

// Jarvis-Judice-Ninke (Stucki = false) and Stucki weights.
template <bool Stucki>
struct Weights;
template <>
struct Weights<false> {
    static constexpr float two_up[5] = {1.0f, 3.0f, 5.0f, 3.0f, 1.0f};
    static constexpr float up[5] = {3.0f, 5.0f, 7.0f, 5.0f, 3.0f};
    static constexpr float left2 = 5.0f, left1 = 7.0f;
    static constexpr float factor = 0.020833334f;
};
template <>
struct Weights<true> {
    static constexpr float two_up[5] = {1.0f, 2.0f, 4.0f, 2.0f, 1.0f};
    static constexpr float up[5] = {2.0f, 4.0f, 8.0f, 4.0f, 2.0f};
    static constexpr float left2 = 4.0f, left1 = 8.0f;
    static constexpr float factor = 0.023809524f;
};

// Jarvis-Judice-Ninke / Stucki over one channel.  block: three rows of
// (width rounded up to 4) + 4 floats, two zero guards before each row's data.
// Sum order: the row two above left to right, the row above left to right,
// then the current row's x - 2 and x - 1.
template <class P, bool Stucki, bool Noise>
void jjn_stucki(const Job<P>& j, int channel, float* block) {
    using Wt = Weights<Stucki>;
    const int w = j.width;
    const std::ptrdiff_t len = ((static_cast<std::ptrdiff_t>(w) + 3) / 4) * 4 + 4;
    std::memset(block, 0, sizeof(float) * static_cast<std::size_t>(3 * len));
    float* two_up = block + 2;
    float* up = block + len + 2;
    float* cur = block + 2 * len + 2;
    const float half = j.d.s * 0.5f;
    for (std::ptrdiff_t y = 0; y < j.height; ++y) {
        const auto* s = row_at_samples(j.src, j.srcStep, y) + channel;
        auto* o = row_at_samples(j.dst, j.dstStep, y) + channel;
        float left2 = 0.0f, left1 = 0.0f;  // cur[x - 2], cur[x - 1]
        for (int x = 0; x < w; ++x) {
            float sum = Wt::two_up[0] * two_up[x - 2];
            sum = sum + Wt::two_up[1] * two_up[x - 1];
            sum = sum + Wt::two_up[2] * two_up[x];
            sum = sum + Wt::two_up[3] * two_up[x + 1];
            sum = sum + Wt::two_up[4] * two_up[x + 2];
            sum = sum + Wt::up[0] * up[x - 2];
            sum = sum + Wt::up[1] * up[x - 1];
            sum = sum + Wt::up[2] * up[x];
            sum = sum + Wt::up[3] * up[x + 1];
            sum = sum + Wt::up[4] * up[x + 2];
            sum = sum + Wt::left2 * left2;
            sum = sum + Wt::left1 * left1;
            const float wv = P::work(s[static_cast<std::ptrdiff_t>(x) * j.stride]) + sum * Wt::factor;
            typename P::Out out;
            float err;
            if (wv >= P::kU) {
                out = static_cast<typename P::Out>(P::kOutMax);
                err = 0.0f;
            } else if (wv < 0.0f) {
                out = static_cast<typename P::Out>(P::kOutMin);
                err = 0.0f;
            } else {
                const int k = to_int<P>(wv * j.d.r);
                float q = static_cast<float>(k) * j.d.s;
                float t = half;
                if constexpr (Noise) t = j.noise_value[noise_slot(j.noise_index, static_cast<unsigned>(x), static_cast<unsigned>(y))];
                if (t < (wv - q)) q = q + j.d.s;
                err = wv - q;
                out = level_out_trunc<P>(q);
            }
            o[static_cast<std::ptrdiff_t>(x) * j.stride] = out;
            cur[x] = err;
            left2 = left1;
            left1 = err;
        }
        float* const recycled = two_up;
        two_up = up;
        up = cur;
        cur = recycled;
    }
}

template <class P>
using ChannelFn = void (*)(const Job<P>&, int, float*);

template <class P>
ChannelFn<P> channel_fn(int method, bool noise) {
    if (method == qrxDitherMethodFloydSteinberg) return noise ? floyd_steinberg<P, true> : floyd_steinberg<P, false>;
    if (method == qrxDitherMethodJarvisJudiceNinke) return noise ? jjn_stucki<P, false, true> : jjn_stucki<P, false, false>;
    return noise ? jjn_stucki<P, true, true> : jjn_stucki<P, true, false>;
}

// Number of threads the runtime gives a region of `requested` threads (1 when
// the region runs serialized).
int team_size(int requested) {
    int team = 1;
#pragma omp parallel num_threads(requested)
    {
        if (omp_get_thread_num() == 0) team = omp_get_num_threads();
    }
    return team;
}

}  // namespace

template <class P>
QrxStatus error_diffusion(const typename P::In* src, int srcStep, typename P::Out* dst, int dstStep, int width,
                          int height, int layout, int method, int noise, int levels) {
    const DitherParams d = dither_params<P>(levels);
    NoiseTables tables;
    if (noise > 0) {
        const float low = (static_cast<float>(50 - noise) * d.s) / 100.0f;
        const float high = (static_cast<float>(50 + noise) * d.s) / 100.0f;
        if (tables.build(low, high) != qrxStatusOk) return qrxStatusOutOfMemory;
    }

    const int channels = channels_of(layout);
    int threads = 1;
    if (channels > 1) {
        threads = team_size(requested_threads());
        if (channels == 3 && threads >= 4) threads -= 1;
    }

    const long long per_thread = method == qrxDitherMethodFloydSteinberg
                                     ? 2LL * width + 4
                                     : 3LL * (((static_cast<long long>(width) + 3) / 4) * 4) + 12;
    const long long total = per_thread * threads;
    float* blocks = total <= INT_MAX ? reinterpret_cast<float*>(allocate32(static_cast<int>(total))) : nullptr;
    if (blocks == nullptr) {
        tables.release();
        return qrxStatusOutOfMemory;
    }

    const Job<P> job{src, srcStep, dst, dstStep, width, height, stride_of(layout), d, tables.value, tables.index};
    const ChannelFn<P> fn = channel_fn<P>(method, noise > 0);
    if (threads == 1) {
        for (int c = 0; c < channels; ++c) fn(job, c, blocks);
    } else {
#pragma omp parallel num_threads(threads)
        {
            float* own = blocks + per_thread * omp_get_thread_num();
#pragma omp for schedule(static)
            for (int c = 0; c < channels; ++c) fn(job, c, own);
        }
    }
    release(blocks);
    tables.release();
    return qrxStatusOk;
}

template QrxStatus error_diffusion<Pair8u>(const u8*, int, u8*, int, int, int, int, int, int, int);
template QrxStatus error_diffusion<Pair16u>(const u16*, int, u16*, int, int, int, int, int, int, int);
template QrxStatus error_diffusion<Pair16u8u>(const u16*, int, u8*, int, int, int, int, int, int, int);
template QrxStatus error_diffusion<Pair16s>(const s16*, int, s16*, int, int, int, int, int, int, int);
template QrxStatus error_diffusion<Pair16s8u>(const s16*, int, u8*, int, int, int, int, int, int, int);
template QrxStatus error_diffusion<Pair32f8u>(const float*, int, u8*, int, int, int, int, int, int, int);
template QrxStatus error_diffusion<Pair32f16u>(const float*, int, u16*, int, int, int, int, int, int, int);
template QrxStatus error_diffusion<Pair32f16s>(const float*, int, s16*, int, int, int, int, int, int, int);

}  // namespace qrx::reducebits
