#define QRX_LEVEL scalar
#define QRX_LEVEL_SCALAR 1
#include "reducebits/diffusion8_rows.inl"
