// Filtered 4:2:0 conversions against a per-sample model written from the
// formulas: the four-tap interpolation with its edge rows, and the smoothing
// conversions with the rounding / truncating form assigned by row and column
// for every slice position.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "chroma_model.h"
#include "qrxcc.h"
#include "support/test_image.h"

using namespace resample_test;

namespace {

int clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// Destination chroma row r (0..H-1) of one plane, from source chroma rows C.
std::vector<u8> interpolated_row(const std::vector<std::vector<u8>>& C, int H, int r) {
    const int n = H / 2;
    auto D = [&](int row) -> const std::vector<u8>& { return C[row / 2]; };  // even rows only
    if (r % 2 == 0) return D(r);
    std::vector<u8> out(C[0].size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        int v;
        if (r == 1)
            v = (8 * D(0)[i] + 9 * D(2)[i] - D(4)[i] + 8) >> 4;
        else if (r == H - 3)
            v = (-D(H - 6)[i] + 9 * D(H - 4)[i] + 8 * D(H - 2)[i] + 8) >> 4;
        else if (r == H - 1)
            v = (-D(H - 4)[i] + 17 * D(H - 2)[i] + 8) >> 4;
        else
            v = (-D(r - 3)[i] + 9 * D(r - 1)[i] + 9 * D(r + 1)[i] - D(r + 3)[i] + 8) >> 4;
        out[i] = static_cast<u8>(clamp255(v));
    }
    (void)n;
    return out;
}

enum class InterpKind { P3, P3CrCb, P2 };

struct InterpRun {
    QrxStatus status;
    std::vector<u8> bytes;
    bool guards;
};

InterpRun run_interp(InterpKind kind, int W, int H, bool model, std::uint32_t seed = 5) {
    const Lay sl = kind == InterpKind::P2 ? Lay::P2 : kind == InterpKind::P3 ? Lay::P3 : Lay::P3CrCb;
    Planes s(sl, S420, W, H), d(Lay::P3, S422, W, H);
    s.fill_random(seed);
    d.fill_random(seed + 100);
    if (!model) {
        QrxStatus st;
        if (kind == InterpKind::P3)
            st = qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(s.cp, s.step, d.p, d.step, {W, H});
        else if (kind == InterpKind::P3CrCb)
            st = qrxiYCrCb420ToYCbCr422_Filter_8u_P3R(s.cp, s.step, d.p, d.step, {W, H});
        else
            st = qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, {W, H});
        return {st, d.bytes(), d.guards_intact()};
    }
    if (W < 2 || H < 8) return {qrxStatusSizeError, d.bytes(), true};
    const int w = W & ~1, h = H & ~7;
    Canon c = read(s, sl, S420, w, h);
    for (int r = 0; r < h; ++r) std::memcpy(d.row(0, r), &c.Y(r, 0), w);
    for (int plane = 0; plane < 2; ++plane) {
        std::vector<std::vector<u8>> C(h / 2);
        for (int k = 0; k < h / 2; ++k)
            for (int i = 0; i < c.cw; ++i) C[k].push_back(plane == 0 ? c.Cb(k, i) : c.Cr(k, i));
        for (int r = 0; r < h; ++r) {
            const auto row = interpolated_row(C, h, r);
            std::memcpy(d.row(1 + plane, r), row.data(), row.size());
        }
    }
    return {qrxStatusOk, d.bytes(), true};
}

// A whole 4:2:0 P2 frame.
struct Frame {
    int W, H;
    std::vector<u8> y, c;  // luma W x H; chroma W bytes x H/2
    Frame(int w, int h, std::uint32_t seed) : W(w), H(h), y(static_cast<std::size_t>(w) * h), c(static_cast<std::size_t>(w) * (h / 2)) {
        std::mt19937 rng(seed);
        for (auto& b : y) b = static_cast<u8>(rng());
        for (auto& b : c) b = static_cast<u8>(rng());
    }
    int Y(int r, int x) const { return y[static_cast<std::size_t>(std::clamp(r, 0, H - 1)) * W + x]; }
    int C(int k, int b) const { return c[static_cast<std::size_t>(k) * W + b]; }
};

int smooth(const Frame& f, int R, int x, bool vec) {
    const int a = f.Y(R - 1, x), b = f.Y(R, x), c = f.Y(R + 1, x);
    if (vec) return (((a + b + 1) >> 1) + ((b + c + 1) >> 1) + 1) >> 1;
    return (a + 2 * b + c) >> 2;
}

// Chroma of frame chroma row k: average of rows k and k+1, the last row of the two last.
int chroma_avg(const Frame& f, int k, int b, bool vec) {
    const int n = f.H / 2;
    int lo = k, hi = k + 1;
    if (hi > n - 1) lo = k - 1, hi = k;
    if (lo < 0) lo = 0;
    return (f.C(lo, b) + f.C(hi, b) + (vec ? 1 : 0)) >> 1;
}

enum Mode { Top = qrxSliceTop, Middle = qrxSliceMiddle, Bottom = qrxSliceBottom, Whole = qrxSliceWhole };

// The position of slice i of n.
Mode mode_of(std::size_t i, std::size_t n) { return n == 1 ? Whole : i == 0 ? Top : i + 1 == n ? Bottom : Middle; }

// Rows [first, last] relative to the slice that a call writes.
void written_rows(Mode m, int h, int& first, int& last) {
    first = (m == Top || m == Whole) ? 0 : -2;
    last = (m == Bottom || m == Whole) ? h - 1 : h - 3;
    if (m == Top && h == 2) last = 1;  // rows 0-1, reading past the slice
}

// Packed output row of frame row R (slice-relative r), as the mode assigns the forms.
void model_packed_row(const Frame& f, Mode m, int r, int h, int R, u8* out) {
    int block = 32;
    if (m == Whole && (r <= 1 || r >= h - 2)) block = 0;
    if (m == Top && r <= 1) block = 8;
    if (m == Bottom && r >= h - 2) block = 8;
    const int w = f.W & ~1;  // used width
    const int body = block ? w / block * block : 0;
    for (int x = 0; x < w; x += 2) {
        const bool vec = x < body;
        out[2 * x] = static_cast<u8>(smooth(f, R, x, vec));
        out[2 * x + 1] = static_cast<u8>(chroma_avg(f, R / 2, x, vec));
        out[2 * x + 2] = static_cast<u8>(smooth(f, R, x + 1, vec));
        out[2 * x + 3] = static_cast<u8>(chroma_avg(f, R / 2, x + 1, vec));
    }
}

// A destination for one frame: packed rows, or three 4:2:0 planes.
struct Dest {
    int W, H;
    qrxtest::GuardedImage packed, y, u, v;
    Dest(int w, int h) : W(w), H(h), packed(2 * w, h, 6), y(w, h, 3), u(w / 2, h / 2, 5), v(w / 2, h / 2, 9) {}
};

// Calls the packed (or the planar) smoothing function slice by slice (heights
// `slices`), or once in whole mode when `slices` has one entry.
QrxStatus call_slices(const Frame& f, Dest& d, const std::vector<int>& slices, bool planar) {
    QrxStatus st = qrxStatusOk;
    int r0 = 0;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const Mode m = mode_of(i, slices.size());
        const u8 *y = &f.y[static_cast<std::size_t>(r0) * f.W], *c = &f.c[static_cast<std::size_t>(r0 / 2) * f.W];
        Qrx8u* planes[3] = {d.y.row(r0), d.u.row(r0 / 2), d.v.row(r0 / 2)};
        const int steps[3] = {d.y.step(), d.u.step(), d.v.step()};
        st = planar ? qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(y, f.W, c, f.W, planes, steps, {f.W, slices[i]}, m)
                    : qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(y, f.W, c, f.W, d.packed.row(r0), d.packed.step(),
                                                              {f.W, slices[i]}, m);
        r0 += slices[i];
    }
    return st;
}
QrxStatus call_packed(const Frame& f, Dest& d, const std::vector<int>& s) { return call_slices(f, d, s, false); }
QrxStatus call_planar(const Frame& f, Dest& d, const std::vector<int>& s) { return call_slices(f, d, s, true); }

// Model of the packed output for a sequence of slices.
std::vector<std::vector<u8>> model_packed(const Frame& f, const std::vector<int>& slices) {
    std::vector<std::vector<u8>> rows(f.H);
    int r0 = 0;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const Mode m = mode_of(i, slices.size());
        int first, last;
        written_rows(m, slices[i], first, last);
        for (int r = first; r <= last; ++r) {
            rows[r0 + r].assign(2 * (f.W & ~1), 0);
            model_packed_row(f, m, r, slices[i], r0 + r, rows[r0 + r].data());
        }
        r0 += slices[i];
    }
    return rows;
}

// Model of the planar output: luma rows and chroma rows (u, v) of the frame.
struct PlanarModel {
    std::vector<std::vector<u8>> y, u, v;
};
PlanarModel model_planar(const Frame& f, const std::vector<int>& slices) {
    PlanarModel pm;
    pm.y.resize(f.H), pm.u.resize(f.H / 2), pm.v.resize(f.H / 2);
    const int w = f.W & ~1, cw = w / 2;
    int r0 = 0;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const Mode m = mode_of(i, slices.size());
        const int h = slices[i];
        int first, last;
        written_rows(m, h, first, last);
        for (int r = first; r <= last; ++r) {
            int body = w / 16 * 16;
            if (m == Whole && (r == 0 || r == h - 1)) body = 0;
            auto& row = pm.y[r0 + r];
            row.resize(w);
            for (int x = 0; x < w; ++x) row[x] = static_cast<u8>(smooth(f, r0 + r, x, x < body));
        }
        const int kfirst = first / 2, klast = (last - 1) / 2;
        for (int k = kfirst; k <= klast; ++k) {
            int body = cw / 16 * 16;
            if (m == Whole && k == h / 2 - 1) body = 0;
            const int K = r0 / 2 + k;
            pm.u[K].resize(cw), pm.v[K].resize(cw);
            for (int i2 = 0; i2 < cw; ++i2) {
                pm.u[K][i2] = static_cast<u8>(chroma_avg(f, K, 2 * i2, i2 < body));
                pm.v[K][i2] = static_cast<u8>(chroma_avg(f, K, 2 * i2 + 1, i2 < body));
            }
        }
        r0 += h;
    }
    return pm;
}

void expect_rows(qrxtest::GuardedImage& img, const std::vector<std::vector<u8>>& want, const char* what, int W) {
    for (std::size_t r = 0; r < want.size(); ++r) {
        if (want[r].empty()) continue;
        EXPECT_EQ(std::memcmp(img.row(static_cast<int>(r)), want[r].data(), want[r].size()), 0)
            << what << " row " << r << " W " << W;
    }
}

}  // namespace

TEST(ResampleFilter, InterpolationMatchesTheEdgeAndInnerFormulas) {
    for (InterpKind kind : {InterpKind::P3, InterpKind::P3CrCb, InterpKind::P2})
        for (int W : {1, 2, 3, 4, 5, 6, 17, 30, 31, 32, 33, 64, 67})
            for (int H : {7, 8, 9, 14, 15, 16, 24, 40})
                for (auto level : qrxtest::available_levels()) {
                    qrxtest::ForcedLevel forced(level);
                    const InterpRun got = run_interp(kind, W, H, false), want = run_interp(kind, W, H, true);
                    EXPECT_EQ(got.status, want.status) << W << "x" << H;
                    EXPECT_TRUE(got.guards);
                    EXPECT_TRUE(got.bytes == want.bytes) << static_cast<int>(kind) << " " << W << "x" << H << " level " << int(level);
                }
}

TEST(ResampleFilter, InterpolationChecks) {
    Planes s(Lay::P3, S420, 8, 8), d(Lay::P3, S422, 8, 8), s2(Lay::P2, S420, 8, 8);
    Qrx8u* bad[3] = {d.p[0], d.p[1], nullptr};
    const Qrx8u* sbad[3] = {s.cp[0], nullptr, s.cp[2]};
    EXPECT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(nullptr, s.step, d.p, d.step, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(s.cp, s.step, nullptr, d.step, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(s.cp, s.step, bad, d.step, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCrCb420ToYCbCr422_Filter_8u_P3R(sbad, s.step, d.p, d.step, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(s2.p[0], 8, nullptr, 8, d.p, d.step, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(s2.p[0], 8, s2.p[1], 8, bad, d.step, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(s2.p[0], 8, s2.p[1], 8, d.p, d.step, {8, 7}), qrxStatusSizeError);
}

TEST(ResampleFilter, WholeFrameMatchesTheModel) {
    for (int W = 2; W <= 70; W += (W < 40 ? 1 : 3))
        for (int H : {2, 4, 6, 8, 10, 18})
            for (auto level : qrxtest::available_levels()) {
                qrxtest::ForcedLevel forced(level);
                Frame f(W, H, static_cast<std::uint32_t>(W * 31 + H));
                Dest d(W, H);
                ASSERT_EQ(call_packed(f, d, {H}), qrxStatusOk);
                expect_rows(d.packed, model_packed(f, {H}), "packed", W);
                EXPECT_TRUE(d.packed.guards_intact());
                ASSERT_EQ(call_planar(f, d, {H}), qrxStatusOk);
                const PlanarModel pm = model_planar(f, {H});
                expect_rows(d.y, pm.y, "luma", W);
                expect_rows(d.u, pm.u, "cb", W);
                expect_rows(d.v, pm.v, "cr", W);
                EXPECT_TRUE(d.y.guards_intact() && d.u.guards_intact() && d.v.guards_intact());
            }
}

TEST(ResampleFilter, SlicesMatchTheModelAndTheWholeFrame) {
    const std::vector<std::vector<int>> plans = {{8, 8}, {4, 2}, {6, 2}, {4, 4, 4}, {4, 2, 2}, {10, 6, 8, 4}, {16, 2, 14}};
    for (int W : {2, 6, 8, 14, 16, 30, 32, 34, 48, 64, 66, 70})
        for (const auto& plan : plans)
            for (auto level : qrxtest::available_levels()) {
                qrxtest::ForcedLevel forced(level);
                int H = 0;
                for (int h : plan) H += h;
                Frame f(W, H, static_cast<std::uint32_t>(W + 7 * H));
                Dest sliced(W, H), whole(W, H);
                ASSERT_EQ(call_packed(f, sliced, plan), qrxStatusOk);
                ASSERT_EQ(call_packed(f, whole, {H}), qrxStatusOk);
                expect_rows(sliced.packed, model_packed(f, plan), "packed slices", W);
                EXPECT_TRUE(sliced.packed.guards_intact());
                // outside the rows that a whole-frame call puts in the truncating
                // form (0, 1, H-2, H-1), slices and the whole frame agree
                for (int r = 2; r < H - 2; ++r)
                    EXPECT_EQ(std::memcmp(sliced.packed.row(r), whole.packed.row(r), 2 * W), 0) << "row " << r;

                ASSERT_EQ(call_planar(f, sliced, plan), qrxStatusOk);
                ASSERT_EQ(call_planar(f, whole, {H}), qrxStatusOk);
                const PlanarModel pm = model_planar(f, plan);
                expect_rows(sliced.y, pm.y, "luma slices", W);
                expect_rows(sliced.u, pm.u, "cb slices", W);
                expect_rows(sliced.v, pm.v, "cr slices", W);
                for (int r = 1; r < H - 1; ++r)
                    EXPECT_EQ(std::memcmp(sliced.y.row(r), whole.y.row(r), W), 0) << "luma row " << r;
                for (int k = 0; k < H / 2 - 1; ++k) {
                    EXPECT_EQ(std::memcmp(sliced.u.row(k), whole.u.row(k), W / 2), 0) << "cb row " << k;
                    EXPECT_EQ(std::memcmp(sliced.v.row(k), whole.v.row(k), W / 2), 0) << "cr row " << k;
                }
            }
}

TEST(ResampleFilter, SliceRowsWritten) {
    // A top slice leaves its last two rows; a middle one writes two rows above itself.
    const int W = 16, H = 12;
    Frame f(W, H, 4);
    Dest d(W, H);
    d.packed.fill(0x11);
    ASSERT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(f.y.data(), W, f.c.data(), W, d.packed.row(0), d.packed.step(),
                                                     {W, 6}, qrxSliceTop),
              qrxStatusOk);
    for (int x = 0; x < 2 * W; ++x) {
        EXPECT_EQ(d.packed.row(4)[x], 0x11);
        EXPECT_EQ(d.packed.row(5)[x], 0x11);
        EXPECT_EQ(d.packed.row(6)[x], 0x11);
    }
    EXPECT_NE(std::memcmp(d.packed.row(3), std::vector<u8>(2 * W, 0x11).data(), 2 * W), 0);
    // a middle slice of height 2 writes only the two rows above it
    ASSERT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(&f.y[6 * W], W, &f.c[3 * W], W, d.packed.row(6), d.packed.step(),
                                                     {W, 2}, qrxSliceMiddle),
              qrxStatusOk);
    for (int x = 0; x < 2 * W; ++x) EXPECT_EQ(d.packed.row(6)[x], 0x11);
    EXPECT_NE(std::memcmp(d.packed.row(5), std::vector<u8>(2 * W, 0x11).data(), 2 * W), 0);
    EXPECT_TRUE(d.packed.guards_intact());
}

TEST(ResampleFilter, TopSliceOfHeightTwo) {
    // It converts rows 0-1 (blocks of 8), reading luma row 2 and chroma row 1.
    for (int W : {8, 14, 40}) {
        Frame f(W, 6, 8);
        Dest d(W, 6);
        d.packed.fill(0x11);
        ASSERT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(f.y.data(), W, f.c.data(), W, d.packed.row(0), d.packed.step(),
                                                         {W, 2}, qrxSliceTop),
                  qrxStatusOk);
        std::vector<u8> want(2 * W);
        for (int r = 0; r < 2; ++r) {
            model_packed_row(f, Top, r, 4, r, want.data());
            EXPECT_EQ(std::memcmp(d.packed.row(r), want.data(), want.size()), 0) << r;
        }
        for (int x = 0; x < 2 * W; ++x) EXPECT_EQ(d.packed.row(2)[x], 0x11);
    }
}

TEST(ResampleFilter, UnknownSlicePositionWritesNothing) {
    const int W = 8, H = 4;
    Frame f(W, H, 3);
    for (int pos : {17, 0, 5, 20, -2, 2}) {
        Dest d(W, H);
        const auto before = d.packed.all_bytes();
        EXPECT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(f.y.data(), W, f.c.data(), W, d.packed.data(), d.packed.step(),
                                                         {W, H}, pos),
                  qrxStatusOk);
        EXPECT_EQ(d.packed.all_bytes(), before);
        Qrx8u* planes[3] = {d.y.data(), d.u.data(), d.v.data()};
        const int steps[3] = {d.y.step(), d.u.step(), d.v.step()};
        const auto by = d.y.all_bytes();
        EXPECT_EQ(qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(f.y.data(), W, f.c.data(), W, planes, steps, {W, H}, pos),
                  qrxStatusOk);
        EXPECT_EQ(d.y.all_bytes(), by);
    }
    // any value with the three bits set is a whole frame
    Dest a(W, H), b(W, H);
    ASSERT_EQ(qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(f.y.data(), W, f.c.data(), W, a.packed.data(), a.packed.step(),
                                                     {W, H}, 21 | 64),
              qrxStatusOk);
    ASSERT_EQ(call_packed(f, b, {H}), qrxStatusOk);
    EXPECT_EQ(a.packed.all_bytes(), b.packed.all_bytes());
}

TEST(ResampleFilter, SmoothingChecks) {
    Frame f(8, 4, 1);
    Dest d(8, 4);
    Qrx8u* planes[3] = {d.y.data(), d.u.data(), nullptr};
    Qrx8u* good[3] = {d.y.data(), d.u.data(), d.v.data()};
    const int steps[3] = {8, 4, 4};
    auto p2c2 = [&](const u8* y, const u8* c, u8* o, QrxSize r) {
        return qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(y, 8, c, 8, o, 16, r, qrxSliceWhole);
    };
    EXPECT_EQ(p2c2(nullptr, f.c.data(), d.packed.data(), {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(p2c2(f.y.data(), nullptr, d.packed.data(), {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(p2c2(f.y.data(), f.c.data(), nullptr, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(p2c2(f.y.data(), f.c.data(), d.packed.data(), {1, 4}), qrxStatusSizeError);
    EXPECT_EQ(p2c2(f.y.data(), f.c.data(), d.packed.data(), {8, 1}), qrxStatusSizeError);
    auto p2p3 = [&](const u8* y, Qrx8u* const* pl, QrxSize r) {
        return qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(y, 8, f.c.data(), 8, pl, steps, r, qrxSliceWhole);
    };
    EXPECT_EQ(p2p3(nullptr, good, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(p2p3(f.y.data(), nullptr, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(p2p3(f.y.data(), planes, {0, 4}), qrxStatusSizeError);  // size below 1 before the planes
    EXPECT_EQ(p2p3(f.y.data(), planes, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(p2p3(f.y.data(), good, {1, 4}), qrxStatusSizeError);
    EXPECT_EQ(p2p3(f.y.data(), good, {8, 1}), qrxStatusSizeError);
}

TEST(ResampleFilter, AlignedAndGeneralPlanarPathsAgree) {
    // Width a multiple of 64, height of 16, aligned pointers and steps: the
    // aligned path; the same data one byte off: the general path.
    const int W = 128, H = 32;
    Frame f(W, H, 77);
    auto run = [&](int off, const std::vector<int>& plan) {
        std::vector<u8> ybuf(W * H + 128), cbuf(W * H / 2 + 128), out(W * H * 2 + 512);
        u8* ys = reinterpret_cast<u8*>((reinterpret_cast<std::uintptr_t>(ybuf.data()) + 63) & ~std::uintptr_t{63}) + off;
        u8* cs = reinterpret_cast<u8*>((reinterpret_cast<std::uintptr_t>(cbuf.data()) + 63) & ~std::uintptr_t{63}) + off;
        u8* o = reinterpret_cast<u8*>((reinterpret_cast<std::uintptr_t>(out.data()) + 63) & ~std::uintptr_t{63}) + off;
        std::memcpy(ys, f.y.data(), f.y.size());
        std::memcpy(cs, f.c.data(), f.c.size());
        u8* dy = o;
        u8* du = o + W * H + 64;
        u8* dv = du + W / 2 * H / 2 + 64;
        const int steps[3] = {W, W / 2 + 0, W / 2};
        int r0 = 0;
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const int m = mode_of(i, plan.size());
            Qrx8u* pl[3] = {dy + r0 * W, du + r0 / 2 * (W / 2), dv + r0 / 2 * (W / 2)};
            EXPECT_EQ(qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(ys + r0 * W, W, cs + r0 / 2 * W, W, pl, steps, {W, plan[i]}, m),
                      qrxStatusOk);
            r0 += plan[i];
        }
        std::vector<u8> res(dy, dy + W * H);
        res.insert(res.end(), du, du + W / 2 * H / 2);
        res.insert(res.end(), dv, dv + W / 2 * H / 2);
        return res;
    };
    for (const auto& plan : std::vector<std::vector<int>>{{32}, {16, 16}, {16, 8, 8}}) {
        const auto aligned = run(0, plan), general = run(1, plan);
        EXPECT_EQ(aligned, general);
    }
}
