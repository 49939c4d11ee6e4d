// RGB <-> YCbCr 4:4:4: worked values, which recipe each pixel of a row gets,
// checks, untouched bytes, steps, and identical bytes at every dispatch level.
#include <gtest/gtest.h>

#include <array>
#include <type_traits>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"
#include "ycbcr/chroma_model.h"
#include "ycbcr/recipes.h"

using namespace qrx::ycbcr;
using qrxtest::GuardedImage;

namespace {

using Tri = std::array<int, 3>;

Tri tri(Ycc c) { return {c.y, c.cb, c.cr}; }
Tri tri(Rgb c) { return {c.r, c.g, c.b}; }

}  // namespace

TEST(Ycbcr444Recipes, WorkedValues) {
    EXPECT_EQ(tri(f16(255, 255, 255)), (Tri{235, 128, 128}));
    EXPECT_EQ(tri(f15(255, 255, 255)), (Tri{234, 127, 127}));
    EXPECT_EQ(tri(fp(255, 255, 255)), (Tri{235, 127, 127}));
    EXPECT_EQ(tri(f16(255, 0, 0)), (Tri{82, 90, 240}));
    EXPECT_EQ(tri(f15(255, 0, 0)), (Tri{81, 90, 239}));
    EXPECT_EQ(tri(fp(255, 0, 0)), (Tri{81, 90, 239}));
    for (auto f : {f16, f15, fp}) EXPECT_EQ(tri(f(0, 0, 0)), (Tri{16, 128, 128}));

    for (auto f : {i16a, i16b, i13t}) {
        EXPECT_EQ(tri(f(235, 128, 128)), (Tri{254, 254, 254}));
        EXPECT_EQ(tri(f(0, 0, 0)), (Tri{0, 135, 0}));
    }
    EXPECT_EQ(tri(i13r(235, 128, 128)), (Tri{255, 255, 255}));
    EXPECT_EQ(tri(i13r(0, 0, 0)), (Tri{0, 136, 0}));
    EXPECT_EQ(tri(i13t(255, 255, 255)), (Tri{255, 125, 255}));
    EXPECT_EQ(tri(i16a(255, 255, 255)), (Tri{255, 125, 255}));
}

// Region plans written out independently: which recipe converts pixel i of a row
// (whole blocks from the left edge by `body`, the rest by `tail`).  The recipes are the
// test's own model, in 64-bit arithmetic with explicit floor divisions.
namespace {

using namespace chroma_model;
using Recipe = C3 (*)(int, int, int);

// sc / dc: bytes per pixel, 0 for three planes; alpha >= 0 is written as the fourth
// byte, otherwise the fourth byte is kept.
Model plan(int sc, int dc, bool bgr, int alpha, int block, Recipe body, Recipe tail) {
    return [=](const std::vector<const u8*>& s, const std::vector<u8*>& d, int w) {
        for (int i = 0; i < w; ++i) {
            auto in = [&](int k) { return sc ? s[0][sc * i + k] : s[k][i]; };
            const C3 m = (i < w / block * block ? body : tail)(in(0), in(1), in(2));
            const int v[4] = {bgr ? m.c : m.a, m.b, bgr ? m.a : m.c, alpha};
            for (int k = 0; k < (alpha >= 0 ? 4 : 3); ++k) (dc ? d[0][dc * i + k] : d[k][i]) = static_cast<u8>(v[k]);
        }
    };
}

template <class F>
Call pix(F f) {
    return [f](auto s, auto ss, auto d, auto ds, QrxSize r) { return f(s[0], ss[0], d[0], ds[0], r); };
}
template <class F>
Call p3(F f) {  // three planes of one step in
    return [f](auto s, auto ss, auto d, auto ds, QrxSize r) {
        if constexpr (std::is_invocable_v<F, const Qrx8u* const*, int, Qrx8u* const*, int, QrxSize>)
            return f(s, ss[0], d, ds[0], r);
        else
            return f(s, ss[0], d[0], ds[0], r);
    };
}

}  // namespace

TEST(Ycbcr444Rows, EveryFunctionMatchesTheRegionPlanAtEveryLevel) {
    check(pix(qrxiRGBToYCbCr_8u_C3R), kC3, kC3, 1, plan(3, 3, false, -1, 8, F15, F16), 1);
    check(pix(qrxiYCbCrToRGB_8u_C3R), kC3, kC3, 1, plan(3, 3, false, -1, 4, I13t, I16a), 2);
    check(pix(qrxiRGBToYCbCr_8u_AC4R), kC4, kC4, 1, plan(4, 4, false, -1, 1, F16, F16), 3);
    check(pix(qrxiYCbCrToRGB_8u_AC4R), kC4, kC4, 1, plan(4, 4, false, -1, 1, I16a, I16a), 4);
    check(p3(qrxiRGBToYCbCr_8u_P3R), kP3, kP3, 1, plan(0, 0, false, -1, 16, FP, F16), 5);
    check(p3(qrxiYCbCrToRGB_8u_P3R), kP3, kP3, 1, plan(0, 0, false, -1, 4, I13t, I16a), 6);
    check(p3(qrxiYCbCrToRGB_8u_P3C3R), kP3, kC3, 1, plan(0, 3, false, -1, 8, I13r, I16b), 7);
    check(p3(qrxiYCbCrToBGR_8u_P3C3R), kP3, kC3, 1, plan(0, 3, true, -1, 16, I13r, I13r), 8);
    check([](auto s, auto ss, auto d, auto ds, QrxSize r) { return qrxiYCbCrToBGR_8u_P3C4R(s, ss[0], d[0], ds[0], r, 0x80); },
          kP3, kC4, 1, plan(0, 4, true, 0x80, 16, I13s, I13s), 9);
}

TEST(Ycbcr444Steps, ZeroAndNegativeStepsAreAccepted) {
    // Zero step: every row reads and writes the same row.
    std::vector<Qrx8u> src(8 * 3), dst(8 * 3, 0), once(8 * 3, 0);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<Qrx8u>(i * 11);
    ASSERT_EQ(qrxiRGBToYCbCr_8u_C3R(src.data(), 0, dst.data(), 0, {8, 5}), qrxStatusOk);
    ASSERT_EQ(qrxiRGBToYCbCr_8u_C3R(src.data(), 24, once.data(), 24, {8, 1}), qrxStatusOk);
    EXPECT_EQ(dst, once);

    // Negative step: rows run upwards from the last row of the buffer.
    GuardedImage up(9 * 3, 4), down(9 * 3, 4), flipped(9 * 3, 4);
    up.fill_random(5);
    ASSERT_EQ(qrxiRGBToYCbCr_8u_C3R(up.data(), up.step(), down.data(), down.step(), {9, 4}), qrxStatusOk);
    ASSERT_EQ(qrxiRGBToYCbCr_8u_C3R(up.row(3), -up.step(), flipped.row(3), -flipped.step(), {9, 4}), qrxStatusOk);
    EXPECT_EQ(down.roi_bytes(), flipped.roi_bytes());
    EXPECT_TRUE(flipped.guards_intact());
}

TEST(Ycbcr444Checks, NullBeforeSizeAndPlanePointersWhereTheyBelong) {
    Qrx8u buf[64] = {};
    const Qrx8u* s3[3] = {buf, buf, buf};
    Qrx8u* d3[3] = {buf, buf, buf};
    const Qrx8u* s3null[3] = {buf, nullptr, buf};
    Qrx8u* d3null[3] = {buf, buf, nullptr};
    const QrxSize ok{1, 1}, zero_w{0, 1}, neg_h{1, -1};

    EXPECT_EQ(qrxiRGBToYCbCr_8u_C3R(nullptr, 3, buf, 3, zero_w), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYCbCr_8u_C3R(buf, 3, nullptr, 3, ok), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYCbCr_8u_C3R(buf, 3, buf, 3, zero_w), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCrToRGB_8u_C3R(buf, 3, buf, 3, neg_h), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYCbCr_8u_AC4R(buf, 4, buf, 4, {1, 0}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCrToRGB_8u_AC4R(nullptr, 4, buf, 4, ok), qrxStatusNullPointer);

    // plane pointers after the size
    EXPECT_EQ(qrxiRGBToYCbCr_8u_P3R(nullptr, 1, d3, 1, zero_w), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYCbCr_8u_P3R(s3null, 1, d3, 1, zero_w), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYCbCr_8u_P3R(s3null, 1, d3, 1, ok), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYCbCr_8u_P3R(s3, 1, d3null, 1, ok), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCrToRGB_8u_P3R(s3null, 1, d3, 1, zero_w), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCrToRGB_8u_P3R(s3, 1, d3null, 1, ok), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCrToRGB_8u_P3C3R(s3null, 1, buf, 3, zero_w), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCrToRGB_8u_P3C3R(s3null, 1, buf, 3, ok), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCrToRGB_8u_P3C3R(s3, 1, nullptr, 3, zero_w), qrxStatusNullPointer);
    // plane pointers before the size
    EXPECT_EQ(qrxiYCbCrToBGR_8u_P3C3R(s3null, 1, buf, 3, zero_w), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCrToBGR_8u_P3C4R(s3null, 1, buf, 4, zero_w, 0), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCrToBGR_8u_P3C4R(s3, 1, buf, 4, zero_w, 0), qrxStatusSizeError);
}
