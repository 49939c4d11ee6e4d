// The 16u and 32f gamma curves evaluated per sample, kLanes samples at a
// time with the vector power function (included by gamma_rows.inl inside its
// per-level namespace).  Every lane computes the recipe's operations in the
// recipe's order; only pow is replaced by the fast one.  A lane is kept when
// every result within the fast pow's error bound rounds to the same output
// (a float, or the float y + 0.5 that the 16u rounding truncates: rounding
// is monotonic, so the two ends of the interval decide); the others (a few
// in a hundred thousand, and bases above kLargestBase) go through the scalar
// recipe.  So the outputs are the recipes' at every level.

// Four registers' worth of lanes: the power function is one long chain of
// dependent operations, and four independent chains keep the units busy.
#if defined(QRX_LEVEL_SCALAR) || !defined(__AVX2__)
constexpr int kLanes = 8;
#elif defined(__AVX512F__)
constexpr int kLanes = 32;
#else
constexpr int kLanes = 16;
#endif

using V = gtg::power::Vec<kLanes>;
using D = V::d;
using U = V::u;
using F = V::f;
using I = V::i;
typedef std::int64_t S64 __attribute__((vector_size(8 * kLanes)));
typedef u16 W __attribute__((vector_size(2 * kLanes)));

QRX_INLINE D abs_of(D x) { return (D)((U)x & 0x7FFFFFFFFFFFFFFFull); }

// y for d (t = d q); `bad` marks the lanes whose output is not settled when
// rounded after adding `h` (0 for float outputs, 0.5 for 16u).
template <bool Fwd>
QRX_INLINE D curve(D d, double q, double r, double vmin, double h, I& bad) {
    using namespace gtg;
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
    const D delta = (((abs_of(pw * r) * 2.0 + abs_of(D{} + r)) + abs_of(D{} + vmin)) + abs_of(yp)) * gtg::power::kErrorBound;
    const I open = gtg::power::differ<kLanes>(__builtin_convertvector((yp - delta) + h, F), __builtin_convertvector((yp + delta) + h, F));
    bad = __builtin_convertvector((S64)(use & (large | (U)__builtin_convertvector(open, S64))), I);
    return gtg::power::select(use & ~(U)__builtin_convertvector(bad, S64), yp, yl);
}

QRX_INLINE bool any(I m) {
    int a = 0;
    for (int l = 0; l < kLanes; ++l) a |= m[l];
    return a != 0;
}

template <bool Fwd>
QRX_INLINE void block32(const float* s, float* dst, const gtg::GammaRange& g) {
    F sv;
    std::memcpy(&sv, s, sizeof sv);
    I bad;
    const D y = curve<Fwd>(__builtin_convertvector(sv - g.vmin, D), g.q, g.r, static_cast<double>(g.vmin), 0.0, bad);
    F out = __builtin_convertvector(y, F);
    if (any(bad))
        for (int l = 0; l < kLanes; ++l)
            if (bad[l]) out[l] = Fwd ? gtg::gamma32_fwd(sv[l], g) : gtg::gamma32_inv(sv[l], g);
    std::memcpy(dst, &out, sizeof out);
}

template <bool Fwd>
QRX_INLINE void block16(const u16* s, u16* dst) {
    W sv;
    std::memcpy(&sv, s, sizeof sv);
    I bad;
    const D y = curve<Fwd>(__builtin_convertvector(sv, D), gtg::kInv65535, gtg::kFullScale16, 0.0, 0.5, bad);
    // gamma16_round: r = float(y + 0.5) truncated, exact odd halves to the even neighbour
    const F rv = __builtin_convertvector(y + 0.5, F);
    I n = __builtin_convertvector(rv, I);
    n = n - (~gtg::power::differ<kLanes>(rv, __builtin_convertvector(n, F)) & (n & 1));
    W out = __builtin_convertvector(n, W);
    if (any(bad))
        for (int l = 0; l < kLanes; ++l)
            if (bad[l]) out[l] = Fwd ? gtg::gamma16_fwd(sv[l]) : gtg::gamma16_inv(sv[l]);
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

// n four-sample pixels: samples 0..2 gathered into a buffer, converted, put
// back; the fourth sample of the destination is not written.
template <class T, class Block>
QRX_INLINE void pixels(const T* s, T* d, std::ptrdiff_t n, const Block& block) {
    constexpr std::ptrdiff_t kPixels = 64;
    T buf[3 * kPixels];
    for (std::ptrdiff_t i = 0; i < n; i += kPixels) {
        const std::ptrdiff_t m = n - i < kPixels ? n - i : kPixels;
        for (std::ptrdiff_t p = 0; p < m; ++p)
            for (int c = 0; c < 3; ++c) buf[3 * p + c] = s[4 * (i + p) + c];
        samples(buf, buf, 3 * m, block);
        for (std::ptrdiff_t p = 0; p < m; ++p)
            for (int c = 0; c < 3; ++c) d[4 * (i + p) + c] = buf[3 * p + c];
    }
}

template <bool Fwd, bool Ac4>
void curve16_rows(const u16* s, u16* d, std::ptrdiff_t n) {
    const auto block = [](const u16* a, u16* b) { block16<Fwd>(a, b); };
    if constexpr (Ac4)
        pixels(s, d, n, block);
    else
        samples(s, d, n, block);
}

template <bool Fwd, bool Ac4>
void curve32_rows(const float* s, float* d, std::ptrdiff_t n, const gtg::GammaRange& g) {
    const auto block = [&g](const float* a, float* b) { block32<Fwd>(a, b, g); };
    if constexpr (Ac4)
        pixels(s, d, n, block);
    else
        samples(s, d, n, block);
}

#define QRX_GAMMA_CURVES                                                                                     \
    {{curve16_rows<true, false>, curve16_rows<true, true>}, {curve16_rows<false, false>, curve16_rows<false, true>}}, \
    {                                                                                                        \
        {curve32_rows<true, false>, curve32_rows<true, true>}, { curve32_rows<false, false>, curve32_rows<false, true> } \
    }
