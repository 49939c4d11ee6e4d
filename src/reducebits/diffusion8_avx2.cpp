#define QRX_LEVEL avx2
#include "reducebits/diffusion8_rows.inl"
