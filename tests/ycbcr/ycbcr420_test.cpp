// RGB/BGR <-> planar YCbCr 4:2:0 and 4:1:1 against the per-pixel model: widths
// 1..70, around 128 and 192 columns and long rows, several heights, every dispatch level,
// untouched bytes, worked values, checks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"
#include "ycbcr/chroma_model.h"

using namespace chroma_model;
using qrxtest::GuardedImage;

namespace {

using FwdFn = QrxStatus (*)(const Qrx8u*, int, Qrx8u* const[3], const int[3], QrxSize);

struct Planes {
    GuardedImage y, cb, cr;
    Planes(int w, int h, int cw, int ch) : y(w, h), cb(cw, ch, 5), cr(cw, ch, 9) {}
};

// Forward 4:2:0 model: blocks [0, body) by (YB, CB), other column pairs by (YR, CR),
// odd column / odd row Y by F16.
void model_420(const GuardedImage& src_c, int ch, bool bgr, int w, int h, int block, int (*YB)(int, int, int),
               C3 (*CB)(int, int, int), int (*YR)(int, int, int), C3 (*CR)(int, int, int), Planes& e) {
    auto& src = const_cast<GuardedImage&>(src_c);
    const int body = w / block * block;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const C3 p = px(src.row(y), x, ch, bgr);
            const bool in_block = y < h / 2 * 2 && x < w / 2 * 2;
            e.y.row(y)[x] = !in_block ? F16Y(p.a, p.b, p.c) : x < body ? YB(p.a, p.b, p.c) : YR(p.a, p.b, p.c);
        }
    for (int j = 0; j < h / 2; ++j)
        for (int i = 0; i < w / 2; ++i) {
            int sr = 0, sg = 0, sb = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const C3 p = px(src.row(2 * j + dy), 2 * i + dx, ch, bgr);
                    sr += p.a, sg += p.b, sb += p.c;
                }
            const C3 c = 2 * i < body ? CB(sr, sg, sb) : CR(sr, sg, sb);
            e.cb.row(j)[i] = c.a;
            e.cr.row(j)[i] = c.b;
        }
}

void check_fwd_420(FwdFn fn, int ch, bool bgr, int min, bool swap, int block, int (*YB)(int, int, int),
                   C3 (*CB)(int, int, int), int (*YR)(int, int, int), C3 (*CR)(int, int, int)) {
    // the sweep widths and around the 128- and 192-column marks of the widest bodies
    std::vector<int> widths = sweep_widths();
    for (int w : {126, 127, 128, 130, 191, 192, 193}) widths.push_back(w);
    for (int w : widths)
        for (int h = 1; h <= 5; ++h) {
            GuardedImage src(w * ch, h);
            src.fill_random(w * 7 + h * 3 + ch);
            Planes e(w, h, w / 2, h / 2);
            if (w < min || h < min) {
                Qrx8u* d[3] = {e.y.data(), e.cb.data(), e.cr.data()};
                const int s[3] = {e.y.step(), e.cb.step(), e.cr.step()};
                EXPECT_EQ(fn(src.data(), src.step(), d, s, {w, h}), qrxStatusSizeError);
                continue;
            }
            model_420(src, ch, bgr, w, h, block, YB, CB, YR, CR, e);
            // the YCrCb functions take the Cr plane second
            expect_images({&e.y, swap ? &e.cr : &e.cb, swap ? &e.cb : &e.cr},
                          [&](Qrx8u* const* d, const int* ds) { return fn(src.data(), src.step(), d, ds, {w, h}); }, dims(w, h));
        }
}

}  // namespace

TEST(Ycbcr420Forward, RgbC3MatchesModel) {
    // no vector body of its own: Y12 / Q12 on every whole block
    check_fwd_420(qrxiRGBToYCbCr420_8u_C3P3R, 3, false, 1, false, 2, Y12, Q12, Y12, Q12);
}

TEST(Ycbcr420Forward, BgrC3Ac4AndYCrCbMatchModel) {
    check_fwd_420(qrxiBGRToYCbCr420_8u_C3P3R, 3, true, 2, false, 16, Y15, Q11, F16Y, Q18);
    check_fwd_420(qrxiBGRToYCbCr420_8u_AC4P3R, 4, true, 2, false, 16, Y15, Q11, F16Y, Q18);
    // YCrCb420: the same bytes with the second and third planes exchanged
    check_fwd_420(qrxiBGRToYCrCb420_8u_C3P3R, 3, true, 2, true, 16, Y15, Q11, F16Y, Q18);
    check_fwd_420(qrxiBGRToYCrCb420_8u_AC4P3R, 4, true, 2, true, 16, Y15, Q11, F16Y, Q18);
}

TEST(Ycbcr411Forward, BgrC3AndAc4MatchModel) {
    for (int ch : {3, 4})
        for (int w : sweep_widths())
            for (int h : {1, 2, 4}) {
                GuardedImage src(w * ch, h);
                src.fill_random(w * 11 + h + ch);
                Planes e(w, h, w / 4, h);
                auto fn = ch == 3 ? qrxiBGRToYCbCr411_8u_C3P3R : qrxiBGRToYCbCr411_8u_AC4P3R;
                if (w < 4) {
                    Qrx8u* d[3] = {e.y.data(), e.cb.data(), e.cr.data()};
                    const int s[3] = {e.y.step(), e.cb.step(), e.cr.step()};
                    EXPECT_EQ(fn(src.data(), src.step(), d, s, {w, h}), qrxStatusSizeError);
                    continue;
                }
                const int body = w / 32 * 32;
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        const C3 p = px(src.row(y), x, ch, true);
                        e.y.row(y)[x] = x < body ? Y15(p.a, p.b, p.c) : F16Y(p.a, p.b, p.c);
                    }
                    for (int i = 0; i < w / 4; ++i) {
                        int sr = 0, sg = 0, sb = 0;
                        for (int k = 0; k < 4; ++k) {
                            const C3 p = px(src.row(y), 4 * i + k, ch, true);
                            sr += p.a, sg += p.b, sb += p.c;
                        }
                        const C3 c = 4 * i < body ? Q11(sr, sg, sb) : Q18(sr, sg, sb);
                        e.cb.row(y)[i] = c.a;
                        e.cr.row(y)[i] = c.b;
                    }
                }
                expect_images({&e.y, &e.cb, &e.cr},
                              [&](Qrx8u* const* d, const int* ds) { return fn(src.data(), src.step(), d, ds, {w, h}); }, dims(w, h));
            }
}

TEST(Ycbcr420Inverse, RgbAndBgrMatchModel) {
    for (bool bgr : {false, true})
        for (int w : sweep_widths())
            for (int h = 1; h <= 5; ++h) {
                const int cw = (w + 1) / 2, chh = (h + 1) / 2;
                GuardedImage y(w, h), cb(cw, chh, 3), cr(cw, chh, 13);
                y.fill_random(w + 3 * h), cb.fill_random(w * 5 + h), cr.fill_random(w * 7 + h + 1);
                const Qrx8u* src[3] = {y.data(), cb.data(), cr.data()};
                const int steps[3] = {y.step(), cb.step(), cr.step()};
                GuardedImage expect(3 * w, h);
                const int body = w / 4 * 4;
                for (int r = 0; r < h; ++r)
                    for (int x = 0; x < w; ++x) {
                        const bool paired = r < h / 2 * 2 && x < w / 2 * 2;
                        auto rec = !paired ? I16a : x < body ? I12 : I16e;
                        const C3 c = rec(y.row(r)[x], cb.row(r / 2)[x / 2], cr.row(r / 2)[x / 2]);
                        u8* p = expect.row(r) + 3 * x;
                        p[0] = bgr ? c.c : c.a, p[1] = c.b, p[2] = bgr ? c.a : c.c;
                    }
                auto fn = bgr ? qrxiYCbCr420ToBGR_8u_P3C3R : qrxiYCbCr420ToRGB_8u_P3C3R;
                expect_images({&expect}, [&](Qrx8u* const* d, const int* ds) { return fn(src, steps, d[0], ds[0], {w, h}); },
                              dims(w, h));
            }
}

TEST(Ycbcr411Inverse, C3AndC4MatchModel) {
    for (int dc : {3, 4})
        for (int w : sweep_widths())
            for (int h : {1, 3}) {
                const int cw = (w + 3) / 4;
                GuardedImage y(w, h), cb(cw, h, 3), cr(cw, h, 13);
                y.fill_random(w + 3 * h + dc), cb.fill_random(w * 5 + h), cr.fill_random(w * 7 + h + 1);
                const Qrx8u* src[3] = {y.data(), cb.data(), cr.data()};
                const int steps[3] = {y.step(), cb.step(), cr.step()};
                GuardedImage expect(dc * w, h), dst0(dc * w, h);
                auto run = [&](u8* d, int ds) {
                    return dc == 3 ? qrxiYCbCr411ToBGR_8u_P3C3R(src, steps, d, ds, {w, h})
                                   : qrxiYCbCr411ToBGR_8u_P3C4R(src, steps, d, ds, {w, h}, 0x3C);
                };
                if (w < 4) {
                    EXPECT_EQ(run(dst0.data(), dst0.step()), qrxStatusSizeError);
                    EXPECT_TRUE(dst0.guards_intact());
                    continue;
                }
                const int body = w / 8 * 8;
                for (int r = 0; r < h; ++r)
                    for (int x = 0; x < w; ++x) {
                        const C3 c = (x < body ? I13t : I16f)(y.row(r)[x], cb.row(r)[x / 4], cr.row(r)[x / 4]);
                        u8* p = expect.row(r) + dc * x;
                        p[0] = c.c, p[1] = c.b, p[2] = c.a;
                        if (dc == 4) p[3] = 0x3C;
                    }
                expect_images({&expect}, [&](Qrx8u* const* d, const int* ds) { return run(d[0], ds[0]); }, dims(w, h));
            }
}

TEST(Ycbcr420Checks, OrderAndStatuses) {
    u8 buf[64] = {};
    Qrx8u* np[3] = {buf, buf, nullptr};
    const Qrx8u* cnp[3] = {nullptr, buf, buf};
    const int s[3] = {8, 8, 8};
    // the three 1x1 functions test plane pointers after the size
    EXPECT_EQ(qrxiRGBToYCbCr420_8u_C3P3R(buf, 8, np, s, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToYCbCr420_8u_C3P3R(buf, 8, np, s, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToRGB_8u_P3C3R(cnp, s, buf, 8, {1, 0}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCr420ToBGR_8u_P3C3R(cnp, s, buf, 8, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToBGR_8u_P3C3R(nullptr, s, buf, 8, {0, 0}), qrxStatusNullPointer);
    // all others before the size
    EXPECT_EQ(qrxiBGRToYCbCr420_8u_AC4P3R(buf, 8, np, s, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGRToYCrCb420_8u_C3P3R(buf, 8, np, s, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGRToYCbCr411_8u_C3P3R(buf, 8, np, s, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr411ToBGR_8u_P3C4R(cnp, s, buf, 8, {0, 0}, 0), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr411ToBGR_8u_P3C3R(nullptr, s, buf, 8, {8, 1}), qrxStatusNullPointer);
    Qrx8u* p[3] = {buf, buf, buf};
    const Qrx8u* cp[3] = {buf, buf, buf};
    EXPECT_EQ(qrxiBGRToYCbCr411_8u_AC4P3R(buf, 8, p, s, {3, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCr411ToBGR_8u_P3C3R(cp, s, buf, 8, {4, 0}), qrxStatusSizeError);
    EXPECT_EQ(qrxiBGRToYCrCb420_8u_AC4P3R(buf, 8, p, s, {2, 1}), qrxStatusSizeError);
}

TEST(Ycbcr420Steps, NegativeStepsRunUpwards) {
    // Reading the source and writing every plane bottom-up gives the conversion of the
    // vertically flipped image, flipped back.
    const int w = 37, h = 4;
    GuardedImage src(3 * w, h), flipped(3 * w, h);
    src.fill_random(77);
    for (int r = 0; r < h; ++r) std::memcpy(flipped.row(r), src.row(h - 1 - r), 3 * w);
    Planes a(w, h, w / 2, h / 2), b(w, h, w / 2, h / 2);
    Qrx8u* up[3] = {a.y.row(h - 1), a.cb.row(h / 2 - 1), a.cr.row(h / 2 - 1)};
    const int neg[3] = {-a.y.step(), -a.cb.step(), -a.cr.step()};
    Qrx8u* down[3] = {b.y.data(), b.cb.data(), b.cr.data()};
    const int pos[3] = {b.y.step(), b.cb.step(), b.cr.step()};
    ASSERT_EQ(qrxiBGRToYCbCr420_8u_C3P3R(src.row(h - 1), -src.step(), up, neg, {w, h}), qrxStatusOk);
    ASSERT_EQ(qrxiBGRToYCbCr420_8u_C3P3R(flipped.data(), flipped.step(), down, pos, {w, h}), qrxStatusOk);
    for (int r = 0; r < h; ++r)
        EXPECT_EQ(std::vector<u8>(a.y.row(r), a.y.row(r) + w), std::vector<u8>(b.y.row(h - 1 - r), b.y.row(h - 1 - r) + w));
    for (int r = 0; r < h / 2; ++r) {
        EXPECT_EQ(std::vector<u8>(a.cb.row(r), a.cb.row(r) + w / 2),
                  std::vector<u8>(b.cb.row(h / 2 - 1 - r), b.cb.row(h / 2 - 1 - r) + w / 2));
        EXPECT_EQ(std::vector<u8>(a.cr.row(r), a.cr.row(r) + w / 2),
                  std::vector<u8>(b.cr.row(h / 2 - 1 - r), b.cr.row(h / 2 - 1 - r) + w / 2));
    }
    EXPECT_TRUE(a.y.guards_intact() && a.cb.guards_intact() && a.cr.guards_intact());
}
