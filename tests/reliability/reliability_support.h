// Shared helpers of the reliability tests: sparse huge mappings, planes with
// guard bytes, and a floating-point environment snapshot.
#pragma once

#include <sys/mman.h>

#include <cfenv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace qrxrel {

// What a plane holds: raw bytes, or 32-bit floats in [0, 1] (so that float
// inputs stay finite and in range).
enum class Fill { Bytes, Float01 };

struct PlaneSpec {
    std::size_t row_bytes;
    int rows;
    Fill fill = Fill::Bytes;
};

// A read/write mapping without swap reservation: only the touched pages take memory.
class SparseMapping {
public:
    explicit SparseMapping(std::size_t bytes) : bytes_(bytes) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        data_ = p == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(p);
    }
    ~SparseMapping() {
        if (data_ != nullptr) munmap(data_, bytes_);
    }
    SparseMapping(const SparseMapping&) = delete;
    SparseMapping& operator=(const SparseMapping&) = delete;
    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return bytes_; }

private:
    std::size_t bytes_;
    std::uint8_t* data_;
};

// Deterministic row content of plane `plane`, row `row`.
inline void fill_row(std::uint8_t* p, const PlaneSpec& plane_layout, int plane, int row) {
    std::mt19937 rng(static_cast<std::uint32_t>(1000 * plane + row + 17));
    if (plane_layout.fill == Fill::Float01) {
        for (std::size_t i = 0; i + 4 <= plane_layout.row_bytes; i += 4) {
            const float v = static_cast<float>(rng() % 1001) / 1000.0f;
            std::memcpy(p + i, &v, 4);
        }
    } else {
        for (std::size_t i = 0; i < plane_layout.row_bytes; ++i) p[i] = static_cast<std::uint8_t>(rng());
    }
}

// Floating-point environment of the calling thread: rounding mode and flags.
struct FpState {
    int round;
    int flags;
    static FpState now() { return {std::fegetround(), std::fetestexcept(FE_ALL_EXCEPT)}; }
};

}  // namespace qrxrel
