#define QRX_LEVEL avx512
#include "gray_twist_gamma/gamma_rows.inl"
