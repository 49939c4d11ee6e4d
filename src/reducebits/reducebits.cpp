// qrxiReduceBits_*: checks (noise before levels), then the method's path.
// Plain quantisation runs on the calling thread; ordered dithering shares the
// rows among the threads of one region; error diffusion shares the channels.
#include <type_traits>

#include "core/checks.h"
#include "core/image.h"
#include "core/parallel_rows.h"
#include "qrxcc.h"
#include "reducebits/error_diffusion.h"
#include "reducebits/noise.h"
#include "reducebits/reducebits_kernels.h"

using namespace qrx;
using namespace qrx::reducebits;

namespace {

template <class P, int Lay>
QrxStatus ordered_image(const typename P::In* src, int srcStep, typename P::Out* dst, int dstStep, QrxSize roi,
                        int noise, int levels) {
    const DitherParams d = dither_params<P>(levels);
    NoiseTables tables;
    if (noise > 0) {
        const float low = static_cast<float>(-noise / 100.0);
        const float high = static_cast<float>(noise / 100.0);
        if (tables.build(low, high) != qrxStatusOk) return qrxStatusOutOfMemory;
    }
    const Kernels& k = kernels();
    if constexpr (std::is_same_v<P, Pair8u>) {
        if (noise == 0 && k.ordered_8u_lut != nullptr) {
            // every result is one of 16 x 256 table entries, built with the recipe
            static_assert(sizeof(u8) == 1);
            alignas(64) u8 lut[4][4][256];
            for (int py = 0; py < 4; ++py)
                for (int px = 0; px < 4; ++px) {
                    const float t = kBayer[py][px] * d.s;
                    for (int v = 0; v < 256; ++v) lut[py][px][v] = ordered<P>(static_cast<u8>(v), t, d);
                }
            const auto lut_fn = k.ordered_8u_lut;
            const int width = roi.width;
            parallel_rows(roi.height, [&](std::ptrdiff_t y) {
                lut_fn(row_at(src, srcStep, y), row_at(dst, dstStep, y), width, Lay, &lut[y & 3][0][0]);
            });
            return qrxStatusOk;
        }
    }
    const auto row_fn = pair_kernels<P>(k).ordered[Lay];
    const int width = roi.width;
    const float* nv = tables.value;
    const std::uint16_t* ni = tables.index;
    parallel_rows(roi.height, [&](std::ptrdiff_t y) {
        row_fn(row_at_samples(src, srcStep, y), row_at_samples(dst, dstStep, y), width, static_cast<unsigned>(y), d,
               nv, ni);
    });
    tables.release();
    return qrxStatusOk;
}

template <class P, int Lay>
QrxStatus reduce_bits(const typename P::In* pSrc, int srcStep, typename P::Out* pDst, int dstStep, QrxSize roi,
                      int noise, int method, int levels) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (noise < 0 || noise > 100) return qrxStatusNoiseRange;
    if (levels < 2 || levels > P::kMaxLevels) return qrxStatusLevelsRange;
    switch (method) {
    case qrxDitherMethodOff:
        pair_kernels<P>(kernels()).plain[Lay](pSrc, srcStep, pDst, dstStep, roi.width, roi.height,
                                               quant_params(levels));
        return qrxStatusOk;
    case qrxDitherMethodOrdered4x4:
        return ordered_image<P, Lay>(pSrc, srcStep, pDst, dstStep, roi, noise, levels);
    case qrxDitherMethodFloydSteinberg:
    case qrxDitherMethodJarvisJudiceNinke:
    case qrxDitherMethodStucki:
        return error_diffusion<P>(pSrc, srcStep, pDst, dstStep, roi.width, roi.height, Lay, method, noise, levels);
    default:
        return qrxStatusOk;  // unknown method: nothing to do
    }
}

}  // namespace

#define QRX_REDUCE_BITS(name, P, Lay)                                                                        \
    QRXCC_API QrxStatus qrxiReduceBits_##name(const P::In* pSrc, int srcStep, P::Out* pDst, int dstStep,      \
                                              QrxSize roiSize, int noise, int dtype, int levels) {            \
        return reduce_bits<P, Lay>(pSrc, srcStep, pDst, dstStep, roiSize, noise, dtype, levels);             \
    }
#define QRX_REDUCE_BITS_LAYOUTS(pair, P)        \
    QRX_REDUCE_BITS(pair##_C1R, P, kC1)         \
    QRX_REDUCE_BITS(pair##_C3R, P, kC3)         \
    QRX_REDUCE_BITS(pair##_AC4R, P, kAC4)       \
    QRX_REDUCE_BITS(pair##_C4R, P, kC4)

extern "C" {
QRX_REDUCE_BITS_LAYOUTS(8u, Pair8u)
QRX_REDUCE_BITS_LAYOUTS(16u, Pair16u)
QRX_REDUCE_BITS_LAYOUTS(16u8u, Pair16u8u)
QRX_REDUCE_BITS_LAYOUTS(16s, Pair16s)
QRX_REDUCE_BITS_LAYOUTS(16s8u, Pair16s8u)
QRX_REDUCE_BITS_LAYOUTS(32f8u, Pair32f8u)
QRX_REDUCE_BITS_LAYOUTS(32f16u, Pair32f16u)
QRX_REDUCE_BITS_LAYOUTS(32f16s, Pair32f16s)
}
