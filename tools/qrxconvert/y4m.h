// YUV4MPEG2 streams: a header line, then frames of planar Y, Cb, Cr.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace qrxconvert {

enum class Chroma { k420, k422, k444 };

struct Y4mHeader {
    int width = 0, height = 0;
    Chroma chroma = Chroma::k420;
    std::string rest;  // frame rate, aspect, interlacing: kept as given
};

// Bytes of one frame's planes.
std::size_t y4m_frame_bytes(const Y4mHeader& h);
int chroma_width(const Y4mHeader& h);
int chroma_height(const Y4mHeader& h);

class Y4mReader {
public:
    bool open(const std::string& path, std::string& error);
    const Y4mHeader& header() const { return header_; }
    // Next frame's planes; false at the end (error empty) or on a bad frame.
    bool next_frame(std::vector<std::uint8_t>& planes, std::string& error);
    long long file_size() const { return file_size_; }
    long long position() const;
    ~Y4mReader();

private:
    std::FILE* f_ = nullptr;
    Y4mHeader header_;
    long long file_size_ = 0;
    std::string path_;
};

// Collects frames and writes the stream through a temporary file.
class Y4mWriter {
public:
    bool open(const std::string& path, const Y4mHeader& header, std::string& error);
    bool write_frame(const std::vector<std::uint8_t>& planes, std::string& error);
    bool finish(std::string& error);  // renames the temporary file into place
    ~Y4mWriter();

private:
    std::FILE* f_ = nullptr;
    std::string path_, tmp_;
};

}  // namespace qrxconvert
