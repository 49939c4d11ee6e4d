// Test support: images with guard bytes around the ROI, random fills, and a
// loop over every CPU dispatch level this machine has.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "core/cpu.h"

namespace qrxtest {

constexpr std::uint8_t kGuard = 0xA5;

// A buffer of `rows` rows of `step` bytes, of which the first `row_bytes`
// belong to the ROI, surrounded by guard bytes (before, after, and the row
// padding).  Works for any sample type through data<T>().
class GuardedImage {
public:
    GuardedImage(int row_bytes, int rows, int pad = 7, int guard = 64)
        : row_bytes_(row_bytes), rows_(rows), step_(row_bytes + pad), guard_(guard),
          buf_(static_cast<std::size_t>(guard) * 2 + static_cast<std::size_t>(step_) * (rows > 0 ? rows : 1), kGuard) {}

    int step() const { return step_; }
    int row_bytes() const { return row_bytes_; }
    int rows() const { return rows_; }
    std::uint8_t* data() { return buf_.data() + guard_; }
    template <class T>
    T* as() { return reinterpret_cast<T*>(data()); }
    std::uint8_t* row(int r) { return data() + static_cast<std::ptrdiff_t>(r) * step_; }

    void fill_random(std::uint32_t seed) {
        std::mt19937 rng(seed);
        for (int r = 0; r < rows_; ++r)
            for (int i = 0; i < row_bytes_; ++i) row(r)[i] = static_cast<std::uint8_t>(rng());
    }
    void fill(std::uint8_t v) {
        for (int r = 0; r < rows_; ++r) std::memset(row(r), v, row_bytes_);
    }
    // True when every byte outside the ROI still holds the guard value.
    bool guards_intact() const {
        for (std::size_t i = 0; i < buf_.size(); ++i) {
            const std::ptrdiff_t off = static_cast<std::ptrdiff_t>(i) - guard_;
            const bool inside = off >= 0 && off < static_cast<std::ptrdiff_t>(step_) * rows_ && off % step_ < row_bytes_;
            if (!inside && buf_[i] != kGuard) return false;
        }
        return true;
    }
    std::vector<std::uint8_t> roi_bytes() const {
        std::vector<std::uint8_t> out;
        for (int r = 0; r < rows_; ++r) {
            const std::uint8_t* p = buf_.data() + guard_ + static_cast<std::ptrdiff_t>(r) * step_;
            out.insert(out.end(), p, p + row_bytes_);
        }
        return out;
    }
    const std::vector<std::uint8_t>& all_bytes() const { return buf_; }

private:
    int row_bytes_, rows_, step_, guard_;
    std::vector<std::uint8_t> buf_;
};

// Every level up to the detected one, lowest first.
inline std::vector<qrx::cpu::Level> available_levels() {
    std::vector<qrx::cpu::Level> out;
    for (int l = 0; l <= static_cast<int>(qrx::cpu::detected()); ++l) out.push_back(static_cast<qrx::cpu::Level>(l));
    return out;
}

// Caps the dispatch level for the lifetime of the object.
class ForcedLevel {
public:
    explicit ForcedLevel(qrx::cpu::Level l) { qrx::cpu::force(l); }
    ~ForcedLevel() { qrx::cpu::force(qrx::cpu::kTopLevel); }
};

// Runs `produce` at every level and expects identical bytes to the scalar run.
inline void expect_same_at_all_levels(const std::function<std::vector<std::uint8_t>()>& produce) {
    std::vector<std::uint8_t> reference;
    {
        ForcedLevel f(qrx::cpu::Level::Scalar);
        reference = produce();
    }
    for (auto level : available_levels()) {
        ForcedLevel f(level);
        EXPECT_EQ(produce(), reference) << "level " << qrx::cpu::level_name(level);
    }
}

}  // namespace qrxtest
