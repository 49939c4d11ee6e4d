// Netpbm files: binary PGM (P5), PPM (P6) and PAM (P7), 8 or 16 bits a sample.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace qrxconvert {

struct Image {
    int width = 0, height = 0, channels = 0;  // 1 gray, 2 gray+alpha, 3 RGB, 4 RGBA
    int bytes_per_sample = 1;                 // 1, or 2 (big-endian in files, native here)
    std::vector<std::uint8_t> pixels;         // rows of width * channels samples, no padding

    std::size_t row_bytes() const { return static_cast<std::size_t>(width) * channels * bytes_per_sample; }
    std::size_t size_bytes() const { return row_bytes() * static_cast<std::size_t>(height); }
    // Sample `i` (counted over all channels) as 8 bits: 16-bit samples give their high byte.
    std::uint8_t sample8(std::size_t i) const {
        if (bytes_per_sample == 1) return pixels[i];
        std::uint16_t v;
        std::memcpy(&v, &pixels[2 * i], 2);
        return static_cast<std::uint8_t>(v >> 8);
    }
};

// Largest image the tool accepts: 2^31 - 1 bytes of samples, and each side at
// most 2^16 pixels (so every product of the library's 32-bit steps fits).
constexpr int kMaxSide = 65536;
bool size_fits(long long width, long long height, int channels, int bytes_per_sample);

// Reads P5, P6 or P7 (maxval 255 or 65535).  On failure returns false and sets `error`.
bool read_pnm(const std::string& path, Image& out, std::string& error);

// Writes P5 (1 channel), P6 (3 channels) or P7 (2 or 4 channels, or `force_pam`)
// through a temporary file renamed on success.
bool write_pnm(const std::string& path, const Image& img, std::string& error, bool force_pam = false);

// Writes raw bytes the same way.
bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

// Reads a whole file.
bool read_file(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace qrxconvert
