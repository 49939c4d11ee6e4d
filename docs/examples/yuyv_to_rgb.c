/* Packed 4:2:2 (Y0 Cb Y1 Cr for every pixel pair) to RGB. */
#include <stdio.h>

#include <qrxcc.h>

int main(void)
{
    /* Two pixel pairs: white (Y 235) and black (Y 16), neutral chroma. */
    const Qrx8u yuyv[8] = {235, 128, 235, 128, 16, 128, 16, 128};
    Qrx8u rgb[4 * 3];
    const QrxSize roi = {4, 1};
    QrxStatus st = qrxiYCbCr422ToRGB_8u_C2C3R(yuyv, sizeof yuyv, rgb, sizeof rgb, roi);
    if (st != qrxStatusOk) return 1;
    /* Fixed-point arithmetic: white comes out within one step of 255. */
    if (rgb[0] < 254 || rgb[1] < 254 || rgb[2] < 254) return 2;
    if (rgb[9] != 0 || rgb[10] != 0 || rgb[11] != 0) return 3;

    /* The Cb Y0 Cr Y1 order has its own function. */
    const Qrx8u uyvy[4] = {128, 235, 128, 235};
    st = qrxiCbYCr422ToRGB_8u_C2C3R(uyvy, 4, rgb, 6, (QrxSize){2, 1});
    if (st != qrxStatusOk || rgb[0] < 254) return 4;
    printf("yuyv_to_rgb: white and black pairs ok\n");
    return 0;
}
