#define QRX_LEVEL sse2
#include "reducebits/reducebits_rows.inl"
