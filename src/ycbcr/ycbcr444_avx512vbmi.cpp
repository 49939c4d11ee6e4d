#define QRX_LEVEL avx512vbmi
#include "ycbcr/ycbcr444_rows.inl"
