#define QRX_LEVEL avx2
#include "ycbcr/chroma_rows.inl"
