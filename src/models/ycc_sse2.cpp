#define QRX_LEVEL sse2
#include "models/ycc_rows.inl"
