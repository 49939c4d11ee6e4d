// qrxbench entry point.  QRX_BENCH_LEVEL=scalar|sse2|ssse3|sse41|avx2|avx512|avx512vbmi
// caps the kernels' dispatch level (a benchmark-only switch; the library
// itself reads no environment).  Below the 512-bit levels the peers are capped
// alike, so that a machine with AVX-512 measures the AVX2 case honestly:
// libyuv's AVX-512 paths are masked off, and OpenCV's AVX-512 dispatch is
// disabled through OPENCV_CPU_DISABLE, which OpenCV reads once as it loads:
// the process runs itself again with the variable set.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/cpu.h"
#if defined(QRX_BENCH_LIBYUV)
#include <libyuv/cpu_id.h>
#endif
#if defined(QRX_BENCH_OPENCV)
#include <opencv2/core/utility.hpp>
#endif

namespace {

constexpr const char* kOpenCvAvx512 =
    "AVX512F,AVX512BW,AVX512CD,AVX512DQ,AVX512VL,AVX512IFMA,AVX512VBMI,AVX512VBMI2,AVX512VNNI,AVX512BITALG,"
    "AVX512VPOPCNTDQ,AVX512-COMMON,AVX512-SKX,AVX512-CNL,AVX512-CLX,AVX512-ICL";

// Caps the peers below the 512-bit levels; returns a description for the log.
// A processor without AVX-512 needs no cap (and OpenCV warns of every feature
// it is asked to disable that the processor lacks).
std::string cap_peers(char** argv) {
    std::string what;
    if (qrx::cpu::active() >= qrx::cpu::Level::AVX512) return "peers uncapped";
    if (qrx::cpu::detected() < qrx::cpu::Level::AVX512) return "peers at their own top level: no AVX-512 here";
#if defined(QRX_BENCH_OPENCV)
    if (std::getenv("OPENCV_CPU_DISABLE") == nullptr) {
        setenv("OPENCV_CPU_DISABLE", kOpenCvAvx512, 1);
        execv("/proc/self/exe", argv);  // returns only on failure
        std::fprintf(stderr, "qrxbench: could not restart with OPENCV_CPU_DISABLE set\n");
    }
    what += cv::checkHardwareSupport(CV_CPU_AVX512_SKX) ? "OpenCV AVX-512 ON" : "OpenCV AVX-512 off";
#endif
#if defined(QRX_BENCH_LIBYUV)
    libyuv::MaskCpuFlags(~(libyuv::kCpuHasAVX512BW | libyuv::kCpuHasAVX512VL | libyuv::kCpuHasAVX512VNNI |
                           libyuv::kCpuHasAVX512VBMI | libyuv::kCpuHasAVX512VBMI2 | libyuv::kCpuHasAVX512VBITALG |
                           libyuv::kCpuHasAVX512VPOPCNTDQ));
    what += std::string(what.empty() ? "" : ", ") + "libyuv AVX-512 " +
            (libyuv::TestCpuFlag(libyuv::kCpuHasAVX512BW) ? "ON" : "off");
#endif
    (void)argv;
    return "peers capped: " + what;
}

}  // namespace

int main(int argc, char** argv) {
    if (const char* want = std::getenv("QRX_BENCH_LEVEL")) {
        for (int l = 0; l < qrx::cpu::kLevelCount; ++l)
            if (std::strcmp(want, qrx::cpu::level_name(static_cast<qrx::cpu::Level>(l))) == 0)
                qrx::cpu::force(static_cast<qrx::cpu::Level>(l));
    }
    const std::string peers = cap_peers(argv);
    std::fprintf(stderr, "qrxbench: dispatch level %s (%s)\n", qrx::cpu::level_name(qrx::cpu::active()),
                 peers.c_str());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
