// RGB <-> HSV and RGB/BGR <-> HLS against per-pixel models written from the
// definitions (grouped pixels and the per-pixel rest separately), plus the
// worked values, greys, edge cases, checks, steps, levels and threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "qrxcc.h"
#include "support/pixel_fn.h"

using namespace pixfn;
using u8 = std::uint8_t;
using u16 = std::uint16_t;
using s16 = std::int16_t;

namespace {

const float kInv60 = static_cast<float>(1.0 / 60.0);

template <class T>
void rgb_to_hsv(const T* in, T* out, bool grouped) {
    constexpr bool w16 = sizeof(T) == 2;
    const float F = w16 ? 65535.0f : 255.0f, K = w16 ? 10922.5f : 42.5f;
    const float R = in[0], G = in[1], B = in[2];
    const float V = std::max({R, G, B}), m = std::min({R, G, B}), d = V - m;
    int H = 0, S = 0;
    if (V != 0 && d != 0) {
        const float rV = w16 ? rcp1(V) : rcp(V), rd = w16 ? rcp1(d) : rcp(d);
        const float Sf = rV * d * F;
        const float a = (V - R) * rd, b = (V - G) * rd, c = (V - B) * rd;
        const float hB = b - a + 4, hG = a - c + 2, hR = c - b;
        float h;
        if (grouped)
            h = (V == R && B != V) ? hR : V == G ? hG : hB;
        else
            h = V == B ? hB : V == G ? hG : hR;
        float Hf = h * K;
        if (Hf < 0) Hf += F;
        const bool trunc = !w16 && grouped;
        H = clampi(trunc ? static_cast<int>(Hf) : rne(Hf), 0, static_cast<int>(F));
        S = clampi(trunc ? static_cast<int>(Sf) : rne(Sf), 0, static_cast<int>(F));
    }
    out[0] = static_cast<T>(H);
    out[1] = static_cast<T>(S);
    out[2] = static_cast<T>(V);
}

template <class T>
void hsv_to_rgb(const T* in, T* out, bool grouped) {
    constexpr bool w16 = sizeof(T) == 2;
    const float F = w16 ? 65535.0f : 255.0f;
    const float kH = static_cast<float>(w16 ? 360.0 / 65535.0 : 360.0 / 255.0);
    const float kS = static_cast<float>(w16 ? 1.0 / 65535.0 : 1.0 / 255.0);
    const int H = in[0], S = in[1], V = in[2];
    if (S == 0) {
        out[0] = out[1] = out[2] = static_cast<T>(V);
        return;
    }
    const float h = (H == F ? 0.0f : static_cast<float>(H) * kInv60) * kH;
    const int i = static_cast<int>(h);
    const float f = h - static_cast<float>(i);
    const float v = static_cast<float>(V), C = v * (static_cast<float>(S) * kS);
    const float p = v - C, q = v - f * C, t = p + f * C;
    const float table[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
    for (int c = 0; c < 3; ++c) {
        const float x = table[i][c];
        out[c] = static_cast<T>(clampi(!w16 && grouped ? static_cast<int>(x) : rne(x), 0, static_cast<int>(F)));
    }
}

// Integer-type RGB -> HLS; 16s works on value + 32768 and stores minus 32768.
template <class T>
void rgb_to_hls(const T* in, T* out, bool grouped) {
    constexpr bool k8 = sizeof(T) == 1, k16s = std::is_signed_v<T>;
    const float F = k8 ? 255.0f : 65535.0f, half = k8 ? 127.5f : 32767.5f;
    const float kH = static_cast<float>(k8 ? 255.0 / 360.0 : 65535.0 / 360.0);
    const float off = k16s ? 32768.0f : 0.0f;
    const float R = in[0] + off, G = in[1] + off, B = in[2] + off;
    const float M = std::max({R, G, B}), m = std::min({R, G, B}), d = M - m, s = M + m;
    const int L = static_cast<int>(s * 0.5f);
    int H = 0, S = 0;
    if (d != 0) {
        auto rr = [&](float x) { return k8 && grouped ? rcp(x) : rcp1(x); };
        const float den = s * 0.5f > half ? 2 * F - s : s;
        S = static_cast<int>(d * rr(den) * F);
        const float r = rr(d);
        float h;
        if (M == R)
            h = (G - B) * 60 * r;
        else if (M == G)
            h = (B - R) * 60 * r + 120;
        else
            h = (R - G) * 60 * r + 240;
        if (h < 0) h += 360;
        H = static_cast<int>(h * kH);
    }
    const int top = static_cast<int>(F), stored = k16s ? 32768 : 0;
    out[0] = static_cast<T>(clampi(H, 0, top) - stored);
    out[1] = static_cast<T>(clampi(L, 0, top) - stored);
    out[2] = static_cast<T>(clampi(S, 0, top) - stored);
}

void rgb_to_hls_32f(const float* in, float* out, bool) {
    const float R = in[0], G = in[1], B = in[2];
    const float M = std::max({R, G, B}), m = std::min({R, G, B}), d = M - m;
    const float L = 0.5f * (m + M);
    float h = 0, S = 0;
    if (d > 1.1920929e-7f) {
        S = L > 0.5f ? d / (2 - (m + M)) : d / (m + M);
        if (M == R)
            h = (G - B) * 60 / d;
        else if (M != G)
            h = (R - G) * 60 / d + 240;
        else
            h = (B - R) * 60 / d + 120;
        if (h < 0) h += 360;
    }
    out[0] = h / 360;
    out[1] = L;
    out[2] = S;
}

float hue_value(float a, float m1, float m2) {
    if (a < 60) return m1 + a * kInv60 * (m2 - m1);
    if (a < 180) return m2;
    if (a < 240) return m1 + (240 - a) * kInv60 * (m2 - m1);
    return m1;
}

template <class T>
void hls_to_rgb(const T* in, T* out, bool grouped) {
    constexpr bool k8 = std::is_same_v<T, u8>, k16u = std::is_same_v<T, u16>, k16s = std::is_same_v<T, s16>,
                   k32f = std::is_same_v<T, float>;
    if ((k16s || k32f) && !grouped) {
        // double precision, each value rounded to single
        float hd, l, s;
        if (k32f) {
            hd = static_cast<float>(static_cast<double>(in[0]) * 360.0);
            l = static_cast<float>(in[1]);
            s = static_cast<float>(in[2]);
        } else {
            hd = static_cast<float>((in[0] + 32768.0) * 360.0 / 65535.0);
            l = static_cast<float>((in[1] + 32768.0) / 65535.0);
            s = static_cast<float>((in[2] + 32768.0) / 65535.0);
        }
        float v[3];
        if (s == 0) {
            v[0] = v[1] = v[2] = l;
        } else {
            const float m2 = l > 0.5f ? static_cast<float>(static_cast<double>(l) + s - static_cast<double>(s) * l)
                                      : static_cast<float>((s + 1.0) * l);
            const float m1 = static_cast<float>(static_cast<double>(l) + l - m2);
            double a[3] = {hd + 120.0, static_cast<double>(hd), hd - 120.0};
            if (a[0] > 360) a[0] -= 360;
            if (a[2] < 0) a[2] += 360;
            for (int c = 0; c < 3; ++c) {
                if (a[c] < 60)
                    v[c] = static_cast<float>(m1 + (static_cast<double>(m2) - m1) * a[c] / 60);
                else if (a[c] < 180)
                    v[c] = m2;
                else if (a[c] < 240)
                    v[c] = static_cast<float>(m1 + (static_cast<double>(m2) - m1) * (240 - a[c]) / 60);
                else
                    v[c] = m1;
            }
        }
        for (int c = 0; c < 3; ++c) {
            if constexpr (k32f) {
                out[c] = v[c];
            } else {
                const double t = std::trunc(v[c] * 65535.0 + static_cast<double>(0.49999f)) - 32768;
                out[c] = static_cast<T>(std::clamp(t, -32768.0, 32767.0));
            }
        }
        return;
    }
    if ((k8 || k16u) && !grouped && in[2] == 0) {
        out[0] = out[1] = out[2] = in[1];
        return;
    }
    const float kH = k8 ? static_cast<float>(360.0 / 255.0) : k32f ? 360.0f : static_cast<float>(360.0 / 65535.0);
    const float kInv = static_cast<float>(k8 ? 1.0 / 255.0 : 1.0 / 65535.0);
    const float off = k16s ? 32768.0f : 0.0f;
    const float hd = (static_cast<float>(in[0]) + off) * kH;
    const float l = k32f ? static_cast<float>(in[1]) : (static_cast<float>(in[1]) + off) * kInv;
    const float s = k32f ? static_cast<float>(in[2]) : (static_cast<float>(in[2]) + off) * kInv;
    float v[3];
    if (s == 0) {
        v[0] = v[1] = v[2] = l;
    } else {
        const float m2 = l > 0.5f ? l + s - l * s : l + l * s;
        const float m1 = 2 * l - m2;
        float aR = hd + 120, aB = hd - 120;
        if (aR > 360) aR -= 360;
        if (aB < 0) aB += 360;
        v[0] = hue_value(aR, m1, m2);
        v[1] = hue_value(hd, m1, m2);
        v[2] = hue_value(aB, m1, m2);
    }
    for (int c = 0; c < 3; ++c) {
        if constexpr (k8) out[c] = static_cast<T>(clampi(static_cast<int>(v[c] * 255), 0, 255));
        if constexpr (k16u) out[c] = static_cast<T>(2 * clampi(static_cast<int>(v[c] * 32767.5f), -32768, 32767) < 0
                                                        ? 0
                                                        : 2 * clampi(static_cast<int>(v[c] * 32767.5f), -32768, 32767));
        if constexpr (k16s) out[c] = static_cast<T>(clampi(static_cast<int>(v[c] * 65535) - 32768, -32768, 32767));
        if constexpr (k32f) out[c] = v[c];
    }
}

// BGR-side models: B, G, R in channels 0, 1, 2.
void bgr_to_hls(const u8* in, u8* out, bool grouped) {
    const u8 rgb[3] = {in[2], in[1], in[0]};
    rgb_to_hls<u8>(rgb, out, grouped);
}
void hls_to_bgr(const u8* in, u8* out, bool grouped) {
    u8 rgb[3];
    hls_to_rgb<u8>(in, rgb, grouped);
    out[0] = rgb[2], out[1] = rgb[1], out[2] = rgb[0];
}

// Every pixel-order function with its model and the width of its C3 groups.
std::vector<Case> pixel_cases() {
    return {
        PIXFN_GROUPED_PAIR(RGBToHSV_8u, 4, rgb_to_hsv<u8>),   PIXFN_GROUPED_PAIR(RGBToHSV_16u, 4, rgb_to_hsv<u16>),
        PIXFN_GROUPED_PAIR(HSVToRGB_8u, 4, hsv_to_rgb<u8>),   PIXFN_GROUPED_PAIR(HSVToRGB_16u, 4, hsv_to_rgb<u16>),
        PIXFN_GROUPED_PAIR(RGBToHLS_8u, 8, rgb_to_hls<u8>),   PIXFN_GROUPED_PAIR(RGBToHLS_16u, 4, rgb_to_hls<u16>),
        PIXFN_GROUPED_PAIR(RGBToHLS_16s, 4, rgb_to_hls<s16>), PIXFN_GROUPED_PAIR(RGBToHLS_32f, 4, rgb_to_hls_32f),
        PIXFN_GROUPED_PAIR(HLSToRGB_8u, 8, hls_to_rgb<u8>),   PIXFN_GROUPED_PAIR(HLSToRGB_16u, 4, hls_to_rgb<u16>),
        PIXFN_GROUPED_PAIR(HLSToRGB_16s, 4, hls_to_rgb<s16>), PIXFN_GROUPED_PAIR(HLSToRGB_32f, 4, hls_to_rgb<float>),
        grouped_case("BGRToHLS_8u_AC4R", qrxiBGRToHLS_8u_AC4R, 4, 4, bgr_to_hls, /*checks_steps=*/true),
    };
}

}  // namespace

TEST(HlsHsvPixel, MatchesModelAtEveryWidth) { run_all(pixel_cases(), &Case::model); }

TEST(HlsHsvPixel, SameBytesAtEveryLevelAndThreadCount) { run_all(pixel_cases(), &Case::levels); }

TEST(HlsHsvPixel, ChecksAndSteps) { run_all(pixel_cases(), &Case::checks); }

// The 8u RGB-to-HLS groups use the bare reciprocal estimate, the pixels
// after them the refined one: an input on which the two differ gives both
// results in one row (8 grouped pixels, then one more).
TEST(HlsHsvValues, Hls8uGroupsAndTailUseTheirOwnReciprocal) {
    std::mt19937 rng(17);
    int found = 0;
    for (int tries = 0; tries < 200000 && found < 5; ++tries) {
        const u8 px[3] = {static_cast<u8>(rng()), static_cast<u8>(rng()), static_cast<u8>(rng())};
        u8 grouped[3], tail[3];
        rgb_to_hls<u8>(px, grouped, true);
        rgb_to_hls<u8>(px, tail, false);
        if (std::memcmp(grouped, tail, 3) == 0) continue;
        ++found;
        std::vector<u8> in, out(27);
        for (int i = 0; i < 9; ++i) in.insert(in.end(), px, px + 3);
        ASSERT_EQ(qrxiRGBToHLS_8u_C3R(in.data(), 27, out.data(), 27, {9, 1}), qrxStatusOk);
        EXPECT_EQ(0, std::memcmp(out.data(), grouped, 3));
        EXPECT_EQ(0, std::memcmp(out.data() + 24, tail, 3));
        ASSERT_EQ(qrxiRGBToHLS_8u_C3R(in.data(), 27, out.data(), 27, {7, 1}), qrxStatusOk);  // no whole group
        EXPECT_EQ(0, std::memcmp(out.data(), tail, 3));
    }
    EXPECT_EQ(found, 5);
}

namespace {

enum class Lay { C3, C4, P3, P4 };
int planes_of(Lay l) { return l == Lay::P3 ? 3 : l == Lay::P4 ? 4 : 0; }
int channels_of(Lay l) { return l == Lay::C3 || l == Lay::P3 ? 3 : 4; }

// One side of a planar test: pixel-order image or planes, each guarded.
struct SideImg {
    SideImg(Lay lay, int w, int h) : lay(lay) {
        for (int p = 0; p < std::max(1, planes_of(lay)); ++p) imgs.emplace_back(planes_of(lay) ? w : w * channels_of(lay), h, 5);
        for (auto& g : imgs) ptrs.push_back(g.data());
    }
    int step() const { return imgs[0].step(); }  // all the same
    u8& at(int x, int y, int c) {
        return planes_of(lay) == 0 ? imgs[0].row(y)[channels_of(lay) * x + c] : imgs[static_cast<std::size_t>(c)].row(y)[x];
    }
    std::vector<u8> bytes() const {
        std::vector<u8> out;
        for (auto& g : imgs) out.insert(out.end(), g.all_bytes().begin(), g.all_bytes().end());
        return out;
    }
    Lay lay;
    std::vector<qrxtest::GuardedImage> imgs;
    std::vector<u8*> ptrs;
};

// The twelve functions behind one argument shape (a plane array on each side).
using PlanarCall = std::function<QrxStatus(const u8* const*, int, u8* const*, int, QrxSize)>;
PlanarCall adapt(QrxStatus (*f)(const Qrx8u*, int, Qrx8u* const*, int, QrxSize)) {
    return [f](const u8* const* s, int ss, u8* const* d, int ds, QrxSize r) { return f(s ? s[0] : nullptr, ss, d, ds, r); };
}
PlanarCall adapt(QrxStatus (*f)(const Qrx8u* const*, int, Qrx8u*, int, QrxSize)) {
    return [f](const u8* const* s, int ss, u8* const* d, int ds, QrxSize r) { return f(s, ss, d ? d[0] : nullptr, ds, r); };
}
PlanarCall adapt(QrxStatus (*f)(const Qrx8u* const*, int, Qrx8u* const*, int, QrxSize)) { return f; }

struct PlanarFn {
    const char* name;
    Lay src, dst;
    bool to_hls;
    PlanarCall call;
};

std::vector<PlanarFn> planar_fns() {
#define HLS_PLANAR(NAME, S, D, FWD) PlanarFn{#NAME, Lay::S, Lay::D, FWD, adapt(&qrxi##NAME)}
    return {HLS_PLANAR(BGRToHLS_8u_C3P3R, C3, P3, true),  HLS_PLANAR(BGRToHLS_8u_P3C3R, P3, C3, true),
            HLS_PLANAR(BGRToHLS_8u_P3R, P3, P3, true),    HLS_PLANAR(BGRToHLS_8u_AP4R, P4, P4, true),
            HLS_PLANAR(BGRToHLS_8u_AP4C4R, P4, C4, true), HLS_PLANAR(BGRToHLS_8u_AC4P4R, C4, P4, true),
            HLS_PLANAR(HLSToBGR_8u_C3P3R, C3, P3, false), HLS_PLANAR(HLSToBGR_8u_P3C3R, P3, C3, false),
            HLS_PLANAR(HLSToBGR_8u_P3R, P3, P3, false),   HLS_PLANAR(HLSToBGR_8u_AP4R, P4, P4, false),
            HLS_PLANAR(HLSToBGR_8u_AP4C4R, P4, C4, false), HLS_PLANAR(HLSToBGR_8u_AC4P4R, C4, P4, false)};
#undef HLS_PLANAR
}

// Converts a random image and compares with the model; the fourth channel,
// where both sides have one, is copied.
void expect_planar_matches(const PlanarFn& f, int w, int h, std::uint32_t seed) {
    std::mt19937 rng(seed);
    SideImg src(f.src, w, h), dst(f.dst, w, h);
    const int sc = channels_of(f.src), dc = channels_of(f.dst);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < sc; ++c) src.at(x, y, c) = sample<u8>(rng);
            for (int c = 0; c < dc; ++c) dst.at(x, y, c) = static_cast<u8>(rng());
        }
    std::vector<u8> expect;
    const int body = w / 4 * 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const u8 in[3] = {src.at(x, y, 0), src.at(x, y, 1), src.at(x, y, 2)};
            u8 out[3];
            (f.to_hls ? bgr_to_hls : hls_to_bgr)(in, out, x < body);
            expect.insert(expect.end(), out, out + 3);
            if (sc == 4 && dc == 4) expect.push_back(src.at(x, y, 3));
            else if (dc == 4) expect.push_back(dst.at(x, y, 3));
        }
    ASSERT_EQ(f.call(src.ptrs.data(), src.step(), dst.ptrs.data(), dst.step(), {w, h}), qrxStatusOk);
    std::vector<u8> got;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < dc; ++c) got.push_back(dst.at(x, y, c));
    EXPECT_EQ(got, expect) << f.name << " width " << w << " height " << h;
    for (auto& g : dst.imgs) EXPECT_TRUE(g.guards_intact());
}

}  // namespace

TEST(HlsPlanar, MatchesModelAtEveryWidthAndLevel) {
    ThreadCount one(1);
    for (auto level : qrxtest::available_levels()) {
        qrxtest::ForcedLevel lv(level);
        std::uint32_t seed = 3;
        for (const PlanarFn& f : planar_fns())
            for (int w = 1; w <= 19; ++w) expect_planar_matches(f, w, 1 + w % 3, seed++);
    }
}

// Arrays or pointers, source planes, destination planes; then steps; then size.
TEST(HlsPlanar, CheckOrder) {
    for (const PlanarFn& f : planar_fns()) {
        SCOPED_TRACE(f.name);
        SideImg src(f.src, 4, 2), dst(f.dst, 4, 2);
        const auto before = dst.bytes();
        const int ss = src.step(), ds = dst.step();
        u8* const* s = src.ptrs.data();
        u8* const* d = dst.ptrs.data();
        EXPECT_EQ(f.call(nullptr, 0, d, 0, {0, 0}), qrxStatusNullPointer);
        EXPECT_EQ(f.call(s, 0, nullptr, 0, {0, 0}), qrxStatusNullPointer);
        for (int p = 0; p < planes_of(f.src) + planes_of(f.dst); ++p) {  // each plane pointer null in turn
            std::vector<u8*> sp = src.ptrs, dp = dst.ptrs;
            const bool in_src = p < planes_of(f.src);
            (in_src ? sp : dp)[static_cast<std::size_t>(in_src ? p : p - planes_of(f.src))] = nullptr;
            EXPECT_EQ(f.call(sp.data(), 0, dp.data(), 0, {0, 0}), qrxStatusNullPointer);
        }
        EXPECT_EQ(f.call(s, 0, d, ds, {0, 0}), qrxStatusStepError);
        EXPECT_EQ(f.call(s, ss, d, -1, {0, 0}), qrxStatusStepError);
        EXPECT_EQ(f.call(s, ss, d, ds, {0, 2}), qrxStatusSizeError);
        EXPECT_EQ(f.call(s, ss, d, ds, {4, 0}), qrxStatusSizeError);
        EXPECT_EQ(dst.bytes(), before);
    }
}

// The platform rule of the reciprocal: grouped 8u pixels take the processor's
// estimate (its values differ between makers), the per-pixel rest the refined
// one.  A grey-free input (V, V - d, V - d) on which the estimate and the true
// division give different saturations shows which one the groups used; the
// first such input on this processor is taken.  Where the estimate is the
// division (no x86), (192, 67, 67) gives 166 both ways.
TEST(HlsHsvValues, GroupedReciprocalFollowsThePlatformRule) {
    int V = 192, d = 125;
    bool separated = false;
    for (int v = 2; v < 256 && !separated; ++v)
        for (int k = 1; k < v && !separated; ++k)
            if (static_cast<int>(rcp(float(v)) * float(k) * 255.0f) !=
                static_cast<int>(float(k) / float(v) * 255.0f))
                V = v, d = k, separated = true;
    const u8 rgb[3] = {static_cast<u8>(V), static_cast<u8>(V - d), static_cast<u8>(V - d)};
    std::vector<u8> in, out(27);
    for (int i = 0; i < 9; ++i) in.insert(in.end(), rgb, rgb + 3);
    ASSERT_EQ(qrxiRGBToHSV_8u_C3R(in.data(), 27, out.data(), 27, {9, 1}), qrxStatusOk);
    EXPECT_EQ(out[1], static_cast<int>(rcp(float(V)) * float(d) * 255.0f)) << "V " << V << " d " << d;
    EXPECT_EQ(out[25], rne(rcp1(float(V)) * float(d) * 255.0f));
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_TRUE(separated) << "no input separates the estimate from the division";
#endif
}

#if defined(__x86_64__) || defined(__i386__)
// The 256-bit reciprocal estimate used by the AVX2 level gives the values of
// the 128-bit one (checked over every exponent and many mantissas).
__attribute__((target("avx2"))) static bool rcp256_matches_rcp128() {
    for (std::uint32_t bits = 0x00800000u; bits < 0x7f800000u; bits += 8 * 97) {
        alignas(32) float x[8], a[8], b[8];
        for (int k = 0; k < 8; ++k) {
            const std::uint32_t v = bits + static_cast<std::uint32_t>(k) * 97;
            std::memcpy(&x[k], &v, 4);
        }
        _mm256_store_ps(a, _mm256_rcp_ps(_mm256_load_ps(x)));
        _mm_store_ps(b, _mm_rcp_ps(_mm_load_ps(x)));
        _mm_store_ps(b + 4, _mm_rcp_ps(_mm_load_ps(x + 4)));
        if (std::memcmp(a, b, sizeof a) != 0) return false;
    }
    return true;
}
TEST(HlsHsvValues, Avx2ReciprocalEstimateMatchesSse) {
    if (!__builtin_cpu_supports("avx2")) GTEST_SKIP() << "no AVX2";
    EXPECT_TRUE(rcp256_matches_rcp128());
}
#endif
