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

/* ===== Colour twist ======================================================== */

/* ===== Gamma =============================================================== */

/* ===== Bit-depth reduction ================================================= */
/* Reduce every sample to `levels` evenly spaced levels (2..256; 2..65536 for 16u and 16s),
 * plainly (dtype qrxDitherMethodOff, noise ignored), by error diffusion or by ordered dithering,
 * with noise percent 0..100.  Checks: pointers, size, noise, levels.  Unknown dtype: nothing
 * written, qrxStatusOk.  AC4: the destination's fourth samples are left as they were. */
QRXCC_API QrxStatus qrxiReduceBits_8u_C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_8u_C4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u_C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u_C4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u8u_C1R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u8u_C3R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u8u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u8u_C4R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s_C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s_C4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s8u_C1R(const Qrx16s *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s8u_C3R(const Qrx16s *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s8u_AC4R(const Qrx16s *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s8u_C4R(const Qrx16s *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f8u_C1R(const Qrx32f *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f8u_C3R(const Qrx32f *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f8u_AC4R(const Qrx32f *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f8u_C4R(const Qrx32f *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16u_C1R(const Qrx32f *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16u_C3R(const Qrx32f *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16u_AC4R(const Qrx32f *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16u_C4R(const Qrx32f *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16s_C1R(const Qrx32f *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16s_C3R(const Qrx32f *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16s_AC4R(const Qrx32f *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16s_C4R(const Qrx32f *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);

#ifdef __cplusplus
}
#endif

#endif /* QRXCC_H */
