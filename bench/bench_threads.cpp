// Thread scaling of the row-parallel families (HLS/HSV, XYZ/LUV/Lab, YCC,
// ordered dithering) at 1920x1080 and 3840x2160.  Names:
// BM_threads_<conversion>/<width>/<height>/<threads>.  Thread counts are 1, 2
// and then powers of two up to the number of online processors (at least 2 are
// always registered, so two-thread figures exist even on a single core).
// Wall-clock time (UseRealTime): the CPU time of the calling thread does not
// show the work done by the other threads of the team.
#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"
#include "qrxcore.h"

namespace {

using C3Fn = QrxStatus (*)(const Qrx8u*, int, Qrx8u*, int, QrxSize);

template <class Fn>
void scaling_case(benchmark::State& state, Fn fn) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int saved = threads_omp_of_n_qrx;
    threads_omp_of_n_qrx = static_cast<int>(state.range(2));
    const std::size_t n = static_cast<std::size_t>(w) * h * 3;
    auto src = qrxbench::filled(n, 0x2545f491u);
    std::vector<Qrx8u> dst(n);
    for (auto _ : state) {
        fn(src.data(), w * 3, dst.data(), w * 3, QrxSize{w, h});
        benchmark::ClobberMemory();
    }
    threads_omp_of_n_qrx = saved;
    qrxbench::set_counters(state, static_cast<std::int64_t>(w) * h, static_cast<std::int64_t>(n) * 2);
    state.counters["threads"] = static_cast<double>(state.range(2));
}

void shapes(benchmark::internal::Benchmark* b) {
    const int hw = static_cast<int>(std::max(2u, std::thread::hardware_concurrency()));
    std::vector<int> counts = {1, 2};
    for (int t = 4; t <= hw; t *= 2) counts.push_back(t);
    if (counts.back() != hw) counts.push_back(hw);
    for (const auto& size : {std::pair<int, int>{1920, 1080}, std::pair<int, int>{3840, 2160}})
        for (int t : counts) b->Args({size.first, size.second, t});
    b->Unit(benchmark::kMicrosecond)->UseRealTime();
}

template <C3Fn Fn>
void c3_case(benchmark::State& state) {
    scaling_case(state, Fn);
}

void ordered_dither(benchmark::State& state) {
    scaling_case(state, [](const Qrx8u* s, int ss, Qrx8u* d, int ds, QrxSize roi) {
        return qrxiReduceBits_8u_C3R(s, ss, d, ds, roi, 0, qrxDitherMethodOrdered4x4, 16);
    });
}

}  // namespace

BENCHMARK_TEMPLATE(c3_case, qrxiRGBToHSV_8u_C3R)->Name("BM_threads_RGBToHSV_8u_C3R")->Apply(shapes);
BENCHMARK_TEMPLATE(c3_case, qrxiHSVToRGB_8u_C3R)->Name("BM_threads_HSVToRGB_8u_C3R")->Apply(shapes);
BENCHMARK_TEMPLATE(c3_case, qrxiRGBToHLS_8u_C3R)->Name("BM_threads_RGBToHLS_8u_C3R")->Apply(shapes);
BENCHMARK_TEMPLATE(c3_case, qrxiRGBToXYZ_8u_C3R)->Name("BM_threads_RGBToXYZ_8u_C3R")->Apply(shapes);
BENCHMARK_TEMPLATE(c3_case, qrxiRGBToLUV_8u_C3R)->Name("BM_threads_RGBToLUV_8u_C3R")->Apply(shapes);
BENCHMARK_TEMPLATE(c3_case, qrxiBGRToLab_8u_C3R)->Name("BM_threads_BGRToLab_8u_C3R")->Apply(shapes);
BENCHMARK_TEMPLATE(c3_case, qrxiRGBToYCC_8u_C3R)->Name("BM_threads_RGBToYCC_8u_C3R")->Apply(shapes);
BENCHMARK(ordered_dither)->Name("BM_threads_ReduceBits_8u_C3R_Ordered")->Apply(shapes);
