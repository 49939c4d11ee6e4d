// Test support: a scope that sets the library's thread count and restores it.
#pragma once

#include "qrxcore.h"

namespace qrxtest {

class ThreadCount {
public:
    explicit ThreadCount(int n) : saved_(threads_omp_of_n_qrx) { threads_omp_of_n_qrx = n; }
    ~ThreadCount() { threads_omp_of_n_qrx = saved_; }
    ThreadCount(const ThreadCount&) = delete;
    ThreadCount& operator=(const ThreadCount&) = delete;

private:
    int saved_;
};

}  // namespace qrxtest
