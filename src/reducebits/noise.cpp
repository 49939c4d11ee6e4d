#include "reducebits/noise.h"

#include <cstring>

#include "core/allocator.h"

namespace qrx::reducebits {

namespace {
constexpr std::uint32_t kMul = 69069u;
constexpr std::uint32_t kAdd = 1013904243u;

// Just above 2^-32: the scale of a signed 32-bit draw onto high - low.
double unit_scale() {
    const std::uint64_t bits = 0x3DF0000000000007ull;
    double c;
    std::memcpy(&c, &bits, sizeof c);
    return c;
}
}  // namespace

UniformGenerator::UniformGenerator(std::uint32_t seed, double low, double high)
    : lc_(1131199209u), s1_(seed), s2_(seed * kMul + kAdd), s3_(s2_ * kMul + kAdd), borrow_(0xFFFFFFFFu),
      mean_((low + high) * 0.5), scale_((high - low) * unit_scale()) {}

double UniformGenerator::next() {
    lc_ = lc_ * kMul + kAdd;
    std::uint32_t t = s2_ - s3_ + borrow_;
    const bool negative = static_cast<std::int32_t>(t) < 0;
    borrow_ = negative ? 0xFFFFFFFFu : 0u;
    if (negative) t -= 18u;
    s3_ = s2_;
    s2_ = s1_;
    s1_ = t;
    const auto u = static_cast<std::int32_t>(t + lc_);
    return static_cast<double>(u) * scale_ + mean_;
}

QrxStatus NoiseTables::build(double low, double high) {
    value = reinterpret_cast<float*>(allocate32(1024));
    if (value == nullptr) return qrxStatusOutOfMemory;
    index = reinterpret_cast<std::uint16_t*>(allocate16(1024));
    if (index == nullptr) {
        qrx::release(value);
        value = nullptr;
        return qrxStatusOutOfMemory;
    }
    UniformGenerator gi(0, 0.0, 1024.0);
    for (int i = 0; i < 1024; ++i) index[i] = static_cast<std::uint16_t>(static_cast<int>(gi.next()));
    UniformGenerator gv(0, low, high);
    for (int i = 0; i < 1024; ++i) value[i] = static_cast<float>(gv.next());
    return qrxStatusOk;
}

void NoiseTables::release() {
    qrx::release(value);
    qrx::release(index);
    value = nullptr;
    index = nullptr;
}

}  // namespace qrx::reducebits
