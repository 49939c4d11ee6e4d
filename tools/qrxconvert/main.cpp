// qrxconvert: converts images with qrxcc and shows what the conversions do.
//   qrxconvert                     same as `qrxconvert demo`
//   qrxconvert demo [DIR]          round trips on the embedded test image
//   qrxconvert roundtrip IN.ppm DIR  the same round trips on a P6 file
//   qrxconvert list                the conversions offered
// Uses the public API only.
#include <chrono>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "pnm.h"
#include "qrxcc.h"
#include "test_image.h"

using namespace qrxconvert;

namespace {

const char* const kUsage =
    "usage: qrxconvert [demo [DIR]] | roundtrip IN.ppm DIR | list | --help\n"
    "  demo       round trips on the embedded test image, results and report in DIR (default qrx-demo)\n"
    "  roundtrip  the same round trips on a binary PPM (P6) file\n"
    "  list       the conversions this tool offers\n";

double psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    double se = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double d = static_cast<double>(a[i]) - b[i];
        se += d * d;
    }
    if (se == 0) return INFINITY;
    return 10.0 * std::log10(255.0 * 255.0 * static_cast<double>(a.size()) / se);
}

// Runs `fn` a few times and returns the best time in seconds.
double best_time(const std::function<QrxStatus()>& fn, QrxStatus& status) {
    double best = 1e30;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        status = fn();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
        if (status < 0) break;
    }
    return best;
}

struct Report {
    std::string text;
    void line(const char* fmt, ...) __attribute__((format(printf, 2, 3))) {
        char buf[512];
        va_list ap;
        va_start(ap, fmt);
        std::vsnprintf(buf, sizeof buf, fmt, ap);
        va_end(ap);
        std::fputs(buf, stdout);
        text += buf;
    }
};

bool make_dir(const std::string& dir, std::string& error) {
    if (mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST) {
        struct stat st;
        if (stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
    }
    error = "cannot create folder " + dir + ": " + std::strerror(errno);
    return false;
}

Image plane_image(const std::uint8_t* p, int w, int h) {
    Image g;
    g.width = w, g.height = h, g.channels = 1;
    g.pixels.assign(p, p + static_cast<std::size_t>(w) * h);
    return g;
}

int round_trips(const Image& src, const std::string& dir) {
    std::string err;
    if (!make_dir(dir, err)) {
        std::fprintf(stderr, "qrxconvert: %s\n", err.c_str());
        return 1;
    }
    const int w = src.width, h = src.height;
    const std::size_t n = static_cast<std::size_t>(w) * h;
    const QrxSize roi{w, h};
    const double mpix = static_cast<double>(n) / 1e6;
    std::vector<std::uint8_t> ycc(n * 3), back(n * 3), planes(n * 3), back_p(n * 3);
    Report r;
    r.line("qrxcc %s, image %dx%d\n", qrxccGetLibVersion()->versionText, w, h);
    QrxStatus st;
    bool ok = true;
    auto step = [&](const char* name, const std::function<QrxStatus()>& fn) {
        const double t = best_time(fn, st);
        if (st < 0) {
            r.line("  %-34s failed with status %d\n", name, static_cast<int>(st));
            ok = false;
        } else {
            r.line("  %-34s %8.1f Mpix/s\n", name, mpix / t);
        }
    };
    step("RGB -> YCbCr 4:4:4 (pixel order)", [&] { return qrxiRGBToYCbCr_8u_C3R(src.pixels.data(), w * 3, ycc.data(), w * 3, roi); });
    step("YCbCr 4:4:4 -> RGB (pixel order)", [&] { return qrxiYCbCrToRGB_8u_C3R(ycc.data(), w * 3, back.data(), w * 3, roi); });
    // planar: split the RGB image into planes first
    std::vector<std::uint8_t> rgb_planes(n * 3);
    for (std::size_t i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c) rgb_planes[c * n + i] = src.pixels[i * 3 + c];
    const std::uint8_t* sp[3] = {rgb_planes.data(), rgb_planes.data() + n, rgb_planes.data() + 2 * n};
    std::uint8_t* dp[3] = {planes.data(), planes.data() + n, planes.data() + 2 * n};
    const std::uint8_t* yp[3] = {dp[0], dp[1], dp[2]};
    step("RGB -> YCbCr 4:4:4 (planar)", [&] { return qrxiRGBToYCbCr_8u_P3R(sp, w, dp, w, roi); });
    step("YCbCr 4:4:4 (planar) -> RGB", [&] { return qrxiYCbCrToRGB_8u_P3C3R(yp, w, back_p.data(), w * 3, roi); });
    if (!ok) return 1;
    r.line("  PSNR of the round trips: pixel order %.2f dB, planar %.2f dB\n", psnr(src.pixels, back),
           psnr(src.pixels, back_p));

    Image out = src;
    bool written = write_pnm(dir + "/input.ppm", src, err);
    out.pixels = back;
    written = written && write_pnm(dir + "/roundtrip_444.ppm", out, err);
    out.pixels = back_p;
    written = written && write_pnm(dir + "/roundtrip_444_planar.ppm", out, err);
    written = written && write_pnm(dir + "/ycbcr444_y.pgm", plane_image(dp[0], w, h), err);
    written = written && write_pnm(dir + "/ycbcr444_cb.pgm", plane_image(dp[1], w, h), err);
    written = written && write_pnm(dir + "/ycbcr444_cr.pgm", plane_image(dp[2], w, h), err);
    written = written && write_file(dir + "/ycbcr444.yuv", planes, err);
    if (written) {
        std::vector<std::uint8_t> text(r.text.begin(), r.text.end());
        written = write_file(dir + "/report.txt", text, err);
    }
    if (!written) {
        std::fprintf(stderr, "qrxconvert: %s\n", err.c_str());
        return 1;
    }
    std::printf("results in %s/\n", dir.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string cmd = argc > 1 ? argv[1] : "demo";
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (cmd == "list") {
        std::puts("rgb24 <-> ycbcr444 (pixel order and planar)");
        return 0;
    }
    if (cmd == "demo") {
        if (argc > 3) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return round_trips(make_test_image(), argc > 2 ? argv[2] : "qrx-demo");
    }
    if (cmd == "roundtrip") {
        if (argc != 4) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        Image img;
        std::string err;
        if (!read_pnm(argv[2], img, err)) {
            std::fprintf(stderr, "qrxconvert: %s\n", err.c_str());
            return 1;
        }
        if (img.channels != 3) {
            std::fprintf(stderr, "qrxconvert: %s is a gray image; roundtrip needs an RGB (P6) file\n", argv[2]);
            return 1;
        }
        return round_trips(img, argv[3]);
    }
    std::fprintf(stderr, "qrxconvert: unknown command '%s'\n%s", cmd.c_str(), kUsage);
    return 2;
}
