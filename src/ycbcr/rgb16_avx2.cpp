#define QRX_LEVEL avx2
#include "ycbcr/rgb16_rows.inl"
