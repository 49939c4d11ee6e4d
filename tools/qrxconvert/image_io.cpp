#include "image_io.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "formats.h"

namespace qrxconvert {
namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The image with only what container `c` holds.
Image fitted_to(Container c, const Image& img) {
    const bool drop_alpha = (img.channels == 2 || img.channels == 4) && c != Container::kPng && c != Container::kPam;
    const bool narrow = img.bytes_per_sample == 2 && c == Container::kJpeg;
    if (!drop_alpha && !narrow) return img;
    Image out = img;
    out.channels = img.channels - (drop_alpha ? 1 : 0), out.bytes_per_sample = narrow ? 1 : img.bytes_per_sample;
    out.pixels.resize(out.size_bytes());
    const std::size_t n = static_cast<std::size_t>(img.width) * img.height;
    for (std::size_t i = 0; i < n; ++i)
        for (int ch = 0; ch < out.channels; ++ch) {
            const std::size_t from = i * img.channels + ch, to = i * out.channels + ch;
            if (narrow)
                out.pixels[to] = img.sample8(from);
            else
                std::memcpy(&out.pixels[to * out.bytes_per_sample], &img.pixels[from * img.bytes_per_sample], out.bytes_per_sample);
        }
    return out;
}

}  // namespace

Container container_by_name(const std::string& name) {
    const std::string n = lower(name);
    if (n == "png") return Container::kPng;
    if (n == "jpeg" || n == "jpg") return Container::kJpeg;
    if (n == "ppm" || n == "pnm") return Container::kPpm;
    if (n == "pgm") return Container::kPgm;
    if (n == "pam") return Container::kPam;
    if (n == "y4m") return Container::kY4m;
    if (n == "raw") return Container::kRaw;
    return Container::kUnknown;
}

Container container_of_path(const std::string& path) {
    const std::size_t slash = path.find_last_of('/'), dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        return Container::kRaw;  // no extension (a leading dot names a hidden file)
    const std::string ext = lower(path.substr(dot + 1));
    const Container c = container_by_name(ext);
    if (c != Container::kUnknown) return c;
    for (const char* raw : {"yuv", "rgb", "bin", "dat"})
        if (ext == raw) return Container::kRaw;
    return find_format(ext) ? Container::kRaw : Container::kUnknown;
}

const char* container_extension(Container c) {
    switch (c) {
        case Container::kPpm: return ".ppm";
        case Container::kPgm: return ".pgm";
        case Container::kPam: return ".pam";
        case Container::kPng: return ".png";
        case Container::kJpeg: return ".jpg";
        case Container::kY4m: return ".y4m";
        default: return "";
    }
}

bool holds_one_image(Container c) {
    return c == Container::kPpm || c == Container::kPgm || c == Container::kPam || c == Container::kPng ||
           c == Container::kJpeg;
}

bool sniff_file(const std::string& path, Container& kind, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    unsigned char m[8] = {};
    const std::size_t n = std::fread(m, 1, sizeof m, f);
    std::fclose(f);
    static const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (n == 8 && std::memcmp(m, kPngSignature, 8) == 0) kind = Container::kPng;
    else if (n >= 3 && m[0] == 0xff && m[1] == 0xd8 && m[2] == 0xff) kind = Container::kJpeg;
    else if (n >= 2 && m[0] == 'P' && m[1] >= '5' && m[1] <= '7') kind = Container::kPpm;
    else if (n >= 2 && m[0] == 'Y' && m[1] == 'U') kind = Container::kY4m;
    else kind = Container::kUnknown;
    return true;
}

bool read_image(const std::string& path, Image& img, std::string& error) {
    Container kind;
    if (!sniff_file(path, kind, error)) return false;
    if (kind == Container::kPpm) return read_pnm(path, img, error);
    if (kind != Container::kPng && kind != Container::kJpeg) {
        error = path + ": not a PNG, JPEG, PGM, PPM or PAM file";
        return false;
    }
    std::vector<std::uint8_t> file;
    if (!read_file(path, file, error)) return false;
    if (kind == Container::kPng ? decode_png(file, img, error) : decode_jpeg(file, img, error)) return true;
    error = path + ": " + error;
    return false;
}

bool write_image(const std::string& path, Container c, const Image& img, int jpeg_quality, std::string& error) {
    const Image fit = fitted_to(c, img);
    if (c != Container::kPng && c != Container::kJpeg) return write_pnm(path, fit, error, c == Container::kPam);
    std::vector<std::uint8_t> file;
    const bool ok = c == Container::kPng ? encode_png(fit, file, error) : encode_jpeg(fit, jpeg_quality, file, error);
    if (!ok) {
        error = path + ": " + error;
        return false;
    }
    return write_file(path, file, error);
}

}  // namespace qrxconvert
