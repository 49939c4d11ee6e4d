// Gray, colour twist and gamma at 1920x1080, single thread, beside memcpy of
// the source image and libyuv where it has the same shape of work:
// ARGBToJ400 / RGB24ToJ400 (gray), ARGBColorMatrix (8u twist),
// ARGBColorTable (8u gamma, in place).
#include <type_traits>
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_LIBYUV
#include <libyuv.h>
#endif

using namespace qrxbench;

namespace {

constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;

const Qrx32f kTwist[3][4] = {{0.9f, 0.05f, 0.05f, 1.5f}, {0.1f, 0.8f, 0.1f, -2.0f}, {0.0f, 0.2f, 0.8f, 0.25f}};

// Random samples; floats spread over [0, 1) as images hold them (random bit
// patterns would be a quarter NaN or huge, and some subnormal).
template <class T>
std::vector<T> random_samples(std::size_t n) {
    auto bytes = random_bytes(n * sizeof(T));
    std::vector<T> v(n);
    std::memcpy(v.data(), bytes.data(), bytes.size());
    if constexpr (std::is_floating_point_v<T>)
        for (auto& x : v) {
            std::uint32_t b;
            std::memcpy(&b, &x, sizeof b);
            x = static_cast<T>(b >> 8) * 0x1p-24f;
        }
    return v;
}

// src_ch samples in, dst_ch samples out, pixel order.
template <class T, class Fn>
void pixel_case(benchmark::State& state, int src_ch, int dst_ch, Fn fn) {
    auto src = random_samples<T>(static_cast<std::size_t>(kPix) * src_ch);
    std::vector<T> dst(static_cast<std::size_t>(kPix) * dst_ch);
    const int ss = kW * src_ch * static_cast<int>(sizeof(T)), ds = kW * dst_ch * static_cast<int>(sizeof(T));
    for (auto _ : state) {
        fn(src.data(), ss, dst.data(), ds);
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * (src_ch + dst_ch) * static_cast<std::int64_t>(sizeof(T)));
}

// In place over ch samples per pixel.
template <class T, class Fn>
void inplace_case(benchmark::State& state, int ch, Fn fn) {
    auto img = random_samples<T>(static_cast<std::size_t>(kPix) * ch);
    const int step = kW * ch * static_cast<int>(sizeof(T));
    for (auto _ : state) {
        fn(img.data(), step);
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * ch * 2 * static_cast<std::int64_t>(sizeof(T)));
}

}  // namespace

// ---- gray --------------------------------------------------------------------
static void BM_RGBToGray_8u_AC4C1R(benchmark::State& st) {
    pixel_case<Qrx8u>(st, 4, 1, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { qrxiRGBToGray_8u_AC4C1R(s, ss, d, ds, {kW, kH}); });
}
static void BM_RGBToGray_8u_C3C1R(benchmark::State& st) {
    pixel_case<Qrx8u>(st, 3, 1, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { qrxiRGBToGray_8u_C3C1R(s, ss, d, ds, {kW, kH}); });
}
static void BM_RGBToGray_16u_C3C1R(benchmark::State& st) {
    pixel_case<Qrx16u>(st, 3, 1, [](const Qrx16u* s, int ss, Qrx16u* d, int ds) { qrxiRGBToGray_16u_C3C1R(s, ss, d, ds, {kW, kH}); });
}
static void BM_RGBToGray_32f_C3C1R(benchmark::State& st) {
    pixel_case<Qrx32f>(st, 3, 1, [](const Qrx32f* s, int ss, Qrx32f* d, int ds) { qrxiRGBToGray_32f_C3C1R(s, ss, d, ds, {kW, kH}); });
}
// Weights that sum above one: the saturating 8u body, which the standard weights skip.
static void BM_ColorToGray_8u_AC4C1R_Saturating(benchmark::State& st) {
    static const Qrx32f w[3] = {0.5f, 0.5f, 0.5f};
    pixel_case<Qrx8u>(st, 4, 1, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { qrxiColorToGray_8u_AC4C1R(s, ss, d, ds, {kW, kH}, w); });
}
static void BM_ColorToGray_8u_C3C1R_Saturating(benchmark::State& st) {
    static const Qrx32f w[3] = {0.5f, 0.5f, 0.5f};
    pixel_case<Qrx8u>(st, 3, 1, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { qrxiColorToGray_8u_C3C1R(s, ss, d, ds, {kW, kH}, w); });
}
QRX_BENCH_MEMCPY(RGBToGray_8u_AC4C1R, kPix * 4);
BENCHMARK(BM_RGBToGray_8u_AC4C1R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColorToGray_8u_AC4C1R_Saturating)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(RGBToGray_8u_C3C1R, kPix * 3);
BENCHMARK(BM_RGBToGray_8u_C3C1R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColorToGray_8u_C3C1R_Saturating)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(RGBToGray_16u_C3C1R, kPix * 6);
BENCHMARK(BM_RGBToGray_16u_C3C1R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(RGBToGray_32f_C3C1R, kPix * 12);
BENCHMARK(BM_RGBToGray_32f_C3C1R)->Unit(benchmark::kMicrosecond);

#ifdef QRX_BENCH_LIBYUV
static void BM_libyuv_ARGBToJ400(benchmark::State& st) {
    pixel_case<Qrx8u>(st, 4, 1, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { libyuv::ARGBToJ400(s, ss, d, ds, kW, kH); });
}
static void BM_libyuv_RGB24ToJ400(benchmark::State& st) {
    pixel_case<Qrx8u>(st, 3, 1, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { libyuv::RGB24ToJ400(s, ss, d, ds, kW, kH); });
}
BENCHMARK(BM_libyuv_ARGBToJ400)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_RGB24ToJ400)->Unit(benchmark::kMicrosecond);
#endif

// ---- colour twist ----------------------------------------------------------------
static void BM_ColorTwist32f_8u_AC4R(benchmark::State& st) {
    pixel_case<Qrx8u>(st, 4, 4, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { qrxiColorTwist32f_8u_AC4R(s, ss, d, ds, {kW, kH}, kTwist); });
}
static void BM_ColorTwist32f_8u_C3R(benchmark::State& st) {
    pixel_case<Qrx8u>(st, 3, 3, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { qrxiColorTwist32f_8u_C3R(s, ss, d, ds, {kW, kH}, kTwist); });
}
static void BM_ColorTwist32f_16s_C3R(benchmark::State& st) {
    pixel_case<Qrx16s>(st, 3, 3, [](const Qrx16s* s, int ss, Qrx16s* d, int ds) { qrxiColorTwist32f_16s_C3R(s, ss, d, ds, {kW, kH}, kTwist); });
}
static void BM_ColorTwist_32f_C3R(benchmark::State& st) {
    pixel_case<Qrx32f>(st, 3, 3, [](const Qrx32f* s, int ss, Qrx32f* d, int ds) { qrxiColorTwist_32f_C3R(s, ss, d, ds, {kW, kH}, kTwist); });
}
static void BM_ColorTwist_32f_C4R(benchmark::State& st) {
    static const Qrx32f t4[4][4] = {{0.9f, 0.05f, 0.05f, 0}, {0.1f, 0.8f, 0.1f, 0}, {0, 0.2f, 0.8f, 0}, {0, 0, 0, 1}};
    pixel_case<Qrx32f>(st, 4, 4, [](const Qrx32f* s, int ss, Qrx32f* d, int ds) { qrxiColorTwist_32f_C4R(s, ss, d, ds, {kW, kH}, t4); });
}
QRX_BENCH_MEMCPY(ColorTwist32f_8u_AC4R, kPix * 4);
BENCHMARK(BM_ColorTwist32f_8u_AC4R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(ColorTwist32f_8u_C3R, kPix * 3);
BENCHMARK(BM_ColorTwist32f_8u_C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(ColorTwist32f_16s_C3R, kPix * 6);
BENCHMARK(BM_ColorTwist32f_16s_C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(ColorTwist_32f_C3R, kPix * 12);
BENCHMARK(BM_ColorTwist_32f_C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(ColorTwist_32f_C4R, kPix * 16);
BENCHMARK(BM_ColorTwist_32f_C4R)->Unit(benchmark::kMicrosecond);

#ifdef QRX_BENCH_LIBYUV
static void BM_libyuv_ARGBColorMatrix(benchmark::State& st) {
    static const int8_t m[16] = {58, 3, 3, 0, 6, 51, 6, 0, 0, 13, 51, 0, 0, 0, 0, 64};  // 6-bit fixed point
    pixel_case<Qrx8u>(st, 4, 4, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { libyuv::ARGBColorMatrix(s, ss, d, ds, m, kW, kH); });
}
BENCHMARK(BM_libyuv_ARGBColorMatrix)->Unit(benchmark::kMicrosecond);
// The two on the same images, timed block by block (bench_support.h).
static void BM_pair_ColorTwist32f_8u_AC4R(benchmark::State& st) {
    static const int8_t m[16] = {58, 3, 3, 0, 6, 51, 6, 0, 0, 13, 51, 0, 0, 0, 0, 64};
    const auto src = random_samples<Qrx8u>(static_cast<std::size_t>(kPix) * 4);
    std::vector<Qrx8u> dst(static_cast<std::size_t>(kPix) * 4);
    paired_case(st, [&] { qrxiColorTwist32f_8u_AC4R(src.data(), 4 * kW, dst.data(), 4 * kW, {kW, kH}, kTwist); },
                [&] { libyuv::ARGBColorMatrix(src.data(), 4 * kW, dst.data(), 4 * kW, m, kW, kH); });
}
BENCHMARK(BM_pair_ColorTwist32f_8u_AC4R)->Unit(benchmark::kMicrosecond);
static void BM_pair_RGBToGray_8u_AC4C1R(benchmark::State& st) {
    paired_on_buffers(
        st, static_cast<std::size_t>(kPix) * 4, static_cast<std::size_t>(kPix),
        [](const Qrx8u* s, Qrx8u* d) { qrxiRGBToGray_8u_AC4C1R(s, 4 * kW, d, kW, {kW, kH}); },
        [](const Qrx8u* s, Qrx8u* d) { libyuv::ARGBToJ400(s, 4 * kW, d, kW, kW, kH); });
}
BENCHMARK(BM_pair_RGBToGray_8u_AC4C1R)->Unit(benchmark::kMicrosecond);
#endif

// ---- gamma -------------------------------------------------------------------------
static void BM_GammaFwd_8u_C3R(benchmark::State& st) {
    pixel_case<Qrx8u>(st, 3, 3, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { qrxiGammaFwd_8u_C3R(s, ss, d, ds, {kW, kH}); });
}
static void BM_GammaFwd_8u_AC4R(benchmark::State& st) {
    pixel_case<Qrx8u>(st, 4, 4, [](const Qrx8u* s, int ss, Qrx8u* d, int ds) { qrxiGammaFwd_8u_AC4R(s, ss, d, ds, {kW, kH}); });
}
static void BM_GammaFwd_8u_AC4IR(benchmark::State& st) {
    inplace_case<Qrx8u>(st, 4, [](Qrx8u* p, int s) { qrxiGammaFwd_8u_AC4IR(p, s, {kW, kH}); });
}
static void BM_GammaFwd_16u_C3R(benchmark::State& st) {
    pixel_case<Qrx16u>(st, 3, 3, [](const Qrx16u* s, int ss, Qrx16u* d, int ds) { qrxiGammaFwd_16u_C3R(s, ss, d, ds, {kW, kH}); });
}
static void BM_GammaInv_16u_C3R(benchmark::State& st) {
    pixel_case<Qrx16u>(st, 3, 3, [](const Qrx16u* s, int ss, Qrx16u* d, int ds) { qrxiGammaInv_16u_C3R(s, ss, d, ds, {kW, kH}); });
}
static void BM_GammaFwd_16u_AC4R(benchmark::State& st) {
    pixel_case<Qrx16u>(st, 4, 4, [](const Qrx16u* s, int ss, Qrx16u* d, int ds) { qrxiGammaFwd_16u_AC4R(s, ss, d, ds, {kW, kH}); });
}
static void BM_GammaFwd_32f_C3R(benchmark::State& st) {
    pixel_case<Qrx32f>(st, 3, 3, [](const Qrx32f* s, int ss, Qrx32f* d, int ds) { qrxiGammaFwd_32f_C3R(s, ss, d, ds, {kW, kH}, 0.0f, 1.0f); });
}
QRX_BENCH_MEMCPY(GammaFwd_8u_C3R, kPix * 3);
BENCHMARK(BM_GammaFwd_8u_C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(GammaFwd_8u_AC4R, kPix * 4);
BENCHMARK(BM_GammaFwd_8u_AC4R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GammaFwd_8u_AC4IR)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(GammaFwd_16u_C3R, kPix * 6);
BENCHMARK(BM_GammaFwd_16u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GammaInv_16u_C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(GammaFwd_16u_AC4R, kPix * 8);
BENCHMARK(BM_GammaFwd_16u_AC4R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(GammaFwd_32f_C3R, kPix * 12);
BENCHMARK(BM_GammaFwd_32f_C3R)->Unit(benchmark::kMillisecond);

#ifdef QRX_BENCH_LIBYUV
static void BM_libyuv_ARGBColorTable(benchmark::State& st) {
    static std::vector<std::uint8_t> table = random_bytes(256 * 4, 9);
    inplace_case<Qrx8u>(st, 4, [](Qrx8u* p, int s) { libyuv::ARGBColorTable(p, s, table.data(), 0, 0, kW, kH); });
}
BENCHMARK(BM_libyuv_ARGBColorTable)->Unit(benchmark::kMicrosecond);
#endif
