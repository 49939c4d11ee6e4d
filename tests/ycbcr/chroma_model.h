// Independent per-pixel model of the subsampled YCbCr conversions, written from
// the formulas with explicit floor divisions in 64-bit arithmetic.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"

namespace chroma_model {

using u8 = std::uint8_t;
using i64 = long long;

inline i64 fl(i64 a, i64 d) { return a >= 0 ? a / d : -((-a + d - 1) / d); }
inline int cl(i64 v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

struct C3 {
    int a, b, c;
};

// pixel i of a pixel-order row of ch bytes per pixel: {R, G, B}
inline C3 px(const u8* s, int i, int ch, bool bgr) {
    const u8* p = s + ch * i;
    return bgr ? C3{p[2], p[1], p[0]} : C3{p[0], p[1], p[2]};
}

// forward luma
inline int F16Y(int r, int g, int b) { return cl(fl(16843LL * r + 33030LL * g + 6423LL * b + 1081344, 65536)); }
inline int F16Cb(int r, int g, int b) { return cl(fl(-9699LL * r - 19071LL * g + 28770LL * b + 8421376, 65536)); }
inline int F16tY(int r, int g, int b) { return cl(fl(16843LL * r + 33030LL * g + 6423LL * b + 1048576, 65536)); }
inline int F16uY(int r, int g, int b) { return cl(fl(16842LL * r + 33030LL * g + 6422LL * b + 1048576, 65536)); }
inline int FPY(int r, int g, int b) {
    return cl(fl(fl(16843LL * r, 256) + fl(33030LL * g, 256) + fl(6423LL * b, 256), 256) + 16);
}
inline int Y15(int r, int g, int b) {
    return cl(fl(fl(8422LL * r, 256) + fl(16515LL * g, 256) + fl(3212LL * b, 256) + 2112, 128));
}
inline int Y15s(int r, int g, int b) { return cl(fl(8422LL * r + 16515LL * g + 3212LL * b + 540672, 32768)); }
inline int Y12(int r, int g, int b) {
    return cl(fl(fl(1052LL * r, 512) + fl(2064LL * g, 512) + fl(401LL * b, 512) + 132, 8));
}
// full-resolution forward recipes: returns {Y, Cb, Cr}
inline C3 F16(int r, int g, int b) {
    return {F16Y(r, g, b), F16Cb(r, g, b), cl(fl(28770LL * r - 24117LL * g - 4653LL * b + 8421376, 65536))};
}
inline C3 F15(int r, int g, int b) {
    return {cl(fl(fl(8421LL * r + 16515LL * g, 2048) + fl(3211LL * b, 2048), 16) + 16),
            cl(fl(fl(-4850LL * r - 9535LL * g, 2048) + fl(14385LL * b, 2048), 16) + 128),
            cl(fl(fl(14385LL * r - 12059LL * g, 2048) + fl(-2327LL * b, 2048), 16) + 128)};
}
inline C3 FP(int r, int g, int b) {
    return {FPY(r, g, b), cl(fl(fl(-9699LL * r, 512) + fl(-19071LL * g, 512) + fl(28770LL * b, 512), 128) + 128),
            cl(fl(fl(28770LL * r, 512) + fl(-24117LL * g, 512) + fl(-4653LL * b, 512), 128) + 128)};
}
// pair chroma on sums: returns {Cb, Cr}
inline C3 P17(int sr, int sg, int sb, i64 off = 16842752, i64 off_cr = 16842752) {
    return {cl(fl(-9699LL * sr - 19071LL * sg + 28770LL * sb + off, 131072)),
            cl(fl(28770LL * sr - 24117LL * sg - 4653LL * sb + off_cr, 131072)), 0};
}
inline C3 P17q(int sr, int sg, int sb) { return P17(sr, sg, sb, 16793600, 16793600); }
inline C3 P10(int sr, int sg, int sb) {
    return {cl(fl(fl(-9699LL * sr, 1024) + fl(-19071LL * sg, 1024) + fl(28770LL * sb, 1024) + 16448, 128)),
            cl(fl(fl(28770LL * sr, 1024) + fl(-24117LL * sg, 1024) + fl(-4653LL * sb, 1024) + 16448, 128)), 0};
}
inline C3 P11(int sr, int sg, int sb) {
    return {cl(fl(fl(28770LL * sb, 2048) - fl(9699LL * sr, 2048) - fl(19071LL * sg, 2048) + 8200, 64)),
            cl(fl(fl(28770LL * sr, 2048) - fl(24117LL * sg, 2048) - fl(4653LL * sb, 2048) + 8200, 64)), 0};
}
inline C3 Q18(int sr, int sg, int sb) {
    return {cl(fl(-9699LL * sr - 19071LL * sg + 28770LL * sb + 33587200, 262144)),
            cl(fl(28770LL * sr - 24117LL * sg - 4653LL * sb + 33587200, 262144)), 0};
}
inline C3 Q11(int sr, int sg, int sb) {
    return {cl(fl(fl(28770LL * sb, 2048) - fl(9699LL * sr, 2048) - fl(19071LL * sg, 2048) + 16400, 128)),
            cl(fl(fl(28770LL * sr, 2048) - fl(24117LL * sg, 2048) - fl(4653LL * sb, 2048) + 16400, 128)), 0};
}
inline C3 Q12(int sr, int sg, int sb) {
    return {cl(fl(fl(-607LL * sr, 2048) + fl(-1192LL * sg, 2048) + fl(1798LL * sb, 2048) + 1028, 8)),
            cl(fl(fl(1798LL * sr, 2048) + fl(-1508LL * sg, 2048) + fl(-291LL * sb, 2048) + 1028, 8)), 0};
}

// inverse, all return {R, G, B}
inline i64 T(i64 v, i64 k) { return fl(v * 128 * k, 65536); }
inline C3 I13t(int y, int cb, int cr) {
    const i64 Y = y - 16, B = cb - 128, R = cr - 128;
    return {cl(fl(T(Y, 9536) + T(R, 13074), 16)), cl(fl(T(Y, 9536) + T(R, -6660) + T(B, -3203), 16)),
            cl(fl(T(Y, 9536) + T(B, 16523), 16))};
}
inline C3 I13r(int y, int cb, int cr) {
    const i64 Y = y - 16, B = cb - 128, R = cr - 128;
    return {cl(fl(T(Y, 9535) + T(R, 13074) + 8, 16)), cl(fl(T(Y, 9535) + T(R, -6660) + T(B, -3211) + 8, 16)),
            cl(fl(T(Y, 9535) + T(B, 16523) + 8, 16))};
}
// I13r with the green terms taken positive and subtracted (I13s), and without the rounding terms (I13u)
inline C3 I13g(int y, int cb, int cr, i64 k) {
    const i64 Y = y - 16, B = cb - 128, R = cr - 128;
    return {cl(fl(T(Y, 9535) + T(R, 13074) + k, 16)), cl(fl(T(Y, 9535) - T(R, 6660) - T(B, 3211) + k, 16)),
            cl(fl(T(Y, 9535) + T(B, 16523) + k, 16))};
}
inline C3 I13s(int y, int cb, int cr) { return I13g(y, cb, cr, 8); }
inline C3 I13u(int y, int cb, int cr) { return I13g(y, cb, cr, 0); }
inline C3 I12(int y, int cb, int cr) {
    const i64 Y = y - 16, B = cb - 128, R = cr - 128;
    return {cl(fl(T(Y, 4767) + T(R, 6537), 8)), cl(fl(T(Y, 4767) - T(B, 1605) - T(R, 3330), 8)),
            cl(fl(T(Y, 4767) + T(B, 8261), 8))};
}
inline C3 I16(int y, int cb, int cr, i64 ky, i64 kr, i64 kgr, i64 kgb, i64 kb, i64 round) {
    const i64 Y = y - 16, B = cb - 128, R = cr - 128;
    return {cl(fl(ky * Y + kr * R + round, 65536)), cl(fl(ky * Y - kgr * R - kgb * B + round, 65536)),
            cl(fl(ky * Y + kb * B + round, 65536))};
}
inline C3 I16a(int y, int cb, int cr) { return I16(y, cb, cr, 76284, 104595, 53281, 25690, 132186, 0); }
inline C3 I16b(int y, int cb, int cr) { return I16(y, cb, cr, 76282, 104593, 53279, 25689, 132184, 0); }
inline C3 I16d(int y, int cb, int cr) { return I16(y, cb, cr, 76282, 104593, 53279, 25689, 132184, 32768); }
inline C3 I16e(int y, int cb, int cr) { return I16(y, cb, cr, 76284, 104595, 53281, 25690, 132186, 32768); }
inline C3 I16c(int y, int cb, int cr) {
    return {cl(fl(76284LL * y + 104595LL * cr - 14608761, 65536)),
            cl(fl(76284LL * y - 53281LL * cr - 25690LL * cb + 8887730, 65536)),
            cl(fl(76284LL * y + 132186LL * cb - 18140365, 65536))};
}
inline C3 I16f(int y, int cb, int cr) {
    const i64 B = cb - 128, R = cr - 128;
    return {cl(fl(76294LL * y + 104595 * R - 1220704, 65536)), cl(fl(76294LL * y - 53281 * R - 25625 * B - 1220704, 65536)),
            cl(fl(76294LL * y + 132186 * B - 1220704, 65536))};
}

// BT.709 curve entry, computed here in double (ties resolved to even as documented).
inline std::vector<int> curve709() {
    std::vector<int> t(256);
    for (int i = 0; i < 256; ++i) {
        const double x = i / 255.0;
        const double v = x < 0.018 ? 4.5 * x : 1.099 * std::pow(x, 0.45) - 0.099;
        t[i] = static_cast<int>(std::nearbyint(255.0 * v));
    }
    t[1] = 4;   // 4.5, tie to even
    t[3] = 14;  // 13.5, tie to even
    return t;
}

// Loop over every dispatch level.
template <class F>
void at_all_levels(F f) {
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel forced(level);
        f(level);
    }
}

// Widths of the sweeps: every width to 70 (around every block size), then
// rows long enough for several iterations of the widest vector bodies.
inline std::vector<int> sweep_widths() {
    std::vector<int> w;
    for (int i = 1; i <= 70; ++i) w.push_back(i);
    for (int i : {129, 257, 517}) w.push_back(i);
    return w;
}

inline std::string dims(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

// At every dispatch level, `call(planes, steps)` writes fresh destination
// images shaped like `expect` and returns `want`; every byte of each image,
// guards included, must equal the expected image's.
inline void expect_images(const std::vector<const qrxtest::GuardedImage*>& expect,
                          const std::function<QrxStatus(Qrx8u* const* dst, const int* steps)>& call,
                          const std::string& what, QrxStatus want = qrxStatusOk) {
    at_all_levels([&](qrx::cpu::Level level) {
        std::vector<qrxtest::GuardedImage> got;
        for (const auto* e : expect) got.emplace_back(e->row_bytes(), e->rows(), e->step() - e->row_bytes());
        std::vector<Qrx8u*> planes;
        std::vector<int> steps;
        for (auto& g : got) planes.push_back(g.data()), steps.push_back(g.step());
        ASSERT_EQ(call(planes.data(), steps.data()), want) << what << " level " << qrx::cpu::level_name(level);
        for (std::size_t i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i].all_bytes(), expect[i]->all_bytes())
                << what << " image " << i << " level " << qrx::cpu::level_name(level);
    });
}

// Source and destination images are sets of planes of (w * m + a) / d bytes per row
// (row padding `pad`: equal pads give planes of one width one step).  The model writes
// the expected rows of every destination plane from the source rows, row by row; below
// min_w a size error and nothing written.
struct Plane {
    int m, a, d, pad;
};
using Layout = std::vector<Plane>;
inline const Layout kC2{{2, 0, 1, 7}}, kC3{{3, 0, 1, 7}}, kC4{{4, 0, 1, 7}}, kP3{{1, 0, 1, 5}, {1, 0, 1, 5}, {1, 0, 1, 5}};
inline const Layout kP422in{{1, 0, 1, 7}, {1, 1, 2, 3}, {1, 1, 2, 11}}, kP422out{{1, 0, 1, 7}, {1, 0, 2, 3}, {1, 0, 2, 5}};
using Call = std::function<QrxStatus(const Qrx8u* const*, const int*, Qrx8u* const*, const int*, QrxSize)>;
using Model = std::function<void(const std::vector<const u8*>& s, const std::vector<u8*>& d, int w)>;

inline void check(const Call& fn, const Layout& sl, const Layout& dl, int min_w, const Model& model, unsigned seed) {
    for (int w : sweep_widths())
        for (int h : {1, 2, 3, 5}) {
            std::vector<qrxtest::GuardedImage> src, expect;
            for (const Plane& p : sl) src.emplace_back((w * p.m + p.a) / p.d, h, p.pad);
            for (const Plane& p : dl) expect.emplace_back((w * p.m + p.a) / p.d, h, p.pad);
            std::vector<const Qrx8u*> sp;
            std::vector<int> ss;
            std::vector<const qrxtest::GuardedImage*> e;
            for (auto& g : src) g.fill_random(seed + 97 * w + h + 13 * sp.size()), sp.push_back(g.data()), ss.push_back(g.step());
            for (auto& g : expect) e.push_back(&g);
            for (int r = 0; r < h && w >= min_w; ++r) {
                std::vector<const u8*> s;
                std::vector<u8*> d;
                for (auto& g : src) s.push_back(g.row(r));
                for (auto& g : expect) d.push_back(g.row(r));
                model(s, d, w);
            }
            expect_images(e, [&](Qrx8u* const* d, const int* ds) { return fn(sp.data(), ss.data(), d, ds, {w, h}); },
                          dims(w, h), w < min_w ? qrxStatusSizeError : qrxStatusOk);
        }
}

}  // namespace chroma_model
