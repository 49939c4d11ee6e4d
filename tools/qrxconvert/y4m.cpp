#include "y4m.h"

#include <cerrno>
#include <cstring>
#include <sstream>

#include "pnm.h"

namespace qrxconvert {

int chroma_width(const Y4mHeader& h) { return h.chroma == Chroma::k444 ? h.width : (h.width + 1) / 2; }
int chroma_height(const Y4mHeader& h) { return h.chroma == Chroma::k420 ? (h.height + 1) / 2 : h.height; }

std::size_t y4m_frame_bytes(const Y4mHeader& h) {
    return static_cast<std::size_t>(h.width) * h.height +
           2 * static_cast<std::size_t>(chroma_width(h)) * chroma_height(h);
}

namespace {
bool read_line(std::FILE* f, std::string& line, std::size_t limit) {
    line.clear();
    int c;
    while ((c = std::fgetc(f)) != EOF && c != '\n') {
        line.push_back(static_cast<char>(c));
        if (line.size() > limit) return false;
    }
    return c == '\n';
}
}  // namespace

bool Y4mReader::open(const std::string& path, std::string& error) {
    path_ = path;
    f_ = std::fopen(path.c_str(), "rb");
    if (!f_) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::fseek(f_, 0, SEEK_END);
    file_size_ = std::ftell(f_);
    std::fseek(f_, 0, SEEK_SET);
    std::string line;
    if (!read_line(f_, line, 4096) || line.rfind("YUV4MPEG2 ", 0) != 0) {
        error = path + ": not a YUV4MPEG2 stream";
        return false;
    }
    std::istringstream words(line.substr(10));
    std::string w;
    long long width = 0, height = 0;
    std::string rest;
    while (words >> w) {
        if (w[0] == 'W') width = std::atoll(w.c_str() + 1);
        else if (w[0] == 'H') height = std::atoll(w.c_str() + 1);
        else if (w[0] == 'C') {
            const std::string c = w.substr(1);
            if (c.rfind("420", 0) == 0) header_.chroma = Chroma::k420;
            else if (c == "422") header_.chroma = Chroma::k422;
            else if (c == "444") header_.chroma = Chroma::k444;
            else {
                error = path + ": chroma " + c + " is not supported (420, 422 or 444 with 8-bit samples)";
                return false;
            }
        } else {
            rest += " " + w;
        }
    }
    if (!size_fits(width, height, 3, 1)) {
        error = path + ": frame size " + std::to_string(width) + "x" + std::to_string(height) + " is empty or too large";
        return false;
    }
    header_.width = static_cast<int>(width), header_.height = static_cast<int>(height), header_.rest = rest;
    return true;
}

long long Y4mReader::position() const { return f_ ? std::ftell(f_) : 0; }

bool Y4mReader::next_frame(std::vector<std::uint8_t>& planes, std::string& error) {
    error.clear();
    std::string line;
    if (!read_line(f_, line, 4096)) {
        if (!line.empty()) error = path_ + ": truncated frame header";
        return false;
    }
    if (line.rfind("FRAME", 0) != 0) {
        error = path_ + ": expected a FRAME header";
        return false;
    }
    planes.resize(y4m_frame_bytes(header_));
    if (std::fread(planes.data(), 1, planes.size(), f_) != planes.size()) {
        error = path_ + ": truncated frame data";
        return false;
    }
    return true;
}

Y4mReader::~Y4mReader() {
    if (f_) std::fclose(f_);
}

bool Y4mWriter::open(const std::string& path, const Y4mHeader& h, std::string& error) {
    path_ = path, tmp_ = path + ".tmp";
    f_ = std::fopen(tmp_.c_str(), "wb");
    if (!f_) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const char* c = h.chroma == Chroma::k420 ? "420jpeg" : h.chroma == Chroma::k422 ? "422" : "444";
    std::fprintf(f_, "YUV4MPEG2 W%d H%d C%s%s\n", h.width, h.height, c, h.rest.empty() ? " F25:1 Ip A1:1" : h.rest.c_str());
    return true;
}

bool Y4mWriter::write_frame(const std::vector<std::uint8_t>& planes, std::string& error) {
    if (std::fputs("FRAME\n", f_) < 0 || std::fwrite(planes.data(), 1, planes.size(), f_) != planes.size()) {
        error = "write failed for " + path_;
        return false;
    }
    return true;
}

bool Y4mWriter::finish(std::string& error) {
    const bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    if (!ok || std::rename(tmp_.c_str(), path_.c_str()) != 0) {
        error = "cannot write " + path_ + ": " + std::strerror(errno);
        std::remove(tmp_.c_str());
        return false;
    }
    return true;
}

Y4mWriter::~Y4mWriter() {
    if (f_) {
        std::fclose(f_);
        std::remove(tmp_.c_str());
    }
}

}  // namespace qrxconvert
