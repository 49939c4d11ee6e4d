// YCoCg: worked values, wrap-around and clamps, exact reversible round trips,
// pointer checks, alpha, and identical bytes at every dispatch level.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"

namespace {

using Trip = std::array<int, 3>;

// One pixel through a forward function of 8u or 16s BGR.
template <class Pix, class Plane, class Fn>
Trip fwd1(Fn fn, int b, int g, int r) {
    Pix src[4] = {static_cast<Pix>(b), static_cast<Pix>(g), static_cast<Pix>(r), 0};
    Plane y = 0, co = 0, cg = 0;
    Plane* planes[3] = {&y, &co, &cg};
    EXPECT_EQ(fn(src, 8, planes, 4, QrxSize{1, 1}), qrxStatusOk);
    return {y, co, cg};
}

template <class Plane, class Pix, class Fn>
Trip inv1(Fn fn, Plane y, Plane co, Plane cg) {
    const Plane* planes[3] = {&y, &co, &cg};
    Pix dst[3] = {};
    EXPECT_EQ(fn(planes, 4, dst, 8, QrxSize{1, 1}), qrxStatusOk);
    return {dst[0], dst[1], dst[2]};
}

}  // namespace

TEST(YCoCgValues, WorkedExample) {
    EXPECT_EQ((fwd1<Qrx8u, Qrx16s>(qrxiBGRToYCoCg_8u16s_C3P3R, 10, 200, 30)), (Trip{110, 10, 90}));
    EXPECT_EQ((fwd1<Qrx8u, Qrx16s>(qrxiBGRToYCoCg_Rev_8u16s_C3P3R, 10, 200, 30)), (Trip{110, 20, 180}));
    EXPECT_EQ((inv1<Qrx16s, Qrx8u>(qrxiYCoCgToBGR_Rev_16s8u_P3C3R, 110, 20, 180)), (Trip{10, 200, 30}));
}

TEST(YCoCgValues, GreyRedAndClamps) {
    for (int v : {0, 1, 77, 128, 254, 255}) {
        EXPECT_EQ((fwd1<Qrx8u, Qrx16s>(qrxiBGRToYCoCg_8u16s_C3P3R, v, v, v)), (Trip{v, 0, 0}));
        EXPECT_EQ((inv1<Qrx16s, Qrx8u>(qrxiYCoCgToBGR_16s8u_P3C3R, v, 0, 0)), (Trip{v, v, v}));
    }
    EXPECT_EQ((fwd1<Qrx8u, Qrx16s>(qrxiBGRToYCoCg_8u16s_C3P3R, 0, 0, 255)), (Trip{64, 128, -64}));
    EXPECT_EQ((inv1<Qrx16s, Qrx8u>(qrxiYCoCgToBGR_16s8u_P3C3R, 300, 0, 0)), (Trip{255, 255, 255}));
    EXPECT_EQ((inv1<Qrx16s, Qrx8u>(qrxiYCoCgToBGR_16s8u_P3C3R, -5, 0, 0)), (Trip{0, 0, 0}));
    // 16-bit wrap before the clamp: 32767 + 1 wraps to -32768, which clamps to 0
    EXPECT_EQ((inv1<Qrx16s, Qrx8u>(qrxiYCoCgToBGR_16s8u_P3C3R, 32767, 1, 0)), (Trip{255, 255, 0}));
}

TEST(YCoCgValues, WrapAround) {
    // R - B = 65535 wraps to -1 in the 16-bit lifting
    EXPECT_EQ((fwd1<Qrx16s, Qrx16s>(qrxiSBGRToYCoCg_Rev_16s_C3P3R, -32768, 0, 32767))[1], -1);
    // ... but not with 32-bit planes
    EXPECT_EQ((fwd1<Qrx16s, Qrx32s>(qrxiSBGRToYCoCg_Rev_16s32s_C3P3R, -32768, 0, 32767))[1], 65535);
    // plain 16-bit inverse wraps: 30000 + 10000 - 0
    EXPECT_EQ((inv1<Qrx16s, Qrx16s>(qrxiYCoCgToSBGR_16s_P3C3R, 30000, 10000, 0))[2], 40000 - 65536);
    // 32-bit inverse keeps the low 16 bits of the 32-bit result
    EXPECT_EQ((inv1<Qrx32s, Qrx16s>(qrxiYCoCgToSBGR_32s16s_P3C3R, 70000, 0, 0))[0], 70000 - 65536);
    // plain forward from 16 bits computes in 32 bits: (32767 - (-32768) + 1) >> 1 = 32768, low 16 bits
    EXPECT_EQ((fwd1<Qrx16s, Qrx16s>(qrxiSBGRToYCoCg_16s_C3P3R, -32768, 0, 32767))[1], -32768);
    EXPECT_EQ((fwd1<Qrx16s, Qrx32s>(qrxiSBGRToYCoCg_16s32s_C3P3R, -32768, 0, 32767))[1], 32768);
}

TEST(YCoCgRoundTrip, EveryEightBitColourIsRestoredExactly) {
    const int w = 4096, h = 4096;  // all 2^24 BGR values, one per pixel
    std::vector<Qrx8u> bgr(static_cast<std::size_t>(w) * h * 3), back(bgr.size());
    for (std::size_t i = 0; i < static_cast<std::size_t>(w) * h; ++i) {
        bgr[3 * i] = static_cast<Qrx8u>(i), bgr[3 * i + 1] = static_cast<Qrx8u>(i >> 8), bgr[3 * i + 2] = static_cast<Qrx8u>(i >> 16);
    }
    std::vector<Qrx16s> planes(static_cast<std::size_t>(w) * h * 3);
    Qrx16s* p[3] = {planes.data(), planes.data() + w * h, planes.data() + 2 * w * h};
    const Qrx16s* cp[3] = {p[0], p[1], p[2]};
    ASSERT_EQ(qrxiBGRToYCoCg_Rev_8u16s_C3P3R(bgr.data(), w * 3, p, w * 2, {w, h}), qrxStatusOk);
    ASSERT_EQ(qrxiYCoCgToBGR_Rev_16s8u_P3C3R(cp, w * 2, back.data(), w * 3, {w, h}), qrxStatusOk);
    EXPECT_TRUE(back == bgr);
}

TEST(YCoCgRoundTrip, SixteenBitSamplesRestoredExactly) {
    const int w = 1024, h = 256;
    std::mt19937 rng(11);
    std::vector<Qrx16s> bgr(static_cast<std::size_t>(w) * h * 4), back(bgr.size());
    for (auto& v : bgr) v = static_cast<Qrx16s>(rng());
    for (int i = 0; i < 64; ++i) bgr[static_cast<std::size_t>(i)] = (i & 1) ? 32767 : -32768;  // extremes
    std::vector<Qrx32s> p32(static_cast<std::size_t>(w) * h * 3);
    std::vector<Qrx16s> p16(p32.size());
    Qrx32s* a[3] = {p32.data(), p32.data() + w * h, p32.data() + 2 * w * h};
    Qrx16s* b[3] = {p16.data(), p16.data() + w * h, p16.data() + 2 * w * h};
    const Qrx32s* ca[3] = {a[0], a[1], a[2]};
    const Qrx16s* cb[3] = {b[0], b[1], b[2]};
    // 32-bit planes, four channels: alpha comes from the argument
    ASSERT_EQ(qrxiSBGRToYCoCg_Rev_16s32s_C4P3R(bgr.data(), w * 8, a, w * 4, {w, h}), qrxStatusOk);
    ASSERT_EQ(qrxiYCoCgToSBGR_Rev_32s16s_P3C4R(ca, w * 4, back.data(), w * 8, {w, h}, -7), qrxStatusOk);
    for (std::size_t i = 0; i < bgr.size(); ++i) ASSERT_EQ(back[i], (i % 4 == 3) ? -7 : bgr[i]) << i;
    // 16-bit planes: the lifting wraps modulo 2^16 both ways, so it still inverts exactly
    ASSERT_EQ(qrxiSBGRToYCoCg_Rev_16s_C4P3R(bgr.data(), w * 8, b, w * 2, {w, h}), qrxStatusOk);
    ASSERT_EQ(qrxiYCoCgToSBGR_Rev_16s_P3C4R(cb, w * 2, back.data(), w * 8, {w, h}, 9), qrxStatusOk);
    for (std::size_t i = 0; i < bgr.size(); ++i) ASSERT_EQ(back[i], (i % 4 == 3) ? 9 : bgr[i]) << i;
}

TEST(YCoCgChecks, OnlyPointersAreChecked) {
    Qrx8u bgr[12] = {};
    Qrx16s y[4], co[4], cg[4];
    Qrx16s* planes[3] = {y, co, cg};
    Qrx16s* one_null[3] = {y, nullptr, cg};
    const Qrx16s* cplanes[3] = {y, co, cg};
    const Qrx16s* cone_null[3] = {y, co, nullptr};
    EXPECT_EQ(qrxiBGRToYCoCg_8u16s_C3P3R(nullptr, 3, planes, 2, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGRToYCoCg_8u16s_C3P3R(bgr, 3, nullptr, 2, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGRToYCoCg_8u16s_C3P3R(bgr, 3, one_null, 2, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCoCgToBGR_16s8u_P3C4R(cone_null, 2, bgr, 4, {-1, 1}, 0), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCoCgToBGR_16s8u_P3C3R(cplanes, 2, nullptr, 3, {1, 1}), qrxStatusNullPointer);
    // no size check: nothing converted, Ok
    y[0] = 0x1234;
    EXPECT_EQ(qrxiBGRToYCoCg_8u16s_C3P3R(bgr, 3, planes, 2, {0, 5}), qrxStatusOk);
    EXPECT_EQ(qrxiBGRToYCoCg_8u16s_C3P3R(bgr, 3, planes, 2, {5, 0}), qrxStatusOk);
    EXPECT_EQ(qrxiBGRToYCoCg_8u16s_C3P3R(bgr, 3, planes, 2, {-3, -3}), qrxStatusOk);
    EXPECT_EQ(y[0], 0x1234);
}

// Every function on random data with padded steps: the same bytes at every
// level, four-channel forwards ignore the fourth sample, nothing outside the
// ROI is written.
namespace {

struct LevelCase {
    const char* name;
    int pix_bytes, pix_ch, plane_bytes;
    bool forward;
    std::function<QrxStatus(qrxtest::GuardedImage&, qrxtest::GuardedImage*, QrxSize)> call;
};

#define FWD(fn, Pix, Plane, ch)                                                                          \
    LevelCase{#fn, sizeof(Pix), ch, sizeof(Plane), true,                                                 \
              [](qrxtest::GuardedImage& px, qrxtest::GuardedImage* pl, QrxSize r) {                      \
                  Plane* d[3] = {pl[0].as<Plane>(), pl[1].as<Plane>(), pl[2].as<Plane>()};               \
                  return fn(px.as<Pix>(), px.step(), d, pl[0].step(), r);                               \
              }}
#define INV(fn, Plane, Pix, ch, ...)                                                                     \
    LevelCase{#fn, sizeof(Pix), ch, sizeof(Plane), false,                                                \
              [](qrxtest::GuardedImage& px, qrxtest::GuardedImage* pl, QrxSize r) {                      \
                  const Plane* s[3] = {pl[0].as<Plane>(), pl[1].as<Plane>(), pl[2].as<Plane>()};         \
                  return fn(s, pl[0].step(), px.as<Pix>(), px.step(), r __VA_ARGS__);                   \
              }}

std::vector<LevelCase> level_cases() {
    return {
        FWD(qrxiBGRToYCoCg_8u16s_C3P3R, Qrx8u, Qrx16s, 3),         FWD(qrxiBGRToYCoCg_8u16s_C4P3R, Qrx8u, Qrx16s, 4),
        FWD(qrxiSBGRToYCoCg_16s_C3P3R, Qrx16s, Qrx16s, 3),         FWD(qrxiSBGRToYCoCg_16s_C4P3R, Qrx16s, Qrx16s, 4),
        FWD(qrxiSBGRToYCoCg_16s32s_C3P3R, Qrx16s, Qrx32s, 3),      FWD(qrxiSBGRToYCoCg_16s32s_C4P3R, Qrx16s, Qrx32s, 4),
        FWD(qrxiBGRToYCoCg_Rev_8u16s_C3P3R, Qrx8u, Qrx16s, 3),     FWD(qrxiBGRToYCoCg_Rev_8u16s_C4P3R, Qrx8u, Qrx16s, 4),
        FWD(qrxiSBGRToYCoCg_Rev_16s_C3P3R, Qrx16s, Qrx16s, 3),     FWD(qrxiSBGRToYCoCg_Rev_16s_C4P3R, Qrx16s, Qrx16s, 4),
        FWD(qrxiSBGRToYCoCg_Rev_16s32s_C3P3R, Qrx16s, Qrx32s, 3),  FWD(qrxiSBGRToYCoCg_Rev_16s32s_C4P3R, Qrx16s, Qrx32s, 4),
        INV(qrxiYCoCgToBGR_16s8u_P3C3R, Qrx16s, Qrx8u, 3),         INV(qrxiYCoCgToBGR_16s8u_P3C4R, Qrx16s, Qrx8u, 4, , 200),
        INV(qrxiYCoCgToSBGR_16s_P3C3R, Qrx16s, Qrx16s, 3),         INV(qrxiYCoCgToSBGR_16s_P3C4R, Qrx16s, Qrx16s, 4, , -300),
        INV(qrxiYCoCgToSBGR_32s16s_P3C3R, Qrx32s, Qrx16s, 3),      INV(qrxiYCoCgToSBGR_32s16s_P3C4R, Qrx32s, Qrx16s, 4, , 5),
        INV(qrxiYCoCgToBGR_Rev_16s8u_P3C3R, Qrx16s, Qrx8u, 3),     INV(qrxiYCoCgToBGR_Rev_16s8u_P3C4R, Qrx16s, Qrx8u, 4, , 1),
        INV(qrxiYCoCgToSBGR_Rev_16s_P3C3R, Qrx16s, Qrx16s, 3),     INV(qrxiYCoCgToSBGR_Rev_16s_P3C4R, Qrx16s, Qrx16s, 4, , 2),
        INV(qrxiYCoCgToSBGR_Rev_32s16s_P3C3R, Qrx32s, Qrx16s, 3),  INV(qrxiYCoCgToSBGR_Rev_32s16s_P3C4R, Qrx32s, Qrx16s, 4, , 3),
    };
}
#undef FWD
#undef INV

std::vector<std::uint8_t> run_level_case(const LevelCase& c, int w, int h, std::uint32_t seed, bool poke_fourth) {
    qrxtest::GuardedImage px(w * c.pix_ch * c.pix_bytes, h, 6);
    std::vector<qrxtest::GuardedImage> pl;
    for (int p = 0; p < 3; ++p) pl.emplace_back(w * c.plane_bytes, h, 12);
    if (c.forward) {
        px.fill_random(seed);
        if (poke_fourth && c.pix_ch == 4)
            for (int y = 0; y < h; ++y)
                for (int i = 0; i < w; ++i) px.row(y)[(i * 4 + 3) * c.pix_bytes] ^= 0x5a;
    } else {
        for (int p = 0; p < 3; ++p) pl[static_cast<std::size_t>(p)].fill_random(seed + 1 + p);
    }
    EXPECT_EQ(c.call(px, pl.data(), {w, h}), qrxStatusOk) << c.name;
    std::vector<std::uint8_t> out;
    if (c.forward) {
        for (auto& p : pl) {
            EXPECT_TRUE(p.guards_intact()) << c.name;
            const auto b = p.roi_bytes();
            out.insert(out.end(), b.begin(), b.end());
        }
    } else {
        EXPECT_TRUE(px.guards_intact()) << c.name;
        out = px.roi_bytes();
    }
    return out;
}

}  // namespace

TEST(YCoCgLevels, AllFunctionsIdenticalAtEveryLevel) {
    for (const LevelCase& c : level_cases()) {
        for (int w : {1, 2, 7, 15, 16, 17, 31, 33, 64, 100}) {
            qrxtest::expect_same_at_all_levels([&] { return run_level_case(c, w, 3, 40u + w, false); });
            if (c.forward && c.pix_ch == 4)
                EXPECT_EQ(run_level_case(c, w, 2, 9u, false), run_level_case(c, w, 2, 9u, true)) << c.name;
        }
    }
}

TEST(YCoCgSteps, SixteenBitStepsCountWholeSamples) {
    // An odd byte step on the 16-bit side acts as the next lower even step.
    Qrx8u bgr[2][3] = {{10, 200, 30}, {0, 0, 255}};
    std::vector<Qrx16s> planes(3 * 8, 0x7777);
    Qrx16s* p[3] = {planes.data(), planes.data() + 8, planes.data() + 16};
    ASSERT_EQ(qrxiBGRToYCoCg_8u16s_C3P3R(&bgr[0][0], 3, p, 9, {1, 2}), qrxStatusOk);  // 9 bytes -> 4 samples
    EXPECT_EQ(p[0][0], 110);
    EXPECT_EQ(p[0][4], 64);
    EXPECT_EQ(p[1][4], 128);
    EXPECT_EQ(p[2][4], -64);
}
