// RGB <-> YCbCr 4:4:4: worked values, which recipe each pixel of a row gets,
// checks, untouched bytes, steps, and identical bytes at every dispatch level.
#include <gtest/gtest.h>

#include <array>
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

// Region plans written out independently: for a given function and width,
// which recipe converts pixel i.  The recipes are the test's own model, in
// 64-bit arithmetic with explicit floor divisions ({Y, Cb, Cr} or {R, G, B}).
namespace {

using chroma_model::C3, chroma_model::F15, chroma_model::F16, chroma_model::FP;
using chroma_model::I13r, chroma_model::I13s, chroma_model::I13t, chroma_model::I16a, chroma_model::I16b;
using Recipe = C3 (*)(int, int, int);

struct Plan {
    int block;  // whole blocks of this many pixels from the left edge
    Recipe body, tail;
};

template <class R>
R pick(int i, int width, int block, R body, R tail) {
    return i < width / block * block ? body : tail;
}

// Converts a random image with `fn` and compares every pixel with the
// per-pixel model.  src_ch/dst_ch: channels per pixel; planar sides use 3 planes.
struct Case {
    const char* name;
    int src_ch, dst_ch;  // 0 = three planes
    bool bgr;  // BGR order on the RGB side
    int alpha;  // -1: keep destination fourth byte; >= 0: written value
    Plan plan;
    std::function<QrxStatus(GuardedImage&, GuardedImage*, GuardedImage&, GuardedImage*, QrxSize)> call;
};

std::vector<Case> all_cases() {
    auto pix = [](auto fn) {
        return [fn](GuardedImage& s, GuardedImage*, GuardedImage& d, GuardedImage*, QrxSize roi) {
            return fn(s.data(), s.step(), d.data(), d.step(), roi);
        };
    };
    auto p3p3 = [](auto fn) {
        return [fn](GuardedImage&, GuardedImage* sp, GuardedImage&, GuardedImage* dp, QrxSize roi) {
            const Qrx8u* s[3] = {sp[0].data(), sp[1].data(), sp[2].data()};
            Qrx8u* d[3] = {dp[0].data(), dp[1].data(), dp[2].data()};
            return fn(s, sp[0].step(), d, dp[0].step(), roi);
        };
    };
    auto p3c = [](auto fn) {
        return [fn](GuardedImage&, GuardedImage* sp, GuardedImage& d, GuardedImage*, QrxSize roi) {
            const Qrx8u* s[3] = {sp[0].data(), sp[1].data(), sp[2].data()};
            return fn(s, sp[0].step(), d.data(), d.step(), roi);
        };
    };
    return {
        {"RGBToYCbCr_C3R", 3, 3, false, -1, {8, F15, F16}, pix(qrxiRGBToYCbCr_8u_C3R)},
        {"YCbCrToRGB_C3R", 3, 3, false, -1, {4, I13t, I16a}, pix(qrxiYCbCrToRGB_8u_C3R)},
        {"RGBToYCbCr_AC4R", 4, 4, false, -1, {1, F16, F16}, pix(qrxiRGBToYCbCr_8u_AC4R)},
        {"YCbCrToRGB_AC4R", 4, 4, false, -1, {1, I16a, I16a}, pix(qrxiYCbCrToRGB_8u_AC4R)},
        {"RGBToYCbCr_P3R", 0, 0, false, -1, {16, FP, F16}, p3p3(qrxiRGBToYCbCr_8u_P3R)},
        {"YCbCrToRGB_P3R", 0, 0, false, -1, {4, I13t, I16a}, p3p3(qrxiYCbCrToRGB_8u_P3R)},
        {"YCbCrToRGB_P3C3R", 0, 3, false, -1, {8, I13r, I16b}, p3c(qrxiYCbCrToRGB_8u_P3C3R)},
        {"YCbCrToBGR_P3C3R", 0, 3, true, -1, {16, I13r, I13r}, p3c(qrxiYCbCrToBGR_8u_P3C3R)},
        {"YCbCrToBGR_P3C4R", 0, 4, true, 0x80, {16, I13s, I13s},
         [](GuardedImage&, GuardedImage* sp, GuardedImage& d, GuardedImage*, QrxSize roi) {
             const Qrx8u* s[3] = {sp[0].data(), sp[1].data(), sp[2].data()};
             return qrxiYCbCrToBGR_8u_P3C4R(s, sp[0].step(), d.data(), d.step(), roi, 0x80);
         }},
    };
}

// Runs one case on a random w x h image; returns the destination bytes and
// checks every pixel against the model and the guards.
std::vector<std::uint8_t> run_case(const Case& c, int w, int h, std::uint32_t seed) {
    const int sc = c.src_ch ? c.src_ch : 1, dc = c.dst_ch ? c.dst_ch : 1;
    GuardedImage src(w * sc, h, 5), dst(w * dc, h, 9);
    std::vector<GuardedImage> sp, dp;
    for (int p = 0; p < 3; ++p) {
        sp.emplace_back(w, h, 3);
        dp.emplace_back(w, h, 11);
        sp.back().fill_random(seed + 10 + p);
    }
    src.fill_random(seed);
    dst.fill_random(seed + 99);  // the fourth byte of AC4 must survive
    const auto dst_before = dst.roi_bytes();
    EXPECT_EQ(c.call(src, sp.data(), dst, dp.data(), {w, h}), qrxStatusOk);
    std::vector<std::uint8_t> out;
    for (int y = 0; y < h; ++y) {
        for (int i = 0; i < w; ++i) {
            int in[3];
            for (int k = 0; k < 3; ++k) in[k] = c.src_ch ? src.row(y)[i * sc + k] : sp[k].row(y)[i];
            const C3 m = pick(i, w, c.plan.block, c.plan.body, c.plan.tail)(in[0], in[1], in[2]);
            const int want[3] = {c.bgr ? m.c : m.a, m.b, c.bgr ? m.a : m.c};
            for (int k = 0; k < 3; ++k) {
                const int got = c.dst_ch ? dst.row(y)[i * dc + k] : dp[k].row(y)[i];
                if (got != want[k]) {
                    ADD_FAILURE() << c.name << " w=" << w << " pixel " << i << " row " << y << " ch " << k << ": got "
                                  << got << ", want " << want[k];
                    return out;
                }
                out.push_back(static_cast<std::uint8_t>(got));
            }
            if (dc == 4) {
                const int fourth = dst.row(y)[i * 4 + 3];
                const int expect = c.alpha >= 0 ? c.alpha : dst_before[static_cast<std::size_t>(y) * w * 4 + i * 4 + 3];
                if (fourth != expect) {
                    ADD_FAILURE() << c.name << " fourth byte of pixel " << i << ": got " << fourth << ", want " << expect;
                    return out;
                }
            }
        }
    }
    EXPECT_TRUE(dst.guards_intact()) << c.name;
    for (auto& p : dp) EXPECT_TRUE(p.guards_intact()) << c.name;
    return out;
}

}  // namespace

TEST(Ycbcr444Rows, EveryWidthMatchesTheRegionPlanAtEveryLevel) {
    for (const Case& c : all_cases()) {
        for (int w = 1; w <= 40; ++w) {
            for (int h : {1, 2, 3}) {
                qrxtest::expect_same_at_all_levels([&] { return run_case(c, w, h, 1000u + w * 7u + h); });
                if (::testing::Test::HasFailure()) return;
            }
        }
        for (int w : {63, 64, 65, 255, 1920}) qrxtest::expect_same_at_all_levels([&] { return run_case(c, w, 2, 7u); });
    }
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
