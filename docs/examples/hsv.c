/* RGB to HSV and back: H, S and V each use the full 0..255 range. */
#include <stdio.h>

#include <qrxcc.h>

int main(void)
{
    const Qrx8u rgb[3 * 3] = {255, 0, 0, /* red */ 0, 255, 0, /* green */ 128, 128, 128 /* grey */};
    Qrx8u hsv[3 * 3], back[3 * 3];
    const QrxSize roi = {3, 1};
    if (qrxiRGBToHSV_8u_C3R(rgb, sizeof rgb, hsv, sizeof hsv, roi) != qrxStatusOk) return 1;

    /* Red: hue 0, full saturation and value.  Grey: no saturation. */
    if (hsv[0] != 0 || hsv[1] != 255 || hsv[2] != 255) return 2;
    if (hsv[7] != 0 || hsv[8] != 128) return 3;
    /* Green is a third of the way round the hue circle. */
    if (hsv[3] < 84 || hsv[3] > 86) return 4;

    if (qrxiHSVToRGB_8u_C3R(hsv, sizeof hsv, back, sizeof back, roi) != qrxStatusOk) return 5;
    for (int i = 0; i < 9; ++i)
        if (back[i] != rgb[i]) return 6;
    printf("hsv: red (%d,%d,%d) green (%d,%d,%d) grey (%d,%d,%d)\n", hsv[0], hsv[1], hsv[2], hsv[3], hsv[4], hsv[5],
           hsv[6], hsv[7], hsv[8]);
    return 0;
}
