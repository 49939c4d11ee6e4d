// Code in headers that per-level kernel files include must not produce shared
// out-of-line copies: the linker could otherwise pick an AVX2-compiled copy for
// the scalar level.  QRX_INLINE gives each translation unit its own copy.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
#define QRX_INLINE static inline __attribute__((always_inline))
#else
#define QRX_INLINE static inline
#endif

// The same for a lambda that is a kernel's loop body (after its parameter
// list): left to itself the compiler may call the body once per step.
#if defined(__GNUC__) || defined(__clang__)
#define QRX_INLINE_BODY __attribute__((always_inline))
#else
#define QRX_INLINE_BODY
#endif
