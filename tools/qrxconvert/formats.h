// The pixel formats qrxconvert reads and writes, each as a pair of
// conversions to and from 8-bit RGB (the tool's hub) through the library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qrxcc.h"

namespace qrxconvert {

struct Options {
    bool dither = false;         // 16-bit packed RGB outputs: ordered 4x4 dither
    int slice_rows = 0;          // smoothing 4:2:0 -> 4:2:2 output: slices of this many rows (0: whole frame)
};

// One channel of a frame as an 8-bit gray image.
struct Plane {
    std::string name;
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
};

struct Format {
    const char* name;
    const char* aliases;  // space-separated other names
    const char* description;
    int align_w, align_h;  // the size must be a multiple of these
    int y4m_chroma;        // -1: not a YUV4MPEG2 layout; else 420, 422 or 444
    std::size_t (*bytes)(int w, int h);
    // raw -> RGB24 (null: the format cannot be read)
    QrxStatus (*decode)(const std::uint8_t* raw, int w, int h, std::uint8_t* rgb, const Options& opt);
    // RGB24 -> raw (null: the format cannot be written)
    QrxStatus (*encode)(const std::uint8_t* rgb, int w, int h, std::uint8_t* raw, const Options& opt);
};

const std::vector<Format>& formats();
const Format* find_format(const std::string& name);  // by name or alias, case-insensitive

// The channels of a frame in format `f` as gray planes, named after the channels
// (signed channels are shown around 128).  Empty when the format has none to show.
std::vector<Plane> split_planes(const Format& f, const std::uint8_t* raw, int w, int h);

}  // namespace qrxconvert
