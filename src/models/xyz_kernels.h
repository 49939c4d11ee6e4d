// Row kernels of the XYZ, LUV and Lab conversions.  Each entry converts n
// pixels of one row with one recipe; the exported functions decide which
// pixels of a row go to which entry (the region plan).
#pragma once

#include "core/cpu.h"

namespace qrx::xyzlab {

using RowFn = void (*)(const void* src, void* dst, int n);

struct Kernels {
    // RGB <-> XYZ, 8u: grouped (G15 / G13) and per-pixel (P16) recipes.
    RowFn xyz8_fwd_g_c3, xyz8_fwd_g_ac4, xyz8_fwd_p_c3, xyz8_fwd_p_ac4;
    RowFn xyz8_inv_g_c3, xyz8_inv_g_ac4, xyz8_inv_p_c3, xyz8_inv_p_ac4;
    // RGB <-> XYZ, single precision: every pixel alike.
    RowFn xyz16u_fwd_c3, xyz16u_fwd_ac4, xyz16u_inv_c3, xyz16u_inv_ac4;
    RowFn xyz16s_fwd_c3, xyz16s_fwd_ac4, xyz16s_inv_c3, xyz16s_inv_ac4;
    RowFn xyz32f_fwd_c3, xyz32f_fwd_ac4, xyz32f_inv_c3, xyz32f_inv_ac4;
    // RGB -> LUV: 8u every pixel alike; 16u/16s/32f grouped (g) and per-pixel (p).
    RowFn luv8_fwd_c3, luv8_fwd_ac4;
    RowFn luv16u_fwd_g_c3, luv16u_fwd_g_ac4, luv16u_fwd_p_c3, luv16u_fwd_p_ac4;
    RowFn luv16s_fwd_g_c3, luv16s_fwd_g_ac4, luv16s_fwd_p_c3, luv16s_fwd_p_ac4;
    RowFn luv32f_fwd_g_c3, luv32f_fwd_g_ac4, luv32f_fwd_p_c3, luv32f_fwd_p_ac4;
    // LUV -> RGB: grouped (g, estimates) and per-pixel (p, divisions); 32f alike.
    RowFn luv8_inv_g_c3, luv8_inv_g_ac4, luv8_inv_p_c3, luv8_inv_p_ac4;
    RowFn luv16u_inv_g_c3, luv16u_inv_g_ac4, luv16u_inv_p_c3, luv16u_inv_p_ac4;
    RowFn luv16s_inv_g_c3, luv16s_inv_g_ac4, luv16s_inv_p_c3, luv16s_inv_p_ac4;
    RowFn luv32f_inv_c3, luv32f_inv_ac4;
    // BGR <-> Lab.
    RowFn lab_fwd_8u, lab_fwd_8u16u, lab_inv_8u, lab_inv_16u8u;
};

}  // namespace qrx::xyzlab

QRX_KERNEL_TABLE(qrx::xyzlab, Kernels)
