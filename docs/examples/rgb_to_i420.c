/* An RGB frame to planar 4:2:0 (I420): one Y plane and quarter-size Cb, Cr planes. */
#include <stdio.h>
#include <stdlib.h>

#include <qrxcc.h>

int main(void)
{
    enum { W = 64, H = 48 };
    Qrx8u *rgb = malloc(W * H * 3);
    Qrx8u *i420 = malloc(W * H * 3 / 2);
    if (!rgb || !i420) return 1;
    for (int i = 0; i < W * H * 3; ++i) rgb[i] = 255; /* white */

    /* Three destination planes, each with its own row step in bytes. */
    Qrx8u *const planes[3] = {i420, i420 + W * H, i420 + W * H + (W / 2) * (H / 2)};
    const int steps[3] = {W, W / 2, W / 2};
    const QrxSize roi = {W, H};
    QrxStatus st = qrxiRGBToYCbCr420_8u_C3P3R(rgb, W * 3, planes, steps, roi);
    if (st != qrxStatusOk) return 2;

    /* Studio range: white is Y 235 with neutral chroma 128. */
    if (planes[0][0] != 235 || planes[1][0] != 128 || planes[2][0] != 128) return 3;

    /* And back to RGB: the fixed-point recipes give white back within one step. */
    const Qrx8u *const in[3] = {planes[0], planes[1], planes[2]};
    st = qrxiYCbCr420ToRGB_8u_P3C3R(in, steps, rgb, W * 3, roi);
    if (st != qrxStatusOk || rgb[0] < 254) return 4;
    printf("rgb_to_i420: Y=%d Cb=%d Cr=%d\n", planes[0][0], planes[1][0], planes[2][0]);
    free(rgb);
    free(i420);
    return 0;
}
