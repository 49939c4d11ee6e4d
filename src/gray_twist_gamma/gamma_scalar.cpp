#define QRX_LEVEL_SCALAR 1
#define QRX_LEVEL scalar
#include "gray_twist_gamma/gamma_rows.inl"
