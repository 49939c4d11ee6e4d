// Binary PPM (P6) and PGM (P5) files, 8-bit samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrxconvert {

struct Image {
    int width = 0, height = 0, channels = 0;  // 1 = gray, 3 = RGB
    std::vector<std::uint8_t> pixels;         // rows of width * channels bytes, no padding
};

// Reads a P5 or P6 file with maxval 255.  On failure returns false and sets `error`.
bool read_pnm(const std::string& path, Image& out, std::string& error);

// Writes P5 (channels 1) or P6 (channels 3) through a temporary file that is
// renamed on success, so a failure never leaves a half-written file.
bool write_pnm(const std::string& path, const Image& img, std::string& error);

// Writes raw bytes the same way.
bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace qrxconvert
