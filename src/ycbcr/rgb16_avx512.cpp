// GCC 12's AVX-512 headers merge into an undefined vector in their 256-to-512-bit
// inserts, which -Wmaybe-uninitialized reports at every use.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif
#define QRX_LEVEL avx512
#include "ycbcr/rgb16_rows.inl"
