#define QRX_LEVEL sse2
#include "ycbcr/chroma_rows.inl"
