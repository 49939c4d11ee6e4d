// Vector bodies of the 4:2:2, 4:2:0 and 4:1:1 conversions, compiled once per
// CPU level (the including file defines QRX_LEVEL; the scalar file also defines
// QRX_LEVEL_SCALAR).  The generic loops below are the reference; levels with
// hand-written paths (chroma_simd.inl) replace some of them with the same bytes.
#include <algorithm>
#include <cstring>

#include "ycbcr/chroma_access.h"
#include "ycbcr/chroma_kernels.h"
#include "ycbcr/chroma_recipes.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#include "core/byte_table.h"
#include "core/lane_quads_x86.h"
#include "core/packed16_x86.h"
#include "core/pixel_bytes_x86.h"
#include "core/pixel_dwords_x86.h"
#include "core/row_order_x86.h"
#include "core/sample_words_x86.h"
#include "core/simd_x86.h"
#endif

namespace qrx::ycbcr_sub::QRX_LEVEL {
namespace {

using namespace qrx::ycbcr::chroma;
using qrx::ycbcr::fp_y;
using qrx::ycbcr::i13r;
using qrx::ycbcr::i13t;

// ---- generic bodies ----------------------------------------------------------------

template <Px L, bool CbFirst, YFn Y, YFn CB, YFn CR>
void g_pix_packed(const u8* s, u8* d, int n) {
    fwd_pairs<Y, Y, CB, CR>(scalar_in<L>(s), PackedOut<CbFirst>{d}, 0, n);
}

[[maybe_unused]] void g_planes_packed_fp_p17(const u8* r, const u8* g, const u8* b, u8* d, int n) {
    fwd_pairs<fp_y, fp_y, p17_cb, p17_cr>(PlanesIn{r, g, b}, PackedOut<false>{d}, 0, n);
}

template <Px L>
void g_bgr_p3_y15_p11(const u8* s, u8* y, u8* cb, u8* cr, int n) {
    fwd_pairs<y15, y15, p11_cb, p11_cr>(scalar_in<L>(s), Planes422Out{y, cb, cr}, 0, n);
}

[[maybe_unused]] void g_tap3(const u8* s, u8* d, int n, const u8* curve) { tap3_pairs(PixIn<3, false>{s}, d, n, curve); }

template <bool CbFirst, int DC, bool BGR, RgbFn R>
void g_packed_pix(const u8* s, u8* d, int n, u8 alpha) {
    inv_pairs<R>(PackedIn<CbFirst>{s}, PixOut<DC, BGR>{d, alpha}, 0, n);
}

[[maybe_unused]] void g_yuy_p3_i13t(const u8* s, u8* r, u8* g, u8* b, int n) {
    inv_pairs<i13t>(PackedIn<false>{s}, PlanesOut{r, g, b}, 0, n);
}

template <int Shift, int DC, bool BGR, RgbFn R>
void g_sub_planes_pix(const u8* y, const u8* cb, const u8* cr, u8* d, int n, u8 alpha) {
    inv_pixels<R>(SubPlanesIn<Shift>{y, cb, cr}, PixOut<DC, BGR>{d, alpha}, 0, n);
}

template <Px L>
void g_bgr_420_y15_q11(const u8* s0, const u8* s1, u8* y0, u8* y1, u8* cb, u8* cr, int n) {
    fwd_blocks_420<y15, q11_cb, q11_cr>(scalar_in<L>(s0), scalar_in<L>(s1), y0, y1, cb, cr, 0, n);
}

[[maybe_unused]] void g_rgb_c3_420_y12_q12(const u8* s0, const u8* s1, u8* y0, u8* y1, u8* cb, u8* cr, int n) {
    fwd_blocks_420<y12, q12_cb, q12_cr>(PixIn<3, false>{s0}, PixIn<3, false>{s1}, y0, y1, cb, cr, 0, n);
}

template <Px L>
void g_bgr_411_y15_q11(const u8* s, u8* y, u8* cb, u8* cr, int n) {
    fwd_groups_411<y15, q11_cb, q11_cr>(scalar_in<L>(s), y, cb, cr, 0, n);
}

}  // namespace

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#include "ycbcr/chroma_simd.inl"
#else
namespace {
// Without hand-written paths every entry is its generic body.
constexpr PixToPackedFn k_rgb_c3_yuy_fp_p17 = g_pix_packed<Px::Rgb3, false, fp_y, p17_cb, p17_cr>;
constexpr PixToPackedFn k_bgr_c3_yuy_y15_p11 = g_pix_packed<Px::Bgr3, false, y15, p11_cb, p11_cr>;
constexpr PixToPackedFn k_bgr_ac4_yuy_y15_p11 = g_pix_packed<Px::Bgr4, false, y15, p11_cb, p11_cr>;
constexpr PixToPlanesFn k_bgr_c3_p3_y15_p11 = g_bgr_p3_y15_p11<Px::Bgr3>;
constexpr PixToPlanesFn k_bgr_ac4_p3_y15_p11 = g_bgr_p3_y15_p11<Px::Bgr4>;
constexpr PixToPackedFn k_bgr_ac4_uyvy_y15_p10 = g_pix_packed<Px::Bgr4, true, y15, p10_cb, p10_cr>;
constexpr PixToPackedFn k_bgr_ac4_uyvy_y15_p10_a = k_bgr_ac4_uyvy_y15_p10;
constexpr PackedToPixFn k_yuy_rgb_c3_i13t = g_packed_pix<false, 3, false, i13t>;
constexpr PackedToPixFn k_yuy_bgr_c3_i13r = g_packed_pix<false, 3, true, i13r>;
constexpr PackedToPixFn k_yuy_bgr_c4_i12 = g_packed_pix<false, 4, true, i12>;
constexpr PackedToPixFn k_uyvy_rgb_c3_i13r = g_packed_pix<true, 3, false, i13r>;
constexpr PackedToPixFn k_uyvy_bgr_c4_i13r = g_packed_pix<true, 4, true, i13r>;
constexpr PackedToPixFn k_uyvy_bgr_c4_i13r_a = k_uyvy_bgr_c4_i13r;
constexpr RowPairTo420Fn k_rgb_c3_420_y12_q12 = g_rgb_c3_420_y12_q12;
constexpr RowPairTo420Fn k_bgr_c3_420_y15_q11 = g_bgr_420_y15_q11<Px::Bgr3>;
constexpr RowPairTo420Fn k_bgr_ac4_420_y15_q11 = g_bgr_420_y15_q11<Px::Bgr4>;
constexpr PlanesToPixFn k_p420_rgb_c3_i12 = g_sub_planes_pix<1, 3, false, i12>;
constexpr PlanesToPixFn k_p420_bgr_c3_i12 = g_sub_planes_pix<1, 3, true, i12>;
constexpr PixToPlanesFn k_bgr_c3_411_y15_q11 = g_bgr_411_y15_q11<Px::Bgr3>;
constexpr PixToPlanesFn k_bgr_ac4_411_y15_q11 = g_bgr_411_y15_q11<Px::Bgr4>;
constexpr PlanesToPackedFn k_rgb_p3_yuy_fp_p17 = g_planes_packed_fp_p17;
constexpr PackedToPlanesFn k_yuy_rgb_p3_i13t = g_yuy_p3_i13t;
constexpr PlanesToPixFn k_p3_422_rgb_c3_i13r = g_sub_planes_pix<1, 3, false, i13r>;
constexpr PlanesToPixFn k_p411_bgr_c3_i13t = g_sub_planes_pix<2, 3, true, i13t>;
constexpr PlanesToPixFn k_p411_bgr_c4_i13t = g_sub_planes_pix<2, 4, true, i13t>;
constexpr Tap3Fn k_rgb_c3_uyvy_tap3 = g_tap3;
constexpr PixToPackedFn k_bgr565_yuy = g_pix_packed<Px::Bgr565, false, y15, p11_cb, p11_cr>;
constexpr PixToPackedFn k_bgr555_yuy = g_pix_packed<Px::Bgr555, false, y15, p11_cb, p11_cr>;
constexpr PixToPlanesFn k_bgr565_p3 = g_bgr_p3_y15_p11<Px::Bgr565>;
constexpr PixToPlanesFn k_bgr555_p3 = g_bgr_p3_y15_p11<Px::Bgr555>;
constexpr RowPairTo420Fn k_bgr565_420 = g_bgr_420_y15_q11<Px::Bgr565>;
constexpr RowPairTo420Fn k_bgr555_420 = g_bgr_420_y15_q11<Px::Bgr555>;
constexpr PixToPlanesFn k_bgr565_411 = g_bgr_411_y15_q11<Px::Bgr565>;
constexpr PixToPlanesFn k_bgr555_411 = g_bgr_411_y15_q11<Px::Bgr555>;
}  // namespace
#endif

extern const Kernels kTable = {
    k_rgb_c3_yuy_fp_p17,
    k_rgb_p3_yuy_fp_p17,
    k_bgr_c3_yuy_y15_p11,
    k_bgr_ac4_yuy_y15_p11,
    k_bgr_c3_p3_y15_p11,
    k_bgr_ac4_p3_y15_p11,
    k_bgr_ac4_uyvy_y15_p10,
    k_bgr_ac4_uyvy_y15_p10_a,
    k_rgb_c3_uyvy_tap3,
    k_yuy_rgb_c3_i13t,
    k_yuy_rgb_p3_i13t,
    k_p3_422_rgb_c3_i13r,
    k_yuy_bgr_c3_i13r,
    k_yuy_bgr_c4_i12,
    k_uyvy_rgb_c3_i13r,
    k_uyvy_bgr_c4_i13r,
    k_uyvy_bgr_c4_i13r_a,
    k_rgb_c3_420_y12_q12,
    k_bgr_c3_420_y15_q11,
    k_bgr_ac4_420_y15_q11,
    k_p420_rgb_c3_i12,
    k_p420_bgr_c3_i12,
    k_bgr_c3_411_y15_q11,
    k_bgr_ac4_411_y15_q11,
    k_p411_bgr_c3_i13t,
    k_p411_bgr_c4_i13t,
    k_bgr565_yuy,
    k_bgr555_yuy,
    k_bgr565_p3,
    k_bgr555_p3,
    k_bgr565_420,
    k_bgr555_420,
    k_bgr565_411,
    k_bgr555_411,
};

}  // namespace qrx::ycbcr_sub::QRX_LEVEL
