#define QRX_LEVEL sse41
#include "ycbcr/ycbcr444_rows.inl"
