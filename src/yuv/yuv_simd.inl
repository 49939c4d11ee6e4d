// Hand-written vector bodies (SSE2; SSSE3 byte shuffles where the level has
// them), included inside the anonymous namespace of yuv_rows.inl.  Every lane
// computes the same recipe as the scalar loops: 16-bit lanes with the high
// half of signed products (mulhi = floor(a * b / 65536)), arithmetic shifts
// for the floors and unsigned saturation for the clamps.  Each kernel runs
// whole groups of 16 pixels and hands the rest of its region to the scalar
// loop with the same recipe, so results do not depend on the group size.

#if defined(__SSSE3__) || defined(__AVX2__)
#define QRX_YUV_PSHUFB 1
#else
#define QRX_YUV_PSHUFB 0
#endif

using V = __m128i;

QRX_INLINE V ld(const u8* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
QRX_INLINE V ld8(const u8* p) { return _mm_loadl_epi64(reinterpret_cast<const V*>(p)); }
QRX_INLINE void st(u8* p, V v) { _mm_storeu_si128(reinterpret_cast<V*>(p), v); }
QRX_INLINE void st8(u8* p, V v) { _mm_storel_epi64(reinterpret_cast<V*>(p), v); }
QRX_INLINE V k16(int k) { return _mm_set1_epi16(static_cast<short>(k)); }
QRX_INLINE V lo16(V b) { return _mm_unpacklo_epi8(b, _mm_setzero_si128()); }
QRX_INLINE V hi16(V b) { return _mm_unpackhi_epi8(b, _mm_setzero_si128()); }

// ---- 16 pixel-order RGB pixels (48 bytes) <-> three registers -----------------

QRX_INLINE void load_c3(const u8* p, V& a, V& b, V& c) {
    const V t00 = ld(p), t01 = ld(p + 16), t02 = ld(p + 32);
#if QRX_YUV_PSHUFB
    const V m0 = _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const V m1 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1);
    const V m2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7, 10, 13);
    const V n0 = _mm_setr_epi8(1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const V n1 = _mm_setr_epi8(-1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1);
    const V n2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14);
    const V o0 = _mm_setr_epi8(2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const V o1 = _mm_setr_epi8(-1, -1, -1, -1, -1, 1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1);
    const V o2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15);
    a = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(t00, m0), _mm_shuffle_epi8(t01, m1)), _mm_shuffle_epi8(t02, m2));
    b = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(t00, n0), _mm_shuffle_epi8(t01, n1)), _mm_shuffle_epi8(t02, n2));
    c = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(t00, o0), _mm_shuffle_epi8(t01, o1)), _mm_shuffle_epi8(t02, o2));
#else
    // five rounds of byte interleaving sort the stride-3 stream into channels
    const V t10 = _mm_unpacklo_epi8(t00, _mm_unpackhi_epi64(t01, t01));
    const V t11 = _mm_unpacklo_epi8(_mm_unpackhi_epi64(t00, t00), t02);
    const V t12 = _mm_unpacklo_epi8(t01, _mm_unpackhi_epi64(t02, t02));
    const V t20 = _mm_unpacklo_epi8(t10, _mm_unpackhi_epi64(t11, t11));
    const V t21 = _mm_unpacklo_epi8(_mm_unpackhi_epi64(t10, t10), t12);
    const V t22 = _mm_unpacklo_epi8(t11, _mm_unpackhi_epi64(t12, t12));
    const V t30 = _mm_unpacklo_epi8(t20, _mm_unpackhi_epi64(t21, t21));
    const V t31 = _mm_unpacklo_epi8(_mm_unpackhi_epi64(t20, t20), t22);
    const V t32 = _mm_unpacklo_epi8(t21, _mm_unpackhi_epi64(t22, t22));
    a = _mm_unpacklo_epi8(t30, _mm_unpackhi_epi64(t31, t31));
    b = _mm_unpacklo_epi8(_mm_unpackhi_epi64(t30, t30), t32);
    c = _mm_unpacklo_epi8(t31, _mm_unpackhi_epi64(t32, t32));
#endif
}

QRX_INLINE void store_c3(u8* p, V a, V b, V c) {
#if QRX_YUV_PSHUFB
    const V a0 = _mm_setr_epi8(0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1, 5);
    const V b0 = _mm_setr_epi8(-1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1);
    const V c0 = _mm_setr_epi8(-1, -1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1);
    const V a1 = _mm_setr_epi8(-1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10, -1);
    const V b1 = _mm_setr_epi8(5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10);
    const V c1 = _mm_setr_epi8(-1, 5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1);
    const V a2 = _mm_setr_epi8(-1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1, -1);
    const V b2 = _mm_setr_epi8(-1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1);
    const V c2 = _mm_setr_epi8(10, -1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15);
    st(p, _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a, a0), _mm_shuffle_epi8(b, b0)), _mm_shuffle_epi8(c, c0)));
    st(p + 16, _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a, a1), _mm_shuffle_epi8(b, b1)), _mm_shuffle_epi8(c, c1)));
    st(p + 32, _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a, a2), _mm_shuffle_epi8(b, b2)), _mm_shuffle_epi8(c, c2)));
#else
    // four pixels of (a, b, c, 0) per register, then each squeezed to 12 bytes
    const V z = _mm_setzero_si128();
    const V ab0 = _mm_unpacklo_epi8(a, b), ab1 = _mm_unpackhi_epi8(a, b);
    const V c0 = _mm_unpacklo_epi8(c, z), c1 = _mm_unpackhi_epi8(c, z);
    const V q[4] = {_mm_unpacklo_epi16(ab0, c0), _mm_unpackhi_epi16(ab0, c0), _mm_unpacklo_epi16(ab1, c1),
                    _mm_unpackhi_epi16(ab1, c1)};
    const V lo3 = _mm_setr_epi32(0x00ffffff, 0, 0x00ffffff, 0);  // bytes 0..2 of each qword
    const V keep6 = _mm_setr_epi32(-1, 0xffff, 0, 0);
    for (int k = 0; k < 4; ++k) {
        // each qword: pixel 0 in bytes 0..2, pixel 1 moved down to bytes 3..5 (its zero byte to 6)
        const V x = _mm_or_si128(_mm_and_si128(q[k], lo3), _mm_andnot_si128(lo3, _mm_srli_epi64(q[k], 8)));
        const V x6 = _mm_or_si128(_mm_and_si128(x, keep6), _mm_andnot_si128(keep6, _mm_srli_si128(x, 2)));
        st8(p + 12 * k, x6);
        const int tail = _mm_cvtsi128_si32(_mm_srli_si128(x6, 8));
        std::memcpy(p + 12 * k + 8, &tail, 4);
    }
#endif
}

// ---- inverse: 16 pixels from 16 Y and 8 (U, V) samples ---------------------------

// Colour terms of the pair form for 8 chroma samples, then doubled to 16 lanes.
struct InvTerms {
    V r0, r1, g0, g1, b0, b1;  // per pixel, pixels 0..7 and 8..15
};
QRX_INLINE V dup_lo(V t) { return _mm_unpacklo_epi16(t, t); }
QRX_INLINE V dup_hi(V t) { return _mm_unpackhi_epi16(t, t); }

// t(k, x) = (16 x k) >> 16 with x = sample - 128.
QRX_INLINE InvTerms pair_terms(V u8x8, V v8x8) {
    const V u = _mm_slli_epi16(_mm_sub_epi16(lo16(u8x8), k16(128)), 4);
    const V v = _mm_slli_epi16(_mm_sub_epi16(lo16(v8x8), k16(128)), 4);
    const V tr = _mm_mulhi_epi16(v, k16(9338));
    const V tg = _mm_add_epi16(_mm_mulhi_epi16(u, k16(-3227)), _mm_mulhi_epi16(v, k16(-4759)));
    const V tb = _mm_mulhi_epi16(u, k16(16645));
    return {dup_lo(tr), dup_hi(tr), dup_lo(tg), dup_hi(tg), dup_lo(tb), dup_hi(tb)};
}
// Pair form on 16 pixels: clamp((2Y + t) >> 1).
QRX_INLINE void pair_rgb(V y, const InvTerms& t, V& r, V& g, V& b) {
    const V y0 = _mm_slli_epi16(lo16(y), 1), y1 = _mm_slli_epi16(hi16(y), 1);
    r = _mm_packus_epi16(_mm_srai_epi16(_mm_add_epi16(y0, t.r0), 1), _mm_srai_epi16(_mm_add_epi16(y1, t.r1), 1));
    g = _mm_packus_epi16(_mm_srai_epi16(_mm_add_epi16(y0, t.g0), 1), _mm_srai_epi16(_mm_add_epi16(y1, t.g1), 1));
    b = _mm_packus_epi16(_mm_srai_epi16(_mm_add_epi16(y0, t.b0), 1), _mm_srai_epi16(_mm_add_epi16(y1, t.b1), 1));
}

// 16 x luma form: t(k, x) = (128 x k) >> 16; clamp((16Y + t + Round) >> 4).
template <int Round>
QRX_INLINE void y16_rgb(V y, V u8x8, V v8x8, V& r, V& g, V& b) {
    const V u = _mm_slli_epi16(_mm_sub_epi16(lo16(u8x8), k16(128)), 7);
    const V v = _mm_slli_epi16(_mm_sub_epi16(lo16(v8x8), k16(128)), 7);
    const V tr = _mm_add_epi16(_mm_mulhi_epi16(v, k16(9338)), k16(Round));
    const V tg = _mm_sub_epi16(k16(Round), _mm_add_epi16(_mm_mulhi_epi16(u, k16(3227)), _mm_mulhi_epi16(v, k16(4759))));
    const V tb = _mm_add_epi16(_mm_mulhi_epi16(u, k16(16646)), k16(Round));
    const V y0 = _mm_slli_epi16(lo16(y), 4), y1 = _mm_slli_epi16(hi16(y), 4);
    auto one = [&](V t) {
        return _mm_packus_epi16(_mm_srai_epi16(_mm_add_epi16(y0, dup_lo(t)), 4), _mm_srai_epi16(_mm_add_epi16(y1, dup_hi(t)), 4));
    };
    r = one(tr);
    g = one(tg);
    b = one(tb);
}

// Four channels (a, b, c, 0) of 16 pixels: 64 bytes.
QRX_INLINE void store_c4_zero(u8* p, V a, V b, V c) {
    const V z = _mm_setzero_si128();
    const V ab0 = _mm_unpacklo_epi8(a, b), ab1 = _mm_unpackhi_epi8(a, b);
    const V c0 = _mm_unpacklo_epi8(c, z), c1 = _mm_unpackhi_epi8(c, z);
    st(p, _mm_unpacklo_epi16(ab0, c0));
    st(p + 16, _mm_unpackhi_epi16(ab0, c0));
    st(p + 32, _mm_unpacklo_epi16(ab1, c1));
    st(p + 48, _mm_unpackhi_epi16(ab1, c1));
}


#if defined(__AVX2__)
// ---- AVX2: 32 pixels per step ------------------------------------------------------
// Registers hold pixels 0..15 in their low 128-bit lane and 16..31 in the high
// one, so the per-lane unpacks and packs of the 256-bit forms keep pixel order
// within each lane.
using W = __m256i;
QRX_INLINE W w16(int k) { return _mm256_set1_epi16(static_cast<short>(k)); }
QRX_INLINE W widen(V b) { return _mm256_cvtepu8_epi16(b); }
QRX_INLINE V lo128(W x) { return _mm256_castsi256_si128(x); }
QRX_INLINE V hi128(W x) { return _mm256_extracti128_si256(x, 1); }
QRX_INLINE W ldw(const u8* p) { return _mm256_loadu_si256(reinterpret_cast<const W*>(p)); }
QRX_INLINE void stw(u8* p, W v) { _mm256_storeu_si256(reinterpret_cast<W*>(p), v); }
QRX_INLINE W two(V lo, V hi) { return _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1); }
QRX_INLINE W bcast(V m) { return _mm256_broadcastsi128_si256(m); }

// 32 pixel-order pixels (96 bytes): each lane sorts its 48 bytes into channels
// (with VBMI, permutes across the whole register).
QRX_INLINE void load_c3_32(const u8* p, W& a, W& b, W& c) {
#if defined(__AVX512VBMI__)
    W ch[3];
    qrx::simd::load_c3_vbmi(p, ch);
    a = ch[0], b = ch[1], c = ch[2];
#else
    const W t0 = two(ld(p), ld(p + 48)), t1 = two(ld(p + 16), ld(p + 64)), t2 = two(ld(p + 32), ld(p + 80));
    auto pick = [&](V m0, V m1, V m2) {
        return _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(t0, bcast(m0)), _mm256_shuffle_epi8(t1, bcast(m1))),
                               _mm256_shuffle_epi8(t2, bcast(m2)));
    };
    a = pick(_mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
             _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1),
             _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7, 10, 13));
    b = pick(_mm_setr_epi8(1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
             _mm_setr_epi8(-1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1),
             _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14));
    c = pick(_mm_setr_epi8(2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
             _mm_setr_epi8(-1, -1, -1, -1, -1, 1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1),
             _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15));
#endif
}

// Three channels of 32 pixels into 96 bytes of pixel order.
QRX_INLINE void store_c3_32(u8* p, W a, W b, W c) {
#if defined(__AVX512VBMI__)
    const W ch[3] = {a, b, c};
    qrx::simd::store_c3_vbmi(p, ch);
#else
    auto put = [&](V ma, V mb, V mc) {
        return _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(a, bcast(ma)), _mm256_shuffle_epi8(b, bcast(mb))),
                               _mm256_shuffle_epi8(c, bcast(mc)));
    };
    const W o0 = put(_mm_setr_epi8(0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1, 5),
                     _mm_setr_epi8(-1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1, -1),
                     _mm_setr_epi8(-1, -1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1));
    const W o1 = put(_mm_setr_epi8(-1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10, -1),
                     _mm_setr_epi8(5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1, 10),
                     _mm_setr_epi8(-1, 5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1));
    const W o2 = put(_mm_setr_epi8(-1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1, -1),
                     _mm_setr_epi8(-1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15, -1),
                     _mm_setr_epi8(10, -1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15));
    stw(p, _mm256_permute2x128_si256(o0, o1, 0x20));
    stw(p + 32, _mm256_permute2x128_si256(o2, o0, 0x30));
    stw(p + 64, _mm256_permute2x128_si256(o1, o2, 0x31));
#endif
}

// Pair form on 32 pixels from 32 Y and 16 (U, V).  The chroma words are in
// order (samples 0..7 | 8..15); their per-lane duplication matches the luma
// words unpacked per lane (pixels 0..7 | 16..23 and 8..15 | 24..31).
QRX_INLINE void pair_rgb32(W yy, V u16, V v16, W& r, W& g, W& b) {
    const W u = _mm256_slli_epi16(_mm256_sub_epi16(widen(u16), w16(128)), 4);
    const W v = _mm256_slli_epi16(_mm256_sub_epi16(widen(v16), w16(128)), 4);
    const W tr = _mm256_mulhi_epi16(v, w16(9338));
    const W tg = _mm256_add_epi16(_mm256_mulhi_epi16(u, w16(-3227)), _mm256_mulhi_epi16(v, w16(-4759)));
    const W tb = _mm256_mulhi_epi16(u, w16(16645));
    const W z = _mm256_setzero_si256();
    const W y0 = _mm256_slli_epi16(_mm256_unpacklo_epi8(yy, z), 1), y1 = _mm256_slli_epi16(_mm256_unpackhi_epi8(yy, z), 1);
    auto one = [&](W t) {
        const W a = _mm256_srai_epi16(_mm256_add_epi16(y0, _mm256_unpacklo_epi16(t, t)), 1);
        const W c = _mm256_srai_epi16(_mm256_add_epi16(y1, _mm256_unpackhi_epi16(t, t)), 1);
        return _mm256_packus_epi16(a, c);
    };
    r = one(tr);
    g = one(tg);
    b = one(tb);
}

// T of 16 pixels from 16-bit R, G, B (lane-wise).
QRX_INLINE W twice_w(W r, W g, W b) {
    const W k = _mm256_setr_epi16(9798, 19235, 9798, 19235, 9798, 19235, 9798, 19235, 9798, 19235, 9798, 19235, 9798,
                                  19235, 9798, 19235);
    const W rg0 = _mm256_srai_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(r, g), k), 14);
    const W rg1 = _mm256_srai_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(r, g), k), 14);
    return _mm256_add_epi16(_mm256_packs_epi32(rg0, rg1), _mm256_mulhi_epi16(_mm256_slli_epi16(b, 2), w16(3736)));
}

// 16 x luma form on 32 pixels, clamped words: [0] pixels 0..7 | 16..23, [1] 8..15 | 24..31.
template <int Round>
QRX_INLINE void y16_words32(const u8* y, const u8* u8p, const u8* v8p, W r[2], W g[2], W b[2]) {
    const W u = _mm256_slli_epi16(_mm256_sub_epi16(widen(ld(u8p)), w16(128)), 7);
    const W v = _mm256_slli_epi16(_mm256_sub_epi16(widen(ld(v8p)), w16(128)), 7);
    const W tr = _mm256_add_epi16(_mm256_mulhi_epi16(v, w16(9338)), w16(Round));
    const W tg = _mm256_sub_epi16(w16(Round), _mm256_add_epi16(_mm256_mulhi_epi16(u, w16(3227)), _mm256_mulhi_epi16(v, w16(4759))));
    const W tb = _mm256_add_epi16(_mm256_mulhi_epi16(u, w16(16646)), w16(Round));
    const W yy = ldw(y), z = _mm256_setzero_si256();
    const W ys[2] = {_mm256_slli_epi16(_mm256_unpacklo_epi8(yy, z), 4), _mm256_slli_epi16(_mm256_unpackhi_epi8(yy, z), 4)};
    const W top = w16(255);
    for (int h = 0; h < 2; ++h) {
        auto one = [&](W t) {
            const W d = h ? _mm256_unpackhi_epi16(t, t) : _mm256_unpacklo_epi16(t, t);
            return _mm256_min_epi16(_mm256_max_epi16(_mm256_srai_epi16(_mm256_add_epi16(ys[h], d), 4), z), top);
        };
        r[h] = one(tr);
        g[h] = one(tg);
        b[h] = one(tb);
    }
}


// Pair form on 32 pixels as clamped words: [0] pixels 0..7 | 16..23, [1] 8..15 | 24..31.
QRX_INLINE void pair_words32(const u8* y, const u8* u8p, const u8* v8p, W r[2], W g[2], W b[2]) {
    const W u = _mm256_slli_epi16(_mm256_sub_epi16(widen(ld(u8p)), w16(128)), 4);
    const W v = _mm256_slli_epi16(_mm256_sub_epi16(widen(ld(v8p)), w16(128)), 4);
    const W tr = _mm256_mulhi_epi16(v, w16(9338));
    const W tg = _mm256_add_epi16(_mm256_mulhi_epi16(u, w16(-3227)), _mm256_mulhi_epi16(v, w16(-4759)));
    const W tb = _mm256_mulhi_epi16(u, w16(16645));
    const W yy = ldw(y), z = _mm256_setzero_si256();
    const W ys[2] = {_mm256_slli_epi16(_mm256_unpacklo_epi8(yy, z), 1), _mm256_slli_epi16(_mm256_unpackhi_epi8(yy, z), 1)};
    const W top = w16(255);
    for (int h = 0; h < 2; ++h) {
        auto one = [&](W t) {
            const W d = h ? _mm256_unpackhi_epi16(t, t) : _mm256_unpacklo_epi16(t, t);
            return _mm256_min_epi16(_mm256_max_epi16(_mm256_srai_epi16(_mm256_add_epi16(ys[h], d), 1), z), top);
        };
        r[h] = one(tr);
        g[h] = one(tg);
        b[h] = one(tb);
    }
}

// Words of 32 pixels (layout of pair_words32) into R, G, B, 0 pixel order (128 bytes).
QRX_INLINE void store_c4_zero_32(u8* p, const W r[2], const W g[2], const W b[2]) {
    W q[2][2];
    for (int h = 0; h < 2; ++h) {
        const W rg = _mm256_or_si256(r[h], _mm256_slli_epi16(g[h], 8));
        q[h][0] = _mm256_unpacklo_epi16(rg, b[h]);  // h = 0: pixels 0..3 | 16..19
        q[h][1] = _mm256_unpackhi_epi16(rg, b[h]);  // h = 0: pixels 4..7 | 20..23
    }
    stw(p, _mm256_permute2x128_si256(q[0][0], q[0][1], 0x20));
    stw(p + 32, _mm256_permute2x128_si256(q[1][0], q[1][1], 0x20));
    stw(p + 64, _mm256_permute2x128_si256(q[0][0], q[0][1], 0x31));
    stw(p + 96, _mm256_permute2x128_si256(q[1][0], q[1][1], 0x31));
}

template <int Bits>
QRX_INLINE W dither16(W v, W t) {
    const W v8 = _mm256_slli_epi16(v, 8);
    const W q = _mm256_mulhi_epu16(v8, w16((1 << Bits) - 1));  // (v (2^Bits - 1)) >> 8
    const W rem = _mm256_sub_epi16(v8, _mm256_mullo_epi16(q, w16(rgb16::level_step(Bits))));
    return _mm256_sub_epi16(q, _mm256_cmpgt_epi16(rem, t));
}

template <rgb16::Format F, bool SwapRB, bool Dither>
QRX_INLINE W pack16x16(W r, W g, W b, W t) {
    using L = rgb16::Layout<F>;
    W fr, fg, fb;
    if constexpr (Dither) {
        const W tg = L::kGBits == 6 ? _mm256_srli_epi16(t, 1) : t;
        fr = dither16<L::kRBBits>(r, t);
        fg = dither16<L::kGBits>(g, tg);
        fb = dither16<L::kRBBits>(b, t);
    } else {
        fr = _mm256_srli_epi16(r, 8 - L::kRBBits);
        fg = _mm256_srli_epi16(g, 8 - L::kGBits);
        fb = _mm256_srli_epi16(b, 8 - L::kRBBits);
    }
    const W high = SwapRB ? fb : fr, low = SwapRB ? fr : fb;
    return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(high, L::kHighShift), _mm256_slli_epi16(fg, L::kMidShift)), low);
}

// 4:2:2 of 32 pixels of one row (channel bytes per lane: pixels 0..15 | 16..31):
// Y in pixel order, U and V words of pairs 0..15 packed as [U 0..7, V 0..7 | U 8..15, V 8..15].
QRX_INLINE void fwd422_32(W r, W g, W b, W& y, W& uv) {
    const W one = w16(1), z = _mm256_setzero_si256();
    W t[2], ts[2], sb[2], sr[2];
    for (int h = 0; h < 2; ++h) {
        auto half = [&](W x) { return h ? _mm256_unpackhi_epi8(x, z) : _mm256_unpacklo_epi8(x, z); };
        const W rh = half(r), bh = half(b);
        t[h] = twice_w(rh, half(g), bh);
        ts[h] = _mm256_madd_epi16(t[h], one);
        sb[h] = _mm256_madd_epi16(bh, one);
        sr[h] = _mm256_madd_epi16(rh, one);
    }
    y = _mm256_packus_epi16(_mm256_srai_epi16(t[0], 1), _mm256_srai_epi16(t[1], 1));
    const W t2 = _mm256_srai_epi16(_mm256_packs_epi32(ts[0], ts[1]), 1);
    const W cu = _mm256_add_epi16(_mm256_mulhi_epi16(_mm256_sub_epi16(_mm256_packs_epi32(sb[0], sb[1]), t2), w16(16121)), w16(128));
    const W cv = _mm256_add_epi16(_mm256_mulhi_epi16(_mm256_sub_epi16(_mm256_packs_epi32(sr[0], sr[1]), t2), w16(28737)), w16(128));
    uv = _mm256_packus_epi16(cu, cv);
}

// 4:2:0 of 32 columns of two rows (channel bytes per lane: pixels 0..15 | 16..31).
QRX_INLINE void fwd420_32(const W r[2], const W g[2], const W b[2], u8* y0, u8* y1, u8* u, u8* v) {
    const W one = w16(1), z = _mm256_setzero_si256();
    W ts[2];  // twice-luma block sums: [0] blocks 0..3 | 8..11, [1] blocks 4..7 | 12..15
    W t[2][2];
    for (int h = 0; h < 2; ++h) {
        auto half = [&](W x) { return h ? _mm256_unpackhi_epi8(x, z) : _mm256_unpacklo_epi8(x, z); };
        t[0][h] = twice_w(half(r[0]), half(g[0]), half(b[0]));
        t[1][h] = twice_w(half(r[1]), half(g[1]), half(b[1]));
        ts[h] = _mm256_madd_epi16(_mm256_add_epi16(t[0][h], t[1][h]), one);
    }
    stw(y0, _mm256_packus_epi16(_mm256_srai_epi16(t[0][0], 1), _mm256_srai_epi16(t[0][1], 1)));
    stw(y1, _mm256_packus_epi16(_mm256_srai_epi16(t[1][0], 1), _mm256_srai_epi16(t[1][1], 1)));
    const W t4 = _mm256_srai_epi16(_mm256_packs_epi32(ts[0], ts[1]), 2);
    // B and R block sums straight from the bytes: sums of byte pairs, blocks in order
    const W ones8 = _mm256_set1_epi8(1);
    const W b2 = _mm256_srai_epi16(_mm256_add_epi16(_mm256_maddubs_epi16(b[0], ones8), _mm256_maddubs_epi16(b[1], ones8)), 1);
    const W r2 = _mm256_srai_epi16(_mm256_add_epi16(_mm256_maddubs_epi16(r[0], ones8), _mm256_maddubs_epi16(r[1], ones8)), 1);
    const W cu = _mm256_add_epi16(_mm256_mulhi_epi16(_mm256_sub_epi16(b2, t4), w16(16121)), w16(128));
    const W cv = _mm256_add_epi16(_mm256_mulhi_epi16(_mm256_sub_epi16(r2, t4), w16(28737)), w16(128));
    const W uv = _mm256_permute4x64_epi64(_mm256_packus_epi16(cu, cv), 0xD8);  // U 0..15 | V 0..15
    st(u, lo128(uv));
    st(v, hi128(uv));
}
#endif

#if defined(__AVX512BW__)
// ---- AVX-512: 64 pixels per step, four-byte pixels --------------------------------------
// As with AVX2, unpacks and packs stay within 128-bit lanes: word registers hold
// [0] pixels 16L..16L+7 and [1] pixels 16L+8..16L+15 in lane L.  Shifts and
// broadcasts use forms without an undefined source register (GCC 12 warns).
using Z = __m512i;
QRX_INLINE Z z16(int k) { return _mm512_set1_epi32(static_cast<int>(static_cast<std::uint16_t>(k) * 0x10001u)); }
QRX_INLINE Z zshl(Z a, int n) { return _mm512_maskz_slli_epi16(~0u, a, static_cast<unsigned>(n)); }
QRX_INLINE Z zsra(Z a, int n) { return _mm512_maskz_srai_epi16(~0u, a, static_cast<unsigned>(n)); }

// Both inverse forms on 64 pixels as clamped words.  Pair form (Scale 4):
// clamp((2Y + t) >> 1), t = (16 x k) >> 16; 16 x luma form (Scale 7):
// clamp((16Y + t + Round) >> 4), t = (128 x k) >> 16.
// Natural order: lane L of [0] holds pixels 16L..16L+7, of [1] 16L+8..16L+15.
// Grouped order (for four-byte pixels): luma and chroma are first permuted in
// 4-pixel groups so that lane L of [0] holds pixels 4L..4L+3 and 16+4L..16+4L+3,
// of [1] the same 32 further on; one 16-bit interleave then gives whole
// 16-pixel rows of output with no permute after the arithmetic.
template <int Scale, int Round, bool Grouped>
QRX_INLINE void inv_words64(const u8* y, const u8* u8p, const u8* v8p, Z r[2], Z g[2], Z b[2]) {
    constexpr bool pair = Scale == 4;
    const Z order = _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    auto arrange = [&](Z x) { return Grouped ? _mm512_maskz_permutexvar_epi32(0xFFFF, order, x) : x; };
    const Z u = zshl(_mm512_sub_epi16(arrange(_mm512_cvtepu8_epi16(ldw(u8p))), z16(128)), Scale);
    const Z v = zshl(_mm512_sub_epi16(arrange(_mm512_cvtepu8_epi16(ldw(v8p))), z16(128)), Scale);
    Z tr, tg, tb;
    if constexpr (pair) {
        tr = _mm512_mulhi_epi16(v, z16(9338));
        tg = _mm512_add_epi16(_mm512_mulhi_epi16(u, z16(-3227)), _mm512_mulhi_epi16(v, z16(-4759)));
        tb = _mm512_mulhi_epi16(u, z16(16645));
    } else {
        tr = _mm512_add_epi16(_mm512_mulhi_epi16(v, z16(9338)), z16(Round));
        tg = _mm512_sub_epi16(z16(Round), _mm512_add_epi16(_mm512_mulhi_epi16(u, z16(3227)), _mm512_mulhi_epi16(v, z16(4759))));
        tb = _mm512_add_epi16(_mm512_mulhi_epi16(u, z16(16646)), z16(Round));
    }
    const Z yy = arrange(_mm512_loadu_si512(y)), z = _mm512_setzero_si512(), top = z16(255);
    constexpr int up = pair ? 1 : 4, down = pair ? 1 : 4;
    const Z ys[2] = {zshl(_mm512_unpacklo_epi8(yy, z), up), zshl(_mm512_unpackhi_epi8(yy, z), up)};
    for (int h = 0; h < 2; ++h) {
        auto one = [&](Z t) {
            const Z d = h ? _mm512_unpackhi_epi16(t, t) : _mm512_unpacklo_epi16(t, t);
            return _mm512_min_epi16(_mm512_max_epi16(zsra(_mm512_add_epi16(ys[h], d), down), z), top);
        };
        r[h] = one(tr);
        g[h] = one(tg);
        b[h] = one(tb);
    }
}

// Words of 64 pixels in grouped order into R, G, B, 0 pixel order (256 bytes).
QRX_INLINE void store_c4_zero_64(u8* p, const Z r[2], const Z g[2], const Z b[2]) {
    for (int h = 0; h < 2; ++h) {
        const Z rg = _mm512_or_si512(r[h], zshl(g[h], 8));
        _mm512_storeu_si512(p + 128 * h, _mm512_unpacklo_epi16(rg, b[h]));       // pixels 32h + 0..15
        _mm512_storeu_si512(p + 128 * h + 64, _mm512_unpackhi_epi16(rg, b[h]));  // pixels 32h + 16..31
    }
}

// Ordered dither of one field: q + 1 where the remainder exceeds the threshold.
// q = (v (2^Bits - 1)) >> 8 is the high half of (v << 8) (2^Bits - 1), which the
// remainder needs anyway.
template <int Bits>
QRX_INLINE Z dither_z(Z v, Z t) {
    const Z v8 = zshl(v, 8);
    const Z q = _mm512_mulhi_epu16(v8, z16((1 << Bits) - 1));
    const Z rem = _mm512_sub_epi16(v8, _mm512_mullo_epi16(q, z16(rgb16::level_step(Bits))));
    return _mm512_mask_add_epi16(q, _mm512_cmpgt_epi16_mask(rem, t), q, z16(1));
}

template <rgb16::Format F, bool SwapRB, bool Dither>
QRX_INLINE Z pack16_z(Z r, Z g, Z b, Z t) {
    using L = rgb16::Layout<F>;
    Z fr, fg, fb;
    if constexpr (Dither) {
        const Z tg = L::kGBits == 6 ? _mm512_maskz_srli_epi16(~0u, t, 1) : t;
        fr = dither_z<L::kRBBits>(r, t);
        fg = dither_z<L::kGBits>(g, tg);
        fb = dither_z<L::kRBBits>(b, t);
    } else {
        fr = _mm512_maskz_srli_epi16(~0u, r, 8 - L::kRBBits);
        fg = _mm512_maskz_srli_epi16(~0u, g, 8 - L::kGBits);
        fb = _mm512_maskz_srli_epi16(~0u, b, 8 - L::kRBBits);
    }
    const Z high = SwapRB ? fb : fr, low = SwapRB ? fr : fb;
    return _mm512_or_si512(_mm512_or_si512(zshl(high, L::kHighShift), zshl(fg, L::kMidShift)), low);
}
#endif

// Planes to pixel order, n pairs; groups of 8 pairs in vectors.
template <int DC, bool BGR, Rgb (*Recipe)(int, int, int)>
void simd_inv422_p3_to_pix(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d,
                           int n) {
    int i = 0;
#if defined(__AVX512BW__)
    if constexpr (DC == 4) {
        for (; i + 32 <= n; i += 32) {
            Z r[2], g[2], b[2];
            if constexpr (Recipe == y16r)
                inv_words64<7, 8, true>(y + 2 * i, u + i, v + i, r, g, b);
            else
                inv_words64<4, 0, true>(y + 2 * i, u + i, v + i, r, g, b);
            store_c4_zero_64(d + 8 * i, r, g, b);
        }
    }
#endif
#if defined(__AVX2__)
    if constexpr (DC == 3 && Recipe == i3) {
        for (; i + 16 <= n; i += 16) {
            W r, g, b;
            pair_rgb32(ldw(y + 2 * i), ld(u + i), ld(v + i), r, g, b);
            if constexpr (BGR) std::swap(r, b);
            store_c3_32(d + 6 * i, r, g, b);
        }
    } else if constexpr (DC == 4) {
        for (; i + 16 <= n; i += 16) {
            W r[2], g[2], b[2];
            if constexpr (Recipe == y16r)
                y16_words32<8>(y + 2 * i, u + i, v + i, r, g, b);
            else
                pair_words32(y + 2 * i, u + i, v + i, r, g, b);
            store_c4_zero_32(d + 8 * i, r, g, b);
        }
    }
#endif
    for (; i + 8 <= n; i += 8) {
        V r, g, b;
        if constexpr (Recipe == y16r) {
            y16_rgb<8>(ld(y + 2 * i), ld8(u + i), ld8(v + i), r, g, b);
        } else {
            pair_rgb(ld(y + 2 * i), pair_terms(ld8(u + i), ld8(v + i)), r, g, b);
        }
        if constexpr (DC == 4)
            store_c4_zero(d + 8 * i, r, g, b);
        else if constexpr (BGR)
            store_c3(d + 6 * i, b, g, r);
        else
            store_c3(d + 6 * i, r, g, b);
    }
    inv422_p3_to_pix<DC, BGR, Recipe>(y + 2 * i, u + i, v + i, d + 2 * DC * i, n - i);
}

void simd_inv422_p3(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict r,
                    u8* __restrict g, u8* __restrict b, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 16 <= n; i += 16) {
        W wr, wg, wb;
        pair_rgb32(ldw(y + 2 * i), ld(u + i), ld(v + i), wr, wg, wb);
        stw(r + 2 * i, wr);
        stw(g + 2 * i, wg);
        stw(b + 2 * i, wb);
    }
#endif
    for (; i + 8 <= n; i += 8) {
        V vr, vg, vb;
        pair_rgb(ld(y + 2 * i), pair_terms(ld8(u + i), ld8(v + i)), vr, vg, vb);
        st(r + 2 * i, vr);
        st(g + 2 * i, vg);
        st(b + 2 * i, vb);
    }
    inv422_p3(y + 2 * i, u + i, v + i, r + 2 * i, g + 2 * i, b + 2 * i, n - i);
}

// Packed Y0 U Y1 V: 8 pairs (32 bytes) split into 16 Y, 8 U, 8 V.
void simd_inv422_c2c3(const u8* __restrict s, u8* __restrict d, int n) {
    int i = 0;
    const V lo_bytes = k16(0x00ff);
#if defined(__AVX2__)
    const W lo_w = w16(0x00ff);
    for (; i + 16 <= n; i += 16) {
        const W a = ldw(s + 4 * i), c = ldw(s + 4 * i + 32);
        // per-lane packs interleave the quarters; permute4x64 puts them back in order
        const W y = _mm256_permute4x64_epi64(_mm256_packus_epi16(_mm256_and_si256(a, lo_w), _mm256_and_si256(c, lo_w)), 0xD8);
        const W uv = _mm256_permute4x64_epi64(_mm256_packus_epi16(_mm256_srli_epi16(a, 8), _mm256_srli_epi16(c, 8)), 0xD8);
        const W uu = _mm256_packus_epi16(_mm256_and_si256(uv, lo_w), _mm256_setzero_si256());  // U 0..7 | U 8..15 in low halves
        const W vv = _mm256_packus_epi16(_mm256_srli_epi16(uv, 8), _mm256_setzero_si256());
        const V u16 = _mm_unpacklo_epi64(lo128(uu), hi128(uu));
        const V v16 = _mm_unpacklo_epi64(lo128(vv), hi128(vv));
        W r, g, b;
        pair_rgb32(y, u16, v16, r, g, b);
        store_c3_32(d + 6 * i, r, g, b);
    }
#endif
    for (; i + 8 <= n; i += 8) {
        const V a = ld(s + 4 * i), c = ld(s + 4 * i + 16);
        const V y = _mm_packus_epi16(_mm_and_si128(a, lo_bytes), _mm_and_si128(c, lo_bytes));
        const V uv = _mm_packus_epi16(_mm_srli_epi16(a, 8), _mm_srli_epi16(c, 8));
        const V u = _mm_packus_epi16(_mm_and_si128(uv, lo_bytes), _mm_setzero_si128());
        const V v = _mm_packus_epi16(_mm_srli_epi16(uv, 8), _mm_setzero_si128());
        V r, g, b;
        pair_rgb(y, pair_terms(u, v), r, g, b);
        store_c3(d + 6 * i, r, g, b);
    }
    inv422_c2c3(s + 4 * i, d + 6 * i, n - i);
}

// ---- forward: twice-luma of 16 pixels as two registers of 8 words ---------------

struct Twice {
    V lo, hi;
};
// T = ((9798 R + 19235 G) >> 14) + ((3736 B) >> 14); the R,G pair by multiply-add.
QRX_INLINE V twice8(V r, V g, V b) {
    const V k = _mm_setr_epi16(9798, 19235, 9798, 19235, 9798, 19235, 9798, 19235);
    const V rg0 = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(r, g), k), 14);
    const V rg1 = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(r, g), k), 14);
    return _mm_add_epi16(_mm_packs_epi32(rg0, rg1), _mm_mulhi_epi16(_mm_slli_epi16(b, 2), k16(3736)));
}
QRX_INLINE Twice twice16(V r, V g, V b) { return {twice8(lo16(r), lo16(g), lo16(b)), twice8(hi16(r), hi16(g), hi16(b))}; }
QRX_INLINE V luma16(const Twice& t) { return _mm_packus_epi16(_mm_srai_epi16(t.lo, 1), _mm_srai_epi16(t.hi, 1)); }
// Sums of horizontal pairs of 16 words (two registers) as 8 words.
QRX_INLINE V pair_sum(V lo, V hi) {
    const V one = k16(1);
    return _mm_packs_epi32(_mm_madd_epi16(lo, one), _mm_madd_epi16(hi, one));
}
QRX_INLINE V pair_sum_bytes(V x) { return pair_sum(lo16(x), hi16(x)); }
// clamp(((d * k) >> 16) + 128) for 8 words, as 8 bytes in the low half.
QRX_INLINE V chroma8(V d, int k) { return _mm_packus_epi16(_mm_add_epi16(_mm_mulhi_epi16(d, k16(k)), k16(128)), _mm_setzero_si128()); }

// 4:2:2: 16 pixels of one row give 16 Y and 8 (U, V).
QRX_INLINE void fwd422_16(V r, V g, V b, V& y, V& u, V& v) {
    const Twice t = twice16(r, g, b);
    y = luma16(t);
    const V st2 = _mm_srai_epi16(pair_sum(t.lo, t.hi), 1);
    u = chroma8(_mm_sub_epi16(pair_sum_bytes(b), st2), 16121);
    v = chroma8(_mm_sub_epi16(pair_sum_bytes(r), st2), 28737);
}

void simd_fwd422_c3c2(const u8* __restrict s, u8* __restrict d, int n) {
    int i = 0;
#if defined(__AVX2__)
    const W zip = bcast(_mm_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15));
    for (; i + 16 <= n; i += 16) {
        W r, g, b, y, uv;
        load_c3_32(s + 6 * i, r, g, b);
        fwd422_32(r, g, b, y, uv);
        const W uvi = _mm256_shuffle_epi8(uv, zip);  // U0 V0 U1 V1 ... per lane
        const W lo = _mm256_unpacklo_epi8(y, uvi), hi = _mm256_unpackhi_epi8(y, uvi);
        stw(d + 4 * i, _mm256_permute2x128_si256(lo, hi, 0x20));
        stw(d + 4 * i + 32, _mm256_permute2x128_si256(lo, hi, 0x31));
    }
#endif
    for (; i + 8 <= n; i += 8) {
        V r, g, b, y, u, v;
        load_c3(s + 6 * i, r, g, b);
        fwd422_16(r, g, b, y, u, v);
        const V uv = _mm_unpacklo_epi8(u, v);  // U0 V0 U1 V1 ...
        st(d + 4 * i, _mm_unpacklo_epi8(y, uv));
        st(d + 4 * i + 16, _mm_unpackhi_epi8(y, uv));
    }
    fwd422_c3c2(s + 6 * i, d + 4 * i, n - i);
}

void simd_fwd422_c3p3(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 16 <= n; i += 16) {
        W r, g, b, vy, uv;
        load_c3_32(s + 6 * i, r, g, b);
        fwd422_32(r, g, b, vy, uv);
        stw(y + 2 * i, vy);
        uv = _mm256_permute4x64_epi64(uv, 0xD8);
        st(u + i, lo128(uv));
        st(v + i, hi128(uv));
    }
#endif
    for (; i + 8 <= n; i += 8) {
        V r, g, b, vy, vu, vv;
        load_c3(s + 6 * i, r, g, b);
        fwd422_16(r, g, b, vy, vu, vv);
        st(y + 2 * i, vy);
        st8(u + i, vu);
        st8(v + i, vv);
    }
    fwd422_c3p3(s + 6 * i, y + 2 * i, u + i, v + i, n - i);
}

void simd_fwd422_p3(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b, u8* __restrict y,
                    u8* __restrict u, u8* __restrict v, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 16 <= n; i += 16) {
        W vy, uv;
        fwd422_32(ldw(r + 2 * i), ldw(g + 2 * i), ldw(b + 2 * i), vy, uv);
        stw(y + 2 * i, vy);
        uv = _mm256_permute4x64_epi64(uv, 0xD8);
        st(u + i, lo128(uv));
        st(v + i, hi128(uv));
    }
#endif
    for (; i + 8 <= n; i += 8) {
        V vy, vu, vv;
        fwd422_16(ld(r + 2 * i), ld(g + 2 * i), ld(b + 2 * i), vy, vu, vv);
        st(y + 2 * i, vy);
        st8(u + i, vu);
        st8(v + i, vv);
    }
    fwd422_p3(r + 2 * i, g + 2 * i, b + 2 * i, y + 2 * i, u + i, v + i, n - i);
}

// 4:2:0: 16 pixels of each of two rows give 2 x 16 Y and 8 (U, V).
QRX_INLINE void fwd420_16(V r0, V g0, V b0, V r1, V g1, V b1, u8* y0, u8* y1, u8* u, u8* v) {
    const Twice t0 = twice16(r0, g0, b0), t1 = twice16(r1, g1, b1);
    st(y0, luma16(t0));
    st(y1, luma16(t1));
    const V st4 = _mm_srai_epi16(pair_sum(_mm_add_epi16(t0.lo, t1.lo), _mm_add_epi16(t0.hi, t1.hi)), 2);
    const V sb = pair_sum(_mm_add_epi16(lo16(b0), lo16(b1)), _mm_add_epi16(hi16(b0), hi16(b1)));
    const V sr = pair_sum(_mm_add_epi16(lo16(r0), lo16(r1)), _mm_add_epi16(hi16(r0), hi16(r1)));
    st8(u, chroma8(_mm_sub_epi16(_mm_srai_epi16(sb, 1), st4), 16121));
    st8(v, chroma8(_mm_sub_epi16(_mm_srai_epi16(sr, 1), st4), 28737));
}

void simd_fwd420_c3(const u8* __restrict s0, const u8* __restrict s1, u8* __restrict y0, u8* __restrict y1,
                    u8* __restrict u, u8* __restrict v, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 16 <= n; i += 16) {
        W r[2], g[2], b[2];
        load_c3_32(s0 + 6 * i, r[0], g[0], b[0]);
        load_c3_32(s1 + 6 * i, r[1], g[1], b[1]);
        fwd420_32(r, g, b, y0 + 2 * i, y1 + 2 * i, u + i, v + i);
    }
#endif
    for (; i + 8 <= n; i += 8) {
        V r0, g0, b0, r1, g1, b1;
        load_c3(s0 + 6 * i, r0, g0, b0);
        load_c3(s1 + 6 * i, r1, g1, b1);
        fwd420_16(r0, g0, b0, r1, g1, b1, y0 + 2 * i, y1 + 2 * i, u + i, v + i);
    }
    fwd420_c3(s0 + 6 * i, s1 + 6 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i, n - i);
}

void simd_fwd420_p3(const u8* const r[2], const u8* const g[2], const u8* const b[2], u8* __restrict y0,
                    u8* __restrict y1, u8* __restrict u, u8* __restrict v, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 16 <= n; i += 16) {
        const int x = 2 * i;
        const W wr[2] = {ldw(r[0] + x), ldw(r[1] + x)}, wg[2] = {ldw(g[0] + x), ldw(g[1] + x)},
                wb[2] = {ldw(b[0] + x), ldw(b[1] + x)};
        fwd420_32(wr, wg, wb, y0 + x, y1 + x, u + i, v + i);
    }
#endif
    for (; i + 8 <= n; i += 8) {
        const int x = 2 * i;
        fwd420_16(ld(r[0] + x), ld(g[0] + x), ld(b[0] + x), ld(r[1] + x), ld(g[1] + x), ld(b[1] + x), y0 + x, y1 + x,
                  u + i, v + i);
    }
    const u8* rr[2] = {r[0] + 2 * i, r[1] + 2 * i};
    const u8* gg[2] = {g[0] + 2 * i, g[1] + 2 * i};
    const u8* bb[2] = {b[0] + 2 * i, b[1] + 2 * i};
    fwd420_p3(rr, gg, bb, y0 + 2 * i, y1 + 2 * i, u + i, v + i, n - i);
}

// ---- 4:4:4 ---------------------------------------------------------------------------

// Block form of 16 pixels: luma from unsigned 16-bit products floored by 256
// (mulhi of x << 8), colour differences from signed products floored by 512
// (mulhi of x << 7), then / 256 and / 64.
QRX_INLINE void blk16(V r, V g, V b, V& y, V& u, V& v) {
    V out[3][2];
    for (int h = 0; h < 2; ++h) {
        const V r16 = h ? hi16(r) : lo16(r), g16 = h ? hi16(g) : lo16(g), b16 = h ? hi16(b) : lo16(b);
        const V r8 = _mm_slli_epi16(r16, 8), g8 = _mm_slli_epi16(g16, 8), b8 = _mm_slli_epi16(b16, 8);
        const V ys = _mm_add_epi16(_mm_add_epi16(_mm_mulhi_epu16(r8, k16(19595)), _mm_mulhi_epu16(g8, k16(38469))),
                                   _mm_mulhi_epu16(b8, k16(7471)));
        out[0][h] = _mm_srli_epi16(ys, 8);
        const V r7 = _mm_slli_epi16(r16, 7), g7 = _mm_slli_epi16(g16, 7), b7 = _mm_slli_epi16(b16, 7);
        const V us = _mm_add_epi16(_mm_add_epi16(_mm_mulhi_epi16(r7, k16(-4816)), _mm_mulhi_epi16(g7, k16(-9469))),
                                   _mm_mulhi_epi16(b7, k16(14286)));
        const V vs = _mm_add_epi16(_mm_add_epi16(_mm_mulhi_epi16(r7, k16(20152)), _mm_mulhi_epi16(g7, k16(-16875))),
                                   _mm_mulhi_epi16(b7, k16(-3276)));
        out[1][h] = _mm_add_epi16(_mm_srai_epi16(us, 6), k16(128));
        out[2][h] = _mm_add_epi16(_mm_srai_epi16(vs, 6), k16(128));
    }
    y = _mm_packus_epi16(out[0][0], out[0][1]);
    u = _mm_packus_epi16(out[1][0], out[1][1]);
    v = _mm_packus_epi16(out[2][0], out[2][1]);
}

#if defined(__AVX2__)
// Block form on 32 pixels (channel bytes per lane; outputs in the same layout).
QRX_INLINE void blk32(W r, W g, W b, W& y, W& u, W& v) {
    const W z = _mm256_setzero_si256();
    W out[3][2];
    for (int h = 0; h < 2; ++h) {
        auto half = [&](W x) { return h ? _mm256_unpackhi_epi8(x, z) : _mm256_unpacklo_epi8(x, z); };
        const W r16 = half(r), g16 = half(g), b16 = half(b);
        const W r8 = _mm256_slli_epi16(r16, 8), g8 = _mm256_slli_epi16(g16, 8), b8 = _mm256_slli_epi16(b16, 8);
        const W ys = _mm256_add_epi16(_mm256_add_epi16(_mm256_mulhi_epu16(r8, w16(19595)), _mm256_mulhi_epu16(g8, w16(38469))),
                                      _mm256_mulhi_epu16(b8, w16(7471)));
        out[0][h] = _mm256_srli_epi16(ys, 8);
        const W r7 = _mm256_slli_epi16(r16, 7), g7 = _mm256_slli_epi16(g16, 7), b7 = _mm256_slli_epi16(b16, 7);
        const W us = _mm256_add_epi16(_mm256_add_epi16(_mm256_mulhi_epi16(r7, w16(-4816)), _mm256_mulhi_epi16(g7, w16(-9469))),
                                      _mm256_mulhi_epi16(b7, w16(14286)));
        const W vs = _mm256_add_epi16(_mm256_add_epi16(_mm256_mulhi_epi16(r7, w16(20152)), _mm256_mulhi_epi16(g7, w16(-16875))),
                                      _mm256_mulhi_epi16(b7, w16(-3276)));
        out[1][h] = _mm256_add_epi16(_mm256_srai_epi16(us, 6), w16(128));
        out[2][h] = _mm256_add_epi16(_mm256_srai_epi16(vs, 6), w16(128));
    }
    y = _mm256_packus_epi16(out[0][0], out[0][1]);
    u = _mm256_packus_epi16(out[1][0], out[1][1]);
    v = _mm256_packus_epi16(out[2][0], out[2][1]);
}

// I1 on 32 pixels (channel bytes per lane).
QRX_INLINE void i1_32(W y, W u, W v, W& r, W& g, W& b) {
    const W z = _mm256_setzero_si256();
    W o[3][2];
    for (int h = 0; h < 2; ++h) {
        auto half = [&](W x) { return h ? _mm256_unpackhi_epi8(x, z) : _mm256_unpacklo_epi8(x, z); };
        const W y16 = half(y);
        const W u8 = _mm256_slli_epi16(_mm256_sub_epi16(half(u), w16(128)), 3);
        const W v8 = _mm256_slli_epi16(_mm256_sub_epi16(half(v), w16(128)), 3);
        o[0][h] = _mm256_add_epi16(y16, _mm256_mulhi_epi16(v8, w16(9339)));
        o[1][h] = _mm256_add_epi16(_mm256_add_epi16(y16, _mm256_mulhi_epi16(u8, w16(-3228))), _mm256_mulhi_epi16(v8, w16(-4760)));
        o[2][h] = _mm256_add_epi16(y16, _mm256_mulhi_epi16(u8, w16(16646)));
    }
    r = _mm256_packus_epi16(o[0][0], o[0][1]);
    g = _mm256_packus_epi16(o[1][0], o[1][1]);
    b = _mm256_packus_epi16(o[2][0], o[2][1]);
}

// I2 on 32 pixels: t(k, x) = (64 x k) >> 16.
QRX_INLINE void i2_32(W y, W u, W v, W& r, W& g, W& b) {
    const W z = _mm256_setzero_si256();
    W o[3][2];
    for (int h = 0; h < 2; ++h) {
        auto half = [&](W x) { return h ? _mm256_unpackhi_epi8(x, z) : _mm256_unpacklo_epi8(x, z); };
        const W y16 = half(y);
        const W u6 = _mm256_slli_epi16(_mm256_sub_epi16(half(u), w16(128)), 6);
        const W v6 = _mm256_slli_epi16(_mm256_sub_epi16(half(v), w16(128)), 6);
        o[0][h] = _mm256_add_epi16(y16, _mm256_srai_epi16(_mm256_mulhi_epi16(v6, w16(18677)), 4));
        o[1][h] = _mm256_sub_epi16(
            y16, _mm256_srai_epi16(_mm256_add_epi16(_mm256_mulhi_epi16(v6, w16(9519)), _mm256_mulhi_epi16(u6, w16(6455))), 4));
        o[2][h] = _mm256_add_epi16(y16, _mm256_srai_epi16(_mm256_mulhi_epi16(u6, w16(16646)), 3));
    }
    r = _mm256_packus_epi16(o[0][0], o[0][1]);
    g = _mm256_packus_epi16(o[1][0], o[1][1]);
    b = _mm256_packus_epi16(o[2][0], o[2][1]);
}

// I3 on 32 pixels with their own chroma: clamp((2Y + (16x k) >> 16) >> 1).
QRX_INLINE void i3_32(W y, W u, W v, W& r, W& g, W& b) {
    const W z = _mm256_setzero_si256();
    W o[3][2];
    for (int h = 0; h < 2; ++h) {
        auto half = [&](W x) { return h ? _mm256_unpackhi_epi8(x, z) : _mm256_unpacklo_epi8(x, z); };
        const W y2 = _mm256_slli_epi16(half(y), 1);
        const W u4 = _mm256_slli_epi16(_mm256_sub_epi16(half(u), w16(128)), 4);
        const W v4 = _mm256_slli_epi16(_mm256_sub_epi16(half(v), w16(128)), 4);
        o[0][h] = _mm256_srai_epi16(_mm256_add_epi16(y2, _mm256_mulhi_epi16(v4, w16(9338))), 1);
        o[1][h] = _mm256_srai_epi16(
            _mm256_add_epi16(_mm256_add_epi16(y2, _mm256_mulhi_epi16(u4, w16(-3227))), _mm256_mulhi_epi16(v4, w16(-4759))), 1);
        o[2][h] = _mm256_srai_epi16(_mm256_add_epi16(y2, _mm256_mulhi_epi16(u4, w16(16645))), 1);
    }
    r = _mm256_packus_epi16(o[0][0], o[0][1]);
    g = _mm256_packus_epi16(o[1][0], o[1][1]);
    b = _mm256_packus_epi16(o[2][0], o[2][1]);
}
#endif

void simd_fwd_c3_blk(const u8* __restrict s, u8* __restrict d, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 32 <= n; i += 32) {
        W r, g, b, y, u, v;
        load_c3_32(s + 3 * i, r, g, b);
        blk32(r, g, b, y, u, v);
        store_c3_32(d + 3 * i, y, u, v);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        V r, g, b, y, u, v;
        load_c3(s + 3 * i, r, g, b);
        blk16(r, g, b, y, u, v);
        store_c3(d + 3 * i, y, u, v);
    }
    fwd_pix<3, 3, blk>(s + 3 * i, d + 3 * i, n - i);
}

void simd_fwd_c3p3_blk(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 32 <= n; i += 32) {
        W r, g, b, vy, vu, vv;
        load_c3_32(s + 3 * i, r, g, b);
        blk32(r, g, b, vy, vu, vv);
        stw(y + i, vy);
        stw(u + i, vu);
        stw(v + i, vv);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        V r, g, b, vy, vu, vv;
        load_c3(s + 3 * i, r, g, b);
        blk16(r, g, b, vy, vu, vv);
        st(y + i, vy);
        st(u + i, vu);
        st(v + i, vv);
    }
    fwd_pix_to_planes<blk>(s + 3 * i, y + i, u + i, v + i, n - i);
}

void simd_fwd_p3_blk(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b, u8* __restrict y,
                     u8* __restrict u, u8* __restrict v, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 32 <= n; i += 32) {
        W vy, vu, vv;
        blk32(ldw(r + i), ldw(g + i), ldw(b + i), vy, vu, vv);
        stw(y + i, vy);
        stw(u + i, vu);
        stw(v + i, vv);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        V vy, vu, vv;
        blk16(ld(r + i), ld(g + i), ld(b + i), vy, vu, vv);
        st(y + i, vy);
        st(u + i, vu);
        st(v + i, vv);
    }
    fwd_p3_blk(r + i, g + i, b + i, y + i, u + i, v + i, n - i);
}

// Four-channel pixels: 16 pixels (64 bytes) into channel bytes 0, 1, 2.
QRX_INLINE void load_c4(const u8* p, V& a, V& b, V& c) {
    const V m = k16(0x00ff);
    const V q0 = ld(p), q1 = ld(p + 16), q2 = ld(p + 32), q3 = ld(p + 48);
    // bytes 0 and 2 of each pixel, then 1 and 3
    const V e01 = _mm_packus_epi16(_mm_and_si128(q0, m), _mm_and_si128(q1, m));
    const V e23 = _mm_packus_epi16(_mm_and_si128(q2, m), _mm_and_si128(q3, m));
    const V o01 = _mm_packus_epi16(_mm_srli_epi16(q0, 8), _mm_srli_epi16(q1, 8));
    const V o23 = _mm_packus_epi16(_mm_srli_epi16(q2, 8), _mm_srli_epi16(q3, 8));
    a = _mm_packus_epi16(_mm_and_si128(e01, m), _mm_and_si128(e23, m));
    c = _mm_packus_epi16(_mm_srli_epi16(e01, 8), _mm_srli_epi16(e23, 8));
    b = _mm_packus_epi16(_mm_and_si128(o01, m), _mm_and_si128(o23, m));
}
// Channel bytes 0, 1, 2 of 16 pixels into pixel order, byte 3 kept from the destination.
QRX_INLINE void store_c4_keep(u8* p, V a, V b, V c) {
    const V z = _mm_setzero_si128();
    const V alpha = _mm_set1_epi32(static_cast<int>(0xff000000u));
    const V ab0 = _mm_unpacklo_epi8(a, b), ab1 = _mm_unpackhi_epi8(a, b);
    const V c0 = _mm_unpacklo_epi8(c, z), c1 = _mm_unpackhi_epi8(c, z);
    const V q[4] = {_mm_unpacklo_epi16(ab0, c0), _mm_unpackhi_epi16(ab0, c0), _mm_unpacklo_epi16(ab1, c1),
                    _mm_unpackhi_epi16(ab1, c1)};
    for (int k = 0; k < 4; ++k) st(p + 16 * k, _mm_or_si128(q[k], _mm_and_si128(ld(p + 16 * k), alpha)));
}

// Split form: (x R + y G) >> 15 by multiply-add, plus (z B) >> 15 as mulhi of B << 1.
QRX_INLINE V split8(V r, V g, V b, int kr, int kg, int kb) {
    const V k = _mm_setr_epi16(static_cast<short>(kr), static_cast<short>(kg), static_cast<short>(kr), static_cast<short>(kg),
                               static_cast<short>(kr), static_cast<short>(kg), static_cast<short>(kr), static_cast<short>(kg));
    const V a = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(r, g), k), 15);
    const V c = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(r, g), k), 15);
    return _mm_add_epi16(_mm_packs_epi32(a, c), _mm_mulhi_epi16(_mm_slli_epi16(b, 1), k16(kb)));
}

#if defined(__AVX2__)
// 32 four-channel pixels (128 bytes) into channel bytes 0, 1, 2 (pixels 0..15 | 16..31).
QRX_INLINE void load_c4_32(const u8* p, W& a, W& b, W& c) {
    const W q0 = ldw(p), q1 = ldw(p + 32), q2 = ldw(p + 64), q3 = ldw(p + 96);
    const W group = bcast(_mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
    // four pixels per lane quarter, channels grouped as dwords
    const W x0 = _mm256_shuffle_epi8(_mm256_permute2x128_si256(q0, q2, 0x20), group);  // 0..3 | 16..19
    const W x1 = _mm256_shuffle_epi8(_mm256_permute2x128_si256(q0, q2, 0x31), group);  // 4..7 | 20..23
    const W x2 = _mm256_shuffle_epi8(_mm256_permute2x128_si256(q1, q3, 0x20), group);  // 8..11 | 24..27
    const W x3 = _mm256_shuffle_epi8(_mm256_permute2x128_si256(q1, q3, 0x31), group);  // 12..15 | 28..31
    const W lo01 = _mm256_unpacklo_epi32(x0, x1), lo23 = _mm256_unpacklo_epi32(x2, x3);
    const W hi01 = _mm256_unpackhi_epi32(x0, x1), hi23 = _mm256_unpackhi_epi32(x2, x3);
    a = _mm256_unpacklo_epi64(lo01, lo23);
    b = _mm256_unpackhi_epi64(lo01, lo23);
    c = _mm256_unpacklo_epi64(hi01, hi23);
}

// Channel bytes 0, 1, 2 of 32 pixels into pixel order, byte 3 kept from the destination.
QRX_INLINE void store_c4_keep_32(u8* p, W a, W b, W c) {
    const W z = _mm256_setzero_si256();
    const W alpha = _mm256_set1_epi32(static_cast<int>(0xff000000u));
    const W ab0 = _mm256_unpacklo_epi8(a, b), ab1 = _mm256_unpackhi_epi8(a, b);
    const W c0 = _mm256_unpacklo_epi8(c, z), c1 = _mm256_unpackhi_epi8(c, z);
    const W qa = _mm256_unpacklo_epi16(ab0, c0), qb = _mm256_unpackhi_epi16(ab0, c0);  // 0..3|16..19, 4..7|20..23
    const W qc = _mm256_unpacklo_epi16(ab1, c1), qd = _mm256_unpackhi_epi16(ab1, c1);  // 8..11|24..27, 12..15|28..31
    const W out[4] = {_mm256_permute2x128_si256(qa, qb, 0x20), _mm256_permute2x128_si256(qc, qd, 0x20),
                      _mm256_permute2x128_si256(qa, qb, 0x31), _mm256_permute2x128_si256(qc, qd, 0x31)};
    for (int k = 0; k < 4; ++k) stw(p + 32 * k, _mm256_or_si256(out[k], _mm256_and_si256(ldw(p + 32 * k), alpha)));
}

// Split form of 16 pixels in 16-bit lanes (per-lane order kept).
QRX_INLINE W split16(W r, W g, W b, int kr, int kg, int kb) {
    const W k = _mm256_set1_epi32(static_cast<int>((static_cast<unsigned>(kg) << 16) | (static_cast<unsigned>(kr) & 0xffffu)));
    const W lo = _mm256_srai_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(r, g), k), 15);
    const W hi = _mm256_srai_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(r, g), k), 15);
    return _mm256_add_epi16(_mm256_packs_epi32(lo, hi), _mm256_mulhi_epi16(_mm256_slli_epi16(b, 1), w16(kb)));
}
#endif

void simd_fwd_ac4_split(const u8* __restrict s, u8* __restrict d, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 32 <= n; i += 32) {
        _mm_prefetch(reinterpret_cast<const char*>(d + 4 * i + 512), _MM_HINT_T0);
        W r, g, b;
        load_c4_32(s + 4 * i, r, g, b);
        const W z = _mm256_setzero_si256();
        W o[3][2];
        for (int h = 0; h < 2; ++h) {
            auto half = [&](W x) { return h ? _mm256_unpackhi_epi8(x, z) : _mm256_unpacklo_epi8(x, z); };
            const W r16 = half(r), g16 = half(g), b16 = half(b);
            o[0][h] = split16(r16, g16, b16, 9798, 19235, 3736);
            o[1][h] = _mm256_add_epi16(split16(r16, g16, b16, -4817, -9470, 14287), w16(128));
            o[2][h] = _mm256_add_epi16(split16(r16, g16, b16, 20152, -16876, -3277), w16(128));
        }
        store_c4_keep_32(d + 4 * i, _mm256_packus_epi16(o[0][0], o[0][1]), _mm256_packus_epi16(o[1][0], o[1][1]),
                         _mm256_packus_epi16(o[2][0], o[2][1]));
    }
#endif
    for (; i + 16 <= n; i += 16) {
        V r, g, b;
        // the destination is read for its alpha bytes: ask for it early
        _mm_prefetch(reinterpret_cast<const char*>(d + 4 * i + 512), _MM_HINT_T0);
        load_c4(s + 4 * i, r, g, b);
        V o[3][2];
        for (int h = 0; h < 2; ++h) {
            const V r16 = h ? hi16(r) : lo16(r), g16 = h ? hi16(g) : lo16(g), b16 = h ? hi16(b) : lo16(b);
            o[0][h] = split8(r16, g16, b16, 9798, 19235, 3736);
            o[1][h] = _mm_add_epi16(split8(r16, g16, b16, -4817, -9470, 14287), k16(128));
            o[2][h] = _mm_add_epi16(split8(r16, g16, b16, 20152, -16876, -3277), k16(128));
        }
        store_c4_keep(d + 4 * i, _mm_packus_epi16(o[0][0], o[0][1]), _mm_packus_epi16(o[1][0], o[1][1]),
                      _mm_packus_epi16(o[2][0], o[2][1]));
    }
    fwd_pix<4, 4, split_ac4>(s + 4 * i, d + 4 * i, n - i);
}

// I1 on 16 pixels: Y + (8x k) >> 16.
QRX_INLINE void i1_16(V y, V u, V v, V& r, V& g, V& b) {
    V o[3][2];
    for (int h = 0; h < 2; ++h) {
        const V y16 = h ? hi16(y) : lo16(y);
        const V u8 = _mm_slli_epi16(_mm_sub_epi16(h ? hi16(u) : lo16(u), k16(128)), 3);
        const V v8 = _mm_slli_epi16(_mm_sub_epi16(h ? hi16(v) : lo16(v), k16(128)), 3);
        o[0][h] = _mm_add_epi16(y16, _mm_mulhi_epi16(v8, k16(9339)));
        o[1][h] = _mm_add_epi16(_mm_add_epi16(y16, _mm_mulhi_epi16(u8, k16(-3228))), _mm_mulhi_epi16(v8, k16(-4760)));
        o[2][h] = _mm_add_epi16(y16, _mm_mulhi_epi16(u8, k16(16646)));
    }
    r = _mm_packus_epi16(o[0][0], o[0][1]);
    g = _mm_packus_epi16(o[1][0], o[1][1]);
    b = _mm_packus_epi16(o[2][0], o[2][1]);
}

void simd_inv_c3_i1(const u8* __restrict s, u8* __restrict d, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 32 <= n; i += 32) {
        W y, u, v, r, g, b;
        load_c3_32(s + 3 * i, y, u, v);
        i1_32(y, u, v, r, g, b);
        store_c3_32(d + 3 * i, r, g, b);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        V y, u, v, r, g, b;
        load_c3(s + 3 * i, y, u, v);
        i1_16(y, u, v, r, g, b);
        store_c3(d + 3 * i, r, g, b);
    }
    inv_pix<3, 3, i1>(s + 3 * i, d + 3 * i, n - i);
}

void simd_inv_ac4_i1(const u8* __restrict s, u8* __restrict d, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 32 <= n; i += 32) {
        _mm_prefetch(reinterpret_cast<const char*>(d + 4 * i + 512), _MM_HINT_T0);
        W y, u, v, r, g, b;
        load_c4_32(s + 4 * i, y, u, v);
        i1_32(y, u, v, r, g, b);
        store_c4_keep_32(d + 4 * i, r, g, b);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        V y, u, v, r, g, b;
        _mm_prefetch(reinterpret_cast<const char*>(d + 4 * i + 512), _MM_HINT_T0);
        load_c4(s + 4 * i, y, u, v);
        i1_16(y, u, v, r, g, b);
        store_c4_keep(d + 4 * i, r, g, b);
    }
    inv_pix<4, 4, i1>(s + 4 * i, d + 4 * i, n - i);
}

// I2 on 16 pixels: t(k, x) = (64 x k) >> 16.
void simd_inv_p3_i2(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict r,
                    u8* __restrict g, u8* __restrict b, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 32 <= n; i += 32) {
        W wr, wg, wb;
        i2_32(ldw(y + i), ldw(u + i), ldw(v + i), wr, wg, wb);
        stw(r + i, wr);
        stw(g + i, wg);
        stw(b + i, wb);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        const V vy = ld(y + i), vu = ld(u + i), vv = ld(v + i);
        V o[3][2];
        for (int h = 0; h < 2; ++h) {
            const V y16 = h ? hi16(vy) : lo16(vy);
            const V u6 = _mm_slli_epi16(_mm_sub_epi16(h ? hi16(vu) : lo16(vu), k16(128)), 6);
            const V v6 = _mm_slli_epi16(_mm_sub_epi16(h ? hi16(vv) : lo16(vv), k16(128)), 6);
            o[0][h] = _mm_add_epi16(y16, _mm_srai_epi16(_mm_mulhi_epi16(v6, k16(18677)), 4));
            o[1][h] = _mm_sub_epi16(
                y16, _mm_srai_epi16(_mm_add_epi16(_mm_mulhi_epi16(v6, k16(9519)), _mm_mulhi_epi16(u6, k16(6455))), 4));
            o[2][h] = _mm_add_epi16(y16, _mm_srai_epi16(_mm_mulhi_epi16(u6, k16(16646)), 3));
        }
        st(r + i, _mm_packus_epi16(o[0][0], o[0][1]));
        st(g + i, _mm_packus_epi16(o[1][0], o[1][1]));
        st(b + i, _mm_packus_epi16(o[2][0], o[2][1]));
    }
    inv_planes<i2>(y + i, u + i, v + i, r + i, g + i, b + i, n - i);
}

// I3 on 16 pixels with their own chroma: clamp((2Y + (16x k) >> 16) >> 1).
void simd_inv_p3c3_i3(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d, int n) {
    int i = 0;
#if defined(__AVX2__)
    for (; i + 32 <= n; i += 32) {
        W wr, wg, wb;
        i3_32(ldw(y + i), ldw(u + i), ldw(v + i), wr, wg, wb);
        store_c3_32(d + 3 * i, wr, wg, wb);
    }
#endif
    for (; i + 16 <= n; i += 16) {
        const V vy = ld(y + i), vu = ld(u + i), vv = ld(v + i);
        V o[3][2];
        for (int h = 0; h < 2; ++h) {
            const V y2 = _mm_slli_epi16(h ? hi16(vy) : lo16(vy), 1);
            const V u4 = _mm_slli_epi16(_mm_sub_epi16(h ? hi16(vu) : lo16(vu), k16(128)), 4);
            const V v4 = _mm_slli_epi16(_mm_sub_epi16(h ? hi16(vv) : lo16(vv), k16(128)), 4);
            o[0][h] = _mm_srai_epi16(_mm_add_epi16(y2, _mm_mulhi_epi16(v4, k16(9338))), 1);
            o[1][h] = _mm_srai_epi16(
                _mm_add_epi16(_mm_add_epi16(y2, _mm_mulhi_epi16(u4, k16(-3227))), _mm_mulhi_epi16(v4, k16(-4759))), 1);
            o[2][h] = _mm_srai_epi16(_mm_add_epi16(y2, _mm_mulhi_epi16(u4, k16(16645))), 1);
        }
        store_c3(d + 3 * i, _mm_packus_epi16(o[0][0], o[0][1]), _mm_packus_epi16(o[1][0], o[1][1]),
                 _mm_packus_epi16(o[2][0], o[2][1]));
    }
    inv_planes_to_c3<i3>(y + i, u + i, v + i, d + 3 * i, n - i);
}

// ---- 4:2:0 to 16-bit packed ------------------------------------------------------------

// One dithered field of 8 channel values: level q = (v (2^n - 1)) >> 8, remainder
// 256 v - q u (always within 0..32767, so 16-bit wrap-around arithmetic is exact),
// q + 1 where the remainder exceeds the threshold.
template <int Bits>
QRX_INLINE V dither8(V v, V t) {
    const V v8 = _mm_slli_epi16(v, 8);
    const V q = _mm_mulhi_epu16(v8, k16((1 << Bits) - 1));  // (v (2^Bits - 1)) >> 8
    const V rem = _mm_sub_epi16(v8, _mm_mullo_epi16(q, k16(rgb16::level_step(Bits))));
    return _mm_sub_epi16(q, _mm_cmpgt_epi16(rem, t));
}

template <rgb16::Format F, bool SwapRB, bool Dither>
QRX_INLINE void pack16x8(u16* d, V r, V g, V b, V t) {
    using L = rgb16::Layout<F>;
    V fr, fg, fb;
    if constexpr (Dither) {
        const V tg = L::kGBits == 6 ? _mm_srli_epi16(t, 1) : t;
        fr = dither8<L::kRBBits>(r, t);
        fg = dither8<L::kGBits>(g, tg);
        fb = dither8<L::kRBBits>(b, t);
    } else {
        fr = _mm_srli_epi16(r, 8 - L::kRBBits);
        fg = _mm_srli_epi16(g, 8 - L::kGBits);
        fb = _mm_srli_epi16(b, 8 - L::kRBBits);
    }
    const V high = SwapRB ? fb : fr, low = SwapRB ? fr : fb;
    const V w = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(high, L::kHighShift), _mm_slli_epi16(fg, L::kMidShift)), low);
    _mm_storeu_si128(reinterpret_cast<V*>(d), w);
}

template <rgb16::Format F, bool SwapRB, bool Dither>
QRX_INLINE void rgb16_groups(const u8* y, const u8* u, const u8* v, u16* d, int& i, int n, int x0, int row) {
    // thresholds of this row for pixels x0 + 8k .. x0 + 8k + 7 (period 4)
    int t[8];
    for (int k = 0; k < 8; ++k) t[k] = rgb16::dither_threshold<F>(x0 + k, row);
    const V tv = _mm_setr_epi16(static_cast<short>(t[0]), static_cast<short>(t[1]), static_cast<short>(t[2]),
                                static_cast<short>(t[3]), static_cast<short>(t[4]), static_cast<short>(t[5]),
                                static_cast<short>(t[6]), static_cast<short>(t[7]));
#if defined(__AVX512BW__)
    // every 128-bit lane holds 8 pixels starting at a multiple of 8: the same thresholds
    const Z tz = _mm512_maskz_broadcast_i32x4(0xFFFF, tv);
    for (; i + 32 <= n; i += 32) {
        Z r[2], g[2], b[2];
        inv_words64<7, 0, false>(y + 2 * i, u + i, v + i, r, g, b);
        const Z w0 = pack16_z<F, SwapRB, Dither>(r[0], g[0], b[0], tz);  // lane L: pixels 16L..16L+7
        const Z w1 = pack16_z<F, SwapRB, Dither>(r[1], g[1], b[1], tz);  // lane L: pixels 16L+8..16L+15
        u8* p = reinterpret_cast<u8*>(d + 2 * i);
        _mm512_storeu_si512(p, _mm512_permutex2var_epi64(w0, _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11), w1));
        _mm512_storeu_si512(p + 64, _mm512_permutex2var_epi64(w0, _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15), w1));
    }
#endif
#if defined(__AVX2__)
    const W tw = _mm256_broadcastsi128_si256(tv);
    for (; i + 16 <= n; i += 16) {
        W r[2], g[2], b[2];
        y16_words32<0>(y + 2 * i, u + i, v + i, r, g, b);
        const W w0 = pack16x16<F, SwapRB, Dither>(r[0], g[0], b[0], tw);  // pixels 0..7 | 16..23
        const W w1 = pack16x16<F, SwapRB, Dither>(r[1], g[1], b[1], tw);  // pixels 8..15 | 24..31
        u8* p = reinterpret_cast<u8*>(d + 2 * i);
        stw(p, _mm256_permute2x128_si256(w0, w1, 0x20));
        stw(p + 32, _mm256_permute2x128_si256(w0, w1, 0x31));
    }
#endif
    for (; i + 8 <= n; i += 8) {
        V r, g, b;
        y16_rgb<0>(ld(y + 2 * i), ld8(u + i), ld8(v + i), r, g, b);
        pack16x8<F, SwapRB, Dither>(d + 2 * i, lo16(r), lo16(g), lo16(b), tv);
        pack16x8<F, SwapRB, Dither>(d + 2 * i + 8, hi16(r), hi16(g), hi16(b), tv);
    }
}

template <rgb16::Format F, bool SwapRB>
void simd_rgb16_plain(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u16* __restrict d, int n) {
    int i = 0;
    rgb16_groups<F, SwapRB, false>(y, u, v, d, i, n, 0, 0);
    rgb16_plain<F, SwapRB>(y + 2 * i, u + i, v + i, d + 2 * i, n - i);
}

template <rgb16::Format F, bool SwapRB>
void simd_rgb16_dither(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u16* __restrict d,
                       int n, int x0, int row) {
    int i = 0;
    rgb16_groups<F, SwapRB, true>(y, u, v, d, i, n, x0, row);
    rgb16_dither<F, SwapRB>(y + 2 * i, u + i, v + i, d + 2 * i, n - i, x0 + 2 * i, row);
}

// ---- 16-bit packed BGR to 4:2:0 ------------------------------------------------------

// 8 words into widened 8-bit B, G, R (16-bit lanes): fields moved to the top of the
// lane and shifted down, no bit replication.
template <bool Is565>
QRX_INLINE void unpack8(V w, V& r, V& g, V& b) {
    b = _mm_slli_epi16(_mm_and_si128(w, k16(0x1f)), 3);
    if constexpr (Is565) {
        g = _mm_slli_epi16(_mm_srli_epi16(_mm_slli_epi16(w, 5), 10), 2);
        r = _mm_slli_epi16(_mm_srli_epi16(w, 11), 3);
    } else {
        g = _mm_slli_epi16(_mm_srli_epi16(_mm_slli_epi16(w, 6), 11), 3);
        r = _mm_slli_epi16(_mm_srli_epi16(_mm_slli_epi16(w, 1), 11), 3);
    }
}

// F = 19595 R + 38470 G + 7471 B of 8 pixels as two registers of 4 dwords.
QRX_INLINE void qf8(V r, V g, V b, V& f0, V& f1) {
    const V krg = _mm_setr_epi16(19595, 0, 19595, 0, 19595, 0, 19595, 0);  // R in even words only
    // 38470 does not fit a signed word: G (38470) = G (19235) * 2
    const V kgb = _mm_setr_epi16(19235, 7471, 19235, 7471, 19235, 7471, 19235, 7471);
    const V g2 = _mm_slli_epi16(g, 1);
    const V z = _mm_setzero_si128();
    f0 = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(r, z), krg), _mm_madd_epi16(_mm_unpacklo_epi16(g2, b), kgb));
    f1 = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(r, z), krg), _mm_madd_epi16(_mm_unpackhi_epi16(g2, b), kgb));
}

// Sums of adjacent dword pairs of two registers (8 dwords -> 4 dwords).
QRX_INLINE V hadd_pairs32(V a, V b) {
    const V lo = _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(a), _mm_castsi128_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
    const V hi = _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(a), _mm_castsi128_ps(b), _MM_SHUFFLE(3, 1, 3, 1)));
    return _mm_add_epi32(lo, hi);
}

#if defined(__AVX2__)
// The same steps on 16 (AVX2) or 32 (AVX-512) pixels per row, written once
// against a trait.  Per-lane unpacks and packs leave each 128-bit lane with
// its own 8 pixels; the pair sums come out in block order within the lane and
// the final gathers put Y, U and V in row order.
struct Bgr16W {
    using T = __m256i;
    static constexpr int kBlocks = 8;
    static T load(const u16* p) { return _mm256_loadu_si256(reinterpret_cast<const T*>(p)); }
    static T set16(int k) { return _mm256_set1_epi16(static_cast<short>(k)); }
    static T set32(int k) { return _mm256_set1_epi32(k); }
    static T rep2(int a, int b) { return set32(static_cast<int>((static_cast<unsigned>(b) << 16) | static_cast<std::uint16_t>(a))); }
    static T zero() { return _mm256_setzero_si256(); }
    static T and_(T a, T b) { return _mm256_and_si256(a, b); }
    static T slli16(T a, int n) { return _mm256_slli_epi16(a, n); }
    static T srli16(T a, int n) { return _mm256_srli_epi16(a, n); }
    static T slli32(T a, int n) { return _mm256_slli_epi32(a, n); }
    static T srli32(T a, int n) { return _mm256_srli_epi32(a, n); }
    static T srai32(T a, int n) { return _mm256_srai_epi32(a, n); }
    static T add16(T a, T b) { return _mm256_add_epi16(a, b); }
    static T add32(T a, T b) { return _mm256_add_epi32(a, b); }
    static T sub32(T a, T b) { return _mm256_sub_epi32(a, b); }
    static T madd(T a, T b) { return _mm256_madd_epi16(a, b); }
    static T unpacklo16(T a, T b) { return _mm256_unpacklo_epi16(a, b); }
    static T unpackhi16(T a, T b) { return _mm256_unpackhi_epi16(a, b); }
    static T packs32(T a, T b) { return _mm256_packs_epi32(a, b); }
    static T packus16(T a, T b) { return _mm256_packus_epi16(a, b); }
    // even and odd dwords of a then b, per lane
    static T even32(T a, T b) {
        return _mm256_castps_si256(_mm256_shuffle_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
    }
    static T odd32(T a, T b) {
        return _mm256_castps_si256(_mm256_shuffle_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), _MM_SHUFFLE(3, 1, 3, 1)));
    }
    // per lane: 8 luma bytes, then zeros
    static void store_y(u8* y, T v) { st(y, lo128(_mm256_permute4x64_epi64(v, 0x08))); }
    // luma of the pixels in f0 (first 4 of each lane's 8) and f1 (last 4), rounding already added
    static void store_y_rounded(u8* y, T f0, T f1) {
        store_y(y, packus16(packs32(srli32(f0, 16), srli32(f1, 16)), zero()));
    }
    // per lane: U of 4 blocks, V of 4 blocks, zeros
    static void store_uv(u8* u, u8* v, T uv) {
        const V o = lo128(_mm256_permutevar8x32_epi32(uv, _mm256_setr_epi32(0, 4, 1, 5, 2, 3, 6, 7)));
        st8(u, o);
        st8(v, _mm_unpackhi_epi64(o, o));
    }
};

#if defined(__AVX512BW__)
struct Bgr16Z {
    using T = __m512i;
    static constexpr int kBlocks = 16;
    static T load(const u16* p) { return _mm512_loadu_si512(p); }
    static T set16(int k) { return set32(static_cast<int>(static_cast<std::uint16_t>(k) * 0x10001u)); }
    static T set32(int k) { return _mm512_set1_epi32(k); }
    static T rep2(int a, int b) { return set32(static_cast<int>((static_cast<unsigned>(b) << 16) | static_cast<std::uint16_t>(a))); }
    static T zero() { return _mm512_setzero_si512(); }
    static T and_(T a, T b) { return _mm512_and_si512(a, b); }
    static T slli16(T a, int n) { return _mm512_maskz_slli_epi16(~0u, a, static_cast<unsigned>(n)); }
    static T srli16(T a, int n) { return _mm512_maskz_srli_epi16(~0u, a, static_cast<unsigned>(n)); }
    static T slli32(T a, int n) { return _mm512_maskz_slli_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    static T srli32(T a, int n) { return _mm512_maskz_srli_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    static T srai32(T a, int n) { return _mm512_maskz_srai_epi32(0xFFFF, a, static_cast<unsigned>(n)); }
    static T add16(T a, T b) { return _mm512_add_epi16(a, b); }
    static T add32(T a, T b) { return _mm512_add_epi32(a, b); }
    static T sub32(T a, T b) { return _mm512_sub_epi32(a, b); }
    static T madd(T a, T b) { return _mm512_madd_epi16(a, b); }
    static T unpacklo16(T a, T b) { return _mm512_unpacklo_epi16(a, b); }
    static T unpackhi16(T a, T b) { return _mm512_unpackhi_epi16(a, b); }
    static T packs32(T a, T b) { return _mm512_packs_epi32(a, b); }
    static T packus16(T a, T b) { return _mm512_packus_epi16(a, b); }
    static T even32(T a, T b) {
        return _mm512_castps_si512(_mm512_maskz_shuffle_ps(0xFFFF, _mm512_castsi512_ps(a), _mm512_castsi512_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
    }
    static T odd32(T a, T b) {
        return _mm512_castps_si512(_mm512_maskz_shuffle_ps(0xFFFF, _mm512_castsi512_ps(a), _mm512_castsi512_ps(b), _MM_SHUFFLE(3, 1, 3, 1)));
    }
    static void store_y(u8* y, T v) {
        _mm512_mask_storeu_epi64(y, 0x0F, _mm512_maskz_permutexvar_epi64(0xFF, _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), v));
    }
#if defined(__AVX512VBMI__)
    // Each rounded sum is below 2^24, so its byte 2 is the luma byte: one
    // byte permute picks the 32 of them in row order (pixel 8L + j of lane L
    // sits in f0 dword 4L + j for j < 4, in f1 dword 4L + j - 4 otherwise).
    static void store_y_rounded(u8* y, T f0, T f1) {
        alignas(64) static constexpr std::uint8_t kPick[64] = {
            2,  6,  10, 14, 66, 70, 74, 78, 18, 22, 26, 30, 82, 86, 90, 94,
            34, 38, 42, 46, 98, 102, 106, 110, 50, 54, 58, 62, 114, 118, 122, 126};
        const T pick = _mm512_load_si512(kPick);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(y), _mm512_castsi512_si256(_mm512_permutex2var_epi8(f0, pick, f1)));
    }
#else
    static void store_y_rounded(u8* y, T f0, T f1) {
        store_y(y, packus16(packs32(srli32(f0, 16), srli32(f1, 16)), zero()));
    }
#endif
    static void store_uv(u8* u, u8* v, T uv) {
        const T o = _mm512_maskz_permutexvar_epi32(0xFFFF, _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15), uv);
        st(u, _mm512_maskz_extracti32x4_epi32(0xF, o, 0));
        st(v, _mm512_maskz_extracti32x4_epi32(0xF, o, 1));
    }
};
#endif

template <class X, bool Is565>
QRX_INLINE void bgr16_blocks(const u16* s0, const u16* s1, u8* y0, u8* y1, u8* u, u8* v) {
    using T = typename X::T;
    const T krg = X::rep2(19595, 0), kgb = X::rep2(19235, 7471);
    const T z = X::zero();
    const u16* rows[2] = {s0, s1};
    u8* ys[2] = {y0, y1};
    T f[2][2], r[2], b[2];
    for (int k = 0; k < 2; ++k) {
        const T w = X::load(rows[k]);
        // channels widened to 8 bits, each by one mask and one shift; green
        // comes doubled (G2 = 2 G) for the 19235 coefficient
        b[k] = X::slli16(X::and_(w, X::set16(0x1f)), 3);
        T g2;
        if constexpr (Is565) {
            g2 = X::srli16(X::and_(w, X::set16(0x07e0)), 2);
            r[k] = X::srli16(X::and_(w, X::set16(0xf800)), 8);
        } else {
            g2 = X::srli16(X::and_(w, X::set16(0x03e0)), 1);
            r[k] = X::srli16(X::and_(w, X::set16(0x7c00)), 7);
        }
        f[k][0] = X::add32(X::madd(X::unpacklo16(r[k], z), krg), X::madd(X::unpacklo16(g2, b[k]), kgb));
        f[k][1] = X::add32(X::madd(X::unpackhi16(r[k], z), krg), X::madd(X::unpackhi16(g2, b[k]), kgb));
        const T half = X::set32(32768);
        X::store_y_rounded(ys[k], X::add32(f[k][0], half), X::add32(f[k][1], half));
    }
    const T fa = X::add32(f[0][0], f[1][0]), fb = X::add32(f[0][1], f[1][1]);
    const T sf = X::add32(X::even32(fa, fb), X::odd32(fa, fb));
    const T sb = X::madd(X::add16(b[0], b[1]), X::set16(1));
    const T sr = X::madd(X::add16(r[0], r[1]), X::set16(1));
    const T bias = X::set32(131071);
    const T db = X::srai32(X::add32(X::sub32(X::slli32(sb, 16), sf), bias), 16);
    const T dr = X::srai32(X::add32(X::sub32(X::slli32(sr, 16), sf), bias), 16);
    const T dw = X::packs32(db, dr);
    const T pu = X::madd(X::unpacklo16(dw, dw), X::set16(16122));
    const T pv = X::madd(X::unpackhi16(dw, dw), X::rep2(28737, 28738));
    const T c128 = X::set32(128);
    X::store_uv(u, v, X::packus16(X::packs32(X::add32(X::srai32(pu, 18), c128), X::add32(X::srai32(pv, 18), c128)), z));
}
#endif

template <bool Is565>
void simd_bgr16_to_420(const u16* __restrict s0, const u16* __restrict s1, u8* __restrict y0, u8* __restrict y1,
                       u8* __restrict u, u8* __restrict v, int n) {
    int i = 0;
#if defined(__AVX512BW__)
    for (; i + 16 <= n; i += 16) bgr16_blocks<Bgr16Z, Is565>(s0 + 2 * i, s1 + 2 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i);
#endif
#if defined(__AVX2__)
    for (; i + 8 <= n; i += 8) bgr16_blocks<Bgr16W, Is565>(s0 + 2 * i, s1 + 2 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i);
#endif
    for (; i + 4 <= n; i += 4) {
        V r[2], g[2], b[2], f[2][2];
        const u16* rows[2] = {s0, s1};
        u8* ys[2] = {y0, y1};
        for (int k = 0; k < 2; ++k) {
            unpack8<Is565>(_mm_loadu_si128(reinterpret_cast<const V*>(rows[k] + 2 * i)), r[k], g[k], b[k]);
            qf8(r[k], g[k], b[k], f[k][0], f[k][1]);
            const V half = _mm_set1_epi32(32768);
            const V ya = _mm_srli_epi32(_mm_add_epi32(f[k][0], half), 16);
            const V yb = _mm_srli_epi32(_mm_add_epi32(f[k][1], half), 16);
            const V y8 = _mm_packus_epi16(_mm_packs_epi32(ya, yb), _mm_setzero_si128());
            st8(ys[k] + 2 * i, y8);
        }
        // block sums: F over 4 pixels (dwords), B and R over 4 pixels (words -> dwords)
        const V sf = hadd_pairs32(_mm_add_epi32(f[0][0], f[1][0]), _mm_add_epi32(f[0][1], f[1][1]));
        const V one = k16(1);
        const V sb = _mm_madd_epi16(_mm_add_epi16(b[0], b[1]), one);
        const V sr = _mm_madd_epi16(_mm_add_epi16(r[0], r[1]), one);
        const V bias = _mm_set1_epi32(131071);
        const V db = _mm_srai_epi32(_mm_add_epi32(_mm_sub_epi32(_mm_slli_epi32(sb, 16), sf), bias), 16);
        const V dr = _mm_srai_epi32(_mm_add_epi32(_mm_sub_epi32(_mm_slli_epi32(sr, 16), sf), bias), 16);
        // d fits a word; the products by 32244 and 57475 as multiply-adds of (d, d)
        const V dw = _mm_packs_epi32(db, dr);  // dB of blocks 0..3, dR of blocks 0..3
        const V pu = _mm_madd_epi16(_mm_unpacklo_epi16(dw, dw), k16(16122));
        const V pv = _mm_madd_epi16(_mm_unpackhi_epi16(dw, dw), _mm_setr_epi16(28737, 28738, 28737, 28738, 28737, 28738, 28737, 28738));
        const V c128 = _mm_set1_epi32(128);
        const V uv = _mm_packus_epi16(_mm_packs_epi32(_mm_add_epi32(_mm_srai_epi32(pu, 18), c128),
                                                      _mm_add_epi32(_mm_srai_epi32(pv, 18), c128)),
                                      _mm_setzero_si128());
        const int u4 = _mm_cvtsi128_si32(uv), v4 = _mm_cvtsi128_si32(_mm_srli_si128(uv, 4));
        std::memcpy(u + i, &u4, 4);
        std::memcpy(v + i, &v4, 4);
    }
    bgr16_to_420<Is565>(s0 + 2 * i, s1 + 2 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i, n - i);
}
