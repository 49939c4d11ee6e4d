#include "pnm.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace qrxconvert {
namespace {

// Next header token, skipping white space and # comments.
bool next_token(std::istream& in, std::string& tok) {
    tok.clear();
    int c;
    while ((c = in.get()) != EOF) {
        if (c == '#') {
            while ((c = in.get()) != EOF && c != '\n') {
            }
        } else if (!std::isspace(c)) {
            tok.push_back(static_cast<char>(c));
            break;
        }
    }
    while ((c = in.peek()) != EOF && !std::isspace(c) && c != '#') tok.push_back(static_cast<char>(in.get()));
    return !tok.empty();
}

bool parse_int(const std::string& tok, long long& v) {
    if (tok.empty() || tok.size() > 12 || tok.find_first_not_of("0123456789") != std::string::npos) return false;
    v = std::stoll(tok);
    return true;
}

}  // namespace

bool size_fits(long long width, long long height, int channels, int bytes_per_sample) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    return width * height * channels * bytes_per_sample <= 0x7fffffffLL;
}

bool read_pnm(const std::string& path, Image& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string magic, tok;
    if (!next_token(in, magic) || (magic != "P5" && magic != "P6" && magic != "P7")) {
        error = path + ": not a binary PGM, PPM or PAM file (expected P5, P6 or P7)";
        return false;
    }
    long long w = 0, h = 0, maxval = 0, depth = magic == "P6" ? 3 : 1;
    if (magic == "P7") {
        bool done = false;
        while (!done && next_token(in, tok)) {
            std::string val;
            if (tok == "ENDHDR") {
                done = true;
            } else if (tok == "TUPLTYPE") {
                std::getline(in, val);
            } else if (!next_token(in, val)) {
                break;
            } else {
                long long v;
                if (!parse_int(val, v)) break;
                if (tok == "WIDTH") w = v;
                else if (tok == "HEIGHT") h = v;
                else if (tok == "DEPTH") depth = v;
                else if (tok == "MAXVAL") maxval = v;
            }
        }
        if (!done) {
            error = path + ": malformed PAM header";
            return false;
        }
        if (in.get() != '\n') in.unget();
    } else {
        std::string tw, th, tm;
        if (!next_token(in, tw) || !next_token(in, th) || !next_token(in, tm) || !parse_int(tw, w) ||
            !parse_int(th, h) || !parse_int(tm, maxval)) {
            error = path + ": malformed header";
            return false;
        }
        in.get();  // the single white-space byte after maxval
    }
    if (maxval != 255 && maxval != 65535) {
        error = path + ": only maxval 255 or 65535 is supported, found " + std::to_string(maxval);
        return false;
    }
    if (depth < 1 || depth > 4) {
        error = path + ": depth " + std::to_string(depth) + " is not 1 to 4";
        return false;
    }
    const int bps = maxval == 255 ? 1 : 2;
    if (!size_fits(w, h, static_cast<int>(depth), bps)) {
        error = path + ": size " + std::to_string(w) + "x" + std::to_string(h) + " is empty or too large";
        return false;
    }
    out.width = static_cast<int>(w), out.height = static_cast<int>(h), out.channels = static_cast<int>(depth);
    out.bytes_per_sample = bps;
    out.pixels.assign(out.size_bytes(), 0);
    in.read(reinterpret_cast<char*>(out.pixels.data()), static_cast<std::streamsize>(out.pixels.size()));
    if (static_cast<std::size_t>(in.gcount()) != out.pixels.size()) {
        error = path + ": truncated pixel data";
        return false;
    }
    if (bps == 2)  // big-endian in the file
        for (std::size_t i = 0; i + 1 < out.pixels.size(); i += 2) std::swap(out.pixels[i], out.pixels[i + 1]);
    return true;
}

bool read_file(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || size > 0x7fffffffLL) {
        error = path + ": cannot read (too large or not a regular file)";
        return false;
    }
    in.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    if (in.gcount() != size) {
        error = path + ": read failed";
        return false;
    }
    return true;
}

bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        if (!f) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!f.flush()) {
            error = "write failed for " + path;
            std::remove(tmp.c_str());
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        error = "cannot rename " + tmp + ": " + std::strerror(errno);
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

bool write_pnm(const std::string& path, const Image& img, std::string& error, bool force_pam) {
    std::ostringstream head;
    const int maxval = img.bytes_per_sample == 2 ? 65535 : 255;
    if (force_pam || img.channels == 2 || img.channels == 4) {
        static const char* const types[] = {"", "GRAYSCALE", "GRAYSCALE_ALPHA", "RGB", "RGB_ALPHA"};
        head << "P7\nWIDTH " << img.width << "\nHEIGHT " << img.height << "\nDEPTH " << img.channels << "\nMAXVAL "
             << maxval << "\nTUPLTYPE " << types[img.channels] << "\nENDHDR\n";
    } else {
        head << (img.channels == 1 ? "P5" : "P6") << "\n" << img.width << " " << img.height << "\n" << maxval << "\n";
    }
    const std::string h = head.str();
    std::vector<std::uint8_t> bytes(h.begin(), h.end());
    const std::size_t start = bytes.size();
    bytes.insert(bytes.end(), img.pixels.begin(), img.pixels.end());
    if (img.bytes_per_sample == 2)
        for (std::size_t i = start; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
    return write_file(path, bytes, error);
}

}  // namespace qrxconvert
