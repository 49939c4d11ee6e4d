// Byte steps that are not whole samples, on the functions whose 16-bit side
// keeps its byte step: rows laid at odd addresses give the bytes of a compact
// call, and (in the sanitizer build) no sample is accessed misaligned.  The
// width runs the vector body and the per-pixel rest.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "qrxcc.h"

namespace {

using u8 = std::uint8_t;
constexpr int kW = 18, kH = 6;

// Three compact 4:2:0 planes, one after another in d.
template <class Fn>
QrxStatus planes420(Fn fn, const u8* s, int ss, u8* d) {
    u8* const p[3] = {d, d + kW * kH, d + kW * kH + kW * kH / 4};
    const int steps[3] = {kW, kW / 2, kW / 2};
    return fn(reinterpret_cast<const Qrx16u*>(s), ss, p, steps, {kW, kH});
}

struct Case {
    const char* name;
    int src_px, dst_px;  // bytes per pixel; 0: 4:2:0 planes (compared as one block)
    QrxStatus (*call)(const u8* s, int ss, u8* d, int ds);
};
const Case kCases[] = {
    {"BGR565ToYUV420", 2, 0, [](const u8* s, int ss, u8* d, int) { return planes420(qrxiBGR565ToYUV420_16u8u_C3P3R, s, ss, d); }},
    {"BGR555ToYUV420", 2, 0, [](const u8* s, int ss, u8* d, int) { return planes420(qrxiBGR555ToYUV420_16u8u_C3P3R, s, ss, d); }},
    {"BGR565ToYCbCr420", 2, 0, [](const u8* s, int ss, u8* d, int) { return planes420(qrxiBGR565ToYCbCr420_16u8u_C3P3R, s, ss, d); }},
    {"BGRToLab_8u16u", 3, 6,
     [](const u8* s, int ss, u8* d, int ds) { return qrxiBGRToLab_8u16u_C3R(s, ss, reinterpret_cast<Qrx16u*>(d), ds, {kW, kH}); }},
    {"LabToBGR_16u8u", 6, 3,
     [](const u8* s, int ss, u8* d, int ds) { return qrxiLabToBGR_16u8u_C3R(reinterpret_cast<const Qrx16u*>(s), ss, d, ds, {kW, kH}); }},
};

}  // namespace

TEST(ReliabilityOddSteps, SixteenBitRowsAtOddAddressesGiveTheCompactBytes) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const int sr = kW * c.src_px, rows = c.dst_px ? kH : 1, dr = c.dst_px ? kW * c.dst_px : kW * kH * 3 / 2;
        std::vector<u8> src(static_cast<std::size_t>(sr) * kH), want(static_cast<std::size_t>(dr) * rows);
        std::uint32_t seed = 7;
        for (u8& b : src) b = static_cast<u8>((seed = seed * 1664525u + 1013904223u) >> 24);
        ASSERT_EQ(c.call(src.data(), sr, want.data(), dr), qrxStatusOk);
        // both images one byte past an even address, rows an odd number of bytes apart
        const int ss = sr + 3, ds = c.dst_px ? dr + 5 : dr;
        std::vector<u8> osrc(1 + static_cast<std::size_t>(ss) * kH), odst(1 + static_cast<std::size_t>(ds) * rows);
        for (int y = 0; y < kH; ++y) std::memcpy(&osrc[1 + y * ss], &src[y * sr], sr);
        ASSERT_EQ(c.call(osrc.data() + 1, ss, odst.data() + 1, ds), qrxStatusOk);
        for (int y = 0; y < rows; ++y) EXPECT_EQ(0, std::memcmp(&odst[1 + y * ds], &want[y * dr], dr)) << "row " << y;
    }
}
