#define QRX_LEVEL avx512
#include "yuv/yuv_rows.inl"
