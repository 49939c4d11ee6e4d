#include "gray_twist_gamma/gamma_results16.h"

#include "core/round_to_nearest.h"
#include "gray_twist_gamma/gamma_kernels.h"

namespace qrx::gamma {

namespace {

struct Results {
    std::uint16_t at[65536];
    explicit Results(bool fwd) {
        const RoundToNearest nearest;
        evaluate16(fwd, at);
    }
};

}  // namespace

void evaluate16(bool fwd, std::uint16_t* at) {
    // a block of values at a time, by the curve kernels (every level gives the same results)
    std::uint16_t values[256];
    for (unsigned v = 0; v < 65536; v += 256) {
        for (unsigned i = 0; i < 256; ++i) values[i] = static_cast<std::uint16_t>(v + i);
        kernels().curve16[fwd ? 0 : 1][0](values, at + v, 256);
    }
}

const std::uint16_t* results16(bool fwd) {
    // function-local statics: initialised once, thread-safely
    if (fwd) {
        static const Results forward(true);
        return forward.at;
    }
    static const Results inverse(false);
    return inverse.at;
}

}  // namespace qrx::gamma
