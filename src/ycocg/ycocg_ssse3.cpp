#define QRX_LEVEL ssse3
#include "ycocg/ycocg_rows.inl"
