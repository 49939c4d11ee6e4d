// BT.709 gamma: 8u tables, 16u direct and table evaluation, 32f range
// evaluation, check order, allocation failure, alpha, in place, all levels.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "core/allocator.h"
#include "gray_twist_gamma/gamma_kernels.h"
#include "gray_twist_gamma/gamma_tables.h"
#include "qrxcc.h"
#include "support/test_image.h"

namespace {

using qrxtest::GuardedImage;

double from_bits(std::uint64_t b) {
    double d;
    std::memcpy(&d, &b, 8);
    return d;
}

// The stored constants, from their bit patterns (the model runs over every
// 16-bit value and the float ranges, so a changed constant shows there).
const double kThrF = from_bits(0x3F926E978D4FDF3Bull), kExpF = from_bits(0x3FDCCCCCCCCCCCCDull);
const double kA = from_bits(0x3FF195810624DD2Full), kB = from_bits(0x3FB95810624DD2F2ull);
const double kSlope = from_bits(0x4012000000000000ull), kThrI = from_bits(0x3FB4C985F06F6944ull);
const double kInvN = from_bits(0x3EF0001000100010ull), kInvA = from_bits(0x3FED1E0C942633B6ull);
const double kExpI = from_bits(0x4001C71C71C71C72ull), kInvSlope = from_bits(0x3FCC71C71C71C71Cull);
const double kFull = from_bits(0x40EFFFE000000000ull);

std::uint16_t model16(unsigned v, bool fwd) {
    const double x = v * kInvN;
    double y;
    if (fwd)
        y = x >= kThrF ? (std::pow(x, kExpF) * kA - kB) * kFull : v * kSlope;
    else
        y = x >= kThrI ? std::pow((x + kB) * kInvA, kExpI) * kFull : v * kInvSlope;
    const float r = static_cast<float>(y + 0.5);
    long n = static_cast<long>(r);  // r is in range here
    if ((n % 2) != 0 && static_cast<float>(n) == r) --n;
    return static_cast<std::uint16_t>(n);
}

float model32(float s, float vmin, float vmax, bool fwd) {
    const double r = static_cast<double>(vmax - vmin);
    const double q = 1.0 / r;
    const double d = static_cast<double>(s - vmin);
    const double t = d * q;
    double y;
    if (fwd)
        y = t >= kThrF ? (std::pow(t, kExpF) * kA - kB) * r + vmin : d * kSlope + vmin;
    else
        y = t >= kThrI ? std::pow((t + kB) * kInvA, kExpI) * r + vmin : d * kInvSlope + vmin;
    return static_cast<float>(y);
}

bool same_float(float a, float b) { return std::memcmp(&a, &b, 4) == 0; }
float from_bits32(std::uint32_t b) {
    float f;
    std::memcpy(&f, &b, 4);
    return f;
}

// The six members of one direction and sample type (the 32f ones bound to a range).
template <class T>
struct Members {
    std::function<QrxStatus(const T*, int, T*, int, QrxSize)> c3, ac4;
    std::function<QrxStatus(T*, int, QrxSize)> c3i, ac4i;
    std::function<QrxStatus(const T* const*, int, T* const*, int, QrxSize)> p3;
    std::function<QrxStatus(T* const*, int, QrxSize)> ip3;
};
#define GAMMA_MEMBERS(T, NAME, ...)                                                                                \
    Members<T> {                                                                                                   \
        [=](const T* s, int ss, T* d, int ds, QrxSize r) { return NAME##_C3R(s, ss, d, ds, r __VA_ARGS__); },     \
            [=](const T* s, int ss, T* d, int ds, QrxSize r) { return NAME##_AC4R(s, ss, d, ds, r __VA_ARGS__); }, \
            [=](T* p, int st, QrxSize r) { return NAME##_C3IR(p, st, r __VA_ARGS__); },                            \
            [=](T* p, int st, QrxSize r) { return NAME##_AC4IR(p, st, r __VA_ARGS__); },                           \
            [=](const T* const* s, int ss, T* const* d, int ds, QrxSize r) { return NAME##_P3R(s, ss, d, ds, r __VA_ARGS__); }, \
            [=](T* const* p, int st, QrxSize r) { return NAME##_IP3R(p, st, r __VA_ARGS__); }                     \
    }

template <class T>
T at(const std::uint8_t* row, int i) {
    T v;
    std::memcpy(&v, row + static_cast<std::size_t>(i) * sizeof(T), sizeof(T));
    return v;
}
template <class T>
bool same(T a, T b) { return std::memcmp(&a, &b, sizeof(T)) == 0; }

// Every layout of one member set against the per-sample model on a w x h
// image filled by `fill`: C3 and AC4 (the destination's alpha kept), the
// in-place forms (the image's alpha kept) and the planes; nothing outside
// the ROI written.
template <class T>
void check_layouts(const Members<T>& m, const std::function<T(T)>& model, int w, int h,
                   const std::function<void(GuardedImage&, int samples)>& fill) {
    constexpr int S = sizeof(T);
    const QrxSize roi{w, h};
    for (int ch : {3, 4}) {
        GuardedImage src(w * ch * S, h, 4 * S), dst(w * ch * S, h, 2 * S);
        fill(src, w * ch);
        dst.fill_random(static_cast<std::uint32_t>(w * 7 + ch));
        GuardedImage before = dst;
        GuardedImage img = src;
        ASSERT_EQ((ch == 3 ? m.c3 : m.ac4)(src.as<T>(), src.step(), dst.as<T>(), dst.step(), roi), qrxStatusOk);
        ASSERT_EQ((ch == 3 ? m.c3i : m.ac4i)(img.as<T>(), img.step(), roi), qrxStatusOk);
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < w * ch; ++i) {
                const bool alpha = ch == 4 && i % 4 == 3;
                const T s = at<T>(src.row(y), i), d = at<T>(dst.row(y), i);
                ASSERT_TRUE(same(d, alpha ? at<T>(before.row(y), i) : model(s)))
                    << "w " << w << " ch " << ch << " y " << y << " i " << i;
                ASSERT_TRUE(same(at<T>(img.row(y), i), alpha ? s : d)) << "in place, ch " << ch << " i " << i;
            }
        EXPECT_TRUE(dst.guards_intact() && img.guards_intact());
    }
    std::vector<GuardedImage> s(3, GuardedImage(w * S, h, 2 * S)), d(3, GuardedImage(w * S, h, 4 * S));
    for (auto& g : s) fill(g, w);
    const T* sp[3] = {s[0].as<T>(), s[1].as<T>(), s[2].as<T>()};
    T* dp[3] = {d[0].as<T>(), d[1].as<T>(), d[2].as<T>()};
    ASSERT_EQ(m.p3(sp, s[0].step(), dp, d[0].step(), roi), qrxStatusOk);
    for (int p = 0; p < 3; ++p) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_TRUE(same(at<T>(d[p].row(y), x), model(at<T>(s[p].row(y), x)))) << "plane " << p;
        EXPECT_TRUE(d[p].guards_intact());
    }
    T* ip[3] = {s[0].as<T>(), s[1].as<T>(), s[2].as<T>()};
    ASSERT_EQ(m.ip3(ip, s[0].step(), roi), qrxStatusOk);
    for (int p = 0; p < 3; ++p) EXPECT_EQ(s[p].roi_bytes(), d[p].roi_bytes()) << "in place, plane " << p;
}

void fill_bytes(GuardedImage& g, int) { g.fill_random(static_cast<std::uint32_t>(g.row_bytes())); }

}  // namespace

// 8u: table lookups; 16u: direct evaluation (20 x 3) and the table (200 x 120,
// 72000 samples); 32f: four ranges, with NaN and both range ends in the first row.
TEST(GtgGamma, EveryLayoutMatchesTheModelAtEveryLevel) {
    std::mt19937 rng(12);
    std::uniform_real_distribution<float> u(-30.0f, 300.0f);
    const float ranges[][2] = {{0.0f, 1.0f}, {-10.0f, 255.0f}, {16.0f, 235.0f}, {1000.0f, 1000.5f}};
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel forced(level);
        SCOPED_TRACE(qrx::cpu::level_name(level));
        for (bool fwd : {true, false}) {
            const std::uint8_t* t = fwd ? qrx::gamma::kForward8u : qrx::gamma::kInverse8u;
            const auto m8 = fwd ? GAMMA_MEMBERS(Qrx8u, qrxiGammaFwd_8u, ) : GAMMA_MEMBERS(Qrx8u, qrxiGammaInv_8u, );
            for (int width : {1, 2, 5, 8, 15, 16, 17, 31, 63, 64, 65, 100, 300})
                check_layouts<Qrx8u>(m8, [t](Qrx8u v) { return t[v]; }, width, 3, fill_bytes);
            const auto m16 = fwd ? GAMMA_MEMBERS(Qrx16u, qrxiGammaFwd_16u, ) : GAMMA_MEMBERS(Qrx16u, qrxiGammaInv_16u, );
            for (QrxSize roi : {QrxSize{20, 3}, QrxSize{200, 120}})
                check_layouts<Qrx16u>(m16, [fwd](Qrx16u v) { return model16(v, fwd); }, roi.width, roi.height, fill_bytes);
            for (const auto& r : ranges) {
                const float lo = r[0], hi = r[1];
                const auto m32 = fwd ? GAMMA_MEMBERS(float, qrxiGammaFwd_32f, , lo, hi) : GAMMA_MEMBERS(float, qrxiGammaInv_32f, , lo, hi);
                check_layouts<float>(m32, [=](float v) { return model32(v, lo, hi, fwd); }, 23, 3, [&](GuardedImage& g, int n) {
                    for (int y = 0; y < g.rows(); ++y)
                        for (int i = 0; i < n; ++i) reinterpret_cast<float*>(g.row(y))[i] = u(rng);
                    const float first[3] = {NAN, lo, hi};
                    std::memcpy(g.row(0), first, sizeof first);
                });
            }
        }
    }
}

TEST(GtgGamma8u, TablesMatchTheCurve) {
    // Entries 1 and 3 of the forward table are ties (4.5, and 255 * 4.5 * 3 / 255
    // is exactly 13.5 in double precision): round-half-even gives 4 and 14.
    for (int i = 0; i < 256; ++i) {
        const double x = i / 255.0;
        const double fy = x < 0.018 ? 4.5 * x : 1.099 * std::pow(x, 0.45) - 0.099;
        const double gy = x < 0.0812 ? x / 4.5 : std::pow((x + 0.099) / 1.099, 1 / 0.45);
        EXPECT_EQ(qrx::gamma::kForward8u[i], static_cast<int>(std::nearbyint(255.0 * fy))) << i;
        EXPECT_EQ(qrx::gamma::kInverse8u[i], static_cast<int>(std::nearbyint(255.0 * gy))) << i;
    }
}

TEST(GtgGamma16u, WorkedValues) {
    const struct {
        unsigned v, want;
    } fwd[] = {{1, 4}, {2, 9}, {100, 450}, {32768, 46236}, {65534, 65535}, {65535, 65535}},
      inv[] = {{100, 22}, {5321, 1182}, {5322, 1179}, {32768, 17013}, {65535, 65535}};
    for (auto c : fwd) {
        Qrx16u s[3] = {static_cast<Qrx16u>(c.v), 0, 0}, d[3];
        ASSERT_EQ(qrxiGammaFwd_16u_C3R(s, 6, d, 6, {1, 1}), qrxStatusOk);
        EXPECT_EQ(d[0], c.want) << c.v;
        EXPECT_EQ(model16(c.v, true), c.want) << c.v;
    }
    for (auto c : inv) {
        Qrx16u s[3] = {static_cast<Qrx16u>(c.v), 0, 0}, d[3];
        ASSERT_EQ(qrxiGammaInv_16u_C3R(s, 6, d, 6, {1, 1}), qrxStatusOk);
        EXPECT_EQ(d[0], c.want) << c.v;  // 5321 -> 1182 but 5322 -> 1179: the two pieces do not meet
    }
}

TEST(GtgGamma16u, DirectAndTableAgreeWithTheModelForEveryValue) {
    // 128 x 170 C3 = 65280 samples: direct; 256 x 86 C3 = 66048 samples: table (or polynomial form)
    std::vector<Qrx16u> all(66048);
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<Qrx16u>(i * 40503u);  // odd multiplier: a permutation
    for (bool fwd : {true, false}) {
        std::vector<Qrx16u> model(65536);
        for (unsigned v = 0; v < 65536; ++v) model[v] = model16(v, fwd);
        for (auto level : qrxtest::available_levels()) {
            qrxtest::ForcedLevel f(level);
            // where the level has the polynomial form, the table calls take it (not the table)
            if (const auto poly = qrx::gamma::kernels().poly16[fwd ? 0 : 1][0]; poly != nullptr)
                EXPECT_TRUE(qrx::gamma::poly16_exact(fwd, poly)) << qrx::cpu::level_name(level);
            std::vector<Qrx16u> small(128 * 3 * 170), large(all.size());
            auto fn = fwd ? qrxiGammaFwd_16u_C3R : qrxiGammaInv_16u_C3R;
            ASSERT_EQ(fn(all.data(), 128 * 6, small.data(), 128 * 6, {128, 170}), qrxStatusOk);
            const long live = qrx::testing_hooks::live_blocks();
            ASSERT_EQ(fn(all.data(), 256 * 6, large.data(), 256 * 6, {256, 86}), qrxStatusOk);
            EXPECT_EQ(qrx::testing_hooks::live_blocks(), live) << "table released";
            for (std::size_t i = 0; i < small.size(); ++i) ASSERT_EQ(small[i], model[all[i]]) << all[i];
            for (std::size_t i = 0; i < large.size(); ++i) ASSERT_EQ(large[i], model[all[i]]) << all[i];
        }
    }
}

// Allocation failures are walked in reliability/fault_injection_test.cpp.
TEST(GtgGamma16u, ChecksComeBeforeTheTableAllocation) {
    GuardedImage src(200 * 8, 120), dst(200 * 8, 120);
    qrx::testing_hooks::fail_allocation_after(1);
    EXPECT_EQ(qrxiGammaFwd_16u_C3R(src.as<Qrx16u>(), 0, dst.as<Qrx16u>(), dst.step(), {200, 120}), qrxStatusStepError);
    qrx::testing_hooks::fail_allocation_after(0);
}

TEST(GtgGamma32f, RangeCheckComesFirst) {
    float s[3] = {0.5f, 0.5f, 0.5f}, d[3];
    EXPECT_EQ(qrxiGammaFwd_32f_C3R(nullptr, 12, nullptr, 12, {1, 1}, 1.0f, 1.0f), qrxStatusGammaRange);
    EXPECT_EQ(qrxiGammaInv_32f_C3R(s, 12, d, 12, {0, 0}, 2.0f, 1.0f), qrxStatusGammaRange);
    EXPECT_EQ(qrxiGammaFwd_32f_IP3R(nullptr, 0, {1, 1}, 0.0f, NAN), qrxStatusGammaRange);
    EXPECT_EQ(qrxiGammaFwd_32f_AC4IR(s, 16, {1, 1}, 1e30f, 1e30f + 1.0f), qrxStatusGammaRange) << "difference 0 in float";
    EXPECT_EQ(qrxiGammaFwd_32f_C3R(nullptr, 12, d, 12, {1, 1}, 0.0f, 1.0f), qrxStatusNullPointer);
    EXPECT_EQ(qrxiGammaFwd_32f_C3R(s, 12, d, 12, {1, 0}, 0.0f, 1.0f), qrxStatusSizeError);
    EXPECT_EQ(qrxiGammaFwd_32f_C3R(s, 12, d, -12, {1, 1}, 0.0f, 1.0f), qrxStatusStepError);
}

// The curves are evaluated with a fast power function and its rounding check:
// at every level, a sweep over the floats of [0, 1.5] (every 1021st pattern),
// the edges of its range and special values give the model's bits exactly,
// in place too.
TEST(GtgGamma32f, SweepMatchesTheModelAtEveryLevel) {
    std::vector<float> s;
    for (std::uint32_t b = 0; b <= 0x3FC00000u; b += 1021) s.push_back(from_bits32(b));
    for (float v : {INFINITY, -INFINITY, NAN, 1e10f, 1.0001e10f, 3e38f, -5.0f, 1e-45f, 0.018f, 0.0812f}) s.push_back(v);
    // inputs whose value on [0, 1] lies within 2^-46 of halfway between two floats (forward,
    // then inverse; found by a search over every float): the power function's own error rounds
    // some of them to the other float, so they show a missing or too narrow rounding band
    for (std::uint32_t b : {0x3F00AF89u, 0x3D537504u, 0x3F5FE4D9u, 0x3E1C30C5u, 0x3E578DD4u, 0x3F2C19E7u, 0x3D5A6D28u,
                            0x3ECB6FB5u, 0x3E816767u, 0x3D432C47u, 0x3F74909Eu, 0x3DA447D4u, 0x3E2FC6C5u, 0x3D13536Bu,
                            0x3E5D4511u, 0x3E3D19B4u, 0x3DF87535u, 0x3E705D86u, 0x3EA63777u, 0x3F20B308u, 0x3DBE54ECu,
                            0x3F697B7Du, 0x3EDF4B25u, 0x3E4C5A78u})
        s.push_back(from_bits32(b));
    while (s.size() % 3 != 0) s.push_back(0.5f);
    const int w = static_cast<int>(s.size() / 3);
    const float ranges[][2] = {{0.0f, 1.0f}, {-10.0f, 255.0f}};
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel f(level);
        for (const auto& r : ranges)
            for (bool fwd : {true, false}) {
                std::vector<float> d(s.size()), in_place = s;  // in place: the lanes the model redoes read the source
                ASSERT_EQ((fwd ? qrxiGammaFwd_32f_C3R : qrxiGammaInv_32f_C3R)(s.data(), w * 12, d.data(), w * 12, {w, 1}, r[0], r[1]), qrxStatusOk);
                ASSERT_EQ((fwd ? qrxiGammaFwd_32f_C3IR : qrxiGammaInv_32f_C3IR)(in_place.data(), w * 12, {w, 1}, r[0], r[1]), qrxStatusOk);
                for (std::size_t i = 0; i < s.size(); ++i) ASSERT_TRUE(same_float(d[i], model32(s[i], r[0], r[1], fwd))) << s[i];
                ASSERT_EQ(0, std::memcmp(d.data(), in_place.data(), d.size() * sizeof(float)));
            }
    }
}

// The power function's reduction does not lean on the rounding mode: in each
// directed mode the outputs are the model's evaluated in that mode.
TEST(GtgGamma32f, DirectedRoundingGivesTheModelOfThatMode) {
    std::vector<float> s;
    for (std::uint32_t b = 0x3C800000u; b <= 0x3F800000u; b += 4099) s.push_back(from_bits32(b));  // [2^-6, 1]
    while (s.size() % 3 != 0) s.push_back(0.5f);
    const int w = static_cast<int>(s.size() / 3);
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel f(level);
        for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO})
            for (bool fwd : {true, false}) {
                std::vector<float> d(s.size()), want(s.size());
                ASSERT_EQ(std::fesetround(mode), 0);
                const QrxStatus st = (fwd ? qrxiGammaFwd_32f_C3R : qrxiGammaInv_32f_C3R)(s.data(), w * 12, d.data(), w * 12, {w, 1}, 0.0f, 1.0f);
                for (std::size_t i = 0; i < s.size(); ++i) want[i] = model32(s[i], 0.0f, 1.0f, fwd);
                std::fesetround(FE_TONEAREST);
                ASSERT_EQ(st, qrxStatusOk);
                for (std::size_t i = 0; i < s.size(); ++i) ASSERT_TRUE(same_float(d[i], want[i])) << s[i] << " mode " << mode;
            }
    }
}

TEST(GtgGamma, ChecksInOrder) {
    Qrx8u a[16] = {}, b[16] = {}, c[16] = {}, d[16];
    std::memset(d, 0x11, sizeof d);
    const Qrx8u* sp[3] = {a, b, c};
    Qrx8u* dp[3] = {d, nullptr, d + 8};
    EXPECT_EQ(qrxiGammaFwd_8u_P3R(sp, 4, dp, 4, {1, 1}), qrxStatusNullPointer) << "null second destination plane";
    EXPECT_EQ(qrxiGammaFwd_8u_P3R(sp, 4, dp, 4, {0, 0}), qrxStatusNullPointer) << "plane pointers before the size";
    dp[1] = d + 4;
    EXPECT_EQ(qrxiGammaFwd_8u_P3R(sp, 4, nullptr, 4, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiGammaFwd_8u_P3R(sp, 4, dp, 4, {0, 1}), qrxStatusSizeError);
    EXPECT_EQ(qrxiGammaFwd_8u_P3R(sp, 0, dp, 4, {1, 1}), qrxStatusStepError);
    EXPECT_EQ(qrxiGammaInv_8u_C3R(nullptr, 3, d, 3, {0, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiGammaInv_8u_C3R(a, 3, d, 3, {1, -2}), qrxStatusSizeError);
    EXPECT_EQ(qrxiGammaInv_8u_C3R(a, 3, d, 0, {1, 1}), qrxStatusStepError);
    EXPECT_EQ(qrxiGammaInv_8u_C3R(a, 3, d, 0, {1, 0}), qrxStatusSizeError) << "size before steps";
    EXPECT_EQ(qrxiGammaInv_8u_AC4IR(d, -4, {1, 1}), qrxStatusStepError);
    EXPECT_EQ(qrxiGammaFwd_16u_C3IR(nullptr, 6, {1, 1}), qrxStatusNullPointer);
    EXPECT_EQ(qrxiGammaFwd_16u_AC4R(reinterpret_cast<Qrx16u*>(a), 8, reinterpret_cast<Qrx16u*>(d), 8, {0, 1}),
              qrxStatusSizeError);
    Qrx16u* ip[3] = {reinterpret_cast<Qrx16u*>(d), nullptr, reinterpret_cast<Qrx16u*>(d)};
    EXPECT_EQ(qrxiGammaInv_16u_IP3R(ip, 2, {1, 1}), qrxStatusNullPointer);
    for (Qrx8u v : d) EXPECT_EQ(v, 0x11);
}

TEST(GtgGamma, OddByteStepOf16BitImagesActsAsTheLowerEvenStep) {
    // decision: 16-bit and float steps are turned into sample steps by an arithmetic shift
    std::vector<Qrx16u> src(64), a(64, 7), b(64, 7);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<Qrx16u>(i * 1009);
    ASSERT_EQ(qrxiGammaFwd_16u_C3R(src.data(), 21, a.data(), 25, {3, 3}), qrxStatusOk);
    ASSERT_EQ(qrxiGammaFwd_16u_C3R(src.data(), 20, b.data(), 24, {3, 3}), qrxStatusOk);
    EXPECT_EQ(a, b);
    std::vector<float> fs(64), fa(64, 7), fb(64, 7);
    for (std::size_t i = 0; i < fs.size(); ++i) fs[i] = static_cast<float>(i) * 0.01f;
    ASSERT_EQ(qrxiGammaInv_32f_C3R(fs.data(), 38, fa.data(), 39, {3, 3}, 0.0f, 1.0f), qrxStatusOk);
    ASSERT_EQ(qrxiGammaInv_32f_C3R(fs.data(), 36, fb.data(), 36, {3, 3}, 0.0f, 1.0f), qrxStatusOk);
    EXPECT_EQ(fa, fb);
}
