// The 16u curves' results for every 16-bit value, one table per direction:
// constant data shared by all calls, computed once on first use (not at load)
// in round-to-nearest and never written after.  The calls that need a table
// copy it (or its compact form, gamma_compact16.h) into their own scratch
// block when the caller rounds to nearest, which costs ~10 us instead of
// 65536 curve evaluations; under another rounding mode they evaluate the
// curve into it, as the direct path does.
#pragma once

#include <cstdint>

namespace qrx::gamma {

const std::uint16_t* results16(bool fwd);

// The results of all 65536 values into `at`, in the current rounding mode.
void evaluate16(bool fwd, std::uint16_t* at);

}  // namespace qrx::gamma
