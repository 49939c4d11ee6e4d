// Images whose rows lie more than 2^31 bytes apart: a narrow ROI over a sparse
// mapping of several GiB.  Every row, in particular the last one, must land
// where row x step says, exactly as in a compact copy of the same image.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "qrxcc.h"
#include "reliability/reliability_support.h"

namespace {

using qrxrel::Fill;
using qrxrel::PlaneSpec;
using Bufs = std::vector<std::uint8_t*>;
using Call = std::function<QrxStatus(const Bufs& src, const Bufs& dst, int step)>;

constexpr int kHugeStep = 1'100'000'000;  // 8 rows span 7.7 GB; row 2 is already past 2^31
constexpr int kW = 6;                     // ROI width in pixels
constexpr int kH = 8;                     // ROI height (the filtered 4:2:0 needs 8)
constexpr std::size_t kTail = 16;         // guard bytes checked after every row
constexpr std::uint8_t kUntouched = 0x5A;

template <class T>
std::array<const T*, 3> in3(const Bufs& b) {
    return {reinterpret_cast<const T*>(b[0]), reinterpret_cast<const T*>(b[1]), reinterpret_cast<const T*>(b[2])};
}
template <class T>
std::array<T*, 3> out3(const Bufs& b) {
    return {reinterpret_cast<T*>(b[0]), reinterpret_cast<T*>(b[1]), reinterpret_cast<T*>(b[2])};
}
template <class T>
const T* in(const Bufs& b, int i = 0) {
    return reinterpret_cast<const T*>(b[i]);
}
template <class T>
T* out(const Bufs& b, int i = 0) {
    return reinterpret_cast<T*>(b[i]);
}

// The same step for all three planes.
std::array<int, 3> same3(int step) { return {step, step, step}; }

PlaneSpec bytes(std::size_t row_bytes, int rows = kH) { return {row_bytes, rows, Fill::Bytes}; }
PlaneSpec floats(std::size_t row_bytes, int rows = kH) { return {row_bytes, rows, Fill::Float01}; }
std::vector<PlaneSpec> planes420() { return {bytes(kW), bytes(kW / 2, kH / 2), bytes(kW / 2, kH / 2)}; }

// Runs `call` on a compact image and on the same image spread over sparse
// mappings with kHugeStep between rows; expects the same status and bytes,
// nothing written after any row.  Returns false if the mappings were refused.
bool run_huge(const std::vector<PlaneSpec>& src, const std::vector<PlaneSpec>& dst, const Call& call) {
    std::size_t widest = 0;
    for (const auto& p : src) widest = std::max(widest, p.row_bytes);
    for (const auto& p : dst) widest = std::max(widest, p.row_bytes);
    const int compact_step = static_cast<int>((widest + kTail + 63) / 64 * 64);

    // compact run
    std::vector<std::vector<std::uint8_t>> cs, cd;
    Bufs csp, cdp;
    for (std::size_t i = 0; i < src.size(); ++i) {
        cs.emplace_back(static_cast<std::size_t>(compact_step) * src[i].rows, 0);
        for (int r = 0; r < src[i].rows; ++r)
            qrxrel::fill_row(cs.back().data() + static_cast<std::size_t>(r) * compact_step, src[i], int(i), r);
        csp.push_back(cs.back().data());
    }
    for (const auto& p : dst) {
        cd.emplace_back(static_cast<std::size_t>(compact_step) * p.rows, kUntouched);
        cdp.push_back(cd.back().data());
    }
    const QrxStatus compact_status = call(csp, cdp, compact_step);

    // sparse run
    std::vector<std::unique_ptr<qrxrel::SparseMapping>> maps;
    auto map_plane = [&](const PlaneSpec& p) -> std::uint8_t* {
        const std::size_t bytes = static_cast<std::size_t>(p.rows - 1) * kHugeStep + p.row_bytes + kTail + 4096;
        maps.push_back(std::make_unique<qrxrel::SparseMapping>(bytes));
        return maps.back()->data();
    };
    Bufs hsp, hdp;
    for (std::size_t i = 0; i < src.size(); ++i) {
        std::uint8_t* base = map_plane(src[i]);
        if (base == nullptr) return false;
        for (int r = 0; r < src[i].rows; ++r)
            qrxrel::fill_row(base + static_cast<std::size_t>(r) * kHugeStep, src[i], int(i), r);
        hsp.push_back(base);
    }
    for (const auto& p : dst) {
        std::uint8_t* base = map_plane(p);
        if (base == nullptr) return false;
        for (int r = 0; r < p.rows; ++r)
            std::memset(base + static_cast<std::size_t>(r) * kHugeStep, kUntouched, p.row_bytes + kTail);
        hdp.push_back(base);
    }
    const QrxStatus huge_status = call(hsp, hdp, kHugeStep);
    EXPECT_EQ(huge_status, compact_status);
    EXPECT_GE(compact_status, 0);

    for (std::size_t i = 0; i < dst.size(); ++i) {
        const auto& p = dst[i];
        EXPECT_GT(static_cast<std::size_t>(p.rows - 1) * kHugeStep, std::size_t{1} << 31) << "plane " << i;
        for (int r = 0; r < p.rows; ++r) {
            const std::uint8_t* h = hdp[i] + static_cast<std::size_t>(r) * kHugeStep;
            const std::uint8_t* c = cdp[i] + static_cast<std::size_t>(r) * compact_step;
            EXPECT_EQ(std::memcmp(h, c, p.row_bytes), 0) << "plane " << i << " row " << r;
            const bool tail_intact =
                std::all_of(h + p.row_bytes, h + p.row_bytes + kTail, [](std::uint8_t v) { return v == kUntouched; });
            EXPECT_TRUE(tail_intact) << "plane " << i << " row " << r;
        }
        // the last row was really written
        const std::uint8_t* last = hdp[i] + static_cast<std::size_t>(p.rows - 1) * kHugeStep;
        EXPECT_FALSE(std::all_of(last, last + p.row_bytes, [](std::uint8_t v) { return v == kUntouched; }))
            << "plane " << i;
    }
    return true;
}

struct HugeCase {
    const char* name;
    std::vector<PlaneSpec> src, dst;
    Call call;
};

void run_cases(const std::vector<HugeCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!run_huge(c.src, c.dst, c.call)) GTEST_SKIP() << "sparse mappings of several GiB refused";
    }
}

constexpr QrxSize kRoi{kW, kH};

}  // namespace

TEST(ReliabilityHuge, YCbCrFamilies) {
    run_cases({
        {"RGBToYCbCr_8u_C3R", {bytes(3 * kW)}, {bytes(3 * kW)},
         [](const Bufs& s, const Bufs& d, int st) { return qrxiRGBToYCbCr_8u_C3R(in<Qrx8u>(s), st, out<Qrx8u>(d), st, kRoi); }},
        {"BGRToYCbCr420_8u_C3P3R", {bytes(3 * kW)}, planes420(),
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiBGRToYCbCr420_8u_C3P3R(in<Qrx8u>(s), st, out3<Qrx8u>(d).data(), same3(st).data(), kRoi);
         }},
        {"RGBToYCbCr422_8u_C3C2R", {bytes(3 * kW)}, {bytes(2 * kW)},
         [](const Bufs& s, const Bufs& d, int st) { return qrxiRGBToYCbCr422_8u_C3C2R(in<Qrx8u>(s), st, out<Qrx8u>(d), st, kRoi); }},
    });
}

TEST(ReliabilityHuge, SixteenBitPacked) {
    run_cases({
        {"YCbCr420ToBGR565Dither_8u16u_P3C3R", planes420(), {bytes(2 * kW)},
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiYCbCr420ToBGR565Dither_8u16u_P3C3R(in3<Qrx8u>(s).data(), same3(st).data(), out<Qrx16u>(d), st, kRoi);
         }},
        {"BGR565ToYCbCr420_16u8u_C3P3R", {bytes(2 * kW)}, planes420(),
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiBGR565ToYCbCr420_16u8u_C3P3R(in<Qrx16u>(s), st, out3<Qrx8u>(d).data(), same3(st).data(), kRoi);
         }},
    });
}

TEST(ReliabilityHuge, Resampling) {
    run_cases({
        {"YCbCr422ToYCbCr420_8u_C2P3R", {bytes(2 * kW)}, planes420(),
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiYCbCr422ToYCbCr420_8u_C2P3R(in<Qrx8u>(s), st, out3<Qrx8u>(d).data(), same3(st).data(), kRoi);
         }},
        {"YCbCr420ToYCrCb420_Filter_8u_P2P3R", {bytes(kW), bytes(kW, kH / 2)}, planes420(),
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(in<Qrx8u>(s, 0), st, in<Qrx8u>(s, 1), st,
                                                           out3<Qrx8u>(d).data(), same3(st).data(), kRoi, qrxSliceWhole);
         }},
    });
}

TEST(ReliabilityHuge, YUVAndYCoCg) {
    run_cases({
        {"RGBToYUV_8u_C3R", {bytes(3 * kW)}, {bytes(3 * kW)},
         [](const Bufs& s, const Bufs& d, int st) { return qrxiRGBToYUV_8u_C3R(in<Qrx8u>(s), st, out<Qrx8u>(d), st, kRoi); }},
        {"RGBToYUV420_8u_C3P3R", {bytes(3 * kW)}, planes420(),
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiRGBToYUV420_8u_C3P3R(in<Qrx8u>(s), st, out3<Qrx8u>(d).data(), same3(st).data(), kRoi);
         }},
        {"BGRToYCoCg_8u16s_C3P3R", {bytes(3 * kW)}, {bytes(2 * kW), bytes(2 * kW), bytes(2 * kW)},
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiBGRToYCoCg_8u16s_C3P3R(in<Qrx8u>(s), st, out3<Qrx16s>(d).data(), st, kRoi);
         }},
        {"YCoCgToBGR_Rev_16s8u_P3C4R", {bytes(2 * kW), bytes(2 * kW), bytes(2 * kW)}, {bytes(4 * kW)},
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiYCoCgToBGR_Rev_16s8u_P3C4R(in3<Qrx16s>(s).data(), st, out<Qrx8u>(d), st, kRoi, 7);
         }},
    });
}

TEST(ReliabilityHuge, ColourModels) {
    run_cases({
        {"RGBToHSV_8u_C3R", {bytes(3 * kW)}, {bytes(3 * kW)},
         [](const Bufs& s, const Bufs& d, int st) { return qrxiRGBToHSV_8u_C3R(in<Qrx8u>(s), st, out<Qrx8u>(d), st, kRoi); }},
        {"BGRToHLS_8u_P3R", {bytes(kW), bytes(kW), bytes(kW)}, {bytes(kW), bytes(kW), bytes(kW)},
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiBGRToHLS_8u_P3R(in3<Qrx8u>(s).data(), st, out3<Qrx8u>(d).data(), st, kRoi);
         }},
        {"RGBToXYZ_32f_C3R", {floats(12 * kW)}, {bytes(12 * kW)},
         [](const Bufs& s, const Bufs& d, int st) { return qrxiRGBToXYZ_32f_C3R(in<Qrx32f>(s), st, out<Qrx32f>(d), st, kRoi); }},
        {"BGRToLab_8u16u_C3R", {bytes(3 * kW)}, {bytes(6 * kW)},
         [](const Bufs& s, const Bufs& d, int st) { return qrxiBGRToLab_8u16u_C3R(in<Qrx8u>(s), st, out<Qrx16u>(d), st, kRoi); }},
    });
}

TEST(ReliabilityHuge, GrayTwistGamma) {
    static const Qrx32f twist3[3][4] = {{0.5f, 0.25f, 0.125f, 3.0f}, {-0.5f, 1.0f, 0.25f, 60.0f}, {0.1f, 0.2f, 0.7f, -4.0f}};
    run_cases({
        {"RGBToGray_8u_C3C1R", {bytes(3 * kW)}, {bytes(kW)},
         [](const Bufs& s, const Bufs& d, int st) { return qrxiRGBToGray_8u_C3C1R(in<Qrx8u>(s), st, out<Qrx8u>(d), st, kRoi); }},
        {"ColorTwist32f_8u_C3R", {bytes(3 * kW)}, {bytes(3 * kW)},
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiColorTwist32f_8u_C3R(in<Qrx8u>(s), st, out<Qrx8u>(d), st, kRoi, twist3);
         }},
        {"GammaFwd_16u_C3R", {bytes(6 * kW)}, {bytes(6 * kW)},
         [](const Bufs& s, const Bufs& d, int st) { return qrxiGammaFwd_16u_C3R(in<Qrx16u>(s), st, out<Qrx16u>(d), st, kRoi); }},
        {"GammaInv_32f_P3R", {floats(4 * kW), floats(4 * kW), floats(4 * kW)}, {bytes(4 * kW), bytes(4 * kW), bytes(4 * kW)},
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiGammaInv_32f_P3R(in3<Qrx32f>(s).data(), st, out3<Qrx32f>(d).data(), st, kRoi, 0.0f, 1.0f);
         }},
    });
}

TEST(ReliabilityHuge, ReduceBits) {
    auto rb8 = [](int noise, int method) {
        return [=](const Bufs& s, const Bufs& d, int st) {
            return qrxiReduceBits_8u_C3R(in<Qrx8u>(s), st, out<Qrx8u>(d), st, kRoi, noise, method, 5);
        };
    };
    run_cases({
        {"ReduceBits_8u_C3R Floyd-Steinberg", {bytes(3 * kW)}, {bytes(3 * kW)}, rb8(0, qrxDitherMethodFloydSteinberg)},
        {"ReduceBits_8u_C3R ordered noise", {bytes(3 * kW)}, {bytes(3 * kW)}, rb8(40, qrxDitherMethodOrdered4x4)},
        {"ReduceBits_16u8u_C1R JJN", {bytes(2 * kW)}, {bytes(kW)},
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiReduceBits_16u8u_C1R(in<Qrx16u>(s), st, out<Qrx8u>(d), st, kRoi, 10, qrxDitherMethodJarvisJudiceNinke, 16);
         }},
        {"ReduceBits_32f16u_C4R ordered", {floats(16 * kW)}, {bytes(8 * kW)},
         [](const Bufs& s, const Bufs& d, int st) {
             return qrxiReduceBits_32f16u_C4R(in<Qrx32f>(s), st, out<Qrx16u>(d), st, kRoi, 0, qrxDitherMethodOrdered4x4, 200);
         }},
    });
}
