// qrxconvert convert / list: files in, files out, through 8-bit RGB.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cmath>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "cli.h"
#include "convert.h"
#include "pnm.h"
#include "y4m.h"

namespace qrxconvert {

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "qrxconvert: %s\n", message.c_str());
    return code;
}

namespace {

const char* const kConvertHelp =
    "usage: qrxconvert convert IN OUT [--to FORMAT] [--from FORMAT --size WxH] [options]\n"
    "       qrxconvert convert IN... -o DIR [options]     a batch: one worker per core\n"
    "  IN   a PNG file (1 to 16 bits; gray, gray+alpha, RGB, RGBA or palette), a JPEG file, a PGM/PPM/PAM\n"
    "       file (P5, P6, P7; 8 or 16 bits), a YUV4MPEG2 stream (.y4m; 4:2:0, 4:2:2, 4:4:4; any number of\n"
    "       frames) or a raw file (needs --from and --size; may hold several frames)\n"
    "  OUT  the container follows the extension: .png or .jpg/.jpeg (RGB or gray), .ppm/.pam (RGB),\n"
    "       .pgm (gray), .y4m (planar 4:2:0, 4:2:2 or 4:4:4 frames: YCbCr i420/yuv422p/yuv444p, or analog\n"
    "       YUV yuv420a/yuv422a/yuv444a), or raw bytes in --to FORMAT for .raw, .yuv, .rgb, .bin, .dat,\n"
    "       a format name (.i420, .nv12, .yuy2, ...) or no extension; other extensions are refused.\n"
    "       Default --to: the format an extension names, i420 for .y4m, gray for .pgm and for gray\n"
    "       images into .png/.jpg/.pam, else rgb24\n"
    "options:\n"
    "  --to FORMAT        output pixel format (qrxconvert list)\n"
    "  --from FORMAT      pixel format of a raw input (or the reading of a .y4m's planes, e.g. yuv420a)\n"
    "  --size WxH         frame size of a raw input\n"
    "  --container KIND   png, jpeg, ppm, pgm, pam, y4m or raw, whatever OUT's extension; in a batch the\n"
    "                     kind of the outputs (default png)\n"
    "  --quality Q        JPEG quality, 1..100 (default 90)\n"
    "  -o DIR             batch: each IN goes to DIR/NAME.EXT (NAME: IN's file name without its\n"
    "                     extension; EXT: the container's, or the format name for raw); a file that\n"
    "                     fails is reported and the others still convert; exit status 1 if any failed\n"
    "  --jobs N           batch: files converted at once (default: one per core)\n"
    "  --dither           ordered 4x4 dither for the 16-bit packed RGB outputs\n"
    "  --reduce LEVELS    bit-depth reduction of every channel to LEVELS levels (2..256), before\n"
    "                     the output conversion (gray output: of the gray channel); 16-bit image\n"
    "                     input is reduced from its full 16-bit samples\n"
    "  --dither METHOD    dither of --reduce: off, fs (Floyd-Steinberg), jjn (Jarvis-Judice-Ninke),\n"
    "                     stucki or ordered (4x4); default fs\n"
    "  --noise PCT        noise added by --reduce, 0..100 percent (default 0)\n"
    "  --gamma DIR        BT.709 transfer curve on R, G, B first: forward (linear to corrected) or\n"
    "                     inverse\n"
    "  --twist FILE       colour twist of R, G, B first: FILE holds 12 numbers, a 3 x 4 matrix by\n"
    "                     rows (each row: three weights, then an offset)\n"
    "  --slice ROWS       yuyv422-smooth output: convert each frame as slices of ROWS rows (even, at\n"
    "                     least 4): a top slice, middle slices and a bottom slice; default: whole frames\n"
    "  --planes DIR       also write each channel of the (first) output frame as DIR/FORMAT_CH.pgm;\n"
    "                     OUT may then be left out\n"
    "  --threads N        thread count of the row-parallel conversions (batches: 1 unless given)\n"
    "  --quiet            no progress bar or summary\n"
    "Order of work: read, twist, gamma, reduce, convert to FORMAT.  An image copied into an image\n"
    "container with nothing to change (rgb24 or gray as the input is, no adjustment) keeps its\n"
    "samples: 16 bits stay 16 bits (8 in JPEG); alpha is kept by PNG and PAM outputs.\n"
    "Sizes that a format cannot hold (an odd width for 4:2:2, for example) are cut down to the\n"
    "nearest size it can, and the tool says so.\n";

bool ends_with(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    std::string tail = s.substr(s.size() - n);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == suffix;
}

bool parse_size(const std::string& s, int& w, int& h) {
    long long a, b;
    char x, extra;
    if (std::sscanf(s.c_str(), "%lld%c%lld%c", &a, &x, &b, &extra) != 3 || (x != 'x' && x != 'X')) return false;
    if (!size_fits(a, b, 4, 1)) return false;
    w = static_cast<int>(a), h = static_cast<int>(b);
    return true;
}

// Copies the top-left w x h of an RGB24 frame of width src_w.
std::vector<std::uint8_t> crop_rgb(const std::vector<std::uint8_t>& rgb, int src_w, int w, int h) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        std::memcpy(&out[static_cast<std::size_t>(y) * w * 3], &rgb[static_cast<std::size_t>(y) * src_w * 3],
                    static_cast<std::size_t>(w) * 3);
    return out;
}

// RGB24 from a decoded image: gray repeated, alpha dropped, 16-bit samples
// narrowed to their high byte.
std::vector<std::uint8_t> image_to_rgb(const Image& img) {
    const std::size_t n = static_cast<std::size_t>(img.width) * img.height;
    std::vector<std::uint8_t> rgb(n * 3);
    for (std::size_t i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = img.sample8(i * img.channels + (img.channels >= 3 ? c : 0));
    return rgb;
}

// `img` (8-bit gray or RGB) with the alpha channel of `from`, an image of the same size, added.
Image with_alpha_of(const Image& img, const Image& from) {
    Image out = img;
    out.channels = img.channels + 1;
    out.pixels.resize(out.size_bytes());
    const std::size_t n = static_cast<std::size_t>(img.width) * img.height;
    for (std::size_t i = 0; i < n; ++i) {
        std::memcpy(&out.pixels[i * out.channels], &img.pixels[i * img.channels], img.channels);
        out.pixels[i * out.channels + img.channels] = from.sample8((i + 1) * from.channels - 1);
    }
    return out;
}

// Reads the 12 numbers of a colour twist (white space or commas between them).
bool read_twist(const std::string& path, Qrx32f twist[3][4], std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!read_file(path, bytes, error)) return false;
    std::string text(bytes.begin(), bytes.end());
    std::replace(text.begin(), text.end(), ',', ' ');
    const char* at = text.c_str();
    int n = 0;
    for (;;) {
        while (*at && std::isspace(static_cast<unsigned char>(*at))) ++at;
        if (!*at) break;
        char* end = nullptr;
        const float v = std::strtof(at, &end);
        if (end == at || !std::isfinite(v) || (*end && !std::isspace(static_cast<unsigned char>(*end)))) {
            error = path + ": not a number: '" + std::string(at, std::strcspn(at, " \t\r\n")) + "'";
            return false;
        }
        if (n < 12) twist[n / 4][n % 4] = v;
        ++n, at = end;
    }
    if (n != 12) {
        error = path + ": a colour twist needs 12 numbers (3 rows of 3 weights and an offset), found " + std::to_string(n);
        return false;
    }
    return true;
}

bool parse_int_arg(const std::string& s, long lo, long hi, int& out) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end || errno || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

class Progress {
public:
    Progress(bool enabled, long long total) : on_(enabled && isatty(2) && total > 0), total_(total) {}
    void update(long long done, int frames) {
        if (!on_) return;
        const int width = 40, filled = static_cast<int>(width * std::min(done, total_) / total_);
        std::fprintf(stderr, "\r[%.*s%*s] %d frames", filled, "========================================", width - filled,
                     "", frames);
    }
    ~Progress() {
        if (on_) std::fputc('\n', stderr);
    }

private:
    bool on_;
    long long total_;
};

}  // namespace

bool make_dir(const std::string& dir, std::string& error) {
    if (mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST) {
        struct stat st;
        if (stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
        errno = ENOTDIR;
    }
    error = "cannot create folder " + dir + ": " + std::strerror(errno);
    return false;
}

int run_list(const std::vector<std::string>& args) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::puts("usage: qrxconvert list\n  prints every pixel format with what it can do");
        return 0;
    }
    std::puts("Formats (read/write; other names; size multiple):");
    for (const Format& f : formats()) {
        std::printf("  %-14s %s%s  %-44s", f.name, f.decode ? "r" : "-", f.encode ? "w" : "-", f.description);
        if (f.aliases[0]) std::printf("  [%s]", f.aliases);
        if (f.align_w > 1 || f.align_h > 1) std::printf("  %dx%d", f.align_w, f.align_h);
        std::puts("");
    }
    std::puts("Containers: .png (1-16 bits and palette in; 8/16-bit gray, gray+alpha, RGB, RGBA out), .jpg/.jpeg,\n"
              ".ppm/.pam (RGB) and .pgm (gray), 8/16-bit; .y4m (4:2:0, 4:2:2, 4:4:4 planes); raw (any format).\n"
              "--planes DIR writes the channels of an output frame as .pgm files.");
    return 0;
}

std::string container_mismatch(const Format& dst, Container c) {
    const bool gray = std::strcmp(dst.name, "gray") == 0, rgb = std::strcmp(dst.name, "rgb24") == 0;
    if (c == Container::kPgm && !gray) return std::string("PGM files hold gray; use --to gray or a raw output file for ") + dst.name;
    if (c == Container::kPpm && gray) return "gray output goes to a .pgm file (or .png, .jpg, .pam or raw)";
    if (c == Container::kPpm && !rgb) return std::string("PPM files hold RGB; use --to rgb24 or a raw output file for ") + dst.name;
    if (holds_one_image(c) && !gray && !rgb)
        return std::string("PNG, JPEG and PAM files hold RGB or gray; use --to rgb24, --to gray or a raw output file for ") +
               dst.name;
    if (c == Container::kY4m && dst.y4m_chroma < 0)
        return std::string("YUV4MPEG2 holds 4:2:0, 4:2:2 or 4:4:4 planes (i420, yuv422p, yuv444p, yuv420a, ...), not ") +
               dst.name;
    return "";
}

int convert_file(const Settings& s, const std::string& in, const std::string& out, Container oc, Outcome& o) {
    // ---- the input: a source of RGB24 frames --------------------------------
    std::string err;
    int w = 0, h = 0;
    std::vector<std::uint8_t> raw_file;
    const Format* src = nullptr;
    Y4mReader y4m;
    Image pic;
    enum { kImage, kY4m, kRaw } kind;
    Container sniffed;
    if (!sniff_file(in, sniffed, err)) return o.fail(1, err);
    if (ends_with(in, ".y4m") || sniffed == Container::kY4m) {
        kind = kY4m;
    } else if (!s.from.empty()) {
        kind = kRaw;
    } else if (sniffed != Container::kUnknown) {
        kind = kImage;
    } else {
        return o.fail(2, in + ": unknown file kind (PNG, JPEG, PGM/PPM/PAM or YUV4MPEG2); for raw input give --from FORMAT "
                              "and --size WxH");
    }
    std::size_t frames_total = 1;
    if (kind == kImage) {
        if (!read_image(in, pic, err)) return o.fail(1, err);
        w = pic.width, h = pic.height;
    } else if (kind == kY4m) {
        if (!y4m.open(in, err)) return o.fail(1, err);
        w = y4m.header().width, h = y4m.header().height;
        const Chroma c = y4m.header().chroma;
        const int chroma = c == Chroma::k420 ? 420 : c == Chroma::k422 ? 422 : 444;
        // the planes are YCbCr unless --from names another planar reading (analog YUV)
        src = find_format(!s.from.empty() ? s.from : c == Chroma::k420 ? "i420" : c == Chroma::k422 ? "yuv422p" : "yuv444p");
        if (!src || src->y4m_chroma != chroma || !src->decode)
            return o.fail(2, in + ": --from " + s.from + " does not describe " + std::to_string(chroma) + " planes");
        if (w % src->align_w || h % src->align_h)
            return o.fail(1, in + ": odd frame sizes of subsampled streams are not supported");
    } else {
        src = find_format(s.from);
        if (!src) return o.fail(2, "unknown format '" + s.from + "' (see qrxconvert list)");
        if (!src->decode) return o.fail(2, std::string("format ") + src->name + " can be written but not read");
        if (s.size.empty() || !parse_size(s.size, w, h)) return o.fail(2, "raw input needs --size WxH with a sensible size");
        if (w % src->align_w || h % src->align_h)
            return o.fail(2, std::string(src->name) + " frames must be a multiple of " + std::to_string(src->align_w) + "x" +
                                 std::to_string(src->align_h) + " pixels");
        if (!read_file(in, raw_file, err)) return o.fail(1, err);
        const std::size_t fb = src->bytes(w, h);
        if (raw_file.size() < fb || raw_file.size() % fb != 0)
            return o.fail(1, in + ": " + std::to_string(raw_file.size()) + " bytes is not a whole number of " + s.size + " " +
                                 src->name + " frames (" + std::to_string(fb) + " bytes each)");
        frames_total = raw_file.size() / fb;
    }

    // ---- the output format and the size it can hold ---------------------------
    const bool gray_in = kind == kImage && pic.channels <= 2;
    std::string to = s.to;
    if (to.empty())
        to = oc == Container::kY4m ? "i420"
             : oc == Container::kPgm || (gray_in && (oc == Container::kPng || oc == Container::kJpeg || oc == Container::kPam))
                 ? "gray"
                 : "rgb24";
    const Format* dst = find_format(to);
    if (!dst) return o.fail(2, "unknown format '" + to + "' (see qrxconvert list)");
    const std::string mismatch = container_mismatch(*dst, oc);
    if (!mismatch.empty()) return o.fail(2, mismatch);
    if (!s.planes_dir.empty() && split_planes(*dst, std::vector<std::uint8_t>(dst->bytes(2, 2)).data(), 2, 2).empty())
        return o.fail(2, std::string("format ") + dst->name + " has no channels to show as planes");
    const bool dst_gray = std::strcmp(dst->name, "gray") == 0;
    const bool adjusted = s.twisted || s.gamma || s.reduce_levels;
    o.format = dst->name;
    // An image into an image container with nothing to change keeps its samples (16 bits, alpha).
    if (kind == kImage && holds_one_image(oc) && !adjusted && s.planes_dir.empty() && (dst_gray == gray_in)) {
        if (!write_image(out, oc, pic, s.jpeg_quality, err)) return o.fail(1, err);
        o.width = w, o.height = h, o.frames = 1;
        return 0;
    }
    const int ow = w / dst->align_w * dst->align_w, oh = h / dst->align_h * dst->align_h;
    if (ow == 0 || oh == 0) return o.fail(1, std::to_string(w) + "x" + std::to_string(h) + " is too small for " + dst->name);
    if (ow != w || oh != h)
        o.notes.push_back(std::string(dst->name) + " needs sizes that are multiples of " + std::to_string(dst->align_w) + "x" +
                          std::to_string(dst->align_h) + ": converting the top-left " + std::to_string(ow) + "x" +
                          std::to_string(oh) + " of " + std::to_string(w) + "x" + std::to_string(h));

    // A gray image converted to gray keeps its samples; the hub would weight three equal channels.
    const bool gray_passthrough = gray_in && dst_gray && !s.twisted;
    // 16-bit RGB (or gray to gray) with --reduce and nothing before it: the library reduces the
    // 16-bit samples straight to 8-bit levels instead of reducing their high bytes.
    const bool reduce16 = kind == kImage && pic.bytes_per_sample == 2 && s.reduce_levels && !s.twisted && s.gamma == 0 &&
                          ((pic.channels == 3 && !dst_gray) || (pic.channels == 1 && dst_gray));
    if (!s.planes_dir.empty() && !make_dir(s.planes_dir, err)) return o.fail(1, err);
    Y4mWriter writer;
    std::vector<std::uint8_t> out_bytes;
    if (oc == Container::kY4m) {
        Y4mHeader hd;
        hd.width = ow, hd.height = oh;
        hd.chroma = dst->y4m_chroma == 420 ? Chroma::k420 : dst->y4m_chroma == 422 ? Chroma::k422 : Chroma::k444;
        if (kind == kY4m) hd.rest = y4m.header().rest;
        if (!writer.open(out, hd, err)) return o.fail(1, err);
    }
    Progress progress(s.frame_progress && kind == kY4m, kind == kY4m ? y4m.file_size() : 0);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3), frame, encoded(dst->bytes(ow, oh));
    int frames = 0;
    for (;;) {
        if (kind == kImage) {
            if (frames == 1) break;
            if (reduce16) {
                const Qrx16u* px = reinterpret_cast<const Qrx16u*>(pic.pixels.data());
                QrxStatus st;
                if (pic.channels == 3) {
                    st = qrxiReduceBits_16u8u_C3R(px, w * 6, rgb.data(), w * 3, {w, h}, s.noise, s.dither, s.reduce_levels);
                } else {
                    std::vector<std::uint8_t> gray(static_cast<std::size_t>(w) * h);
                    st = qrxiReduceBits_16u8u_C1R(px, w * 2, gray.data(), w, {w, h}, s.noise, s.dither, s.reduce_levels);
                    for (std::size_t i = 0; i < gray.size(); ++i) rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = gray[i];
                }
                if (st < 0) return o.fail(1, "bit-depth reduction failed with status " + std::to_string(st));
            } else {
                rgb = image_to_rgb(pic);
            }
        } else if (kind == kY4m) {
            if (!y4m.next_frame(frame, err)) {
                if (!err.empty()) return o.fail(1, err);
                break;
            }
            const QrxStatus st = src->decode(frame.data(), w, h, rgb.data(), s.opt);
            if (st < 0) return o.fail(1, "conversion from " + std::string(src->name) + " failed with status " + std::to_string(st));
        } else {
            if (static_cast<std::size_t>(frames) == frames_total) break;
            const QrxStatus st = src->decode(raw_file.data() + src->bytes(w, h) * frames, w, h, rgb.data(), s.opt);
            if (st < 0) return o.fail(1, "conversion from " + std::string(src->name) + " failed with status " + std::to_string(st));
        }
        std::vector<std::uint8_t> fitted = (ow == w && oh == h) ? rgb : crop_rgb(rgb, w, ow, oh);
        const QrxSize roi = {ow, oh};
        QrxStatus st = qrxStatusOk;
        if (s.twisted) st = qrxiColorTwist32f_8u_C3IR(fitted.data(), ow * 3, roi, s.twist);
        if (st >= 0 && s.gamma > 0) st = qrxiGammaFwd_8u_C3IR(fitted.data(), ow * 3, roi);
        if (st >= 0 && s.gamma < 0) st = qrxiGammaInv_8u_C3IR(fitted.data(), ow * 3, roi);
        if (st >= 0 && s.reduce_levels && !dst_gray && !reduce16) {
            std::vector<std::uint8_t> reduced(fitted.size());
            st = qrxiReduceBits_8u_C3R(fitted.data(), ow * 3, reduced.data(), ow * 3, roi, s.noise, s.dither, s.reduce_levels);
            fitted.swap(reduced);
        }
        if (st < 0) return o.fail(1, "colour adjustment failed with status " + std::to_string(st));
        if (gray_passthrough)  // gray in, gray out: the samples as they are
            for (std::size_t i = 0; i < encoded.size(); ++i) encoded[i] = fitted[3 * i];
        else
            st = dst->encode(fitted.data(), ow, oh, encoded.data(), s.opt);
        if (st >= 0 && s.reduce_levels && dst_gray && !reduce16) {
            std::vector<std::uint8_t> reduced(encoded.size());
            st = qrxiReduceBits_8u_C1R(encoded.data(), ow, reduced.data(), ow, roi, s.noise, s.dither, s.reduce_levels);
            encoded.swap(reduced);
        }
        if (st < 0) return o.fail(1, "conversion to " + std::string(dst->name) + " failed with status " + std::to_string(st));
        if (frames == 0 && !s.planes_dir.empty()) {
            for (const Plane& p : split_planes(*dst, encoded.data(), ow, oh)) {
                Image img;
                img.width = p.width, img.height = p.height, img.channels = 1, img.pixels = p.pixels;
                if (!write_pnm(s.planes_dir + "/" + dst->name + "_" + p.name + ".pgm", img, err)) return o.fail(1, err);
            }
        }
        ++frames;
        if (oc == Container::kY4m) {
            if (!writer.write_frame(encoded, err)) return o.fail(1, err);
        } else if (holds_one_image(oc)) {
            if (frames == 1) {
                Image img;
                img.width = ow, img.height = oh, img.channels = dst_gray ? 1 : 3;
                img.pixels = encoded;
                if (kind == kImage && (pic.channels == 2 || pic.channels == 4)) img = with_alpha_of(img, pic);
                if (!write_image(out, oc, img, s.jpeg_quality, err)) return o.fail(1, err);
            }
        } else if (!out.empty()) {
            out_bytes.insert(out_bytes.end(), encoded.begin(), encoded.end());
        }
        if (kind == kY4m) progress.update(y4m.position(), frames);
    }
    if (frames == 0) return o.fail(1, in + ": no frames");
    if (oc == Container::kY4m && !writer.finish(err)) return o.fail(1, err);
    if (oc == Container::kRaw && !out.empty() && !write_file(out, out_bytes, err)) return o.fail(1, err);
    if (!s.planes_dir.empty() && frames > 1)
        o.notes.push_back("planes of the first of " + std::to_string(frames) + " frames written to " + s.planes_dir);
    if (holds_one_image(oc) && frames > 1)
        o.notes.push_back(out + " holds one image: wrote the first of " + std::to_string(frames) + " frames");
    o.width = ow, o.height = oh, o.frames = frames;
    return 0;
}

int run_convert(const std::vector<std::string>& args) {
    std::vector<std::string> pos;
    Settings s;
    std::string twist_file, container, out_dir;
    int jobs = 0;
    bool threads_given = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kConvertHelp, stdout);
            return 0;
        } else if (a == "--to") {
            if (!value(s.to)) return fail(2, "--to needs a format");
        } else if (a == "--from" || a == "--format") {
            if (!value(s.from)) return fail(2, a + " needs a format");
        } else if (a == "--size") {
            if (!value(s.size)) return fail(2, "--size needs WxH");
        } else if (a == "--container") {
            if (!value(container) || container_by_name(container) == Container::kUnknown)
                return fail(2, "--container needs png, jpeg, ppm, pgm, pam, y4m or raw");
        } else if (a == "--quality") {
            std::string n;
            if (!value(n) || !parse_int_arg(n, 1, 100, s.jpeg_quality)) return fail(2, "--quality needs a number from 1 to 100");
        } else if (a == "-o" || a == "--output-dir") {
            if (!value(out_dir)) return fail(2, a + " needs a folder");
        } else if (a == "--jobs") {
            std::string n;
            if (!value(n) || !parse_int_arg(n, 1, 1024, jobs)) return fail(2, "--jobs needs a number from 1 to 1024");
        } else if (a == "--dither") {
            // Bare: ordered dither of the 16-bit outputs; with a method: the dither of --reduce.
            static const char* const methods[] = {"off", "fs", "jjn", "stucki", "ordered"};
            bool named = false;
            if (i + 1 < args.size())
                for (int m = 0; m < 5; ++m)
                    if (args[i + 1] == methods[m]) s.dither = m, named = true;
            if (named) {
                ++i;
                s.opt.dither = s.dither == qrxDitherMethodOrdered4x4;
            } else {
                s.opt.dither = true;
            }
        } else if (a == "--reduce") {
            std::string n;
            if (!value(n) || !parse_int_arg(n, 2, 256, s.reduce_levels))
                return fail(2, "--reduce needs a number of levels from 2 to 256");
        } else if (a == "--noise") {
            std::string n;
            if (!value(n) || !parse_int_arg(n, 0, 100, s.noise)) return fail(2, "--noise needs a percentage from 0 to 100");
        } else if (a == "--gamma") {
            std::string d;
            if (!value(d)) return fail(2, "--gamma needs forward or inverse");
            if (d == "forward" || d == "fwd") s.gamma = 1;
            else if (d == "inverse" || d == "inv") s.gamma = -1;
            else return fail(2, "--gamma needs forward or inverse, not '" + d + "'");
        } else if (a == "--twist") {
            if (!value(twist_file)) return fail(2, "--twist needs a file of 12 numbers");
        } else if (a == "--slice") {
            std::string n;
            if (!value(n) || !parse_int_arg(n, 4, kMaxSide, s.opt.slice_rows) || s.opt.slice_rows % 2)
                return fail(2, "--slice needs an even number of rows, at least 4");
        } else if (a == "--planes") {
            if (!value(s.planes_dir)) return fail(2, "--planes needs a folder");
        } else if (a == "--quiet" || a == "-q") {
            s.quiet = true;
        } else if (a == "--threads") {
            std::string n;
            int t = 0;
            if (!value(n) || !parse_int_arg(n, 1, 1024, t)) return fail(2, "--threads needs a number from 1 to 1024");
            threads_omp_of_n_qrx = t, threads_given = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return fail(2, "unknown option " + a + " (see qrxconvert convert --help)");
        } else {
            pos.push_back(a);
        }
    }
    const bool batch = !out_dir.empty();
    if (batch && pos.empty()) return fail(2, "-o DIR needs at least one input");
    if (batch && !s.planes_dir.empty()) return fail(2, "--planes takes a single input, not a batch");
    if (!batch && pos.size() == 1 && !s.planes_dir.empty()) pos.push_back("");
    if (!batch && pos.size() > 2) return fail(2, "several inputs need an output folder: -o DIR");
    if (!batch && pos.size() != 2) return fail(2, "convert needs IN and OUT (see qrxconvert convert --help)");
    // The output container, known before anything is read or created.
    Container oc = !container.empty() ? container_by_name(container) : batch ? Container::kPng : Container::kRaw;
    if (!batch && container.empty() && !pos[1].empty()) {
        oc = container_of_path(pos[1]);
        if (oc == Container::kUnknown)
            return fail(2, pos[1] + ": cannot write this kind of file (.png, .jpg, .ppm, .pgm, .pam, .y4m, or raw: .raw, "
                                    ".yuv, .rgb, .bin, .dat or a format name; --container overrides)");
    }
    if (s.to.empty() && oc == Container::kRaw && container.empty()) {  // out.nv12: raw NV12
        const std::size_t dot = pos[1].find_last_of('.');
        if (dot != std::string::npos && pos[1].find('/', dot) == std::string::npos)
            if (const Format* named = find_format(pos[1].substr(dot + 1))) s.to = named->name;
    }
    if (!s.to.empty()) {
        const Format* dst = find_format(s.to);
        if (!dst) return fail(2, "unknown format '" + s.to + "' (see qrxconvert list)");
        if (!dst->encode) return fail(2, std::string("format ") + dst->name + " can be read but not written");
        const std::string mismatch = container_mismatch(*dst, oc);
        if (!mismatch.empty()) return fail(2, mismatch);
        if (!s.planes_dir.empty() && split_planes(*dst, std::vector<std::uint8_t>(dst->bytes(2, 2)).data(), 2, 2).empty())
            return fail(2, std::string("format ") + dst->name + " has no channels to show as planes");
    }
    if (s.opt.slice_rows && (s.to.empty() || std::strcmp(find_format(s.to)->name, "yuyv422-smooth") != 0))
        return fail(2, "--slice applies to the yuyv422-smooth output only");
    if (!twist_file.empty()) {
        std::string terr;
        if (!read_twist(twist_file, s.twist, terr)) return fail(1, terr);
        s.twisted = true;
    }
    if (batch) {
        if (!threads_given) threads_omp_of_n_qrx = 1;  // the files run in parallel, not their rows
        return run_batch(s, pos, out_dir, oc, jobs > 0 ? jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    }
    s.frame_progress = !s.quiet;
    Outcome o;
    if (convert_file(s, pos[0], pos[1], oc, o) != 0) return fail(o.code, o.error);
    for (const std::string& n : o.notes) fail(0, n);
    if (!s.quiet) std::fprintf(stderr, "qrxconvert: %d frame%s %dx%d -> %s\n", o.frames, o.frames == 1 ? "" : "s", o.width,
                               o.height, o.format);
    return 0;
}

}  // namespace qrxconvert
