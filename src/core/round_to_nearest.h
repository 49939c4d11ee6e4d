// Round-to-nearest for a scope, whatever rounding mode the caller has set.
#pragma once

#if defined(__SSE2__) || defined(_M_X64)
#include <xmmintrin.h>
#define QRX_ROUNDING_MXCSR 1
#else
#include <cfenv>
#define QRX_ROUNDING_MXCSR 0
#endif

namespace qrx {

// Round-to-nearest for the lifetime of the guard (the integer twist members,
// the shared 16u gamma results).  On x86 the vector floating-point control
// register holds the mode: its rounding field is set to nearest only if it
// holds anything else, and the saved register is written back on return only
// in that case.  Elsewhere the same is done through the C
// floating-point environment (the whole environment saved and written back,
// flags included, as on x86), which there governs every kernel's arithmetic.
inline bool rounding_is_nearest() {
#if QRX_ROUNDING_MXCSR
    return (_mm_getcsr() & 0x6000u) == 0;
#else
    return std::fegetround() == FE_TONEAREST;
#endif
}

class RoundToNearest {
public:
#if QRX_ROUNDING_MXCSR
    RoundToNearest() : saved_(_mm_getcsr()), changed_((saved_ & kRoundingField) != 0) {
        if (changed_) _mm_setcsr(saved_ & ~kRoundingField);
    }
    ~RoundToNearest() {
        if (changed_) _mm_setcsr(saved_);
    }

private:
    static constexpr unsigned kRoundingField = 0x6000u;
    unsigned saved_;
    bool changed_;
#else
    RoundToNearest() : changed_(std::fegetround() != FE_TONEAREST) {
        if (changed_) {
            std::fegetenv(&saved_);
            std::fesetround(FE_TONEAREST);
        }
    }
    ~RoundToNearest() {
        if (changed_) std::fesetenv(&saved_);
    }

private:
    std::fenv_t saved_{};
    bool changed_;
#endif
    RoundToNearest(const RoundToNearest&) = delete;
    RoundToNearest& operator=(const RoundToNearest&) = delete;
};

}  // namespace qrx
