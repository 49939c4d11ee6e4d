// Colour twist: checks, the working copy of the matrix, the rounding-mode
// guard of the integer members, then row by row (or one merged row for
// gap-free 32f images).  16-bit and float steps are turned into sample steps
// by an arithmetic shift.
#include <cstddef>
#include <cstdint>

#include "core/checks.h"
#include "core/image.h"
#include "core/round_to_nearest.h"
#include "gray_twist_gamma/twist_kernels.h"
#include "qrxcc.h"

using namespace qrx;
using namespace qrx::twist;

namespace {

// Rows and columns of the caller's matrix (rows x 4 floats).
Matrix working_copy(const Qrx32f* t, int rows) {
    Matrix m{};
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < 4; ++j) {
            m.row[i][j] = t[4 * i + j];
            m.col[j][i] = t[4 * i + j];
        }
    return m;
}

template <class T>
const TypeKernels<T>& kernels_for(const Kernels& k) {
    if constexpr (std::is_same_v<T, u8>) return k.k8u;
    if constexpr (std::is_same_v<T, s8>) return k.k8s;
    if constexpr (std::is_same_v<T, u16>) return k.k16u;
    if constexpr (std::is_same_v<T, s16>) return k.k16s;
    if constexpr (std::is_same_v<T, float>) return k.k32f;
}

// Integer results are rounded to nearest whatever the caller's mode (restored
// on return); float results keep the caller's mode.
struct KeepRounding {};
template <class T>
using RoundingOf = std::conditional_t<std::is_same_v<T, float>, KeepRounding, RoundToNearest>;

// Pixel-order members (C3, AC4; not in place and in place).
template <class T, int C>
QrxStatus twist_pixels(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, const Qrx32f* t) {
    if (any_null(src, dst, t)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    const Matrix m = working_copy(t, 3);
    const TypeKernels<T>& k = kernels_for<T>(twist::kernels());
    const PixFn<T> fn = C == 3 ? k.c3 : k.ac4;
    [[maybe_unused]] RoundingOf<T> rounding;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        fn(row_at_samples(src, srcStep, y), row_at_samples(dst, dstStep, y), roi.width, m);
    return qrxStatusOk;
}

template <class T>
QrxStatus twist_planes(const T* const* src, int srcStep, T* const* dst, int dstStep, QrxSize roi, const Qrx32f* t) {
    if (any_null(src, dst, t)) return qrxStatusNullPointer;
    if (any_plane_null(src, 3) || any_plane_null(dst, 3)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    const Matrix m = working_copy(t, 3);
    const PlaneFn<T> fn = kernels_for<T>(twist::kernels()).p3;
    [[maybe_unused]] RoundingOf<T> rounding;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        fn(row_at_samples(src[0], srcStep, y), row_at_samples(src[1], srcStep, y), row_at_samples(src[2], srcStep, y),
           row_at_samples(dst[0], dstStep, y), row_at_samples(dst[1], dstStep, y), row_at_samples(dst[2], dstStep, y),
           roi.width, m);
    return qrxStatusOk;
}

// In-place planar: one array is both source and destination.
template <class T>
QrxStatus twist_planes_inplace(T* const* img, int step, QrxSize roi, const Qrx32f* t) {
    if (any_null(img, t)) return qrxStatusNullPointer;
    if (any_plane_null(img, 3)) return qrxStatusNullPointer;
    const T* const src[3] = {img[0], img[1], img[2]};
    return twist_planes<T>(src, step, img, step, roi, t);
}

}  // namespace

extern "C" {

#define QRX_TWIST_MEMBERS(NAME, T)                                                                                 \
    QRXCC_API QrxStatus NAME##_C3R(const T* pSrc, int srcStep, T* pDst, int dstStep, QrxSize roi,                   \
                                   const Qrx32f twist[3][4]) {                                                     \
        return twist_pixels<T, 3>(pSrc, srcStep, pDst, dstStep, roi, twist ? twist[0] : nullptr);                   \
    }                                                                                                              \
    QRXCC_API QrxStatus NAME##_C3IR(T* pSrcDst, int srcDstStep, QrxSize roi, const Qrx32f twist[3][4]) {           \
        return twist_pixels<T, 3>(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roi, twist ? twist[0] : nullptr);       \
    }                                                                                                              \
    QRXCC_API QrxStatus NAME##_AC4R(const T* pSrc, int srcStep, T* pDst, int dstStep, QrxSize roi,                  \
                                    const Qrx32f twist[3][4]) {                                                    \
        return twist_pixels<T, 4>(pSrc, srcStep, pDst, dstStep, roi, twist ? twist[0] : nullptr);                   \
    }                                                                                                              \
    QRXCC_API QrxStatus NAME##_AC4IR(T* pSrcDst, int srcDstStep, QrxSize roi, const Qrx32f twist[3][4]) {          \
        return twist_pixels<T, 4>(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roi, twist ? twist[0] : nullptr);       \
    }                                                                                                              \
    QRXCC_API QrxStatus NAME##_P3R(const T* const pSrc[3], int srcStep, T* const pDst[3], int dstStep, QrxSize roi, \
                                   const Qrx32f twist[3][4]) {                                                     \
        return twist_planes<T>(pSrc, srcStep, pDst, dstStep, roi, twist ? twist[0] : nullptr);                      \
    }                                                                                                              \
    QRXCC_API QrxStatus NAME##_IP3R(T* const pSrcDst[3], int srcDstStep, QrxSize roi, const Qrx32f twist[3][4]) {  \
        return twist_planes_inplace<T>(pSrcDst, srcDstStep, roi, twist ? twist[0] : nullptr);                       \
    }

QRX_TWIST_MEMBERS(qrxiColorTwist32f_8u, Qrx8u)
QRX_TWIST_MEMBERS(qrxiColorTwist32f_8s, Qrx8s)
QRX_TWIST_MEMBERS(qrxiColorTwist32f_16u, Qrx16u)
QRX_TWIST_MEMBERS(qrxiColorTwist32f_16s, Qrx16s)

// 32f: no rounding-mode change.  C3R treats a gap-free image as one row and
// uses cache-bypassing stores above 34992 samples.
QRXCC_API QrxStatus qrxiColorTwist_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roi,
                                           const Qrx32f twist[3][4]) {
    if (any_null(pSrc, pDst, twist)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    const Matrix m = working_copy(twist[0], 3);
    const Kernels& k = twist::kernels();
    const std::int64_t samples = static_cast<std::int64_t>(roi.width) * 3 * roi.height;
    const PixFn<float> fn = samples > 34992 ? k.c3_32f_stream : k.k32f.c3;
    if (rows_packed(roi.width, srcStep, 12, dstStep, 12)) {
        fn(pSrc, pDst, static_cast<std::ptrdiff_t>(roi.width) * roi.height, m);
        return qrxStatusOk;
    }
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        fn(row_at_samples(pSrc, srcStep, y), row_at_samples(pDst, dstStep, y), roi.width, m);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiColorTwist_32f_C3IR(Qrx32f* pSrcDst, int srcDstStep, QrxSize roi, const Qrx32f twist[3][4]) {
    return twist_pixels<float, 3>(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roi, twist ? twist[0] : nullptr);
}
QRXCC_API QrxStatus qrxiColorTwist_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roi,
                                            const Qrx32f twist[3][4]) {
    return twist_pixels<float, 4>(pSrc, srcStep, pDst, dstStep, roi, twist ? twist[0] : nullptr);
}
QRXCC_API QrxStatus qrxiColorTwist_32f_AC4IR(Qrx32f* pSrcDst, int srcDstStep, QrxSize roi, const Qrx32f twist[3][4]) {
    return twist_pixels<float, 4>(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roi, twist ? twist[0] : nullptr);
}
QRXCC_API QrxStatus qrxiColorTwist_32f_P3R(const Qrx32f* const pSrc[3], int srcStep, Qrx32f* const pDst[3],
                                           int dstStep, QrxSize roi, const Qrx32f twist[3][4]) {
    return twist_planes<float>(pSrc, srcStep, pDst, dstStep, roi, twist ? twist[0] : nullptr);
}
QRXCC_API QrxStatus qrxiColorTwist_32f_IP3R(Qrx32f* const pSrcDst[3], int srcDstStep, QrxSize roi,
                                            const Qrx32f twist[3][4]) {
    return twist_planes_inplace<float>(pSrcDst, srcDstStep, roi, twist ? twist[0] : nullptr);
}

// Four channels, 4 x 4 matrix, order C.  A gap-free image is one row; rows
// whose source and destination both start on 16 bytes take the aligned path.
QRXCC_API QrxStatus qrxiColorTwist_32f_C4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roi,
                                           const Qrx32f twist[4][4]) {
    if (any_null(pSrc, pDst, twist)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    const Matrix m = working_copy(twist[0], 4);
    const Kernels& k = twist::kernels();
    auto row = [&](const Qrx32f* s, Qrx32f* d, std::ptrdiff_t n) {
        const bool aligned = ((reinterpret_cast<std::uintptr_t>(s) | reinterpret_cast<std::uintptr_t>(d)) & 15) == 0;
        (aligned ? k.c4_32f_stream : k.c4_32f)(s, d, n, m);
    };
    if (rows_packed(roi.width, srcStep, 16, dstStep, 16)) {
        row(pSrc, pDst, static_cast<std::ptrdiff_t>(roi.width) * roi.height);
        return qrxStatusOk;
    }
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        row(row_at_samples(pSrc, srcStep, y), row_at_samples(pDst, dstStep, y), roi.width);
    return qrxStatusOk;
}

}  // extern "C"
