/* qrxcore: the thread count shared by every parallel region of qrxcc. */
#ifndef QRXCORE_H
#define QRXCORE_H

#if defined(QRXCORE_BUILDING)
#define QRXCORE_API __attribute__((visibility("default")))
#else
#define QRXCORE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Requested thread-team size of every parallel region, read once per call.
 * Default: the number of online processors (always >= 1). */
extern QRXCORE_API int threads_omp_of_n_qrx;

#ifdef __cplusplus
}
#endif

#endif /* QRXCORE_H */
