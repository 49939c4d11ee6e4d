#define QRX_LEVEL sse2
#include "resample/filter420_rows.inl"
