/** @file qrxcc.h
 * qrxcc: colour-conversion primitives for in-memory images.
 *
 * Every image function converts one rectangular region of interest (ROI) and
 * returns a QrxStatus: 0 on success, a negative error (nothing written) or the
 * one positive warning (qrxStatusOddSize, the conversion was done).
 * Steps are in bytes; QrxSize is always the full-resolution (luma) size.
 * Usable from C99 and C++.
 *
 * Naming: qrxi + source model + To + destination model + variant + _ + sample types + _ + layouts.
 * Sample types: 8u, 8s, 16u, 16s, 32s, 32f (two codes: source then destination type).  Layouts: C1, C3
 * (channels per pixel), AC4 (four samples, the fourth is alpha and is neither converted nor, unless
 * stated, written), C4 (four samples all handled), C2 (packed 4:2:2), P3/P4 (planes; pSrc[3] arrays), P2
 * (a luma plane and one plane of interleaved Cb, Cr), A prefix on P4 (alpha plane); two layout codes
 * name the source then the destination layout; a final I marks in-place functions and a final R a region
 * of interest with row steps.  Steps are in bytes, also for 16-bit and float images.  On a negative
 * status nothing is written. */
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

/** @name Sample types
 * @{ */
typedef uint8_t Qrx8u; /**< 8-bit unsigned sample */
typedef int8_t Qrx8s; /**< 8-bit signed sample */
typedef uint16_t Qrx16u; /**< 16-bit unsigned sample */
typedef int16_t Qrx16s; /**< 16-bit signed sample */
typedef int32_t Qrx32s; /**< 32-bit signed sample */
typedef float Qrx32f; /**< 32-bit float sample */
/** @} */

/** ROI size in full-resolution (luma) pixels. */
typedef struct QrxSize {
    int32_t width;  /**< columns */
    int32_t height; /**< rows */
} QrxSize;

/** Result of every image function: 0 on success, negative for an error (nothing written), positive
 * for a warning (the conversion was done). */
typedef enum QrxStatus {
    qrxStatusOk = 0,             /**< success */
    qrxStatusOddSize = 35,       /**< warning: odd width or height, image converted */
    qrxStatusSizeError = -6,     /**< ROI below the function's minimum */
    qrxStatusNullPointer = -8,   /**< a required pointer is null */
    qrxStatusOutOfMemory = -9,   /**< scratch memory could not be had */
    qrxStatusStepError = -14,    /**< a checked row step is below 1 */
    qrxStatusGammaRange = -49,   /**< vMax - vMin is not above zero */
    qrxStatusLevelsRange = -54,  /**< number of levels out of range */
    qrxStatusNoiseRange = -55    /**< noise percentage outside 0..100 */
} QrxStatus;

/** The library's version record (see qrxccGetLibVersion). */
typedef struct QrxLibraryVersion {
    int32_t major;          /**< major version (5) */
    int32_t minor;          /**< minor version (0) */
    int32_t buildMajor;     /**< build number, major part */
    int32_t buildMinor;     /**< build number, minor part */
    char cpuCode[4];        /**< code of the processor variant, zero-padded text ("e9") */
    const char *fileName;   /**< the library's file name as recorded in the version record */
    const char *versionText; /**< version as text ("v5.0") */
    const char *buildDate;  /**< build date as text */
} QrxLibraryVersion;

/** Dithering method of the bit-depth reduction functions (qrxiReduceBits_*, argument dtype). */
typedef enum QrxDitherMethod {
    qrxDitherMethodOff = 0,               /**< plain quantisation; noise is ignored */
    qrxDitherMethodFloydSteinberg = 1,    /**< error diffusion, Floyd-Steinberg weights */
    qrxDitherMethodJarvisJudiceNinke = 2, /**< error diffusion, Jarvis-Judice-Ninke weights */
    qrxDitherMethodStucki = 3,            /**< error diffusion, Stucki weights */
    qrxDitherMethodOrdered4x4 = 4         /**< ordered dithering with a 4 x 4 threshold matrix */
} QrxDitherMethod;

/** Slice position of the smoothing 4:2:0 conversions (qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R and
 * qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R): a frame is converted whole or slice by slice from top to
 * bottom. */
enum {
    qrxSliceTop = 1,     /**< the first slice of a frame */
    qrxSliceMiddle = 4,  /**< a slice with rows above and below it */
    qrxSliceBottom = 16, /**< the last slice of a frame */
    qrxSliceWhole = 21 /**< the whole frame in one call; any value with bits 1, 4 and 16 all set */
};

/** The version record: always the same static, read-only object (major 5, matching the SONAME
 * libqrxcc.so.5).  Never null; needs no release. */
QRXCC_API const QrxLibraryVersion *qrxccGetLibVersion(void);

/* ===== RGB <-> YCbCr 4:4:4 ============================================== */
/* Y 16..235, Cb/Cr 16..240 (studio-range BT.601).  Any step is accepted. */
/**@{*/
/** RGB <-> YCbCr 4:4:4, three bytes per pixel (R, G, B and Y, Cb, Cr).
 * qrxiRGBToYCbCr_8u_C3R converts RGB to studio-range YCbCr (Y 16..235, Cb and Cr 16..240);
 * qrxiYCbCrToRGB_8u_C3R converts YCbCr to RGB, clamped to 0..255.  Any step is accepted.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/* AC4: the source alpha is not read, the destination alpha is left as it was. */
/**@{*/
/** RGB <-> YCbCr 4:4:4 with four bytes per pixel: the first three are converted as the C3 functions
 * do, the source alpha is not read and the destination alpha is left as it was.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** RGB <-> YCbCr 4:4:4 between three planes (R, G, B and Y, Cb, Cr), one step for the three
 * source planes and one for the three destination planes.
 * @return qrxStatusOk; qrxStatusNullPointer if a plane array or any plane pointer is null (the plane
 * pointers are tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToYCbCr_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** YCbCr 4:4:4 planes (Y, Cb, Cr; one step) to pixel-order RGB (qrxiYCbCrToRGB_8u_P3C3R) or
 * BGR (qrxiYCbCrToBGR_8u_P3C3R), three bytes per pixel.
 * @return qrxStatusOk; qrxStatusNullPointer if the plane array, a plane pointer or the destination is
 * null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYCbCrToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCrToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/* C4 output: the fourth byte of every pixel is set to aval. */
/**@{*/
/** YCbCr 4:4:4 planes (Y, Cb, Cr; one step) to B, G, R, A pixels; every fourth byte is set to aval.
 * @return qrxStatusOk; qrxStatusNullPointer if the plane array, a plane pointer or the destination is
 * null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYCbCrToBGR_8u_P3C4R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
/**@}*/

/* ===== RGB <-> YCbCr 4:2:2, 4:2:0, 4:1:1 ================================= */
/* Packed 4:2:2: YCbCr422 is Y0 Cb Y1 Cr, CbYCr422 is Cb Y0 Cr Y1 per pixel pair.  Planar
   4:2:2/4:2:0/4:1:1 have half-width (quarter-width for 4:1:1) chroma planes; sizes are in luma
   pixels.  An odd last pixel of a packed row is written as its Y and Cb only. */
/**@{*/
/** RGB (pixel order, or three planes with one step) to packed YCbCr 4:2:2 (Y0 Cb Y1 Cr per pixel pair,
 * studio range).  Any width: the last pixel of an odd-width row is written as its Y and Cb only.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer (for P3C2R: after the size, a plane pointer) is
 * null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToYCbCr422_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYCbCr422_8u_P3C2R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** YCbCr 4:2:2 to RGB: packed Y0 Cb Y1 Cr to pixel-order RGB (C2C3R) or to three RGB planes with one
 * step (C2P3R), and planar 4:2:2 (a step per plane) to pixel-order RGB (P3C3R).  Both pixels of a pair
 * use the pair's chroma; the last pixel of an odd-width packed row takes Cr from the previous pair.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer (after the size: a plane pointer) is null;
 * qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** BGR (C3, or AC4 with the alpha not read) to YCbCr 4:2:2, packed Y0 Cb Y1 Cr (C2) or three planes
 * with half-width chroma and a step per plane (P3).  The last pixel of an odd-width row gets Y and Cb
 * (packed) or Y only (planar).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or (P3) plane pointer is null; qrxStatusSizeError
 * if the width is below 2 or the height below 1.
 */
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_AC4C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr422_8u_AC4P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** Packed YCbCr 4:2:2 (Y0 Cb Y1 Cr) to B, G, R pixels (C3) or B, G, R, A pixels with the fourth byte
 * set to aval (C4).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width is
 * below 2 or the height below 1.
 */
QRXCC_API QrxStatus qrxiYCbCr422ToBGR_8u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToBGR_8u_C2C4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
/**@}*/
/**@{*/
/** Packed CbYCr422 (Cb Y0 Cr Y1) to R, G, B pixels (C3) or B, G, R, A pixels with the fourth byte set to
 * aval (C4).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiCbYCr422ToRGB_8u_C2C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToBGR_8u_C2C4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
/**@}*/
/**@{*/
/** RGB pixels to packed CbYCr422 (Cb Y0 Cr Y1); the chroma of a pair is taken through a three-tap
 * horizontal filter.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToCbYCr422_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/* Steps must be at least 1 (qrxStatusStepError otherwise). */
/**@{*/
/** RGB pixels to packed CbYCr422 (Cb Y0 Cr Y1) as qrxiRGBToCbYCr422_8u_C3C2R, after mapping R, G and B
 * through the BT.709 transfer curve (linear to gamma-corrected, a 256-entry table).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or
 * height is below 1; qrxStatusStepError if a step is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToCbYCr422Gamma_8u_C3C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** B, G, R, A pixels (alpha not read) to packed CbYCr422 (Cb Y0 Cr Y1).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiBGRToCbYCr422_8u_AC4C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** RGB or BGR pixels (C3; AC4 with the alpha not read) to planar YCbCr 4:2:0 (Y plane, Cb and Cr planes
 * of floor(W/2) x floor(H/2) samples; a step per plane).  An odd last column or row gets luma only.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null (qrxiRGBToYCbCr420_8u_C3P3R:
 * the plane pointers after the size); qrxStatusSizeError if the width or height is below 1
 * (qrxiRGBToYCbCr420_8u_C3P3R) or below 2 (the BGR members).
 */
QRXCC_API QrxStatus qrxiRGBToYCbCr420_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr420_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr420_8u_AC4P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/* YCrCb420: the planes are Y, Cr, Cb. */
/**@{*/
/** BGR pixels (C3; AC4 with the alpha not read) to planar 4:2:0 with the planes in the order Y, Cr, Cb
 * (as YV12); otherwise as qrxiBGRToYCbCr420_8u_C3P3R.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width or height is below 2.
 */
QRXCC_API QrxStatus qrxiBGRToYCrCb420_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCrCb420_8u_AC4P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** Planar YCbCr 4:2:0 (a step per plane) to pixel-order RGB or BGR.  Pixel (x, y) uses chroma sample
 * floor(x/2) of chroma row floor(y/2); odd sizes are converted completely.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer (after the size: a plane pointer) is null;
 * qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYCbCr420ToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** BGR pixels (C3; AC4 with the alpha not read) to planar YCbCr 4:1:1 (quarter-width Cb and Cr planes;
 * a step per plane).  The last W mod 4 pixels of a row get luma only.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 4 or the height below 1.
 */
QRXCC_API QrxStatus qrxiBGRToYCbCr411_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCbCr411_8u_AC4P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** Planar YCbCr 4:1:1 (a step per plane) to B, G, R pixels (C3) or B, G, R, A with the fourth byte set
 * to aval (C4).  Pixel x uses chroma sample floor(x/4).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 4 or the height below 1.
 */
QRXCC_API QrxStatus qrxiYCbCr411ToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToBGR_8u_P3C4R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
/**@}*/

/* ===== YCbCr to 16-bit packed RGB ======================================== */
/* 16-bit little-endian pixels; the name lists the channels from the low bits up
   (BGR565: B in bits 4..0, R in 15..11; RGB565 the reverse; 555 and 444 leave the
   top bits zero).  Dither names: 4x4 ordered dither anchored at the ROI's top-left.
   The destination step is in bytes; rows advance by floor(step / 2) pixels.  The plain
   C3R and C2C3R functions convert a gap-free image (source step = width x 3 or x 2,
   floor(dstStep / 2) = width) as one long row (C2C3R and YCbCrToBGR444 C3R only for
   even widths). */
/* 4:4:4 pixel order (Y, Cb, Cr) to 16-bit pixels. */
/**@{*/
/** YCbCr 4:4:4 in pixel order (Y, Cb, Cr bytes) to 16-bit packed RGB: BGR444, BGR555, BGR565,
 * RGB444, RGB555 or RGB565 as the name says, with (Dither) or without ordered 4x4 dither.
 * The destination step is in bytes.  A gap-free image (source step = width x 3, destination step / 2 =
 * width) is converted as one long row (YCbCrToBGR444 only for even widths).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/
/* 4:4:4 planar, one step. */
/**@{*/
/** YCbCr 4:4:4 planes (Y, Cb, Cr; one step) to 16-bit packed BGR444/555/565 or RGB444/555/565, with
 * (Dither) or without ordered 4x4 dither.  The destination step is in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if the plane array, a plane pointer or the destination is
 * null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/
/* 4:2:2 packed Y0 Cb Y1 Cr. */
/**@{*/
/** Packed YCbCr 4:2:2 (Y0 Cb Y1 Cr) to 16-bit packed BGR444/555/565 or RGB444/555/565, with
 * (Dither) or without ordered 4x4 dither.  Any width: the last pixel of an odd-width row holds Y and Cb
 * only (the plain functions take Cr from the previous pair, the dithered ones use Cb).  A gap-free even-width
 * image is converted as one long row.  The destination step is in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/
/* 4:2:2 planar, a step per plane. */
/**@{*/
/** Planar YCbCr 4:2:2 (Y plane, half-width Cb and Cr planes; a step per plane) to 16-bit packed
 * BGR444/555/565 or RGB444/555/565, with (Dither) or without ordered 4x4 dither.  The destination step
 * is in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if the plane array, a plane pointer or the destination is
 * null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/
/* 4:2:0 planar, a step per plane. */
/**@{*/
/** Planar YCbCr 4:2:0 (Y plane, half-width half-height Cb and Cr planes; a step per plane) to 16-bit
 * packed BGR444/555/565 or RGB444/555/565, with (Dither) or without ordered 4x4 dither.  The destination
 * step is in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if the plane array, a plane pointer or the destination is
 * null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/
/* 4:1:1 planar, a step per plane; width at least 4. */
/**@{*/
/** Planar YCbCr 4:1:1 (Y plane, quarter-width Cb and Cr planes; a step per plane) to 16-bit packed
 * BGR555 or BGR565.  The destination step is in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if the plane array, a plane pointer or the destination is
 * null; qrxStatusSizeError if the width is below 4 or the height below 1.
 */
QRXCC_API QrxStatus qrxiYCbCr411ToBGR555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToBGR565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
/**@}*/

/* ===== 16-bit packed BGR to YCbCr ======================================== */
/* Sources: one 16-bit word per pixel (BGR565, or BGR555 with bit 15 ignored); fields are
   widened by a left shift without bit replication, then converted as the 8-bit BGR functions. */
/**@{*/
/** 16-bit packed BGR565 or BGR555 pixels (one word per pixel, bit 15 of BGR555 ignored; the source step in
 * bytes) to YCbCr 4:2:2 packed (C3C2R, Y0 Cb Y1 Cr) or planar (C3P3R), 4:2:0 planar (YCbCr420: Y, Cb, Cr;
 * YCrCb420: Y, Cr, Cb) or 4:1:1 planar, a step per destination plane.  The fields are widened to 8 bits by
 * a left shift and converted as the 8-bit BGR functions convert.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the size is below the layout's minimum (4:2:2: 2 x 1, 4:2:0: 2 x 2, 4:1:1: 4 x 1).
 */
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
/**@}*/

/* ===== Chroma layout and sampling ======================================== */
/* Packed 4:2:2 orders: YCbCr422 = Y0 Cb Y1 Cr, YCrCb422 = Y0 Cr Y1 Cb, CbYCr422 = Cb Y0 Cr Y1.
 * P3 plane order follows the name (YCrCb: Y, Cr, Cb), each plane with its own step;
 * P2 = luma plane + one plane of (Cb, Cr) pairs.  Sizes are rounded down in silence. */
/**@{*/
/** Packed 4:2:2 (YCbCr422 Y0 Cb Y1 Cr, YCrCb422 Y0 Cr Y1 Cb or CbYCr422 Cb Y0 Cr Y1) to planar
 * YCbCr 4:2:2 (Y, Cb, Cr planes; a step per plane).  Samples are copied unchanged; the width used is
 * W & ~1.  qrxiYCbCr422_8u_C2P3R also rejects a null step array.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 2 (and, for qrxiYCbCr422_8u_C2P3R, the height below 1; for the others a height
 * below 1 converts nothing).
 */
QRXCC_API QrxStatus qrxiYCbCr422_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr422_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr422_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** Planar YCbCr 4:2:2 (a step per plane) to packed YCbCr422 (Y0 Cb Y1 Cr) or YCrCb422
 * (Y0 Cr Y1 Cb).  Samples are copied unchanged; the width used is W & ~1.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 2 (qrxiYCbCr422_8u_P3C2R: or the height below 1).
 */
QRXCC_API QrxStatus qrxiYCbCr422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** Reorders the bytes of packed 4:2:2 pixel pairs between YCbCr422 (Y0 Cb Y1 Cr), CbYCr422
 * (Cb Y0 Cr Y1) and YCrCb422 (Y0 Cr Y1 Cb).  The width used is W & ~1.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width is
 * below 2 (the YCbCr422 <-> CbYCr422 pair: or the height below 1).
 */
QRXCC_API QrxStatus qrxiYCbCr422ToCbYCr422_8u_C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr422_8u_C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb422_8u_C2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** 4:2:0 three planes (YCbCr: Y, Cb, Cr; YCrCb: Y, Cr, Cb; a step per plane) <-> semi-planar 4:2:0
 * (P2: a Y plane and one plane of Cb, Cr pairs, as in NV12).  Samples are copied unchanged; the size used
 * is (W & ~1) x (H & ~1).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width or height is below 2.
 */
QRXCC_API QrxStatus qrxiYCbCr420_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr420_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
/**@}*/
/* Like qrxiYCbCr420_8u_P2P3R: Cb goes to the second pointer's plane, Cr to the third. */
/**@{*/
/** Semi-planar 4:2:0 (Y plane + Cb, Cr pairs) to three planes, Cb written to the second pointer's
 * plane and Cr to the third.  The size used is (W & ~1) x (H & ~1).
 * @return qrxStatusOk; qrxStatusNullPointer if the source pointers or the destination array are null
 * (then, after a size below 1 x 1, a null destination plane); qrxStatusSizeError if the width or height
 * is below 1, or (after the plane pointers) below 2.
 */
QRXCC_API QrxStatus qrxiYCbCr420ToYCrCb420_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** 4:1:1 three planes (Y, Cb, Cr; a step per plane) <-> semi-planar 4:1:1 (Y plane + one plane of
 * Cb, Cr pairs).  Samples are copied unchanged; the width used is W & ~3.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 4 (a height below 1 converts nothing).
 */
QRXCC_API QrxStatus qrxiYCbCr411_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** 4:2:2 (packed YCbCr422, CbYCr422, YCrCb422 or three planes) to 4:2:0 (three planes, Y Cb Cr or
 * Y Cr Cb as the name says, or semi-planar P2).  Luma is copied; each destination chroma row is the even
 * source chroma row 2j (odd chroma rows are not read).  The size used is (W & ~1) x (H & ~1).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width or height is below 2.
 */
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCrCb420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCrCb420_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_C2P2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr420_8u_C2P2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr420_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** 4:2:0 (three planes, YCbCr or YCrCb order, or semi-planar P2) to 4:2:2 (three planes or packed
 * YCbCr422 / CbYCr422).  Luma is copied; each source chroma row is written to two destination chroma rows
 * (no filtering; see the Filter functions for interpolation).  The size used is (W & ~1) x (H & ~1).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width or height is below 2.
 */
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_8u_P2C2R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToCbYCr422_8u_P2C2R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToCbYCr422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** 4:2:2 (three planes or packed YCbCr422 / CbYCr422 / YCrCb422) to 4:1:1 (three planes or
 * semi-planar P2).  Luma is copied; chroma sample i is source chroma sample 2i (the first pair of each group
 * of four pixels).  The width used is W & ~3.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 4 (a height below 1 converts nothing).
 */
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiCbYCr422ToYCbCr411_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb422ToYCbCr411_8u_C2P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_C2P2R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr422ToYCbCr411_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** 4:1:1 (three planes or semi-planar P2) to 4:2:2 (three planes in YCbCr or YCrCb order, or packed
 * YCbCr422 / YCrCb422).  Luma is copied; each chroma sample is written twice.  The width used is W & ~3.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 4 (a height below 1 converts nothing).
 */
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb422_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb422_8u_P3C2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P2C2R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr422_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** 4:2:0 (three planes, YCbCr or YCrCb order, or semi-planar P2) to 4:1:1 (semi-planar P2 or three
 * planes).  Each 4:2:0 chroma row is split into two 4:1:1 chroma rows (even samples, then odd samples),
 * so no chroma is lost.  The size used is (W & ~3) x (H & ~1).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 4 or the height below 2.
 */
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr411_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr411_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr411_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** 4:1:1 (three planes or semi-planar P2) to 4:2:0 (three planes in YCbCr or YCrCb order, or
 * semi-planar P2): the inverse of the 4:2:0 -> 4:1:1 split, merging two 4:1:1 chroma rows into one
 * 4:2:0 row.  The size used is (W & ~3) x (H & ~1).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 4 or the height below 2.
 */
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P3P2R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDstY, int dstYStep, Qrx8u *pDstCbCr, int dstCbCrStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCbCr420_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr411ToYCrCb420_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/

/* ===== Filtered 4:2:0 ===================================================== */
/* Interpolating 4:2:0 -> 4:2:2 uses W & ~1 by H & ~7 (at least 2 x 8).  The smoothing
 * conversions take a slice position (qrxSliceTop, qrxSliceMiddle, qrxSliceBottom,
 * qrxSliceWhole); any other value converts nothing and returns qrxStatusOk. */
/**@{*/
/** 4:2:0 (three planes, YCbCr or YCrCb order, or semi-planar P2) to planar 4:2:2 with vertical
 * interpolation of the chroma rows.  Luma is copied.  The size used is (W & ~1) x (H & ~7).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if
 * the width is below 2 or the height below 8.
 */
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCrCb420ToYCbCr422_Filter_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/
/**@{*/
/** Semi-planar 4:2:0 to packed YCbCr422 (Y0 Cb Y1 Cr) with smoothing: luma filtered vertically 1-2-1,
 * each output chroma row the average of two adjacent source chroma rows.  A frame may be converted whole
 * (slicePosition qrxSliceWhole) or in slices from top to bottom (qrxSliceTop, qrxSliceMiddle,
 * qrxSliceBottom); any other slice value converts nothing.  The size used is (W & ~1) x (H & ~1).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or
 * height is below 2.
 */
QRXCC_API QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int slicePosition);
/**@}*/
/* The second pointer's plane receives Cb, the third Cr. */
/**@{*/
/** Semi-planar 4:2:0 to three 4:2:0 planes with the same smoothing and slice positions as
 * qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R; Cb goes to the second pointer's plane, Cr to the third.  The
 * size used is (W & ~1) x (H & ~1).
 * @return qrxStatusOk; qrxStatusNullPointer if a source pointer or the destination array is null (then,
 * after a size below 1 x 1, a null destination plane); qrxStatusSizeError if the width or height is below
 * 1, or (after the plane pointers) below 2.
 */
QRXCC_API QrxStatus qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(const Qrx8u *pSrcY, int srcYStep, const Qrx8u *pSrcCbCr, int srcCbCrStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize, int slicePosition);
/**@}*/

/* ===== RGB <-> YUV ======================================================== */
/* YUV: Y = 0.299 R + 0.587 G + 0.114 B, U = 0.492 (B - Y) + 128, V = 0.877 (R - Y) + 128.
 * 4:4:4 planar images share ONE step over their three planes; any step is accepted. */
/**@{*/
/** RGB to YUV 4:4:4 (Y = 0.299 R + 0.587 G + 0.114 B, U = 0.492 (B - Y) + 128, V = 0.877 (R - Y) + 128):
 * C3 (R, G, B to Y, U, V bytes), AC4 (alpha not read, destination alpha left as it was), P3 (three
 * planes to three planes) and C3P3 (pixel order to planes).  Planar images share one step over their
 * three planes; any step is accepted.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToYUV_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** YUV 4:4:4 to RGB (R = Y + 1.140 (V - 128), G = Y - 0.394 (U - 128) - 0.581 (V - 128),
 * B = Y + 2.032 (U - 128), clamped): C3, AC4 (destination alpha left as it was), P3 and P3C3 (planes to
 * pixel order).  Planar images share one step over their three planes; any step is accepted.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYUVToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUVToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUVToRGB_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUVToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/* YUV 4:2:2 (packed Y0 U Y1 V, or planes with chroma ceil(W/2) wide) and 4:2:0 (chroma
 * ceil(W/2) x ceil(H/2)).  Odd widths and heights are converted completely.  Planar YUV
 * takes an array of three steps; planar RGB (the _P3R functions) one step for its planes.
 * Functions without the final R take contiguous images (rows 3W, W and ceil(W/2) bytes). */
/**@{*/
/** RGB <-> YUV 4:2:2 (one U and one V per horizontal pixel pair): packed YUV422 (Y0 U Y1 V, C2),
 * planar YUV422 (Y plane W x H, U and V planes ceil(W/2) x H; an array of three steps) and RGB in pixel
 * order (C3) or as three planes (P3, one step for the three planes).  Odd widths are converted completely.
 * Functions whose name ends without R take contiguous images and the image size only (rows of 3W bytes for
 * RGB, W for Y and planar RGB, ceil(W/2) for U and V).
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/
/* AC4 outputs of the subsampled inverse write 0 into the fourth byte. */
/**@{*/
/** Planar YUV 4:2:2 (a step per plane) to R, G, B, A pixels; the fourth byte is set to 0.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYUV422ToRGB_8u_P3AC4R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** RGB <-> planar YUV 4:2:0 (Y plane W x H, U and V planes ceil(W/2) x ceil(H/2); an array of three
 * steps), with RGB in pixel order (C3) or as three planes (P3, one shared step).  Odd widths and heights
 * are converted completely.  Functions whose name ends without R take contiguous images and the image size
 * only.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToYUV420_8u_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV420_8u_C3P3(const Qrx8u *pSrc, Qrx8u *const pDst[3], QrxSize imgSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3C3(const Qrx8u *const pSrc[3], Qrx8u *pDst, QrxSize imgSize);
QRXCC_API QrxStatus qrxiRGBToYUV420_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToYUV420_8u_P3(const Qrx8u *const pSrc[3], Qrx8u *const pDst[3], QrxSize imgSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3(const Qrx8u *const pSrc[3], Qrx8u *const pDst[3], QrxSize imgSize);
/**@}*/
/**@{*/
/** Planar YUV 4:2:0 (a step per plane) to R, G, B, A pixels; the fourth byte is set to 0.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYUV420ToRGB_8u_P3AC4R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** Planar YUV 4:2:0 (a step per plane) to pixel-order B, G, R.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYUV420ToBGR_8u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/* 4:2:0 to 16-bit packed RGB; the destination step is in bytes.  The plain functions
 * convert nothing for a ROI one pixel wide or one row high (and return qrxStatusOk). */
/**@{*/
/** Planar YUV 4:2:0 to 16-bit packed RGB565, BGR565, RGB555, BGR555, RGB444 or BGR444 (the
 * destination step is in bytes), without dither.  A ROI one pixel wide or one row high converts nothing and
 * returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYUV420ToRGB565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR565_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR555_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB444_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR444_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** Planar YUV 4:2:0 to 16-bit packed RGB565, BGR565, RGB555, BGR555, RGB444 or BGR444 with ordered
 * 4x4 dither (the destination step is in bytes).  Every ROI is converted, odd edges included.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null (plane pointers are
 * tested after the size); qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiYUV420ToRGB565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR565Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR555Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToRGB444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYUV420ToBGR444Dither_8u16u_P3C3R(const Qrx8u *const pSrc[3], const int srcStep[3], Qrx16u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/* 16-bit packed BGR565 / BGR555 to 4:2:0: minimum 2 x 2; an odd width or height converts
 * the even part and returns qrxStatusOddSize. */
/**@{*/
/** 16-bit packed BGR565 or BGR555 (one word per pixel) to planar YUV 4:2:0.  Only the even part of the ROI
 * is converted.
 * @return qrxStatusOk; qrxStatusOddSize (+35) when the width or height is odd (the even part was converted);
 * qrxStatusNullPointer if a pointer or plane pointer is null; qrxStatusSizeError if the width or height
 * is below 2.
 */
QRXCC_API QrxStatus qrxiBGR565ToYUV420_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGR555ToYUV420_16u8u_C3P3R(const Qrx16u *pSrc, int srcStep, Qrx8u *const pDst[3], const int dstStep[3], QrxSize roiSize);
/**@}*/

/* ===== YCoCg =============================================================== */
/* BGR (8u, or signed 16-bit "SBGR") <-> planes Y, Co, Cg with one shared step.
 * Plain: rounding transform; _Rev: reversible lifting transform.  Only the
 * pointers are checked: a width or height <= 0 converts nothing.  C4 forward
 * ignores the fourth sample; C4 inverse sets it to aval. */
/**@{*/
/** 8-bit B, G, R pixels (C3, or C4 with the fourth byte ignored) to three signed 16-bit planes Y, Co,
 * Cg (one step for the three planes), by the rounding YCoCg transform.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, the plane array or a plane pointer is null.
 * Sizes are not checked: a width or height of 0 or less converts nothing.
 */
QRXCC_API QrxStatus qrxiBGRToYCoCg_8u16s_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCoCg_8u16s_C4P3R(const Qrx8u *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** Signed 16-bit B, G, R pixels (C3, or C4 with the fourth sample ignored) to Y, Co, Cg planes of
 * 16-bit (16s) or 32-bit (16s32s) samples by the rounding YCoCg transform; one step for the three planes.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, the plane array or a plane pointer is null.
 * Sizes are not checked: a width or height of 0 or less converts nothing.
 */
QRXCC_API QrxStatus qrxiSBGRToYCoCg_16s_C3P3R(const Qrx16s *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_16s_C4P3R(const Qrx16s *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_16s32s_C3P3R(const Qrx16s *pSrc, int srcStep, Qrx32s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_16s32s_C4P3R(const Qrx16s *pSrc, int srcStep, Qrx32s *const pDst[3], int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** Y, Co, Cg planes (16s, or 32s for the 32s16s members; one step) back to B, G, R pixels: 8-bit
 * (16s8u) or signed 16-bit (SBGR), clamped.  C4 outputs set the fourth sample to aval.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, the plane array or a plane pointer is null.
 * Sizes are not checked: a width or height of 0 or less converts nothing.
 */
QRXCC_API QrxStatus qrxiYCoCgToBGR_16s8u_P3C3R(const Qrx16s *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToBGR_16s8u_P3C4R(const Qrx16s *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_16s_P3C3R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_16s_P3C4R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, Qrx16s aval);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_32s16s_P3C3R(const Qrx32s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_32s16s_P3C4R(const Qrx32s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, Qrx16s aval);
/**@}*/
/**@{*/
/** Reversible (lifting) YCoCg-R between 8-bit B, G, R pixels and signed 16-bit Y, Co, Cg planes (one
 * step): the inverse restores the pixels exactly.  C4 forward ignores the fourth byte; C4 inverse sets it
 * to aval.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, the plane array or a plane pointer is null.
 * Sizes are not checked: a width or height of 0 or less converts nothing.
 */
QRXCC_API QrxStatus qrxiBGRToYCoCg_Rev_8u16s_C3P3R(const Qrx8u *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToYCoCg_Rev_8u16s_C4P3R(const Qrx8u *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToBGR_Rev_16s8u_P3C3R(const Qrx16s *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToBGR_Rev_16s8u_P3C4R(const Qrx16s *const pSrc[3], int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, Qrx8u aval);
/**@}*/
/**@{*/
/** Reversible (lifting) YCoCg-R between signed 16-bit B, G, R pixels and Y, Co, Cg planes of 16-bit
 * (16s) or 32-bit (16s32s, 32s16s) samples; one step for the three planes.  C4 forward ignores the fourth
 * sample; C4 inverse sets it to aval.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, the plane array or a plane pointer is null.
 * Sizes are not checked: a width or height of 0 or less converts nothing.
 */
QRXCC_API QrxStatus qrxiSBGRToYCoCg_Rev_16s_C3P3R(const Qrx16s *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_Rev_16s_C4P3R(const Qrx16s *pSrc, int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_Rev_16s32s_C3P3R(const Qrx16s *pSrc, int srcStep, Qrx32s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiSBGRToYCoCg_Rev_16s32s_C4P3R(const Qrx16s *pSrc, int srcStep, Qrx32s *const pDst[3], int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_Rev_16s_P3C3R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_Rev_16s_P3C4R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, Qrx16s aval);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_Rev_32s16s_P3C3R(const Qrx32s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiYCoCgToSBGR_Rev_32s16s_P3C4R(const Qrx32s *const pSrc[3], int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, Qrx16s aval);
/**@}*/

/* ===== HLS and HSV ========================================================= */
/* RGB <-> HSV and RGB/BGR <-> HLS, run row-parallel.  H, S, L, V use the full
 * range of the sample type (32f: 0..1).  C3/AC4 functions accept any step; AC4
 * leaves the destination alpha as it was. */
/**@{*/
/** RGB <-> HSV for 8-bit and 16-bit unsigned samples; H, S and V use the full range of the sample type
 * (8u: hue 0..255 for 0..360 degrees).  C3 and AC4 (destination alpha left as it was); any step; run
 * row-parallel with threads_omp_of_n_qrx threads.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToHSV_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHSV_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHSV_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToHSV_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHSVToRGB_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHSVToRGB_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHSVToRGB_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiHSVToRGB_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** RGB <-> HLS (channels H, L, S) for 8u, 16u, 16s and 32f samples; H, L and S use the full range of the
 * sample type (32f: 0..1).  C3 and AC4 (destination alpha left as it was); any step; run row-parallel.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/
/* BGR/HLS 8u: B, G, R in channel or plane 0, 1, 2.  These check their steps
 * (StepError below 1); the planar and mixed ones before the ROI size.  AP4,
 * AP4C4 and AC4P4 copy the alpha plane or sample unchanged. */
/**@{*/
/** B, G, R, A pixels to H, L, S, A pixels (8u); the destination alpha is left as it was.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or
 * height is below 1; qrxStatusStepError if a step is below 1.
 */
QRXCC_API QrxStatus qrxiBGRToHLS_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** 8-bit BGR <-> HLS between pixel order and planes: C3P3 (pixels to three planes), P3C3 (planes to
 * pixels), P3 (planes to planes), AP4 (four planes, alpha plane copied), AP4C4 and AC4P4 (alpha copied
 * between plane and fourth sample).  B, G, R and H, L, S are channels or planes 0, 1, 2; planar images
 * share one step per side.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer, pointer array or plane pointer is null;
 * qrxStatusStepError if a step is below 1 (tested before the size); qrxStatusSizeError if the width or
 * height is below 1.
 */
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
/**@}*/

/* ===== XYZ and LUV ========================================================= */
/* BT.709 primaries, D65 white.  AC4 leaves the destination's fourth sample as it was.  16-bit and
 * 32f steps are rounded down to whole samples; any step is accepted. */
/**@{*/
/** RGB <-> CIE XYZ (BT.709 primaries, D65 white) for 8u, 16u, 16s and 32f samples, C3 and AC4 (the
 * destination's fourth sample left as it was).  Steps are in bytes, any value accepted; run row-parallel.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/
/**@{*/
/** RGB <-> CIE L*u*v* (BT.709 primaries, D65 white) for 8u, 16u, 16s and 32f samples, C3 and AC4 (the
 * destination's fourth sample left as it was).  Integer types scale L* 0..100, u* -134..220 and
 * v* -140..122 to the full sample range.  Steps are in bytes, any value accepted; run row-parallel.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/

/* ===== Lab ================================================================= */
/* BGR 8u <-> Lab (8u or 16u); both steps are byte steps used unchanged. */
/**@{*/
/** 8-bit B, G, R <-> CIE L*a*b* (D65 white) stored in 8 bits (L* x 2.55, a* + 128, b* + 128) or 16 bits
 * (L* x 655.35, (a* + 128) x 255, (b* + 128) x 255) per channel.  Both steps are byte steps used as given;
 * run row-parallel.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiBGRToLab_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiBGRToLab_8u16u_C3R(const Qrx8u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLabToBGR_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiLabToBGR_16u8u_C3R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
/**@}*/

/* ===== YCC ================================================================= */
/* RGB <-> YCC (Y, C1, C2), run row-parallel; any step.  AC4 leaves the
 * destination alpha as it was. */
/**@{*/
/** RGB <-> YCC (Y, C1, C2: luma scaled by 1/1.402, blue and red differences centred on 156/255 and
 * 137/255 of the range) for 8u, 16u, 16s and 32f samples, C3 and AC4 (destination alpha left as it was).
 * Any step; run row-parallel.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
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
/**@}*/

/* ===== Gray ================================================================ */
/* Weighted sum of channels 0..2 into one channel; AC4 alpha is not read.  Steps are not checked.
 * ColorToGray: three float weights; a null pointer selects 0.299, 0.587, 0.114. */
/**@{*/
/** Gray from R, G, B: Y = 0.299 R + 0.587 G + 0.114 B into one channel, for 8u, 16u, 16s and 32f
 * samples.  C3C1: three samples per source pixel; AC4C1: four, the alpha not read.  Steps are in bytes
 * and not checked.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiRGBToGray_8u_C3C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_8u_AC4C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_16u_C3C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_16u_AC4C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_16s_C3C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_16s_AC4C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_32f_C3C1R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
QRXCC_API QrxStatus qrxiRGBToGray_32f_AC4C1R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize);
/**@}*/
/**@{*/
/** Gray as a weighted sum of channels 0..2 with the three float weights at pWeights (a null pWeights
 * selects 0.299, 0.587, 0.114, the result of the RGBToGray member), for 8u, 16u, 16s and 32f samples.
 * The weights pointer is not checked; steps are in bytes and not checked.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height is below 1.
 */
QRXCC_API QrxStatus qrxiColorToGray_8u_C3C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_8u_AC4C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_16u_C3C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_16u_AC4C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_16s_C3C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_16s_AC4C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_32f_C3C1R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
QRXCC_API QrxStatus qrxiColorToGray_32f_AC4C1R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f *pWeights);
/**@}*/

/* ===== Colour twist ======================================================== */
/* Affine colour transform: output i = t[i][0]*x0 + t[i][1]*x1 + t[i][2]*x2 + t[i][3], in single precision.
 * Integer results are clamped and rounded to nearest (ties to even) whatever the caller's rounding mode;
 * the caller's floating-point control state is restored.  AC4 alpha is left as it was.
 * Steps must be at least 1; planar images share one step per side. */
/**@{*/
/** Colour twist of 8-bit unsigned images: channel i = t[i][0] x0 + t[i][1] x1 + t[i][2] x2 + t[i][3] in
 * single precision, clamped to 0..255 and rounded to nearest (ties to even).  C3, AC4 (alpha left as it
 * was), P3 (one step per side) and in-place (I) forms.
 * @return qrxStatusOk; qrxStatusNullPointer if an image pointer, plane pointer or the matrix is null;
 * qrxStatusSizeError if the width or height is below 1; qrxStatusStepError if a step is below 1.
 */
QRXCC_API QrxStatus qrxiColorTwist32f_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_C3IR(Qrx8u *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_AC4IR(Qrx8u *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_P3R(const Qrx8u *const pSrc[3], int srcStep, Qrx8u *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8u_IP3R(Qrx8u *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
/**@}*/
/**@{*/
/** Colour twist of 8-bit signed images (results saturated to -128..127, rounded to nearest even); C3,
 * AC4 (alpha left as it was), P3 and in-place forms.
 * @return qrxStatusOk; qrxStatusNullPointer if an image pointer, plane pointer or the matrix is null;
 * qrxStatusSizeError if the width or height is below 1; qrxStatusStepError if a step is below 1.
 */
QRXCC_API QrxStatus qrxiColorTwist32f_8s_C3R(const Qrx8s *pSrc, int srcStep, Qrx8s *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_C3IR(Qrx8s *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_AC4R(const Qrx8s *pSrc, int srcStep, Qrx8s *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_AC4IR(Qrx8s *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_P3R(const Qrx8s *const pSrc[3], int srcStep, Qrx8s *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_8s_IP3R(Qrx8s *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
/**@}*/
/**@{*/
/** Colour twist of 16-bit unsigned images (results clamped to 0..65535, rounded to nearest even); C3,
 * AC4 (alpha left as it was), P3 and in-place forms.  Steps are in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if an image pointer, plane pointer or the matrix is null;
 * qrxStatusSizeError if the width or height is below 1; qrxStatusStepError if a step is below 1.
 */
QRXCC_API QrxStatus qrxiColorTwist32f_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_C3IR(Qrx16u *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_AC4IR(Qrx16u *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_P3R(const Qrx16u *const pSrc[3], int srcStep, Qrx16u *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16u_IP3R(Qrx16u *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
/**@}*/
/**@{*/
/** Colour twist of 16-bit signed images (results clamped to -32768..32767, rounded to nearest even);
 * C3, AC4 (alpha left as it was), P3 and in-place forms.  Steps are in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if an image pointer, plane pointer or the matrix is null;
 * qrxStatusSizeError if the width or height is below 1; qrxStatusStepError if a step is below 1.
 */
QRXCC_API QrxStatus qrxiColorTwist32f_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_C3IR(Qrx16s *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_AC4IR(Qrx16s *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_P3R(const Qrx16s *const pSrc[3], int srcStep, Qrx16s *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist32f_16s_IP3R(Qrx16s *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
/**@}*/
/**@{*/
/** Colour twist of float images (results stored as computed); C3, AC4 (alpha left as it was), P3 and
 * in-place forms.  Steps are in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if an image pointer, plane pointer or the matrix is null;
 * qrxStatusSizeError if the width or height is below 1; qrxStatusStepError if a step is below 1.
 */
QRXCC_API QrxStatus qrxiColorTwist_32f_C3R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_C3IR(Qrx32f *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_AC4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_AC4IR(Qrx32f *pSrcDst, int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_P3R(const Qrx32f *const pSrc[3], int srcStep, Qrx32f *const pDst[3], int dstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
QRXCC_API QrxStatus qrxiColorTwist_32f_IP3R(Qrx32f *const pSrcDst[3], int srcDstStep, QrxSize roiSize, const Qrx32f twist[3][4]);
/**@}*/
/* Four channels, 4 x 4 matrix without offsets: all four channels transformed. */
/**@{*/
/** Colour twist of four-channel float images with a 4 x 4 matrix and no offsets: channel
 * i = t[i][0] x0 + t[i][1] x1 + t[i][2] x2 + t[i][3] x3 for all four channels.
 * @return qrxStatusOk; qrxStatusNullPointer if an image pointer or the matrix is null; qrxStatusSizeError
 * if the width or height is below 1; qrxStatusStepError if a step is below 1.
 */
QRXCC_API QrxStatus qrxiColorTwist_32f_C4R(const Qrx32f *pSrc, int srcStep, Qrx32f *pDst, int dstStep, QrxSize roiSize, const Qrx32f twist[4][4]);
/**@}*/

/* ===== Gamma =============================================================== */
/* BT.709 transfer curve on channels 0..2: Fwd linear -> gamma-corrected, Inv back.  AC4 alpha is left
 * as it was; planar images share one step per side; steps must be at least 1.  The 32f members work
 * over [vMin, vMax] and return qrxStatusGammaRange unless vMax - vMin > 0 (checked first). */
/**@{*/
/** BT.709 transfer curve on 8-bit R, G, B: Fwd maps linear values to gamma-corrected ones, Inv back.
 * C3, AC4 (alpha left as it was), P3 (one step per side) and in-place (I) forms.
 * @return qrxStatusOk; qrxStatusNullPointer if an image or plane pointer is null; qrxStatusSizeError if
 * the width or height is below 1; qrxStatusStepError if a step is below 1.
 */
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
/**@}*/
/**@{*/
/** BT.709 transfer curve on 16-bit R, G, B (Fwd: linear to gamma-corrected, Inv: back); C3, AC4 (alpha
 * left as it was), P3 and in-place forms.  Steps are in bytes.
 * @return qrxStatusOk; qrxStatusNullPointer if an image or plane pointer is null; qrxStatusSizeError if
 * the width or height is below 1; qrxStatusStepError if a step is below 1; qrxStatusOutOfMemory if the
 * scratch table cannot be had (nothing written).
 */
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
/**@}*/
/**@{*/
/** BT.709 transfer curve on float R, G, B whose values lie in [vMin, vMax] (Fwd: linear to
 * gamma-corrected, Inv: back); C3, AC4 (alpha left as it was), P3 and in-place forms.  Steps are in bytes.
 * @return qrxStatusOk; qrxStatusGammaRange unless vMax - vMin > 0 (tested first); qrxStatusNullPointer if
 * an image or plane pointer is null; qrxStatusSizeError if the width or height is below 1;
 * qrxStatusStepError if a step is below 1.
 */
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
/**@}*/

/* ===== Bit-depth reduction ================================================= */
/* Reduce every sample to `levels` evenly spaced levels (2..256; 2..65536 for 16u and 16s),
 * plainly (dtype qrxDitherMethodOff, noise ignored), by error diffusion or by ordered dithering,
 * with noise percent 0..100.  Checks: pointers, size, noise, levels.  Unknown dtype: nothing
 * written, qrxStatusOk.  AC4: the destination's fourth samples are left as they were. */
/**@{*/
/** Bit-depth reduction of 8-bit unsigned samples to 8-bit.
 * Each sample is reduced to `levels` evenly spaced levels: plainly (dtype qrxDitherMethodOff, noise
 * ignored), by error diffusion (qrxDitherMethodFloydSteinberg, ...JarvisJudiceNinke, ...Stucki) or by
 * ordered 4x4 dithering (qrxDitherMethodOrdered4x4), with noise percent 0..100 of random noise.  C1, C3,
 * AC4 (the destination's fourth samples left as they were) and C4 (all four channels).  Steps are in bytes
 * and not checked; an unknown dtype writes nothing and returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height
 * is below 1; qrxStatusNoiseRange if noise is outside 0..100; qrxStatusLevelsRange if levels is outside
 * 2..256; qrxStatusOutOfMemory if scratch memory cannot be had (nothing written).
 */
QRXCC_API QrxStatus qrxiReduceBits_8u_C1R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_8u_C3R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_8u_AC4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_8u_C4R(const Qrx8u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
/**@}*/
/**@{*/
/** Bit-depth reduction of 16-bit unsigned samples to 16-bit.
 * Each sample is reduced to `levels` evenly spaced levels: plainly (dtype qrxDitherMethodOff, noise
 * ignored), by error diffusion (qrxDitherMethodFloydSteinberg, ...JarvisJudiceNinke, ...Stucki) or by
 * ordered 4x4 dithering (qrxDitherMethodOrdered4x4), with noise percent 0..100 of random noise.  C1, C3,
 * AC4 (the destination's fourth samples left as they were) and C4 (all four channels).  Steps are in bytes
 * and not checked; an unknown dtype writes nothing and returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height
 * is below 1; qrxStatusNoiseRange if noise is outside 0..100; qrxStatusLevelsRange if levels is outside
 * 2..65536; qrxStatusOutOfMemory if scratch memory cannot be had (nothing written).
 */
QRXCC_API QrxStatus qrxiReduceBits_16u_C1R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u_C3R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u_C4R(const Qrx16u *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
/**@}*/
/**@{*/
/** Bit-depth reduction of 16-bit unsigned samples to 8-bit.
 * Each sample is reduced to `levels` evenly spaced levels: plainly (dtype qrxDitherMethodOff, noise
 * ignored), by error diffusion (qrxDitherMethodFloydSteinberg, ...JarvisJudiceNinke, ...Stucki) or by
 * ordered 4x4 dithering (qrxDitherMethodOrdered4x4), with noise percent 0..100 of random noise.  C1, C3,
 * AC4 (the destination's fourth samples left as they were) and C4 (all four channels).  Steps are in bytes
 * and not checked; an unknown dtype writes nothing and returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height
 * is below 1; qrxStatusNoiseRange if noise is outside 0..100; qrxStatusLevelsRange if levels is outside
 * 2..256; qrxStatusOutOfMemory if scratch memory cannot be had (nothing written).
 */
QRXCC_API QrxStatus qrxiReduceBits_16u8u_C1R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u8u_C3R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u8u_AC4R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16u8u_C4R(const Qrx16u *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
/**@}*/
/**@{*/
/** Bit-depth reduction of 16-bit signed samples to 16-bit signed.
 * Each sample is reduced to `levels` evenly spaced levels: plainly (dtype qrxDitherMethodOff, noise
 * ignored), by error diffusion (qrxDitherMethodFloydSteinberg, ...JarvisJudiceNinke, ...Stucki) or by
 * ordered 4x4 dithering (qrxDitherMethodOrdered4x4), with noise percent 0..100 of random noise.  C1, C3,
 * AC4 (the destination's fourth samples left as they were) and C4 (all four channels).  Steps are in bytes
 * and not checked; an unknown dtype writes nothing and returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height
 * is below 1; qrxStatusNoiseRange if noise is outside 0..100; qrxStatusLevelsRange if levels is outside
 * 2..65536; qrxStatusOutOfMemory if scratch memory cannot be had (nothing written).
 */
QRXCC_API QrxStatus qrxiReduceBits_16s_C1R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s_C3R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s_AC4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s_C4R(const Qrx16s *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
/**@}*/
/**@{*/
/** Bit-depth reduction of 16-bit signed samples (offset by 32768) to 8-bit unsigned.
 * Each sample is reduced to `levels` evenly spaced levels: plainly (dtype qrxDitherMethodOff, noise
 * ignored), by error diffusion (qrxDitherMethodFloydSteinberg, ...JarvisJudiceNinke, ...Stucki) or by
 * ordered 4x4 dithering (qrxDitherMethodOrdered4x4), with noise percent 0..100 of random noise.  C1, C3,
 * AC4 (the destination's fourth samples left as they were) and C4 (all four channels).  Steps are in bytes
 * and not checked; an unknown dtype writes nothing and returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height
 * is below 1; qrxStatusNoiseRange if noise is outside 0..100; qrxStatusLevelsRange if levels is outside
 * 2..256; qrxStatusOutOfMemory if scratch memory cannot be had (nothing written).
 */
QRXCC_API QrxStatus qrxiReduceBits_16s8u_C1R(const Qrx16s *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s8u_C3R(const Qrx16s *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s8u_AC4R(const Qrx16s *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_16s8u_C4R(const Qrx16s *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
/**@}*/
/**@{*/
/** Bit-depth reduction of float samples in 0..1 to 8-bit.
 * Each sample is reduced to `levels` evenly spaced levels: plainly (dtype qrxDitherMethodOff, noise
 * ignored), by error diffusion (qrxDitherMethodFloydSteinberg, ...JarvisJudiceNinke, ...Stucki) or by
 * ordered 4x4 dithering (qrxDitherMethodOrdered4x4), with noise percent 0..100 of random noise.  C1, C3,
 * AC4 (the destination's fourth samples left as they were) and C4 (all four channels).  Steps are in bytes
 * and not checked; an unknown dtype writes nothing and returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height
 * is below 1; qrxStatusNoiseRange if noise is outside 0..100; qrxStatusLevelsRange if levels is outside
 * 2..256; qrxStatusOutOfMemory if scratch memory cannot be had (nothing written).
 */
QRXCC_API QrxStatus qrxiReduceBits_32f8u_C1R(const Qrx32f *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f8u_C3R(const Qrx32f *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f8u_AC4R(const Qrx32f *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f8u_C4R(const Qrx32f *pSrc, int srcStep, Qrx8u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
/**@}*/
/**@{*/
/** Bit-depth reduction of float samples in 0..1 to 16-bit unsigned.
 * Each sample is reduced to `levels` evenly spaced levels: plainly (dtype qrxDitherMethodOff, noise
 * ignored), by error diffusion (qrxDitherMethodFloydSteinberg, ...JarvisJudiceNinke, ...Stucki) or by
 * ordered 4x4 dithering (qrxDitherMethodOrdered4x4), with noise percent 0..100 of random noise.  C1, C3,
 * AC4 (the destination's fourth samples left as they were) and C4 (all four channels).  Steps are in bytes
 * and not checked; an unknown dtype writes nothing and returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height
 * is below 1; qrxStatusNoiseRange if noise is outside 0..100; qrxStatusLevelsRange if levels is outside
 * 2..256; qrxStatusOutOfMemory if scratch memory cannot be had (nothing written).
 */
QRXCC_API QrxStatus qrxiReduceBits_32f16u_C1R(const Qrx32f *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16u_C3R(const Qrx32f *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16u_AC4R(const Qrx32f *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16u_C4R(const Qrx32f *pSrc, int srcStep, Qrx16u *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
/**@}*/
/**@{*/
/** Bit-depth reduction of float samples in 0..1 to 16-bit signed.
 * Each sample is reduced to `levels` evenly spaced levels: plainly (dtype qrxDitherMethodOff, noise
 * ignored), by error diffusion (qrxDitherMethodFloydSteinberg, ...JarvisJudiceNinke, ...Stucki) or by
 * ordered 4x4 dithering (qrxDitherMethodOrdered4x4), with noise percent 0..100 of random noise.  C1, C3,
 * AC4 (the destination's fourth samples left as they were) and C4 (all four channels).  Steps are in bytes
 * and not checked; an unknown dtype writes nothing and returns qrxStatusOk.
 * @return qrxStatusOk; qrxStatusNullPointer if a pointer is null; qrxStatusSizeError if the width or height
 * is below 1; qrxStatusNoiseRange if noise is outside 0..100; qrxStatusLevelsRange if levels is outside
 * 2..256; qrxStatusOutOfMemory if scratch memory cannot be had (nothing written).
 */
QRXCC_API QrxStatus qrxiReduceBits_32f16s_C1R(const Qrx32f *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16s_C3R(const Qrx32f *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16s_AC4R(const Qrx32f *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
QRXCC_API QrxStatus qrxiReduceBits_32f16s_C4R(const Qrx32f *pSrc, int srcStep, Qrx16s *pDst, int dstStep, QrxSize roiSize, int noise, int dtype, int levels);
/**@}*/

#ifdef __cplusplus
}
#endif

#endif /* QRXCC_H */
