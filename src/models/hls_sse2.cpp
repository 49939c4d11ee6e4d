#define QRX_LEVEL sse2
#include "models/hls_rows.inl"
