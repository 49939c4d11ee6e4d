// RGB <-> YCC against per-pixel models written from the definitions, plus
// the worked values, greys, clamping, checks, steps, levels and threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "qrxcc.h"
#include "support/pixel_fn.h"

using namespace pixfn;
using u8 = std::uint8_t;
using u16 = std::uint16_t;
using s16 = std::int16_t;

namespace {

// floor(a x b / 65536), the high half of a 16 x 16-bit product
int hi(int a, int b) { return static_cast<int>(std::floor(static_cast<double>(a) * b / 65536.0)); }
u8 sat8(int v) { return static_cast<u8>(clampi(v, 0, 255)); }

void fwd8(const u8* in, u8* out, bool grouped) {
    const int R = in[0], G = in[1], B = in[2];
    if (grouped) {
        const int y = hi(R * 256, 4898) + hi(G * 256, 9617) + hi(B * 256, 1867);
        out[0] = sat8(hi(y, 2921) >> 2);
        out[1] = sat8((hi(64 * B - y, 1789) + 624) >> 2);
        out[2] = sat8((hi(64 * R - y, 2178) + 548) >> 2);
    } else {
        const int y = 4898 * R + 9617 * G + 1867 * B;
        out[0] = static_cast<u8>((y >> 10) * 23 * 127 >> 16);
        out[1] = static_cast<u8>((((B * 16384 - y) >> 10) * 1789 >> 16) + 156);
        out[2] = static_cast<u8>((((R * 16384 - y) >> 10) * 2178 >> 16) + 137);
    }
}

void inv8(const u8* in, u8* out, bool grouped) {
    const int Y = in[0], C1 = in[1], C2 = in[2];
    if (grouped) {
        const int y = hi(Y * 256, 5563);
        const int c1 = hi(18168, (C1 - 156) * 128), c2 = hi(14921, (C2 - 137) * 128);
        out[0] = sat8((y + c2) >> 4);
        out[1] = sat8(((y >> 1) + hi(-6357, c1) + hi(-16679, c2)) >> 3);
        out[2] = sat8((y + c1) >> 4);
    } else {
        const int t = 5564 * Y, c2t = 7460 * C2 - 1022020, c1t = 9084 * C1 - 1417104;
        out[0] = sat8((t + c2t) >> 12);
        out[1] = sat8((16 * t - 794 * (c1t >> 8) - 2084 * (c2t >> 8)) >> 16);
        out[2] = sat8((t + c1t) >> 12);
    }
}

int t16(float v) { return clampi(static_cast<int>(v), 0, 65535); }

void fwd16u(const u16* in, u16* out, bool grouped) {
    const float R = in[0], G = in[1], B = in[2];
    if (grouped) {
        const float yl = 0.299f * R + 0.587f * G + 0.114f * B;
        out[0] = static_cast<u16>(t16(yl * 0.7132668f));
        out[1] = static_cast<u16>(t16((B - yl) * 0.43686f + 40092));
        out[2] = static_cast<u16>(t16((R - yl) * 0.53192f + 35209));
    } else {
        out[0] = static_cast<u16>(static_cast<int>(0.213267f * R + 0.418688f * G + 0.0813124f * B + 0.49999f));
        out[1] = static_cast<u16>(static_cast<int>(-0.130621f * R + 40092 - 0.256437f * G + 0.387058f * B + 0.49999f));
        out[2] = static_cast<u16>(static_cast<int>(0.372876f * R + 35209 - 0.312237f * G - 0.0606389f * B + 0.49999f));
    }
}

void inv16u(const u16* in, u16* out, bool grouped) {
    const float L = in[0] * 1.3584f;
    if (grouped) {
        const float c1 = (in[1] - 40092.0f) * 2.2179f, c2 = (in[2] - 35209.0f) * 1.8215f;
        out[0] = static_cast<u16>(t16(L + c2));
        out[1] = static_cast<u16>(t16(L - c1 * 0.194f - c2 * 0.509f));
        out[2] = static_cast<u16>(t16(L + c1));
    } else {
        const float c1 = in[1] - 40092.0f, c2 = in[2] - 35209.0f;
        out[0] = static_cast<u16>(t16(1.8215f * c2 + L + 0.49999f));
        out[1] = static_cast<u16>(t16(L - 0.4302726f * c1 - c2 * 0.92714345f + 0.49999f));
        out[2] = static_cast<u16>(t16(L + c1 * 2.2179f + 0.49999f));
    }
}

void fwd16s(const s16* in, s16* out, bool grouped) {
    const float R = in[0] + 32768.0f, G = in[1] + 32768.0f, B = in[2] + 32768.0f;
    const float yl = 0.299f * R + 0.587f * G + 0.114f * B;
    const float add = grouped ? 0.0f : 0.49999f;
    auto st = [](float v) { return static_cast<s16>(t16(v) - 32768); };
    if (grouped) {
        out[0] = st(yl * 0.7132668f);
        out[1] = st((B - yl) * 0.43686f + 40092);
        out[2] = st((R - yl) * 0.53192f + 35209);
    } else {
        out[0] = st(yl * 0.7132668f + add);
        out[1] = st((B - yl) * 0.43686f + 40092 + add);
        out[2] = st((R - yl) * 0.53192f + 35209 + add);
    }
}

void inv16s(const s16* in, s16* out, bool) {
    const float L = (in[0] + 32768.0f) * 1.3584f, c1 = in[1] - 7324.0f, c2 = in[2] - 2441.0f;
    auto st = [](float v) { return static_cast<s16>(clampi(static_cast<int>(v) - 32768, -32768, 32767)); };
    out[0] = st(L + c2 * 1.8215f);
    out[1] = st(L - c1 * 2.2179f * 0.194f - c2 * 1.8215f * 0.509f);
    out[2] = st(L + c1 * 2.2179f);
}

void fwd32f(const float* in, float* out, bool) {
    const float R = in[0], G = in[1], B = in[2];
    const float yl = 0.299f * R + 0.587f * G + 0.114f * B;
    out[0] = yl * 0.7132668f;
    out[1] = (B - yl) * 0.43686f + 0.6117647f;
    out[2] = (R - yl) * 0.53192f + 0.5372549f;
}

void inv32f(const float* in, float* out, bool) {
    const float L = in[0] * 1.3584f, c1 = (in[1] - 0.6117647f) * 2.2179f, c2 = (in[2] - 0.5372549f) * 1.8215f;
    const float v[3] = {L + c2, L - 0.194f * c1 - c2 * 0.509f, L + c1};
    for (int c = 0; c < 3; ++c) out[c] = v[c] < 0 ? 0.0f : v[c] > 1 ? 1.0f : v[c];
}

std::vector<Case> ycc_cases() {
    return {
        PIXFN_GROUPED_PAIR(RGBToYCC_8u, 8, fwd8),     PIXFN_GROUPED_PAIR(YCCToRGB_8u, 8, inv8),
        PIXFN_GROUPED_PAIR(RGBToYCC_16u, 4, fwd16u),  PIXFN_GROUPED_PAIR(YCCToRGB_16u, 4, inv16u),
        PIXFN_GROUPED_PAIR(RGBToYCC_16s, 4, fwd16s),  PIXFN_GROUPED_PAIR(YCCToRGB_16s, 4, inv16s),
        PIXFN_GROUPED_PAIR(RGBToYCC_32f, 4, fwd32f),  PIXFN_GROUPED_PAIR(YCCToRGB_32f, 4, inv32f),
    };
}

}  // namespace

TEST(YccPixel, MatchesModelAtEveryWidth) { run_all(ycc_cases(), &Case::model); }

TEST(YccPixel, SameBytesAtEveryLevelAndThreadCount) { run_all(ycc_cases(), &Case::levels); }

TEST(YccPixel, ChecksAndSteps) { run_all(ycc_cases(), &Case::checks); }

TEST(YccValues, WorkedValuesBothRecipes) {
    for (int w : {1, 9}) {  // per pixel only; grouped then per pixel
        std::vector<u8> white(3 * w, 255), black(3 * w, 0), out(3 * w), ycc;
        for (int i = 0; i < w; ++i) ycc.insert(ycc.end(), {181, 156, 137});
        ASSERT_EQ(qrxiRGBToYCC_8u_C3R(white.data(), 3 * w, out.data(), 3 * w, {w, 1}), qrxStatusOk);
        for (int x = 0; x < w; ++x) EXPECT_EQ(std::vector<u8>(&out[3 * x], &out[3 * x + 3]), (std::vector<u8>{181, 156, 137}));
        ASSERT_EQ(qrxiRGBToYCC_8u_C3R(black.data(), 3 * w, out.data(), 3 * w, {w, 1}), qrxStatusOk);
        for (int x = 0; x < w; ++x) EXPECT_EQ(std::vector<u8>(&out[3 * x], &out[3 * x + 3]), (std::vector<u8>{0, 156, 137}));
        ASSERT_EQ(qrxiYCCToRGB_8u_C3R(ycc.data(), 3 * w, out.data(), 3 * w, {w, 1}), qrxStatusOk);
        for (int x = 0; x < w; ++x) EXPECT_EQ(std::vector<u8>(&out[3 * x], &out[3 * x + 3]), (std::vector<u8>{245, 245, 245}));
    }
}
