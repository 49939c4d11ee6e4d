// qrxfuzz: libFuzzer harness over every exported image function.
//
// The input picks the function, the ROI (zero, negative, one, odd, small,
// now and then large enough for the 16u gamma table), each step (exact,
// padded, zero, negative, odd, arbitrary), which pointers are null, the
// family parameters (alpha values, weights, matrices with NaN and
// infinities, levels, noise, dither methods, slice positions, gamma ranges)
// and the sample contents.  Every buffer is exactly as large as the arguments
// say (AddressSanitizer's red zones are the guard zones on both sides).
// Checked: no sanitizer report, a status the function may return, and on an
// error status every destination byte as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <type_traits>
#include <memory>
#include <vector>

#include "qrxcc.h"

namespace {

constexpr unsigned bit(QrxStatus s) {
    switch (s) {
    case qrxStatusOk: return 1u << 0;
    case qrxStatusOddSize: return 1u << 1;
    case qrxStatusSizeError: return 1u << 2;
    case qrxStatusNullPointer: return 1u << 3;
    case qrxStatusOutOfMemory: return 1u << 4;
    case qrxStatusStepError: return 1u << 5;
    case qrxStatusGammaRange: return 1u << 6;
    case qrxStatusLevelsRange: return 1u << 7;
    case qrxStatusNoiseRange: return 1u << 8;
    }
    return 1u << 31;
}

const float kSpecial[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 255.0f, 65535.0f, -32768.0f, 1e30f, -1e30f, 1e-40f,
                          std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::lowest()};

// Guard zones: by default none (AddressSanitizer's red zones sit right at
// both ends of each buffer); QRXFUZZ_GUARD=n puts n pattern bytes on each side
// and checks them after the call, which also catches stray writes from code
// built without the sanitizer.
constexpr std::uint8_t kGuardByte = 0xC5;
std::size_t guard_bytes() {
    static const std::size_t g = [] {
        const char* e = std::getenv("QRXFUZZ_GUARD");
        return e != nullptr ? static_cast<std::size_t>(std::strtoul(e, nullptr, 10)) : std::size_t{0};
    }();
    return g;
}

bool guards_intact(const std::uint8_t* p, std::size_t span) {
    const std::size_t g = guard_bytes();
    for (std::size_t i = 0; i < g; ++i)
        if (p[i] != kGuardByte || p[g + span + i] != kGuardByte) return false;
    return true;
}

// One buffer: exactly the bytes the plane may touch (plus optional guards).
struct Buffer {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size;
    bool writable;
    std::vector<std::uint8_t> before;
};

class Call {
public:
    explicit Call(FuzzedDataProvider& in) : in_(in), rng_(in.ConsumeIntegral<std::uint32_t>() | 1u) {}

    QrxSize roi() {
        const QrxSize r = pick_roi();
        height_ = r.height;
        converts_ = r.width > 0 && r.height > 0;
        return r;
    }
    bool converts() const { return converts_; }
    QrxSize pick_roi() {
        switch (in_.ConsumeIntegralInRange(0, 15)) {
        case 0: return {0, in_.ConsumeIntegralInRange(-2, 9)};
        case 1: return {in_.ConsumeIntegralInRange(-2, 9), 0};
        case 2: return {-in_.ConsumeIntegralInRange(1, 1 << 30), in_.ConsumeIntegralInRange(-3, 9)};
        case 3: return {in_.ConsumeIntegralInRange(-3, 9), -in_.ConsumeIntegralInRange(1, 1 << 30)};
        case 4: return {1, in_.ConsumeIntegralInRange(1, 9)};
        case 5: return {in_.ConsumeIntegralInRange(1, 9), 1};
        case 6: return {in_.ConsumeIntegralInRange(200, 260), in_.ConsumeIntegralInRange(85, 100)};  // 16u gamma table
        default: return {in_.ConsumeIntegralInRange(1, 72), in_.ConsumeIntegralInRange(1, 20)};
        }
    }

    // Bytes per row of a plane: `ch` samples per pixel (-1: half-width pairs),
    // packed 4:2:2 rows rounded up to whole pairs.
    std::size_t row_bytes(QrxSize roi, int ch, std::size_t sample, int pairs) const {
        if (roi.width <= 0 || roi.height <= 0) return 0;
        const std::size_t w = static_cast<std::size_t>(roi.width) + (pairs && (roi.width & 1) ? 1 : 0);
        if (ch < 0) return (w + 1) * sample;
        return w * static_cast<std::size_t>(ch) * sample;
    }

    int step(std::size_t row_bytes, std::size_t sample) {
        const int v = pick_step(static_cast<int>(row_bytes), static_cast<int>(sample));
        // byte steps that are not whole samples put 16/32-bit rows at any address;
        // on with QRXFUZZ_ODD_STEPS=1 (scripts/ci/fuzz.sh sets it)
        if (sample > 1 && !odd_wide_steps() && v != std::numeric_limits<int>::min()) return v / static_cast<int>(sample) * static_cast<int>(sample);
        return v;
    }
    static bool odd_wide_steps() {
        static const bool on = [] {
            const char* e = std::getenv("QRXFUZZ_ODD_STEPS");
            return e != nullptr && std::strcmp(e, "0") != 0;
        }();
        return on;
    }
    int pick_step(int rb, int s) {
        switch (in_.ConsumeIntegralInRange(0, 11)) {
        case 0: return 0;
        case 1: return -rb;
        case 2: return -rb - s * in_.ConsumeIntegralInRange(0, 8);
        case 3: return rb + in_.ConsumeIntegralInRange(1, 15);  // odd padding, whatever the sample size
        case 4: return in_.ConsumeIntegralInRange(-3 * rb - 64, 3 * rb + 64);
        case 5: return height_ <= 1 ? std::numeric_limits<int>::min() : -s;  // the extreme step only where no second row is addressed
        case 6: return rb + s * in_.ConsumeIntegralInRange(1, 16);
        default: return rb;
        }
    }

    // Contiguous images (functions without a step) use the row size.
    int contiguous(std::size_t row_bytes) const { return static_cast<int>(row_bytes); }

    // A plane of the ROI's height; `before` / `after` extra rows are part of
    // the image too (the slice-wise smoothing conversions read three rows
    // above a middle or bottom slice and write two, and a top slice of height
    // 2 reads a row below).
    template <class T>
    T* plane(bool writable, int step, std::size_t row_bytes, QrxSize roi, int before = 0, int after = 0) {
        if (in_.ConsumeIntegralInRange(0, 31) == 0) return nullptr;
        const long long rows = roi.height > 0 && roi.width > 0 ? roi.height : 0;
        std::size_t span = 0, lead = 0;
        if (rows > 0) {
            // rows -before .. rows-1+after at the byte step and at the step
            // rounded down to whole samples, whichever reaches further
            const long long first = step == std::numeric_limits<int>::min() ? 0 : -before;
            const long long last = step == std::numeric_limits<int>::min() ? 0 : rows - 1 + after;
            const long long sample = static_cast<long long>(sizeof(T));
            const long long floored = (static_cast<long long>(step) >= 0 ? step / sample
                                                                          : -((-static_cast<long long>(step) + sample - 1) / sample)) * sample;
            long long lo = 0, hi = 0;
            for (long long s : {static_cast<long long>(step), floored})
                for (long long r : {first, last}) {
                    lo = std::min(lo, r * s);
                    hi = std::max(hi, r * s);
                }
            span = static_cast<std::size_t>(hi - lo) + row_bytes;
            lead = static_cast<std::size_t>(-lo);
        }
        if (span == 0) span = 1;
        const std::size_t g = guard_bytes();
        Buffer b{std::unique_ptr<std::uint8_t[]>(new std::uint8_t[span + 2 * g]), span, writable, {}};
        std::memset(b.bytes.get(), kGuardByte, g);
        std::memset(b.bytes.get() + g + span, kGuardByte, g);
        fill(b.bytes.get() + g, span, std::is_same<T, float>::value);
        if (writable) b.before.assign(b.bytes.get() + g, b.bytes.get() + g + span);
        T* p = reinterpret_cast<T*>(b.bytes.get() + g + lead);
        buffers_.push_back(std::move(b));
        return p;
    }

    void matrix(Qrx32f* m, int n) {
        const bool wild = in_.ConsumeBool();
        for (int i = 0; i < n; ++i)
            m[i] = wild ? pick_float() : static_cast<float>(static_cast<int>(next() % 2001) - 1000) / 500.0f;
    }
    const Qrx32f* weights() {
        if (in_.ConsumeBool()) return nullptr;
        for (float& w : weights_) w = in_.ConsumeBool() ? pick_float() : static_cast<float>(next() % 1001) / 1000.0f;
        return weights_;
    }
    unsigned u16() { return in_.ConsumeIntegral<std::uint16_t>(); }
    int noise() {
        const int picks[] = {0, 0, 1, 50, 100, -1, 101, std::numeric_limits<int>::min()};
        return in_.ConsumeBool() ? picks[in_.ConsumeIntegralInRange(0, 7)] : in_.ConsumeIntegralInRange(0, 100);
    }
    int dtype() { return in_.ConsumeIntegralInRange(-1, 6); }
    int levels() {
        const int picks[] = {2, 3, 7, 16, 255, 256, 257, 65535, 65536, 65537, 1, 0, -5, std::numeric_limits<int>::max()};
        return picks[in_.ConsumeIntegralInRange(0, 13)];
    }
    int slicePosition() {
        const int picks[] = {qrxSliceTop, qrxSliceMiddle, qrxSliceBottom, qrxSliceWhole, 0, 2, 5, 255, -1};
        return picks[in_.ConsumeIntegralInRange(0, 8)];
    }
    Qrx32f gamma_bound() {
        if (in_.ConsumeBool()) return pick_float();
        return static_cast<float>(static_cast<int>(next() % 601) - 300) / 100.0f;
    }

    const std::vector<Buffer>& buffers() const { return buffers_; }

private:
    std::uint32_t next() {  // xorshift32, seeded by the input
        rng_ ^= rng_ << 13;
        rng_ ^= rng_ >> 17;
        rng_ ^= rng_ << 5;
        return rng_;
    }
    float pick_float() {
        if (in_.ConsumeBool()) return kSpecial[in_.ConsumeIntegralInRange<std::size_t>(0, std::size(kSpecial) - 1)];
        const std::uint32_t u = next();
        float f;
        std::memcpy(&f, &u, 4);
        return f;
    }
    void fill(std::uint8_t* p, std::size_t n, bool floats) {
        const int mode = in_.ConsumeIntegralInRange(0, 3);
        if (floats) {
            for (std::size_t i = 0; i + 4 <= n; i += 4) {
                const std::uint32_t r = next();
                float f = mode == 0   ? pick_special(r)
                          : mode == 1 ? static_cast<float>(r % 70001) / 10000.0f - 3.0f
                                      : static_cast<float>(r % 1025) / 1024.0f;
                if (mode == 3 && (r >> 24) < 16) f = pick_special(r >> 8);
                std::memcpy(p + i, &f, 4);
            }
            for (std::size_t i = n & ~std::size_t{3}; i < n; ++i) p[i] = static_cast<std::uint8_t>(next());
            return;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t r = next();
            p[i] = mode == 0 ? 0 : mode == 1 ? 0xFF : static_cast<std::uint8_t>(r);
        }
    }
    static float pick_special(std::uint32_t r) { return kSpecial[r % std::size(kSpecial)]; }

    FuzzedDataProvider& in_;
    std::uint32_t rng_;
    float weights_[3] = {};
    int height_ = 0;
    bool converts_ = false;
    std::vector<Buffer> buffers_;
};

using Fn = QrxStatus (*)(Call&);
struct Entry {
    const char* name;
    Fn fn;
    unsigned allowed;
};

#include "signatures.inc"

constexpr std::size_t kCount = sizeof(kEntries) / sizeof(kEntries[0]);

// QRXFUZZ_STATS=file: per function, the calls and the calls that got past the
// checks with a non-empty ROI; the file is rewritten every 4096 inputs and at exit.
struct Hits {
    unsigned long long calls, converted;
};
Hits g_hits[kCount];
const char* stats_path() {
    static const char* p = std::getenv("QRXFUZZ_STATS");
    return p;
}
void write_stats() {
    std::FILE* f = std::fopen(stats_path(), "w");
    if (f == nullptr) return;
    std::size_t reached = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
        reached += g_hits[i].converted > 0;
        std::fprintf(f, "%s %llu %llu\n", kEntries[i].name, g_hits[i].calls, g_hits[i].converted);
    }
    std::fprintf(f, "# converting a non-empty ROI: %zu of %zu image functions\n", reached, kCount);
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const Entry& e = kEntries[in.ConsumeIntegralInRange<std::size_t>(0, kCount - 1)];
    threads_omp_of_n_qrx = in.ConsumeIntegralInRange(1, 3);
    Call c(in);
    const QrxStatus st = e.fn(c);
    if (stats_path() != nullptr) {
        static unsigned long long inputs = 0;
        Hits& h = g_hits[&e - kEntries];
        ++h.calls;
        h.converted += st >= 0 && c.converts();
        if (++inputs % 4096 == 0) write_stats();
    }
    if ((bit(st) & e.allowed) == 0) {
        std::fprintf(stderr, "%s returned status %d, not one it may return\n", e.name, static_cast<int>(st));
        std::abort();
    }
    for (const Buffer& b : c.buffers())
        if (!guards_intact(b.bytes.get(), b.size)) {
            std::fprintf(stderr, "%s wrote outside its buffer (status %d)\n", e.name, static_cast<int>(st));
            std::abort();
        }
    if (st < 0)
        for (const Buffer& b : c.buffers())
            if (b.writable && std::memcmp(b.bytes.get() + guard_bytes(), b.before.data(), b.size) != 0) {
                std::fprintf(stderr, "%s returned error %d but wrote its destination\n", e.name, static_cast<int>(st));
                std::abort();
            }
    return 0;
}

// `qrxfuzz -list` style helper for the docs: QRXFUZZ_LIST=1 prints the table.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (stats_path() != nullptr) std::atexit(write_stats);
    if (std::getenv("QRXFUZZ_LIST") != nullptr)
        for (const Entry& e : kEntries) std::printf("%s\n", e.name);
    const QrxLibraryVersion* v = qrxccGetLibVersion();
    if (v == nullptr || v != qrxccGetLibVersion()) std::abort();
    return 0;
}
