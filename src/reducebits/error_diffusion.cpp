// Error diffusion.  Every row runs left to right and depends on the previous
// sample's error, so one row is scalar code; it is specialised per pair,
// method and noise, and overlaps several rows (see below) to hide that
// dependency; 8-bit Floyd-Steinberg puts the overlapped rows on vector lanes.
#include "reducebits/error_diffusion.h"

#include <omp.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <type_traits>
#include <utility>

#include "core/allocator.h"
#include "core/image.h"
#include "core/parallel_rows.h"
#include "reducebits/diffusion8.h"
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
    const float q0 = static_cast<float>(k) * d.s;
    const float q = add_step_if_below(q0, threshold, w - q0, d.s);
    err = w - q;
    return P::kFsRounds ? level_out_round<P>(q) : level_out_trunc<P>(q);
}

// Rows are diffused several at a time in a skewed front: in each step every
// row of the group takes one sample, each row a fixed number of samples
// behind the row above it, so that everything a sample gathers from the rows
// above is already final.  The dependency chain of one row (error -> next
// sample) then overlaps with those of the other rows.  Every sample still
// sees exactly the errors of the row-by-row order, so the results are those
// of processing the rows one after another.
constexpr int kRowsInFlight = 4;

template <class P>
struct RowState {
    const typename P::In* src;
    typename P::Out* out;
    float left1, left2;  // this row's errors at x - 1 and x - 2
    unsigned y;
};

// Steps [0, steps): those in [steady_begin, steady_end) unchecked (only when
// steady_begin > 0, i.e. for a full group), all others checked.
template <class Step>
QRX_INLINE void run_steps(int steps, int steady_begin, int steady_end, const Step& step) {
    int i = 0;
    if (steady_begin > 0 && steady_end > steady_begin) {
        for (; i < steady_begin; ++i) step(i, std::true_type{});
        for (; i < steady_end; ++i) step(i, std::false_type{});
    }
    for (; i < steps; ++i) step(i, std::true_type{});
}

template <class P>
QRX_INLINE void start_rows(const Job<P>& j, int channel, std::ptrdiff_t y0, int rows, RowState<P>* st) {
    for (int r = 0; r < rows; ++r) {
        st[r].src = row_at_samples(j.src, j.srcStep, y0 + r) + channel;
        st[r].out = row_at_samples(j.dst, j.dstStep, y0 + r) + channel;
        st[r].left1 = st[r].left2 = 0.0f;
        st[r].y = static_cast<unsigned>(y0 + r);
    }
}

// Floyd-Steinberg over one channel.  The block's first width + 2 floats are
// one error row E with a zero guard at each end: E[x] holds the error of the
// row above until the current row has passed x + 1, then the current row's
// (each row writes its error at x - 1 after gathering at x; the row below
// runs two samples behind).
template <class P, bool Noise>
void floyd_steinberg(const Job<P>& j, int channel, float* block) {
    constexpr int kLag = 2;
    const int w = j.width;
    std::memset(block, 0, sizeof(float) * (2 * static_cast<std::size_t>(w) + 4));
    float* const E = block + 1;
    const DitherParams d = j.d;  // kept in registers (the byte stores could alias)
    const float half = d.s * 0.5f;
    const std::ptrdiff_t stride = j.stride;
    RowState<P> st[kRowsInFlight];
    for (std::ptrdiff_t y0 = 0; y0 < j.height; y0 += kRowsInFlight) {
        const int rows = static_cast<int>(std::min<std::ptrdiff_t>(kRowsInFlight, j.height - y0));
        start_rows(j, channel, y0, rows, st);
        // One step: every row of the group takes its sample.  Checked steps
        // skip rows outside the group or the row and handle the row ends;
        // in the steady part every row is strictly inside its row.
        const auto step = [&](int i, auto checked) {
#pragma GCC unroll 4
            for (int r = 0; r < kRowsInFlight; ++r) {
                const int x = i - kLag * r;
                if constexpr (checked.value) {
                    if (r >= rows) break;
                    if (x < 0 || x >= w) continue;
                }
                RowState<P>& rs = st[r];
                float sum;
                if constexpr (!P::kFsRounds)
                    sum = ((3.0f * E[x + 1] + E[x - 1]) + 5.0f * E[x]) + 7.0f * rs.left1;
                else
                    sum = ((3.0f * E[x + 1] + 5.0f * E[x]) + E[x - 1]) + 7.0f * rs.left1;
                const float wv = P::work(rs.src[x * stride]) + sum * 0.0625f;
                float t = half;
                if constexpr (Noise) t = j.noise_value[noise_slot(j.noise_index, static_cast<unsigned>(x), rs.y)];
                float err;
                rs.out[x * stride] = fs_sample<P, Noise>(wv, t, d, err);
                if (!checked.value || x > 0) E[x - 1] = rs.left1;
                if (checked.value && x == w - 1) E[x] = err;
                rs.left1 = err;
            }
        };
        run_steps(w + kLag * (rows - 1), rows == kRowsInFlight ? kLag * (kRowsInFlight - 1) + 1 : 0, w - 1, step);
    }
}

// 8-bit Floyd-Steinberg: the rows of a group on vector lanes (diffusion8.h).
template <bool Noise>
void floyd_steinberg_8u(const Job<Pair8u>& j, int channel, float* block) {
    const diffusion8::Job k{j.src, j.srcStep, j.dst, j.dstStep, j.width, j.height, j.stride, j.d, j.noise_value, j.noise_index};
    diffusion8::kernels().floyd_steinberg[Noise ? 1 : 0](k, channel, block);
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

// Jarvis-Judice-Ninke / Stucki over one channel.  Two of the block's three
// rows (length: width rounded up to 4, plus 4; two zero guards before and at
// least two after the data) hold the errors of the even and the odd rows:
// row y gathers from its own parity's row (still row y - 2's errors from x - 2
// on; y writes its error at x - 2 after gathering at x) and from the other
// (row y - 1's, complete up to x + 2 because row y - 1 runs four samples ahead).
// Sum order: the row two above left to right, the row above left to right,
// then the current row's x - 2 and x - 1.
template <class P, bool Stucki, bool Noise>
void jjn_stucki(const Job<P>& j, int channel, float* block) {
    using Wt = Weights<Stucki>;
    constexpr int kLag = 4;
    const int w = j.width;
    const std::ptrdiff_t len = ((static_cast<std::ptrdiff_t>(w) + 3) / 4) * 4 + 4;
    std::memset(block, 0, sizeof(float) * static_cast<std::size_t>(3 * len));
    float* const parity_rows[2] = {block + 2, block + len + 2};
    const DitherParams d = j.d;
    const float half = d.s * 0.5f;
    const std::ptrdiff_t stride = j.stride;
    RowState<P> st[kRowsInFlight];
    for (std::ptrdiff_t y0 = 0; y0 < j.height; y0 += kRowsInFlight) {
        const int rows = static_cast<int>(std::min<std::ptrdiff_t>(kRowsInFlight, j.height - y0));
        start_rows(j, channel, y0, rows, st);
        const auto step = [&](int i, auto checked) {
#pragma GCC unroll 4
            for (int r = 0; r < kRowsInFlight; ++r) {
                const int x = i - kLag * r;
                if constexpr (checked.value) {
                    if (r >= rows) break;
                    if (x < 0 || x >= w) continue;
                }
                RowState<P>& rs = st[r];
                float* const own = parity_rows[rs.y & 1u];       // row y - 2, becoming row y
                const float* const up = parity_rows[~rs.y & 1u];  // row y - 1
                float sum = Wt::two_up[0] * own[x - 2];
                sum = sum + Wt::two_up[1] * own[x - 1];
                sum = sum + Wt::two_up[2] * own[x];
                sum = sum + Wt::two_up[3] * own[x + 1];
                sum = sum + Wt::two_up[4] * own[x + 2];
                sum = sum + Wt::up[0] * up[x - 2];
                sum = sum + Wt::up[1] * up[x - 1];
                sum = sum + Wt::up[2] * up[x];
                sum = sum + Wt::up[3] * up[x + 1];
                sum = sum + Wt::up[4] * up[x + 2];
                sum = sum + Wt::left2 * rs.left2;
                sum = sum + Wt::left1 * rs.left1;
                const float wv = P::work(rs.src[x * stride]) + sum * Wt::factor;
                typename P::Out out;
                float err;
                if (wv >= P::kU) {
                    out = static_cast<typename P::Out>(P::kOutMax);
                    err = 0.0f;
                } else if (wv < 0.0f) {
                    out = static_cast<typename P::Out>(P::kOutMin);
                    err = 0.0f;
                } else {
                    const int k = to_int<P>(wv * d.r);
                    const float q0 = static_cast<float>(k) * d.s;
                    float t = half;
                    if constexpr (Noise) t = j.noise_value[noise_slot(j.noise_index, static_cast<unsigned>(x), rs.y)];
                    const float q = add_step_if_below(q0, t, wv - q0, d.s);
                    err = wv - q;
                    out = level_out_trunc<P>(q);
                }
                rs.out[x * stride] = out;
                if (!checked.value || x >= 2) own[x - 2] = rs.left2;
                rs.left2 = rs.left1;
                rs.left1 = err;
                if (checked.value && x == w - 1) {
                    if (x >= 1) own[x - 1] = rs.left2;
                    own[x] = err;
                }
            }
        };
        run_steps(w + kLag * (rows - 1), rows == kRowsInFlight ? kLag * (kRowsInFlight - 1) + 2 : 0, w - 1, step);
    }
}

template <class P>
using ChannelFn = void (*)(const Job<P>&, int, float*);

template <class P>
ChannelFn<P> channel_fn(int method, bool noise) {
    if constexpr (std::is_same_v<P, Pair8u>)
        if (method == qrxDitherMethodFloydSteinberg) return noise ? floyd_steinberg_8u<true> : floyd_steinberg_8u<false>;
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
