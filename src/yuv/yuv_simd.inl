// Vector bodies, included inside the anonymous namespace of yuv_rows.inl.
// Every lane computes the same recipe as the scalar loops: 16-bit lanes with
// the high half of signed products (mulhi = floor(a * b / 65536)), arithmetic
// shifts for the floors and unsigned saturation for the clamps.  Each body is
// written once against the vector traits of core/simd_x86.h and run widest
// first (walk); the rest of a region goes to the scalar loop with the same
// recipe, so results do not depend on the group size.
//
// Byte registers are widened in two halves (lo8to16 / hi8to16, per 128-bit
// lane) and packed back by packus16, which restores row order at every width.

using qrx::simd::V128;
#if defined(__AVX2__)
using qrx::simd::V256;
#endif
#if defined(__AVX512BW__)
using qrx::simd::V512;
#endif

// Runs body(V{}, i) on groups of Per128 units per 128 bits of V, widest
// first (512 bits only where Use512); returns the first unit left over.
template <int Per128, bool Use512, class F>
QRX_INLINE int walk(int n, F&& body) {
    int i = 0;
#if defined(__AVX512BW__)
    if constexpr (Use512)
        for (; i + 4 * Per128 <= n; i += 4 * Per128) body(V512{}, i);
#endif
#if defined(__AVX2__)
    for (; i + 2 * Per128 <= n; i += 2 * Per128) body(V256{}, i);
#endif
    for (; i + Per128 <= n; i += Per128) body(V128{}, i);
    return i;
}

template <class V>
QRX_INLINE typename V::T half8(typename V::T x, int h) {
    return h ? V::hi8to16(x) : V::lo8to16(x);
}

// ---- 4:4:4 ---------------------------------------------------------------------------

// Block form: luma from unsigned 16-bit products floored by 256 (mulhi of
// x << 8), colour differences from signed products floored by 512 (mulhi of
// x << 7), then / 256 and / 64.
template <class V, class T = typename V::T>
QRX_INLINE void blk_v(T r, T g, T b, T& y, T& u, T& v) {
    T out[3][2];
    for (int h = 0; h < 2; ++h) {
        const T r16 = half8<V>(r, h), g16 = half8<V>(g, h), b16 = half8<V>(b, h);
        const T r8 = V::slli16(r16, 8), g8 = V::slli16(g16, 8), b8 = V::slli16(b16, 8);
        const T ys = V::add16(V::add16(V::mulhi16u(r8, V::set16(19595)), V::mulhi16u(g8, V::set16(38469))),
                              V::mulhi16u(b8, V::set16(7471)));
        out[0][h] = V::srli16(ys, 8);
        const T r7 = V::slli16(r16, 7), g7 = V::slli16(g16, 7), b7 = V::slli16(b16, 7);
        const T us = V::add16(V::add16(V::mulhi16(r7, V::set16(-4816)), V::mulhi16(g7, V::set16(-9469))),
                              V::mulhi16(b7, V::set16(14286)));
        const T vs = V::add16(V::add16(V::mulhi16(r7, V::set16(20152)), V::mulhi16(g7, V::set16(-16875))),
                              V::mulhi16(b7, V::set16(-3276)));
        out[1][h] = V::add16(V::srai16(us, 6), V::set16(128));
        out[2][h] = V::add16(V::srai16(vs, 6), V::set16(128));
    }
    y = V::packus16(out[0][0], out[0][1]);
    u = V::packus16(out[1][0], out[1][1]);
    v = V::packus16(out[2][0], out[2][1]);
}

// Split form: (x R + y G) >> 15 by multiply-add, plus (z B) >> 15 as mulhi of B << 1.
template <class V, class T = typename V::T>
QRX_INLINE T split_v(T r, T g, T b, int kr, int kg, int kb) {
    const T k = V::pair16(kr, kg);
    const T lo = V::srai32(V::madd(V::unpacklo16(r, g), k), 15);
    const T hi = V::srai32(V::madd(V::unpackhi16(r, g), k), 15);
    return V::add16(V::packs32(lo, hi), V::mulhi16(V::slli16(b, 1), V::set16(kb)));
}

// I1: Y + (8x k) >> 16.
template <class V, class T = typename V::T>
QRX_INLINE void i1_v(T y, T u, T v, T& r, T& g, T& b) {
    T o[3][2];
    for (int h = 0; h < 2; ++h) {
        const T y16 = half8<V>(y, h);
        const T u8 = V::slli16(V::sub16(half8<V>(u, h), V::set16(128)), 3);
        const T v8 = V::slli16(V::sub16(half8<V>(v, h), V::set16(128)), 3);
        o[0][h] = V::add16(y16, V::mulhi16(v8, V::set16(9339)));
        o[1][h] = V::add16(V::add16(y16, V::mulhi16(u8, V::set16(-3228))), V::mulhi16(v8, V::set16(-4760)));
        o[2][h] = V::add16(y16, V::mulhi16(u8, V::set16(16646)));
    }
    r = V::packus16(o[0][0], o[0][1]);
    g = V::packus16(o[1][0], o[1][1]);
    b = V::packus16(o[2][0], o[2][1]);
}

// I2: t(k, x) = (64 x k) >> 16.
template <class V, class T = typename V::T>
QRX_INLINE void i2_v(T y, T u, T v, T& r, T& g, T& b) {
    T o[3][2];
    for (int h = 0; h < 2; ++h) {
        const T y16 = half8<V>(y, h);
        const T u6 = V::slli16(V::sub16(half8<V>(u, h), V::set16(128)), 6);
        const T v6 = V::slli16(V::sub16(half8<V>(v, h), V::set16(128)), 6);
        o[0][h] = V::add16(y16, V::srai16(V::mulhi16(v6, V::set16(18677)), 4));
        o[1][h] = V::sub16(y16, V::srai16(V::add16(V::mulhi16(v6, V::set16(9519)), V::mulhi16(u6, V::set16(6455))), 4));
        o[2][h] = V::add16(y16, V::srai16(V::mulhi16(u6, V::set16(16646)), 3));
    }
    r = V::packus16(o[0][0], o[0][1]);
    g = V::packus16(o[1][0], o[1][1]);
    b = V::packus16(o[2][0], o[2][1]);
}

// I3 with each pixel's own chroma: clamp((2Y + (16x k) >> 16) >> 1).
template <class V, class T = typename V::T>
QRX_INLINE void i3_v(T y, T u, T v, T& r, T& g, T& b) {
    T o[3][2];
    for (int h = 0; h < 2; ++h) {
        const T y2 = V::slli16(half8<V>(y, h), 1);
        const T u4 = V::slli16(V::sub16(half8<V>(u, h), V::set16(128)), 4);
        const T v4 = V::slli16(V::sub16(half8<V>(v, h), V::set16(128)), 4);
        o[0][h] = V::srai16(V::add16(y2, V::mulhi16(v4, V::set16(9338))), 1);
        o[1][h] = V::srai16(V::add16(V::add16(y2, V::mulhi16(u4, V::set16(-3227))), V::mulhi16(v4, V::set16(-4759))), 1);
        o[2][h] = V::srai16(V::add16(y2, V::mulhi16(u4, V::set16(16645))), 1);
    }
    r = V::packus16(o[0][0], o[0][1]);
    g = V::packus16(o[1][0], o[1][1]);
    b = V::packus16(o[2][0], o[2][1]);
}

void simd_fwd_c3_blk(const u8* __restrict s, u8* __restrict d, int n) {
    const int i = walk<16, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T r, g, b, y, u, v;
        qrx::simd::load_c3_bytes<V>(s + 3 * i, r, g, b);
        blk_v<V>(r, g, b, y, u, v);
        qrx::simd::store_c3_bytes<V>(d + 3 * i, y, u, v);
    });
    fwd_pix<3, 3, blk>(s + 3 * i, d + 3 * i, n - i);
}

void simd_fwd_c3p3_blk(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int n) {
    const int i = walk<16, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T r, g, b, vy, vu, vv;
        qrx::simd::load_c3_bytes<V>(s + 3 * i, r, g, b);
        blk_v<V>(r, g, b, vy, vu, vv);
        V::store(y + i, vy);
        V::store(u + i, vu);
        V::store(v + i, vv);
    });
    fwd_pix_to_planes<blk>(s + 3 * i, y + i, u + i, v + i, n - i);
}

void simd_fwd_p3_blk(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b, u8* __restrict y,
                     u8* __restrict u, u8* __restrict v, int n) {
    const int i = walk<16, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T vy, vu, vv;
        blk_v<V>(V::load(r + i), V::load(g + i), V::load(b + i), vy, vu, vv);
        V::store(y + i, vy);
        V::store(u + i, vu);
        V::store(v + i, vv);
    });
    fwd_p3_blk(r + i, g + i, b + i, y + i, u + i, v + i, n - i);
}

void simd_fwd_ac4_split(const u8* __restrict s, u8* __restrict d, int n) {
    const int i = walk<16, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        using T = typename V::T;
        T r, g, b;
        qrx::simd::load_c4_bytes<V>(s + 4 * i, r, g, b);
        T o[3][2];
        for (int h = 0; h < 2; ++h) {
            const T r16 = half8<V>(r, h), g16 = half8<V>(g, h), b16 = half8<V>(b, h);
            o[0][h] = split_v<V>(r16, g16, b16, 9798, 19235, 3736);
            o[1][h] = V::add16(split_v<V>(r16, g16, b16, -4817, -9470, 14287), V::set16(128));
            o[2][h] = V::add16(split_v<V>(r16, g16, b16, 20152, -16876, -3277), V::set16(128));
        }
        qrx::simd::store_c4_bytes<V, true>(d + 4 * i, V::packus16(o[0][0], o[0][1]), V::packus16(o[1][0], o[1][1]),
                                           V::packus16(o[2][0], o[2][1]));
    });
    fwd_pix<4, 4, split_ac4>(s + 4 * i, d + 4 * i, n - i);
}

void simd_inv_c3_i1(const u8* __restrict s, u8* __restrict d, int n) {
    const int i = walk<16, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T y, u, v, r, g, b;
        qrx::simd::load_c3_bytes<V>(s + 3 * i, y, u, v);
        i1_v<V>(y, u, v, r, g, b);
        qrx::simd::store_c3_bytes<V>(d + 3 * i, r, g, b);
    });
    inv_pix<3, 3, i1>(s + 3 * i, d + 3 * i, n - i);
}

void simd_inv_ac4_i1(const u8* __restrict s, u8* __restrict d, int n) {
    const int i = walk<16, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T y, u, v, r, g, b;
        qrx::simd::load_c4_bytes<V>(s + 4 * i, y, u, v);
        i1_v<V>(y, u, v, r, g, b);
        qrx::simd::store_c4_bytes<V, true>(d + 4 * i, r, g, b);
    });
    inv_pix<4, 4, i1>(s + 4 * i, d + 4 * i, n - i);
}

void simd_inv_p3_i2(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict r,
                    u8* __restrict g, u8* __restrict b, int n) {
    const int i = walk<16, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T vr, vg, vb;
        i2_v<V>(V::load(y + i), V::load(u + i), V::load(v + i), vr, vg, vb);
        V::store(r + i, vr);
        V::store(g + i, vg);
        V::store(b + i, vb);
    });
    inv_planes<i2>(y + i, u + i, v + i, r + i, g + i, b + i, n - i);
}

void simd_inv_p3c3_i3(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d, int n) {
    const int i = walk<16, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T vr, vg, vb;
        i3_v<V>(V::load(y + i), V::load(u + i), V::load(v + i), vr, vg, vb);
        qrx::simd::store_c3_bytes<V>(d + 3 * i, vr, vg, vb);
    });
    inv_planes_to_c3<i3>(y + i, u + i, v + i, d + 3 * i, n - i);
}

// ---- 4:2:2 and 4:2:0 forward -----------------------------------------------------------

// Twice-luma T = ((9798 R + 19235 G) >> 14) + ((3736 B) >> 14) of the even and
// the odd pixels, from their 16-bit lanes (load_c3_pair_words, pair_words_of):
// the R, G sum is 256 (38 R + 75 G) + (70 R + 35 G), two byte multiply-adds of
// the word (R | G << 8), so (sum >> 14) = ((38 R + 75 G) + ((70 R + 35 G) >> 8)) >> 6;
// (3736 B) >> 14 is the high product of the plain B word and 4 x 3736.
template <class T>
struct PairWords {
    T rg_e, rg_o, b_e, b_o;  // (R | G << 8) and B of the even / odd pixels
};
template <class V, class T = typename V::T>
QRX_INLINE void twice_eo(const PairWords<T>& w, T& te, T& to) {
    const T ka = V::set16(38 | 75 << 8), kc = V::set16(70 | 35 << 8), kb = V::set16(4 * 3736);
    auto twice = [&](T rg, T b) {
        const T a = V::maddubs(rg, ka), c = V::maddubs(rg, kc);
        return V::add16(V::srli16(V::add16(a, V::srli16(c, 8)), 6), V::mulhi16(b, kb));
    };
    te = twice(w.rg_e, w.b_e);
    to = twice(w.rg_o, w.b_o);
}

// The pair words of three-byte pixels, and of channel registers of bytes.
template <class V, class T = typename V::T>
QRX_INLINE PairWords<T> pair_words_c3(const u8* s) {
    PairWords<T> w;
    qrx::simd::load_c3_pair_words<V>(s, w.rg_e, w.rg_o, w.b_e, w.b_o);
    return w;
}
template <class V, class T = typename V::T>
QRX_INLINE PairWords<T> pair_words_of(T r, T g, T b) {
    PairWords<T> w;
    qrx::simd::pair_words_of_bytes<V>(r, g, b, w.rg_e, w.rg_o, w.b_e, w.b_o);
    return w;
}

// Sums of the pixel pairs' B and R, 16-bit lanes.
template <class V, class T = typename V::T>
QRX_INLINE T pair_sums_b(const PairWords<T>& w) {
    return V::add16(w.b_e, w.b_o);
}
template <class V, class T = typename V::T>
QRX_INLINE T pair_sums_r(const PairWords<T>& w) {
    const T lo = V::set16(0x00FF);
    return V::add16(V::and_(w.rg_e, lo), V::and_(w.rg_o, lo));
}

// Y = T >> 1 (at most 254) of the even and odd pixels back in one byte vector.
template <class V, class T = typename V::T>
QRX_INLINE T luma_bytes(T te, T to) {
    return V::or_(V::srli16(te, 1), V::and_(V::slli16(to, 7), V::set16(0xFF00)));
}

// clamp-free chroma words ((d * k) >> 16) + 128; the store's packs clamp them.
template <class V, class T = typename V::T>
QRX_INLINE T chroma_v(T d, int k) {
    return V::add16(V::mulhi16(d, V::set16(k)), V::set16(128));
}

// 4:2:2 of 2 kLanes16 pixels of one row: Y bytes in row order, U and V words of the pairs.
template <class V, class T = typename V::T>
QRX_INLINE void fwd422_v(const PairWords<T>& w, T& y, T& cu, T& cv) {
    T te, to;
    twice_eo<V>(w, te, to);
    y = luma_bytes<V>(te, to);
    const T t2 = V::srai16(V::add16(te, to), 1);
    cu = chroma_v<V>(V::sub16(pair_sums_b<V>(w), t2), 16121);
    cv = chroma_v<V>(V::sub16(pair_sums_r<V>(w), t2), 28737);
}

// 4:2:0 of 2 kLanes16 columns of two rows.
template <class V, class T = typename V::T>
QRX_INLINE void fwd420_v(const PairWords<T>& w0, const PairWords<T>& w1, u8* y0, u8* y1, u8* u, u8* v) {
    T te[2], to[2];
    twice_eo<V>(w0, te[0], to[0]);
    twice_eo<V>(w1, te[1], to[1]);
    V::store(y0, luma_bytes<V>(te[0], to[0]));
    V::store(y1, luma_bytes<V>(te[1], to[1]));
    const T t4 = V::srai16(V::add16(V::add16(te[0], to[0]), V::add16(te[1], to[1])), 2);
    const T b2 = V::srai16(V::add16(pair_sums_b<V>(w0), pair_sums_b<V>(w1)), 1);
    const T r2 = V::srai16(V::add16(pair_sums_r<V>(w0), pair_sums_r<V>(w1)), 1);
    V::store_narrow2(u, v, chroma_v<V>(V::sub16(b2, t4), 16121), chroma_v<V>(V::sub16(r2, t4), 28737));
}

void simd_fwd422_c3c2(const u8* __restrict s, u8* __restrict d, int n) {
    const int i = walk<8, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        using T = typename V::T;
        T y, cu, cv;
        fwd422_v<V>(pair_words_c3<V>(s + 6 * i), y, cu, cv);
        const T uv = V::zip_halves8(V::packus16(cu, cv));  // U0 V0 U1 V1 ... per lane
        V::store_unpacked(d + 4 * i, V::unpacklo8(y, uv), V::unpackhi8(y, uv));
    });
    fwd422_c3c2(s + 6 * i, d + 4 * i, n - i);
}

void simd_fwd422_c3p3(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int n) {
    const int i = walk<8, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T vy, cu, cv;
        fwd422_v<V>(pair_words_c3<V>(s + 6 * i), vy, cu, cv);
        V::store(y + 2 * i, vy);
        V::store_narrow2(u + i, v + i, cu, cv);
    });
    fwd422_c3p3(s + 6 * i, y + 2 * i, u + i, v + i, n - i);
}

void simd_fwd422_p3(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b, u8* __restrict y,
                    u8* __restrict u, u8* __restrict v, int n) {
    const int i = walk<8, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T vy, cu, cv;
        fwd422_v<V>(pair_words_of<V>(V::load(r + 2 * i), V::load(g + 2 * i), V::load(b + 2 * i)), vy, cu, cv);
        V::store(y + 2 * i, vy);
        V::store_narrow2(u + i, v + i, cu, cv);
    });
    fwd422_p3(r + 2 * i, g + 2 * i, b + 2 * i, y + 2 * i, u + i, v + i, n - i);
}

void simd_fwd420_c3(const u8* __restrict s0, const u8* __restrict s1, u8* __restrict y0, u8* __restrict y1,
                    u8* __restrict u, u8* __restrict v, int n) {
    const int i = walk<8, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        fwd420_v<V>(pair_words_c3<V>(s0 + 6 * i), pair_words_c3<V>(s1 + 6 * i), y0 + 2 * i, y1 + 2 * i, u + i, v + i);
    });
    fwd420_c3(s0 + 6 * i, s1 + 6 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i, n - i);
}

void simd_fwd420_p3(const u8* const r[2], const u8* const g[2], const u8* const b[2], u8* __restrict y0,
                    u8* __restrict y1, u8* __restrict u, u8* __restrict v, int n) {
    const int i = walk<8, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        const int x = 2 * i;
        fwd420_v<V>(pair_words_of<V>(V::load(r[0] + x), V::load(g[0] + x), V::load(b[0] + x)),
                    pair_words_of<V>(V::load(r[1] + x), V::load(g[1] + x), V::load(b[1] + x)), y0 + x, y1 + x, u + i,
                    v + i);
    });
    const u8* rr[2] = {r[0] + 2 * i, r[1] + 2 * i};
    const u8* gg[2] = {g[0] + 2 * i, g[1] + 2 * i};
    const u8* bb[2] = {b[0] + 2 * i, b[1] + 2 * i};
    fwd420_p3(rr, gg, bb, y0 + 2 * i, y1 + 2 * i, u + i, v + i, n - i);
}

// ---- inverse with shared chroma: 2 kLanes16 pixels from as many Y and kLanes16 (U, V) ----

// Pair form (Scale 4): (2Y + t) >> 1, t = (16 x k) >> 16; 16 x luma form
// (Scale 7): (16Y + t + Round) >> 4, t = (128 x k) >> 16.  u and v are the
// widened samples; the words come out unclamped in the halves of half8.
template <class V, int Scale, int Round, class T = typename V::T>
QRX_INLINE void inv_words(T yy, T u, T v, T r[2], T g[2], T b[2]) {
    constexpr bool pair = Scale == 4;
    u = V::slli16(V::sub16(u, V::set16(128)), Scale);
    v = V::slli16(V::sub16(v, V::set16(128)), Scale);
    T tr, tg, tb;
    if constexpr (pair) {
        tr = V::mulhi16(v, V::set16(9338));
        tg = V::add16(V::mulhi16(u, V::set16(-3227)), V::mulhi16(v, V::set16(-4759)));
        tb = V::mulhi16(u, V::set16(16645));
    } else {
        tr = V::add16(V::mulhi16(v, V::set16(9338)), V::set16(Round));
        tg = V::sub16(V::set16(Round), V::add16(V::mulhi16(u, V::set16(3227)), V::mulhi16(v, V::set16(4759))));
        tb = V::add16(V::mulhi16(u, V::set16(16646)), V::set16(Round));
    }
    constexpr int up = pair ? 1 : 4, down = pair ? 1 : 4;
    for (int h = 0; h < 2; ++h) {
        const T ys = V::slli16(half8<V>(yy, h), up);
        // each chroma word serves two neighbouring pixels
        auto one = [&](T t) { return V::srai16(V::add16(ys, h ? V::unpackhi16(t, t) : V::unpacklo16(t, t)), down); };
        r[h] = one(tr);
        g[h] = one(tg);
        b[h] = one(tb);
    }
}

template <class V, class T = typename V::T>
QRX_INLINE void inv_pair_bytes(T yy, T u, T v, T& r, T& g, T& b) {
    T wr[2], wg[2], wb[2];
    inv_words<V, 4, 0>(yy, u, v, wr, wg, wb);
    r = V::packus16(wr[0], wr[1]);
    g = V::packus16(wg[0], wg[1]);
    b = V::packus16(wb[0], wb[1]);
}

// Planes to pixel order, n pairs: DC 3 or 4 (fourth byte 0), BGR swaps.
template <int DC, bool BGR, Rgb (*Recipe)(int, int, int)>
void simd_inv422_p3_to_pix(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d,
                           int n) {
    const int i = walk<8, DC == 4>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        using T = typename V::T;
        const T yy = V::load(y + 2 * i), cu = V::load_widen(u + i), cv = V::load_widen(v + i);
        T wr[2], wg[2], wb[2];
        if constexpr (DC == 4) {
            using qrx::simd::quad_order;
            if constexpr (Recipe == y16r)
                inv_words<V, 7, 8>(quad_order<V>(yy), quad_order<V>(cu), quad_order<V>(cv), wr, wg, wb);
            else
                inv_words<V, 4, 0>(quad_order<V>(yy), quad_order<V>(cu), quad_order<V>(cv), wr, wg, wb);
            qrx::simd::store_c4_bytes<V, false>(d + 8 * i, V::packus16(wr[0], wr[1]), V::packus16(wg[0], wg[1]),
                                                V::packus16(wb[0], wb[1]));
        } else {
            if constexpr (Recipe == y16r)
                inv_words<V, 7, 8>(yy, cu, cv, wr, wg, wb);
            else
                inv_words<V, 4, 0>(yy, cu, cv, wr, wg, wb);
            T r = V::packus16(wr[0], wr[1]), g = V::packus16(wg[0], wg[1]), b = V::packus16(wb[0], wb[1]);
            if constexpr (BGR) std::swap(r, b);
            qrx::simd::store_c3_bytes<V>(d + 6 * i, r, g, b);
        }
    });
    inv422_p3_to_pix<DC, BGR, Recipe>(y + 2 * i, u + i, v + i, d + 2 * DC * i, n - i);
}

void simd_inv422_p3(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict r,
                    u8* __restrict g, u8* __restrict b, int n) {
    const int i = walk<8, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        typename V::T vr, vg, vb;
        inv_pair_bytes<V>(V::load(y + 2 * i), V::load_widen(u + i), V::load_widen(v + i), vr, vg, vb);
        V::store(r + 2 * i, vr);
        V::store(g + 2 * i, vg);
        V::store(b + 2 * i, vb);
    });
    inv422_p3(y + 2 * i, u + i, v + i, r + 2 * i, g + 2 * i, b + 2 * i, n - i);
}

// Packed Y0 U Y1 V: kLanes16 pairs split into Y bytes and U, V words.
void simd_inv422_c2c3(const u8* __restrict s, u8* __restrict d, int n) {
    const int i = walk<8, false>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        using T = typename V::T;
        const T lo = V::set16(0x00ff);
        const T a = V::load(s + 4 * i), c = V::load(s + 4 * i + V::kBytes);
        const T y = V::packus16_rows(V::and_(a, lo), V::and_(c, lo));
        const T uv = V::packus16_rows(V::srli16(a, 8), V::srli16(c, 8));  // U0 V0 U1 V1 ...
        T r, g, b;
        inv_pair_bytes<V>(y, V::and_(uv, lo), V::srli16(uv, 8), r, g, b);
        qrx::simd::store_c3_bytes<V>(d + 6 * i, r, g, b);
    });
    inv422_c2c3(s + 4 * i, d + 6 * i, n - i);
}

// ---- 4:2:0 to 16-bit packed ------------------------------------------------------------

// Each 128-bit lane holds 8 pixels starting at a multiple of 8, so the lanes
// share one period-4 row of thresholds, rotated to start at column x0.  The
// packer (clamp by a saturating pack, fields, dither) is the 16-bit family's.
template <rgb16::Format F, bool SwapRB, bool Dither>
QRX_INLINE int rgb16_groups(const u8* y, const u8* u, const u8* v, u16* d, int n, int x0, int row) {
    using L = rgb16::Layout<F>;
    using Packed = qrx::simd::Packed16<L::kRBBits, L::kGBits, L::kHighShift, L::kMidShift, SwapRB, Dither>;
    std::uint16_t t[4];
    for (int k = 0; k < 4; ++k) t[k] = static_cast<std::uint16_t>(rgb16::dither_threshold<F>(x0 + k, row));
    return walk<8, true>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        using V = decltype(vt);
        using T = typename V::T;
        const typename Packed::template Packer<V> pack(t);
        T r[2], g[2], b[2];
        inv_words<V, 7, 0>(V::load(y + 2 * i), V::load_widen(u + i), V::load_widen(v + i), r, g, b);
        const T w0 = pack(r[0], g[0], b[0]), w1 = pack(r[1], g[1], b[1]);
        if constexpr (V::kHalves == 2) {
            // each 128-bit lane goes to its place: no lane-crossing permute
            // (measured at avx2, 1920x1080: about 5% faster)
            for (int lane = 0; lane < 2; ++lane) {
                V::store_half(d + 2 * i + 16 * lane, V::half(w0, lane));
                V::store_half(d + 2 * i + 16 * lane + 8, V::half(w1, lane));
            }
        } else {
            V::store_unpacked(d + 2 * i, w0, w1);
        }
    });
}

template <rgb16::Format F, bool SwapRB>
void simd_rgb16_plain(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u16* __restrict d, int n) {
    const int i = rgb16_groups<F, SwapRB, false>(y, u, v, d, n, 0, 0);
    rgb16_plain<F, SwapRB>(y + 2 * i, u + i, v + i, d + 2 * i, n - i);
}

template <rgb16::Format F, bool SwapRB>
void simd_rgb16_dither(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u16* __restrict d,
                       int n, int x0, int row) {
    const int i = rgb16_groups<F, SwapRB, true>(y, u, v, d, n, x0, row);
    rgb16_dither<F, SwapRB>(y + 2 * i, u + i, v + i, d + 2 * i, n - i, x0 + 2 * i, row);
}

// ---- 16-bit packed BGR to 4:2:0 ------------------------------------------------------

// kBytes / 4 blocks of two rows, all in 16-bit lanes in pixel order.  With
// R, B 5-bit and G 6-bit (555: G doubled), the luma sum is F = 8 T with
// T = 19595 R + 19235 G + 7471 B, split as T = 256 A + C where
//   A = 77 R + 75 G + 29 B,   C = -117 R + 35 G + 47 B
// are two byte multiply-adds each on the words (G | R << 8) and (B | 1 << 8);
// the 1 carries the rounding: Y = (T + 4096) >> 13 = (A + 16 + (C >> 8)) >> 5.
// The block sums of A and C give the block's T exactly for the colour
// differences, whose scaled-down form is (65536 S - T + 16383) >> 13.
template <class V, bool Is565>
QRX_INLINE void bgr16_blocks(const u16* s0, const u16* s1, u8* y0, u8* y1, u8* u, u8* v) {
    using T = typename V::T;
    const T ka_rg = V::set16(75 | 77 << 8), kc_rg = V::set16(35 | (-117 & 0xff) << 8);
    const T ka_b1 = V::set16(29 | 16 << 8), kc_b1 = V::set16(47);
    const u16* rows[2] = {s0, s1};
    T rg[2], b1[2], a[2], c[2], y[2];
    for (int k = 0; k < 2; ++k) {
        const T w = V::load(rows[k]);
        if constexpr (Is565)
            rg[k] = V::or_(V::and_(V::srli16(w, 5), V::set16(0x003f)), V::and_(V::srli16(w, 3), V::set16(0x1f00)));
        else
            rg[k] = V::or_(V::and_(V::srli16(w, 4), V::set16(0x003e)), V::and_(V::srli16(w, 2), V::set16(0x1f00)));
        b1[k] = V::or_(V::and_(w, V::set16(0x1f)), V::set16(0x100));
        a[k] = V::add16(V::maddubs(rg[k], ka_rg), V::maddubs(b1[k], ka_b1));
        c[k] = V::add16(V::maddubs(rg[k], kc_rg), V::maddubs(b1[k], kc_b1));
        y[k] = V::srli16(V::add16(a[k], V::srai16(c[k], 8)), 5);
    }
    qrx::simd::store_narrow2<V>(y0, y1, y[0], y[1]);
    // block sums (the A sums carry 4 x 16, the B sums 4 x 256: both folded
    // into the rounding constants)
    const T ones = V::set16(1);
    const T t = V::add32(V::slli32(V::madd(V::add16(a[0], a[1]), ones), 8), V::madd(V::add16(c[0], c[1]), ones));
    const T sb = V::madd(V::add16(b1[0], b1[1]), ones);
    const T sr = V::madd(V::srli16(V::add16(rg[0], rg[1]), 8), ones);
    const T db = V::srai32(V::add32(V::sub32(V::slli32(sb, 16), t), V::set32(32767 - (1 << 26))), 13);
    const T dr = V::srai32(V::add32(V::sub32(V::slli32(sr, 16), t), V::set32(32767)), 13);
    // d fits a word; the products by 32244 and 57475 as multiply-adds of (d, d)
    const T dw = V::packs32(db, dr);
    const T pu = V::madd(V::unpacklo16(dw, dw), V::set16(16122));
    const T pv = V::madd(V::unpackhi16(dw, dw), V::pair16(28737, 28738));
    const T c128 = V::set32(128);
    V::store_lane_dw01(u, v, V::packus16(V::packs32(V::add32(V::srai32(pu, 18), c128), V::add32(V::srai32(pv, 18), c128)), V::zero()));
}

template <bool Is565>
void simd_bgr16_to_420(const u16* __restrict s0, const u16* __restrict s1, u8* __restrict y0, u8* __restrict y1,
                       u8* __restrict u, u8* __restrict v, int n) {
    const int i = walk<4, true>(n, [&](auto vt, int i) QRX_INLINE_BODY {
        bgr16_blocks<decltype(vt), Is565>(s0 + 2 * i, s1 + 2 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i);
    });
    bgr16_to_420<Is565>(s0 + 2 * i, s1 + 2 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i, n - i);
}
