// Row kernels of the RGB <-> YUV conversions, compiled once per CPU level (the
// including file defines QRX_LEVEL; the scalar file also defines
// QRX_LEVEL_SCALAR).  The generic loops below are the reference; the vector
// levels replace the hot ones with the width-generic bodies of yuv_simd.inl,
// which compute the same recipes lane by lane.
#include <cstring>
#include <utility>

#include "core/unaligned.h"
#include "ycbcr/bgr16_unpack.h"
#include "ycbcr/rgb16_format.h"
#include "yuv/yuv_kernels.h"
#include "yuv/yuv_recipes.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#define QRX_YUV_SIMD 1
#include "core/packed16_x86.h"
#include "core/pixel_bytes_x86.h"
#include "core/row_order_x86.h"
#else
#define QRX_YUV_SIMD 0
#endif

namespace qrx::yuv::QRX_LEVEL {
namespace {

// ---- 4:4:4 -------------------------------------------------------------------

template <int SC, int DC, Yuv (*Recipe)(int, int, int)>
void fwd_pix(const u8* __restrict s, u8* __restrict d, int n) {
    for (int i = 0; i < n; ++i) {
        const Yuv c = Recipe(s[SC * i], s[SC * i + 1], s[SC * i + 2]);
        d[DC * i] = c.y;
        d[DC * i + 1] = c.u;
        d[DC * i + 2] = c.v;
    }
}

template <Yuv (*Recipe)(int, int, int)>
void fwd_pix_to_planes(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int n) {
    for (int i = 0; i < n; ++i) {
        const Yuv c = Recipe(s[3 * i], s[3 * i + 1], s[3 * i + 2]);
        y[i] = c.y;
        u[i] = c.u;
        v[i] = c.v;
    }
}

// Planar forward: each output plane in its own pass over the row.
void fwd_p3_blk(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b, u8* __restrict y,
                u8* __restrict u, u8* __restrict v, int n) {
    for (int i = 0; i < n; ++i) y[i] = static_cast<u8>(blk_y(r[i], g[i], b[i]));
    for (int i = 0; i < n; ++i) u[i] = clamp255(blk_u(r[i], g[i], b[i]));
    for (int i = 0; i < n; ++i) v[i] = clamp255(blk_v(r[i], g[i], b[i]));
}

template <int SC, int DC, Rgb (*Recipe)(int, int, int)>
void inv_pix(const u8* __restrict s, u8* __restrict d, int n) {
    for (int i = 0; i < n; ++i) {
        const Rgb c = Recipe(s[SC * i], s[SC * i + 1], s[SC * i + 2]);
        d[DC * i] = c.r;
        d[DC * i + 1] = c.g;
        d[DC * i + 2] = c.b;
    }
}

template <Rgb (*Recipe)(int, int, int)>
void inv_planes(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict r,
                u8* __restrict g, u8* __restrict b, int n) {
    for (int i = 0; i < n; ++i) {
        const Rgb c = Recipe(y[i], u[i], v[i]);
        r[i] = c.r;
        g[i] = c.g;
        b[i] = c.b;
    }
}

template <Rgb (*Recipe)(int, int, int)>
void inv_planes_to_c3(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d,
                      int n) {
    for (int i = 0; i < n; ++i) {
        const Rgb c = Recipe(y[i], u[i], v[i]);
        d[3 * i] = c.r;
        d[3 * i + 1] = c.g;
        d[3 * i + 2] = c.b;
    }
}

// ---- 4:2:2 forward (n pairs) ---------------------------------------------------

void fwd422_c3c2(const u8* __restrict s, u8* __restrict d, int n) {
    for (int i = 0; i < n; ++i) {
        const u8* p = s + 6 * i;
        const int t0 = twice_y(p[0], p[1], p[2]), t1 = twice_y(p[3], p[4], p[5]);
        const int st = t0 + t1;
        d[4 * i] = static_cast<u8>(t0 >> 1);
        d[4 * i + 1] = pair_u(p[2] + p[5], st);
        d[4 * i + 2] = static_cast<u8>(t1 >> 1);
        d[4 * i + 3] = pair_v(p[0] + p[3], st);
    }
}

void fwd422_c3p3(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int n) {
    for (int i = 0; i < n; ++i) {
        const u8* p = s + 6 * i;
        const int t0 = twice_y(p[0], p[1], p[2]), t1 = twice_y(p[3], p[4], p[5]);
        const int st = t0 + t1;
        y[2 * i] = static_cast<u8>(t0 >> 1);
        y[2 * i + 1] = static_cast<u8>(t1 >> 1);
        u[i] = pair_u(p[2] + p[5], st);
        v[i] = pair_v(p[0] + p[3], st);
    }
}

// Planar RGB to planar 4:2:2: the forms of the pixel-order member.
void fwd422_p3(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b, u8* __restrict y,
               u8* __restrict u, u8* __restrict v, int n) {
    for (int i = 0; i < n; ++i) {
        const int a = 2 * i, c = 2 * i + 1;
        const int t0 = twice_y(r[a], g[a], b[a]), t1 = twice_y(r[c], g[c], b[c]);
        const int st = t0 + t1;
        y[a] = static_cast<u8>(t0 >> 1);
        y[c] = static_cast<u8>(t1 >> 1);
        u[i] = pair_u(b[a] + b[c], st);
        v[i] = pair_v(r[a] + r[c], st);
    }
}

// ---- 4:2:2 inverse rows (n pairs) ------------------------------------------------

void inv422_c2c3(const u8* __restrict s, u8* __restrict d, int n) {
    for (int i = 0; i < n; ++i) {
        const u8* p = s + 4 * i;
        const Rgb c0 = i3(p[0], p[1], p[3]);
        const Rgb c1 = i3(p[2], p[1], p[3]);
        u8* o = d + 6 * i;
        o[0] = c0.r;
        o[1] = c0.g;
        o[2] = c0.b;
        o[3] = c1.r;
        o[4] = c1.g;
        o[5] = c1.b;
    }
}

// Planes to pixel order with replicated chroma: DC 3 or 4 (alpha 0), BGR swaps.
template <int DC, bool BGR, Rgb (*Recipe)(int, int, int)>
void inv422_p3_to_pix(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d,
                      int n) {
    for (int i = 0; i < 2 * n; ++i) {
        const Rgb c = Recipe(y[i], u[i >> 1], v[i >> 1]);
        d[DC * i] = BGR ? c.b : c.r;
        d[DC * i + 1] = c.g;
        d[DC * i + 2] = BGR ? c.r : c.b;
        if constexpr (DC == 4) d[DC * i + 3] = 0;
    }
}

void inv422_p3(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict r,
               u8* __restrict g, u8* __restrict b, int n) {
    for (int i = 0; i < 2 * n; ++i) {
        const Rgb c = i3(y[i], u[i >> 1], v[i >> 1]);
        r[i] = c.r;
        g[i] = c.g;
        b[i] = c.b;
    }
}

// ---- 4:2:0 forward, vector body (n 2 x 2 blocks) -----------------------------

template <int SC>
QRX_INLINE void quad(const u8* r0, const u8* g0, const u8* b0, const u8* r1, const u8* g1, const u8* b1, u8* y0,
                     u8* y1, u8* u, u8* v, int i) {
    const int a = SC * 2 * i, c = a + SC;
    const int t00 = twice_y(r0[a], g0[a], b0[a]), t01 = twice_y(r0[c], g0[c], b0[c]);
    const int t10 = twice_y(r1[a], g1[a], b1[a]), t11 = twice_y(r1[c], g1[c], b1[c]);
    y0[2 * i] = static_cast<u8>(t00 >> 1);
    y0[2 * i + 1] = static_cast<u8>(t01 >> 1);
    y1[2 * i] = static_cast<u8>(t10 >> 1);
    y1[2 * i + 1] = static_cast<u8>(t11 >> 1);
    const int st = t00 + t01 + t10 + t11;
    u[i] = quad_u(b0[a] + b0[c] + b1[a] + b1[c], st);
    v[i] = quad_v(r0[a] + r0[c] + r1[a] + r1[c], st);
}

void fwd420_c3(const u8* __restrict s0, const u8* __restrict s1, u8* __restrict y0, u8* __restrict y1,
               u8* __restrict u, u8* __restrict v, int n) {
    for (int i = 0; i < n; ++i) quad<3>(s0, s0 + 1, s0 + 2, s1, s1 + 1, s1 + 2, y0, y1, u, v, i);
}

void fwd420_p3(const u8* const r[2], const u8* const g[2], const u8* const b[2], u8* __restrict y0, u8* __restrict y1,
               u8* __restrict u, u8* __restrict v, int n) {
    const u8 *r0 = r[0], *g0 = g[0], *b0 = b[0], *r1 = r[1], *g1 = g[1], *b1 = b[1];
    for (int i = 0; i < n; ++i) quad<1>(r0, g0, b0, r1, g1, b1, y0, y1, u, v, i);
}

// ---- 4:2:0 to 16-bit packed (n pairs of one row) --------------------------------

// The 8-bit values: the truncated 16 x luma form (the plain outputs' form; the
// dithered outputs take it too, their own rounding being ours to pick).
template <rgb16::Format F, bool SwapRB>
void rgb16_plain(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u16* __restrict d, int n) {
    for (int i = 0; i < 2 * n; ++i) {
        const Rgb c = y16t(y[i], u[i >> 1], v[i >> 1]);
        d[i] = rgb16::pack<F, SwapRB>(c.r, c.g, c.b);
    }
}

template <rgb16::Format F, bool SwapRB>
void rgb16_dither(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u16* __restrict d, int n,
                  int x0, int row) {
    for (int i = 0; i < 2 * n; ++i) {
        const Rgb c = y16t(y[i], u[i >> 1], v[i >> 1]);
        d[i] = rgb16::pack_dither<F, SwapRB>(c.r, c.g, c.b, x0 + i, row);
    }
}

// ---- 16-bit packed BGR to 4:2:0 (n 2 x 2 blocks) -----------------------------------

template <bool Is565>
void bgr16_to_420(const u16* __restrict s0, const u16* __restrict s1, u8* __restrict y0, u8* __restrict y1,
                  u8* __restrict u, u8* __restrict v, int n) {
    for (int i = 0; i < n; ++i) {
        int sf = 0, sb = 0, sr = 0;
        const u16* rows[2] = {s0, s1};
        u8* outs[2] = {y0, y1};
        for (int k = 0; k < 2; ++k)
            for (int x = 2 * i; x < 2 * i + 2; ++x) {
                const u16 px = load_unaligned<u16>(rows[k] + x);  // byte-stepped rows
                const ycbcr::Bgr16Widened p = Is565 ? ycbcr::unpack_bgr565(px) : ycbcr::unpack_bgr555(px);
                const int f = q16_f(p.r, p.g, p.b);
                outs[k][x] = bgr16_y(f);
                sf += f;
                sb += p.b;
                sr += p.r;
            }
        u[i] = bgr16_u(sb, sf);
        v[i] = bgr16_v(sr, sf);
    }
}

#if QRX_YUV_SIMD
#include "yuv/yuv_simd.inl"
#endif

}  // namespace

#if QRX_YUV_SIMD
#define QRX_YUV_PICK(generic, simd) simd
#else
#define QRX_YUV_PICK(generic, simd) generic
#endif

extern const Kernels kTable = {
    QRX_YUV_PICK((fwd_pix<3, 3, blk>), simd_fwd_c3_blk),
    QRX_YUV_PICK(fwd_pix_to_planes<blk>, simd_fwd_c3p3_blk),
    QRX_YUV_PICK(fwd_p3_blk, simd_fwd_p3_blk),
    QRX_YUV_PICK((fwd_pix<4, 4, split_ac4>), simd_fwd_ac4_split),
    QRX_YUV_PICK((inv_pix<3, 3, i1>), simd_inv_c3_i1),
    QRX_YUV_PICK((inv_pix<4, 4, i1>), simd_inv_ac4_i1),
    QRX_YUV_PICK(inv_planes<i2>, simd_inv_p3_i2),
    QRX_YUV_PICK(inv_planes_to_c3<i3>, simd_inv_p3c3_i3),
    QRX_YUV_PICK(fwd422_c3c2, simd_fwd422_c3c2),
    QRX_YUV_PICK(fwd422_c3p3, simd_fwd422_c3p3),
    QRX_YUV_PICK(fwd422_p3, simd_fwd422_p3),
    QRX_YUV_PICK(inv422_c2c3, simd_inv422_c2c3),
    QRX_YUV_PICK((inv422_p3_to_pix<3, false, i3>), (simd_inv422_p3_to_pix<3, false, i3>)),
    QRX_YUV_PICK((inv422_p3_to_pix<3, true, i3>), (simd_inv422_p3_to_pix<3, true, i3>)),
    QRX_YUV_PICK((inv422_p3_to_pix<4, false, i3>), (simd_inv422_p3_to_pix<4, false, i3>)),
    QRX_YUV_PICK((inv422_p3_to_pix<4, false, y16r>), (simd_inv422_p3_to_pix<4, false, y16r>)),
    QRX_YUV_PICK(inv422_p3, simd_inv422_p3),
    QRX_YUV_PICK(fwd420_c3, simd_fwd420_c3),
    QRX_YUV_PICK(fwd420_p3, simd_fwd420_p3),
#if QRX_YUV_SIMD
#define QRX_YUV_RGB16(kind) \
    {simd_##kind<rgb16::Format::k565, true>, simd_##kind<rgb16::Format::k565, false>, \
     simd_##kind<rgb16::Format::k555, true>, simd_##kind<rgb16::Format::k555, false>, \
     simd_##kind<rgb16::Format::k444, true>, simd_##kind<rgb16::Format::k444, false>}
#else
#define QRX_YUV_RGB16(kind) \
    {kind<rgb16::Format::k565, true>, kind<rgb16::Format::k565, false>, kind<rgb16::Format::k555, true>, \
     kind<rgb16::Format::k555, false>, kind<rgb16::Format::k444, true>, kind<rgb16::Format::k444, false>}
#endif
    QRX_YUV_RGB16(rgb16_plain),
    QRX_YUV_RGB16(rgb16_dither),
    QRX_YUV_PICK(bgr16_to_420<true>, simd_bgr16_to_420<true>),
    QRX_YUV_PICK(bgr16_to_420<false>, simd_bgr16_to_420<false>),
};

}  // namespace qrx::yuv::QRX_LEVEL
