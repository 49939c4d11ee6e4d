// Kernels of the gamma conversion, compiled once per CPU level (the including
// file defines QRX_LEVEL): the curves evaluated per sample (gamma_curves.inl)
// and the table lookups.  A lookup has one possible result,
// so every path gives the same bytes; the paths only differ in speed:
//   8u,  SSSE3 and up: the byte-table lookup of core/byte_table.h for runs of
//        samples (C3, planes); at SSSE3/AVX2 AC4 keeps the plain loop, which is
//        faster there than looking up and merging the alpha back; the
//        byte-permute level stores AC4 with a byte mask;
//   16u: four table reads per 8-byte load and store (C3, planes); AC4 at
//        AVX2 and up: 8-lane gathers of the 32 bits ending at the entry, the
//        alpha lanes masked off so they load nothing; AVX-512: the compact
//        form of gamma_compact16.h, 16 lanes at a time.
// In-place calls pass the same pointer twice: each block is read before it is
// written.  AC4 alpha samples are never stored by the byte-masked paths; the
// others merge the alpha back from the destination (written unchanged).
#include <cstring>

#include "core/inline.h"
#include "core/unaligned.h"
#include "gray_twist_gamma/gamma_compact16.h"
#include "gray_twist_gamma/gamma_kernels.h"
#include "gray_twist_gamma/power.h"

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSSE3__)
#include "core/byte_table.h"
#include "core/lane_gathers.h"
#include "core/lane_samples.h"
#include "core/masked_bytes_x86.h"
#endif
namespace qrx::gamma::QRX_LEVEL {
namespace {

#include "gray_twist_gamma/gamma_curves.inl"

[[maybe_unused]] void lut8_ref(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) {
    for (std::ptrdiff_t i = 0; i < n; ++i) d[i] = t[s[i]];
}
[[maybe_unused]] void lut8_ac4_ref(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const u8 a = s[4 * i], b = s[4 * i + 1], c = s[4 * i + 2];
        d[4 * i] = t[a];
        d[4 * i + 1] = t[b];
        d[4 * i + 2] = t[c];
    }
}
// 16u: four samples moved as one 8-byte word around their four table reads
// (little-endian order).  At 1920x1080 C3 on one AMD core about 1.7x the
// speed of 8-lane gathers of the same table; AC4 keeps the gathers, which
// skip the alpha lanes.
void lut16_ref(const u16* s, u16* d, std::ptrdiff_t n, const u16* t) {
    std::ptrdiff_t i = 0;
    if constexpr (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__)
        for (; i + 4 <= n; i += 4) {
            const std::uint64_t q = load_unaligned<std::uint64_t>(s + i);
            store_unaligned(d + i, std::uint64_t{t[q & 0xFFFF]} | std::uint64_t{t[q >> 16 & 0xFFFF]} << 16 |
                                       std::uint64_t{t[q >> 32 & 0xFFFF]} << 32 | std::uint64_t{t[q >> 48]} << 48);
        }
    for (; i < n; ++i) d[i] = t[s[i]];
}
void lut16_ac4_ref(const u16* s, u16* d, std::ptrdiff_t n, const u16* t) {
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const u16 a = s[4 * i], b = s[4 * i + 1], c = s[4 * i + 2];
        d[4 * i] = t[a];
        d[4 * i + 1] = t[b];
        d[4 * i + 2] = t[c];
    }
}

#if !defined(QRX_LEVEL_SCALAR) && defined(__SSSE3__)
// 8u: the whole register looked up at once (core/byte_table.h).
[[maybe_unused]] void lut8_vec(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) {
    qrx::simd::look_up_bytes(s, d, n, t);
}
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX2__)
// The 16u gather kernels go a cache line of samples at a time, asking for the
// source and destination lines 512 bytes ahead: with the gathers taking the
// load ports, the streams alone are not fetched early enough (1920x1080 C3:
// ~13% for the compact form, ~4% for the 16-bit table's gathers).  Returns the
// samples done, a multiple of 32.
template <int Width, class Block>
QRX_INLINE std::ptrdiff_t by_lines16(const u16* s, u16* d, std::ptrdiff_t samples, Block block) {
    std::ptrdiff_t i = 0;
    for (; i + 32 <= samples; i += 32) {
        qrx::simd::prefetch_ahead(s + i, 512);
        qrx::simd::prefetch_ahead(d + i, 512);
        for (int k = 0; k < 32; k += Width) block(i + k);
    }
    return i;
}

// 16u AC4: the table's entries gathered a register of lanes at a time (the two
// bytes below entry 0 still lie inside the table's scratch block), leaving the
// fourth sample as it was.  Eight lanes at every level: with the table
// mostly outside L1, 16-lane gathers measured about 13% slower at 1920x1080.
using L16 = lanes::F8;
void lut16_ac4_lanes(const u16* s, u16* d, std::ptrdiff_t n, const u16* t) {
    const std::ptrdiff_t i = by_lines16<L16::kWidth>(s, d, 4 * n, [&](std::ptrdiff_t j) {
        lanes::narrow_lanes<true>(d + j, lanes::raw_bits(lanes::gather_u16<true>(t, lanes::int_bits(lanes::widen_samples<L16>(s + j)))));
    });
    lut16_ac4_ref(s + i, d + i, n - i / 4, t);
}
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(QRX_LANES_HAVE_16)
// 16u through the compact form: the segment's line from two registers plus
// the residual byte gathered from a 64 KiB table (1920x1080 C3: ~1.3x the
// speed of the 16-bit table's gathers).
template <bool Fwd>
QRX_INLINE lanes::I16 compact16_segment_lanes(lanes::I16 v) {
    if constexpr (!Fwd) return lanes::sra(v, 11);
    // the float exponent of v and two fraction bits; 0 below 1024
    return lanes::imax(lanes::sra(lanes::int_bits(lanes::to_float(v)), 21) - lanes::I16(547), lanes::I16(0));
}

template <bool Fwd, bool Ac4>
void compact16_lanes(const u16* s, u16* d, std::ptrdiff_t n, const std::uint32_t* segments, const u8* residual) {
    using lanes::I16;
    const I16 lo = I16::load(reinterpret_cast<const std::int32_t*>(segments));
    const I16 hi = I16::load(reinterpret_cast<const std::int32_t*>(segments) + 16);
    const std::ptrdiff_t samples = Ac4 ? 4 * n : n;
    std::ptrdiff_t i = by_lines16<I16::kWidth>(s, d, samples, [&](std::ptrdiff_t j) {
        const I16 v = lanes::int_bits(lanes::widen_samples<lanes::F16>(s + j));
        const I16 seg = lanes::permute_pair(lo, hi, compact16_segment_lanes<Fwd>(v));
        const I16 line = lanes::sra(seg, 16) + lanes::sra(v * lanes::and_bits(seg, 0xFFFF), 12);
        const I16 y = lanes::and_bits(line + lanes::gather_u8_entries<Ac4>(residual, v), 0xFFFF);
        lanes::narrow_lanes<Ac4>(d + j, lanes::raw_bits(y));
    });
    for (; i < samples; ++i)
        if (!Ac4 || i % 4 != 3) d[i] = compact16_result(s[i], segments, residual, Fwd);
}
#define QRX_GAMMA_COMPACT16 \
    {{compact16_lanes<true, false>, compact16_lanes<true, true>}, {compact16_lanes<false, false>, compact16_lanes<false, true>}}
#endif

#if !defined(QRX_LEVEL_SCALAR) && defined(__AVX512VBMI__)
void lut8_vbmi_masked(const u8* s, u8* d, std::ptrdiff_t n, const u8* t, unsigned long long keep) {
    using V = qrx::simd::V512;
    using qrx::simd::store_bytes_masked;
    const qrx::simd::ByteTable<V> table(t);
    std::ptrdiff_t i = 0;
    for (; i + 256 <= n; i += 256) {
        const V::T x0 = V::load(s + i), x1 = V::load(s + i + 64), x2 = V::load(s + i + 128), x3 = V::load(s + i + 192);
        const V::T r0 = table.look(x0), r1 = table.look(x1), r2 = table.look(x2), r3 = table.look(x3);
        store_bytes_masked(d + i, keep, r0);
        store_bytes_masked(d + i + 64, keep, r1);
        store_bytes_masked(d + i + 128, keep, r2);
        store_bytes_masked(d + i + 192, keep, r3);
    }
    for (; i < n; i += 64) {
        const unsigned long long m = qrx::simd::first_bytes(n - i);
        store_bytes_masked(d + i, m & keep, table.look(qrx::simd::load_bytes_masked(s + i, m)));
    }
}

void lut8_vbmi(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) { lut8_vbmi_masked(s, d, n, t, ~0ull); }
void lut8_ac4_vbmi(const u8* s, u8* d, std::ptrdiff_t n, const u8* t) {
    lut8_vbmi_masked(s, d, 4 * n, t, qrx::simd::kFirstThreeOfFour);  // alpha bytes are not stored
}
#endif


}  // namespace

#if defined(QRX_LEVEL_SCALAR) || !defined(__SSSE3__)
extern const Kernels kTable = {lut8_ref, lut8_ac4_ref, lut16_ref, lut16_ac4_ref, QRX_GAMMA_CURVES, {}};
#elif defined(__AVX512VBMI__)
extern const Kernels kTable = {lut8_vbmi, lut8_ac4_vbmi, lut16_ref, lut16_ac4_lanes, QRX_GAMMA_CURVES, QRX_GAMMA_COMPACT16};
#elif defined(QRX_LANES_HAVE_16)
extern const Kernels kTable = {lut8_vec, lut8_ac4_ref, lut16_ref, lut16_ac4_lanes, QRX_GAMMA_CURVES, QRX_GAMMA_COMPACT16};
#elif defined(__AVX2__)
extern const Kernels kTable = {lut8_vec, lut8_ac4_ref, lut16_ref, lut16_ac4_lanes, QRX_GAMMA_CURVES, {}};
#else
extern const Kernels kTable = {lut8_vec, lut8_ac4_ref, lut16_ref, lut16_ac4_ref, QRX_GAMMA_CURVES, {}};
#endif

}  // namespace qrx::gamma::QRX_LEVEL
