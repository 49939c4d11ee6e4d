// Test support: the processor's reciprocal estimate, the estimate with one
// Newton step, and round-to-nearest-even conversion, as the float models use them.
#pragma once

#include <cmath>

#if defined(__SSE__) || defined(__x86_64__)
#include <immintrin.h>
#endif

namespace qrxtest {

inline float rcp(float x) {
#if defined(__SSE__) || defined(__x86_64__)
    return _mm_cvtss_f32(_mm_rcp_ss(_mm_set_ss(x)));
#else
    return 1.0f / x;
#endif
}
inline float rcp1(float x) {
    const float r = rcp(x);
    return (r + r) - (x * r) * r;
}
inline int rne(float x) {  // round to nearest, ties to even
#if defined(__SSE__) || defined(__x86_64__)
    return _mm_cvtss_si32(_mm_set_ss(x));
#else
    return static_cast<int>(std::nearbyint(x));
#endif
}

}  // namespace qrxtest
