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
/* 16-bit little-endian pixels; the name lists the channels from the low bits up
   (BGR565: B in bits 4..0, R in 15..11; RGB565 the reverse; 555 and 444 leave the
   top bits zero).  Dither names: 4x4 ordered dither anchored at the ROI's top-left.
   The destination step is in bytes; rows advance by floor(step / 2) pixels.  The plain
   C3R and C2C3R functions convert a gap-free image (source step = width x 3 or x 2,
   floor(dstStep / 2) = width) as one long row (C2C3R and YCbCrToBGR444 C3R only for
   even widths). */
/* 4:4:4 pixel order (Y, Cb, Cr) to 16-bit pixels. */
QRXCC_API QrxStatus qrxiYCbCrToBGR444Dither_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR444_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR555Dither_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR555_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR565Dither_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR565_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB444Dither_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB444_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB555Dither_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB555_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB565Dither_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB565_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
/* 4:4:4 planar, one step. */
QRXCC_API QrxStatus qrxiYCbCrToBGR444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR444_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR555_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR565_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB444_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB555_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB565_8u16u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
/* 4:2:2 packed Y0 Cb Y1 Cr. */
QRXCC_API QrxStatus qrxiYCbCr422ToBGR444Dither_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR444_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR555Dither_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR555_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR565Dither_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR565_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB444Dither_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB444_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB555Dither_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB555_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB565Dither_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB565_8u16u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
/* 4:2:2 planar, a step per plane. */
QRXCC_API QrxStatus qrxiYCbCr422ToBGR444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR444_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB444_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
/* 4:2:0 planar, a step per plane. */
QRXCC_API QrxStatus qrxiYCbCr420ToBGR444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToBGR444_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToBGR555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToBGR555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToBGR565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToBGR565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToRGB444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToRGB444_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToRGB555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToRGB555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToRGB565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToRGB565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
/* 4:1:1 planar, a step per plane; width at least 4. */
QRXCC_API QrxStatus qrxiYCbCr411ToBGR555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToBGR565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);

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

#ifdef __cplusplus
}
#endif

#endif /* QRXCC_H */
