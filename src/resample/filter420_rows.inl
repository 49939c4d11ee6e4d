// Row kernels of the filtered 4:2:0 conversions, compiled once per CPU level
// (the including file defines QRX_LEVEL).  Plain integer loops over the
// recipes; the vector levels get the same bytes from the compiler.
#include "resample/filter420_kernels.h"

namespace qrx::filter420::QRX_LEVEL {
namespace {

void interp(const u8* __restrict a, const u8* __restrict b, const u8* __restrict c, const u8* __restrict d,
            u8* __restrict dst, int n) {
    for (int i = 0; i < n; ++i) dst[i] = interp4(a[i], b[i], c[i], d[i]);
}

void unzip(const u8* __restrict s, u8* __restrict u, u8* __restrict v, int n) {
    for (int i = 0; i < n; ++i) {
        u[i] = s[2 * i];
        v[i] = s[2 * i + 1];
    }
}

// Interleaved rows: interpolated in row order through a small buffer,
// then split into the two planes (the same values as sample by sample).
void interp_uv(const u8* __restrict a, const u8* __restrict b, const u8* __restrict c, const u8* __restrict d,
               u8* __restrict u, u8* __restrict v, int n) {
    constexpr int kChunk = 256;
    u8 tmp[2 * kChunk];
    for (int k = 0; k < n; k += kChunk) {
        const int len = n - k < kChunk ? n - k : kChunk;
        interp(a + 2 * k, b + 2 * k, c + 2 * k, d + 2 * k, tmp, 2 * len);
        unzip(tmp, u + k, v + k, len);
    }
}

template <u8 (*Smooth)(int, int, int)>
void smooth(const u8* __restrict a, const u8* __restrict b, const u8* __restrict c, u8* __restrict dst, int n) {
    for (int i = 0; i < n; ++i) dst[i] = Smooth(a[i], b[i], c[i]);
}

template <u8 (*Avg)(int, int)>
void avg_uv(const u8* __restrict ca, const u8* __restrict cb, u8* __restrict u, u8* __restrict v, int n) {
    for (int i = 0; i < n; ++i) {
        u[i] = Avg(ca[2 * i], cb[2 * i]);
        v[i] = Avg(ca[2 * i + 1], cb[2 * i + 1]);
    }
}

template <u8 (*Smooth)(int, int, int), u8 (*Avg)(int, int)>
void packed(const u8* __restrict a, const u8* __restrict b, const u8* __restrict c, const u8* __restrict ca,
            const u8* __restrict cb, u8* __restrict dst, int n) {
    for (int i = 0; i < n; ++i) {
        dst[4 * i] = Smooth(a[2 * i], b[2 * i], c[2 * i]);
        dst[4 * i + 1] = Avg(ca[2 * i], cb[2 * i]);
        dst[4 * i + 2] = Smooth(a[2 * i + 1], b[2 * i + 1], c[2 * i + 1]);
        dst[4 * i + 3] = Avg(ca[2 * i + 1], cb[2 * i + 1]);
    }
}

}  // namespace

extern const Kernels kTable = {
    interp,
    interp_uv,
    unzip,
    smooth<smooth_round>,
    smooth<smooth_trunc>,
    avg_uv<avg_round>,
    avg_uv<avg_trunc>,
    packed<smooth_round, avg_round>,
    packed<smooth_trunc, avg_trunc>,
};

}  // namespace qrx::filter420::QRX_LEVEL
