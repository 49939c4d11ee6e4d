// Error diffusion (Floyd-Steinberg, Jarvis-Judice-Ninke, Stucki) of a whole
// image: whole channels per thread, each thread with its own error rows.
#pragma once

#include "qrxcc.h"
#include "reducebits/recipes.h"

namespace qrx::reducebits {

// method: 1 Floyd-Steinberg, 2 Jarvis-Judice-Ninke, 3 Stucki.  Arguments are
// already checked.  Returns qrxStatusOk, or qrxStatusOutOfMemory with nothing
// written and every block released.
template <class P>
QrxStatus error_diffusion(const typename P::In* src, int srcStep, typename P::Out* dst, int dstStep, int width,
                          int height, int layout, int method, int noise, int levels);

}  // namespace qrx::reducebits
