#define QRX_LEVEL sse2
#include "ycbcr/ycbcr444_rows.inl"
