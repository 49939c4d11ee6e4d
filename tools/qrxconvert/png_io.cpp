// PNG through libpng.  libpng reports errors by longjmp, so nothing with a
// destructor is created between setjmp and the end of the codec calls.
#include <png.h>

#include <cstring>

#include "image_io.h"

namespace qrxconvert {
namespace {

struct Source {
    const std::vector<std::uint8_t>* file;
    std::size_t at;
};

void read_bytes(png_structp png, png_bytep out, png_size_t n) {
    Source* s = static_cast<Source*>(png_get_io_ptr(png));
    if (n > s->file->size() - s->at) png_error(png, "truncated file");
    std::memcpy(out, s->file->data() + s->at, n);
    s->at += n;
}

void write_bytes(png_structp png, png_bytep data, png_size_t n) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

void flush_nothing(png_structp) {}

void on_error(png_structp png, png_const_charp message) {
    char* where = static_cast<char*>(png_get_error_ptr(png));
    std::snprintf(where, 200, "%s", message);
    png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}

// Big-endian 16-bit samples of a file <-> native ones, in place.
void swap16(std::uint8_t* p, std::size_t bytes) {
    for (std::size_t i = 0; i + 1 < bytes; i += 2) {
        const std::uint16_t v = static_cast<std::uint16_t>(p[i] << 8 | p[i + 1]);
        std::memcpy(p + i, &v, 2);
    }
}

// The setjmp frame of reading: only plain locals here.
bool read_png(const std::vector<std::uint8_t>& file, Image* img, char* message) {
    Source src = {&file, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, message, on_error, on_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &src, read_bytes);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    png_set_expand(png);  // palette -> RGB, gray below 8 bits -> 8 bits, transparency -> alpha
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const long long w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    const int channels = png_get_channels(png, info), bps = png_get_bit_depth(png, info) / 8;
    if (!size_fits(w, h, channels, bps)) png_error(png, "image too large");
    img->width = static_cast<int>(w), img->height = static_cast<int>(h), img->channels = channels;
    img->bytes_per_sample = bps;
    img->pixels.assign(img->size_bytes(), 0);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < img->height; ++y) png_read_row(png, img->pixels.data() + y * img->row_bytes(), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    if (bps == 2) swap16(img->pixels.data(), img->pixels.size());
    return true;
}

}  // namespace

bool decode_png(const std::vector<std::uint8_t>& file, Image& img, std::string& error) {
    char message[200] = "not a readable PNG file";
    if (read_png(file, &img, message)) return true;
    error = message;
    return false;
}

namespace {

// The setjmp frame: only plain locals here.  `row` holds a row of 16-bit samples in file order.
bool write_png(const Image& img, std::uint8_t* row, std::vector<std::uint8_t>* file, char* message) {
    static const int kTypes[] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                                 PNG_COLOR_TYPE_RGB_ALPHA};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, message, on_error, on_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, file, write_bytes, flush_nothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(img.width), static_cast<png_uint_32>(img.height),
                 8 * img.bytes_per_sample, kTypes[img.channels], PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t row_bytes = img.row_bytes();
    for (int y = 0; y < img.height; ++y) {
        const std::uint8_t* line = img.pixels.data() + y * row_bytes;
        if (img.bytes_per_sample == 2) {
            for (std::size_t i = 0; i < row_bytes; i += 2) {
                std::uint16_t v;
                std::memcpy(&v, line + i, 2);
                row[i] = static_cast<std::uint8_t>(v >> 8), row[i + 1] = static_cast<std::uint8_t>(v);
            }
            line = row;
        }
        png_write_row(png, line);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool encode_png(const Image& img, std::vector<std::uint8_t>& file, std::string& error) {
    char message[200] = "out of memory";
    std::vector<std::uint8_t> row(img.row_bytes());
    file.clear();
    if (write_png(img, row.data(), &file, message)) return true;
    error = message;
    return false;
}

}  // namespace qrxconvert
