// Lanes for the single-precision recipes of the XYZ, LUV and Lab conversions.
//
// Every float recipe is written once as a template over a lane type of
// core/float_lanes.h: plain `float` (one pixel), F4 (four pixels) or F8
// (eight pixels).  Each lane operation is the same IEEE single-precision
// operation whatever the width, so a recipe gives the same bits one pixel at
// a time or eight at a time.  The reciprocal estimate is the processor's own
// at every level, including the one-pixel lanes: its bits are part of the
// results.
#pragma once

#include "core/float_lanes.h"

namespace qrx::xyzlab {
using namespace qrx::lanes;
namespace {

template <class T>
struct Tri {
    T a, b, c;
};

}  // namespace
}  // namespace qrx::xyzlab
