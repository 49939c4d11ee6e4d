#define QRX_LEVEL sse2
#include "yuv/yuv_rows.inl"
