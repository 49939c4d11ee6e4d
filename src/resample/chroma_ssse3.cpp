#define QRX_LEVEL ssse3
#include "resample/chroma_rows.inl"
