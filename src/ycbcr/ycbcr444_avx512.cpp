#define QRX_LEVEL avx512
#include "ycbcr/ycbcr444_rows.inl"
