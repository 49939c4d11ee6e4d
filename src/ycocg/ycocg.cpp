// YCoCg transforms between pixel-order BGR and three planes (Y, Co, Cg) with
// one shared step.  Only pointers are checked: a width or height of zero or
// less converts nothing.  Byte steps of 16- and 32-bit images become steps in
// samples (an odd step acts as the next lower even one); 8-bit rows use bytes.
#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "ycocg/ycocg_kernels.h"

using namespace qrx;
using namespace qrx::ycocg;

namespace {

template <class Pix, class Plane>
QrxStatus forward(const Pix* src, int srcStep, Plane* const dst[3], int dstStep, QrxSize roi, bool rev, ForwardId id) {
    if (any_null(src, dst) || any_plane_null(dst, 3)) return qrxStatusNullPointer;
    if (roi.width <= 0 || roi.height <= 0) return qrxStatusOk;
    const ForwardRow row = ycocg::kernels().forward[rev][id];
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        row(row_at_samples(src, srcStep, y), row_at_samples(dst[0], dstStep, y), row_at_samples(dst[1], dstStep, y),
            row_at_samples(dst[2], dstStep, y), roi.width);
    return qrxStatusOk;
}

template <class Plane, class Pix>
QrxStatus inverse(const Plane* const src[3], int srcStep, Pix* dst, int dstStep, QrxSize roi, bool rev, InverseId id,
                  int alpha) {
    if (any_null(src, dst) || any_plane_null(src, 3)) return qrxStatusNullPointer;
    if (roi.width <= 0 || roi.height <= 0) return qrxStatusOk;
    const InverseRow row = ycocg::kernels().inverse[rev][id];
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        row(row_at_samples(src[0], srcStep, y), row_at_samples(src[1], srcStep, y), row_at_samples(src[2], srcStep, y),
            row_at_samples(dst, dstStep, y), roi.width, alpha);
    return qrxStatusOk;
}

}  // namespace

// Forward: (name, BGR type, plane type, reversible, kernel id)
#define QRX_YCOCG_FORWARD(name, Pix, Plane, rev, id)                                                       \
    extern "C" QRXCC_API QrxStatus name(const Pix* pSrc, int srcStep, Plane* const pDst[3], int dstStep, \
                                        QrxSize roiSize) {                                                 \
        return forward(pSrc, srcStep, pDst, dstStep, roiSize, rev, id);                                    \
    }
#define QRX_YCOCG_INVERSE(name, Plane, Pix, rev, id)                                                       \
    extern "C" QRXCC_API QrxStatus name(const Plane* const pSrc[3], int srcStep, Pix* pDst, int dstStep, \
                                        QrxSize roiSize) {                                                 \
        return inverse(pSrc, srcStep, pDst, dstStep, roiSize, rev, id, 0);                                 \
    }
#define QRX_YCOCG_INVERSE_ALPHA(name, Plane, Pix, rev, id)                                                 \
    extern "C" QRXCC_API QrxStatus name(const Plane* const pSrc[3], int srcStep, Pix* pDst, int dstStep, \
                                        QrxSize roiSize, Pix aval) {                                       \
        return inverse(pSrc, srcStep, pDst, dstStep, roiSize, rev, id, aval);                              \
    }

QRX_YCOCG_FORWARD(qrxiBGRToYCoCg_8u16s_C3P3R, Qrx8u, Qrx16s, false, kF8u16sC3)
QRX_YCOCG_FORWARD(qrxiBGRToYCoCg_8u16s_C4P3R, Qrx8u, Qrx16s, false, kF8u16sC4)
QRX_YCOCG_FORWARD(qrxiSBGRToYCoCg_16s_C3P3R, Qrx16s, Qrx16s, false, kF16sC3)
QRX_YCOCG_FORWARD(qrxiSBGRToYCoCg_16s_C4P3R, Qrx16s, Qrx16s, false, kF16sC4)
QRX_YCOCG_FORWARD(qrxiSBGRToYCoCg_16s32s_C3P3R, Qrx16s, Qrx32s, false, kF16s32sC3)
QRX_YCOCG_FORWARD(qrxiSBGRToYCoCg_16s32s_C4P3R, Qrx16s, Qrx32s, false, kF16s32sC4)
QRX_YCOCG_FORWARD(qrxiBGRToYCoCg_Rev_8u16s_C3P3R, Qrx8u, Qrx16s, true, kF8u16sC3)
QRX_YCOCG_FORWARD(qrxiBGRToYCoCg_Rev_8u16s_C4P3R, Qrx8u, Qrx16s, true, kF8u16sC4)
QRX_YCOCG_FORWARD(qrxiSBGRToYCoCg_Rev_16s_C3P3R, Qrx16s, Qrx16s, true, kF16sC3)
QRX_YCOCG_FORWARD(qrxiSBGRToYCoCg_Rev_16s_C4P3R, Qrx16s, Qrx16s, true, kF16sC4)
QRX_YCOCG_FORWARD(qrxiSBGRToYCoCg_Rev_16s32s_C3P3R, Qrx16s, Qrx32s, true, kF16s32sC3)
QRX_YCOCG_FORWARD(qrxiSBGRToYCoCg_Rev_16s32s_C4P3R, Qrx16s, Qrx32s, true, kF16s32sC4)

QRX_YCOCG_INVERSE(qrxiYCoCgToBGR_16s8u_P3C3R, Qrx16s, Qrx8u, false, kI16s8uC3)
QRX_YCOCG_INVERSE_ALPHA(qrxiYCoCgToBGR_16s8u_P3C4R, Qrx16s, Qrx8u, false, kI16s8uC4)
QRX_YCOCG_INVERSE(qrxiYCoCgToSBGR_16s_P3C3R, Qrx16s, Qrx16s, false, kI16sC3)
QRX_YCOCG_INVERSE_ALPHA(qrxiYCoCgToSBGR_16s_P3C4R, Qrx16s, Qrx16s, false, kI16sC4)
QRX_YCOCG_INVERSE(qrxiYCoCgToSBGR_32s16s_P3C3R, Qrx32s, Qrx16s, false, kI32s16sC3)
QRX_YCOCG_INVERSE_ALPHA(qrxiYCoCgToSBGR_32s16s_P3C4R, Qrx32s, Qrx16s, false, kI32s16sC4)
QRX_YCOCG_INVERSE(qrxiYCoCgToBGR_Rev_16s8u_P3C3R, Qrx16s, Qrx8u, true, kI16s8uC3)
QRX_YCOCG_INVERSE_ALPHA(qrxiYCoCgToBGR_Rev_16s8u_P3C4R, Qrx16s, Qrx8u, true, kI16s8uC4)
QRX_YCOCG_INVERSE(qrxiYCoCgToSBGR_Rev_16s_P3C3R, Qrx16s, Qrx16s, true, kI16sC3)
QRX_YCOCG_INVERSE_ALPHA(qrxiYCoCgToSBGR_Rev_16s_P3C4R, Qrx16s, Qrx16s, true, kI16sC4)
QRX_YCOCG_INVERSE(qrxiYCoCgToSBGR_Rev_32s16s_P3C3R, Qrx32s, Qrx16s, true, kI32s16sC3)
QRX_YCOCG_INVERSE_ALPHA(qrxiYCoCgToSBGR_Rev_32s16s_P3C4R, Qrx32s, Qrx16s, true, kI32s16sC4)
