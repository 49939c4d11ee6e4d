#include "gray_twist_gamma/gamma_compact16.h"

#include <algorithm>

#include "gray_twist_gamma/gamma_results16.h"

namespace qrx::gamma {

namespace {

// Each segment's slope is its chord's, in 1/4096; its base the lowest
// result - line over the segment, so that the residuals start at 0.
struct Built {
    Compact16 form{};
    bool fits = true;
    explicit Built(bool fwd) {
        const std::uint16_t* y = results16(fwd);
        unsigned first[32], last[32];
        std::fill(first, first + 32, 65536u);
        std::fill(last, last + 32, 0u);
        for (unsigned v = 0; v < 65536; ++v) {
            const unsigned j = compact16_segment(v, fwd);
            first[j] = std::min(first[j], v);
            last[j] = std::max(last[j], v);
        }
        for (unsigned j = 0; j < 32; ++j) {
            if (first[j] > last[j]) continue;  // unused
            const unsigned a = first[j], b = last[j];
            const double chord = b > a ? (static_cast<double>(y[b]) - y[a]) * 4096.0 / (b - a) : 0.0;
            const auto slope = static_cast<std::uint32_t>(std::max(0.0, chord + 0.5));
            long lo = 1L << 30, hi = -(1L << 30);
            for (unsigned v = a; v <= b; ++v) {
                const long r = static_cast<long>(y[v]) - static_cast<long>(compact16_line(v, slope));
                lo = std::min(lo, r);
                hi = std::max(hi, r);
            }
            fits = fits && slope < 32768 && hi - lo <= 255;
            form.segments[j] = static_cast<std::uint32_t>(lo) << 16 | slope;
            for (unsigned v = a; v <= b; ++v)
                form.residual[v] = static_cast<std::uint8_t>(y[v] - compact16_line(v, form.segments[j]));
        }
    }
};

}  // namespace

const Compact16* compact16(bool fwd) {
    // function-local statics: built once, thread-safely
    if (fwd) {
        static const Built forward(true);
        return forward.fits ? &forward.form : nullptr;
    }
    static const Built inverse(false);
    return inverse.fits ? &inverse.form : nullptr;
}

}  // namespace qrx::gamma
