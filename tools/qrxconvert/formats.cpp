#include "formats.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

namespace qrxconvert {

std::size_t Layout::bytes(int w, int h) const {
    std::size_t n = 0;
    for (int i = 0; i < planes; ++i) n += row_bytes(i, w) * static_cast<std::size_t>(rows(i, h));
    return n;
}

View contiguous(const Layout& l, const std::uint8_t* base, int w, int h) {
    View v{};
    std::uint8_t* at = const_cast<std::uint8_t*>(base);
    for (int i = 0; i < l.planes; ++i) {
        v.p[i] = at, v.step[i] = static_cast<int>(l.row_bytes(i, w));
        at += l.row_bytes(i, w) * static_cast<std::size_t>(l.rows(i, h));
    }
    return v;
}

QrxStatus Codec::operator()(const std::uint8_t* in, int w, int h, std::uint8_t* out, const Options& opt) const {
    if (to_raw) return fn(contiguous(layout, out, w, h), const_cast<std::uint8_t*>(in), w * 3, w, h, opt);
    return fn(contiguous(layout, in, w, h), out, w * 3, w, h, opt);
}

namespace {

using u8 = std::uint8_t;
constexpr std::size_t sz(int w, int h) { return static_cast<std::size_t>(w) * static_cast<std::size_t>(h); }

// ---- layouts ------------------------------------------------------------------
constexpr Layout kC1{Sample::u8, 1, {{1, 1, 1}}};
constexpr Layout kC2{Sample::u8, 1, {{2, 1, 1}}};
constexpr Layout kC3{Sample::u8, 1, {{3, 1, 1}}};
constexpr Layout kC4{Sample::u8, 1, {{4, 1, 1}}};
constexpr Layout kPacked16{Sample::u16, 1, {{1, 1, 1}}};
constexpr Layout kP444{Sample::u8, 3, {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};
constexpr Layout kP422{Sample::u8, 3, {{1, 1, 1}, {1, 2, 1}, {1, 2, 1}}};
constexpr Layout kP420{Sample::u8, 3, {{1, 1, 1}, {1, 2, 2}, {1, 2, 2}}};
constexpr Layout kP411{Sample::u8, 3, {{1, 1, 1}, {1, 4, 1}, {1, 4, 1}}};
constexpr Layout kNV12{Sample::u8, 2, {{1, 1, 1}, {2, 2, 2}}};
constexpr Layout kP3s16{Sample::s16, 3, {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};

// ---- row helpers ----------------------------------------------------------------
void copy_rows(const u8* s, int ss, u8* d, int ds, std::size_t row_bytes, int h) {
    for (int y = 0; y < h; ++y) std::memcpy(d + std::ptrdiff_t(y) * ds, s + std::ptrdiff_t(y) * ss, row_bytes);
}
void swap_rb(const u8* s, int ss, u8* d, int ds, int w, int h) {
    for (int y = 0; y < h; ++y) {
        const u8* a = s + std::ptrdiff_t(y) * ss;
        u8* b = d + std::ptrdiff_t(y) * ds;
        for (int x = 0; x < w; ++x) {
            const u8 r = a[3 * x], g = a[3 * x + 1], bl = a[3 * x + 2];
            b[3 * x] = bl, b[3 * x + 1] = g, b[3 * x + 2] = r;
        }
    }
}
// A gap-free B, G, R copy of an RGB24 image (for the library's BGR-order members).
std::vector<u8> to_bgr(const u8* rgb, int rs, int w, int h) {
    std::vector<u8> bgr(sz(w, h) * 3);
    swap_rb(rgb, rs, bgr.data(), w * 3, w, h);
    return bgr;
}
// Pointers of the first n planes; planes that must share one step are copied
// gap-free into `tmp` when their steps differ (full-size planes only).
struct Ptrs {
    const u8* p[3];
    int step;
};
Ptrs shared_step(const View& v, int n, std::size_t row_bytes, int h, std::vector<u8>& tmp) {
    Ptrs r{{v.p[0], v.p[1], v.p[2]}, v.step[0]};
    bool same = true;
    for (int i = 1; i < n; ++i) same = same && v.step[i] == v.step[0];
    if (same) return r;
    tmp.resize(row_bytes * static_cast<std::size_t>(h) * n);
    for (int i = 0; i < n; ++i) {
        copy_rows(v.p[i], v.step[i], tmp.data() + i * row_bytes * h, static_cast<int>(row_bytes), row_bytes, h);
        r.p[i] = tmp.data() + i * row_bytes * h;
    }
    r.step = static_cast<int>(row_bytes);
    return r;
}
const u8* const* in(const View& v) { return const_cast<const u8* const*>(v.p); }

#define CODEC(fn) QrxStatus fn(const View& r, u8* rgb, int rs, int w, int h, const Options& opt)

// ---- pixel-order RGB ------------------------------------------------------
CODEC(rgb_dec) { return (void)opt, copy_rows(r.p[0], r.step[0], rgb, rs, sz(w, 3), h), qrxStatusOk; }
CODEC(rgb_enc) { return (void)opt, copy_rows(rgb, rs, r.p[0], r.step[0], sz(w, 3), h), qrxStatusOk; }
CODEC(bgr_dec) { return (void)opt, swap_rb(r.p[0], r.step[0], rgb, rs, w, h), qrxStatusOk; }
CODEC(bgr_enc) { return (void)opt, swap_rb(rgb, rs, r.p[0], r.step[0], w, h), qrxStatusOk; }
template <bool BGR>
CODEC(c4_dec) {
    (void)opt;
    for (int y = 0; y < h; ++y) {
        const u8* s = r.p[0] + std::ptrdiff_t(y) * r.step[0];
        u8* d = rgb + std::ptrdiff_t(y) * rs;
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) d[3 * x + c] = s[4 * x + (BGR ? 2 - c : c)];
    }
    return qrxStatusOk;
}
template <bool BGR>
CODEC(c4_enc) {
    (void)opt;
    for (int y = 0; y < h; ++y) {
        const u8* s = rgb + std::ptrdiff_t(y) * rs;
        u8* d = r.p[0] + std::ptrdiff_t(y) * r.step[0];
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < 3; ++c) d[4 * x + c] = s[3 * x + (BGR ? 2 - c : c)];
            d[4 * x + 3] = 255;
        }
    }
    return qrxStatusOk;
}

// ---- YCbCr 4:4:4 ----------------------------------------------------------
CODEC(ycbcr444_dec) { return (void)opt, qrxiYCbCrToRGB_8u_C3R(r.p[0], r.step[0], rgb, rs, {w, h}); }
CODEC(ycbcr444_enc) { return (void)opt, qrxiRGBToYCbCr_8u_C3R(rgb, rs, r.p[0], r.step[0], {w, h}); }
CODEC(yuv444p_dec) {
    (void)opt;
    std::vector<u8> tmp;
    const Ptrs p = shared_step(r, 3, sz(w, 1), h, tmp);
    return qrxiYCbCrToRGB_8u_P3C3R(p.p, p.step, rgb, rs, {w, h});
}
CODEC(yuv444p_enc) {
    (void)opt;
    std::vector<u8> planes(sz(w, h) * 3);
    const std::size_t n = sz(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) planes[c * n + sz(w, y) + x] = rgb[std::ptrdiff_t(y) * rs + 3 * x + c];
    const u8* const src[3] = {planes.data(), planes.data() + n, planes.data() + 2 * n};
    return qrxiRGBToYCbCr_8u_P3R(src, w, r.p, r.step[0], {w, h});
}

// ---- subsampled YCbCr -----------------------------------------------------
CODEC(i420_dec) { return (void)opt, qrxiYCbCr420ToRGB_8u_P3C3R(in(r), r.step, rgb, rs, {w, h}); }
CODEC(i420_enc) { return (void)opt, qrxiRGBToYCbCr420_8u_C3P3R(rgb, rs, r.p, r.step, {w, h}); }
// Y, Cr, Cb in memory
View crcb(const View& r) { return {{r.p[0], r.p[2], r.p[1]}, {r.step[0], r.step[2], r.step[1]}}; }
CODEC(yv12_dec) { return i420_dec(crcb(r), rgb, rs, w, h, opt); }
CODEC(yv12_enc) {
    (void)opt;
    const std::vector<u8> bgr = to_bgr(rgb, rs, w, h);
    return qrxiBGRToYCrCb420_8u_C3P3R(bgr.data(), w * 3, r.p, r.step, {w, h});
}
CODEC(yuyv_dec) { return (void)opt, qrxiYCbCr422ToRGB_8u_C2C3R(r.p[0], r.step[0], rgb, rs, {w, h}); }
CODEC(yuyv_enc) { return (void)opt, qrxiRGBToYCbCr422_8u_C3C2R(rgb, rs, r.p[0], r.step[0], {w, h}); }
CODEC(uyvy_dec) { return (void)opt, qrxiCbYCr422ToRGB_8u_C2C3R(r.p[0], r.step[0], rgb, rs, {w, h}); }
CODEC(uyvy_enc) { return (void)opt, qrxiRGBToCbYCr422_8u_C3C2R(rgb, rs, r.p[0], r.step[0], {w, h}); }
CODEC(yuv422p_dec) { return (void)opt, qrxiYCbCr422ToRGB_8u_P3C3R(in(r), r.step, rgb, rs, {w, h}); }
CODEC(yuv422p_enc) {
    (void)opt;
    const std::vector<u8> bgr = to_bgr(rgb, rs, w, h);
    return qrxiBGRToYCbCr422_8u_C3P3R(bgr.data(), w * 3, r.p, r.step, {w, h});
}
CODEC(yuv411p_dec) {
    (void)opt;
    std::vector<u8> bgr(sz(w, h) * 3);
    const QrxStatus st = qrxiYCbCr411ToBGR_8u_P3C3R(in(r), r.step, bgr.data(), w * 3, {w, h});
    if (st >= 0) swap_rb(bgr.data(), w * 3, rgb, rs, w, h);
    return st;
}
CODEC(yuv411p_enc) {
    (void)opt;
    const std::vector<u8> bgr = to_bgr(rgb, rs, w, h);
    return qrxiBGRToYCbCr411_8u_C3P3R(bgr.data(), w * 3, r.p, r.step, {w, h});
}

// ---- 16-bit packed RGB ------------------------------------------------------
using Pack16 = QrxStatus (*)(const Qrx8u*, int, Qrx16u*, int, QrxSize);
template <Pack16 Plain, Pack16 Dithered>
CODEC(packed16_enc) {
    std::vector<u8> ycc(sz(w, h) * 3);
    QrxStatus st = qrxiRGBToYCbCr_8u_C3R(rgb, rs, ycc.data(), w * 3, {w, h});
    if (st < 0) return st;
    return (opt.dither ? Dithered : Plain)(ycc.data(), w * 3, reinterpret_cast<Qrx16u*>(r.p[0]), r.step[0], {w, h});
}
using Unpack16 = QrxStatus (*)(const Qrx16u*, int, Qrx8u*, int, QrxSize);
template <Unpack16 ToYcc>
CODEC(packed16_dec) {
    (void)opt;
    std::vector<u8> yuyv(sz(w, h) * 2);
    QrxStatus st = ToYcc(reinterpret_cast<const Qrx16u*>(r.p[0]), r.step[0], yuyv.data(), w * 2, {w, h});
    if (st < 0) return st;
    return qrxiYCbCr422ToRGB_8u_C2C3R(yuyv.data(), w * 2, rgb, rs, {w, h});
}

// ---- gray ---------------------------------------------------------------------
CODEC(gray_dec) {
    (void)opt;
    for (int y = 0; y < h; ++y) {
        const u8* s = r.p[0] + std::ptrdiff_t(y) * r.step[0];
        u8* d = rgb + std::ptrdiff_t(y) * rs;
        for (int x = 0; x < w; ++x) d[3 * x] = d[3 * x + 1] = d[3 * x + 2] = s[x];
    }
    return qrxStatusOk;
}
CODEC(gray_enc) { return (void)opt, qrxiRGBToGray_8u_C3C1R(rgb, rs, r.p[0], r.step[0], {w, h}); }

// ---- NV12: 4:2:0 luma plane + one plane of Cb, Cr pairs ----------------------
CODEC(nv12_dec) {
    (void)opt;
    std::vector<u8> planar(kP420.bytes(w, h));
    const View p = contiguous(kP420, planar.data(), w, h);
    QrxStatus st = qrxiYCbCr420_8u_P2P3R(r.p[0], r.step[0], r.p[1], r.step[1], p.p, p.step, {w, h});
    if (st < 0) return st;
    return qrxiYCbCr420ToRGB_8u_P3C3R(in(p), p.step, rgb, rs, {w, h});
}
CODEC(nv12_enc) {
    (void)opt;
    std::vector<u8> planar(kP420.bytes(w, h));
    const View p = contiguous(kP420, planar.data(), w, h);
    QrxStatus st = qrxiRGBToYCbCr420_8u_C3P3R(rgb, rs, p.p, p.step, {w, h});
    if (st < 0) return st;
    return qrxiYCbCr420_8u_P3P2R(in(p), p.step, r.p[0], r.step[0], r.p[1], r.step[1], {w, h});
}
// 4:2:2 packed through the smoothing 4:2:0 -> 4:2:2 conversion: the whole frame in one call, or
// (--slice ROWS) as a top slice, middle slices and a bottom slice of ROWS rows each, the last one
// taking the rest; every slice call gets pointers to its first row.
CODEC(yuyv_smooth_enc) {
    std::vector<u8> nv12(kNV12.bytes(w, h));
    QrxStatus st = nv12_enc(contiguous(kNV12, nv12.data(), w, h), rgb, rs, w, h, opt);
    if (st < 0) return st;
    const u8* y = nv12.data();
    const u8* c = nv12.data() + sz(w, h);
    u8* d = r.p[0];
    const std::ptrdiff_t ds = r.step[0];
    const int rows = opt.slice_rows;
    if (rows == 0 || h < 2 * rows)
        return qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(y, w, c, w, d, r.step[0], {w, h}, qrxSliceWhole);
    const int slices = h / rows;
    for (int i = 0; i < slices && st >= 0; ++i) {
        const int top = i * rows, n = i + 1 == slices ? h - top : rows;
        const int pos = i == 0 ? qrxSliceTop : i + 1 == slices ? qrxSliceBottom : qrxSliceMiddle;
        st = qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(y + sz(w, top), w, c + sz(w, top / 2), w, d + top * ds, r.step[0],
                                                   {w, n}, pos);
    }
    return st;
}

// ---- three 8-bit channels per pixel through one library pair ------------------
using Pix8 = QrxStatus (*)(const Qrx8u*, int, Qrx8u*, int, QrxSize);
template <Pix8 Fn>
CODEC(pix8_dec) { return (void)opt, Fn(r.p[0], r.step[0], rgb, rs, {w, h}); }
template <Pix8 Fn>
CODEC(pix8_enc) { return (void)opt, Fn(rgb, rs, r.p[0], r.step[0], {w, h}); }
// The library's BGR-order members, wrapped with a channel swap.
template <Pix8 Fn>
CODEC(pix8_enc_bgr) {
    (void)opt;
    const std::vector<u8> bgr = to_bgr(rgb, rs, w, h);
    return Fn(bgr.data(), w * 3, r.p[0], r.step[0], {w, h});
}
template <Pix8 Fn>
CODEC(pix8_dec_bgr) {
    (void)opt;
    std::vector<u8> bgr(sz(w, h) * 3);
    const QrxStatus st = Fn(r.p[0], r.step[0], bgr.data(), w * 3, {w, h});
    if (st >= 0) swap_rb(bgr.data(), w * 3, rgb, rs, w, h);
    return st;
}

// ---- YCoCg: three planes of signed 16-bit samples (native byte order) --------
using ToYCoCg = QrxStatus (*)(const Qrx8u*, int, Qrx16s* const[3], int, QrxSize);
using FromYCoCg = QrxStatus (*)(const Qrx16s* const[3], int, Qrx8u*, int, QrxSize);
template <ToYCoCg Fn>
CODEC(ycocg_enc) {
    (void)opt;
    const std::vector<u8> bgr = to_bgr(rgb, rs, w, h);
    Qrx16s* const p[3] = {reinterpret_cast<Qrx16s*>(r.p[0]), reinterpret_cast<Qrx16s*>(r.p[1]),
                          reinterpret_cast<Qrx16s*>(r.p[2])};
    return Fn(bgr.data(), w * 3, p, r.step[0], {w, h});
}
template <FromYCoCg Fn>
CODEC(ycocg_dec) {
    (void)opt;
    std::vector<u8> tmp, bgr(sz(w, h) * 3);
    const Ptrs s = shared_step(r, 3, sz(w, 2), h, tmp);
    const Qrx16s* const p[3] = {reinterpret_cast<const Qrx16s*>(s.p[0]), reinterpret_cast<const Qrx16s*>(s.p[1]),
                                reinterpret_cast<const Qrx16s*>(s.p[2])};
    const QrxStatus st = Fn(p, s.step, bgr.data(), w * 3, {w, h});
    if (st >= 0) swap_rb(bgr.data(), w * 3, rgb, rs, w, h);
    return st;
}

// ---- analog-video YUV (not YCbCr) -----------------------------------------
CODEC(ayuv444_dec) {
    (void)opt;
    std::vector<u8> tmp;
    const Ptrs p = shared_step(r, 3, sz(w, 1), h, tmp);
    return qrxiYUVToRGB_8u_P3C3R(p.p, p.step, rgb, rs, {w, h});
}
CODEC(ayuv444_enc) { return (void)opt, qrxiRGBToYUV_8u_C3P3R(rgb, rs, r.p, r.step[0], {w, h}); }
CODEC(ayuv422_dec) { return (void)opt, qrxiYUV422ToRGB_8u_P3C3R(in(r), r.step, rgb, rs, {w, h}); }
CODEC(ayuv422_enc) { return (void)opt, qrxiRGBToYUV422_8u_C3P3R(rgb, rs, r.p, r.step, {w, h}); }
CODEC(ayuv420_dec) { return (void)opt, qrxiYUV420ToRGB_8u_P3C3R(in(r), r.step, rgb, rs, {w, h}); }
CODEC(ayuv420_enc) { return (void)opt, qrxiRGBToYUV420_8u_C3P3R(rgb, rs, r.p, r.step, {w, h}); }
#undef CODEC

const std::vector<Format> kFormats = {
    {"rgb24", "rgb", "8-bit R, G, B per pixel", 1, 1, -1, kC3, rgb_dec, rgb_enc},
    {"bgr24", "bgr", "8-bit B, G, R per pixel", 1, 1, -1, kC3, bgr_dec, bgr_enc},
    {"rgba", "rgb32", "8-bit R, G, B, alpha (written as 255)", 1, 1, -1, kC4, c4_dec<false>, c4_enc<false>},
    {"bgra", "bgr32", "8-bit B, G, R, alpha (written as 255)", 1, 1, -1, kC4, c4_dec<true>, c4_enc<true>},
    {"ycbcr444", "yuv444packed", "YCbCr 4:4:4, Y Cb Cr per pixel", 1, 1, -1, kC3, ycbcr444_dec, ycbcr444_enc},
    {"yuv444p", "ycbcr444p", "YCbCr 4:4:4 planes Y, Cb, Cr", 1, 1, 444, kP444, yuv444p_dec, yuv444p_enc},
    {"i420", "yuv420p YCbCr420", "YCbCr 4:2:0 planes Y, Cb, Cr", 2, 2, 420, kP420, i420_dec, i420_enc},
    {"yv12", "YCrCb420", "YCbCr 4:2:0 planes Y, Cr, Cb", 2, 2, -1, kP420, yv12_dec, yv12_enc},
    {"yuyv422", "yuy2 YCbCr422", "YCbCr 4:2:2 packed Y0 Cb Y1 Cr", 2, 1, -1, kC2, yuyv_dec, yuyv_enc},
    {"uyvy422", "uyvy CbYCr422", "YCbCr 4:2:2 packed Cb Y0 Cr Y1", 2, 1, -1, kC2, uyvy_dec, uyvy_enc},
    {"yuv422p", "ycbcr422p", "YCbCr 4:2:2 planes Y, Cb, Cr", 2, 1, 422, kP422, yuv422p_dec, yuv422p_enc},
    {"yuv411p", "ycbcr411p YCbCr411", "YCbCr 4:1:1 planes Y, Cb, Cr", 4, 1, -1, kP411, yuv411p_dec, yuv411p_enc},
    {"rgb565", "", "16-bit R5 G6 B5 (write only; --dither for ordered dither)", 1, 1, -1, kPacked16, nullptr,
     packed16_enc<qrxiYCbCrToRGB565_8u16u_C3R, qrxiYCbCrToRGB565Dither_8u16u_C3R>},
    {"bgr565", "", "16-bit B5 G6 R5 (--dither for ordered dither)", 2, 1, -1, kPacked16,
     packed16_dec<qrxiBGR565ToYCbCr422_16u8u_C3C2R>,
     packed16_enc<qrxiYCbCrToBGR565_8u16u_C3R, qrxiYCbCrToBGR565Dither_8u16u_C3R>},
    {"rgb555", "", "16-bit R5 G5 B5 (write only)", 1, 1, -1, kPacked16, nullptr,
     packed16_enc<qrxiYCbCrToRGB555_8u16u_C3R, qrxiYCbCrToRGB555Dither_8u16u_C3R>},
    {"bgr555", "", "16-bit B5 G5 R5", 2, 1, -1, kPacked16, packed16_dec<qrxiBGR555ToYCbCr422_16u8u_C3C2R>,
     packed16_enc<qrxiYCbCrToBGR555_8u16u_C3R, qrxiYCbCrToBGR555Dither_8u16u_C3R>},
    {"rgb444", "", "16-bit R4 G4 B4 (write only)", 1, 1, -1, kPacked16, nullptr,
     packed16_enc<qrxiYCbCrToRGB444_8u16u_C3R, qrxiYCbCrToRGB444Dither_8u16u_C3R>},
    {"bgr444", "", "16-bit B4 G4 R4 (write only)", 1, 1, -1, kPacked16, nullptr,
     packed16_enc<qrxiYCbCrToBGR444_8u16u_C3R, qrxiYCbCrToBGR444Dither_8u16u_C3R>},
    {"yuv444a", "analog444", "analog-video YUV 4:4:4 planes Y, U, V", 1, 1, 444, kP444, ayuv444_dec, ayuv444_enc},
    {"yuv422a", "analog422", "analog-video YUV 4:2:2 planes Y, U, V", 2, 1, 422, kP422, ayuv422_dec, ayuv422_enc},
    {"yuv420a", "analog420", "analog-video YUV 4:2:0 planes Y, U, V", 2, 2, 420, kP420, ayuv420_dec, ayuv420_enc},
    {"gray", "grey y8 luma", "8-bit gray (weighted R, G, B); .pgm in and out", 1, 1, -1, kC1, gray_dec, gray_enc},
    {"nv12", "YCbCr420P2", "YCbCr 4:2:0: Y plane, then one plane of Cb, Cr pairs", 2, 2, -1, kNV12, nv12_dec, nv12_enc},
    {"yuyv422-smooth", "yuyv422s", "YCbCr 4:2:2 packed from 4:2:0 by the smoothing filter (--slice)", 2, 2, -1, kC2,
     yuyv_dec, yuyv_smooth_enc},
    {"hsv", "", "H, S, V per pixel (8-bit, full range)", 1, 1, -1, kC3, pix8_dec<qrxiHSVToRGB_8u_C3R>,
     pix8_enc<qrxiRGBToHSV_8u_C3R>},
    {"hls", "hsl", "H, L, S per pixel (8-bit, full range)", 1, 1, -1, kC3, pix8_dec<qrxiHLSToRGB_8u_C3R>,
     pix8_enc<qrxiRGBToHLS_8u_C3R>},
    {"ycc", "", "Y, C1, C2 per pixel", 1, 1, -1, kC3, pix8_dec<qrxiYCCToRGB_8u_C3R>, pix8_enc<qrxiRGBToYCC_8u_C3R>},
    {"xyz", "ciexyz", "CIE X, Y, Z per pixel (8-bit)", 1, 1, -1, kC3, pix8_dec<qrxiXYZToRGB_8u_C3R>,
     pix8_enc<qrxiRGBToXYZ_8u_C3R>},
    {"luv", "cieluv", "CIE L, u, v per pixel (8-bit)", 1, 1, -1, kC3, pix8_dec<qrxiLUVToRGB_8u_C3R>,
     pix8_enc<qrxiRGBToLUV_8u_C3R>},
    {"lab", "cielab", "CIE L, a, b per pixel (8-bit)", 1, 1, -1, kC3, pix8_dec_bgr<qrxiLabToBGR_8u_C3R>,
     pix8_enc_bgr<qrxiBGRToLab_8u_C3R>},
    {"ycocg", "", "planes Y, Co, Cg of signed 16-bit samples", 1, 1, -1, kP3s16,
     ycocg_dec<qrxiYCoCgToBGR_16s8u_P3C3R>, ycocg_enc<qrxiBGRToYCoCg_8u16s_C3P3R>},
    {"ycocg-r", "ycocgr", "planes Y, Co, Cg, reversible (lossless) transform, signed 16-bit", 1, 1, -1, kP3s16,
     ycocg_dec<qrxiYCoCgToBGR_Rev_16s8u_P3C3R>, ycocg_enc<qrxiBGRToYCoCg_Rev_8u16s_C3P3R>},
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

const std::vector<Format>& formats() { return kFormats; }

namespace {
u8 clamp8(int v) { return static_cast<u8>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Planes of width w/cx by h/cy laid one after the other.
void planar(std::vector<Plane>& out, const u8* raw, int w, int h, int cx, int cy, const char* names) {
    std::istringstream in(names);
    const u8* at = raw;
    for (int c = 0; c < 3; ++c) {
        Plane p;
        in >> p.name;
        p.width = c ? w / cx : w, p.height = c ? h / cy : h;
        p.pixels.assign(at, at + sz(p.width, p.height));
        at += sz(p.width, p.height);
        out.push_back(std::move(p));
    }
}

// `n` channels interleaved per pixel.
void interleaved(std::vector<Plane>& out, const u8* raw, int w, int h, int n, const char* names) {
    std::istringstream in(names);
    for (int c = 0; c < n; ++c) {
        Plane p;
        in >> p.name;
        p.width = w, p.height = h;
        p.pixels.resize(sz(w, h));
        for (std::size_t i = 0; i < sz(w, h); ++i) p.pixels[i] = raw[i * n + c];
        out.push_back(std::move(p));
    }
}
}  // namespace

std::vector<Plane> split_planes(const Format& f, const u8* raw, int w, int h) {
    std::vector<Plane> out;
    const std::string n = f.name;
    if (n == "rgb24") interleaved(out, raw, w, h, 3, "r g b");
    else if (n == "bgr24") interleaved(out, raw, w, h, 3, "b g r");
    else if (n == "rgba") interleaved(out, raw, w, h, 4, "r g b a");
    else if (n == "bgra") interleaved(out, raw, w, h, 4, "b g r a");
    else if (n == "ycbcr444") interleaved(out, raw, w, h, 3, "y cb cr");
    else if (n == "hsv") interleaved(out, raw, w, h, 3, "h s v");
    else if (n == "hls") interleaved(out, raw, w, h, 3, "h l s");
    else if (n == "ycc") interleaved(out, raw, w, h, 3, "y c1 c2");
    else if (n == "xyz") interleaved(out, raw, w, h, 3, "x y z");
    else if (n == "luv") interleaved(out, raw, w, h, 3, "l u v");
    else if (n == "lab") interleaved(out, raw, w, h, 3, "l a b");
    else if (n == "gray") interleaved(out, raw, w, h, 1, "y");
    else if (n == "yuv444p") planar(out, raw, w, h, 1, 1, "y cb cr");
    else if (n == "i420") planar(out, raw, w, h, 2, 2, "y cb cr");
    else if (n == "yv12") planar(out, raw, w, h, 2, 2, "y cr cb");
    else if (n == "yuv422p") planar(out, raw, w, h, 2, 1, "y cb cr");
    else if (n == "yuv411p") planar(out, raw, w, h, 4, 1, "y cb cr");
    else if (n == "yuv444a") planar(out, raw, w, h, 1, 1, "y u v");
    else if (n == "yuv422a") planar(out, raw, w, h, 2, 1, "y u v");
    else if (n == "yuv420a") planar(out, raw, w, h, 2, 2, "y u v");
    else if (n == "nv12") {
        planar(out, raw, w, h, 2, 2, "y cb cr");
        const u8* uv = raw + sz(w, h);
        for (std::size_t i = 0; i < sz(w / 2, h / 2); ++i) out[1].pixels[i] = uv[2 * i], out[2].pixels[i] = uv[2 * i + 1];
    } else if (n == "yuyv422" || n == "uyvy422" || n == "yuyv422-smooth") {
        const bool uyvy = n == "uyvy422";
        const char* names[3] = {"y", "cb", "cr"};
        for (int c = 0; c < 3; ++c) {
            Plane p;
            p.name = names[c];
            p.width = c ? w / 2 : w, p.height = h;
            p.pixels.resize(sz(p.width, h));
            out.push_back(std::move(p));
        }
        for (std::size_t i = 0; i < sz(w / 2, h); ++i) {
            const u8* g = raw + 4 * i;
            out[0].pixels[2 * i] = g[uyvy ? 1 : 0], out[0].pixels[2 * i + 1] = g[uyvy ? 3 : 2];
            out[1].pixels[i] = g[uyvy ? 0 : 1], out[2].pixels[i] = g[uyvy ? 2 : 3];
        }
    } else if (n == "ycocg" || n == "ycocg-r") {
        // Y as it is; Co and Cg centred on 128 (the reversible transform's
        // chroma has twice the range, so it is halved).
        const int shift = n == "ycocg-r" ? 1 : 0;
        const char* names[3] = {"y", "co", "cg"};
        for (int c = 0; c < 3; ++c) {
            Plane p;
            p.name = names[c];
            p.width = w, p.height = h;
            p.pixels.resize(sz(w, h));
            for (std::size_t i = 0; i < sz(w, h); ++i) {
                std::int16_t v;
                std::memcpy(&v, raw + 2 * (c * sz(w, h) + i), 2);
                p.pixels[i] = clamp8(c ? (v >> shift) + 128 : v);
            }
            out.push_back(std::move(p));
        }
    }
    return out;
}


const Format* find_format(const std::string& name) {
    const std::string want = lower(name);
    for (const Format& f : kFormats) {
        if (lower(f.name) == want) return &f;
        std::istringstream aliases(f.aliases);
        std::string a;
        while (aliases >> a)
            if (lower(a) == want) return &f;
    }
    return nullptr;
}

}  // namespace qrxconvert
