// Row kernels of the XYZ, LUV and Lab conversions, compiled once per CPU level
// (the including file defines QRX_LEVEL, and QRX_XYZ_VECTOR_LANES for the
// SIMD levels).  Float recipes run in the widest lanes of the level; the
// per-pixel recipes of the pixels after the last whole group always run one
// pixel at a time.
#include <cstdint>

#include "models/xyz_kernels.h"
#include "models/xyz_lane_rows.h"
#include "models/xyz_recipes.h"
#include "models/luv_recipes.h"
#include "models/lab_recipes.h"

namespace qrx::xyzlab::QRX_LEVEL {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using s16 = std::int16_t;

#if !defined(QRX_XYZ_VECTOR_LANES)
using Lane = float;
#elif defined(__AVX2__)
using Lane = F8;
#else
using Lane = F4;
#endif

// ---- 8u XYZ, fixed point ------------------------------------------------------
template <int CH, bool kGrouped>
void xyz8_fwd(const void* sv, void* dv, int n) {
    const u8* __restrict s = static_cast<const u8*>(sv);
    u8* __restrict d = static_cast<u8*>(dv);
    for (int i = 0; i < n; ++i) {
        const int r = s[CH * i], g = s[CH * i + 1], b = s[CH * i + 2];
        d[CH * i] = static_cast<u8>(kGrouped ? g15_x(r, g, b) : p16_x(r, g, b));
        d[CH * i + 1] = static_cast<u8>(kGrouped ? g15_y(r, g, b) : p16_y(r, g, b));
        d[CH * i + 2] = static_cast<u8>(kGrouped ? g15_z(r, g, b) : p16_z(r, g, b));
    }
}
template <int CH, bool kGrouped>
void xyz8_inv(const void* sv, void* dv, int n) {
    const u8* __restrict s = static_cast<const u8*>(sv);
    u8* __restrict d = static_cast<u8*>(dv);
    for (int i = 0; i < n; ++i) {
        const int x = s[CH * i], y = s[CH * i + 1], z = s[CH * i + 2];
        d[CH * i] = static_cast<u8>(kGrouped ? g13_r(x, y, z) : p16_r(x, y, z));
        d[CH * i + 1] = static_cast<u8>(kGrouped ? g13_g(x, y, z) : p16_g(x, y, z));
        d[CH * i + 2] = static_cast<u8>(kGrouped ? g13_b(x, y, z) : p16_b(x, y, z));
    }
}

// ---- float recipes through the lanes --------------------------------------------
template <class LaneT, class S, class D, int CH, class Rec>
void lanes(const void* s, void* d, int n) {
    run_lanes<LaneT, CH, CH>(static_cast<const S*>(s), static_cast<D*>(d), n, Rec{});
}

struct XyzFwd16 {
    template <class L>
    auto operator()(L a, L b, L c) const { return xyz_fwd_16(a, b, c); }
};
struct XyzInv16 {
    template <class L>
    auto operator()(L a, L b, L c) const { return xyz_inv_16(a, b, c); }
};
struct XyzFwd32 {
    template <class L>
    auto operator()(L a, L b, L c) const { return xyz_fwd_32f(a, b, c); }
};
struct XyzInv32 {
    template <class L>
    auto operator()(L a, L b, L c) const { return xyz_inv_32f(a, b, c); }
};
struct LuvFwd8 {
    template <class L>
    auto operator()(L a, L b, L c) const { return luv_fwd_8u(a, b, c); }
};
template <bool kRoundIndex, bool kGrouped>
struct LuvFwd16 {
    template <class L>
    auto operator()(L a, L b, L c) const { return luv_fwd_16<kRoundIndex, kGrouped>(a, b, c); }
};
template <bool kGrouped>
struct LuvFwd32 {
    template <class L>
    auto operator()(L a, L b, L c) const { return luv_fwd_32f<kGrouped>(a, b, c); }
};
struct LuvInvG8 {
    template <class L>
    auto operator()(L a, L b, L c) const {
        return luv_inv_grouped<false>(a, b, c, 255.0f, 0.39215687f, 1.3882353f, 1.027451f);
    }
};
struct LuvInvG16 {
    template <class L>
    auto operator()(L a, L b, L c) const {
        return luv_inv_grouped<true>(a, b, c, 65535.0f, 0.0015259022f, 0.0054016938f, 0.0039978637f);
    }
};
struct LuvInvP8 {
    Tri<int> operator()(float a, float b, float c) const { return luv_inv_pixel(a, b, c, 255.0f); }
};
struct LuvInvP16 {
    Tri<int> operator()(float a, float b, float c) const { return luv_inv_pixel(a, b, c, 65535.0f); }
};
struct LuvInv32 {
    template <class L>
    auto operator()(L a, L b, L c) const { return luv_inv_32f(a, b, c); }
};
template <bool k16>
struct LabFwd {
    template <class L>
    auto operator()(L a, L b, L c) const { return lab_fwd<k16>(a, b, c); }
};
template <bool k16>
struct LabInv {
    template <class L>
    auto operator()(L a, L b, L c) const { return lab_inv<k16>(a, b, c); }
};

}  // namespace

extern const Kernels kTable = {
    xyz8_fwd<3, true>, xyz8_fwd<4, true>, xyz8_fwd<3, false>, xyz8_fwd<4, false>,
    xyz8_inv<3, true>, xyz8_inv<4, true>, xyz8_inv<3, false>, xyz8_inv<4, false>,
    lanes<Lane, u16, u16, 3, XyzFwd16>, lanes<Lane, u16, u16, 4, XyzFwd16>,
    lanes<Lane, u16, u16, 3, XyzInv16>, lanes<Lane, u16, u16, 4, XyzInv16>,
    lanes<Lane, s16, s16, 3, XyzFwd16>, lanes<Lane, s16, s16, 4, XyzFwd16>,
    lanes<Lane, s16, s16, 3, XyzInv16>, lanes<Lane, s16, s16, 4, XyzInv16>,
    lanes<Lane, float, float, 3, XyzFwd32>, lanes<Lane, float, float, 4, XyzFwd32>,
    lanes<Lane, float, float, 3, XyzInv32>, lanes<Lane, float, float, 4, XyzInv32>,
    lanes<Lane, u8, u8, 3, LuvFwd8>, lanes<Lane, u8, u8, 4, LuvFwd8>,
    lanes<Lane, u16, u16, 3, LuvFwd16<false, true>>, lanes<Lane, u16, u16, 4, LuvFwd16<false, true>>,
    lanes<float, u16, u16, 3, LuvFwd16<false, false>>, lanes<float, u16, u16, 4, LuvFwd16<false, false>>,
    lanes<Lane, s16, s16, 3, LuvFwd16<true, true>>, lanes<Lane, s16, s16, 4, LuvFwd16<true, true>>,
    lanes<float, s16, s16, 3, LuvFwd16<true, false>>, lanes<float, s16, s16, 4, LuvFwd16<true, false>>,
    lanes<Lane, float, float, 3, LuvFwd32<true>>, lanes<Lane, float, float, 4, LuvFwd32<true>>,
    lanes<float, float, float, 3, LuvFwd32<false>>, lanes<float, float, float, 4, LuvFwd32<false>>,
    lanes<Lane, u8, u8, 3, LuvInvG8>, lanes<Lane, u8, u8, 4, LuvInvG8>,
    lanes<float, u8, u8, 3, LuvInvP8>, lanes<float, u8, u8, 4, LuvInvP8>,
    lanes<Lane, u16, u16, 3, LuvInvG16>, lanes<Lane, u16, u16, 4, LuvInvG16>,
    lanes<float, u16, u16, 3, LuvInvP16>, lanes<float, u16, u16, 4, LuvInvP16>,
    lanes<Lane, s16, s16, 3, LuvInvG16>, lanes<Lane, s16, s16, 4, LuvInvG16>,
    lanes<float, s16, s16, 3, LuvInvP16>, lanes<float, s16, s16, 4, LuvInvP16>,
    lanes<Lane, float, float, 3, LuvInv32>, lanes<Lane, float, float, 4, LuvInv32>,
    lanes<Lane, u8, u8, 3, LabFwd<false>>, lanes<Lane, u8, u16, 3, LabFwd<true>>,
    lanes<Lane, u8, u8, 3, LabInv<false>>, lanes<Lane, u16, u8, 3, LabInv<true>>,
};

}  // namespace qrx::xyzlab::QRX_LEVEL
