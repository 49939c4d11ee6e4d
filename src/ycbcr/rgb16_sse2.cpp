#define QRX_LEVEL sse2
#include "ycbcr/rgb16_rows.inl"
