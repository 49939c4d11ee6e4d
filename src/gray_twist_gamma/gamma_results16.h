// The 16u curves' results for every 16-bit value, one table per direction:
// constant data shared by all calls, computed once on first use (not at load)
// in round-to-nearest and never written after.  The calls that need a table
// copy it into their own scratch block (or the polynomial form of
// gamma_poly16.h, which reads it for a few lanes) when the caller rounds to
// nearest, which costs ~10 us instead of
// 65536 curve evaluations; under another rounding mode they evaluate the
// curve into it, as the direct path does.
#pragma once

#include <cstdint>

namespace qrx::gamma {

const std::uint16_t* results16(bool fwd);

// The results of all 65536 values into `at`, in the current rounding mode.
void evaluate16(bool fwd, std::uint16_t* at);

}  // namespace qrx::gamma
