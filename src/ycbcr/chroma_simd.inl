// Hand-written vector bodies of the subsampled conversions, included by
// chroma_rows.inl at the SIMD levels (inside namespace qrx::ycbcr_sub::<level>).
// The recipes are evaluated in 16-bit lanes exactly as their formulas read:
// ⌊k v / 2^s⌋ is the high half of the 16x16 product of (v << (16 - s)) and k.
// Kernels run 32 pixels at a time where AVX2 is available, then 16 at a time,
// and leave what is left of the body region to the generic loop of the same
// recipe; the region plan itself is never changed by the vector width.
// (<immintrin.h> is included by chroma_rows.inl, outside any namespace.)

namespace {

// Two 16-bit coefficients in one 32-bit lane (low a, high b), for madd.
constexpr int pair32(int a, int b) {
    return static_cast<int>((static_cast<unsigned>(a) & 0xFFFFu) | (static_cast<unsigned>(b) << 16));
}

// ---- vector abstraction: byte order is always the natural pixel order ---------------

struct V128 {
    using T = __m128i;
    static constexpr int W = 16;  // bytes (8-bit pixels) per vector
    static T load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    static T load_a(const void* p) { return _mm_load_si128(static_cast<const __m128i*>(p)); }
    static void store(void* p, T v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
    static void store_a(void* p, T v) { _mm_store_si128(static_cast<__m128i*>(p), v); }
    static T load_half(const void* p) { return _mm_loadl_epi64(static_cast<const __m128i*>(p)); }
    static void store_half(void* p, T v) { _mm_storel_epi64(static_cast<__m128i*>(p), v); }
    static T set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static T set32(int v) { return _mm_set1_epi32(v); }
    static T zero() { return _mm_setzero_si128(); }
    static T add(T a, T b) { return _mm_add_epi16(a, b); }
    static T sub(T a, T b) { return _mm_sub_epi16(a, b); }
    static T add32(T a, T b) { return _mm_add_epi32(a, b); }
    static T mulhi(T a, T b) { return _mm_mulhi_epi16(a, b); }
    static T mulhu(T a, T b) { return _mm_mulhi_epu16(a, b); }
    static T madd(T a, T b) { return _mm_madd_epi16(a, b); }
    static T shl(T a, int n) { return _mm_slli_epi16(a, n); }
    static T sra(T a, int n) { return _mm_srai_epi16(a, n); }
    static T srl(T a, int n) { return _mm_srli_epi16(a, n); }
    static T srl32(T a, int n) { return _mm_srli_epi32(a, n); }
    static T sra32(T a, int n) { return _mm_srai_epi32(a, n); }
    static T and_(T a, T b) { return _mm_and_si128(a, b); }
    static T widen_lo(T v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
    static T widen_hi(T v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }
    static T pack(T a, T b) { return _mm_packus_epi16(a, b); }
    // in-lane forms: hwide_* put each byte in the high half of a 16-bit lane (v << 8);
    // pack_il undoes the lane split of hwide_* / zip*_il (identity for 128 bits)
    static T hwide_lo(T v) { return _mm_unpacklo_epi8(_mm_setzero_si128(), v); }
    static T hwide_hi(T v) { return _mm_unpackhi_epi8(_mm_setzero_si128(), v); }
    static T wide_lo_il(T v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
    static T wide_hi_il(T v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }
    static T pack_il(T a, T b) { return _mm_packus_epi16(a, b); }
    static T unpack8_lo_il(T a, T b) { return _mm_unpacklo_epi8(a, b); }
    static T unpack8_hi_il(T a, T b) { return _mm_unpackhi_epi8(a, b); }
    static T unpack16_lo_il(T a, T b) { return _mm_unpacklo_epi16(a, b); }
    static T unpack16_hi_il(T a, T b) { return _mm_unpackhi_epi16(a, b); }
    static T unpack64_lo_il(T a, T b) { return _mm_unpacklo_epi64(a, b); }
    static T unpack64_hi_il(T a, T b) { return _mm_unpackhi_epi64(a, b); }
#if defined(__SSSE3__)
    static T shuffle8_il(T a, __m128i m) { return _mm_shuffle_epi8(a, m); }
#endif
    static T or_(T a, T b) { return _mm_or_si128(a, b); }
    static T shl32(T a, int n) { return _mm_slli_epi32(a, n); }
    static T pack32(T a, T b) { return _mm_packs_epi32(a, b); }
    static T pack32_il(T a, T b) { return _mm_packs_epi32(a, b); }
    static T zip8_lo(T a, T b) { return _mm_unpacklo_epi8(a, b); }
    static T zip8_hi(T a, T b) { return _mm_unpackhi_epi8(a, b); }
    static T zip16_lo(T a, T b) { return _mm_unpacklo_epi16(a, b); }
    static T zip16_hi(T a, T b) { return _mm_unpackhi_epi16(a, b); }
    static __m128i half(T v, int i) { return i == 0 ? v : _mm_setzero_si128(); }
};

#if defined(__AVX2__)
struct V256 {
    using T = __m256i;
    static constexpr int W = 32;
    static T load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
    static T load_a(const void* p) { return load(p); }
    static void store(void* p, T v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
    static void store_a(void* p, T v) { store(p, v); }
    static T load_half(const void* p) {
        return _mm256_castsi128_si256(_mm_loadu_si128(static_cast<const __m128i*>(p)));
    }
    static T load_quarter(const void* p) {
        return _mm256_castsi128_si256(_mm_loadl_epi64(static_cast<const __m128i*>(p)));
    }
    static void store_half(void* p, T v) { _mm_storeu_si128(static_cast<__m128i*>(p), _mm256_castsi256_si128(v)); }
    static T set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static T set32(int v) { return _mm256_set1_epi32(v); }
    static T zero() { return _mm256_setzero_si256(); }
    static T add(T a, T b) { return _mm256_add_epi16(a, b); }
    static T sub(T a, T b) { return _mm256_sub_epi16(a, b); }
    static T add32(T a, T b) { return _mm256_add_epi32(a, b); }
    static T mulhi(T a, T b) { return _mm256_mulhi_epi16(a, b); }
    static T mulhu(T a, T b) { return _mm256_mulhi_epu16(a, b); }
    static T madd(T a, T b) { return _mm256_madd_epi16(a, b); }
    static T shl(T a, int n) { return _mm256_slli_epi16(a, n); }
    static T sra(T a, int n) { return _mm256_srai_epi16(a, n); }
    static T srl(T a, int n) { return _mm256_srli_epi16(a, n); }
    static T srl32(T a, int n) { return _mm256_srli_epi32(a, n); }
    static T sra32(T a, int n) { return _mm256_srai_epi32(a, n); }
    static T and_(T a, T b) { return _mm256_and_si256(a, b); }
    static T widen_lo(T v) { return _mm256_cvtepu8_epi16(_mm256_castsi256_si128(v)); }
    static T widen_hi(T v) { return _mm256_cvtepu8_epi16(_mm256_extracti128_si256(v, 1)); }
    static T q(T v) { return _mm256_permute4x64_epi64(v, 0xD8); }
    static T pack(T a, T b) { return q(_mm256_packus_epi16(a, b)); }
    static T hwide_lo(T v) { return _mm256_unpacklo_epi8(_mm256_setzero_si256(), v); }
    static T hwide_hi(T v) { return _mm256_unpackhi_epi8(_mm256_setzero_si256(), v); }
    static T wide_lo_il(T v) { return _mm256_unpacklo_epi8(v, _mm256_setzero_si256()); }
    static T wide_hi_il(T v) { return _mm256_unpackhi_epi8(v, _mm256_setzero_si256()); }
    static T pack_il(T a, T b) { return _mm256_packus_epi16(a, b); }
    static T unpack8_lo_il(T a, T b) { return _mm256_unpacklo_epi8(a, b); }
    static T unpack8_hi_il(T a, T b) { return _mm256_unpackhi_epi8(a, b); }
    static T unpack16_lo_il(T a, T b) { return _mm256_unpacklo_epi16(a, b); }
    static T unpack16_hi_il(T a, T b) { return _mm256_unpackhi_epi16(a, b); }
    static T unpack64_lo_il(T a, T b) { return _mm256_unpacklo_epi64(a, b); }
    static T unpack64_hi_il(T a, T b) { return _mm256_unpackhi_epi64(a, b); }
    static T shuffle8_il(T a, __m128i m) { return _mm256_shuffle_epi8(a, _mm256_broadcastsi128_si256(m)); }
    static T or_(T a, T b) { return _mm256_or_si256(a, b); }
    static T shl32(T a, int n) { return _mm256_slli_epi32(a, n); }
    static T pack32(T a, T b) { return q(_mm256_packs_epi32(a, b)); }
    static T pack32_il(T a, T b) { return _mm256_packs_epi32(a, b); }
    static T zip8_lo(T a, T b) { return _mm256_unpacklo_epi8(q(a), q(b)); }
    static T zip8_hi(T a, T b) { return _mm256_unpackhi_epi8(q(a), q(b)); }
    static T zip16_lo(T a, T b) { return _mm256_unpacklo_epi16(q(a), q(b)); }
    static T zip16_hi(T a, T b) { return _mm256_unpackhi_epi16(q(a), q(b)); }
    static T join(__m128i lo, __m128i hi) { return _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1); }
    static __m128i half(T v, int i) { return i == 0 ? _mm256_castsi256_si128(v) : _mm256_extracti128_si256(v, 1); }
};
#endif

#if defined(__AVX512BW__)
// 512 bits: what the 4-byte-pixel bodies need (4:2:0 forward, packed 4:2:2 inverse).
// Shifts use the all-ones masked forms where GCC 12 would warn about the
// undefined register the plain intrinsics pass; the instructions are the same.
struct V512 {
    using T = __m512i;
    static constexpr int W = 64;
    static T load(const void* p) { return _mm512_loadu_si512(p); }
    static T load_a(const void* p) { return load(p); }
    static void store(void* p, T v) { _mm512_storeu_si512(p, v); }
    static void store_a(void* p, T v) { store(p, v); }
    static T set32(int v) { return _mm512_set1_epi32(v); }
    static T zero() { return _mm512_setzero_si512(); }
    static T unpack8_lo_il(T a, T b) { return _mm512_unpacklo_epi8(a, b); }
    static T unpack8_hi_il(T a, T b) { return _mm512_unpackhi_epi8(a, b); }
    static T unpack16_lo_il(T a, T b) { return _mm512_unpacklo_epi16(a, b); }
    static T unpack16_hi_il(T a, T b) { return _mm512_unpackhi_epi16(a, b); }
    static T unpack64_lo_il(T a, T b) { return _mm512_maskz_unpacklo_epi64(0xFF, a, b); }
    static T unpack64_hi_il(T a, T b) { return _mm512_maskz_unpackhi_epi64(0xFF, a, b); }
    static T shuffle8_il(T a, __m128i m) { return _mm512_shuffle_epi8(a, _mm512_maskz_broadcast_i32x4(0xFFFF, m)); }
    static void store_half(void* p, T v) { _mm512_mask_storeu_epi8(p, 0xFFFFFFFFull, v); }
    static T set16(int v) { return _mm512_set1_epi16(static_cast<short>(v)); }
    static T add(T a, T b) { return _mm512_add_epi16(a, b); }
    static T sub(T a, T b) { return _mm512_sub_epi16(a, b); }
    static T mulhi(T a, T b) { return _mm512_mulhi_epi16(a, b); }
    static T mulhu(T a, T b) { return _mm512_mulhi_epu16(a, b); }
    static T shl(T a, int n) { return _mm512_slli_epi16(a, static_cast<unsigned>(n)); }
    static T sra(T a, int n) { return _mm512_srai_epi16(a, static_cast<unsigned>(n)); }
    static T srl(T a, int n) { return _mm512_srli_epi16(a, static_cast<unsigned>(n)); }
    static T and_(T a, T b) { return _mm512_and_si512(a, b); }
    static T hwide_lo(T v) { return _mm512_unpacklo_epi8(_mm512_setzero_si512(), v); }
    static T hwide_hi(T v) { return _mm512_unpackhi_epi8(_mm512_setzero_si512(), v); }
    static T pack_il(T a, T b) { return _mm512_packus_epi16(a, b); }
    static T pack(T a, T b) {
        const T p = _mm512_packus_epi16(a, b);
        return _mm512_permutex2var_epi64(p, _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), p);
    }
};

// 64 pixels of B, G, R, A -> b, g, r byte vectors in pixel order.
struct Gather4x4 {
    alignas(64) signed char m[64];
};
constexpr Gather4x4 make_gather4x4() {
    Gather4x4 t{};
    for (int i = 0; i < 64; ++i) t.m[i] = static_cast<signed char>((i % 4) * 4 + (i % 16) / 4);
    return t;
}
constexpr Gather4x4 kGather4x4 = make_gather4x4();  // per 16 bytes: 0 4 8 12 1 5 9 13 2 6 10 14 3 7 11 15

QRX_INLINE void load4_512(const u8* s, __m512i& b, __m512i& g, __m512i& r) {
    const __m512i m = _mm512_load_si512(kGather4x4.m);
    __m512i v[4];
    for (int k = 0; k < 4; ++k) v[k] = _mm512_shuffle_epi8(_mm512_loadu_si512(s + 64 * k), m);
    // dword 4 k + c of v[j] holds channel c of the 4-pixel group 4 j + k
    const __m512i bg = _mm512_setr_epi32(0, 4, 8, 12, 16, 20, 24, 28, 1, 5, 9, 13, 17, 21, 25, 29);
    const __m512i rr = _mm512_setr_epi32(2, 6, 10, 14, 18, 22, 26, 30, 2, 6, 10, 14, 18, 22, 26, 30);
    const __m512i lo = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 16, 17, 18, 19, 20, 21, 22, 23);
    const __m512i hi = _mm512_setr_epi32(8, 9, 10, 11, 12, 13, 14, 15, 24, 25, 26, 27, 28, 29, 30, 31);
    const __m512i bg01 = _mm512_permutex2var_epi32(v[0], bg, v[1]), bg23 = _mm512_permutex2var_epi32(v[2], bg, v[3]);
    const __m512i r01 = _mm512_permutex2var_epi32(v[0], rr, v[1]), r23 = _mm512_permutex2var_epi32(v[2], rr, v[3]);
    b = _mm512_permutex2var_epi32(bg01, lo, bg23);
    g = _mm512_permutex2var_epi32(bg01, hi, bg23);
    r = _mm512_permutex2var_epi32(r01, lo, r23);
}

#endif

// ---- three-byte pixels: 16 pixels <-> three 16-byte channel vectors -------------------------

#if defined(__SSSE3__)
struct Shuffle3 {
    alignas(16) signed char deint[3][3][16];  // [channel][source register][byte]
    alignas(16) signed char inter[3][3][16];  // [output register][channel][byte]
};
constexpr Shuffle3 make_shuffle3() {
    Shuffle3 t{};
    for (int ch = 0; ch < 3; ++ch)
        for (int reg = 0; reg < 3; ++reg)
            for (int j = 0; j < 16; ++j) {
                const int src = 3 * j + ch - 16 * reg;
                t.deint[ch][reg][j] = static_cast<signed char>(src >= 0 && src < 16 ? src : -128);
                const int m = 16 * reg + j;  // output byte m holds channel m % 3 of pixel m / 3
                t.inter[reg][ch][j] = static_cast<signed char>(m % 3 == ch ? m / 3 : -128);
            }
    return t;
}
constexpr Shuffle3 kShuffle3 = make_shuffle3();

QRX_INLINE __m128i shuf(__m128i v, const signed char* m) {
    return _mm_shuffle_epi8(v, _mm_load_si128(reinterpret_cast<const __m128i*>(m)));
}
QRX_INLINE void deint3_16(const u8* s, __m128i c[3]) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 32));
    for (int ch = 0; ch < 3; ++ch)
        c[ch] = _mm_or_si128(_mm_or_si128(shuf(a, kShuffle3.deint[ch][0]), shuf(b, kShuffle3.deint[ch][1])),
                             shuf(d, kShuffle3.deint[ch][2]));
}
QRX_INLINE void inter3_16(u8* d, const __m128i c[3]) {
    for (int reg = 0; reg < 3; ++reg)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16 * reg),
                         _mm_or_si128(_mm_or_si128(shuf(c[0], kShuffle3.inter[reg][0]), shuf(c[1], kShuffle3.inter[reg][1])),
                                      shuf(c[2], kShuffle3.inter[reg][2])));
}
#else
QRX_INLINE void deint3_16(const u8* s, __m128i c[3]) {
    alignas(16) u8 t[3][16];
    for (int j = 0; j < 16; ++j)
        for (int ch = 0; ch < 3; ++ch) t[ch][j] = s[3 * j + ch];
    for (int ch = 0; ch < 3; ++ch) c[ch] = _mm_load_si128(reinterpret_cast<const __m128i*>(t[ch]));
}
QRX_INLINE void inter3_16(u8* d, const __m128i c[3]) {
    alignas(16) u8 t[3][16];
    for (int ch = 0; ch < 3; ++ch) _mm_store_si128(reinterpret_cast<__m128i*>(t[ch]), c[ch]);
    for (int j = 0; j < 16; ++j)
        for (int ch = 0; ch < 3; ++ch) d[3 * j + ch] = t[ch][j];
}
#endif

template <class V>
QRX_INLINE void load3(const u8* s, typename V::T c[3]) {
    if constexpr (V::W == 16) {
        deint3_16(s, c);
    } else {
#if defined(__AVX512VBMI__)
        qrx::simd::load_c3_vbmi(s, c);
#elif defined(__AVX2__)
        // lane 0: pixels 0..15 (bytes 0..47), lane 1: pixels 16..31 (bytes 48..95)
        auto ld = [s](int off) {
            return V256::join(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + off)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 48 + off)));
        };
        const __m256i a = ld(0), b = ld(16), d = ld(32);
        auto sh = [](__m256i v, const signed char* m) {
            return _mm256_shuffle_epi8(v, _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(m))));
        };
        for (int ch = 0; ch < 3; ++ch)
            c[ch] = _mm256_or_si256(_mm256_or_si256(sh(a, kShuffle3.deint[ch][0]), sh(b, kShuffle3.deint[ch][1])),
                                    sh(d, kShuffle3.deint[ch][2]));
#endif
    }
}
template <class V>
QRX_INLINE void store3(u8* d, const typename V::T c[3]) {
    if constexpr (V::W == 16) {
        inter3_16(d, c);
    } else {
#if defined(__AVX512VBMI__)
        qrx::simd::store_c3_vbmi(d, c);
#elif defined(__AVX2__)
        auto sh = [](__m256i v, const signed char* m) {
            return _mm256_shuffle_epi8(v, _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(m))));
        };
        for (int reg = 0; reg < 3; ++reg) {
            const __m256i o = _mm256_or_si256(
                _mm256_or_si256(sh(c[0], kShuffle3.inter[reg][0]), sh(c[1], kShuffle3.inter[reg][1])),
                sh(c[2], kShuffle3.inter[reg][2]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16 * reg), _mm256_castsi256_si128(o));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 48 + 16 * reg), _mm256_extracti128_si256(o, 1));
        }
#endif
    }
}

// ---- four-byte pixels -----------------------------------------------------------------------

// W pixels of B, G, R, A (A not read) -> b, g, r byte vectors.
template <class V, bool Aligned = false>
QRX_INLINE void load4(const u8* s, typename V::T& b, typename V::T& g, typename V::T& r) {
#if defined(__AVX512VBMI__)
    if constexpr (V::W == 32) {
        qrx::simd::load_c4_vbmi(s, b, g, r);  // alignment does not matter to it
        return;
    }
#endif
    using T = typename V::T;
    T v[4];
    for (int k = 0; k < 4; ++k) v[k] = Aligned ? V::load_a(s + k * V::W) : V::load(s + k * V::W);
#if defined(__SSSE3__)
    // per 16 bytes: B0..B3 G0..G3 R0..R3 A0..A3, then gather the 32-bit groups
    const __m128i m = _mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    if constexpr (V::W == 16) {
        for (int k = 0; k < 4; ++k) v[k] = _mm_shuffle_epi8(v[k], m);
        const T t01 = _mm_unpacklo_epi32(v[0], v[1]), t23 = _mm_unpacklo_epi32(v[2], v[3]);
        const T u01 = _mm_unpackhi_epi32(v[0], v[1]), u23 = _mm_unpackhi_epi32(v[2], v[3]);
        b = _mm_unpacklo_epi64(t01, t23);
        g = _mm_unpackhi_epi64(t01, t23);
        r = _mm_unpacklo_epi64(u01, u23);
    } else {
#if defined(__AVX2__)
        const __m256i mm = _mm256_broadcastsi128_si256(m);
        for (int k = 0; k < 4; ++k) v[k] = _mm256_shuffle_epi8(v[k], mm);
        const T t01 = _mm256_unpacklo_epi32(v[0], v[1]), t23 = _mm256_unpacklo_epi32(v[2], v[3]);
        const T u01 = _mm256_unpackhi_epi32(v[0], v[1]), u23 = _mm256_unpackhi_epi32(v[2], v[3]);
        // lanes hold 4-pixel groups 0,2,4,6 | 1,3,5,7: one dword permutation restores the order
        const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
        b = _mm256_permutevar8x32_epi32(_mm256_unpacklo_epi64(t01, t23), order);
        g = _mm256_permutevar8x32_epi32(_mm256_unpackhi_epi64(t01, t23), order);
        r = _mm256_permutevar8x32_epi32(_mm256_unpacklo_epi64(u01, u23), order);
#endif
    }
#else
    const T m = V::set32(0xFF);
    auto ch = [&](int shift) {
        T w[4];
        for (int k = 0; k < 4; ++k) w[k] = V::and_(V::srl32(v[k], shift), m);
        return V::pack(V::pack32(w[0], w[1]), V::pack32(w[2], w[3]));
    };
    b = ch(0);
    g = ch(8);
    r = ch(16);
#endif
}
// b, g, r, a byte vectors in the order left by pack_il of two natural 16-bit halves
// -> W pixels of B, G, R, A.
template <class V, bool Aligned = false>
QRX_INLINE void store4_il(u8* d, typename V::T b, typename V::T g, typename V::T r, typename V::T a) {
    using T = typename V::T;
    const T bg0 = V::unpack8_lo_il(b, g), bg1 = V::unpack8_hi_il(b, g);
    const T ra0 = V::unpack8_lo_il(r, a), ra1 = V::unpack8_hi_il(r, a);
    T o[4] = {V::unpack16_lo_il(bg0, ra0), V::unpack16_hi_il(bg0, ra0), V::unpack16_lo_il(bg1, ra1),
              V::unpack16_hi_il(bg1, ra1)};
#if defined(__AVX2__)
    if constexpr (V::W == 32) {
        // o[k] holds pixels 4k'..4k'+3 | 4k'+8..: the 128-bit halves go straight to
        // their places (a store each) rather than through lane permutes first
        for (int k = 0; k < 4; ++k) {
            u8* q = d + 64 * (k / 2) + 16 * (k % 2);
            const __m128i lo = _mm256_castsi256_si128(o[k]), hi = _mm256_extracti128_si256(o[k], 1);
            if (Aligned) {
                _mm_store_si128(reinterpret_cast<__m128i*>(q), lo);
                _mm_store_si128(reinterpret_cast<__m128i*>(q + 32), hi);
            } else {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(q), lo);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(q + 32), hi);
            }
        }
        return;
    }
#endif
    // 512 bits: the caller hands the pixels in grouped order (see v_packed_pix), so
    // o[k] are already the 16-pixel rows of the output
    for (int k = 0; k < 4; ++k) Aligned ? V::store_a(d + k * V::W, o[k]) : V::store(d + k * V::W, o[k]);
}

// ---- pixel sources and destinations by layout ----------------------------------------------

template <class V, Px L>
QRX_INLINE void load_px(const u8* row, int x, typename V::T& r, typename V::T& g, typename V::T& b) {
    if constexpr (L == Px::Rgb3 || L == Px::Bgr3) {
        typename V::T c[3];
        load3<V>(row + 3 * x, c);
        r = L == Px::Rgb3 ? c[0] : c[2];
        g = c[1];
        b = L == Px::Rgb3 ? c[2] : c[0];
    } else if constexpr (L == Px::Bgr4 || L == Px::Bgr4A) {
        load4<V, L == Px::Bgr4A>(row + 4 * x, b, g, r);
    } else {
        // 16-bit words: fields moved to the top of their lane's low byte by shifts and
        // masks, widened without replication (5-bit x 8, 6-bit x 4)
        using T = typename V::T;
        const T w0 = V::load(row + 2 * x), w1 = V::load(row + 2 * x + V::W);
        const T m5 = V::set16(0x1F);
        auto field = [&](T w, int shift, T mask, int up) { return V::shl(V::and_(V::srl(w, shift), mask), up); };
        b = V::pack(field(w0, 0, m5, 3), field(w1, 0, m5, 3));
        if constexpr (L == Px::Bgr565) {
            const T m6 = V::set16(0x3F);
            g = V::pack(field(w0, 5, m6, 2), field(w1, 5, m6, 2));
            r = V::pack(V::shl(V::srl(w0, 11), 3), V::shl(V::srl(w1, 11), 3));
        } else {
            g = V::pack(field(w0, 5, m5, 3), field(w1, 5, m5, 3));
            r = V::pack(field(w0, 10, m5, 3), field(w1, 10, m5, 3));
        }
    }
}

// W pixels from 16-bit halves (lo: pixels 0..W/2-1, hi: the rest), clamped to bytes.
template <class V, Px L>
QRX_INLINE void store_px16(u8* row, int x, typename V::T r0, typename V::T r1, typename V::T g0, typename V::T g1,
                           typename V::T b0, typename V::T b1, u8 alpha) {
    if constexpr (L == Px::Rgb3 || L == Px::Bgr3) {
        const typename V::T r = V::pack(r0, r1), g = V::pack(g0, g1), b = V::pack(b0, b1);
        const typename V::T c[3] = {L == Px::Rgb3 ? r : b, g, L == Px::Rgb3 ? b : r};
        store3<V>(row + 3 * x, c);
    } else {
#if defined(__AVX512VBMI__)
        if constexpr (V::W == 64) {
            // halves in natural order (lane L of r0: pixels 8L..8L+7); each 16-pixel row of
            // output is one byte permute of the B|G and R|alpha packs of its half
            const __m512i a16 = V::set16(alpha);
            const __m512i bg[2] = {_mm512_packus_epi16(b0, g0), _mm512_packus_epi16(b1, g1)};
            const __m512i ra[2] = {_mm512_packus_epi16(r0, a16), _mm512_packus_epi16(r1, a16)};
            for (int k = 0; k < 4; ++k)
                V::store(row + 4 * x + 64 * k, qrx::simd::c4_row_of_packs(bg[k / 2], ra[k / 2], k % 2));
            return;
        }
#endif
        store4_il<V, L == Px::Bgr4A>(row + 4 * x, V::pack_il(b0, b1), V::pack_il(g0, g1), V::pack_il(r0, r1),
                                     V::set16(alpha * 0x0101));
    }
}

// ---- recipes in 16-bit lanes ---------------------------------------------------------------

enum class Fwd { Y15P11, Y15P10, FpP17, Y15Q11, Y12Q12 };
enum class Inv { I13t, I13r, I12 };

// Luma of 16-bit lanes holding R, G, B shifted left by 8 (as hwide_* gives them).
template <class V, Fwd R>
QRX_INLINE typename V::T luma16h(typename V::T r, typename V::T g, typename V::T b) {
    if constexpr (R == Fwd::Y12Q12) {
        // (⌊1052 R / 512⌋ + ⌊2064 G / 512⌋ + ⌊401 B / 512⌋ + 132) >> 3; the even coefficients
        // are halved onto the v << 8 lanes (⌊1052 R / 512⌋ = ⌊526 R / 256⌋), 401 uses v << 7
        const auto s = V::add(V::add(V::mulhu(r, V::set16(526)), V::mulhu(g, V::set16(1032))),
                              V::add(V::mulhu(V::srl(b, 1), V::set16(401)), V::set16(132)));
        return V::sra(s, 3);
    } else if constexpr (R == Fwd::FpP17) {
        // FP: ⌊(⌊16843 R / 256⌋ + ⌊33030 G / 256⌋ + ⌊6423 B / 256⌋) / 256⌋ + 16 (unsigned lanes)
        const auto s = V::add(V::add(V::mulhu(r, V::set16(16843)), V::mulhu(g, V::set16(33030))),
                              V::mulhu(b, V::set16(6423)));
        return V::add(V::srl(s, 8), V::set16(16));
    } else {
        // Y15: ⌊(⌊8422 R / 256⌋ + ⌊16515 G / 256⌋ + ⌊3212 B / 256⌋ + 2112) / 128⌋
        const auto s = V::add(V::add(V::mulhu(r, V::set16(8422)), V::mulhu(g, V::set16(16515))),
                              V::add(V::mulhu(b, V::set16(3212)), V::set16(2112)));
        return V::srl(s, 7);
    }
}

// P17 on pair sums in 32-bit lanes: (a SR + b SG + c SB + 16842752) >> 17.
template <class V>
QRX_INLINE typename V::T p17_16(typename V::T sr, typename V::T sg, typename V::T sb, int a, int b, int c) {
    const auto k_rg = V::set32(pair32(a, b)), k_b = V::set32(pair32(c, 0)), off = V::set32(16842752);
    const auto z = V::zero();
    const auto lo = V::add32(V::add32(V::madd(V::zip16_lo(sr, sg), k_rg), V::madd(V::zip16_lo(sb, z), k_b)), off);
    const auto hi = V::add32(V::add32(V::madd(V::zip16_hi(sr, sg), k_rg), V::madd(V::zip16_hi(sb, z), k_b)), off);
    return V::pack32(V::sra32(lo, 17), V::sra32(hi, 17));
}

// Chroma of sums (pair sums for 4:2:2, 2x2 block sums for 4:2:0), 16-bit lanes.
// Preshifted: Y15Q11 sums that already carry the pre-shift of 5.
template <class V, Fwd R, bool Preshifted = false>
QRX_INLINE void chroma16(typename V::T sr, typename V::T sg, typename V::T sb, typename V::T& cb, typename V::T& cr) {
    static_assert(!Preshifted || R == Fwd::Y15Q11, "only the Q11 sums come pre-shifted");
    auto t = [](typename V::T v, int pre, int k) {
        return V::mulhi(Preshifted ? v : V::shl(v, pre), V::set16(k));
    };
    if constexpr (R == Fwd::Y15P11) {
        cb = V::sra(V::add(V::sub(V::sub(t(sb, 5, 28770), t(sr, 5, 9699)), t(sg, 5, 19071)), V::set16(8200)), 6);
        cr = V::sra(V::add(V::sub(V::sub(t(sr, 5, 28770), t(sg, 5, 24117)), t(sb, 5, 4653)), V::set16(8200)), 6);
    } else if constexpr (R == Fwd::Y15Q11) {
        cb = V::sra(V::add(V::sub(V::sub(t(sb, 5, 28770), t(sr, 5, 9699)), t(sg, 5, 19071)), V::set16(16400)), 7);
        cr = V::sra(V::add(V::sub(V::sub(t(sr, 5, 28770), t(sg, 5, 24117)), t(sb, 5, 4653)), V::set16(16400)), 7);
    } else if constexpr (R == Fwd::Y15P10) {
        cb = V::sra(V::add(V::add(V::add(t(sr, 6, -9699), t(sg, 6, -19071)), t(sb, 6, 28770)), V::set16(16448)), 7);
        cr = V::sra(V::add(V::add(V::add(t(sr, 6, 28770), t(sg, 6, -24117)), t(sb, 6, -4653)), V::set16(16448)), 7);
    } else if constexpr (R == Fwd::Y12Q12) {
        cb = V::sra(V::add(V::add(V::add(t(sr, 5, -607), t(sg, 5, -1192)), t(sb, 5, 1798)), V::set16(1028)), 3);
        cr = V::sra(V::add(V::add(V::add(t(sr, 5, 1798), t(sg, 5, -1508)), t(sb, 5, -291)), V::set16(1028)), 3);
    } else {
        cb = p17_16<V>(sr, sg, sb, -9699, -19071, 28770);
        cr = p17_16<V>(sr, sg, sb, 28770, -24117, -4653);
    }
}

// Pair sums of a byte vector: W/2 sums in 16-bit lanes, pair order.
template <class V>
QRX_INLINE typename V::T pair_sums(typename V::T v) {
#if defined(__SSSE3__)
    // unsigned bytes times signed ones, adjacent products added (at most 510: no saturation)
    if constexpr (V::W == 16) return _mm_maddubs_epi16(v, _mm_set1_epi8(1));
#if defined(__AVX2__)
    else if constexpr (V::W == 32) return _mm256_maddubs_epi16(v, _mm256_set1_epi8(1));
#endif
#if defined(__AVX512BW__)
    else return _mm512_maddubs_epi16(v, _mm512_set1_epi8(1));
#endif
#endif
    return V::add(V::and_(v, V::set16(0xFF)), V::srl(v, 8));
}

// Luma of W pixels as bytes.
template <class V, Fwd R>
QRX_INLINE typename V::T luma8(typename V::T r, typename V::T g, typename V::T b) {
    // in-lane widening and packing: the byte order comes back unchanged
    return V::pack_il(luma16h<V, R>(V::hwide_lo(r), V::hwide_lo(g), V::hwide_lo(b)),
                      luma16h<V, R>(V::hwide_hi(r), V::hwide_hi(g), V::hwide_hi(b)));
}

// Chroma terms of the inverse recipes (16-bit lanes of Cb, Cr in 0..255): the red,
// green and blue additions that every pixel sharing this chroma receives.
template <class V, Inv R>
QRX_INLINE void chroma_terms(typename V::T cb, typename V::T cr, typename V::T& tr, typename V::T& tg,
                             typename V::T& tb) {
    const auto bp = V::shl(V::sub(cb, V::set16(128)), 7);
    const auto rp = V::shl(V::sub(cr, V::set16(128)), 7);
    auto T = [](typename V::T v, int k) { return V::mulhi(v, V::set16(k)); };
    if constexpr (R == Inv::I13t) {
        tr = T(rp, 13074);
        tg = V::add(T(rp, -6660), T(bp, -3203));
        tb = T(bp, 16523);
    } else if constexpr (R == Inv::I13r) {
        tr = T(rp, 13074);
        tg = V::add(T(rp, -6660), T(bp, -3211));
        tb = T(bp, 16523);
    } else {  // I12: green terms positive and subtracted
        tr = T(rp, 6537);
        tg = V::sub(V::sub(V::zero(), T(bp, 1605)), T(rp, 3330));
        tb = T(bp, 8261);
    }
}

// Luma term plus chroma terms, shifted; results not yet clamped.
template <class V, Inv R>
QRX_INLINE void rgb_from_terms(typename V::T y, typename V::T tr, typename V::T tg, typename V::T tb,
                               typename V::T& r, typename V::T& g, typename V::T& b) {
    const auto yp = V::shl(V::sub(y, V::set16(16)), 7);
    constexpr int shift = R == Inv::I12 ? 3 : 4;
    typename V::T ty;
    if constexpr (R == Inv::I13t) ty = V::mulhi(yp, V::set16(9536));
    else if constexpr (R == Inv::I13r) ty = V::add(V::mulhi(yp, V::set16(9535)), V::set16(8));
    else ty = V::mulhi(yp, V::set16(4767));
    r = V::sra(V::add(ty, tr), shift);
    g = V::sra(V::add(ty, tg), shift);
    b = V::sra(V::add(ty, tb), shift);
}

// Pair-level chroma terms -> per-pixel terms (0: pixels 0..W/2-1, 1: the rest) and the
// W pixels converted and stored.  InLane: the pairs come in the order of pack32_il
// (for 256 bits: pairs 0-3, 8-11 | 4-7, 12-15), which in-lane duplication turns
// into natural pixel order; otherwise they are in natural order.
template <class V, Inv R, Px L, bool InLane = false>
QRX_INLINE void rgb_store_pairs(u8* d, int x, typename V::T y0, typename V::T y1, typename V::T cb, typename V::T cr,
                                u8 alpha) {
    typename V::T tr, tg, tb, r0, g0, b0, r1, g1, b1;
    chroma_terms<V, R>(cb, cr, tr, tg, tb);
    auto dup_lo = [](typename V::T t) {
        if constexpr (InLane) return V::unpack16_lo_il(t, t);
        else return V::zip16_lo(t, t);
    };
    auto dup_hi = [](typename V::T t) {
        if constexpr (InLane) return V::unpack16_hi_il(t, t);
        else return V::zip16_hi(t, t);
    };
    rgb_from_terms<V, R>(y0, dup_lo(tr), dup_lo(tg), dup_lo(tb), r0, g0, b0);
    rgb_from_terms<V, R>(y1, dup_hi(tr), dup_hi(tg), dup_hi(tb), r1, g1, b1);
    store_px16<V, L>(d, x, r0, r1, g0, g1, b0, b1, alpha);
}

// Cb and Cr of the W/2 pairs of two packed 4:2:2 vectors, 16-bit lanes in the order of
// pack32_il (natural for 128 bits).
template <class V, bool CbFirst>
QRX_INLINE void packed_pair_chroma(typename V::T v0, typename V::T v1, typename V::T& cb, typename V::T& cr) {
#if defined(__SSSE3__)
    // per 128-bit lane: the 4 Cb then the 4 Cr of its 4 pairs as 16-bit lanes; the
    // 64-bit halves of the two vectors then make cb and cr
    const __m128i m = CbFirst ? _mm_setr_epi8(0, -1, 4, -1, 8, -1, 12, -1, 2, -1, 6, -1, 10, -1, 14, -1)
                              : _mm_setr_epi8(1, -1, 5, -1, 9, -1, 13, -1, 3, -1, 7, -1, 11, -1, 15, -1);
    const typename V::T w0 = V::shuffle8_il(v0, m), w1 = V::shuffle8_il(v1, m);
    cb = V::unpack64_lo_il(w0, w1);
    cr = V::unpack64_hi_il(w0, w1);
#else
    const typename V::T m = V::set16(0xFF);
    const typename V::T c0 = CbFirst ? V::and_(v0, m) : V::srl(v0, 8);  // Cb, Cr, Cb, Cr ...
    const typename V::T c1 = CbFirst ? V::and_(v1, m) : V::srl(v1, 8);
    const typename V::T lo = V::set32(0xFFFF);
    cb = V::pack32_il(V::and_(c0, lo), V::and_(c1, lo));
    cr = V::pack32_il(V::srl32(c0, 16), V::srl32(c1, 16));
#endif
}

// ---- kernels --------------------------------------------------------------------------------

// Runs `step<V>(x)` over [0, n) in vector widths (64 where the kernel asks for it,
// then 32 and 16 pixels) and returns
// where the vector part stopped; the caller's generic loop finishes the body.
template <int Unit, bool Wide512 = false, class F>
QRX_INLINE int in_vectors(int n, F&& step) {
    int x = 0;
#if defined(__AVX512BW__)
    if constexpr (Wide512)
        for (; x + 64 * Unit <= n; x += 64 * Unit) step(V512{}, x);
#endif
#if defined(__AVX2__)
    for (; x + 32 * Unit <= n; x += 32 * Unit) step(V256{}, x);
#endif
    for (; x + 16 * Unit <= n; x += 16 * Unit) step(V128{}, x);
    return x;
}

// Pixel order -> packed 4:2:2 (YCbCr or CbYCr) or planar 4:2:2.
template <Px L, Fwd R, bool CbFirst>
void v_pix_packed(const u8* s, u8* d, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        typename V::T r, g, b, cb, cr;
        load_px<V, L>(s, x, r, g, b);
        const typename V::T y = luma8<V, R>(r, g, b);
        chroma16<V, R>(pair_sums<V>(r), pair_sums<V>(g), pair_sums<V>(b), cb, cr);
        const typename V::T c = V::zip8_lo(V::pack(cb, cb), V::pack(cr, cr));  // Cb0 Cr0 Cb1 Cr1 ...
        if constexpr (L == Px::Bgr4A) {
            V::store_a(d + 2 * x, CbFirst ? V::zip8_lo(c, y) : V::zip8_lo(y, c));
            V::store_a(d + 2 * x + V::W, CbFirst ? V::zip8_hi(c, y) : V::zip8_hi(y, c));
        } else {
            V::store(d + 2 * x, CbFirst ? V::zip8_lo(c, y) : V::zip8_lo(y, c));
            V::store(d + 2 * x + V::W, CbFirst ? V::zip8_hi(c, y) : V::zip8_hi(y, c));
        }
    });
    using namespace qrx::ycbcr::chroma;
    if constexpr (R == Fwd::Y15P11)
        fwd_pairs<y15, y15, p11_cb, p11_cr>(scalar_in<L>(s), PackedOut<CbFirst>{d}, x, n);
    else if constexpr (R == Fwd::Y15P10)
        fwd_pairs<y15, y15, p10_cb, p10_cr>(scalar_in<L>(s), PackedOut<CbFirst>{d}, x, n);
    else
        fwd_pairs<qrx::ycbcr::fp_y, qrx::ycbcr::fp_y, p17_cb, p17_cr>(scalar_in<L>(s), PackedOut<CbFirst>{d}, x, n);
}

void v_planes_packed_fp_p17(const u8* pr, const u8* pg, const u8* pb, u8* d, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        const typename V::T r = V::load(pr + x), g = V::load(pg + x), b = V::load(pb + x);
        typename V::T cb, cr;
        const typename V::T y = luma8<V, Fwd::FpP17>(r, g, b);
        chroma16<V, Fwd::FpP17>(pair_sums<V>(r), pair_sums<V>(g), pair_sums<V>(b), cb, cr);
        const typename V::T c = V::zip8_lo(V::pack(cb, cb), V::pack(cr, cr));
        V::store(d + 2 * x, V::zip8_lo(y, c));
        V::store(d + 2 * x + V::W, V::zip8_hi(y, c));
    });
    using namespace qrx::ycbcr::chroma;
    fwd_pairs<qrx::ycbcr::fp_y, qrx::ycbcr::fp_y, p17_cb, p17_cr>(PlanesIn{pr, pg, pb}, PackedOut<false>{d}, x, n);
}

template <Px L>
void v_bgr_p3_y15_p11(const u8* s, u8* py, u8* pcb, u8* pcr, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        typename V::T r, g, b, cb, cr;
        load_px<V, L>(s, x, r, g, b);
        V::store(py + x, luma8<V, Fwd::Y15P11>(r, g, b));
        chroma16<V, Fwd::Y15P11>(pair_sums<V>(r), pair_sums<V>(g), pair_sums<V>(b), cb, cr);
        V::store_half(pcb + x / 2, V::pack(cb, cb));
        V::store_half(pcr + x / 2, V::pack(cr, cr));
    });
    using namespace qrx::ycbcr::chroma;
    fwd_pairs<y15, y15, p11_cb, p11_cr>(scalar_in<L>(s), Planes422Out{py, pcb, pcr}, x, n);
}

// Two pixel-order rows -> 4:2:0 (two Y rows, one Cb and one Cr row).
template <Px L, Fwd R>
void v_420(const u8* s0, const u8* s1, u8* y0, u8* y1, u8* pcb, u8* pcr, int n) {
#if defined(__AVX512BW__)
    // 4-byte pixels at the 512-bit level: 64 columns at a time first
    if constexpr (L == Px::Bgr4) {
        using V = V512;
        int x0 = 0;
        for (; x0 + 64 <= n; x0 += 64) {
            V::T r0, g0, b0, r1, g1, b1, cb, cr;
#if defined(__AVX512VBMI__)
            qrx::simd::load_c4_vbmi(s0 + 4 * x0, b0, g0, r0);
            qrx::simd::load_c4_vbmi(s1 + 4 * x0, b1, g1, r1);
#else
            load4_512(s0 + 4 * x0, b0, g0, r0);
            load4_512(s1 + 4 * x0, b1, g1, r1);
#endif
            V::store(y0 + x0, luma8<V, R>(r0, g0, b0));
            V::store(y1 + x0, luma8<V, R>(r1, g1, b1));
            // block sums times 32 (the pre-shift of Q11) straight from the multiply-add of pairs:
            // at most 2 x 510 x 32 = 32640, no saturation
            const V::T k32 = _mm512_set1_epi8(32);
            auto sums32 = [&](V::T a, V::T b) {
                return V::add(_mm512_maddubs_epi16(a, k32), _mm512_maddubs_epi16(b, k32));
            };
            chroma16<V, R, true>(sums32(r0, r1), sums32(g0, g1), sums32(b0, b1), cb, cr);
            // Cb and Cr bytes in one register: in-lane pack, then the 64-bit units in row order
            const __m512i cbcr = _mm512_maskz_permutexvar_epi64(0xFF, _mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7),
                                                                _mm512_packus_epi16(cb, cr));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(pcb + x0 / 2), _mm512_maskz_extracti64x4_epi64(0xF, cbcr, 0));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(pcr + x0 / 2), _mm512_maskz_extracti64x4_epi64(0xF, cbcr, 1));
        }
        s0 += 4 * x0, s1 += 4 * x0, y0 += x0, y1 += x0, pcb += x0 / 2, pcr += x0 / 2, n -= x0;
    }
#endif
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        typename V::T r0, g0, b0, r1, g1, b1, cb, cr;
        load_px<V, L>(s0, x, r0, g0, b0);
        load_px<V, L>(s1, x, r1, g1, b1);
        V::store(y0 + x, luma8<V, R>(r0, g0, b0));
        V::store(y1 + x, luma8<V, R>(r1, g1, b1));
        chroma16<V, R>(V::add(pair_sums<V>(r0), pair_sums<V>(r1)), V::add(pair_sums<V>(g0), pair_sums<V>(g1)),
                       V::add(pair_sums<V>(b0), pair_sums<V>(b1)), cb, cr);
        V::store_half(pcb + x / 2, V::pack(cb, cb));
        V::store_half(pcr + x / 2, V::pack(cr, cr));
    });
    using namespace qrx::ycbcr::chroma;
    if constexpr (R == Fwd::Y12Q12)
        fwd_blocks_420<y12, q12_cb, q12_cr>(scalar_in<L>(s0), scalar_in<L>(s1), y0, y1, pcb, pcr, x, n);
    else
        fwd_blocks_420<y15, q11_cb, q11_cr>(scalar_in<L>(s0), scalar_in<L>(s1), y0, y1, pcb, pcr, x, n);
}

// Pixel order -> 4:1:1 (Y row, quarter-width Cb and Cr rows), Y15 / Q11.
template <Px L>
void v_411(const u8* s, u8* py, u8* pcb, u8* pcr, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        using T = typename V::T;
        T r, g, b, cb, cr;
        load_px<V, L>(s, x, r, g, b);
        V::store(py + x, luma8<V, Fwd::Y15Q11>(r, g, b));
        // sums of 4: pair sums, then adjacent pair sums in 32-bit lanes
        auto quad = [](T v) {
            const T p = pair_sums<V>(v);
            const T q = V::add32(V::and_(p, V::set32(0xFFFF)), V::srl32(p, 16));
            return V::pack32(q, q);  // W/4 sums in the low half, 16-bit lanes
        };
        chroma16<V, Fwd::Y15Q11>(quad(r), quad(g), quad(b), cb, cr);
        const __m128i cb8 = V::half(V::pack(cb, cb), 0), cr8 = V::half(V::pack(cr, cr), 0);
        if constexpr (V::W == 16) {
            const int cbv = _mm_cvtsi128_si32(cb8), crv = _mm_cvtsi128_si32(cr8);
            std::memcpy(pcb + x / 4, &cbv, 4);
            std::memcpy(pcr + x / 4, &crv, 4);
        } else {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(pcb + x / 4), cb8);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(pcr + x / 4), cr8);
        }
    });
    using namespace qrx::ycbcr::chroma;
    fwd_groups_411<y15, q11_cb, q11_cr>(scalar_in<L>(s), py, pcb, pcr, x, n);
}

template <Inv R>
QRX_INLINE Rgb scalar_inv(int y, int cb, int cr) {
    if constexpr (R == Inv::I13t) return qrx::ycbcr::i13t(y, cb, cr);
    else if constexpr (R == Inv::I13r) return qrx::ycbcr::i13r(y, cb, cr);
    else return qrx::ycbcr::chroma::i12(y, cb, cr);
}

// Y row + half-width Cb, Cr rows -> pixel order (4:2:2 planar and 4:2:0 rows).
template <Px L, Inv R>
void v_half_planes_pix(const u8* py, const u8* pcb, const u8* pcr, u8* d, int n, u8 alpha) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        const typename V::T y = V::load(py + x);
        const typename V::T cb = V::widen_lo(V::load_half(pcb + x / 2)), cr = V::widen_lo(V::load_half(pcr + x / 2));
        rgb_store_pairs<V, R, L>(d, x, V::widen_lo(y), V::widen_hi(y), cb, cr, alpha);
    });
    constexpr int dc = L == Px::Rgb3 || L == Px::Bgr3 ? 3 : 4;
    inv_pixels<scalar_inv<R>>(SubPlanesIn<1>{py, pcb, pcr}, PixOut<dc, L != Px::Rgb3>{d, alpha}, x, n);
}

// RGB C3 -> CbYCr 4:2:2 with the three-tap chroma filter, 16 pixels (8 pairs) at a
// time in 32-bit lanes: per pixel the even-weight sum E and the odd-weight sum O; a
// pair's chroma is E(2k) + O(2k + 1) + O(2k - 1), O(-1) = 0 at the row start.
// With an input curve the pixels are mapped first (table look-ups into a block).
void v_tap3(const u8* s, u8* d, int n, const u8* curve) {
    using V = V128;
    using T = V::T;
    T carry_b = _mm_setzero_si128(), carry_r = _mm_setzero_si128();
    int x = 0;
    alignas(16) u8 mapped[48];
    for (; x + 16 <= n; x += 16) {
        const u8* src = s + 3 * x;
        if (curve) {
            for (int i = 0; i < 48; ++i) mapped[i] = curve[src[i]];
            src = mapped;
        }
        T c[3];
        load3<V>(src, c);
        const T m = V::set16(0xFF);
        const T re = V::and_(c[0], m), ro = V::srl(c[0], 8);  // even / odd pixels, pair order
        const T ge = V::and_(c[1], m), go = V::srl(c[1], 8);
        const T be = V::and_(c[2], m), bo = V::srl(c[2], 8);
        const T z = V::zero();
        auto k2 = [](int a, int b) { return _mm_set1_epi32(pair32(a, b)); };
        // weighted sums of one pixel per pair, 32-bit lanes (pairs 0..3 and 4..7)
        auto wsum = [&](T r, T g, T b, int kr, int kg, int kb, T& lo, T& hi) {
            lo = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(r, g), k2(kr, kg)), _mm_madd_epi16(_mm_unpacklo_epi16(b, z), k2(kb, 0)));
            hi = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(r, g), k2(kr, kg)), _mm_madd_epi16(_mm_unpackhi_epi16(b, z), k2(kb, 0)));
        };
        auto chroma = [&](int kr, int kg, int kb, int hr, int hg, int hb, T& carry) {
            T e0, e1, o0, o1;
            wsum(re, ge, be, kr, kg, kb, e0, e1);
            wsum(ro, go, bo, hr, hg, hb, o0, o1);
            const T l0 = _mm_or_si128(_mm_slli_si128(o0, 4), _mm_srli_si128(carry, 12));
            const T l1 = _mm_or_si128(_mm_slli_si128(o1, 4), _mm_srli_si128(o0, 12));
            carry = o1;
            const T off = _mm_set1_epi32(4210687);
            const T s0 = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(e0, o0), _mm_add_epi32(l0, off)), 15);
            const T s1 = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(e1, o1), _mm_add_epi32(l1, off)), 15);
            return _mm_packs_epi32(s0, s1);  // 8 values, 16-bit lanes (clamped at the byte pack)
        };
        const T cb = chroma(-2426, -4769, 7193, -1213, -2385, 3596, carry_b);
        const T cr = chroma(7193, -6030, -1164, 3596, -3015, -582, carry_r);
        // Y15s per pixel: (8422 R + 16515 G + 3212 B + 540672) >> 15
        auto luma = [&](T r, T g, T b) {
            const T k = k2(8422, 16515), kb = k2(3212, 0), off = _mm_set1_epi32(540672);
            const T lo = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(r, g), k),
                                                                    _mm_madd_epi16(_mm_unpacklo_epi16(b, z), kb)), off), 15);
            const T hi = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(r, g), k),
                                                                    _mm_madd_epi16(_mm_unpackhi_epi16(b, z), kb)), off), 15);
            return _mm_packs_epi32(lo, hi);
        };
        const T ye = luma(re, ge, be), yo = luma(ro, go, bo);  // luma of even / odd pixels, pair order
        // Cb Y0 Cr Y1: bytes of (Cb | Y0 << 8) and (Cr | Y1 << 8) interleaved as 16-bit words
        const T w0 = V::pack(cb, cr), w1 = V::pack(ye, yo);  // Cb0..7 Cr0..7 / Y0e..7 Y0o..7
        const T cy0 = _mm_unpacklo_epi8(w0, w1), cy1 = _mm_unpackhi_epi8(w0, w1);  // (Cb,Ye) and (Cr,Yo)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * x), _mm_unpacklo_epi16(cy0, cy1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * x + 16), _mm_unpackhi_epi16(cy0, cy1));
    }
    tap3_pairs(PixIn<3, false>{s}, d, n, curve, x);
}

// Y row + quarter-width Cb, Cr rows (4:1:1) -> pixel order.
template <Px L, Inv R>
void v_quarter_planes_pix(const u8* py, const u8* pcb, const u8* pcr, u8* d, int n, u8 alpha) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        using T = typename V::T;
        const T y = V::load(py + x);
        T cb, cr;
        if constexpr (V::W == 16) {
            int a, b;
            std::memcpy(&a, pcb + x / 4, 4);
            std::memcpy(&b, pcr + x / 4, 4);
            cb = V::widen_lo(_mm_cvtsi32_si128(a));
            cr = V::widen_lo(_mm_cvtsi32_si128(b));
        } else {
            // exactly the 8 chroma samples of these 32 pixels: never read past the row
            cb = V::widen_lo(V::load_quarter(pcb + x / 4));
            cr = V::widen_lo(V::load_quarter(pcr + x / 4));
        }
        T tr, tg, tb, r0, g0, b0, r1, g1, b1;
        chroma_terms<V, R>(cb, cr, tr, tg, tb);
        // each group's terms to its four pixels
        const T tr2 = V::zip16_lo(tr, tr), tg2 = V::zip16_lo(tg, tg), tb2 = V::zip16_lo(tb, tb);
        rgb_from_terms<V, R>(V::widen_lo(y), V::zip16_lo(tr2, tr2), V::zip16_lo(tg2, tg2), V::zip16_lo(tb2, tb2), r0, g0, b0);
        rgb_from_terms<V, R>(V::widen_hi(y), V::zip16_hi(tr2, tr2), V::zip16_hi(tg2, tg2), V::zip16_hi(tb2, tb2), r1, g1, b1);
        store_px16<V, L>(d, x, r0, r1, g0, g1, b0, b1, alpha);
    });
    constexpr int dc = L == Px::Rgb3 || L == Px::Bgr3 ? 3 : 4;
    inv_pixels<scalar_inv<R>>(SubPlanesIn<2>{py, pcb, pcr}, PixOut<dc, L != Px::Rgb3>{d, alpha}, x, n);
}

// Packed 4:2:2 -> pixel order.  Four-byte pixels run 64 at a time first where
// 512-bit registers are available.
template <bool CbFirst, Px L, Inv R>
void v_packed_pix(const u8* s, u8* d, int n, u8 alpha) {
    constexpr bool wide = L == Px::Bgr4 || L == Px::Bgr4A;
    const int x = in_vectors<1, wide>(n, [&](auto v, int x) {
        using V = decltype(v);
        constexpr bool A = L == Px::Bgr4A;
        // asked for 1 KiB ahead: the loads otherwise wait on memory (measured
        // about 5% faster beside the peer at 1920x1080)
        __builtin_prefetch(s + 2 * x + 1024);
        typename V::T v0 = A ? V::load_a(s + 2 * x) : V::load(s + 2 * x);
        typename V::T v1 = A ? V::load_a(s + 2 * x + V::W) : V::load(s + 2 * x + V::W);
#if defined(__AVX512BW__) && !defined(__AVX512VBMI__)
        if constexpr (V::W == 64) {
            // grouped order: lane L gets pairs 2L, 2L+1, 8+2L, 9+2L, so that the in-lane
            // unpacks of the store give whole 16-pixel rows without a final permute
            // (with byte permutes the store takes the natural order)
            const __m512i order = _mm512_setr_epi32(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
            v0 = _mm512_maskz_permutexvar_epi32(0xFFFF, order, v0);
            v1 = _mm512_maskz_permutexvar_epi32(0xFFFF, order, v1);
        }
#endif
        const typename V::T m = V::set16(0xFF);
        const typename V::T y0 = CbFirst ? V::srl(v0, 8) : V::and_(v0, m);
        const typename V::T y1 = CbFirst ? V::srl(v1, 8) : V::and_(v1, m);
        typename V::T cb, cr;
        packed_pair_chroma<V, CbFirst>(v0, v1, cb, cr);
        rgb_store_pairs<V, R, L, true>(d, x, y0, y1, cb, cr, alpha);
    });
    constexpr int dc = L == Px::Rgb3 || L == Px::Bgr3 ? 3 : 4;
    inv_pairs<scalar_inv<R>>(PackedIn<CbFirst>{s}, PixOut<dc, L != Px::Rgb3>{d, alpha}, x, n);
}

// Packed YCbCr 4:2:2 -> R, G, B planes, I13t.
void v_yuy_p3_i13t(const u8* s, u8* pr, u8* pg, u8* pb, int n) {
    const int x = in_vectors<1>(n, [&](auto v, int x) {
        using V = decltype(v);
        const typename V::T v0 = V::load(s + 2 * x), v1 = V::load(s + 2 * x + V::W), m = V::set16(0xFF);
        typename V::T cb, cr, tr, tg, tb, r0, g0, b0, r1, g1, b1;
        packed_pair_chroma<V, false>(v0, v1, cb, cr);
        chroma_terms<V, Inv::I13t>(cb, cr, tr, tg, tb);
        rgb_from_terms<V, Inv::I13t>(V::and_(v0, m), V::unpack16_lo_il(tr, tr), V::unpack16_lo_il(tg, tg),
                                     V::unpack16_lo_il(tb, tb), r0, g0, b0);
        rgb_from_terms<V, Inv::I13t>(V::and_(v1, m), V::unpack16_hi_il(tr, tr), V::unpack16_hi_il(tg, tg),
                                     V::unpack16_hi_il(tb, tb), r1, g1, b1);
        V::store(pr + x, V::pack(r0, r1));
        V::store(pg + x, V::pack(g0, g1));
        V::store(pb + x, V::pack(b0, b1));
    });
    inv_pairs<qrx::ycbcr::i13t>(PackedIn<false>{s}, PlanesOut{pr, pg, pb}, x, n);
}

}  // namespace

namespace {
constexpr PixToPackedFn k_rgb_c3_yuy_fp_p17 = v_pix_packed<Px::Rgb3, Fwd::FpP17, false>;
constexpr PixToPackedFn k_bgr_c3_yuy_y15_p11 = v_pix_packed<Px::Bgr3, Fwd::Y15P11, false>;
constexpr PixToPackedFn k_bgr_ac4_yuy_y15_p11 = v_pix_packed<Px::Bgr4, Fwd::Y15P11, false>;
constexpr PixToPlanesFn k_bgr_c3_p3_y15_p11 = v_bgr_p3_y15_p11<Px::Bgr3>;
constexpr PixToPlanesFn k_bgr_ac4_p3_y15_p11 = v_bgr_p3_y15_p11<Px::Bgr4>;
constexpr PixToPackedFn k_bgr_ac4_uyvy_y15_p10 = v_pix_packed<Px::Bgr4, Fwd::Y15P10, true>;
constexpr PixToPackedFn k_bgr_ac4_uyvy_y15_p10_a = v_pix_packed<Px::Bgr4A, Fwd::Y15P10, true>;
constexpr PackedToPixFn k_yuy_rgb_c3_i13t = v_packed_pix<false, Px::Rgb3, Inv::I13t>;
constexpr PackedToPixFn k_yuy_bgr_c3_i13r = v_packed_pix<false, Px::Bgr3, Inv::I13r>;
constexpr PackedToPixFn k_yuy_bgr_c4_i12 = v_packed_pix<false, Px::Bgr4, Inv::I12>;
constexpr PackedToPixFn k_uyvy_rgb_c3_i13r = v_packed_pix<true, Px::Rgb3, Inv::I13r>;
constexpr PackedToPixFn k_uyvy_bgr_c4_i13r = v_packed_pix<true, Px::Bgr4, Inv::I13r>;
constexpr PackedToPixFn k_uyvy_bgr_c4_i13r_a = v_packed_pix<true, Px::Bgr4A, Inv::I13r>;
constexpr RowPairTo420Fn k_rgb_c3_420_y12_q12 = v_420<Px::Rgb3, Fwd::Y12Q12>;
constexpr RowPairTo420Fn k_bgr_c3_420_y15_q11 = v_420<Px::Bgr3, Fwd::Y15Q11>;
constexpr RowPairTo420Fn k_bgr_ac4_420_y15_q11 = v_420<Px::Bgr4, Fwd::Y15Q11>;
constexpr PlanesToPixFn k_p420_rgb_c3_i12 = v_half_planes_pix<Px::Rgb3, Inv::I12>;
constexpr PlanesToPixFn k_p420_bgr_c3_i12 = v_half_planes_pix<Px::Bgr3, Inv::I12>;
constexpr PixToPlanesFn k_bgr_c3_411_y15_q11 = v_411<Px::Bgr3>;
constexpr PixToPlanesFn k_bgr_ac4_411_y15_q11 = v_411<Px::Bgr4>;
constexpr PlanesToPackedFn k_rgb_p3_yuy_fp_p17 = v_planes_packed_fp_p17;
constexpr PackedToPlanesFn k_yuy_rgb_p3_i13t = v_yuy_p3_i13t;
constexpr PlanesToPixFn k_p3_422_rgb_c3_i13r = v_half_planes_pix<Px::Rgb3, Inv::I13r>;
constexpr PlanesToPixFn k_p411_bgr_c3_i13t = v_quarter_planes_pix<Px::Bgr3, Inv::I13t>;
constexpr PlanesToPixFn k_p411_bgr_c4_i13t = v_quarter_planes_pix<Px::Bgr4, Inv::I13t>;
constexpr Tap3Fn k_rgb_c3_uyvy_tap3 = v_tap3;
constexpr PixToPackedFn k_bgr565_yuy = v_pix_packed<Px::Bgr565, Fwd::Y15P11, false>;
constexpr PixToPackedFn k_bgr555_yuy = v_pix_packed<Px::Bgr555, Fwd::Y15P11, false>;
constexpr PixToPlanesFn k_bgr565_p3 = v_bgr_p3_y15_p11<Px::Bgr565>;
constexpr PixToPlanesFn k_bgr555_p3 = v_bgr_p3_y15_p11<Px::Bgr555>;
constexpr RowPairTo420Fn k_bgr565_420 = v_420<Px::Bgr565, Fwd::Y15Q11>;
constexpr RowPairTo420Fn k_bgr555_420 = v_420<Px::Bgr555, Fwd::Y15Q11>;
constexpr PixToPlanesFn k_bgr565_411 = v_411<Px::Bgr565>;
constexpr PixToPlanesFn k_bgr555_411 = v_411<Px::Bgr555>;
}  // namespace
