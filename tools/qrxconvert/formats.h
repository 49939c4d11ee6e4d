// The pixel formats qrxconvert and the Python package read and write, each as
// a pair of conversions to and from 8-bit RGB (the hub) through the library.
// Built once as the static library qrxformats; both front ends link it.
#pragma once

#include <cstddef>
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

// How a frame of a format lies in memory: up to three planes of one sample
// type; plane i of a w x h frame has h / cy rows of w / cx pixels of
// `channels` samples each.
enum class Sample : std::uint8_t { u8, u16, s16 };
struct PlaneShape {
    int channels, cx, cy;
};
struct Layout {
    Sample sample;
    int planes;
    PlaneShape plane[3];
    std::size_t sample_bytes() const { return sample == Sample::u8 ? 1 : 2; }
    int rows(int i, int h) const { return h / plane[i].cy; }
    int cols(int i, int w) const { return w / plane[i].cx; }
    std::size_t row_bytes(int i, int w) const {
        return static_cast<std::size_t>(cols(i, w)) * plane[i].channels * sample_bytes();
    }
    std::size_t bytes(int w, int h) const;
};

// The planes of one frame: first-sample pointer and byte row step of each.
struct View {
    std::uint8_t* p[3];
    int step[3];
};
// The planes of a frame stored one after the other without gaps (raw files).
View contiguous(const Layout& l, const std::uint8_t* base, int w, int h);

// raw <-> RGB24 with row steps on both sides; reads one side, writes the other.
using CodecFn = QrxStatus (*)(const View& raw, std::uint8_t* rgb, int rgb_step, int w, int h, const Options& opt);

struct Codec {
    CodecFn fn = nullptr;  // null: the format cannot be read (decode) or written (encode)
    bool to_raw = false;
    Layout layout{};
    explicit operator bool() const { return fn != nullptr; }
    QrxStatus operator()(const View& raw, std::uint8_t* rgb, int rgb_step, int w, int h, const Options& opt) const {
        return fn(raw, rgb, rgb_step, w, h, opt);
    }
    // Gap-free frames: decode(raw, w, h, rgb, opt) and encode(rgb, w, h, raw, opt).
    QrxStatus operator()(const std::uint8_t* in, int w, int h, std::uint8_t* out, const Options& opt) const;
};

struct Format {
    const char* name;
    const char* aliases;  // space-separated other names
    const char* description;
    int align_w, align_h;  // the size must be a multiple of these
    int y4m_chroma;        // -1: not a YUV4MPEG2 layout; else 420, 422 or 444
    Layout layout;
    Codec decode;  // raw -> RGB24
    Codec encode;  // RGB24 -> raw
    Format(const char* n, const char* a, const char* d, int aw, int ah, int y4m, Layout l, CodecFn dec, CodecFn enc)
        : name(n), aliases(a), description(d), align_w(aw), align_h(ah), y4m_chroma(y4m), layout(l),
          decode{dec, false, l}, encode{enc, true, l} {}
    std::size_t bytes(int w, int h) const { return layout.bytes(w, h); }
};

const std::vector<Format>& formats();
const Format* find_format(const std::string& name);  // by name or alias, case-insensitive

// The channels of a frame in format `f` as gray planes, named after the channels
// (signed channels are shown around 128).  Empty when the format has none to show.
std::vector<Plane> split_planes(const Format& f, const std::uint8_t* raw, int w, int h);

}  // namespace qrxconvert
