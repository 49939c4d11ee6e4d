#define QRX_LEVEL avx2
#include "resample/filter420_rows.inl"
