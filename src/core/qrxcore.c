/* libqrxcore: owns the thread-team size that every parallel region of qrxcc
 * requests.  Applications may set it at any time; a change takes effect from
 * the next call. */
#include "qrxcore.h"

#include <unistd.h>

QRXCORE_API int threads_omp_of_n_qrx = 1;

/* Default: one thread per online processor, never below 1. */
__attribute__((constructor)) static void qrxcore_init_thread_count(void)
{
    long n = sysconf(_SC_NPROCESSORS_ONLN);
    threads_omp_of_n_qrx = (n >= 1 && n <= 4096) ? (int)n : 1;
}
