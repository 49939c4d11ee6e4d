// Cost curves: throughput against image size, from 64x64 (cache-resident) to
// 7680x4320 (memory-bound), for the main conversions, each beside memcpy of
// its source bytes at the same size and beside the peer doing the same shape
// of work.  Single thread.  Names: BM_curve_<conversion>/<width>/<height>;
// the memcpy lines are BM_curve_memcpy_<bytes per pixel tag>/<width>/<height>.
// The default run is long (8K images); select with --benchmark_filter=BM_curve.
#include <cstdint>
#include <cstring>
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"
#include "qrxcore.h"

#ifdef QRX_BENCH_LIBYUV
#include <libyuv.h>
#endif
#ifdef QRX_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

// Bytes of a w x h image in each layout used below.
std::int64_t bytes_c3(std::int64_t w, std::int64_t h) { return w * h * 3; }
std::int64_t bytes_c4(std::int64_t w, std::int64_t h) { return w * h * 4; }
std::int64_t bytes_c2(std::int64_t w, std::int64_t h) { return w * h * 2; }
std::int64_t bytes_c1(std::int64_t w, std::int64_t h) { return w * h; }
std::int64_t bytes_420(std::int64_t w, std::int64_t h) { return w * h + 2 * (w / 2) * (h / 2); }

struct Planes {
    std::uint8_t* p[3];
    int s[3];
    Planes(std::uint8_t* base, int w, int h, int cw, int ch)
        : p{base, base + static_cast<std::ptrdiff_t>(w) * h,
            base + static_cast<std::ptrdiff_t>(w) * h + static_cast<std::ptrdiff_t>(cw) * ch},
          s{w, cw, cw} {}
};

// Runs fn(src, dst, w, h) over a w x h image (state.range(0) x state.range(1)).
template <class Bytes, class Fn>
void curve(benchmark::State& state, Bytes src_bytes, Bytes dst_bytes, Fn fn) {
    const int saved_threads = threads_omp_of_n_qrx;
    threads_omp_of_n_qrx = 1;
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const std::int64_t sb = src_bytes(w, h), db = dst_bytes(w, h);
    auto src = qrxbench::filled(static_cast<std::size_t>(sb));
    std::vector<std::uint8_t> dst(static_cast<std::size_t>(db));
    for (auto _ : state) {
        fn(src.data(), dst.data(), w, h);
        benchmark::ClobberMemory();
    }
    threads_omp_of_n_qrx = saved_threads;
    qrxbench::set_counters(state, static_cast<std::int64_t>(w) * h, sb + db);
}

void memcpy_curve(benchmark::State& state, std::int64_t (*bytes)(std::int64_t, std::int64_t)) {
    curve(state, bytes, bytes, [&](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        std::memcpy(d, s, static_cast<std::size_t>(bytes(w, h)));
    });
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Args({64, 64})->Args({256, 256})->Args({1280, 720})->Args({1920, 1080})->Args({3840, 2160})->Args({7680, 4320});
    b->Unit(benchmark::kMicrosecond);
}

}  // namespace

// ---- memcpy of the source bytes ----------------------------------------------------
static void BM_curve_memcpy_C3(benchmark::State& st) { memcpy_curve(st, bytes_c3); }
static void BM_curve_memcpy_C4(benchmark::State& st) { memcpy_curve(st, bytes_c4); }
static void BM_curve_memcpy_C2(benchmark::State& st) { memcpy_curve(st, bytes_c2); }
static void BM_curve_memcpy_I420(benchmark::State& st) { memcpy_curve(st, bytes_420); }
BENCHMARK(BM_curve_memcpy_C3)->Apply(sizes);
BENCHMARK(BM_curve_memcpy_C4)->Apply(sizes);
BENCHMARK(BM_curve_memcpy_C2)->Apply(sizes);
BENCHMARK(BM_curve_memcpy_I420)->Apply(sizes);

// ---- qrxcc --------------------------------------------------------------------------
static void BM_curve_RGBToYCbCr_8u_C3R(benchmark::State& st) {
    curve(st, bytes_c3, bytes_c3, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        qrxiRGBToYCbCr_8u_C3R(s, w * 3, d, w * 3, {w, h});
    });
}
static void BM_curve_RGBToYCbCr_8u_AC4R(benchmark::State& st) {
    curve(st, bytes_c4, bytes_c4, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        qrxiRGBToYCbCr_8u_AC4R(s, w * 4, d, w * 4, {w, h});
    });
}
static void BM_curve_RGBToYCbCr420_8u_C3P3R(benchmark::State& st) {
    curve(st, bytes_c3, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        qrxiRGBToYCbCr420_8u_C3P3R(s, w * 3, p.p, p.s, {w, h});
    });
}
static void BM_curve_YCbCr420ToRGB_8u_P3C3R(benchmark::State& st) {
    curve(st, bytes_420, bytes_c3, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(const_cast<std::uint8_t*>(s), w, h, w / 2, h / 2);
        const Qrx8u* const src[3] = {p.p[0], p.p[1], p.p[2]};
        qrxiYCbCr420ToRGB_8u_P3C3R(src, p.s, d, w * 3, {w, h});
    });
}
// 4:2:0 with interleaved chroma (Y plane, then w x h/2 bytes of CbCr pairs) to three planes.
static void BM_curve_YCbCr420_8u_P2P3R(benchmark::State& st) {
    curve(st, bytes_420, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        qrxiYCbCr420_8u_P2P3R(s, w, s + static_cast<std::ptrdiff_t>(w) * h, w, p.p, p.s, {w, h});
    });
}
static void BM_curve_YCbCr422ToYCbCr420_8u_C2P3R(benchmark::State& st) {
    curve(st, bytes_c2, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        qrxiYCbCr422ToYCbCr420_8u_C2P3R(s, w * 2, p.p, p.s, {w, h});
    });
}
static void BM_curve_YCbCr422ToBGR_8u_C2C4R(benchmark::State& st) {
    curve(st, bytes_c2, bytes_c4, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        qrxiYCbCr422ToBGR_8u_C2C4R(s, w * 2, d, w * 4, {w, h}, 255);
    });
}
static void BM_curve_RGBToYUV420_8u_C3P3R(benchmark::State& st) {
    curve(st, bytes_c3, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        qrxiRGBToYUV420_8u_C3P3R(s, w * 3, p.p, p.s, {w, h});
    });
}
static void BM_curve_BGRToYCbCr420_8u_AC4P3R(benchmark::State& st) {
    curve(st, bytes_c4, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        qrxiBGRToYCbCr420_8u_AC4P3R(s, w * 4, p.p, p.s, {w, h});
    });
}
static void BM_curve_YCbCrToRGB_8u_AC4R(benchmark::State& st) {
    curve(st, bytes_c4, bytes_c4, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        qrxiYCbCrToRGB_8u_AC4R(s, w * 4, d, w * 4, {w, h});
    });
}
static void BM_curve_RGBToGray_8u_C3C1R(benchmark::State& st) {
    curve(st, bytes_c3, bytes_c1, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        qrxiRGBToGray_8u_C3C1R(s, w * 3, d, w, {w, h});
    });
}
static void BM_curve_RGBToHSV_8u_C3R(benchmark::State& st) {
    curve(st, bytes_c3, bytes_c3, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        qrxiRGBToHSV_8u_C3R(s, w * 3, d, w * 3, {w, h});
    });
}
BENCHMARK(BM_curve_RGBToYCbCr_8u_C3R)->Apply(sizes);
BENCHMARK(BM_curve_RGBToYCbCr_8u_AC4R)->Apply(sizes);
BENCHMARK(BM_curve_RGBToYCbCr420_8u_C3P3R)->Apply(sizes);
BENCHMARK(BM_curve_YCbCr420ToRGB_8u_P3C3R)->Apply(sizes);
BENCHMARK(BM_curve_YCbCr422ToYCbCr420_8u_C2P3R)->Apply(sizes);
BENCHMARK(BM_curve_YCbCr420_8u_P2P3R)->Apply(sizes);
BENCHMARK(BM_curve_YCbCr422ToBGR_8u_C2C4R)->Apply(sizes);
BENCHMARK(BM_curve_RGBToYUV420_8u_C3P3R)->Apply(sizes);
BENCHMARK(BM_curve_BGRToYCbCr420_8u_AC4P3R)->Apply(sizes);
BENCHMARK(BM_curve_YCbCrToRGB_8u_AC4R)->Apply(sizes);
BENCHMARK(BM_curve_RGBToGray_8u_C3C1R)->Apply(sizes);
BENCHMARK(BM_curve_RGBToHSV_8u_C3R)->Apply(sizes);

// ---- peers ----------------------------------------------------------------------------
#ifdef QRX_BENCH_LIBYUV
static void BM_curve_libyuv_ARGBToI444(benchmark::State& st) {
    curve(st, bytes_c4, bytes_c3, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w, h);
        libyuv::ARGBToI444(s, w * 4, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], w, h);
    });
}
static void BM_curve_libyuv_RAWToI420(benchmark::State& st) {
    curve(st, bytes_c3, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        libyuv::RAWToI420(s, w * 3, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], w, h);
    });
}
static void BM_curve_libyuv_I420ToRAW(benchmark::State& st) {
    curve(st, bytes_420, bytes_c3, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(const_cast<std::uint8_t*>(s), w, h, w / 2, h / 2);
        libyuv::I420ToRAW(p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], d, w * 3, w, h);
    });
}
static void BM_curve_libyuv_YUY2ToI420(benchmark::State& st) {
    curve(st, bytes_c2, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        libyuv::YUY2ToI420(s, w * 2, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], w, h);
    });
}
static void BM_curve_libyuv_NV12ToI420(benchmark::State& st) {
    curve(st, bytes_420, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        libyuv::NV12ToI420(s, w, s + static_cast<std::ptrdiff_t>(w) * h, w, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2],
                           p.s[2], w, h);
    });
}
static void BM_curve_libyuv_YUY2ToARGB(benchmark::State& st) {
    curve(st, bytes_c2, bytes_c4, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        libyuv::YUY2ToARGB(s, w * 2, d, w * 4, w, h);
    });
}
static void BM_curve_libyuv_ARGBToI420(benchmark::State& st) {
    curve(st, bytes_c4, bytes_420, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(d, w, h, w / 2, h / 2);
        libyuv::ARGBToI420(s, w * 4, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], w, h);
    });
}
// the 4:4:4 source as one buffer: Y, U and V planes side by side
static void BM_curve_libyuv_I444ToARGB(benchmark::State& st) {
    curve(st, bytes_c4, bytes_c4, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        Planes p(const_cast<std::uint8_t*>(s), w, h, w, h);
        libyuv::I444ToARGB(p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], d, w * 4, w, h);
    });
}
static void BM_curve_libyuv_RAWToJ400(benchmark::State& st) {
    curve(st, bytes_c3, bytes_c1, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        libyuv::RGB24ToJ400(s, w * 3, d, w, w, h);
    });
}
BENCHMARK(BM_curve_libyuv_ARGBToI444)->Apply(sizes);
BENCHMARK(BM_curve_libyuv_RAWToI420)->Apply(sizes);
BENCHMARK(BM_curve_libyuv_I420ToRAW)->Apply(sizes);
BENCHMARK(BM_curve_libyuv_YUY2ToI420)->Apply(sizes);
BENCHMARK(BM_curve_libyuv_NV12ToI420)->Apply(sizes);
BENCHMARK(BM_curve_libyuv_YUY2ToARGB)->Apply(sizes);
BENCHMARK(BM_curve_libyuv_ARGBToI420)->Apply(sizes);
BENCHMARK(BM_curve_libyuv_I444ToARGB)->Apply(sizes);
BENCHMARK(BM_curve_libyuv_RAWToJ400)->Apply(sizes);
#endif

#ifdef QRX_BENCH_OPENCV
template <int Code>
void cv_curve(benchmark::State& st) {
    cv::setNumThreads(1);
    curve(st, bytes_c3, bytes_c3, [](const std::uint8_t* s, std::uint8_t* d, int w, int h) {
        cv::Mat src(h, w, CV_8UC3, const_cast<std::uint8_t*>(s)), dst(h, w, CV_8UC3, d);
        cv::cvtColor(src, dst, Code);
    });
    cv::setNumThreads(-1);
}
BENCHMARK_TEMPLATE(cv_curve, cv::COLOR_RGB2YCrCb)->Name("BM_curve_opencv_RGB2YCrCb")->Apply(sizes);
BENCHMARK_TEMPLATE(cv_curve, cv::COLOR_RGB2HSV)->Name("BM_curve_opencv_RGB2HSV")->Apply(sizes);
#endif
