// The 32f curves at AVX2 on registers of four doubles (included by
// gamma_curves.inl at that level): curve<Fwd> and block32 of gamma_curves.inl
// with pow4 of power_avx2.h, the same operations in the same order, so a
// lane is kept or sent to the scalar recipe exactly as there.  kSteps32
// groups of four samples a step, each step of the power function taken for
// all of them in turn: GammaFwd_32f_C3R at 1920x1080 on an AMD EPYC without
// AVX-512, 27.5 ms with the vector-extension form (32 lanes), 22.7 ms with 8
// groups here (3: 32 ms, 6: 24 ms, 12: 30.5 ms, spilling).

constexpr int kSteps32 = 8;

QRX_INLINE __m256d abs4(__m256d x) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), x); }

struct Consts4 {
    __m256d q, r, vmin, abs_r, abs_vmin;
    __m128 vmin_f;
    explicit Consts4(const gtg::GammaRange& g)
        : q(_mm256_set1_pd(g.q)), r(_mm256_set1_pd(g.r)), vmin(_mm256_set1_pd(static_cast<double>(g.vmin))),
          abs_r(abs4(r)), abs_vmin(abs4(vmin)), vmin_f(_mm_set1_ps(g.vmin)) {}
};

// K groups of four samples at src to their outputs; bad[i]: the lanes of group
// i that the scalar recipe must give.
template <bool Fwd, int K>
QRX_INLINE void curve4(const float* src, const Consts4& c, __m128 (&out)[K], int (&bad)[K]) {
    using namespace gtg;
    using power::set;
    __m256d d[K], t[K], large[K], use[K], pw[K], yp[K];
    for (int i = 0; i < K; ++i) {
        d[i] = _mm256_cvtps_pd(_mm_sub_ps(_mm_loadu_ps(src + 4 * i), c.vmin_f));
        t[i] = _mm256_mul_pd(d[i], c.q);
        large[i] = _mm256_cmp_pd(t[i], set(power::kLargestBase), _CMP_GE_OQ);
        use[i] = _mm256_cmp_pd(t[i], set(Fwd ? kFwdThreshold : kInvThreshold), _CMP_GE_OQ);
        // lanes of the linear piece (and bases out of range) take the power of 1
        const __m256d base = Fwd ? t[i] : _mm256_mul_pd(_mm256_add_pd(t[i], set(kOffsetB)), set(kInvScaleA));
        pw[i] = _mm256_blendv_pd(set(1.0), base, _mm256_andnot_pd(large[i], use[i]));
    }
    power::pow4<K>(pw, Fwd ? kFwdExponent : kInvExponent);
    for (int i = 0; i < K; ++i) {
        yp[i] = Fwd ? _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(_mm256_mul_pd(pw[i], set(kScaleA)), set(kOffsetB)), c.r), c.vmin)
                    : _mm256_add_pd(_mm256_mul_pd(pw[i], c.r), c.vmin);
        const __m256d yl = _mm256_add_pd(_mm256_mul_pd(d[i], set(Fwd ? kLinearSlope : kInvSlope)), c.vmin);
        const __m256d delta = _mm256_mul_pd(
            _mm256_add_pd(_mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(abs4(_mm256_mul_pd(pw[i], c.r)), set(2.0)), c.abs_r),
                                        c.abs_vmin),
                          abs4(yp[i])),
            set(power::kErrorBound));
        // the two ends of the interval round to different floats (h = 0 for float outputs)
        const __m128 lo = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_sub_pd(yp[i], delta), set(0.0)));
        const __m128 hi = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_add_pd(yp[i], delta), set(0.0)));
        const __m128i same = _mm_cmpeq_epi32(_mm_castps_si128(lo), _mm_castps_si128(hi));
        const __m256d open = _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm_xor_si128(same, _mm_set1_epi32(-1))));
        const __m256d bad_lanes = _mm256_and_pd(use[i], _mm256_or_pd(large[i], open));
        bad[i] = _mm256_movemask_pd(bad_lanes);
        // kept power lanes take yp, the rest yl (the bad ones are replaced)
        out[i] = _mm256_cvtpd_ps(_mm256_blendv_pd(yl, yp[i], _mm256_andnot_pd(bad_lanes, use[i])));
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
    const Consts4 c4(g);
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
