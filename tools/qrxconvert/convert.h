// One file's conversion, shared by `convert IN OUT` and batches.
#pragma once

#include <string>
#include <vector>

#include "formats.h"
#include "image_io.h"
#include "qrxcc.h"

namespace qrxconvert {

// What the options ask of every file of a run.
struct Settings {
    std::string to, from, size;  // to: empty for the container's default
    Options opt;
    bool quiet = false;
    bool frame_progress = false;  // a progress bar over the frames of a stream
    int reduce_levels = 0, noise = 0, dither = qrxDitherMethodFloydSteinberg;
    int gamma = 0;  // 1 forward, -1 inverse
    bool twisted = false;
    Qrx32f twist[3][4] = {};
    std::string planes_dir;
    int jpeg_quality = 90;
};

struct Outcome {
    int code = 0;  // 0 done, 1 bad data or I/O, 2 a request that cannot be met
    std::string error;
    std::vector<std::string> notes;
    int frames = 0, width = 0, height = 0;
    const char* format = "";
    long long pixels() const { return static_cast<long long>(width) * height * frames; }
    int fail(int c, std::string message) {
        code = c, error = std::move(message);
        return c;
    }
};

// Why `dst` cannot go into container `c`; empty if it can.
std::string container_mismatch(const Format& dst, Container c);

// Converts `in` to `out` (container `c`; `out` empty: nothing written).
int convert_file(const Settings& s, const std::string& in, const std::string& out, Container c, Outcome& o);

// Converts every input to `dir`/NAME + the container's extension, `jobs` at once.
int run_batch(const Settings& s, const std::vector<std::string>& inputs, const std::string& dir, Container c, int jobs);

bool make_dir(const std::string& dir, std::string& error);

}  // namespace qrxconvert
