#define QRX_LEVEL avx512vbmi
#include "yuv/yuv_rows.inl"
