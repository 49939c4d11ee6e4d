// 16-bit packed BGR (565, 555) -> YCbCr 4:2:2, 4:2:0, 4:1:1.  After widening,
// every value is that of the 8-bit BGR C3 conversion: the body region is
// unpacked in chunks of whole blocks into 8-bit B, G, R and run through the
// 8-bit body kernels; the rest of the row reads the words directly with the
// scalar recipes.
#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "ycbcr/chroma_plans.h"

using namespace qrx;
using namespace qrx::ycbcr_sub;
using u16 = std::uint16_t;

namespace {

// Chunk of the body converted at once: a multiple of every block size (16, 32).
constexpr int kChunk = 256;

template <bool Is565>
void unpack(const u16* s, u8* bgr, int n) {
    qrx::ycbcr::unpack_bgr16_to_bgr24<Is565>(s, bgr, n);
}

template <bool Is565>
QrxStatus to_422_packed(const u16* src, int srcStep, u8* dst, int dstStep, QrxSize roi) {
    const int w = roi.width, body = body_of(w, 32);
    const Kernels& k = ycbcr_sub::kernels();
    alignas(32) u8 buf[kChunk * 3];
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u16* s = row_at(src, srcStep, y);
        u8* d = row_at(dst, dstStep, y);
        // vector body: blocks of 32 by Y15 / P11 on the widened values
        for (int x = 0; x < body; x += kChunk) {
            const int n = body - x < kChunk ? body - x : kChunk;
            unpack<Is565>(s + x, buf, n);
            k.bgr_c3_yuy_y15_p11(buf, d + 2 * x, n);
        }
        bgr422_packed_rest(Bgr16In<Is565>{s}, d, body, w);
    }
    return qrxStatusOk;
}

template <bool Is565>
QrxStatus to_422_planes(const u16* src, int srcStep, u8* const dst[3], const int dstStep[3], QrxSize roi) {
    const int w = roi.width, body = body_of(w, 32);
    const Kernels& k = ycbcr_sub::kernels();
    alignas(32) u8 buf[kChunk * 3];
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u16* s = row_at(src, srcStep, y);
        u8 *yp = row_at(dst[0], dstStep[0], y), *cb = row_at(dst[1], dstStep[1], y), *cr = row_at(dst[2], dstStep[2], y);
        for (int x = 0; x < body; x += kChunk) {
            const int n = body - x < kChunk ? body - x : kChunk;
            unpack<Is565>(s + x, buf, n);
            k.bgr_c3_p3_y15_p11(buf, yp + x, cb + x / 2, cr + x / 2, n);
        }
        bgr422_planes_rest(Bgr16In<Is565>{s}, yp, cb, cr, body, w);
    }
    return qrxStatusOk;
}

template <bool Is565>
QrxStatus to_420(const u16* src, int srcStep, u8* const p[3], const int step[3], QrxSize roi) {
    const int w = roi.width, body = body_of(w, 16);
    const Kernels& k = ycbcr_sub::kernels();
    alignas(32) u8 buf0[kChunk * 3];
    alignas(32) u8 buf1[kChunk * 3];
    for (std::ptrdiff_t j = 0; j < roi.height / 2; ++j) {
        const u16* s0 = row_at(src, srcStep, 2 * j);
        const u16* s1 = row_at(src, srcStep, 2 * j + 1);
        u8 *y0 = row_at(p[0], step[0], 2 * j), *y1 = row_at(p[0], step[0], 2 * j + 1);
        u8 *cb = row_at(p[1], step[1], j), *cr = row_at(p[2], step[2], j);
        // vector body: blocks of 16 columns by Y15 / Q11 on the widened values
        for (int x = 0; x < body; x += kChunk) {
            const int n = body - x < kChunk ? body - x : kChunk;
            unpack<Is565>(s0 + x, buf0, n);
            unpack<Is565>(s1 + x, buf1, n);
            k.bgr_c3_420_y15_q11(buf0, buf1, y0 + x, y1 + x, cb + x / 2, cr + x / 2, n);
        }
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
    alignas(32) u8 buf[kChunk * 3];
    for (std::ptrdiff_t y = 0; y < roi.height; ++y) {
        const u16* s = row_at(src, srcStep, y);
        u8 *yp = row_at(dst[0], dstStep[0], y), *cb = row_at(dst[1], dstStep[1], y), *cr = row_at(dst[2], dstStep[2], y);
        for (int x = 0; x < body; x += kChunk) {
            const int n = body - x < kChunk ? body - x : kChunk;
            unpack<Is565>(s + x, buf, n);
            k.bgr_c3_411_y15_q11(buf, yp + x, cb + x / 4, cr + x / 4, n);
        }
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
