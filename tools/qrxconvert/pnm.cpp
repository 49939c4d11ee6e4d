#include "pnm.h"

#include <cerrno>
#include <cstdio>
#include <cctype>
#include <cstring>
#include <fstream>
#include <limits>
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

bool parse_dim(const std::string& tok, int& v) {
    if (tok.empty() || tok.size() > 9 || tok.find_first_not_of("0123456789") != std::string::npos) return false;
    v = std::stoi(tok);
    return v > 0;
}

}  // namespace

bool read_pnm(const std::string& path, Image& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string magic, tw, th, tm;
    if (!next_token(in, magic) || (magic != "P5" && magic != "P6")) {
        error = path + ": not a binary PGM/PPM file (expected P5 or P6)";
        return false;
    }
    int w, h, maxval;
    if (!next_token(in, tw) || !next_token(in, th) || !next_token(in, tm) || !parse_dim(tw, w) || !parse_dim(th, h) ||
        !parse_dim(tm, maxval)) {
        error = path + ": malformed header";
        return false;
    }
    if (maxval != 255) {
        error = path + ": only 8-bit samples (maxval 255) are supported, found " + tm;
        return false;
    }
    in.get();  // the single white-space byte after maxval
    const int ch = magic == "P6" ? 3 : 1;
    const unsigned long long bytes = static_cast<unsigned long long>(w) * h * ch;
    if (bytes > (1ull << 32)) {
        error = path + ": image too large";
        return false;
    }
    out.width = w, out.height = h, out.channels = ch;
    out.pixels.assign(static_cast<std::size_t>(bytes), 0);
    in.read(reinterpret_cast<char*>(out.pixels.data()), static_cast<std::streamsize>(bytes));
    if (static_cast<unsigned long long>(in.gcount()) != bytes) {
        error = path + ": truncated pixel data";
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

bool write_pnm(const std::string& path, const Image& img, std::string& error) {
    std::ostringstream head;
    head << (img.channels == 1 ? "P5" : "P6") << "\n" << img.width << " " << img.height << "\n255\n";
    const std::string h = head.str();
    std::vector<std::uint8_t> bytes(h.begin(), h.end());
    bytes.insert(bytes.end(), img.pixels.begin(), img.pixels.end());
    return write_file(path, bytes, error);
}

}  // namespace qrxconvert
