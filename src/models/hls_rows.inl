// HLS and HSV row kernels, compiled once per CPU level (the including file
// defines QRX_LEVEL, and QRX_LEVEL_SCALAR for the reference level).
#include "models/hls_kernels.h"
#include "models/hls_recipes.h"

namespace qrx::hls::QRX_LEVEL {
namespace {

using namespace qrx::hlsycc::QRX_LEVEL;

template <class T, int CH>
using Rgb = Pix<T, CH, false>;  // R, G, B (or H, S, V / H, L, S) in order
using Bgr3 = Pix<u8, 3, true>;
using Bgr4 = Pix<u8, 4, true>;
using Hls3 = Pix<u8, 3, false>;
using Hls4 = Pix<u8, 4, false>;
using BgrPlanes = Planes<u8, true>;
using HlsPlanes = Planes<u8, false>;

template <class Op, class T, int CH>
constexpr RowFn pix = convert_row<Op, Rgb<T, CH>, Rgb<T, CH>>;

}  // namespace

extern const Kernels kTable = {{
    pix<RgbToHsv<Kind::u8>, u8, 3>,     pix<RgbToHsv<Kind::u8>, u8, 4>,
    pix<RgbToHsv<Kind::u16>, u16, 3>,   pix<RgbToHsv<Kind::u16>, u16, 4>,
    pix<HsvToRgb<Kind::u8>, u8, 3>,     pix<HsvToRgb<Kind::u8>, u8, 4>,
    pix<HsvToRgb<Kind::u16>, u16, 3>,   pix<HsvToRgb<Kind::u16>, u16, 4>,
    pix<RgbToHls<Kind::u8>, u8, 3>,     pix<RgbToHls<Kind::u8>, u8, 4>,
    pix<RgbToHls<Kind::u16>, u16, 3>,   pix<RgbToHls<Kind::u16>, u16, 4>,
    pix<RgbToHls<Kind::s16>, s16, 3>,   pix<RgbToHls<Kind::s16>, s16, 4>,
    pix<RgbToHls32f, float, 3>,         pix<RgbToHls32f, float, 4>,
    pix<HlsToRgb<Kind::u8>, u8, 3>,     pix<HlsToRgb<Kind::u8>, u8, 4>,
    pix<HlsToRgb<Kind::u16>, u16, 3>,   pix<HlsToRgb<Kind::u16>, u16, 4>,
    pix<HlsToRgb<Kind::s16>, s16, 3>,   pix<HlsToRgb<Kind::s16>, s16, 4>,
    pix<HlsToRgb<Kind::f32>, float, 3>, pix<HlsToRgb<Kind::f32>, float, 4>,
    convert_row<RgbToHls<Kind::u8>, Bgr4, Hls4>,
    convert_row<RgbToHls<Kind::u8>, Bgr3, HlsPlanes>,
    convert_row<RgbToHls<Kind::u8>, BgrPlanes, Hls3>,
    convert_row<RgbToHls<Kind::u8>, BgrPlanes, HlsPlanes>,
    convert_row<RgbToHls<Kind::u8>, BgrPlanes, Hls4>,
    convert_row<RgbToHls<Kind::u8>, Bgr4, HlsPlanes>,
    convert_row<HlsToRgb<Kind::u8>, Hls3, BgrPlanes>,
    convert_row<HlsToRgb<Kind::u8>, HlsPlanes, Bgr3>,
    convert_row<HlsToRgb<Kind::u8>, HlsPlanes, BgrPlanes>,
    convert_row<HlsToRgb<Kind::u8>, HlsPlanes, Bgr4>,
    convert_row<HlsToRgb<Kind::u8>, Hls4, BgrPlanes>,
}};

}  // namespace qrx::hls::QRX_LEVEL
