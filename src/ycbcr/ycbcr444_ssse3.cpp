#define QRX_LEVEL ssse3
#include "ycbcr/ycbcr444_rows.inl"
