// YCbCr to 16-bit packed RGB at 1920x1080, single thread, beside memcpy of the
// 4:2:0 source and libyuv's I420ToRGB565 / ARGB1555 / ARGB4444 / RGB565Dither.
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_LIBYUV
#include <libyuv.h>
#endif

using namespace qrxbench;

namespace {

constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;
constexpr int kCW = kW / 2, kCH = kH / 2;
constexpr std::int64_t k420Bytes = kPix + 2 * static_cast<std::int64_t>(kCW) * kCH;

using PAFn = QrxStatus (*)(const Qrx8u* const[3], const int[3], Qrx16u*, int, QrxSize);
using P1Fn = QrxStatus (*)(const Qrx8u* const[3], int, Qrx16u*, int, QrxSize);
using C1Fn = QrxStatus (*)(const Qrx8u*, int, Qrx16u*, int, QrxSize);

// Random Y, Cb, Cr planes of a kW x kH image with cw x ch chroma planes, with
// the plane pointers and steps the P3 members take.
struct RandomPlanes {
    std::vector<Qrx8u> y, cb, cr;
    const Qrx8u* s[3];
    int steps[3];
    RandomPlanes(int cw, int ch)
        : y(random_bytes(static_cast<std::size_t>(kPix), 1)),
          cb(random_bytes(static_cast<std::size_t>(cw) * ch, 2)),
          cr(random_bytes(static_cast<std::size_t>(cw) * ch, 3)),
          s{y.data(), cb.data(), cr.data()},
          steps{kW, cw, cw} {}
};

// 4:2:0 (chroma rows h/2) or 4:2:2 / 4:1:1 (chroma width w / cdiv, all rows) planes.
template <PAFn Fn>
void subsampled_case(benchmark::State& state, int cdiv, int crow_div) {
    const int cw = kW / cdiv, ch = kH / crow_div;
    const RandomPlanes p(cw, ch);
    std::vector<Qrx16u> dst(static_cast<std::size_t>(kPix));
    for (auto _ : state) {
        Fn(p.s, p.steps, dst.data(), kW * 2, {kW, kH});
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix + 2 * static_cast<std::int64_t>(cw) * ch + kPix * 2);
}

template <P1Fn Fn>
void planar444_case(benchmark::State& state) {
    auto src = random_bytes(static_cast<std::size_t>(kPix) * 3);
    std::vector<Qrx16u> dst(static_cast<std::size_t>(kPix));
    const Qrx8u* s[3] = {src.data(), src.data() + kPix, src.data() + 2 * kPix};
    for (auto _ : state) {
        Fn(s, kW, dst.data(), kW * 2, {kW, kH});
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * 5);
}

// Pixel-order sources; `pad` bytes of row padding keep the row-by-row path.
template <C1Fn Fn>
void pixel_case(benchmark::State& state, int bytes_per_pixel, int pad) {
    const int step = kW * bytes_per_pixel + pad;
    auto src = random_bytes(static_cast<std::size_t>(step) * kH);
    std::vector<Qrx16u> dst(static_cast<std::size_t>(kPix));
    for (auto _ : state) {
        Fn(src.data(), step, dst.data(), kW * 2, {kW, kH});
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, kPix * (bytes_per_pixel + 2));
}

}  // namespace

#define QRX_RGB16_420(name) \
    static void BM_##name(benchmark::State& st) { subsampled_case<qrxi##name##_8u16u_P3C3R>(st, 2, 2); } \
    BENCHMARK(BM_##name)->Unit(benchmark::kMicrosecond)

QRX_BENCH_MEMCPY(rgb16_I420_source, k420Bytes);
QRX_RGB16_420(YCbCr420ToRGB565);
QRX_RGB16_420(YCbCr420ToBGR565);
QRX_RGB16_420(YCbCr420ToRGB565Dither);
QRX_RGB16_420(YCbCr420ToBGR565Dither);
QRX_RGB16_420(YCbCr420ToRGB555);
QRX_RGB16_420(YCbCr420ToRGB555Dither);
QRX_RGB16_420(YCbCr420ToRGB444);
QRX_RGB16_420(YCbCr420ToRGB444Dither);

static void BM_YCbCr422ToRGB565_P3C3R(benchmark::State& st) { subsampled_case<qrxiYCbCr422ToRGB565_8u16u_P3C3R>(st, 2, 1); }
static void BM_YCbCr411ToBGR565_P3C3R(benchmark::State& st) { subsampled_case<qrxiYCbCr411ToBGR565_8u16u_P3C3R>(st, 4, 1); }
static void BM_YCbCrToRGB565_P3C3R(benchmark::State& st) { planar444_case<qrxiYCbCrToRGB565_8u16u_P3C3R>(st); }
static void BM_YCbCrToRGB565_C3R(benchmark::State& st) { pixel_case<qrxiYCbCrToRGB565_8u16u_C3R>(st, 3, 0); }
static void BM_YCbCrToRGB565_C3R_padded(benchmark::State& st) { pixel_case<qrxiYCbCrToRGB565_8u16u_C3R>(st, 3, 8); }
static void BM_YCbCr422ToRGB565_C2C3R(benchmark::State& st) { pixel_case<qrxiYCbCr422ToRGB565_8u16u_C2C3R>(st, 2, 0); }
static void BM_YCbCr422ToRGB565Dither_C2C3R(benchmark::State& st) {
    pixel_case<qrxiYCbCr422ToRGB565Dither_8u16u_C2C3R>(st, 2, 0);
}
BENCHMARK(BM_YCbCr422ToRGB565_P3C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCr411ToBGR565_P3C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCrToRGB565_P3C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(rgb16_YCbCr422_packed_source, kPix * 2);
BENCHMARK(BM_YCbCr422ToRGB565_C2C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCr422ToRGB565Dither_C2C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(rgb16_C3_source, kPix * 3);
BENCHMARK(BM_YCbCrToRGB565_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YCbCrToRGB565_C3R_padded)->Unit(benchmark::kMicrosecond);

#ifdef QRX_BENCH_LIBYUV
namespace {
template <class Fn>
void libyuv_420_case(benchmark::State& state, Fn fn) {
    auto y = random_bytes(static_cast<std::size_t>(kPix), 1);
    auto u = random_bytes(static_cast<std::size_t>(kCW) * kCH, 2);
    auto v = random_bytes(static_cast<std::size_t>(kCW) * kCH, 3);
    std::vector<Qrx8u> dst(static_cast<std::size_t>(kPix) * 2);
    for (auto _ : state) {
        fn(y.data(), u.data(), v.data(), dst.data());
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, k420Bytes + kPix * 2);
}
}  // namespace
static void BM_libyuv_I420ToRGB565(benchmark::State& st) {
    libyuv_420_case(st, [](const Qrx8u* y, const Qrx8u* u, const Qrx8u* v, Qrx8u* d) {
        libyuv::I420ToRGB565(y, kW, u, kCW, v, kCW, d, kW * 2, kW, kH);
    });
}
static void BM_libyuv_I420ToRGB565Dither(benchmark::State& st) {
    libyuv_420_case(st, [](const Qrx8u* y, const Qrx8u* u, const Qrx8u* v, Qrx8u* d) {
        static const Qrx8u kDither[16] = {0, 4, 1, 5, 6, 2, 7, 3, 1, 5, 0, 4, 7, 3, 6, 2};
        libyuv::I420ToRGB565Dither(y, kW, u, kCW, v, kCW, d, kW * 2, kDither, kW, kH);
    });
}
static void BM_libyuv_I420ToARGB1555(benchmark::State& st) {
    libyuv_420_case(st, [](const Qrx8u* y, const Qrx8u* u, const Qrx8u* v, Qrx8u* d) {
        libyuv::I420ToARGB1555(y, kW, u, kCW, v, kCW, d, kW * 2, kW, kH);
    });
}
static void BM_libyuv_I420ToARGB4444(benchmark::State& st) {
    libyuv_420_case(st, [](const Qrx8u* y, const Qrx8u* u, const Qrx8u* v, Qrx8u* d) {
        libyuv::I420ToARGB4444(y, kW, u, kCW, v, kCW, d, kW * 2, kW, kH);
    });
}
BENCHMARK(BM_libyuv_I420ToRGB565)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I420ToRGB565Dither)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I420ToARGB1555)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I420ToARGB4444)->Unit(benchmark::kMicrosecond);

// The dithered 4:2:0 conversions do exactly the peer's memory work: timed
// beside it on the same planes, block by block (bench_support.h).
template <PAFn Fn>
void dither_pair(benchmark::State& state) {
    const RandomPlanes p(kCW, kCH);
    std::vector<Qrx16u> dst(static_cast<std::size_t>(kPix));
    static const Qrx8u kDither[16] = {0, 4, 1, 5, 6, 2, 7, 3, 1, 5, 0, 4, 7, 3, 6, 2};
    paired_case(state, [&] { Fn(p.s, p.steps, dst.data(), kW * 2, {kW, kH}); }, [&] {
        libyuv::I420ToRGB565Dither(p.y.data(), kW, p.cb.data(), kCW, p.cr.data(), kCW,
                                   reinterpret_cast<Qrx8u*>(dst.data()), kW * 2, kDither, kW, kH);
    });
}
static void BM_pair_YCbCr420ToRGB565Dither(benchmark::State& st) { dither_pair<qrxiYCbCr420ToRGB565Dither_8u16u_P3C3R>(st); }
static void BM_pair_YCbCr420ToBGR565Dither(benchmark::State& st) { dither_pair<qrxiYCbCr420ToBGR565Dither_8u16u_P3C3R>(st); }
static void BM_pair_YUV420ToRGB565Dither_8u16u_P3C3R(benchmark::State& st) { dither_pair<qrxiYUV420ToRGB565Dither_8u16u_P3C3R>(st); }
BENCHMARK(BM_pair_YCbCr420ToRGB565Dither)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_pair_YCbCr420ToBGR565Dither)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_pair_YUV420ToRGB565Dither_8u16u_P3C3R)->Unit(benchmark::kMicrosecond);
#endif
