// Colour to gray: checks, then per row a region plan (8u: a gap-free image
// whose rows have no tail pixels runs as one long row).
//   8u C3:  pixels [0, w - w mod 4) by the body recipe, the rest by the tail recipe.
//   8u AC4: pixels [0, w - w mod 8) by the body recipe, the rest by the tail recipe.
//   16s:    pixels [0, w - w mod 4) saturated, the rest wrapped to 16 bits.
//   16u, 32f: one recipe for the whole row.
// 16-bit and float steps are turned into sample steps by an arithmetic shift.
#include <cstdint>

#include "core/checks.h"
#include "core/image.h"
#include "gray_twist_gamma/gray_kernels.h"
#include "qrxcc.h"

using namespace qrx;
using namespace qrx::gtg;
using qrx::gray::Kernels;

namespace {

inline int body_of(int width, int block) { return width - width % block; }

WeightsF float_weights(const Qrx32f* w) { return w == nullptr ? kGrayWeights : WeightsF{w[0], w[1], w[2]}; }

Weights8 fixed_weights(const Qrx32f* w) {
    if (w == nullptr) return kGrayWeights8;
    return Weights8{weight_12bit(w[0]), weight_12bit(w[1]), weight_12bit(w[2])};
}

template <int SC>
QrxStatus gray_8u(const Qrx8u* src, int srcStep, Qrx8u* dst, int dstStep, QrxSize roi, Weights8 w) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = gray::kernels();
    const int body = body_of(roi.width, SC == 3 ? 4 : 8);
    const auto body_fn = SC == 3 ? k.c3_8u_body : k.ac4_8u_body;
    const auto tail_fn = SC == 3 ? k.c3_8u_tail : k.ac4_8u_tail;
    // A gap-free image without tail pixels is one long row: the same pixels
    // through the same recipe, with the kernel's set-up and loop exit once
    // per image instead of once per row (while the row's bytes fit the
    // kernels' int)
    const std::int64_t pixels = static_cast<std::int64_t>(roi.width) * roi.height;
    if (body == roi.width && rows_packed(roi.width, srcStep, SC, dstStep, 1) && pixels * SC <= INT32_MAX) {
        body_fn(src, dst, static_cast<int>(pixels), w);
        return qrxStatusOk;
    }
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const Qrx8u* s = row_at(src, srcStep, y);
        Qrx8u* d = row_at(dst, dstStep, y);
        if (body > 0) body_fn(s, d, body, w);
        if (roi.width > body) tail_fn(s + SC * body, d + body, roi.width - body, w);
    }
    return qrxStatusOk;
}

// Body and tail kernels of one type; for 16u and 32f they are the same kernel.
template <int SC, class T, class Fn>
QrxStatus gray_wide(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, const WeightsF& w, Fn body_fn,
                    Fn tail_fn) {
    const int body = body_of(roi.width, 4);
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const T* s = row_at_samples(src, srcStep, y);
        T* d = row_at_samples(dst, dstStep, y);
        if (body > 0) body_fn(s, d, body, w);
        if (roi.width > body) tail_fn(s + SC * body, d + body, roi.width - body, w);
    }
    return qrxStatusOk;
}

template <int SC>
QrxStatus gray_16u(const Qrx16u* src, int srcStep, Qrx16u* dst, int dstStep, QrxSize roi, const Qrx32f* w) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = gray::kernels();
    const auto fn = SC == 3 ? k.c3_16u : k.ac4_16u;
    return gray_wide<SC>(src, srcStep, dst, dstStep, roi, float_weights(w), fn, fn);
}

template <int SC>
QrxStatus gray_16s(const Qrx16s* src, int srcStep, Qrx16s* dst, int dstStep, QrxSize roi, const Qrx32f* w) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = gray::kernels();
    return gray_wide<SC>(src, srcStep, dst, dstStep, roi, float_weights(w), SC == 3 ? k.c3_16s_body : k.ac4_16s_body,
                         SC == 3 ? k.c3_16s_tail : k.ac4_16s_tail);
}

template <int SC>
QrxStatus gray_32f(const Qrx32f* src, int srcStep, Qrx32f* dst, int dstStep, QrxSize roi, const Qrx32f* w) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    const Kernels& k = gray::kernels();
    const auto fn = SC == 3 ? k.c3_32f : k.ac4_32f;
    return gray_wide<SC>(src, srcStep, dst, dstStep, roi, float_weights(w), fn, fn);
}

}  // namespace

extern "C" {

QRXCC_API QrxStatus qrxiRGBToGray_8u_C3C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    return gray_8u<3>(pSrc, srcStep, pDst, dstStep, roi, kGrayWeights8);
}
QRXCC_API QrxStatus qrxiRGBToGray_8u_AC4C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    return gray_8u<4>(pSrc, srcStep, pDst, dstStep, roi, kGrayWeights8);
}
QRXCC_API QrxStatus qrxiRGBToGray_16u_C3C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roi) {
    return gray_16u<3>(pSrc, srcStep, pDst, dstStep, roi, nullptr);
}
QRXCC_API QrxStatus qrxiRGBToGray_16u_AC4C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                             QrxSize roi) {
    return gray_16u<4>(pSrc, srcStep, pDst, dstStep, roi, nullptr);
}
QRXCC_API QrxStatus qrxiRGBToGray_16s_C3C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roi) {
    return gray_16s<3>(pSrc, srcStep, pDst, dstStep, roi, nullptr);
}
QRXCC_API QrxStatus qrxiRGBToGray_16s_AC4C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                             QrxSize roi) {
    return gray_16s<4>(pSrc, srcStep, pDst, dstStep, roi, nullptr);
}
QRXCC_API QrxStatus qrxiRGBToGray_32f_C3C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roi) {
    return gray_32f<3>(pSrc, srcStep, pDst, dstStep, roi, nullptr);
}
QRXCC_API QrxStatus qrxiRGBToGray_32f_AC4C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                             QrxSize roi) {
    return gray_32f<4>(pSrc, srcStep, pDst, dstStep, roi, nullptr);
}

// A null weights pointer selects the fixed weights.
QRXCC_API QrxStatus qrxiColorToGray_8u_C3C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi,
                                             const Qrx32f* pWeights) {
    return gray_8u<3>(pSrc, srcStep, pDst, dstStep, roi, fixed_weights(pWeights));
}
QRXCC_API QrxStatus qrxiColorToGray_8u_AC4C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roi,
                                              const Qrx32f* pWeights) {
    return gray_8u<4>(pSrc, srcStep, pDst, dstStep, roi, fixed_weights(pWeights));
}
QRXCC_API QrxStatus qrxiColorToGray_16u_C3C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roi,
                                              const Qrx32f* pWeights) {
    return gray_16u<3>(pSrc, srcStep, pDst, dstStep, roi, pWeights);
}
QRXCC_API QrxStatus qrxiColorToGray_16u_AC4C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                               QrxSize roi, const Qrx32f* pWeights) {
    return gray_16u<4>(pSrc, srcStep, pDst, dstStep, roi, pWeights);
}
QRXCC_API QrxStatus qrxiColorToGray_16s_C3C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roi,
                                              const Qrx32f* pWeights) {
    return gray_16s<3>(pSrc, srcStep, pDst, dstStep, roi, pWeights);
}
QRXCC_API QrxStatus qrxiColorToGray_16s_AC4C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
                                               QrxSize roi, const Qrx32f* pWeights) {
    return gray_16s<4>(pSrc, srcStep, pDst, dstStep, roi, pWeights);
}
QRXCC_API QrxStatus qrxiColorToGray_32f_C3C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roi,
                                              const Qrx32f* pWeights) {
    return gray_32f<3>(pSrc, srcStep, pDst, dstStep, roi, pWeights);
}
QRXCC_API QrxStatus qrxiColorToGray_32f_AC4C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
                                               QrxSize roi, const Qrx32f* pWeights) {
    return gray_32f<4>(pSrc, srcStep, pDst, dstStep, roi, pWeights);
}

}  // extern "C"
