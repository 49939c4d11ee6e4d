// Row kernels of the colour twist.  Each entry transforms n pixels of one row;
// source and destination may be the same image (in-place members), so the
// kernels read every sample of a pixel before writing any of its outputs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/cpu.h"
#include "gray_twist_gamma/recipes.h"

namespace qrx::twist {

using gtg::s16;
using gtg::s8;
using gtg::u16;
using gtg::u8;

// The caller's matrix, as rows (t[i][0..3]) and as the working copy by
// columns (column j = t[0][j], t[1][j], t[2][j], t[3][j]); three-channel
// forms have a zero fourth row.
struct Matrix {
    alignas(16) float row[4][4];
    alignas(16) float col[4][4];
};

template <class T>
using PixFn = void (*)(const T* src, T* dst, std::ptrdiff_t n, const Matrix& m);
template <class T>
using PlaneFn = void (*)(const T* s0, const T* s1, const T* s2, T* d0, T* d1, T* d2, std::ptrdiff_t n,
                         const Matrix& m);

template <class T>
struct TypeKernels {
    PixFn<T> c3;    // C3 -> C3
    PixFn<T> ac4;   // AC4 -> AC4, destination alpha kept
    PlaneFn<T> p3;  // three planes -> three planes
};

struct Kernels {
    TypeKernels<u8> k8u;      // order A, 0..255
    TypeKernels<s8> k8s;      // order B, -128..127
    TypeKernels<u16> k16u;    // order A, 0..65535
    TypeKernels<s16> k16s;    // order A, -32768..32767
    TypeKernels<float> k32f;  // order A, stored as is
    PixFn<float> c3_32f_stream;  // 32f C3, order A, cache-bypassing stores where it can
    PixFn<float> c4_32f;         // 32f C4, order C
    PixFn<float> c4_32f_stream;  // 32f C4, order C, 16-byte aligned rows, cache-bypassing stores
};

}  // namespace qrx::twist

QRX_KERNEL_TABLE(qrx::twist, Kernels)
