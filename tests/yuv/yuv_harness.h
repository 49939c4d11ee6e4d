// Test harness of the YUV family: guarded planes, random RGB/YUV sources, and
// a check that every dispatch level gives the model's bytes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "support/test_image.h"
#include "yuv/yuv_model.h"

namespace yuvtest {

using u8 = std::uint8_t;
using qrxtest::GuardedImage;

// Three guarded planes with their own row widths and heights.
struct Planes {
    std::array<GuardedImage, 3> img;
    // Steps differ from plane to plane unless `shared_step` (planes of one width).
    Planes(int w0, int h0, int w1, int h1, int w2, int h2, int pad = 5, bool shared_step = false)
        : img{GuardedImage(w0, h0, pad), GuardedImage(w1, h1, shared_step ? pad : pad + 2),
              GuardedImage(w2, h2, shared_step ? pad : pad + 4)} {}
    std::array<u8*, 3> ptr() { return {img[0].data(), img[1].data(), img[2].data()}; }
    std::array<const u8*, 3> cptr() { return {img[0].data(), img[1].data(), img[2].data()}; }
    std::array<int, 3> steps() const { return {img[0].step(), img[1].step(), img[2].step()}; }
    bool guards_intact() const {
        return img[0].guards_intact() && img[1].guards_intact() && img[2].guards_intact();
    }
    std::vector<u8> bytes() const {
        std::vector<u8> out;
        for (const auto& i : img) {
            auto b = i.roi_bytes();
            out.insert(out.end(), b.begin(), b.end());
        }
        return out;
    }
    void fill_random(std::uint32_t seed) {
        for (int p = 0; p < 3; ++p) img[p].fill_random(seed * 3 + static_cast<std::uint32_t>(p));
    }
};

// Random RGB model image with the colours that hit the clamps and extremes mixed in.
inline yuvmodel::Rgb random_rgb(int w, int h, std::uint32_t seed) {
    yuvmodel::Rgb s{w, h, {}, {}, {}};
    std::mt19937 rng(seed);
    const int extremes[][3] = {{255, 255, 255}, {0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 255, 255}, {255, 255, 0}};
    for (int i = 0; i < w * h; ++i) {
        const unsigned k = rng() % 16;
        if (k < 6) {
            s.r.push_back(extremes[k][0]);
            s.g.push_back(extremes[k][1]);
            s.b.push_back(extremes[k][2]);
        } else {
            s.r.push_back(static_cast<int>(rng() & 255));
            s.g.push_back(static_cast<int>(rng() & 255));
            s.b.push_back(static_cast<int>(rng() & 255));
        }
    }
    return s;
}

// Runs `produce` at every dispatch level and expects `expected` each time.
inline void expect_at_all_levels(const std::function<std::vector<u8>()>& produce, const std::vector<u8>& expected,
                                 const std::string& what) {
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel f(level);
        const std::vector<u8> got = produce();
        ASSERT_EQ(got.size(), expected.size()) << what;
        if (got != expected) {
            std::size_t i = 0;
            while (got[i] == expected[i]) ++i;
            FAIL() << what << " level " << qrx::cpu::level_name(level) << ": first difference at byte " << i << " got "
                   << int(got[i]) << " want " << int(expected[i]);
        }
    }
}

// Widths around every block boundary of the family (8, 16 and their pairs, and
// the 32- and 64-pixel steps of the wider registers).
inline std::vector<int> widths() {
    std::vector<int> w;
    for (int i = 1; i <= 70; ++i) w.push_back(i);
    for (int i : {79, 80, 81, 95, 96, 97, 127, 128, 129, 191, 192, 193, 255, 256, 257}) w.push_back(i);
    return w;
}

}  // namespace yuvtest
