#define QRX_LEVEL scalar
#define QRX_LEVEL_SCALAR 1
#include "reducebits/reducebits_rows.inl"
