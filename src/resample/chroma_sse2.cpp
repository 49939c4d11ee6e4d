#define QRX_LEVEL sse2
#include "resample/chroma_rows.inl"
