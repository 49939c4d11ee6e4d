// RGB <-> YUV 4:2:2 and 4:2:0 with 8-bit RGB: the model of every member at
// every width around the block sizes and heights 1..5 (odd columns and rows
// included), the chroma siting of 3 x 3 images, the whole-image forms, the
// zero alpha of the AC4 outputs, and the checks.
#include <gtest/gtest.h>

#include "qrxcc.h"
#include "yuv/yuv_harness.h"

using namespace yuvtest;
using yuvmodel::P3;

namespace {

const std::vector<int> kHeights = {1, 2, 3, 4, 5};

// RGB model image written into pixel-order or planar guarded images.
GuardedImage to_c3(const yuvmodel::Rgb& s) {
    GuardedImage img(3 * s.w, s.h);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            img.row(y)[3 * x] = static_cast<u8>(s.R(x, y));
            img.row(y)[3 * x + 1] = static_cast<u8>(s.G(x, y));
            img.row(y)[3 * x + 2] = static_cast<u8>(s.B(x, y));
        }
    return img;
}
// Planar RGB with one shared step (same width for the three planes).
Planes to_p3(const yuvmodel::Rgb& s) {
    Planes p(s.w, s.h, s.w, s.h, s.w, s.h, 6, true);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            p.img[0].row(y)[x] = static_cast<u8>(s.R(x, y));
            p.img[1].row(y)[x] = static_cast<u8>(s.G(x, y));
            p.img[2].row(y)[x] = static_cast<u8>(s.B(x, y));
        }
    return p;
}
std::vector<u8> planar_bytes(const yuvmodel::Yuv& m) {
    std::vector<u8> out;
    for (int v : m.y) out.push_back(static_cast<u8>(v));
    for (int v : m.u) out.push_back(static_cast<u8>(v));
    for (int v : m.v) out.push_back(static_cast<u8>(v));
    return out;
}
std::string tag(const char* name, int w, int h) { return std::string(name) + " " + std::to_string(w) + "x" + std::to_string(h); }

// A call writing three guarded destination planes (luma w x h, chroma cw x ch)
// gives the expected bytes at every level.
template <class Call>
void expect_planes_out(int w, int h, int cw, int ch, const std::vector<u8>& expected, const std::string& what, Call call) {
    expect_at_all_levels(
        [&] {
            Planes d(w, h, cw, ch, cw, ch);
            auto dp = d.ptr();
            auto ds = d.steps();
            EXPECT_EQ(call(dp.data(), ds.data()), qrxStatusOk);
            EXPECT_TRUE(d.guards_intact());
            return d.bytes();
        },
        expected, what);
}

}  // namespace

TEST(Yuv422Forward, C3C2RPairsAndOddLastPixel) {
    for (int w : widths())
        for (int h : {1, 3}) {
            const auto s = random_rgb(w, h, static_cast<std::uint32_t>(w * 7 + h));
            const auto m = yuvmodel::fwd422(s, true);
            std::vector<u8> expected;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    expected.push_back(static_cast<u8>(m.y[y * w + x]));
                    expected.push_back(static_cast<u8>((x & 1) ? m.v[y * m.cw + x / 2] : m.u[y * m.cw + x / 2]));
                }
            GuardedImage src = to_c3(s);
            expect_at_all_levels(
                [&] {
                    GuardedImage d(2 * w, h);
                    EXPECT_EQ(qrxiRGBToYUV422_8u_C3C2R(src.data(), src.step(), d.data(), d.step(), {w, h}), qrxStatusOk);
                    EXPECT_TRUE(d.guards_intact());
                    return d.roi_bytes();
                },
                expected, tag("RGBToYUV422_C3C2R", w, h));
            if (HasFatalFailure()) return;
        }
}

TEST(Yuv42xForward, PlanarDestinationsFromPixelOrderAndPlanes) {
    for (bool is420 : {false, true})
        for (int w : widths())
            for (int h : kHeights) {
                if (!is420 && h > 2) continue;
                const auto s = random_rgb(w, h, static_cast<std::uint32_t>(w * (is420 ? 11 : 5) + h));
                const auto expected = planar_bytes(is420 ? yuvmodel::fwd420(s) : yuvmodel::fwd422(s, false));
                const int cw = (w + 1) / 2, ch = is420 ? (h + 1) / 2 : h;
                GuardedImage c3 = to_c3(s);
                Planes p3 = to_p3(s);
                const auto c3fn = is420 ? qrxiRGBToYUV420_8u_C3P3R : qrxiRGBToYUV422_8u_C3P3R;
                const auto p3fn = is420 ? qrxiRGBToYUV420_8u_P3R : qrxiRGBToYUV422_8u_P3R;
                expect_planes_out(w, h, cw, ch, expected, tag(is420 ? "420 C3P3R" : "422 C3P3R", w, h),
                                  [&](Qrx8u* const* dp, const int* ds) { return c3fn(c3.data(), c3.step(), dp, ds, {w, h}); });
                expect_planes_out(w, h, cw, ch, expected, tag(is420 ? "420 P3R" : "422 P3R", w, h), [&](Qrx8u* const* dp, const int* ds) {
                    auto sp = p3.cptr();
                    return p3fn(sp.data(), p3.img[0].step(), dp, ds, {w, h});
                });
                if (HasFatalFailure()) return;
            }
}

namespace {

// Planar YUV source of w x h with chroma cw x ch.
Planes yuv_source(int w, int h, int ch, std::uint32_t seed) {
    Planes p(w, h, (w + 1) / 2, ch, (w + 1) / 2, ch, 3);
    p.fill_random(seed);
    return p;
}

// Expected RGB of pixel (x, y) from its sited chroma, by the member's form.
using Form = P3 (*)(yuvmodel::i64, yuvmodel::i64, yuvmodel::i64);
P3 sited(Planes& s, int x, int y, int crow, Form f) {
    return f(s.img[0].row(y)[x], s.img[1].row(crow)[x / 2], s.img[2].row(crow)[x / 2]);
}
P3 y16r(yuvmodel::i64 y, yuvmodel::i64 u, yuvmodel::i64 v) { return yuvmodel::inv_y16(y, u, v, 8); }

enum class Out { RGB, BGR, RGBA0, Planes };

// Runs one inverse member (4:2:2 when `is420` is false) against the model:
// `even` is the member's form for the even part, the edge form elsewhere (4:2:0).
void check_inverse(const char* name, bool is420, Out out, Form even,
                   const std::function<QrxStatus(const Qrx8u* const*, const int*, u8* const*, int, QrxSize)>& fn) {
    for (int w : widths())
        for (int h : kHeights) {
            if (!is420 && h > 2) continue;
            const int ch = is420 ? (h + 1) / 2 : h;
            Planes s = yuv_source(w, h, ch, static_cast<std::uint32_t>(w * 13 + h));
            std::vector<u8> expected;
            std::vector<u8> pr, pg, pb;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const bool edge = is420 && (x >= (w & ~1) || y >= (h & ~1));
                    const P3 c = sited(s, x, y, is420 ? y / 2 : y, edge ? yuvmodel::inv_edge : even);
                    const u8 r = static_cast<u8>(c.a), g = static_cast<u8>(c.b), b = static_cast<u8>(c.c);
                    switch (out) {
                        case Out::RGB: expected.insert(expected.end(), {r, g, b}); break;
                        case Out::BGR: expected.insert(expected.end(), {b, g, r}); break;
                        case Out::RGBA0: expected.insert(expected.end(), {r, g, b, 0}); break;
                        case Out::Planes:
                            pr.push_back(r);
                            pg.push_back(g);
                            pb.push_back(b);
                            break;
                    }
                }
            if (out == Out::Planes) {
                expected = pr;
                expected.insert(expected.end(), pg.begin(), pg.end());
                expected.insert(expected.end(), pb.begin(), pb.end());
            }
            expect_at_all_levels(
                [&] {
                    auto sp = s.cptr();
                    auto ss = s.steps();
                    if (out == Out::Planes) {
                        // destination planes share one step
                        Planes d(w, h, w, h, w, h, 3, true);
                        EXPECT_EQ(fn(sp.data(), ss.data(), d.ptr().data(), d.img[0].step(), {w, h}), qrxStatusOk);
                        EXPECT_TRUE(d.guards_intact());
                        return d.bytes();
                    }
                    const int dc = out == Out::RGBA0 ? 4 : 3;
                    GuardedImage d(dc * w, h);
                    u8* dp[1] = {d.data()};
                    EXPECT_EQ(fn(sp.data(), ss.data(), dp, d.step(), {w, h}), qrxStatusOk);
                    EXPECT_TRUE(d.guards_intact());
                    return d.roi_bytes();
                },
                expected, tag(name, w, h));
            if (::testing::Test::HasFatalFailure()) return;
        }
}

}  // namespace

TEST(Yuv42xInverse, PlanarMembers) {
    check_inverse("YUV422ToRGB_P3C3R", false, Out::RGB, yuvmodel::inv_pair,
                  [](auto s, auto ss, auto d, int ds, QrxSize r) { return qrxiYUV422ToRGB_8u_P3C3R(s, ss, d[0], ds, r); });
    check_inverse("YUV422ToRGB_P3R", false, Out::Planes, yuvmodel::inv_pair,
                  [](auto s, auto ss, auto d, int ds, QrxSize r) { return qrxiYUV422ToRGB_8u_P3R(s, ss, d, ds, r); });
    check_inverse("YUV422ToRGB_P3AC4R", false, Out::RGBA0, yuvmodel::inv_pair,
                  [](auto s, auto ss, auto d, int ds, QrxSize r) { return qrxiYUV422ToRGB_8u_P3AC4R(s, ss, d[0], ds, r); });
    // 4:2:0: the edge form outside the even part
    check_inverse("YUV420ToRGB_P3C3R", true, Out::RGB, yuvmodel::inv_pair,
                  [](auto s, auto ss, auto d, int ds, QrxSize r) { return qrxiYUV420ToRGB_8u_P3C3R(s, ss, d[0], ds, r); });
    check_inverse("YUV420ToBGR_P3C3R", true, Out::BGR, yuvmodel::inv_pair,
                  [](auto s, auto ss, auto d, int ds, QrxSize r) { return qrxiYUV420ToBGR_8u_P3C3R(s, ss, d[0], ds, r); });
    check_inverse("YUV420ToRGB_P3R", true, Out::Planes, yuvmodel::inv_pair,
                  [](auto s, auto ss, auto d, int ds, QrxSize r) { return qrxiYUV420ToRGB_8u_P3R(s, ss, d, ds, r); });
    check_inverse("YUV420ToRGB_P3AC4R", true, Out::RGBA0, y16r,
                  [](auto s, auto ss, auto d, int ds, QrxSize r) { return qrxiYUV420ToRGB_8u_P3AC4R(s, ss, d[0], ds, r); });
}

TEST(Yuv42xInverse, PackedC2C3RPairsOddPixelAndWidthOne) {
    for (int w : widths())
        for (int h : {1, 2}) {
            GuardedImage src(2 * w, h);
            src.fill_random(static_cast<std::uint32_t>(w * 3 + h));
            std::vector<u8> expected;
            for (int y = 0; y < h; ++y) {
                const u8* s = src.row(y);
                for (int x = 0; x < w; ++x) {
                    P3 c;
                    const int p = x / 2 * 4;
                    if (w == 1)
                        c = yuvmodel::inv_edge(s[0], s[1], s[1]);  // U stands in for V
                    else if (x == w - 1 && (w & 1))
                        c = yuvmodel::inv_odd_packed(s[p], s[p + 1], s[p - 1]);  // V of the previous pair
                    else
                        c = yuvmodel::inv_pair(s[p + 2 * (x & 1)], s[p + 1], s[p + 3]);
                    expected.insert(expected.end(), {static_cast<u8>(c.a), static_cast<u8>(c.b), static_cast<u8>(c.c)});
                }
            }
            expect_at_all_levels(
                [&] {
                    GuardedImage d(3 * w, h);
                    EXPECT_EQ(qrxiYUV422ToRGB_8u_C2C3R(src.data(), src.step(), d.data(), d.step(), {w, h}), qrxStatusOk);
                    EXPECT_TRUE(d.guards_intact());
                    return d.roi_bytes();
                },
                expected, tag("YUV422ToRGB_C2C3R", w, h));
            if (HasFatalFailure()) return;
        }
}

TEST(Yuv42xWholeImage, SameAsRoiFormsOnContiguousImages) {
    // below and above the one-long-row threshold (W x H >= 256, W even), odd sizes too
    const QrxSize sizes[] = {{1, 1}, {3, 5}, {15, 17}, {16, 15}, {16, 16}, {34, 8}, {33, 9}, {2, 200}, {40, 7}};
    for (QrxSize sz : sizes) {
        const int w = sz.width, h = sz.height, cw = (w + 1) / 2, ch = (h + 1) / 2;
        const int cstep[3] = {w, cw, cw};
        std::vector<u8> rgb(static_cast<std::size_t>(3 * w * h));
        std::mt19937 rng(static_cast<std::uint32_t>(w * h));
        for (auto& b : rgb) b = static_cast<u8>(rng());
        const Qrx8u* rgbp[3] = {rgb.data(), rgb.data() + w * h, rgb.data() + 2 * w * h};
        for (bool c422 : {false, true}) {
            const int crows = c422 ? h : ch;
            std::vector<u8> a(w * h + 2 * cw * crows), b = a;
            Qrx8u* d1[3] = {a.data(), a.data() + w * h, a.data() + w * h + cw * crows};
            Qrx8u* d2[3] = {b.data(), b.data() + w * h, b.data() + w * h + cw * crows};
            ASSERT_EQ((c422 ? qrxiRGBToYUV422_8u_C3P3R : qrxiRGBToYUV420_8u_C3P3R)(rgb.data(), 3 * w, d1, cstep, sz), qrxStatusOk);
            ASSERT_EQ((c422 ? qrxiRGBToYUV422_8u_C3P3 : qrxiRGBToYUV420_8u_C3P3)(rgb.data(), d2, sz), qrxStatusOk);
            EXPECT_EQ(a, b) << "from pixel order";
            ASSERT_EQ((c422 ? qrxiRGBToYUV422_8u_P3R : qrxiRGBToYUV420_8u_P3R)(rgbp, w, d1, cstep, sz), qrxStatusOk);
            ASSERT_EQ((c422 ? qrxiRGBToYUV422_8u_P3 : qrxiRGBToYUV420_8u_P3)(rgbp, d2, sz), qrxStatusOk);
            EXPECT_EQ(a, b) << "from planes";
            // inverse to pixel order and to planes
            const Qrx8u* ys[3] = {d1[0], d1[1], d1[2]};
            std::vector<u8> o1(3 * w * h), o2(3 * w * h);
            ASSERT_EQ((c422 ? qrxiYUV422ToRGB_8u_P3C3R : qrxiYUV420ToRGB_8u_P3C3R)(ys, cstep, o1.data(), 3 * w, sz), qrxStatusOk);
            ASSERT_EQ((c422 ? qrxiYUV422ToRGB_8u_P3C3 : qrxiYUV420ToRGB_8u_P3C3)(ys, o2.data(), sz), qrxStatusOk);
            EXPECT_EQ(o1, o2);
            Qrx8u* q1[3] = {o1.data(), o1.data() + w * h, o1.data() + 2 * w * h};
            Qrx8u* q2[3] = {o2.data(), o2.data() + w * h, o2.data() + 2 * w * h};
            ASSERT_EQ((c422 ? qrxiYUV422ToRGB_8u_P3R : qrxiYUV420ToRGB_8u_P3R)(ys, cstep, q1, w, sz), qrxStatusOk);
            ASSERT_EQ((c422 ? qrxiYUV422ToRGB_8u_P3 : qrxiYUV420ToRGB_8u_P3)(ys, q2, sz), qrxStatusOk);
            EXPECT_EQ(o1, o2) << w << "x" << h;
        }
    }
}

TEST(Yuv42xChecks, NullThenSizeThenPlanes) {
    u8 buf[64] = {}, out[64] = {};
    const Qrx8u* sp[3] = {buf, buf, buf};
    Qrx8u* dp[3] = {out, out, out};
    const Qrx8u* snull[3] = {buf, buf, nullptr};
    Qrx8u* dnull[3] = {out, nullptr, out};
    const int st[3] = {8, 4, 4};
    EXPECT_EQ(qrxiRGBToYUV422_8u_C3C2R(nullptr, 3, out, 2, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYUV422_8u_C3C2R(buf, 3, out, 2, {1, 0}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYUV422ToRGB_8u_C2C3R(buf, 3, nullptr, 2, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUV422ToRGB_8u_C2C3R(buf, 3, out, 2, {-1, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYUV420_8u_C3P3R(buf, 3, nullptr, st, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYUV420_8u_C3P3R(buf, 3, dnull, st, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYUV420_8u_C3P3R(buf, 3, dnull, st, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYUV420_8u_C3P3(buf, dnull, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYUV420_8u_C3P3(buf, dp, {1, 0}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYUV422_8u_P3R(sp, 1, dnull, st, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYUV422_8u_P3R(snull, 1, dp, st, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToYUV422_8u_P3(nullptr, dp, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUV420ToRGB_8u_P3C3R(snull, st, out, 3, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYUV420ToRGB_8u_P3C3R(snull, st, out, 3, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUV420ToRGB_8u_P3C3R(sp, st, nullptr, 3, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUV420ToBGR_8u_P3C3R(snull, st, out, 3, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUV420ToRGB_8u_P3AC4R(snull, st, out, 3, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUV422ToRGB_8u_P3AC4R(sp, st, out, 3, {1, 0}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYUV420ToRGB_8u_P3R(sp, st, dnull, 3, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYUV420ToRGB_8u_P3(sp, dnull, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYUV422ToRGB_8u_P3C3(snull, out, {2, 1}), qrxStatusNullPointer);
    for (u8 b : out) EXPECT_EQ(b, 0);
}

// Negative steps walk the rows upwards; rows paired bottom-up are the same pairs
// (even height), so both ways the bytes are those of the top-down calls.
TEST(Yuv42xSteps, NegativeStepsOf420BothWaysZeroSourceStepOf422) {
    const int w = 37, h = 8;
    GuardedImage rgb(3 * w, h), o1(3 * w, h), o2(3 * w, h);
    rgb.fill_random(77);
    Planes a(w, h, 19, 4, 19, 4), b(w, h, 19, 4, 19, 4);
    std::array<u8*, 3> up;
    std::array<int, 3> neg;
    for (int k = 0; k < 3; ++k) up[k] = b.img[k].row(b.img[k].rows() - 1), neg[k] = -b.img[k].step();
    ASSERT_EQ(qrxiRGBToYUV420_8u_C3P3R(rgb.data(), rgb.step(), a.ptr().data(), a.steps().data(), {w, h}), qrxStatusOk);
    ASSERT_EQ(qrxiRGBToYUV420_8u_C3P3R(rgb.row(h - 1), -rgb.step(), up.data(), neg.data(), {w, h}), qrxStatusOk);
    EXPECT_EQ(a.bytes(), b.bytes());
    const std::array<const u8*, 3> cup{up[0], up[1], up[2]};
    ASSERT_EQ(qrxiYUV420ToRGB_8u_P3C3R(a.cptr().data(), a.steps().data(), o1.data(), o1.step(), {w, h}), qrxStatusOk);
    ASSERT_EQ(qrxiYUV420ToRGB_8u_P3C3R(cup.data(), neg.data(), o2.row(h - 1), -o2.step(), {w, h}), qrxStatusOk);
    EXPECT_EQ(o1.all_bytes(), o2.all_bytes());
    // a zero source step converts the first row into every destination row
    ASSERT_EQ(qrxiRGBToYUV422_8u_C3C2R(rgb.data(), 0, o1.data(), o1.step(), {w, 3}), qrxStatusOk);
    for (int y = 1; y < 3; ++y) EXPECT_EQ(std::memcmp(o1.row(y), o1.row(0), 2 * w), 0);
}
