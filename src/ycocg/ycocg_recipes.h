// YCoCg recipes: the plain (rounding) transform and the reversible lifting
// transform, each with the arithmetic width of the function that uses it.
// `Narrow` is applied after every step: it reduces a value to the working
// width (two's complement wrap to 16 or 32 bits, or nothing when exact).
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/inline.h"

namespace qrx::ycocg {

// Working widths.  Values are carried in 32 bits; sums wrap modulo 2^32
// (computed unsigned, so no signed overflow), and Wrap16 further reduces
// every step to a signed 16-bit value.
QRX_INLINE std::int32_t add(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
QRX_INLINE std::int32_t sub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

struct Wrap16 {
    QRX_INLINE std::int32_t n(std::int32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); }
};
struct Wrap32 {
    QRX_INLINE std::int32_t n(std::int32_t v) { return v; }
};

struct Yc {
    std::int32_t y, co, cg;
};
struct Bgr {
    std::int32_t b, g, r;
};

template <class W>
QRX_INLINE Yc plain_forward(std::int32_t b, std::int32_t g, std::int32_t r) {
    return {W::n(add(add(r, 2 * g), add(b, 2)) >> 2), W::n(add(sub(r, b), 1) >> 1),
            W::n(add(sub(sub(2 * g, r), b), 2) >> 2)};
}

template <class W>
QRX_INLINE Bgr plain_inverse(std::int32_t y, std::int32_t co, std::int32_t cg) {
    return {W::n(sub(W::n(sub(y, co)), cg)), W::n(add(y, cg)), W::n(sub(W::n(add(y, co)), cg))};
}

template <class W>
QRX_INLINE Yc rev_forward(std::int32_t b, std::int32_t g, std::int32_t r) {
    const std::int32_t co = W::n(sub(r, b));
    const std::int32_t t = W::n(add(b, co >> 1));
    const std::int32_t cg = W::n(sub(g, t));
    return {W::n(add(t, cg >> 1)), co, cg};
}

template <class W>
QRX_INLINE Bgr rev_inverse(std::int32_t y, std::int32_t co, std::int32_t cg) {
    const std::int32_t t = W::n(sub(y, cg >> 1));
    const std::int32_t g = W::n(add(cg, t));
    const std::int32_t b = W::n(sub(t, co >> 1));
    return {b, g, W::n(add(b, co))};
}

// Stored sample: clamp to 0..255 for 8-bit BGR, low bits otherwise.
template <class T>
QRX_INLINE T store(std::int32_t v) {
    if constexpr (sizeof(T) == 1)
        return static_cast<T>(v < 0 ? 0 : v > 255 ? 255 : v);
    else
        return static_cast<T>(static_cast<std::make_unsigned_t<T>>(v));
}

}  // namespace qrx::ycocg
