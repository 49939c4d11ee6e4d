#define QRX_LEVEL sse2
#define QRX_XYZ_VECTOR_LANES 1
#include "models/xyz_rows.inl"
