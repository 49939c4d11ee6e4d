// RGB <-> YUV at 1920x1080, single thread, beside memcpy of the source image
// and libyuv's nearest work (RGB24ToI420, I420ToRGB24, I422ToRGB24,
// I420ToRGB565) where available.
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_LIBYUV
#include <libyuv.h>
#endif

using namespace qrxbench;

namespace {

constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;
constexpr int kCW = kW / 2;
constexpr std::int64_t kC420 = static_cast<std::int64_t>(kCW) * (kH / 2);
constexpr std::int64_t kC422 = static_cast<std::int64_t>(kCW) * kH;

struct Yuv {
    std::vector<Qrx8u> y, u, v;
    explicit Yuv(std::int64_t chroma) : y(random_bytes(kPix, 2)), u(random_bytes(chroma, 3)), v(random_bytes(chroma, 4)) {}
    const Qrx8u* src[3] = {nullptr, nullptr, nullptr};
    const Qrx8u* const* in() {
        src[0] = y.data();
        src[1] = u.data();
        src[2] = v.data();
        return src;
    }
    Qrx8u* dst[3] = {nullptr, nullptr, nullptr};
    Qrx8u* const* out() {
        dst[0] = y.data();
        dst[1] = u.data();
        dst[2] = v.data();
        return dst;
    }
};
const int kSteps[3] = {kW, kCW, kCW};

template <class Fn>
void run(benchmark::State& state, std::int64_t bytes, Fn fn) {
    for (auto _ : state) {
        fn();
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, bytes);
}

}  // namespace

// ---- 4:4:4
static void BM_RGBToYUV_8u_C3R(benchmark::State& st) {
    auto s = random_bytes(kPix * 3);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 6, [&] { qrxiRGBToYUV_8u_C3R(s.data(), kW * 3, d.data(), kW * 3, {kW, kH}); });
}
static void BM_YUVToRGB_8u_C3R(benchmark::State& st) {
    auto s = random_bytes(kPix * 3);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 6, [&] { qrxiYUVToRGB_8u_C3R(s.data(), kW * 3, d.data(), kW * 3, {kW, kH}); });
}

// ---- 4:2:0 and 4:2:2 with C3
static void BM_RGBToYUV420_8u_C3P3R(benchmark::State& st) {
    auto s = random_bytes(kPix * 3);
    Yuv d(kC420);
    run(st, kPix * 3 + kPix + 2 * kC420,
        [&] { qrxiRGBToYUV420_8u_C3P3R(s.data(), kW * 3, d.out(), kSteps, {kW, kH}); });
}
static void BM_YUV420ToRGB_8u_P3C3R(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 3 + kPix + 2 * kC420, [&] { qrxiYUV420ToRGB_8u_P3C3R(s.in(), kSteps, d.data(), kW * 3, {kW, kH}); });
}
static void BM_YUV422ToRGB_8u_P3C3R(benchmark::State& st) {
    Yuv s(kC422);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 3 + kPix + 2 * kC422, [&] { qrxiYUV422ToRGB_8u_P3C3R(s.in(), kSteps, d.data(), kW * 3, {kW, kH}); });
}
static void BM_RGBToYUV422_8u_C3C2R(benchmark::State& st) {
    auto s = random_bytes(kPix * 3);
    std::vector<Qrx8u> d(kPix * 2);
    run(st, kPix * 5, [&] { qrxiRGBToYUV422_8u_C3C2R(s.data(), kW * 3, d.data(), kW * 2, {kW, kH}); });
}
static void BM_YUV422ToRGB_8u_C2C3R(benchmark::State& st) {
    auto s = random_bytes(kPix * 2);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 5, [&] { qrxiYUV422ToRGB_8u_C2C3R(s.data(), kW * 2, d.data(), kW * 3, {kW, kH}); });
}
static void BM_YUV420ToRGB565_8u16u_P3C3R(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx16u> d(kPix);
    run(st, kPix * 2 + kPix + 2 * kC420,
        [&] { qrxiYUV420ToRGB565_8u16u_P3C3R(s.in(), kSteps, d.data(), kW * 2, {kW, kH}); });
}
static void BM_YUV420ToRGB565Dither_8u16u_P3C3R(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx16u> d(kPix);
    run(st, kPix * 2 + kPix + 2 * kC420,
        [&] { qrxiYUV420ToRGB565Dither_8u16u_P3C3R(s.in(), kSteps, d.data(), kW * 2, {kW, kH}); });
}

static void BM_BGR565ToYUV420_16u8u_C3P3R(benchmark::State& st) {
    auto s = random_bytes(kPix * 2);
    Yuv d(kC420);
    run(st, kPix * 2 + kPix + 2 * kC420, [&] {
        qrxiBGR565ToYUV420_16u8u_C3P3R(reinterpret_cast<const Qrx16u*>(s.data()), kW * 2, d.out(), kSteps, {kW, kH});
    });
}
static void BM_RGBToYUV_8u_AC4R(benchmark::State& st) {
    auto s = random_bytes(kPix * 4);
    std::vector<Qrx8u> d(kPix * 4);
    run(st, kPix * 8, [&] { qrxiRGBToYUV_8u_AC4R(s.data(), kW * 4, d.data(), kW * 4, {kW, kH}); });
}
static void BM_YUVToRGB_8u_AC4R(benchmark::State& st) {
    auto s = random_bytes(kPix * 4);
    std::vector<Qrx8u> d(kPix * 4);
    run(st, kPix * 8, [&] { qrxiYUVToRGB_8u_AC4R(s.data(), kW * 4, d.data(), kW * 4, {kW, kH}); });
}
static void BM_YUV420ToRGB_8u_P3AC4R(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx8u> d(kPix * 4);
    run(st, kPix * 4 + kPix + 2 * kC420, [&] { qrxiYUV420ToRGB_8u_P3AC4R(s.in(), kSteps, d.data(), kW * 4, {kW, kH}); });
}
// 4:4:4 planes: three full planes in, three (or one pixel-order image) out.
static void BM_RGBToYUV_8u_P3R(benchmark::State& st) {
    Yuv s(kPix), d(kPix);
    run(st, kPix * 6, [&] { qrxiRGBToYUV_8u_P3R(s.in(), kW, d.out(), kW, {kW, kH}); });
}
static void BM_YUVToRGB_8u_P3R(benchmark::State& st) {
    Yuv s(kPix), d(kPix);
    run(st, kPix * 6, [&] { qrxiYUVToRGB_8u_P3R(s.in(), kW, d.out(), kW, {kW, kH}); });
}
static void BM_YUVToRGB_8u_P3C3R(benchmark::State& st) {
    Yuv s(kPix);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 6, [&] { qrxiYUVToRGB_8u_P3C3R(s.in(), kW, d.data(), kW * 3, {kW, kH}); });
}
static void BM_RGBToYUV_8u_C3P3R(benchmark::State& st) {
    auto s = random_bytes(kPix * 3);
    Yuv d(kPix);
    run(st, kPix * 6, [&] { qrxiRGBToYUV_8u_C3P3R(s.data(), kW * 3, d.out(), kW, {kW, kH}); });
}
static void BM_RGBToYUV420_8u_P3R(benchmark::State& st) {
    Yuv s(kPix), d(kC420);
    run(st, kPix * 4 + 2 * kC420, [&] { qrxiRGBToYUV420_8u_P3R(s.in(), kW, d.out(), kSteps, {kW, kH}); });
}
static void BM_YUV420ToRGB_8u_P3R(benchmark::State& st) {
    Yuv s(kC420), d(kPix);
    run(st, kPix * 4 + 2 * kC420, [&] { qrxiYUV420ToRGB_8u_P3R(s.in(), kSteps, d.out(), kW, {kW, kH}); });
}
static void BM_YUV420ToBGR_8u_P3C3R(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 4 + 2 * kC420, [&] { qrxiYUV420ToBGR_8u_P3C3R(s.in(), kSteps, d.data(), kW * 3, {kW, kH}); });
}

QRX_BENCH_MEMCPY(C3_image, kPix * 3);
BENCHMARK(BM_RGBToYUV_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUVToRGB_8u_C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RGBToYUV420_8u_C3P3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUV420ToRGB_8u_P3C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUV422ToRGB_8u_P3C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RGBToYUV422_8u_C3C2R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUV422ToRGB_8u_C2C3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(RGB16_image, kPix * 2);
BENCHMARK(BM_YUV420ToRGB565_8u16u_P3C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUV420ToRGB565Dither_8u16u_P3C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BGR565ToYUV420_16u8u_C3P3R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(AC4_image, kPix * 4);
BENCHMARK(BM_RGBToYUV_8u_AC4R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUVToRGB_8u_AC4R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUV420ToRGB_8u_P3AC4R)->Unit(benchmark::kMicrosecond);
QRX_BENCH_MEMCPY(planes_image, kPix * 3);
BENCHMARK(BM_RGBToYUV_8u_P3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUVToRGB_8u_P3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUVToRGB_8u_P3C3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RGBToYUV_8u_C3P3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RGBToYUV420_8u_P3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUV420ToRGB_8u_P3R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YUV420ToBGR_8u_P3C3R)->Unit(benchmark::kMicrosecond);

#ifdef QRX_BENCH_LIBYUV
static void BM_libyuv_RGB24ToI420(benchmark::State& st) {
    auto s = random_bytes(kPix * 3);
    Yuv d(kC420);
    run(st, kPix * 3 + kPix + 2 * kC420, [&] {
        libyuv::RGB24ToI420(s.data(), kW * 3, d.y.data(), kW, d.u.data(), kCW, d.v.data(), kCW, kW, kH);
    });
}
static void BM_libyuv_I420ToRGB24(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 3 + kPix + 2 * kC420, [&] {
        libyuv::I420ToRGB24(s.y.data(), kW, s.u.data(), kCW, s.v.data(), kCW, d.data(), kW * 3, kW, kH);
    });
}
static void BM_libyuv_I422ToRGB24(benchmark::State& st) {
    Yuv s(kC422);
    std::vector<Qrx8u> d(kPix * 3);
    run(st, kPix * 3 + kPix + 2 * kC422, [&] {
        libyuv::I422ToRGB24(s.y.data(), kW, s.u.data(), kCW, s.v.data(), kCW, d.data(), kW * 3, kW, kH);
    });
}
static void BM_libyuv_I420ToRGB565(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx8u> d(kPix * 2);
    run(st, kPix * 2 + kPix + 2 * kC420, [&] {
        libyuv::I420ToRGB565(s.y.data(), kW, s.u.data(), kCW, s.v.data(), kCW, d.data(), kW * 2, kW, kH);
    });
}
static void BM_libyuv_RGB565ToI420(benchmark::State& st) {
    auto s = random_bytes(kPix * 2);
    Yuv d(kC420);
    run(st, kPix * 2 + kPix + 2 * kC420, [&] {
        libyuv::RGB565ToI420(s.data(), kW * 2, d.y.data(), kW, d.u.data(), kCW, d.v.data(), kCW, kW, kH);
    });
}
static void BM_libyuv_I420ToARGB(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx8u> d(kPix * 4);
    run(st, kPix * 4 + kPix + 2 * kC420, [&] {
        libyuv::I420ToARGB(s.y.data(), kW, s.u.data(), kCW, s.v.data(), kCW, d.data(), kW * 4, kW, kH);
    });
}
BENCHMARK(BM_libyuv_RGB565ToI420)->Unit(benchmark::kMicrosecond);
// The 4:2:0 conversions that do exactly their peer's memory work, on the same
// images, timed block by block (bench_support.h).
static void BM_pair_RGBToYUV420_8u_C3P3R(benchmark::State& st) {
    auto s = random_bytes(kPix * 3);
    Yuv d(kC420);
    paired_case(st, [&] { qrxiRGBToYUV420_8u_C3P3R(s.data(), kW * 3, d.out(), kSteps, {kW, kH}); },
                [&] { libyuv::RAWToI420(s.data(), kW * 3, d.y.data(), kW, d.u.data(), kCW, d.v.data(), kCW, kW, kH); });
}
BENCHMARK(BM_pair_RGBToYUV420_8u_C3P3R)->Unit(benchmark::kMicrosecond);
static void BM_pair_BGR565ToYUV420_16u8u_C3P3R(benchmark::State& st) {
    auto s = random_bytes(kPix * 2);
    Yuv d(kC420);
    paired_case(
        st,
        [&] { qrxiBGR565ToYUV420_16u8u_C3P3R(reinterpret_cast<const Qrx16u*>(s.data()), kW * 2, d.out(), kSteps, {kW, kH}); },
        [&] { libyuv::RGB565ToI420(s.data(), kW * 2, d.y.data(), kW, d.u.data(), kCW, d.v.data(), kCW, kW, kH); });
}
BENCHMARK(BM_pair_BGR565ToYUV420_16u8u_C3P3R)->Unit(benchmark::kMicrosecond);
static void BM_pair_YUV420ToRGB_8u_P3AC4R(benchmark::State& st) {
    Yuv s(kC420);
    std::vector<Qrx8u> d(kPix * 4);
    paired_case(st, [&] { qrxiYUV420ToRGB_8u_P3AC4R(s.in(), kSteps, d.data(), kW * 4, {kW, kH}); },
                [&] { libyuv::I420ToARGB(s.y.data(), kW, s.u.data(), kCW, s.v.data(), kCW, d.data(), kW * 4, kW, kH); });
}
BENCHMARK(BM_pair_YUV420ToRGB_8u_P3AC4R)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I420ToARGB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_RGB24ToI420)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I420ToRGB24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I422ToRGB24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_libyuv_I420ToRGB565)->Unit(benchmark::kMicrosecond);
#endif
