// Row kernels of the colour twist, compiled once per CPU level (the including
// file defines QRX_LEVEL).  Every path computes the fixed sum order of its type
// (A, B or C) in single precision, clamps with "NaN gives the maximum" and
// rounds with the current rounding mode, which the exported function has set
// to round-to-nearest for the integer types.
//   scalar: the recipes, pixel by pixel;
//   SSE2 and up: pixel order one pixel per vector (lanes = output channels,
//         the matrix columns as vectors); planes four pixels per vector;
//   AVX2: every integer type and 32f planes eight pixels per vector
//         (lanes = pixels, the matrix entries broadcast);
//   AVX-512: every integer type sixteen pixels per vector (lanes = pixels);
//         32f pixel order four pixels per vector (one per group of four
//         lanes) and planes sixteen at a time.
// One body per scheme, instantiated for the widths a level has.
#include <type_traits>

#include "gray_twist_gamma/twist_kernels.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
#include "core/saturating_lanes.h"
#define QRX_TWIST_SIMD 1
#else
#define QRX_TWIST_SIMD 0
#endif

namespace qrx::twist::QRX_LEVEL {
namespace {

using namespace qrx::gtg;

template <class T>
constexpr bool kOrderB = std::is_same_v<T, s8>;

template <class T>
QRX_INLINE float order3(const float* m, float x0, float x1, float x2) {
    if constexpr (kOrderB<T>)
        return twist_b(m, x0, x1, x2);
    else
        return twist_a(m, x0, x1, x2);
}

// ---- reference paths ----------------------------------------------------------

template <class T, int C>
void pix_ref(const T* s, T* d, std::ptrdiff_t n, const Matrix& m) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const T* p = s + C * i;
        const float x0 = p[0], x1 = p[1], x2 = p[2];
        const float r0 = order3<T>(m.row[0], x0, x1, x2);
        const float r1 = order3<T>(m.row[1], x0, x1, x2);
        const float r2 = order3<T>(m.row[2], x0, x1, x2);
        T* q = d + C * i;
        q[0] = TwistOut<T>::from(r0);
        q[1] = TwistOut<T>::from(r1);
        q[2] = TwistOut<T>::from(r2);
    }
}

template <class T>
void planes_ref(const T* s0, const T* s1, const T* s2, T* d0, T* d1, T* d2, std::ptrdiff_t n, const Matrix& m) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const float x0 = s0[i], x1 = s1[i], x2 = s2[i];
        const float r0 = order3<T>(m.row[0], x0, x1, x2);
        const float r1 = order3<T>(m.row[1], x0, x1, x2);
        const float r2 = order3<T>(m.row[2], x0, x1, x2);
        d0[i] = TwistOut<T>::from(r0);
        d1[i] = TwistOut<T>::from(r1);
        d2[i] = TwistOut<T>::from(r2);
    }
}

#if !QRX_TWIST_SIMD
void c4_ref(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const float* p = s + 4 * i;
        const float x0 = p[0], x1 = p[1], x2 = p[2], x3 = p[3];
        const float r0 = twist_c(m.row[0], x0, x1, x2, x3);
        const float r1 = twist_c(m.row[1], x0, x1, x2, x3);
        const float r2 = twist_c(m.row[2], x0, x1, x2, x3);
        const float r3 = twist_c(m.row[3], x0, x1, x2, x3);
        float* q = d + 4 * i;
        q[0] = r0;
        q[1] = r1;
        q[2] = r2;
        q[3] = r3;
    }
}
#endif

#if QRX_TWIST_SIMD
using lanes::F4;

// ---- one pixel per group of four lanes (lanes = output channels) -------------------
// The matrix columns repeated in every group; x0..x2 (x3) hold the pixel's
// samples, each in all four lanes of its group.

template <class F>
struct Cols {
    F c0, c1, c2, c3;
    explicit Cols(const Matrix& m)
        : c0(lanes::broadcast_quad<F>(m.col[0])), c1(lanes::broadcast_quad<F>(m.col[1])),
          c2(lanes::broadcast_quad<F>(m.col[2])), c3(lanes::broadcast_quad<F>(m.col[3])) {}
};

template <class T, class F>
QRX_INLINE F combine3(const Cols<F>& c, F x0, F x1, F x2) {
    if constexpr (kOrderB<T>)  // ((c0 x0 + c1 x1) + c2 x2) + c3
        return ((c.c0 * x0 + c.c1 * x1) + c.c2 * x2) + c.c3;
    else  // (c3 + c0 x0) + (c2 x2 + c1 x1)
        return (c.c3 + c.c0 * x0) + (c.c2 * x2 + c.c1 * x1);
}
// Order A on pixels held one per group, channels in lanes 0..2.
template <class F>
QRX_INLINE F order_a_quads(const Cols<F>& c, F x) {
    return combine3<float>(c, lanes::splat_quad<0>(x), lanes::splat_quad<1>(x), lanes::splat_quad<2>(x));
}
// Order C: ((c0 x0 + c1 x1) + c2 x2) + c3 x3.
template <class F>
QRX_INLINE F order_c_quads(const Cols<F>& c, F x) {
    return ((c.c0 * lanes::splat_quad<0>(x) + c.c1 * lanes::splat_quad<1>(x)) + c.c2 * lanes::splat_quad<2>(x)) +
           c.c3 * lanes::splat_quad<3>(x);
}

// The largest value of each integer type: the clamp from above stays in
// floats ("NaN gives the maximum"); the one from below is the saturation of
// the stores (8s: the recipe's integer saturation).
template <class T>
constexpr float kHi = std::is_same_v<T, u8> ? 255.0f : std::is_same_v<T, s8> ? 127.0f : std::is_same_v<T, u16> ? 65535.0f : 32767.0f;

template <class T, class F>
QRX_INLINE auto to_samples(F r) {
    return lanes::cvtr(lanes::vmin(r, F(kHi<T>)));
}

// A matrix whose entries are all within +-kBound<T> (so finite) gives sums
// of at most 2^30 in magnitude for every sample of T, never NaN: the
// conversion alone is exact and the stores' saturation is the whole clamp.
template <class T>
constexpr float kBound = sizeof(T) == 1 ? 1048576.0f : 4096.0f;
template <class T>
bool bounded(const Matrix& m) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            if (!(m.row[i][j] >= -kBound<T> && m.row[i][j] <= kBound<T>)) return false;
    return true;
}
template <class T, bool kBounded, class F>
QRX_INLINE auto to_samples_if(F r) {
    if constexpr (kBounded)
        return lanes::cvtr(r);
    else
        return to_samples<T>(r);
}

// Lanes 0..2 of r to the three samples at q.
template <class T>
QRX_INLINE void put3(T* q, F4 r) {
    if constexpr (std::is_same_v<T, float>)
        lanes::store3(q, r);
    else
        lanes::store3_sat(q, to_samples<T>(r));
}

template <class T, int C>
void pix_vec(const T* s, T* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F4> c(m);
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const T* p = s + C * i;
        put3(d + C * i, combine3<T>(c, F4(static_cast<float>(p[0])), F4(static_cast<float>(p[1])), F4(static_cast<float>(p[2]))));
    }
}

// 32f C3 with cache-bypassing stores: once the destination reaches a 16-byte
// boundary, four pixels (48 bytes) go out as three aligned vectors.
[[maybe_unused]] void c3_32f_stream(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F4> c(m);
    auto one = [&](std::ptrdiff_t i) {
        const float* p = s + 3 * i;
        return combine3<float>(c, F4(p[0]), F4(p[1]), F4(p[2]));
    };
    std::ptrdiff_t i = 0;
    if ((reinterpret_cast<std::uintptr_t>(d) & 3) == 0) {
        for (; i < n && (reinterpret_cast<std::uintptr_t>(d + 3 * i) & 15) != 0; ++i) put3(d + 3 * i, one(i));
        for (; i + 4 <= n; i += 4) lanes::stream_c3_quads(d + 3 * i, one(i), one(i + 1), one(i + 2), one(i + 3));
    }
    for (; i < n; ++i) put3(d + 3 * i, one(i));
    lanes::stream_fence();
}

void c4_vec(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F4> c(m);
    for (std::ptrdiff_t i = 0; i < n; ++i) lanes::store_lanes(d + 4 * i, order_c_quads(c, F4::load(s + 4 * i)));
}

// Both row pointers 16-byte aligned: cache-bypassing stores.
void c4_stream(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F4> c(m);
    for (std::ptrdiff_t i = 0; i < n; ++i) lanes::stream_lanes(d + 4 * i, order_c_quads(c, F4::load(s + 4 * i)));
    lanes::stream_fence();
}

// ---- one pixel per lane: F4 (planes), F8 (AVX2), F16 (AVX-512) ---------------------

template <class F>
struct Bcast {
    F t[3][4];
    explicit Bcast(const Matrix& m) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) t[i][j] = F(m.row[i][j]);
    }
};

// Output channel i: order B for 8s, A otherwise.
template <class T, class F>
QRX_INLINE F twist_lanes(const Bcast<F>& b, int i, F x0, F x1, F x2) {
    if constexpr (kOrderB<T>)
        return ((b.t[i][0] * x0 + b.t[i][1] * x1) + b.t[i][2] * x2) + b.t[i][3];
    else
        return (b.t[i][3] + b.t[i][0] * x0) + (b.t[i][2] * x2 + b.t[i][1] * x1);
}

template <class T, class F, bool kBounded>
void planes_body(const T* s0, const T* s1, const T* s2, T* d0, T* d1, T* d2, std::ptrdiff_t n, const Bcast<F>& b) {
    constexpr int W = F::kWidth;
    for (std::ptrdiff_t i = 0; i + W <= n; i += W) {
        const F x0 = lanes::load_plane_float<F>(s0 + i), x1 = lanes::load_plane_float<F>(s1 + i),
                x2 = lanes::load_plane_float<F>(s2 + i);
        const F r0 = twist_lanes<T>(b, 0, x0, x1, x2), r1 = twist_lanes<T>(b, 1, x0, x1, x2), r2 = twist_lanes<T>(b, 2, x0, x1, x2);
        if constexpr (std::is_same_v<T, float>) {
            lanes::store_lanes(d0 + i, r0);
            lanes::store_lanes(d1 + i, r1);
            lanes::store_lanes(d2 + i, r2);
        } else {
            lanes::store_plane_sat(d0 + i, to_samples_if<T, kBounded>(r0));
            lanes::store_plane_sat(d1 + i, to_samples_if<T, kBounded>(r1));
            lanes::store_plane_sat(d2 + i, to_samples_if<T, kBounded>(r2));
        }
    }
}

template <class T, class F>
void planes_lanes(const T* s0, const T* s1, const T* s2, T* d0, T* d1, T* d2, std::ptrdiff_t n, const Matrix& m) {
    constexpr int W = F::kWidth;
    const Bcast<F> b(m);
    if (!std::is_same_v<T, float> && bounded<T>(m))
        planes_body<T, F, true>(s0, s1, s2, d0, d1, d2, n, b);
    else
        planes_body<T, F, false>(s0, s1, s2, d0, d1, d2, n, b);
    const std::ptrdiff_t i = n - n % W;
#if defined(__AVX2__)
    if constexpr (W > 8) {
        planes_lanes<T, lanes::F8>(s0 + i, s1 + i, s2 + i, d0 + i, d1 + i, d2 + i, n - i, m);
        return;
    }
#endif
    if constexpr (W > 4)
        planes_lanes<T, F4>(s0 + i, s1 + i, s2 + i, d0 + i, d1 + i, d2 + i, n - i, m);
    else
        planes_ref<T>(s0 + i, s1 + i, s2 + i, d0 + i, d1 + i, d2 + i, n - i, m);
}

#if defined(__AVX2__)
// Pixel order of every integer type (the loads and stores of
// core/saturating_lanes.h).  Both rows are asked for kAhead bytes
// ahead: at 1920x1080 on the shared 2-core machine the 8u AC4 body at 256
// bits ran about 15% faster with it (the hardware prefetch alone left it
// waiting on memory).
constexpr std::ptrdiff_t kAhead = 2048;

template <class T, int C, class F, bool kBounded>
void pix_body(const T* s, T* d, std::ptrdiff_t n, const Bcast<F>& b) {
    constexpr int W = F::kWidth;
    for (std::ptrdiff_t i = 0; i + W <= n; i += W) {
        __builtin_prefetch(s + C * i + kAhead / sizeof(T));
        __builtin_prefetch(d + C * i + kAhead / sizeof(T), 1);
        F x0, x1, x2;
        lanes::load_pixels_float<C>(s + C * i, x0, x1, x2);
        lanes::store_pixels_sat<C>(d + C * i, to_samples_if<T, kBounded>(twist_lanes<T>(b, 0, x0, x1, x2)),
                                   to_samples_if<T, kBounded>(twist_lanes<T>(b, 1, x0, x1, x2)),
                                   to_samples_if<T, kBounded>(twist_lanes<T>(b, 2, x0, x1, x2)));
    }
}

template <class T, int C, class F>
void pix_lanes(const T* s, T* d, std::ptrdiff_t n, const Matrix& m) {
    constexpr int W = F::kWidth;
    const Bcast<F> b(m);
    if (bounded<T>(m))
        pix_body<T, C, F, true>(s, d, n, b);
    else
        pix_body<T, C, F, false>(s, d, n, b);
    const std::ptrdiff_t i = n - n % W;
    if constexpr (W > 8)
        pix_lanes<T, C, lanes::F8>(s + C * i, d + C * i, n - i, m);
    else
        pix_vec<T, C>(s + C * i, d + C * i, n - i, m);
}
#endif

#if defined(QRX_LANES_HAVE_16)
// ---- 32f at AVX-512: four pixels per vector, one per group of four lanes -------------
using lanes::F16;

void c3_32f_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F16> c(m);
    std::ptrdiff_t i = 0;
    for (; i + 4 <= n; i += 4) lanes::store_c3_quads(d + 3 * i, order_a_quads(c, lanes::load_c3_quads(s + 3 * i)));
    pix_vec<float, 3>(s + 3 * i, d + 3 * i, n - i, m);
}

void ac4_32f_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F16> c(m);
    std::ptrdiff_t i = 0;
    for (; i + 4 <= n; i += 4) lanes::store_c4_keep_fourth(d + 4 * i, order_a_quads(c, F16::load(s + 4 * i)));
    pix_vec<float, 4>(s + 4 * i, d + 4 * i, n - i, m);
}

// Cache-bypassing C3: once the destination sits on 64 bytes, sixteen pixels
// (48 floats) go out as three aligned vectors.
void c3_32f_stream_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F16> c(m);
    std::ptrdiff_t i = 0;
    if ((reinterpret_cast<std::uintptr_t>(d) & 3) == 0) {
        for (; i < n && (reinterpret_cast<std::uintptr_t>(d + 3 * i) & 63) != 0; ++i) pix_vec<float, 3>(s + 3 * i, d + 3 * i, 1, m);
        for (; i + 16 <= n; i += 16) {
            const float* p = s + 3 * i;
            const F16 a = order_a_quads(c, lanes::load_c3_quads(p)), b = order_a_quads(c, lanes::load_c3_quads(p + 12));
            const F16 e = order_a_quads(c, lanes::load_c3_quads(p + 24)), f = order_a_quads(c, lanes::load_c3_quads(p + 36));
            lanes::stream_c3_quads(d + 3 * i, a, b, e, f);
        }
    }
    c3_32f_512(s + 3 * i, d + 3 * i, n - i, m);
    lanes::stream_fence();
}

void c4_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F16> c(m);
    std::ptrdiff_t i = 0;
    for (; i + 4 <= n; i += 4) lanes::store_lanes(d + 4 * i, order_c_quads(c, F16::load(s + 4 * i)));
    c4_vec(s + 4 * i, d + 4 * i, n - i, m);
}

// Aligned rows: 16-byte pixels until the destination sits on 64 bytes, then
// four pixels per cache-bypassing store.
void c4_stream_512(const float* s, float* d, std::ptrdiff_t n, const Matrix& m) {
    const Cols<F16> c(m);
    std::ptrdiff_t i = 0;
    for (; i < n && (reinterpret_cast<std::uintptr_t>(d + 4 * i) & 63) != 0; ++i) c4_stream(s + 4 * i, d + 4 * i, 1, m);
    for (; i + 4 <= n; i += 4) lanes::stream_lanes(d + 4 * i, order_c_quads(c, F16::load(s + 4 * i)));
    c4_stream(s + 4 * i, d + 4 * i, n - i, m);
}
#endif
#endif  // QRX_TWIST_SIMD

}  // namespace

#if QRX_TWIST_SIMD
#if defined(QRX_LANES_HAVE_16)
#define QRX_TW(T) {pix_lanes<T, 3, lanes::F16>, pix_lanes<T, 4, lanes::F16>, planes_lanes<T, lanes::F16>}
extern const Kernels kTable = {
    QRX_TW(u8),        QRX_TW(s8), QRX_TW(u16),   QRX_TW(s16), {c3_32f_512, ac4_32f_512, planes_lanes<float, F16>},
    c3_32f_stream_512, c4_512,     c4_stream_512,
};
#else
#if defined(__AVX2__)
#define QRX_TW(T) {pix_lanes<T, 3, lanes::F8>, pix_lanes<T, 4, lanes::F8>, planes_lanes<T, lanes::F8>}
#define QRX_TW32F {pix_vec<float, 3>, pix_vec<float, 4>, planes_lanes<float, lanes::F8>}
#else
#define QRX_TW(T) {pix_vec<T, 3>, pix_vec<T, 4>, planes_lanes<T, F4>}
#define QRX_TW32F QRX_TW(float)
#endif
extern const Kernels kTable = {
    QRX_TW(u8), QRX_TW(s8), QRX_TW(u16), QRX_TW(s16), QRX_TW32F, c3_32f_stream, c4_vec, c4_stream,
};
#undef QRX_TW32F
#endif
#else
#define QRX_TW(T) {pix_ref<T, 3>, pix_ref<T, 4>, planes_ref<T>}
extern const Kernels kTable = {
    QRX_TW(u8), QRX_TW(s8), QRX_TW(u16), QRX_TW(s16), QRX_TW(float), pix_ref<float, 3>, c4_ref, c4_ref,
};
#endif
#undef QRX_TW
#undef QRX_TWIST_SIMD

}  // namespace qrx::twist::QRX_LEVEL
