#define QRX_LEVEL sse2
#include "gray_twist_gamma/twist_rows.inl"
