#define QRX_LEVEL avx2
#include "resample/chroma_rows.inl"
