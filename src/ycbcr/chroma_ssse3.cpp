#define QRX_LEVEL ssse3
#include "ycbcr/chroma_rows.inl"
