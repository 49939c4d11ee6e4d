// The 16u and 32f gamma curves evaluated per sample, kLanes samples at a
// time with the vector power function (included by gamma_rows.inl inside its
// per-level namespace).  Every lane computes the recipe's operations in the
// recipe's order; only pow is replaced by the fast one.  A lane is kept when
// every result within the fast pow's error bound rounds to the same output
// (a float, or the float y + 0.5 that the 16u rounding truncates: rounding
// is monotonic, so the two ends of the interval decide); the others (a few
// in a hundred thousand, and bases above kLargestBase) go through the scalar
// recipe.  So the outputs are the recipes' at every level.  At AVX2 the 32f
// curves take the register form of gamma_curve32_avx2.inl (the same power
// function, the steps after it fused) and use these blocks for a row's last
// samples only.

// Eight registers' worth of lanes: the power function is one long chain of
// dependent operations, and eight independent chains keep the units busy
// (the 32f curves at 1920x1080 at AVX2, with an earlier power function: 23 ms
// against 28 ms with four, 37 ms with two).
#if defined(QRX_LEVEL_SCALAR) || !defined(__AVX2__)
constexpr int kLanes = 8;
#elif defined(__AVX512F__)
constexpr int kLanes = 64;
#else
constexpr int kLanes = 32;
#endif

using V = gtg::power::Vec<kLanes>;
using D = V::d;
using U = V::u;
using F = V::f;
using I = V::i;
typedef std::int64_t S64 __attribute__((vector_size(8 * kLanes)));
typedef u16 W __attribute__((vector_size(2 * kLanes)));

QRX_INLINE D abs_of(D x) { return (D)((U)x & 0x7FFFFFFFFFFFFFFFull); }

// The curve's run-time constants spread over the lanes once per row (GCC
// spreads a scalar over a vector wider than the registers lane by lane,
// through memory, wherever an expression mixes the two).
struct Consts {
    D q, r, vmin, h, abs_r, abs_vmin;
    Consts(double q_, double r_, double vmin_, double h_) {
        for (int l = 0; l < kLanes; ++l) {
            q[l] = q_;
            r[l] = r_;
            vmin[l] = vmin_;
            h[l] = h_;
        }
        abs_r = abs_of(r);
        abs_vmin = abs_of(vmin);
    }
};

// y for d (t = d q); `bad` marks the lanes whose output is not settled when
// rounded after adding `h` (0 for float outputs, 0.5 for 16u).
template <bool Fwd>
QRX_INLINE D curve(D d, const Consts& c, U& bad) {
    using namespace gtg;
    const D q = c.q, r = c.r, vmin = c.vmin, h = c.h;
    const D t = d * q;
    // lanes of the linear piece (and bases out of the fast pow's range) take
    // the power of 1: no garbage operands, which could be slow subnormals
    const U large = gtg::power::at_least<kLanes>(t, gtg::power::kLargestBase);
    D pw, yp, yl;
    U use;
    if constexpr (Fwd) {
        use = power::at_least<kLanes>(t, kFwdThreshold);
        pw = power::pow<kLanes>(gtg::power::select(use & ~large, t, D{} + 1.0), kFwdExponent);
        yp = (pw * kScaleA - kOffsetB) * r + vmin;
        yl = d * kLinearSlope + vmin;
    } else {
        use = power::at_least<kLanes>(t, kInvThreshold);
        pw = power::pow<kLanes>(gtg::power::select(use & ~large, (t + kOffsetB) * kInvScaleA, D{} + 1.0),
                                kInvExponent);
        yp = pw * r + vmin;
        yl = d * kInvSlope + vmin;
    }
    const D delta = (((abs_of(pw * r) * 2.0 + c.abs_r) + c.abs_vmin) + abs_of(yp)) * gtg::power::kErrorBound;
    const I open = gtg::power::differ<kLanes>(__builtin_convertvector((yp - delta) + h, F), __builtin_convertvector((yp + delta) + h, F));
    bad = use & (large | (U)__builtin_convertvector(open, S64));
    return gtg::power::select(use & ~bad, yp, yl);
}

// Some lane set: the mask ORed 16 bytes at a time, in registers (a loop over
// the lanes costs an extract per lane, a quarter of the block's time).
QRX_INLINE bool any(U m) {
    typedef std::uint64_t Q __attribute__((vector_size(16)));
    Q a = {};
    for (int l = 0; l < kLanes; l += 2) {
        Q c;
        std::memcpy(&c, reinterpret_cast<const char*>(&m) + 8 * l, sizeof c);
        a |= c;
    }
    return (a[0] | a[1]) != 0;
}

// The block's output with its unsettled lanes through the scalar recipe, out
// of line and with the source read again, so that the block's registers need
// not be laid out in memory for a branch rarely taken (in place, the source
// is read before the output is stored).
template <bool Fwd>
[[gnu::noinline, gnu::cold]] void store_rechecked32(const float* s, float* dst, U bad, F out, const gtg::GammaRange& g) {
    for (int l = 0; l < kLanes; ++l)
        if (bad[l]) out[l] = Fwd ? gtg::gamma32_fwd(s[l], g) : gtg::gamma32_inv(s[l], g);
    std::memcpy(dst, &out, sizeof out);
}
template <bool Fwd>
[[gnu::noinline, gnu::cold]] void store_rechecked16(const u16* s, u16* dst, U bad, W out) {
    for (int l = 0; l < kLanes; ++l)
        if (bad[l]) out[l] = Fwd ? gtg::gamma16_fwd(s[l]) : gtg::gamma16_inv(s[l]);
    std::memcpy(dst, &out, sizeof out);
}

template <bool Fwd>
QRX_INLINE void block32(const float* s, float* dst, const gtg::GammaRange& g, const Consts& c) {
    F sv;
    std::memcpy(&sv, s, sizeof sv);
    U bad;
    const D y = curve<Fwd>(__builtin_convertvector(sv - g.vmin, D), c, bad);
    const F out = __builtin_convertvector(y, F);
    if (any(bad))
        store_rechecked32<Fwd>(s, dst, bad, out, g);
    else
        std::memcpy(dst, &out, sizeof out);
}

template <bool Fwd>
QRX_INLINE void block16(const u16* s, u16* dst, const Consts& c) {
    W sv;
    std::memcpy(&sv, s, sizeof sv);
    U bad;
    const D y = curve<Fwd>(__builtin_convertvector(sv, D), c, bad);
    // gamma16_round: r = float(y + 0.5) truncated, exact odd halves to the even neighbour
    const F rv = __builtin_convertvector(y + 0.5, F);
    I n = __builtin_convertvector(rv, I);
    n = n - (~gtg::power::differ<kLanes>(rv, __builtin_convertvector(n, F)) & (n & 1));
    const W out = __builtin_convertvector(n, W);
    if (any(bad))
        store_rechecked16<Fwd>(s, dst, bad, out);
    else
        std::memcpy(dst, &out, sizeof out);
}

// n consecutive samples; a short tail goes through a zero-padded block.
template <class T, class Block>
QRX_INLINE void samples(const T* s, T* d, std::ptrdiff_t n, const Block& block) {
    std::ptrdiff_t i = 0;
    for (; i + kLanes <= n; i += kLanes) block(s + i, d + i);
    if (i < n) {
        T in[kLanes] = {}, out[kLanes];
        std::memcpy(in, s + i, sizeof(T) * static_cast<std::size_t>(n - i));
        block(in, out);
        std::memcpy(d + i, out, sizeof(T) * static_cast<std::size_t>(n - i));
    }
}

// n four-sample pixels: samples 0..2 gathered into a buffer, converted (by
// run(in, out, count)), put back; the fourth sample of the destination is not
// written.
template <class T, class Run>
QRX_INLINE void pixels(const T* s, T* d, std::ptrdiff_t n, const Run& run) {
    constexpr std::ptrdiff_t kPixels = 64;
    T buf[3 * kPixels];
    for (std::ptrdiff_t i = 0; i < n; i += kPixels) {
        const std::ptrdiff_t m = n - i < kPixels ? n - i : kPixels;
        for (std::ptrdiff_t p = 0; p < m; ++p)
            for (int c = 0; c < 3; ++c) buf[3 * p + c] = s[4 * (i + p) + c];
        run(buf, buf, 3 * m);
        for (std::ptrdiff_t p = 0; p < m; ++p)
            for (int c = 0; c < 3; ++c) d[4 * (i + p) + c] = buf[3 * p + c];
    }
}

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__) && defined(__FMA__) && !defined(__AVX512F__)
#include "gray_twist_gamma/gamma_curve32_avx2.inl"
#endif

template <bool Fwd, bool Ac4>
void curve16_rows(const u16* s, u16* d, std::ptrdiff_t n) {
    const Consts c(gtg::kInv65535, gtg::kFullScale16, 0.0, 0.5);
    const auto run = [&c](const u16* a, u16* b, std::ptrdiff_t m) {
        samples(a, b, m, [&c](const u16* x, u16* y) { block16<Fwd>(x, y, c); });
    };
    if constexpr (Ac4)
        pixels(s, d, n, run);
    else
        run(s, d, n);
}

template <bool Fwd, bool Ac4>
void curve32_rows(const float* s, float* d, std::ptrdiff_t n, const gtg::GammaRange& g) {
    const Consts c(g.q, g.r, static_cast<double>(g.vmin), 0.0);
    const auto run = [&g, &c](const float* a, float* b, std::ptrdiff_t m) {
#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__) && defined(__FMA__) && !defined(__AVX512F__)
        samples32_avx2<Fwd>(a, b, m, g, c);
#else
        samples(a, b, m, [&g, &c](const float* x, float* y) { block32<Fwd>(x, y, g, c); });
#endif
    };
    if constexpr (Ac4)
        pixels(s, d, n, run);
    else
        run(s, d, n);
}

#define QRX_GAMMA_CURVES                                                                                     \
    {{curve16_rows<true, false>, curve16_rows<true, true>}, {curve16_rows<false, false>, curve16_rows<false, true>}}, \
    {                                                                                                        \
        {curve32_rows<true, false>, curve32_rows<true, true>}, { curve32_rows<false, false>, curve32_rows<false, true> } \
    }
