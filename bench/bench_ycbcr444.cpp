// RGB <-> YCbCr 4:4:4 at 1920x1080, single thread, beside memcpy of the
// source image and libyuv's ARGBToI444 / I444ToARGB / I444AlphaToARGB where available, and
// OpenCV's packed 3-channel RGB2YCrCb / YCrCb2RGB (same shape as the C3 lines).
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_LIBYUV
#include <libyuv.h>
#endif
#ifdef QRX_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

using namespace qrxbench;

namespace {

constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;

template <QrxStatus (*Fn)(const Qrx8u*, int, Qrx8u*, int, QrxSize)>
void pixel_case(benchmark::State& state, int src_ch, int dst_ch) {
    auto src = random_bytes(static_cast<std::size_t>(kPix) * src_ch);
    std::vector<Qrx8u> dst(static_cast<std::size_t>(kPix) * dst_ch);
    for (auto _ : state) {
        Fn(src.data(), kW * src_ch, dst.data(), kW * dst_ch, {kW, kH});
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * (src_ch + dst_ch));
}

template <class Fn>
void planar_case(benchmark::State& state, int dst_ch, Fn fn) {
    auto src = random_bytes(static_cast<std::size_t>(kPix) * 3);
    std::vector<Qrx8u> dst(static_cast<std::size_t>(kPix) * dst_ch);
    const Qrx8u* s[3] = {src.data(), src.data() + kPix, src.data() + 2 * kPix};
    for (auto _ : state) {
        fn(s, dst.data());
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * (3 + dst_ch));
}

}  // namespace

static void BM_RGBToYCbCr_8u_C3R(benchmark::State& st) { pixel_case<qrxiRGBToYCbCr_8u_C3R>(st, 3, 3); }
static void BM_YCbCrToRGB_8u_C3R(benchmark::State& st) { pixel_case<qrxiYCbCrToRGB_8u_C3R>(st, 3, 3); }
static void BM_RGBToYCbCr_8u_AC4R(benchmark::State& st) { pixel_case<qrxiRGBToYCbCr_8u_AC4R>(st, 4, 4); }
static void BM_YCbCrToRGB_8u_AC4R(benchmark::State& st) { pixel_case<qrxiYCbCrToRGB_8u_AC4R>(st, 4, 4); }
static void BM_RGBToYCbCr_8u_P3R(benchmark::State& st) {
    planar_case(st, 3, [](const Qrx8u* const* s, Qrx8u* d) {
        Qrx8u* dp[3] = {d, d + kPix, d + 2 * kPix};
        qrxiRGBToYCbCr_8u_P3R(s, kW, dp, kW, {kW, kH});
    });
}
static void BM_YCbCrToRGB_8u_P3R(benchmark::State& st) {
    planar_case(st, 3, [](const Qrx8u* const* s, Qrx8u* d) {
        Qrx8u* dp[3] = {d, d + kPix, d + 2 * kPix};
        qrxiYCbCrToRGB_8u_P3R(s, kW, dp, kW, {kW, kH});
    });
}
static void BM_YCbCrToRGB_8u_P3C3R(benchmark::State& st) {
    planar_case(st, 3, [](const Qrx8u* const* s, Qrx8u* d) { qrxiYCbCrToRGB_8u_P3C3R(s, kW, d, kW * 3, {kW, kH}); });
}
static void BM_YCbCrToBGR_8u_P3C3R(benchmark::State& st) {
    planar_case(st, 3, [](const Qrx8u* const* s, Qrx8u* d) { qrxiYCbCrToBGR_8u_P3C3R(s, kW, d, kW * 3, {kW, kH}); });
}
static void BM_YCbCrToBGR_8u_P3C4R(benchmark::State& st) {
    planar_case(st, 4, [](const Qrx8u* const* s, Qrx8u* d) { qrxiYCbCrToBGR_8u_P3C4R(s, kW, d, kW * 4, {kW, kH}, 255); });
}

QRX_BENCH_MEMCPY(C3_image, kPix * 3);
BENCHMARK(BM_RGBToYCbCr_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCrToRGB_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RGBToYCbCr_8u_P3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCrToRGB_8u_P3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCrToRGB_8u_P3C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCrToBGR_8u_P3C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(AC4_image, kPix * 4);
BENCHMARK(BM_RGBToYCbCr_8u_AC4R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCrToRGB_8u_AC4R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCrToBGR_8u_P3C4R)->Unit(benchmark::kMicrosecond);

#ifdef QRX_BENCH_LIBYUV
static void BM_libyuv_ARGBToI444(benchmark::State& st) {
    auto src = random_bytes(static_cast<std::size_t>(kPix) * 4);
    std::vector<Qrx8u> y(kPix), u(kPix), v(kPix);
    for (auto _ : st) {
        libyuv::ARGBToI444(src.data(), kW * 4, y.data(), kW, u.data(), kW, v.data(), kW, kW, kH);
        benchmark::ClobberMemory();
    }
    set_counters(st, kPix, kPix * 7);
}
static void BM_libyuv_I444ToARGB(benchmark::State& st) {
    auto src = random_bytes(static_cast<std::size_t>(kPix) * 3);
    std::vector<Qrx8u> dst(static_cast<std::size_t>(kPix) * 4);
    for (auto _ : st) {
        libyuv::I444ToARGB(src.data(), kW, src.data() + kPix, kW, src.data() + 2 * kPix, kW, dst.data(), kW * 4, kW, kH);
        benchmark::ClobberMemory();
    }
    set_counters(st, kPix, kPix * 7);
}
// Three planes to four-byte pixels with a constant fourth byte: the peer's
// memory work exactly, so the two are also timed block by block.
static void BM_pair_YCbCrToBGR_8u_P3C4R(benchmark::State& st) {
    paired_on_buffers(
        st, static_cast<std::size_t>(kPix) * 3, static_cast<std::size_t>(kPix) * 4,
        [](const Qrx8u* s, Qrx8u* d) {
            const Qrx8u* planes[3] = {s, s + kPix, s + 2 * kPix};
            qrxiYCbCrToBGR_8u_P3C4R(planes, kW, d, kW * 4, {kW, kH}, 255);
        },
        [](const Qrx8u* s, Qrx8u* d) { libyuv::I444ToARGB(s, kW, s + kPix, kW, s + 2 * kPix, kW, d, kW * 4, kW, kH); });
}
// Four planes (the fourth carried through as alpha) to four-byte pixels: the
// same bytes in and out as YCbCrToRGB_8u_AC4R, which keeps the destination's
// fourth byte, so the two are also timed block by block.
static void BM_libyuv_I444AlphaToARGB(benchmark::State& st) {
    auto src = random_bytes(static_cast<std::size_t>(kPix) * 4);
    std::vector<Qrx8u> dst(static_cast<std::size_t>(kPix) * 4);
    for (auto _ : st) {
        libyuv::I444AlphaToARGB(src.data(), kW, src.data() + kPix, kW, src.data() + 2 * kPix, kW, src.data() + 3 * kPix, kW,
                                dst.data(), kW * 4, kW, kH, 0);
        benchmark::ClobberMemory();
    }
    set_counters(st, kPix, kPix * 8);
}
static void BM_pair_YCbCrToRGB_8u_AC4R(benchmark::State& st) {
    paired_on_buffers(
        st, static_cast<std::size_t>(kPix) * 4, static_cast<std::size_t>(kPix) * 4,
        [](const Qrx8u* s, Qrx8u* d) { qrxiYCbCrToRGB_8u_AC4R(s, kW * 4, d, kW * 4, {kW, kH}); },
        [](const Qrx8u* s, Qrx8u* d) {
            libyuv::I444AlphaToARGB(s, kW, s + kPix, kW, s + 2 * kPix, kW, s + 3 * kPix, kW, d, kW * 4, kW, kH, 0);
        });
}
BENCHMARK(BM_libyuv_ARGBToI444)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I444AlphaToARGB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_pair_YCbCrToRGB_8u_AC4R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I444ToARGB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_pair_YCbCrToBGR_8u_P3C4R)->Unit(benchmark::kMicrosecond);
#endif

#ifdef QRX_BENCH_OPENCV
template <int Code>
static void BM_opencv_C3(benchmark::State& st) {
    cv::setNumThreads(1);
    auto bytes = random_bytes(static_cast<std::size_t>(kPix) * 3);
    cv::Mat src(kH, kW, CV_8UC3, bytes.data()), dst(kH, kW, CV_8UC3);
    for (auto _ : st) {
        cv::cvtColor(src, dst, Code);
        benchmark::ClobberMemory();
    }
    set_counters(st, kPix, kPix * 6);
    cv::setNumThreads(-1);
}
BENCHMARK_TEMPLATE(BM_opencv_C3, cv::COLOR_RGB2YCrCb)->Name("BM_opencv_RGB2YCrCb")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_opencv_C3, cv::COLOR_YCrCb2RGB)->Name("BM_opencv_YCrCb2RGB")->Unit(benchmark::kMicrosecond);
#endif
