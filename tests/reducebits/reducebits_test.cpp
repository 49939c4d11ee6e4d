// Bit-depth reduction: every pair and layout against the model (with and
// without noise), the worked values, the check order, threads and dispatch
// levels.  Scratch-memory failures are walked in reliability/fault_injection_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "core/allocator.h"
#include "qrxcc.h"
#include "qrxcore.h"
#include "reducebits/noise.h"
#include "reducebits_model.h"
#include "support/test_image.h"
#include "support/threads.h"

using namespace rbmodel;

namespace {

using qrxtest::ThreadCount;

// Source and guarded destination of one call.
template <class P>
struct Case {
    using In = typename P::In;
    using Out = typename P::Out;
    int layout, w, h;
    qrxtest::GuardedImage src, dst;
    Case(int layout_, int w_, int h_)
        : layout(layout_), w(w_), h(h_), src(w_ * stride(layout_) * static_cast<int>(sizeof(In)), h_, 8),
          dst(w_ * stride(layout_) * static_cast<int>(sizeof(Out)), h_, 8) {}

    In& in(int x, int y, int c) { return reinterpret_cast<In*>(src.row(y))[x * stride(layout) + c]; }
    Out out(int x, int y, int c) {
        Out v;
        std::memcpy(&v, dst.row(y) + (x * stride(layout) + c) * sizeof(Out), sizeof v);
        return v;
    }
    void fill_random(std::uint32_t seed) {
        std::mt19937 rng(seed);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < stride(layout); ++c) {
                    if constexpr (P::kFloat) {
                        const std::uint32_t r = rng();
                        float v = static_cast<float>(r % 100000) / 99999.0f;
                        if (r % 17 == 0) v = static_cast<float>(static_cast<int>(r % 1200) - 100) / 1000.0f;
                        if (r % 23 == 0) v = static_cast<float>(r % 9) / 8.0f;  // exact-ish levels
                        in(x, y, c) = v;
                    } else {
                        in(x, y, c) = static_cast<In>(rng());
                    }
                }
    }
    void fill(In v) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < stride(layout); ++c) in(x, y, c) = v;
    }
    QrxStatus run(int noise, int method, int levels) {
        return P::kFns[layout](src.template as<In>(), src.step(), dst.template as<Out>(), dst.step(), QrxSize{w, h},
                               noise, method, levels);
    }
    std::vector<In> channel(int c) {
        std::vector<In> v;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) v.push_back(in(x, y, c));
        return v;
    }
    // Alpha samples of AC4 keep the guard pattern; all other bytes outside the ROI too.
    bool untouched_outside() {
        if (!dst.guards_intact()) return false;
        if (layout != 2) return true;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = dst.row(y) + (x * 4 + 3) * sizeof(Out);
                for (std::size_t b = 0; b < sizeof(Out); ++b)
                    if (p[b] != qrxtest::kGuard) return false;
            }
        return true;
    }
};

template <class P>
::testing::AssertionResult matches(Case<P>& c, const std::function<int(int, int, int)>& expected) {
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            for (int ch = 0; ch < channels(c.layout); ++ch) {
                const int got = c.out(x, y, ch);
                const int want = expected(x, y, ch);
                if (got != want)
                    return ::testing::AssertionFailure() << P::kName << " layout " << c.layout << " " << c.w << "x"
                                                         << c.h << " at (" << x << "," << y << ") ch " << ch
                                                         << ": got " << got << " want " << want;
            }
    if (!c.untouched_outside()) return ::testing::AssertionFailure() << "bytes outside the ROI changed";
    return ::testing::AssertionSuccess();
}

template <class P>
std::vector<int> level_counts() {
    std::vector<int> v = {2, 3, 4, 8, 42, 62, 255, 256};
    if (P::kMaxLevels > 256) {
        v.push_back(257);
        v.push_back(1000);
        v.push_back(65536);
    }
    return v;
}

template <class P>
class ReduceBitsPairs : public ::testing::Test {};
using AllPairs = ::testing::Types<P8u, P16u, P16u8u, P16s, P16s8u, P32f8u, P32f16u, P32f16s>;
TYPED_TEST_SUITE(ReduceBitsPairs, AllPairs);

}  // namespace

// Every level; the plain method ignores the noise argument (odd widths pass some).
TYPED_TEST(ReduceBitsPairs, PlainMatchesModelForEveryWidthAndLayout) {
    using P = TypeParam;
    for (auto level : qrxtest::available_levels())
    for (int layout = 0; layout < 4; ++layout)
        for (int levels : level_counts<P>())
            for (int w : {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 63, 64, 65, 70, 203})
                for (int h : {1, 3}) {
                    qrxtest::ForcedLevel forced(level);
                    Case<P> c(layout, w, h);
                    c.fill_random(static_cast<std::uint32_t>(w * 131 + levels + layout));
                    ASSERT_EQ(c.run(w % 2 ? 30 : 0, qrxDitherMethodOff, levels), qrxStatusOk);
                    ASSERT_TRUE(matches(c, [&](int x, int y, int ch) { return quantise<P>(c.in(x, y, ch), levels); }))
                        << "levels " << levels;
                }
}

// Every level.
TYPED_TEST(ReduceBitsPairs, OrderedMatchesModel) {
    using P = TypeParam;
    ThreadCount single(1);  // the thread tests below cover larger teams
    for (auto level : qrxtest::available_levels())
    for (int noise : {0, 1, 37, 100}) {
        qrxtest::ForcedLevel forced(level);
        const Noise model_noise(static_cast<float>(-noise / 100.0), static_cast<float>(noise / 100.0));
        for (int layout = 0; layout < 4; ++layout)
            for (int levels : {2, 5, 42, 256})
                for (int w : {1, 3, 4, 5, 13, 63, 64, 65, 129, 200})
                    for (int h : {1, 2, 6}) {
                        Case<P> c(layout, w, h);
                        c.fill_random(static_cast<std::uint32_t>(w * 7 + h + levels + noise));
                        ASSERT_EQ(c.run(noise, qrxDitherMethodOrdered4x4, levels), qrxStatusOk);
                        ASSERT_TRUE(matches(c, [&](int x, int y, int ch) {
                            return ordered<P>(c.in(x, y, ch), x, y, levels, noise > 0 ? &model_noise : nullptr);
                        })) << "noise " << noise << " levels " << levels;
                    }
    }
}

// Every level (several row groups of the vector-lane diffusion at 41x37).
TYPED_TEST(ReduceBitsPairs, DiffusionMatchesModel) {
    using P = TypeParam;
    ThreadCount single(1);  // the thread tests below cover larger teams
    for (auto level : qrxtest::available_levels())
    for (int method : {1, 2, 3})
        for (int noise : {0, 25, 100})
            for (int layout = 0; layout < 4; ++layout)
                for (int levels : {2, 7, 256})
                    for (const auto& wh : {std::pair{1, 4}, {2, 3}, {3, 1}, {5, 5}, {17, 3}, {66, 2}, {1, 9}, {2, 10}, {3, 7}, {6, 13}, {9, 11}, {20, 9}, {40, 8}, {41, 37}}) {
                        const int w = wh.first, h = wh.second;  // plain locals: lambdas below capture them
                        qrxtest::ForcedLevel forced(level);
                        Case<P> c(layout, w, h);
                        c.fill_random(static_cast<std::uint32_t>(method * 1000 + w * 10 + h + levels));
                        ASSERT_EQ(c.run(noise, method, levels), qrxStatusOk);
                        std::vector<std::vector<int>> want;
                        for (int ch = 0; ch < channels(layout); ++ch)
                            want.push_back(diffuse<P>(c.channel(ch), w, h, method, levels, noise));
                        ASSERT_TRUE(matches(c, [&, w = w](int x, int y, int ch) {
                            return want[static_cast<std::size_t>(ch)][static_cast<std::size_t>(y) * w + x];
                        })) << "method " << method << " noise " << noise << " levels " << levels;
                    }
}

TYPED_TEST(ReduceBitsPairs, DitheringIndependentOfThreadCount) {
    using P = TypeParam;
    for (int layout = 0; layout < 4; ++layout)
        for (int method : {1, 2, 3, 4}) {
            std::vector<std::uint8_t> reference;
            for (int team : {1, 2, 3, 8, 0, -3}) {  // below 1 acts as 1
                ThreadCount tc(team);
                Case<P> c(layout, 45, 9);
                c.fill_random(99);
                ASSERT_EQ(c.run(20, method, 9), qrxStatusOk);
                ASSERT_TRUE(c.untouched_outside());
                if (reference.empty())
                    reference = c.dst.all_bytes();
                else
                    EXPECT_EQ(c.dst.all_bytes(), reference) << "layout " << layout << " method " << method << " team " << team;
            }
        }
}

TEST(ReduceBitsChecks, OrderAndStatuses) {
    Qrx8u s8[16] = {}, d8[16];
    Qrx16u s16[16] = {}, d16[16];
    Qrx32f sf[16] = {};
    const QrxSize one{1, 1};
    EXPECT_EQ(qrxiReduceBits_8u_C1R(nullptr, 1, d8, 1, QrxSize{0, 1}, 101, 0, 1), qrxStatusNullPointer);
    EXPECT_EQ(qrxiReduceBits_8u_C1R(s8, 1, nullptr, 1, one, 0, 0, 2), qrxStatusNullPointer);
    EXPECT_EQ(qrxiReduceBits_8u_C3R(s8, 1, d8, 1, QrxSize{0, 1}, 101, 0, 1), qrxStatusSizeError);
    EXPECT_EQ(qrxiReduceBits_8u_C3R(s8, 1, d8, 1, QrxSize{1, -1}, 0, 0, 2), qrxStatusSizeError);
    EXPECT_EQ(qrxiReduceBits_8u_C1R(s8, 1, d8, 1, one, 101, 0, 1), qrxStatusNoiseRange);  // noise before levels
    EXPECT_EQ(qrxiReduceBits_8u_C1R(s8, 1, d8, 1, one, -1, 0, 2), qrxStatusNoiseRange);
    EXPECT_EQ(qrxiReduceBits_8u_C1R(s8, 1, d8, 1, one, 0, 0, 1), qrxStatusLevelsRange);
    EXPECT_EQ(qrxiReduceBits_8u_C1R(s8, 1, d8, 1, one, 0, 0, 257), qrxStatusLevelsRange);
    EXPECT_EQ(qrxiReduceBits_32f16u_C1R(sf, 4, d16, 2, one, 0, 0, 257), qrxStatusLevelsRange);
    EXPECT_EQ(qrxiReduceBits_16u_C1R(s16, 2, d16, 2, one, 0, 0, 257), qrxStatusOk);
    EXPECT_EQ(qrxiReduceBits_16u_C1R(s16, 2, d16, 2, one, 0, 0, 65537), qrxStatusLevelsRange);
    Qrx16s ss[4] = {}, ds[4];
    EXPECT_EQ(qrxiReduceBits_16s_C1R(ss, 2, ds, 2, one, 0, 0, 65536), qrxStatusOk);
    EXPECT_EQ(qrxiReduceBits_16s_C1R(ss, 2, ds, 2, one, 0, 0, 65537), qrxStatusLevelsRange);
    EXPECT_EQ(qrxiReduceBits_16u8u_C1R(s16, 2, d8, 1, one, 0, 0, 257), qrxStatusLevelsRange);
    // the methods do not change the checks
    EXPECT_EQ(qrxiReduceBits_8u_C1R(s8, 1, d8, 1, one, 100, 9, 256), qrxStatusOk);
}

TEST(ReduceBitsChecks, ErrorsAndUnknownMethodsWriteNothing) {
    for (int method : {7, -1, 5, 1000}) {
        Case<P8u> c(2, 11, 3);
        c.fill_random(4);
        ASSERT_EQ(c.run(0, method, 4), qrxStatusOk);
        Case<P8u> fresh(2, 11, 3);
        EXPECT_EQ(c.dst.all_bytes(), fresh.dst.all_bytes()) << "method " << method;
    }
    for (int method = 0; method <= 4; ++method) {
        Case<P16s> c(1, 11, 3);
        c.fill_random(4);
        ASSERT_EQ(c.run(0, method, 1), qrxStatusLevelsRange);
        ASSERT_EQ(c.run(-3, method, 4), qrxStatusNoiseRange);
        Case<P16s> fresh(1, 11, 3);
        EXPECT_EQ(c.dst.all_bytes(), fresh.dst.all_bytes());
    }
}

// Anchors of the quantiser model (the sweeps compare with it): the thresholds
// of four levels, and white dimmed to 254 at 42 levels.
TEST(ReduceBitsWorked, LevelTablesOf8u) {
    std::vector<Qrx8u> src(256), dst(256);
    for (int i = 0; i < 256; ++i) src[i] = static_cast<Qrx8u>(i);
    ASSERT_EQ(qrxiReduceBits_8u_C1R(src.data(), 256, dst.data(), 256, QrxSize{256, 1}, 0, 0, 4), qrxStatusOk);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(dst[i], i <= 42 ? 0 : i <= 127 ? 85 : i <= 212 ? 170 : 255) << i;
    ASSERT_EQ(qrxiReduceBits_8u_C1R(src.data(), 256, dst.data(), 256, QrxSize{256, 1}, 0, 0, 42), qrxStatusOk);
    EXPECT_EQ(dst[255], 254);
}

TEST(ReduceBitsWorked, ZeroStepRepeatsTheRow) {
    std::vector<Qrx8u> s8(5, 200), d8(5, 0);
    ASSERT_EQ(qrxiReduceBits_8u_C1R(s8.data(), 0, d8.data(), 0, QrxSize{5, 4}, 0, qrxDitherMethodOrdered4x4, 2),
              qrxStatusOk);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(d8[x], ordered<P8u>(200, x, 3, 2, nullptr));
}

TEST(ReduceBitsNoise, TablesMatchTheGenerator) {
    for (auto [low, high] : {std::pair{0.0, 1.0}, {-0.37f, 0.37f}, {12.5, 112.5}}) {
        qrx::reducebits::NoiseTables t;
        ASSERT_EQ(t.build(low, high), qrxStatusOk);
        const Noise model(low, high);
        for (int i = 0; i < 1024; ++i) {
            EXPECT_EQ(t.index[i], model.index[i]);
            EXPECT_EQ(t.value[i], model.value[i]);
        }
        t.release();
    }
    // both tables come from one sequence: index = trunc(u * 1024 scale + 512)
    const Noise n(0.0, 1024.0);
    for (int i = 0; i < 1024; ++i) EXPECT_EQ(n.index[i], static_cast<int>(n.value[i])) << i;
    EXPECT_EQ(qrx::testing_hooks::live_blocks(), 0);
}

// Out-of-range float samples across whole vector blocks (not only the tails):
// every level gives the same bytes, and the plain quantiser ends on the lowest
// or highest output.
TEST(ReduceBitsWorked, FloatSpecialsAtEveryLevel) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float specials[10] = {-0.5f, -1e30f, 1.5f, 1e30f, nan, inf, -inf, 1.0f, 3e9f, -3e9f};
    std::vector<float> src(4 * 70);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = specials[(i * 7) % 10];
    for (int method : {0, 4})
        for (int layout = 0; layout < 4; ++layout)
            qrxtest::expect_same_at_all_levels([&] {
                std::vector<Qrx8u> d8(src.size(), 3);
                std::vector<Qrx16s> d16(src.size(), 3);
                std::vector<Qrx16u> du(src.size(), 3);
                const int w = 70;
                const QrxSize roi{w, 1};
                EXPECT_EQ(P32f8u::kFns[layout](src.data(), 0, d8.data(), 0, roi, 0, method, 9), qrxStatusOk);
                EXPECT_EQ(P32f16s::kFns[layout](src.data(), 0, d16.data(), 0, roi, 0, method, 9), qrxStatusOk);
                EXPECT_EQ(P32f16u::kFns[layout](src.data(), 0, du.data(), 0, roi, 0, method, 9), qrxStatusOk);
                if (method == 0)
                    for (int x = 0; x < w; ++x)
                        for (int c = 0; c < channels(layout); ++c) {
                            const std::size_t i = static_cast<std::size_t>(x * stride(layout) + c);
                            const float v = src[i];
                            const bool high = v > 1.0f;
                            const bool low = !(v >= 0.0f);  // negative or NaN
                            if (high) EXPECT_EQ(d8[i], 255);
                            if (low) EXPECT_EQ(d8[i], 0);
                            if (high) EXPECT_EQ(d16[i], 32767);
                            if (low) EXPECT_EQ(d16[i], -32768);
                            if (high) EXPECT_EQ(du[i], 65535);
                        }
                std::vector<std::uint8_t> bytes(d8.begin(), d8.end());
                for (Qrx16s v : d16) bytes.push_back(static_cast<std::uint8_t>(v)), bytes.push_back(static_cast<std::uint8_t>(v >> 8));
                for (Qrx16u v : du) bytes.push_back(static_cast<std::uint8_t>(v)), bytes.push_back(static_cast<std::uint8_t>(v >> 8));
                return bytes;
            });
}

// Negative steps: rows run upwards from the given pointers, under every method.
TYPED_TEST(ReduceBitsPairs, NegativeStepsWalkRowsUpwards) {
    using P = TypeParam;
    using In = typename P::In;
    using Out = typename P::Out;
    ThreadCount single(1);
    const int w = 70, h = 6, layout = 1, n = w * 3;
    for (int method = 0; method <= 4; ++method) {
        Case<P> ref(layout, w, h);
        ref.fill_random(77);
        ASSERT_EQ(ref.run(10, method, 5), qrxStatusOk);
        // the same image stored bottom row first
        std::vector<In> src(static_cast<std::size_t>(n) * h);
        std::vector<Out> dst(static_cast<std::size_t>(n) * h);
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < n; ++i) src[static_cast<std::size_t>((h - 1 - y) * n + i)] = ref.in(i / 3, y, i % 3);
        const int src_step = -static_cast<int>(n * sizeof(In)), dst_step = -static_cast<int>(n * sizeof(Out));
        ASSERT_EQ(P::kFns[layout](src.data() + (h - 1) * n, src_step, dst.data() + (h - 1) * n, dst_step, QrxSize{w, h},
                                  10, method, 5),
                  qrxStatusOk);
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < n; ++i)
                ASSERT_EQ(dst[static_cast<std::size_t>((h - 1 - y) * n + i)], ref.out(i / 3, y, i % 3))
                    << "method " << method << " row " << y << " sample " << i;
    }
}
