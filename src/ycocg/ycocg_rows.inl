// YCoCg row kernels, compiled once per CPU level.  The loops are plain
// integer code; the compiler vectorises them at each level with the same
// results (the transform has no position-dependent recipe).
#include <cstdint>

#include "ycocg/ycocg_kernels.h"
#include "ycocg/ycocg_recipes.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSSE3__)
#define QRX_YCOCG_SIMD 1
#include "core/simd_x86.h"
#endif

namespace qrx::ycocg::QRX_LEVEL {
namespace {

// Forward: Pix is the BGR sample type, Out the plane type, W the working width.
template <class Pix, class Out, int CH, bool REV, class W>
void forward_row(const void* bgr, void* y, void* co, void* cg, int n) {
    const Pix* __restrict s = static_cast<const Pix*>(bgr);
    Out* __restrict py = static_cast<Out*>(y);
    Out* __restrict pco = static_cast<Out*>(co);
    Out* __restrict pcg = static_cast<Out*>(cg);
    for (int i = 0; i < n; ++i) {
        const Yc v = REV ? rev_forward<W>(s[CH * i], s[CH * i + 1], s[CH * i + 2])
                         : plain_forward<W>(s[CH * i], s[CH * i + 1], s[CH * i + 2]);
        py[i] = store<Out>(v.y);
        pco[i] = store<Out>(v.co);
        pcg[i] = store<Out>(v.cg);
    }
}

// Inverse: In is the plane type, Pix the BGR sample type; CH == 4 writes alpha.
template <class In, class Pix, int CH, bool REV, class W>
void inverse_row(const void* y, const void* co, const void* cg, void* bgr, int n, int alpha) {
    const In* __restrict py = static_cast<const In*>(y);
    const In* __restrict pco = static_cast<const In*>(co);
    const In* __restrict pcg = static_cast<const In*>(cg);
    Pix* __restrict d = static_cast<Pix*>(bgr);
    for (int i = 0; i < n; ++i) {
        const Bgr v = REV ? rev_inverse<W>(py[i], pco[i], pcg[i]) : plain_inverse<W>(py[i], pco[i], pcg[i]);
        d[CH * i] = store<Pix>(v.b);
        d[CH * i + 1] = store<Pix>(v.g);
        d[CH * i + 2] = store<Pix>(v.r);
        if constexpr (CH == 4) d[CH * i + 3] = static_cast<Pix>(alpha);
    }
}

using u8 = std::uint8_t;
using s16 = std::int16_t;
using s32 = std::int32_t;

#if QRX_YCOCG_SIMD
// 8-bit BGR <-> 16-bit planes on 16-bit lanes: the 16-bit wrap of the
// transform is the lanes' own wrap, and the 0..255 clamp is the pack.
#if defined(__AVX2__)
using Vec = qrx::simd::V256;
#else
using Vec = qrx::simd::V128;
#endif

template <int CH, bool REV>
void forward_8u_row(const void* bgr, void* y, void* co, void* cg, int n) {
    const u8* s = static_cast<const u8*>(bgr);
    s16 *py = static_cast<s16*>(y), *pco = static_cast<s16*>(co), *pcg = static_cast<s16*>(cg);
    int i = 0;
    for (; i + Vec::kLanes16 <= n; i += Vec::kLanes16) {
        Vec::T b, g, r;
        if constexpr (CH == 3) qrx::simd::load_c3<Vec>(s + 3 * i, b, g, r);
        else qrx::simd::load_c4<Vec>(s + 4 * i, b, g, r);
        if constexpr (REV) {
            const auto vco = Vec::sub16(r, b);
            const auto t = Vec::add16(b, Vec::srai16(vco, 1));
            const auto vcg = Vec::sub16(g, t);
            Vec::store(py + i, Vec::add16(t, Vec::srai16(vcg, 1)));
            Vec::store(pco + i, vco);
            Vec::store(pcg + i, vcg);
        } else {
            const auto g2 = Vec::add16(g, g), two = Vec::set16(2);
            Vec::store(py + i, Vec::srai16(Vec::add16(Vec::add16(r, g2), Vec::add16(b, two)), 2));
            Vec::store(pco + i, Vec::srai16(Vec::add16(Vec::sub16(r, b), Vec::set16(1)), 1));
            Vec::store(pcg + i, Vec::srai16(Vec::add16(Vec::sub16(Vec::sub16(g2, r), b), two), 2));
        }
    }
    forward_row<u8, s16, CH, REV, Wrap16>(s + CH * i, py + i, pco + i, pcg + i, n - i);
}

template <int CH, bool REV>
void inverse_8u_row(const void* y, const void* co, const void* cg, void* bgr, int n, int alpha) {
    const s16 *py = static_cast<const s16*>(y), *pco = static_cast<const s16*>(co), *pcg = static_cast<const s16*>(cg);
    u8* d = static_cast<u8*>(bgr);
    int i = 0;
    for (; i + Vec::kLanes16 <= n; i += Vec::kLanes16) {
        const auto vy = Vec::load(py + i), vco = Vec::load(pco + i), vcg = Vec::load(pcg + i);
        Vec::T b, g, r;
        if constexpr (REV) {
            const auto t = Vec::sub16(vy, Vec::srai16(vcg, 1));
            g = Vec::add16(vcg, t);
            b = Vec::sub16(t, Vec::srai16(vco, 1));
            r = Vec::add16(b, vco);
        } else {
            g = Vec::add16(vy, vcg);
            b = Vec::sub16(Vec::sub16(vy, vco), vcg);
            r = Vec::sub16(Vec::add16(vy, vco), vcg);
        }
        if constexpr (CH == 3) qrx::simd::store_c3<Vec>(d + 3 * i, b, g, r);
        else qrx::simd::store_c4<Vec>(d + 4 * i, b, g, r, false, static_cast<u8>(alpha));
    }
    inverse_row<s16, u8, CH, REV, Wrap16>(py + i, pco + i, pcg + i, d + CH * i, n - i, alpha);
}
#endif

// Working widths per function: 8-bit input is exact in 16 bits (Wrap16 never
// wraps there); signed 16-bit forward to 16-bit planes computes in 32 bits
// and keeps the low 16 bits; the lifting on 16-bit planes wraps every step.
#if QRX_YCOCG_SIMD
template <int CH, bool REV>
constexpr ForwardRow kForward8u = forward_8u_row<CH, REV>;
template <int CH, bool REV>
constexpr InverseRow kInverse8u = inverse_8u_row<CH, REV>;
#else
template <int CH, bool REV>
constexpr ForwardRow kForward8u = forward_row<u8, s16, CH, REV, Wrap16>;
template <int CH, bool REV>
constexpr InverseRow kInverse8u = inverse_row<s16, u8, CH, REV, Wrap16>;
#endif

template <bool REV>
constexpr ForwardRow kForward[kForwardCount] = {
    kForward8u<3, REV>,
    kForward8u<4, REV>,
    forward_row<s16, s16, 3, REV, std::conditional_t<REV, Wrap16, Wrap32>>,
    forward_row<s16, s16, 4, REV, std::conditional_t<REV, Wrap16, Wrap32>>,
    forward_row<s16, s32, 3, REV, Wrap32>,
    forward_row<s16, s32, 4, REV, Wrap32>,
};
template <bool REV>
constexpr InverseRow kInverse[kInverseCount] = {
    kInverse8u<3, REV>,                    kInverse8u<4, REV>,
    inverse_row<s16, s16, 3, REV, Wrap16>, inverse_row<s16, s16, 4, REV, Wrap16>,
    inverse_row<s32, s16, 3, REV, Wrap32>, inverse_row<s32, s16, 4, REV, Wrap32>,
};

}  // namespace

extern const Kernels kTable = {
    {{kForward<false>[0], kForward<false>[1], kForward<false>[2], kForward<false>[3], kForward<false>[4], kForward<false>[5]},
     {kForward<true>[0], kForward<true>[1], kForward<true>[2], kForward<true>[3], kForward<true>[4], kForward<true>[5]}},
    {{kInverse<false>[0], kInverse<false>[1], kInverse<false>[2], kInverse<false>[3], kInverse<false>[4], kInverse<false>[5]},
     {kInverse<true>[0], kInverse<true>[1], kInverse<true>[2], kInverse<true>[3], kInverse<true>[4], kInverse<true>[5]}},
};

}  // namespace qrx::ycocg::QRX_LEVEL
