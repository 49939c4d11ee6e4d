// RGB <-> YCbCr 4:2:2, 4:2:0, 4:1:1 and 16-bit packed BGR -> YCbCr at 1920x1080,
// single thread, beside memcpy of the source image and the libyuv functions of
// the same shape of work where available.
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_LIBYUV
#include <libyuv.h>
#endif

using namespace qrxbench;

namespace {

constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;
constexpr int kCw2 = kW / 2, kCh2 = kH / 2, kCw4 = kW / 4;

// A source of `src_bytes` random bytes and a destination of `dst_bytes`; fn(src, dst).
template <class Fn>
void run_case(benchmark::State& state, std::int64_t src_bytes, std::int64_t dst_bytes, Fn fn) {
    auto src = random_bytes(static_cast<std::size_t>(src_bytes));
    std::vector<std::uint8_t> dst(static_cast<std::size_t>(dst_bytes));
    for (auto _ : state) {
        fn(src.data(), dst.data());
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, src_bytes + dst_bytes);
}

// Planar 4:2:x destination carved out of one buffer.
struct P3 {
    Qrx8u* p[3];
    int s[3];
    P3(Qrx8u* d, int cw, int ch) : p{d, d + kPix, d + kPix + static_cast<std::ptrdiff_t>(cw) * ch}, s{kW, cw, cw} {}
};
struct CP3 {
    const Qrx8u* p[3];
    int s[3];
    CP3(const Qrx8u* d, int cw, int ch) : p{d, d + kPix, d + kPix + static_cast<std::ptrdiff_t>(cw) * ch}, s{kW, cw, cw} {}
};

constexpr std::int64_t k420 = kPix + 2LL * kCw2 * kCh2;
constexpr std::int64_t k422p = kPix + 2LL * kCw2 * kH;
constexpr std::int64_t k411 = kPix + 2LL * kCw4 * kH;

}  // namespace

#define QRX_CASE(name, src_bytes, dst_bytes, ...)                                                     \
    static void BM_##name(benchmark::State& st) {                                                    \
        run_case(st, src_bytes, dst_bytes, [](const Qrx8u* s, Qrx8u* d) { __VA_ARGS__; });                  \
    }                                                                                                \
    BENCHMARK(BM_##name)->Unit(benchmark::kMicrosecond)

// A conversion that does exactly its peer's memory work, timed beside it block by block.
#define QRX_PAIR(name, peer, src_bytes, dst_bytes, ours_call, peer_call)                              \
    static void BM_pair_##name(benchmark::State& st) {                                               \
        paired_on_buffers(                                                                           \
            st, src_bytes, dst_bytes, [](const Qrx8u* s, Qrx8u* d) { ours_call; },                   \
            [](const Qrx8u* s, Qrx8u* d) { peer_call; });                                            \
    }                                                                                                \
    BENCHMARK(BM_pair_##name)->Unit(benchmark::kMicrosecond)

// ---- 4:2:0 -------------------------------------------------------------------------
QRX_BENCH_MEMCPY(C3_image_420, kPix * 3);
QRX_CASE(BGRToYCbCr420_8u_C3P3R, kPix * 3, k420, P3 p(d, kCw2, kCh2);
         qrxiBGRToYCbCr420_8u_C3P3R(s, kW * 3, p.p, p.s, {kW, kH}));
QRX_CASE(BGRToYCrCb420_8u_C3P3R, kPix * 3, k420, P3 p(d, kCw2, kCh2);
         qrxiBGRToYCrCb420_8u_C3P3R(s, kW * 3, p.p, p.s, {kW, kH}));
QRX_CASE(RGBToYCbCr420_8u_C3P3R, kPix * 3, k420, P3 p(d, kCw2, kCh2);
         qrxiRGBToYCbCr420_8u_C3P3R(s, kW * 3, p.p, p.s, {kW, kH}));
#ifdef QRX_BENCH_LIBYUV
QRX_CASE(libyuv_RGB24ToI420, kPix * 3, k420, P3 p(d, kCw2, kCh2);
         libyuv::RGB24ToI420(s, kW * 3, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], kW, kH));
QRX_CASE(libyuv_RAWToI420, kPix * 3, k420, P3 p(d, kCw2, kCh2);
         libyuv::RAWToI420(s, kW * 3, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], kW, kH));
QRX_PAIR(RGBToYCbCr420_8u_C3P3R, libyuv_RAWToI420, kPix * 3, k420, P3 p(d, kCw2, kCh2);
         qrxiRGBToYCbCr420_8u_C3P3R(s, kW * 3, p.p, p.s, {kW, kH}), P3 p(d, kCw2, kCh2);
         libyuv::RAWToI420(s, kW * 3, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], kW, kH));
#endif
QRX_BENCH_MEMCPY(AC4_image_420, kPix * 4);
QRX_CASE(BGRToYCbCr420_8u_AC4P3R, kPix * 4, k420, P3 p(d, kCw2, kCh2);
         qrxiBGRToYCbCr420_8u_AC4P3R(s, kW * 4, p.p, p.s, {kW, kH}));
QRX_CASE(BGRToYCrCb420_8u_AC4P3R, kPix * 4, k420, P3 p(d, kCw2, kCh2);
         qrxiBGRToYCrCb420_8u_AC4P3R(s, kW * 4, p.p, p.s, {kW, kH}));
#ifdef QRX_BENCH_LIBYUV
QRX_CASE(libyuv_ARGBToI420, kPix * 4, k420, P3 p(d, kCw2, kCh2);
         libyuv::ARGBToI420(s, kW * 4, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], kW, kH));
QRX_PAIR(BGRToYCbCr420_8u_AC4P3R, libyuv_ARGBToI420, kPix * 4, k420, P3 p(d, kCw2, kCh2);
         qrxiBGRToYCbCr420_8u_AC4P3R(s, kW * 4, p.p, p.s, {kW, kH}), P3 p(d, kCw2, kCh2);
         libyuv::ARGBToI420(s, kW * 4, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], kW, kH));
QRX_PAIR(BGRToYCrCb420_8u_AC4P3R, libyuv_ARGBToI420, kPix * 4, k420, P3 p(d, kCw2, kCh2);
         qrxiBGRToYCrCb420_8u_AC4P3R(s, kW * 4, p.p, p.s, {kW, kH}), P3 p(d, kCw2, kCh2);
         libyuv::ARGBToI420(s, kW * 4, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], kW, kH));
#endif
QRX_BENCH_MEMCPY(I420_image, k420);
QRX_CASE(YCbCr420ToRGB_8u_P3C3R, k420, kPix * 3, CP3 p(s, kCw2, kCh2);
         qrxiYCbCr420ToRGB_8u_P3C3R(p.p, p.s, d, kW * 3, {kW, kH}));
QRX_CASE(YCbCr420ToBGR_8u_P3C3R, k420, kPix * 3, CP3 p(s, kCw2, kCh2);
         qrxiYCbCr420ToBGR_8u_P3C3R(p.p, p.s, d, kW * 3, {kW, kH}));
#ifdef QRX_BENCH_LIBYUV
QRX_CASE(libyuv_I420ToRGB24, k420, kPix * 3, CP3 p(s, kCw2, kCh2);
         libyuv::I420ToRGB24(p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], d, kW * 3, kW, kH));
QRX_CASE(libyuv_I420ToRAW, k420, kPix * 3, CP3 p(s, kCw2, kCh2);
         libyuv::I420ToRAW(p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], d, kW * 3, kW, kH));
#endif

// ---- packed 4:2:2 --------------------------------------------------------------------
QRX_BENCH_MEMCPY(AC4_image_422, kPix * 4);
QRX_CASE(BGRToYCbCr422_8u_AC4C2R, kPix * 4, kPix * 2, qrxiBGRToYCbCr422_8u_AC4C2R(s, kW * 4, d, kW * 2, {kW, kH}));
QRX_CASE(BGRToCbYCr422_8u_AC4C2R, kPix * 4, kPix * 2, qrxiBGRToCbYCr422_8u_AC4C2R(s, kW * 4, d, kW * 2, {kW, kH}));
#ifdef QRX_BENCH_LIBYUV
QRX_CASE(libyuv_ARGBToYUY2, kPix * 4, kPix * 2, libyuv::ARGBToYUY2(s, kW * 4, d, kW * 2, kW, kH));
QRX_CASE(libyuv_ARGBToUYVY, kPix * 4, kPix * 2, libyuv::ARGBToUYVY(s, kW * 4, d, kW * 2, kW, kH));
QRX_PAIR(BGRToYCbCr422_8u_AC4C2R, libyuv_ARGBToYUY2, kPix * 4, kPix * 2,
         qrxiBGRToYCbCr422_8u_AC4C2R(s, kW * 4, d, kW * 2, {kW, kH}), libyuv::ARGBToYUY2(s, kW * 4, d, kW * 2, kW, kH));
QRX_PAIR(BGRToCbYCr422_8u_AC4C2R, libyuv_ARGBToUYVY, kPix * 4, kPix * 2,
         qrxiBGRToCbYCr422_8u_AC4C2R(s, kW * 4, d, kW * 2, {kW, kH}), libyuv::ARGBToUYVY(s, kW * 4, d, kW * 2, kW, kH));
#endif
QRX_BENCH_MEMCPY(C3_image_422, kPix * 3);
QRX_CASE(RGBToYCbCr422_8u_C3C2R, kPix * 3, kPix * 2, qrxiRGBToYCbCr422_8u_C3C2R(s, kW * 3, d, kW * 2, {kW, kH}));
QRX_CASE(BGRToYCbCr422_8u_C3C2R, kPix * 3, kPix * 2, qrxiBGRToYCbCr422_8u_C3C2R(s, kW * 3, d, kW * 2, {kW, kH}));
QRX_CASE(RGBToCbYCr422_8u_C3C2R, kPix * 3, kPix * 2, qrxiRGBToCbYCr422_8u_C3C2R(s, kW * 3, d, kW * 2, {kW, kH}));
QRX_CASE(RGBToCbYCr422Gamma_8u_C3C2R, kPix * 3, kPix * 2,
         qrxiRGBToCbYCr422Gamma_8u_C3C2R(s, kW * 3, d, kW * 2, {kW, kH}));
QRX_CASE(BGRToYCbCr422_8u_C3P3R, kPix * 3, k422p, P3 p(d, kCw2, kH);
         qrxiBGRToYCbCr422_8u_C3P3R(s, kW * 3, p.p, p.s, {kW, kH}));
QRX_CASE(BGRToYCbCr422_8u_AC4P3R, kPix * 4, k422p, P3 p(d, kCw2, kH);
         qrxiBGRToYCbCr422_8u_AC4P3R(s, kW * 4, p.p, p.s, {kW, kH}));
QRX_CASE(RGBToYCbCr422_8u_P3C2R, kPix * 3, kPix * 2, const Qrx8u* p[3] = {s, s + kPix, s + 2 * kPix};
         qrxiRGBToYCbCr422_8u_P3C2R(p, kW, d, kW * 2, {kW, kH}));
QRX_BENCH_MEMCPY(C2_image_422, kPix * 2);
QRX_CASE(YCbCr422ToBGR_8u_C2C4R, kPix * 2, kPix * 4, qrxiYCbCr422ToBGR_8u_C2C4R(s, kW * 2, d, kW * 4, {kW, kH}, 255));
QRX_CASE(CbYCr422ToBGR_8u_C2C4R, kPix * 2, kPix * 4, qrxiCbYCr422ToBGR_8u_C2C4R(s, kW * 2, d, kW * 4, {kW, kH}, 255));
#ifdef QRX_BENCH_LIBYUV
QRX_CASE(libyuv_YUY2ToARGB, kPix * 2, kPix * 4, libyuv::YUY2ToARGB(s, kW * 2, d, kW * 4, kW, kH));
QRX_CASE(libyuv_UYVYToARGB, kPix * 2, kPix * 4, libyuv::UYVYToARGB(s, kW * 2, d, kW * 4, kW, kH));
QRX_PAIR(YCbCr422ToBGR_8u_C2C4R, libyuv_YUY2ToARGB, kPix * 2, kPix * 4,
         qrxiYCbCr422ToBGR_8u_C2C4R(s, kW * 2, d, kW * 4, {kW, kH}, 255), libyuv::YUY2ToARGB(s, kW * 2, d, kW * 4, kW, kH));
QRX_PAIR(CbYCr422ToBGR_8u_C2C4R, libyuv_UYVYToARGB, kPix * 2, kPix * 4,
         qrxiCbYCr422ToBGR_8u_C2C4R(s, kW * 2, d, kW * 4, {kW, kH}, 255), libyuv::UYVYToARGB(s, kW * 2, d, kW * 4, kW, kH));
#endif
QRX_CASE(YCbCr422ToRGB_8u_C2C3R, kPix * 2, kPix * 3, qrxiYCbCr422ToRGB_8u_C2C3R(s, kW * 2, d, kW * 3, {kW, kH}));
QRX_CASE(YCbCr422ToBGR_8u_C2C3R, kPix * 2, kPix * 3, qrxiYCbCr422ToBGR_8u_C2C3R(s, kW * 2, d, kW * 3, {kW, kH}));
QRX_CASE(CbYCr422ToRGB_8u_C2C3R, kPix * 2, kPix * 3, qrxiCbYCr422ToRGB_8u_C2C3R(s, kW * 2, d, kW * 3, {kW, kH}));
QRX_CASE(YCbCr422ToRGB_8u_C2P3R, kPix * 2, kPix * 3, Qrx8u* p[3] = {d, d + kPix, d + 2 * kPix};
         qrxiYCbCr422ToRGB_8u_C2P3R(s, kW * 2, p, kW, {kW, kH}));
QRX_CASE(YCbCr422ToRGB_8u_P3C3R, k422p, kPix * 3, CP3 p(s, kCw2, kH);
         qrxiYCbCr422ToRGB_8u_P3C3R(p.p, p.s, d, kW * 3, {kW, kH}));
#ifdef QRX_BENCH_LIBYUV
QRX_CASE(libyuv_I422ToRGB24, k422p, kPix * 3, CP3 p(s, kCw2, kH);
         libyuv::I422ToRGB24(p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], d, kW * 3, kW, kH));
#endif

// ---- 4:1:1 ------------------------------------------------------------------------------
QRX_CASE(BGRToYCbCr411_8u_C3P3R, kPix * 3, k411, P3 p(d, kCw4, kH);
         qrxiBGRToYCbCr411_8u_C3P3R(s, kW * 3, p.p, p.s, {kW, kH}));
QRX_CASE(BGRToYCbCr411_8u_AC4P3R, kPix * 4, k411, P3 p(d, kCw4, kH);
         qrxiBGRToYCbCr411_8u_AC4P3R(s, kW * 4, p.p, p.s, {kW, kH}));
QRX_CASE(YCbCr411ToBGR_8u_P3C3R, k411, kPix * 3, CP3 p(s, kCw4, kH);
         qrxiYCbCr411ToBGR_8u_P3C3R(p.p, p.s, d, kW * 3, {kW, kH}));
QRX_CASE(YCbCr411ToBGR_8u_P3C4R, k411, kPix * 4, CP3 p(s, kCw4, kH);
         qrxiYCbCr411ToBGR_8u_P3C4R(p.p, p.s, d, kW * 4, {kW, kH}, 255));

// ---- 16-bit packed BGR sources ------------------------------------------------------------
#define QRX_CASE16(name, dst_bytes, ...)                                                          \
    QRX_CASE(name, kPix * 2, dst_bytes, const Qrx16u* w = reinterpret_cast<const Qrx16u*>(s); __VA_ARGS__)
QRX_BENCH_MEMCPY(BGR565_image, kPix * 2);
QRX_CASE16(BGR565ToYCbCr420_16u8u_C3P3R, k420, P3 p(d, kCw2, kCh2);
           qrxiBGR565ToYCbCr420_16u8u_C3P3R(w, kW * 2, p.p, p.s, {kW, kH}));
QRX_CASE16(BGR555ToYCbCr420_16u8u_C3P3R, k420, P3 p(d, kCw2, kCh2);
           qrxiBGR555ToYCbCr420_16u8u_C3P3R(w, kW * 2, p.p, p.s, {kW, kH}));
QRX_CASE16(BGR565ToYCrCb420_16u8u_C3P3R, k420, P3 p(d, kCw2, kCh2);
           qrxiBGR565ToYCrCb420_16u8u_C3P3R(w, kW * 2, p.p, p.s, {kW, kH}));
QRX_CASE16(BGR555ToYCrCb420_16u8u_C3P3R, k420, P3 p(d, kCw2, kCh2);
           qrxiBGR555ToYCrCb420_16u8u_C3P3R(w, kW * 2, p.p, p.s, {kW, kH}));
#ifdef QRX_BENCH_LIBYUV
QRX_CASE(libyuv_RGB565ToI420, kPix * 2, k420, P3 p(d, kCw2, kCh2);
         libyuv::RGB565ToI420(s, kW * 2, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], kW, kH));
QRX_CASE(libyuv_ARGB1555ToI420, kPix * 2, k420, P3 p(d, kCw2, kCh2);
         libyuv::ARGB1555ToI420(s, kW * 2, p.p[0], p.s[0], p.p[1], p.s[1], p.p[2], p.s[2], kW, kH));
#endif
QRX_CASE16(BGR565ToYCbCr422_16u8u_C3C2R, kPix * 2, qrxiBGR565ToYCbCr422_16u8u_C3C2R(w, kW * 2, d, kW * 2, {kW, kH}));
QRX_CASE16(BGR555ToYCbCr422_16u8u_C3C2R, kPix * 2, qrxiBGR555ToYCbCr422_16u8u_C3C2R(w, kW * 2, d, kW * 2, {kW, kH}));
QRX_CASE16(BGR565ToYCbCr422_16u8u_C3P3R, k422p, P3 p(d, kCw2, kH);
           qrxiBGR565ToYCbCr422_16u8u_C3P3R(w, kW * 2, p.p, p.s, {kW, kH}));
QRX_CASE16(BGR555ToYCbCr422_16u8u_C3P3R, k422p, P3 p(d, kCw2, kH);
           qrxiBGR555ToYCbCr422_16u8u_C3P3R(w, kW * 2, p.p, p.s, {kW, kH}));
QRX_CASE16(BGR565ToYCbCr411_16u8u_C3P3R, k411, P3 p(d, kCw4, kH);
           qrxiBGR565ToYCbCr411_16u8u_C3P3R(w, kW * 2, p.p, p.s, {kW, kH}));
QRX_CASE16(BGR555ToYCbCr411_16u8u_C3P3R, k411, P3 p(d, kCw4, kH);
           qrxiBGR555ToYCbCr411_16u8u_C3P3R(w, kW * 2, p.p, p.s, {kW, kH}));
