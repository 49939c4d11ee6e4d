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
QRX_INLINE int pair16(int lo, int hi) {
    return static_cast<int>((static_cast<unsigned>(lo) & 0xFFFFu) | (static_cast<unsigned>(hi) << 16));
}
template <bool kInverse>
QRX_INLINE __m128i xyz8_sums(__m128i rg, __m128i b, int row) {
    static constexpr int kFwd[3][3] = {{13515, 11717, 5912}, {6969, 23434, 2365}, {634, 3906, 31137}};
    static constexpr int kInv[3][3] = {{26546, -12591, -4083}, {-7939, 15368, 340}, {456, -1671, 8661}};
    const int(*k)[3] = kInverse ? kInv : kFwd;
    const __m128i s = _mm_add_epi32(_mm_madd_epi16(rg, _mm_set1_epi32(pair16(k[row][0], k[row][1]))),
                                    _mm_madd_epi16(b, _mm_set1_epi32(pair16(k[row][2], 0))));
    return _mm_srai_epi32(s, kInverse ? 13 : 15);
}
// Four pixels (rg, b lanes) to four byte triples in 32-bit lanes (byte 3 zero).
template <bool kInverse>
QRX_INLINE __m128i xyz8_four(__m128i rg, __m128i b) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i p0 = xyz8_sums<kInverse>(rg, b, 0), p1 = xyz8_sums<kInverse>(rg, b, 1),
                  p2 = xyz8_sums<kInverse>(rg, b, 2);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(p0, p1), _mm_packs_epi32(p2, zero));
    const __m128i t01 = _mm_unpacklo_epi8(bytes, _mm_srli_si128(bytes, 4));
    const __m128i t2 = _mm_unpacklo_epi8(_mm_srli_si128(bytes, 8), zero);
    return _mm_unpacklo_epi16(t01, t2);
}

// AC4: groups of 4; the destination's fourth bytes are kept.
template <bool kInverse>
void xyz8_group_ac4(const void* sv, void* dv, int n) {
    const u8* s = static_cast<const u8*>(sv);
    u8* d = static_cast<u8*>(dv);
    const __m128i lo = _mm_set1_epi32(0xFF), mid = _mm_set1_epi32(0xFF0000), alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (int i = 0; i < n; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4 * i));
        const __m128i rg = _mm_or_si128(_mm_and_si128(v, lo), _mm_and_si128(_mm_slli_epi32(v, 8), mid));
        const __m128i b = _mm_and_si128(_mm_srli_epi32(v, 16), lo);
        const __m128i px = xyz8_four<kInverse>(rg, b);
        __m128i* out = reinterpret_cast<__m128i*>(d + 4 * i);
        _mm_storeu_si128(out, _mm_or_si128(px, _mm_and_si128(_mm_loadu_si128(out), alpha)));
    }
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
        const __m256i v = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), 1);
        // lane 0: pixels 0..3 from byte 0; lane 1: pixels 4..7 from byte 4
        const __m256i krg = _mm256_setr_epi8(0, -1, 1, -1, 3, -1, 4, -1, 6, -1, 7, -1, 9, -1, 10, -1,  //
                                             4, -1, 5, -1, 7, -1, 8, -1, 10, -1, 11, -1, 13, -1, 14, -1);
        const __m256i kb = _mm256_setr_epi8(2, -1, -1, -1, 5, -1, -1, -1, 8, -1, -1, -1, 11, -1, -1, -1,  //
                                            6, -1, -1, -1, 9, -1, -1, -1, 12, -1, -1, -1, 15, -1, -1, -1);
        const __m256i rg = _mm256_shuffle_epi8(v, krg), b = _mm256_shuffle_epi8(v, kb);
        const __m128i px0 = xyz8_four<kInverse>(_mm256_castsi256_si128(rg), _mm256_castsi256_si128(b));
        const __m128i px1 = xyz8_four<kInverse>(_mm256_extracti128_si256(rg, 1), _mm256_extracti128_si256(b, 1));
        const __m128i k3 = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
        const __m128i c0 = _mm_shuffle_epi8(px0, k3), c1 = _mm_shuffle_epi8(px1, k3);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(q), c0);  // bytes 12..15 rewritten below
        _mm_storel_epi64(reinterpret_cast<__m128i*>(q + 12), c1);
        const int last = _mm_cvtsi128_si32(_mm_srli_si128(c1, 8));
        std::memcpy(q + 20, &last, 4);
#else
        alignas(16) std::int32_t rg[8], b[8];
        for (int k = 0; k < 8; ++k) {
            rg[k] = p[3 * k] | (p[3 * k + 1] << 16);
            b[k] = p[3 * k + 2];
        }
        alignas(16) std::uint32_t px[8];
        for (int h = 0; h < 2; ++h)
            _mm_store_si128(reinterpret_cast<__m128i*>(px + 4 * h),
                            xyz8_four<kInverse>(_mm_load_si128(reinterpret_cast<const __m128i*>(rg + 4 * h)),
                                                _mm_load_si128(reinterpret_cast<const __m128i*>(b + 4 * h))));
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
