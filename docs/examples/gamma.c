/* The BT.709 transfer curve: linear light to gamma-corrected values and back. */
#include <stdio.h>

#include <qrxcc.h>

int main(void)
{
    Qrx8u linear[256 * 3], corrected[256 * 3], back[256 * 3];
    for (int i = 0; i < 256; ++i) linear[3 * i] = linear[3 * i + 1] = linear[3 * i + 2] = (Qrx8u)i;
    const QrxSize roi = {256, 1};

    if (qrxiGammaFwd_8u_C3R(linear, sizeof linear, corrected, sizeof corrected, roi) != qrxStatusOk) return 1;
    /* The ends stay put; the curve lifts the dark values and never goes down. */
    if (corrected[0] != 0 || corrected[255 * 3] != 255 || corrected[64 * 3] <= 64) return 2;
    for (int i = 1; i < 256; ++i)
        if (corrected[3 * i] < corrected[3 * (i - 1)]) return 3;

    /* In place, the inverse curve brings mid-tones back to within a few steps. */
    for (int i = 0; i < 256 * 3; ++i) back[i] = corrected[i];
    if (qrxiGammaInv_8u_C3IR(back, sizeof back, roi) != qrxStatusOk) return 4;
    if (back[128 * 3] < 124 || back[128 * 3] > 132) return 5;
    printf("gamma: 64 -> %d, 128 -> %d -> %d\n", corrected[64 * 3], corrected[128 * 3], back[128 * 3]);
    return 0;
}
