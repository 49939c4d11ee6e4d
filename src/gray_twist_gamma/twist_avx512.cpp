#define QRX_LEVEL avx512
#include "gray_twist_gamma/twist_rows.inl"
