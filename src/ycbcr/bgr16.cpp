// 16-bit packed BGR (565, 555) -> YCbCr 4:2:2, 4:2:0, 4:1:1.  After widening,
// every value is that of the 8-bit BGR C3 conversion: the body kernels widen
// the fields themselves and use the 8-bit BGR body recipes; the rest of the row
// reads the words with the scalar recipes.
#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "ycbcr/chroma_plans.h"

using namespace qrx;
using namespace qrx::ycbcr_sub;
using u16 = std::uint16_t;

namespace {

const u8* bytes(const u16* p) { return reinterpret_cast<const u8*>(p); }

// The four row plans with the 565 or 555 word reader and body kernels; the
// body kernels widen the fields themselves and use the 8-bit BGR body recipes.
template <bool Is565>
QrxStatus to_422_packed(const u16* src, int srcStep, u8* dst, int dstStep, QrxSize roi) {
    const Kernels& k = ycbcr_sub::kernels();
    return bgr_to_422_packed<Is565 ? Px::Bgr565 : Px::Bgr555>(bytes(src), srcStep, dst, dstStep, roi,
                                                             Is565 ? k.bgr565_yuy_y15_p11 : k.bgr555_yuy_y15_p11);
}

template <bool Is565>
QrxStatus to_422_planes(const u16* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const Kernels& k = ycbcr_sub::kernels();
    return bgr_to_422_planes<Is565 ? Px::Bgr565 : Px::Bgr555>(bytes(src), srcStep, dst, dstStep, roi,
                                                             Is565 ? k.bgr565_p3_y15_p11 : k.bgr555_p3_y15_p11);
}

template <bool Is565>
QrxStatus to_420(const u16* src, int srcStep, u8* const p[3], const int step[3], QrxSize roi) {
    const Kernels& k = ycbcr_sub::kernels();
    return bgr_to_420<Is565 ? Px::Bgr565 : Px::Bgr555>(bytes(src), srcStep, p, step, roi,
                                                      Is565 ? k.bgr565_420_y15_q11 : k.bgr555_420_y15_q11);
}

template <bool Is565>
QrxStatus to_411(const u16* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const Kernels& k = ycbcr_sub::kernels();
    return bgr_to_411<Is565 ? Px::Bgr565 : Px::Bgr555>(bytes(src), srcStep, dst, dstStep, roi,
                                                      Is565 ? k.bgr565_411_y15_q11 : k.bgr555_411_y15_q11);
}

bool bad_planes(const void* src, u8* const dst[3]) { return any_null(src, dst) || any_plane_null(dst, 3); }

}  // namespace

extern "C" {

#define QRX_BGR16_FUNCTIONS(F, IS565)                                                                             \
    QRXCC_API QrxStatus qrxiBGR##F##ToYCbCr422_16u8u_C3C2R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst,         \
                                                           int dstStep, QrxSize roi) {                           \
        if (any_null(pSrc, pDst)) return qrxStatusNullPointer;                                                    \
        if (size_below(roi, 2, 1)) return qrxStatusSizeError;                                                     \
        return to_422_packed<IS565>(pSrc, srcStep, pDst, dstStep, roi);                                           \
    }                                                                                                             \
    QRXCC_API QrxStatus qrxiBGR##F##ToYCbCr422_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3], \
                                                           const int dstStep[3], QrxSize roi) {                  \
        if (bad_planes(pSrc, pDst)) return qrxStatusNullPointer;                                                  \
        if (size_below(roi, 2, 1)) return qrxStatusSizeError;                                                     \
        return to_422_planes<IS565>(pSrc, srcStep, pDst, dstStep, roi);                                           \
    }                                                                                                             \
    QRXCC_API QrxStatus qrxiBGR##F##ToYCbCr420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3], \
                                                           const int dstStep[3], QrxSize roi) {                  \
        if (bad_planes(pSrc, pDst)) return qrxStatusNullPointer;                                                  \
        if (size_below(roi, 2, 2)) return qrxStatusSizeError;                                                     \
        return to_420<IS565>(pSrc, srcStep, pDst, dstStep, roi);                                                  \
    }                                                                                                             \
    QRXCC_API QrxStatus qrxiBGR##F##ToYCrCb420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3], \
                                                           const int dstStep[3], QrxSize roi) {                  \
        if (bad_planes(pSrc, pDst)) return qrxStatusNullPointer;                                                  \
        if (size_below(roi, 2, 2)) return qrxStatusSizeError;                                                     \
        u8* const p[3] = {pDst[0], pDst[2], pDst[1]};                                                             \
        const int s[3] = {dstStep[0], dstStep[2], dstStep[1]};                                                    \
        return to_420<IS565>(pSrc, srcStep, p, s, roi);                                                           \
    }                                                                                                             \
    QRXCC_API QrxStatus qrxiBGR##F##ToYCbCr411_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3], \
                                                           const int dstStep[3], QrxSize roi) {                  \
        if (bad_planes(pSrc, pDst)) return qrxStatusNullPointer;                                                  \
        if (size_below(roi, 4, 1)) return qrxStatusSizeError;                                                     \
        return to_411<IS565>(pSrc, srcStep, pDst, dstStep, roi);                                                  \
    }

QRX_BGR16_FUNCTIONS(565, true)
QRX_BGR16_FUNCTIONS(555, false)

#undef QRX_BGR16_FUNCTIONS

}  // extern "C"
