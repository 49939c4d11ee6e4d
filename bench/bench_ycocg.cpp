// YCoCg at 1920x1080, single thread, beside memcpy of the same bytes
// (8-bit BGR on one side, three 16-bit planes on the other).
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"

using namespace qrxbench;

namespace {
constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;

template <bool Inverse, bool Rev>
void ycocg_8u16s_c3(benchmark::State& st) {
    auto bgr = random_bytes(static_cast<std::size_t>(kPix) * 3);
    std::vector<Qrx16s> planes(static_cast<std::size_t>(kPix) * 3);
    for (std::size_t i = 0; i < planes.size(); ++i) planes[i] = static_cast<Qrx16s>(bgr[i % bgr.size()]);
    Qrx16s* p[3] = {planes.data(), planes.data() + kPix, planes.data() + 2 * kPix};
    const Qrx16s* cp[3] = {p[0], p[1], p[2]};
    for (auto _ : st) {
        if constexpr (Inverse)
            (Rev ? qrxiYCoCgToBGR_Rev_16s8u_P3C3R : qrxiYCoCgToBGR_16s8u_P3C3R)(cp, kW * 2, bgr.data(), kW * 3, {kW, kH});
        else
            (Rev ? qrxiBGRToYCoCg_Rev_8u16s_C3P3R : qrxiBGRToYCoCg_8u16s_C3P3R)(bgr.data(), kW * 3, p, kW * 2, {kW, kH});
        benchmark::ClobberMemory();
    }
    set_counters(st, kPix, kPix * 9);
}
}  // namespace

// memcpy of the source bytes of each direction
QRX_BENCH_MEMCPY(YCoCg_bgr8u_c3, kPix * 3);
BENCHMARK(ycocg_8u16s_c3<false, false>)->Name("BM_BGRToYCoCg_8u16s_C3P3R")->Unit(benchmark::kMicrosecond);
BENCHMARK(ycocg_8u16s_c3<false, true>)->Name("BM_BGRToYCoCg_Rev_8u16s_C3P3R")->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(YCoCg_planes16s, kPix * 6);
BENCHMARK(ycocg_8u16s_c3<true, false>)->Name("BM_YCoCgToBGR_16s8u_P3C3R")->Unit(benchmark::kMicrosecond);
BENCHMARK(ycocg_8u16s_c3<true, true>)->Name("BM_YCoCgToBGR_Rev_16s8u_P3C3R")->Unit(benchmark::kMicrosecond);
