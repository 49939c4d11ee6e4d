// Row operations of the chroma layout and sampling conversions.  Every
// conversion is a description built from these: which operation moves the
// luma, and which moves each chroma row.  Nothing here does arithmetic on a
// sample; the operations only copy, pick, repeat and interleave bytes.
//
// Packed 4:2:2 orders are told apart by where luma sits in each 4-byte group:
// "luma first" (Y0 C0 Y1 C1: YCbCr422 and YCrCb422) or "chroma first"
// (C0 Y0 C1 Y1: CbYCr422).  YCrCb422 is YCbCr422 with the two chroma
// destinations (or sources) exchanged, so it needs no operations of its own.
// In the names below `u` is the chroma byte at offset 1 (luma first) or 0
// (chroma first) of a group, and `v` the other one.
#pragma once

#include <cstdint>

#include "core/cpu.h"

namespace qrx::resample {

using u8 = std::uint8_t;

// Packed 4:2:2 row -> planes.
using UnpackP3Fn = void (*)(const u8* src, u8* y, u8* u, u8* v, int pairs);
using UnpackYFn = void (*)(const u8* src, u8* y, int pairs);
using UnpackP2Fn = void (*)(const u8* src, u8* y, u8* uv, int pairs);
// Two packed 4:2:2 rows -> both luma rows and the first row's chroma (u, v) pairs.
using UnpackP2VdropFn = void (*)(const u8* src0, const u8* src1, u8* y0, u8* y1, u8* uv, int pairs);
// Planes -> packed 4:2:2 row.
using PackP3Fn = void (*)(const u8* y, const u8* u, const u8* v, u8* dst, int pairs);
using PackP2Fn = void (*)(const u8* y, const u8* uv, u8* dst, int pairs);
// Plain byte rows.
using CopyFn = void (*)(const u8* src, u8* dst, int n);
using ZipFn = void (*)(const u8* a, const u8* b, u8* dst, int n);
using UnzipFn = void (*)(const u8* src, u8* a, u8* b, int n);
using Zip4Fn = void (*)(const u8* a, const u8* b, const u8* c, const u8* d, u8* dst, int n);
using Unzip4Fn = void (*)(const u8* src, u8* a, u8* b, u8* c, u8* d, int n);
using MergeP2Fn = void (*)(const u8* uva, const u8* uvb, u8* u, u8* v, int n);
using SplitP2Fn = void (*)(const u8* u, const u8* v, u8* uv_even, u8* uv_odd, int n);

struct Kernels {
    // Packed -> planar.  `pairs` counts 2-pixel groups (4 bytes), `quads`
    // 4-pixel groups (8 bytes).
    UnpackP3Fn unpack_p3_yfirst, unpack_p3_cfirst;            // all chroma
    UnpackP3Fn unpack_p3_yfirst_a16;                          // the first, 16-byte aligned rows
    UnpackYFn unpack_y_yfirst, unpack_y_cfirst;               // luma only
    UnpackP3Fn unpack_p3_hdrop_yfirst, unpack_p3_hdrop_cfirst;  // (quads) chroma of the first pair of 4
    UnpackP2VdropFn unpack_p2_vdrop_yfirst, unpack_p2_vdrop_cfirst;  // chroma as (u, v) pairs, every other row
    UnpackP2Fn unpack_p2_hdrop_yfirst;                        // (quads)
    // Planar -> packed.
    PackP3Fn pack_p3_yfirst, pack_p3_cfirst;
    PackP3Fn pack_p3_hdup_yfirst;                             // (quads) one chroma pair for both pairs
    PackP2Fn pack_p2_yfirst, pack_p2_cfirst;
    PackP2Fn pack_p2_hdup_yfirst;                             // (quads)
    // Packed -> packed.
    CopyFn swap_luma_chroma;   // (pairs) Y0 C0 Y1 C1 <-> C0 Y0 C1 Y1
    CopyFn swap_chroma;        // (pairs) Y0 C0 Y1 C1 -> Y0 C1 Y1 C0
    // Byte rows (n counts output samples of one plane, or output pairs).  Plain
    // block copies are core's copy_bytes.
    ZipFn zip;                 // dst[2i] = a[i], dst[2i+1] = b[i]
    UnzipFn unzip;             // a[i] = src[2i], b[i] = src[2i+1]
    ZipFn zip_even;            // dst[2i] = a[2i], dst[2i+1] = b[2i]
    CopyFn drop;               // dst[i] = src[2i]
    CopyFn dup;                // dst[2i] = dst[2i+1] = src[i]
    UnzipFn unzip_dup;         // a[2i] = a[2i+1] = src[2i], b likewise from src[2i+1]
    Zip4Fn zip4;               // dst[4i..4i+3] = a[i], b[i], c[i], d[i]
    Unzip4Fn unzip4;           // a[i], b[i], c[i], d[i] = src[4i..4i+3]
    MergeP2Fn merge_p2;        // u[2i] = uva[2i], u[2i+1] = uvb[2i]; v from the odd bytes
    SplitP2Fn split_p2;        // uv_even[2i] = u[2i], uv_even[2i+1] = v[2i]; uv_odd from u[2i+1], v[2i+1]
};

}  // namespace qrx::resample

QRX_KERNEL_TABLE(qrx::resample, Kernels)
