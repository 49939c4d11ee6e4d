#define QRX_LEVEL avx2
#include "ycbcr/ycbcr444_rows.inl"
