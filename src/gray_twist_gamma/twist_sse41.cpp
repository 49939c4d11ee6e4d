#define QRX_LEVEL sse41
#include "gray_twist_gamma/twist_rows.inl"
