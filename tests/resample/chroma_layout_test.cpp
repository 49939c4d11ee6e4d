// Chroma layout and sampling conversions: every function against the model
// (layouts read and written independently, chroma rule by sampling pair),
// over widths around every group boundary and small heights, with untouched
// bytes, size rounding, check order, negative and zero steps, and identical
// bytes at every dispatch level.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chroma_model.h"
#include "qrxcc.h"
#include "support/test_image.h"

using namespace resample_test;

namespace {

using C2C2 = QrxStatus (*)(const Qrx8u*, int, Qrx8u*, int, QrxSize);
using C2P3 = QrxStatus (*)(const Qrx8u*, int, Qrx8u* const[3], const int[3], QrxSize);
using C2P2 = QrxStatus (*)(const Qrx8u*, int, Qrx8u*, int, Qrx8u*, int, QrxSize);
using P3C2 = QrxStatus (*)(const Qrx8u* const[3], const int[3], Qrx8u*, int, QrxSize);
using P3P3 = QrxStatus (*)(const Qrx8u* const[3], const int[3], Qrx8u* const[3], const int[3], QrxSize);
using P3P2 = QrxStatus (*)(const Qrx8u* const[3], const int[3], Qrx8u*, int, Qrx8u*, int, QrxSize);
using P2C2 = QrxStatus (*)(const Qrx8u*, int, const Qrx8u*, int, Qrx8u*, int, QrxSize);
using P2P3 = QrxStatus (*)(const Qrx8u*, int, const Qrx8u*, int, Qrx8u* const[3], const int[3], QrxSize);

using Invoke = std::function<QrxStatus(Planes&, Planes&, QrxSize)>;

const Qrx8u* const* src_arr(Planes& s) { return s.null_array ? nullptr : s.cp; }
Qrx8u* const* dst_arr(Planes& d) { return d.null_array ? nullptr : d.p; }

Invoke bind(C2C2 f) { return [f](Planes& s, Planes& d, QrxSize r) { return f(s.p[0], s.step[0], d.p[0], d.step[0], r); }; }
Invoke bind(C2P3 f) {
    return [f](Planes& s, Planes& d, QrxSize r) { return f(s.p[0], s.step[0], dst_arr(d), d.step, r); };
}
Invoke bind(C2P2 f) {
    return [f](Planes& s, Planes& d, QrxSize r) { return f(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], r); };
}
Invoke bind(P3C2 f) {
    return [f](Planes& s, Planes& d, QrxSize r) { return f(src_arr(s), s.step, d.p[0], d.step[0], r); };
}
Invoke bind(P3P3 f) {
    return [f](Planes& s, Planes& d, QrxSize r) { return f(src_arr(s), s.step, dst_arr(d), d.step, r); };
}
Invoke bind(P3P2 f) {
    return [f](Planes& s, Planes& d, QrxSize r) { return f(src_arr(s), s.step, d.p[0], d.step[0], d.p[1], d.step[1], r); };
}
Invoke bind(P2C2 f) {
    return [f](Planes& s, Planes& d, QrxSize r) { return f(s.p[0], s.step[0], s.p[1], s.step[1], d.p[0], d.step[0], r); };
}
Invoke bind(P2P3 f) {
    return [f](Planes& s, Planes& d, QrxSize r) { return f(s.p[0], s.step[0], s.p[1], s.step[1], dst_arr(d), d.step, r); };
}

struct Case {
    std::string name;
    Lay src_lay;
    Samp src_samp;
    Lay dst_lay;
    Samp dst_samp;
    int min_w, min_h;  // min_h 0: height not checked
    int w_mask, h_mask;
    Invoke call;
};

// Size groups.
constexpr int kPairs[4] = {2, 1, ~1, ~0};
constexpr int kPairsAnyH[4] = {2, 0, ~1, ~0};
constexpr int k420[4] = {2, 2, ~1, ~1};
constexpr int kQuads[4] = {4, 0, ~3, ~0};
constexpr int kQuads420[4] = {4, 2, ~3, ~1};

#define CASE(fn, sl, ss, dl, ds, g) \
    Case { #fn, Lay::sl, ss, Lay::dl, ds, g[0], g[1], g[2], g[3], bind(fn) }

std::vector<Case> all_cases() {
    return {
        // COPY
        CASE(qrxiYCbCr422_8u_C2P3R, C2YCbCr, S422, P3, S422, kPairs),
        CASE(qrxiYCrCb422ToYCbCr422_8u_C2P3R, C2YCrCb, S422, P3, S422, kPairsAnyH),
        CASE(qrxiCbYCr422ToYCbCr422_8u_C2P3R, C2CbYCr, S422, P3, S422, kPairsAnyH),
        CASE(qrxiYCbCr422_8u_P3C2R, P3, S422, C2YCbCr, S422, kPairs),
        CASE(qrxiYCbCr422ToYCrCb422_8u_P3C2R, P3, S422, C2YCrCb, S422, kPairsAnyH),
        CASE(qrxiYCbCr422ToCbYCr422_8u_C2R, C2YCbCr, S422, C2CbYCr, S422, kPairs),
        CASE(qrxiCbYCr422ToYCbCr422_8u_C2R, C2CbYCr, S422, C2YCbCr, S422, kPairs),
        CASE(qrxiYCbCr422ToYCrCb422_8u_C2R, C2YCbCr, S422, C2YCrCb, S422, kPairsAnyH),
        CASE(qrxiYCbCr420_8u_P3P2R, P3, S420, P2, S420, k420),
        CASE(qrxiYCbCr420_8u_P2P3R, P2, S420, P3, S420, k420),
        CASE(qrxiYCrCb420ToYCbCr420_8u_P3P2R, P3CrCb, S420, P2, S420, k420),
        // writes Cb to the second pointer, like the plain P2 -> P3 copy
        CASE(qrxiYCbCr420ToYCrCb420_8u_P2P3R, P2, S420, P3, S420, k420),
        CASE(qrxiYCbCr411_8u_P3P2R, P3, S411, P2, S411, kQuads),
        CASE(qrxiYCbCr411_8u_P2P3R, P2, S411, P3, S411, kQuads),
        // VDROP
        CASE(qrxiYCbCr422ToYCbCr420_8u_P3R, P3, S422, P3, S420, k420),
        CASE(qrxiYCbCr422ToYCbCr420_8u_C2P3R, C2YCbCr, S422, P3, S420, k420),
        CASE(qrxiCbYCr422ToYCbCr420_8u_C2P3R, C2CbYCr, S422, P3, S420, k420),
        CASE(qrxiYCrCb422ToYCbCr420_8u_C2P3R, C2YCrCb, S422, P3, S420, k420),
        CASE(qrxiYCbCr422ToYCrCb420_8u_C2P3R, C2YCbCr, S422, P3CrCb, S420, k420),
        CASE(qrxiCbYCr422ToYCrCb420_8u_C2P3R, C2CbYCr, S422, P3CrCb, S420, k420),
        CASE(qrxiYCbCr422ToYCbCr420_8u_C2P2R, C2YCbCr, S422, P2, S420, k420),
        CASE(qrxiCbYCr422ToYCbCr420_8u_C2P2R, C2CbYCr, S422, P2, S420, k420),
        CASE(qrxiYCbCr422ToYCbCr420_8u_P3P2R, P3, S422, P2, S420, k420),
        // VDUP
        CASE(qrxiYCbCr420ToYCbCr422_8u_P3R, P3, S420, P3, S422, k420),
        CASE(qrxiYCrCb420ToYCbCr422_8u_P3R, P3CrCb, S420, P3, S422, k420),
        CASE(qrxiYCbCr420ToYCbCr422_8u_P2P3R, P2, S420, P3, S422, k420),
        CASE(qrxiYCbCr420ToYCbCr422_8u_P2C2R, P2, S420, C2YCbCr, S422, k420),
        CASE(qrxiYCbCr420ToCbYCr422_8u_P2C2R, P2, S420, C2CbYCr, S422, k420),
        CASE(qrxiYCrCb420ToYCbCr422_8u_P3C2R, P3CrCb, S420, C2YCbCr, S422, k420),
        CASE(qrxiYCrCb420ToCbYCr422_8u_P3C2R, P3CrCb, S420, C2CbYCr, S422, k420),
        // HDROP
        CASE(qrxiYCbCr422ToYCbCr411_8u_P3R, P3, S422, P3, S411, kQuads),
        CASE(qrxiYCbCr422ToYCbCr411_8u_C2P3R, C2YCbCr, S422, P3, S411, kQuads),
        CASE(qrxiCbYCr422ToYCbCr411_8u_C2P3R, C2CbYCr, S422, P3, S411, kQuads),
        CASE(qrxiYCrCb422ToYCbCr411_8u_C2P3R, C2YCrCb, S422, P3, S411, kQuads),
        CASE(qrxiYCbCr422ToYCbCr411_8u_C2P2R, C2YCbCr, S422, P2, S411, kQuads),
        CASE(qrxiYCbCr422ToYCbCr411_8u_P3P2R, P3, S422, P2, S411, kQuads),
        // HDUP
        CASE(qrxiYCbCr411ToYCbCr422_8u_P3R, P3, S411, P3, S422, kQuads),
        CASE(qrxiYCbCr411ToYCrCb422_8u_P3R, P3, S411, P3CrCb, S422, kQuads),
        CASE(qrxiYCbCr411ToYCbCr422_8u_P3C2R, P3, S411, C2YCbCr, S422, kQuads),
        CASE(qrxiYCbCr411ToYCrCb422_8u_P3C2R, P3, S411, C2YCrCb, S422, kQuads),
        CASE(qrxiYCbCr411ToYCbCr422_8u_P2C2R, P2, S411, C2YCbCr, S422, kQuads),
        CASE(qrxiYCbCr411ToYCbCr422_8u_P2P3R, P2, S411, P3, S422, kQuads),
        // SPLIT
        CASE(qrxiYCbCr420ToYCbCr411_8u_P3P2R, P3, S420, P2, S411, kQuads420),
        CASE(qrxiYCrCb420ToYCbCr411_8u_P3P2R, P3CrCb, S420, P2, S411, kQuads420),
        CASE(qrxiYCbCr420ToYCbCr411_8u_P2P3R, P2, S420, P3, S411, kQuads420),
        // MERGE
        CASE(qrxiYCbCr411ToYCbCr420_8u_P3R, P3, S411, P3, S420, kQuads420),
        CASE(qrxiYCbCr411ToYCbCr420_8u_P3P2R, P3, S411, P2, S420, kQuads420),
        CASE(qrxiYCbCr411ToYCbCr420_8u_P2P3R, P2, S411, P3, S420, kQuads420),
        CASE(qrxiYCbCr411ToYCrCb420_8u_P2P3R, P2, S411, P3CrCb, S420, kQuads420),
    };
}

// The model's bytes for the whole destination buffers (guards included).
struct Outcome {
    QrxStatus status;
    std::vector<u8> bytes;
};

Outcome run_model(const Case& c, int W, int H, int steps) {
    Planes s(c.src_lay, c.src_samp, W, H, steps), d(c.dst_lay, c.dst_samp, W, H, steps);
    s.fill_random(11 * W + H);
    d.fill_random(1000 + W);
    if (W < c.min_w || (c.min_h > 0 && H < c.min_h)) return {qrxStatusSizeError, d.bytes()};
    const int w = W & c.w_mask, h = H & c.h_mask;
    if (h > 0) {
        Canon in = read(s, c.src_lay, c.src_samp, w, h);
        Canon out = resample(in, c.src_samp, c.dst_samp);
        write(out, d, c.dst_lay);
    }
    return {qrxStatusOk, d.bytes()};
}

Outcome run_function(const Case& c, int W, int H, int steps, bool* guards_ok = nullptr) {
    Planes s(c.src_lay, c.src_samp, W, H, steps), d(c.dst_lay, c.dst_samp, W, H, steps);
    s.fill_random(11 * W + H);
    d.fill_random(1000 + W);
    const auto src_before = s.bytes();
    Outcome o{c.call(s, d, {W, H}), d.bytes()};
    EXPECT_EQ(s.bytes(), src_before) << c.name << " wrote into its source";
    if (guards_ok) *guards_ok = d.guards_intact();
    return o;
}

void expect_matches_model(const Case& c, int W, int H, int steps = 0) {
    bool guards = false;
    const Outcome got = run_function(c, W, H, steps, &guards);
    const Outcome want = run_model(c, W, H, steps);
    EXPECT_EQ(got.status, want.status) << c.name << " " << W << "x" << H;
    EXPECT_TRUE(guards) << c.name << " " << W << "x" << H;
    EXPECT_TRUE(got.bytes == want.bytes) << c.name << " " << W << "x" << H << " steps " << steps;
}

}  // namespace

TEST(ResampleLayout, EveryFunctionMatchesTheModel) {
    // (widths, heights, steps): around every group boundary with small heights; wide rows
    // and odd heights; negative (-1) and zero (+1) steps; planes back to back (2), which
    // may be moved as one long row
    std::vector<int> narrow;
    for (int W = 0; W <= 70; ++W) narrow.push_back(W);
    const std::vector<std::vector<int>> sweeps[] = {
        {narrow, {-1, 0, 1, 2, 3, 5}, {0}},
        {{126, 127, 128, 129, 130, 131, 190, 255, 259, 1030}, {2, 7}, {0}},
        {{4, 37, 68}, {2, 4, 5}, {-1, 1}},
        {{4, 8, 36, 64, 68, 128, 132}, {1, 2, 3, 6}, {2}},
    };
    for (const Case& c : all_cases())
        for (const auto& sw : sweeps)
            for (int W : sw[0])
                for (int H : sw[1])
                    for (int st : sw[2]) expect_matches_model(c, W, H, st);
}

TEST(ResampleLayout, SameBytesAtEveryLevel) {
    for (const Case& c : all_cases())
        for (int W : {6, 33, 64, 100, 131, 517})  // 517: past the widest vector blocks
            for (auto hs : {std::pair{6, 0}, {4, -1}, {6, 2}})  // (height, steps)
                qrxtest::expect_same_at_all_levels([&] { return run_function(c, W, hs.first, hs.second).bytes; });
}

TEST(ResampleLayout, NullPointersComeBeforeTheSize) {
    for (const Case& c : all_cases()) {
        const int np_src = plane_count(c.src_lay), np_dst = plane_count(c.dst_lay);
        for (QrxSize roi : {QrxSize{0, 0}, QrxSize{8, 4}}) {
            for (int side = 0; side < 2; ++side) {
                const int n = side == 0 ? np_src : np_dst;
                for (int i = -1; i < n; ++i) {
                    if (i < 0 && n != 3) continue;  // only P3 images have an array
                    Planes s(c.src_lay, c.src_samp, 8, 4), d(c.dst_lay, c.dst_samp, 8, 4);
                    Planes& victim = side == 0 ? s : d;
                    if (i < 0) {
                        victim.null_array = true;
                    } else {
                        victim.p[i] = nullptr;
                        victim.cp[i] = nullptr;
                    }
                    const auto before = d.bytes();
                    QrxStatus want = qrxStatusNullPointer;
                    // the P2 -> P3 copy into YCrCb names tests its destination planes after a 1 x 1 minimum
                    if (c.name == "qrxiYCbCr420ToYCrCb420_8u_P2P3R" && side == 1 && i >= 0 && roi.width == 0)
                        want = qrxStatusSizeError;
                    EXPECT_EQ(c.call(s, d, roi), want) << c.name << " side " << side << " pointer " << i;
                    if (!(side == 1 && i < 0)) EXPECT_EQ(d.bytes(), before) << c.name;
                }
            }
        }
    }
}

TEST(ResampleLayout, CopyIntoYCrCbNamesChecksInItsOwnOrder) {
    Planes s(Lay::P2, S420, 4, 4), d(Lay::P3, S420, 4, 4);
    Qrx8u* planes[3] = {d.p[0], nullptr, d.p[2]};
    // null source or array first
    EXPECT_EQ(qrxiYCbCr420ToYCrCb420_8u_P2P3R(nullptr, 4, s.p[1], 4, d.p, d.step, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToYCrCb420_8u_P2P3R(s.p[0], 4, s.p[1], 4, nullptr, d.step, {0, 0}), qrxStatusNullPointer);
    // then a size below 1 x 1, before the planes
    EXPECT_EQ(qrxiYCbCr420ToYCrCb420_8u_P2P3R(s.p[0], 4, s.p[1], 4, planes, d.step, {4, 0}), qrxStatusSizeError);
    // then the planes, before the 2 x 2 minimum
    EXPECT_EQ(qrxiYCbCr420ToYCrCb420_8u_P2P3R(s.p[0], 4, s.p[1], 4, planes, d.step, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToYCrCb420_8u_P2P3R(s.p[0], 4, s.p[1], 4, d.p, d.step, {1, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiYCbCr420ToYCrCb420_8u_P2P3R(s.p[0], 4, s.p[1], 4, d.p, d.step, {4, 1}), qrxStatusSizeError);
    // the plain copy tests every pointer first
    EXPECT_EQ(qrxiYCbCr420_8u_P2P3R(s.p[0], 4, s.p[1], 4, planes, d.step, {0, 0}), qrxStatusNullPointer);
}

TEST(ResampleLayout, PackedToPlanarRejectsANullStepArray) {
    Planes s(Lay::C2YCbCr, S422, 8, 2), d(Lay::P3, S422, 8, 2);
    EXPECT_EQ(qrxiYCbCr422_8u_C2P3R(s.p[0], s.step[0], d.p, nullptr, {8, 2}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr422_8u_C2P3R(s.p[0], s.step[0], d.p, nullptr, {0, 0}), qrxStatusNullPointer);
}

TEST(ResampleLayout, AlignedAndGeneralPathsAgree) {
    // 16-byte aligned rows with a used width that is a multiple of 16 take the
    // aligned path; the same image shifted by one byte takes the general one.
    for (C2P3 f : {static_cast<C2P3>(qrxiYCbCr422_8u_C2P3R), static_cast<C2P3>(qrxiYCrCb422ToYCbCr422_8u_C2P3R)})
        for (int W : {16, 32, 48, 96}) {
            const int H = 3;
            alignas(64) static Qrx8u src[2 * 128 * 4 + 64];
            alignas(64) static Qrx8u y0[128 * 4 + 64], cb0[64 * 4 + 64], cr0[64 * 4 + 64];
            alignas(64) static Qrx8u y1[128 * 4 + 64], cb1[64 * 4 + 64], cr1[64 * 4 + 64];
            for (std::size_t i = 0; i < sizeof src; ++i) src[i] = static_cast<Qrx8u>(i * 7 + W);
            Qrx8u* d0[3] = {y0, cb0, cr0};
            Qrx8u* d1[3] = {y1 + 1, cb1 + 1, cr1 + 1};
            const int st[3] = {128, 64, 64};
            EXPECT_EQ(f(src, 256, d0, st, {W, H}), qrxStatusOk);
            std::vector<Qrx8u> src_shift(sizeof src + 1);
            std::memcpy(src_shift.data() + 1, src, sizeof src);
            EXPECT_EQ(f(src_shift.data() + 1, 256, d1, st, {W, H}), qrxStatusOk);
            for (int r = 0; r < H; ++r) {
                EXPECT_EQ(std::memcmp(y0 + r * 128, y1 + 1 + r * 128, W), 0);
                EXPECT_EQ(std::memcmp(cb0 + r * 64, cb1 + 1 + r * 64, W / 2), 0);
                EXPECT_EQ(std::memcmp(cr0 + r * 64, cr1 + 1 + r * 64, W / 2), 0);
            }
        }
}

TEST(ResampleLayout, Packing420AlignedLargeImage) {
    // 16-byte aligned planes and steps, (sum of steps) x height above 524288.
    const int W = 1024, H = 200;
    std::vector<Qrx8u> buf(static_cast<std::size_t>(W) * H * 4 + 4096);
    auto al = [&](std::size_t off) {
        return reinterpret_cast<Qrx8u*>((reinterpret_cast<std::uintptr_t>(buf.data()) + off + 63) & ~std::uintptr_t{63});
    };
    Qrx8u* y = al(0);
    Qrx8u* cr = al(static_cast<std::size_t>(W) * H);
    Qrx8u* cb = al(static_cast<std::size_t>(W) * H + W / 2 * H / 2 + 64);
    std::vector<Qrx8u> out(static_cast<std::size_t>(W) * 2 * H + 64);
    Qrx8u* d = reinterpret_cast<Qrx8u*>((reinterpret_cast<std::uintptr_t>(out.data()) + 63) & ~std::uintptr_t{63});
    for (std::size_t i = 0; i < static_cast<std::size_t>(W) * H; ++i) y[i] = static_cast<Qrx8u>(i * 13);
    for (std::size_t i = 0; i < static_cast<std::size_t>(W / 2) * H / 2; ++i) {
        cb[i] = static_cast<Qrx8u>(i * 5 + 1);
        cr[i] = static_cast<Qrx8u>(i * 3 + 2);
    }
    const Qrx8u* src[3] = {y, cr, cb};
    const int steps[3] = {W, W / 2, W / 2};
    ASSERT_EQ(qrxiYCrCb420ToYCbCr422_8u_P3C2R(src, steps, d, W * 2, {W, H}), qrxStatusOk);
    for (int r = 0; r < H; r += 7)
        for (int x = 0; x < W; x += 2) {
            const Qrx8u* g = d + static_cast<std::size_t>(r) * W * 2 + x * 2;
            ASSERT_EQ(g[0], y[r * W + x]);
            ASSERT_EQ(g[1], cb[(r / 2) * (W / 2) + x / 2]);
            ASSERT_EQ(g[2], y[r * W + x + 1]);
            ASSERT_EQ(g[3], cr[(r / 2) * (W / 2) + x / 2]);
        }
}
