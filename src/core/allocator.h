// Aligned scratch allocator: blocks start on a 32-byte boundary; the address
// the heap returned is stored just below the block so that release can find it.
#pragma once

#include <cstdint>

namespace qrx {

std::int16_t* allocate16(int count);  // room for count 16-bit elements, or null
std::int32_t* allocate32(int count);  // room for count 32-bit elements, or null
void release(void* block);            // null is ignored

namespace testing_hooks {
// Fault injection: the n-th allocation from now (1 = the next one) fails.
// 0 disables it.  Per thread, so concurrent tests do not disturb each other.
void fail_allocation_after(int n);
// Number of allocate16/allocate32 calls that succeeded minus releases, per thread.
long live_blocks();
}  // namespace testing_hooks

}  // namespace qrx
