#define QRX_LEVEL sse2
#include "gray_twist_gamma/gray_rows.inl"
