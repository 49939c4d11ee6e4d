// RGB <-> YUV 4:4:4: worked values, the block/tail region plans against the
// per-pixel model at every width around the block sizes, untouched alpha and
// guard bytes, steps, and the order of the checks.
#include <gtest/gtest.h>

#include "qrxcc.h"
#include "yuv/yuv_harness.h"

using namespace yuvtest;
using yuvmodel::P3;

namespace {

using PixFn = QrxStatus (*)(const Qrx8u*, int, Qrx8u*, int, QrxSize);
using PlanesFn = QrxStatus (*)(const Qrx8u* const*, int, Qrx8u* const*, int, QrxSize);

// Pixel-order run of one row of identical pixels.
P3 first_pixel(PixFn fn, int w, int r, int g, int b, int ch = 3) {
    std::vector<u8> src(static_cast<std::size_t>(w) * ch), dst(src.size(), 7);
    for (int i = 0; i < w; ++i) {
        src[ch * i] = static_cast<u8>(r);
        src[ch * i + 1] = static_cast<u8>(g);
        src[ch * i + 2] = static_cast<u8>(b);
    }
    EXPECT_EQ(fn(src.data(), w * ch, dst.data(), w * ch, {w, 1}), qrxStatusOk);
    for (int i = 1; i < w; ++i) EXPECT_EQ(dst[ch * i], dst[0]) << "pixel " << i;
    return {dst[0], dst[1], dst[2]};
}

// Pixel-order function against a per-pixel model: model(x, width, r, g, b).
void check_pix(PixFn fn, int sc, int dc, const std::function<P3(int, int, int, int, int)>& model, const char* name) {
    for (int w : widths()) {
        for (int h : {1, 2, 3}) {
            GuardedImage src(w * sc, h);
            src.fill_random(static_cast<std::uint32_t>(w * 31 + h));
            std::vector<u8> expected;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const u8* p = src.row(y) + sc * x;
                    const P3 c = model(x, w, p[0], p[1], p[2]);
                    expected.push_back(static_cast<u8>(c.a));
                    expected.push_back(static_cast<u8>(c.b));
                    expected.push_back(static_cast<u8>(c.c));
                    if (dc == 4) expected.push_back(qrxtest::kGuard);  // alpha stays as it was
                }
            expect_at_all_levels(
                [&] {
                    GuardedImage dst(w * dc, h, 3);
                    if (dc == 4)
                        dst.fill(qrxtest::kGuard);
                    EXPECT_EQ(fn(src.data(), src.step(), dst.data(), dst.step(), {w, h}), qrxStatusOk);
                    EXPECT_TRUE(dst.guards_intact());
                    return dst.roi_bytes();
                },
                expected, std::string(name) + " w=" + std::to_string(w) + " h=" + std::to_string(h));
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

}  // namespace

TEST(Yuv444Forward, WorkedValuesOfBlockAndTailForms) {
    // a 16-pixel row is one block, a 15-pixel row is all tail
    EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 16, 255, 255, 255), (P3{254, 127, 127}));
    EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 15, 255, 255, 255), (P3{254, 128, 128}));
    EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 16, 255, 0, 0), (P3{76, 90, 255}));
    EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 15, 255, 0, 0), (P3{76, 90, 255}));
    EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 16, 128, 128, 128), (P3{127, 127, 128}));
    EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 15, 128, 128, 128), (P3{127, 128, 128}));
    EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 16, 0, 0, 0), (P3{0, 128, 128}));
    EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 15, 0, 0, 0), (P3{0, 128, 128}));
}

TEST(Yuv444Forward, C3RBlocksOf16ThenTail) {
    check_pix(qrxiRGBToYUV_8u_C3R, 3, 3, [](int x, int w, int r, int g, int b) {
        return x < w / 16 * 16 ? yuvmodel::fwd_block(r, g, b) : yuvmodel::fwd_rem_c3(r, g, b);
    }, "RGBToYUV_C3R");
}

TEST(Yuv444Forward, AC4RSplitFormAndAlphaKept) {
    check_pix(qrxiRGBToYUV_8u_AC4R, 4, 4, [](int, int, int r, int g, int b) { return yuvmodel::fwd_split(r, g, b); },
              "RGBToYUV_AC4R");
}

TEST(Yuv444Forward, C3P3RBlocksOf8ThenQ16Tail) {
    for (int w : widths()) {
        const int h = 2;
        GuardedImage src(w * 3, h);
        src.fill_random(static_cast<std::uint32_t>(w));
        std::vector<u8> expected(static_cast<std::size_t>(3 * w * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const u8* p = src.row(y) + 3 * x;
                const P3 c = x < w / 8 * 8 ? yuvmodel::fwd_block(p[0], p[1], p[2]) : yuvmodel::fwd_rem_c3p3(p[0], p[1], p[2]);
                expected[y * w + x] = static_cast<u8>(c.a);
                expected[w * h + y * w + x] = static_cast<u8>(c.b);
                expected[2 * w * h + y * w + x] = static_cast<u8>(c.c);
            }
        expect_at_all_levels(
            [&] {
                Planes d(w, h, w, h, w, h, 5, true);
                EXPECT_EQ(qrxiRGBToYUV_8u_C3P3R(src.data(), src.step(), d.ptr().data(), d.img[0].step(), {w, h}), qrxStatusOk);
                EXPECT_TRUE(d.guards_intact());
                return d.bytes();
            },
            expected, "RGBToYUV_C3P3R w=" + std::to_string(w));
        if (::testing::Test::HasFatalFailure()) return;
    }
}

namespace {
// Planar 4:4:4 run: three source planes and three destination planes with one shared step each.
void check_planes(PlanesFn fn, const std::function<P3(int, int, int, int, int)>& model, const char* name) {
    for (int w : widths()) {
        for (int h : {1, 3}) {
            GuardedImage s0(w, h, 9), s1(w, h, 9), s2(w, h, 9);
            s0.fill_random(static_cast<std::uint32_t>(w + 100 * h));
            s1.fill_random(static_cast<std::uint32_t>(w + 100 * h + 1));
            s2.fill_random(static_cast<std::uint32_t>(w + 100 * h + 2));
            std::vector<u8> expected(static_cast<std::size_t>(3 * w * h));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const P3 c = model(x, w, s0.row(y)[x], s1.row(y)[x], s2.row(y)[x]);
                    expected[y * w + x] = static_cast<u8>(c.a);
                    expected[w * h + y * w + x] = static_cast<u8>(c.b);
                    expected[2 * w * h + y * w + x] = static_cast<u8>(c.c);
                }
            expect_at_all_levels(
                [&] {
                    Planes d(w, h, w, h, w, h, 4, true);
                    const Qrx8u* sp[3] = {s0.data(), s1.data(), s2.data()};
                    EXPECT_EQ(fn(sp, s0.step(), d.ptr().data(), d.img[0].step(), {w, h}), qrxStatusOk);
                    EXPECT_TRUE(d.guards_intact());
                    return d.bytes();
                },
                expected, std::string(name) + " w=" + std::to_string(w));
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}
}  // namespace

TEST(Yuv444Forward, P3RBlocksOf16ThenOneSumTail) {
    check_planes(qrxiRGBToYUV_8u_P3R, [](int x, int w, int r, int g, int b) {
        return x < w / 16 * 16 ? yuvmodel::fwd_block(r, g, b) : yuvmodel::fwd_rem_p3(r, g, b);
    }, "RGBToYUV_P3R");
}

TEST(Yuv444Inverse, WorkedValues) {
    // (255, 255, 255): R = clamp(255 + 144), G = clamp(255 - 51 - 74), B = clamp(255 + 258)
    EXPECT_EQ(first_pixel(qrxiYUVToRGB_8u_C3R, 9, 255, 255, 255), (P3{255, 130, 255}));
    for (int y = 0; y < 256; ++y) EXPECT_EQ(first_pixel(qrxiYUVToRGB_8u_C3R, 9, y, 128, 128), (P3{y, y, y}));
}

TEST(Yuv444Inverse, C3RAndAC4RByI1) {
    auto m = [](int, int, int y, int u, int v) { return yuvmodel::inv_i1(y, u, v); };
    check_pix(qrxiYUVToRGB_8u_C3R, 3, 3, m, "YUVToRGB_C3R");
    check_pix(qrxiYUVToRGB_8u_AC4R, 4, 4, m, "YUVToRGB_AC4R");
}

TEST(Yuv444Inverse, P3RByI2) {
    check_planes(qrxiYUVToRGB_8u_P3R, [](int, int, int y, int u, int v) { return yuvmodel::inv_i2(y, u, v); },
                 "YUVToRGB_P3R");
}

TEST(Yuv444Inverse, P3C3RByI3) {
    for (int w : widths()) {
        const int h = 2;
        GuardedImage s0(w, h, 9), s1(w, h, 9), s2(w, h, 9);
        s0.fill_random(static_cast<std::uint32_t>(w + 1));
        s1.fill_random(static_cast<std::uint32_t>(w + 2));
        s2.fill_random(static_cast<std::uint32_t>(w + 3));
        std::vector<u8> expected;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const P3 c = yuvmodel::inv_pair(s0.row(y)[x], s1.row(y)[x], s2.row(y)[x]);
                expected.insert(expected.end(), {static_cast<u8>(c.a), static_cast<u8>(c.b), static_cast<u8>(c.c)});
            }
        expect_at_all_levels(
            [&] {
                GuardedImage d(3 * w, h);
                const Qrx8u* sp[3] = {s0.data(), s1.data(), s2.data()};
                EXPECT_EQ(qrxiYUVToRGB_8u_P3C3R(sp, s0.step(), d.data(), d.step(), {w, h}), qrxStatusOk);
                EXPECT_TRUE(d.guards_intact());
                return d.roi_bytes();
            },
            expected, "YUVToRGB_P3C3R w=" + std::to_string(w));
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(Yuv444Steps, ZeroAndNegativeSteps) {
    const int w = 21, h = 3;
    GuardedImage src(3 * w, h);
    src.fill_random(5);
    // negative steps: start at the last row and walk upwards
    GuardedImage up(3 * w, h), down(3 * w, h);
    ASSERT_EQ(qrxiRGBToYUV_8u_C3R(src.row(h - 1), -src.step(), up.row(h - 1), -up.step(), {w, h}), qrxStatusOk);
    ASSERT_EQ(qrxiRGBToYUV_8u_C3R(src.data(), src.step(), down.data(), down.step(), {w, h}), qrxStatusOk);
    EXPECT_EQ(up.roi_bytes(), down.roi_bytes());
    EXPECT_TRUE(up.guards_intact());
    // zero source step: every row converts the first source row
    GuardedImage same(3 * w, h);
    ASSERT_EQ(qrxiYUVToRGB_8u_C3R(src.data(), 0, same.data(), same.step(), {w, h}), qrxStatusOk);
    for (int y = 1; y < h; ++y) EXPECT_EQ(std::memcmp(same.row(y), same.row(0), 3 * w), 0);
}

TEST(Yuv444Checks, NullThenSizeThenPlanes) {
    u8 buf[64] = {};
    u8 out[64] = {};
    const Qrx8u* sp[3] = {buf, buf, buf};
    Qrx8u* dp[3] = {out, out, out};
    const Qrx8u* snull[3] = {buf, nullptr, buf};
    Qrx8u* dnull[3] = {out, out, nullptr};
    for (PixFn fn : {qrxiRGBToYUV_8u_C3R, qrxiRGBToYUV_8u_AC4R, qrxiYUVToRGB_8u_C3R, qrxiYUVToRGB_8u_AC4R}) {
        EXPECT_EQ(fn(nullptr, 3, out, 3, {0, 1}), qrxStatusNullPointer);
        EXPECT_EQ(fn(buf, 3, nullptr, 3, {1, 1}), qrxStatusNullPointer);
        EXPECT_EQ(fn(buf, 3, out, 3, {0, 1}), qrxStatusSizeError);
        EXPECT_EQ(fn(buf, 3, out, 3, {1, -1}), qrxStatusSizeError);
    }
    for (PlanesFn fn : {qrxiRGBToYUV_8u_P3R, qrxiYUVToRGB_8u_P3R}) {
        EXPECT_EQ(fn(nullptr, 1, dp, 1, {0, 0}), qrxStatusNullPointer);
        EXPECT_EQ(fn(sp, 1, nullptr, 1, {1, 1}), qrxStatusNullPointer);
        EXPECT_EQ(fn(snull, 1, dp, 1, {0, 1}), qrxStatusSizeError);  // planes after the size
        EXPECT_EQ(fn(snull, 1, dp, 1, {1, 1}), qrxStatusNullPointer);
        EXPECT_EQ(fn(sp, 1, dnull, 1, {1, 1}), qrxStatusNullPointer);
    }
    EXPECT_EQ(qrxiRGBToYUV_8u_C3P3R(buf, 3, dnull, 1, {1, 0}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYUV_8u_C3P3R(buf, 3, dnull, 1, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYUV_8u_C3P3R(nullptr, 3, dp, 1, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUVToRGB_8u_P3C3R(snull, 1, out, 3, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYUVToRGB_8u_P3C3R(snull, 1, out, 3, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUVToRGB_8u_P3C3R(sp, 1, nullptr, 3, {1, 1}), qrxStatusNullPointer);
    for (u8 b : out) EXPECT_EQ(b, 0);  // nothing written on any error
}
