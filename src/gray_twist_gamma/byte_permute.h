// Run-time choice of the byte-permute (AVX-512 VBMI) paths inside the
// AVX-512 level: used only when the processor has them and the test hook has
// not turned them off.
#pragma once

namespace qrx::gtg {

bool byte_permute_available();

namespace testing_hooks {
// Off: the AVX-512 level takes its paths without byte permutes (so that both
// can be compared on one machine).  Not exported.
void allow_byte_permute(bool allowed);
}  // namespace testing_hooks

}  // namespace qrx::gtg
