// Independent per-pixel model of the YUV conversions for the tests: every
// formula written out with explicit floor divisions in 64-bit arithmetic, and
// the region plans (which pixel gets which form) spelled out per pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace yuvmodel {

using i64 = long long;
inline i64 fdiv(i64 a, i64 b) {  // floor division, b > 0
    i64 q = a / b;
    if ((a % b) != 0 && a < 0) --q;
    return q;
}
inline int cl(i64 v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

struct P3 {
    int a, b, c;
    bool operator==(const P3& o) const { return a == o.a && b == o.b && c == o.c; }
};

// ---- 4:4:4 forward
inline P3 fwd_block(i64 r, i64 g, i64 b) {
    const i64 y = fdiv(fdiv(19595 * r, 256) + fdiv(38469 * g, 256) + fdiv(7471 * b, 256), 256);
    const i64 u = fdiv(fdiv(-4816 * r, 512) + fdiv(-9469 * g, 512) + fdiv(14286 * b, 512), 64) + 128;
    const i64 v = fdiv(fdiv(20152 * r, 512) + fdiv(-16875 * g, 512) + fdiv(-3276 * b, 512), 64) + 128;
    return {static_cast<int>(y), cl(u), cl(v)};
}
inline P3 fwd_rem_c3(i64 r, i64 g, i64 b) {
    const i64 s = fdiv(2 * r * 9798 + 2 * g * 19235, 32768) + fdiv(2 * b * 3736, 32768);
    return {static_cast<int>(fdiv(s, 2)), cl(fdiv((2 * b - s) * 16121, 65536) + 128),
            cl(fdiv((2 * r - s) * 28737, 65536) + 128)};
}
inline P3 fwd_rem_c3p3(i64 r, i64 g, i64 b) {
    const i64 f = 19595 * r + 38470 * g + 7471 * b;
    return {static_cast<int>(fdiv(f, 65536)), cl(fdiv(fdiv(65536 * b - f + 32767, 65536) * 32244, 65536) + 128),
            cl(fdiv(fdiv(65536 * r - f + 32767, 65536) * 57475, 65536) + 128)};
}
inline P3 fwd_rem_p3(i64 r, i64 g, i64 b) {
    return {static_cast<int>(fdiv(19595 * r + 38469 * g + 7471 * b, 65536)),
            cl(fdiv(-4816 * r - 9469 * g + 14286 * b, 32768) + 128), cl(fdiv(20152 * r - 16875 * g - 3276 * b, 32768) + 128)};
}
inline P3 fwd_split(i64 r, i64 g, i64 b) {
    return {static_cast<int>(fdiv(9798 * r + 19235 * g, 32768) + fdiv(3736 * b, 32768)),
            cl(fdiv(-4817 * r - 9470 * g, 32768) + fdiv(14287 * b, 32768) + 128),
            cl(fdiv(20152 * r - 16876 * g, 32768) + fdiv(-3277 * b, 32768) + 128)};
}

// ---- 4:4:4 inverse (arguments Y, U, V)
inline P3 inv_i1(i64 y, i64 u, i64 v) {
    u -= 128;
    v -= 128;
    return {cl(y + fdiv(8 * v * 9339, 65536)), cl(y + fdiv(8 * u * -3228, 65536) + fdiv(8 * v * -4760, 65536)),
            cl(y + fdiv(8 * u * 16646, 65536))};
}
inline P3 inv_i2(i64 y, i64 u, i64 v) {
    u -= 128;
    v -= 128;
    auto t = [](i64 k, i64 x) { return fdiv(64 * x * k, 65536); };
    return {cl(y + fdiv(t(18677, v), 16)), cl(y - fdiv(t(9519, v) + t(6455, u), 16)), cl(y + fdiv(t(16646, u), 8))};
}
// Vector and pair form of the subsampled inverse, also the planes-to-pixel 4:4:4 form.
inline P3 inv_pair(i64 y, i64 u, i64 v) {
    u -= 128;
    v -= 128;
    auto t = [](i64 k, i64 x) { return fdiv(16 * x * k, 65536); };
    return {cl(fdiv(2 * y + t(9338, v), 2)), cl(fdiv(2 * y + t(-3227, u) + t(-4759, v), 2)),
            cl(fdiv(2 * y + t(16645, u), 2))};
}
inline P3 inv_edge(i64 y, i64 u, i64 v) {
    u -= 128;
    v -= 128;
    return {cl(fdiv(65536 * y + 74711 * v, 65536)), cl(fdiv(65536 * y - 38076 * v - 25821 * u, 65536)),
            cl(fdiv(65536 * y + 133169 * u, 65536))};
}
inline P3 inv_odd_packed(i64 y, i64 u, i64 v) {
    u -= 128;
    v -= 128;
    return {cl(fdiv(8192 * y + 9338 * v, 8192)), cl(fdiv(8192 * y - 3227 * u - 4759 * v, 8192)),
            cl(fdiv(8192 * y + 16645 * u, 8192))};
}
inline P3 inv_y16(i64 y, i64 u, i64 v, i64 round) {
    u -= 128;
    v -= 128;
    auto t = [](i64 k, i64 x) { return fdiv(128 * x * k, 65536); };
    return {cl(fdiv(16 * y + t(9338, v) + round, 16)), cl(fdiv(16 * y - t(3227, u) - t(4759, v) + round, 16)),
            cl(fdiv(16 * y + t(16646, u) + round, 16))};
}

// ---- subsampled forward pieces
inline i64 tv(i64 r, i64 g, i64 b) { return fdiv(9798 * r + 19235 * g, 16384) + fdiv(3736 * b, 16384); }
inline i64 t1(i64 r, i64 g, i64 b) { return fdiv(9798 * r + 19235 * g + 3736 * b, 16384); }
inline int cu(i64 du) { return cl(fdiv(du * 16121, 65536) + 128); }
inline int cv(i64 dv) { return cl(fdiv(dv * 28737, 65536) + 128); }
inline i64 qf(i64 r, i64 g, i64 b) { return 19595 * r + 38470 * g + 7471 * b; }

// An RGB image as R, G, B sample vectors (W x H each).
struct Rgb {
    int w, h;
    std::vector<int> r, g, b;
    int R(int x, int y) const { return r[y * w + x]; }
    int G(int x, int y) const { return g[y * w + x]; }
    int B(int x, int y) const { return b[y * w + x]; }
};
struct Yuv {
    int w, h, cw, ch;
    std::vector<int> y, u, v;  // y: w x h; u, v: cw x ch
};

// Forward 4:2:2 (packed or planar destination), model of the whole image.
inline Yuv fwd422(const Rgb& s, bool packed) {
    Yuv o{s.w, s.h, (s.w + 1) / 2, s.h, {}, {}, {}};
    o.y.assign(s.w * s.h, 0);
    o.u.assign(o.cw * o.ch, -1);
    o.v.assign(o.cw * o.ch, -1);
    for (int y = 0; y < s.h; ++y) {
        for (int i = 0; i < s.w / 2; ++i) {
            const int x0 = 2 * i, x1 = x0 + 1;
            const i64 a = tv(s.R(x0, y), s.G(x0, y), s.B(x0, y)), c = tv(s.R(x1, y), s.G(x1, y), s.B(x1, y));
            o.y[y * s.w + x0] = static_cast<int>(fdiv(a, 2));
            o.y[y * s.w + x1] = static_cast<int>(fdiv(c, 2));
            o.u[y * o.cw + i] = cu(s.B(x0, y) + s.B(x1, y) - fdiv(a + c, 2));
            o.v[y * o.cw + i] = cv(s.R(x0, y) + s.R(x1, y) - fdiv(a + c, 2));
        }
        if (s.w & 1) {
            const int x = s.w - 1, i = s.w / 2;
            const i64 R = s.R(x, y), G = s.G(x, y), B = s.B(x, y);
            const i64 t = tv(R, G, B);
            o.y[y * s.w + x] = static_cast<int>(fdiv(t, 2));
            if (packed) {
                o.u[y * o.cw + i] = cl(fdiv((2 * B - t) * 16121, 65536) + 128);  // V not stored
            } else {
                const i64 S = 9798 * R + 19235 * G + 3736 * B;
                o.u[y * o.cw + i] = cl(fdiv(fdiv(32768 * B - S + 16383, 32768) * 16121, 32768) + 128);
                o.v[y * o.cw + i] = cl(fdiv(fdiv(32768 * R - S + 32767, 32768) * 28737, 32768) + 128);
            }
        }
    }
    return o;
}

// Forward 4:2:0, model of the whole image with the region plan per block.
inline Yuv fwd420(const Rgb& s) {
    Yuv o{s.w, s.h, (s.w + 1) / 2, (s.h + 1) / 2, {}, {}, {}};
    o.y.assign(s.w * s.h, 0);
    o.u.assign(o.cw * o.ch, 0);
    o.v.assign(o.cw * o.ch, 0);
    const int vec_pairs = s.w / 16 * 8;
    for (int j = 0; j < o.ch; ++j) {
        for (int i = 0; i < o.cw; ++i) {
            const int x0 = 2 * i, y0 = 2 * j;
            const bool has_x1 = x0 + 1 < s.w, has_y1 = y0 + 1 < s.h;
            if (has_x1 && has_y1) {
                auto T = (i < vec_pairs) ? tv : t1;
                i64 st = 0, sb = 0, sr = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx) {
                        const int x = x0 + dx, y = y0 + dy;
                        const i64 t = T(s.R(x, y), s.G(x, y), s.B(x, y));
                        o.y[y * s.w + x] = static_cast<int>(fdiv(t, 2));
                        st += t;
                        sb += s.B(x, y);
                        sr += s.R(x, y);
                    }
                o.u[j * o.cw + i] = cu(fdiv(sb, 2) - fdiv(st, 4));
                o.v[j * o.cw + i] = cv(fdiv(sr, 2) - fdiv(st, 4));
            } else {
                i64 sf = 0, sb = 0, sr = 0;
                int n = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx) {
                        const int x = x0 + dx, y = y0 + dy;
                        if (x >= s.w || y >= s.h) continue;
                        const i64 f = qf(s.R(x, y), s.G(x, y), s.B(x, y));
                        o.y[y * s.w + x] = static_cast<int>(fdiv(f, 65536));
                        sf += f;
                        sb += s.B(x, y);
                        sr += s.R(x, y);
                        ++n;
                    }
                const int sh = n == 2 ? 131072 : 65536;
                o.u[j * o.cw + i] = cl(fdiv(fdiv(sb * 65536 - sf, 65536) * 32244, sh) + 128);
                o.v[j * o.cw + i] = cl(fdiv(fdiv(sr * 65536 - sf, 65536) * 57475, sh) + 128);
            }
        }
    }
    return o;
}

}  // namespace yuvmodel
