// Hand-written vector bodies of the subsampled conversions, included by
// chroma_rows.inl at the SIMD levels (inside namespace qrx::ycbcr_sub::<level>).
// The recipes are evaluated in 16-bit lanes exactly as their formulas read:
// ⌊k v / 2^s⌋ is the high half of the 16x16 product of (v << (16 - s)) and k.
// Kernels run 32 pixels at a time where AVX2 is available, then 16 at a time,
// and leave what is left of the body region to the generic loop of the same
// recipe; the region plan itself is never changed by the vector width.
// (<immintrin.h> is included by chroma_rows.inl, outside any namespace.)

namespace {

using namespace qrx::simd;

// ---- pixel sources and destinations by layout ----------------------------------------------

template <class V, Px L>
QRX_INLINE void load_px(const u8* row, int x, typename V::T& r, typename V::T& g, typename V::T& b) {
    if constexpr (L == Px::Rgb3) load_c3_bytes<V>(row + 3 * x, r, g, b);
    else if constexpr (L == Px::Bgr3) load_c3_bytes<V>(row + 3 * x, b, g, r);
    else if constexpr (L == Px::Bgr4 || L == Px::Bgr4A) load_c4_bytes<V>(row + 4 * x, b, g, r);
    else load_bgr16_bytes<V, L == Px::Bgr565>(row + 2 * x, r, g, b);
}

// W pixels from 16-bit halves (lo: pixels 0..W/2-1, hi: the rest), clamped to bytes.
template <class V, Px L>
QRX_INLINE void store_px16(u8* row, int x, typename V::T r0, typename V::T r1, typename V::T g0, typename V::T g1,
                           typename V::T b0, typename V::T b1, u8 alpha) {
    if constexpr (L == Px::Rgb3 || L == Px::Bgr3) {
        const typename V::T r = V::packus16_rows(r0, r1), g = V::packus16_rows(g0, g1), b = V::packus16_rows(b0, b1);
        store_c3_bytes<V>(row + 3 * x, L == Px::Rgb3 ? r : b, g, L == Px::Rgb3 ? b : r);
    } else {
        store_c4_of_packs<V>(row + 4 * x, V::packus16(b0, b1), V::packus16(g0, g1), V::packus16(r0, r1),
                                     V::set16(alpha * 0x0101));
    }
}

// ---- recipes in 16-bit lanes ---------------------------------------------------------------

enum class Fwd { Y15P11, Y15P10, FpP17, Y15Q11, Y12Q12 };
enum class Inv { I13t, I13r, I12 };

// Luma of 16-bit lanes holding R, G, B shifted left by 8 (as hwide_* gives them).
template <class V, Fwd R>
QRX_INLINE typename V::T luma16h(typename V::T r, typename V::T g, typename V::T b) {
    if constexpr (R == Fwd::Y12Q12) {
        // (⌊1052 R / 512⌋ + ⌊2064 G / 512⌋ + ⌊401 B / 512⌋ + 132) >> 3; the even coefficients
        // are halved onto the v << 8 lanes (⌊1052 R / 512⌋ = ⌊526 R / 256⌋), 401 uses v << 7
        const auto s = V::add16(V::add16(V::mulhi16u(r, V::set16(526)), V::mulhi16u(g, V::set16(1032))),
                              V::add16(V::mulhi16u(V::srli16(b, 1), V::set16(401)), V::set16(132)));
        return V::srai16(s, 3);
    } else if constexpr (R == Fwd::FpP17) {
        // FP: ⌊(⌊16843 R / 256⌋ + ⌊33030 G / 256⌋ + ⌊6423 B / 256⌋) / 256⌋ + 16 (unsigned lanes)
        const auto s = V::add16(V::add16(V::mulhi16u(r, V::set16(16843)), V::mulhi16u(g, V::set16(33030))),
                              V::mulhi16u(b, V::set16(6423)));
        return V::add16(V::srli16(s, 8), V::set16(16));
    } else {
        // Y15: ⌊(⌊8422 R / 256⌋ + ⌊16515 G / 256⌋ + ⌊3212 B / 256⌋ + 2112) / 128⌋
        const auto s = V::add16(V::add16(V::mulhi16u(r, V::set16(8422)), V::mulhi16u(g, V::set16(16515))),
                              V::add16(V::mulhi16u(b, V::set16(3212)), V::set16(2112)));
        return V::srli16(s, 7);
    }
}

// P17 on pair sums in 32-bit lanes: (a SR + b SG + c SB + 16842752) >> 17.
template <class V>
QRX_INLINE typename V::T p17_16(typename V::T sr, typename V::T sg, typename V::T sb, int a, int b, int c) {
    const auto k_rg = V::pair16(a, b), k_b = V::pair16(c, 0), off = V::set32(16842752);
    const auto z = V::zero();
    const auto lo = V::add32(V::add32(V::madd(zip16_lo_rows<V>(sr, sg), k_rg), V::madd(zip16_lo_rows<V>(sb, z), k_b)), off);
    const auto hi = V::add32(V::add32(V::madd(zip16_hi_rows<V>(sr, sg), k_rg), V::madd(zip16_hi_rows<V>(sb, z), k_b)), off);
    return packs32_rows<V>(V::srai32(lo, 17), V::srai32(hi, 17));
}

// The left shift that the chroma recipes' multiply-highs take their sums with.
template <Fwd R>
constexpr int kChromaPre = R == Fwd::Y15P10 ? 6 : 5;

// Sums of adjacent byte pairs times 2^kChromaPre<R>, ready for chroma16<V, R, true>:
// one multiply-add from SSSE3 on.  At most 510 << 6 = 32640, and two such sums
// (the 2x2 blocks of 4:2:0, pre-shift 5) at most 1020 << 5: no saturation.
template <class V, Fwd R>
QRX_INLINE typename V::T pair_sums_pre(typename V::T v) {
    static_assert(R != Fwd::FpP17, "P17 works on plain sums");
#if defined(__SSSE3__)
    return V::maddubs(v, V::set8(1 << kChromaPre<R>));
#else
    return V::slli16(V::sum_pairs8(v), kChromaPre<R>);
#endif
}

// 2x2 block sums of two rows' byte registers, pre-shifted as pair_sums_pre.
template <class V, Fwd R>
QRX_INLINE typename V::T block_sums_pre(typename V::T row0, typename V::T row1) {
    static_assert(kChromaPre<R> == 5, "2x2 sums times 32 at most");
    return V::add16(pair_sums_pre<V, R>(row0), pair_sums_pre<V, R>(row1));
}

// Chroma of sums (pair sums for 4:2:2, 2x2 block sums for 4:2:0), 16-bit lanes.
// Preshifted: sums that already carry the pre-shift (kChromaPre, pair_sums_pre).
template <class V, Fwd R, bool Preshifted = false>
QRX_INLINE void chroma16(typename V::T sr, typename V::T sg, typename V::T sb, typename V::T& cb, typename V::T& cr) {
    static_assert(!Preshifted || R != Fwd::FpP17, "P17 works on plain sums");
    auto t = [](typename V::T v, int pre, int k) {
        return V::mulhi16(Preshifted ? v : V::slli16(v, pre), V::set16(k));
    };
    if constexpr (R == Fwd::Y15P11) {
        cb = V::srai16(V::add16(V::sub16(V::sub16(t(sb, 5, 28770), t(sr, 5, 9699)), t(sg, 5, 19071)), V::set16(8200)), 6);
        cr = V::srai16(V::add16(V::sub16(V::sub16(t(sr, 5, 28770), t(sg, 5, 24117)), t(sb, 5, 4653)), V::set16(8200)), 6);
    } else if constexpr (R == Fwd::Y15Q11) {
        cb = V::srai16(V::add16(V::sub16(V::sub16(t(sb, 5, 28770), t(sr, 5, 9699)), t(sg, 5, 19071)), V::set16(16400)), 7);
        cr = V::srai16(V::add16(V::sub16(V::sub16(t(sr, 5, 28770), t(sg, 5, 24117)), t(sb, 5, 4653)), V::set16(16400)), 7);
    } else if constexpr (R == Fwd::Y15P10) {
        cb = V::srai16(V::add16(V::add16(V::add16(t(sr, 6, -9699), t(sg, 6, -19071)), t(sb, 6, 28770)), V::set16(16448)), 7);
        cr = V::srai16(V::add16(V::add16(V::add16(t(sr, 6, 28770), t(sg, 6, -24117)), t(sb, 6, -4653)), V::set16(16448)), 7);
    } else if constexpr (R == Fwd::Y12Q12) {
        cb = V::srai16(V::add16(V::add16(V::add16(t(sr, 5, -607), t(sg, 5, -1192)), t(sb, 5, 1798)), V::set16(1028)), 3);
        cr = V::srai16(V::add16(V::add16(V::add16(t(sr, 5, 1798), t(sg, 5, -1508)), t(sb, 5, -291)), V::set16(1028)), 3);
    } else {
        cb = p17_16<V>(sr, sg, sb, -9699, -19071, 28770);
        cr = p17_16<V>(sr, sg, sb, 28770, -24117, -4653);
    }
}

// Luma of W pixels as bytes: each half of every 128-bit lane interleaved with
// zeros gives the (v << 8) words the recipes multiply, and the two halves'
// results pack back in place (every luma recipe lies in 16..235, no clamp).
template <class V, Fwd R>
QRX_INLINE typename V::T luma8(typename V::T r, typename V::T g, typename V::T b) {
    const typename V::T z = V::zero();
    const typename V::T lo = luma16h<V, R>(V::unpacklo8(z, r), V::unpacklo8(z, g), V::unpacklo8(z, b));
    const typename V::T hi = luma16h<V, R>(V::unpackhi8(z, r), V::unpackhi8(z, g), V::unpackhi8(z, b));
    return V::packus16(lo, hi);
}

// Chroma terms of the inverse recipes (16-bit lanes of Cb, Cr in 0..255): the red,
// green and blue additions that every pixel sharing this chroma receives.
template <class V, Inv R>
QRX_INLINE void chroma_terms(typename V::T cb, typename V::T cr, typename V::T& tr, typename V::T& tg,
                             typename V::T& tb) {
    const auto bp = V::slli16(V::sub16(cb, V::set16(128)), 7);
    const auto rp = V::slli16(V::sub16(cr, V::set16(128)), 7);
    auto T = [](typename V::T v, int k) { return V::mulhi16(v, V::set16(k)); };
    if constexpr (R == Inv::I13t) {
        tr = T(rp, 13074);
        tg = V::add16(T(rp, -6660), T(bp, -3203));
        tb = T(bp, 16523);
    } else if constexpr (R == Inv::I13r) {
        tr = T(rp, 13074);
        tg = V::add16(T(rp, -6660), T(bp, -3211));
        tb = T(bp, 16523);
    } else {  // I12: green terms positive and subtracted
        tr = T(rp, 6537);
        tg = V::sub16(V::sub16(V::zero(), T(bp, 1605)), T(rp, 3330));
        tb = T(bp, 8261);
    }
}

// The luma coefficient of the inverse recipes.
template <Inv R>
constexpr int kLumaK = R == Inv::I13t ? 9536 : R == Inv::I13r ? 9535 : 4767;

// I13r's luma term carries the 8 that rounds its sums, taken in its input
// (qrx::ycbcr::kI13rRoundedLumaOffset).
using qrx::ycbcr::kI13rRoundedLumaOffset;

// The luma term of 16-bit lanes of Y in 0..255.
template <class V, Inv R>
QRX_INLINE typename V::T luma_term(typename V::T y) {
    if constexpr (R == Inv::I13r)
        return V::mulhi16(V::add16(V::slli16(y, 7), V::set16(kI13rRoundedLumaOffset)), V::set16(9535));
    else
        return V::mulhi16(V::slli16(V::sub16(y, V::set16(16)), 7), V::set16(kLumaK<R>));
}
// The same term from (Y - 16) << 6: the product of (Y - 16) << 7 and k equals
// that of (Y - 16) << 6 and 2 k (each 2 k fits 16 bits).
template <class V, Inv R>
QRX_INLINE typename V::T luma_term6(typename V::T yp6) {
    static_assert(R != Inv::I13r, "I13r takes its rounding in the input (luma_term)");
    return V::mulhi16(yp6, V::set16(2 * kLumaK<R>));
}
// The shift that ends each sum.
template <Inv R>
constexpr int kInvShift = R == Inv::I12 ? 3 : 4;

// Luma term plus chroma terms, shifted; results not yet clamped.
template <class V, Inv R>
QRX_INLINE void rgb_from_terms(typename V::T y, typename V::T tr, typename V::T tg, typename V::T tb,
                               typename V::T& r, typename V::T& g, typename V::T& b) {
    const typename V::T ty = luma_term<V, R>(y);
    r = V::srai16(V::add16(ty, tr), kInvShift<R>);
    g = V::srai16(V::add16(ty, tg), kInvShift<R>);
    b = V::srai16(V::add16(ty, tb), kInvShift<R>);
}

// R, G, B (16-bit lanes in pixel order, not yet clamped) of the V::kLanes16 pixels
// of one packed 4:2:2 vector.  As 16-bit lanes the vector reads (Y0, Cb), (Y1, Cr):
// each pixel's lane already holds one chroma sample of its pair, Cb beside the
// first pixel and Cr beside the second.  So one multiply-high by alternating
// constants gives the blue term in the first lane and the red term in the second,
// another the two green terms; the green terms are summed across the pair and
// the blue and red ones copied to the other lane, with no chroma gathering.
template <class V, bool CbFirst, Inv R>
QRX_INLINE void packed_rgb16(typename V::T v, typename V::T& r, typename V::T& g, typename V::T& b) {
    using T = typename V::T;
    // I12 subtracts its (positive) green terms; the others add negative ones
    constexpr int kb = R == Inv::I12 ? 8261 : 16523, kr = R == Inv::I12 ? 6537 : 13074;
    constexpr int gb = R == Inv::I12 ? 1605 : R == Inv::I13r ? -3211 : -3203, gr = R == Inv::I12 ? 3330 : -6660;
#if defined(__SSSE3__)
    constexpr bool madd_inputs = true;
#else
    constexpr bool madd_inputs = false;  // the byte multiply-add would be emulated
#endif
    // From SSSE3 on, (y - 16) << 6 and the chroma input by one byte multiply-add
    // each: the products with (y - 16) << 7 and k equal those with (y - 16) << 6
    // and 2 k.  The chroma input is (c - 128) << 6 with 2 k where 2 k fits 16
    // bits (I12); else (128 - c) << 7 with -k (I13's 2 x 16523 does not fit),
    // as c times -128 is a byte multiply-add and the products are the same.
    // I13r's luma input is y times -128 too, taken from its folded offset
    // (kI13rRoundedLumaOffset) so that the product carries the rounding 8
    constexpr int k2 = madd_inputs ? (R == Inv::I12 ? 2 : -1) : 1;  // cp is (c - 128) << 7 / k2
    const T m = V::set16(0xFF);
    T ty, cp;
    if constexpr (madd_inputs && R == Inv::I13r)  // (y << 7) plus the folded offset, from y times -128
        ty = V::mulhi16(V::sub16(V::set16(kI13rRoundedLumaOffset), V::maddubs(v, V::set16(CbFirst ? 0x80 << 8 : 0x80))),
                        V::set16(9535));
    else if constexpr (madd_inputs)
        ty = luma_term6<V, R>(V::sub16(V::maddubs(v, V::set16(CbFirst ? 64 << 8 : 64)), V::set16(16 << 6)));
    else
        ty = luma_term<V, R>(CbFirst ? V::srli16(v, 8) : V::and_(v, m));
    if constexpr (k2 == 2)
        cp = V::sub16(V::maddubs(v, V::set16(CbFirst ? 64 : 64 << 8)), V::set16(128 << 6));
    else if constexpr (k2 == -1)
        cp = V::add16(V::maddubs(v, V::set16(CbFirst ? 0x80 : 0x80 << 8)), V::set16(128 << 7));  // 0x80: -128
    else
        cp = V::slli16(V::sub16(CbFirst ? V::and_(v, m) : V::srli16(v, 8), V::set16(128)), 7);
    const T br = V::mulhi16(cp, V::pair16(k2 * kb, k2 * kr));
    const T gg = V::mulhi16(cp, V::pair16(k2 * gb, k2 * gr));
    const T tg = V::add16(gg, qrx::simd::pair_swap16<V>(gg));
    r = V::srai16(V::add16(ty, qrx::simd::pair_second16<V>(br)), kInvShift<R>);
    g = V::srai16(R == Inv::I12 ? V::sub16(ty, tg) : V::add16(ty, tg), kInvShift<R>);
    b = V::srai16(V::add16(ty, qrx::simd::pair_first16<V>(br)), kInvShift<R>);
}

// Pair-level chroma terms (pairs in natural order) -> per-pixel terms (0: pixels
// 0..W/2-1, 1: the rest) and the W pixels converted and stored.
template <class V, Inv R, Px L>
QRX_INLINE void rgb_store_pairs(u8* d, int x, typename V::T y0, typename V::T y1, typename V::T cb, typename V::T cr,
                                u8 alpha) {
    typename V::T tr, tg, tb, r0, g0, b0, r1, g1, b1;
    chroma_terms<V, R>(cb, cr, tr, tg, tb);
    auto dup_lo = [](typename V::T t) { return zip16_lo_rows<V>(t, t); };
    auto dup_hi = [](typename V::T t) { return zip16_hi_rows<V>(t, t); };
    rgb_from_terms<V, R>(y0, dup_lo(tr), dup_lo(tg), dup_lo(tb), r0, g0, b0);
    rgb_from_terms<V, R>(y1, dup_hi(tr), dup_hi(tg), dup_hi(tb), r1, g1, b1);
    store_px16<V, L>(d, x, r0, r1, g0, g1, b0, b1, alpha);
}

// ---- kernels --------------------------------------------------------------------------------

// Runs `step<V>(x)` over [0, n) in vector widths (32, then 16 pixels) and returns
// where the vector part stopped; the caller's generic loop finishes the body.
template <int Unit, class F>
QRX_INLINE int in_vectors(int n, F&& step) {
    int x = 0;
#if defined(__AVX2__)
    for (; x + 32 * Unit <= n; x += 32 * Unit) step(V256{}, x);
#endif
    for (; x + 16 * Unit <= n; x += 16 * Unit) step(V128{}, x);
    return x;
}

// Pixel order -> packed 4:2:2 (YCbCr or CbYCr) or planar 4:2:2.  Four-byte
// pixels take 512 bits where they run at full width (cpu::full_width_512).
template <Px L, Fwd R, bool CbFirst>
void v_pix_packed(const u8* s, u8* d, int n) {
#if defined(__AVX512BW__)
    if constexpr (L == Px::Bgr4 || L == Px::Bgr4A) {
        if (qrx::cpu::full_width_512()) {
            using V = V512;
            int x0 = 0;
            for (; x0 + 64 <= n; x0 += 64) {
                V::T r, g, b, cb, cr;
                load_c4_bytes<V>(s + 4 * x0, b, g, r);
                const V::T y = luma8<V, R>(r, g, b);
                chroma16<V, R, true>(pair_sums_pre<V, R>(r), pair_sums_pre<V, R>(g), pair_sums_pre<V, R>(b), cb, cr);
                // (Cb, Cr) of pairs 8k .. 8k + 7 in lane k, then each lane's pixels beside them
                const V::T c = V::shuffle8(V::packus16(cb, cr), _mm_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15));
                const V::T lo = CbFirst ? V::unpacklo8(c, y) : V::unpacklo8(y, c);
                const V::T hi = CbFirst ? V::unpackhi8(c, y) : V::unpackhi8(y, c);
                V::store(d + 2 * x0, _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11), hi));
                V::store(d + 2 * x0 + 64, _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15), hi));
            }
            s += 4 * x0, d += 2 * x0, n -= x0;
        }
    }
#endif
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        using T = typename V::T;
        T r, g, b, cb, cr;
        // four-byte pixels in quad order (see load_c4_bytes_quads): row order at 128 bits
        constexpr bool quads = L == Px::Bgr4 || L == Px::Bgr4A;
        if constexpr (quads) load_c4_bytes_quads<V>(s + 4 * x, b, g, r);
        else load_px<V, L>(s, x, r, g, b);
        const T y = luma8<V, R>(r, g, b);
        if constexpr (R == Fwd::FpP17)
            chroma16<V, R>(V::sum_pairs8(r), V::sum_pairs8(g), V::sum_pairs8(b), cb, cr);
        else
            chroma16<V, R, true>(pair_sums_pre<V, R>(r), pair_sums_pre<V, R>(g), pair_sums_pre<V, R>(b), cb, cr);
#if defined(__AVX2__)
        if constexpr (quads && V::kBytes == 32) {
            // in-lane interleaves keep the quad order: lane 0 of the first result holds
            // pairs 0, 1, 4, 5, lane 1 pairs 2, 3, 6, 7 (one pair per dword; the second
            // result pairs 8.. alike), which one dword permute puts in row order
            const T c = V::unpacklo8(V::packus16(cb, cb), V::packus16(cr, cr));  // (Cb, Cr) per pair
            const __m256i rows = _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7);
            V::store(d + 2 * x, _mm256_permutevar8x32_epi32(CbFirst ? V::unpacklo8(c, y) : V::unpacklo8(y, c), rows));
            V::store(d + 2 * x + 32, _mm256_permutevar8x32_epi32(CbFirst ? V::unpackhi8(c, y) : V::unpackhi8(y, c), rows));
            return;
        }
#endif
        const T c = zip8_lo_rows<V>(V::packus16_rows(cb, cb), V::packus16_rows(cr, cr));  // Cb0 Cr0 Cb1 Cr1 ...
        V::store(d + 2 * x, CbFirst ? zip8_lo_rows<V>(c, y) : zip8_lo_rows<V>(y, c));
        V::store(d + 2 * x + V::kBytes, CbFirst ? zip8_hi_rows<V>(c, y) : zip8_hi_rows<V>(y, c));
    });
    using namespace qrx::ycbcr::chroma;
    if constexpr (R == Fwd::Y15P11)
        fwd_pairs<y15, y15, p11_cb, p11_cr>(scalar_in<L>(s), PackedOut<CbFirst>{d}, x, n);
    else if constexpr (R == Fwd::Y15P10)
        fwd_pairs<y15, y15, p10_cb, p10_cr>(scalar_in<L>(s), PackedOut<CbFirst>{d}, x, n);
    else
        fwd_pairs<qrx::ycbcr::fp_y, qrx::ycbcr::fp_y, p17_cb, p17_cr>(scalar_in<L>(s), PackedOut<CbFirst>{d}, x, n);
}

void v_planes_packed_fp_p17(const u8* pr, const u8* pg, const u8* pb, u8* d, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        const typename V::T r = V::load(pr + x), g = V::load(pg + x), b = V::load(pb + x);
        typename V::T cb, cr;
        const typename V::T y = luma8<V, Fwd::FpP17>(r, g, b);
        chroma16<V, Fwd::FpP17>(V::sum_pairs8(r), V::sum_pairs8(g), V::sum_pairs8(b), cb, cr);
        const typename V::T c = zip8_lo_rows<V>(V::packus16_rows(cb, cb), V::packus16_rows(cr, cr));
        V::store(d + 2 * x, zip8_lo_rows<V>(y, c));
        V::store(d + 2 * x + V::kBytes, zip8_hi_rows<V>(y, c));
    });
    using namespace qrx::ycbcr::chroma;
    fwd_pairs<qrx::ycbcr::fp_y, qrx::ycbcr::fp_y, p17_cb, p17_cr>(PlanesIn{pr, pg, pb}, PackedOut<false>{d}, x, n);
}

template <Px L>
void v_bgr_p3_y15_p11(const u8* s, u8* py, u8* pcb, u8* pcr, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        typename V::T r, g, b, cb, cr;
        load_px<V, L>(s, x, r, g, b);
        V::store(py + x, luma8<V, Fwd::Y15P11>(r, g, b));
        chroma16<V, Fwd::Y15P11, true>(pair_sums_pre<V, Fwd::Y15P11>(r), pair_sums_pre<V, Fwd::Y15P11>(g),
                                       pair_sums_pre<V, Fwd::Y15P11>(b), cb, cr);
        store_narrow2<V>(pcb + x / 2, pcr + x / 2, cb, cr);
    });
    using namespace qrx::ycbcr::chroma;
    fwd_pairs<y15, y15, p11_cb, p11_cr>(scalar_in<L>(s), Planes422Out{py, pcb, pcr}, x, n);
}

// Two pixel-order rows at x: their luma stored and the 2x2 block sums of
// each channel (pre-shifted) returned.  Four-byte pixels in quad order (see
// load_c4_bytes_quads), put back in row order as stored (store_chroma_420).
template <class V, Px L, Fwd R>
QRX_INLINE void luma_and_sums_420(const u8* s0, const u8* s1, u8* y0, u8* y1, int x, typename V::T (&sum)[3]) {
    typename V::T r0, g0, b0, r1, g1, b1;
    if constexpr (L == Px::Bgr4) {
        load_c4_bytes_quads<V>(s0 + 4 * x, b0, g0, r0);
        load_c4_bytes_quads<V>(s1 + 4 * x, b1, g1, r1);
        store_quad_order<V>(y0 + x, luma8<V, R>(r0, g0, b0));
        store_quad_order<V>(y1 + x, luma8<V, R>(r1, g1, b1));
    } else {
        load_px<V, L>(s0, x, r0, g0, b0);
        load_px<V, L>(s1, x, r1, g1, b1);
        V::store(y0 + x, luma8<V, R>(r0, g0, b0));
        V::store(y1 + x, luma8<V, R>(r1, g1, b1));
    }
    sum[0] = block_sums_pre<V, R>(r0, r1);
    sum[1] = block_sums_pre<V, R>(g0, g1);
    sum[2] = block_sums_pre<V, R>(b0, b1);
}
template <class V, Px L>
QRX_INLINE void store_chroma_420(u8* pcb, u8* pcr, int x, typename V::T cb, typename V::T cr) {
    if constexpr (L == Px::Bgr4) store_narrow2_quad_order<V>(pcb + x / 2, pcr + x / 2, cb, cr);
    else store_narrow2<V>(pcb + x / 2, pcr + x / 2, cb, cr);
}

// Two pixel-order rows -> 4:2:0 (two Y rows, one Cb and one Cr row).
template <Px L, Fwd R>
void v_420(const u8* s0, const u8* s1, u8* y0, u8* y1, u8* pcb, u8* pcr, int n) {
#if defined(__AVX512BW__)
    // 4-byte pixels at the 512-bit level: 64 columns at a time first
    if constexpr (L == Px::Bgr4) {
        using V = V512;
        int x0 = 0;
        for (; x0 + 64 <= n; x0 += 64) {
            V::T r0, g0, b0, r1, g1, b1, cb, cr;
            load_c4_bytes<V>(s0 + 4 * x0, b0, g0, r0);
            load_c4_bytes<V>(s1 + 4 * x0, b1, g1, r1);
            V::store(y0 + x0, luma8<V, R>(r0, g0, b0));
            V::store(y1 + x0, luma8<V, R>(r1, g1, b1));
            chroma16<V, R, true>(block_sums_pre<V, R>(r0, r1), block_sums_pre<V, R>(g0, g1),
                                 block_sums_pre<V, R>(b0, b1), cb, cr);
            store_narrow2<V>(pcb + x0 / 2, pcr + x0 / 2, cb, cr);
        }
        s0 += 4 * x0, s1 += 4 * x0, y0 += x0, y1 += x0, pcb += x0 / 2, pcr += x0 / 2, n -= x0;
    }
#elif defined(__AVX2__)
    // 4-byte pixels at 256 bits: the luma and the block sums of up to 1024
    // columns, then their chroma, so that each loop keeps its constants in
    // registers (one loop rebuilt some of them; measured about 5% faster).
    // Chunks of 1024 rather than 256 columns: fewer loop starts, 2% beside the
    // peer on an AMD EPYC without AVX-512 (3 KiB of sums stay in the first-level cache)
    if constexpr (L == Px::Bgr4) {
        using V = V256;
        alignas(32) std::int16_t sums[3][512];
        int x0 = 0;
        while (x0 + 32 <= n) {
            const int end = x0 + std::min(1024, (n - x0) / 32 * 32);
            // block k of the chunk: columns x0 + 2 k, 2 k + 1.  Indices that need no sign
            // extension and no software prefetch (the loops are bound by their instruction
            // count): on an AMD EPYC without AVX-512, 0.87 -> 0.91-0.92 of the peer at 1920x1080;
            // two steps per pass of the loop, 0.90-0.93 -> 0.94-0.95 (four: 0.88-0.94)
#pragma GCC unroll 2
            for (int x = x0, k = 0; x < end; x += 32, k += 16) {
                V::T sum[3];
                luma_and_sums_420<V, L, R>(s0, s1, y0, y1, x, sum);
                for (int c = 0; c < 3; ++c) V::store(sums[c] + k, sum[c]);
            }
            u8* const cb_row = pcb + x0 / 2;
            u8* const cr_row = pcr + x0 / 2;
            for (int k = 0; k < (end - x0) / 2; k += 16) {
                V::T cb, cr;
                chroma16<V, R, true>(V::load(sums[0] + k), V::load(sums[1] + k), V::load(sums[2] + k), cb, cr);
                store_narrow2_quad_order<V>(cb_row + k, cr_row + k, cb, cr);
            }
            x0 = end;
        }
        s0 += 4 * x0, s1 += 4 * x0, y0 += x0, y1 += x0, pcb += x0 / 2, pcr += x0 / 2, n -= x0;
    }
#endif
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        typename V::T sum[3], cb, cr;
        luma_and_sums_420<V, L, R>(s0, s1, y0, y1, x, sum);
        chroma16<V, R, true>(sum[0], sum[1], sum[2], cb, cr);
        store_chroma_420<V, L>(pcb, pcr, x, cb, cr);
    });
    using namespace qrx::ycbcr::chroma;
    if constexpr (R == Fwd::Y12Q12)
        fwd_blocks_420<y12, q12_cb, q12_cr>(scalar_in<L>(s0), scalar_in<L>(s1), y0, y1, pcb, pcr, x, n);
    else
        fwd_blocks_420<y15, q11_cb, q11_cr>(scalar_in<L>(s0), scalar_in<L>(s1), y0, y1, pcb, pcr, x, n);
}

// Pixel order -> 4:1:1 (Y row, quarter-width Cb and Cr rows), Y15 / Q11.
template <Px L>
void v_411(const u8* s, u8* py, u8* pcb, u8* pcr, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        using T = typename V::T;
        T r, g, b, cb, cr;
        load_px<V, L>(s, x, r, g, b);
        V::store(py + x, luma8<V, Fwd::Y15Q11>(r, g, b));
        // sums of 4: pair sums, then adjacent pair sums in 32-bit lanes
        auto quad = [](T v) {
            const T p = V::sum_pairs8(v);
            const T q = V::add32(V::and_(p, V::set32(0xFFFF)), V::srli32(p, 16));
            return packs32_rows<V>(q, q);  // W/4 sums in the low half, 16-bit lanes
        };
        chroma16<V, Fwd::Y15Q11>(quad(r), quad(g), quad(b), cb, cr);
        store_quarter<V>(pcb + x / 4, V::packus16_rows(cb, cb));
        store_quarter<V>(pcr + x / 4, V::packus16_rows(cr, cr));
    });
    using namespace qrx::ycbcr::chroma;
    fwd_groups_411<y15, q11_cb, q11_cr>(scalar_in<L>(s), py, pcb, pcr, x, n);
}

template <Inv R>
QRX_INLINE Rgb scalar_inv(int y, int cb, int cr) {
    if constexpr (R == Inv::I13t) return qrx::ycbcr::i13t(y, cb, cr);
    else if constexpr (R == Inv::I13r) return qrx::ycbcr::i13r(y, cb, cr);
    else return qrx::ycbcr::chroma::i12(y, cb, cr);
}

// Y row + half-width Cb, Cr rows -> pixel order (4:2:2 planar and 4:2:0 rows).
template <Px L, Inv R>
void v_half_planes_pix(const u8* py, const u8* pcb, const u8* pcr, u8* d, int n, u8 alpha) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        const typename V::T y = V::load(py + x);
        const typename V::T cb = V::load_widen(pcb + x / 2), cr = V::load_widen(pcr + x / 2);
        rgb_store_pairs<V, R, L>(d, x, widen_lo_rows<V>(y), widen_hi_rows<V>(y), cb, cr, alpha);
    });
    constexpr int dc = L == Px::Rgb3 || L == Px::Bgr3 ? 3 : 4;
    inv_pixels<scalar_inv<R>>(SubPlanesIn<1>{py, pcb, pcr}, PixOut<dc, L != Px::Rgb3>{d, alpha}, x, n);
}

// n bytes through a 256-entry table.
QRX_INLINE void map_through(const u8* s, u8* d, int n, const u8* t) {
#if defined(__SSSE3__)
    look_up_bytes(s, d, n, t);
#else
    for (int i = 0; i < n; ++i) d[i] = t[s[i]];
#endif
}

// RGB C3 -> CbYCr 4:2:2 with the three-tap chroma filter, 16 pixels (8 pairs) at a
// time in 32-bit lanes: per pixel the even-weight sum E and the odd-weight sum O; a
// pair's chroma is E(2k) + O(2k + 1) + O(2k - 1), O(-1) = 0 at the row start.
// With an input curve the pixels are first mapped a block of up to kMapped at a
// time, a register of bytes per table look-up (core/byte_table.h).
void v_tap3(const u8* s, u8* d, int n, const u8* curve) {
    using V = V128;
    using T = V::T;
    T carry_b = V::zero(), carry_r = V::zero();
    constexpr int kMapped = 256;
    alignas(64) u8 mapped[3 * kMapped];
    const int body = n - n % 16;
    for (int x = 0; x < body; x += 16) {
        const u8* src = s + 3 * x;
        if (curve) {
            const int at = x % kMapped;
            if (at == 0) map_through(src, mapped, 3 * std::min(kMapped, body - x), curve);
            src = mapped + 3 * at;
        }
        T c[3];
        load_c3_bytes<V>(src, c[0], c[1], c[2]);
        const T m = V::set16(0xFF);
        const T re = V::and_(c[0], m), ro = V::srli16(c[0], 8);  // even / odd pixels, pair order
        const T ge = V::and_(c[1], m), go = V::srli16(c[1], 8);
        const T be = V::and_(c[2], m), bo = V::srli16(c[2], 8);
        const T z = V::zero();
        // weighted sums of one pixel per pair, 32-bit lanes (pairs 0..3 and 4..7)
        auto wsum = [&](T r, T g, T b, int kr, int kg, int kb, T& lo, T& hi) {
            lo = V::add32(V::madd(V::unpacklo16(r, g), V::pair16(kr, kg)), V::madd(V::unpacklo16(b, z), V::pair16(kb, 0)));
            hi = V::add32(V::madd(V::unpackhi16(r, g), V::pair16(kr, kg)), V::madd(V::unpackhi16(b, z), V::pair16(kb, 0)));
        };
        auto chroma = [&](int kr, int kg, int kb, int hr, int hg, int hb, T& carry) {
            T e0, e1, o0, o1;
            wsum(re, ge, be, kr, kg, kb, e0, e1);
            wsum(ro, go, bo, hr, hg, hb, o0, o1);
            const T l0 = V::or_(bslli128<4>(o0), V::bsrli<12>(carry));
            const T l1 = V::or_(bslli128<4>(o1), V::bsrli<12>(o0));
            carry = o1;
            const T off = V::set32(4210687);
            const T s0 = V::srai32(V::add32(V::add32(e0, o0), V::add32(l0, off)), 15);
            const T s1 = V::srai32(V::add32(V::add32(e1, o1), V::add32(l1, off)), 15);
            return V::packs32(s0, s1);  // 8 values, 16-bit lanes (clamped at the byte pack)
        };
        const T cb = chroma(-2426, -4769, 7193, -1213, -2385, 3596, carry_b);
        const T cr = chroma(7193, -6030, -1164, 3596, -3015, -582, carry_r);
        // Y15s per pixel: (8422 R + 16515 G + 3212 B + 540672) >> 15
        auto luma = [&](T r, T g, T b) {
            const T k = V::pair16(8422, 16515), kb = V::pair16(3212, 0), off = V::set32(540672);
            const T lo = V::srai32(V::add32(V::add32(V::madd(V::unpacklo16(r, g), k), V::madd(V::unpacklo16(b, z), kb)), off), 15);
            const T hi = V::srai32(V::add32(V::add32(V::madd(V::unpackhi16(r, g), k), V::madd(V::unpackhi16(b, z), kb)), off), 15);
            return V::packs32(lo, hi);
        };
        const T ye = luma(re, ge, be), yo = luma(ro, go, bo);  // luma of even / odd pixels, pair order
        // Cb Y0 Cr Y1: bytes of (Cb | Y0 << 8) and (Cr | Y1 << 8) interleaved as 16-bit words
        const T w0 = V::packus16(cb, cr), w1 = V::packus16(ye, yo);  // Cb0..7 Cr0..7 / Y0e..7 Y0o..7
        const T cy0 = V::unpacklo8(w0, w1), cy1 = V::unpackhi8(w0, w1);  // (Cb,Ye) and (Cr,Yo)
        V::store_unpacked(d + 2 * x, V::unpacklo16(cy0, cy1), V::unpackhi16(cy0, cy1));
    }
    tap3_pairs(PixIn<3, false>{s}, d, n, curve, body);
}

// Y row + quarter-width Cb, Cr rows (4:1:1) -> pixel order.
template <Px L, Inv R>
void v_quarter_planes_pix(const u8* py, const u8* pcb, const u8* pcr, u8* d, int n, u8 alpha) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        using T = typename V::T;
        const T y = V::load(py + x);
        // exactly the chroma samples of these pixels: never read past the row
        const T cb = widen_lo_rows<V>(load_quarter<V>(pcb + x / 4)), cr = widen_lo_rows<V>(load_quarter<V>(pcr + x / 4));
        T tr, tg, tb, r0, g0, b0, r1, g1, b1;
        chroma_terms<V, R>(cb, cr, tr, tg, tb);
        // each group's terms to its four pixels
        const T tr2 = zip16_lo_rows<V>(tr, tr), tg2 = zip16_lo_rows<V>(tg, tg), tb2 = zip16_lo_rows<V>(tb, tb);
        rgb_from_terms<V, R>(widen_lo_rows<V>(y), zip16_lo_rows<V>(tr2, tr2), zip16_lo_rows<V>(tg2, tg2), zip16_lo_rows<V>(tb2, tb2), r0, g0, b0);
        rgb_from_terms<V, R>(widen_hi_rows<V>(y), zip16_hi_rows<V>(tr2, tr2), zip16_hi_rows<V>(tg2, tg2), zip16_hi_rows<V>(tb2, tb2), r1, g1, b1);
        store_px16<V, L>(d, x, r0, r1, g0, g1, b0, b1, alpha);
    });
    constexpr int dc = L == Px::Rgb3 || L == Px::Bgr3 ? 3 : 4;
    inv_pixels<scalar_inv<R>>(SubPlanesIn<2>{py, pcb, pcr}, PixOut<dc, L != Px::Rgb3>{d, alpha}, x, n);
}

// Packed 4:2:2 -> pixel order.  Four-byte pixels take 512 bits only where they
// run at full width (cpu::full_width_512): on an Intel Xeon the 512-bit form
// measured 3-15% slower at 1920x1080 than the 256-bit one at the same level.
// W packed 4:2:2 pixels from s (2 W bytes) converted and stored at pixel x of d.
template <class V, bool CbFirst, Px L, Inv R>
QRX_INLINE void packed_pix_step(const u8* s, u8* d, int x, u8 alpha) {
    typename V::T r0, g0, b0, r1, g1, b1;
    packed_rgb16<V, CbFirst, R>(V::load(s + 2 * x), r0, g0, b0);
    packed_rgb16<V, CbFirst, R>(V::load(s + 2 * x + V::kBytes), r1, g1, b1);
    store_px16<V, L>(d, x, r0, r1, g0, g1, b0, b1, alpha);
}

template <bool CbFirst, Px L, Inv R>
void v_packed_pix(const u8* s, u8* d, int n, u8 alpha) {
    constexpr bool wide = L == Px::Bgr4 || L == Px::Bgr4A;
#if defined(__AVX512BW__)
    if constexpr (wide) {
        if (qrx::cpu::full_width_512()) {
            int x0 = 0;
            for (; x0 + 64 <= n; x0 += 64) packed_pix_step<V512, CbFirst, L, R>(s, d, x0, alpha);
            s += 2 * x0, d += 4 * x0, n -= x0;
        }
    }
#endif
#if defined(__AVX2__)
    // Four-byte pixels at 256 bits in two passes over up to 256 pixels: their
    // B, G, R bytes first, then the pixels put together from them.  One loop
    // doing both kept more constants and intermediates live than there are
    // registers (the compiler spilled) and ran slower: 1920x1080 on an AMD EPYC
    // at avx2, beside the peer, YUY2 0.88 -> 0.93-0.98, UYVY 0.87 -> 0.91-0.95.
    // Three-byte pixels gained nothing this way; written as a separate
    // function this measured 3-5% slower than inline here.  The output lines
    // are not asked for ahead as in the one-pass loop: beside the peer that
    // took 0.96 -> 1.00 (YUY2) and 0.92 -> 0.95 (UYVY).
    if constexpr (wide) {
        using V = V256;
        alignas(32) u8 planes[3][256];
        while (n >= 32) {
            const int m = std::min(256, n / 32 * 32);
            for (int x = 0; x < m; x += 32) {
                __builtin_prefetch(s + 2 * x + 1024);  // as the one-pass loop below
                typename V::T r0, g0, b0, r1, g1, b1;
                packed_rgb16<V, CbFirst, R>(V::load(s + 2 * x), r0, g0, b0);
                packed_rgb16<V, CbFirst, R>(V::load(s + 2 * x + 32), r1, g1, b1);
                // in lane order, as store_c4_of_packs takes them
                V::store(planes[0] + x, V::packus16(b0, b1));
                V::store(planes[1] + x, V::packus16(g0, g1));
                V::store(planes[2] + x, V::packus16(r0, r1));
            }
            const __m256i a = V::set16(alpha * 0x0101);
            for (int x = 0; x < m; x += 32) {
                store_c4_of_packs<V>(d + 4 * x, V::load(planes[0] + x), V::load(planes[1] + x), V::load(planes[2] + x), a);
            }
            s += 2 * m, d += 4 * m, n -= m;
        }
    }
#endif
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        // asked for 1 KiB ahead: the loads otherwise wait on memory (measured
        // about 5% faster beside the peer at 1920x1080)
        __builtin_prefetch(s + 2 * x + 1024);
        if constexpr (wide) {
            // and the four-byte output lines 2 KiB ahead, for writing
            for (int k = 0; k < 4 * V::kBytes; k += 64) __builtin_prefetch(d + 4 * x + 2048 + k, 1);
        }
        packed_pix_step<V, CbFirst, L, R>(s, d, x, alpha);
    });
    constexpr int dc = L == Px::Rgb3 || L == Px::Bgr3 ? 3 : 4;
    inv_pairs<scalar_inv<R>>(PackedIn<CbFirst>{s}, PixOut<dc, L != Px::Rgb3>{d, alpha}, x, n);
}

// Packed YCbCr 4:2:2 -> R, G, B planes, I13t.
void v_yuy_p3_i13t(const u8* s, u8* pr, u8* pg, u8* pb, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        typename V::T r0, g0, b0, r1, g1, b1;
        packed_rgb16<V, false, Inv::I13t>(V::load(s + 2 * x), r0, g0, b0);
        packed_rgb16<V, false, Inv::I13t>(V::load(s + 2 * x + V::kBytes), r1, g1, b1);
        V::store(pr + x, V::packus16_rows(r0, r1));
        V::store(pg + x, V::packus16_rows(g0, g1));
        V::store(pb + x, V::packus16_rows(b0, b1));
    });
    inv_pairs<qrx::ycbcr::i13t>(PackedIn<false>{s}, PlanesOut{pr, pg, pb}, x, n);
}

}  // namespace

namespace {
constexpr PixToPackedFn k_rgb_c3_yuy_fp_p17 = v_pix_packed<Px::Rgb3, Fwd::FpP17, false>;
constexpr PixToPackedFn k_bgr_c3_yuy_y15_p11 = v_pix_packed<Px::Bgr3, Fwd::Y15P11, false>;
constexpr PixToPackedFn k_bgr_ac4_yuy_y15_p11 = v_pix_packed<Px::Bgr4, Fwd::Y15P11, false>;
constexpr PixToPlanesFn k_bgr_c3_p3_y15_p11 = v_bgr_p3_y15_p11<Px::Bgr3>;
constexpr PixToPlanesFn k_bgr_ac4_p3_y15_p11 = v_bgr_p3_y15_p11<Px::Bgr4>;
constexpr PixToPackedFn k_bgr_ac4_uyvy_y15_p10 = v_pix_packed<Px::Bgr4, Fwd::Y15P10, true>;
constexpr PixToPackedFn k_bgr_ac4_uyvy_y15_p10_a = v_pix_packed<Px::Bgr4A, Fwd::Y15P10, true>;
constexpr PackedToPixFn k_yuy_rgb_c3_i13t = v_packed_pix<false, Px::Rgb3, Inv::I13t>;
constexpr PackedToPixFn k_yuy_bgr_c3_i13r = v_packed_pix<false, Px::Bgr3, Inv::I13r>;
constexpr PackedToPixFn k_yuy_bgr_c4_i12 = v_packed_pix<false, Px::Bgr4, Inv::I12>;
constexpr PackedToPixFn k_uyvy_rgb_c3_i13r = v_packed_pix<true, Px::Rgb3, Inv::I13r>;
constexpr PackedToPixFn k_uyvy_bgr_c4_i13r = v_packed_pix<true, Px::Bgr4, Inv::I13r>;
constexpr PackedToPixFn k_uyvy_bgr_c4_i13r_a = v_packed_pix<true, Px::Bgr4A, Inv::I13r>;
constexpr RowPairTo420Fn k_rgb_c3_420_y12_q12 = v_420<Px::Rgb3, Fwd::Y12Q12>;
constexpr RowPairTo420Fn k_bgr_c3_420_y15_q11 = v_420<Px::Bgr3, Fwd::Y15Q11>;
constexpr RowPairTo420Fn k_bgr_ac4_420_y15_q11 = v_420<Px::Bgr4, Fwd::Y15Q11>;
constexpr PlanesToPixFn k_p420_rgb_c3_i12 = v_half_planes_pix<Px::Rgb3, Inv::I12>;
constexpr PlanesToPixFn k_p420_bgr_c3_i12 = v_half_planes_pix<Px::Bgr3, Inv::I12>;
constexpr PixToPlanesFn k_bgr_c3_411_y15_q11 = v_411<Px::Bgr3>;
constexpr PixToPlanesFn k_bgr_ac4_411_y15_q11 = v_411<Px::Bgr4>;
constexpr PlanesToPackedFn k_rgb_p3_yuy_fp_p17 = v_planes_packed_fp_p17;
constexpr PackedToPlanesFn k_yuy_rgb_p3_i13t = v_yuy_p3_i13t;
constexpr PlanesToPixFn k_p3_422_rgb_c3_i13r = v_half_planes_pix<Px::Rgb3, Inv::I13r>;
constexpr PlanesToPixFn k_p411_bgr_c3_i13t = v_quarter_planes_pix<Px::Bgr3, Inv::I13t>;
constexpr PlanesToPixFn k_p411_bgr_c4_i13t = v_quarter_planes_pix<Px::Bgr4, Inv::I13t>;
constexpr Tap3Fn k_rgb_c3_uyvy_tap3 = v_tap3;
constexpr PixToPackedFn k_bgr565_yuy = v_pix_packed<Px::Bgr565, Fwd::Y15P11, false>;
constexpr PixToPackedFn k_bgr555_yuy = v_pix_packed<Px::Bgr555, Fwd::Y15P11, false>;
constexpr PixToPlanesFn k_bgr565_p3 = v_bgr_p3_y15_p11<Px::Bgr565>;
constexpr PixToPlanesFn k_bgr555_p3 = v_bgr_p3_y15_p11<Px::Bgr555>;
constexpr RowPairTo420Fn k_bgr565_420 = v_420<Px::Bgr565, Fwd::Y15Q11>;
constexpr RowPairTo420Fn k_bgr555_420 = v_420<Px::Bgr555, Fwd::Y15Q11>;
constexpr PixToPlanesFn k_bgr565_411 = v_411<Px::Bgr565>;
constexpr PixToPlanesFn k_bgr555_411 = v_411<Px::Bgr555>;
}  // namespace
