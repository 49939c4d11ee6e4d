// BGR <-> Lab: table rows, worked values, linear segments, rounding, the
// inverse without a linear segment, byte steps on both sides, checks,
// levels, threads and round trips.
#include <gtest/gtest.h>

#include <cmath>

#include "models/lab_recipes.h"
#include "support/pixel_fn.h"

using namespace pixfn;
namespace lut = qrx::xyzlab;

namespace {

float cr(float v, bool long_series) {
    int j = static_cast<int>(127.99805f * v);
    if (j > 127) j = 127;
    const float c = lut::kLabCubeRoot[j][0], k = lut::kLabCubeRoot[j][1];
    const float t = (v - c * c * c) * k;
    float p = t, s = 1.0f + t * 0.33333334f;
    p = p * t; s = s - p * 0.11111111f;
    p = p * t; s = s + p * 0.061728396f;
    p = p * t; s = s - p * 0.041152265f;
    p = p * t; s = s + p * 0.030178327f;
    p = p * t; s = s - p * 0.023472032f;
    if (long_series) {
        p = p * t; s = s + p * 0.0190012f;
        p = p * t; s = s - p * 0.0158343f;
    }
    return s * c;
}
float f(float v, bool ls) { return v > 0.008856f ? cr(v, ls) : v * 7.787f + 0.13793103f; }

std::array<float, 3> lab_star(const Qrx8u* bgr, bool ls) {
    const float b = bgr[0], g = bgr[1], r = bgr[2];
    const float x = (r * 0.412453f + 0.35758f * g + 0.180423f * b) * 0.0041259914f;
    const float y = (r * 0.212671f + 0.71516f * g + 0.072169f * b) * 0.003921569f;
    const float z = (r * 0.019334f + 0.119193f * g + 0.950227f * b) * 0.0036018905f;
    const float l = y > 0.008856f ? cr(y, ls) * 116.0f - 16.0f : y * 903.3f;
    return {l, f(x, ls) - f(y, ls), f(y, ls) - f(z, ls)};
}
std::array<Qrx8u, 3> m_fwd8(int, int, const Qrx8u* p) {
    const auto s = lab_star(p, false);
    return {Qrx8u(rne(s[0] * 2.55f)), Qrx8u(rne(s[1] * 500.0f + 128.0f)), Qrx8u(rne(s[2] * 200.0f + 128.0f))};
}
std::array<Qrx16u, 3> m_fwd16(int, int, const Qrx8u* p) {
    const auto s = lab_star(p, true);
    return {Qrx16u(rne(s[0] * 655.35f)), Qrx16u(rne((s[1] * 500.0f + 128.0f) * 255.0f)),
            Qrx16u(rne((s[2] * 200.0f + 128.0f) * 255.0f))};
}
Qrx8u round_clamp(float v) {
    const int i = rne(v);
    return Qrx8u(i < 0 ? 0 : i > 255 ? 255 : i);
}
std::array<Qrx8u, 3> inv(float ls, float a, float b) {
    const float fy = (ls + 16.0f) * 0.00862069f;
    const float fx = fy + (a - 128.0f) * 0.002f;
    const float fz = fy - (b - 128.0f) * 0.005f;
    const float y = fy * fy * fy * 255.0f, x = fx * fx * fx * 242.366f, z = fz * fz * fz * 277.632f;
    return {round_clamp(x * 0.055648f + y * -0.204043f + z * 1.057311f),
            round_clamp(x * -0.969256f + y * 1.875991f + z * 0.041556f),
            round_clamp(x * 3.240479f + y * -1.53715f + z * -0.498535f)};
}
std::array<Qrx8u, 3> m_inv8(int, int, const Qrx8u* p) { return inv(p[0] * 0.39215687f, p[1], p[2]); }
std::array<Qrx8u, 3> m_inv16(int, int, const Qrx16u* p) {
    return inv(p[0] * 0.0015259022f, p[1] * 0.003921569f, p[2] * 0.003921569f);
}

template <class S, class D>
std::array<D, 3> run1(Fn<S, D> fn, std::array<S, 3> in, int w = 5, int x = 4) {
    return pixfn::run1<S, D>(fn, 3, w, x, in);
}

std::vector<Case> lab_cases() {
    return {
        pixel_case("BGRToLab_8u_C3R", qrxiBGRToLab_8u_C3R, 3, m_fwd8, dark_or_uniform<Qrx8u>),
        pixel_case("LabToBGR_8u_C3R", qrxiLabToBGR_8u_C3R, 3, m_inv8),
        pixel_case("BGRToLab_8u16u_C3R", qrxiBGRToLab_8u16u_C3R, 3, m_fwd16, dark_or_uniform<Qrx8u>),
        pixel_case("LabToBGR_16u8u_C3R", qrxiLabToBGR_16u8u_C3R, 3, m_inv16),
    };
}

}  // namespace

TEST(LabTables, CubeRootRows) {
    const float given[6][3] = {{0, 0.199269f, 126.3804f}, {1, 0.250533f, 63.59204f}, {2, 0.286586f, 42.48475f},
                               {64, 0.797869f, 1.968813f}, {126, 0.997428f, 1.007757f}, {127, 1.000038f, 0.999885f}};
    for (const auto& g : given) {
        EXPECT_EQ(lut::kLabCubeRoot[int(g[0])][0], g[1]);
        EXPECT_EQ(lut::kLabCubeRoot[int(g[0])][1], g[2]);
    }
    for (int j = 0; j < 128; ++j) {
        const double c = lut::kLabCubeRoot[j][0], k = lut::kLabCubeRoot[j][1];
        EXPECT_NEAR(c * c * c, (j + 1.0128) / 128.0, 2e-5) << j;
        EXPECT_NEAR(k * c * c * c, 1.0, 2e-5) << j;
    }
}

TEST(LabWorked, BlackWhiteGrey) {
    EXPECT_EQ((run1<Qrx8u, Qrx8u>(qrxiBGRToLab_8u_C3R, {0, 0, 0})), (std::array<Qrx8u, 3>{0, 128, 128}));
    EXPECT_EQ((run1<Qrx8u, Qrx16u>(qrxiBGRToLab_8u16u_C3R, {0, 0, 0})), (std::array<Qrx16u, 3>{0, 32640, 32640}));
    // No linear segment on the way back: L = 0 gives Y = 255 (16/116)^3 ~ 0.669.
    EXPECT_EQ((run1<Qrx8u, Qrx8u>(qrxiLabToBGR_8u_C3R, {0, 128, 128})), (std::array<Qrx8u, 3>{1, 1, 1}));
    EXPECT_EQ((run1<Qrx16u, Qrx8u>(qrxiLabToBGR_16u8u_C3R, {0, 32640, 32640})), (std::array<Qrx8u, 3>{1, 1, 1}));
    const auto w = run1<Qrx8u, Qrx8u>(qrxiBGRToLab_8u_C3R, {255, 255, 255});
    EXPECT_EQ(w[0], 255);
    EXPECT_NEAR(w[1], 128, 1);
    EXPECT_NEAR(w[2], 128, 1);
    // Strongly negative a and b: negative X and Z before the matrix, clamped at 0.
    const auto neg = run1<Qrx8u, Qrx8u>(qrxiLabToBGR_8u_C3R, {40, 0, 255});
    EXPECT_EQ(neg[0], 0);
}

TEST(LabWorked, LinearSegment) {
    // Dark greys: y <= 0.008856 uses y * 903.3 for L* (grey 2: y = 0.00784).
    for (int v = 0; v <= 2; ++v) {
        const Qrx8u g = Qrx8u(v);
        const float y = (v * 0.212671f + 0.71516f * v + 0.072169f * v) * 0.003921569f;
        EXPECT_EQ((run1<Qrx8u, Qrx8u>(qrxiBGRToLab_8u_C3R, {g, g, g})[0]), rne(y * 903.3f * 2.55f));
    }
}

TEST(LabModel, AllFunctions) { run_all(lab_cases(), &Case::model); }

TEST(LabFrame, ByteStepsOnBothSides) {
    // The 16-bit side keeps an odd byte step as it is.
    std::vector<Qrx8u> src(3 * 3 * 2 + 16, 0);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = Qrx8u(i * 37);
    // Two rows at a 19-byte destination step: row 1 starts 19 bytes after row 0.
    alignas(4) Qrx8u dst[64];
    std::memset(dst, 0xEE, sizeof dst);
    ASSERT_EQ(qrxiBGRToLab_8u16u_C3R(src.data(), 9, reinterpret_cast<Qrx16u*>(dst), 19, {1, 2}), qrxStatusOk);
    Qrx16u row1[3];
    std::memcpy(row1, dst + 19, 6);
    EXPECT_EQ((std::array<Qrx16u, 3>{row1[0], row1[1], row1[2]}), m_fwd16(0, 1, src.data() + 9));
    EXPECT_EQ(dst[18], 0xEE);
}

TEST(LabFrame, ChecksAndSteps) { run_all(lab_cases(), &Case::checks); }

TEST(LabFrame, LevelsAndThreads) { run_all(lab_cases(), &Case::levels); }
