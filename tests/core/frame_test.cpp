// The library frame: version record, allocator, dispatch levels, exports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/allocator.h"
#include "core/block_copy.h"
#include "core/cpu.h"
#include "qrxcc.h"

TEST(Version, RecordIsStaticWithExactTexts) {
    const QrxLibraryVersion* v = qrxccGetLibVersion();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v, qrxccGetLibVersion());
    EXPECT_EQ(v->major, 5);
    EXPECT_EQ(v->minor, 0);
    EXPECT_EQ(v->buildMajor, 11);
    EXPECT_EQ(v->buildMinor, 10);
    EXPECT_EQ(std::memcmp(v->cpuCode, "e9\0\0", 4), 0);
    EXPECT_STREQ(v->fileName, "qrxcce9.dll");
    EXPECT_STREQ(v->versionText, "v5.0");
    EXPECT_STREQ(v->buildDate, "Sep  7 2005");
}

TEST(Allocator, CountsBelowOneGiveNull) {
    EXPECT_EQ(qrx::allocate16(0), nullptr);
    EXPECT_EQ(qrx::allocate32(-5), nullptr);
    qrx::release(nullptr);  // ignored
}

TEST(Allocator, BlocksAre32ByteAlignedAndWritable) {
    for (int n = 1; n < 300; n += 7) {
        std::int16_t* a = qrx::allocate16(n);
        std::int32_t* b = qrx::allocate32(n);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % 32, 0u);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b) % 32, 0u);
        std::memset(a, 0x5a, static_cast<std::size_t>(n) * 2);  // the sanitizer build checks the bounds
        std::memset(b, 0x5a, static_cast<std::size_t>(n) * 4);
        qrx::release(a);
        qrx::release(b);
    }
    EXPECT_EQ(qrx::testing_hooks::live_blocks(), 0);
}

TEST(Allocator, FaultInjectionFailsTheNthAllocation) {
    qrx::testing_hooks::fail_allocation_after(2);
    std::int32_t* first = qrx::allocate32(4);
    std::int32_t* second = qrx::allocate32(4);
    std::int32_t* third = qrx::allocate32(4);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    qrx::release(first);
    qrx::release(third);
    qrx::testing_hooks::fail_allocation_after(0);
}

TEST(Dispatch, ForcingCapsTheActiveLevel) {
    using qrx::cpu::Level;
    qrx::cpu::force(Level::Scalar);
    EXPECT_EQ(qrx::cpu::active(), Level::Scalar);
    qrx::cpu::force(qrx::cpu::kTopLevel);
    EXPECT_EQ(qrx::cpu::active(), qrx::cpu::detected());
#if !QRX_X86_SIMD
    EXPECT_EQ(qrx::cpu::detected(), Level::Scalar);
#endif
}

TEST(Dispatch, LevelsHaveDistinctNamesAndCapsAreMonotonic) {
    using qrx::cpu::Level;
    std::set<std::string> names;
    for (int l = 0; l < qrx::cpu::kLevelCount; ++l) {
        const Level level = static_cast<Level>(l);
        names.insert(qrx::cpu::level_name(level));
        qrx::cpu::force(level);
        // a cap never raises the level above what the processor has
        EXPECT_LE(static_cast<int>(qrx::cpu::active()), l);
        EXPECT_LE(static_cast<int>(qrx::cpu::active()), static_cast<int>(qrx::cpu::detected()));
    }
    qrx::cpu::force(qrx::cpu::kTopLevel);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(qrx::cpu::kLevelCount));
    EXPECT_EQ(std::string(qrx::cpu::level_name(qrx::cpu::kTopLevel)), "avx512vbmi");
}

// Large blocks take the string move: every byte arrives, and none around the
// block is touched, at sizes and offsets on both sides of the switch.
TEST(BlockCopy, CopiesExactlyTheBlockAtEverySizeAndOffset) {
    const std::size_t big = (std::size_t{1} << 20) + 200;
    std::vector<unsigned char> src(big + 64), dst(big + 64);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<unsigned char>(i * 131 + (i >> 9));
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, (std::size_t{1} << 20) - 1,
                          std::size_t{1} << 20, big}) {
        for (std::size_t off : {std::size_t{0}, std::size_t{3}, std::size_t{33}}) {
            std::fill(dst.begin(), dst.end(), 0xee);
            qrx::copy_bytes(dst.data() + off, src.data() + 7, n);
            EXPECT_EQ(std::memcmp(dst.data() + off, src.data() + 7, n), 0) << n << " at " << off;
            for (std::size_t i = 0; i < off; ++i) ASSERT_EQ(dst[i], 0xee);
            for (std::size_t i = off + n; i < off + n + 16 && i < dst.size(); ++i) ASSERT_EQ(dst[i], 0xee);
        }
    }
}
