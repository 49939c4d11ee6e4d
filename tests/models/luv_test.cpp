// RGB <-> LUV: tables, worked values, the black rules of grouped and
// remaining pixels, the estimate and division recipes of the inverse, checks,
// levels, threads and round trips.
#include <gtest/gtest.h>

#include <cmath>

#include "models/luv_recipes.h"
#include "support/pixel_fn.h"

using namespace pixfn;
namespace lut = qrx::xyzlab;

namespace {

struct XYZ {
    float x, y, z;
};
XYZ mat(float r, float g, float b) {
    XYZ o;
    o.x = 0.412453f * r;
    o.x = o.x + 0.35758f * g;
    o.x = o.x + 0.180423f * b;
    o.y = 0.212671f * r;
    o.y = o.y + 0.71516f * g;
    o.y = o.y + 0.072169f * b;
    o.z = 0.019334f * r;
    o.z = o.z + 0.119193f * g;
    o.z = o.z + 0.950227f * b;
    return o;
}

// (1 + t)^(1/3): 1 plus the terms t^n * a_n, n = 1.., added left to right.
float series(float t, int terms) {
    static const float a[8] = {0.33333334f, -0.11111111f, 0.061728396f, -0.041152265f,
                               0.030178327f, -0.023472032f, 0.01900117f, -0.015834307f};
    float s = 1.0f, p = 1.0f;
    for (int n = 0; n < terms; ++n) {
        p = p * t;
        const float term = p * std::fabs(a[n]);
        s = a[n] > 0 ? s + term : s - term;
    }
    return s;
}

std::array<Qrx8u, 3> m_fwd8(int, int, const Qrx8u* p) {
    const XYZ m = mat(p[0], p[1], p[2]);
    const float y = m.y / 255.0f;
    const int i = static_cast<int>(m.y + 0.49999f);
    const int l = lut::kLightness8u[i];
    float up = 0, vp = 0;
    if (i != 0) {
        const float x = m.x / 255.0f, z = m.z / 255.0f;
        const float den = z * 3.0f + x + 15.0f * y;
        up = x * 4.0f / den;
        vp = y * 9.0f / den;
    }
    const float fl = static_cast<float>(l);
    return {Qrx8u(l), Qrx8u(static_cast<int>(3.6723163f * fl * (up - 0.197839f) + 97.02542f)),
            Qrx8u(static_cast<int>(fl * 4.961832f * (vp - 0.468342f) + 136.75954f))};
}

int sat_rne(float v) { return v <= 0 ? 0 : v >= 65535 ? 65535 : rne(v); }

// 16u (kSigned false) and 16s models; grouped pixels: x < w / 4 * 4.
template <bool kSigned>
std::array<int, 3> m_fwd16(int xpos, int w, const float* rgb) {
    const XYZ m = mat(rgb[0], rgb[1], rgb[2]);
    const float den0 = m.z * 3.0f + m.y * 15.0f + m.x;
    float ls;
    if (m.y > 580.378f) {
        const int n = kSigned ? rne(m.y) : static_cast<int>(m.y);
        const int j = n >> 9;
        const float c = lut::kLuvCubeRoot[j][0], k = lut::kLuvCubeRoot[j][1];
        const float t = (m.y * 1.5259022e-5f - c * c * c) * k;
        ls = series(t, 6) * c * 116.0f - 16.0f;
    } else {
        ls = m.y * 1.5259022e-5f * 903.3f;
    }
    const int l = sat_rne(ls * 655.35f);
    const bool grouped = xpos < w / 4 * 4;
    if (den0 == 0.0f && !grouped) return {l, 0, 0};
    const float r = rcp1(den0 == 0.0f ? 3.0f : den0);
    const float u = ((m.x * 4.0f * r - 0.197839f) * (ls * 13.0f) + 134.0f) * 185.12712f;
    const float v = ((m.y * 9.0f * r - 0.468342f) * (ls * 13.0f) + 140.0f) * 250.13359f;
    return {l, sat_rne(u), sat_rne(v)};
}
std::array<Qrx16u, 3> m_fwd16u(int x, int w, const Qrx16u* p) {
    const float rgb[3] = {float(p[0]), float(p[1]), float(p[2])};
    const auto o = m_fwd16<false>(x, w, rgb);
    return {Qrx16u(o[0]), Qrx16u(o[1]), Qrx16u(o[2])};
}
std::array<Qrx16s, 3> m_fwd16s(int x, int w, const Qrx16s* p) {
    const float rgb[3] = {p[0] + 32768.0f, p[1] + 32768.0f, p[2] + 32768.0f};
    const auto o = m_fwd16<true>(x, w, rgb);
    return {Qrx16s(o[0] - 32768), Qrx16s(o[1] - 32768), Qrx16s(o[2] - 32768)};
}

std::array<float, 3> m_fwd32(int xpos, int w, const float* p) {
    const XYZ m = mat(p[0], p[1], p[2]);
    float ls;
    if (m.y > 0.008856f) {
        int j = static_cast<int>(m.y * 128.0f);
        if (j > 128) j = 128;
        const float c = lut::kLuvCubeRoot[j][0], k = lut::kLuvCubeRoot[j][1];
        ls = series((m.y - c * c * c) * k, 8) * c * 116.0f - 16.0f;
    } else {
        ls = m.y * 903.3f;
    }
    const float den0 = m.z * 3.0f + m.y * 15.0f + m.x;
    float up = 0, vp = 0;
    if (xpos < w / 4 * 4) {
        const float r = rcp1(den0 == 0.0f ? 3.0f : den0);
        up = m.x * 4.0f * r;
        vp = m.y * 9.0f * r;
    } else if (m.z != 0.0f) {
        const float r = rcp1(den0);
        up = m.x * 4.0f * r;
        vp = m.y * 9.0f * r;
    }
    return {ls, (up - 0.197839f) * (ls * 13.0f), (vp - 0.468342f) * (ls * 13.0f)};
}

int clamp_trunc(float v, float f) { return v > 0 ? (v < f ? static_cast<int>(v) : static_cast<int>(f)) : 0; }

// Inverse: grouped pixels by the estimate recipe, the rest by divisions.
std::array<int, 3> m_inv(int xpos, int w, int group, float l, float u, float v, float f, bool fine) {
    if (xpos < w / group * group) {
        const float kl = f == 255.0f ? 0.39215687f : 0.0015259022f;
        const float ku = f == 255.0f ? 1.3882353f : 0.0054016938f;
        const float kv = f == 255.0f ? 1.027451f : 0.0039978637f;
        if (l <= 9e-5f) l = l + 9e-5f;
        const float ls = l * kl;
        const float q = fine ? rcp1(13.0f * ls) : rcp(13.0f * ls);
        const float up = (u * ku - 134.0f) * q + 0.197839f;
        const float vp = (v * kv - 140.0f) * q + 0.468342f;
        const float fy = (ls + 16.0f) * 0.00862069f;
        const float yn = ls <= 7.9996247f ? 0.001107052f * ls : fy * (fy * fy);
        const float y = f * yn;
        const float t = (fine ? rcp1(vp) : rcp(vp)) * y;
        const float x = 2.25f * t * up;
        const float z = t * 3.0f - 5.0f * y - 0.33333334f * x;
        return {clamp_trunc(3.240479f * x - 1.53715f * y - 0.498535f * z, f),
                clamp_trunc(-0.969256f * x + 1.875991f * y + 0.041556f * z, f),
                clamp_trunc(0.055648f * x - 0.204043f * y + z * 1.057311f, f)};
    }
    const float ls = l * 100.0f / f;
    if (ls < 9e-5f) return {0, 0, 0};
    const float up = (u * 354.0f / f - 134.0f) / (ls * 13.0f) + 0.19783941f;
    const float vp = (v * 262.0f / f - 140.0f) / (ls * 13.0f) + 0.4683422f;
    float y = ls >= 7.9996247f ? ((16.0f + ls) / 116.0f) * ((16.0f + ls) / 116.0f) * ((16.0f + ls) / 116.0f)
                               : ls / 903.3f;
    y = y * f;
    const float t = y / vp;
    const float x = 2.25f * t * up;
    const float z = t * 3.0f - 5.0f * y - x / 3.0f;
    const double b = double(0.055648f * x - 0.204043f * y) + 0.49998998641967773 + double(z) * 1.057311;
    return {clamp_trunc(0.49999f - 1.53715f * y + 3.240479f * x - 0.498535f * z, f),
            clamp_trunc(1.875991f * y + 0.49999f - 0.969256f * x + 0.041556f * z, f),
            b > 0 ? (b < f ? int(b) : int(f)) : 0};
}
template <int G>
std::array<Qrx8u, 3> m_inv8(int x, int w, const Qrx8u* p) {
    const auto o = m_inv(x, w, G, p[0], p[1], p[2], 255.0f, false);
    return {Qrx8u(o[0]), Qrx8u(o[1]), Qrx8u(o[2])};
}
std::array<Qrx16u, 3> m_inv16u(int x, int w, const Qrx16u* p) {
    const auto o = m_inv(x, w, 4, p[0], p[1], p[2], 65535.0f, true);
    return {Qrx16u(o[0]), Qrx16u(o[1]), Qrx16u(o[2])};
}
std::array<Qrx16s, 3> m_inv16s(int x, int w, const Qrx16s* p) {
    const auto o = m_inv(x, w, 4, p[0] + 32768.0f, p[1] + 32768.0f, p[2] + 32768.0f, 65535.0f, true);
    return {Qrx16s(o[0] - 32768), Qrx16s(o[1] - 32768), Qrx16s(o[2] - 32768)};
}
float c01(float v) { return v > 0 ? (v < 1 ? v : 1.0f) : 0.0f; }
std::array<float, 3> m_inv32(int, int, const float* p) {
    const float ls = p[0];
    if (ls < 9e-5f) return {0, 0, 0};
    const float q = (16.0f + ls) / 116.0f;
    const float y = ls >= 7.9996247f ? q * q * q : ls / 903.3f;
    const float up = p[1] / (ls * 13.0f) + 0.197839f, vp = p[2] / (ls * 13.0f) + 0.468342f;
    const float t = y / vp;
    const float x = 2.25f * t * up;
    const float z = t * 3.0f - 5.0f * y - x / 3.0f;
    return {c01(3.240479f * x - 1.53715f * y - 0.498535f * z), c01(-0.969256f * x + 1.875991f * y + 0.041556f * z),
            c01(0.055648f * x - 0.204043f * y + 1.057311f * z)};
}

std::vector<Case> luv_cases() {
    const Gen<float> luv = float_range({0.0f, -134.0f, -140.0f}, {100.0f, 220.0f, 122.0f});
    return {
        // forward: dark samples half the time, for the linear segment of L* and black
        PIXFN_PAIR(RGBToLUV_8u, m_fwd8, m_fwd8, dark_or_uniform<Qrx8u>),
        PIXFN_PAIR(RGBToLUV_16u, m_fwd16u, m_fwd16u, dark_or_uniform<Qrx16u>),
        PIXFN_PAIR(RGBToLUV_16s, m_fwd16s, m_fwd16s, dark_or_uniform<Qrx16s>),
        PIXFN_PAIR(RGBToLUV_32f, m_fwd32, m_fwd32, dark_or_uniform<float>),
        PIXFN_PAIR(LUVToRGB_8u, m_inv8<8>, m_inv8<4>), PIXFN_PAIR(LUVToRGB_16u, m_inv16u, m_inv16u),
        PIXFN_PAIR(LUVToRGB_16s, m_inv16s, m_inv16s),  PIXFN_PAIR(LUVToRGB_32f, m_inv32, m_inv32, luv),
    };
}

}  // namespace

TEST(LuvTables, LightnessRule) {
    const int first[8] = {0, 9, 18, 26, 33, 39, 44, 48};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lut::kLightness8u[i], first[i]);
    EXPECT_EQ(lut::kLightness8u[255], 255);
    for (int i = 0; i < 256; ++i) {
        const double y = i / 255.0;
        const double l = y > 0.008856 ? 116.0 * std::cbrt(y) - 16.0 : 903.3 * y;
        EXPECT_EQ(lut::kLightness8u[i], static_cast<int>(std::floor(2.55 * l + 0.5))) << i;
    }
}

TEST(LuvTables, CubeRootRows) {
    const float given[5][3] = {{0, 0.199268f, 126.3823f}, {1, 0.250532f, 63.593f}, {64, 0.797865f, 1.968843f},
                               {127, 1.000033f, 0.9999f}, {128, 1.0f, 1.0f}};
    for (const auto& g : given) {
        EXPECT_EQ(lut::kLuvCubeRoot[int(g[0])][0], g[1]);
        EXPECT_EQ(lut::kLuvCubeRoot[int(g[0])][1], g[2]);
    }
    for (int j = 0; j < 128; ++j) {
        const double c = lut::kLuvCubeRoot[j][0], k = lut::kLuvCubeRoot[j][1];
        EXPECT_NEAR(c * c * c, (512.0 * j + 518.55) / 65536.0, 2e-6 + 1e-5 * c) << j;
        EXPECT_NEAR(k * c * c * c, 1.0, 2e-5) << j;
    }
}

TEST(LuvWorked, Black) {
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToLUV_8u_C3R, 3, 5, 4, {0, 0, 0}), (std::array<Qrx8u, 3>{0, 97, 136}));
    EXPECT_EQ(run1<Qrx8u>(qrxiRGBToLUV_8u_AC4R, 4, 5, 0, {0, 0, 0}), (std::array<Qrx8u, 3>{0, 97, 136}));
    // Inside a whole group of 4 the zero denominator becomes 3; after it, zero chroma.
    EXPECT_EQ(run1<Qrx16u>(qrxiRGBToLUV_16u_C3R, 3, 5, 3, {0, 0, 0}), (std::array<Qrx16u, 3>{0, 24807, 35019}));
    EXPECT_EQ(run1<Qrx16u>(qrxiRGBToLUV_16u_C3R, 3, 5, 4, {0, 0, 0}), (std::array<Qrx16u, 3>{0, 0, 0}));
    EXPECT_EQ(run1<Qrx16u>(qrxiRGBToLUV_16u_AC4R, 4, 4, 0, {0, 0, 0}), (std::array<Qrx16u, 3>{0, 24807, 35019}));
    EXPECT_EQ(run1<Qrx16s>(qrxiRGBToLUV_16s_C3R, 3, 5, 0, {-32768, -32768, -32768}),
              (std::array<Qrx16s, 3>{-32768, 24807 - 32768, 35019 - 32768}));
    EXPECT_EQ(run1<Qrx16s>(qrxiRGBToLUV_16s_C3R, 3, 5, 4, {-32768, -32768, -32768}),
              (std::array<Qrx16s, 3>{-32768, -32768, -32768}));
    // 32f: black gives 0, 0, 0 by both rules.
    EXPECT_EQ(run1<float>(qrxiRGBToLUV_32f_C3R, 3, 5, 0, {0, 0, 0}), (std::array<float, 3>{0, 0, 0}));
    EXPECT_EQ(run1<float>(qrxiRGBToLUV_32f_C3R, 3, 5, 4, {0, 0, 0}), (std::array<float, 3>{0, 0, 0}));
}

TEST(LuvModel, EveryFunction) { run_all(luv_cases(), &Case::model); }

TEST(LuvModel, ForwardAboveNominalRangeStaysInTable) {
    // Y far above 1 (and infinities, NaN) must not read beyond the last row;
    // the sanitizer build checks the reads.
    std::vector<float> s = {4.0f, 4.0f, 4.0f, 1e30f, 1e30f, 1e30f, INFINITY, 0.0f, 0.0f, NAN, 1.0f, 1.0f,
                            1.01f, 1.01f, 1.01f},
                       d(15);
    ASSERT_EQ(qrxiRGBToLUV_32f_C3R(s.data(), 60, d.data(), 60, {5, 1}), qrxStatusOk);
    ASSERT_EQ(qrxiRGBToLUV_32f_AC4R(s.data(), 60, d.data(), 60, {3, 1}), qrxStatusOk);
    const float in[3] = {1.005f, 1.005f, 1.005f};
    const auto m = m_fwd32(0, 1, in);
    EXPECT_NEAR(m[0], 100.2f, 0.1f);
}

TEST(LuvFrame, ChecksAndSteps) { run_all(luv_cases(), &Case::checks); }

TEST(LuvFrame, LevelsAndThreads) { run_all(luv_cases(), &Case::levels); }
