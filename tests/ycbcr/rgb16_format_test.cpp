// The six 16-bit pixel formats and the ordered dither, independent of any source.
#include <gtest/gtest.h>

#include "ycbcr/rgb16_format.h"

using qrx::rgb16::Format;
namespace f = qrx::rgb16;

TEST(Rgb16Format, PlainFieldsAndOrders) {
    EXPECT_EQ((f::pack<Format::k565, false>(254, 254, 254)), 0xFFFF);
    EXPECT_EQ((f::pack<Format::k555, false>(254, 254, 254)), 0x7FFF);
    EXPECT_EQ((f::pack<Format::k444, false>(254, 254, 254)), 0x0FFF);
    EXPECT_EQ((f::pack<Format::k565, false>(254, 0, 0)), 0xF800);
    EXPECT_EQ((f::pack<Format::k565, true>(254, 0, 0)), 0x001F);
    EXPECT_EQ((f::pack<Format::k555, false>(0, 255, 0)), 0x03E0);
    EXPECT_EQ((f::pack<Format::k555, true>(0, 0, 255)), 0x7C00);
    EXPECT_EQ((f::pack<Format::k444, false>(0x9F, 0x5F, 0x2F)), 0x0952);
    EXPECT_EQ((f::pack<Format::k444, true>(0x9F, 0x5F, 0x2F)), 0x0259);
    EXPECT_EQ((f::pack<Format::k565, false>(7, 3, 7)), 0x0000);  // below the first step of each field
}

TEST(Rgb16Format, DitherTablesAreTheScaledBayerPattern) {
    const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(f::kD4[y][x], bayer[y][x] * 289);
            EXPECT_NEAR(f::kD5[y][x], bayer[y][x] * 2097.0 / 15.0, 1.0);
        }
}

TEST(Rgb16Format, FlatMidLevelSplitsNineOfSixteen) {
    // 128 with 5 bits: q = 15, r = 32768 - 31575 = 1193 -> 16 where D5 < 1193.
    int high = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int v = f::dither_level<5>(128, f::kD5[y][x]);
            EXPECT_TRUE(v == 15 || v == 16);
            high += v == 16;
        }
    EXPECT_EQ(high, 9);
}

TEST(Rgb16Format, DitheredFieldsStayInRangeAndAreMonotone) {
    for (int t4 = 0; t4 < 16; ++t4) {
        const int y = t4 >> 2, x = t4 & 3;
        int prev5 = 0, prev6 = 0, prev4 = 0;
        for (int v = 0; v < 256; ++v) {
            const int l5 = f::dither_level<5>(v, f::kD5[y][x]);
            const int l6 = f::dither_level<6>(v, f::kD5[y][x] >> 1);
            const int l4 = f::dither_level<4>(v, f::kD4[y][x]);
            EXPECT_LE(l5, 31);
            EXPECT_LE(l6, 63);
            EXPECT_LE(l4, 15);
            EXPECT_GE(l5, prev5);
            EXPECT_GE(l6, prev6);
            EXPECT_GE(l4, prev4);
            prev5 = l5, prev6 = l6, prev4 = l4;
        }
        EXPECT_EQ(f::dither_level<5>(0, f::kD5[y][x]), 0);
        EXPECT_EQ(f::dither_level<5>(255, f::kD5[y][x]), 31);
    }
}

TEST(Rgb16Format, DitheredPackUsesHalvedThresholdForSixBitGreen) {
    // g = 129: q6 = 31, r = 33024 - 32116 = 908.  D5[0][1] = 1118, halved 559 < 908: 32
    // (the full entry would have kept 31).  D5[1][2] = 1957, halved 978 > 908: 31.
    EXPECT_EQ((f::pack_dither<Format::k565, false>(0, 129, 0, 1, 0)) >> 5, 32);
    EXPECT_EQ((f::pack_dither<Format::k565, false>(0, 129, 0, 2, 1)) >> 5, 31);
    EXPECT_EQ((f::pack_dither<Format::k555, false>(0, 129, 0, 1, 0)) >> 5, 16);  // 5-bit green: full entry
    // Position wraps every 4 in both directions.
    EXPECT_EQ((f::pack_dither<Format::k555, true>(200, 100, 50, 5, 6)), (f::pack_dither<Format::k555, true>(200, 100, 50, 1, 2)));
    // Swap puts red low.
    EXPECT_EQ((f::pack_dither<Format::k444, true>(255, 0, 0, 0, 0)), 0x000F);
    EXPECT_EQ((f::pack_dither<Format::k444, false>(255, 0, 0, 0, 0)), 0x0F00);
}
