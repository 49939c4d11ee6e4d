// Concurrency stress: several application threads call row-parallel and
// channel-parallel functions at the same time, while the team size
// threads_omp_of_n_qrx changes between rounds.  Every output must equal the
// single-threaded result.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "qrxcc.h"
#include "qrxcore.h"
#include "support/threads.h"

namespace {

using qrxtest::ThreadCount;

constexpr int kW = 67, kH = 41;
constexpr QrxSize kRoi{kW, kH};

struct Job {
    const char* name;
    std::size_t src_bytes, dst_bytes;
    bool float_src;
    std::function<QrxStatus(const std::uint8_t*, std::uint8_t*)> call;
};

std::vector<std::uint8_t> make_source(const Job& j, std::uint32_t seed) {
    std::vector<std::uint8_t> v(j.src_bytes);
    std::mt19937 rng(seed);
    if (j.float_src) {
        for (std::size_t i = 0; i + 4 <= v.size(); i += 4) {
            const float f = static_cast<float>(rng() % 65536) / 65535.0f;
            std::memcpy(v.data() + i, &f, 4);
        }
    } else {
        for (auto& b : v) b = static_cast<std::uint8_t>(rng());
    }
    return v;
}

template <class S, class D>
std::function<QrxStatus(const std::uint8_t*, std::uint8_t*)> packed(QrxStatus (*fn)(const S*, int, D*, int, QrxSize), int ss, int ds) {
    return [=](const std::uint8_t* s, std::uint8_t* d) { return fn(reinterpret_cast<const S*>(s), ss, reinterpret_cast<D*>(d), ds, kRoi); };
}

template <class S, class D>
std::function<QrxStatus(const std::uint8_t*, std::uint8_t*)> reduce(QrxStatus (*fn)(const S*, int, D*, int, QrxSize, int, int, int),
                                                                    int ss, int ds, int noise, int method, int levels) {
    return [=](const std::uint8_t* s, std::uint8_t* d) {
        return fn(reinterpret_cast<const S*>(s), ss, reinterpret_cast<D*>(d), ds, kRoi, noise, method, levels);
    };
}

std::vector<Job> jobs() {
    const std::size_t px = static_cast<std::size_t>(kW) * kH;
    return {
        {"RGBToHLS_8u_C3R", px * 3, px * 3, false, packed(qrxiRGBToHLS_8u_C3R, kW * 3, kW * 3)},
        {"RGBToHSV_16u_AC4R", px * 8, px * 8, false, packed(qrxiRGBToHSV_16u_AC4R, kW * 8, kW * 8)},
        {"HLSToRGB_32f_C3R", px * 12, px * 12, true, packed(qrxiHLSToRGB_32f_C3R, kW * 12, kW * 12)},
        {"RGBToXYZ_32f_C3R", px * 12, px * 12, true, packed(qrxiRGBToXYZ_32f_C3R, kW * 12, kW * 12)},
        {"XYZToRGB_16u_AC4R", px * 8, px * 8, false, packed(qrxiXYZToRGB_16u_AC4R, kW * 8, kW * 8)},
        {"RGBToLUV_8u_C3R", px * 3, px * 3, false, packed(qrxiRGBToLUV_8u_C3R, kW * 3, kW * 3)},
        {"BGRToLab_8u_C3R", px * 3, px * 3, false, packed(qrxiBGRToLab_8u_C3R, kW * 3, kW * 3)},
        {"RGBToYCC_16s_C3R", px * 6, px * 6, false, packed(qrxiRGBToYCC_16s_C3R, kW * 6, kW * 6)},
        {"ReduceBits_8u_C3R ordered", px * 3, px * 3, false,
         reduce(qrxiReduceBits_8u_C3R, kW * 3, kW * 3, 0, qrxDitherMethodOrdered4x4, 4)},
        {"ReduceBits_16u8u_AC4R ordered noise", px * 8, px * 4, false,
         reduce(qrxiReduceBits_16u8u_AC4R, kW * 8, kW * 4, 30, qrxDitherMethodOrdered4x4, 7)},
        {"ReduceBits_16u_C4R Floyd-Steinberg", px * 8, px * 8, false,
         reduce(qrxiReduceBits_16u_C4R, kW * 8, kW * 8, 0, qrxDitherMethodFloydSteinberg, 300)},
        {"ReduceBits_8u_C3R Stucki noise", px * 3, px * 3, false,
         reduce(qrxiReduceBits_8u_C3R, kW * 3, kW * 3, 15, qrxDitherMethodStucki, 6)},
        {"ReduceBits_32f8u_C3R JJN", px * 12, px * 3, true,
         reduce(qrxiReduceBits_32f8u_C3R, kW * 12, kW * 3, 0, qrxDitherMethodJarvisJudiceNinke, 9)},
    };
}

}  // namespace

TEST(ReliabilityConcurrency, ApplicationThreadsWithChangingTeamSizes) {
    const auto all = jobs();
    std::vector<std::vector<std::uint8_t>> sources, expected;
    {
        ThreadCount single(1);
        for (std::size_t i = 0; i < all.size(); ++i) {
            sources.push_back(make_source(all[i], static_cast<std::uint32_t>(i + 1)));
            expected.emplace_back(all[i].dst_bytes, 0x33);
            ASSERT_EQ(all[i].call(sources[i].data(), expected[i].data()), qrxStatusOk) << all[i].name;
        }
    }

    constexpr int kAppThreads = 4;
    const int team_sizes[] = {2, 8, 1, 3, 8, 2, 3, 1};
    std::atomic<int> mismatches{0}, bad_status{0};
    std::vector<std::atomic<int>> failures_by_job(all.size());
    ThreadCount restore(threads_omp_of_n_qrx);
    for (int round = 0; round < 8; ++round) {
        threads_omp_of_n_qrx = team_sizes[round];  // changed only while no call is running
        std::vector<std::thread> pool;
        for (int t = 0; t < kAppThreads; ++t)
            pool.emplace_back([&, t, round] {
                std::vector<std::uint8_t> out;
                for (std::size_t k = 0; k < all.size(); ++k) {
                    const std::size_t i = (k + static_cast<std::size_t>(t * 3 + round)) % all.size();
                    out.assign(all[i].dst_bytes, 0x33);
                    if (all[i].call(sources[i].data(), out.data()) != qrxStatusOk) ++bad_status;
                    if (out != expected[i]) {
                        ++mismatches;
                        ++failures_by_job[i];
                    }
                }
            });
        for (auto& th : pool) th.join();
    }
    EXPECT_EQ(bad_status.load(), 0);
    EXPECT_EQ(mismatches.load(), 0);
    for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(failures_by_job[i].load(), 0) << all[i].name;
}
