// YCbCr <-> YCbCr between packed, planar and semi-planar layouts and between
// the samplings 4:2:2, 4:2:0 and 4:1:1.  Each exported function is a
// description: its checks, its size rule, and which row operation moves the
// luma and each chroma row.  No sample value is ever computed.
//
// Chroma rules (rows and samples count from 0, in the chroma grid):
//   COPY  same sampling, only the layout changes
//   VDROP 4:2:2 -> 4:2:0: chroma row j is source chroma row 2j
//   VDUP  4:2:0 -> 4:2:2: chroma row j goes to rows 2j and 2j+1
//   HDROP 4:2:2 -> 4:1:1: sample i is source sample 2i
//   HDUP  4:1:1 -> 4:2:2: sample i goes to samples 2i and 2i+1
//   SPLIT 4:2:0 -> 4:1:1: row j gives row 2j (even samples), 2j+1 (odd samples)
//   MERGE 4:1:1 -> 4:2:0: the inverse of SPLIT
#include <climits>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "core/block_copy.h"
#include "core/checks.h"
#include "core/image.h"
#include "qrxcc.h"
#include "resample/chroma_kernels.h"

using namespace qrx;
using qrx::resample::Kernels;
using u8 = std::uint8_t;
using std::ptrdiff_t;

namespace {

using In = Plane<const u8>;  // a source plane and its step
using Out = Plane<u8>;

// Size groups: minimum width/height and the rounding of the used size.
enum class Size {
    Pairs,           // width >= 2, height >= 1; W & ~1
    PairsAnyHeight,  // width >= 2, height not checked; W & ~1
    Frame420,        // 2 x 2; W & ~1, H & ~1
    Quads,           // width >= 4, height not checked; W & ~3
    Quads420,        // 4 x 2; W & ~3, H & ~1
};

// False when the ROI is below the group's minimum; otherwise the used size.
// A height that is not checked may be 0 or below: the row loops then do nothing.
bool used_size(QrxSize roi, Size g, int& w, int& h) {
    switch (g) {
        case Size::Pairs:
            if (roi.width < 2 || roi.height < 1) return false;
            w = roi.width & ~1, h = roi.height;
            return true;
        case Size::PairsAnyHeight:
            if (roi.width < 2) return false;
            w = roi.width & ~1, h = roi.height;
            return true;
        case Size::Frame420:
            if (roi.width < 2 || roi.height < 2) return false;
            w = roi.width & ~1, h = roi.height & ~1;
            return true;
        case Size::Quads:
            if (roi.width < 4) return false;
            w = roi.width & ~3, h = roi.height;
            return true;
        case Size::Quads420:
            if (roi.width < 4 || roi.height < 2) return false;
            w = roi.width & ~3, h = roi.height & ~1;
            return true;
    }
    return false;
}

bool p3_null(const void* arr, const u8* const* planes) { return arr == nullptr || any_plane_null(planes, 3); }
bool p3_null(const void* arr, u8* const* planes) { return arr == nullptr || any_plane_null(planes, 3); }

In in_plane(const u8* const p[3], const int s[3], int i) { return {p[i], s[i]}; }
Out out_plane(u8* const p[3], const int s[3], int i) { return {p[i], s[i]}; }

template <class Fn>
void for_rows(int h, Fn fn) {
    for (ptrdiff_t r = 0; r < h; ++r) fn(r);
}

// Rows that follow each other without a gap in every plane (each step equal
// to the bytes its row uses) form one long row: a byte move does not care
// where a row ends.  `fn(row, units)` then runs once over all of them.
template <class Fn>
void for_rows_joined(int h, int units, std::initializer_list<std::pair<int, int>> step_and_row_bytes, Fn fn) {
    bool joined = h > 1 && static_cast<long long>(h) * units <= INT_MAX / 8;
    for (const auto& sb : step_and_row_bytes) joined = joined && sb.first == sb.second;
    if (joined) {
        fn(ptrdiff_t{0}, h * units);
        return;
    }
    for (ptrdiff_t r = 0; r < h; ++r) fn(r, units);
}

void copy_row(const u8* s, u8* d, int n) {
    if (n > 0) copy_bytes(d, s, static_cast<std::size_t>(n));
}

// Luma rows copied unchanged with a block copy.  (Cache-bypassing stores for
// large images were measured at half the speed of ordinary stores at
// 1920x1080 and are not used; the bytes would be the same.)
void copy_luma(In s, Out d, int w, int h) {
    for_rows_joined(h, w, {{s.step, w}, {d.step, w}}, [&](ptrdiff_t r, int n) { copy_row(s.row(r), d.row(r), n); });
}

bool multiple_of_16(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % 16 == 0; }
bool multiple_of_16(int step) { return step % 16 == 0; }

// ---- descriptions shared by several exported functions ---------------------
// `u` / `v` name the planes that receive (or give) the chroma byte at the
// packed order's first / second chroma offset.

// COPY or HDROP, packed -> P3: row r -> row r; a group is 2 (COPY) or 4
// (HDROP) pixels with one chroma pair.
void c2_to_p3(In s, Out y, Out u, Out v, int h, resample::UnpackP3Fn fn, int groups, int px) {
    for_rows_joined(h, groups, {{s.step, 2 * px * groups}, {y.step, px * groups}, {u.step, groups}, {v.step, groups}},
                    [&](ptrdiff_t r, int n) { fn(s.row(r), y.row(r), u.row(r), v.row(r), n); });
}

// VDROP, packed -> P3: even rows give luma and chroma, odd rows luma only.
void c2_to_p3_vdrop(In s, Out y, Out u, Out v, int w, int h, resample::UnpackP3Fn full, resample::UnpackYFn luma) {
    for_rows(h / 2, [&](ptrdiff_t j) {
        full(s.row(2 * j), y.row(2 * j), u.row(j), v.row(j), w / 2);
        luma(s.row(2 * j + 1), y.row(2 * j + 1), w / 2);
    });
}

// VDROP, packed -> P2.
void c2_to_p2_vdrop(In s, Out y, Out uv, int w, int h, resample::UnpackP2VdropFn rows) {
    for_rows(h / 2, [&](ptrdiff_t j) {
        rows(s.row(2 * j), s.row(2 * j + 1), y.row(2 * j), y.row(2 * j + 1), uv.row(j), w / 2);
    });
}

// P3 -> packed, the chroma of row r taken from chroma row r >> shift
// (shift 0: COPY and HDUP; shift 1: VDUP); a group is `px` pixels with one
// chroma pair.
void p3_to_c2(In y, In u, In v, Out d, int h, int shift, resample::PackP3Fn fn, int groups, int px) {
    if (shift == 0) {
        for_rows_joined(h, groups, {{y.step, px * groups}, {u.step, groups}, {v.step, groups}, {d.step, 2 * px * groups}},
                        [&](ptrdiff_t r, int n) { fn(y.row(r), u.row(r), v.row(r), d.row(r), n); });
        return;
    }
    for_rows(h, [&](ptrdiff_t r) { fn(y.row(r), u.row(r >> shift), v.row(r >> shift), d.row(r), groups); });
}

void p2_to_c2(In y, In uv, Out d, int h, int shift, resample::PackP2Fn fn, int groups, int px) {
    if (shift == 0) {
        for_rows_joined(h, groups, {{y.step, px * groups}, {uv.step, 2 * groups}, {d.step, 2 * px * groups}},
                        [&](ptrdiff_t r, int n) { fn(y.row(r), uv.row(r), d.row(r), n); });
        return;
    }
    for_rows(h, [&](ptrdiff_t r) { fn(y.row(r), uv.row(r >> shift), d.row(r), groups); });
}

// One chroma plane: source row j * in_row_mul goes to destination rows
// j * out_rows_per_in .. (j + 1) * out_rows_per_in - 1, for j in [0, rows);
// VDROP is (2, 1) (row 2j -> j), VDUP (1, 2) (row j -> 2j, 2j+1).
void chroma_plane_copy(In s, Out d, int rows, int in_row_mul, int out_rows_per_in, int n) {
    for_rows(rows, [&](ptrdiff_t j) {
        for (int t = 0; t < out_rows_per_in; ++t) copy_row(s.row(j * in_row_mul), d.row(j * out_rows_per_in + t), n);
    });
}

// P3 -> P2 (COPY, VDROP: chroma row j from source row j * in_row_mul).
void p3_to_p2_chroma(In u, In v, Out uv, int rows, int in_row_mul, int n) {
    const Kernels& k = resample::kernels();
    if (in_row_mul == 1) {
        for_rows_joined(rows, n, {{u.step, n}, {v.step, n}, {uv.step, 2 * n}},
                        [&](ptrdiff_t j, int m) { k.zip(u.row(j), v.row(j), uv.row(j), m); });
        return;
    }
    for_rows(rows, [&](ptrdiff_t j) { k.zip(u.row(j * in_row_mul), v.row(j * in_row_mul), uv.row(j), n); });
}

// P2 -> P3 (COPY, VDUP: chroma row j to out_rows_per_in destination rows).
void p2_to_p3_chroma(In uv, Out u, Out v, int rows, int out_rows_per_in, int n) {
    const Kernels& k = resample::kernels();
    if (out_rows_per_in == 1) {
        for_rows_joined(rows, n, {{uv.step, 2 * n}, {u.step, n}, {v.step, n}},
                        [&](ptrdiff_t j, int m) { k.unzip(uv.row(j), u.row(j), v.row(j), m); });
        return;
    }
    for_rows(rows, [&](ptrdiff_t j) {
        for (int t = 0; t < out_rows_per_in; ++t)
            k.unzip(uv.row(j), u.row(j * out_rows_per_in + t), v.row(j * out_rows_per_in + t), n);
    });
}

// SPLIT, P3 -> P2: row j gives row 2j (even samples) and 2j+1 (odd samples).
void split_p3_p2(In u, In v, Out uv, int h, int w) {
    const Kernels& k = resample::kernels();
    for_rows(h / 2, [&](ptrdiff_t j) { k.split_p2(u.row(j), v.row(j), uv.row(2 * j), uv.row(2 * j + 1), w / 4); });
}

// MERGE, P2 -> P3.
void merge_p2_p3(In uv, Out u, Out v, int h, int w) {
    const Kernels& k = resample::kernels();
    for_rows(h / 2, [&](ptrdiff_t j) { k.merge_p2(uv.row(2 * j), uv.row(2 * j + 1), u.row(j), v.row(j), w / 4); });
}

}  // namespace

extern "C" {

// ===== COPY ================================================================

QRXCC_API QrxStatus qrxiYCbCr422_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], const int dstStep[3],
                                          QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst) || dstStep == nullptr) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Pairs, w, h)) return qrxStatusSizeError;
    const Kernels& k = resample::kernels();
    const bool aligned = multiple_of_16(pSrc) && multiple_of_16(srcStep) && multiple_of_16(pDst[0]) &&
                         multiple_of_16(dstStep[0]) && w % 16 == 0;
    c2_to_p3({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h,
             aligned ? k.unpack_p3_yfirst_a16 : k.unpack_p3_yfirst, w / 2, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr422_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::PairsAnyHeight, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    const Kernels& k = resample::kernels();
    const bool aligned = multiple_of_16(pSrc) && multiple_of_16(srcStep) && multiple_of_16(pDst[0]) &&
                         multiple_of_16(dstStep[0]) && w % 16 == 0;
    // Y Cr Y Cb: the first chroma byte goes to the Cr plane
    c2_to_p3({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 2), out_plane(pDst, dstStep, 1), h,
             aligned ? k.unpack_p3_yfirst_a16 : k.unpack_p3_yfirst, w / 2, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr422_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::PairsAnyHeight, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    c2_to_p3({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h,
             resample::kernels().unpack_p3_cfirst, w / 2, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst, int dstStep,
                                          QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Pairs, w, h)) return qrxStatusSizeError;
    p3_to_c2(in_plane(pSrc, srcStep, 0), in_plane(pSrc, srcStep, 1), in_plane(pSrc, srcStep, 2), {pDst, dstStep}, h, 0,
             resample::kernels().pack_p3_yfirst, w / 2, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                                    int dstStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::PairsAnyHeight, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    // Y Cr Y Cb: Cr takes the first chroma byte
    p3_to_c2(in_plane(pSrc, srcStep, 0), in_plane(pSrc, srcStep, 2), in_plane(pSrc, srcStep, 1), {pDst, dstStep}, h, 0,
             resample::kernels().pack_p3_yfirst, w / 2, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToCbYCr422_8u_C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                                  QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Pairs, w, h)) return qrxStatusSizeError;
    const In s{pSrc, srcStep};
    const Out d{pDst, dstStep};
    const Kernels& k = resample::kernels();
    for_rows_joined(h, w / 2, {{s.step, 2 * w}, {d.step, 2 * w}},
                    [&](ptrdiff_t r, int n) { k.swap_luma_chroma(s.row(r), d.row(r), n); });
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr422_8u_C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                                  QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Pairs, w, h)) return qrxStatusSizeError;
    const In s{pSrc, srcStep};
    const Out d{pDst, dstStep};
    const Kernels& k = resample::kernels();
    for_rows_joined(h, w / 2, {{s.step, 2 * w}, {d.step, 2 * w}},
                    [&](ptrdiff_t r, int n) { k.swap_luma_chroma(s.row(r), d.row(r), n); });
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb422_8u_C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                                  QrxSize roi) {
    if (any_null(pSrc, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::PairsAnyHeight, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    const In s{pSrc, srcStep};
    const Out d{pDst, dstStep};
    const Kernels& k = resample::kernels();
    for_rows_joined(h, w / 2, {{s.step, 2 * w}, {d.step, 2 * w}},
                    [&](ptrdiff_t r, int n) { k.swap_chroma(s.row(r), d.row(r), n); });
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr420_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDstY,
                                          int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), {pDstY, dstYStep}, w, h);
    p3_to_p2_chroma(in_plane(pSrc, srcStep, 1), in_plane(pSrc, srcStep, 2), {pDstCbCr, dstCbCrStep}, h / 2, 1, w / 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr420_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr, int srcCbCrStep,
                                          Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma({pSrcY, srcYStep}, out_plane(pDst, dstStep, 0), w, h);
    p2_to_p3_chroma({pSrcCbCr, srcCbCrStep}, out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h / 2, 1, w / 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr420_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDstY,
                                                    int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), {pDstY, dstYStep}, w, h);
    // planes Y, Cr, Cb: the Cb plane is the third
    p3_to_p2_chroma(in_plane(pSrc, srcStep, 2), in_plane(pSrc, srcStep, 1), {pDstCbCr, dstCbCrStep}, h / 2, 1, w / 2);
    return qrxStatusOk;
}

// Writes Cb to the second pointer's plane and Cr to the third, like the
// plain P2 -> P3 copy; its checks run in an order of their own.
QRXCC_API QrxStatus qrxiYCbCr420ToYCrCb420_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3],
                                                    QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr, pDst)) return qrxStatusNullPointer;
    if (size_below(roi, 1, 1)) return qrxStatusSizeError;
    if (any_plane_null(pDst, 3)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma({pSrcY, srcYStep}, out_plane(pDst, dstStep, 0), w, h);
    p2_to_p3_chroma({pSrcCbCr, srcCbCrStep}, out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h / 2, 1, w / 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDstY,
                                          int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    copy_luma(in_plane(pSrc, srcStep, 0), {pDstY, dstYStep}, w, h);
    p3_to_p2_chroma(in_plane(pSrc, srcStep, 1), in_plane(pSrc, srcStep, 2), {pDstCbCr, dstCbCrStep}, h, 1, w / 4);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr, int srcCbCrStep,
                                          Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    copy_luma({pSrcY, srcYStep}, out_plane(pDst, dstStep, 0), w, h);
    p2_to_p3_chroma({pSrcCbCr, srcCbCrStep}, out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h, 1, w / 4);
    return qrxStatusOk;
}

// ===== VDROP ===============================================================

QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                  Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (p3_null(pSrc, pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), out_plane(pDst, dstStep, 0), w, h);
    for (int p = 1; p < 3; ++p) chroma_plane_copy(in_plane(pSrc, srcStep, p), out_plane(pDst, dstStep, p), h / 2, 2, 1, w / 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    const Kernels& k = resample::kernels();
    c2_to_p3_vdrop({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 1),
                   out_plane(pDst, dstStep, 2), w, h, k.unpack_p3_yfirst, k.unpack_y_yfirst);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr420_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    const Kernels& k = resample::kernels();
    c2_to_p3_vdrop({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 1),
                   out_plane(pDst, dstStep, 2), w, h, k.unpack_p3_cfirst, k.unpack_y_cfirst);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr420_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    const Kernels& k = resample::kernels();
    // Y Cr Y Cb source: the first chroma byte is Cr
    c2_to_p3_vdrop({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 2),
                   out_plane(pDst, dstStep, 1), w, h, k.unpack_p3_yfirst, k.unpack_y_yfirst);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb420_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    const Kernels& k = resample::kernels();
    // destination planes Y, Cr, Cb: Cb goes to the third
    c2_to_p3_vdrop({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 2),
                   out_plane(pDst, dstStep, 1), w, h, k.unpack_p3_yfirst, k.unpack_y_yfirst);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiCbYCr422ToYCrCb420_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    const Kernels& k = resample::kernels();
    c2_to_p3_vdrop({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 2),
                   out_plane(pDst, dstStep, 1), w, h, k.unpack_p3_cfirst, k.unpack_y_cfirst);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_C2P2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDstY, int dstYStep,
                                                    Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (any_null(pSrc, pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    const Kernels& k = resample::kernels();
    c2_to_p2_vdrop({pSrc, srcStep}, {pDstY, dstYStep}, {pDstCbCr, dstCbCrStep}, w, h, k.unpack_p2_vdrop_yfirst);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr420_8u_C2P2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDstY, int dstYStep,
                                                    Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (any_null(pSrc, pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    const Kernels& k = resample::kernels();
    c2_to_p2_vdrop({pSrc, srcStep}, {pDstY, dstYStep}, {pDstCbCr, dstCbCrStep}, w, h, k.unpack_p2_vdrop_cfirst);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDstY,
                                                    int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), {pDstY, dstYStep}, w, h);
    p3_to_p2_chroma(in_plane(pSrc, srcStep, 1), in_plane(pSrc, srcStep, 2), {pDstCbCr, dstCbCrStep}, h / 2, 2, w / 2);
    return qrxStatusOk;
}

// ===== VDUP ================================================================

QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                  Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (p3_null(pSrc, pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), out_plane(pDst, dstStep, 0), w, h);
    for (int p = 1; p < 3; ++p) chroma_plane_copy(in_plane(pSrc, srcStep, p), out_plane(pDst, dstStep, p), h / 2, 1, 2, w / 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                  Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (p3_null(pSrc, pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), out_plane(pDst, dstStep, 0), w, h);
    // source planes Y, Cr, Cb; destination Y, Cb, Cr
    chroma_plane_copy(in_plane(pSrc, srcStep, 2), out_plane(pDst, dstStep, 1), h / 2, 1, 2, w / 2);
    chroma_plane_copy(in_plane(pSrc, srcStep, 1), out_plane(pDst, dstStep, 2), h / 2, 1, 2, w / 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3],
                                                    QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    copy_luma({pSrcY, srcYStep}, out_plane(pDst, dstStep, 0), w, h);
    p2_to_p3_chroma({pSrcCbCr, srcCbCrStep}, out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h / 2, 2, w / 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P2C2R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    p2_to_c2({pSrcY, srcYStep}, {pSrcCbCr, srcCbCrStep}, {pDst, dstStep}, h, 1, resample::kernels().pack_p2_yfirst, w / 2, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr420ToCbYCr422_8u_P2C2R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    p2_to_c2({pSrcY, srcYStep}, {pSrcCbCr, srcCbCrStep}, {pDst, dstStep}, h, 1, resample::kernels().pack_p2_cfirst, w / 2, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                                    int dstStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    // source planes Y, Cr, Cb: Cb (third) is the first chroma byte of the output
    p3_to_c2(in_plane(pSrc, srcStep, 0), in_plane(pSrc, srcStep, 2), in_plane(pSrc, srcStep, 1), {pDst, dstStep}, h, 1,
             resample::kernels().pack_p3_yfirst, w / 2, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCrCb420ToCbYCr422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                                    int dstStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Frame420, w, h)) return qrxStatusSizeError;
    p3_to_c2(in_plane(pSrc, srcStep, 0), in_plane(pSrc, srcStep, 2), in_plane(pSrc, srcStep, 1), {pDst, dstStep}, h, 1,
             resample::kernels().pack_p3_cfirst, w / 2, 2);
    return qrxStatusOk;
}

// ===== HDROP ===============================================================

QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                  Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (p3_null(pSrc, pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    copy_luma(in_plane(pSrc, srcStep, 0), out_plane(pDst, dstStep, 0), w, h);
    const Kernels& k = resample::kernels();
    for (int p = 1; p < 3; ++p) {
        const In s = in_plane(pSrc, srcStep, p);
        const Out d = out_plane(pDst, dstStep, p);
        for_rows_joined(h, w / 4, {{s.step, w / 2}, {d.step, w / 4}},
                        [&](ptrdiff_t r, int n) { k.drop(s.row(r), d.row(r), n); });
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    c2_to_p3({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h,
             resample::kernels().unpack_p3_hdrop_yfirst, w / 4, 4);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr411_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    c2_to_p3({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h,
             resample::kernels().unpack_p3_hdrop_cfirst, w / 4, 4);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr411_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                                    const int dstStep[3], QrxSize roi) {
    if (any_null(pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    // Y Cr Y Cb: the first chroma byte is Cr
    c2_to_p3({pSrc, srcStep}, out_plane(pDst, dstStep, 0), out_plane(pDst, dstStep, 2), out_plane(pDst, dstStep, 1), h,
             resample::kernels().unpack_p3_hdrop_yfirst, w / 4, 4);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_C2P2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDstY, int dstYStep,
                                                    Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (any_null(pSrc, pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    const In s{pSrc, srcStep};
    const Out y{pDstY, dstYStep}, uv{pDstCbCr, dstCbCrStep};
    const Kernels& k = resample::kernels();
    for_rows_joined(h, w / 4, {{s.step, 2 * w}, {y.step, w}, {uv.step, w / 2}},
                    [&](ptrdiff_t r, int n) { k.unpack_p2_hdrop_yfirst(s.row(r), y.row(r), uv.row(r), n); });
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDstY,
                                                    int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    copy_luma(in_plane(pSrc, srcStep, 0), {pDstY, dstYStep}, w, h);
    const In u = in_plane(pSrc, srcStep, 1), v = in_plane(pSrc, srcStep, 2);
    const Out uv{pDstCbCr, dstCbCrStep};
    const Kernels& k = resample::kernels();
    for_rows_joined(h, w / 4, {{u.step, w / 2}, {v.step, w / 2}, {uv.step, w / 2}},
                    [&](ptrdiff_t r, int n) { k.zip_even(u.row(r), v.row(r), uv.row(r), n); });
    return qrxStatusOk;
}

// ===== HDUP ================================================================

namespace {
void hdup_p3(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* const pDst[3], const int dstStep[3], int w,
             int h, int cb_out, int cr_out) {
    copy_luma(in_plane(pSrc, srcStep, 0), out_plane(pDst, dstStep, 0), w, h);
    const Kernels& k = resample::kernels();
    const In cb = in_plane(pSrc, srcStep, 1), cr = in_plane(pSrc, srcStep, 2);
    const Out dcb = out_plane(pDst, dstStep, cb_out), dcr = out_plane(pDst, dstStep, cr_out);
    for_rows(h, [&](ptrdiff_t r) {
        k.dup(cb.row(r), dcb.row(r), w / 4);
        k.dup(cr.row(r), dcr.row(r), w / 4);
    });
}
}  // namespace

QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                  Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (p3_null(pSrc, pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    hdup_p3(pSrc, srcStep, pDst, dstStep, w, h, 1, 2);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb422_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                  Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (p3_null(pSrc, pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    hdup_p3(pSrc, srcStep, pDst, dstStep, w, h, 2, 1);  // destination planes Y, Cr, Cb
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                                    int dstStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    p3_to_c2(in_plane(pSrc, srcStep, 0), in_plane(pSrc, srcStep, 1), in_plane(pSrc, srcStep, 2), {pDst, dstStep}, h, 0,
             resample::kernels().pack_p3_hdup_yfirst, w / 4, 4);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                                    int dstStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    // Y Cr Y Cb: Cr takes the first chroma byte
    p3_to_c2(in_plane(pSrc, srcStep, 0), in_plane(pSrc, srcStep, 2), in_plane(pSrc, srcStep, 1), {pDst, dstStep}, h, 0,
             resample::kernels().pack_p3_hdup_yfirst, w / 4, 4);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P2C2R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* pDst, int dstStep, QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    p2_to_c2({pSrcY, srcYStep}, {pSrcCbCr, srcCbCrStep}, {pDst, dstStep}, h, 0, resample::kernels().pack_p2_hdup_yfirst, w / 4, 4);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3],
                                                    QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads, w, h)) return qrxStatusSizeError;
    if (h <= 0) return qrxStatusOk;  // height not checked: nothing to convert
    copy_luma({pSrcY, srcYStep}, out_plane(pDst, dstStep, 0), w, h);
    const In uv{pSrcCbCr, srcCbCrStep};
    const Out u = out_plane(pDst, dstStep, 1), v = out_plane(pDst, dstStep, 2);
    const Kernels& k = resample::kernels();
    for_rows_joined(h, w / 4, {{uv.step, w / 2}, {u.step, w / 2}, {v.step, w / 2}},
                    [&](ptrdiff_t r, int n) { k.unzip_dup(uv.row(r), u.row(r), v.row(r), n); });
    return qrxStatusOk;
}

// ===== SPLIT ===============================================================

QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr411_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDstY,
                                                    int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), {pDstY, dstYStep}, w, h);
    split_p3_p2(in_plane(pSrc, srcStep, 1), in_plane(pSrc, srcStep, 2), {pDstCbCr, dstCbCrStep}, h, w);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr411_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDstY,
                                                    int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), {pDstY, dstYStep}, w, h);
    split_p3_p2(in_plane(pSrc, srcStep, 2), in_plane(pSrc, srcStep, 1), {pDstCbCr, dstCbCrStep}, h, w);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr411_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3],
                                                    QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads420, w, h)) return qrxStatusSizeError;
    copy_luma({pSrcY, srcYStep}, out_plane(pDst, dstStep, 0), w, h);
    const In uv{pSrcCbCr, srcCbCrStep};
    const Out u = out_plane(pDst, dstStep, 1), v = out_plane(pDst, dstStep, 2);
    const Kernels& k = resample::kernels();
    // pairs 0, 2, 4, ... to the even row, pairs 1, 3, 5, ... to the odd row
    for_rows(h / 2, [&](ptrdiff_t j) { k.unzip4(uv.row(j), u.row(2 * j), v.row(2 * j), u.row(2 * j + 1), v.row(2 * j + 1), w / 4); });
    return qrxStatusOk;
}

// ===== MERGE ===============================================================

QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                                  Qrx8u* const pDst[3], const int dstStep[3], QrxSize roi) {
    if (p3_null(pSrc, pSrc) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), out_plane(pDst, dstStep, 0), w, h);
    const Kernels& k = resample::kernels();
    for (int p = 1; p < 3; ++p) {
        const In s = in_plane(pSrc, srcStep, p);
        const Out d = out_plane(pDst, dstStep, p);
        for_rows(h / 2, [&](ptrdiff_t j) { k.zip(s.row(2 * j), s.row(2 * j + 1), d.row(j), w / 4); });
    }
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDstY,
                                                    int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxSize roi) {
    if (p3_null(pSrc, pSrc) || any_null(pDstY, pDstCbCr)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads420, w, h)) return qrxStatusSizeError;
    copy_luma(in_plane(pSrc, srcStep, 0), {pDstY, dstYStep}, w, h);
    const In u = in_plane(pSrc, srcStep, 1), v = in_plane(pSrc, srcStep, 2);
    const Out uv{pDstCbCr, dstCbCrStep};
    const Kernels& k = resample::kernels();
    for_rows(h / 2, [&](ptrdiff_t j) {
        k.zip4(u.row(2 * j), v.row(2 * j), u.row(2 * j + 1), v.row(2 * j + 1), uv.row(j), w / 4);
    });
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3],
                                                    QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads420, w, h)) return qrxStatusSizeError;
    copy_luma({pSrcY, srcYStep}, out_plane(pDst, dstStep, 0), w, h);
    merge_p2_p3({pSrcCbCr, srcCbCrStep}, out_plane(pDst, dstStep, 1), out_plane(pDst, dstStep, 2), h, w);
    return qrxStatusOk;
}

QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb420_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep, const Qrx8u* pSrcCbCr,
                                                    int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3],
                                                    QrxSize roi) {
    if (any_null(pSrcY, pSrcCbCr) || p3_null(pDst, pDst)) return qrxStatusNullPointer;
    int w, h;
    if (!used_size(roi, Size::Quads420, w, h)) return qrxStatusSizeError;
    copy_luma({pSrcY, srcYStep}, out_plane(pDst, dstStep, 0), w, h);
    // destination planes Y, Cr, Cb
    merge_p2_p3({pSrcCbCr, srcCbCrStep}, out_plane(pDst, dstStep, 2), out_plane(pDst, dstStep, 1), h, w);
    return qrxStatusOk;
}

}  // extern "C"
