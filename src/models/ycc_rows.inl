// RGB <-> YCC row kernels, compiled once per CPU level (the including file
// defines QRX_LEVEL, and QRX_LEVEL_SCALAR for the reference level).
#include "models/ycc_kernels.h"
#include "models/ycc_recipes.h"

namespace qrx::ycc::QRX_LEVEL {
namespace {

using namespace qrx::hlsycc::QRX_LEVEL;

template <class Op, class T, int CH>
constexpr RowFn pix = convert_row<Op, Pix<T, CH, false>, Pix<T, CH, false>>;

}  // namespace

extern const Kernels kTable = {{
    pix<RgbToYcc8u, u8, 3>,            pix<RgbToYcc8u, u8, 4>,
    pix<YccToRgb8u, u8, 3>,            pix<YccToRgb8u, u8, 4>,
    pix<RgbToYcc16<false>, u16, 3>,    pix<RgbToYcc16<false>, u16, 4>,
    pix<YccToRgb16u, u16, 3>,          pix<YccToRgb16u, u16, 4>,
    pix<RgbToYcc16<true>, s16, 3>,     pix<RgbToYcc16<true>, s16, 4>,
    pix<YccToRgb16s, s16, 3>,          pix<YccToRgb16s, s16, 4>,
    pix<RgbToYcc32f, float, 3>,        pix<RgbToYcc32f, float, 4>,
    pix<YccToRgb32f, float, 3>,        pix<YccToRgb32f, float, 4>,
}};

}  // namespace qrx::ycc::QRX_LEVEL
