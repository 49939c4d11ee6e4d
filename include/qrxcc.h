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
/* Packed 4:2:2: YCbCr422 is Y0 Cb Y1 Cr, CbYCr422 is Cb Y0 Cr Y1 per pixel pair.  Planar
   4:2:2/4:2:0/4:1:1 have half-width (quarter-width for 4:1:1) chroma planes; sizes are in luma
   pixels.  An odd last pixel of a packed row is written as its Y and Cb only. */
QRXCC_API QrxStatus qrxiRGBToYCbCr422_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCbCr422_8u_P3C2R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_AC4C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_AC4P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR_8u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR_8u_C2C4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
QRXCC_API QrxStatus qrxiCbYCr422ToRGB_8u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToBGR_8u_C2C4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
QRXCC_API QrxStatus qrxiRGBToCbYCr422_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/* Steps must be at least 1 (qrxStatusStepError otherwise). */
QRXCC_API QrxStatus qrxiRGBToCbYCr422Gamma_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToCbYCr422_8u_AC4C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCbCr420_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr420_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr420_8u_AC4P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/* YCrCb420: the planes are Y, Cr, Cb. */
QRXCC_API QrxStatus qrxiBGRToYCrCb420_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCrCb420_8u_AC4P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr411_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr411_8u_AC4P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToBGR_8u_P3C4R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);

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
/* Sources: one 16-bit word per pixel (BGR565, or BGR555 with bit 15 ignored); fields are
   widened by a left shift without bit replication, then converted as the 8-bit BGR functions. */
QRXCC_API QrxStatus qrxiBGR565ToYCbCr422_16u8u_C3C2R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR565ToYCbCr422_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR565ToYCbCr420_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR565ToYCrCb420_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR565ToYCbCr411_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR555ToYCbCr422_16u8u_C3C2R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR555ToYCbCr422_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR555ToYCbCr420_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR555ToYCrCb420_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR555ToYCbCr411_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);

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
/* YUV: Y = 0.299 R + 0.587 G + 0.114 B, U = 0.492 (B - Y) + 128, V = 0.877 (R - Y) + 128.
 * 4:4:4 planar images share ONE step over their three planes; any step is accepted. */
QRXCC_API QrxStatus qrxiRGBToYUV_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUVToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUVToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUVToRGB_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUVToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/* YUV 4:2:2 (packed Y0 U Y1 V, or planes with chroma ceil(W/2) wide) and 4:2:0 (chroma
 * ceil(W/2) x ceil(H/2)).  Odd widths and heights are converted completely.  Planar YUV
 * takes an array of three steps; planar RGB (the _P3R functions) one step for its planes.
 * Functions without the final R take contiguous images (rows 3W, W and ceil(W/2) bytes). */
QRXCC_API QrxStatus qrxiRGBToYUV422_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV422_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV422_8u_C3P3(const Qrx8u *pSrc, Qrx8u *const pDst[3], QrxSize imgSize);
QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3C3(const Qrx8u *const pSrc[3], Qrx8u *pDst, QrxSize imgSize);
QRXCC_API QrxStatus qrxiRGBToYUV422_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV422_8u_P3(const Qrx8u *const pSrc[3], Qrx8u *const pDst[3], QrxSize imgSize);
QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3(const Qrx8u *const pSrc[3], Qrx8u *const pDst[3], QrxSize imgSize);
/* AC4 outputs of the subsampled inverse write 0 into the fourth byte. */
QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3AC4R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV420_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV420_8u_C3P3(const Qrx8u *pSrc, Qrx8u *const pDst[3], QrxSize imgSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3C3(const Qrx8u *const pSrc[3], Qrx8u *pDst, QrxSize imgSize);
QRXCC_API QrxStatus qrxiRGBToYUV420_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV420_8u_P3(const Qrx8u *const pSrc[3], Qrx8u *const pDst[3], QrxSize imgSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3(const Qrx8u *const pSrc[3], Qrx8u *const pDst[3], QrxSize imgSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3AC4R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
/* 4:2:0 to 16-bit packed RGB; the destination step is in bytes.  The plain functions
 * convert nothing for a ROI one pixel wide or one row high (and return qrxStatusOk). */
QRXCC_API QrxStatus qrxiYUV420ToRGB565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB444_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR444_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
/* 16-bit packed BGR565 / BGR555 to 4:2:0: minimum 2 x 2; an odd width or height converts
 * the even part and returns qrxStatusOddSize. */
QRXCC_API QrxStatus qrxiBGR565ToYUV420_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR555ToYUV420_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);

/* ===== YCoCg =============================================================== */
/* BGR (8u, or signed 16-bit "SBGR") <-> planes Y, Co, Cg with one shared step.
 * Plain: rounding transform; _Rev: reversible lifting transform.  Only the
 * pointers are checked: a width or height <= 0 converts nothing.  C4 forward
 * ignores the fourth sample; C4 inverse sets it to aval. */
QRXCC_API QrxStatus qrxiBGRToYCoCg_8u16s_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCoCg_8u16s_C4P3R(const Qrx8u *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_16s_C3P3R(const Qrx16s *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_16s_C4P3R(const Qrx16s *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_16s32s_C3P3R(const Qrx16s *pSrc, int srcStep, Qrx32s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_16s32s_C4P3R(const Qrx16s *pSrc, int srcStep, Qrx32s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToBGR_16s8u_P3C3R(const Qrx16s *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToBGR_16s8u_P3C4R(const Qrx16s *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_16s_P3C3R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_16s_P3C4R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, Qrx16s aval);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_32s16s_P3C3R(const Qrx32s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_32s16s_P3C4R(const Qrx32s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, Qrx16s aval);
QRXCC_API QrxStatus qrxiBGRToYCoCg_Rev_8u16s_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCoCg_Rev_8u16s_C4P3R(const Qrx8u *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToBGR_Rev_16s8u_P3C3R(const Qrx16s *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToBGR_Rev_16s8u_P3C4R(const Qrx16s *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_Rev_16s_C3P3R(const Qrx16s *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_Rev_16s_C4P3R(const Qrx16s *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_Rev_16s32s_C3P3R(const Qrx16s *pSrc, int srcStep, Qrx32s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_Rev_16s32s_C4P3R(const Qrx16s *pSrc, int srcStep, Qrx32s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_Rev_16s_P3C3R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_Rev_16s_P3C4R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, Qrx16s aval);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_Rev_32s16s_P3C3R(const Qrx32s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_Rev_32s16s_P3C4R(const Qrx32s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, Qrx16s aval);

/* ===== HLS and HSV ========================================================= */
/* RGB <-> HSV and RGB/BGR <-> HLS, run row-parallel.  H, S, L, V use the full
 * range of the sample type (32f: 0..1).  C3/AC4 functions accept any step; AC4
 * leaves the destination alpha as it was. */
QRXCC_API QrxStatus qrxiRGBToHSV_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHSV_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHSV_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHSV_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHSVToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHSVToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHSVToRGB_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHSVToRGB_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHLS_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHLS_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHLS_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHLS_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHLS_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHLS_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHLS_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHLS_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToRGB_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToRGB_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToRGB_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToRGB_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToRGB_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToRGB_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
/* BGR/HLS 8u: B, G, R in channel or plane 0, 1, 2.  These check their steps
 * (StepError below 1); the planar and mixed ones before the ROI size.  AP4,
 * AP4C4 and AC4P4 copy the alpha plane or sample unchanged. */
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToHLS_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToHLS_8u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToHLS_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AP4R(const Qrx8u *const pSrc[4], int srcStep, Qrx8u *const pDst[4], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AP4C4R(const Qrx8u *const pSrc[4], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AC4P4R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[4], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToBGR_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToBGR_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToBGR_8u_AP4R(const Qrx8u *const pSrc[4], int srcStep, Qrx8u *const pDst[4], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToBGR_8u_AP4C4R(const Qrx8u *const pSrc[4], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHLSToBGR_8u_AC4P4R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[4], int dstStep, QrxSize roiSize);

/* ===== XYZ and LUV ========================================================= */
/* BT.709 primaries, D65 white.  AC4 leaves the destination's fourth sample as it was.  16-bit and
 * 32f steps are rounded down to whole samples; any step is accepted. */
QRXCC_API QrxStatus qrxiRGBToXYZ_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiXYZToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToXYZ_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiXYZToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToXYZ_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiXYZToRGB_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToXYZ_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiXYZToRGB_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToXYZ_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiXYZToRGB_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToXYZ_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiXYZToRGB_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToXYZ_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiXYZToRGB_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToXYZ_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiXYZToRGB_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToLUV_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLUVToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToLUV_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLUVToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToLUV_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLUVToRGB_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToLUV_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLUVToRGB_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToLUV_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLUVToRGB_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToLUV_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLUVToRGB_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToLUV_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLUVToRGB_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToLUV_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLUVToRGB_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);

/* ===== Lab ================================================================= */
/* BGR 8u <-> Lab (8u or 16u); both steps are byte steps used unchanged. */
QRXCC_API QrxStatus qrxiBGRToLab_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToLab_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLabToBGR_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLabToBGR_16u8u_C3R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);

/* ===== YCC ================================================================= */
/* RGB <-> YCC (Y, C1, C2), run row-parallel; any step.  AC4 leaves the
 * destination alpha as it was. */
QRXCC_API QrxStatus qrxiRGBToYCC_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCC_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCC_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCC_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCC_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCC_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCC_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCC_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCCToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCCToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCCToRGB_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCCToRGB_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCCToRGB_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCCToRGB_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCCToRGB_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCCToRGB_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);

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
