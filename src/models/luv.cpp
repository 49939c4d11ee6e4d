// RGB <-> LUV.  Forward: 8u every pixel alike; 16u, 16s and 32f whole groups
// of 4 pixels from the row start (a black pixel's zero denominator becomes 3)
// and the rest of the row per pixel (black gives zero chroma).  Inverse: whole
// groups of 8 (8u C3) or 4 (every other integer kernel) by the estimate recipe,
// the rest per pixel by true divisions; 32f every pixel alike.  16-bit and
// 32f rows are addressed in whole samples.
#include "models/xyz_driver.h"

using namespace qrx::xyzlab;

extern "C" {

QRXCC_API QrxStatus qrxiRGBToLUV_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 0, nullptr, K().luv8_fwd_c3});
}
QRXCC_API QrxStatus qrxiRGBToLUV_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 0, nullptr, K().luv8_fwd_ac4});
}
QRXCC_API QrxStatus qrxiLUVToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 8, K().luv8_inv_g_c3, K().luv8_inv_p_c3});
}
QRXCC_API QrxStatus qrxiLUVToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 4, K().luv8_inv_g_ac4, K().luv8_inv_p_ac4});
}

QRXCC_API QrxStatus qrxiRGBToLUV_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 4, K().luv16u_fwd_g_c3, K().luv16u_fwd_p_c3});
}
QRXCC_API QrxStatus qrxiRGBToLUV_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 4, K().luv16u_fwd_g_ac4, K().luv16u_fwd_p_ac4});
}
QRXCC_API QrxStatus qrxiLUVToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 4, K().luv16u_inv_g_c3, K().luv16u_inv_p_c3});
}
QRXCC_API QrxStatus qrxiLUVToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 4, K().luv16u_inv_g_ac4, K().luv16u_inv_p_ac4});
}

QRXCC_API QrxStatus qrxiRGBToLUV_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 4, K().luv16s_fwd_g_c3, K().luv16s_fwd_p_c3});
}
QRXCC_API QrxStatus qrxiRGBToLUV_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 4, K().luv16s_fwd_g_ac4, K().luv16s_fwd_p_ac4});
}
QRXCC_API QrxStatus qrxiLUVToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 4, K().luv16s_inv_g_c3, K().luv16s_inv_p_c3});
}
QRXCC_API QrxStatus qrxiLUVToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 4, K().luv16s_inv_g_ac4, K().luv16s_inv_p_ac4});
}

QRXCC_API QrxStatus qrxiRGBToLUV_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 4, K().luv32f_fwd_g_c3, K().luv32f_fwd_p_c3});
}
QRXCC_API QrxStatus qrxiRGBToLUV_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 4, K().luv32f_fwd_g_ac4, K().luv32f_fwd_p_ac4});
}
QRXCC_API QrxStatus qrxiLUVToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 0, nullptr, K().luv32f_inv_c3});
}
QRXCC_API QrxStatus qrxiLUVToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 0, nullptr, K().luv32f_inv_ac4});
}

}  // extern "C"
