// RGB/BGR <-> planar YCbCr 4:2:0 and 4:1:1 against the per-pixel model: widths
// 1..70, around 128 and 192 columns and long rows, several heights, every dispatch level,
// untouched bytes, checks.
#include <gtest/gtest.h>

#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"
#include "ycbcr/chroma_model.h"

using namespace chroma_model;
using qrxtest::GuardedImage;

namespace {

using FwdFn = QrxStatus (*)(const Qrx8u*, int, Qrx8u* const[3], const int[3], QrxSize);
using Rec = C3 (*)(int, int, int);
using Luma = int (*)(int, int, int);
using InvFn = std::function<QrxStatus(const Qrx8u* const*, const int*, Qrx8u*, int, QrxSize)>;

struct Planes {
    GuardedImage y, cb, cr;
    Planes(int w, int h, int cw, int ch) : y(w, h), cb(cw, ch, 5), cr(cw, ch, 9) {}
};

// One forward member: chroma blocks of cx x cy pixels; Y of the pixels inside whole
// blocks by YB within [0, body) and YR beyond, F16 elsewhere; block chroma (on the
// sums) by CB within the body, CR beyond.  Smaller than min_w x min_h: a size error.
struct Fwd {
    FwdFn fn;
    int ch, cx, cy, min_w, min_h, bgr, swap, block;  // swap: the YCrCb functions take the Cr plane second
    Luma YB;
    Rec CB;
    Luma YR;
    Rec CR;
};

void check_fwd(const Fwd& f) {
    std::vector<int> widths = sweep_widths();
    // the widest bodies, and rows the 256-bit four-byte body takes in two chunks
    for (int w : {126, 127, 128, 130, 191, 192, 193, 1059}) widths.push_back(w);
    for (int w : widths)
        for (int h = 1; h <= 5; ++h) {
            GuardedImage src(w * f.ch, h);
            src.fill_random(w * 7 + h * 3 + f.ch);
            Planes e(w, h, w / f.cx, h / f.cy);
            const bool small = w < f.min_w || h < f.min_h;
            const int body = w / f.block * f.block, bw = w / f.cx * f.cx, bh = h / f.cy * f.cy;
            for (int y = 0; y < h && !small; ++y)
                for (int x = 0; x < w; ++x) {
                    const C3 p = px(src.row(y), x, f.ch, f.bgr);
                    e.y.row(y)[x] = !(y < bh && x < bw) ? F16Y(p.a, p.b, p.c) : (x < body ? f.YB : f.YR)(p.a, p.b, p.c);
                }
            for (int j = 0; j < h / f.cy && !small; ++j)
                for (int i = 0; i < w / f.cx; ++i) {
                    C3 s{0, 0, 0};
                    for (int k = 0; k < f.cx * f.cy; ++k) {
                        const C3 p = px(src.row(f.cy * j + k / f.cx), f.cx * i + k % f.cx, f.ch, f.bgr);
                        s.a += p.a, s.b += p.b, s.c += p.c;
                    }
                    const C3 c = (f.cx * i < body ? f.CB : f.CR)(s.a, s.b, s.c);
                    e.cb.row(j)[i] = c.a, e.cr.row(j)[i] = c.b;
                }
            expect_images({&e.y, f.swap ? &e.cr : &e.cb, f.swap ? &e.cb : &e.cr},
                          [&](Qrx8u* const* d, const int* ds) { return f.fn(src.data(), src.step(), d, ds, {w, h}); },
                          dims(w, h), small ? qrxStatusSizeError : qrxStatusOk);
        }
}

// One inverse member: chroma of cx x cy pixels; pixels inside whole blocks by B within
// [0, body) and T beyond, the others by E; dc bytes per pixel (a fourth byte = alpha).
struct Inv {
    InvFn fn;
    int dc, cx, cy, min_w, bgr, block;
    Rec B, T, E;
};

void check_inv(const Inv& f) {
    for (int w : sweep_widths())
        for (int h = 1; h <= 5; ++h) {
            const int cw = (w + f.cx - 1) / f.cx, chh = (h + f.cy - 1) / f.cy;
            GuardedImage y(w, h), cb(cw, chh, 3), cr(cw, chh, 13);
            y.fill_random(w + 3 * h + f.dc), cb.fill_random(w * 5 + h), cr.fill_random(w * 7 + h + 1);
            const Qrx8u* src[3] = {y.data(), cb.data(), cr.data()};
            const int steps[3] = {y.step(), cb.step(), cr.step()};
            GuardedImage expect(f.dc * w, h);
            const int body = w / f.block * f.block;
            for (int r = 0; r < h && w >= f.min_w; ++r)
                for (int x = 0; x < w; ++x) {
                    const bool whole = r < h / f.cy * f.cy && x < w / f.cx * f.cx;
                    const C3 c = (!whole ? f.E : x < body ? f.B : f.T)(y.row(r)[x], cb.row(r / f.cy)[x / f.cx],
                                                                       cr.row(r / f.cy)[x / f.cx]);
                    u8* p = expect.row(r) + f.dc * x;
                    p[0] = f.bgr ? c.c : c.a, p[1] = c.b, p[2] = f.bgr ? c.a : c.c;
                    if (f.dc == 4) p[3] = 0x3C;
                }
            expect_images({&expect}, [&](Qrx8u* const* d, const int* ds) { return f.fn(src, steps, d[0], ds[0], {w, h}); },
                          dims(w, h), w < f.min_w ? qrxStatusSizeError : qrxStatusOk);
        }
}

}  // namespace

TEST(Ycbcr420Forward, EveryMemberMatchesModel) {
    const Fwd members[] = {
        // no vector body of its own: Y12 / Q12 on every whole block
        {qrxiRGBToYCbCr420_8u_C3P3R, 3, 2, 2, 1, 1, false, false, 2, Y12, Q12, Y12, Q12},
        {qrxiBGRToYCbCr420_8u_C3P3R, 3, 2, 2, 2, 2, true, false, 16, Y15, Q11, F16Y, Q18},
        {qrxiBGRToYCbCr420_8u_AC4P3R, 4, 2, 2, 2, 2, true, false, 16, Y15, Q11, F16Y, Q18},
        {qrxiBGRToYCrCb420_8u_C3P3R, 3, 2, 2, 2, 2, true, true, 16, Y15, Q11, F16Y, Q18},
        {qrxiBGRToYCrCb420_8u_AC4P3R, 4, 2, 2, 2, 2, true, true, 16, Y15, Q11, F16Y, Q18},
        {qrxiBGRToYCbCr411_8u_C3P3R, 3, 4, 1, 4, 1, true, false, 32, Y15, Q11, F16Y, Q18},
        {qrxiBGRToYCbCr411_8u_AC4P3R, 4, 4, 1, 4, 1, true, false, 32, Y15, Q11, F16Y, Q18},
    };
    for (const Fwd& f : members) check_fwd(f);
}

TEST(Ycbcr420Inverse, EveryMemberMatchesModel) {
    const Inv members[] = {
        {qrxiYCbCr420ToRGB_8u_P3C3R, 3, 2, 2, 1, false, 4, I12, I16e, I16a},
        {qrxiYCbCr420ToBGR_8u_P3C3R, 3, 2, 2, 1, true, 4, I12, I16e, I16a},
        {qrxiYCbCr411ToBGR_8u_P3C3R, 3, 4, 1, 4, true, 8, I13t, I16f, I16f},
        {[](const Qrx8u* const* s, const int* ss, Qrx8u* d, int ds, QrxSize r) {
             return qrxiYCbCr411ToBGR_8u_P3C4R(s, ss, d, ds, r, 0x3C);
         },
         4, 4, 1, 4, true, 8, I13t, I16f, I16f},
    };
    for (const Inv& f : members) check_inv(f);
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
    const Qrx8u* cp[3] = {buf, buf, buf};
    EXPECT_EQ(qrxiYCbCr411ToBGR_8u_P3C3R(cp, s, buf, 8, {4, 0}), qrxStatusSizeError);
}

TEST(Ycbcr420Steps, NegativeStepsRunUpwards) {
    // Rows paired bottom-up are the same pairs (even height): the same bytes.
    const int w = 37, h = 4;
    GuardedImage src(3 * w, h);
    src.fill_random(77);
    Planes a(w, h, w / 2, h / 2), b(w, h, w / 2, h / 2);
    Qrx8u* up[3] = {a.y.row(h - 1), a.cb.row(h / 2 - 1), a.cr.row(h / 2 - 1)};
    const int neg[3] = {-a.y.step(), -a.cb.step(), -a.cr.step()};
    Qrx8u* down[3] = {b.y.data(), b.cb.data(), b.cr.data()};
    const int pos[3] = {b.y.step(), b.cb.step(), b.cr.step()};
    ASSERT_EQ(qrxiBGRToYCbCr420_8u_C3P3R(src.row(h - 1), -src.step(), up, neg, {w, h}), qrxStatusOk);
    ASSERT_EQ(qrxiBGRToYCbCr420_8u_C3P3R(src.data(), src.step(), down, pos, {w, h}), qrxStatusOk);
    for (auto m : {&Planes::y, &Planes::cb, &Planes::cr}) EXPECT_EQ((a.*m).all_bytes(), (b.*m).all_bytes());
}
