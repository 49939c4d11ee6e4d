// BGR <-> Lab: every pixel alike; both sides addressed with their byte steps
// unchanged, also the 16-bit Lab side.
#include "models/xyz_driver.h"

using namespace qrx::xyzlab;

extern "C" {

QRXCC_API QrxStatus qrxiBGRToLab_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_rows(pSrc, srcStep, pDst, dstStep, roiSize, Rows::Bytes, {3, 0, nullptr, K().lab_fwd_8u});
}
QRXCC_API QrxStatus qrxiBGRToLab_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
                                           QrxSize roiSize) {
    return convert_rows(pSrc, srcStep, pDst, dstStep, roiSize, Rows::Bytes, {3, 0, nullptr, K().lab_fwd_8u16u});
}
QRXCC_API QrxStatus qrxiLabToBGR_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep, QrxSize roiSize) {
    return convert_rows(pSrc, srcStep, pDst, dstStep, roiSize, Rows::Bytes, {3, 0, nullptr, K().lab_inv_8u});
}
QRXCC_API QrxStatus qrxiLabToBGR_16u8u_C3R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                           QrxSize roiSize) {
    return convert_rows(pSrc, srcStep, pDst, dstStep, roiSize, Rows::Bytes, {3, 0, nullptr, K().lab_inv_16u8u});
}

}  // extern "C"
