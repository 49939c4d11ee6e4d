// CPU feature levels and the run-time choice of kernels.
//
// Each family writes its kernels once and compiles them into one translation
// unit per level (file suffixes _scalar, _sse2, _avx2, _avx512, ...).  Every
// level computes exactly the same bytes; the level only changes the speed.
#pragma once

namespace qrx::cpu {

// AVX512 is F + DQ + BW + VL; AVX512VBMI adds the byte permutes across the
// whole register (vpermb, vpermt2b), which turn a 4-source channel gather into
// one shuffle per channel pair, and the 16-bit dot products that accumulate
// (VNNI vpdpwssd: a multiply-add and its sum in one instruction).  Every
// processor with the permutes has the dot products too, save one early model,
// which runs at the AVX512 level.
enum class Level : int { Scalar = 0, SSE2 = 1, SSSE3 = 2, SSE41 = 3, AVX2 = 4, AVX512 = 5, AVX512VBMI = 6 };
constexpr int kLevelCount = 7;
constexpr Level kTopLevel = Level::AVX512VBMI;

const char* level_name(Level level);

// Highest level this processor supports (and this build contains).
Level detected();

// Level in use: the detected one, capped by the test hook.
Level active();

// True when the processor's string move (rep movsb) is the enhanced, fast one.
// Independent of the level: it decides how large blocks are copied, not what.
bool fast_string_moves();

// True on processors whose 512-bit integer instructions do twice the work of
// 256-bit ones at the same rate (AMD's; asked only at the AVX-512 levels).
// Intel's run some 256-bit loops faster: 512-bit forms share ports there.
// Like the string moves, it decides how a kernel runs, never what it gives.
bool full_width_512();

// Test hook (not exported): cap the level for the whole process.
// force(kTopLevel) lifts the cap again.
void force(Level cap);

// Pick the entry for the active level, falling back to the next lower level
// that has one.  tables[0] (scalar) must never be null.
template <class T>
const T& select(const T* scalar, const T* sse2, const T* ssse3, const T* sse41, const T* avx2, const T* avx512,
                const T* avx512vbmi) {
    const T* by_level[kLevelCount] = {scalar, sse2, ssse3, sse41, avx2, avx512, avx512vbmi};
    for (int l = static_cast<int>(active()); l > 0; --l)
        if (by_level[l] != nullptr) return *by_level[l];
    return *scalar;
}

}  // namespace qrx::cpu

// Kernel tables.  A family declares one table type and defines an instance
// named `kTable` in namespace <family>::<level> inside each per-level file.
// QRX_KERNEL_TABLE(ns, Type) then declares them all and defines
// `ns::kernels()` that returns the table of the active level.
#if QRX_X86_SIMD
#define QRX_DECLARE_LEVEL_TABLES_(ns, Type)                                                   \
    namespace ns::scalar { extern const Type kTable; }                                       \
    namespace ns::sse2 { extern const Type kTable __attribute__((weak)); }                   \
    namespace ns::ssse3 { extern const Type kTable __attribute__((weak)); }                  \
    namespace ns::sse41 { extern const Type kTable __attribute__((weak)); }                  \
    namespace ns::avx2 { extern const Type kTable __attribute__((weak)); }                   \
    namespace ns::avx512 { extern const Type kTable __attribute__((weak)); }                 \
    namespace ns::avx512vbmi { extern const Type kTable __attribute__((weak)); }
#define QRX_SELECT_LEVEL_TABLE_(ns)                                                           \
    ::qrx::cpu::select(&ns::scalar::kTable, &ns::sse2::kTable, &ns::ssse3::kTable,            \
                       &ns::sse41::kTable, &ns::avx2::kTable, &ns::avx512::kTable, \
                       &ns::avx512vbmi::kTable)
#else
#define QRX_DECLARE_LEVEL_TABLES_(ns, Type) \
    namespace ns::scalar { extern const Type kTable; }
#define QRX_SELECT_LEVEL_TABLE_(ns) (ns::scalar::kTable)
#endif

#define QRX_KERNEL_TABLE(ns, Type)                                   \
    QRX_DECLARE_LEVEL_TABLES_(ns, Type)                              \
    namespace ns {                                                   \
    inline const Type& kernels() { return QRX_SELECT_LEVEL_TABLE_(ns); } \
    }
