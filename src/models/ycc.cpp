// RGB <-> YCC: pointer and size checks, then one row-parallel region.  Region
// plan per row: whole groups from the row start by the grouped recipe (8u C3:
// groups of 8; 8u AC4 and the 16-bit kernels: groups of 4), the rest pixel by
// pixel.  The 32f kernels have one recipe for every pixel.  16-bit and float
// rows are addressed with the byte step shifted down to whole samples.
#include "models/grouped_rows.h"
#include "models/ycc_kernels.h"
#include "qrxcc.h"

using namespace qrx;

#define QRX_YCC_FN(name, T, entry, group) QRX_MODELS_GROUPED_FN(name, T, ycc, entry, group)

extern "C" {
QRX_YCC_FN(qrxiRGBToYCC_8u_C3R, Qrx8u, kFwd8uC3, 8)
QRX_YCC_FN(qrxiRGBToYCC_8u_AC4R, Qrx8u, kFwd8uAC4, 4)
QRX_YCC_FN(qrxiYCCToRGB_8u_C3R, Qrx8u, kInv8uC3, 8)
QRX_YCC_FN(qrxiYCCToRGB_8u_AC4R, Qrx8u, kInv8uAC4, 4)
QRX_YCC_FN(qrxiRGBToYCC_16u_C3R, Qrx16u, kFwd16uC3, 4)
QRX_YCC_FN(qrxiRGBToYCC_16u_AC4R, Qrx16u, kFwd16uAC4, 4)
QRX_YCC_FN(qrxiYCCToRGB_16u_C3R, Qrx16u, kInv16uC3, 4)
QRX_YCC_FN(qrxiYCCToRGB_16u_AC4R, Qrx16u, kInv16uAC4, 4)
QRX_YCC_FN(qrxiRGBToYCC_16s_C3R, Qrx16s, kFwd16sC3, 4)
QRX_YCC_FN(qrxiRGBToYCC_16s_AC4R, Qrx16s, kFwd16sAC4, 4)
QRX_YCC_FN(qrxiYCCToRGB_16s_C3R, Qrx16s, kInv16sC3, 4)
QRX_YCC_FN(qrxiYCCToRGB_16s_AC4R, Qrx16s, kInv16sAC4, 4)
QRX_YCC_FN(qrxiRGBToYCC_32f_C3R, Qrx32f, kFwd32fC3, 1)
QRX_YCC_FN(qrxiRGBToYCC_32f_AC4R, Qrx32f, kFwd32fAC4, 1)
QRX_YCC_FN(qrxiYCCToRGB_32f_C3R, Qrx32f, kInv32fC3, 1)
QRX_YCC_FN(qrxiYCCToRGB_32f_AC4R, Qrx32f, kInv32fAC4, 1)
}  // extern "C"
