// RGB <-> YCC row kernels, compiled once per CPU level (the including file
// defines QRX_LEVEL, and QRX_LEVEL_SCALAR for the reference level).
#include "models/ycc_kernels.h"
#include "models/ycc_recipes.h"

namespace qrx::ycc::QRX_LEVEL {
namespace {

using namespace qrx::hlsycc::QRX_LEVEL;

// 8u rows: integer recipes, [0, body) grouped, the rest per pixel.
template <class Op, int CH>
void row8(const void* const* src, void* const* dst, int body, int width) {
    const u8* s = static_cast<const u8*>(src[0]);
    u8* d = static_cast<u8*>(dst[0]);
    for (int x = 0; x < body; ++x)
        Op::group(s[CH * x], s[CH * x + 1], s[CH * x + 2], d[CH * x], d[CH * x + 1], d[CH * x + 2]);
    for (int x = body; x < width; ++x)
        Op::pixel(s[CH * x], s[CH * x + 1], s[CH * x + 2], d[CH * x], d[CH * x + 1], d[CH * x + 2]);
}

template <class Op, class T, int CH>
constexpr RowFn pix = convert_row<Op, Pix<T, CH, false>, Pix<T, CH, false>>;

}  // namespace

extern const Kernels kTable = {{
    row8<RgbToYcc8u, 3>,               row8<RgbToYcc8u, 4>,
    row8<YccToRgb8u, 3>,               row8<YccToRgb8u, 4>,
    pix<RgbToYcc16<false>, u16, 3>,    pix<RgbToYcc16<false>, u16, 4>,
    pix<YccToRgb16u, u16, 3>,          pix<YccToRgb16u, u16, 4>,
    pix<RgbToYcc16<true>, s16, 3>,     pix<RgbToYcc16<true>, s16, 4>,
    pix<YccToRgb16s, s16, 3>,          pix<YccToRgb16s, s16, 4>,
    pix<RgbToYcc32f, float, 3>,        pix<RgbToYcc32f, float, 4>,
    pix<YccToRgb32f, float, 3>,        pix<YccToRgb32f, float, 4>,
}};

}  // namespace qrx::ycc::QRX_LEVEL
