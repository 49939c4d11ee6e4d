#define QRX_LEVEL avx2
#include "yuv/yuv_rows.inl"
