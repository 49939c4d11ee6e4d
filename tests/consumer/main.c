/* Converts one white pixel and checks the version record: proves the
 * installed header, libraries and package files work from plain C99. */
#include <stdio.h>
#include <string.h>

#include <qrxcc.h>

int main(void)
{
    const QrxLibraryVersion *v = qrxccGetLibVersion();
    Qrx8u rgb[3] = {255, 255, 255};
    Qrx8u ycc[3] = {0, 0, 0};
    QrxSize roi = {1, 1};
    if (qrxiRGBToYCbCr_8u_C3R(rgb, 3, ycc, 3, roi) != qrxStatusOk) return 1;
    if (ycc[0] != 235 || ycc[1] != 128 || ycc[2] != 128) return 2;
    if (v->major != 5 || strcmp(v->versionText, "v5.0") != 0) return 3;
    if (threads_omp_of_n_qrx < 1) return 4;
    printf("consumer ok: %s, Y=%d\n", v->versionText, ycc[0]);
    return 0;
}
