// RGB <-> XYZ.  8u: whole groups of 8 (C3) or 4 (AC4) pixels from the row
// start by the 15/13-bit grouped recipes, the rest of the row by the 16-bit
// per-pixel recipes.  16u, 16s, 32f: the single-precision matrix for every
// pixel; rows addressed in whole samples.
#include "models/xyz_driver.h"

using namespace qrx::xyzlab;

extern "C" {

QRXCC_API QrxStatus qrxiRGBToXYZ_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 8, K().xyz8_fwd_g_c3, K().xyz8_fwd_p_c3});
}
QRXCC_API QrxStatus qrxiRGBToXYZ_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 4, K().xyz8_fwd_g_ac4, K().xyz8_fwd_p_ac4});
}
QRXCC_API QrxStatus qrxiXYZToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 8, K().xyz8_inv_g_c3, K().xyz8_inv_p_c3});
}
QRXCC_API QrxStatus qrxiXYZToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 4, K().xyz8_inv_g_ac4, K().xyz8_inv_p_ac4});
}

QRXCC_API QrxStatus qrxiRGBToXYZ_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 0, nullptr, K().xyz16u_fwd_c3});
}
QRXCC_API QrxStatus qrxiRGBToXYZ_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 0, nullptr, K().xyz16u_fwd_ac4});
}
QRXCC_API QrxStatus qrxiXYZToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 0, nullptr, K().xyz16u_inv_c3});
}
QRXCC_API QrxStatus qrxiXYZToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 0, nullptr, K().xyz16u_inv_ac4});
}

QRXCC_API QrxStatus qrxiRGBToXYZ_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 0, nullptr, K().xyz16s_fwd_c3});
}
QRXCC_API QrxStatus qrxiRGBToXYZ_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 0, nullptr, K().xyz16s_fwd_ac4});
}
QRXCC_API QrxStatus qrxiXYZToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 0, nullptr, K().xyz16s_inv_c3});
}
QRXCC_API QrxStatus qrxiXYZToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 0, nullptr, K().xyz16s_inv_ac4});
}

QRXCC_API QrxStatus qrxiRGBToXYZ_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 0, nullptr, K().xyz32f_fwd_c3});
}
QRXCC_API QrxStatus qrxiRGBToXYZ_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 0, nullptr, K().xyz32f_fwd_ac4});
}
QRXCC_API QrxStatus qrxiXYZToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {3, 0, nullptr, K().xyz32f_inv_c3});
}
QRXCC_API QrxStatus qrxiXYZToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep, QrxSize roiSize) {
    return convert_same(pSrc, srcStep, pDst, dstStep, roiSize, {4, 0, nullptr, K().xyz32f_inv_ac4});
}

}  // extern "C"
