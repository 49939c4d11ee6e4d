// Floyd-Steinberg on 8-bit samples with the rows of a group on vector lanes,
// compiled per CPU level (diffusion8_rows.inl): 4-lane vectors at the
// baseline, 8-lane ones with AVX2.  Every level gives the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/cpu.h"
#include "reducebits/recipes.h"

namespace qrx::diffusion8 {

// One channel's arguments (already checked); noise_value null: no noise.
struct Job {
    const std::uint8_t* src;
    int srcStep;
    std::uint8_t* dst;
    int dstStep;
    int width, height;
    std::ptrdiff_t stride;  // samples from one pixel to the next
    reducebits::DitherParams d;
    const float* noise_value;
    const std::uint16_t* noise_index;
};

// block: the channel's error row, 2 x width + 4 floats.
using ChannelFn = void (*)(const Job& j, int channel, float* block);

struct Kernels {
    ChannelFn floyd_steinberg[2];  // [0: no noise, 1: noise]
};

}  // namespace qrx::diffusion8

QRX_KERNEL_TABLE(qrx::diffusion8, Kernels)
