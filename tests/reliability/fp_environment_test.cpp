// Floating-point environment: the float-using families run under a caller's
// directed rounding mode and leave it as they found it.  The integer members
// of the colour twist compute in round-to-nearest whatever the caller set and
// then restore the caller's whole control/status register (so they raise no
// flags either); the 32f twist computes in the caller's mode.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#define QRX_REL_HAVE_MXCSR 1
#endif

#include "qrxcc.h"

namespace {

constexpr int kW = 37, kH = 5;
constexpr QrxSize kRoi{kW, kH};

struct Images {
    std::vector<float> f_src = std::vector<float>(kW * kH * 4);
    std::vector<float> f_dst = std::vector<float>(kW * kH * 4);
    std::vector<std::uint8_t> b_src = std::vector<std::uint8_t>(kW * kH * 8);
    std::vector<std::uint8_t> b_dst = std::vector<std::uint8_t>(kW * kH * 8);
    Images() {
        std::mt19937 rng(5);
        for (auto& v : f_src) v = static_cast<float>(rng() % 10007) / 10007.0f;
        for (auto& v : b_src) v = static_cast<std::uint8_t>(rng());
    }
    const Qrx32f* fs() const { return f_src.data(); }
    Qrx32f* fd() { return f_dst.data(); }
    const Qrx8u* bs() const { return b_src.data(); }
    Qrx8u* bd() { return b_dst.data(); }
    const Qrx16u* ws() const { return reinterpret_cast<const Qrx16u*>(b_src.data()); }
    Qrx16u* wd() { return reinterpret_cast<Qrx16u*>(b_dst.data()); }
    const Qrx16s* ss() const { return reinterpret_cast<const Qrx16s*>(b_src.data()); }
    Qrx16s* sd() { return reinterpret_cast<Qrx16s*>(b_dst.data()); }
    std::vector<std::uint8_t> result() const {
        std::vector<std::uint8_t> out(b_dst);
        const auto* p = reinterpret_cast<const std::uint8_t*>(f_dst.data());
        out.insert(out.end(), p, p + f_dst.size() * 4);
        return out;
    }
};

struct FpCase {
    const char* name;
    std::function<QrxStatus(Images&)> call;
};

const Qrx32f kTwist3[3][4] = {{0.3f, 0.59f, 0.11f, 0.5f}, {-0.17f, -0.33f, 0.5f, 128.3f}, {0.5f, -0.42f, -0.08f, 127.7f}};
const Qrx32f kTwist4[4][4] = {{0.3f, 0.59f, 0.11f, 0.1f}, {-0.17f, -0.33f, 0.5f, 0.2f}, {0.5f, -0.42f, -0.08f, 0.3f}, {0, 0, 0, 1}};

std::vector<FpCase> float_cases() {
    const int f3 = kW * 12, f4 = kW * 16, f1 = kW * 4, b3 = kW * 3, b4 = kW * 4, w3 = kW * 6;
    return {
        // colour models (row-parallel)
        {"RGBToHLS_32f_C3R", [=](Images& m) { return qrxiRGBToHLS_32f_C3R(m.fs(), f3, m.fd(), f3, kRoi); }},
        {"HLSToRGB_32f_AC4R", [=](Images& m) { return qrxiHLSToRGB_32f_AC4R(m.fs(), f4, m.fd(), f4, kRoi); }},
        {"RGBToHSV_16u_C3R", [=](Images& m) { return qrxiRGBToHSV_16u_C3R(m.ws(), w3, m.wd(), w3, kRoi); }},
        {"RGBToXYZ_32f_C3R", [=](Images& m) { return qrxiRGBToXYZ_32f_C3R(m.fs(), f3, m.fd(), f3, kRoi); }},
        {"XYZToRGB_16s_C3R", [=](Images& m) { return qrxiXYZToRGB_16s_C3R(m.ss(), w3, m.sd(), w3, kRoi); }},
        {"RGBToLUV_32f_C3R", [=](Images& m) { return qrxiRGBToLUV_32f_C3R(m.fs(), f3, m.fd(), f3, kRoi); }},
        {"LUVToRGB_8u_C3R", [=](Images& m) { return qrxiLUVToRGB_8u_C3R(m.bs(), b3, m.bd(), b3, kRoi); }},
        {"BGRToLab_8u_C3R", [=](Images& m) { return qrxiBGRToLab_8u_C3R(m.bs(), b3, m.bd(), b3, kRoi); }},
        {"LabToBGR_16u8u_C3R", [=](Images& m) { return qrxiLabToBGR_16u8u_C3R(m.ws(), w3, m.bd(), b3, kRoi); }},
        {"RGBToYCC_32f_C3R", [=](Images& m) { return qrxiRGBToYCC_32f_C3R(m.fs(), f3, m.fd(), f3, kRoi); }},
        {"YCCToRGB_32f_AC4R", [=](Images& m) { return qrxiYCCToRGB_32f_AC4R(m.fs(), f4, m.fd(), f4, kRoi); }},
        // the float twist computes in the caller's mode
        {"ColorTwist_32f_C3R", [=](Images& m) { return qrxiColorTwist_32f_C3R(m.fs(), f3, m.fd(), f3, kRoi, kTwist3); }},
        {"ColorTwist_32f_C4R", [=](Images& m) { return qrxiColorTwist_32f_C4R(m.fs(), f4, m.fd(), f4, kRoi, kTwist4); }},
        // gray
        {"RGBToGray_32f_C3C1R", [=](Images& m) { return qrxiRGBToGray_32f_C3C1R(m.fs(), f3, m.fd(), f1, kRoi); }},
        {"ColorToGray_32f_AC4C1R",
         [=](Images& m) {
             const Qrx32f w[3] = {0.1f, 0.7f, 0.2f};
             return qrxiColorToGray_32f_AC4C1R(m.fs(), f4, m.fd(), f1, kRoi, w);
         }},
        {"ColorToGray_8u_C3C1R",
         [=](Images& m) {
             const Qrx32f w[3] = {0.1f, 0.7f, 0.2f};
             return qrxiColorToGray_8u_C3C1R(m.bs(), b3, m.bd(), kW, kRoi, w);
         }},
        // gamma
        {"GammaFwd_32f_C3R", [=](Images& m) { return qrxiGammaFwd_32f_C3R(m.fs(), f3, m.fd(), f3, kRoi, 0.0f, 1.0f); }},
        {"GammaInv_32f_AC4R", [=](Images& m) { return qrxiGammaInv_32f_AC4R(m.fs(), f4, m.fd(), f4, kRoi, -0.5f, 2.0f); }},
        {"GammaFwd_16u_C3R", [=](Images& m) { return qrxiGammaFwd_16u_C3R(m.ws(), w3, m.wd(), w3, kRoi); }},
        // bit-depth reduction from float (plain, diffusion, ordered, with noise)
        {"ReduceBits_32f8u_C3R plain", [=](Images& m) { return qrxiReduceBits_32f8u_C3R(m.fs(), f3, m.bd(), b3, kRoi, 0, qrxDitherMethodOff, 9); }},
        {"ReduceBits_32f16u_C3R FS", [=](Images& m) { return qrxiReduceBits_32f16u_C3R(m.fs(), f3, m.wd(), w3, kRoi, 10, qrxDitherMethodFloydSteinberg, 99); }},
        {"ReduceBits_32f16s_AC4R Stucki", [=](Images& m) { return qrxiReduceBits_32f16s_AC4R(m.fs(), f4, m.sd(), kW * 8, kRoi, 0, qrxDitherMethodStucki, 99); }},
        {"ReduceBits_32f8u_C4R ordered", [=](Images& m) { return qrxiReduceBits_32f8u_C4R(m.fs(), f4, m.bd(), b4, kRoi, 20, qrxDitherMethodOrdered4x4, 5); }},
        {"ReduceBits_8u_C1R JJN", [=](Images& m) { return qrxiReduceBits_8u_C1R(m.bs(), kW, m.bd(), kW, kRoi, 0, qrxDitherMethodJarvisJudiceNinke, 5); }},
    };
}

std::vector<FpCase> twist_cases() {
    const int b3 = kW * 3, w3 = kW * 6;
    return {
        {"ColorTwist32f_8u_C3R", [=](Images& m) { return qrxiColorTwist32f_8u_C3R(m.bs(), b3, m.bd(), b3, kRoi, kTwist3); }},
        {"ColorTwist32f_16s_C3R", [=](Images& m) { return qrxiColorTwist32f_16s_C3R(m.ss(), w3, m.sd(), w3, kRoi, kTwist3); }},
        {"ColorTwist32f_16u_C3R", [=](Images& m) { return qrxiColorTwist32f_16u_C3R(m.ws(), w3, m.wd(), w3, kRoi, kTwist3); }},
        {"ColorTwist32f_8s_AC4R", [=](Images& m) {
             return qrxiColorTwist32f_8s_AC4R(reinterpret_cast<const Qrx8s*>(m.bs()), kW * 4, reinterpret_cast<Qrx8s*>(m.bd()), kW * 4, kRoi, kTwist3);
         }},
    };
}

// The caller-visible state: the control bits (masks, rounding, flush-to-zero,
// denormals-are-zero) and the raised flags of MXCSR on x86; elsewhere the
// rounding mode and the flags of <cfenv>.
unsigned fp_control() {
#if QRX_REL_HAVE_MXCSR
    return _mm_getcsr() & 0xFFC0u;
#else
    return static_cast<unsigned>(std::fegetround());
#endif
}
unsigned fp_flags() {
#if QRX_REL_HAVE_MXCSR
    return _mm_getcsr() & 0x3Fu;
#else
    return static_cast<unsigned>(std::fetestexcept(FE_ALL_EXCEPT));
#endif
}

const int kModes[] = {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};

class RoundingGuard {
public:
    RoundingGuard() : saved_(std::fegetround()) {}
    ~RoundingGuard() { std::fesetround(saved_); }

private:
    int saved_;
};

}  // namespace

TEST(ReliabilityFpEnv, FloatFamiliesKeepTheCallersRoundingMode) {
    RoundingGuard guard;
    for (const auto& c : float_cases())
        for (int mode : kModes) {
            SCOPED_TRACE(std::string(c.name) + " mode " + std::to_string(mode));
            Images m;
            ASSERT_EQ(std::fesetround(mode), 0);
            std::feclearexcept(FE_ALL_EXCEPT);
            const unsigned control = fp_control();
            const QrxStatus st = c.call(m);
            const int after = std::fegetround();
            const unsigned control_after = fp_control();
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(st, qrxStatusOk);
            EXPECT_EQ(after, mode);
            EXPECT_EQ(control_after, control);
        }
}

TEST(ReliabilityFpEnv, TwistComputesToNearestAndRestoresTheWholeState) {
    RoundingGuard guard;
    for (const auto& c : twist_cases()) {
        Images nearest;
        std::fesetround(FE_TONEAREST);
        ASSERT_EQ(c.call(nearest), qrxStatusOk);
        for (int mode : kModes) {
            SCOPED_TRACE(std::string(c.name) + " mode " + std::to_string(mode));
            Images m;
            ASSERT_EQ(std::fesetround(mode), 0);
            std::feclearexcept(FE_ALL_EXCEPT);
#if QRX_REL_HAVE_MXCSR
            _mm_setcsr(_mm_getcsr() & ~0x3Fu);  // also the denormal flag, which feclearexcept leaves
#endif
            const unsigned before = fp_control();
            const QrxStatus st = c.call(m);
            const int after = std::fegetround();
            const unsigned control_after = fp_control(), flags_after = fp_flags();
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(st, qrxStatusOk);
            EXPECT_EQ(after, mode);
            // the saved state, cleared flags included, is written back
            EXPECT_EQ(control_after, before);
            EXPECT_EQ(flags_after, 0u);
            EXPECT_TRUE(m.result() == nearest.result()) << "results depend on the caller's rounding mode";
        }
    }
}
