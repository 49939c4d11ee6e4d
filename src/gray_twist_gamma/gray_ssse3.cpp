#define QRX_LEVEL ssse3
#include "gray_twist_gamma/gray_rows.inl"
