#define QRX_LEVEL avx512vbmi
#include "ycocg/ycocg_rows.inl"
