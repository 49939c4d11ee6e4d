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

template <bool Is565>
QrxStatus to_422_packed(const u16* src, int srcStep, u8* dst, int dstStep, QrxSize roi) {
    const int w = roi.width, body = body_of(w, 32);
    const Kernels& k = ycbcr_sub::kernels();
    const PixToPackedFn body_fn = Is565 ? k.bgr565_yuy_y15_p11 : k.bgr555_yuy_y15_p11;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u16* s = row_at(src, srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        // vector body: blocks of 32 by Y15 / P11 on the widened values; the rest by F16 / P17q
        if (body > 0) body_fn(bytes(s), d, body);
        bgr422_packed_rest(Bgr16In<Is565>{s}, d, body, w);
    }
    return qrxStatusOk;
}

template <bool Is565>
QrxStatus to_422_planes(const u16* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const int w = roi.width, body = body_of(w, 32);
    const Kernels& k = ycbcr_sub::kernels();
    const PixToPlanesFn body_fn = Is565 ? k.bgr565_p3_y15_p11 : k.bgr555_p3_y15_p11;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u16* s = row_at(src, srcStep, y);
        u8 *yp = row_at(dst[0], dstStep[0], y), *cb = row_at(dst[1], dstStep[1], y), *cr = row_at(dst[2], dstStep[2], y);
        if (body > 0) body_fn(bytes(s), yp, cb, cr, body);
        bgr422_planes_rest(Bgr16In<Is565>{s}, yp, cb, cr, body, w);
    }
    return qrxStatusOk;
}

template <bool Is565>
QrxStatus to_420(const u16* src, int srcStep, u8* const p[3], const int step[3], QrxSize roi) {
    const int w = roi.width, body = body_of(w, 16);
    const Kernels& k = ycbcr_sub::kernels();
    const RowPairTo420Fn body_fn = Is565 ? k.bgr565_420_y15_q11 : k.bgr555_420_y15_q11;
    for (std::ptrdiff_t j = 0; j < roi.height / 2; ++j) {
        const u16* s0 = row_at(src, srcStep, 2 * j);
        const u16* s1 = row_at(src, srcStep, 2 * j + 1);
        u8 *y0 = row_at(p[0], step[0], 2 * j), *y1 = row_at(p[0], step[0], 2 * j + 1);
        u8 *cb = row_at(p[1], step[1], j), *cr = row_at(p[2], step[2], j);
        // vector body: blocks of 16 columns by Y15 / Q11; the rest by F16 / Q18, odd column Y only
        if (body > 0) body_fn(bytes(s0), bytes(s1), y0, y1, cb, cr, body);
        bgr420_pair_rest(Bgr16In<Is565>{s0}, Bgr16In<Is565>{s1}, y0, y1, cb, cr, body, w);
    }
    if (roi.height & 1) {
        const std::ptrdiff_t last = roi.height - 1;
        luma_only<f16_y>(Bgr16In<Is565>{row_at(src, srcStep, last)}, row_at(p[0], step[0], last), 0, w);
    }
    return qrxStatusOk;
}

template <bool Is565>
QrxStatus to_411(const u16* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const int w = roi.width, body = body_of(w, 32);
    const Kernels& k = ycbcr_sub::kernels();
    const PixToPlanesFn body_fn = Is565 ? k.bgr565_411_y15_q11 : k.bgr555_411_y15_q11;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u16* s = row_at(src, srcStep, y);
        u8 *yp = row_at(dst[0], dstStep[0], y), *cb = row_at(dst[1], dstStep[1], y), *cr = row_at(dst[2], dstStep[2], y);
        if (body > 0) body_fn(bytes(s), yp, cb, cr, body);
        bgr411_rest(Bgr16In<Is565>{s}, yp, cb, cr, body, w);
    }
    return qrxStatusOk;
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
