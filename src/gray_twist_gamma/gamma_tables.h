// The constant 256-entry tables of the BT.709 transfer curve on 8-bit samples
// (generated offline by tools/gen/gamma_tables.py, stored as data).
#pragma once

#include <cstdint>

namespace qrx::gamma {

extern const std::uint8_t kForward8u[256];
extern const std::uint8_t kInverse8u[256];

}  // namespace qrx::gamma
