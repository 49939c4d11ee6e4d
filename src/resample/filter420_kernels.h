// Row kernels of the filtered 4:2:0 conversions.  Each converts n samples of
// one row with one recipe; the exported functions decide which rows and
// columns take the rounding (vector) form and which the truncating form.
#pragma once

#include <cstdint>

#include "core/cpu.h"
#include "core/inline.h"

namespace qrx::filter420 {

using u8 = std::uint8_t;

// ---- recipes ----------------------------------------------------------------

QRX_INLINE u8 clamp_u8(int v) { return static_cast<u8>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Four-tap interpolation of the missing chroma row between b and c.
QRX_INLINE u8 interp4(int a, int b, int c, int d) { return clamp_u8((-a + 9 * b + 9 * c - d + 8) >> 4); }

// Two-row average: rounding (vector form) and truncating.
QRX_INLINE u8 avg_round(int a, int b) { return static_cast<u8>((a + b + 1) >> 1); }
QRX_INLINE u8 avg_trunc(int a, int b) { return static_cast<u8>((a + b) >> 1); }

// 1-2-1 vertical smoothing of b with its neighbours a and c.
QRX_INLINE u8 smooth_round(int a, int b, int c) { return avg_round(avg_round(a, b), avg_round(b, c)); }
QRX_INLINE u8 smooth_trunc(int a, int b, int c) { return static_cast<u8>((a + 2 * b + c) >> 2); }

// ---- kernels ----------------------------------------------------------------

using InterpFn = void (*)(const u8* a, const u8* b, const u8* c, const u8* d, u8* dst, int n);
// Interleaved (Cb, Cr) rows in, two planes out; n samples per plane.
using InterpUvFn = void (*)(const u8* a, const u8* b, const u8* c, const u8* d, u8* u, u8* v, int n);
using UnzipFn = void (*)(const u8* src, u8* u, u8* v, int n);
using SmoothFn = void (*)(const u8* a, const u8* b, const u8* c, u8* dst, int n);
using AvgUvFn = void (*)(const u8* ca, const u8* cb, u8* u, u8* v, int n);
// Packed Y0 Cb Y1 Cr output: luma smoothed from rows a, b, c; chroma the
// average of the interleaved rows ca, cb; n counts pixel pairs.
using SmoothPackedFn = void (*)(const u8* a, const u8* b, const u8* c, const u8* ca, const u8* cb, u8* dst, int n);

struct Kernels {
    InterpFn interp;
    InterpUvFn interp_uv;
    UnzipFn unzip;
    SmoothFn smooth_round, smooth_trunc;
    AvgUvFn avg_uv_round, avg_uv_trunc;
    SmoothPackedFn packed_round, packed_trunc;
};

}  // namespace qrx::filter420

QRX_KERNEL_TABLE(qrx::filter420, Kernels)
