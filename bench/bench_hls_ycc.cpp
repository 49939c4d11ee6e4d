// HLS, HSV and YCC at 1920x1080: single thread and two threads (the library's
// thread count), beside memcpy of the source image and OpenCV's cvtColor for
// the same conversion (cv::setNumThreads(1) on the single-thread lines).  The
// 3840x2160 lines give the two-thread scaling.  Single-thread lines report
// CPU time, two-thread lines wall-clock time.
#include <cstring>
#include <random>
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"
#include "qrxcore.h"

#ifdef QRX_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

using namespace qrxbench;

namespace {

class Threads {
public:
    explicit Threads(int n) : saved_(threads_omp_of_n_qrx) { threads_omp_of_n_qrx = n; }
    ~Threads() { threads_omp_of_n_qrx = saved_; }

private:
    int saved_;
};

template <class T>
std::vector<T> random_samples(std::size_t n) {
    std::vector<T> v(n);
    std::mt19937 rng(3);
    for (auto& x : v) {
        if constexpr (std::is_floating_point_v<T>)
            x = static_cast<T>(rng() % 100001) / 100000.0f;
        else
            x = static_cast<T>(rng());
    }
    return v;
}

// One qrxcc conversion over a w x h image, `ch` samples per pixel on both sides.
template <class T, QrxStatus (*Fn)(const T*, int, T*, int, QrxSize)>
void qrx_case(benchmark::State& state, int ch, int threads, int w = kW, int h = kH) {
    Threads t(threads);
    const std::size_t n = static_cast<std::size_t>(w) * h * ch;
    auto src = random_samples<T>(n);
    std::vector<T> dst(n);
    const int step = w * ch * static_cast<int>(sizeof(T));
    for (auto _ : state) {
        Fn(src.data(), step, dst.data(), step, {w, h});
        benchmark::ClobberMemory();
    }
    set_counters(state, static_cast<std::int64_t>(w) * h, static_cast<std::int64_t>(n * sizeof(T) * 2));
}

#ifdef QRX_BENCH_OPENCV
void cv_case(benchmark::State& state, int code, int depth, int threads) {
    cv::setNumThreads(threads);
    cv::Mat src(kH, kW, CV_MAKETYPE(depth, 3)), dst;
    if (depth == CV_8U)
        cv::randu(src, 0, 256);
    else
        cv::randu(src, 0.0f, 1.0f);
    for (auto _ : state) {
        cv::cvtColor(src, dst, code);
        benchmark::ClobberMemory();
    }
    const std::int64_t bytes = static_cast<std::int64_t>(src.total() * src.elemSize()) * 2;
    set_counters(state, static_cast<std::int64_t>(kW) * kH, bytes);
    cv::setNumThreads(-1);
}
#endif

#ifdef QRX_BENCH_OPENCV
// Block by block beside the peer on the same buffers (float samples in 0..1),
// both on one thread: the 32f conversions whose memory work is the peer's.
template <class Ours>
void cv_pair_32f(benchmark::State& state, int code, Ours ours) {
    Threads t(1);
    cv::setNumThreads(1);
    const auto src = random_samples<float>(static_cast<std::size_t>(kW) * kH * 3);
    std::vector<float> dst(src.size());
    const cv::Mat s(kH, kW, CV_32FC3, const_cast<float*>(src.data()));
    cv::Mat d(kH, kW, CV_32FC3, dst.data());
    paired_case(state, [&] { ours(src.data(), dst.data()); }, [&] { cv::cvtColor(s, d, code); });
    cv::setNumThreads(-1);
}
#endif

}  // namespace

#define QRX_HLS_CASE(name, T, ch)                                                                            \
    static void BM_##name(benchmark::State& st) { qrx_case<T, qrxi##name>(st, ch, 1); }                    \
    static void BM_##name##_2threads(benchmark::State& st) { qrx_case<T, qrxi##name>(st, ch, 2); }         \
    BENCHMARK(BM_##name)->Unit(benchmark::kMicrosecond);                                     \
    BENCHMARK(BM_##name##_2threads)->Unit(benchmark::kMicrosecond)->UseRealTime()

#define QRX_UHD_CASE(name, T, ch)                                                                            \
    static void BM_##name##_3840x2160(benchmark::State& st) { qrx_case<T, qrxi##name>(st, ch, 1, 3840, 2160); } \
    static void BM_##name##_3840x2160_2threads(benchmark::State& st) {                                      \
        qrx_case<T, qrxi##name>(st, ch, 2, 3840, 2160);                                                     \
    }                                                                                                        \
    BENCHMARK(BM_##name##_3840x2160)->Unit(benchmark::kMicrosecond)->UseRealTime();                         \
    BENCHMARK(BM_##name##_3840x2160_2threads)->Unit(benchmark::kMicrosecond)->UseRealTime()

#ifdef QRX_BENCH_OPENCV
#define QRX_CV_CASE(name, code, depth)                                                                       \
    static void BM_opencv_##name(benchmark::State& st) { cv_case(st, cv::code, depth, 1); }                 \
    static void BM_opencv_##name##_2threads(benchmark::State& st) { cv_case(st, cv::code, depth, 2); }      \
    BENCHMARK(BM_opencv_##name)->Unit(benchmark::kMicrosecond);                              \
    BENCHMARK(BM_opencv_##name##_2threads)->Unit(benchmark::kMicrosecond)->UseRealTime()
#else
#define QRX_CV_CASE(name, code, depth) static_assert(true, "")
#endif

QRX_BENCH_MEMCPY(C3_8u_image, static_cast<std::int64_t>(kW) * kH * 3);
QRX_HLS_CASE(RGBToHSV_8u_C3R, Qrx8u, 3);
QRX_CV_CASE(RGB2HSV_8u, COLOR_RGB2HSV, CV_8U);
QRX_HLS_CASE(HSVToRGB_8u_C3R, Qrx8u, 3);
QRX_CV_CASE(HSV2RGB_8u, COLOR_HSV2RGB, CV_8U);
QRX_HLS_CASE(RGBToHLS_8u_C3R, Qrx8u, 3);
QRX_CV_CASE(RGB2HLS_8u, COLOR_RGB2HLS, CV_8U);
QRX_HLS_CASE(HLSToRGB_8u_C3R, Qrx8u, 3);
QRX_CV_CASE(HLS2RGB_8u, COLOR_HLS2RGB, CV_8U);
QRX_HLS_CASE(RGBToYCC_8u_C3R, Qrx8u, 3);
QRX_HLS_CASE(YCCToRGB_8u_C3R, Qrx8u, 3);

QRX_BENCH_MEMCPY(C3_32f_image, static_cast<std::int64_t>(kW) * kH * 12);
QRX_HLS_CASE(RGBToHLS_32f_C3R, Qrx32f, 3);
QRX_CV_CASE(RGB2HLS_32f, COLOR_RGB2HLS, CV_32F);
QRX_HLS_CASE(HLSToRGB_32f_C3R, Qrx32f, 3);
QRX_CV_CASE(HLS2RGB_32f, COLOR_HLS2RGB, CV_32F);
#ifdef QRX_BENCH_OPENCV
static void BM_pair_RGBToHLS_32f_C3R(benchmark::State& st) {
    cv_pair_32f(st, cv::COLOR_RGB2HLS, [](const float* s, float* d) { qrxiRGBToHLS_32f_C3R(s, kW * 12, d, kW * 12, {kW, kH}); });
}
BENCHMARK(BM_pair_RGBToHLS_32f_C3R)->Unit(benchmark::kMicrosecond);
static void BM_pair_HLSToRGB_32f_C3R(benchmark::State& st) {
    cv_pair_32f(st, cv::COLOR_HLS2RGB, [](const float* s, float* d) { qrxiHLSToRGB_32f_C3R(s, kW * 12, d, kW * 12, {kW, kH}); });
}
BENCHMARK(BM_pair_HLSToRGB_32f_C3R)->Unit(benchmark::kMicrosecond);
#endif
QRX_CV_CASE(RGB2HSV_32f, COLOR_RGB2HSV, CV_32F);
QRX_CV_CASE(HSV2RGB_32f, COLOR_HSV2RGB, CV_32F);
QRX_HLS_CASE(RGBToYCC_32f_C3R, Qrx32f, 3);
QRX_HLS_CASE(YCCToRGB_32f_C3R, Qrx32f, 3);

QRX_BENCH_MEMCPY(C3_16u_image, static_cast<std::int64_t>(kW) * kH * 6);
QRX_HLS_CASE(RGBToHSV_16u_C3R, Qrx16u, 3);
QRX_HLS_CASE(RGBToHLS_16u_C3R, Qrx16u, 3);
QRX_HLS_CASE(HLSToRGB_16u_C3R, Qrx16u, 3);
QRX_HLS_CASE(RGBToYCC_16u_C3R, Qrx16u, 3);

QRX_HLS_CASE(RGBToHLS_8u_AC4R, Qrx8u, 4);
QRX_HLS_CASE(HLSToRGB_16s_C3R, Qrx16s, 3);

QRX_UHD_CASE(RGBToHSV_8u_C3R, Qrx8u, 3);
QRX_UHD_CASE(RGBToHLS_8u_C3R, Qrx8u, 3);
QRX_UHD_CASE(HLSToRGB_32f_C3R, Qrx32f, 3);
