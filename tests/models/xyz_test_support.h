// Test support of the XYZ, LUV and Lab conversions: typed guarded images,
// a runner that checks every destination sample against a per-pixel model
// (which is told the pixel's position and the row width, so it applies the
// region plan itself), and a thread-count guard.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "qrxcc.h"
#include "qrxcore.h"
#include "support/test_image.h"
#include "support/fp_estimates.h"
#include "support/threads.h"

namespace xyztest {

using qrxtest::rcp;
using qrxtest::rcp1;
using qrxtest::rne;
using qrxtest::ThreadCount;

// A guarded image of w x h pixels of `ch` samples of T; the row pad keeps
// the step a multiple of the sample size.
template <class T>
struct Img {
    int w, h, ch;
    qrxtest::GuardedImage g;
    Img(int w_, int h_, int ch_, int pad_samples = 3)
        : w(w_), h(h_), ch(ch_), g(w_ * ch_ * static_cast<int>(sizeof(T)), h_, pad_samples * static_cast<int>(sizeof(T))) {}
    T* ptr() { return g.as<T>(); }
    int step() const { return g.step(); }
    T& at(int x, int y, int c) { return reinterpret_cast<T*>(g.row(y))[x * ch + c]; }
};

// Sample generators per type: the whole range of integers, or floats in [lo, hi].
template <class T>
struct Gen {
    std::mt19937 rng;
    std::array<float, 3> lo{0, 0, 0}, hi{1, 1, 1};
    explicit Gen(std::uint32_t seed) : rng(seed) {}
    T operator()(int c) {
        if constexpr (std::is_same_v<T, float>) {
            const float u = static_cast<float>(rng() % 65536u) / 65535.0f;
            return lo[c] + (hi[c] - lo[c]) * u;
        } else {
            return static_cast<T>(rng());
        }
    }
};

// Model: (x, width, three source samples) -> three destination samples.
template <class S, class D>
using Model = std::function<std::array<D, 3>(int x, int width, const S* px)>;

template <class S, class D>
using Fn = QrxStatus (*)(const S*, int, D*, int, QrxSize);

// Runs fn on a random w x h image and compares every destination sample with
// the model; the fourth sample of AC4 destinations and all guard bytes must
// be untouched.
template <class S, class D>
void expect_model(Fn<S, D> fn, int ch, const Model<S, D>& model, int w, int h, std::uint32_t seed,
                  Gen<S> gen = Gen<S>(0)) {
    gen.rng.seed(seed);
    Img<S> src(w, h, ch);
    Img<D> dst(w, h, ch);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < ch; ++c) src.at(x, y, c) = gen(c % 3);
    ASSERT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {w, h}), qrxStatusOk);
    EXPECT_TRUE(dst.g.guards_intact()) << w << "x" << h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto want = model(x, w, &src.at(x, y, 0));
            for (int c = 0; c < 3; ++c) {
                const D got = dst.at(x, y, c);
                if (std::memcmp(&got, &want[c], sizeof(D)) != 0) {
                    ADD_FAILURE() << "w=" << w << " h=" << h << " x=" << x << " y=" << y << " c=" << c << " got "
                                  << +got << " want " << +want[c] << " src " << +src.at(x, y, 0) << ","
                                  << +src.at(x, y, 1) << "," << +src.at(x, y, 2);
                    return;
                }
            }
            if (ch == 4) {
                D guard;
                std::memset(&guard, qrxtest::kGuard, sizeof(D));
                ASSERT_EQ(std::memcmp(&dst.at(x, y, 3), &guard, sizeof(D)), 0) << "alpha written";
            }
        }
}

// One row at every width 1..max_w (across the group and lane boundaries);
// heights 2..5 at widths 1..17 and around 32 and 64.
template <class S, class D>
void sweep_model(Fn<S, D> fn, int ch, const Model<S, D>& model, Gen<S> gen = Gen<S>(0), int max_w = 70) {
    for (int w = 1; w <= max_w; ++w)
        for (int h = 1; h <= 5; ++h) {
            if (h > 1 && w > 17 && (w < 31 || w > 33) && (w < 63 || w > 65)) continue;
            ThreadCount t(1);  // thread invariance is tested on its own
            expect_model(fn, ch, model, w, h, static_cast<std::uint32_t>(w * 7 + h), gen);
            if (::testing::Test::HasFailure()) return;
        }
}

// Both layouts (C3 and AC4) of one conversion against the same model.
template <class S, class D, class M3, class M4>
void sweep_c3_ac4(Fn<S, D> c3, Fn<S, D> ac4, const M3& model3, const M4& model4, Gen<S> gen = Gen<S>(0)) {
    sweep_model<S, D>(c3, 3, model3, gen);
    sweep_model<S, D>(ac4, 4, model4, gen);
}
template <class S, class D, class M>
void sweep_c3_ac4(Fn<S, D> c3, Fn<S, D> ac4, const M& model) {
    sweep_c3_ac4<S, D>(c3, ac4, model, model);
}

// One row of w equal pixels `in`; returns the destination pixel at x.
template <class S, class D>
std::array<D, 3> run1(Fn<S, D> fn, int ch, int w, int x, std::array<S, 3> in) {
    ThreadCount one(1);  // many tiny calls: no team start-up per call
    std::vector<S> s(static_cast<std::size_t>(w) * ch);
    std::vector<D> d(static_cast<std::size_t>(w) * ch);
    for (int i = 0; i < w; ++i)
        for (int c = 0; c < 3; ++c) s[i * ch + c] = in[c];
    EXPECT_EQ(fn(s.data(), w * ch * int(sizeof(S)), d.data(), w * ch * int(sizeof(D)), {w, 1}), qrxStatusOk);
    return {d[x * ch], d[x * ch + 1], d[x * ch + 2]};
}

// The destination bytes of one call on a fixed random image.
template <class S, class D>
std::vector<std::uint8_t> produce(Fn<S, D> fn, int ch, int w, int h, Gen<S> gen = Gen<S>(0), std::uint32_t seed = 5) {
    gen.rng.seed(seed);
    Img<S> src(w, h, ch);
    Img<D> dst(w, h, ch);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < ch; ++c) src.at(x, y, c) = gen(c % 3);
    EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {w, h}), qrxStatusOk);
    return dst.g.all_bytes();
}

// Same bytes at every dispatch level and at 1, 2, 3 and 8 threads.
template <class S, class D>
void expect_levels_and_threads(Fn<S, D> fn, int ch, Gen<S> gen = Gen<S>(0)) {
    qrxtest::expect_same_at_all_levels([&] { return produce(fn, ch, 61, 5, gen); });
    std::vector<std::uint8_t> ref;
    {
        ThreadCount t(1);
        ref = produce(fn, ch, 45, 17, gen);
    }
    for (int n : {2, 3, 8}) {
        ThreadCount t(n);
        EXPECT_EQ(produce(fn, ch, 45, 17, gen), ref) << n << " threads";
    }
}

// Check order: source null, destination null, then width, then height; on
// error nothing is written.
template <class S, class D>
void expect_checks(Fn<S, D> fn, int ch) {
    Img<S> src(4, 2, ch);
    Img<D> dst(4, 2, ch);
    EXPECT_EQ(fn(nullptr, src.step(), dst.ptr(), dst.step(), {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(fn(src.ptr(), src.step(), nullptr, dst.step(), {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {0, 2}), qrxStatusSizeError);
    EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {4, 0}), qrxStatusSizeError);
    EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {-1, 2}), qrxStatusSizeError);
    EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {4, -3}), qrxStatusSizeError);
    EXPECT_TRUE(dst.g.guards_intact());
    std::vector<std::uint8_t> untouched(dst.g.all_bytes().size(), qrxtest::kGuard);
    EXPECT_EQ(dst.g.all_bytes(), untouched);
    // Steps are not examined: zero (every row on the first) and negative steps.
    EXPECT_EQ(fn(src.ptr(), 0, dst.ptr(), 0, {4, 2}), qrxStatusOk);
    EXPECT_EQ(fn(reinterpret_cast<const S*>(src.g.row(1)), -src.step(), reinterpret_cast<D*>(dst.g.row(1)), -dst.step(), {4, 2}),
              qrxStatusOk);
}

}  // namespace xyztest
