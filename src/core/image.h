// Row addressing.  Steps are signed 32-bit byte distances; every offset is
// computed in pointer-width arithmetic so images beyond 2 GiB address correctly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace qrx {

template <class T>
inline T* row_at(T* base, int step_bytes, std::ptrdiff_t row) {
    using Byte = std::conditional_t<std::is_const_v<T>, const std::uint8_t, std::uint8_t>;
    return reinterpret_cast<T*>(reinterpret_cast<Byte*>(base) + row * static_cast<std::ptrdiff_t>(step_bytes));
}

// One plane of an image: its first row and its own byte step.
template <class T>
struct Plane {
    T* p;
    int step;
    T* row(std::ptrdiff_t r) const { return row_at(p, step, r); }
};

// Byte step turned into a step in samples by an arithmetic shift: a step that
// is not a multiple of the sample size acts as the next lower multiple.
template <class T>
inline std::ptrdiff_t step_in_samples(int step_bytes) {
    constexpr int shift = sizeof(T) == 1 ? 0 : sizeof(T) == 2 ? 1 : sizeof(T) == 4 ? 2 : 3;
    return static_cast<std::ptrdiff_t>(step_bytes >> shift);
}

// Row r of an image whose byte step is first rounded down to whole samples (for
// byte samples, the row at the byte step).
template <class T>
inline T* row_at_samples(T* base, int step_bytes, std::ptrdiff_t row) {
    return base + row * step_in_samples<T>(step_bytes);
}

// Rows packed end to end in source and destination alike (steps equal to the
// rows' bytes): a gap-free image, which a conversion can take as one long row.
inline bool rows_packed(int width, int src_step, int src_pixel_bytes, int dst_step, int dst_pixel_bytes) {
    const std::int64_t w = width;
    return src_step == w * src_pixel_bytes && dst_step == w * dst_pixel_bytes;
}

}  // namespace qrx
