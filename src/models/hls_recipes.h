// HLS and HSV recipes.  Each conversion has a grouped recipe (`group`, written
// on lanes, with comparison masks) and a per-pixel recipe (`pixel`, with
// branches); where the two differ the difference is part of the result:
//   RGB -> HSV   8u: rcp, grouped truncates / per-pixel rounds to even, and the
//                hue tie order differs; 16u: rcp1, rounds to even everywhere
//   HSV -> RGB   8u: grouped truncates, per-pixel rounds; 16u rounds everywhere
//   RGB -> HLS   8u: rcp in groups, rcp1 per pixel; 16u/16s rcp1 everywhere
//   HLS -> RGB   8u/16u: per-pixel S = 0 copies L; 16s/32f: per-pixel in double
// Included by hls_rows.inl after hls_lanes.h.
#pragma once

#include <type_traits>

#include "models/hls_lanes.h"

namespace qrx::hlsycc::QRX_LEVEL {
namespace {

// Scale constants: the floats nearest to the fractions.
constexpr float k255to360 = static_cast<float>(360.0 / 255.0);
constexpr float k360to255 = static_cast<float>(255.0 / 360.0);
constexpr float k360to65535 = static_cast<float>(65535.0 / 360.0);
constexpr float k65535to360 = static_cast<float>(360.0 / 65535.0);
constexpr float kInv255 = static_cast<float>(1.0 / 255.0);
constexpr float kInv65535 = static_cast<float>(1.0 / 65535.0);
constexpr float kInv60 = static_cast<float>(1.0 / 60.0);
constexpr float kFltEpsilon = 1.1920929e-7f;
constexpr float kHalfMinus = 0.49999f;  // 0.49998998641967773

enum class Kind { u8, u16, s16, f32 };

template <Kind K>
struct Sample;
template <>
struct Sample<Kind::u8> { using T = u8; };
template <>
struct Sample<Kind::u16> { using T = u16; };
template <>
struct Sample<Kind::s16> { using T = s16; };
template <>
struct Sample<Kind::f32> { using T = float; };

// ============================ RGB -> HSV =====================================
template <Kind K>
struct RgbToHsv {
    static_assert(K == Kind::u8 || K == Kind::u16, "HSV has 8u and 16u kernels");
    using T = typename Sample<K>::T;
    using Out = I;
    static constexpr bool k16 = K == Kind::u16;
    static constexpr float kF = k16 ? 65535.0f : 255.0f;
    static constexpr float kK = k16 ? 10922.5f : 42.5f;  // F / 6
    static constexpr int kMax = k16 ? 65535 : 255;

    QRX_INLINE F rr(F x) { return k16 ? rcp1(x) : rcp(x); }
    QRX_INLINE float rr(float x) { return k16 ? rcp1(x) : rcp(x); }

    // Grouped: R formula if V = R and B != V, else G formula if V = G, else B
    // formula; 8u truncates, 16u rounds to even.
    QRX_INLINE void group(F R, F G, F B, I& h, I& s, I& v) {
        const F V = vmax(vmax(R, G), B), m = vmin(vmin(R, G), B), d = V - m;
        const F rV = rr(V), rd = rr(d);
        F S = (rV * d) * F(kF);
        const F a = (V - R) * rd, b = (V - G) * rd, c = (V - B) * rd;
        const F hR = c - b, hG = (a - c) + F(2.0f), hB = (b - a) + F(4.0f);
        const F hh = sel((V == R) & (B != V), hR, sel(V == G, hG, hB));
        F H = hh * F(kK);
        // Adding +0 where H >= 0 changes no integer result (only a -0 to +0),
        // and a masked constant is one operation where a select is up to three.
        H = H + sel0(H < F(0.0f), F(kF));
        // The samples are >= 0, so V = 0 implies d = 0: one test for "grey".
        const M chromatic = d != F(0.0f);
        H = sel0(chromatic, H);
        S = sel0(chromatic, S);
        if constexpr (k16) {
            h = iclamp(cvtr(H), 0, kMax);
            s = iclamp(cvtr(S), 0, kMax);
        } else {
            // 8u: H is within 0..255 and S below 256 for every input (the
            // estimate's error is below 0.04%), so the truncations need no clamp.
            h = cvtt(H);
            s = cvtt(S);
        }
        v = cvtt(V);
    }

    // Per pixel: B formula if V = B, else G formula if V = G, else R formula;
    // rounds to even.
    QRX_INLINE void pixel(T r, T g, T b, T& h, T& s, T& v) {
        const float R = r, G = g, B = b;
        const float V = vmax(vmax(R, G), B), m = vmin(vmin(R, G), B), d = V - m;
        v = static_cast<T>(V);
        if (V == 0.0f || d == 0.0f) {
            h = 0;
            s = 0;
            return;
        }
        const float rV = rr(V), rd = rr(d);
        const float S = (rV * d) * kF;
        const float ta = (V - R) * rd, tb = (V - G) * rd, tc = (V - B) * rd;
        float hh;
        if (V == B)
            hh = (tb - ta) + 4.0f;
        else if (V == G)
            hh = (ta - tc) + 2.0f;
        else
            hh = tc - tb;
        float H = hh * kK;
        if (H < 0.0f) H = H + kF;
        h = static_cast<T>(iclamp(cvtr(H), 0, kMax));
        s = static_cast<T>(iclamp(cvtr(S), 0, kMax));
    }
};

// ============================ HSV -> RGB =====================================
template <Kind K>
struct HsvToRgb {
    using T = typename Sample<K>::T;
    using Out = I;
    static constexpr bool k16 = K == Kind::u16;
    static constexpr float kF = k16 ? 65535.0f : 255.0f;
    static constexpr float kH = k16 ? k65535to360 : k255to360;
    static constexpr float kS = k16 ? kInv65535 : kInv255;
    static constexpr int kMax = k16 ? 65535 : 255;

    // Grouped: sector by comparison masks; 8u truncates, 16u rounds to even.
    QRX_INLINE void group(F H, F S, F V, I& r, I& g, I& b) {
        const F h = sel(H == F(kF), F(0.0f), H * F(kInv60)) * F(kH);
        const F fi = to_float(cvtt(h));
        const F f = h - fi;
        const F C = V * (S * F(kS));
        const F p = V - C, q = V - f * C, t = p + f * C;
        // sector i: 0: (V, t, p); 1: (q, V, p); 2: (p, V, t); 3: (p, q, V); 4: (t, p, V); 5: (V, p, q)
        const M s0 = fi == F(0.0f), s1 = fi == F(1.0f), s2 = fi == F(2.0f), s3 = fi == F(3.0f),
                s4 = fi == F(4.0f), s5 = fi > F(4.0f);
        const F R = sel(s1, q, sel(s4, t, sel(s2 | s3, p, V)));
        const F G = sel(s0, t, sel(s3, q, sel(s1 | s2, V, p)));
        const F B = sel(s2, t, sel(s5, q, sel(s3 | s4, V, p)));
        // S = 0 needs no select of its own: C is then 0, so p, q and t are V.
        if constexpr (k16) {
            r = iclamp(cvtr(R), 0, kMax);
            g = iclamp(cvtr(G), 0, kMax);
            b = iclamp(cvtr(B), 0, kMax);
        } else {
            // 8u: C exceeds V by a few ulps at most, so every value lies
            // above -1 and below 256: the truncations need no clamp.
            r = cvtt(R);
            g = cvtt(G);
            b = cvtt(B);
        }
    }

    // Per pixel: rounds to even (8u and 16u).
    QRX_INLINE void pixel(T hs, T ss, T vs, T& r, T& g, T& b) {
        if (ss == 0) {
            r = g = b = vs;
            return;
        }
        const float H = hs, S = ss, V = vs;
        const float h = (H == kF ? 0.0f : H * kInv60) * kH;
        const int i = cvtt(h);
        const float f = h - static_cast<float>(i);
        const float C = V * (S * kS);
        const float p = V - C, q = V - f * C, t = p + f * C;
        float R, G, B;
        switch (i) {
            case 0: R = V, G = t, B = p; break;
            case 1: R = q, G = V, B = p; break;
            case 2: R = p, G = V, B = t; break;
            case 3: R = p, G = q, B = V; break;
            case 4: R = t, G = p, B = V; break;
            default: R = V, G = p, B = q; break;
        }
        r = static_cast<T>(iclamp(cvtr(R), 0, kMax));
        g = static_cast<T>(iclamp(cvtr(G), 0, kMax));
        b = static_cast<T>(iclamp(cvtr(B), 0, kMax));
    }
};

// ===================== RGB -> HLS, integer sample types ======================
template <Kind K>
struct RgbToHls {
    using T = typename Sample<K>::T;
    using Out = I;
    static constexpr bool k8 = K == Kind::u8;
    static constexpr float kF = k8 ? 255.0f : 65535.0f;
    static constexpr float kHalf = k8 ? 127.5f : 32767.5f;
    static constexpr float kH = k8 ? k360to255 : k360to65535;
    static constexpr int kMax = k8 ? 255 : 65535;
    static constexpr int kStored = K == Kind::s16 ? 32768 : 0;  // 16s stores minus 32768
    static constexpr float kIn = K == Kind::s16 ? 32768.0f : 0.0f;

    // Grouped: 8u uses the bare estimate, 16-bit the refined one.
    QRX_INLINE F rr(F x) { return k8 ? rcp(x) : rcp1(x); }

    QRX_INLINE void group(F R, F G, F B, I& h, I& l, I& s) {
        if (K == Kind::s16) R = R + F(kIn), G = G + F(kIn), B = B + F(kIn);
        const F M_ = vmax(vmax(R, G), B), m = vmin(vmin(R, G), B), d = M_ - m, sum = M_ + m;
        const F halfsum = sum * F(0.5f);
        const F den = sel(halfsum > F(kHalf), F(2.0f * kF) - sum, sum);
        F S = (d * rr(den)) * F(kF);
        const F r = rr(d);
        const F hR = ((G - B) * F(60.0f)) * r;
        const F hG = ((B - R) * F(60.0f)) * r + F(120.0f);
        const F hB = ((R - G) * F(60.0f)) * r + F(240.0f);
        F hh = sel(M_ == R, hR, sel(M_ == G, hG, hB));
        hh = sel(hh < F(0.0f), hh + F(360.0f), hh);
        F H = hh * F(kH);
        const M grey = d == F(0.0f);
        H = sel(grey, F(0.0f), H);
        S = sel(grey, F(0.0f), S);
        h = iclamp(cvtt(H), 0, kMax) - I(kStored);
        l = iclamp(cvtt(halfsum), 0, kMax) - I(kStored);
        s = iclamp(cvtt(S), 0, kMax) - I(kStored);
    }

    // Per pixel: the refined reciprocal for every sample type.
    QRX_INLINE void pixel(T rs, T gs, T bs, T& h, T& l, T& s) {
        const float R = static_cast<float>(rs) + kIn, G = static_cast<float>(gs) + kIn, B = static_cast<float>(bs) + kIn;
        const float M_ = vmax(vmax(R, G), B), m = vmin(vmin(R, G), B), d = M_ - m, sum = M_ + m;
        const float halfsum = sum * 0.5f;
        l = static_cast<T>(iclamp(cvtt(halfsum), 0, kMax) - kStored);
        if (d == 0.0f) {
            h = s = static_cast<T>(-kStored);
            return;
        }
        const float den = halfsum > kHalf ? 2.0f * kF - sum : sum;
        const float S = (d * rcp1(den)) * kF;
        const float r = rcp1(d);
        float hh;
        if (M_ == R)
            hh = ((G - B) * 60.0f) * r;
        else if (M_ == G)
            hh = ((B - R) * 60.0f) * r + 120.0f;
        else
            hh = ((R - G) * 60.0f) * r + 240.0f;
        if (hh < 0.0f) hh = hh + 360.0f;
        h = static_cast<T>(iclamp(cvtt(hh * kH), 0, kMax) - kStored);
        s = static_cast<T>(iclamp(cvtt(S), 0, kMax) - kStored);
    }
};

// ========================== RGB -> HLS, 32f ==================================
// True divisions, one recipe for every pixel; outputs not clamped.
struct RgbToHls32f {
    using T = float;
    using Out = F;

    QRX_INLINE void group(F R, F G, F B, F& h, F& l, F& s) {
        const F M_ = vmax(vmax(R, G), B), m = vmin(vmin(R, G), B), d = M_ - m, sum = m + M_;
        const F L = F(0.5f) * sum;
        // The operands are selected before dividing: the same quotients as
        // selecting among all of them, with three divisions instead of five.
        F S = d / sel(L > F(0.5f), F(2.0f) - sum, sum);
        const M byR = M_ == R, byB = M_ != G;
        const F num = sel(byR, G - B, sel(byB, R - G, B - R)) * F(60.0f);
        // + 0 leaves the R-formula quotient unchanged (it is never -0); the
        // offsets 0, 120 and 240 and the wrap by 360 or +0 are masked
        // constants, which cost less than selects (hh is never -0 either)
        F hh = num / d + sel0(M_ != R, F(120.0f) + sel0(byB, F(120.0f)));
        hh = hh + sel0(hh < F(0.0f), F(360.0f));
        const M chromatic = d > F(kFltEpsilon);
        hh = sel0(chromatic, hh);
        S = sel0(chromatic, S);
        h = hh / F(360.0f);
        l = L;
        s = S;
    }

    QRX_INLINE void pixel(float R, float G, float B, float& h, float& l, float& s) {
        const float M_ = vmax(vmax(R, G), B), m = vmin(vmin(R, G), B), d = M_ - m, sum = m + M_;
        const float L = 0.5f * sum;
        float hh = 0.0f, S = 0.0f;
        if (d > kFltEpsilon) {
            S = L > 0.5f ? d / (2.0f - sum) : d / sum;
            if (M_ == R)
                hh = ((G - B) * 60.0f) / d;
            else if (M_ != G)
                hh = ((R - G) * 60.0f) / d + 240.0f;
            else
                hh = ((B - R) * 60.0f) / d + 120.0f;
            if (hh < 0.0f) hh = hh + 360.0f;
        }
        h = hh / 360.0f;
        l = L;
        s = S;
    }
};

// ============================ HLS -> RGB =====================================
// Value of one channel at hue angle a (degrees), single precision, on lanes:
// the rise below 60 (m1 + (a / 60) span) and the fall from 180 to 240
// (m1 + ((240 - a) / 60) span) are one expression of t = min(a, 240 - a),
// which is exactly a or 240 - a there.  A channel is then two selects: m1
// from 240 on (and for NaN), else m2 on [60, 180), else the ramp.
QRX_INLINE F hls_channel(F a, F m1, F m2, F span) {
    const F ramp = m1 + (vmin(a, F(240.0f) - a) * F(kInv60)) * span;
    const M top = andnot(a < F(60.0f), a < F(180.0f));
    return sel(a < F(240.0f), sel(top, m2, ramp), m1);
}
QRX_INLINE float hls_channel(float a, float m1, float m2) {
    if (a < 60.0f) return m1 + (a * kInv60) * (m2 - m1);
    if (a < 180.0f) return m2;
    if (a < 240.0f) return m1 + ((240.0f - a) * kInv60) * (m2 - m1);
    return m1;
}
// The same in double precision, each value rounded to single.
QRX_INLINE float hls_channel_d(double a, float m1, float m2) {
    if (a < 60.0) return static_cast<float>(m1 + (static_cast<double>(m2) - m1) * a / 60.0);
    if (a < 180.0) return m2;
    if (a < 240.0) return static_cast<float>(m1 + (static_cast<double>(m2) - m1) * (240.0 - a) / 60.0);
    return m1;
}

template <Kind K>
struct HlsToRgb {
    using T = typename Sample<K>::T;
    using Out = std::conditional_t<K == Kind::f32, F, I>;
    static constexpr float kH = K == Kind::u8 ? k255to360 : K == Kind::f32 ? 360.0f : k65535to360;
    static constexpr float kInv = K == Kind::u8 ? kInv255 : kInv65535;
    static constexpr float kIn = K == Kind::s16 ? 32768.0f : 0.0f;

    // Output conversions of the single-precision recipe.
    QRX_INLINE I out(F v, I*) {
        if (K == Kind::u8) return iclamp(cvtt(v * F(255.0f)), 0, 255);
        if (K == Kind::u16) {  // 2 x (trunc(v x 32767.5) saturated to 16 bits), taken to 0..65534
            const I t = iclamp(cvtt(v * F(32767.5f)), 0, 32767);
            return t + t;
        }
        return iclamp(cvtt(v * F(65535.0f)), 0, 65535) - I(32768);
    }
    QRX_INLINE F out(F v, F*) { return v; }
    QRX_INLINE T out1(float v) {
        if constexpr (K == Kind::u8) return static_cast<T>(iclamp(cvtt(v * 255.0f), 0, 255));
        if constexpr (K == Kind::u16) return static_cast<T>(2 * iclamp(cvtt(v * 32767.5f), 0, 32767));
        if constexpr (K == Kind::s16) return static_cast<T>(iclamp(cvtt(v * 65535.0f), 0, 65535) - 32768);
        if constexpr (K == Kind::f32) return v;
    }

    QRX_INLINE void group(F H, F L, F S, Out& r, Out& g, Out& b) {
        if (K == Kind::s16) H = H + F(kIn), L = L + F(kIn), S = S + F(kIn);
        const F hd = H * F(kH);
        const F l = K == Kind::f32 ? L : L * F(kInv);
        const F s = K == Kind::f32 ? S : S * F(kInv);
        const F m2 = sel(l > F(0.5f), (l + s) - l * s, l + l * s);
        const F m1 = F(2.0f) * l - m2;
        const F up = hd + F(120.0f), down = hd - F(120.0f);
        const F aR = sel(up > F(360.0f), up - F(360.0f), up);
        const F aB = sel(down < F(0.0f), down + F(360.0f), down);
        const F span = m2 - m1;
        // grey pixels (s = 0) take l in every channel, whatever their hue
        const M colour = s != F(0.0f);
        const F R = sel(colour, hls_channel(aR, m1, m2, span), l);
        const F G = sel(colour, hls_channel(hd, m1, m2, span), l);
        const F B = sel(colour, hls_channel(aB, m1, m2, span), l);
        r = out(R, static_cast<Out*>(nullptr));
        g = out(G, static_cast<Out*>(nullptr));
        b = out(B, static_cast<Out*>(nullptr));
    }

    // Per pixel, single precision (8u, 16u): S = 0 copies L unchanged.
    QRX_INLINE void pixel_single(T hs, T ls, T ss, T& r, T& g, T& b) {
        if (ss == 0) {
            r = g = b = ls;
            return;
        }
        const float hd = static_cast<float>(hs) * kH;
        const float l = static_cast<float>(ls) * kInv, s = static_cast<float>(ss) * kInv;
        const float m2 = l > 0.5f ? (l + s) - l * s : l + l * s;
        const float m1 = 2.0f * l - m2;
        float aR = hd + 120.0f;
        if (aR > 360.0f) aR = aR - 360.0f;
        float aB = hd - 120.0f;
        if (aB < 0.0f) aB = aB + 360.0f;
        r = out1(hls_channel(aR, m1, m2));
        g = out1(hls_channel(hd, m1, m2));
        b = out1(hls_channel(aB, m1, m2));
    }

    // Per pixel, double precision (16s, 32f).
    QRX_INLINE void pixel_double(T hs, T ls, T ss, T& r, T& g, T& b) {
        float hd, l, s;
        if constexpr (K == Kind::f32) {
            hd = static_cast<float>(static_cast<double>(hs) * 360.0);
            l = ls;
            s = ss;
        } else {
            hd = static_cast<float>((static_cast<double>(hs) + 32768.0) * 360.0 / 65535.0);
            l = static_cast<float>((static_cast<double>(ls) + 32768.0) / 65535.0);
            s = static_cast<float>((static_cast<double>(ss) + 32768.0) / 65535.0);
        }
        float R, G, B;
        if (s == 0.0f) {
            R = G = B = l;
        } else {
            const float m2 = l > 0.5f ? static_cast<float>((static_cast<double>(l) + s) - static_cast<double>(s) * l)
                                      : static_cast<float>((static_cast<double>(s) + 1.0) * l);
            const float m1 = static_cast<float>((static_cast<double>(l) + l) - m2);
            double aR = static_cast<double>(hd) + 120.0;
            if (aR > 360.0) aR -= 360.0;
            double aB = static_cast<double>(hd) - 120.0;
            if (aB < 0.0) aB += 360.0;
            R = hls_channel_d(aR, m1, m2);
            G = hls_channel_d(hd, m1, m2);
            B = hls_channel_d(aB, m1, m2);
        }
        r = out_d(R);
        g = out_d(G);
        b = out_d(B);
    }
    QRX_INLINE T out_d(float v) {
        if constexpr (K == Kind::s16) {
            double t = std::trunc(static_cast<double>(v) * 65535.0 + static_cast<double>(kHalfMinus)) - 32768.0;
            t = t < -32768.0 ? -32768.0 : t > 32767.0 ? 32767.0 : t;
            return static_cast<T>(static_cast<int>(t));
        } else {
            return static_cast<T>(v);
        }
    }

    QRX_INLINE void pixel(T hs, T ls, T ss, T& r, T& g, T& b) {
        if constexpr (K == Kind::u8 || K == Kind::u16)
            pixel_single(hs, ls, ss, r, g, b);
        else
            pixel_double(hs, ls, ss, r, g, b);
    }
};

}  // namespace
}  // namespace qrx::hlsycc::QRX_LEVEL
