// Colour to gray: worked values, the 8u body/tail split, 16s saturation and
// wrap, caller weights, checks, untouched bytes and every dispatch level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"

namespace {

using qrxtest::GuardedImage;

struct W8 {
    unsigned w[3];
};
const W8 kFixed8 = {{1225, 2404, 467}};
const float kFixedF[3] = {0.299f, 0.587f, 0.114f};

W8 to_fixed(const float* w) {
    W8 r{};
    for (int k = 0; k < 3; ++k) {
        const double v = std::trunc(static_cast<double>(w[k]) * 4096.0 + 0.5);
        const long long i = (v >= -2147483648.0 && v <= 2147483647.0) ? static_cast<long long>(v) : INT32_MIN;
        r.w[k] = static_cast<unsigned>(i) & 0xFFFFu;
    }
    return r;
}

std::uint8_t model_body(const std::uint8_t* p, const W8& w) {
    unsigned s = 0;
    for (int k = 0; k < 3; ++k) {
        const unsigned prod = static_cast<unsigned>(p[k]) * 256u * w.w[k];  // < 2^32
        s = std::min(65535u, s + (prod >> 16));
    }
    if (s & 0x8000u) return 0;
    return static_cast<std::uint8_t>(std::min(255u, s >> 4));
}

std::uint8_t model_tail(const std::uint8_t* p, const W8& w) {
    const long long s = static_cast<long long>(p[0]) * w.w[0] + static_cast<long long>(p[1]) * w.w[1] +
                        static_cast<long long>(p[2]) * w.w[2];
    return static_cast<std::uint8_t>((s >> 12) & 0xFF);
}

float model_sum(float a, float b, float c, const float* w) {
    const float p0 = w[0] * a;
    const float p1 = w[1] * b;
    const float s01 = p0 + p1;
    const float p2 = w[2] * c;
    return s01 + p2;
}

long long trunc_or_min(float f) {
    if (!(f >= -2147483648.0f && f < 2147483648.0f)) return INT32_MIN;
    return static_cast<long long>(std::trunc(f));
}

std::uint16_t model_16u(const std::uint16_t* p, const float* w) {
    return static_cast<std::uint16_t>(trunc_or_min(model_sum(p[0], p[1], p[2], w)) & 0xFFFF);
}

std::int16_t model_16s(const std::int16_t* p, const float* w, bool body) {
    const long long t = trunc_or_min(model_sum(p[0] + 32768.0f, p[1] + 32768.0f, p[2] + 32768.0f, w));
    const std::int32_t y = static_cast<std::int32_t>(static_cast<std::uint32_t>(t) - 32768u);
    if (body) return static_cast<std::int16_t>(std::max(-32768, std::min(32767, y)));
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(y & 0xFFFF));
}

template <class T>
struct GrayCase {
    int ch;
    int width, height;
    GuardedImage src, dst;
    // pad < 0: no gaps between rows in either image
    GrayCase(int c, int w, int h, std::uint32_t seed, int pad = 4)
        : ch(c), width(w), height(h), src(w * c * int(sizeof(T)), h, pad < 0 ? 0 : pad),
          dst(w * int(sizeof(T)), h, pad < 0 ? 0 : pad + 4) {
        src.fill_random(seed);
    }
    const T* s() { return src.as<T>(); }
    T* d() { return dst.as<T>(); }
    const T* srow(int y) { return reinterpret_cast<const T*>(src.row(y)); }
    const T* drow(int y) { return reinterpret_cast<const T*>(dst.row(y)); }
};

using Fn8 = QrxStatus (*)(const Qrx8u*, int, Qrx8u*, int, QrxSize);
using Fn8W = QrxStatus (*)(const Qrx8u*, int, Qrx8u*, int, QrxSize, const Qrx32f*);

void expect_8u_model(int ch, int width, int height, const W8& w, const std::function<QrxStatus(GrayCase<Qrx8u>&)>& call,
                     std::uint32_t seed) {
    // half the widths without gaps between rows (whole blocks run as one long row)
    GrayCase<Qrx8u> c(ch, width, height, seed, width % 16 < 8 ? -1 : 4);
    ASSERT_EQ(call(c), qrxStatusOk);
    const int body = width - width % (ch == 3 ? 4 : 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = c.srow(y) + ch * x;
            const std::uint8_t want = x < body ? model_body(p, w) : model_tail(p, w);
            ASSERT_EQ(c.drow(y)[x], want) << "ch " << ch << " w " << width << " x " << x << " y " << y;
        }
    EXPECT_TRUE(c.dst.guards_intact());
}

}  // namespace

TEST(GtgGray8u, WorkedValuesShowTheBodyTailSplit) {
    // (pixel, body, tail) from the definition of the two recipes
    const struct {
        std::uint8_t p[3];
        std::uint8_t body, tail;
    } cases[] = {{{255, 255, 255}, 254, 255}, {{128, 128, 128}, 127, 128}, {{1, 1, 1}, 0, 1}, {{100, 150, 200}, 140, 140}};
    for (const auto& k : cases) {
        for (int ch : {3, 4}) {
            const int block = ch == 3 ? 4 : 8;
            // one row of block + 1 pixels: the first block is body, the last pixel tail
            std::vector<Qrx8u> src(static_cast<std::size_t>(block + 1) * ch, 77), dst(block + 1, 0);
            for (int x = 0; x <= block; ++x) std::memcpy(&src[x * ch], k.p, 3);
            const QrxSize roi{block + 1, 1};
            const int step = (block + 1) * ch;
            ASSERT_EQ((ch == 3 ? qrxiRGBToGray_8u_C3C1R : qrxiRGBToGray_8u_AC4C1R)(src.data(), step, dst.data(), block + 1, roi),
                      qrxStatusOk);
            for (int x = 0; x < block; ++x) EXPECT_EQ(dst[x], k.body) << "ch " << ch << " x " << x;
            EXPECT_EQ(dst[block], k.tail) << "ch " << ch;
        }
    }
}

TEST(GtgGray8u, MatchesModelAtEveryWidthAndLevel) {
    const float odd_weights[3] = {0.5f, 0.7f, 0.3f};      // sum above 1: body clamps, tail wraps
    const float negative[3] = {-0.25f, 0.9f, 0.6f};       // low 16 bits of a negative weight
    const float huge[3] = {9.0f, 1e12f, NAN};             // beyond int32 and NaN give weight 0
    for (auto level : qrxtest::available_levels())
    for (int ch : {3, 4})
        for (int width = 1; width <= 70; ++width) {
            qrxtest::ForcedLevel forced(level);
            const int height = 1 + width % 3;
            const std::uint32_t seed = static_cast<std::uint32_t>(width * 7 + ch);
            expect_8u_model(ch, width, height, kFixed8, [&](GrayCase<Qrx8u>& c) {
                return (ch == 3 ? qrxiRGBToGray_8u_C3C1R : qrxiRGBToGray_8u_AC4C1R)(c.s(), c.src.step(), c.d(),
                                                                                c.dst.step(), {c.width, c.height});
            }, seed);
            for (const float* w : {odd_weights, negative, huge}) {
                expect_8u_model(ch, width, height, to_fixed(w), [&](GrayCase<Qrx8u>& c) {
                    return (ch == 3 ? qrxiColorToGray_8u_C3C1R : qrxiColorToGray_8u_AC4C1R)(
                        c.s(), c.src.step(), c.d(), c.dst.step(), {c.width, c.height}, w);
                }, seed + 1);
            }
        }
}

TEST(GtgGrayWide, MatchesModelAtEveryWidth) {
    const float big[3] = {0.9f, 0.8f, 0.7f};  // 16u wraps; 16s body saturates, tail wraps
    const float* weight_sets[] = {nullptr, kFixedF, big};
    for (auto level : qrxtest::available_levels())
    for (int ch : {3, 4})
        for (int width = 1; width <= 40; ++width)
            for (const float* w : weight_sets) {
                qrxtest::ForcedLevel forced(level);
                const float* wm = w ? w : kFixedF;
                const int h = 1 + width % 4;
                const QrxSize roi{width, h};
                GrayCase<Qrx16u> u(ch, width, h, width + 11);
                GrayCase<Qrx16s> s(ch, width, h, width + 13);
                GrayCase<Qrx32f> f(ch, width, h, width + 17, 8);
                for (int y = 0; y < h; ++y)  // finite floats in a useful range
                    for (int i = 0; i < width * ch; ++i)
                        reinterpret_cast<float*>(f.src.row(y))[i] = static_cast<float>((y * 131 + i * 37) % 1000) * 0.37f - 50.0f;
                const bool c3 = ch == 3;
                ASSERT_EQ((c3 ? qrxiColorToGray_16u_C3C1R : qrxiColorToGray_16u_AC4C1R)(u.s(), u.src.step(), u.d(), u.dst.step(), roi, w), qrxStatusOk);
                ASSERT_EQ((c3 ? qrxiColorToGray_16s_C3C1R : qrxiColorToGray_16s_AC4C1R)(s.s(), s.src.step(), s.d(), s.dst.step(), roi, w), qrxStatusOk);
                ASSERT_EQ((c3 ? qrxiColorToGray_32f_C3C1R : qrxiColorToGray_32f_AC4C1R)(f.s(), f.src.step(), f.d(), f.dst.step(), roi, w), qrxStatusOk);
                const int body = width - width % 4;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < width; ++x) {
                        ASSERT_EQ(u.drow(y)[x], model_16u(u.srow(y) + ch * x, wm));
                        ASSERT_EQ(s.drow(y)[x], model_16s(s.srow(y) + ch * x, wm, x < body)) << width << " " << x;
                        const float* p = f.srow(y) + ch * x;
                        ASSERT_EQ(f.drow(y)[x], model_sum(p[0], p[1], p[2], wm));
                    }
                EXPECT_TRUE(u.dst.guards_intact());
                EXPECT_TRUE(s.dst.guards_intact());
                EXPECT_TRUE(f.dst.guards_intact());
            }
}

TEST(GtgGray, ChecksInOrderAndNothingWritten) {
    Qrx8u s[64] = {}, d[16];
    std::memset(d, 0xEE, sizeof d);
    EXPECT_EQ(qrxiRGBToGray_8u_C3C1R(nullptr, 3, d, 1, {0, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToGray_8u_C3C1R(s, 3, nullptr, 1, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToGray_8u_C3C1R(s, 3, d, 1, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiRGBToGray_8u_AC4C1R(s, 3, d, 1, {1, -1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiColorToGray_8u_AC4C1R(s, 3, d, 1, {1, 0}, nullptr), qrxStatusSizeError);
    EXPECT_EQ(qrxiColorToGray_16u_C3C1R(nullptr, 3, nullptr, 1, {1, 1}, nullptr), qrxStatusNullPointer);
    EXPECT_EQ(qrxiRGBToGray_16s_AC4C1R(reinterpret_cast<Qrx16s*>(s), 8, reinterpret_cast<Qrx16s*>(d), 2, {-3, 1}),
              qrxStatusSizeError);
    EXPECT_EQ(qrxiColorToGray_32f_C3C1R(reinterpret_cast<Qrx32f*>(s), 12, nullptr, 4, {1, 1}, nullptr),
              qrxStatusNullPointer);
    for (Qrx8u b : d) EXPECT_EQ(b, 0xEE);
}

TEST(GtgGray, ZeroNegativeAndOddSteps) {
    // step 0: every row reads and writes the same row
    std::vector<Qrx8u> src(9 * 3);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<Qrx8u>(i * 29);
    std::vector<Qrx8u> one(9), zero(9);
    qrxiRGBToGray_8u_C3C1R(src.data(), 27, one.data(), 9, {9, 1});
    qrxiRGBToGray_8u_C3C1R(src.data(), 0, zero.data(), 0, {9, 5});
    EXPECT_EQ(one, zero);
    // negative steps: rows run upwards
    GrayCase<Qrx8u> c(3, 13, 4, 21);
    std::vector<Qrx8u> up(13 * 4);
    qrxiRGBToGray_8u_C3C1R(c.srow(3), -c.src.step(), up.data() + 13 * 3, -13, {13, 4});
    qrxiRGBToGray_8u_C3C1R(c.s(), c.src.step(), c.d(), c.dst.step(), {13, 4});
    for (int y = 0; y < 4; ++y) EXPECT_EQ(0, std::memcmp(up.data() + 13 * y, c.drow(y), 13));
    // 16-bit: an odd byte step acts as the next lower even step
    std::vector<Qrx16u> s16(2 * 5 * 3 + 8, 0), d16a(40, 0), d16b(40, 0);
    for (std::size_t i = 0; i < s16.size(); ++i) s16[i] = static_cast<Qrx16u>(i * 997);
    qrxiRGBToGray_16u_C3C1R(s16.data(), 31, d16a.data(), 21, {5, 2});
    qrxiRGBToGray_16u_C3C1R(s16.data(), 30, d16b.data(), 20, {5, 2});
    EXPECT_EQ(d16a, d16b);
}

TEST(GtgGray, ReadsNothingPastTheImage) {
    // exact-size heap buffers: a vector path that reads past the last pixel
    // shows up under the address sanitizer
    for (int width : {8, 16, 32, 64, 96, 128, 130}) {
        for (auto level : qrxtest::available_levels()) {
            qrxtest::ForcedLevel f(level);
            std::vector<Qrx8u> c3(static_cast<std::size_t>(width) * 3, 200), ac4(static_cast<std::size_t>(width) * 4, 100);
            std::vector<Qrx8u> out(width), out2(width);
            ASSERT_EQ(qrxiRGBToGray_8u_C3C1R(c3.data(), width * 3, out.data(), width, {width, 1}), qrxStatusOk);
            ASSERT_EQ(qrxiRGBToGray_8u_AC4C1R(ac4.data(), width * 4, out2.data(), width, {width, 1}), qrxStatusOk);
            EXPECT_EQ(out[0], model_body(c3.data(), kFixed8));
            EXPECT_EQ(out2[0], model_body(ac4.data(), kFixed8));
        }
    }
}
