// Row kernels of the XYZ, LUV and Lab conversions, compiled once per CPU level
// (the including file defines QRX_LEVEL, and QRX_LEVEL_SCALAR for the
// reference level).  Float recipes run in the widest lanes of the level; the
// per-pixel recipes of the pixels after the last whole group always run one
// pixel at a time.
#if !defined(QRX_LEVEL_SCALAR)
#define QRX_XYZ_VECTOR_LANES 1  // the SIMD levels ask xyz_lanes.h for 4- and 8-pixel lanes
#endif
#include <cstdint>
#include <cstring>

#include "core/simd_x86.h"
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

#if defined(QRX_XYZ_VECTOR_LANES) && defined(__SSE2__)
// ---- 8u XYZ grouped recipes with 16-bit multiply-add ----------------------------
// Lanes hold one pixel each: rg = R | G << 16 and b = B as 16-bit pairs, so
// one madd gives R*c0 + G*c1 and another B*c2, exactly as the 32-bit sums of
// G15/G13.  The shifted sums are packed with signed then unsigned saturation:
// for G15 (never negative) that is the limit at 255, for G13 the clamp to
// 0..255.
template <class V, bool kInverse, class T = typename V::T>
QRX_INLINE T xyz8_sums(T rg, T b, int row) {
    static constexpr int kFwd[3][3] = {{13515, 11717, 5912}, {6969, 23434, 2365}, {634, 3906, 31137}};
    static constexpr int kInv[3][3] = {{26546, -12591, -4083}, {-7939, 15368, 340}, {456, -1671, 8661}};
    const int(*k)[3] = kInverse ? kInv : kFwd;
    const T s = V::add32(V::madd(rg, V::pair16(k[row][0], k[row][1])), V::madd(b, V::pair16(k[row][2], 0)));
    return V::srai32(s, kInverse ? 13 : 15);
}
// Four pixels per 128-bit lane (rg, b lanes) to byte triples in 32-bit lanes (byte 3 zero).
template <class V, bool kInverse, class T = typename V::T>
QRX_INLINE T xyz8_four(T rg, T b) {
    const T zero = V::zero();
    const T p0 = xyz8_sums<V, kInverse>(rg, b, 0), p1 = xyz8_sums<V, kInverse>(rg, b, 1),
            p2 = xyz8_sums<V, kInverse>(rg, b, 2);
    const T bytes = V::packus16(V::packs32(p0, p1), V::packs32(p2, zero));
    const T t01 = V::unpacklo8(bytes, V::template bsrli<4>(bytes));
    const T t2 = V::unpacklo8(V::template bsrli<8>(bytes), zero);
    return V::unpacklo16(t01, t2);
}

// AC4: groups of 4 (two at a time where the level has 256 bits); the
// destination's fourth bytes are kept.
template <class V, bool kInverse>
QRX_INLINE void xyz8_ac4_step(const u8* s, u8* d) {
    using T = typename V::T;
    const T lo = V::set32(0xFF), mid = V::set32(0xFF0000), fourth = V::set32(static_cast<int>(0xFF000000u));
    const T v = V::load(s);
    const T rg = V::or_(V::and_(v, lo), V::and_(V::slli32(v, 8), mid));
    const T b = V::and_(V::srli32(v, 16), lo);
    V::store(d, V::or_(xyz8_four<V, kInverse>(rg, b), V::and_(V::load(d), fourth)));
}
template <bool kInverse>
void xyz8_group_ac4(const void* sv, void* dv, int n) {
    const u8* s = static_cast<const u8*>(sv);
    u8* d = static_cast<u8*>(dv);
    int i = 0;
#if defined(__AVX2__)
    for (; i + 8 <= n; i += 8) xyz8_ac4_step<qrx::simd::V256, kInverse>(s + 4 * i, d + 4 * i);
#endif
    for (; i < n; i += 4) xyz8_ac4_step<qrx::simd::V128, kInverse>(s + 4 * i, d + 4 * i);
}

// C3: groups of 8.
template <bool kInverse>
void xyz8_group_c3(const void* sv, void* dv, int n) {
    const u8* s = static_cast<const u8*>(sv);
    u8* d = static_cast<u8*>(dv);
    for (int i = 0; i < n; i += 8) {
        const u8* p = s + 3 * i;
        u8* q = d + 3 * i;
#if defined(__AVX2__)
        qrx::simd::V256::T rg, b;
        qrx::lanes::load_c3_rg_b(p, rg, b);
        qrx::lanes::store_c3_triples(q, xyz8_four<qrx::simd::V256, kInverse>(rg, b));
#else
        using V = qrx::simd::V128;
        alignas(16) std::int32_t rg[8], b[8];
        for (int k = 0; k < 8; ++k) {
            rg[k] = p[3 * k] | (p[3 * k + 1] << 16);
            b[k] = p[3 * k + 2];
        }
        alignas(16) std::uint32_t px[8];
        for (int h = 0; h < 2; ++h) V::store(px + 4 * h, xyz8_four<V, kInverse>(V::load(rg + 4 * h), V::load(b + 4 * h)));
        for (int k = 0; k < 7; ++k) std::memcpy(q + 3 * k, &px[k], 4);  // byte 3 rewritten by the next pixel
        std::memcpy(q + 21, &px[7], 3);
#endif
    }
}
#define QRX_XYZ8_GROUPED(ch, inv) (ch == 3 ? xyz8_group_c3<inv> : xyz8_group_ac4<inv>)
#else
#define QRX_XYZ8_GROUPED(ch, inv) (ch == 3 ? xyz8_fwd_or_inv<3, inv> : xyz8_fwd_or_inv<4, inv>)
#endif

template <int CH, bool kInverse>
void xyz8_fwd_or_inv(const void* s, void* d, int n) {
    if (kInverse)
        xyz8_inv<CH, true>(s, d, n);
    else
        xyz8_fwd<CH, true>(s, d, n);
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
    QRX_XYZ8_GROUPED(3, false), QRX_XYZ8_GROUPED(4, false), xyz8_fwd<3, false>, xyz8_fwd<4, false>,
    QRX_XYZ8_GROUPED(3, true), QRX_XYZ8_GROUPED(4, true), xyz8_inv<3, false>, xyz8_inv<4, false>,
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
