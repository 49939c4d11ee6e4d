#include "gray_twist_gamma/gamma_poly16.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>
#include <vector>

#include "gray_twist_gamma/gamma_results16.h"
#include "gray_twist_gamma/recipes.h"

namespace qrx::gamma {

namespace {

using gtg::kFwdThreshold;
using gtg::kInvThreshold;
using gtg::kInv65535;

bool on_linear_piece(unsigned v, bool fwd) {
    const double x = static_cast<double>(v) * kInv65535;  // as the recipes compare it
    return !(x >= (fwd ? kFwdThreshold : kInvThreshold));
}

// The power piece in extended precision, at a real (not only integer) v.
long double curve(long double v, bool fwd) {
    const long double x = v * static_cast<long double>(kInv65535);
    if (fwd)
        return (std::pow(x, static_cast<long double>(gtg::kFwdExponent)) * static_cast<long double>(gtg::kScaleA) -
                static_cast<long double>(gtg::kOffsetB)) *
               65535.0L;
    return std::pow((x + static_cast<long double>(gtg::kOffsetB)) * static_cast<long double>(gtg::kInvScaleA),
                    static_cast<long double>(gtg::kInvExponent)) *
           65535.0L;
}

// Each segment: the polynomial through the curve at the Chebyshev nodes of
// its range (close to the best of its degree), from Newton's divided
// differences turned into powers of t.
struct Built {
    Poly16 form{};
    explicit Built(bool fwd) {
        const int nodes = fwd ? Poly16::kDegree + 1 : Poly16::kDegree;
        constexpr int kNodes = Poly16::kDegree + 1;
        unsigned lo[32], hi[32];
        for (int k = 0; k < 32; ++k) lo[k] = 65536, hi[k] = 0;
        form.first_curve = 65536;
        for (unsigned v = 0; v < 65536; ++v) {
            if (on_linear_piece(v, fwd)) continue;
            if (form.first_curve == 65536) form.first_curve = static_cast<std::int32_t>(v);
            const unsigned k = poly16_segment(v, fwd);
            lo[k] = std::min(lo[k], v);
            hi[k] = std::max(hi[k], v);
        }
        form.slope = static_cast<float>(fwd ? gtg::kLinearSlope : gtg::kInvSlope);
        const long double pi = 3.141592653589793238462643383279502884L;
        for (int k = 0; k < 32; ++k) {
            if (lo[k] > hi[k]) continue;  // no value of the power piece here
            // nodes over the segment's values on the power piece, t about the segment's own centre
            const long double mid = (lo[k] + hi[k]) / 2.0L, half = (hi[k] - lo[k]) / 2.0L;
            const long double centre = poly16_centre(lo[k], fwd);
            long double t[kNodes] = {}, c[kNodes] = {};
            for (int i = 0; i < nodes; ++i) {
                t[i] = mid - centre + half * std::cos((2 * i + 1) * pi / (2 * nodes));
                c[i] = curve(centre + t[i], fwd);
            }
            for (int j = 1; j < nodes; ++j)  // divided differences, in place
                for (int i = nodes - 1; i >= j; --i) c[i] = (c[i] - c[i - 1]) / (t[i] - t[i - j]);
            long double p[kNodes] = {};  // p(t) = c0 + (t - t0)(c1 + (t - t1)(c2 + ...))
            for (int j = nodes - 1; j >= 0; --j) {
                for (int i = nodes - 1; i > 0; --i) p[i] = p[i - 1] - t[j] * p[i];
                p[0] = c[j] - t[j] * p[0];
            }
            const long double whole = std::floor(p[0] + 0.5L);
            form.whole[k] = static_cast<std::int32_t>(whole);
            form.rest[k] = static_cast<float>(p[0] - whole);
            for (int j = 0; j < Poly16::kDegree; ++j) form.coef[j][k] = static_cast<float>(p[j + 1]);
        }
    }
};

}  // namespace

const Poly16& poly16(bool fwd) {
    // function-local statics: built once, thread-safely
    if (fwd) {
        static const Built forward(true);
        return forward.form;
    }
    static const Built inverse(false);
    return inverse.form;
}

bool poly16_exact(bool fwd, Poly16Fn kernel) {
    static std::mutex lock;
    static std::vector<std::pair<Poly16Fn, bool>> checked[2];
    const std::lock_guard<std::mutex> hold(lock);
    for (const auto& c : checked[fwd ? 0 : 1])
        if (c.first == kernel) return c.second;
    std::vector<std::uint16_t> values(65536), out(65536);
    for (unsigned v = 0; v < 65536; ++v) values[v] = static_cast<std::uint16_t>(v);
    const std::uint16_t* want = results16(fwd);
    kernel(values.data(), out.data(), 65536, poly16(fwd), want);
    const bool exact = std::equal(out.begin(), out.end(), want);
    checked[fwd ? 0 : 1].emplace_back(kernel, exact);
    return exact;
}

}  // namespace qrx::gamma
