// Kernels of the bit-depth reduction: per type pair and layout, the plain
// quantiser over a whole image and the ordered dithering of one row.
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/cpu.h"
#include "reducebits/recipes.h"

namespace qrx::reducebits {

template <class P>
struct PairKernels {
    using In = typename P::In;
    using Out = typename P::Out;
    // Every sample of every row through the quantiser (AC4: channels 0..2).
    using PlainFn = void (*)(const In* src, int srcStep, Out* dst, int dstStep, int width, int height,
                             const QuantParams& p);
    // One row of ordered dithering; row y of the ROI; noise_value null: no noise.
    using OrderedFn = void (*)(const In* src, Out* dst, int width, unsigned y, const DitherParams& d,
                               const float* noise_value, const std::uint16_t* noise_index);
    PlainFn plain[4];      // by Layout
    OrderedFn ordered[4];  // by Layout
};

struct Kernels {
    PairKernels<Pair8u> p8u;
    PairKernels<Pair16u> p16u;
    PairKernels<Pair16u8u> p16u8u;
    PairKernels<Pair16s> p16s;
    PairKernels<Pair16s8u> p16s8u;
    PairKernels<Pair32f8u> p32f8u;
    PairKernels<Pair32f16u> p32f16u;
    PairKernels<Pair32f16s> p32f16s;
    // Ordered dithering of 8u without noise through per-position tables:
    // lut4[x mod 4][value] holds the results of the row's matrix row.  Null
    // where the level has no byte-permute kernel.
    void (*ordered_8u_lut)(const std::uint8_t* src, std::uint8_t* dst, int width, int layout,
                           const std::uint8_t* lut4);
};

}  // namespace qrx::reducebits

QRX_KERNEL_TABLE(qrx::reducebits, Kernels)

namespace qrx::reducebits {
template <class P>
inline const PairKernels<P>& pair_kernels(const Kernels& k) {
    if constexpr (std::is_same_v<P, Pair8u>) return k.p8u;
    if constexpr (std::is_same_v<P, Pair16u>) return k.p16u;
    if constexpr (std::is_same_v<P, Pair16u8u>) return k.p16u8u;
    if constexpr (std::is_same_v<P, Pair16s>) return k.p16s;
    if constexpr (std::is_same_v<P, Pair16s8u>) return k.p16s8u;
    if constexpr (std::is_same_v<P, Pair32f8u>) return k.p32f8u;
    if constexpr (std::is_same_v<P, Pair32f16u>) return k.p32f16u;
    if constexpr (std::is_same_v<P, Pair32f16s>) return k.p32f16s;
}
}  // namespace qrx::reducebits
