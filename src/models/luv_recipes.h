// RGB <-> CIE L*u*v* recipes (D65 white: u'n 0.197839, v'n 0.468342).
//
// Forward: 8u by the 256-entry lightness table; 16u, 16s and 32f by the
// cube-root table (129 rows) and a binomial series of (1 + t)^(1/3).  Black
// (a zero denominator) is treated differently inside whole groups of 4 pixels
// from the row start and in the pixels after them.
// Inverse: grouped pixels use reciprocal estimates (no division); the pixels
// after the last whole group use true divisions and the 0.49999 rounding.
// All single precision, evaluated in the order written.
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/inline.h"
#include "models/xyz_lanes.h"
#include "models/xyz_recipes.h"

namespace qrx::xyzlab {

#include "models/luv_tables.inc"

constexpr float kInv65535 = 1.5259022e-5f;

// (1 + t)^(1/3) by its binomial series; powers by repeated multiplication,
// terms added left to right.  Six terms after the 1, or eight for 32f.
template <class L>
QRX_INLINE L cbrt_series6(L t) {
    const L t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t, t6 = t5 * t;
    return 1.0f + t * 0.33333334f - t2 * 0.11111111f + t3 * 0.061728396f - t4 * 0.041152265f +
           t5 * 0.030178327f - t6 * 0.023472032f;
}
template <class L>
QRX_INLINE L cbrt_series8(L t) {
    const L t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t, t6 = t5 * t, t7 = t6 * t, t8 = t7 * t;
    return 1.0f + t * 0.33333334f - t2 * 0.11111111f + t3 * 0.061728396f - t4 * 0.041152265f +
           t5 * 0.030178327f - t6 * 0.023472032f + t7 * 0.01900117f - t8 * 0.015834307f;
}

// ---- RGB -> LUV, 8u (every pixel alike) ---------------------------------------
template <class L>
QRX_INLINE auto luv_fwd_8u(L r, L g, L b) {
    const L yc = mat_y(r, g, b);
    const L y = yc / 255.0f;
    const auto i = cvtt(vmin(yc + 0.49999f, L(255.0f)));  // rounded luminance code 0..255
    const auto lcode = gather_u8(kLightness8u, i);
    const L l = to_float(lcode);
    const L x = mat_x(r, g, b) / 255.0f;
    const L z = mat_z(r, g, b) / 255.0f;
    const L den = z * 3.0f + x + 15.0f * y;
    const auto black = ieq(i, decltype(i)(0));
    const L up = sel(black, L(0.0f), x * 4.0f / den);
    const L vp = sel(black, L(0.0f), y * 9.0f / den);
    const auto u = cvtt(3.6723163f * l * (up - 0.197839f) + 97.02542f);
    const auto v = cvtt(l * 4.961832f * (vp - 0.468342f) + 136.75954f);
    return Tri<decltype(u)>{lcode, u, v};
}

// ---- RGB -> LUV, 16u and 16s ----------------------------------------------------
// kRoundIndex: the table row comes from round(Yc) (16s) instead of trunc(Yc)
// (16u).  kGrouped: a zero denominator becomes 3 (pixels of whole groups of
// 4); otherwise it gives U = V = 0.
template <bool kRoundIndex, bool kGrouped, class L>
QRX_INLINE auto luv_fwd_16(L r, L g, L b) {
    const L yc = mat_y(r, g, b);
    const L xc = mat_x(r, g, b);
    const L den0 = mat_z(r, g, b) * 3.0f + yc * 15.0f + xc;

    const L yi = clampf(yc, L(0.0f), L(65536.0f));
    const auto n = kRoundIndex ? cvtr(yi) : cvtt(yi);
    using I = std::decay_t<decltype(n)>;
    const I j = imin(sra(n, 9), I(128));
    L c, k;
    gather_row(kLuvCubeRoot, j, c, k);
    const L t = (yc * kInv65535 - c * c * c) * k;
    const L lcube = cbrt_series6(t) * c * 116.0f - 16.0f;
    const L llin = yc * kInv65535 * 903.3f;
    const L ls = sel(yc > 580.378f, lcube, llin);

    const auto zero_den = den0 == L(0.0f);
    const L den = kGrouped ? sel(zero_den, L(3.0f), den0) : den0;
    const L rr = rcp1(den);
    const L l13 = ls * 13.0f;
    I u = cvtr(clampf(((xc * 4.0f * rr - 0.197839f) * l13 + 134.0f) * 185.12712f, L(0.0f), L(65535.0f)));
    I v = cvtr(clampf(((yc * 9.0f * rr - 0.468342f) * l13 + 140.0f) * 250.13359f, L(0.0f), L(65535.0f)));
    if (!kGrouped) {
        u = sel(zero_den, I(0), u);
        v = sel(zero_den, I(0), v);
    }
    const I lcode = cvtr(clampf(ls * 655.35f, L(0.0f), L(65535.0f)));
    return Tri<I>{lcode, u, v};
}

// ---- RGB -> LUV, 32f -------------------------------------------------------------
// Rows beyond the table (Y above 1 + 1/128) use the last row; the result is
// then outside the nominal range anyway.  kGrouped: a zero denominator becomes
// 3; otherwise a zero Z gives u' = v' = 0.
template <bool kGrouped, class L>
QRX_INLINE Tri<L> luv_fwd_32f(L r, L g, L b) {
    const L x = mat_x(r, g, b);
    const L y = mat_y(r, g, b);
    const L z = mat_z(r, g, b);
    const auto j = cvtt(clampf(y * 128.0f, L(0.0f), L(128.0f)));
    L c, k;
    gather_row(kLuvCubeRoot, j, c, k);
    const L t = (y - c * c * c) * k;
    const L lcube = cbrt_series8(t) * c * 116.0f - 16.0f;
    const L ls = sel(y > 0.008856f, lcube, y * 903.3f);

    const L den0 = z * 3.0f + y * 15.0f + x;
    L up, vp;
    if (kGrouped) {
        const L rr = rcp1(sel(den0 == L(0.0f), L(3.0f), den0));
        up = x * 4.0f * rr;
        vp = y * 9.0f * rr;
    } else {
        const L rr = rcp1(den0);
        const auto zz = z == L(0.0f);
        up = sel(zz, L(0.0f), x * 4.0f * rr);
        vp = sel(zz, L(0.0f), y * 9.0f * rr);
    }
    const L l13 = ls * 13.0f;
    return {ls, (up - 0.197839f) * l13, (vp - 0.468342f) * l13};
}

// ---- LUV -> RGB, grouped pixels (8u, 16u, 16s) --------------------------------------
// kFine: one Newton step after each reciprocal estimate (16u, 16s); F is the
// sample range (255 or 65535), kL/ku/kv the code scales.
template <bool kFine, class L>
QRX_INLINE L luv_recip(L x) {
    if (kFine) return rcp1(x);
    return rcp(x);
}
template <bool kFine, class L>
QRX_INLINE auto luv_inv_grouped(L lin, L uin, L vin, float f, float kl, float ku, float kv) {
    const L lf = sel(lin <= 9e-5f, lin + 9e-5f, lin);
    const L ls = lf * kl;
    const L q = luv_recip<kFine>(13.0f * ls);
    const L up = (uin * ku - 134.0f) * q + 0.197839f;
    const L vp = (vin * kv - 140.0f) * q + 0.468342f;
    const L fy = (ls + 16.0f) * 0.00862069f;
    const L yn = sel(ls <= 7.9996247f, 0.001107052f * ls, fy * (fy * fy));
    const L y = f * yn;
    const L t = luv_recip<kFine>(vp) * y;
    const L x = 2.25f * t * up;
    const L z = t * 3.0f - 5.0f * y - 0.33333334f * x;
    const L fl(f);
    using I = decltype(cvtt(x));
    return Tri<I>{cvtt(clampf(inv_r(x, y, z), L(0.0f), fl)), cvtt(clampf(inv_g(x, y, z), L(0.0f), fl)),
                  cvtt(clampf(0.055648f * x - 0.204043f * y + z * 1.057311f, L(0.0f), fl))};
}

// ---- LUV -> RGB, the pixels after the last whole group (8u, 16u, 16s) -----------------
// One pixel at a time: true divisions, the 0.49999 rounding constant, and the
// blue sum finished in double.
QRX_INLINE Tri<int> luv_inv_pixel(float lin, float uin, float vin, float f) {
    const float ls = lin * 100.0f / f;
    if (ls < 9e-5f) return {0, 0, 0};
    const float u = uin * 354.0f / f - 134.0f;
    const float v = vin * 262.0f / f - 140.0f;
    const float up = u / (ls * 13.0f) + 0.19783941f;
    const float vp = v / (ls * 13.0f) + 0.4683422f;
    float y;
    if (ls >= 7.9996247f) {
        const float p = (16.0f + ls) / 116.0f;
        y = p * p * p;
    } else {
        y = ls / 903.3f;
    }
    y = y * f;
    const float t = y / vp;
    const float x = 2.25f * t * up;
    const float z = t * 3.0f - 5.0f * y - x / 3.0f;
    const float r = 0.49999f - 1.53715f * y + 3.240479f * x - 0.498535f * z;
    const float g = 1.875991f * y + 0.49999f - 0.969256f * x + 0.041556f * z;
    const float b1 = 0.055648f * x - 0.204043f * y;
    const double b = static_cast<double>(b1) + static_cast<double>(0.49999f) + static_cast<double>(z) * 1.057311;
    const double fd = f;
    return {cvtt(clampf(r, 0.0f, f)), cvtt(clampf(g, 0.0f, f)),
            static_cast<int>(b > 0.0 ? (b < fd ? b : fd) : 0.0)};
}

// ---- LUV -> RGB, 32f (every pixel alike) ----------------------------------------------
template <class L>
QRX_INLINE Tri<L> luv_inv_32f(L ls, L us, L vs) {
    const L p = (16.0f + ls) / 116.0f;
    const L y = sel(ls >= 7.9996247f, p * p * p, ls / 903.3f);
    const L l13 = ls * 13.0f;
    const L up = us / l13 + 0.197839f;
    const L vp = vs / l13 + 0.468342f;
    const L t = y / vp;
    const L x = 2.25f * t * up;
    const L z = t * 3.0f - 5.0f * y - x / 3.0f;
    const auto black = ls < 9e-5f;
    const L zero(0.0f), one(1.0f);
    return {sel(black, zero, clampf(inv_r(x, y, z), zero, one)), sel(black, zero, clampf(inv_g(x, y, z), zero, one)),
            sel(black, zero, clampf(inv_b(x, y, z), zero, one))};
}

}  // namespace qrx::xyzlab
