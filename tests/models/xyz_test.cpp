// RGB <-> XYZ: worked values, the grouped/per-pixel region plan of 8u,
// single-precision truncation, saturation and clamps, checks, levels, threads.
#include <gtest/gtest.h>

#include <cmath>

#include "support/pixel_fn.h"

using namespace pixfn;

namespace {

int c255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// 8u forward: whole groups of G from the row start by the 15-bit set.
template <int G>
std::array<Qrx8u, 3> m_fwd8(int x, int w, const Qrx8u* p) {
    const int r = p[0], g = p[1], b = p[2];
    if (x < w / G * G)
        return {Qrx8u(std::min(255, (13515 * r + 11717 * g + 5912 * b) >> 15)),
                Qrx8u(std::min(255, (6969 * r + 23434 * g + 2365 * b) >> 15)),
                Qrx8u(std::min(255, (634 * r + 3906 * g + 31137 * b) >> 15))};
    return {Qrx8u((27030 * r + 23434 * g + 11824 * b) >> 16), Qrx8u((13937 * r + 46868 * g + 4729 * b) >> 16),
            Qrx8u(c255((1267 * r + 7811 * g + 62274 * b) >> 16))};
}
template <int G>
std::array<Qrx8u, 3> m_inv8(int x, int w, const Qrx8u* p) {
    const int X = p[0], Y = p[1], Z = p[2];
    if (x < w / G * G)
        return {Qrx8u(c255((26546 * X - 12591 * Y - 4083 * Z) >> 13)),
                Qrx8u(c255((-7939 * X + 15368 * Y + 340 * Z) >> 13)), Qrx8u(c255((456 * X - 1671 * Y + 8661 * Z) >> 13))};
    return {Qrx8u(c255((212368 * X - 100738 * Y - 32671 * Z) >> 16)),
            Qrx8u(c255((-63521 * X + 122944 * Y + 2723 * Z) >> 16)),
            Qrx8u(c255((3646 * X - 13372 * Y + 69291 * Z) >> 16))};
}

std::array<float, 3> fwd_f(float r, float g, float b) {
    float x = 0.412453f * r;
    x = x + 0.35758f * g;
    x = x + 0.180423f * b;
    float y = 0.212671f * r;
    y = y + 0.71516f * g;
    y = y + 0.072169f * b;
    float z = 0.019334f * r;
    z = z + 0.119193f * g;
    z = z + 0.950227f * b;
    return {x, y, z};
}
std::array<float, 3> inv_f(float x, float y, float z) {
    return {3.240479f * x - 1.53715f * y - 0.498535f * z, -0.969256f * x + 1.875991f * y + 0.041556f * z,
            0.055648f * x - 0.204043f * y + 1.057311f * z};
}
// trunc, then saturated to 0..65535
int sat16(float v) {
    const double t = std::trunc(static_cast<double>(v));
    return t < 0 ? 0 : t > 65535 ? 65535 : static_cast<int>(t);
}
float c01(float v) { return v < 0 ? 0.0f : v > 1 ? 1.0f : v; }

std::array<Qrx16u, 3> m_fwd16u(int, int, const Qrx16u* p) {
    const auto v = fwd_f(p[0], p[1], p[2]);
    return {Qrx16u(sat16(v[0])), Qrx16u(sat16(v[1])), Qrx16u(sat16(v[2]))};
}
std::array<Qrx16u, 3> m_inv16u(int, int, const Qrx16u* p) {
    const auto v = inv_f(p[0], p[1], p[2]);
    return {Qrx16u(sat16(v[0])), Qrx16u(sat16(v[1])), Qrx16u(sat16(v[2]))};
}
std::array<Qrx16s, 3> m_fwd16s(int, int, const Qrx16s* p) {
    const auto v = fwd_f(p[0] + 32768.0f, p[1] + 32768.0f, p[2] + 32768.0f);
    return {Qrx16s(sat16(v[0]) - 32768), Qrx16s(sat16(v[1]) - 32768), Qrx16s(sat16(v[2]) - 32768)};
}
std::array<Qrx16s, 3> m_inv16s(int, int, const Qrx16s* p) {
    const auto v = inv_f(p[0] + 32768.0f, p[1] + 32768.0f, p[2] + 32768.0f);
    return {Qrx16s(sat16(v[0]) - 32768), Qrx16s(sat16(v[1]) - 32768), Qrx16s(sat16(v[2]) - 32768)};
}
std::array<float, 3> m_fwd32(int, int, const float* p) {
    const auto v = fwd_f(p[0], p[1], p[2]);
    return {v[0], v[1], c01(v[2])};
}
std::array<float, 3> m_inv32(int, int, const float* p) {
    const auto v = inv_f(p[0], p[1], p[2]);
    return {c01(v[0]), c01(v[1]), c01(v[2])};
}

// 8u: the grouped set on whole groups of 8 (C3) or 4 (AC4) from the row start.
std::vector<Case> xyz_cases() {
    const Gen<float> wide = float_range({-0.25f, -0.25f, -0.25f}, {1.25f, 1.25f, 1.25f});
    return {
        PIXFN_PAIR(RGBToXYZ_8u, m_fwd8<8>, m_fwd8<4>),     PIXFN_PAIR(XYZToRGB_8u, m_inv8<8>, m_inv8<4>),
        PIXFN_PAIR(RGBToXYZ_16u, m_fwd16u, m_fwd16u),      PIXFN_PAIR(XYZToRGB_16u, m_inv16u, m_inv16u),
        PIXFN_PAIR(RGBToXYZ_16s, m_fwd16s, m_fwd16s),      PIXFN_PAIR(XYZToRGB_16s, m_inv16s, m_inv16s),
        PIXFN_PAIR(RGBToXYZ_32f, m_fwd32, m_fwd32, wide),  PIXFN_PAIR(XYZToRGB_32f, m_inv32, m_inv32, wide),
    };
}

}  // namespace

TEST(XyzWorked, WhiteAndBlack8u) {
    // Grouped pixels: 6969 + 23434 + 2365 = 32768, so white gives Y = 255 by
    // the grouped coefficients (the published "(242, 254, 255) by either
    // recipe" holds only for the per-pixel set; the coefficients rule).
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToXYZ_8u_C3R, 3, 8, 0, {255, 255, 255}), (std::array<Qrx8u, 3>{242, 255, 255}));
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToXYZ_8u_AC4R, 4, 4, 3, {255, 255, 255}), (std::array<Qrx8u, 3>{242, 255, 255}));
    // Per-pixel: a row of 7 has no whole group of 8.
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToXYZ_8u_C3R, 3, 7, 6, {255, 255, 255}), (std::array<Qrx8u, 3>{242, 254, 255}));
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToXYZ_8u_AC4R, 4, 3, 0, {255, 255, 255}), (std::array<Qrx8u, 3>{242, 254, 255}));
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToXYZ_8u_C3R, 3, 9, 8, {0, 0, 0}), (std::array<Qrx8u, 3>{0, 0, 0}));
    EXPECT_EQ(run1<Qrx8u>(qrxiXYZToRGB_8u_C3R, 3, 9, 0, {0, 0, 0}), (std::array<Qrx8u, 3>{0, 0, 0}));
    // Bright blue-white: Z saturates at 255 by both recipes, X stays at most 242.
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToXYZ_8u_C3R, 3, 9, 8, {200, 230, 255})[2], 255);
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToXYZ_8u_C3R, 3, 9, 0, {200, 230, 255})[2], 255);
    for (int v = 0; v < 256; v += 15) EXPECT_LE(run1<Qrx8u>(qrxiRGBToXYZ_8u_C3R, 3, 9, 8, {255, 255, Qrx8u(v)})[0], 242);
}

TEST(XyzModel, EveryFunction) { run_all(xyz_cases(), &Case::model); }

TEST(XyzFrame, ChecksAndSteps) { run_all(xyz_cases(), &Case::checks); }

TEST(XyzFrame, LevelsAndThreads) { run_all(xyz_cases(), &Case::levels); }
