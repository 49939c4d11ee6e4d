/* qrxcc: colour-conversion primitives for in-memory images.
 *
 * Every image function converts one rectangular region of interest (ROI) and
 * returns a QrxStatus: 0 on success, a negative error (nothing written) or the
 * one positive warning (qrxStatusOddSize, the conversion was done).
 * Steps are in bytes; QrxSize is always the full-resolution (luma) size.
 * Usable from C99 and C++. */
#ifndef QRXCC_H
#define QRXCC_H

#include <stdint.h>

#include "qrxcore.h"

#if defined(QRXCC_BUILDING)
#define QRXCC_API __attribute__((visibility("default")))
#else
#define QRXCC_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t Qrx8u;
typedef int8_t Qrx8s;
typedef uint16_t Qrx16u;
typedef int16_t Qrx16s;
typedef int32_t Qrx32s;
typedef float Qrx32f;

/* ROI size in full-resolution pixels. */
typedef struct QrxSize {
    int32_t width;
    int32_t height;
} QrxSize;

typedef enum QrxStatus {
    qrxStatusOk = 0,
    qrxStatusOddSize = 35,       /* warning: odd width or height, image converted */
    qrxStatusSizeError = -6,     /* ROI below the function's minimum */
    qrxStatusNullPointer = -8,   /* a required pointer is null */
    qrxStatusOutOfMemory = -9,   /* scratch memory could not be had */
    qrxStatusStepError = -14,    /* a checked row step is below 1 */
    qrxStatusGammaRange = -49,   /* vMax - vMin is not above zero */
    qrxStatusLevelsRange = -54,  /* number of levels out of range */
    qrxStatusNoiseRange = -55    /* noise percentage outside 0..100 */
} QrxStatus;

typedef struct QrxLibraryVersion {
    int32_t major;
    int32_t minor;
    int32_t buildMajor;
    int32_t buildMinor;
    char cpuCode[4];
    const char *fileName;
    const char *versionText;
    const char *buildDate;
} QrxLibraryVersion;

/* Bit-depth reduction: dithering method. */
typedef enum QrxDitherMethod {
    qrxDitherMethodOff = 0,
    qrxDitherMethodFloydSteinberg = 1,
    qrxDitherMethodJarvisJudiceNinke = 2,
    qrxDitherMethodStucki = 3,
    qrxDitherMethodOrdered4x4 = 4
} QrxDitherMethod;

/* Slice position of the smoothing 4:2:0 conversions. */
enum {
    qrxSliceTop = 1,
    qrxSliceMiddle = 4,
    qrxSliceBottom = 16,
    qrxSliceWhole = 21 /* any value with bits 1, 4 and 16 all set */
};

/* The version record: always the same static, read-only object. */
QRXCC_API const QrxLibraryVersion *qrxccGetLibVersion(void);

/* ===== RGB <-> YCbCr 4:4:4 ============================================== */
/* Y 16..235, Cb/Cr 16..240 (studio-range BT.601).  Any step is accepted. */
QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/* AC4: the source alpha is not read, the destination alpha is left as it was. */
QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/* C4 output: the fourth byte of every pixel is set to aval. */
QRXCC_API QrxStatus qrxiYCbCrToBGR_8u_P3C4R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);

/* ===== RGB <-> YCbCr 4:2:2, 4:2:0, 4:1:1 ================================= */

/* ===== YCbCr to 16-bit packed RGB ======================================== */

/* ===== 16-bit packed BGR to YCbCr ======================================== */

/* ===== Chroma layout and sampling ======================================== */
/* Packed 4:2:2 orders: YCbCr422 = Y0 Cb Y1 Cr, YCrCb422 = Y0 Cr Y1 Cb, CbYCr422 = Cb Y0 Cr Y1.
 * P3 plane order follows the name (YCrCb: Y, Cr, Cb), each plane with its own step;
 * P2 = luma plane + one plane of (Cb, Cr) pairs.  Sizes are rounded down in silence. */
QRXCC_API QrxStatus qrxiYCbCr422_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr422_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr422_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToCbYCr422_8u_C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr422_8u_C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb422_8u_C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr420_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
/* Like qrxiYCbCr420_8u_P2P3R: Cb goes to the second pointer's plane, Cr to the third. */
QRXCC_API QrxStatus qrxiYCbCr420ToYCrCb420_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCrCb420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_C2P2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr420_8u_C2P2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P2C2R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToCbYCr422_8u_P2C2R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToCbYCr422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr411_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr411_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_C2P2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb422_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P2C2R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr411_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr411_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr411_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb420_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);

/* ===== Filtered 4:2:0 ===================================================== */
/* Interpolating 4:2:0 -> 4:2:2 uses W & ~1 by H & ~7 (at least 2 x 8).  The smoothing
 * conversions take a slice position (qrxSliceTop, qrxSliceMiddle, qrxSliceBottom,
 * qrxSliceWhole); any other value converts nothing and returns qrxStatusOk. */
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_Filter_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int slicePosition);
/* The second pointer's plane receives Cb, the third Cr. */
QRXCC_API QrxStatus qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize, int slicePosition);

/* ===== RGB <-> YUV ======================================================== */

/* ===== YCoCg =============================================================== */

/* ===== HLS and HSV ========================================================= */

/* ===== XYZ and LUV ========================================================= */

/* ===== Lab ================================================================= */

/* ===== YCC ================================================================= */

/* ===== Gray ================================================================ */

/* ===== Colour twist ======================================================== */

/* ===== Gamma =============================================================== */

/* ===== Bit-depth reduction ================================================= */

#ifdef __cplusplus
}
#endif

#endif /* QRXCC_H */
