// 16-bit packed BGR (565, 555) -> YCbCr: after widening each field by a left
// shift, every byte equals that of the 8-bit BGR C3 function on the widened
// pixels (which the 4:2:2 / 4:2:0 tests check against the model).
#include <gtest/gtest.h>

#include "qrxcc.h"
#include "support/test_image.h"
#include "ycbcr/chroma_model.h"

using namespace chroma_model;
using qrxtest::GuardedImage;

namespace {

using u16 = std::uint16_t;
using PackedFn16 = QrxStatus (*)(const Qrx16u*, int, Qrx8u*, int, QrxSize);
using PlanarFn16 = QrxStatus (*)(const Qrx16u*, int, Qrx8u* const[3], const int[3], QrxSize);
using PlanarFn8 = QrxStatus (*)(const Qrx8u*, int, Qrx8u* const[3], const int[3], QrxSize);

// Random 16-bit pixels and their widening, written out here: B = bits 4..0 << 3;
// G = bits 10..5 << 2 (565) or 9..5 << 3 (555); R = bits 15..11 << 3 (565) or 14..10 << 3 (555).
// The row padding is odd: every other row starts at an odd address (rows are addressed in bytes).
struct Src16 {
    GuardedImage img, wide;
    Src16(int w, int h, bool is565, unsigned seed) : img(2 * w, h, 7), wide(3 * w, h) {
        img.fill_random(seed);
        for (int r = 0; r < h; ++r)
            for (int i = 0; i < w; ++i) {
                const unsigned v = img.row(r)[2 * i] | img.row(r)[2 * i + 1] << 8;
                u8* bgr = wide.row(r) + 3 * i;
                bgr[0] = static_cast<u8>((v & 31) * 8);
                bgr[1] = static_cast<u8>(is565 ? ((v >> 5) & 63) * 4 : ((v >> 5) & 31) * 8);
                bgr[2] = static_cast<u8>(is565 ? (v >> 11) * 8 : ((v >> 10) & 31) * 8);
            }
    }
    const u16* data() { return img.as<u16>(); }
};

std::vector<int> widths() {
    std::vector<int> w;
    for (int i = 1; i <= 70; ++i) w.push_back(i);
    for (int i : {255, 256, 257, 287, 288, 545, 600}) w.push_back(i);  // across the body's chunks
    return w;
}

void check_packed(PackedFn16 fn, bool is565) {
    for (int w : widths())
        for (int h : {1, 2, 3}) {
            Src16 src(w, h, is565, w * 3 + h);
            GuardedImage expect(2 * w, h);
            const QrxStatus st = qrxiBGRToYCbCr422_8u_C3C2R(src.wide.data(), src.wide.step(), expect.data(), expect.step(), {w, h});
            expect_images({&expect}, [&](Qrx8u* const* d, const int* ds) { return fn(src.data(), src.img.step(), d[0], ds[0], {w, h}); },
                          dims(w, h), st);
        }
}

void check_planar(PlanarFn16 fn, PlanarFn8 ref, bool is565, int cdiv, int crow_div) {
    for (int w : widths())
        for (int h : {1, 2, 3, 5}) {
            Src16 src(w, h, is565, w * 5 + h);
            const int cw = w / cdiv, ch = h / crow_div;
            GuardedImage ey(w, h), ecb(cw, ch, 3), ecr(cw, ch, 5);
            Qrx8u* e[3] = {ey.data(), ecb.data(), ecr.data()};
            const int es[3] = {ey.step(), ecb.step(), ecr.step()};
            const QrxStatus st = ref(src.wide.data(), src.wide.step(), e, es, {w, h});
            expect_images({&ey, &ecb, &ecr},
                          [&](Qrx8u* const* d, const int* ds) { return fn(src.data(), src.img.step(), d, ds, {w, h}); }, dims(w, h), st);
        }
}

}  // namespace

TEST(Bgr16ToYCbCr, WorkedValues) {
    // 0xFFFF in 565 converts like (248, 252, 248): Y by F16 is 231.
    const u16 white[2] = {0xFFFF, 0xFFFF};
    u8 d[4];
    ASSERT_EQ(qrxiBGR565ToYCbCr422_16u8u_C3C2R(white, 4, d, 4, {2, 1}), qrxStatusOk);
    EXPECT_EQ(d[0], 231);
    EXPECT_EQ(d[2], 231);
    // 0x8000 in 555 is black: Y 16, Cb = Cr = 128.
    const u16 black[2] = {0x8000, 0x8000};
    ASSERT_EQ(qrxiBGR555ToYCbCr422_16u8u_C3C2R(black, 4, d, 4, {2, 1}), qrxStatusOk);
    EXPECT_EQ(std::vector<u8>(d, d + 4), (std::vector<u8>{16, 128, 16, 128}));
}

TEST(Bgr16ToYCbCr, PackedMatches8BitOnWidenedPixels) {
    check_packed(qrxiBGR565ToYCbCr422_16u8u_C3C2R, true);
    check_packed(qrxiBGR555ToYCbCr422_16u8u_C3C2R, false);
}

TEST(Bgr16ToYCbCr, PlanarMatches8BitOnWidenedPixels) {
    check_planar(qrxiBGR565ToYCbCr422_16u8u_C3P3R, qrxiBGRToYCbCr422_8u_C3P3R, true, 2, 1);
    check_planar(qrxiBGR555ToYCbCr422_16u8u_C3P3R, qrxiBGRToYCbCr422_8u_C3P3R, false, 2, 1);
    check_planar(qrxiBGR565ToYCbCr420_16u8u_C3P3R, qrxiBGRToYCbCr420_8u_C3P3R, true, 2, 2);
    check_planar(qrxiBGR555ToYCbCr420_16u8u_C3P3R, qrxiBGRToYCbCr420_8u_C3P3R, false, 2, 2);
    check_planar(qrxiBGR565ToYCrCb420_16u8u_C3P3R, qrxiBGRToYCrCb420_8u_C3P3R, true, 2, 2);
    check_planar(qrxiBGR555ToYCrCb420_16u8u_C3P3R, qrxiBGRToYCrCb420_8u_C3P3R, false, 2, 2);
    check_planar(qrxiBGR565ToYCbCr411_16u8u_C3P3R, qrxiBGRToYCbCr411_8u_C3P3R, true, 4, 1);
    check_planar(qrxiBGR555ToYCbCr411_16u8u_C3P3R, qrxiBGRToYCbCr411_8u_C3P3R, false, 4, 1);
}

TEST(Bgr16ToYCbCr, ChecksInOrder) {
    u16 src[16] = {};
    u8 buf[64];
    Qrx8u* np[3] = {buf, nullptr, buf};
    Qrx8u* p[3] = {buf, buf, buf};
    const int s[3] = {8, 8, 8};
    EXPECT_EQ(qrxiBGR565ToYCbCr422_16u8u_C3C2R(nullptr, 8, buf, 8, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGR555ToYCbCr422_16u8u_C3C2R(src, 8, buf, 8, {1, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiBGR565ToYCbCr422_16u8u_C3P3R(src, 8, np, s, {0, 0}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGR565ToYCbCr420_16u8u_C3P3R(src, 8, p, s, {1, 2}), qrxStatusSizeError);
    EXPECT_EQ(qrxiBGR565ToYCbCr420_16u8u_C3P3R(src, 8, p, s, {2, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiBGR555ToYCrCb420_16u8u_C3P3R(src, 8, np, s, {2, 2}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiBGR555ToYCbCr411_16u8u_C3P3R(src, 8, p, s, {3, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiBGR565ToYCbCr411_16u8u_C3P3R(src, 8, nullptr, s, {4, 1}), qrxStatusNullPointer);
}
