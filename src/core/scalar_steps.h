// One-value steps that the scalar recipes need exactly as the processor does
// them: a double rounded by the processor's conversion (its current mode,
// nearest-even by default) and a float step taken without a branch.
#pragma once

#include <cmath>

#include "core/inline.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qrx {

// y (inside the int32 range) to int32 in the current rounding mode.
QRX_INLINE int round_in_mode(double y) {
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(y));
#else
    return static_cast<int>(std::nearbyint(y));
#endif
}

// s where a < b, else +0.0, by a mask (the decision can be data-driven and
// unpredictable, as in dithering, where a branch would mispredict).
QRX_INLINE float step_if_less(float a, float b, float s) {
#if defined(__SSE2__)
    return _mm_cvtss_f32(_mm_and_ps(_mm_cmplt_ss(_mm_set_ss(a), _mm_set_ss(b)), _mm_set_ss(s)));
#else
    return a < b ? s : 0.0f;
#endif
}

}  // namespace qrx
