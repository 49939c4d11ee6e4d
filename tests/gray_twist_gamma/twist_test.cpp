// Colour twist: sum orders, clamp-then-round conversions, the rounding-mode
// rule, in-place and planar members, merged rows and the aligned C4 path.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <type_traits>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"

namespace {

using qrxtest::GuardedImage;

float order_a(const float* t, float x0, float x1, float x2) {
    const float a = t[0] * x0;
    const float left = t[3] + a;
    const float c = t[2] * x2;
    const float b = t[1] * x1;
    const float right = c + b;
    return left + right;
}
float order_b(const float* t, float x0, float x1, float x2) {
    float s = t[0] * x0;
    s = s + t[1] * x1;
    s = s + t[2] * x2;
    return s + t[3];
}
float order_c(const float* t, const float* x) {
    float s = t[0] * x[0];
    s = s + t[1] * x[1];
    s = s + t[2] * x[2];
    return s + t[3] * x[3];
}

template <class T>
T convert(float r) {
    if constexpr (std::is_same_v<T, float>) {
        return r;
    } else if constexpr (std::is_same_v<T, Qrx8s>) {
        if (std::isnan(r) || r > 127.0f) r = 127.0f;
        const float n = std::nearbyint(r);
        if (n < -128.0f) return -128;
        return static_cast<T>(n);
    } else {
        const float hi = static_cast<float>(std::numeric_limits<T>::max());
        const float lo = static_cast<float>(std::numeric_limits<T>::min());
        if (std::isnan(r) || r > hi) r = hi;
        if (r < lo) r = lo;
        return static_cast<T>(std::nearbyint(r));
    }
}

template <class T>
T model(const float (*t)[4], int i, float x0, float x1, float x2) {
    return convert<T>(std::is_same_v<T, Qrx8s> ? order_b(t[i], x0, x1, x2) : order_a(t[i], x0, x1, x2));
}

template <class T>
struct Members;
#define QRX_MEMBERS(T, NAME)                                                         \
    template <>                                                                      \
    struct Members<T> {                                                              \
        static constexpr auto c3 = NAME##_C3R;                                       \
        static constexpr auto c3i = NAME##_C3IR;                                     \
        static constexpr auto ac4 = NAME##_AC4R;                                     \
        static constexpr auto ac4i = NAME##_AC4IR;                                   \
        static constexpr auto p3 = NAME##_P3R;                                       \
        static constexpr auto p3i = NAME##_IP3R;                                     \
    };
QRX_MEMBERS(Qrx8u, qrxiColorTwist32f_8u)
QRX_MEMBERS(Qrx8s, qrxiColorTwist32f_8s)
QRX_MEMBERS(Qrx16u, qrxiColorTwist32f_16u)
QRX_MEMBERS(Qrx16s, qrxiColorTwist32f_16s)
QRX_MEMBERS(Qrx32f, qrxiColorTwist_32f)
#undef QRX_MEMBERS

// One pixel through the C3 member.
template <class T>
std::array<T, 3> twist1(const float (*t)[4], std::array<T, 3> s = {1, 2, 3}) {
    std::array<T, 3> d{};
    EXPECT_EQ(Members<T>::c3(s.data(), 3 * sizeof(T), d.data(), 3 * sizeof(T), {1, 1}, t), qrxStatusOk);
    return d;
}

template <class T>
void fill_samples(GuardedImage& img, int samples_per_row, std::uint32_t seed) {
    std::mt19937 rng(seed);
    for (int y = 0; y < img.rows(); ++y) {
        T* p = reinterpret_cast<T*>(img.row(y));
        for (int i = 0; i < samples_per_row; ++i) {
            if constexpr (std::is_same_v<T, float>)
                p[i] = static_cast<float>(static_cast<int>(rng() % 20000) - 5000) * 0.0371f;
            else
                p[i] = static_cast<T>(rng());
        }
    }
}

template <class T>
void random_matrix(float (*t)[4], std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> coef(-1.5f, 1.5f);
    const float range = std::is_same_v<T, float> ? 100.0f : static_cast<float>(std::numeric_limits<T>::max());
    std::uniform_real_distribution<float> off(-0.3f * range, 0.6f * range);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) t[i][j] = coef(rng);
        t[i][3] = off(rng);
    }
}

template <class T>
const T* srow(GuardedImage& g, int y) {
    return reinterpret_cast<const T*>(g.row(y));
}

// Pixel-order members at width w: model, guards, alpha, in place = not in place.
template <class T>
void check_pixel_members(int width, int height, std::uint32_t seed) {
    constexpr int S = sizeof(T);
    float t[3][4];
    random_matrix<T>(t, seed);
    for (int ch : {3, 4}) {
        GuardedImage src(width * ch * S, height, 4 * S), dst(width * ch * S, height, 8);
        fill_samples<T>(src, width * ch, seed + 1);
        dst.fill_random(seed + 2);
        const std::vector<std::uint8_t> dst_before = dst.roi_bytes();
        const QrxSize roi{width, height};
        auto fn = ch == 3 ? Members<T>::c3 : Members<T>::ac4;
        ASSERT_EQ(fn(src.as<T>(), src.step(), dst.as<T>(), dst.step(), roi, t), qrxStatusOk);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const T* p = srow<T>(src, y) + ch * x;
                const T* q = srow<T>(dst, y) + ch * x;
                for (int i = 0; i < 3; ++i) {
                    const T want = model<T>(t, i, p[0], p[1], p[2]);
                    ASSERT_EQ(std::memcmp(&q[i], &want, S), 0) << "ch " << ch << " w " << width << " x " << x << " i " << i;
                }
                if (ch == 4)
                    ASSERT_EQ(std::memcmp(&q[3], dst_before.data() + (static_cast<std::size_t>(y) * width * 4 + x * 4 + 3) * S, S), 0)
                        << "alpha";
            }
        EXPECT_TRUE(dst.guards_intact());
        // in place: the same bytes, alpha of the image kept
        GuardedImage img(width * ch * S, height, 4 * S);
        fill_samples<T>(img, width * ch, seed + 1);
        auto fi = ch == 3 ? Members<T>::c3i : Members<T>::ac4i;
        if (ch == 4) {
            // give the in-place image the destination's alpha so both must agree
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    std::memcpy(img.row(y) + (4 * x + 3) * S, dst.row(y) + (4 * x + 3) * S, S);
        }
        ASSERT_EQ(fi(img.as<T>(), img.step(), roi, t), qrxStatusOk);
        EXPECT_EQ(img.roi_bytes(), dst.roi_bytes()) << "in place, ch " << ch << " w " << width;
        EXPECT_TRUE(img.guards_intact());
    }
}

template <class T>
void check_planar_members(int width, int height, std::uint32_t seed) {
    constexpr int S = sizeof(T);
    float t[3][4];
    random_matrix<T>(t, seed);
    GuardedImage s0(width * S, height, 4 * S), s1(width * S, height, 4 * S), s2(width * S, height, 4 * S);
    GuardedImage d0(width * S, height, 8), d1(width * S, height, 8), d2(width * S, height, 8);
    // planes of one side share one step: all have the same geometry
    fill_samples<T>(s0, width, seed + 3);
    fill_samples<T>(s1, width, seed + 4);
    fill_samples<T>(s2, width, seed + 5);
    const T* sp[3] = {s0.as<T>(), s1.as<T>(), s2.as<T>()};
    T* dp[3] = {d0.as<T>(), d1.as<T>(), d2.as<T>()};
    const QrxSize roi{width, height};
    ASSERT_EQ(Members<T>::p3(sp, s0.step(), dp, d0.step(), roi, t), qrxStatusOk);
    GuardedImage* dsts[3] = {&d0, &d1, &d2};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float x0 = srow<T>(s0, y)[x], x1 = srow<T>(s1, y)[x], x2 = srow<T>(s2, y)[x];
            for (int i = 0; i < 3; ++i) {
                const T want = model<T>(t, i, x0, x1, x2);
                ASSERT_EQ(std::memcmp(srow<T>(*dsts[i], y) + x, &want, S), 0) << "plane " << i << " x " << x;
            }
        }
    for (auto* d : dsts) EXPECT_TRUE(d->guards_intact());
    // in place over copies of the source planes
    GuardedImage i0 = s0, i1 = s1, i2 = s2;
    T* ip[3] = {i0.as<T>(), i1.as<T>(), i2.as<T>()};
    ASSERT_EQ(Members<T>::p3i(ip, i0.step(), roi, t), qrxStatusOk);
    EXPECT_EQ(i0.roi_bytes(), d0.roi_bytes());
    EXPECT_EQ(i1.roi_bytes(), d1.roi_bytes());
    EXPECT_EQ(i2.roi_bytes(), d2.roi_bytes());
}

// Every width 1..40 at every dispatch level.
template <class T>
void check_all_widths() {
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel forced(level);
        SCOPED_TRACE(qrx::cpu::level_name(level));
        for (int width = 1; width <= 40; ++width) {
            check_pixel_members<T>(width, 1 + width % 3, static_cast<std::uint32_t>(width * 3));
            check_planar_members<T>(width, 1 + width % 2, static_cast<std::uint32_t>(width * 5));
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

}  // namespace

TEST(GtgTwist, ModelAllTypesAllWidths8u) { check_all_widths<Qrx8u>(); }
TEST(GtgTwist, ModelAllTypesAllWidths8s) { check_all_widths<Qrx8s>(); }
TEST(GtgTwist, ModelAllTypesAllWidths16u) { check_all_widths<Qrx16u>(); }
TEST(GtgTwist, ModelAllTypesAllWidths16s) { check_all_widths<Qrx16s>(); }
TEST(GtgTwist, ModelAllTypesAllWidths32f) { check_all_widths<Qrx32f>(); }

TEST(GtgTwist, WorkedValue8u) {
    const float t[3][4] = {{1, 0, 0, 0.5f}, {0, 1, 0, 1.5f}, {0, 0, 1, 2.5f}};
    EXPECT_EQ(twist1<Qrx8u>(t, {10, 20, 30}), (std::array<Qrx8u, 3>{10, 22, 32}));  // 10.5, 21.5, 32.5
}

TEST(GtgTwist, StateWrittenBackOnlyWhenChanged) {
    // 0.1f * 3 is an inexact product (whatever the conversion to integers does):
    // the call raises the inexact flag.  In round-to-nearest nothing is written
    // back, so the flag survives; otherwise the saved state (flag clear) is
    // written back.
    const float t[3][4] = {{0.1f, 0, 0, 0}, {0, 0.1f, 0, 0}, {0, 0, 0.1f, 0}};
    const Qrx8u src[3] = {3, 3, 3};
    Qrx8u dst[3];
    std::feclearexcept(FE_ALL_EXCEPT);
    qrxiColorTwist32f_8u_C3R(src, 3, dst, 3, {1, 1}, t);
    EXPECT_NE(std::fetestexcept(FE_INEXACT), 0);
    std::fesetround(FE_UPWARD);
    std::feclearexcept(FE_ALL_EXCEPT);
    qrxiColorTwist32f_8u_C3R(src, 3, dst, 3, {1, 1}, t);
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    std::fesetround(FE_TONEAREST);
    // the float members leave the control state alone: the mode stays upward and is used
    const float tf[3][4] = {{0.1f, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    volatile float three = 5.0f;  // 0.1f * 5 lies 1/8 ulp above a float
    const float f[3] = {three, 1, 1};
    float fo[3];
    std::fesetround(FE_UPWARD);
    qrxiColorTwist_32f_C3R(f, 12, fo, 12, {1, 1}, tf);
    const float up = 0.1f * three;
    const int mode_after = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const float near = 0.1f * three;
    EXPECT_EQ(mode_after, FE_UPWARD);
    EXPECT_EQ(fo[0], up);
    EXPECT_NE(up, near) << "the example must tell the modes apart";
}

TEST(GtgTwist, ClampEdges) {
    // 8u: 300.7 -> 255, -3.2 -> 0, NaN gives the maximum; 8s: 200 -> 127, -1000 -> -128, -127.5 -> -128
    const float t8u[3][4] = {{0, 0, 0, 300.7f}, {0, 0, 0, -3.2f}, {0, 0, 0, NAN}};
    EXPECT_EQ(twist1<Qrx8u>(t8u), (std::array<Qrx8u, 3>{255, 0, 255}));
    const float t8s[3][4] = {{0, 0, 0, 200.0f}, {0, 0, 0, -1000.0f}, {0, 0, 0, -127.5f}};
    EXPECT_EQ(twist1<Qrx8s>(t8s), (std::array<Qrx8s, 3>{127, -128, -128}));
    const float t8s2[3][4] = {{0, 0, 0, NAN}, {0, 0, 0, -3e9f}, {0, 0, 0, -INFINITY}};
    EXPECT_EQ(twist1<Qrx8s>(t8s2), (std::array<Qrx8s, 3>{127, -128, -128}));
    const float t16[3][4] = {{0, 0, 0, NAN}, {0, 0, 0, 1e9f}, {0, 0, 0, -1e9f}};
    EXPECT_EQ(twist1<Qrx16u>(t16), (std::array<Qrx16u, 3>{65535, 65535, 0}));
    EXPECT_EQ(twist1<Qrx16s>(t16), (std::array<Qrx16s, 3>{32767, 32767, -32768}));
}

// Non-finite and huge entries through the vector bodies of every type and
// layout (53 pixels, 2 rows): the bytes of the scalar level at every level.
template <class T>
std::vector<std::uint8_t> twist_layouts(const float (*t)[4], const std::vector<T>& src, int w, int h) {
    const int n = w * h, s = static_cast<int>(sizeof(T));
    std::vector<T> out(10 * n, T(5));  // C3, AC4 (alpha 5 kept), three planes
    Members<T>::c3(src.data(), 3 * w * s, out.data(), 3 * w * s, {w, h}, t);
    Members<T>::ac4(src.data(), 4 * w * s, out.data() + 3 * n, 4 * w * s, {w, h}, t);
    const T* sp[3] = {src.data(), src.data() + n, src.data() + 2 * n};
    T* dp[3] = {out.data() + 7 * n, out.data() + 8 * n, out.data() + 9 * n};
    Members<T>::p3(sp, w * s, dp, w * s, {w, h}, t);
    const auto* b = reinterpret_cast<const std::uint8_t*>(out.data());
    return std::vector<std::uint8_t>(b, b + out.size() * sizeof(T));
}
template <class T>
void check_non_finite_at_every_level() {
    const float mats[3][3][4] = {{{0, 0, 0, -INFINITY}, {0, 0, 0, NAN}, {1, 0, 0, -3e9f}},
                                 {{1e30f, 0, 0, 0}, {-1e30f, 1, 0, 5}, {INFINITY, 0, 0, 0}},
                                 {{0, NAN, 0, 0}, {0.5f, -2, 1, 3e9f}, {2, 2, 2, -300}}};
    const int w = 53, h = 2;
    std::vector<T> src(4 * w * h);
    std::mt19937 rng(7);
    for (auto& v : src) v = static_cast<T>(rng() % 1000);
    for (const auto& t : mats) qrxtest::expect_same_at_all_levels([&] { return twist_layouts<T>(t, src, w, h); });
}
TEST(GtgTwist, NonFiniteAtEveryLevel) {
    check_non_finite_at_every_level<Qrx8u>();
    check_non_finite_at_every_level<Qrx8s>();
    check_non_finite_at_every_level<Qrx16u>();
    check_non_finite_at_every_level<Qrx16s>();
    check_non_finite_at_every_level<Qrx32f>();
}

TEST(GtgTwist, ChecksInOrder) {
    const float t[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    Qrx8u a[12] = {}, b[12] = {}, c[12] = {};
    Qrx8u d[12];
    std::memset(d, 0x3C, sizeof d);
    const Qrx8u* sp[3] = {a, b, nullptr};
    Qrx8u* dp[3] = {d, d + 4, d + 8};
    EXPECT_EQ(qrxiColorTwist32f_8u_P3R(sp, 4, dp, 4, {0, 0}, t), qrxStatusNullPointer) << "plane pointers before size";
    sp[2] = c;
    EXPECT_EQ(qrxiColorTwist32f_8u_P3R(nullptr, 4, dp, 4, {1, 1}, t), qrxStatusNullPointer);
    EXPECT_EQ(qrxiColorTwist32f_8u_P3R(sp, 4, dp, 4, {1, 1}, nullptr), qrxStatusNullPointer);
    EXPECT_EQ(qrxiColorTwist32f_8u_P3R(sp, 4, dp, 4, {0, 1}, t), qrxStatusSizeError);
    EXPECT_EQ(qrxiColorTwist32f_8u_P3R(sp, 0, dp, 4, {1, 1}, t), qrxStatusStepError);
    EXPECT_EQ(qrxiColorTwist32f_8u_P3R(sp, 0, dp, 4, {1, 0}, t), qrxStatusSizeError) << "size before steps";
    Qrx8u* ip[3] = {d, nullptr, d + 8};
    EXPECT_EQ(qrxiColorTwist32f_8u_IP3R(ip, 4, {0, 1}, t), qrxStatusNullPointer);
    EXPECT_EQ(qrxiColorTwist32f_8u_C3R(a, 3, d, 0, {1, 1}, t), qrxStatusStepError);
    EXPECT_EQ(qrxiColorTwist32f_8u_C3R(a, -3, d, 3, {1, 1}, t), qrxStatusStepError);
    EXPECT_EQ(qrxiColorTwist32f_8u_C3R(a, 3, d, 3, {1, 1}, nullptr), qrxStatusNullPointer);
    EXPECT_EQ(qrxiColorTwist32f_8u_C3IR(nullptr, 3, {1, 1}, t), qrxStatusNullPointer);
    EXPECT_EQ(qrxiColorTwist32f_8s_AC4IR(reinterpret_cast<Qrx8s*>(d), 0, {1, 1}, t), qrxStatusStepError);
    EXPECT_EQ(qrxiColorTwist32f_16s_AC4R(reinterpret_cast<Qrx16s*>(a), 8, reinterpret_cast<Qrx16s*>(d), 8, {1, -1}, t),
              qrxStatusSizeError);
    EXPECT_EQ(qrxiColorTwist_32f_C3R(reinterpret_cast<Qrx32f*>(a), 12, nullptr, 12, {1, 1}, t), qrxStatusNullPointer);
    EXPECT_EQ(qrxiColorTwist_32f_C3R(reinterpret_cast<Qrx32f*>(a), 12, reinterpret_cast<Qrx32f*>(d), 0, {1, 1}, t),
              qrxStatusStepError);
    const float t4[4][4] = {};
    EXPECT_EQ(qrxiColorTwist_32f_C4R(reinterpret_cast<Qrx32f*>(a), 0, reinterpret_cast<Qrx32f*>(d), 16, {0, 1}, t4),
              qrxStatusSizeError);
    EXPECT_EQ(qrxiColorTwist_32f_C4R(reinterpret_cast<Qrx32f*>(a), 0, reinterpret_cast<Qrx32f*>(d), 16, {1, 1}, t4),
              qrxStatusStepError);
    EXPECT_EQ(qrxiColorTwist_32f_C4R(reinterpret_cast<Qrx32f*>(a), 16, reinterpret_cast<Qrx32f*>(d), 16, {1, 1}, nullptr),
              qrxStatusNullPointer);
    for (Qrx8u v : d) EXPECT_EQ(v, 0x3C);
}

// 32f C3 (order A) and C4 (order C) at every level: gap-free images (one
// merged row, the aligned path; 120 x 100 x 3 also crosses the cache-bypassing
// threshold), rows padded by 16 bytes (aligned) and by 4 (unaligned), the
// destination also 4 bytes off; the row padding untouched.
TEST(GtgTwist32f, MergedAlignedAndUnalignedRowsFollowTheSumOrders) {
    float t[4][4];
    std::mt19937 rng(44);
    std::uniform_real_distribution<float> u(-2.0f, 2.0f);
    for (auto& r : t)
        for (auto& v : r) v = u(rng);
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel forced(level);
        for (int ch : {3, 4})
            for (QrxSize roi : {QrxSize{1, 1}, QrxSize{2, 3}, QrxSize{5, 1}, QrxSize{8, 3}, QrxSize{13, 3}, QrxSize{120, 100}})
                for (int pad : {0, 16, 4})
                    for (int shift : {0, 1}) {
                        const int w = roi.width, h = roi.height, step = w * ch * 4 + pad, n = step / 4;
                        std::vector<float> src(static_cast<std::size_t>(n) * h), dst(src.size() + 1, -7.0f);
                        for (auto& v : src) v = u(rng) * 100.0f;
                        float* d = dst.data() + shift;
                        ASSERT_EQ(ch == 3 ? qrxiColorTwist_32f_C3R(src.data(), step, d, step, roi, t)
                                          : qrxiColorTwist_32f_C4R(src.data(), step, d, step, roi, t),
                                  qrxStatusOk);
                        for (int y = 0; y < h; ++y) {
                            for (int x = 0; x < w; ++x) {
                                const float* p = &src[static_cast<std::size_t>(y * n + ch * x)];
                                for (int i = 0; i < ch; ++i)
                                    ASSERT_EQ(d[y * n + ch * x + i], ch == 3 ? order_a(t[i], p[0], p[1], p[2]) : order_c(t[i], p))
                                        << "C" << ch << " " << w << "x" << h << " pad " << pad << " shift " << shift;
                            }
                            for (int k = w * ch; k < n; ++k) EXPECT_EQ(d[y * n + k], -7.0f);
                        }
                    }
    }
    const float id[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    const float px[8] = {1.5f, -2.0f, 3.25f, 0.75f, 9, 8, 7, 6};
    float out[8];
    ASSERT_EQ(qrxiColorTwist_32f_C4R(px, 32, out, 32, {2, 1}, id), qrxStatusOk);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(out[i], px[i]) << "identity copies all four channels";
}

TEST(GtgTwist, OddByteStepOf16BitImagesActsAsTheLowerEvenStep) {
    // decision: 16-bit and float steps are turned into sample steps by an arithmetic shift
    const float t[3][4] = {{0.5f, 0.5f, 0, 3}, {0, 1, 0, 0}, {0.25f, 0.25f, 0.5f, -1}};
    std::vector<Qrx16u> src(64), a(64, 7), b(64, 7);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<Qrx16u>(i * 1009);
    ASSERT_EQ(qrxiColorTwist32f_16u_C3R(src.data(), 21, a.data(), 23, {3, 3}, t), qrxStatusOk);
    ASSERT_EQ(qrxiColorTwist32f_16u_C3R(src.data(), 20, b.data(), 22, {3, 3}, t), qrxStatusOk);
    EXPECT_EQ(a, b);
    std::vector<float> fs(64), fa(64, 7), fb(64, 7);
    for (std::size_t i = 0; i < fs.size(); ++i) fs[i] = static_cast<float>(i) * 0.5f;
    ASSERT_EQ(qrxiColorTwist_32f_C3R(fs.data(), 39, fa.data(), 41, {3, 3}, t), qrxStatusOk);
    ASSERT_EQ(qrxiColorTwist_32f_C3R(fs.data(), 36, fb.data(), 40, {3, 3}, t), qrxStatusOk);
    EXPECT_EQ(fa, fb);
}
