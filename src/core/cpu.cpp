#include "core/cpu.h"

#include <atomic>

#if QRX_X86_SIMD
#include <cpuid.h>
#endif

namespace qrx::cpu {
namespace {

#if QRX_X86_SIMD
unsigned long long read_xcr0() {
    unsigned eax, edx;
    __asm__ volatile("xgetbv" : "=a"(eax), "=d"(edx) : "c"(0));
    return (static_cast<unsigned long long>(edx) << 32) | eax;
}
#endif

Level detect_once() {
#if QRX_X86_SIMD
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return Level::Scalar;
    const bool sse2 = d & (1u << 26);
    const bool ssse3 = c & (1u << 9);
    const bool sse41 = c & (1u << 19);
    const bool osxsave = c & (1u << 27);
    const bool avx = c & (1u << 28);
    const bool fma = c & (1u << 12);
    if (!sse2) return Level::Scalar;
    if (!ssse3) return Level::SSE2;
    if (!sse41) return Level::SSSE3;
    if (!(osxsave && avx)) return Level::SSE41;
    const unsigned long long xcr0 = read_xcr0();
    if ((xcr0 & 0x6) != 0x6) return Level::SSE41;  // XMM and YMM state
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return Level::SSE41;
    const bool avx2 = b & (1u << 5);
    const bool bmi2 = b & (1u << 8);
    if (!(avx2 && bmi2 && fma)) return Level::SSE41;
    const bool avx512f = b & (1u << 16), avx512dq = b & (1u << 17);
    const bool avx512bw = b & (1u << 30), avx512vl = b & (1u << 31);
    const bool avx512vbmi = c & (1u << 1), avx512vnni = c & (1u << 11);
    if (avx512f && avx512dq && avx512bw && avx512vl && (xcr0 & 0xe6) == 0xe6)
        return avx512vbmi && avx512vnni ? Level::AVX512VBMI : Level::AVX512;
    return Level::AVX2;
#else
    return Level::Scalar;
#endif
}

bool detect_fast_string_moves() {
#if QRX_X86_SIMD
    unsigned a, b, c, d;
    return __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & (1u << 9));  // ERMS
#else
    return false;
#endif
}

bool detect_full_width_512() {
#if QRX_X86_SIMD
    unsigned a, b, c, d;
    if (!__get_cpuid(0, &a, &b, &c, &d)) return false;
    return b == 0x68747541u && d == 0x69746e65u && c == 0x444d4163u;  // "AuthenticAMD"
#else
    return false;
#endif
}

std::atomic<int> g_cap{static_cast<int>(kTopLevel)};

}  // namespace

const char* level_name(Level level) {
    static const char* const names[kLevelCount] = {"scalar", "sse2", "ssse3", "sse41", "avx2", "avx512", "avx512vbmi"};
    return names[static_cast<int>(level)];
}

Level detected() {
    static const Level level = detect_once();
    return level;
}

Level active() {
    const int cap = g_cap.load(std::memory_order_relaxed);
    const int have = static_cast<int>(detected());
    return static_cast<Level>(cap < have ? cap : have);
}

bool fast_string_moves() {
    static const bool fast = detect_fast_string_moves();
    return fast;
}

bool full_width_512() {
    static const bool full = detect_full_width_512();
    return full;
}

void force(Level cap) { g_cap.store(static_cast<int>(cap), std::memory_order_relaxed); }

}  // namespace qrx::cpu
