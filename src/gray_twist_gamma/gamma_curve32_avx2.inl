// The 32f curves at AVX2 on registers of four doubles (included by
// gamma_curves.inl at that level): curve<Fwd> and block32 of gamma_curves.inl
// with pow4 of power_avx2.h.  The linear piece is the recipe's arithmetic; on
// the power piece the steps after pow are fused and the bound is formed from
// constants of the row, which the error bound covers as well, so the kept
// lanes are the recipe's outputs as there (a lane near a rounding boundary
// may be kept here and sent to the recipe there, or the other way round).
// kSteps32 groups of four samples a step, each step of the power function
// taken for all of them in turn (fewer leave the units waiting on the chain's
// latency, more spill).
constexpr int kSteps32 = 8;

struct Consts4 {
    __m256d q, scale_pw, offset, slope_d, vmin, bound_pw, bound_rest;
    __m128 vmin_f;
    // power piece: y = pw scale_pw + offset, with (pw A - B) r + vmin forward
    // and pw r + vmin inverse regrouped; the bound of curve's kept results,
    // (2|pw r| + |r| + |vmin| + |yp|) kErrorBound, taken with |yp| at most
    // 1.1 pw |r| + 0.1 |r| + |vmin|
    template <bool Fwd>
    static Consts4 of(const gtg::GammaRange& g) {
        using namespace gtg;
        const double vmin = static_cast<double>(g.vmin), abs_r = std::fabs(g.r);
        Consts4 c;
        c.q = _mm256_set1_pd(g.q);
        c.scale_pw = _mm256_set1_pd(Fwd ? kScaleA * g.r : g.r);
        c.offset = _mm256_set1_pd(Fwd ? vmin - kOffsetB * g.r : vmin);
        c.slope_d = _mm256_set1_pd(Fwd ? kLinearSlope : kInvSlope);
        c.vmin = _mm256_set1_pd(vmin);
        c.bound_pw = _mm256_set1_pd(3.2 * abs_r * power::kErrorBound);
        c.bound_rest = _mm256_set1_pd((1.2 * abs_r + 2.0 * std::fabs(vmin)) * power::kErrorBound);
        c.vmin_f = _mm_set1_ps(g.vmin);
        return c;
    }
};

// K groups of four samples at src to their outputs; bad[i]: the lanes of group
// i that the scalar recipe must give.
template <bool Fwd, int K>
QRX_INLINE void curve4(const float* src, const Consts4& c, __m128 (&out)[K], int (&bad)[K]) {
    using namespace gtg;
    using power::set;
    __m256d d[K], pow_lanes[K], pw[K];
    int use[K];
    for (int i = 0; i < K; ++i) {
        d[i] = _mm256_cvtps_pd(_mm_sub_ps(_mm_loadu_ps(src + 4 * i), c.vmin_f));
        const __m256d t = _mm256_mul_pd(d[i], c.q);
        const __m256d on_power = _mm256_cmp_pd(t, set(Fwd ? kFwdThreshold : kInvThreshold), _CMP_GE_OQ);
        use[i] = _mm256_movemask_pd(on_power);
        // the lanes of the linear piece and those of bases out of range (sent
        // to the scalar recipe) take the power of 1
        pow_lanes[i] = _mm256_andnot_pd(_mm256_cmp_pd(t, set(power::kLargestBase), _CMP_GE_OQ), on_power);
        const __m256d base = Fwd ? t : _mm256_mul_pd(_mm256_add_pd(t, set(kOffsetB)), set(kInvScaleA));
        pw[i] = _mm256_blendv_pd(set(1.0), base, pow_lanes[i]);
    }
    power::pow4<K>(pw, Fwd ? kFwdExponent : kInvExponent);
    for (int i = 0; i < K; ++i) {
        // fused and regrouped here: the bound covers the roundings either way
        const __m256d yp = _mm256_fmadd_pd(pw[i], c.scale_pw, c.offset);
        const __m256d yl = _mm256_add_pd(_mm256_mul_pd(d[i], c.slope_d), c.vmin);  // the recipe's
        const __m256d delta = _mm256_fmadd_pd(pw[i], c.bound_pw, c.bound_rest);
        // kept where the two ends of the interval round to the same float
        const __m128 lo = _mm256_cvtpd_ps(_mm256_sub_pd(yp, delta));
        const __m128 hi = _mm256_cvtpd_ps(_mm256_add_pd(yp, delta));
        const __m256d same = _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm_cmpeq_epi32(_mm_castps_si128(lo), _mm_castps_si128(hi))));
        const __m256d keep = _mm256_and_pd(same, pow_lanes[i]);
        bad[i] = use[i] & ~_mm256_movemask_pd(keep);
        out[i] = _mm256_cvtpd_ps(_mm256_blendv_pd(yl, yp, keep));
    }
}

template <bool Fwd>
[[gnu::noinline, gnu::cold]] void store_rechecked4(const float* s, float* dst, int bad, __m128 out, const gtg::GammaRange& g) {
    alignas(16) float o[4];
    _mm_store_ps(o, out);
    for (int l = 0; l < 4; ++l)
        if (bad >> l & 1) o[l] = Fwd ? gtg::gamma32_fwd(s[l], g) : gtg::gamma32_inv(s[l], g);
    std::memcpy(dst, o, sizeof o);
}

// n samples: groups of four on registers, the rest through block32.
template <bool Fwd>
void samples32_avx2(const float* s, float* d, std::ptrdiff_t n, const gtg::GammaRange& g, const Consts& c) {
    const Consts4 c4 = Consts4::of<Fwd>(g);
    std::ptrdiff_t i = 0;
    for (; i + 4 * kSteps32 <= n; i += 4 * kSteps32) {
        __m128 out[kSteps32];
        int bad[kSteps32];
        curve4<Fwd, kSteps32>(s + i, c4, out, bad);
        for (int k = 0; k < kSteps32; ++k) {
            if (bad[k] != 0)
                store_rechecked4<Fwd>(s + i + 4 * k, d + i + 4 * k, bad[k], out[k], g);
            else
                _mm_storeu_ps(d + i + 4 * k, out[k]);
        }
    }
    samples(s + i, d + i, n - i, [&g, &c](const float* a, float* b) { block32<Fwd>(a, b, g, c); });
}
