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

// Any pair of 4:4:4 layouts against a per-pixel model(x, width, a, b, c):
// sc / dc samples per pixel, 0 for three planes sharing one step; a fourth
// destination byte keeps its value.
using Model = std::function<P3(int, int, int, int, int)>;
using Call = std::function<QrxStatus(const Qrx8u* const*, int, Qrx8u* const*, int, QrxSize)>;
void check_444(const char* name, int sc, int dc, const Call& fn, const Model& model) {
    for (int w : widths())
        for (int h : {1, 2, 3}) {
            const int sw = sc ? w * sc : w, dw = dc ? w * dc : w;
            Planes src(sw, h, sw, h, sw, h, 9, true);
            src.fill_random(static_cast<std::uint32_t>(w * 31 + h));
            std::vector<u8> planes[3], expected;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    auto in = [&](int k) { return sc ? src.img[0].row(y)[sc * x + k] : src.img[k].row(y)[x]; };
                    const P3 c = model(x, w, in(0), in(1), in(2));
                    const u8 px[4] = {static_cast<u8>(c.a), static_cast<u8>(c.b), static_cast<u8>(c.c), qrxtest::kGuard};
                    for (int k = 0; k < 3; ++k) (dc ? planes[0] : planes[k]).push_back(px[k]);
                    if (dc == 4) planes[0].push_back(px[3]);
                }
            for (const auto& p : planes) expected.insert(expected.end(), p.begin(), p.end());
            expect_at_all_levels(
                [&] {
                    Planes d(dw, h, dc ? 0 : dw, dc ? 0 : h, dc ? 0 : dw, dc ? 0 : h, 4, true);
                    for (auto& i : d.img) i.fill(qrxtest::kGuard);
                    auto sp = src.cptr();
                    auto dp = d.ptr();
                    EXPECT_EQ(fn(sp.data(), src.img[0].step(), dp.data(), d.img[0].step(), {w, h}), qrxStatusOk);
                    EXPECT_TRUE(d.guards_intact());
                    return d.bytes();
                },
                expected, std::string(name) + " w=" + std::to_string(w) + " h=" + std::to_string(h));
            if (::testing::Test::HasFatalFailure()) return;
        }
}

Call pix(PixFn f) { return [f](auto s, int ss, auto d, int ds, QrxSize r) { return f(s[0], ss, d[0], ds, r); }; }
Call planes(PlanesFn f) { return [f](auto s, int ss, auto d, int ds, QrxSize r) { return f(s, ss, d, ds, r); }; }

}  // namespace

TEST(Yuv444Forward, WorkedValuesOfBlockAndTailForms) {
    // a 16-pixel row is one block, a 15-pixel row is all tail: {r, g, b, block Y U V, tail Y U V}
    const int cases[][9] = {{255, 255, 255, 254, 127, 127, 254, 128, 128}, {255, 0, 0, 76, 90, 255, 76, 90, 255},
                            {128, 128, 128, 127, 127, 128, 127, 128, 128}, {0, 0, 0, 0, 128, 128, 0, 128, 128}};
    for (const auto& c : cases) {
        EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 16, c[0], c[1], c[2]), (P3{c[3], c[4], c[5]}));
        EXPECT_EQ(first_pixel(qrxiRGBToYUV_8u_C3R, 15, c[0], c[1], c[2]), (P3{c[6], c[7], c[8]}));
    }
}

TEST(Yuv444Inverse, WorkedValues) {
    // (255, 255, 255): R = clamp(255 + 144), G = clamp(255 - 51 - 74), B = clamp(255 + 258)
    EXPECT_EQ(first_pixel(qrxiYUVToRGB_8u_C3R, 9, 255, 255, 255), (P3{255, 130, 255}));
    for (int y = 0; y < 256; ++y) EXPECT_EQ(first_pixel(qrxiYUVToRGB_8u_C3R, 9, y, 128, 128), (P3{y, y, y}));
}

TEST(Yuv444, EveryMemberMatchesItsRegionPlan) {
    using namespace yuvmodel;
    // forward: C3R blocks of 16 then the C3 tail; AC4R the split form (alpha kept); C3P3R
    // blocks of 8 then the Q16 tail; P3R blocks of 16 then the one-sum tail
    auto blocks = [](int n, P3 (*tail)(i64, i64, i64)) {
        return [n, tail](int x, int w, int r, int g, int b) { return x < w / n * n ? fwd_block(r, g, b) : tail(r, g, b); };
    };
    check_444("RGBToYUV_C3R", 3, 3, pix(qrxiRGBToYUV_8u_C3R), blocks(16, fwd_rem_c3));
    check_444("RGBToYUV_AC4R", 4, 4, pix(qrxiRGBToYUV_8u_AC4R), [](int, int, int r, int g, int b) { return fwd_split(r, g, b); });
    check_444("RGBToYUV_C3P3R", 3, 0, [](auto s, int ss, auto d, int ds, QrxSize r) { return qrxiRGBToYUV_8u_C3P3R(s[0], ss, d, ds, r); },
              blocks(8, fwd_rem_c3p3));
    check_444("RGBToYUV_P3R", 0, 0, planes(qrxiRGBToYUV_8u_P3R), blocks(16, fwd_rem_p3));
    // inverse: one form per member
    auto form = [](P3 (*f)(i64, i64, i64)) { return [f](int, int, int y, int u, int v) { return f(y, u, v); }; };
    check_444("YUVToRGB_C3R", 3, 3, pix(qrxiYUVToRGB_8u_C3R), form(inv_i1));
    check_444("YUVToRGB_AC4R", 4, 4, pix(qrxiYUVToRGB_8u_AC4R), form(inv_i1));
    check_444("YUVToRGB_P3R", 0, 0, planes(qrxiYUVToRGB_8u_P3R), form(inv_i2));
    check_444("YUVToRGB_P3C3R", 0, 3, [](auto s, int ss, auto d, int ds, QrxSize r) { return qrxiYUVToRGB_8u_P3C3R(s, ss, d[0], ds, r); },
              form(inv_pair));
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
