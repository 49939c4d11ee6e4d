// Shared pieces of qrxbench: buffers, counters, and the memcpy reference line.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace qrxbench {

constexpr int kW = 1920;
constexpr int kH = 1080;

inline std::vector<std::uint8_t> random_bytes(std::size_t n, std::uint32_t seed = 1) {
    std::vector<std::uint8_t> v(n);
    std::mt19937 rng(seed);
    for (auto& b : v) b = static_cast<std::uint8_t>(rng());
    return v;
}

// Cheap deterministic fill (a linear congruential sequence): 8K buffers are
// large enough that a Mersenne twister per byte would dominate the set-up.
inline std::vector<std::uint8_t> filled(std::size_t n, std::uint32_t seed = 0x9e3779b9u) {
    std::vector<std::uint8_t> v(n);
    std::uint32_t x = seed;
    for (auto& b : v) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    return v;
}

// Reports pixels/s as items and (source + destination) bytes/s.
inline void set_counters(benchmark::State& state, std::int64_t pixels, std::int64_t bytes_moved) {
    state.SetItemsProcessed(state.iterations() * pixels);
    state.SetBytesProcessed(state.iterations() * bytes_moved);
    state.counters["Mpix/s"] = benchmark::Counter(static_cast<double>(pixels) * 1e-6 * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

// memcpy of `bytes` bytes: the reference line beside each conversion.
inline void memcpy_case(benchmark::State& state, std::size_t bytes, std::int64_t pixels) {
    auto src = random_bytes(bytes);
    std::vector<std::uint8_t> dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    set_counters(state, pixels, static_cast<std::int64_t>(bytes) * 2);
}

// Two calls that do the same work, timed block by block on one thread: each
// iteration times a block of calls of `ours` and a block of `peer` (the one
// that goes first alternates) and keeps peer time / our time.  A slow spell of
// a shared machine then lands on both sides of one ratio, so the median ratio
// (counter "peer/ours", >= 1 when ours is at least as fast) tells apart
// differences well under the spread between separately run cases.
template <class Ours, class Peer>
void paired_case(benchmark::State& state, Ours ours, Peer peer, int calls_per_block = 4) {
    using clock = std::chrono::steady_clock;
    std::vector<double> ratios;
    bool ours_first = true;
    auto time_block = [&](auto& fn) {
        const auto t0 = clock::now();
        for (int k = 0; k < calls_per_block; ++k) {
            fn();
            benchmark::ClobberMemory();
        }
        return std::chrono::duration<double>(clock::now() - t0).count();
    };
    for (auto _ : state) {
        double t_ours, t_peer;
        if (ours_first) {
            t_ours = time_block(ours);
            t_peer = time_block(peer);
        } else {
            t_peer = time_block(peer);
            t_ours = time_block(ours);
        }
        ours_first = !ours_first;
        ratios.push_back(t_peer / t_ours);
    }
    if (ratios.empty()) return;
    std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
    state.counters["peer/ours"] = ratios[ratios.size() / 2];
}

// paired_case on one random source of src_bytes and one destination of
// dst_bytes, both calls given (src, dst).
template <class Ours, class Peer>
void paired_on_buffers(benchmark::State& state, std::size_t src_bytes, std::size_t dst_bytes, Ours ours, Peer peer) {
    const auto src = random_bytes(src_bytes);
    std::vector<std::uint8_t> dst(dst_bytes);
    paired_case(state, [&] { ours(src.data(), dst.data()); }, [&] { peer(src.data(), dst.data()); });
}

}  // namespace qrxbench

// A memcpy line of the source image's size, named after the case it accompanies.
#define QRX_BENCH_MEMCPY(name, src_bytes)                                                        \
    static void BM_memcpy_##name(benchmark::State& state) {                                     \
        qrxbench::memcpy_case(state, static_cast<std::size_t>(src_bytes),                       \
                              static_cast<std::int64_t>(qrxbench::kW) * qrxbench::kH);          \
    }                                                                                            \
    BENCHMARK(BM_memcpy_##name)->Unit(benchmark::kMicrosecond)
