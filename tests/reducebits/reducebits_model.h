// Independent per-sample model of the bit-depth reductions, written from the
// formulas: quantiser, noise generator, ordered dithering and the three error
// diffusions over a whole channel (2-D error array, zero outside the image).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "qrxcc.h"

namespace rbmodel {

constexpr float kK8 = 0.003921569f;
constexpr float kK16 = 1.5259022e-05f;

// A type pair: input/output types, working unit (1 for float input), output
// full scale and offset, level limit, Floyd-Steinberg rounding, the 4 exports.
template <class In_, class Out_, int Unit, int M, int Off, int MaxL, bool FsRound>
struct Pair {
    using In = In_;
    using Out = Out_;
    using Fn = QrxStatus (*)(const In*, int, Out*, int, QrxSize, int, int, int);
    static constexpr bool kFloat = Unit == 1;
    static constexpr int kUnit = Unit, kM = M, kOff = Off, kMaxLevels = MaxL;
    static constexpr bool kFsRound = FsRound;
    static constexpr bool kSignedIn = std::is_same_v<In, std::int16_t>;
    static float norm(In x) {
        if constexpr (kFloat) return x;
        else if constexpr (kSignedIn) return static_cast<float>(static_cast<int>(x) + 32768) * kK16;
        else if constexpr (Unit == 255) return static_cast<float>(x) * kK8;
        else return static_cast<float>(x) * kK16;
    }
    static float work(In x) {
        if constexpr (kSignedIn) return static_cast<float>(static_cast<int>(x) + 32768);
        else return static_cast<float>(x);
    }
    static int out_min() { return Off; }
    static int out_max() { return M + Off; }
};

#define RB_PAIR(Name, In, Out, Unit, M, Off, MaxL, FsRound, tag)                                       \
    struct Name : Pair<In, Out, Unit, M, Off, MaxL, FsRound> {                                         \
        static constexpr const char* kName = #tag;                                                     \
        static constexpr Fn kFns[4] = {qrxiReduceBits_##tag##_C1R, qrxiReduceBits_##tag##_C3R,         \
                                       qrxiReduceBits_##tag##_AC4R, qrxiReduceBits_##tag##_C4R};        \
    };
RB_PAIR(P8u, std::uint8_t, std::uint8_t, 255, 255, 0, 256, false, 8u)
RB_PAIR(P16u, std::uint16_t, std::uint16_t, 65535, 65535, 0, 65536, false, 16u)
RB_PAIR(P16u8u, std::uint16_t, std::uint8_t, 65535, 255, 0, 256, false, 16u8u)
RB_PAIR(P16s, std::int16_t, std::int16_t, 65535, 65535, -32768, 65536, false, 16s)
RB_PAIR(P16s8u, std::int16_t, std::uint8_t, 65535, 255, 0, 256, true, 16s8u)
RB_PAIR(P32f8u, float, std::uint8_t, 1, 255, 0, 256, true, 32f8u)
RB_PAIR(P32f16u, float, std::uint16_t, 1, 65535, 0, 256, true, 32f16u)
RB_PAIR(P32f16s, float, std::int16_t, 1, 65535, -32768, 256, true, 32f16s)
#undef RB_PAIR

// Layouts: 0 C1, 1 C3, 2 AC4, 3 C4.
inline int channels(int layout) { return layout == 0 ? 1 : layout == 3 ? 4 : 3; }
inline int stride(int layout) { return layout == 0 ? 1 : layout == 1 ? 3 : 4; }

// Truncation toward zero with saturation (NaN: 0).
inline long long trunc_ll(double v) {
    if (std::isnan(v)) return 0;
    if (v > 4e18) return 4000000000000000000LL;
    if (v < -4e18) return -4000000000000000000LL;
    return static_cast<long long>(v);
}
inline long long clampll(long long v, long long lo, long long hi) { return v < lo ? lo : v > hi ? hi : v; }

template <class P>
int quantise(typename P::In x, int levels) {
    const float L = static_cast<float>(levels - 1);
    const float s = 1.0f / L, h = 0.5f / L;
    const float a = P::norm(x);
    long long k = clampll(trunc_ll(L * a), INT32_MIN, INT32_MAX);
    if (k > 2147483520LL) k = 2147483520LL;  // the largest float below 2^31
    float q = static_cast<float>(k) * s;
    if ((a - q) > h) q = q + s;
    return static_cast<int>(clampll(trunc_ll(q * static_cast<float>(P::kM)), 0, P::kM) + P::kOff);
}

struct Generator {
    std::int64_t lc, s1, s2, s3, cb;
    double mean, scale;
    static std::int64_t wrap(std::int64_t v) {
        v &= 0xFFFFFFFFLL;
        return v >= 0x80000000LL ? v - 0x100000000LL : v;
    }
    Generator(double low, double high) {
        lc = 1131199209;
        s1 = 0;
        s2 = wrap(s1 * 69069 + 1013904243);
        s3 = wrap(s2 * 69069 + 1013904243);
        cb = -1;
        mean = (low + high) * 0.5;
        const std::uint64_t bits = 0x3DF0000000000007ull;
        double c;
        std::memcpy(&c, &bits, 8);
        scale = (high - low) * c;
    }
    double next() {
        lc = wrap(lc * 69069 + 1013904243);
        std::int64_t t = wrap(s2 - s3 + cb);
        cb = t < 0 ? -1 : 0;
        if (t < 0) t = wrap(t - 18);
        s3 = s2;
        s2 = s1;
        s1 = t;
        const std::int64_t u = wrap(t + lc);
        return static_cast<double>(u) * scale + mean;
    }
};

struct Noise {
    std::vector<int> index;
    std::vector<float> value;
    Noise(double low, double high) {
        Generator gi(0.0, 1024.0), gv(low, high);
        for (int i = 0; i < 1024; ++i) index.push_back(static_cast<int>(std::trunc(gi.next())));
        for (int i = 0; i < 1024; ++i) value.push_back(static_cast<float>(gv.next()));
    }
    float at(long long x, long long y) const { return value[static_cast<std::size_t>((index[x % 1024] + 2 * y + x) % 1024)]; }
};

struct Steps {
    float s, r;
};
template <class P>
Steps steps(int levels) {
    const float L = static_cast<float>(levels - 1);
    if (P::kFloat) return {1.0f / L, L};
    if (P::kUnit == 255) return {(65280.0f / L) * 0.00390625f, L / 255.0f};
    return {65535.0f / L, L / 65535.0f};
}

// Output from the level q by truncation, saturated.
template <class P>
int out_trunc(float q) {
    long long t = P::kFloat ? trunc_ll(q * static_cast<float>(P::kM)) : trunc_ll(q);
    const long long top = P::kFloat ? P::kM : P::kUnit;
    t = clampll(t, 0, top);
    if (!P::kFloat && P::kUnit == 65535 && P::kM == 255) t >>= 8;
    return static_cast<int>(t + P::kOff);
}
inline long long biased_rint(double y) {
    const double v = std::nearbyint(y - 0.49999);
    return std::isnan(v) ? 0 : static_cast<long long>(v);
}
template <class P>
int out_round(float q) {
    long long t = P::kFloat ? biased_rint(static_cast<double>(q * static_cast<float>(P::kM))) : biased_rint(q);
    const long long top = P::kFloat ? P::kM : P::kUnit;
    t = clampll(t, 0, top);
    if (!P::kFloat && P::kUnit == 65535 && P::kM == 255) t >>= 8;
    return static_cast<int>(t + P::kOff);
}

inline float bayer(int y, int x) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return static_cast<float>(m[y & 3][x & 3]) / 15.0f;
}

template <class P>
int ordered(typename P::In x, int px, int py, int levels, const Noise* noise) {
    const Steps st = steps<P>(levels);
    const float v = P::work(x);
    long long k = clampll(trunc_ll(v * st.r), INT32_MIN, 2147483520LL);
    float q = static_cast<float>(k) * st.s;
    const float t = noise ? (bayer(py, px) + noise->at(px, py)) * st.s : bayer(py, px) * st.s;
    if (t < (v - q)) q = q + st.s;
    return out_trunc<P>(q);
}

// Error diffusion of one channel given as a w x h array of inputs; returns outputs.
template <class P>
std::vector<int> diffuse(const std::vector<typename P::In>& in, int w, int h, int method, int levels, int noise_pct) {
    const Steps st = steps<P>(levels);
    std::vector<float> err(static_cast<std::size_t>(w) * h, 0.0f);
    auto E = [&](int x, int y) -> float {
        if (x < 0 || x >= w || y < 0) return 0.0f;
        return err[static_cast<std::size_t>(y) * w + x];
    };
    Noise* noise = nullptr;
    Noise storage(0, 0);
    if (noise_pct > 0) {
        const float low = (static_cast<float>(50 - noise_pct) * st.s) / 100.0f;
        const float high = (static_cast<float>(50 + noise_pct) * st.s) / 100.0f;
        storage = Noise(low, high);
        noise = &storage;
    }
    std::vector<int> out(in.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float e;
            if (method == 1) {
                float sum;
                if (!P::kFsRound)
                    sum = ((3.0f * E(x + 1, y - 1) + E(x - 1, y - 1)) + 5.0f * E(x, y - 1)) + 7.0f * E(x - 1, y);
                else
                    sum = ((3.0f * E(x + 1, y - 1) + 5.0f * E(x, y - 1)) + E(x - 1, y - 1)) + 7.0f * E(x - 1, y);
                e = sum * 0.0625f;
            } else {
                const bool stucki = method == 3;
                const float w2[5] = {1, stucki ? 2.0f : 3.0f, stucki ? 4.0f : 5.0f, stucki ? 2.0f : 3.0f, 1};
                const float w1[5] = {stucki ? 2.0f : 3.0f, stucki ? 4.0f : 5.0f, stucki ? 8.0f : 7.0f,
                                     stucki ? 4.0f : 5.0f, stucki ? 2.0f : 3.0f};
                float sum = w2[0] * E(x - 2, y - 2);
                for (int i = 1; i < 5; ++i) sum = sum + w2[i] * E(x - 2 + i, y - 2);
                for (int i = 0; i < 5; ++i) sum = sum + w1[i] * E(x - 2 + i, y - 1);
                sum = sum + (stucki ? 4.0f : 5.0f) * E(x - 2, y);
                sum = sum + (stucki ? 8.0f : 7.0f) * E(x - 1, y);
                e = sum * (stucki ? 0.023809524f : 0.020833334f);
            }
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            const float wv = P::work(in[i]) + e;
            const float low_limit = (method == 1 && P::kFloat) ? 1.1920929e-7f : 0.0f;
            if (wv >= static_cast<float>(P::kUnit)) {
                out[i] = P::out_max();
                err[i] = 0.0f;
            } else if (wv < low_limit) {
                out[i] = P::out_min();
                err[i] = 0.0f;
            } else {
                const bool rounds = method == 1 && P::kFsRound;
                const long long k = rounds ? biased_rint(static_cast<double>(wv * st.r)) : trunc_ll(wv * st.r);
                float q = static_cast<float>(k) * st.s;
                const float t = noise ? noise->at(x, y) : st.s * 0.5f;
                if (t < (wv - q)) q = q + st.s;
                err[i] = wv - q;
                out[i] = rounds ? out_round<P>(q) : out_trunc<P>(q);
            }
        }
    return out;
}

}  // namespace rbmodel
