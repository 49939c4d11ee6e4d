#define QRX_LEVEL avx512
#include "models/ycc_rows.inl"
