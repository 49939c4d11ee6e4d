#include "gray_twist_gamma/byte_permute.h"

#include <atomic>

namespace qrx::gtg {
namespace {

std::atomic<bool> g_allowed{true};

bool cpu_has_byte_permute() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512vbmi") != 0;
#else
    return false;
#endif
}

}  // namespace

bool byte_permute_available() {
    static const bool has = cpu_has_byte_permute();
    return has && g_allowed.load(std::memory_order_relaxed);
}

namespace testing_hooks {
void allow_byte_permute(bool allowed) { g_allowed.store(allowed, std::memory_order_relaxed); }
}  // namespace testing_hooks

}  // namespace qrx::gtg
