#define QRX_LEVEL avx2
#include "models/ycc_rows.inl"
