// Vector forms of the 4:4:4 recipes, on 16-bit lanes (V::kLanes16 pixels per
// step).  Each computes exactly its scalar recipe: the products, floors and
// shifts are the same, only done many pixels at a time.  Included by
// ycbcr444_rows.inl on levels with SSSE3 or more.
#include "core/simd_x86.h"

namespace qrx::ycbcr444::QRX_LEVEL {
namespace {

using namespace qrx::simd;

// AC4 stores: three channels into bytes 0..2 of each 4-byte pixel, byte 3 of
// the destination kept (read back and merged).  A byte-masked AVX-512 store
// avoids the read but measured slower here on 1920x1080 images.
template <class V>
void store_c4_keep(u8* p, typename V::T a, typename V::T b, typename V::T c) {
    // the destination is read for its fourth bytes: ask for it early, or
    // every iteration waits for a cache miss on it
    _mm_prefetch(reinterpret_cast<const char*>(p + 2048), _MM_HINT_T0);
    store_c4<V>(p, a, b, c, true, 0);
}

// ---- forward ---------------------------------------------------------------

// F15 channel: ((floor((c0 R + c1 G) / 2048) + floor(c2 B / 2048)) >> 4) + off.
// The pair term needs 32 bits; the B term is a 16-bit multiply-high of
// (B << 5), which is exactly floor(c2 B / 2048).
template <class V>
typename V::T f15_channel(typename V::T rg_lo, typename V::T rg_hi, typename V::T b5, int c0, int c1, int c2, int off) {
    const auto rg_k = V::pair16(c0, c1);
    const auto pair = V::packs32(V::srai32(V::madd(rg_lo, rg_k), 11), V::srai32(V::madd(rg_hi, rg_k), 11));
    const auto bt = c2 >= 0 ? V::mulhi16u(b5, V::set16(c2)) : V::mulhi16(b5, V::set16(c2));
    return V::add16(V::srai16(V::add16(pair, bt), 4), V::set16(off));
}

template <class V>
void f15_c3_vec(const u8* s, u8* d, int n, int& done) {
    int i = 0;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        typename V::T r, g, b;
        load_c3<V>(s + 3 * i, r, g, b);
        const auto lo = V::unpacklo16(r, g), hi = V::unpackhi16(r, g), b5 = V::slli16(b, 5);
        store_c3<V>(d + 3 * i, f15_channel<V>(lo, hi, b5, 8421, 16515, 3211, 16),
                    f15_channel<V>(lo, hi, b5, -4850, -9535, 14385, 128),
                    f15_channel<V>(lo, hi, b5, 14385, -12059, -2327, 128));
    }
    done = i;
}

// F16 channel: (a R + b G + c B + offset) >> 16, with 33030 G split as two
// 16515 G products so that every coefficient fits a 16-bit multiplier.
template <class V>
typename V::T f16_y_vec(typename V::T r, typename V::T g, typename V::T b) {
    const auto rg_k = V::pair16(16843, 16515), gb_k = V::pair16(16515, 6423), off = V::set32(1081344);
    const auto lo = V::srai32(V::add32(V::add32(V::madd(V::unpacklo16(r, g), rg_k), V::madd(V::unpacklo16(g, b), gb_k)), off), 16);
    const auto hi = V::srai32(V::add32(V::add32(V::madd(V::unpackhi16(r, g), rg_k), V::madd(V::unpackhi16(g, b), gb_k)), off), 16);
    return V::packs32(lo, hi);
}
template <class V>
typename V::T f16_c_vec(typename V::T r, typename V::T g, typename V::T b, int cr, int cg, int cb) {
    const auto rg_k = V::pair16(cr, cg), b_k = V::pair16(cb, 0), off = V::set32(8421376), z = V::zero();
    const auto lo = V::srai32(V::add32(V::add32(V::madd(V::unpacklo16(r, g), rg_k), V::madd(V::unpacklo16(b, z), b_k)), off), 16);
    const auto hi = V::srai32(V::add32(V::add32(V::madd(V::unpackhi16(r, g), rg_k), V::madd(V::unpackhi16(b, z), b_k)), off), 16);
    return V::packs32(lo, hi);
}

template <class V>
void f16_ac4_vec(const u8* s, u8* d, int n, int& done) {
    int i = 0;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        typename V::T r, g, b;
        load_c4<V>(s + 4 * i, r, g, b);
        store_c4_keep<V>(d + 4 * i, f16_y_vec<V>(r, g, b), f16_c_vec<V>(r, g, b, -9699, -19071, 28770),
                         f16_c_vec<V>(r, g, b, 28770, -24117, -4653));
    }
    done = i;
}

// FP: every product floored alone via a multiply-high.  Y uses unsigned
// products of (v << 8) (floor(v k / 256)); Cb and Cr signed products of
// (v << 7) (floor(v k / 512)).
template <class V>
void fp_planes_vec(const u8* r8, const u8* g8, const u8* b8, u8* y8, u8* cb8, u8* cr8, int n, int& done) {
    int i = 0;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        const auto r = load_p<V>(r8 + i), g = load_p<V>(g8 + i), b = load_p<V>(b8 + i);
        const auto r8s = V::slli16(r, 8), g8s = V::slli16(g, 8), b8s = V::slli16(b, 8);
        const auto r7 = V::slli16(r, 7), g7 = V::slli16(g, 7), b7 = V::slli16(b, 7);
        const auto y = V::add16(V::srli16(V::add16(V::add16(V::mulhi16u(r8s, V::set16(16843)), V::mulhi16u(g8s, V::set16(33030))),
                                                   V::mulhi16u(b8s, V::set16(6423))), 8), V::set16(16));
        const auto cb = V::add16(V::srai16(V::add16(V::add16(V::mulhi16(r7, V::set16(-9699)), V::mulhi16(g7, V::set16(-19071))),
                                                    V::mulhi16(b7, V::set16(28770))), 7), V::set16(128));
        const auto cr = V::add16(V::srai16(V::add16(V::add16(V::mulhi16(r7, V::set16(28770)), V::mulhi16(g7, V::set16(-24117))),
                                                    V::mulhi16(b7, V::set16(-4653))), 7), V::set16(128));
        store_p<V>(y8 + i, y);
        store_p<V>(cb8 + i, cb);
        store_p<V>(cr8 + i, cr);
    }
    done = i;
}

// ---- inverse ---------------------------------------------------------------

// T(v, k) = high half of (v << 7) * k.
template <class V>
typename V::T term_vec(typename V::T v7, int k) { return V::mulhi16(v7, V::set16(k)); }

enum class Inv13 { T, R, S };  // I13t, I13r, I13s

template <class V, Inv13 Form>
void i13_vec(typename V::T y, typename V::T cb, typename V::T cr, typename V::T& r, typename V::T& g, typename V::T& b) {
    const auto y7 = V::slli16(V::sub16(y, V::set16(16)), 7);
    const auto cb7 = V::slli16(V::sub16(cb, V::set16(128)), 7);
    const auto cr7 = V::slli16(V::sub16(cr, V::set16(128)), 7);
    if constexpr (Form == Inv13::T) {
        const auto ty = term_vec<V>(y7, 9536);
        r = V::srai16(V::add16(ty, term_vec<V>(cr7, 13074)), 4);
        g = V::srai16(V::add16(V::add16(ty, term_vec<V>(cr7, -6660)), term_vec<V>(cb7, -3203)), 4);
        b = V::srai16(V::add16(ty, term_vec<V>(cb7, 16523)), 4);
    } else {
        const auto ty = V::add16(term_vec<V>(y7, 9535), V::set16(8));
        r = V::srai16(V::add16(ty, term_vec<V>(cr7, 13074)), 4);
        if constexpr (Form == Inv13::R)
            g = V::srai16(V::add16(V::add16(ty, term_vec<V>(cr7, -6660)), term_vec<V>(cb7, -3211)), 4);
        else
            g = V::srai16(V::sub16(V::sub16(ty, term_vec<V>(cr7, 6660)), term_vec<V>(cb7, 3211)), 4);
        b = V::srai16(V::add16(ty, term_vec<V>(cb7, 16523)), 4);
    }
}

template <class V>
void i13t_c3_vec(const u8* s, u8* d, int n, int& done) {
    int i = 0;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        typename V::T y, cb, cr, r, g, b;
        load_c3<V>(s + 3 * i, y, cb, cr);
        i13_vec<V, Inv13::T>(y, cb, cr, r, g, b);
        store_c3<V>(d + 3 * i, r, g, b);
    }
    done = i;
}

template <class V>
void i13t_planes_vec(const u8* y8, const u8* cb8, const u8* cr8, u8* r8, u8* g8, u8* b8, int n, int& done) {
    int i = 0;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        typename V::T r, g, b;
        i13_vec<V, Inv13::T>(load_p<V>(y8 + i), load_p<V>(cb8 + i), load_p<V>(cr8 + i), r, g, b);
        store_p<V>(r8 + i, r);
        store_p<V>(g8 + i, g);
        store_p<V>(b8 + i, b);
    }
    done = i;
}

// Planes to pixel order: DC 3 or 4 bytes per pixel, BGR swaps the outer two.
template <class V, Inv13 Form, int DC, bool BGR>
void i13_planes_to_pix_vec(const u8* y8, const u8* cb8, const u8* cr8, u8* d, int n, u8 alpha, int& done) {
    int i = 0;
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        typename V::T r, g, b;
        i13_vec<V, Form>(load_p<V>(y8 + i), load_p<V>(cb8 + i), load_p<V>(cr8 + i), r, g, b);
        if constexpr (DC == 3)
            store_c3<V>(d + 3 * i, BGR ? b : r, g, BGR ? r : b);
        else
            store_c4<V>(d + 4 * i, BGR ? b : r, g, BGR ? r : b, false, alpha);
    }
    done = i;
}

// I16a: (k0 Y' + k1 C1' [+ k2 C2']) >> 16 with exact 32-bit sums, but no
// 32-bit multiplies: each coefficient is split as k = 8 h + l (h = floor(k / 8),
// 0 <= l < 8, both 16-bit), so k v = l v + h (8 v), and every product pair is
// one 16x16 -> 32 multiply-add.  8 v stays within 16 bits (|v| <= 239).
template <class V>
typename V::T i16a_pair(typename V::T p, typename V::T p8, int k0, int k1) {
    const auto lo = V::pair16(k0 - 8 * (k0 >> 3), k1 - 8 * (k1 >> 3));
    const auto hi = V::pair16(k0 >> 3, k1 >> 3);
    return V::add32(V::madd(p, lo), V::madd(p8, hi));
}

template <class V>
void i16a_ac4_vec(const u8* s, u8* d, int n, int& done) {
    int i = 0;
    const auto z = V::zero();
    for (; i + V::kLanes16 <= n; i += V::kLanes16) {
        typename V::T y, cb, cr;
        load_c4<V>(s + 4 * i, y, cb, cr);
        y = V::sub16(y, V::set16(16));
        cb = V::sub16(cb, V::set16(128));
        cr = V::sub16(cr, V::set16(128));
        const auto y8 = V::slli16(y, 3), cb8 = V::slli16(cb, 3), cr8 = V::slli16(cr, 3);
        typename V::T r[2], g[2], b[2];
        for (int h = 0; h < 2; ++h) {
            const auto ycr = h ? V::unpackhi16(y, cr) : V::unpacklo16(y, cr);
            const auto ycr8 = h ? V::unpackhi16(y8, cr8) : V::unpacklo16(y8, cr8);
            const auto ycb = h ? V::unpackhi16(y, cb) : V::unpacklo16(y, cb);
            const auto ycb8 = h ? V::unpackhi16(y8, cb8) : V::unpacklo16(y8, cb8);
            const auto cb0 = h ? V::unpackhi16(cb, z) : V::unpacklo16(cb, z);
            const auto cb08 = h ? V::unpackhi16(cb8, z) : V::unpacklo16(cb8, z);
            r[h] = V::srai32(i16a_pair<V>(ycr, ycr8, 76284, 104595), 16);
            g[h] = V::srai32(V::add32(i16a_pair<V>(ycr, ycr8, 76284, -53281), i16a_pair<V>(cb0, cb08, -25690, 0)), 16);
            b[h] = V::srai32(i16a_pair<V>(ycb, ycb8, 76284, 132186), 16);
        }
        store_c4_keep<V>(d + 4 * i, V::packs32(r[0], r[1]), V::packs32(g[0], g[1]), V::packs32(b[0], b[1]));
    }
    done = i;
}

}  // namespace
}  // namespace qrx::ycbcr444::QRX_LEVEL
