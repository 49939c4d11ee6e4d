// Noise source of the dithered reductions: a uniform generator (linear
// congruential word plus a subtract-with-borrow history), restarted from seed
// 0 for every table of every call, and the two 1024-entry tables built from it.
#pragma once

#include <cstdint>

#include "qrxcc.h"

namespace qrx::reducebits {

class UniformGenerator {
public:
    UniformGenerator(std::uint32_t seed, double low, double high);
    double next();

private:
    std::uint32_t lc_, s1_, s2_, s3_, borrow_;
    double mean_, scale_;
};

// Index table (entries 0..1023) and value table (uniform draws in low..high).
// Both are scratch blocks of the call; release() gives them back.
struct NoiseTables {
    float* value = nullptr;
    std::uint16_t* index = nullptr;

    // Allocates the value table, then the index table, and fills both.  On
    // failure nothing is held and qrxStatusOutOfMemory is returned.
    QrxStatus build(double low, double high);
    void release();
};

}  // namespace qrx::reducebits
