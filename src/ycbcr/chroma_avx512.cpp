#define QRX_LEVEL avx512
#include "ycbcr/chroma_rows.inl"
