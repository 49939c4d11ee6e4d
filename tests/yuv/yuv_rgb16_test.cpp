// 4:2:0 YUV to 16-bit packed RGB (plain and dithered, six formats) and
// BGR565 / BGR555 to 4:2:0: per-pixel model with its own packing and dither,
// the one-row / one-column rules, odd sizes, the odd-size warning and checks.
#include <gtest/gtest.h>

#include "qrxcc.h"
#include "support/rgb16_model.h"
#include "yuv/yuv_harness.h"

using namespace yuvtest;
using yuvmodel::P3;

namespace {

using Fn16 = QrxStatus (*)(const Qrx8u* const*, const int*, Qrx16u*, int, QrxSize);

struct Member {
    Fn16 fn;
    const char* name;
    int bits_rb, bits_g;  // field widths
    bool rgb;             // RGB order: blue in the high field
    bool dither;
};
const Member kMembers[] = {
    {qrxiYUV420ToRGB565_8u16u_P3C3R, "RGB565", 5, 6, true, false},
    {qrxiYUV420ToBGR565_8u16u_P3C3R, "BGR565", 5, 6, false, false},
    {qrxiYUV420ToRGB555_8u16u_P3C3R, "RGB555", 5, 5, true, false},
    {qrxiYUV420ToBGR555_8u16u_P3C3R, "BGR555", 5, 5, false, false},
    {qrxiYUV420ToRGB444_8u16u_P3C3R, "RGB444", 4, 4, true, false},
    {qrxiYUV420ToBGR444_8u16u_P3C3R, "BGR444", 4, 4, false, false},
    {qrxiYUV420ToRGB565Dither_8u16u_P3C3R, "RGB565Dither", 5, 6, true, true},
    {qrxiYUV420ToBGR565Dither_8u16u_P3C3R, "BGR565Dither", 5, 6, false, true},
    {qrxiYUV420ToRGB555Dither_8u16u_P3C3R, "RGB555Dither", 5, 5, true, true},
    {qrxiYUV420ToBGR555Dither_8u16u_P3C3R, "BGR555Dither", 5, 5, false, true},
    {qrxiYUV420ToRGB444Dither_8u16u_P3C3R, "RGB444Dither", 4, 4, true, true},
    {qrxiYUV420ToBGR444Dither_8u16u_P3C3R, "BGR444Dither", 4, 4, false, true},
};

std::uint16_t pack(const Member& m, P3 c, int x, int y) {
    return rgb16model::pack(c.a, c.b, c.c, m.bits_rb, m.bits_g, m.rgb, m.dither, x, y);
}

}  // namespace

TEST(YuvRgb16, AllFormatsAgainstModel) {
    for (const Member& m : kMembers)
        for (int w : widths())
            for (int h : {1, 2, 3, 4, 5}) {
                if (w > 40 && h > 2 && w % 16 != 1) continue;  // keep the suite short
                const int cw = (w + 1) / 2, ch = (h + 1) / 2;
                Planes s(w, h, cw, ch, cw, ch, 3);
                s.fill_random(static_cast<std::uint32_t>(w * 17 + h));
                const bool nothing = !m.dither && (w == 1 || h == 1);
                std::vector<u8> expected;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        std::uint16_t word = 0xA5A5;  // guard value: untouched
                        if (!nothing) {
                            const bool edge = x >= (w & ~1) || y >= (h & ~1);
                            const int Y = s.img[0].row(y)[x], U = s.img[1].row(y / 2)[x / 2], V = s.img[2].row(y / 2)[x / 2];
                            const P3 c = edge ? yuvmodel::inv_edge(Y, U, V) : yuvmodel::inv_y16(Y, U, V, 0);
                            word = pack(m, c, x, y);
                        }
                        expected.push_back(static_cast<u8>(word & 0xff));
                        expected.push_back(static_cast<u8>(word >> 8));
                    }
                expect_at_all_levels(
                    [&] {
                        GuardedImage d(2 * w, h, 4);  // an even step
                        auto sp = s.cptr();
                        auto ss = s.steps();
                        EXPECT_EQ(m.fn(sp.data(), ss.data(), d.as<Qrx16u>(), d.step(), {w, h}), qrxStatusOk);
                        EXPECT_TRUE(d.guards_intact());
                        return d.roi_bytes();
                    },
                    expected, std::string(m.name) + " " + std::to_string(w) + "x" + std::to_string(h));
                if (HasFatalFailure()) return;
            }
}

TEST(YuvRgb16, WorkedWhiteAndOddStep) {
    // Y 255 with neutral chroma: (255, 255, 255) -> all fields full
    const u8 y[4] = {255, 255, 255, 255}, u = 128, v = 128;
    const Qrx8u* s[3] = {y, &u, &v};
    const int steps[3] = {2, 1, 1};
    Qrx16u out[6] = {};
    // an odd byte step of 5 acts as 4 (two pixels per row)
    ASSERT_EQ(qrxiYUV420ToBGR565_8u16u_P3C3R(s, steps, out, 5, {2, 2}), qrxStatusOk);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(out[i], 0xFFFF);
    ASSERT_EQ(qrxiYUV420ToRGB555_8u16u_P3C3R(s, steps, out, 4, {2, 2}), qrxStatusOk);
    EXPECT_EQ(out[0], 0x7FFF);
    ASSERT_EQ(qrxiYUV420ToBGR444Dither_8u16u_P3C3R(s, steps, out, 4, {2, 2}), qrxStatusOk);
    EXPECT_EQ(out[3], 0x0FFF);
}

TEST(YuvRgb16, Checks) {
    u8 b[16] = {};
    Qrx16u out[8] = {};
    const Qrx8u* sp[3] = {b, b, b};
    const Qrx8u* snull[3] = {b, nullptr, b};
    const int st[3] = {4, 2, 2};
    for (const Member& m : kMembers) {
        EXPECT_EQ(m.fn(nullptr, st, out, 8, {0, 0}), qrxStatusNullPointer);
        EXPECT_EQ(m.fn(sp, st, nullptr, 8, {2, 2}), qrxStatusNullPointer);
        EXPECT_EQ(m.fn(snull, st, out, 8, {0, 2}), qrxStatusSizeError);
        EXPECT_EQ(m.fn(snull, st, out, 8, {2, 2}), qrxStatusNullPointer);
    }
    for (auto w : out) EXPECT_EQ(w, 0);
}

namespace {

using FnIn = QrxStatus (*)(const Qrx16u*, int, Qrx8u* const*, const int*, QrxSize);

// The stated packed-field form: Yfull from the fields with the widening folded in.
yuvmodel::Yuv bgr16_model(const std::vector<std::uint16_t>& px, int w, int h, bool is565) {
    const int ew = w & ~1, eh = h & ~1;
    yuvmodel::Yuv o{w, h, (w + 1) / 2, (h + 1) / 2, std::vector<int>(w * h, -1), std::vector<int>(o.cw * o.ch, -1),
                    std::vector<int>(o.cw * o.ch, -1)};
    auto fields = [&](std::uint16_t p, long long& b5, long long& g, long long& r5) {
        b5 = p & 31;
        g = is565 ? (p >> 5) & 63 : (p >> 5) & 31;
        r5 = is565 ? (p >> 11) & 31 : (p >> 10) & 31;
    };
    const long long kg = is565 ? 153880 : 307760;
    for (int j = 0; j < eh / 2; ++j)
        for (int i = 0; i < ew / 2; ++i) {
            long long sy = 0, sb = 0, sr = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int x = 2 * i + dx, y = 2 * j + dy;
                    long long b5, g, r5;
                    fields(px[y * w + x], b5, g, r5);
                    const long long yf = 59768 * b5 + kg * g + 156760 * r5;
                    o.y[y * w + x] = static_cast<int>((yf + 32768) >> 16);
                    sy += yf;
                    sb += b5;
                    sr += r5;
                }
            o.u[j * o.cw + i] = yuvmodel::cl(yuvmodel::fdiv(yuvmodel::fdiv(sb * 524288 - sy + 131071, 65536) * 32244, 262144) + 128);
            o.v[j * o.cw + i] = yuvmodel::cl(yuvmodel::fdiv(yuvmodel::fdiv(sr * 524288 - sy + 131071, 65536) * 57475, 262144) + 128);
        }
    return o;
}

}  // namespace

TEST(YuvBgr16In, EvenPartAndOddSizeWarning) {
    for (bool is565 : {true, false}) {
        const FnIn fn = is565 ? qrxiBGR565ToYUV420_16u8u_C3P3R : qrxiBGR555ToYUV420_16u8u_C3P3R;
        std::vector<int> ws;
        for (int w = 2; w <= 40; ++w) ws.push_back(w);
        for (int w : {63, 64, 65, 66, 97, 130}) ws.push_back(w);  // whole 32- and 16-pixel steps and their tails
        for (int w : ws)
            for (int h = 2; h <= 5; ++h) {
                GuardedImage src(2 * w, h, 6);
                src.fill_random(static_cast<std::uint32_t>(w * 19 + h + is565));
                std::vector<std::uint16_t> px;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) px.push_back(static_cast<std::uint16_t>(src.row(y)[2 * x] | (src.row(y)[2 * x + 1] << 8)));
                const auto m = bgr16_model(px, w, h, is565);
                std::vector<u8> expected;
                // unconverted samples keep the guard value
                for (const auto* plane : {&m.y, &m.u, &m.v})
                    for (int v : *plane) expected.push_back(v < 0 ? qrxtest::kGuard : static_cast<u8>(v));
                const QrxStatus want = ((w | h) & 1) ? qrxStatusOddSize : qrxStatusOk;
                expect_at_all_levels(
                    [&] {
                        Planes d(w, h, m.cw, m.ch, m.cw, m.ch);
                        auto dp = d.ptr();
                        auto ds = d.steps();
                        EXPECT_EQ(fn(src.as<Qrx16u>(), src.step(), dp.data(), ds.data(), {w, h}), want);
                        EXPECT_TRUE(d.guards_intact());
                        return d.bytes();
                    },
                    expected, std::string(is565 ? "BGR565" : "BGR555") + " " + std::to_string(w) + "x" + std::to_string(h));
                if (HasFatalFailure()) return;
            }
    }
}

TEST(YuvBgr16In, Checks) {
    std::vector<Qrx16u> src(5 * 4, 0xFFFF);
    std::vector<u8> y(20, 0), u(6, 0), v(6, 0);
    Qrx8u* d[3] = {y.data(), u.data(), v.data()};
    const int st[3] = {5, 3, 3};
    EXPECT_EQ(qrxiBGR565ToYUV420_16u8u_C3P3R(src.data(), 10, d, st, {1, 4}), qrxStatusSizeError);
    EXPECT_EQ(qrxiBGR555ToYUV420_16u8u_C3P3R(src.data(), 10, d, st, {4, 1}), qrxStatusSizeError);
    Qrx8u* dnull[3] = {y.data(), nullptr, v.data()};
    EXPECT_EQ(qrxiBGR565ToYUV420_16u8u_C3P3R(src.data(), 10, dnull, st, {1, 1}), qrxStatusNullPointer);  // before size
    EXPECT_EQ(qrxiBGR555ToYUV420_16u8u_C3P3R(nullptr, 10, d, st, {4, 4}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGR555ToYUV420_16u8u_C3P3R(src.data(), 10, nullptr, st, {4, 4}), qrxStatusNullPointer);
}
