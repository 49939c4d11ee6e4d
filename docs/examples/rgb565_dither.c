/* 16-bit RGB565 output with ordered dither: RGB -> YCbCr 4:4:4 -> RGB565. */
#include <stdio.h>

#include <qrxcc.h>

int main(void)
{
    enum { W = 8, H = 4 };
    Qrx8u rgb[W * H * 3], ycc[W * H * 3];
    Qrx16u out[W * H];
    const QrxSize roi = {W, H};
    for (int i = 0; i < W * H; ++i) { /* a horizontal grey ramp */
        rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = (Qrx8u)(i % W * 32);
    }
    if (qrxiRGBToYCbCr_8u_C3R(rgb, W * 3, ycc, W * 3, roi) != qrxStatusOk) return 1;

    /* The 16-bit destination's step is in bytes; the 4x4 dither pattern is anchored at the ROI's top-left. */
    if (qrxiYCbCrToRGB565Dither_8u16u_C3R(ycc, W * 3, out, W * 2, roi) != qrxStatusOk) return 2;

    /* RGB565 holds R in bits 15..11, G in 10..5, B in 4..0: black stays black. */
    if (out[0] != 0) return 3;
    for (int i = 0; i < W * H; ++i) {
        const int r = out[i] >> 11, g = (out[i] >> 5) & 63, b = out[i] & 31;
        if (r > 31 || g > 63 || b > 31) return 4;
    }
    printf("rgb565_dither: first row %04x %04x %04x %04x ...\n", out[0], out[1], out[2], out[3]);
    return 0;
}
