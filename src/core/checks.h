// Argument checks shared by every exported function.  Each exported function
// calls these in its own documented order and returns the first failure.
#pragma once

#include "qrxcc.h"

namespace qrx {

// True when any of the given pointers is null.
template <class... P>
inline bool any_null(const P*... p) {
    return ((p == nullptr) || ...);
}

// Null test over the first n entries of a plane-pointer array.
template <class T>
inline bool any_plane_null(const T* const* planes, int n) {
    for (int i = 0; i < n; ++i)
        if (planes[i] == nullptr) return true;
    return false;
}

// ROI below the minimum width x height.
inline bool size_below(QrxSize roi, int min_w = 1, int min_h = 1) {
    return roi.width < min_w || roi.height < min_h;
}

// Checked steps must be at least 1.
template <class... S>
inline bool any_step_below_one(S... steps) {
    return ((steps < 1) || ...);
}

}  // namespace qrx
