#define QRX_LEVEL avx512
#include "reducebits/reducebits_rows.inl"
