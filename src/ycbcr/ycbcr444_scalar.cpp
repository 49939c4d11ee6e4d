#define QRX_LEVEL scalar
#include "ycbcr/ycbcr444_rows.inl"
