// BT.709 gamma, forward and inverse: checks, then row by row.
//   8u:  lookup in the constant tables;
//   16u: the curve in double precision, through a 65536-entry table taken for
//        this call when the image has more than 65536 samples (filled from the
//        shared results of gamma_results16.h), else directly;
//   32f: the curve over [vMin, vMax] in double precision, sample by sample.
// The curves are evaluated by the vector kernels of gamma_curves.inl, with
// exactly the recipes' results.
// C3 rows are width x 3 consecutive samples; AC4 converts samples 0..2 of
// each pixel; P3 converts each plane as a one-channel image, plane after
// plane.  16-bit and float steps are turned into sample steps by an
// arithmetic shift.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/allocator.h"
#include "core/checks.h"
#include "core/image.h"
#include "core/round_to_nearest.h"
#include "gray_twist_gamma/gamma_kernels.h"
#include "gray_twist_gamma/gamma_poly16.h"
#include "gray_twist_gamma/gamma_results16.h"
#include "gray_twist_gamma/gamma_tables.h"
#include "gray_twist_gamma/recipes.h"
#include "qrxcc.h"

using namespace qrx;
using namespace qrx::gtg;

namespace {

enum class Layout { C3, AC4 };

// Runs convert(src_row, dst_row, samples_or_pixels) for every row of a
// pixel-order image (C3: width x 3 samples; AC4: width pixels).
template <class T, class Fn>
void pixel_rows(const T* src, int srcStep, T* dst, int dstStep, QrxSize roi, Layout l, Fn convert) {
    const std::ptrdiff_t n = l == Layout::C3 ? static_cast<std::ptrdiff_t>(roi.width) * 3 : roi.width;
    for (std::ptrdiff_t y = 0; y < roi.height; ++y)
        convert(row_at_samples(src, srcStep, y), row_at_samples(dst, dstStep, y), n);
}

// Each plane as a one-channel image: plane 0 whole, then plane 1, then plane 2.
template <class T, class Fn>
void plane_rows(const T* const* src, int srcStep, T* const* dst, int dstStep, QrxSize roi, Fn convert) {
    for (int p = 0; p < 3; ++p)
        for (std::ptrdiff_t y = 0; y < roi.height; ++y)
            convert(row_at_samples(src[p], srcStep, y), row_at_samples(dst[p], dstStep, y),
                    static_cast<std::ptrdiff_t>(roi.width));
}

template <class T>
QrxStatus check_pixels(const T* src, int srcStep, const T* dst, int dstStep, QrxSize roi) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    return qrxStatusOk;
}

template <class T>
QrxStatus check_planes(const T* const* src, int srcStep, T* const* dst, int dstStep, QrxSize roi) {
    if (any_null(src, dst)) return qrxStatusNullPointer;
    if (any_plane_null(src, 3) || any_plane_null(dst, 3)) return qrxStatusNullPointer;
    if (size_below(roi)) return qrxStatusSizeError;
    if (any_step_below_one(srcStep, dstStep)) return qrxStatusStepError;
    return qrxStatusOk;
}

// ---- 8u ------------------------------------------------------------------------

const std::uint8_t* table8(bool fwd) { return fwd ? gamma::kForward8u : gamma::kInverse8u; }

QrxStatus gamma8(const Qrx8u* src, int srcStep, Qrx8u* dst, int dstStep, QrxSize roi, Layout l, bool fwd) {
    if (const QrxStatus st = check_pixels(src, srcStep, dst, dstStep, roi); st != qrxStatusOk) return st;
    const gamma::Kernels& k = gamma::kernels();
    const auto fn = l == Layout::C3 ? k.lut8 : k.lut8_ac4;
    const std::uint8_t* t = table8(fwd);
    pixel_rows(src, srcStep, dst, dstStep, roi, l, [&](const Qrx8u* s, Qrx8u* d, std::ptrdiff_t n) { fn(s, d, n, t); });
    return qrxStatusOk;
}

QrxStatus gamma8_planes(const Qrx8u* const* src, int srcStep, Qrx8u* const* dst, int dstStep, QrxSize roi, bool fwd) {
    if (const QrxStatus st = check_planes(src, srcStep, dst, dstStep, roi); st != qrxStatusOk) return st;
    const auto fn = gamma::kernels().lut8;
    const std::uint8_t* t = table8(fwd);
    plane_rows(src, srcStep, dst, dstStep, roi, [&](const Qrx8u* s, Qrx8u* d, std::ptrdiff_t n) { fn(s, d, n, t); });
    return qrxStatusOk;
}

// ---- 16u -----------------------------------------------------------------------

// Evaluated directly, or through a table of all 65536 results when the image
// has more than 65536 samples (width x 3 x height, whatever the layout).
// From AVX-512 on the calls take the shared polynomial form of gamma_poly16.h
// instead, once every value has been checked through it (the scratch block is
// still taken, so that allocation and out-of-memory status stay the same).
class Curve16 {
public:
    Curve16(bool fwd, QrxSize roi) : fwd_(fwd) {
        if (static_cast<std::int64_t>(roi.width) * 3 * roi.height <= 65536) return;
        table_ = reinterpret_cast<Qrx16u*>(allocate16(65536));
        wanted_ = true;
        if (table_ == nullptr) return;
        if (!rounding_is_nearest()) {  // the caller's rounding mode, as on the direct path
            gamma::evaluate16(fwd, table_);
            return;
        }
        const gamma::Kernels& k = gamma::kernels();
        if (k.poly16[0][0] != nullptr && gamma::poly16_exact(fwd, k.poly16[fwd ? 0 : 1][0])) {
            // the shared form and results, read only; the scratch block stays unused
            poly_ = &gamma::poly16(fwd);
            results_ = gamma::results16(fwd);
            return;
        }
        std::memcpy(table_, gamma::results16(fwd), 65536 * sizeof(Qrx16u));
    }
    ~Curve16() { release(table_); }
    Curve16(const Curve16&) = delete;
    Curve16& operator=(const Curve16&) = delete;

    bool out_of_memory() const { return wanted_ && table_ == nullptr; }

    // n samples (C3, planes) or n pixels of which samples 0..2 (AC4).
    void run(const Qrx16u* s, Qrx16u* d, std::ptrdiff_t n, Layout l) const {
        const gamma::Kernels& k = gamma::kernels();
        if (poly_ != nullptr)
            k.poly16[fwd_ ? 0 : 1][l == Layout::C3 ? 0 : 1](s, d, n, *poly_, results_);
        else if (table_ != nullptr)
            (l == Layout::C3 ? k.lut16 : k.lut16_ac4)(s, d, n, table_);
        else
            k.curve16[fwd_ ? 0 : 1][l == Layout::C3 ? 0 : 1](s, d, n);
    }

private:
    bool fwd_;
    bool wanted_ = false;
    Qrx16u* table_ = nullptr;
    const gamma::Poly16* poly_ = nullptr;  // the shared polynomial form
    const Qrx16u* results_ = nullptr;      // the shared results, for the lanes near a boundary
};

QrxStatus gamma16(const Qrx16u* src, int srcStep, Qrx16u* dst, int dstStep, QrxSize roi, Layout l, bool fwd) {
    if (const QrxStatus st = check_pixels(src, srcStep, dst, dstStep, roi); st != qrxStatusOk) return st;
    const Curve16 curve(fwd, roi);
    if (curve.out_of_memory()) return qrxStatusOutOfMemory;
    pixel_rows(src, srcStep, dst, dstStep, roi, l,
               [&](const Qrx16u* s, Qrx16u* d, std::ptrdiff_t n) { curve.run(s, d, n, l); });
    return qrxStatusOk;
}

QrxStatus gamma16_planes(const Qrx16u* const* src, int srcStep, Qrx16u* const* dst, int dstStep, QrxSize roi,
                         bool fwd) {
    if (const QrxStatus st = check_planes(src, srcStep, dst, dstStep, roi); st != qrxStatusOk) return st;
    const Curve16 curve(fwd, roi);
    if (curve.out_of_memory()) return qrxStatusOutOfMemory;
    plane_rows(src, srcStep, dst, dstStep, roi,
               [&](const Qrx16u* s, Qrx16u* d, std::ptrdiff_t n) { curve.run(s, d, n, Layout::C3); });
    return qrxStatusOk;
}

// ---- 32f -----------------------------------------------------------------------

// vMax - vMin in single precision must be above zero (a NaN is not).
bool range_bad(float vmin, float vmax) { return !(vmax - vmin > 0.0f); }

GammaRange range_of(float vmin, float vmax) {
    GammaRange g;
    g.vmin = vmin;
    g.r = static_cast<double>(vmax - vmin);
    g.q = 1.0 / g.r;
    return g;
}

template <bool Fwd>
void curve32(const Qrx32f* s, Qrx32f* d, std::ptrdiff_t n, Layout l, const GammaRange& g) {
    gamma::kernels().curve32[Fwd ? 0 : 1][l == Layout::C3 ? 0 : 1](s, d, n, g);
}

template <bool Fwd>
QrxStatus gamma32(const Qrx32f* src, int srcStep, Qrx32f* dst, int dstStep, QrxSize roi, Layout l, float vmin,
                  float vmax) {
    if (range_bad(vmin, vmax)) return qrxStatusGammaRange;
    if (const QrxStatus st = check_pixels(src, srcStep, dst, dstStep, roi); st != qrxStatusOk) return st;
    const GammaRange g = range_of(vmin, vmax);
    pixel_rows(src, srcStep, dst, dstStep, roi, l,
               [&](const Qrx32f* s, Qrx32f* d, std::ptrdiff_t n) { curve32<Fwd>(s, d, n, l, g); });
    return qrxStatusOk;
}

template <bool Fwd>
QrxStatus gamma32_planes(const Qrx32f* const* src, int srcStep, Qrx32f* const* dst, int dstStep, QrxSize roi,
                         float vmin, float vmax) {
    if (range_bad(vmin, vmax)) return qrxStatusGammaRange;
    if (const QrxStatus st = check_planes(src, srcStep, dst, dstStep, roi); st != qrxStatusOk) return st;
    const GammaRange g = range_of(vmin, vmax);
    plane_rows(src, srcStep, dst, dstStep, roi,
               [&](const Qrx32f* s, Qrx32f* d, std::ptrdiff_t n) { curve32<Fwd>(s, d, n, Layout::C3, g); });
    return qrxStatusOk;
}

// In-place planar members pass their one array as both sides.
template <class T>
const T* const* as_source(T* const* planes, const T* (&copy)[3]) {
    if (planes == nullptr) return nullptr;
    for (int p = 0; p < 3; ++p) copy[p] = planes[p];
    return copy;
}

}  // namespace

extern "C" {

#define QRX_GAMMA_INT_MEMBERS(DIR, FWD, SUF, T, PIX, PLANES)                                                         \
    QRXCC_API QrxStatus qrxiGamma##DIR##_##SUF##_C3R(const T* pSrc, int srcStep, T* pDst, int dstStep, QrxSize roi) { \
        return PIX(pSrc, srcStep, pDst, dstStep, roi, Layout::C3, FWD);                                             \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_##SUF##_C3IR(T* pSrcDst, int srcDstStep, QrxSize roi) {                     \
        return PIX(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roi, Layout::C3, FWD);                                 \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_##SUF##_AC4R(const T* pSrc, int srcStep, T* pDst, int dstStep,              \
                                                      QrxSize roi) {                                                 \
        return PIX(pSrc, srcStep, pDst, dstStep, roi, Layout::AC4, FWD);                                            \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_##SUF##_AC4IR(T* pSrcDst, int srcDstStep, QrxSize roi) {                    \
        return PIX(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roi, Layout::AC4, FWD);                                \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_##SUF##_P3R(const T* const pSrc[3], int srcStep, T* const pDst[3],          \
                                                     int dstStep, QrxSize roi) {                                     \
        return PLANES(pSrc, srcStep, pDst, dstStep, roi, FWD);                                                      \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_##SUF##_IP3R(T* const pSrcDst[3], int srcDstStep, QrxSize roi) {            \
        const T* copy[3];                                                                                            \
        return PLANES(as_source(pSrcDst, copy), srcDstStep, pSrcDst, srcDstStep, roi, FWD);                         \
    }

QRX_GAMMA_INT_MEMBERS(Fwd, true, 8u, Qrx8u, gamma8, gamma8_planes)
QRX_GAMMA_INT_MEMBERS(Inv, false, 8u, Qrx8u, gamma8, gamma8_planes)
QRX_GAMMA_INT_MEMBERS(Fwd, true, 16u, Qrx16u, gamma16, gamma16_planes)
QRX_GAMMA_INT_MEMBERS(Inv, false, 16u, Qrx16u, gamma16, gamma16_planes)

#define QRX_GAMMA_32F_MEMBERS(DIR, FWD)                                                                              \
    QRXCC_API QrxStatus qrxiGamma##DIR##_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,         \
                                                 QrxSize roi, Qrx32f vMin, Qrx32f vMax) {                            \
        return gamma32<FWD>(pSrc, srcStep, pDst, dstStep, roi, Layout::C3, vMin, vMax);                             \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_32f_C3IR(Qrx32f* pSrcDst, int srcDstStep, QrxSize roi, Qrx32f vMin,         \
                                                  Qrx32f vMax) {                                                     \
        return gamma32<FWD>(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roi, Layout::C3, vMin, vMax);                 \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,        \
                                                  QrxSize roi, Qrx32f vMin, Qrx32f vMax) {                           \
        return gamma32<FWD>(pSrc, srcStep, pDst, dstStep, roi, Layout::AC4, vMin, vMax);                            \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_32f_AC4IR(Qrx32f* pSrcDst, int srcDstStep, QrxSize roi, Qrx32f vMin,        \
                                                   Qrx32f vMax) {                                                    \
        return gamma32<FWD>(pSrcDst, srcDstStep, pSrcDst, srcDstStep, roi, Layout::AC4, vMin, vMax);                \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_32f_P3R(const Qrx32f* const pSrc[3], int srcStep, Qrx32f* const pDst[3],    \
                                                 int dstStep, QrxSize roi, Qrx32f vMin, Qrx32f vMax) {               \
        return gamma32_planes<FWD>(pSrc, srcStep, pDst, dstStep, roi, vMin, vMax);                                  \
    }                                                                                                                \
    QRXCC_API QrxStatus qrxiGamma##DIR##_32f_IP3R(Qrx32f* const pSrcDst[3], int srcDstStep, QrxSize roi,             \
                                                  Qrx32f vMin, Qrx32f vMax) {                                        \
        const Qrx32f* copy[3];                                                                                       \
        return gamma32_planes<FWD>(as_source(pSrcDst, copy), srcDstStep, pSrcDst, srcDstStep, roi, vMin, vMax);     \
    }

QRX_GAMMA_32F_MEMBERS(Fwd, true)
QRX_GAMMA_32F_MEMBERS(Inv, false)

}  // extern "C"
