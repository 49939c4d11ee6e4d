// Lanes of the HLS, HSV and YCC row kernels.
//
// The grouped recipes are written once against the float lanes of
// core/float_lanes.h and are lane-wise (no lane ever looks at another), so the
// same recipe code runs on 4 lanes held in arrays in the scalar file and on 4,
// 8 or 16 vector lanes elsewhere (the widest the level has): F, I and M name
// the level's lanes.  Included by the per-level .inl files after QRX_LEVEL is
// defined.  A level file that defines QRX_LEVEL_SCALAR gets the array lanes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "core/float_lanes.h"
#include "core/four_sample_lanes.h"
#include "core/inline.h"
#include "core/lane_pixels.h"

namespace qrx::hlsycc::QRX_LEVEL {
namespace {

using namespace qrx::lanes;
using u8 = std::uint8_t;
using u16 = std::uint16_t;
using s16 = std::int16_t;

#if !defined(QRX_LEVEL_SCALAR) && defined(QRX_LANES_HAVE_16)
#define QRX_HLS_LANES16 1
using F = F16;
using I = I16;
using M = M16;
#elif !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
using F = F8;
using I = I8;
using M = M8;
#elif !defined(QRX_LEVEL_SCALAR) && defined(__SSE2__)
using F = F4;
using I = I4;
using M = M4;
#else
using F = FS4;
using I = IS4;
using M = MS4;
#endif
constexpr int kLanes = F::kWidth;

// ---- sample access by layout -----------------------------------------------
// Pix<T, CH, SWAP>: pixel order, CH samples per pixel; SWAP reads/writes the
// first three channels in reverse order (BGR side of an RGB recipe).
// Planes<T, SWAP>: channel c in plane c of a pointer array.
template <class T, int CH, bool SWAP>
struct Pix {
    using S = T;
    static constexpr int kStride = CH;  // samples from one pixel to the next in p[0]
    static constexpr int ch(int c) { return SWAP ? 2 - c : c; }
    static inline T get(const void* const* p, std::ptrdiff_t x, int c) {
        return static_cast<const T*>(p[0])[CH * x + ch(c)];
    }
    static inline void put(void* const* p, std::ptrdiff_t x, int c, T v) { static_cast<T*>(p[0])[CH * x + ch(c)] = v; }
};
template <class T, bool SWAP>
struct Planes {
    using S = T;
    static constexpr int kStride = 1;
    static constexpr int ch(int c) { return SWAP ? 2 - c : c; }
    static inline T get(const void* const* p, std::ptrdiff_t x, int c) { return static_cast<const T*>(p[ch(c)])[x]; }
    static inline void put(void* const* p, std::ptrdiff_t x, int c, T v) { static_cast<T*>(p[ch(c)])[x] = v; }
};


// ---- whole-lane loads and stores -------------------------------------------
// LaneIo<Layout>::load reads kLanes pixels from pixel x into three float lanes
// (channel order of the recipe); store writes three result lanes (integers
// already in the sample range, or floats).  The generic versions go sample by
// sample; the AVX2 backend has shuffling versions for the common layouts.
template <class L>
struct LaneIo {
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        alignas(32) float a[3][kLanes];
        for (int k = 0; k < kLanes; ++k)
            for (int ch = 0; ch < 3; ++ch) a[ch][k] = static_cast<float>(L::get(p, x + k, ch));
        for (int ch = 0; ch < 3; ++ch) c[ch] = F::load(a[ch]);
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        using Elem = typename Lane::Elem;
        alignas(32) Elem b[3][kLanes];
        for (int ch = 0; ch < 3; ++ch) store_lanes(b[ch], o[ch]);
        for (int k = 0; k < kLanes; ++k)
            for (int ch = 0; ch < 3; ++ch) L::put(p, x + k, ch, static_cast<typename L::S>(b[ch][k]));
    }
};

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
// 8 or 16 lanes: stride-3 gathers and scatters of the widened samples.
template <class T, bool SWAP>
struct LaneIo<Pix<T, 3, SWAP>> {
    using L = Pix<T, 3, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        const T* s = static_cast<const T*>(p[0]) + 3 * x;
        F g[3];
        gather3(widen_lanes<F>(s), widen_lanes<F>(s + kLanes), widen_lanes<F>(s + 2 * kLanes), g);
        for (int ch = 0; ch < 3; ++ch) c[ch] = as_float<T>(g[L::ch(ch)]);
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        T* d = static_cast<T*>(p[0]) + 3 * x;
        F out[3];
        scatter3(raw_bits(o[L::ch(0)]), raw_bits(o[1]), raw_bits(o[L::ch(2)]), out);
        for (int r = 0; r < 3; ++r) narrow_lanes(d + kLanes * r, out[r]);
    }
};

// 16-bit or float samples, four per pixel: the fourth sample of each
// destination pixel is kept.
template <class T, bool SWAP>
struct LaneIo<Pix<T, 4, SWAP>> {
    using L = Pix<T, 4, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        F g[3];
        load_c4_first3(static_cast<const T*>(p[0]) + 4 * x, g);
        for (int ch = 0; ch < 3; ++ch) c[ch] = as_float<T>(g[L::ch(ch)]);
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        store_c4_first3(static_cast<T*>(p[0]) + 4 * x, raw_bits(o[L::ch(0)]), raw_bits(o[1]), raw_bits(o[L::ch(2)]));
    }
};

template <class T, bool SWAP>
struct LaneIo<Planes<T, SWAP>> {
    using L = Planes<T, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        for (int ch = 0; ch < 3; ++ch) c[ch] = as_float<T>(widen_lanes<F>(static_cast<const T*>(p[L::ch(ch)]) + x));
    }
    template <class Lane>
    static inline void store(void* const* p, std::ptrdiff_t x, const Lane o[3]) {
        for (int ch = 0; ch < 3; ++ch) narrow_lanes(static_cast<T*>(p[L::ch(ch)]) + x, raw_bits(o[ch]));
    }
};
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__) && !defined(QRX_HLS_LANES16)
// Floats, three per pixel, 8 lanes: pixels 0..3 in the low 128-bit half and
// 4..7 in the high one.  The three 256-bit rows r0 r1 r2 are regrouped into
// the quarters a b c of both halves (x0 y0 z0 x1 | y1 z1 x2 y2 | z2 x3 y3 z3 in
// each) by two blends and one half swap, and five in-lane shuffles sort the
// quarters into channels; the store runs the same steps backwards.  Only one
// move per direction crosses the halves.
template <bool SWAP>
struct LaneIo<Pix<float, 3, SWAP>> {
    using L = Pix<float, 3, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        const float* s = static_cast<const float*>(p[0]) + 3 * x;
        const __m256 r0 = _mm256_loadu_ps(s), r1 = _mm256_loadu_ps(s + 8), r2 = _mm256_loadu_ps(s + 16);
        // r0 = a0 b0, r1 = c0 a1, r2 = b1 c1 (quarters of half 0 and half 1)
        const __m256 a = _mm256_blend_ps(r0, r1, 0xF0);
        const __m256 b = _mm256_permute2f128_ps(r0, r2, 0x21);
        const __m256 q = _mm256_blend_ps(r1, r2, 0xF0);
        const __m256 xy = _mm256_shuffle_ps(b, q, _MM_SHUFFLE(2, 1, 3, 2));  // x2 y2 x3 y3
        const __m256 yz = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(1, 0, 2, 1));  // y0 z0 y1 z1
        c[L::ch(0)] = _mm256_shuffle_ps(a, xy, _MM_SHUFFLE(2, 0, 3, 0));
        c[1] = _mm256_shuffle_ps(yz, xy, _MM_SHUFFLE(3, 1, 2, 0));
        c[L::ch(2)] = _mm256_shuffle_ps(yz, q, _MM_SHUFFLE(3, 0, 3, 1));
    }
    static inline void store(void* const* p, std::ptrdiff_t x, const F o[3]) {
        float* d = static_cast<float*>(p[0]) + 3 * x;
        const __m256 X = o[L::ch(0)].v, Y = o[1].v, Z = o[L::ch(2)].v;
        const __m256 xy = _mm256_shuffle_ps(X, Y, _MM_SHUFFLE(2, 0, 2, 0));  // x0 x2 y0 y2
        const __m256 yz = _mm256_shuffle_ps(Y, Z, _MM_SHUFFLE(3, 1, 3, 1));  // y1 y3 z1 z3
        const __m256 zx = _mm256_shuffle_ps(Z, X, _MM_SHUFFLE(3, 1, 2, 0));  // z0 z2 x1 x3
        const __m256 a = _mm256_shuffle_ps(xy, zx, _MM_SHUFFLE(2, 0, 2, 0));
        const __m256 b = _mm256_shuffle_ps(yz, xy, _MM_SHUFFLE(3, 1, 2, 0));
        const __m256 q = _mm256_shuffle_ps(zx, yz, _MM_SHUFFLE(3, 1, 3, 1));
        _mm256_storeu_ps(d, _mm256_insertf128_ps(a, _mm256_castps256_ps128(b), 1));
        _mm256_storeu_ps(d + 8, _mm256_blend_ps(q, a, 0xF0));
        _mm256_storeu_ps(d + 16, _mm256_permute2f128_ps(b, q, 0x31));
    }
};
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE4_1__) && !defined(QRX_HLS_LANES16)
// 8u, three samples per pixel, 4 or 8 lanes: byte shuffles.
template <bool SWAP>
struct LaneIo<Pix<u8, 3, SWAP>> {
    using L = Pix<u8, 3, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        I c0, c1, c2;
        load_c3_lanes(static_cast<const u8*>(p[0]) + 3 * x, c0, c1, c2);
        c[L::ch(0)] = to_float(c0);
        c[1] = to_float(c1);
        c[L::ch(2)] = to_float(c2);
    }
    static inline void store(void* const* p, std::ptrdiff_t x, const I o[3]) {
        store_c3_lanes(static_cast<u8*>(p[0]) + 3 * x, o[L::ch(0)], o[1], o[L::ch(2)]);
    }
};
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSE4_1__)
// 8u, four samples per pixel: only the first three bytes of each destination
// pixel are written.
template <bool SWAP>
struct LaneIo<Pix<u8, 4, SWAP>> {
    using L = Pix<u8, 4, SWAP>;
    static inline void load(const void* const* p, std::ptrdiff_t x, F c[3]) {
        I c0, c1, c2;
        load_c4_lanes(static_cast<const u8*>(p[0]) + 4 * x, c0, c1, c2);
        c[L::ch(0)] = to_float(c0);
        c[1] = to_float(c1);
        c[L::ch(2)] = to_float(c2);
    }
    static inline void store(void* const* p, std::ptrdiff_t x, const I o[3]) {
        store_c4_lanes(static_cast<u8*>(p[0]) + 4 * x, o[L::ch(0)], o[1], o[L::ch(2)]);
    }
};
#endif

// One row: pixels [0, body) by the grouped recipe Op::group (lane-wise, so
// any number of lanes per step keeps its result), [body, width) by the
// per-pixel recipe Op::pixel.  The grouped region is always whole groups; a
// last step with fewer pixels than lanes fills the spare lanes with a copy
// of its first pixel and stores only its own.
template <class Op, class In, class Out>
void convert_row(const void* const* src, void* const* dst, int body, int width) {
    using Lane = typename Op::Out;
    using Elem = typename Lane::Elem;
    using OS = typename Out::S;
    // how far ahead the source is asked for: float rows want it further
    constexpr int kAhead = std::is_same_v<typename In::S, float> ? 4096 : 1024;
    int i = 0;
    if constexpr (std::is_same_v<typename In::S, float> && kLanes == 8) {
        // four independent groups per step: the float recipes are long
        // dependency chains, and with one or two groups in flight the
        // processor waits on them (HLS -> RGB 32f in cache: 4 groups about 7%
        // faster than 2, which are about 20% faster than 1; 6 or 8 no better)
        constexpr int kGroups = 4;
        constexpr int kStep = static_cast<int>(sizeof(float)) * In::kStride * kGroups * kLanes;
        for (; i + kGroups * kLanes <= body; i += kGroups * kLanes) {
            const char* ahead = static_cast<const char*>(src[0]) + sizeof(float) * In::kStride * i + kAhead;
            for (int b = 0; b < kStep; b += 64) __builtin_prefetch(ahead + b);
            F c[kGroups][3];
            Lane o[kGroups][3];
            for (int g = 0; g < kGroups; ++g) LaneIo<In>::load(src, i + g * kLanes, c[g]);
            for (int g = 0; g < kGroups; ++g) Op::group(c[g][0], c[g][1], c[g][2], o[g][0], o[g][1], o[g][2]);
            for (int g = 0; g < kGroups; ++g) LaneIo<Out>::store(dst, i + g * kLanes, o[g]);
        }
    }
    for (; i + kLanes <= body; i += kLanes) {
        // the loads of a group wait on memory unless asked for well ahead
        // (32f HLS -> RGB about a third faster at 1920x1080)
        __builtin_prefetch(static_cast<const char*>(src[0]) + sizeof(typename In::S) * In::kStride * i + kAhead);
        F c[3];
        LaneIo<In>::load(src, i, c);
        Lane o[3];
        Op::group(c[0], c[1], c[2], o[0], o[1], o[2]);
        LaneIo<Out>::store(dst, i, o);
    }
    if (i < body) {
        const int cnt = body - i;
        alignas(32) float a[3][kLanes];
        for (int k = 0; k < kLanes; ++k) {
            const std::ptrdiff_t x = i + (k < cnt ? k : 0);
            for (int c = 0; c < 3; ++c) a[c][k] = static_cast<float>(In::get(src, x, c));
        }
        Lane o[3];
        Op::group(F::load(a[0]), F::load(a[1]), F::load(a[2]), o[0], o[1], o[2]);
        alignas(32) Elem b[3][kLanes];
        for (int c = 0; c < 3; ++c) store_lanes(b[c], o[c]);
        for (int k = 0; k < cnt; ++k)
            for (int c = 0; c < 3; ++c) Out::put(dst, i + k, c, static_cast<OS>(b[c][k]));
    }
    for (int x = body; x < width; ++x) {
        OS r0, r1, r2;
        Op::pixel(In::get(src, x, 0), In::get(src, x, 1), In::get(src, x, 2), r0, r1, r2);
        Out::put(dst, x, 0, r0);
        Out::put(dst, x, 1, r1);
        Out::put(dst, x, 2, r2);
    }
}

}  // namespace
}  // namespace qrx::hlsycc::QRX_LEVEL
