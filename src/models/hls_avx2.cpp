#define QRX_LEVEL avx2
#include "models/hls_rows.inl"
