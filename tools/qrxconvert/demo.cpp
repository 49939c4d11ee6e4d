// qrxconvert demo: every readable and writable format as a round trip from
// the embedded test image, with throughput and PSNR, written to a folder.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>

#include "cli.h"
#include "convert.h"
#include "pnm.h"
#include "qrxcc.h"
#include "test_image.h"

namespace qrxconvert {
namespace {

double psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    double se = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double d = static_cast<double>(a[i]) - b[i];
        se += d * d;
    }
    if (se == 0) return INFINITY;
    return 10.0 * std::log10(255.0 * 255.0 * static_cast<double>(a.size()) / se);
}

// Best of a few runs, in seconds; the status of the last run.
double best_time(const std::function<QrxStatus()>& fn, QrxStatus& status) {
    double best = 1e30;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        status = fn();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
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

// An image as NAME.ppm (or .pgm) and NAME.png, which opens in any viewer.
bool save(const std::string& dir, const std::string& name, const Image& img, std::string& error) {
    return write_pnm(dir + "/" + name + (img.channels == 1 ? ".pgm" : ".ppm"), img, error) &&
           write_image(dir + "/" + name + ".png", Container::kPng, img, 0, error);
}

Image rgb_image(const std::vector<std::uint8_t>& px, int w, int h) {
    Image img;
    img.width = w, img.height = h, img.channels = 3, img.pixels = px;
    return img;
}

}  // namespace

int run_demo(const std::vector<std::string>& args) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::puts("usage: qrxconvert demo [DIR]\n"
                  "  converts the embedded test image (colour bars and gradients) to every format and back,\n"
                  "  prints throughput and PSNR, and writes the images and report.txt to DIR (default qrx-demo)");
        return 0;
    }
    if (args.size() > 1) return fail(2, "demo takes at most one folder");
    const std::string dir = args.empty() ? "qrx-demo" : args[0];
    std::string err;
    if (!make_dir(dir, err)) return fail(1, err);

    const Image src = make_test_image(640, 480);
    const int w = src.width, h = src.height;
    const double mpix = static_cast<double>(w) * h / 1e6;
    Report r;
    r.line("qrxcc %s: round trips of a %dx%d test image through each format\n", qrxccGetLibVersion()->versionText, w, h);
    r.line("  %-14s %12s %12s %10s\n", "format", "to (Mpix/s)", "from", "PSNR (dB)");
    if (!save(dir, "input", src, err)) return fail(1, err);
    Options opt;
    for (const Format& f : formats()) {
        if (!f.encode || !f.decode) continue;
        std::vector<std::uint8_t> coded(f.bytes(w, h)), back(static_cast<std::size_t>(w) * h * 3);
        QrxStatus st_to, st_from;
        const double t_to = best_time([&] { return f.encode(src.pixels.data(), w, h, coded.data(), opt); }, st_to);
        const double t_from = best_time([&] { return f.decode(coded.data(), w, h, back.data(), opt); }, st_from);
        if (st_to < 0 || st_from < 0) {
            r.line("  %-14s failed with status %d\n", f.name, static_cast<int>(st_to < 0 ? st_to : st_from));
            return 1;
        }
        const double p = psnr(src.pixels, back);
        r.line("  %-14s %12.1f %12.1f %10s\n", f.name, mpix / t_to, mpix / t_from,
               std::isinf(p) ? "exact" : (std::to_string(p).substr(0, 5)).c_str());
        if (!write_file(dir + "/" + f.name + ".raw", coded, err) ||
            !save(dir, "roundtrip_" + std::string(f.name), rgb_image(back, w, h), err))
            return fail(1, err);
    }

    // Adjustments on RGB: the gamma curve there and back, bit-depth reduction.
    r.line("  %-27s %12s %10s\n", "adjustment", "Mpix/s", "PSNR (dB)");
    const QrxSize roi = {w, h};
    auto adjust = [&](const char* name, const std::function<QrxStatus(std::vector<std::uint8_t>&)>& fn) {
        std::vector<std::uint8_t> out(src.pixels.size());
        QrxStatus st;
        const double t = best_time([&] { return fn(out); }, st);
        if (st < 0) {
            r.line("  %-27s failed with status %d\n", name, static_cast<int>(st));
            return false;
        }
        const double p = psnr(src.pixels, out);
        r.line("  %-27s %12.1f %10s\n", name, mpix / t, std::isinf(p) ? "exact" : std::to_string(p).substr(0, 5).c_str());
        return save(dir, name, rgb_image(out, w, h), err);
    };
    const bool adjusted =
        adjust("gamma_fwd_inv", [&](std::vector<std::uint8_t>& o) {
            const QrxStatus st = qrxiGammaFwd_8u_C3R(src.pixels.data(), w * 3, o.data(), w * 3, roi);
            return st < 0 ? st : qrxiGammaInv_8u_C3IR(o.data(), w * 3, roi);
        }) &&
        adjust("reduce8_off", [&](std::vector<std::uint8_t>& o) {
            return qrxiReduceBits_8u_C3R(src.pixels.data(), w * 3, o.data(), w * 3, roi, 0, qrxDitherMethodOff, 8);
        }) &&
        adjust("reduce8_fs", [&](std::vector<std::uint8_t>& o) {
            return qrxiReduceBits_8u_C3R(src.pixels.data(), w * 3, o.data(), w * 3, roi, 0, qrxDitherMethodFloydSteinberg, 8);
        }) &&
        adjust("reduce8_ordered", [&](std::vector<std::uint8_t>& o) {
            return qrxiReduceBits_8u_C3R(src.pixels.data(), w * 3, o.data(), w * 3, roi, 0, qrxDitherMethodOrdered4x4, 8);
        });
    if (!adjusted) return err.empty() ? 1 : fail(1, err);

    // The H, S, V planes as gray images.
    if (const Format* hsv = find_format("hsv")) {
        std::vector<std::uint8_t> coded(hsv->bytes(w, h));
        if (hsv->encode(src.pixels.data(), w, h, coded.data(), opt) < 0) return fail(1, "HSV conversion failed");
        for (const Plane& p : split_planes(*hsv, coded.data(), w, h)) {
            Image img;
            img.width = p.width, img.height = p.height, img.channels = 1, img.pixels = p.pixels;
            if (!save(dir, "hsv_" + p.name, img, err)) return fail(1, err);
        }
    }
    r.line("Written to %s/: input, roundtrip_<format>, <adjustment> (.ppm and .png), hsv_<h|s|v> (.pgm and .png),\n"
           "<format>.raw, report.txt\n", dir.c_str());
    if (!write_file(dir + "/report.txt", std::vector<std::uint8_t>(r.text.begin(), r.text.end()), err)) return fail(1, err);
    return 0;
}

}  // namespace qrxconvert
