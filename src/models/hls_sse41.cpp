#define QRX_LEVEL sse41
#include "models/hls_rows.inl"
