// Generic row kernels of the 4:4:4 conversions, compiled once per CPU level
// (the including file defines QRX_LEVEL).  Integer recipes vectorise to the
// same bytes at every level.
#include "ycbcr/recipes.h"
#include "ycbcr/ycbcr444_kernels.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSSE3__)
#define QRX_444_SIMD 1
#include "ycbcr/ycbcr444_simd.inl"
#endif

namespace qrx::ycbcr444::QRX_LEVEL {
namespace {

using namespace qrx::ycbcr;

// Pixel-order forward: SC/DC channels per pixel; DC == 4 keeps byte 3.
template <int SC, int DC, Ycc (*Recipe)(int, int, int)>
void fwd_pix(const u8* __restrict s, u8* __restrict d, int n) {
    for (int i = 0; i < n; ++i) {
        const Ycc c = Recipe(s[SC * i], s[SC * i + 1], s[SC * i + 2]);
        d[DC * i] = c.y;
        d[DC * i + 1] = c.cb;
        d[DC * i + 2] = c.cr;
    }
}

template <Ycc (*Recipe)(int, int, int)>
void fwd_planes(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b, u8* __restrict y,
                u8* __restrict cb, u8* __restrict cr, int n) {
    for (int i = 0; i < n; ++i) {
        const Ycc c = Recipe(r[i], g[i], b[i]);
        y[i] = c.y;
        cb[i] = c.cb;
        cr[i] = c.cr;
    }
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
void inv_planes(const u8* __restrict y, const u8* __restrict cb, const u8* __restrict cr, u8* __restrict r,
                u8* __restrict g, u8* __restrict b, int n) {
    for (int i = 0; i < n; ++i) {
        const Rgb c = Recipe(y[i], cb[i], cr[i]);
        r[i] = c.r;
        g[i] = c.g;
        b[i] = c.b;
    }
}

// Planes to pixel order; BGR swaps the first and third bytes, DC == 4 writes alpha.
template <int DC, bool BGR, Rgb (*Recipe)(int, int, int)>
void inv_planes_to_pix(const u8* __restrict y, const u8* __restrict cb, const u8* __restrict cr, u8* __restrict d,
                       int n, u8 alpha) {
    for (int i = 0; i < n; ++i) {
        const Rgb c = Recipe(y[i], cb[i], cr[i]);
        d[DC * i] = BGR ? c.b : c.r;
        d[DC * i + 1] = c.g;
        d[DC * i + 2] = BGR ? c.r : c.b;
        if constexpr (DC == 4) d[DC * i + 3] = alpha;
    }
}

#if QRX_444_SIMD
// Vector prefix of a region, then the same recipe pixel by pixel.
#if defined(__AVX2__)
using Vec = qrx::simd::V256;
#else
using Vec = qrx::simd::V128;
#endif
// AC4 kernels keep a pixel per 32-bit lane: they use the widest registers.
#if defined(__AVX512BW__)
using PixVec = qrx::simd::V512;
#else
using PixVec = Vec;
#endif

void rgb_c3_f15(const u8* s, u8* d, int n) {
    int done;
    f15_c3_vec<Vec>(s, d, n, done);
    fwd_pix<3, 3, f15>(s + 3 * done, d + 3 * done, n - done);
}
void rgb_ac4_f16(const u8* s, u8* d, int n) {
    int done;
    f16_ac4_vec<PixVec>(s, d, n, done);
    fwd_pix<4, 4, f16>(s + 4 * done, d + 4 * done, n - done);
}
void rgb_p3_fp(const u8* r, const u8* g, const u8* b, u8* y, u8* cb, u8* cr, int n) {
    int done;
    fp_planes_vec<Vec>(r, g, b, y, cb, cr, n, done);
    fwd_planes<fp>(r + done, g + done, b + done, y + done, cb + done, cr + done, n - done);
}
void ycc_c3_i13t(const u8* s, u8* d, int n) {
    int done;
    i13t_c3_vec<Vec>(s, d, n, done);
    inv_pix<3, 3, i13t>(s + 3 * done, d + 3 * done, n - done);
}
void ycc_p3_i13t(const u8* y, const u8* cb, const u8* cr, u8* r, u8* g, u8* b, int n) {
    int done;
    i13t_planes_vec<Vec>(y, cb, cr, r, g, b, n, done);
    inv_planes<i13t>(y + done, cb + done, cr + done, r + done, g + done, b + done, n - done);
}
template <Inv13 Form, int DC, bool BGR, Rgb (*Recipe)(int, int, int)>
void planes_to_pix(const u8* y, const u8* cb, const u8* cr, u8* d, int n, u8 alpha) {
    int done = 0, more;
    if constexpr (DC == 4) i13_planes_to_c4_vec<Vec, Form, BGR>(y, cb, cr, d, n, alpha, done);
    i13_planes_to_pix_vec<Vec, Form, DC, BGR>(y + done, cb + done, cr + done, d + DC * done, n - done, alpha, more);
    done += more;
    inv_planes_to_pix<DC, BGR, Recipe>(y + done, cb + done, cr + done, d + DC * done, n - done, alpha);
}
void ycc_ac4_i16a(const u8* s, u8* d, int n) {
    int done;
    i16a_ac4_vec<PixVec>(s, d, n, done);
    inv_pix<4, 4, i16a>(s + 4 * done, d + 4 * done, n - done);
}
#else
constexpr PixFn rgb_c3_f15 = fwd_pix<3, 3, f15>;
constexpr PixFn rgb_ac4_f16 = fwd_pix<4, 4, f16>;
constexpr PlaneFn rgb_p3_fp = fwd_planes<fp>;
constexpr PixFn ycc_c3_i13t = inv_pix<3, 3, i13t>;
constexpr PixFn ycc_ac4_i16a = inv_pix<4, 4, i16a>;
constexpr PlaneFn ycc_p3_i13t = inv_planes<i13t>;
#endif

}  // namespace

#if QRX_444_SIMD
extern const Kernels kTable = {
    rgb_c3_f15,      fwd_pix<3, 3, f16>, rgb_ac4_f16,      rgb_p3_fp,         fwd_planes<f16>,
    ycc_c3_i13t,     inv_pix<3, 3, i16a>, ycc_ac4_i16a,    ycc_p3_i13t,       inv_planes<i16a>,
    planes_to_pix<Inv13::R, 3, false, i13r>, inv_planes_to_pix<3, false, i16b>,
    planes_to_pix<Inv13::R, 3, true, i13r>,  planes_to_pix<Inv13::S, 4, true, i13s>,
};
#else
extern const Kernels kTable = {
    rgb_c3_f15,      fwd_pix<3, 3, f16>, rgb_ac4_f16,      rgb_p3_fp,         fwd_planes<f16>,
    ycc_c3_i13t,     inv_pix<3, 3, i16a>, ycc_ac4_i16a,    ycc_p3_i13t,       inv_planes<i16a>,
    inv_planes_to_pix<3, false, i13r>, inv_planes_to_pix<3, false, i16b>,
    inv_planes_to_pix<3, true, i13r>,  inv_planes_to_pix<4, true, i13s>,
};
#endif

}  // namespace qrx::ycbcr444::QRX_LEVEL
