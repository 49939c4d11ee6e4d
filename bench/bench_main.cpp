// qrxbench entry point.  QRX_BENCH_LEVEL=scalar|sse2|ssse3|sse41|avx2|avx512|avx512vbmi
// caps the kernels' dispatch level (a benchmark-only switch; the library
// itself reads no environment).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/cpu.h"

int main(int argc, char** argv) {
    if (const char* want = std::getenv("QRX_BENCH_LEVEL")) {
        for (int l = 0; l < qrx::cpu::kLevelCount; ++l)
            if (std::strcmp(want, qrx::cpu::level_name(static_cast<qrx::cpu::Level>(l))) == 0)
                qrx::cpu::force(static_cast<qrx::cpu::Level>(l));
    }
    std::fprintf(stderr, "qrxbench: dispatch level %s\n", qrx::cpu::level_name(qrx::cpu::active()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
