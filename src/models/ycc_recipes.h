// RGB <-> YCC recipes (Y, C1, C2 with the chroma offsets 156/255 and 137/255
// of full scale).  8u: two integer recipes, the grouped one in 16-bit
// multiply-high steps (every product floored on its own), the per-pixel one
// in 32-bit fixed point.  16u and 16s: grouped pixels truncate the plain
// formulas, per-pixel ones add 0.49999 to pre-multiplied ones (except the 16s
// inverse: one formula).  32f: one recipe.  All shifts are arithmetic.
#pragma once

#include "models/hls_lanes.h"

namespace qrx::hlsycc::QRX_LEVEL {
namespace {

// ============================== 8u ==========================================
// High half of a 16 x 16-bit product: floor(a x b / 65536).  The 32-bit lanes
// hold the same values as the 16-bit ones (every operand fits 16 bits).
QRX_INLINE I mulhi(I a, int b) { return sra(a * I(b), 16); }
QRX_INLINE u8 sat8(int v) { return static_cast<u8>(iclamp(v, 0, 255)); }

struct RgbToYcc8u {
    using T = u8;
    using Out = I;
    // Grouped: y = sum of floor(k x v / 256) (high half of (v << 8) x k).
    QRX_INLINE void group(F r, F g, F b, I& Y, I& C1, I& C2) {
        const I R = cvtt(r), G = cvtt(g), B = cvtt(b);
        const I y = mulhi(R * I(256), 4898) + mulhi(G * I(256), 9617) + mulhi(B * I(256), 1867);
        Y = iclamp(sra(mulhi(y, 2921), 2), 0, 255);
        C1 = iclamp(sra(mulhi(B * I(64) - y, 1789) + I(624), 2), 0, 255);
        C2 = iclamp(sra(mulhi(R * I(64) - y, 2178) + I(548), 2), 0, 255);
    }
    // Per pixel: 14-bit weights, the difference shifted by 10 before scaling.
    QRX_INLINE void pixel(int R, int G, int B, u8& Y, u8& C1, u8& C2) {
        const int y = 4898 * R + 9617 * G + 1867 * B;
        Y = static_cast<u8>(((y >> 10) * 2921) >> 16);
        C1 = static_cast<u8>(((((B * 16384) - y) >> 10) * 1789 >> 16) + 156);
        C2 = static_cast<u8>(((((R * 16384) - y) >> 10) * 2178 >> 16) + 137);
    }
};

struct YccToRgb8u {
    using T = u8;
    using Out = I;
    QRX_INLINE void group(F yf, F c1f, F c2f, I& R, I& G, I& B) {
        const I y = mulhi(cvtt(yf) * I(256), 5563);
        const I c1 = mulhi((cvtt(c1f) - I(156)) * I(128), 18168);
        const I c2 = mulhi((cvtt(c2f) - I(137)) * I(128), 14921);
        R = iclamp(sra(y + c2, 4), 0, 255);
        B = iclamp(sra(y + c1, 4), 0, 255);
        G = iclamp(sra(sra(y, 1) + mulhi(c1, -6357) + mulhi(c2, -16679), 3), 0, 255);
    }
    QRX_INLINE void pixel(int Y, int C1, int C2, u8& R, u8& G, u8& B) {
        const int t = 5564 * Y;
        const int c2t = 7460 * C2 - 1022020;
        const int c1t = 9084 * C1 - 1417104;
        R = sat8((t + c2t) >> 12);
        B = sat8((t + c1t) >> 12);
        G = sat8((16 * t - 794 * (c1t >> 8) - 2084 * (c2t >> 8)) >> 16);
    }
};

// ============================ 16u, 16s ======================================
constexpr float kRound = 0.49999f;

// K16s: samples carry the 32768 offset on the way in and out.
template <bool K16s>
struct RgbToYcc16 {
    using T = std::conditional_t<K16s, s16, u16>;
    using Out = I;
    static constexpr float kIn = K16s ? 32768.0f : 0.0f;
    static constexpr int kOff = K16s ? 32768 : 0;

    QRX_INLINE void group(F R, F G, F B, I& y, I& c1, I& c2) {
        if (K16s) R = R + F(kIn), G = G + F(kIn), B = B + F(kIn);
        const F yl = (F(0.299f) * R + F(0.587f) * G) + F(0.114f) * B;
        y = iclamp(cvtt(yl * F(0.7132668f)), 0, 65535) - I(kOff);
        c1 = iclamp(cvtt((B - yl) * F(0.43686f) + F(40092.0f)), 0, 65535) - I(kOff);
        c2 = iclamp(cvtt((R - yl) * F(0.53192f) + F(35209.0f)), 0, 65535) - I(kOff);
    }
    QRX_INLINE void pixel(T r, T g, T b, T& y, T& c1, T& c2) {
        const float R = static_cast<float>(r) + kIn, G = static_cast<float>(g) + kIn, B = static_cast<float>(b) + kIn;
        if constexpr (!K16s) {
            y = static_cast<T>(iclamp(cvtt(((0.213267f * R + 0.418688f * G) + 0.0813124f * B) + kRound), 0, 65535));
            c1 = static_cast<T>(
                iclamp(cvtt((((-0.130621f * R + 40092.0f) - 0.256437f * G) + 0.387058f * B) + kRound), 0, 65535));
            c2 = static_cast<T>(
                iclamp(cvtt((((0.372876f * R + 35209.0f) - 0.312237f * G) - 0.0606389f * B) + kRound), 0, 65535));
        } else {
            const float yl = (0.299f * R + 0.587f * G) + 0.114f * B;
            y = static_cast<T>(iclamp(cvtt(yl * 0.7132668f + kRound), 0, 65535) - 32768);
            c1 = static_cast<T>(iclamp(cvtt(((B - yl) * 0.43686f + 40092.0f) + kRound), 0, 65535) - 32768);
            c2 = static_cast<T>(iclamp(cvtt(((R - yl) * 0.53192f + 35209.0f) + kRound), 0, 65535) - 32768);
        }
    }
};

struct YccToRgb16u {
    using T = u16;
    using Out = I;
    QRX_INLINE void group(F Y, F C1, F C2, I& r, I& g, I& b) {
        const F L = Y * F(1.3584f);
        const F c1 = (C1 - F(40092.0f)) * F(2.2179f);
        const F c2 = (C2 - F(35209.0f)) * F(1.8215f);
        r = iclamp(cvtt(L + c2), 0, 65535);
        g = iclamp(cvtt((L - c1 * F(0.194f)) - c2 * F(0.509f)), 0, 65535);
        b = iclamp(cvtt(L + c1), 0, 65535);
    }
    QRX_INLINE void pixel(T ys, T c1s, T c2s, T& r, T& g, T& b) {
        const float L = static_cast<float>(ys) * 1.3584f;
        const float c1 = static_cast<float>(c1s) - 40092.0f, c2 = static_cast<float>(c2s) - 35209.0f;
        r = static_cast<T>(iclamp(cvtt((1.8215f * c2 + L) + kRound), 0, 65535));
        g = static_cast<T>(iclamp(cvtt(((L - 0.4302726f * c1) - c2 * 0.92714345f) + kRound), 0, 65535));
        b = static_cast<T>(iclamp(cvtt((L + c1 * 2.2179f) + kRound), 0, 65535));
    }
};

// 16s inverse: one formula for every pixel, truncation, saturation.
struct YccToRgb16s {
    using T = s16;
    using Out = I;
    QRX_INLINE void group(F Y, F C1, F C2, I& r, I& g, I& b) {
        const F L = (Y + F(32768.0f)) * F(1.3584f);
        const F c1 = C1 - F(7324.0f), c2 = C2 - F(2441.0f);
        r = iclamp(cvtt(L + c2 * F(1.8215f)), 0, 65535) - I(32768);
        g = iclamp(cvtt((L - (c1 * F(2.2179f)) * F(0.194f)) - (c2 * F(1.8215f)) * F(0.509f)), 0, 65535) -
            I(32768);
        b = iclamp(cvtt(L + c1 * F(2.2179f)), 0, 65535) - I(32768);
    }
    QRX_INLINE void pixel(T ys, T c1s, T c2s, T& r, T& g, T& b) {
        const float L = (static_cast<float>(ys) + 32768.0f) * 1.3584f;
        const float c1 = static_cast<float>(c1s) - 7324.0f, c2 = static_cast<float>(c2s) - 2441.0f;
        r = static_cast<T>(iclamp(cvtt(L + c2 * 1.8215f), 0, 65535) - 32768);
        g = static_cast<T>(iclamp(cvtt((L - (c1 * 2.2179f) * 0.194f) - (c2 * 1.8215f) * 0.509f), 0, 65535) - 32768);
        b = static_cast<T>(iclamp(cvtt(L + c1 * 2.2179f), 0, 65535) - 32768);
    }
};

// ================================ 32f =========================================
struct RgbToYcc32f {
    using T = float;
    using Out = F;
    QRX_INLINE void group(F R, F G, F B, F& y, F& c1, F& c2) {
        const F yl = (F(0.299f) * R + F(0.587f) * G) + F(0.114f) * B;
        y = yl * F(0.7132668f);
        c1 = (B - yl) * F(0.43686f) + F(0.6117647f);
        c2 = (R - yl) * F(0.53192f) + F(0.5372549f);
    }
    QRX_INLINE void pixel(float R, float G, float B, float& y, float& c1, float& c2) {
        const float yl = (0.299f * R + 0.587f * G) + 0.114f * B;
        y = yl * 0.7132668f;
        c1 = (B - yl) * 0.43686f + 0.6117647f;
        c2 = (R - yl) * 0.53192f + 0.5372549f;
    }
};

struct YccToRgb32f {
    using T = float;
    using Out = F;
    QRX_INLINE F unit(F v) { return vmin(vmax(v, F(0.0f)), F(1.0f)); }
    QRX_INLINE float unit(float v) { return vmin(vmax(v, 0.0f), 1.0f); }
    QRX_INLINE void group(F Y, F C1, F C2, F& r, F& g, F& b) {
        const F L = Y * F(1.3584f);
        const F c1 = (C1 - F(0.6117647f)) * F(2.2179f);
        const F c2 = (C2 - F(0.5372549f)) * F(1.8215f);
        r = unit(L + c2);
        g = unit((L - F(0.194f) * c1) - c2 * F(0.509f));
        b = unit(L + c1);
    }
    QRX_INLINE void pixel(float Y, float C1, float C2, float& r, float& g, float& b) {
        const float L = Y * 1.3584f;
        const float c1 = (C1 - 0.6117647f) * 2.2179f;
        const float c2 = (C2 - 0.5372549f) * 1.8215f;
        r = unit(L + c2);
        g = unit((L - 0.194f * c1) - c2 * 0.509f);
        b = unit(L + c1);
    }
};

}  // namespace
}  // namespace qrx::hlsycc::QRX_LEVEL
