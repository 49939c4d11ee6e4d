// 16- and 32-bit samples at addresses a caller's byte step may leave
// unaligned.  Moved through memcpy: defined for any address, and compiled to
// the same single move as a plain access where the processor allows it.
#pragma once

#include <cstring>

#include "core/inline.h"

namespace qrx {

template <class T>
QRX_INLINE T load_unaligned(const void* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
QRX_INLINE void store_unaligned(void* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

}  // namespace qrx
