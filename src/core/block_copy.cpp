#include "core/block_copy.h"

#include <cstring>

#include "core/cpu.h"

namespace qrx {

void copy_bytes(void* dst, const void* src, std::size_t n) {
#if QRX_X86_SIMD
    constexpr std::size_t kStringMoveMin = std::size_t{1} << 20;
    if (n >= kStringMoveMin && cpu::fast_string_moves()) {
        __asm__ volatile("rep movsb" : "+D"(dst), "+S"(src), "+c"(n) : : "memory");
        return;
    }
#endif
    if (n > 0) std::memcpy(dst, src, n);
}

}  // namespace qrx
