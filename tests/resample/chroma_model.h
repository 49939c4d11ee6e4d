// Test model of the chroma layout conversions: images held as a luma plane
// and two chroma grids; reading and writing every layout; the chroma rules
// chosen by the pair of samplings.  Written from the layout definitions,
// independently of the library's row operations.
#pragma once

#include <cstdint>
#include <vector>

#include "qrxcc.h"
#include "support/test_image.h"

namespace resample_test {

using u8 = std::uint8_t;

enum class Lay { C2YCbCr, C2YCrCb, C2CbYCr, P3, P3CrCb, P2 };
enum Samp { S422 = 422, S420 = 420, S411 = 411 };

inline int chroma_w(Samp s, int w) { return s == S411 ? w / 4 : w / 2; }
inline int chroma_h(Samp s, int h) { return s == S420 ? h / 2 : h; }
// Allocation sizes for a requested (not yet rounded) ROI.
inline int chroma_w_ceil(Samp s, int w) { return s == S411 ? (w + 3) / 4 : (w + 1) / 2; }
inline int chroma_h_ceil(Samp s, int h) { return s == S420 ? (h + 1) / 2 : h; }
inline bool is_packed(Lay l) { return l == Lay::C2YCbCr || l == Lay::C2YCrCb || l == Lay::C2CbYCr; }
inline int plane_count(Lay l) { return is_packed(l) ? 1 : l == Lay::P2 ? 2 : 3; }

// An image in one layout: up to three guarded planes, with the pointers and
// steps handed to the function (possibly starting at the last row with a
// negative step, or with a zero step).
struct Planes {
    std::vector<qrxtest::GuardedImage> img;
    u8* p[3] = {nullptr, nullptr, nullptr};
    const u8* cp[3] = {nullptr, nullptr, nullptr};
    int step[3] = {0, 0, 0};
    bool null_array = false;

    // steps: 0 padded rows, each plane with its own step; -1 the same rows
    // bottom-up (negative steps); +1 every row on the first (zero steps);
    // 2 rows back to back (steps equal to the row bytes).
    Planes(Lay lay, Samp samp, int w, int h, int steps = 0) {
        const int flip_or_zero = steps == 2 ? 0 : steps;
        const bool tight = steps == 2;
        const int rows = h > 0 ? h : 1;
        const int cw = chroma_w_ceil(samp, w), ch = chroma_h_ceil(samp, rows);
        if (is_packed(lay)) {
            img.emplace_back((w + 1) / 2 * 4, rows, tight ? 0 : 5);
        } else {
            img.emplace_back(w, rows, tight ? 0 : 3);
            if (lay == Lay::P2) {
                img.emplace_back(cw * 2, ch, tight ? 0 : 9);
            } else {
                img.emplace_back(cw, ch, tight ? 0 : 7);
                img.emplace_back(cw, ch, tight ? 0 : 13);
            }
        }
        for (std::size_t i = 0; i < img.size(); ++i) {
            auto& g = img[i];
            if (flip_or_zero < 0) {  // rows run upwards
                p[i] = g.row(g.rows() - 1);
                step[i] = -g.step();
            } else if (flip_or_zero > 0) {  // every row on the same row
                p[i] = g.data();
                step[i] = 0;
            } else {
                p[i] = g.data();
                step[i] = g.step();
            }
            cp[i] = p[i];
        }
    }
    u8* row(int plane, int r) const { return p[plane] + static_cast<std::ptrdiff_t>(r) * step[plane]; }
    void fill_random(std::uint32_t seed) {
        for (auto& g : img) g.fill_random(seed++);
    }
    std::vector<u8> bytes() const {
        std::vector<u8> out;
        for (auto& g : img) out.insert(out.end(), g.all_bytes().begin(), g.all_bytes().end());
        return out;
    }
    bool guards_intact() const {
        for (auto& g : img)
            if (!g.guards_intact()) return false;
        return true;
    }
};

struct Canon {
    int w = 0, h = 0, cw = 0, ch = 0;
    std::vector<u8> y, cb, cr;
    u8& Y(int r, int c) { return y[static_cast<std::size_t>(r) * w + c]; }
    u8& Cb(int r, int i) { return cb[static_cast<std::size_t>(r) * cw + i]; }
    u8& Cr(int r, int i) { return cr[static_cast<std::size_t>(r) * cw + i]; }
};

// Byte offsets of Y0, first chroma, Y1, second chroma in a packed group, and
// whether the first chroma byte is Cb.
struct PackedOrder {
    int y0, c0, y1, c1;
    bool cb_first;
};
inline PackedOrder order_of(Lay l) {
    switch (l) {
        case Lay::C2YCbCr: return {0, 1, 2, 3, true};
        case Lay::C2YCrCb: return {0, 1, 2, 3, false};
        default: return {1, 0, 3, 2, true};  // CbYCr
    }
}

// Moves every sample between the canonical form and an image in layout `lay`:
// reading the image when `into_canon`, writing it otherwise.
inline void transfer(Canon& c, const Planes& s, Lay lay, bool into_canon) {
    auto mv = [into_canon](u8& canon, u8& img) {
        if (into_canon) canon = img;
        else img = canon;
    };
    if (is_packed(lay)) {
        const PackedOrder o = order_of(lay);
        for (int r = 0; r < c.h; ++r)
            for (int q = 0; q < c.w / 2; ++q) {
                u8* g = s.row(0, r) + 4 * q;
                mv(c.Y(r, 2 * q), g[o.y0]);
                mv(c.Y(r, 2 * q + 1), g[o.y1]);
                mv(o.cb_first ? c.Cb(r, q) : c.Cr(r, q), g[o.c0]);
                mv(o.cb_first ? c.Cr(r, q) : c.Cb(r, q), g[o.c1]);
            }
        return;
    }
    for (int r = 0; r < c.h; ++r)
        for (int x = 0; x < c.w; ++x) mv(c.Y(r, x), s.row(0, r)[x]);
    const int pcb = lay == Lay::P3CrCb ? 2 : 1;
    for (int r = 0; r < c.ch; ++r)
        for (int i = 0; i < c.cw; ++i) {
            mv(c.Cb(r, i), lay == Lay::P2 ? s.row(1, r)[2 * i] : s.row(pcb, r)[i]);
            mv(c.Cr(r, i), lay == Lay::P2 ? s.row(1, r)[2 * i + 1] : s.row(3 - pcb, r)[i]);
        }
}

inline Canon read(const Planes& s, Lay lay, Samp samp, int w, int h) {
    Canon c;
    c.w = w, c.h = h, c.cw = chroma_w(samp, w), c.ch = chroma_h(samp, h);
    c.y.resize(static_cast<std::size_t>(w) * h);
    c.cb.resize(static_cast<std::size_t>(c.cw) * c.ch);
    c.cr.resize(c.cb.size());
    transfer(c, s, lay, true);
    return c;
}
inline void write(Canon& c, Planes& d, Lay lay) { transfer(c, d, lay, false); }

// The chroma rule between two samplings, sample by sample.
inline Canon resample(Canon& s, Samp from, Samp to) {
    Canon d;
    d.w = s.w, d.h = s.h, d.cw = chroma_w(to, s.w), d.ch = chroma_h(to, s.h);
    d.y = s.y;
    d.cb.resize(static_cast<std::size_t>(d.cw) * d.ch);
    d.cr.resize(d.cb.size());
    for (int r = 0; r < d.ch; ++r)
        for (int i = 0; i < d.cw; ++i) {
            int sr = r, si = i;
            if (from == to) {
            } else if (from == S422 && to == S420) {  // VDROP
                sr = 2 * r;
            } else if (from == S420 && to == S422) {  // VDUP
                sr = r / 2;
            } else if (from == S422 && to == S411) {  // HDROP
                si = 2 * i;
            } else if (from == S411 && to == S422) {  // HDUP
                si = i / 2;
            } else if (from == S420 && to == S411) {  // SPLIT
                sr = r / 2, si = 2 * i + (r & 1);
            } else {  // MERGE 4:1:1 -> 4:2:0
                sr = 2 * r + (i & 1), si = i / 2;
            }
            d.Cb(r, i) = s.Cb(sr, si);
            d.Cr(r, i) = s.Cr(sr, si);
        }
    return d;
}

}  // namespace resample_test
