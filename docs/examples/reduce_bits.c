/* Bit-depth reduction: a grey ramp to 4 levels, plainly and with error diffusion. */
#include <stdio.h>
#include <stdlib.h>

#include <qrxcc.h>

int main(void)
{
    enum { W = 64, H = 8 };
    Qrx8u ramp[W * H], plain[W * H], fs[W * H];
    for (int i = 0; i < W * H; ++i) ramp[i] = (Qrx8u)(i % W * 4);
    const QrxSize roi = {W, H};

    /* 4 levels are 0, 85, 170 and 255; noise 0. */
    if (qrxiReduceBits_8u_C1R(ramp, W, plain, W, roi, 0, qrxDitherMethodOff, 4) != qrxStatusOk) return 1;
    if (qrxiReduceBits_8u_C1R(ramp, W, fs, W, roi, 0, qrxDitherMethodFloydSteinberg, 4) != qrxStatusOk) return 2;
    long sum_in = 0, sum_plain = 0, sum_fs = 0;
    for (int i = 0; i < W * H; ++i) {
        if (plain[i] % 85 || fs[i] % 85) return 3; /* only the four levels */
        sum_in += ramp[i], sum_plain += plain[i], sum_fs += fs[i];
    }
    /* Error diffusion keeps the mean brightness at least as well as plain rounding. */
    if (labs(sum_fs - sum_in) > labs(sum_plain - sum_in) + W * H) return 4;

    /* Out-of-range arguments are refused and nothing is written. */
    if (qrxiReduceBits_8u_C1R(ramp, W, plain, W, roi, 0, qrxDitherMethodOff, 1) != qrxStatusLevelsRange) return 5;
    if (qrxiReduceBits_8u_C1R(ramp, W, plain, W, roi, 101, qrxDitherMethodOff, 4) != qrxStatusNoiseRange) return 6;
    printf("reduce_bits: mean %ld, plain %ld, diffused %ld\n", sum_in / (W * H), sum_plain / (W * H), sum_fs / (W * H));
    return 0;
}
