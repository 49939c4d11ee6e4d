#define QRX_LEVEL avx2
#include "gray_twist_gamma/gamma_rows.inl"
