// File containers: which one a path or a name means, and still images (PNG,
// JPEG, netpbm) read into an Image and written from one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pnm.h"

namespace qrxconvert {

enum class Container { kUnknown, kPpm, kPgm, kPam, kPng, kJpeg, kY4m, kRaw };

// By name: png, jpeg/jpg, ppm/pnm, pgm, pam, y4m, raw.
Container container_by_name(const std::string& name);

// By an output path's extension; kUnknown for one the tool cannot write.  Raw
// bytes go to .raw, .yuv, .rgb, .bin, .dat, an extension naming a pixel format
// (.i420, .nv12, .yuy2 ...) or a name without an extension.
Container container_of_path(const std::string& path);

// The extension written for a container (raw: none, the caller names it).
const char* container_extension(Container c);

// PNG, JPEG and netpbm files hold one image of RGB or gray.
bool holds_one_image(Container c);

// The kind of an existing file from its first bytes: kPng, kJpeg, kPpm (any
// binary netpbm), kY4m or kUnknown.  False (and `error`) if it cannot be opened.
bool sniff_file(const std::string& path, Container& kind, std::string& error);

// A PNG, JPEG or netpbm file, told apart by its first bytes.
bool read_image(const std::string& path, Image& img, std::string& error);

// Writes `img` as container `c` (an image container) through a temporary file.
// What the container cannot hold is dropped: alpha outside PNG and PAM, the low
// byte of 16-bit samples in JPEG.
bool write_image(const std::string& path, Container c, const Image& img, int jpeg_quality, std::string& error);

// The codecs, on whole files in memory.  16-bit samples are native in an Image.
bool decode_png(const std::vector<std::uint8_t>& file, Image& img, std::string& error);
bool encode_png(const Image& img, std::vector<std::uint8_t>& file, std::string& error);
bool decode_jpeg(const std::vector<std::uint8_t>& file, Image& img, std::string& error);
bool encode_jpeg(const Image& img, int quality, std::vector<std::uint8_t>& file, std::string& error);  // 8-bit, 1 or 3 channels

}  // namespace qrxconvert
