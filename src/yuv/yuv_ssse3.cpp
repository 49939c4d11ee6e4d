#define QRX_LEVEL ssse3
#include "yuv/yuv_rows.inl"
