#define QRX_LEVEL scalar
#define QRX_LEVEL_SCALAR 1
#include "ycbcr/ycbcr444_rows.inl"
