// Row operations of the chroma layout conversions, compiled once per CPU
// level (the including file defines QRX_LEVEL, and QRX_LEVEL_SCALAR for the
// reference level).  Each operation is first written as a plain loop; the
// vector levels run the same byte moves in wide registers over the leading
// part of the row and finish it with the plain loop.

#include "resample/chroma_kernels.h"
#include "resample/chroma_bodies.h"

namespace qrx::resample::QRX_LEVEL {
namespace {

// Byte offsets inside a 4-byte packed group: luma first or chroma first.
template <bool CFirst>
struct Packed {
    static constexpr int y0 = CFirst ? 1 : 0;
    static constexpr int u = CFirst ? 0 : 1;
    static constexpr int y1 = CFirst ? 3 : 2;
    static constexpr int v = CFirst ? 2 : 3;
};

// ---- plain loops (the reference, and the tail of every vector loop) --------

template <bool CF>
void unpack_p3_tail(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int i, int pairs) {
    using P = Packed<CF>;
    for (; i < pairs; ++i) {
        y[2 * i] = s[4 * i + P::y0];
        y[2 * i + 1] = s[4 * i + P::y1];
        u[i] = s[4 * i + P::u];
        v[i] = s[4 * i + P::v];
    }
}

template <bool CF>
void unpack_y_tail(const u8* __restrict s, u8* __restrict y, int i, int pairs) {
    using P = Packed<CF>;
    for (; i < pairs; ++i) {
        y[2 * i] = s[4 * i + P::y0];
        y[2 * i + 1] = s[4 * i + P::y1];
    }
}

template <bool CF>
void unpack_p2_tail(const u8* __restrict s, u8* __restrict y, u8* __restrict uv, int i, int pairs) {
    using P = Packed<CF>;
    for (; i < pairs; ++i) {
        y[2 * i] = s[4 * i + P::y0];
        y[2 * i + 1] = s[4 * i + P::y1];
        uv[2 * i] = s[4 * i + P::u];
        uv[2 * i + 1] = s[4 * i + P::v];
    }
}

template <bool CF>
void unpack_uv_tail(const u8* __restrict s, u8* __restrict uv, int i, int pairs) {
    using P = Packed<CF>;
    for (; i < pairs; ++i) {
        uv[2 * i] = s[4 * i + P::u];
        uv[2 * i + 1] = s[4 * i + P::v];
    }
}

template <bool CF>
void pack_p3_tail(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d, int i,
                  int pairs) {
    using P = Packed<CF>;
    for (; i < pairs; ++i) {
        d[4 * i + P::y0] = y[2 * i];
        d[4 * i + P::u] = u[i];
        d[4 * i + P::y1] = y[2 * i + 1];
        d[4 * i + P::v] = v[i];
    }
}

template <bool CF>
void pack_p2_tail(const u8* __restrict y, const u8* __restrict uv, u8* __restrict d, int i, int pairs) {
    using P = Packed<CF>;
    for (; i < pairs; ++i) {
        d[4 * i + P::y0] = y[2 * i];
        d[4 * i + P::u] = uv[2 * i];
        d[4 * i + P::y1] = y[2 * i + 1];
        d[4 * i + P::v] = uv[2 * i + 1];
    }
}

void swap_luma_chroma_tail(const u8* __restrict s, u8* __restrict d, int i, int pairs) {
    for (; i < pairs; ++i) {
        d[4 * i] = s[4 * i + 1];
        d[4 * i + 1] = s[4 * i];
        d[4 * i + 2] = s[4 * i + 3];
        d[4 * i + 3] = s[4 * i + 2];
    }
}

void swap_chroma_tail(const u8* __restrict s, u8* __restrict d, int i, int pairs) {
    for (; i < pairs; ++i) {
        d[4 * i] = s[4 * i];
        d[4 * i + 1] = s[4 * i + 3];
        d[4 * i + 2] = s[4 * i + 2];
        d[4 * i + 3] = s[4 * i + 1];
    }
}

void zip_tail(const u8* __restrict a, const u8* __restrict b, u8* __restrict d, int i, int n) {
    for (; i < n; ++i) {
        d[2 * i] = a[i];
        d[2 * i + 1] = b[i];
    }
}

void unzip_tail(const u8* __restrict s, u8* __restrict a, u8* __restrict b, int i, int n) {
    for (; i < n; ++i) {
        a[i] = s[2 * i];
        b[i] = s[2 * i + 1];
    }
}


template <bool CF>
void unpack_p3_hdrop_tail(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int i, int quads) {
    using P = Packed<CF>;
    for (; i < quads; ++i) {
        y[4 * i] = s[8 * i + P::y0];
        y[4 * i + 1] = s[8 * i + P::y1];
        y[4 * i + 2] = s[8 * i + 4 + P::y0];
        y[4 * i + 3] = s[8 * i + 4 + P::y1];
        u[i] = s[8 * i + P::u];
        v[i] = s[8 * i + P::v];
    }
}

template <bool CF>
void unpack_p2_hdrop_tail(const u8* __restrict s, u8* __restrict y, u8* __restrict uv, int i, int quads) {
    using P = Packed<CF>;
    for (; i < quads; ++i) {
        y[4 * i] = s[8 * i + P::y0];
        y[4 * i + 1] = s[8 * i + P::y1];
        y[4 * i + 2] = s[8 * i + 4 + P::y0];
        y[4 * i + 3] = s[8 * i + 4 + P::y1];
        uv[2 * i] = s[8 * i + P::u];
        uv[2 * i + 1] = s[8 * i + P::v];
    }
}

template <bool CF>
void pack_p3_hdup_tail(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d, int i,
                       int quads) {
    using P = Packed<CF>;
    for (; i < quads; ++i) {
        d[8 * i + P::y0] = y[4 * i];
        d[8 * i + P::u] = u[i];
        d[8 * i + P::y1] = y[4 * i + 1];
        d[8 * i + P::v] = v[i];
        d[8 * i + 4 + P::y0] = y[4 * i + 2];
        d[8 * i + 4 + P::u] = u[i];
        d[8 * i + 4 + P::y1] = y[4 * i + 3];
        d[8 * i + 4 + P::v] = v[i];
    }
}

template <bool CF>
void pack_p2_hdup_tail(const u8* __restrict y, const u8* __restrict uv, u8* __restrict d, int i, int quads) {
    using P = Packed<CF>;
    for (; i < quads; ++i) {
        d[8 * i + P::y0] = y[4 * i];
        d[8 * i + P::u] = uv[2 * i];
        d[8 * i + P::y1] = y[4 * i + 1];
        d[8 * i + P::v] = uv[2 * i + 1];
        d[8 * i + 4 + P::y0] = y[4 * i + 2];
        d[8 * i + 4 + P::u] = uv[2 * i];
        d[8 * i + 4 + P::y1] = y[4 * i + 3];
        d[8 * i + 4 + P::v] = uv[2 * i + 1];
    }
}

void zip_even_tail(const u8* __restrict a, const u8* __restrict b, u8* __restrict d, int i, int n) {
    for (; i < n; ++i) {
        d[2 * i] = a[2 * i];
        d[2 * i + 1] = b[2 * i];
    }
}

void split_p2_tail(const u8* __restrict u, const u8* __restrict v, u8* __restrict e, u8* __restrict o, int i, int n) {
    for (; i < n; ++i) {
        e[2 * i] = u[2 * i];
        e[2 * i + 1] = v[2 * i];
        o[2 * i] = u[2 * i + 1];
        o[2 * i + 1] = v[2 * i + 1];
    }
}

void drop_tail(const u8* __restrict s, u8* __restrict d, int i, int n) {
    for (; i < n; ++i) d[i] = s[2 * i];
}

void dup_tail(const u8* __restrict s, u8* __restrict d, int i, int n) {
    for (; i < n; ++i) d[2 * i] = d[2 * i + 1] = s[i];
}

void unzip_dup_tail(const u8* __restrict s, u8* __restrict a, u8* __restrict b, int i, int n) {
    for (; i < n; ++i) {
        a[2 * i] = a[2 * i + 1] = s[2 * i];
        b[2 * i] = b[2 * i + 1] = s[2 * i + 1];
    }
}

void zip4_tail(const u8* __restrict a, const u8* __restrict b, const u8* __restrict c, const u8* __restrict e,
               u8* __restrict d, int i, int n) {
    for (; i < n; ++i) {
        d[4 * i] = a[i];
        d[4 * i + 1] = b[i];
        d[4 * i + 2] = c[i];
        d[4 * i + 3] = e[i];
    }
}

void unzip4_tail(const u8* __restrict s, u8* __restrict a, u8* __restrict b, u8* __restrict c, u8* __restrict e,
                 int i, int n) {
    for (; i < n; ++i) {
        a[i] = s[4 * i];
        b[i] = s[4 * i + 1];
        c[i] = s[4 * i + 2];
        e[i] = s[4 * i + 3];
    }
}

void merge_p2_tail(const u8* __restrict uva, const u8* __restrict uvb, u8* __restrict u, u8* __restrict v, int i, int n) {
    for (; i < n; ++i) {
        u[2 * i] = uva[2 * i];
        u[2 * i + 1] = uvb[2 * i];
        v[2 * i] = uva[2 * i + 1];
        v[2 * i + 1] = uvb[2 * i + 1];
    }
}

// ---- operations with a vector body ----------------------------------------
// Each `Body` returns how many units it has done; the plain loop finishes.

template <bool CF, bool Aligned = false>
void unpack_p3(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int pairs) {
    unpack_p3_tail<CF>(s, y, u, v, simd::unpack_p3<CF, Aligned>(s, y, u, v, pairs), pairs);
}

template <bool CF>
void unpack_y(const u8* __restrict s, u8* __restrict y, int pairs) {
    unpack_y_tail<CF>(s, y, simd::unpack_y<CF>(s, y, pairs), pairs);
}

template <bool CF>
void unpack_p2(const u8* __restrict s, u8* __restrict y, u8* __restrict uv, int pairs) {
    unpack_p2_tail<CF>(s, y, uv, simd::unpack_p2<CF>(s, y, uv, pairs), pairs);
}

template <bool CF>
void unpack_uv(const u8* __restrict s, u8* __restrict uv, int pairs) {
    unpack_uv_tail<CF>(s, uv, simd::unpack_uv<CF>(s, uv, pairs), pairs);
}

// Two rows to 4:2:0 (chroma of the first row only).  At 256 bits both luma
// rows go first and the chroma is then read again from cache: beside the peer
// at 1920x1080 this measured 0.93-0.98 -> 1.03-1.05 (YUY2-style) and
// 1.05-1.08 -> 1.11-1.13 (UYVY-style) in three interleaved rounds on an AMD
// EPYC core.  At 512 bits (where the luma rows prefetch) the single pass over
// the first row measured faster, and at 128 bits neither order won for both.
template <bool CF>
void unpack_p2_vdrop(const u8* __restrict s0, const u8* __restrict s1, u8* __restrict y0, u8* __restrict y1,
                     u8* __restrict uv, int pairs) {
#if defined(QRX_RESAMPLE_AVX2) && !defined(QRX_RESAMPLE_AVX512)
    unpack_y<CF>(s0, y0, pairs);
    unpack_y<CF>(s1, y1, pairs);
    unpack_uv<CF>(s0, uv, pairs);
#else
    unpack_p2<CF>(s0, y0, uv, pairs);
    unpack_y<CF>(s1, y1, pairs);
#endif
}

template <bool CF>
void pack_p3(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d, int pairs) {
    pack_p3_tail<CF>(y, u, v, d, simd::pack_p3<CF>(y, u, v, d, pairs), pairs);
}

template <bool CF>
void pack_p2(const u8* __restrict y, const u8* __restrict uv, u8* __restrict d, int pairs) {
    pack_p2_tail<CF>(y, uv, d, simd::pack_p2<CF>(y, uv, d, pairs), pairs);
}

void swap_luma_chroma(const u8* __restrict s, u8* __restrict d, int pairs) {
    swap_luma_chroma_tail(s, d, simd::swap_luma_chroma(s, d, pairs), pairs);
}

void swap_chroma(const u8* __restrict s, u8* __restrict d, int pairs) {
    swap_chroma_tail(s, d, simd::swap_chroma(s, d, pairs), pairs);
}

void zip(const u8* __restrict a, const u8* __restrict b, u8* __restrict d, int n) {
    zip_tail(a, b, d, simd::zip(a, b, d, n), n);
}

void unzip(const u8* __restrict s, u8* __restrict a, u8* __restrict b, int n) {
    unzip_tail(s, a, b, simd::unzip(s, a, b, n), n);
}

template <bool CF>
void unpack_p3_hdrop(const u8* __restrict s, u8* __restrict y, u8* __restrict u, u8* __restrict v, int quads) {
    unpack_p3_hdrop_tail<CF>(s, y, u, v, simd::unpack_p3_hdrop<CF>(s, y, u, v, quads), quads);
}

template <bool CF>
void unpack_p2_hdrop(const u8* __restrict s, u8* __restrict y, u8* __restrict uv, int quads) {
    unpack_p2_hdrop_tail<CF>(s, y, uv, simd::unpack_p2_hdrop<CF>(s, y, uv, quads), quads);
}

template <bool CF>
void pack_p3_hdup(const u8* __restrict y, const u8* __restrict u, const u8* __restrict v, u8* __restrict d, int quads) {
    pack_p3_hdup_tail<CF>(y, u, v, d, simd::pack_p3_hdup<CF>(y, u, v, d, quads), quads);
}

template <bool CF>
void pack_p2_hdup(const u8* __restrict y, const u8* __restrict uv, u8* __restrict d, int quads) {
    pack_p2_hdup_tail<CF>(y, uv, d, simd::pack_p2_hdup<CF>(y, uv, d, quads), quads);
}

void zip_even(const u8* __restrict a, const u8* __restrict b, u8* __restrict d, int n) {
    zip_even_tail(a, b, d, simd::zip_even(a, b, d, n), n);
}

void drop(const u8* __restrict s, u8* __restrict d, int n) { drop_tail(s, d, simd::drop(s, d, n), n); }

void dup(const u8* __restrict s, u8* __restrict d, int n) { dup_tail(s, d, simd::dup(s, d, n), n); }

void unzip_dup(const u8* __restrict s, u8* __restrict a, u8* __restrict b, int n) {
    unzip_dup_tail(s, a, b, simd::unzip_dup(s, a, b, n), n);
}

void zip4(const u8* __restrict a, const u8* __restrict b, const u8* __restrict c, const u8* __restrict e,
          u8* __restrict d, int n) {
    zip4_tail(a, b, c, e, d, simd::zip4(a, b, c, e, d, n), n);
}

void unzip4(const u8* __restrict s, u8* __restrict a, u8* __restrict b, u8* __restrict c, u8* __restrict e, int n) {
    unzip4_tail(s, a, b, c, e, simd::unzip4(s, a, b, c, e, n), n);
}

void merge_p2(const u8* __restrict uva, const u8* __restrict uvb, u8* __restrict u, u8* __restrict v, int n) {
    merge_p2_tail(uva, uvb, u, v, simd::merge_p2(uva, uvb, u, v, n), n);
}

void split_p2(const u8* __restrict u, const u8* __restrict v, u8* __restrict e, u8* __restrict o, int n) {
    split_p2_tail(u, v, e, o, simd::split_p2(u, v, e, o, n), n);
}


}  // namespace

extern const Kernels kTable = {
    unpack_p3<false>, unpack_p3<true>,
    unpack_p3<false, true>,
    unpack_y<false>, unpack_y<true>,
    unpack_p3_hdrop<false>, unpack_p3_hdrop<true>,
    unpack_p2_vdrop<false>, unpack_p2_vdrop<true>,
    unpack_p2_hdrop<false>,
    pack_p3<false>, pack_p3<true>,
    pack_p3_hdup<false>,
    pack_p2<false>, pack_p2<true>,
    pack_p2_hdup<false>,
    swap_luma_chroma, swap_chroma,
    zip, unzip, zip_even, drop, dup, unzip_dup, zip4, unzip4, merge_p2, split_p2,
};

}  // namespace qrx::resample::QRX_LEVEL
