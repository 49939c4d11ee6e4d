// Vector forms of the 4:4:4 recipes, on 16-bit lanes (V::kLanes16 pixels per
// step) or, for AC4, one pixel per 32-bit lane.  Each computes exactly its scalar recipe: the products, floors and
// shifts are the same, only done many pixels at a time.  Included by
// ycbcr444_rows.inl on levels with SSSE3 or more.
#include "core/lane_quads_x86.h"
#include "core/pixel_dwords_x86.h"
#include "core/simd_x86.h"

namespace qrx::ycbcr444::QRX_LEVEL {
namespace {

using namespace qrx::simd;

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

// Byte 2 of each of three 32-bit sums (below 2^24) as bytes 0, 1 and 2 of its
// lane, byte 3 zero.
template <class V>
QRX_INLINE typename V::T ycbcr_bytes(typename V::T y, typename V::T cb, typename V::T cr) {
    const auto y_cr = V::blend_odd16(V::srli32(y, 16), cr);  // Y | Cr << 16
    const auto cb_at1 = V::srli32(cb, 8);                     // Cb in byte 1 over a low byte to drop
#if defined(__AVX512BW__)
    if constexpr (V::kBytes == 64) return _mm512_mask_blend_epi8(0x2222222222222222ull, y_cr, cb_at1);
#endif
#if defined(__AVX2__)
    if constexpr (V::kBytes == 32) return _mm256_blendv_epi8(y_cr, cb_at1, V::set32(0xFF00));
#endif
    return V::or_(y_cr, V::and_(cb_at1, V::set32(0xFF00)));
}

// Runs step(i) over the 4-byte pixels of an AC4 row, V::kLanes32 at a time, and
// returns where it stopped.  The destination's fourth byte stays, so its lines
// are read as well as written (merged below 512 bits, a byte-masked store at
// 512): both rows are asked for 2 KiB ahead, once per 64-byte line (measured at
// avx2: the forward about 17% faster, the inverse 3%; at 512 bits the inverse
// at 1920x1080 about 0.72 -> 0.81 of the 4:4:4 peer in one run, noisy machine).
template <class V, class F>
QRX_INLINE int ac4_walk(const u8* s, u8* d, int n, F&& step) {
    int i = 0;
    for (; i + 64 / 4 <= n; i += 64 / 4) {
        __builtin_prefetch(s + 4 * i + 2048);
        __builtin_prefetch(d + 4 * i + 2048, 1);
        for (int k = 0; k < 64; k += V::kBytes) step(i + k / 4);
    }
    for (; i + V::kLanes32 <= n; i += V::kLanes32) step(i);
    return i;
}

// AC4 pixels stay in their 32-bit lanes: the even bytes (R, B) and the odd
// bytes (G, alpha) are each one register of 16-bit pairs, so one multiply-add
// gives the 32-bit partial sum of a pixel.  Alpha is replaced by 512 and its
// weight is the offset over 512 (2112 for Y, whose G pairs are doubled since
// 33030 G is taken as 16515 (2 G); 16448 for Cb and Cr).  The three sums are
// never negative and below 2^24, so each result byte is the low byte of the
// high word of its sum.
template <class V>
void f16_ac4_vec(const u8* s, u8* d, int n, int& done) {
    const auto bytes02 = V::set32(0x00FF00FF), alpha512 = V::set32(512 << 16);
    done = ac4_walk<V>(s, d, n, [&](int i) {
        const auto px = V::load(s + 4 * i);
        const auto rb = V::and_(px, bytes02);
        const auto ga = V::blend_odd16(V::srli16(px, 8), alpha512);
        const auto ga2 = V::add16(ga, ga);
        const auto y = V::madd_add(V::madd(rb, V::pair16(16843, 6423)), ga2, V::pair16(16515, 1056));
        const auto cb = V::madd_add(V::madd(rb, V::pair16(-9699, 28770)), ga, V::pair16(-19071, 16448));
        const auto cr = V::madd_add(V::madd(rb, V::pair16(28770, -4653)), ga, V::pair16(-24117, 16448));
        store_keep_fourth<V>(d + 4 * i, ycbcr_bytes<V>(y, cb, cr));
    });
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
    const auto cb7 = V::slli16(V::sub16(cb, V::set16(128)), 7);
    const auto cr7 = V::slli16(V::sub16(cr, V::set16(128)), 7);
    if constexpr (Form == Inv13::T) {
        const auto ty = term_vec<V>(V::slli16(V::sub16(y, V::set16(16)), 7), 9536);
        r = V::srai16(V::add16(ty, term_vec<V>(cr7, 13074)), 4);
        g = V::srai16(V::add16(V::add16(ty, term_vec<V>(cr7, -6660)), term_vec<V>(cb7, -3203)), 4);
        b = V::srai16(V::add16(ty, term_vec<V>(cb7, 16523)), 4);
    } else {
        // the rounding 8 rides in the luma input (kI13rRoundedLumaOffset)
        const auto ty = term_vec<V>(V::add16(V::slli16(y, 7), V::set16(qrx::ycbcr::kI13rRoundedLumaOffset)), 9535);
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

// Planes to four-byte pixels, 2 * V::kLanes16 at a time, for registers of one or
// two 128-bit lanes.  Cb and Cr have their top bit flipped as bytes (signed
// Cb', Cr') and are widened into the high byte of each word, so a word holds
// v' << 8: a term with an even coefficient is one multiply-high by k / 2, the
// odd ones take v' << 7 by one arithmetic shift.  The widening and the pixel
// interleave stay inside 128-bit lanes and each lane is stored where its pixels
// go, with no lane-crossing permute (fewer shuffles, the port that bounds this
// loop in cache: 256x256 at avx2 from 15.0 to 12.4 us).  Bound by memory at
// 1920x1080, so every stream is asked for ahead (destination 4 KiB, planes
// 1 KiB: measured at avx2, the ratio to the 4:4:4 peer from 0.90 to about 1.0
// with them; half those distances about 3% slower).
template <class V, Inv13 Form, bool BGR>
void i13_planes_to_c4_vec(const u8* y8, const u8* cb8, const u8* cr8, u8* d, int n, u8 alpha, int& done) {
    static_assert(V::kHalves <= 2, "pixels leave by 128-bit lanes");
    const auto flip = V::set8(0x80), z = V::zero(), a = V::set16(alpha);
    int i = 0;
    for (; i + V::kBytes <= n; i += V::kBytes) {
        __builtin_prefetch(d + 4 * i + 4096, 1);
        __builtin_prefetch(d + 4 * i + 4096 + 64, 1);
        __builtin_prefetch(y8 + i + 1024);
        __builtin_prefetch(cb8 + i + 1024);
        __builtin_prefetch(cr8 + i + 1024);
        const auto yb = V::load(y8 + i), cbb = V::xor_(V::load(cb8 + i), flip), crb = V::xor_(V::load(cr8 + i), flip);
        for (int h = 0; h < 2; ++h) {  // bytes 0..7, then 8..15, of every lane
            const auto y = h ? V::hi8to16(yb) : V::lo8to16(yb);
            const auto cb8w = h ? V::unpackhi8(z, cbb) : V::unpacklo8(z, cbb);
            const auto cr8w = h ? V::unpackhi8(z, crb) : V::unpacklo8(z, crb);
            const auto cb7 = V::srai16(cb8w, 1);
            const auto ty = V::mulhi16(V::add16(V::slli16(y, 7), V::set16(qrx::ycbcr::kI13rRoundedLumaOffset)), V::set16(9535));
            const auto r = V::srai16(V::add16(ty, V::mulhi16(cr8w, V::set16(13074 / 2))), 4);
            const auto b = V::srai16(V::add16(ty, V::mulhi16(cb7, V::set16(16523))), 4);
            const auto g = Form == Inv13::S
                               ? V::srai16(V::sub16(V::sub16(ty, V::mulhi16(cr8w, V::set16(6660 / 2))), V::mulhi16(cb7, V::set16(3211))), 4)
                               : V::srai16(V::add16(V::add16(ty, V::mulhi16(cr8w, V::set16(-6660 / 2))), V::mulhi16(cb7, V::set16(-3211))), 4);
            const auto outer = V::packus16(BGR ? b : r, BGR ? r : b), ga = V::packus16(g, a);
            const auto first2 = V::unpacklo8(outer, ga), last2 = V::unpackhi8(outer, ga);
            const auto q0 = V::unpacklo16(first2, last2), q1 = V::unpackhi16(first2, last2);
            store_quads_by_lane<V>(d + 4 * (i + 8 * h), q0, q1);
        }
    }
    done = i;
}

// I16a on AC4 pixels kept in their 32-bit lanes, all exactly.  Flipping the
// top bit of every byte gives signed Y - 128, Cb', Cr'; one unsigned-by-signed
// byte multiply-add per pair then both picks and scales the samples, since the
// coefficients exceed 16 bits: 76284 = 4 * 19071, 104595 = 5 * 20919,
// 132186 = 6 * 22031 and 157876 = 29 * 5444.  R is summed first (with the
// Y' offset, 76284 * 112); B and G are R plus their differences from it:
// B - R = 132186 Cb' - 104595 Cr', G - R = -25690 Cb' - 157876 Cr'.
// Each result (sum >> 16) lies well inside 16 bits, so it is the high word of
// its sum: the words (R, B) come from one blend and G is read from the odd
// words of its sum as it stands; one saturating pack clamps all three and one
// shuffle puts them in pixel order.  512-bit registers store bytes 0..2 only;
// narrower ones merge the destination's fourth byte.
template <class V>
void i16a_ac4_vec(const u8* s, u8* d, int n, int& done) {
    static constexpr std::int8_t x = -128, kRgbOf[16] = {0, 9, 1, x, 2, 11, 3, x, 4, 13, 5, x, 6, 15, 7, x};
    const __m128i rgb_of = lane_bytes(kRgbOf);
    const auto ycr = V::set32(0x00050004), cbcr6 = V::set32(0x00050600), cbcr29 = V::set32(0x001D0100);
    done = ac4_walk<V>(s, d, n, [&](int i) {
        const auto px = V::xor_(V::load(s + 4 * i), V::set8(0x80));
        const auto r = V::madd_add(V::set32(8543808), V::maddubs(ycr, px), V::pair16(19071, 20919));
        const auto b = V::madd_add(r, V::maddubs(cbcr6, px), V::pair16(22031, -20919));
        const auto g = V::madd_add(r, V::maddubs(cbcr29, px), V::pair16(-25690, -5444));
        const auto out = V::shuffle8(V::packus16(V::blend_odd16(V::srli32(r, 16), b), g), rgb_of);
        store_keep_fourth<V>(d + 4 * i, out);
    });
}

}  // namespace
}  // namespace qrx::ycbcr444::QRX_LEVEL
