// Long rows through every 4:2:2 / 4:2:0 / 4:1:1 / 16-bit packed BGR function: every
// dispatch level gives the scalar level's bytes (the vector bodies run many blocks
// of 32 and 16 pixels, then the generic loop and the row tails).
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"

using qrxtest::expect_same_at_all_levels;
using u8 = std::uint8_t;

namespace {

constexpr int kW = 517, kH = 5;

// One source of up to 4 bytes per pixel (also read as 16-bit words or planes) and a
// destination large enough for any layout; returns the destination bytes.
struct Bufs {
    std::vector<u8> src = std::vector<u8>(4 * kW * kH + 64);
    std::vector<u8> dst = std::vector<u8>(4 * kW * kH + 64, 0);
    Bufs() {
        std::uint32_t v = 12345;
        for (auto& b : src) b = static_cast<u8>((v = v * 1103515245u + 12345u) >> 24);
    }
};

void same(const std::function<QrxStatus(const u8*, u8*)>& run) {
    Bufs b;
    expect_same_at_all_levels([&] {
        std::fill(b.dst.begin(), b.dst.end(), 0);
        EXPECT_EQ(run(b.src.data(), b.dst.data()), qrxStatusOk);
        return b.dst;
    });
}

// Planes of a planar image carved from one buffer (each plane kW x kH bytes apart).
struct Pl {
    u8* p[3];
    int s[3] = {kW, kW, kW};
    explicit Pl(u8* d) : p{d, d + kW * kH, d + 2 * kW * kH} {}
};
struct CPl {
    const u8* p[3];
    int s[3] = {kW, kW, kW};
    explicit CPl(const u8* d) : p{d, d + kW * kH, d + 2 * kW * kH} {}
};
const Qrx16u* w16(const u8* s) { return reinterpret_cast<const Qrx16u*>(s); }

}  // namespace

TEST(YcbcrSubLevels, ForwardLongRows) {
    same([](const u8* s, u8* d) { return qrxiRGBToYCbCr422_8u_C3C2R(s, 3 * kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { CPl p(s); return qrxiRGBToYCbCr422_8u_P3C2R(p.p, kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiBGRToYCbCr422_8u_C3C2R(s, 3 * kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiBGRToYCbCr422_8u_AC4C2R(s, 4 * kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGRToYCbCr422_8u_C3P3R(s, 3 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGRToYCbCr422_8u_AC4P3R(s, 4 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiBGRToCbYCr422_8u_AC4C2R(s, 4 * kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiRGBToCbYCr422_8u_C3C2R(s, 3 * kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiRGBToCbYCr422Gamma_8u_C3C2R(s, 3 * kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiRGBToYCbCr420_8u_C3P3R(s, 3 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGRToYCbCr420_8u_C3P3R(s, 3 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGRToYCrCb420_8u_AC4P3R(s, 4 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGRToYCbCr411_8u_C3P3R(s, 3 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGRToYCbCr411_8u_AC4P3R(s, 4 * kW, p.p, p.s, {kW, kH}); });
}

TEST(YcbcrSubLevels, InverseLongRows) {
    same([](const u8* s, u8* d) { return qrxiYCbCr422ToRGB_8u_C2C3R(s, 2 * kW, d, 3 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiYCbCr422ToRGB_8u_C2P3R(s, 2 * kW, p.p, kW, {kW, kH}); });
    same([](const u8* s, u8* d) { CPl p(s); return qrxiYCbCr422ToRGB_8u_P3C3R(p.p, p.s, d, 3 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiYCbCr422ToBGR_8u_C2C3R(s, 2 * kW, d, 3 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiYCbCr422ToBGR_8u_C2C4R(s, 2 * kW, d, 4 * kW, {kW, kH}, 7); });
    same([](const u8* s, u8* d) { return qrxiCbYCr422ToRGB_8u_C2C3R(s, 2 * kW, d, 3 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiCbYCr422ToBGR_8u_C2C4R(s, 2 * kW, d, 4 * kW, {kW, kH}, 9); });
    same([](const u8* s, u8* d) { CPl p(s); return qrxiYCbCr420ToRGB_8u_P3C3R(p.p, p.s, d, 3 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { CPl p(s); return qrxiYCbCr420ToBGR_8u_P3C3R(p.p, p.s, d, 3 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { CPl p(s); return qrxiYCbCr411ToBGR_8u_P3C3R(p.p, p.s, d, 3 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { CPl p(s); return qrxiYCbCr411ToBGR_8u_P3C4R(p.p, p.s, d, 4 * kW, {kW, kH}, 1); });
}

TEST(YcbcrSubLevels, Bgr16LongRows) {
    same([](const u8* s, u8* d) { return qrxiBGR565ToYCbCr422_16u8u_C3C2R(w16(s), 2 * kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { return qrxiBGR555ToYCbCr422_16u8u_C3C2R(w16(s), 2 * kW, d, 2 * kW, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGR565ToYCbCr422_16u8u_C3P3R(w16(s), 2 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGR555ToYCbCr420_16u8u_C3P3R(w16(s), 2 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGR565ToYCrCb420_16u8u_C3P3R(w16(s), 2 * kW, p.p, p.s, {kW, kH}); });
    same([](const u8* s, u8* d) { Pl p(d); return qrxiBGR555ToYCbCr411_16u8u_C3P3R(w16(s), 2 * kW, p.p, p.s, {kW, kH}); });
}
