// BGR <-> CIE L*a*b* recipes (D65 white 242.366, 255, 277.632 on the 0..255
// scale).  Forward: the CIE f by a 128-row cube-root table and a series,
// with its linear segment below 0.008856; 8u and 16u outputs rounded to
// nearest even.  Inverse: plain cubes (no linear segment), rounded, clamped.
// All single precision in the order written; every pixel alike.
#pragma once

#include <cstdint>

#include "core/inline.h"
#include "models/xyz_lanes.h"

namespace qrx::xyzlab {

#include "models/lab_tables.inc"

// cr(v) for 0 <= v <= about 1.  kLong: two more series terms (16-bit output).
template <bool kLong, class L>
QRX_INLINE L lab_cbrt(L v) {
    const auto j = cvtt(clampf(127.99805f * v, L(0.0f), L(127.0f)));
    L c, k;
    gather_row(kLabCubeRoot, j, c, k);
    const L t = (v - c * c * c) * k;
    const L t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t, t6 = t5 * t;
    L s = 1.0f + t * 0.33333334f - t2 * 0.11111111f + t3 * 0.061728396f - t4 * 0.041152265f + t5 * 0.030178327f -
          t6 * 0.023472032f;
    if (kLong) {
        const L t7 = t6 * t, t8 = t7 * t;
        s = s + t7 * 0.0190012f - t8 * 0.0158343f;
    }
    return s * c;
}

template <bool kLong, class L>
QRX_INLINE L lab_f(L v) {
    return sel(v > 0.008856f, lab_cbrt<kLong>(v), v * 7.787f + 0.13793103f);
}

// Source samples arrive in memory order B, G, R.  k16: 16-bit Lab output.
template <bool k16, class L>
QRX_INLINE auto lab_fwd(L b, L g, L r) {
    const L x = (r * 0.412453f + 0.35758f * g + 0.180423f * b) * 0.0041259914f;
    const L y = (r * 0.212671f + 0.71516f * g + 0.072169f * b) * 0.003921569f;
    const L z = (r * 0.019334f + 0.119193f * g + 0.950227f * b) * 0.0036018905f;
    const L cy = lab_cbrt<k16>(y);  // cr(y) serves both f(y) and L*
    const auto ycube = y > 0.008856f;
    const L fx = lab_f<k16>(x), fz = lab_f<k16>(z);
    const L fy = sel(ycube, cy, y * 7.787f + 0.13793103f);
    const L ls = sel(ycube, cy * 116.0f - 16.0f, y * 903.3f);
    const L top(k16 ? 65535.0f : 255.0f), zero(0.0f);
    using I = decltype(cvtr(x));
    if (k16)
        return Tri<I>{cvtr(clampf(ls * 655.35f, zero, top)),
                      cvtr(clampf(((fx - fy) * 500.0f + 128.0f) * 255.0f, zero, top)),
                      cvtr(clampf(((fy - fz) * 200.0f + 128.0f) * 255.0f, zero, top))};
    return Tri<I>{cvtr(clampf(ls * 2.55f, zero, top)), cvtr(clampf((fx - fy) * 500.0f + 128.0f, zero, top)),
                  cvtr(clampf((fy - fz) * 200.0f + 128.0f, zero, top))};
}

// k16: 16-bit Lab input.  Results in memory order B, G, R.
template <bool k16, class L>
QRX_INLINE auto lab_inv(L lin, L ain, L bin) {
    const L ls = k16 ? lin * 0.0015259022f : lin * 0.39215687f;
    const L a = k16 ? ain * 0.003921569f : ain;
    const L bb = k16 ? bin * 0.003921569f : bin;
    const L fy = (ls + 16.0f) * 0.00862069f;
    const L fx = fy + (a - 128.0f) * 0.002f;
    const L fz = fy - (bb - 128.0f) * 0.005f;
    const L y = fy * fy * fy * 255.0f;
    const L x = fx * fx * fx * 242.366f;
    const L z = fz * fz * fz * 277.632f;
    const L zero(0.0f), top(255.0f);
    using I = decltype(cvtr(x));
    return Tri<I>{cvtr(clampf(x * 0.055648f + y * -0.204043f + z * 1.057311f, zero, top)),
                  cvtr(clampf(x * -0.969256f + y * 1.875991f + z * 0.041556f, zero, top)),
                  cvtr(clampf(x * 3.240479f + y * -1.53715f + z * -0.498535f, zero, top))};
}

}  // namespace qrx::xyzlab
