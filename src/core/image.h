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

// Byte step turned into a step in samples by an arithmetic shift: a step that
// is not a multiple of the sample size acts as the next lower multiple.
template <class T>
inline std::ptrdiff_t step_in_samples(int step_bytes) {
    constexpr int shift = sizeof(T) == 1 ? 0 : sizeof(T) == 2 ? 1 : sizeof(T) == 4 ? 2 : 3;
    return static_cast<std::ptrdiff_t>(step_bytes >> shift);
}

// Row r of a 16/32-bit image whose byte step is first rounded to whole samples.
template <class T>
inline T* row_at_samples(T* base, int step_bytes, std::ptrdiff_t row) {
    return base + row * step_in_samples<T>(step_bytes);
}

// Pixels of a gap-free image taken as one long row: each row's bytes follow
// the previous row's in source and destination alike (steps equal to the
// rows' bytes).  0 when the rows have gaps or the row's bytes would not fit
// an int (kernels index their rows with int).
inline int one_row_pixels(int width, int height, int src_step, int src_pixel_bytes, int dst_step, int dst_pixel_bytes) {
    const std::int64_t pixels = static_cast<std::int64_t>(width) * height;
    const bool packed = static_cast<std::int64_t>(src_step) == static_cast<std::int64_t>(width) * src_pixel_bytes &&
                        static_cast<std::int64_t>(dst_step) == static_cast<std::int64_t>(width) * dst_pixel_bytes;
    const int widest = src_pixel_bytes > dst_pixel_bytes ? src_pixel_bytes : dst_pixel_bytes;
    return packed && pixels * widest <= INT32_MAX ? static_cast<int>(pixels) : 0;
}

}  // namespace qrx
