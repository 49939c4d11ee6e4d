#define QRX_LEVEL sse2
#include "ycocg/ycocg_rows.inl"
