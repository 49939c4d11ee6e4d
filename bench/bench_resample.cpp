// Chroma layout/sampling conversions and the filtered 4:2:0 conversions at
// 1920x1080, single thread, beside memcpy lines that move the same number of
// bytes (source + destination) and libyuv's counterparts where they exist.
#include <cstring>
#include <vector>

#include "bench_support.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_LIBYUV
#include <libyuv.h>
#endif

using namespace qrxbench;

namespace {

constexpr std::int64_t kPix = static_cast<std::int64_t>(kW) * kH;

enum Fmt { Packed422, P3_422, P3_420, P3_411, P2_420, P2_411 };

// An image of one format: contiguous planes with natural steps, 64-byte aligned.
struct Img {
    std::vector<Qrx8u> buf;
    Qrx8u* p[3] = {};
    const Qrx8u* cp[3] = {};
    int step[3] = {};
    std::int64_t bytes = 0;
    explicit Img(Fmt f) {
        int w[3] = {}, h[3] = {};
        switch (f) {
            case Packed422: w[0] = 2 * kW, h[0] = kH; break;
            case P3_422: w[0] = kW, h[0] = kH, w[1] = w[2] = kW / 2, h[1] = h[2] = kH; break;
            case P3_420: w[0] = kW, h[0] = kH, w[1] = w[2] = kW / 2, h[1] = h[2] = kH / 2; break;
            case P3_411: w[0] = kW, h[0] = kH, w[1] = w[2] = kW / 4, h[1] = h[2] = kH; break;
            case P2_420: w[0] = kW, h[0] = kH, w[1] = kW, h[1] = kH / 2; break;
            case P2_411: w[0] = kW, h[0] = kH, w[1] = kW / 2, h[1] = kH; break;
        }
        std::int64_t total = 0;
        for (int i = 0; i < 3; ++i) total += static_cast<std::int64_t>(w[i]) * h[i] + 64;
        buf = random_bytes(static_cast<std::size_t>(total + 64), 7);
        Qrx8u* at = reinterpret_cast<Qrx8u*>((reinterpret_cast<std::uintptr_t>(buf.data()) + 63) & ~std::uintptr_t{63});
        for (int i = 0; i < 3; ++i) {
            if (w[i] == 0) continue;
            p[i] = at, cp[i] = at, step[i] = w[i];
            bytes += static_cast<std::int64_t>(w[i]) * h[i];
            at += (static_cast<std::int64_t>(w[i]) * h[i] + 63) / 64 * 64;
        }
    }
};

using Call = void (*)(Img&, Img&);

void run(benchmark::State& state, Fmt from, Fmt to, Call fn) {
    Img s(from), d(to);
    for (auto _ : state) {
        fn(s, d);
        benchmark::ClobberMemory();
    }
    set_counters(state, kPix, s.bytes + d.bytes);
}

// A conversion and its peer on the same images, timed block by block.
void run_pair(benchmark::State& state, Fmt from, Fmt to, Call ours, Call peer) {
    Img s(from), d(to);
    paired_case(state, [&] { ours(s, d); }, [&] { peer(s, d); });
}

constexpr QrxSize kRoi{kW, kH};

}  // namespace

// memcpy lines: half the bytes each conversion moves in and out, so that the
// total traffic is the same (4:2:2 <-> 4:2:2, 4:2:2 <-> 4:2:0/4:1:1, 4:2:0 <-> 4:2:0/4:1:1).
QRX_BENCH_MEMCPY(bytes_422_422, kPix * 2);
QRX_BENCH_MEMCPY(bytes_422_420, kPix * 7 / 4);
QRX_BENCH_MEMCPY(bytes_420_420, kPix * 3 / 2);

#define QRX_CASE(name, from, to, body)                                                   \
    static void call_##name(Img& s, Img& d) { body; }                                    \
    static void BM_##name(benchmark::State& st) { run(st, from, to, call_##name); }      \
    BENCHMARK(BM_##name)->Unit(benchmark::kMicrosecond)

// A conversion that does exactly its peer's memory work, measured beside it.
#define QRX_PAIR(name, peer, from, to)                                                   \
    static void BM_pair_##name(benchmark::State& st) {                                   \
        run_pair(st, from, to, call_##name, call_##peer);                                \
    }                                                                                    \
    BENCHMARK(BM_pair_##name)->Unit(benchmark::kMicrosecond)

// ---- COPY ----------------------------------------------------------------------
QRX_CASE(YCbCr422_8u_C2P3R, Packed422, P3_422, qrxiYCbCr422_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(YCrCb422ToYCbCr422_8u_C2P3R, Packed422, P3_422,
         qrxiYCrCb422ToYCbCr422_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(CbYCr422ToYCbCr422_8u_C2P3R, Packed422, P3_422,
         qrxiCbYCr422ToYCbCr422_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(YCbCr422_8u_P3C2R, P3_422, Packed422, qrxiYCbCr422_8u_P3C2R(s.cp, s.step, d.p[0], d.step[0], kRoi));
QRX_CASE(YCbCr422ToYCrCb422_8u_P3C2R, P3_422, Packed422,
         qrxiYCbCr422ToYCrCb422_8u_P3C2R(s.cp, s.step, d.p[0], d.step[0], kRoi));
QRX_CASE(YCbCr422ToCbYCr422_8u_C2R, Packed422, Packed422,
         qrxiYCbCr422ToCbYCr422_8u_C2R(s.p[0], s.step[0], d.p[0], d.step[0], kRoi));
QRX_CASE(CbYCr422ToYCbCr422_8u_C2R, Packed422, Packed422,
         qrxiCbYCr422ToYCbCr422_8u_C2R(s.p[0], s.step[0], d.p[0], d.step[0], kRoi));
QRX_CASE(YCbCr422ToYCrCb422_8u_C2R, Packed422, Packed422,
         qrxiYCbCr422ToYCrCb422_8u_C2R(s.p[0], s.step[0], d.p[0], d.step[0], kRoi));
QRX_CASE(YCbCr420_8u_P3P2R, P3_420, P2_420,
         qrxiYCbCr420_8u_P3P2R(s.cp, s.step, d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(YCbCr420_8u_P2P3R, P2_420, P3_420,
         qrxiYCbCr420_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
QRX_CASE(YCrCb420ToYCbCr420_8u_P3P2R, P3_420, P2_420,
         qrxiYCrCb420ToYCbCr420_8u_P3P2R(s.cp, s.step, d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(YCbCr420ToYCrCb420_8u_P2P3R, P2_420, P3_420,
         qrxiYCbCr420ToYCrCb420_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
QRX_CASE(YCbCr411_8u_P3P2R, P3_411, P2_411,
         qrxiYCbCr411_8u_P3P2R(s.cp, s.step, d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(YCbCr411_8u_P2P3R, P2_411, P3_411,
         qrxiYCbCr411_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
// ---- VDROP ---------------------------------------------------------------------
QRX_CASE(YCbCr422ToYCbCr420_8u_P3R, P3_422, P3_420, qrxiYCbCr422ToYCbCr420_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCbCr422ToYCbCr420_8u_C2P3R, Packed422, P3_420,
         qrxiYCbCr422ToYCbCr420_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(CbYCr422ToYCbCr420_8u_C2P3R, Packed422, P3_420,
         qrxiCbYCr422ToYCbCr420_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(YCrCb422ToYCbCr420_8u_C2P3R, Packed422, P3_420,
         qrxiYCrCb422ToYCbCr420_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(YCbCr422ToYCrCb420_8u_C2P3R, Packed422, P3_420,
         qrxiYCbCr422ToYCrCb420_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(CbYCr422ToYCrCb420_8u_C2P3R, Packed422, P3_420,
         qrxiCbYCr422ToYCrCb420_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(YCbCr422ToYCbCr420_8u_C2P2R, Packed422, P2_420,
         qrxiYCbCr422ToYCbCr420_8u_C2P2R(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(CbYCr422ToYCbCr420_8u_C2P2R, Packed422, P2_420,
         qrxiCbYCr422ToYCbCr420_8u_C2P2R(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(YCbCr422ToYCbCr420_8u_P3P2R, P3_422, P2_420,
         qrxiYCbCr422ToYCbCr420_8u_P3P2R(s.cp, s.step, d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
// ---- VDUP ----------------------------------------------------------------------
QRX_CASE(YCbCr420ToYCbCr422_8u_P3R, P3_420, P3_422, qrxiYCbCr420ToYCbCr422_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCrCb420ToYCbCr422_8u_P3R, P3_420, P3_422, qrxiYCrCb420ToYCbCr422_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCbCr420ToYCbCr422_8u_P2P3R, P2_420, P3_422,
         qrxiYCbCr420ToYCbCr422_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
QRX_CASE(YCbCr420ToYCbCr422_8u_P2C2R, P2_420, Packed422,
         qrxiYCbCr420ToYCbCr422_8u_P2C2R(s.p[0], s.step[0], s.p[1], s.step[1], d.p[0], d.step[0], kRoi));
QRX_CASE(YCbCr420ToCbYCr422_8u_P2C2R, P2_420, Packed422,
         qrxiYCbCr420ToCbYCr422_8u_P2C2R(s.p[0], s.step[0], s.p[1], s.step[1], d.p[0], d.step[0], kRoi));
QRX_CASE(YCrCb420ToYCbCr422_8u_P3C2R, P3_420, Packed422,
         qrxiYCrCb420ToYCbCr422_8u_P3C2R(s.cp, s.step, d.p[0], d.step[0], kRoi));
QRX_CASE(YCrCb420ToCbYCr422_8u_P3C2R, P3_420, Packed422,
         qrxiYCrCb420ToCbYCr422_8u_P3C2R(s.cp, s.step, d.p[0], d.step[0], kRoi));
// ---- HDROP ---------------------------------------------------------------------
QRX_CASE(YCbCr422ToYCbCr411_8u_P3R, P3_422, P3_411, qrxiYCbCr422ToYCbCr411_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCbCr422ToYCbCr411_8u_C2P3R, Packed422, P3_411,
         qrxiYCbCr422ToYCbCr411_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(CbYCr422ToYCbCr411_8u_C2P3R, Packed422, P3_411,
         qrxiCbYCr422ToYCbCr411_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(YCrCb422ToYCbCr411_8u_C2P3R, Packed422, P3_411,
         qrxiYCrCb422ToYCbCr411_8u_C2P3R(s.p[0], s.step[0], d.p, d.step, kRoi));
QRX_CASE(YCbCr422ToYCbCr411_8u_C2P2R, Packed422, P2_411,
         qrxiYCbCr422ToYCbCr411_8u_C2P2R(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(YCbCr422ToYCbCr411_8u_P3P2R, P3_422, P2_411,
         qrxiYCbCr422ToYCbCr411_8u_P3P2R(s.cp, s.step, d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
// ---- HDUP ----------------------------------------------------------------------
QRX_CASE(YCbCr411ToYCbCr422_8u_P3R, P3_411, P3_422, qrxiYCbCr411ToYCbCr422_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCbCr411ToYCrCb422_8u_P3R, P3_411, P3_422, qrxiYCbCr411ToYCrCb422_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCbCr411ToYCbCr422_8u_P3C2R, P3_411, Packed422,
         qrxiYCbCr411ToYCbCr422_8u_P3C2R(s.cp, s.step, d.p[0], d.step[0], kRoi));
QRX_CASE(YCbCr411ToYCrCb422_8u_P3C2R, P3_411, Packed422,
         qrxiYCbCr411ToYCrCb422_8u_P3C2R(s.cp, s.step, d.p[0], d.step[0], kRoi));
QRX_CASE(YCbCr411ToYCbCr422_8u_P2C2R, P2_411, Packed422,
         qrxiYCbCr411ToYCbCr422_8u_P2C2R(s.p[0], s.step[0], s.p[1], s.step[1], d.p[0], d.step[0], kRoi));
QRX_CASE(YCbCr411ToYCbCr422_8u_P2P3R, P2_411, P3_422,
         qrxiYCbCr411ToYCbCr422_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
// ---- SPLIT / MERGE ---------------------------------------------------------------
QRX_CASE(YCbCr420ToYCbCr411_8u_P3P2R, P3_420, P2_411,
         qrxiYCbCr420ToYCbCr411_8u_P3P2R(s.cp, s.step, d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(YCrCb420ToYCbCr411_8u_P3P2R, P3_420, P2_411,
         qrxiYCrCb420ToYCbCr411_8u_P3P2R(s.cp, s.step, d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(YCbCr420ToYCbCr411_8u_P2P3R, P2_420, P3_411,
         qrxiYCbCr420ToYCbCr411_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
QRX_CASE(YCbCr411ToYCbCr420_8u_P3R, P3_411, P3_420, qrxiYCbCr411ToYCbCr420_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCbCr411ToYCbCr420_8u_P3P2R, P3_411, P2_420,
         qrxiYCbCr411ToYCbCr420_8u_P3P2R(s.cp, s.step, d.p[0], d.step[0], d.p[1], d.step[1], kRoi));
QRX_CASE(YCbCr411ToYCbCr420_8u_P2P3R, P2_411, P3_420,
         qrxiYCbCr411ToYCbCr420_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
QRX_CASE(YCbCr411ToYCrCb420_8u_P2P3R, P2_411, P3_420,
         qrxiYCbCr411ToYCrCb420_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
// ---- filtered 4:2:0 ------------------------------------------------------------------
QRX_CASE(YCbCr420ToYCbCr422_Filter_8u_P3R, P3_420, P3_422,
         qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCrCb420ToYCbCr422_Filter_8u_P3R, P3_420, P3_422,
         qrxiYCrCb420ToYCbCr422_Filter_8u_P3R(s.cp, s.step, d.p, d.step, kRoi));
QRX_CASE(YCbCr420ToYCbCr422_Filter_8u_P2P3R, P2_420, P3_422,
         qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi));
QRX_CASE(YCbCr420ToYCbCr422_Filter_8u_P2C2R, P2_420, Packed422,
         qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(s.p[0], s.step[0], s.p[1], s.step[1], d.p[0], d.step[0], kRoi,
                                                qrxSliceWhole));
QRX_CASE(YCbCr420ToYCrCb420_Filter_8u_P2P3R, P2_420, P3_420,
         qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(s.p[0], s.step[0], s.p[1], s.step[1], d.p, d.step, kRoi,
                                                qrxSliceWhole));

#ifdef QRX_BENCH_LIBYUV
// ---- libyuv counterparts (YUY2 = Y0 U Y1 V, UYVY = U Y0 V Y1) -------------------------
QRX_CASE(libyuv_YUY2ToI422, Packed422, P3_422,
         libyuv::YUY2ToI422(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], d.p[2], d.step[2], kW, kH));
QRX_CASE(libyuv_UYVYToI422, Packed422, P3_422,
         libyuv::UYVYToI422(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], d.p[2], d.step[2], kW, kH));
QRX_CASE(libyuv_I422ToYUY2, P3_422, Packed422,
         libyuv::I422ToYUY2(s.p[0], s.step[0], s.p[1], s.step[1], s.p[2], s.step[2], d.p[0], d.step[0], kW, kH));
QRX_CASE(libyuv_I422ToUYVY, P3_422, Packed422,
         libyuv::I422ToUYVY(s.p[0], s.step[0], s.p[1], s.step[1], s.p[2], s.step[2], d.p[0], d.step[0], kW, kH));
QRX_CASE(libyuv_I420ToNV12, P3_420, P2_420,
         libyuv::I420ToNV12(s.p[0], s.step[0], s.p[1], s.step[1], s.p[2], s.step[2], d.p[0], d.step[0], d.p[1],
                            d.step[1], kW, kH));
QRX_CASE(libyuv_NV12ToI420, P2_420, P3_420,
         libyuv::NV12ToI420(s.p[0], s.step[0], s.p[1], s.step[1], d.p[0], d.step[0], d.p[1], d.step[1], d.p[2],
                            d.step[2], kW, kH));
QRX_CASE(libyuv_YUY2ToI420, Packed422, P3_420,
         libyuv::YUY2ToI420(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], d.p[2], d.step[2], kW, kH));
QRX_CASE(libyuv_UYVYToI420, Packed422, P3_420,
         libyuv::UYVYToI420(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], d.p[2], d.step[2], kW, kH));
QRX_CASE(libyuv_YUY2ToNV12, Packed422, P2_420,
         libyuv::YUY2ToNV12(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], kW, kH));
QRX_CASE(libyuv_UYVYToNV12, Packed422, P2_420,
         libyuv::UYVYToNV12(s.p[0], s.step[0], d.p[0], d.step[0], d.p[1], d.step[1], kW, kH));
QRX_CASE(libyuv_I420ToYUY2, P3_420, Packed422,
         libyuv::I420ToYUY2(s.p[0], s.step[0], s.p[1], s.step[1], s.p[2], s.step[2], d.p[0], d.step[0], kW, kH));
QRX_CASE(libyuv_I420ToUYVY, P3_420, Packed422,
         libyuv::I420ToUYVY(s.p[0], s.step[0], s.p[1], s.step[1], s.p[2], s.step[2], d.p[0], d.step[0], kW, kH));
QRX_CASE(libyuv_I420ToI422, P3_420, P3_422,
         libyuv::I420ToI422(s.p[0], s.step[0], s.p[1], s.step[1], s.p[2], s.step[2], d.p[0], d.step[0], d.p[1],
                            d.step[1], d.p[2], d.step[2], kW, kH));
QRX_CASE(libyuv_I422ToI420, P3_422, P3_420,
         libyuv::I422ToI420(s.p[0], s.step[0], s.p[1], s.step[1], s.p[2], s.step[2], d.p[0], d.step[0], d.p[1],
                            d.step[1], d.p[2], d.step[2], kW, kH));

// The layout conversions with the peer's exact memory work: both run at copy
// speed, closer together than separate cases can tell apart.
QRX_PAIR(YCbCr420_8u_P3P2R, libyuv_I420ToNV12, P3_420, P2_420);
QRX_PAIR(YCrCb420ToYCbCr420_8u_P3P2R, libyuv_I420ToNV12, P3_420, P2_420);
QRX_PAIR(YCbCr420_8u_P2P3R, libyuv_NV12ToI420, P2_420, P3_420);
QRX_PAIR(YCbCr420ToYCrCb420_8u_P2P3R, libyuv_NV12ToI420, P2_420, P3_420);
QRX_PAIR(YCbCr422_8u_P3C2R, libyuv_I422ToYUY2, P3_422, Packed422);
QRX_PAIR(YCbCr422ToYCrCb422_8u_P3C2R, libyuv_I422ToYUY2, P3_422, Packed422);
QRX_PAIR(YCrCb420ToYCbCr422_8u_P3C2R, libyuv_I420ToYUY2, P3_420, Packed422);
QRX_PAIR(YCbCr422ToYCbCr420_8u_C2P2R, libyuv_YUY2ToNV12, Packed422, P2_420);
QRX_PAIR(CbYCr422ToYCbCr420_8u_C2P2R, libyuv_UYVYToNV12, Packed422, P2_420);
// The peer beside itself: how close to 1 the block-by-block ratio reads for
// identical work on this machine.
static void BM_pair_check_NV12ToI420(benchmark::State& st) {
    run_pair(st, P2_420, P3_420, call_libyuv_NV12ToI420, call_libyuv_NV12ToI420);
}
BENCHMARK(BM_pair_check_NV12ToI420)->Unit(benchmark::kMicrosecond);
#endif
