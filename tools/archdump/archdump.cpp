// qrxarchdump: fixed inputs through every plain-shaped function, and the
// comparison of two dumps made on different machines.
//   qrxarchdump dump FILE        the samples each function writes
//   qrxarchdump compare A B      per function that differs: the share of
//                                pixels with a different sample, the largest difference
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "qrxcc.h"

namespace {

constexpr int kW = 256, kH = 64, kMaxSamples = 4;  // samples per pixel on either side, at most

struct Record {
    char kind;  // 'u', 's' or 'f'
    int size;
    std::vector<std::uint8_t> bytes;
    int planar;  // samples lie plane after plane (else pixel after pixel)
};

// The whole range of an integer type; floats in [0, 1].
template <class T>
T sample(std::uint32_t& seed) {
    seed = seed * 1664525u + 1013904223u;
    const std::uint32_t r = seed >> 8;
    if constexpr (std::is_same_v<T, float>)
        return static_cast<float>(r % 65536u) / 65535.0f;
    else
        return static_cast<T>(r);
}

template <class T>
constexpr char kind_of() {
    return std::is_same_v<T, float> ? 'f' : std::is_signed_v<T> ? 's' : 'u';
}

// Runs call(src, dst) over fixed source samples of S and over destinations
// filled with 0x00 and with 0xFF; the written samples of D are those equal
// after both runs.  Images hold up to kPlanes planes of kH rows of kRow bytes.
constexpr int kPlanes = 4;
template <class D>
constexpr int kRow = kW * kMaxSamples * static_cast<int>(sizeof(D));

template <class S, class D, class Call>
Record run(Call call) {
    const std::size_t n = static_cast<std::size_t>(kW) * kH * kMaxSamples * kPlanes;
    std::vector<S> src(n);
    std::uint32_t seed = 12345;
    for (S& v : src) v = sample<S>(seed);
    std::vector<D> a(n), b(n);
    std::memset(a.data(), 0x00, n * sizeof(D));
    std::memset(b.data(), 0xFF, n * sizeof(D));
    Record r{kind_of<D>(), static_cast<int>(sizeof(D)), {}, 0};
    if (call(src.data(), a.data()) != qrxStatusOk || call(src.data(), b.data()) != qrxStatusOk) return r;
    const auto* pa = reinterpret_cast<const std::uint8_t*>(a.data());
    const auto* pb = reinterpret_cast<const std::uint8_t*>(b.data());
    for (std::size_t i = 0; i < n * sizeof(D); i += sizeof(D))
        if (std::memcmp(pa + i, pb + i, sizeof(D)) == 0) r.bytes.insert(r.bytes.end(), pa + i, pa + i + sizeof(D));
    return r;
}

// Plane pointers into one 8-bit buffer (the first plane is the image itself).
template <class T>
struct Planes {
    T* p[kPlanes];
    explicit Planes(T* base) {
        for (int i = 0; i < kPlanes; ++i) p[i] = base + static_cast<std::size_t>(i) * kH * kRow<Qrx8u>;
    }
};

double value(const Record& r, std::size_t i) {
    const std::uint8_t* p = r.bytes.data() + i * static_cast<std::size_t>(r.size);
    if (r.kind == 'f') {
        float f;
        std::memcpy(&f, p, 4);
        return f;
    }
    if (r.size == 1) return *p;
    std::uint16_t u;
    std::memcpy(&u, p, 2);
    return r.kind == 's' ? static_cast<std::int16_t>(u) : u;
}

// A side of n planes, or the pixel-order image for n = 0.
template <int N, class T>
auto side(T* image, const Planes<T>& planes) {
    if constexpr (N == 0)
        return image;
    else
        return planes.p;
}

int dump(const char* path) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return 1;
    const QrxSize roi{kW, kH};
    const auto put = [f](const char* name, const Record& r, int planar = 0) {
        std::fprintf(f, "%s %c %d %d %zu\n", name, r.kind, r.size, planar, r.bytes.size());
        std::fwrite(r.bytes.data(), 1, r.bytes.size(), f);
    };
#define QRX_PLAIN(name, S, D) \
    put(#name, run<S, D>([&](const S* s, D* d) { return name(s, kRow<S>, d, kRow<D>, roi); }));
#define QRX_PLANES(name, ns, nd)                                                                       \
    put(#name, run<Qrx8u, Qrx8u>([&](const Qrx8u* s, Qrx8u* d) {                                       \
        const Planes<const Qrx8u> sp(s);                                                               \
        const Planes<Qrx8u> dp(d);                                                                     \
        return name(side<ns>(s, sp), kRow<Qrx8u>, side<nd>(d, dp), kRow<Qrx8u>, roi);                  \
    }), nd > 0);
#include "plain_functions.inc"
#undef QRX_PLAIN
#undef QRX_PLANES
    return std::fclose(f) == 0 ? 0 : 1;
}

std::map<std::string, Record> load(const char* path) {
    std::map<std::string, Record> m;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return m;
    char name[128];
    Record r{};
    std::size_t n = 0;
    while (std::fscanf(f, "%127s %c %d %d %zu", name, &r.kind, &r.size, &r.planar, &n) == 5 && std::fgetc(f) == '\n') {
        r.bytes.resize(n);
        if (std::fread(r.bytes.data(), 1, n, f) != n) break;
        m[name] = r;
    }
    std::fclose(f);
    return m;
}

int compare(const char* pa, const char* pb) {
    const auto a = load(pa), b = load(pb);
    int differing = 0;
    for (const auto& [name, x] : a) {
        const auto it = b.find(name);
        if (it == b.end() || it->second.bytes.size() != x.bytes.size() || x.bytes.empty()) {
            std::printf("%s: not comparable\n", name.c_str());
            ++differing;
            continue;
        }
        const Record& y = it->second;
        const std::size_t samples = x.bytes.size() / static_cast<std::size_t>(x.size);
        const std::size_t per_pixel = samples % (kW * kH) == 0 ? samples / (kW * kH) : 1;
        const std::size_t count = samples / per_pixel;
        std::vector<bool> differs(count);
        double largest = 0;
        for (std::size_t i = 0; i < samples; ++i) {
            const std::size_t at = i * static_cast<std::size_t>(x.size);
            if (std::memcmp(x.bytes.data() + at, y.bytes.data() + at, static_cast<std::size_t>(x.size)) == 0) continue;
            differs[x.planar ? i % count : i / per_pixel] = true;
            const double d = std::fabs(value(x, i) - value(y, i));  // NaN where either is NaN: not counted
            if (d > largest) largest = d;
        }
        const std::size_t pixels = static_cast<std::size_t>(std::count(differs.begin(), differs.end(), true));
        if (pixels == 0) continue;
        ++differing;
        std::printf("%s: %.2f%% of %zu pixels differ, largest difference %g\n", name.c_str(),
                    100.0 * static_cast<double>(pixels) / static_cast<double>(count), count, largest);
    }
    std::printf("%zu functions compared, %d differ\n", a.size(), differing);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "dump") == 0) return dump(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "compare") == 0) return compare(argv[2], argv[3]);
    std::fprintf(stderr, "usage: qrxarchdump dump FILE | qrxarchdump compare A B\n");
    return 2;
}
