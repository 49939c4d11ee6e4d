#include "test_image.h"

namespace qrxconvert {

Image make_test_image(int width, int height) {
    // 75% colour bars (white, yellow, cyan, green, magenta, red, blue, black)
    static const std::uint8_t bars[8][3] = {{191, 191, 191}, {191, 191, 0}, {0, 191, 191}, {0, 191, 0},
                                            {191, 0, 191},   {191, 0, 0},   {0, 0, 191},   {16, 16, 16}};
    Image img;
    img.width = width, img.height = height, img.channels = 3;
    img.pixels.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &img.pixels[(static_cast<std::size_t>(y) * width + x) * 3];
            if (y < height / 2) {
                const int bar = x * 8 / width;
                for (int c = 0; c < 3; ++c) p[c] = bars[bar][c];
            } else if (y < height * 3 / 4) {
                // hue ramp left to right, brightness ramp top to bottom
                const int t = x * 1530 / width, band = t / 255, f = t % 255;
                const int v = 255 - (y - height / 2) * 200 / (height / 4 + 1);
                int rgb[3];
                switch (band) {
                    case 0: rgb[0] = 255, rgb[1] = f, rgb[2] = 0; break;
                    case 1: rgb[0] = 255 - f, rgb[1] = 255, rgb[2] = 0; break;
                    case 2: rgb[0] = 0, rgb[1] = 255, rgb[2] = f; break;
                    case 3: rgb[0] = 0, rgb[1] = 255 - f, rgb[2] = 255; break;
                    case 4: rgb[0] = f, rgb[1] = 0, rgb[2] = 255; break;
                    default: rgb[0] = 255, rgb[1] = 0, rgb[2] = 255 - f; break;
                }
                for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(rgb[c] * v / 255);
            } else {
                // grey ramp with a fine checkerboard in the last rows (chroma edges)
                const std::uint8_t g = static_cast<std::uint8_t>(x * 255 / (width - 1));
                const bool check = y >= height * 7 / 8 && ((x / 4 + y / 4) & 1);
                p[0] = check ? 255 - g : g, p[1] = g, p[2] = check ? g : 255 - g;
            }
        }
    }
    return img;
}

}  // namespace qrxconvert
