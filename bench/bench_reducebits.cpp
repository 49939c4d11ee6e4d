// Bit-depth reduction at 1920x1080, single thread: plain quantisation, ordered
// dithering and Floyd-Steinberg diffusion on 8u C3 and 32f8u C3, beside memcpy
// of the source image.
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"
#include "qrxcore.h"

using namespace qrxbench;

namespace {

constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;

class SingleThread {
public:
    SingleThread() : saved_(threads_omp_of_n_qrx) { threads_omp_of_n_qrx = 1; }
    ~SingleThread() { threads_omp_of_n_qrx = saved_; }

private:
    int saved_;
};

void case_8u_c3(benchmark::State& state, int method, int noise, int levels) {
    SingleThread one;
    auto src = random_bytes(static_cast<std::size_t>(kPix) * 3);
    std::vector<Qrx8u> dst(static_cast<std::size_t>(kPix) * 3);
    for (auto _ : state) {
        qrxiReduceBits_8u_C3R(src.data(), kW * 3, dst.data(), kW * 3, QrxSize{kW, kH}, noise, method, levels);
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * 6);
}

void case_32f8u_c3(benchmark::State& state, int method, int noise, int levels) {
    SingleThread one;
    auto bytes = random_bytes(static_cast<std::size_t>(kPix) * 3);
    std::vector<Qrx32f> src(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) src[i] = static_cast<float>(bytes[i]) / 255.0f;
    std::vector<Qrx8u> dst(static_cast<std::size_t>(kPix) * 3);
    for (auto _ : state) {
        qrxiReduceBits_32f8u_C3R(src.data(), kW * 12, dst.data(), kW * 3, QrxSize{kW, kH}, noise, method, levels);
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * 15);
}

}  // namespace

static void BM_ReduceBits_8u_C3R_Plain(benchmark::State& st) { case_8u_c3(st, qrxDitherMethodOff, 0, 16); }
static void BM_ReduceBits_8u_C3R_Ordered(benchmark::State& st) { case_8u_c3(st, qrxDitherMethodOrdered4x4, 0, 16); }
static void BM_ReduceBits_8u_C3R_OrderedNoise(benchmark::State& st) { case_8u_c3(st, qrxDitherMethodOrdered4x4, 20, 16); }
static void BM_ReduceBits_8u_C3R_FloydSteinberg(benchmark::State& st) { case_8u_c3(st, qrxDitherMethodFloydSteinberg, 0, 16); }
static void BM_ReduceBits_32f8u_C3R_Plain(benchmark::State& st) { case_32f8u_c3(st, qrxDitherMethodOff, 0, 16); }
static void BM_ReduceBits_32f8u_C3R_Ordered(benchmark::State& st) { case_32f8u_c3(st, qrxDitherMethodOrdered4x4, 0, 16); }
static void BM_ReduceBits_32f8u_C3R_FloydSteinberg(benchmark::State& st) {
    case_32f8u_c3(st, qrxDitherMethodFloydSteinberg, 0, 16);
}

QRX_BENCH_MEMCPY(ReduceBits_8u_C3R, kPix * 3);
BENCHMARK(BM_ReduceBits_8u_C3R_Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceBits_8u_C3R_Ordered)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceBits_8u_C3R_OrderedNoise)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceBits_8u_C3R_FloydSteinberg)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(ReduceBits_32f8u_C3R, kPix * 12);
BENCHMARK(BM_ReduceBits_32f8u_C3R_Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceBits_32f8u_C3R_Ordered)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceBits_32f8u_C3R_FloydSteinberg)->Unit(benchmark::kMicrosecond);
