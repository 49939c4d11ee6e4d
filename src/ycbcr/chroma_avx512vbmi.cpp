#define QRX_LEVEL avx512vbmi
#include "ycbcr/chroma_rows.inl"
