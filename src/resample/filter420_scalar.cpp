#define QRX_LEVEL scalar
#include "resample/filter420_rows.inl"
