// YCbCr to 16-bit packed RGB: every function against a per-pixel model written
// here from the recipes and the region plans, at every dispatch level, plus the
// worked values, the dither pattern, the gap-free one-long-row path and the checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "qrxcc.h"
#include "support/rgb16_model.h"
#include "support/test_image.h"
#include "ycbcr/chroma_model.h"

namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using qrxtest::GuardedImage;

enum class Src { C3, P444, C2, P422, P420, P411 };
using C1Fn = QrxStatus (*)(const Qrx8u*, int, Qrx16u*, int, QrxSize);
using P1Fn = QrxStatus (*)(const Qrx8u* const[3], int, Qrx16u*, int, QrxSize);
using PAFn = QrxStatus (*)(const Qrx8u* const[3], const int[3], Qrx16u*, int, QrxSize);

struct Fn {
    const char* name;
    Src src;
    int fmt;  // 0 = 565, 1 = 555, 2 = 444
    bool rgb;  // RGB names: red in the low field
    bool dither;
    C1Fn c1;
    P1Fn p1;
    PAFn pa;
};

// The ten members of one order and field layout: five sources, plain and dithered.
#define RGB16_SOURCES(ORD, BITS, F, RGB, D, DN)                                                                     \
    {"YCbCrTo" #ORD #BITS #DN "_C3R", Src::C3, F, RGB, D, qrxiYCbCrTo##ORD##BITS##DN##_8u16u_C3R, nullptr, nullptr}, \
    {"YCbCrTo" #ORD #BITS #DN "_P3C3R", Src::P444, F, RGB, D, nullptr, qrxiYCbCrTo##ORD##BITS##DN##_8u16u_P3C3R,    \
     nullptr},                                                                                                     \
    {"YCbCr422To" #ORD #BITS #DN "_C2C3R", Src::C2, F, RGB, D, qrxiYCbCr422To##ORD##BITS##DN##_8u16u_C2C3R, nullptr, \
     nullptr},                                                                                                     \
    {"YCbCr422To" #ORD #BITS #DN "_P3C3R", Src::P422, F, RGB, D, nullptr, nullptr,                                  \
     qrxiYCbCr422To##ORD##BITS##DN##_8u16u_P3C3R},                                                                 \
    {"YCbCr420To" #ORD #BITS #DN "_P3C3R", Src::P420, F, RGB, D, nullptr, nullptr,                                  \
     qrxiYCbCr420To##ORD##BITS##DN##_8u16u_P3C3R},
#define RGB16_ORDER(ORD, RGB)                                                                            \
    RGB16_SOURCES(ORD, 565, 0, RGB, false, ) RGB16_SOURCES(ORD, 565, 0, RGB, true, Dither)               \
    RGB16_SOURCES(ORD, 555, 1, RGB, false, ) RGB16_SOURCES(ORD, 555, 1, RGB, true, Dither)               \
    RGB16_SOURCES(ORD, 444, 2, RGB, false, ) RGB16_SOURCES(ORD, 444, 2, RGB, true, Dither)

const Fn kFns[] = {
    RGB16_ORDER(BGR, false) RGB16_ORDER(RGB, true)
    {"YCbCr411ToBGR565_P3C3R", Src::P411, 0, false, false, nullptr, nullptr, qrxiYCbCr411ToBGR565_8u16u_P3C3R},
    {"YCbCr411ToBGR555_P3C3R", Src::P411, 1, false, false, nullptr, nullptr, qrxiYCbCr411ToBGR555_8u16u_P3C3R},
};
#undef RGB16_ORDER
#undef RGB16_SOURCES

using Recipe = chroma_model::C3 (*)(int, int, int);
using chroma_model::I13s, chroma_model::I13u, chroma_model::I16a, chroma_model::I16c, chroma_model::I16e;

u16 pack(const Fn& f, chroma_model::C3 c, int x, int y) {
    const int rb = f.fmt == 2 ? 4 : 5;
    return rgb16model::pack(c.a, c.b, c.c, rb, f.fmt == 0 ? 6 : rb, f.rgb, f.dither, x, y);
}

// Source image of one function: packed in plane 0, or three planes.
struct Source {
    std::vector<GuardedImage> planes;
    const Qrx8u* ptr[3] = {nullptr, nullptr, nullptr};
    int step[3] = {0, 0, 0};
};

int chroma_cols(Src s, int w) { return s == Src::P444 ? w : s == Src::P411 ? (w + 3) / 4 : (w + 1) / 2; }

Source make_source(Src s, int w, int h, int pad, std::uint32_t seed) {
    Source out;
    if (s == Src::C3 || s == Src::C2) {
        out.planes.emplace_back(w * (s == Src::C3 ? 3 : 2), h, pad);
    } else {
        const int ch = s == Src::P420 ? (h + 1) / 2 : h;
        const int cw = chroma_cols(s, w);
        const int cpad = s == Src::P444 ? pad : pad + 5;  // 4:4:4 planes share one step
        out.planes.emplace_back(w, h, pad);
        out.planes.emplace_back(cw, ch, cpad);
        out.planes.emplace_back(cw, ch, cpad);
    }
    for (std::size_t i = 0; i < out.planes.size(); ++i) {
        out.planes[i].fill_random(seed + static_cast<std::uint32_t>(i) * 7919u);
        out.ptr[i] = out.planes[i].data();
        out.step[i] = out.planes[i].step();
    }
    return out;
}

QrxStatus run(const Fn& f, const Qrx8u* const ptr[3], const int step[3], Qrx16u* dst, int dstStep, QrxSize roi) {
    if (f.c1) return f.c1(ptr[0], step[0], dst, dstStep, roi);
    if (f.p1) return f.p1(ptr, step[0], dst, dstStep, roi);
    return f.pa(ptr, step, dst, dstStep, roi);
}

// Expected 16-bit pixels of the w x h ROI (row-major), from the region plan.
std::vector<u16> model(const Fn& f, const Source& s, int w, int h, int dstStep) {
    auto at = [&](int p, int x, int y) -> int {
        return s.ptr[p][static_cast<std::ptrdiff_t>(y) * s.step[p] + x];
    };
    const bool c3_gap = f.src == Src::C3 && !f.dither && s.step[0] == 3 * w && (dstStep >> 1) == w &&
                        (w % 2 == 0 || !(f.fmt == 2 && !f.rgb));
    const bool c2_gap = f.src == Src::C2 && !f.dither && s.step[0] == 2 * w && (dstStep >> 1) == w && w % 2 == 0;
    const long long total = static_cast<long long>(w) * h;
    std::vector<u16> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const long long k = (c3_gap || c2_gap) ? static_cast<long long>(y) * w + x : x;
            const long long body = (c3_gap || c2_gap) ? total / 8 * 8 : w / 8 * 8;
            int Y = 0, Cb = 0, Cr = 0;
            Recipe rc = I13u;
            switch (f.src) {
                case Src::C3:
                    Y = at(0, 3 * x, y), Cb = at(0, 3 * x + 1, y), Cr = at(0, 3 * x + 2, y);
                    rc = f.dither || k < body ? I13u : I16a;
                    break;
                case Src::C2: {
                    const int pair = x / 2;
                    Y = at(0, 2 * x, y);
                    Cb = at(0, 4 * pair + 1, y);
                    if (w == 1) {
                        Cr = Cb, rc = I16c;  // no pair at all
                    } else if (x == w - 1 && w % 2 == 1) {
                        // odd last pixel: plain takes the previous pair's Cr, dithered its own Cb
                        Cr = f.dither ? Cb : at(0, 4 * pair - 1, y);
                        rc = f.dither ? I13u : I16a;
                    } else {
                        Cr = at(0, 4 * pair + 3, y);
                        rc = f.dither || k < body ? I13u : I16c;
                    }
                    break;
                }
                case Src::P444:
                    Y = at(0, x, y), Cb = at(1, x, y), Cr = at(2, x, y);
                    break;
                case Src::P422:
                    Y = at(0, x, y), Cb = at(1, x / 2, y), Cr = at(2, x / 2, y);
                    break;
                case Src::P420:
                    Y = at(0, x, y), Cb = at(1, x / 2, y / 2), Cr = at(2, x / 2, y / 2);
                    break;
                case Src::P411:
                    Y = at(0, x, y), Cb = at(1, x / 4, y), Cr = at(2, x / 4, y);
                    rc = x < w / 32 * 32 ? I13s : I16e;
                    break;
            }
            out.push_back(pack(f, rc(Y, Cb, Cr), x, y));
        }
    return out;
}

std::vector<u16> read_dst(GuardedImage& d, int w, int h) {
    std::vector<u16> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            u16 v;
            std::memcpy(&v, d.row(y) + 2 * x, 2);
            out.push_back(v);
        }
    return out;
}

std::string where(const Fn& f, int w, int h, qrx::cpu::Level l) {
    std::ostringstream os;
    os << f.name << " " << w << "x" << h << " level " << qrx::cpu::level_name(l);
    return os.str();
}

// Converts at every level and compares with the model; returns false at the first failure.
bool check_all_levels(const Fn& f, const Source& s, int w, int h, int dst_pad) {
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel forced(level);
        GuardedImage dst(2 * w, h, dst_pad);
        EXPECT_EQ(run(f, s.ptr, s.step, dst.as<Qrx16u>(), dst.step(), {w, h}), qrxStatusOk) << where(f, w, h, level);
        const auto got = read_dst(dst, w, h);
        const auto want = model(f, s, w, h, dst.step());
        if (got != want) {
            std::size_t i = 0;
            while (got[i] == want[i]) ++i;
            ADD_FAILURE() << where(f, w, h, level) << ": pixel (" << i % w << ", " << i / w << ") got 0x" << std::hex
                          << got[i] << " want 0x" << want[i];
            return false;
        }
        if (!dst.guards_intact()) {
            ADD_FAILURE() << where(f, w, h, level) << ": wrote outside the ROI";
            return false;
        }
    }
    return true;
}

int min_width(const Fn& f) { return f.src == Src::P411 ? 4 : 1; }

}  // namespace

// Widths 1..70 around every block boundary, then long rows.
TEST(Rgb16Convert, EveryFunctionMatchesTheModelAroundEveryBlockBoundary) {
    ASSERT_EQ(sizeof(kFns) / sizeof(kFns[0]), 62u);
    for (const Fn& f : kFns)
        for (int h : {1, 2, 3, 5})
            for (int w = min_width(f); w <= 1001; w = w < 70 ? w + 1 : w * 2 + 1) {
                if (w > 70 && h != 3) break;
                const Source s = make_source(f.src, w, h, 3, static_cast<std::uint32_t>(w * 31 + h));
                if (!check_all_levels(f, s, w, h, w > 70 ? 2 : 6)) return;
            }
}

TEST(Rgb16Convert, GapFreeImagesMatchTheModel) {
    // No padding on either side: the plain C3R and C2C3R functions take the
    // one-long-row path where their conditions hold (the model decides it on its own).
    for (const Fn& f : kFns) {
        if (f.src != Src::C3 && f.src != Src::C2) continue;
        for (int h = 1; h <= 5; ++h)
            for (int w = 1; w <= 21; ++w) {
                const Source s = make_source(f.src, w, h, 0, static_cast<std::uint32_t>(w * 7 + h));
                if (!check_all_levels(f, s, w, h, 0)) return;
            }
        const Source big = make_source(f.src, 333, 7, 0, 5);
        if (!check_all_levels(f, big, 333, 7, 0)) return;
    }
}

TEST(Rgb16Convert, WorkedValues) {
    const u8 white[3] = {235, 128, 128};
    const u8 red[3] = {81, 90, 240};
    const Qrx8u* pw[3] = {&white[0], &white[1], &white[2]};
    const Qrx8u* pr[3] = {&red[0], &red[1], &red[2]};
    u16 d = 0;
    ASSERT_EQ(qrxiYCbCrToBGR565_8u16u_P3C3R(pw, 1, &d, 2, {1, 1}), qrxStatusOk);
    EXPECT_EQ(d, 0xFFFF);
    ASSERT_EQ(qrxiYCbCrToBGR555_8u16u_P3C3R(pw, 1, &d, 2, {1, 1}), qrxStatusOk);
    EXPECT_EQ(d, 0x7FFF);
    ASSERT_EQ(qrxiYCbCrToBGR444_8u16u_P3C3R(pw, 1, &d, 2, {1, 1}), qrxStatusOk);
    EXPECT_EQ(d, 0x0FFF);
    ASSERT_EQ(qrxiYCbCrToBGR565_8u16u_P3C3R(pr, 1, &d, 2, {1, 1}), qrxStatusOk);
    EXPECT_EQ(d, 0xF800);
    ASSERT_EQ(qrxiYCbCrToRGB565_8u16u_P3C3R(pr, 1, &d, 2, {1, 1}), qrxStatusOk);
    EXPECT_EQ(d, 0x001F);
}

TEST(Rgb16Convert, ZeroAndNegativeSteps) {
    for (const Fn& f : kFns) {
        const int w = 19, h = 3;
        const Source s = make_source(f.src, w, h, 2, 21);
        // Negative steps: every pointer at its last row, rows run upwards.
        Source up;
        for (std::size_t p = 0; p < s.planes.size(); ++p) {
            up.ptr[p] = s.ptr[p] + (s.planes[p].rows() - 1) * s.step[p];
            up.step[p] = -s.step[p];
        }
        GuardedImage d(2 * w, h, 4);
        ASSERT_EQ(run(f, up.ptr, up.step, reinterpret_cast<Qrx16u*>(d.row(h - 1)), -d.step(), {w, h}), qrxStatusOk);
        EXPECT_TRUE(d.guards_intact()) << f.name;
        const auto want = model(f, up, w, h, -d.step());
        std::vector<u16> got;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                u16 v;
                std::memcpy(&v, d.row(h - 1 - y) + 2 * x, 2);
                got.push_back(v);
            }
        EXPECT_EQ(got, want) << f.name;
        // Zero steps: every row reads the same rows and writes the same row; the last
        // ROI row (row 2 of the dither pattern) is what remains.
        Source flat = s;
        for (int& st : flat.step) st = 0;
        GuardedImage z(2 * w, 1, 4);
        ASSERT_EQ(run(f, flat.ptr, flat.step, z.as<Qrx16u>(), 0, {w, h}), qrxStatusOk);
        const auto all = model(f, flat, w, h, 0);
        EXPECT_EQ(read_dst(z, w, 1), std::vector<u16>(all.end() - w, all.end())) << f.name;
        EXPECT_TRUE(z.guards_intact()) << f.name;
    }
}

TEST(Rgb16Convert, ChecksInOrder) {
    u8 b[64] = {};
    u16 d[16] = {};
    const Qrx8u* planes[3] = {b, b, b};
    const Qrx8u* one_null[3] = {b, nullptr, b};
    const int steps[3] = {8, 8, 8};
    for (const Fn& f : kFns) {
        const int mw = min_width(f);
        auto call = [&](const Qrx8u* const* p, Qrx16u* dst, QrxSize roi) {
            if (f.c1) return f.c1(p ? p[0] : nullptr, 8, dst, 32, roi);
            if (f.p1) return f.p1(p, 8, dst, 32, roi);
            return f.pa(p, steps, dst, 32, roi);
        };
        EXPECT_EQ(call(planes, d, {mw, 1}), qrxStatusOk) << f.name;
        EXPECT_EQ(call(nullptr, d, {0, 1}), qrxStatusNullPointer) << f.name;
        EXPECT_EQ(call(planes, nullptr, {0, 0}), qrxStatusNullPointer) << f.name;
        EXPECT_EQ(call(planes, d, {mw - 1, 1}), qrxStatusSizeError) << f.name;
        EXPECT_EQ(call(planes, d, {mw, 0}), qrxStatusSizeError) << f.name;
        EXPECT_EQ(call(planes, d, {mw, -3}), qrxStatusSizeError) << f.name;
        if (f.c1) continue;
        EXPECT_EQ(call(one_null, d, {mw, 1}), qrxStatusNullPointer) << f.name;
        // a null plane with a bad size: 4:1:1 tests planes first, the others the size first
        EXPECT_EQ(call(one_null, d, {0, 1}), f.src == Src::P411 ? qrxStatusNullPointer : qrxStatusSizeError) << f.name;
    }
    // errors write nothing
    u16 guard[4] = {0x1234, 0x1234, 0x1234, 0x1234};
    EXPECT_EQ(qrxiYCbCr411ToBGR565_8u16u_P3C3R(planes, steps, guard, 8, {3, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCr420ToRGB565Dither_8u16u_P3C3R(one_null, steps, guard, 8, {4, 1}), qrxStatusNullPointer);
    for (u16 v : guard) EXPECT_EQ(v, 0x1234);
}
