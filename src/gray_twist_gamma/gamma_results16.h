// The 16u curves' results for every 16-bit value, one table per direction:
// constant data shared by all calls, computed once on first use (not at load)
// and never written after.  The calls that need a table copy it into their
// own scratch table, which costs ~10 us instead of 65536 curve evaluations.
#pragma once

#include <cstdint>

namespace qrx::gamma {

const std::uint16_t* results16(bool fwd);

}  // namespace qrx::gamma
