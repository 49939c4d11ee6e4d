#define QRX_LEVEL avx2
#include "reducebits/reducebits_rows.inl"
