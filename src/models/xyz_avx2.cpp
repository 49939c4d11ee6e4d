#define QRX_LEVEL avx2
#define QRX_XYZ_VECTOR_LANES 1
#include "models/xyz_rows.inl"
