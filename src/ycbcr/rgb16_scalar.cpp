#define QRX_LEVEL_SCALAR 1
#define QRX_LEVEL scalar
#include "ycbcr/rgb16_rows.inl"
