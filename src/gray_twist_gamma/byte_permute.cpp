#include "gray_twist_gamma/byte_permute.h"

#include "core/cpu.h"

namespace qrx::gtg {

bool byte_permute_available() { return qrx::cpu::active() >= qrx::cpu::Level::AVX512VBMI; }

}  // namespace qrx::gtg
