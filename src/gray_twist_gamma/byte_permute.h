// The byte-permute (AVX-512 VBMI) paths inside the AVX-512 kernels of this
// family: taken when the active dispatch level is avx512vbmi, so that capping
// the level at avx512 runs (and tests) the paths without them.
#pragma once

namespace qrx::gtg {

bool byte_permute_available();

}  // namespace qrx::gtg
