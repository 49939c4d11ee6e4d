// JPEG through libjpeg(-turbo), in memory.  Its errors longjmp back here; the
// library's own memory is released by jpeg_destroy_*.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include "image_io.h"

namespace qrxconvert {
namespace {

struct ErrorTrap {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void on_error(j_common_ptr c) {
    ErrorTrap* trap = reinterpret_cast<ErrorTrap*>(c->err);
    c->err->format_message(c, trap->message);
    std::longjmp(trap->jump, 1);
}

void on_message(j_common_ptr) {}  // warnings (recoverable damage) are not printed

jpeg_error_mgr* install(ErrorTrap& trap) {
    jpeg_std_error(&trap.mgr);
    trap.mgr.error_exit = on_error;
    trap.mgr.output_message = on_message;
    trap.message[0] = 0;
    return &trap.mgr;
}

}  // namespace

bool decode_jpeg(const std::vector<std::uint8_t>& file, Image& img, std::string& error) {
    jpeg_decompress_struct cinfo;
    ErrorTrap trap;
    cinfo.err = install(trap);
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&cinfo);
        error = trap.message;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&cinfo);
        error = "CMYK JPEG files are not supported";
        return false;
    }
    const int channels = cinfo.num_components == 1 ? 1 : 3;
    if (!size_fits(cinfo.image_width, cinfo.image_height, channels, 1)) {
        jpeg_destroy_decompress(&cinfo);
        error = "image too large";
        return false;
    }
    cinfo.out_color_space = channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    img.width = static_cast<int>(cinfo.output_width), img.height = static_cast<int>(cinfo.output_height);
    img.channels = channels, img.bytes_per_sample = 1;
    img.pixels.assign(img.size_bytes(), 0);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = img.pixels.data() + cinfo.output_scanline * img.row_bytes();
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool encode_jpeg(const Image& img, int quality, std::vector<std::uint8_t>& file, std::string& error) {
    jpeg_compress_struct cinfo;
    ErrorTrap trap;
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    cinfo.err = install(trap);
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(mem);
        error = trap.message;
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &mem, &size);
    cinfo.image_width = static_cast<JDIMENSION>(img.width), cinfo.image_height = static_cast<JDIMENSION>(img.height);
    cinfo.input_components = img.channels;
    cinfo.in_color_space = img.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(img.pixels.data()) + cinfo.next_scanline * img.row_bytes();
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    file.assign(mem, mem + size);
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    return true;
}

}  // namespace qrxconvert
