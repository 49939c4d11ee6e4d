#include "core/allocator.h"

#include <cstdlib>
#include <cstring>

namespace qrx {
namespace {

thread_local int t_fail_countdown = 0;
thread_local long t_live_blocks = 0;

bool injected_failure() {
    if (t_fail_countdown <= 0) return false;
    return --t_fail_countdown == 0;
}

// Request bytes + 36 from the heap; the block starts at (raw + 35) rounded
// down to 32, at least 4 bytes above raw, leaving room for the stored address.
// With pointers wider than 4 bytes the whole address is stored in the
// pointer-sized slot just below the block (8 bytes fit because the block
// start is at least 4 above raw and the request keeps 36 spare bytes; the
// slot is placed at block - sizeof(void*) only when that stays inside).
void* allocate_bytes(std::size_t payload) {
    if (injected_failure()) return nullptr;
    constexpr std::size_t kExtra = 36 + sizeof(void*);
    auto* raw = static_cast<unsigned char*>(std::malloc(payload + kExtra));
    if (raw == nullptr) return nullptr;
    auto start = (reinterpret_cast<std::uintptr_t>(raw) + 35 + sizeof(void*) - 4) & ~std::uintptr_t{31};
    auto* block = reinterpret_cast<unsigned char*>(start);
    std::memcpy(block - sizeof(void*), &raw, sizeof(void*));
    ++t_live_blocks;
    return block;
}

}  // namespace

std::int16_t* allocate16(int count) {
    if (count < 1) return nullptr;
    return static_cast<std::int16_t*>(allocate_bytes(static_cast<std::size_t>(count) * 2));
}

std::int32_t* allocate32(int count) {
    if (count < 1) return nullptr;
    return static_cast<std::int32_t*>(allocate_bytes(static_cast<std::size_t>(count) * 4));
}

void release(void* block) {
    if (block == nullptr) return;
    void* raw;
    std::memcpy(&raw, static_cast<unsigned char*>(block) - sizeof(void*), sizeof(void*));
    --t_live_blocks;
    std::free(raw);
}

namespace testing_hooks {
void fail_allocation_after(int n) { t_fail_countdown = n; }
long live_blocks() { return t_live_blocks; }
}  // namespace testing_hooks

}  // namespace qrx
