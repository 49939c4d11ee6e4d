// Test support of the pixel-order conversions (HLS, HSV, YCC, XYZ, LUV, Lab):
// typed guarded images, sample generators, a runner that checks every
// destination sample against a per-pixel model (told the pixel's position and
// the row width, so it applies the region plan itself), and the frame checks
// every function gets: dispatch levels, thread counts, check order and steps.
#pragma once

#include <gtest/gtest.h>
#include <omp.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "qrxcc.h"
#include "support/fp_estimates.h"
#include "support/test_image.h"
#include "support/threads.h"

namespace pixfn {

using qrxtest::rcp;
using qrxtest::rcp1;
using qrxtest::rne;
using qrxtest::ThreadCount;
inline int clampi(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

template <class S, class D>
using Fn = QrxStatus (*)(const S*, int, D*, int, QrxSize);
// (x, row width, the pixel's source samples) -> its three destination samples.
template <class S, class D>
using Model = std::function<std::array<D, 3>(int x, int width, const S* px)>;
// (generator, channel) -> one source sample.
template <class T>
using Gen = std::function<T(std::mt19937&, int channel)>;

// A guarded image of w x h pixels of `ch` samples of T; the row pad keeps the
// step a multiple of the sample size.
template <class T>
struct Img {
    int w, h, ch;
    qrxtest::GuardedImage g;
    Img(int w_, int h_, int ch_, int pad_samples = 3)
        : w(w_), h(h_), ch(ch_), g(w_ * ch_ * static_cast<int>(sizeof(T)), h_, pad_samples * static_cast<int>(sizeof(T))) {}
    T* ptr() { return g.as<T>(); }
    T* row(int y) { return reinterpret_cast<T*>(g.row(y)); }
    int step() const { return g.step(); }
    T& at(int x, int y, int c) { return row(y)[x * ch + c]; }
    void fill(const Gen<T>& gen, std::mt19937& rng) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < ch; ++c) at(x, y, c) = gen(rng, c % 3);
    }
    void fill_pattern() {  // a fixed pattern, so that a written alpha sample shows
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < g.row_bytes(); ++i) g.row(y)[i] = static_cast<std::uint8_t>(i * 131 + y * 17 + 0x5B);
    }
};

// Every value of an integer type; floats in [0, 1].
template <class T>
T uniform(std::mt19937& rng, int = 0) {
    if constexpr (std::is_same_v<T, float>)
        return static_cast<float>(rng() % 65536u) / 65535.0f;
    else
        return static_cast<T>(rng());
}

// Floats in [lo[c], hi[c]] for channel c.
inline Gen<float> float_range(std::array<float, 3> lo, std::array<float, 3> hi) {
    return [=](std::mt19937& rng, int c) { return lo[c] + (hi[c] - lo[c]) * uniform<float>(rng); };
}

// Half of the samples from a small set, so that ties and greys are common.
template <class T>
T sample(std::mt19937& rng, int = 0) {
    const bool special = (rng() & 1) != 0;
    if constexpr (std::is_same_v<T, std::uint8_t>) {
        static const int set[] = {0, 1, 2, 127, 128, 200, 254, 255};
        return static_cast<T>(special ? set[rng() % 8] : rng() & 255);
    } else if constexpr (std::is_same_v<T, std::uint16_t>) {
        static const int set[] = {0, 1, 1000, 32767, 32768, 40092, 65534, 65535};
        return static_cast<T>(special ? set[rng() % 8] : rng() & 65535);
    } else if constexpr (std::is_same_v<T, std::int16_t>) {
        static const int set[] = {-32768, -32767, -1, 0, 1, 7324, 32766, 32767};
        return static_cast<T>(special ? set[rng() % 8] : static_cast<int>(rng() & 65535) - 32768);
    } else {
        static const float set[] = {0.0f, 0.25f, 0.5f, 1.0f, 1e-8f, 0.3333f, 0.75f, 0.999f};
        return special ? set[rng() % 8] : static_cast<float>(rng() % 1000001) / 1000000.0f;
    }
}

// Half of the samples from eight dark values starting at zero (8u: 0..7;
// 16-bit: steps of 73 from the bottom of the range; float: steps of 1/900),
// so that each channel and the weighted sums of all three often fall below
// the CIE models' dark threshold (0.008856 of full scale), which uniform
// samples almost never reach.
template <class T>
T dark_or_uniform(std::mt19937& rng, int = 0) {
    if ((rng() & 1) == 0) return uniform<T>(rng);
    const int k = static_cast<int>(rng() % 8);
    if constexpr (std::is_same_v<T, float>)
        return static_cast<float>(k) / 900.0f;
    else if constexpr (std::is_same_v<T, std::uint8_t>)
        return static_cast<T>(k);
    else if constexpr (std::is_same_v<T, std::uint16_t>)
        return static_cast<T>(k * 73);
    else
        return static_cast<T>(k * 73 - 32768);
}

// Runs fn on a random w x h image and compares every destination sample with
// the model; the fourth sample of AC4 destinations and all guard bytes must
// keep their values.
template <class S, class D>
void expect_model(Fn<S, D> fn, int ch, const Model<S, D>& model, int w, int h, std::mt19937& rng, const Gen<S>& gen) {
    Img<S> src(w, h, ch);
    Img<D> dst(w, h, ch);
    src.fill(gen, rng);
    dst.fill_pattern();
    Img<D> before = dst;
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
            if (ch == 4) ASSERT_EQ(std::memcmp(&dst.at(x, y, 3), &before.at(x, y, 3), sizeof(D)), 0) << "alpha written";
        }
}

// Rows per width: heights 1..5 up to 17 and around 32 and 64 (the lane and
// group boundaries), a second height at 18..26, two rows around 48 and at 129.
inline std::vector<int> sweep_heights(int w) {
    auto near = [w](int m) { return w >= m - 1 && w <= m + 1; };
    if (w <= 17 || near(32) || near(64)) return {1, 2, 3, 4, 5};
    if (w <= 26 && w % 5 != 0) return {1, 1 + w % 5};
    if (near(48) || w == 129) return {1, 2};
    return {1};
}

// Every width 1..70 and 129 against the model, at the current level.
template <class S, class D>
void sweep_model(Fn<S, D> fn, int ch, const Model<S, D>& model, const Gen<S>& gen) {
    ThreadCount one(1);  // thread counts are covered by expect_levels_and_threads
    std::mt19937 rng(7);
    for (int w = 1; w <= 129; w = w == 70 ? 129 : w + 1)
        for (int h : sweep_heights(w)) {
            expect_model(fn, ch, model, w, h, rng, gen);
            if (::testing::Test::HasFailure()) return;
        }
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
std::vector<std::uint8_t> produce(Fn<S, D> fn, int ch, int w, int h, const Gen<S>& gen) {
    std::mt19937 rng(5);
    Img<S> src(w, h, ch);
    Img<D> dst(w, h, ch);
    src.fill(gen, rng);
    EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), {w, h}), qrxStatusOk);
    return dst.g.all_bytes();
}

// Levels for the model comparisons of the wider types: the reference and the
// highest one (the others give the same bytes by expect_levels_and_threads).
inline std::vector<qrx::cpu::Level> model_levels() {
    std::vector<qrx::cpu::Level> out{qrx::cpu::Level::Scalar};
    if (qrx::cpu::detected() != qrx::cpu::Level::Scalar) out.push_back(qrx::cpu::detected());
    return out;
}

// Same bytes at every dispatch level (rows shorter and longer than the widest
// vector body), for 2, 3 and 8 threads, and from inside an enclosing parallel
// region (where the call runs serialized).
template <class S, class D>
void expect_levels_and_threads(Fn<S, D> fn, int ch, const Gen<S>& gen) {
    const int w = 75, h = 23;
    for (auto size : {std::pair{61, 5}, std::pair{w, h}})
        qrxtest::expect_same_at_all_levels([&] {
            ThreadCount one(1);
            return produce(fn, ch, size.first, size.second, gen);
        });
    std::vector<std::uint8_t> reference;
    {
        ThreadCount one(1);
        reference = produce(fn, ch, w, h, gen);
    }
    for (int n : {2, 3, 8}) {
        ThreadCount t(n);
        EXPECT_EQ(produce(fn, ch, w, h, gen), reference) << n << " threads";
    }
    ThreadCount four(4);
    const int saved = omp_get_max_active_levels();
    omp_set_max_active_levels(1);
    std::vector<std::uint8_t> inner[2];
#pragma omp parallel num_threads(2)
    inner[omp_get_thread_num() & 1] = produce(fn, ch, w, h, gen);
    omp_set_max_active_levels(saved);
    EXPECT_EQ(inner[0], reference) << "inside a parallel region";
    if (!inner[1].empty()) EXPECT_EQ(inner[1], reference) << "inside a parallel region";
}

// Check order: source null, destination null (whatever the steps), then the
// size, then the steps where the function checks them; on error nothing is
// written.  Unless the function checks its steps: a
// zero step converts the same row again, a negative one walks upwards, and an
// odd byte step of 16-bit and float images acts as the next lower multiple.
template <class S, class D>
void expect_checks(Fn<S, D> fn, int ch, const Gen<S>& gen, bool checks_steps = false) {
    {
        Img<S> src(4, 2, ch);
        Img<D> dst(4, 2, ch);
        const auto before = dst.g.all_bytes();
        for (bool zero : {true, false}) {
            const int ss = zero ? 0 : src.step(), ds = zero ? 0 : dst.step();
            EXPECT_EQ(fn(nullptr, ss, dst.ptr(), ds, {0, 0}), qrxStatusNullPointer);
            EXPECT_EQ(fn(src.ptr(), ss, nullptr, ds, {0, 0}), qrxStatusNullPointer);
        }
        for (QrxSize bad : {QrxSize{0, 2}, QrxSize{4, 0}, QrxSize{-1, 2}, QrxSize{4, -1}, QrxSize{4, -3}})
            EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), dst.step(), bad), qrxStatusSizeError)
                << bad.width << "x" << bad.height;
        if (checks_steps) {  // steps below one are refused, after the size
            EXPECT_EQ(fn(src.ptr(), 0, dst.ptr(), dst.step(), {0, 2}), qrxStatusSizeError);
            EXPECT_EQ(fn(src.ptr(), 0, dst.ptr(), dst.step(), {4, 2}), qrxStatusStepError);
            EXPECT_EQ(fn(src.ptr(), src.step(), dst.ptr(), -dst.step(), {4, 2}), qrxStatusStepError);
        }
        EXPECT_EQ(dst.g.all_bytes(), before);
    }
    if (checks_steps) return;
    const int w = 13, h = 3;
    std::mt19937 rng(99);
    Img<S> src(w, h, ch, 4);
    Img<D> ref(w, h, ch, 4), up(w, h, ch, 4);
    src.fill(gen, rng);
    ASSERT_EQ(fn(src.ptr(), src.step(), ref.ptr(), ref.step(), {w, h}), qrxStatusOk);
    ASSERT_EQ(fn(src.row(h - 1), -src.step(), up.row(h - 1), -up.step(), {w, h}), qrxStatusOk);
    EXPECT_EQ(up.g.all_bytes(), ref.g.all_bytes()) << "negative steps";
    if (sizeof(S) > 1 && sizeof(D) > 1) {
        Img<D> odd(w, h, ch, 4);
        ASSERT_EQ(fn(src.ptr(), src.step() + 1, odd.ptr(), odd.step() + static_cast<int>(sizeof(D)) - 1, {w, h}),
                  qrxStatusOk);
        EXPECT_EQ(odd.g.all_bytes(), ref.g.all_bytes()) << "odd byte steps";
    }
    Img<D> zero(w, 1, ch, 0);
    ASSERT_EQ(fn(src.ptr(), 0, zero.ptr(), 0, {w, 5}), qrxStatusOk);
    EXPECT_EQ(0, std::memcmp(zero.ptr(), ref.ptr(), w * ch * sizeof(D))) << "zero steps";
    EXPECT_TRUE(zero.g.guards_intact());
}

// One function with its model and its frame checks, whatever its sample types.
struct Case {
    std::string name;
    std::function<void()> model;   // every width against the model
    std::function<void()> checks;  // check order and steps
    std::function<void()> levels;  // same bytes at every level and thread count
};

template <class T>
struct Same {  // keeps a parameter out of template argument deduction
    using type = T;
};

// The case of fn, its model sweeps at each of `levels`.
template <class S, class D>
Case make_case(const char* name, Fn<S, D> fn, int ch, const Model<S, D>& model, const Gen<S>& gen, bool checks_steps,
               const std::vector<qrx::cpu::Level>& levels) {
    Case c{name, nullptr, nullptr, nullptr};
    c.model = [=] {
        for (auto level : levels) {
            qrxtest::ForcedLevel forced(level);
            SCOPED_TRACE(qrx::cpu::level_name(level));
            sweep_model(fn, ch, model, gen);
        }
    };
    c.checks = [=] { expect_checks(fn, ch, gen, checks_steps); };
    c.levels = [=] { expect_levels_and_threads(fn, ch, gen); };
    return c;
}

// A function with a position-aware model; 8-bit ones (whose region plans
// depend on the level) are swept at every level, the others at the highest.
template <class S, class D>
Case pixel_case(const char* name, Fn<S, D> fn, int ch, typename Same<Model<S, D>>::type model,
                typename Same<Gen<S>>::type gen = uniform<S>) {
    const bool bytes = sizeof(S) == 1 && sizeof(D) == 1;
    return make_case(name, fn, ch, model, gen, false,
                     bytes ? qrxtest::available_levels() : std::vector<qrx::cpu::Level>{qrx::cpu::detected()});
}

// A function whose model is written as (in, out, grouped), where the pixels in
// whole groups of `group` from the row start are the grouped ones; samples
// with many ties and greys; swept at the reference and the highest level.
template <class T>
Case grouped_case(const char* name, Fn<T, T> fn, int ch, int group, void (*model)(const T*, T*, bool),
                  bool checks_steps = false) {
    const Model<T, T> m = [=](int x, int w, const T* px) {
        std::array<T, 3> out{};
        model(px, out.data(), x < w / group * group);
        return out;
    };
    return make_case<T, T>(name, fn, ch, m, sample<T>, checks_steps, model_levels());
}

// The C3 and AC4 members of one conversion, with their models (and, for
// pixel_case, an optional sample generator); grouped ones in groups of g3 and 4.
#define PIXFN_PAIR(NAME, m3, m4, ...)                                                       \
    pixfn::pixel_case(#NAME "_C3R", qrxi##NAME##_C3R, 3, m3, ##__VA_ARGS__),                \
        pixfn::pixel_case(#NAME "_AC4R", qrxi##NAME##_AC4R, 4, m4, ##__VA_ARGS__)
#define PIXFN_GROUPED_PAIR(NAME, g3, model) \
    pixfn::grouped_case(#NAME "_C3R", qrxi##NAME##_C3R, 3, g3, model), pixfn::grouped_case(#NAME "_AC4R", qrxi##NAME##_AC4R, 4, 4, model)

// Runs one action of every case under the case's name.
inline void run_all(const std::vector<Case>& cases, std::function<void()> Case::*action) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        (c.*action)();
    }
}

}  // namespace pixfn
