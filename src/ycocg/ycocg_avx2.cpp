#define QRX_LEVEL avx2
#include "ycocg/ycocg_rows.inl"
