// Row-parallel driver: one OpenMP region per call, sized by the core library's
// thread count (read once, here), rows shared out in static contiguous blocks.
// Inside an enclosing parallel region the runtime serializes the region and
// the calling thread converts every row itself.  Rows are independent, so the
// result does not depend on the thread count.
#pragma once

#include <cstddef>

#include "qrxcore.h"

namespace qrx {

// Thread-team size for the next region; the runtime is given at least 1.
inline int requested_threads() {
    const int n = threads_omp_of_n_qrx;
    return n >= 1 ? n : 1;
}

// Calls row_fn(row) for every row in [0, height), each exactly once.
template <class RowFn>
void parallel_rows(int height, RowFn&& row_fn) {
    if (height <= 0) return;
    const int team = requested_threads();
#pragma omp parallel num_threads(team)
    {
#pragma omp for schedule(static)
        for (int row = 0; row < height; ++row) row_fn(static_cast<std::ptrdiff_t>(row));
    }
}

}  // namespace qrx
