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

/* ===== Filtered 4:2:0 ===================================================== */

/* ===== RGB <-> YUV ======================================================== */

/* ===== YCoCg =============================================================== */

/* ===== HLS and HSV ========================================================= */

/* ===== XYZ and LUV ========================================================= */

/* ===== Lab ================================================================= */

/* ===== YCC ================================================================= */

/* ===== Gray ================================================================ */
/* Weighted sum of channels 0..2 into one channel; AC4 alpha is not read.  Steps are not checked.
 * ColorToGray: three float weights; a null pointer selects 0.299, 0.587, 0.114. */
QRXCC_API QrxStatus qrxiRGBToGray_8u_C3C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_8u_AC4C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_16u_C3C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_16u_AC4C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_16s_C3C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_16s_AC4C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_32f_C3C1R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_32f_AC4C1R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiColorToGray_8u_C3C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_8u_AC4C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_16u_C3C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_16u_AC4C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_16s_C3C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_16s_AC4C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_32f_C3C1R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_32f_AC4C1R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);

/* ===== Colour twist ======================================================== */
/* Affine colour transform: output i = t[i][0]*x0 + t[i][1]*x1 + t[i][2]*x2 + t[i][3], in single precision.
 * Integer results are clamped and rounded to nearest (ties to even) whatever the caller's rounding mode;
 * the caller's floating-point control state is restored.  AC4 alpha is left as it was.
 * Steps must be at least 1; planar images share one step per side. */
QRXCC_API QrxStatus qrxiColorTwist32f_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_C3IR(Qrx8u *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_AC4IR(Qrx8u *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_IP3R(Qrx8u *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_C3R(const Qrx8s *pSrc, int srcStep, Qrx8s *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_C3IR(Qrx8s *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_AC4R(const Qrx8s *pSrc, int srcStep, Qrx8s *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_AC4IR(Qrx8s *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_P3R(const Qrx8s *const pSrc[3], int srcStep, Qrx8s *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_IP3R(Qrx8s *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_C3IR(Qrx16u *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_AC4IR(Qrx16u *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_P3R(const Qrx16u *const pSrc[3], int srcStep, Qrx16u *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_IP3R(Qrx16u *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_C3IR(Qrx16s *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_AC4IR(Qrx16s *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_P3R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_IP3R(Qrx16s *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_C3IR(Qrx32f *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_AC4IR(Qrx32f *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_P3R(const Qrx32f *const pSrc[3], int srcStep, Qrx32f *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_IP3R(Qrx32f *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
/* Four channels, 4 x 4 matrix without offsets: all four channels transformed. */
QRXCC_API QrxStatus qrxiColorTwist_32f_C4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[4][4]);

/* ===== Gamma =============================================================== */
/* BT.709 transfer curve on channels 0..2: Fwd linear -> gamma-corrected, Inv back.  AC4 alpha is left
 * as it was; planar images share one step per side; steps must be at least 1.  The 32f members work
 * over [vMin, vMax] and return qrxStatusGammaRange unless vMax - vMin > 0 (checked first). */
QRXCC_API QrxStatus qrxiGammaFwd_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_8u_C3IR(Qrx8u *pSrcDst, int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_8u_AC4IR(Qrx8u *pSrcDst, int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_8u_IP3R(Qrx8u *const pSrcDst[3], int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_8u_C3IR(Qrx8u *pSrcDst, int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_8u_AC4IR(Qrx8u *pSrcDst, int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_8u_IP3R(Qrx8u *const pSrcDst[3], int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_16u_C3IR(Qrx16u *pSrcDst, int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_16u_AC4IR(Qrx16u *pSrcDst, int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_16u_P3R(const Qrx16u *const pSrc[3], int srcStep, Qrx16u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_16u_IP3R(Qrx16u *const pSrcDst[3], int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_16u_C3IR(Qrx16u *pSrcDst, int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_16u_AC4IR(Qrx16u *pSrcDst, int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_16u_P3R(const Qrx16u *const pSrc[3], int srcStep, Qrx16u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaInv_16u_IP3R(Qrx16u *const pSrcDst[3], int srcDstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiGammaFwd_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaFwd_32f_C3IR(Qrx32f *pSrcDst, int srcDstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaFwd_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaFwd_32f_AC4IR(Qrx32f *pSrcDst, int srcDstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaFwd_32f_P3R(const Qrx32f *const pSrc[3], int srcStep, Qrx32f *const pDst[3], int dstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaFwd_32f_IP3R(Qrx32f *const pSrcDst[3], int srcDstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaInv_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaInv_32f_C3IR(Qrx32f *pSrcDst, int srcDstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaInv_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaInv_32f_AC4IR(Qrx32f *pSrcDst, int srcDstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaInv_32f_P3R(const Qrx32f *const pSrc[3], int srcStep, Qrx32f *const pDst[3], int dstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXCC_API QrxStatus qrxiGammaInv_32f_IP3R(Qrx32f *const pSrcDst[3], int srcDstStep, QrxSize roiSize, Qrx32f vMin, Qrx32f vMax);

/* ===== Bit-depth reduction ================================================= */

#ifdef __cplusplus
}
#endif

#endif /* QRXCC_H */
