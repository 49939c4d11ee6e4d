#include "formats.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

namespace qrxconvert {
namespace {

using u8 = std::uint8_t;
constexpr std::size_t sz(int w, int h) { return static_cast<std::size_t>(w) * static_cast<std::size_t>(h); }

// ---- sizes ------------------------------------------------------------------
std::size_t bytes_c3(int w, int h) { return sz(w, h) * 3; }
std::size_t bytes_c4(int w, int h) { return sz(w, h) * 4; }
std::size_t bytes_c2(int w, int h) { return sz(w, h) * 2; }
std::size_t bytes_420(int w, int h) { return sz(w, h) + 2 * sz(w / 2, h / 2); }
std::size_t bytes_422p(int w, int h) { return sz(w, h) + 2 * sz(w / 2, h); }
std::size_t bytes_411p(int w, int h) { return sz(w, h) + 2 * sz(w / 4, h); }

// Plane pointers and steps of a planar frame with chroma w/cx by h/cy.
struct Planes {
    u8* p[3];
    int step[3];
    Planes(const u8* base, int w, int h, int cx, int cy) {
        u8* b = const_cast<u8*>(base);
        p[0] = b, p[1] = b + sz(w, h), p[2] = p[1] + sz(w / cx, h / cy);
        step[0] = w, step[1] = step[2] = w / cx;
    }
    const u8* const* in() const { return const_cast<const u8* const*>(p); }
};

void swap_rb(const u8* src, u8* dst, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i) {
        const u8 r = src[3 * i], g = src[3 * i + 1], b = src[3 * i + 2];
        dst[3 * i] = b, dst[3 * i + 1] = g, dst[3 * i + 2] = r;
    }
}

// ---- pixel-order RGB ------------------------------------------------------
QrxStatus rgb_copy(const u8* s, int w, int h, u8* d, const Options&) {
    std::memcpy(d, s, bytes_c3(w, h));
    return qrxStatusOk;
}
QrxStatus bgr_swap(const u8* s, int w, int h, u8* d, const Options&) {
    swap_rb(s, d, sz(w, h));
    return qrxStatusOk;
}
template <bool BGR>
QrxStatus c4_to_rgb(const u8* s, int w, int h, u8* d, const Options&) {
    for (std::size_t i = 0; i < sz(w, h); ++i)
        for (int c = 0; c < 3; ++c) d[3 * i + c] = s[4 * i + (BGR ? 2 - c : c)];
    return qrxStatusOk;
}
template <bool BGR>
QrxStatus rgb_to_c4(const u8* s, int w, int h, u8* d, const Options&) {
    for (std::size_t i = 0; i < sz(w, h); ++i) {
        for (int c = 0; c < 3; ++c) d[4 * i + c] = s[3 * i + (BGR ? 2 - c : c)];
        d[4 * i + 3] = 255;
    }
    return qrxStatusOk;
}

// ---- YCbCr 4:4:4 ----------------------------------------------------------
QrxStatus ycbcr444_dec(const u8* s, int w, int h, u8* d, const Options&) {
    return qrxiYCbCrToRGB_8u_C3R(s, w * 3, d, w * 3, {w, h});
}
QrxStatus ycbcr444_enc(const u8* s, int w, int h, u8* d, const Options&) {
    return qrxiRGBToYCbCr_8u_C3R(s, w * 3, d, w * 3, {w, h});
}
QrxStatus yuv444p_dec(const u8* s, int w, int h, u8* d, const Options&) {
    const Planes p(s, w, h, 1, 1);
    return qrxiYCbCrToRGB_8u_P3C3R(p.in(), w, d, w * 3, {w, h});
}
QrxStatus yuv444p_enc(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> rgb_planes(bytes_c3(w, h));
    const std::size_t n = sz(w, h);
    for (std::size_t i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c) rgb_planes[c * n + i] = s[3 * i + c];
    const Planes src(rgb_planes.data(), w, h, 1, 1), dst(d, w, h, 1, 1);
    return qrxiRGBToYCbCr_8u_P3R(src.in(), w, dst.p, w, {w, h});
}

// ---- subsampled YCbCr -----------------------------------------------------
QrxStatus i420_dec(const u8* s, int w, int h, u8* d, const Options&) {
    const Planes p(s, w, h, 2, 2);
    return qrxiYCbCr420ToRGB_8u_P3C3R(p.in(), p.step, d, w * 3, {w, h});
}
QrxStatus i420_enc(const u8* s, int w, int h, u8* d, const Options&) {
    Planes p(d, w, h, 2, 2);
    return qrxiRGBToYCbCr420_8u_C3P3R(s, w * 3, p.p, p.step, {w, h});
}
QrxStatus yv12_dec(const u8* s, int w, int h, u8* d, const Options&) {
    Planes p(s, w, h, 2, 2);
    std::swap(p.p[1], p.p[2]);  // Y, Cr, Cb on disk
    return qrxiYCbCr420ToRGB_8u_P3C3R(p.in(), p.step, d, w * 3, {w, h});
}
QrxStatus yv12_enc(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> bgr(bytes_c3(w, h));
    swap_rb(s, bgr.data(), sz(w, h));
    Planes p(d, w, h, 2, 2);
    return qrxiBGRToYCrCb420_8u_C3P3R(bgr.data(), w * 3, p.p, p.step, {w, h});
}
QrxStatus yuyv_dec(const u8* s, int w, int h, u8* d, const Options&) {
    return qrxiYCbCr422ToRGB_8u_C2C3R(s, w * 2, d, w * 3, {w, h});
}
QrxStatus yuyv_enc(const u8* s, int w, int h, u8* d, const Options&) {
    return qrxiRGBToYCbCr422_8u_C3C2R(s, w * 3, d, w * 2, {w, h});
}
QrxStatus uyvy_dec(const u8* s, int w, int h, u8* d, const Options&) {
    return qrxiCbYCr422ToRGB_8u_C2C3R(s, w * 2, d, w * 3, {w, h});
}
QrxStatus uyvy_enc(const u8* s, int w, int h, u8* d, const Options&) {
    return qrxiRGBToCbYCr422_8u_C3C2R(s, w * 3, d, w * 2, {w, h});
}
QrxStatus yuv422p_dec(const u8* s, int w, int h, u8* d, const Options&) {
    const Planes p(s, w, h, 2, 1);
    return qrxiYCbCr422ToRGB_8u_P3C3R(p.in(), p.step, d, w * 3, {w, h});
}
QrxStatus yuv422p_enc(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> bgr(bytes_c3(w, h));
    swap_rb(s, bgr.data(), sz(w, h));
    Planes p(d, w, h, 2, 1);
    return qrxiBGRToYCbCr422_8u_C3P3R(bgr.data(), w * 3, p.p, p.step, {w, h});
}
QrxStatus yuv411p_dec(const u8* s, int w, int h, u8* d, const Options&) {
    const Planes p(s, w, h, 4, 1);
    std::vector<u8> bgr(bytes_c3(w, h));
    const QrxStatus st = qrxiYCbCr411ToBGR_8u_P3C3R(p.in(), p.step, bgr.data(), w * 3, {w, h});
    if (st >= 0) swap_rb(bgr.data(), d, sz(w, h));
    return st;
}
QrxStatus yuv411p_enc(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> bgr(bytes_c3(w, h));
    swap_rb(s, bgr.data(), sz(w, h));
    Planes p(d, w, h, 4, 1);
    return qrxiBGRToYCbCr411_8u_C3P3R(bgr.data(), w * 3, p.p, p.step, {w, h});
}

// ---- 16-bit packed RGB ------------------------------------------------------
using Pack16 = QrxStatus (*)(const Qrx8u*, int, Qrx16u*, int, QrxSize);
template <Pack16 Plain, Pack16 Dithered>
QrxStatus packed16_enc(const u8* s, int w, int h, u8* d, const Options& opt) {
    std::vector<u8> ycc(bytes_c3(w, h));
    QrxStatus st = qrxiRGBToYCbCr_8u_C3R(s, w * 3, ycc.data(), w * 3, {w, h});
    if (st < 0) return st;
    return (opt.dither ? Dithered : Plain)(ycc.data(), w * 3, reinterpret_cast<Qrx16u*>(d), w * 2, {w, h});
}
using Unpack16 = QrxStatus (*)(const Qrx16u*, int, Qrx8u*, int, QrxSize);
template <Unpack16 ToYcc>
QrxStatus packed16_dec(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> yuyv(bytes_c2(w, h));
    QrxStatus st = ToYcc(reinterpret_cast<const Qrx16u*>(s), w * 2, yuyv.data(), w * 2, {w, h});
    if (st < 0) return st;
    return qrxiYCbCr422ToRGB_8u_C2C3R(yuyv.data(), w * 2, d, w * 3, {w, h});
}


// ---- gray ---------------------------------------------------------------------
std::size_t bytes_c1(int w, int h) { return sz(w, h); }
QrxStatus gray_dec(const u8* s, int w, int h, u8* d, const Options&) {
    for (std::size_t i = 0; i < sz(w, h); ++i) d[3 * i] = d[3 * i + 1] = d[3 * i + 2] = s[i];
    return qrxStatusOk;
}
QrxStatus gray_enc(const u8* s, int w, int h, u8* d, const Options&) {
    return qrxiRGBToGray_8u_C3C1R(s, w * 3, d, w, {w, h});
}

// ---- NV12: 4:2:0 luma plane + one plane of Cb, Cr pairs ----------------------
QrxStatus nv12_dec(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> planar(bytes_420(w, h));
    Planes p(planar.data(), w, h, 2, 2);
    QrxStatus st = qrxiYCbCr420_8u_P2P3R(s, w, s + sz(w, h), w, p.p, p.step, {w, h});
    if (st < 0) return st;
    return qrxiYCbCr420ToRGB_8u_P3C3R(p.in(), p.step, d, w * 3, {w, h});
}
QrxStatus nv12_enc(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> planar(bytes_420(w, h));
    Planes p(planar.data(), w, h, 2, 2);
    QrxStatus st = qrxiRGBToYCbCr420_8u_C3P3R(s, w * 3, p.p, p.step, {w, h});
    if (st < 0) return st;
    return qrxiYCbCr420_8u_P3P2R(p.in(), p.step, d, w, d + sz(w, h), w, {w, h});
}
// 4:2:2 packed through the smoothing 4:2:0 -> 4:2:2 conversion: the whole frame in one call, or
// (--slice ROWS) as a top slice, middle slices and a bottom slice of ROWS rows each, the last one
// taking the rest; every slice call gets pointers to its first row.
QrxStatus yuyv_smooth_enc(const u8* s, int w, int h, u8* d, const Options& opt) {
    std::vector<u8> nv12(bytes_420(w, h));
    QrxStatus st = nv12_enc(s, w, h, nv12.data(), opt);
    if (st < 0) return st;
    const u8* y = nv12.data();
    const u8* c = nv12.data() + sz(w, h);
    const int rows = opt.slice_rows;
    if (rows == 0 || h < 2 * rows)
        return qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(y, w, c, w, d, w * 2, {w, h}, qrxSliceWhole);
    const int slices = h / rows;
    for (int i = 0; i < slices && st >= 0; ++i) {
        const int top = i * rows, n = i + 1 == slices ? h - top : rows;
        const int pos = i == 0 ? qrxSliceTop : i + 1 == slices ? qrxSliceBottom : qrxSliceMiddle;
        st = qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(y + sz(w, top), w, c + sz(w, top / 2), w, d + sz(w * 2, top), w * 2,
                                                   {w, n}, pos);
    }
    return st;
}

// ---- three 8-bit channels per pixel through one library pair ------------------
using Pix8 = QrxStatus (*)(const Qrx8u*, int, Qrx8u*, int, QrxSize);
template <Pix8 Fn>
QrxStatus pix8(const u8* s, int w, int h, u8* d, const Options&) {
    return Fn(s, w * 3, d, w * 3, {w, h});
}
// The library's BGR-order members, wrapped with a channel swap.
template <Pix8 Fn>
QrxStatus pix8_from_bgr(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> bgr(bytes_c3(w, h));
    swap_rb(s, bgr.data(), sz(w, h));
    return Fn(bgr.data(), w * 3, d, w * 3, {w, h});
}
template <Pix8 Fn>
QrxStatus pix8_to_bgr(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> bgr(bytes_c3(w, h));
    const QrxStatus st = Fn(s, w * 3, bgr.data(), w * 3, {w, h});
    if (st >= 0) swap_rb(bgr.data(), d, sz(w, h));
    return st;
}

// ---- YCoCg: three planes of signed 16-bit samples (native byte order) --------
std::size_t bytes_p3_16(int w, int h) { return sz(w, h) * 6; }
using ToYCoCg = QrxStatus (*)(const Qrx8u*, int, Qrx16s* const[3], int, QrxSize);
using FromYCoCg = QrxStatus (*)(const Qrx16s* const[3], int, Qrx8u*, int, QrxSize);
template <ToYCoCg Fn>
QrxStatus ycocg_enc(const u8* s, int w, int h, u8* d, const Options&) {
    std::vector<u8> bgr(bytes_c3(w, h));
    swap_rb(s, bgr.data(), sz(w, h));
    Qrx16s* base = reinterpret_cast<Qrx16s*>(d);
    Qrx16s* const p[3] = {base, base + sz(w, h), base + 2 * sz(w, h)};
    return Fn(bgr.data(), w * 3, p, w * 2, {w, h});
}
template <FromYCoCg Fn>
QrxStatus ycocg_dec(const u8* s, int w, int h, u8* d, const Options&) {
    const Qrx16s* base = reinterpret_cast<const Qrx16s*>(s);
    const Qrx16s* const p[3] = {base, base + sz(w, h), base + 2 * sz(w, h)};
    std::vector<u8> bgr(bytes_c3(w, h));
    const QrxStatus st = Fn(p, w * 2, bgr.data(), w * 3, {w, h});
    if (st >= 0) swap_rb(bgr.data(), d, sz(w, h));
    return st;
}

// ---- analog-video YUV (not YCbCr) -----------------------------------------
QrxStatus ayuv444_dec(const u8* s, int w, int h, u8* d, const Options&) {
    const Planes p(s, w, h, 1, 1);
    return qrxiYUVToRGB_8u_P3C3R(p.in(), w, d, w * 3, {w, h});
}
QrxStatus ayuv444_enc(const u8* s, int w, int h, u8* d, const Options&) {
    Planes p(d, w, h, 1, 1);
    return qrxiRGBToYUV_8u_C3P3R(s, w * 3, p.p, w, {w, h});
}
QrxStatus ayuv422_dec(const u8* s, int w, int h, u8* d, const Options&) {
    const Planes p(s, w, h, 2, 1);
    return qrxiYUV422ToRGB_8u_P3C3R(p.in(), p.step, d, w * 3, {w, h});
}
QrxStatus ayuv422_enc(const u8* s, int w, int h, u8* d, const Options&) {
    Planes p(d, w, h, 2, 1);
    return qrxiRGBToYUV422_8u_C3P3R(s, w * 3, p.p, p.step, {w, h});
}
QrxStatus ayuv420_dec(const u8* s, int w, int h, u8* d, const Options&) {
    const Planes p(s, w, h, 2, 2);
    return qrxiYUV420ToRGB_8u_P3C3R(p.in(), p.step, d, w * 3, {w, h});
}
QrxStatus ayuv420_enc(const u8* s, int w, int h, u8* d, const Options&) {
    Planes p(d, w, h, 2, 2);
    return qrxiRGBToYUV420_8u_C3P3R(s, w * 3, p.p, p.step, {w, h});
}

const std::vector<Format> kFormats = {
    {"rgb24", "rgb", "8-bit R, G, B per pixel", 1, 1, -1, bytes_c3, rgb_copy, rgb_copy},
    {"bgr24", "bgr", "8-bit B, G, R per pixel", 1, 1, -1, bytes_c3, bgr_swap, bgr_swap},
    {"rgba", "rgb32", "8-bit R, G, B, alpha (written as 255)", 1, 1, -1, bytes_c4, c4_to_rgb<false>, rgb_to_c4<false>},
    {"bgra", "bgr32", "8-bit B, G, R, alpha (written as 255)", 1, 1, -1, bytes_c4, c4_to_rgb<true>, rgb_to_c4<true>},
    {"ycbcr444", "yuv444packed", "YCbCr 4:4:4, Y Cb Cr per pixel", 1, 1, -1, bytes_c3, ycbcr444_dec, ycbcr444_enc},
    {"yuv444p", "ycbcr444p", "YCbCr 4:4:4 planes Y, Cb, Cr", 1, 1, 444, bytes_c3, yuv444p_dec, yuv444p_enc},
    {"i420", "yuv420p YCbCr420", "YCbCr 4:2:0 planes Y, Cb, Cr", 2, 2, 420, bytes_420, i420_dec, i420_enc},
    {"yv12", "YCrCb420", "YCbCr 4:2:0 planes Y, Cr, Cb", 2, 2, -1, bytes_420, yv12_dec, yv12_enc},
    {"yuyv422", "yuy2 YCbCr422", "YCbCr 4:2:2 packed Y0 Cb Y1 Cr", 2, 1, -1, bytes_c2, yuyv_dec, yuyv_enc},
    {"uyvy422", "uyvy CbYCr422", "YCbCr 4:2:2 packed Cb Y0 Cr Y1", 2, 1, -1, bytes_c2, uyvy_dec, uyvy_enc},
    {"yuv422p", "ycbcr422p", "YCbCr 4:2:2 planes Y, Cb, Cr", 2, 1, 422, bytes_422p, yuv422p_dec, yuv422p_enc},
    {"yuv411p", "ycbcr411p YCbCr411", "YCbCr 4:1:1 planes Y, Cb, Cr", 4, 1, -1, bytes_411p, yuv411p_dec, yuv411p_enc},
    {"rgb565", "", "16-bit R5 G6 B5 (write only; --dither for ordered dither)", 1, 1, -1, bytes_c2, nullptr,
     packed16_enc<qrxiYCbCrToRGB565_8u16u_C3R, qrxiYCbCrToRGB565Dither_8u16u_C3R>},
    {"bgr565", "", "16-bit B5 G6 R5 (--dither for ordered dither)", 2, 1, -1, bytes_c2,
     packed16_dec<qrxiBGR565ToYCbCr422_16u8u_C3C2R>,
     packed16_enc<qrxiYCbCrToBGR565_8u16u_C3R, qrxiYCbCrToBGR565Dither_8u16u_C3R>},
    {"rgb555", "", "16-bit R5 G5 B5 (write only)", 1, 1, -1, bytes_c2, nullptr,
     packed16_enc<qrxiYCbCrToRGB555_8u16u_C3R, qrxiYCbCrToRGB555Dither_8u16u_C3R>},
    {"bgr555", "", "16-bit B5 G5 R5", 2, 1, -1, bytes_c2, packed16_dec<qrxiBGR555ToYCbCr422_16u8u_C3C2R>,
     packed16_enc<qrxiYCbCrToBGR555_8u16u_C3R, qrxiYCbCrToBGR555Dither_8u16u_C3R>},
    {"rgb444", "", "16-bit R4 G4 B4 (write only)", 1, 1, -1, bytes_c2, nullptr,
     packed16_enc<qrxiYCbCrToRGB444_8u16u_C3R, qrxiYCbCrToRGB444Dither_8u16u_C3R>},
    {"bgr444", "", "16-bit B4 G4 R4 (write only)", 1, 1, -1, bytes_c2, nullptr,
     packed16_enc<qrxiYCbCrToBGR444_8u16u_C3R, qrxiYCbCrToBGR444Dither_8u16u_C3R>},
    {"yuv444a", "analog444", "analog-video YUV 4:4:4 planes Y, U, V", 1, 1, 444, bytes_c3, ayuv444_dec, ayuv444_enc},
    {"yuv422a", "analog422", "analog-video YUV 4:2:2 planes Y, U, V", 2, 1, 422, bytes_422p, ayuv422_dec, ayuv422_enc},
    {"yuv420a", "analog420", "analog-video YUV 4:2:0 planes Y, U, V", 2, 2, 420, bytes_420, ayuv420_dec, ayuv420_enc},
    {"gray", "grey y8 luma", "8-bit gray (weighted R, G, B); .pgm in and out", 1, 1, -1, bytes_c1, gray_dec, gray_enc},
    {"nv12", "YCbCr420P2", "YCbCr 4:2:0: Y plane, then one plane of Cb, Cr pairs", 2, 2, -1, bytes_420, nv12_dec, nv12_enc},
    {"yuyv422-smooth", "yuyv422s", "YCbCr 4:2:2 packed from 4:2:0 by the smoothing filter (--slice)", 2, 2, -1, bytes_c2,
     yuyv_dec, yuyv_smooth_enc},
    {"hsv", "", "H, S, V per pixel (8-bit, full range)", 1, 1, -1, bytes_c3, pix8<qrxiHSVToRGB_8u_C3R>,
     pix8<qrxiRGBToHSV_8u_C3R>},
    {"hls", "hsl", "H, L, S per pixel (8-bit, full range)", 1, 1, -1, bytes_c3, pix8<qrxiHLSToRGB_8u_C3R>,
     pix8<qrxiRGBToHLS_8u_C3R>},
    {"ycc", "", "Y, C1, C2 per pixel", 1, 1, -1, bytes_c3, pix8<qrxiYCCToRGB_8u_C3R>, pix8<qrxiRGBToYCC_8u_C3R>},
    {"xyz", "ciexyz", "CIE X, Y, Z per pixel (8-bit)", 1, 1, -1, bytes_c3, pix8<qrxiXYZToRGB_8u_C3R>,
     pix8<qrxiRGBToXYZ_8u_C3R>},
    {"luv", "cieluv", "CIE L, u, v per pixel (8-bit)", 1, 1, -1, bytes_c3, pix8<qrxiLUVToRGB_8u_C3R>,
     pix8<qrxiRGBToLUV_8u_C3R>},
    {"lab", "cielab", "CIE L, a, b per pixel (8-bit)", 1, 1, -1, bytes_c3, pix8_to_bgr<qrxiLabToBGR_8u_C3R>,
     pix8_from_bgr<qrxiBGRToLab_8u_C3R>},
    {"ycocg", "", "planes Y, Co, Cg of signed 16-bit samples", 1, 1, -1, bytes_p3_16,
     ycocg_dec<qrxiYCoCgToBGR_16s8u_P3C3R>, ycocg_enc<qrxiBGRToYCoCg_8u16s_C3P3R>},
    {"ycocg-r", "ycocgr", "planes Y, Co, Cg, reversible (lossless) transform, signed 16-bit", 1, 1, -1, bytes_p3_16,
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
