#define QRX_LEVEL scalar
#define QRX_LEVEL_SCALAR 1
#include "models/hls_rows.inl"
