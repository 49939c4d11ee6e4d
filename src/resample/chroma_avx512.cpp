#define QRX_LEVEL avx512
#include "resample/chroma_rows.inl"
