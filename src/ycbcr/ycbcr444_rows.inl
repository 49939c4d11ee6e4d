// Generic row kernels of the 4:4:4 conversions, compiled once per CPU level
// (the including file defines QRX_LEVEL).  Integer recipes vectorise to the
// same bytes at every level.
#include "ycbcr/recipes.h"
#include "ycbcr/ycbcr444_kernels.h"

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

}  // namespace

extern const Kernels kTable = {
    fwd_pix<3, 3, f15>,        fwd_pix<3, 3, f16>,        fwd_pix<4, 4, f16>,
    fwd_planes<fp>,            fwd_planes<f16>,           inv_pix<3, 3, i13t>,
    inv_pix<3, 3, i16a>,       inv_pix<4, 4, i16a>,       inv_planes<i13t>,
    inv_planes<i16a>,          inv_planes_to_pix<3, false, i13r>, inv_planes_to_pix<3, false, i16b>,
    inv_planes_to_pix<3, true, i13r>, inv_planes_to_pix<4, true, i13s>,
};

}  // namespace qrx::ycbcr444::QRX_LEVEL
