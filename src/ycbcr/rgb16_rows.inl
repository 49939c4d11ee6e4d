// Row kernels of the YCbCr to 16-bit packed RGB conversions, compiled once per
// CPU level (the including file defines QRX_LEVEL).  The vector paths compute
// the same 13-bit terms as the scalar recipes, lane by lane, so every level
// writes the same bytes; a kernel's last pixels that do not fill a vector go
// through the scalar recipe.
#include <cstddef>

#include "ycbcr/rgb16_format.h"
#include "ycbcr/rgb16_kernels.h"
#include "ycbcr/rgb16_recipes.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#define QRX_RGB16_VECTOR 1
#include "ycbcr/rgb16_vector.h"
#endif

namespace qrx::rgb16::QRX_LEVEL {
namespace {

using ycbcr::i13s;

// Per-pixel packers: plain truncation, or the dither at (x, row).
template <Format F, bool SwapRB>
struct PlainPx {
    static constexpr Format kFormat = F;
    static constexpr bool kSwapRB = SwapRB;
    static constexpr bool kDither = false;
    static u16 px(const Rgb& c, int, int) { return pack<F, SwapRB>(c.r, c.g, c.b); }
};
template <Format F, bool SwapRB>
struct DitherPx {
    static constexpr Format kFormat = F;
    static constexpr bool kSwapRB = SwapRB;
    static constexpr bool kDither = true;
    static u16 px(const Rgb& c, int x, int row) { return pack_dither<F, SwapRB>(c.r, c.g, c.b, x, row); }
};

// ---- scalar loops, from pixel i to n ----------------------------------------

template <class Px>
void c3_from(const u8* __restrict s, u16* __restrict d, int i, int n, int row) {
    for (; i < n; ++i) {
        const u8* p = s + 3 * static_cast<std::ptrdiff_t>(i);
        d[i] = Px::px(i13u(p[0], p[1], p[2]), i, row);
    }
}

// YCbCr422 packed: Y0 Cb Y1 Cr per pair; i and n even.
template <class Px>
void c2_from(const u8* __restrict s, u16* __restrict d, int i, int n, int row) {
    for (; i + 1 < n; i += 2) {
        const u8* p = s + 2 * static_cast<std::ptrdiff_t>(i);
        d[i] = Px::px(i13u(p[0], p[1], p[3]), i, row);
        d[i + 1] = Px::px(i13u(p[2], p[1], p[3]), i + 1, row);
    }
}

template <class Px, int Shift, Rgb (*Recipe)(int, int, int)>
void planes_from(const u8* __restrict y, const u8* __restrict cb, const u8* __restrict cr, u16* __restrict d, int i,
                 int n, int row) {
    for (; i < n; ++i) d[i] = Px::px(Recipe(y[i], cb[i >> Shift], cr[i >> Shift]), i, row);
}

// ---- kernels: vector blocks from pixel 0 where the level has them, then scalar

template <class Px>
void c3_kernel(const u8* s, u16* d, int n, int row) {
    int i = 0;
#ifdef QRX_RGB16_VECTOR
    i = vec::c3<Px>(s, d, n, row);
#endif
    c3_from<Px>(s, d, i, n, row);
}

template <class Px>
void c2_kernel(const u8* s, u16* d, int n, int row) {
    int i = 0;
#ifdef QRX_RGB16_VECTOR
    i = vec::c2<Px>(s, d, n, row);
#endif
    c2_from<Px>(s, d, i, n, row);
}

template <class Px, int Shift, bool Round>
void planes_kernel(const u8* y, const u8* cb, const u8* cr, u16* d, int n, int row) {
    int i = 0;
#ifdef QRX_RGB16_VECTOR
    i = vec::planes<Px, Shift, Round>(y, cb, cr, d, n, row);
#endif
    planes_from<Px, Shift, Round ? i13s : i13u>(y, cb, cr, d, i, n, row);
}

// Two luma rows over one chroma row (a 4:2:0 row pair); row0 is the first row's
// number mod 4.  Vector blocks take both rows; each row is then finished alone
// from a multiple of 16 pixels, which keeps its dither phase.
template <class Px>
void planes_two_rows_kernel(const u8* y0, const u8* y1, const u8* cb, const u8* cr, u16* d0, u16* d1, int n,
                            int row0) {
    int i = 0;
#ifdef QRX_RGB16_VECTOR
    i = vec::planes_two_rows<Px>(y0, y1, cb, cr, d0, d1, n, row0);
#endif
    const int c = i >> 1;
    planes_kernel<Px, 1, false>(y0 + i, cb + c, cr + c, d0 + i, n - i, row0);
    planes_kernel<Px, 1, false>(y1 + i, cb + c, cr + c, d1 + i, n - i, (row0 + 1) & 3);
}

template <Format F, bool SwapRB>
constexpr FormatKernels format_kernels() {
    using P = PlainPx<F, SwapRB>;
    using D = DitherPx<F, SwapRB>;
    return {c3_kernel<P>,
            c3_kernel<D>,
            c2_kernel<P>,
            c2_kernel<D>,
            planes_kernel<P, 0, false>,
            planes_kernel<D, 0, false>,
            planes_kernel<P, 1, false>,
            planes_kernel<D, 1, false>,
            planes_two_rows_kernel<P>,
            planes_two_rows_kernel<D>,
            planes_kernel<P, 2, true>};
}

}  // namespace

extern const Kernels kTable = {{
    {format_kernels<Format::k565, false>(), format_kernels<Format::k565, true>()},
    {format_kernels<Format::k555, false>(), format_kernels<Format::k555, true>()},
    {format_kernels<Format::k444, false>(), format_kernels<Format::k444, true>()},
}};

}  // namespace qrx::rgb16::QRX_LEVEL
