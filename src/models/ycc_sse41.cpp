#define QRX_LEVEL sse41
#include "models/ycc_rows.inl"
