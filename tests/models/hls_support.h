// Test support for the HLS, HSV and YCC functions: random samples with many
// ties and greys, the thread-count guard, and a runner that compares a
// pixel-order function with a per-pixel model over many widths and heights.
#pragma once

#include <gtest/gtest.h>
#include <immintrin.h>
#include <omp.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"
#include "support/fp_estimates.h"
#include "support/threads.h"

namespace hlstest {

using qrxtest::rcp;
using qrxtest::rcp1;
using qrxtest::rne;
inline int clampi(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

using qrxtest::ThreadCount;

// Samples: half of them from a small set so that ties and greys are common.
template <class T>
T sample(std::mt19937& rng) {
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

template <class T>
using PixelFn = QrxStatus (*)(const T*, int, T*, int, QrxSize);
template <class T>
using Model = void (*)(const T* in, T* out, bool grouped);

// A T image inside guard bytes; `pad` bytes of padding after each row.
template <class T>
struct Img {
    Img(int w, int h, int ch, int pad) : g(w * ch * static_cast<int>(sizeof(T)), h, pad), w(w), ch(ch) {}
    T* row(int r) { return reinterpret_cast<T*>(g.row(r)); }
    T* base() { return row(0); }
    qrxtest::GuardedImage g;
    int w, ch;
};

// Runs fn on a random image and compares with the model pixel by pixel
// (pixels in whole groups from the row start get the grouped model).
// Destination samples the model does not produce (alpha) must keep their value.
template <class T>
void expect_matches_model(PixelFn<T> fn, Model<T> model, int ch, int group, int w, int h, std::uint32_t seed) {
    std::mt19937 rng(seed);
    const int pad = 3 * static_cast<int>(sizeof(T));
    Img<T> src(w, h, ch, pad), dst(w, h, ch, pad);
    for (int r = 0; r < h; ++r)
        for (int i = 0; i < w * ch; ++i) {
            src.row(r)[i] = sample<T>(rng);
            dst.row(r)[i] = sample<T>(rng);
        }
    std::vector<T> expect;
    for (int r = 0; r < h; ++r) {
        std::vector<T> row(dst.row(r), dst.row(r) + w * ch);
        const int body = w / group * group;
        for (int x = 0; x < w; ++x) model(src.row(r) + x * ch, row.data() + x * ch, x < body);
        expect.insert(expect.end(), row.begin(), row.end());
    }
    ASSERT_EQ(fn(src.base(), src.g.step(), dst.base(), dst.g.step(), {w, h}), qrxStatusOk);
    std::vector<T> got;
    for (int r = 0; r < h; ++r) got.insert(got.end(), dst.row(r), dst.row(r) + w * ch);
    ASSERT_EQ(0, std::memcmp(got.data(), expect.data(), got.size() * sizeof(T))) << "width " << w << " height " << h;
    for (std::size_t i = 0; i < got.size(); ++i)
        if (std::memcmp(&got[i], &expect[i], sizeof(T)) != 0) {
            ADD_FAILURE() << "first difference at sample " << i << " (pixel " << (i / ch) % w << ", channel " << i % ch
                          << "): got " << +got[i] << " expected " << +expect[i];
            break;
        }
    EXPECT_TRUE(dst.g.guards_intact());
}

// Widths around every group boundary, heights 1..3.
template <class T>
void expect_matches_model_all_sizes(PixelFn<T> fn, Model<T> model, int ch, int group) {
    ThreadCount one(1);  // thread counts are covered by expect_level_and_thread_invariant
    std::uint32_t seed = 1;
    for (int w = 1; w <= 26; ++w) expect_matches_model(fn, model, ch, group, w, 1 + w % 5, seed++);
    for (int w : {31, 32, 33, 47, 48, 49, 63, 64, 65, 129}) expect_matches_model(fn, model, ch, group, w, 2, seed++);
}

// The bytes fn writes for a fixed random image, at the current level and thread count.
template <class T>
std::vector<std::uint8_t> output_of(PixelFn<T> fn, int ch, int w, int h, std::uint32_t seed = 7) {
    std::mt19937 rng(seed);
    const int pad = 2 * static_cast<int>(sizeof(T));
    Img<T> src(w, h, ch, pad), dst(w, h, ch, pad);
    for (int r = 0; r < h; ++r)
        for (int i = 0; i < w * ch; ++i) {
            src.row(r)[i] = sample<T>(rng);
            dst.row(r)[i] = T{};
        }
    fn(src.base(), src.g.step(), dst.base(), dst.g.step(), {w, h});
    return dst.g.all_bytes();
}

// Levels for the model comparisons: the reference and the highest one (the
// others are compared byte for byte by expect_level_and_thread_invariant).
inline std::vector<qrx::cpu::Level> model_levels() {
    std::vector<qrx::cpu::Level> out{qrx::cpu::Level::Scalar};
    if (qrx::cpu::detected() != qrx::cpu::Level::Scalar) out.push_back(qrx::cpu::detected());
    return out;
}

// Same bytes at every dispatch level, for every thread count, and from inside
// an enclosing parallel region (where the call runs serialized).
template <class T>
void expect_level_and_thread_invariant(PixelFn<T> fn, int ch) {
    const int w = 75, h = 23;
    std::vector<std::uint8_t> reference;
    {
        ThreadCount one(1);
        qrxtest::ForcedLevel scalar(qrx::cpu::Level::Scalar);
        reference = output_of(fn, ch, w, h);
    }
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel f(level);
        ThreadCount one(1);
        EXPECT_EQ(output_of(fn, ch, w, h), reference) << qrx::cpu::level_name(level);
    }
    for (int threads : {2, 3, 8}) {
        ThreadCount tc(threads);
        EXPECT_EQ(output_of(fn, ch, w, h), reference) << "threads " << threads;
    }
    ThreadCount tc(4);
    omp_set_max_active_levels(1);
    std::vector<std::uint8_t> inner[2];
#pragma omp parallel num_threads(2)
    inner[omp_get_thread_num() & 1] = output_of(fn, ch, w, h);
    EXPECT_EQ(inner[0], reference);
    if (!inner[1].empty()) EXPECT_EQ(inner[1], reference);
}

// Null pointers, then size; no byte written on error.
template <class T>
void expect_pointer_then_size_checks(PixelFn<T> fn, int ch) {
    Img<T> src(4, 2, ch, 0), dst(4, 2, ch, 0);
    const auto before = dst.g.all_bytes();
    EXPECT_EQ(fn(nullptr, 0, dst.base(), 0, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(fn(src.base(), 0, nullptr, 0, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(fn(src.base(), src.g.step(), dst.base(), dst.g.step(), {0, 2}), qrxStatusSizeError);
    EXPECT_EQ(fn(src.base(), src.g.step(), dst.base(), dst.g.step(), {4, 0}), qrxStatusSizeError);
    EXPECT_EQ(fn(src.base(), src.g.step(), dst.base(), dst.g.step(), {4, -1}), qrxStatusSizeError);
    EXPECT_EQ(dst.g.all_bytes(), before);
}

// A zero step converts the same row again; a negative step walks upwards; a
// 16-bit or float byte step that is not a multiple of the sample size acts as
// the next lower multiple.
template <class T>
void expect_step_handling(PixelFn<T> fn, int ch) {
    const int w = 13, h = 3;
    std::mt19937 rng(99);
    Img<T> src(w, h, ch, 4 * sizeof(T)), dst(w, h, ch, 4 * sizeof(T)), ref(w, h, ch, 4 * sizeof(T));
    for (int r = 0; r < h; ++r)
        for (int i = 0; i < w * ch; ++i) src.row(r)[i] = sample<T>(rng), dst.row(r)[i] = ref.row(r)[i] = T{};
    ASSERT_EQ(fn(src.base(), src.g.step(), ref.base(), ref.g.step(), {w, h}), qrxStatusOk);
    // negative steps: start at the last row
    ASSERT_EQ(fn(src.row(h - 1), -src.g.step(), dst.row(h - 1), -dst.g.step(), {w, h}), qrxStatusOk);
    EXPECT_EQ(dst.g.all_bytes(), ref.g.all_bytes());
    if (sizeof(T) > 1) {
        Img<T> odd(w, h, ch, 4 * sizeof(T));
        odd.g.fill(0);
        ASSERT_EQ(fn(src.base(), src.g.step() + 1, odd.base(), odd.g.step() + static_cast<int>(sizeof(T)) - 1, {w, h}),
                  qrxStatusOk);
        EXPECT_EQ(odd.g.all_bytes(), ref.g.all_bytes());
    }
    // zero steps: every row reads and writes row 0
    Img<T> zero(w, 1, ch, 0);
    zero.g.fill(0);
    ASSERT_EQ(fn(src.base(), 0, zero.base(), 0, {w, 5}), qrxStatusOk);
    EXPECT_EQ(0, std::memcmp(zero.base(), ref.base(), w * ch * sizeof(T)));
}

}  // namespace hlstest
