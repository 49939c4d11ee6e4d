// 16-bit packed pixels (565, 555, 444 fields in one word per pixel) on the
// traits of simd_x86.h, one pixel per 16-bit lane: the packing of clamped
// 8-bit channels, plain or with an ordered dither, and the 565 / 555 unpack
// to channel bytes.
#pragma once

#include "core/simd_x86.h"

#if defined(__SSE2__)
namespace qrx::simd {
namespace {

// A value the compiler may neither rewrite nor rematerialise inside a loop: a
// multiply by a known constant would otherwise become a chain of shifts and
// adds, and under register pressure a constant would be rebuilt every step
// instead of being read from the stack as a memory operand.
template <class T>
inline T opaque(T v) {
#if defined(__AVX512F__)
    __asm__("" : "+v"(v));
#else
    __asm__("" : "+x"(v));
#endif
    return v;
}

// One row of a 4-wide dither matrix repeated over the lanes, each entry >> shift
// (lane i takes entry i mod 4: blocks start at a multiple of 4 pixels).  Built
// once per row: a broadcast of the four entries as one 64-bit value.
template <class V>
inline typename V::T dither_row(const std::uint16_t* d, int shift) {
    std::uint64_t four = 0;
    for (int k = 0; k < 4; ++k) four |= static_cast<std::uint64_t>(d[k] >> shift) << (16 * k);
    const long long q = static_cast<long long>(four);
    if constexpr (V::kBytes == 16) return _mm_set1_epi64x(q);
#if defined(__AVX2__)
    else if constexpr (V::kBytes == 32) return _mm256_set1_epi64x(q);
#endif
#if defined(__AVX512BW__)
    else return _mm512_set1_epi64(q);
#endif
}

// Fields of the layout: red / blue and green widths, shifts of the high and
// middle fields (the low one is at bit 0).  SwapRB puts red low, blue high.
template <int RBBits, int GBits, int HighShift, int MidShift, bool SwapRB, bool Dither>
struct Packed16 {
    static constexpr int kRBBits = RBBits, kGBits = GBits;
    // level step u = 256 * 255 / (2^n - 1), truncated
    static constexpr int step(int bits) { return 256 * 255 / ((1 << bits) - 1); }

    // One dithered channel from v8 = v << 8 (v the clamped 8-bit value):
    // q = (v (2^n - 1)) >> 8 = high half of v8 (2^n - 1); r = 256 v - q u is exact
    // in 16 bits (0 <= r < 2^15); the field is q + 1 where r > t.
    template <class V>
    static typename V::T dither_field(typename V::T v8, typename V::T t, typename V::T levels, typename V::T u) {
        const typename V::T q = V::mulhi16u(v8, levels);
        return V::inc_if_gt16(q, V::sub16(v8, V::mullo16(q, u)), t);
    }

    template <class V>
    struct Packer {
        using T = typename V::T;
        T t, tg;                                 // thresholds of the row (dither only)
        T levels_rb, levels_g, step_rb, step_g;  // 2^n - 1 and u of the fields

        // d: the dither matrix row of this image row (ignored without dither)
        explicit Packer(const std::uint16_t* d) {
            if constexpr (Dither) {
                t = dither_row<V>(d, 0);
                tg = dither_row<V>(d, GBits == 6 ? 1 : 0);
                levels_rb = opaque(V::set16((1 << RBBits) - 1));
                levels_g = opaque(V::set16((1 << GBits) - 1));
                step_rb = opaque(V::set16(step(RBBits)));
                step_g = opaque(V::set16(step(GBits)));
            } else {
                (void)d;
                t = tg = levels_rb = levels_g = step_rb = step_g = V::zero();
            }
        }

        // r, g, b: words not yet clamped.  The unsigned saturating pack clamps
        // them to 0..255; unpacking under zero bytes gives each value << 8.
        inline T operator()(T r, T g, T b) const {
            const T z = V::zero();
            const T rg = V::packus16(r, g), bb = V::packus16(b, b);
            const T r8 = V::unpacklo8(z, rg), g8 = V::unpackhi8(z, rg), b8 = V::unpacklo8(z, bb);
            T fr, fg, fb;
            if constexpr (Dither) {
                fr = dither_field<V>(r8, t, levels_rb, step_rb);
                fg = dither_field<V>(g8, tg, levels_g, step_g);
                fb = dither_field<V>(b8, t, levels_rb, step_rb);
            } else {
                fr = V::srli16(r8, 16 - RBBits);
                fg = V::srli16(g8, 16 - GBits);
                fb = V::srli16(b8, 16 - RBBits);
            }
            const T high = SwapRB ? fb : fr, low = SwapRB ? fr : fb;
            return V::or_(V::or_(V::slli16(high, HighShift), V::slli16(fg, MidShift)), low);
        }
    };
};

// 2 kBytes of BGR565 (Is565) or BGR555 words to channel bytes in row order,
// each field moved to the top of its byte without replicating its high bits
// (5-bit fields x 8, 6-bit x 4).
template <class V, bool Is565>
inline void load_bgr16_bytes(const std::uint8_t* p, typename V::T& r, typename V::T& g, typename V::T& b) {
    using T = typename V::T;
    const T w0 = V::load(p), w1 = V::load(p + V::kBytes);
    const T m5 = V::set16(0x1F);
    auto field = [&](T w, int shift, T mask, int up) { return V::slli16(V::and_(V::srli16(w, shift), mask), up); };
    b = V::packus16_rows(field(w0, 0, m5, 3), field(w1, 0, m5, 3));
    if constexpr (Is565) {
        const T m6 = V::set16(0x3F);
        g = V::packus16_rows(field(w0, 5, m6, 2), field(w1, 5, m6, 2));
        r = V::packus16_rows(V::slli16(V::srli16(w0, 11), 3), V::slli16(V::srli16(w1, 11), 3));
    } else {
        g = V::packus16_rows(field(w0, 5, m5, 3), field(w1, 5, m5, 3));
        r = V::packus16_rows(field(w0, 10, m5, 3), field(w1, 10, m5, 3));
    }
}

}  // namespace
}  // namespace qrx::simd
#endif  // __SSE2__
