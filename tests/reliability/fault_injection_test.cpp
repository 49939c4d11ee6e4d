// Fault injection: every scratch allocation of every function that allocates
// is made to fail in turn.  A failed call returns qrxStatusOutOfMemory, leaves
// the destination exactly as it was and gives back every block it had taken.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/allocator.h"
#include "qrxcc.h"

namespace {

namespace hooks = qrx::testing_hooks;

struct WalkResult {
    int faults = 0;          // allocations made to fail
    QrxStatus final_status;  // status of the first call that got all its memory
};

// Fails allocation n = 1, 2, ... until a call succeeds.  `reset` puts source
// and destination back to their starting bytes, `snapshot` returns the bytes
// the call may write (with their surroundings).
WalkResult walk(const std::function<QrxStatus()>& call, const std::function<void()>& reset,
                const std::function<std::vector<std::uint8_t>()>& snapshot) {
    WalkResult r{};
    for (int n = 1; n < 64; ++n) {
        reset();
        const std::vector<std::uint8_t> before = snapshot();
        const long live = hooks::live_blocks();
        hooks::fail_allocation_after(n);
        const QrxStatus st = call();
        hooks::fail_allocation_after(0);
        EXPECT_EQ(hooks::live_blocks(), live) << "allocation " << n << " failed: blocks leaked";
        if (st != qrxStatusOutOfMemory) {
            r.final_status = st;
            return r;
        }
        ++r.faults;
        EXPECT_TRUE(snapshot() == before) << "allocation " << n << " failed but the destination was written";
    }
    ADD_FAILURE() << "the call never succeeded";
    r.final_status = qrxStatusOutOfMemory;
    return r;
}

std::vector<std::uint8_t> random_bytes(std::size_t n, std::uint32_t seed) {
    std::vector<std::uint8_t> v(n);
    std::mt19937 rng(seed);
    for (auto& b : v) b = static_cast<std::uint8_t>(rng());
    return v;
}

std::vector<std::uint8_t> unit_floats(std::size_t count, std::uint32_t seed) {
    std::vector<std::uint8_t> v(count * 4);
    std::mt19937 rng(seed);
    for (std::size_t i = 0; i < count; ++i) {
        const float f = static_cast<float>(rng() % 4097) / 4096.0f;
        std::memcpy(v.data() + 4 * i, &f, 4);
    }
    return v;
}

int g_total_faults = 0;

constexpr QrxSize kGammaRoi{200, 120};  // 72000 samples in three channels: table in use

using Planes = const Qrx16u* const*;
using GammaCall = std::function<QrxStatus(Planes src, Qrx16u* const* dst, int step)>;

// One 16u gamma call on random images (three planes when `planar`; the
// in-place functions take `dst` as their image): its one table allocation.
void walk_gamma(const char* name, int channels, bool planar, const GammaCall& call) {
    SCOPED_TRACE(name);
    const int step = kGammaRoi.width * (planar ? 1 : channels) * 2 + (planar ? 10 : 6);
    const std::size_t plane = static_cast<std::size_t>(step) * kGammaRoi.height, planes = planar ? 3 : 1;
    const auto src = random_bytes(planes * plane + 64, 1);
    const auto dst0 = random_bytes(planes * plane + 64, 2);
    std::vector<std::uint8_t> dst;
    const auto r = walk(
        [&] {
            const Qrx16u* s[3] = {};
            Qrx16u* d[3] = {};
            for (std::size_t i = 0; i < planes; ++i) {
                s[i] = reinterpret_cast<const Qrx16u*>(src.data() + 32 + i * plane);
                d[i] = reinterpret_cast<Qrx16u*>(dst.data() + 32 + i * plane);
            }
            return call(s, d, step);
        },
        [&] { dst = dst0; }, [&] { return dst; });
    EXPECT_EQ(r.final_status, qrxStatusOk);
    EXPECT_EQ(r.faults, 1);
    g_total_faults += r.faults;
}

GammaCall packed(QrxStatus (*fn)(const Qrx16u*, int, Qrx16u*, int, QrxSize)) {
    return [fn](Planes s, Qrx16u* const* d, int step) { return fn(s[0], step, d[0], step, kGammaRoi); };
}
GammaCall in_place(QrxStatus (*fn)(Qrx16u*, int, QrxSize)) {
    return [fn](Planes, Qrx16u* const* d, int step) { return fn(d[0], step, kGammaRoi); };
}
GammaCall planar(QrxStatus (*fn)(const Qrx16u* const[3], int, Qrx16u* const[3], int, QrxSize)) {
    return [fn](Planes s, Qrx16u* const* d, int step) { return fn(s, step, d, step, kGammaRoi); };
}
GammaCall planar_in_place(QrxStatus (*fn)(Qrx16u* const[3], int, QrxSize)) {
    return [fn](Planes, Qrx16u* const* d, int step) { return fn(d, step, kGammaRoi); };
}

struct ReduceEntry {
    const char* name;
    std::function<QrxStatus(const void*, int, void*, int, QrxSize, int, int, int)> fn;
    int in_bytes, out_bytes, channels, max_levels;
    bool float_in;
};

#define QRX_RB(NAME, IN, OUT, CH, MAXL, FLT)                                                                         \
    ReduceEntry {                                                                                                    \
        #NAME,                                                                                                       \
            [](const void* s, int ss, void* d, int ds, QrxSize roi, int noise, int m, int l) {                       \
                return NAME(static_cast<const IN*>(s), ss, static_cast<OUT*>(d), ds, roi, noise, m, l);              \
            },                                                                                                       \
            static_cast<int>(sizeof(IN)), static_cast<int>(sizeof(OUT)), CH, MAXL, FLT                               \
    }

#define QRX_RB4(BASE, IN, OUT, MAXL, FLT)                                                                             \
    QRX_RB(BASE##_C1R, IN, OUT, 1, MAXL, FLT), QRX_RB(BASE##_C3R, IN, OUT, 3, MAXL, FLT),                              \
        QRX_RB(BASE##_AC4R, IN, OUT, 4, MAXL, FLT), QRX_RB(BASE##_C4R, IN, OUT, 4, MAXL, FLT)

std::vector<ReduceEntry> reduce_entries() {
    return {QRX_RB4(qrxiReduceBits_8u, Qrx8u, Qrx8u, 256, false),        QRX_RB4(qrxiReduceBits_16u, Qrx16u, Qrx16u, 65536, false),
            QRX_RB4(qrxiReduceBits_16u8u, Qrx16u, Qrx8u, 256, false),    QRX_RB4(qrxiReduceBits_16s, Qrx16s, Qrx16s, 65536, false),
            QRX_RB4(qrxiReduceBits_16s8u, Qrx16s, Qrx8u, 256, false),    QRX_RB4(qrxiReduceBits_32f8u, Qrx32f, Qrx8u, 256, true),
            QRX_RB4(qrxiReduceBits_32f16u, Qrx32f, Qrx16u, 65536, true), QRX_RB4(qrxiReduceBits_32f16s, Qrx32f, Qrx16s, 65536, true)};
}

}  // namespace

// One function per way of passing the images (the table code is shared).
TEST(ReliabilityFaults, Gamma16uTableAllocation) {
    walk_gamma("GammaFwd_16u_C3R", 3, false, packed(qrxiGammaFwd_16u_C3R));
    walk_gamma("GammaInv_16u_AC4IR", 4, false, in_place(qrxiGammaInv_16u_AC4IR));
    walk_gamma("GammaFwd_16u_P3R", 1, true, planar(qrxiGammaFwd_16u_P3R));
    walk_gamma("GammaInv_16u_IP3R", 1, true, planar_in_place(qrxiGammaInv_16u_IP3R));
}

// The table is built only for more than 65536 samples, counting three per
// pixel whatever the layout: 85 x 257 AC4 pixels (65535) convert directly, so
// a pending failure does not matter; 66 x 331 C3 pixels (65538) need it.
TEST(ReliabilityFaults, Gamma16uBelowTableThresholdDoesNotAllocate) {
    std::vector<Qrx16u> img(3 * 16 * 16, 1000), big(4 * 85 * 257, 1000);
    hooks::fail_allocation_after(1);
    EXPECT_EQ(qrxiGammaFwd_16u_C3IR(img.data(), 16 * 6, QrxSize{16, 16}), qrxStatusOk);
    hooks::fail_allocation_after(1);
    EXPECT_EQ(qrxiGammaInv_16u_AC4IR(big.data(), 85 * 8, QrxSize{85, 257}), qrxStatusOk);
    hooks::fail_allocation_after(1);
    EXPECT_EQ(qrxiGammaFwd_16u_C3IR(big.data(), 66 * 6, QrxSize{66, 331}), qrxStatusOutOfMemory);
    hooks::fail_allocation_after(0);
}

TEST(ReliabilityFaults, ReduceBitsEveryMethodWithAndWithoutNoise) {
    const QrxSize roi{9, 5};
    const int methods[] = {qrxDitherMethodOff, qrxDitherMethodFloydSteinberg, qrxDitherMethodJarvisJudiceNinke,
                           qrxDitherMethodStucki, qrxDitherMethodOrdered4x4};
    int faults = 0;
    for (const auto& e : reduce_entries()) {
        const int src_step = roi.width * e.channels * e.in_bytes + 4;
        const int dst_step = roi.width * e.channels * e.out_bytes + 6;
        const std::size_t src_count = static_cast<std::size_t>(src_step) * roi.height;
        const auto src = e.float_in ? unit_floats(src_count / 4, 11) : random_bytes(src_count, 11);
        const auto dst0 = random_bytes(static_cast<std::size_t>(dst_step) * roi.height, 12);
        for (int method : methods)
            for (int noise : {0, 35}) {
                SCOPED_TRACE(std::string(e.name) + " method " + std::to_string(method) + " noise " + std::to_string(noise));
                std::vector<std::uint8_t> dst;
                const auto r = walk([&] { return e.fn(src.data(), src_step, dst.data(), dst_step, roi, noise, method, 7); },
                                    [&] { dst = dst0; }, [&] { return dst; });
                EXPECT_EQ(r.final_status, qrxStatusOk);
                // plain reduction needs no scratch; every other method with noise its two noise
                // tables, and error diffusion one block of error rows
                const bool dithers = method != qrxDitherMethodOff, diffuses = dithers && method != qrxDitherMethodOrdered4x4;
                EXPECT_EQ(r.faults, (dithers && noise > 0 ? 2 : 0) + (diffuses ? 1 : 0));
                faults += r.faults;
                // the successful call after the walk equals an undisturbed call
                std::vector<std::uint8_t> clean = dst0;
                EXPECT_EQ(e.fn(src.data(), src_step, clean.data(), dst_step, roi, noise, method, 7), qrxStatusOk);
                EXPECT_TRUE(clean == dst);
            }
    }
    g_total_faults += faults;
    RecordProperty("faults_injected", g_total_faults);
    std::printf("[ reliability ] faults injected so far: %d\n", g_total_faults);
}
