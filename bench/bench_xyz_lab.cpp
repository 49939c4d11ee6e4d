// XYZ, LUV and Lab at 1920x1080 on one thread, beside memcpy of the source
// image and OpenCV's cvtColor where available; then the same 8u C3 functions
// at 3840x2160 on one and on two threads (row-parallel scaling).
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

constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;

class Threads {
public:
    explicit Threads(int n) : saved_(threads_omp_of_n_qrx) { threads_omp_of_n_qrx = n; }
    ~Threads() { threads_omp_of_n_qrx = saved_; }

private:
    int saved_;
};

std::vector<float> random_floats(std::size_t n, float lo, float hi) {
    std::vector<float> v(n);
    std::mt19937 rng(7);
    for (auto& f : v) f = lo + (hi - lo) * static_cast<float>(rng() % 65536u) / 65535.0f;
    return v;
}

template <QrxStatus (*Fn)(const Qrx8u*, int, Qrx8u*, int, QrxSize)>
void u8_case(benchmark::State& state, int w, int h, int threads) {
    const std::int64_t pix = static_cast<std::int64_t>(w) * h;
    auto src = random_bytes(static_cast<std::size_t>(pix) * 3);
    std::vector<Qrx8u> dst(static_cast<std::size_t>(pix) * 3);
    Threads t(threads);
    for (auto _ : state) {
        Fn(src.data(), w * 3, dst.data(), w * 3, {w, h});
        benchmark::ClobberMemory();
    }
    set_counters(state, pix, pix * 6);
}

template <QrxStatus (*Fn)(const Qrx32f*, int, Qrx32f*, int, QrxSize)>
void f32_case(benchmark::State& state, bool luv_source) {
    auto src = luv_source ? random_floats(static_cast<std::size_t>(kPix) * 3, 0.0f, 100.0f)
                          : random_floats(static_cast<std::size_t>(kPix) * 3, 0.0f, 1.0f);
    if (luv_source)
        for (std::size_t i = 0; i < src.size(); i += 3) {
            src[i + 1] = src[i + 1] * 3.54f - 134.0f;
            src[i + 2] = src[i + 2] * 2.62f - 140.0f;
        }
    std::vector<Qrx32f> dst(static_cast<std::size_t>(kPix) * 3);
    Threads t(1);
    for (auto _ : state) {
        Fn(src.data(), kW * 12, dst.data(), kW * 12, {kW, kH});
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * 24);
}

#ifdef QRX_BENCH_OPENCV
void cv_case(benchmark::State& state, int code, int type, bool luv_source) {
    cv::setNumThreads(1);
    cv::Mat src(kH, kW, type), dst;
    if (type == CV_8UC3) {
        cv::randu(src, cv::Scalar::all(0), cv::Scalar::all(256));
    } else if (luv_source) {
        cv::randu(src, cv::Scalar(0, -134, -140), cv::Scalar(100, 220, 122));
    } else {
        cv::randu(src, cv::Scalar::all(0), cv::Scalar::all(1));
    }
    for (auto _ : state) {
        cv::cvtColor(src, dst, code);
        benchmark::ClobberMemory();
    }
    const std::int64_t bytes = kPix * (type == CV_8UC3 ? 6 : 24);
    set_counters(state, kPix, bytes);
}
#endif

}  // namespace

// ---- 8u C3, 1920x1080, one thread ------------------------------------------------
QRX_BENCH_MEMCPY(XyzLab_8u_C3, kPix * 3);
static void BM_RGBToXYZ_8u_C3R(benchmark::State& s) { u8_case<qrxiRGBToXYZ_8u_C3R>(s, kW, kH, 1); }
static void BM_XYZToRGB_8u_C3R(benchmark::State& s) { u8_case<qrxiXYZToRGB_8u_C3R>(s, kW, kH, 1); }
static void BM_RGBToLUV_8u_C3R(benchmark::State& s) { u8_case<qrxiRGBToLUV_8u_C3R>(s, kW, kH, 1); }
static void BM_LUVToRGB_8u_C3R(benchmark::State& s) { u8_case<qrxiLUVToRGB_8u_C3R>(s, kW, kH, 1); }
static void BM_BGRToLab_8u_C3R(benchmark::State& s) { u8_case<qrxiBGRToLab_8u_C3R>(s, kW, kH, 1); }
static void BM_LabToBGR_8u_C3R(benchmark::State& s) { u8_case<qrxiLabToBGR_8u_C3R>(s, kW, kH, 1); }
BENCHMARK(BM_RGBToXYZ_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_XYZToRGB_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RGBToLUV_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LUVToRGB_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BGRToLab_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LabToBGR_8u_C3R)->Unit(benchmark::kMicrosecond);

// ---- 32f C3, 1920x1080, one thread -----------------------------------------------
QRX_BENCH_MEMCPY(XyzLuv_32f_C3, kPix * 12);
static void BM_RGBToXYZ_32f_C3R(benchmark::State& s) { f32_case<qrxiRGBToXYZ_32f_C3R>(s, false); }
static void BM_XYZToRGB_32f_C3R(benchmark::State& s) { f32_case<qrxiXYZToRGB_32f_C3R>(s, false); }
static void BM_RGBToLUV_32f_C3R(benchmark::State& s) { f32_case<qrxiRGBToLUV_32f_C3R>(s, false); }
static void BM_LUVToRGB_32f_C3R(benchmark::State& s) { f32_case<qrxiLUVToRGB_32f_C3R>(s, true); }
BENCHMARK(BM_RGBToXYZ_32f_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_XYZToRGB_32f_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RGBToLUV_32f_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LUVToRGB_32f_C3R)->Unit(benchmark::kMicrosecond);

#ifdef QRX_BENCH_OPENCV
static void BM_cv_RGB2XYZ_8u(benchmark::State& s) { cv_case(s, cv::COLOR_RGB2XYZ, CV_8UC3, false); }
static void BM_cv_XYZ2RGB_8u(benchmark::State& s) { cv_case(s, cv::COLOR_XYZ2RGB, CV_8UC3, false); }
static void BM_cv_RGB2Luv_8u(benchmark::State& s) { cv_case(s, cv::COLOR_RGB2Luv, CV_8UC3, false); }
static void BM_cv_Luv2RGB_8u(benchmark::State& s) { cv_case(s, cv::COLOR_Luv2RGB, CV_8UC3, false); }
static void BM_cv_BGR2Lab_8u(benchmark::State& s) { cv_case(s, cv::COLOR_BGR2Lab, CV_8UC3, false); }
static void BM_cv_Lab2BGR_8u(benchmark::State& s) { cv_case(s, cv::COLOR_Lab2BGR, CV_8UC3, false); }
static void BM_cv_RGB2XYZ_32f(benchmark::State& s) { cv_case(s, cv::COLOR_RGB2XYZ, CV_32FC3, false); }
static void BM_cv_XYZ2RGB_32f(benchmark::State& s) { cv_case(s, cv::COLOR_XYZ2RGB, CV_32FC3, false); }
static void BM_cv_RGB2Luv_32f(benchmark::State& s) { cv_case(s, cv::COLOR_RGB2Luv, CV_32FC3, false); }
static void BM_cv_Luv2RGB_32f(benchmark::State& s) { cv_case(s, cv::COLOR_Luv2RGB, CV_32FC3, true); }
static void BM_cv_BGR2Lab_32f(benchmark::State& s) { cv_case(s, cv::COLOR_BGR2Lab, CV_32FC3, false); }
static void BM_cv_Lab2BGR_32f(benchmark::State& s) { cv_case(s, cv::COLOR_Lab2BGR, CV_32FC3, true); }
BENCHMARK(BM_cv_RGB2XYZ_8u)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_XYZ2RGB_8u)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_RGB2Luv_8u)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_Luv2RGB_8u)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_BGR2Lab_8u)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_Lab2BGR_8u)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_RGB2XYZ_32f)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_XYZ2RGB_32f)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_RGB2Luv_32f)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_Luv2RGB_32f)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_BGR2Lab_32f)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_cv_Lab2BGR_32f)->Unit(benchmark::kMicrosecond);
#endif

// ---- 8u C3, 3840x2160, one and two threads -------------------------------------------
template <QrxStatus (*Fn)(const Qrx8u*, int, Qrx8u*, int, QrxSize)>
static void BM_uhd(benchmark::State& s) {
    u8_case<Fn>(s, 3840, 2160, static_cast<int>(s.range(0)));
}
BENCHMARK_TEMPLATE(BM_uhd, qrxiRGBToXYZ_8u_C3R)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_uhd, qrxiXYZToRGB_8u_C3R)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_uhd, qrxiRGBToLUV_8u_C3R)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_uhd, qrxiLUVToRGB_8u_C3R)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_uhd, qrxiBGRToLab_8u_C3R)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_TEMPLATE(BM_uhd, qrxiLabToBGR_8u_C3R)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
