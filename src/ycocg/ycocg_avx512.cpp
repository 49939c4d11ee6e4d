#define QRX_LEVEL avx512
#include "ycocg/ycocg_rows.inl"
