#define QRX_LEVEL avx512
#include "models/hls_rows.inl"
