// RGB/BGR <-> YCbCr 4:2:2: every function against the per-pixel model for widths
// 1..70 (around every block size), long rows and several heights, at every dispatch level,
// with the bytes outside the ROI untouched; worked values; checks.
#include <gtest/gtest.h>

#include <functional>

#include "qrxcc.h"
#include "support/test_image.h"
#include "ycbcr/chroma_model.h"

using namespace chroma_model;
using qrxtest::GuardedImage;

namespace {

using RowFn = std::function<QrxStatus(const u8*, int, u8*, int, QrxSize)>;
using RowModel = std::function<void(const u8* s, u8* d, int w)>;

void put_pair(u8* d, int i, bool cb_first, int y0, int y1, C3 ch) {
    u8* p = d + 2 * i;
    if (cb_first) {
        p[0] = ch.a, p[1] = y0, p[2] = ch.b, p[3] = y1;
    } else {
        p[0] = y0, p[1] = ch.a, p[2] = y1, p[3] = ch.b;
    }
}
void put_last(u8* d, int i, bool cb_first, int y, int cb) {
    d[2 * i + (cb_first ? 1 : 0)] = y;
    d[2 * i + (cb_first ? 0 : 1)] = cb;
}

// The same with one image in and one out.
void check_rows(const RowFn& fn, int src_bpp, int dst_bpp, int min_w, const RowModel& model, unsigned seed) {
    check([&](auto s, auto ss, auto d, auto ds, QrxSize r) { return fn(s[0], ss[0], d[0], ds[0], r); },
          {{src_bpp, 0, 1, 7}}, {{dst_bpp, 0, 1, 7}}, min_w, [&](auto& s, auto& d, int w) { model(s[0], d[0], w); }, seed);
}

// Planes from the row of a pixel-order model: Y and pair chroma of a packed 4:2:2 row
// (Y0 C Y1 C), or the three samples of a 3-byte pixel.
Model split(const RowModel& m, bool packed) {
    return [=](const std::vector<const u8*>& s, const std::vector<u8*>& d, int w) {
        std::vector<u8> row(4 * w + 4);
        m(s[0], row.data(), w);
        for (int i = 0; i < w; ++i)
            for (int k = 0; k < 3; ++k)
                if (!packed) d[k][i] = row[3 * i + k];
                else if (k == 0) d[0][i] = row[2 * i];
                else if (i < w / 2) d[k][i] = row[4 * i + 2 * k - 1];
    };
}

void put_rgb(u8* d, int i, int ch, bool bgr, C3 c, int alpha = -1) {
    u8* p = d + ch * i;
    p[0] = bgr ? c.c : c.a;
    p[1] = c.b;
    p[2] = bgr ? c.a : c.c;
    if (ch == 4 && alpha >= 0) p[3] = alpha;
}

// Inverse packed model: body [0, body) by `body_r`, pairs by `pair_r`, odd last by
// `last_r` with the previous pair's Cr; width 1 uses Cb for Cr.
RowModel inverse_packed_model(bool cb_first, int ch, bool bgr, int block, C3 (*body_r)(int, int, int),
                              C3 (*pair_r)(int, int, int), C3 (*last_r)(int, int, int), int alpha = -1) {
    return [=](const u8* s, u8* d, int w) {
        const int yo0 = cb_first ? 1 : 0, cbo = cb_first ? 0 : 1, yo1 = cb_first ? 3 : 2, cro = cb_first ? 2 : 3;
        const int body = w / block * block;
        for (int i = 0; i + 1 < w; i += 2) {
            const u8* p = s + 2 * i;
            C3 (*rec)(int, int, int) = i < body ? body_r : pair_r;
            put_rgb(d, i, ch, bgr, rec(p[yo0], p[cbo], p[cro]), alpha);
            put_rgb(d, i + 1, ch, bgr, rec(p[yo1], p[cbo], p[cro]), alpha);
        }
        if (w & 1) {
            const u8* p = s + 2 * (w - 1);
            const int cr = w == 1 ? p[cbo] : s[2 * (w - 1) - (cb_first ? 2 : 1)];
            put_rgb(d, w - 1, ch, bgr, last_r(p[yo0], p[cbo], cr), alpha);
        }
    };
}

}  // namespace

TEST(Ycbcr422Forward, RgbC3ToPackedMatchesModel) {
    check_rows(qrxiRGBToYCbCr422_8u_C3C2R, 3, 2, 1,
                    [](const u8* s, u8* d, int w) {
                        const int body = w / 4 * 4;  // blocks of 8 then 4
                        for (int i = 0; i + 1 < w; i += 2) {
                            const C3 p0 = px(s, i, 3, false), p1 = px(s, i + 1, 3, false);
                            auto Y = i < body ? FPY : F16tY;
                            put_pair(d, i, false, Y(p0.a, p0.b, p0.c), Y(p1.a, p1.b, p1.c),
                                     P17(p0.a + p1.a, p0.b + p1.b, p0.c + p1.c));
                        }
                        if (w & 1) {
                            const C3 p = px(s, w - 1, 3, false);
                            put_last(d, w - 1, false, F16uY(p.a, p.b, p.c),
                                     cl(fl(-9699LL * p.a - 19070LL * p.b + 28770LL * p.c + 8388608, 65536)));
                        }
                    },
                    1);
}

TEST(Ycbcr422Forward, BgrC3AndAc4ToPackedAndPlanesMatchModel) {
    for (int ch : {3, 4}) {
        const RowModel model = [ch](const u8* s, u8* d, int w) {
            const int body = w / 32 * 32;
            for (int i = 0; i + 1 < w; i += 2) {
                const C3 p0 = px(s, i, ch, true), p1 = px(s, i + 1, ch, true);
                const bool v = i < body;
                auto Y = v ? Y15 : F16Y;
                const int sr = p0.a + p1.a, sg = p0.b + p1.b, sb = p0.c + p1.c;
                put_pair(d, i, false, Y(p0.a, p0.b, p0.c), Y(p1.a, p1.b, p1.c), v ? P11(sr, sg, sb) : P17q(sr, sg, sb));
            }
            if (w & 1) {
                const C3 p = px(s, w - 1, ch, true);
                put_last(d, w - 1, false, F16Y(p.a, p.b, p.c),
                         cl(fl(-9699LL * p.a - 19071LL * p.b + 28770LL * p.c + 8396800, 65536)));
            }
        };
        check_rows(ch == 3 ? qrxiBGRToYCbCr422_8u_C3C2R : qrxiBGRToYCbCr422_8u_AC4C2R, ch, 2, 2, model, 2 + ch);
        // to planes: the same Y and pair chroma, no chroma for an odd last pixel
        const auto fn = ch == 3 ? qrxiBGRToYCbCr422_8u_C3P3R : qrxiBGRToYCbCr422_8u_AC4P3R;
        check([fn](auto s, auto ss, auto d, auto ds, QrxSize r) { return fn(s[0], ss[0], d, ds, r); },
              ch == 3 ? kC3 : kC4, kP422out, 2, split(model, true), 17 + ch);
    }
}

TEST(Ycbcr422Forward, BgrAc4ToCbYCrMatchesModelAlsoAligned) {
    const RowModel model = [](const u8* s, u8* d, int w) {
        const int body = w / 8 * 8;
        for (int i = 0; i + 1 < w; i += 2) {
            const C3 p0 = px(s, i, 4, true), p1 = px(s, i + 1, 4, true);
            const int sr = p0.a + p1.a, sg = p0.b + p1.b, sb = p0.c + p1.c;
            if (i < body) {
                put_pair(d, i, true, Y15(p0.a, p0.b, p0.c), Y15(p1.a, p1.b, p1.c), P10(sr, sg, sb));
            } else {
                put_pair(d, i, true, F16Y(p0.a, p0.b, p0.c), F16Y(p1.a, p1.b, p1.c), P17(sr, sg, sb, 16842752, 16842750));
            }
        }
        if (w & 1) {
            const C3 p = px(s, w - 1, 4, true);
            put_last(d, w - 1, true, F16Y(p.a, p.b, p.c), F16Cb(p.a, p.b, p.c));
        }
    };
    check_rows(qrxiBGRToCbYCr422_8u_AC4C2R, 4, 2, 1, model, 7);

    // The aligned kernel (every pointer and step a multiple of 16), nothing written between the rows.
    for (int w : {8, 16, 29, 64}) {
        alignas(16) static u8 src[3 * 272], da[3 * 144];
        for (std::size_t i = 0; i < sizeof(src); ++i) src[i] = static_cast<u8>(i * 37 + w);
        std::vector<u8> expect(sizeof(da), 0);
        for (int r = 0; r < 3; ++r) model(src + r * 272, expect.data() + r * 144, w);
        at_all_levels([&](qrx::cpu::Level) {
            std::fill(std::begin(da), std::end(da), 0);
            ASSERT_EQ(qrxiBGRToCbYCr422_8u_AC4C2R(src, 272, da, 144, {w, 3}), qrxStatusOk);
            ASSERT_EQ(std::vector<u8>(da, da + sizeof(da)), expect) << w;
        });
    }
}

TEST(Ycbcr422Forward, ThreeTapAndGammaMatchModel) {
    const std::vector<int> curve = curve709();
    for (bool gamma : {false, true}) {
        const RowModel model = [&curve, gamma](const u8* s, u8* d, int w) {
            auto g = [&](C3 p) { return gamma ? C3{curve[p.a], curve[p.b], curve[p.c]} : p; };
            C3 left{0, 0, 0};
            for (int i = 0; i + 1 < w; i += 2) {
                const C3 p0 = g(px(s, i, 3, false)), p1 = g(px(s, i + 1, 3, false));
                const int cb = cl(fl(7193LL * p0.c - 2426LL * p0.a - 4769LL * p0.b + 3596LL * p1.c - 1213LL * p1.a -
                                         2385LL * p1.b + 3596LL * left.c - 1213LL * left.a - 2385LL * left.b + 4210687,
                                     32768));
                const int cr = cl(fl(7193LL * p0.a - 6030LL * p0.b - 1164LL * p0.c + 3596LL * p1.a - 3015LL * p1.b -
                                         582LL * p1.c + 3596LL * left.a - 3015LL * left.b - 582LL * left.c + 4210687,
                                     32768));
                put_pair(d, i, true, Y15s(p0.a, p0.b, p0.c), Y15s(p1.a, p1.b, p1.c), C3{cb, cr, 0});
                left = p1;
            }
            if (w & 1) {
                const C3 p = g(px(s, w - 1, 3, false));
                put_last(d, w - 1, true, F16Y(p.a, p.b, p.c), F16Cb(p.a, p.b, p.c));
            }
        };
        check_rows(gamma ? qrxiRGBToCbYCr422Gamma_8u_C3C2R : qrxiRGBToCbYCr422_8u_C3C2R, 3, 2, 1, model, 11 + gamma);
    }
}

TEST(Ycbcr422Forward, RgbPlanesToPackedMatchesModel) {
    check([](auto s, auto ss, auto d, auto ds, QrxSize r) { return qrxiRGBToYCbCr422_8u_P3C2R(s, ss[0], d[0], ds[0], r); },
          kP3, kC2, 1,
          [](const std::vector<const u8*>& s, const std::vector<u8*>& d, int w) {
              auto P = [&](int i) { return C3{s[0][i], s[1][i], s[2][i]}; };
              for (int i = 0; i + 1 < w; i += 2) {
                  const C3 p0 = P(i), p1 = P(i + 1);
                  const bool v = i < w / 8 * 8;
                  put_pair(d[0], i, false, v ? FPY(p0.a, p0.b, p0.c) : F16Y(p0.a, p0.b, p0.c),
                           v ? FPY(p1.a, p1.b, p1.c) : F16tY(p1.a, p1.b, p1.c), P17(p0.a + p1.a, p0.b + p1.b, p0.c + p1.c));
              }
              const C3 q = P(w - 1);
              if (w & 1) put_last(d[0], w - 1, false, F16Y(q.a, q.b, q.c), F16Cb(q.a, q.b, q.c));
          },
          3);
}

TEST(Ycbcr422Inverse, PackedToPixelOrderMatchesModel) {
    check_rows(qrxiYCbCr422ToRGB_8u_C2C3R, 2, 3, 1, inverse_packed_model(false, 3, false, 4, I13t, I16c, I16c), 21);
    check_rows(qrxiYCbCr422ToBGR_8u_C2C3R, 2, 3, 2, inverse_packed_model(false, 3, true, 16, I13r, I13r, I16c), 22);
    check_rows(
        [](const u8* s, int ss, u8* d, int ds, QrxSize r) { return qrxiYCbCr422ToBGR_8u_C2C4R(s, ss, d, ds, r, 0x5C); },
        2, 4, 2, inverse_packed_model(false, 4, true, 16, I12, I16c, I16c, 0x5C), 23);
    check_rows(qrxiCbYCr422ToRGB_8u_C2C3R, 2, 3, 1, inverse_packed_model(true, 3, false, 8, I13r, I16d, I16d), 24);
    check_rows(
        [](const u8* s, int ss, u8* d, int ds, QrxSize r) { return qrxiCbYCr422ToBGR_8u_C2C4R(s, ss, d, ds, r, 0xE1); },
        2, 4, 1, inverse_packed_model(true, 4, true, 8, I13r, I16d, I16d, 0xE1), 25);
}

TEST(Ycbcr422Inverse, PackedToPlanesAndPlanesToPixelOrderMatchModel) {
    check([](auto s, auto ss, auto d, auto ds, QrxSize r) { return qrxiYCbCr422ToRGB_8u_C2P3R(s[0], ss[0], d, ds[0], r); },
          kC2, kP3, 1, split(inverse_packed_model(false, 3, false, 4, I13t, I16c, I16c), false), 29);
    check([](auto s, auto ss, auto d, auto ds, QrxSize r) { return qrxiYCbCr422ToRGB_8u_P3C3R(s, ss, d[0], ds[0], r); },
          kP422in, kC3, 1,
          [](const std::vector<const u8*>& s, const std::vector<u8*>& d, int w) {
              for (int i = 0; i < w; ++i)
                  put_rgb(d[0], i, 3, false, (i < w / 8 * 8 ? I13r : I16b)(s[0][i], s[1][i / 2], s[2][i / 2]));
          },
          5);
}

TEST(Ycbcr422Checks, OrderAndStatuses) {
    u8 buf[64] = {};
    Qrx8u* planes[3] = {buf, buf, buf};
    Qrx8u* null_planes[3] = {buf, nullptr, buf};
    const Qrx8u* cplanes[3] = {buf, buf, nullptr};
    const int steps[3] = {8, 8, 8};
    // pointer test before the size
    EXPECT_EQ(qrxiRGBToYCbCr422_8u_C3C2R(nullptr, 3, buf, 2, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr422ToBGR_8u_C2C4R(buf, 4, nullptr, 8, {0, 1}, 0), qrxStatusNullPointer);
    // plane pointers before the size (BGR -> planar)
    EXPECT_EQ(qrxiBGRToYCbCr422_8u_C3P3R(buf, 6, null_planes, steps, {0, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGRToYCbCr422_8u_AC4P3R(buf, 6, null_planes, steps, {1, 1}), qrxStatusNullPointer);
    // plane pointers after the size
    EXPECT_EQ(qrxiRGBToYCbCr422_8u_P3C2R(cplanes, 8, buf, 8, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYCbCr422_8u_P3C2R(cplanes, 8, buf, 8, {2, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr422ToRGB_8u_C2P3R(buf, 8, null_planes, 8, {2, 0}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCr422ToRGB_8u_C2P3R(buf, 8, null_planes, 8, {2, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr422ToRGB_8u_P3C3R(cplanes, steps, buf, 8, {-1, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCr422ToRGB_8u_P3C3R(cplanes, steps, buf, 8, {1, 1}), qrxStatusNullPointer);
    // minimum widths
    EXPECT_EQ(qrxiBGRToYCbCr422_8u_AC4C2R(buf, 8, buf, 8, {1, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCr422ToBGR_8u_C2C3R(buf, 8, buf, 8, {1, 4}), qrxStatusSizeError);
    EXPECT_EQ(qrxiBGRToYCbCr422_8u_C3P3R(buf, 8, planes, steps, {1, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiCbYCr422ToBGR_8u_C2C4R(buf, 8, buf, 8, {2, 0}, 0), qrxStatusSizeError);
    // the Gamma variant checks its steps after the size
    EXPECT_EQ(qrxiRGBToCbYCr422Gamma_8u_C3C2R(buf, 0, buf, 4, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToCbYCr422Gamma_8u_C3C2R(buf, 0, buf, 4, {1, 1}), qrxStatusStepError);
    EXPECT_EQ(qrxiRGBToCbYCr422Gamma_8u_C3C2R(buf, 6, buf, -4, {1, 1}), qrxStatusStepError);
    EXPECT_EQ(qrxiRGBToCbYCr422_8u_C3C2R(buf, 0, buf, -4, {1, 1}), qrxStatusOk);
}

TEST(Ycbcr422Steps, ZeroAndNegativeSteps) {
    // step 0: every row reads and writes the same row; negative steps run upwards.
    GuardedImage src(3 * 40, 4), a(80, 4), b(80, 4);
    src.fill_random(5);
    ASSERT_EQ(qrxiBGRToYCbCr422_8u_C3C2R(src.row(3), -src.step(), a.row(3), -a.step(), {40, 4}), qrxStatusOk);
    ASSERT_EQ(qrxiBGRToYCbCr422_8u_C3C2R(src.data(), src.step(), b.data(), b.step(), {40, 4}), qrxStatusOk);
    EXPECT_EQ(a.all_bytes(), b.all_bytes());
    GuardedImage c(80, 1);
    ASSERT_EQ(qrxiBGRToYCbCr422_8u_C3C2R(src.data(), 0, c.data(), 0, {40, 3}), qrxStatusOk);
    EXPECT_EQ(std::vector<u8>(c.row(0), c.row(0) + 80), std::vector<u8>(b.row(0), b.row(0) + 80));
}
