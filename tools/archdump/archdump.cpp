// qrxarchdump: fixed inputs through every plain-shaped function, and the
// comparison of two dumps made on different machines.
//   qrxarchdump dump FILE        the samples each function writes
//   qrxarchdump compare A B      per function that differs: the share of
//                                pixels with a different sample, the largest difference
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

// The written samples: those equal after a run over a destination filled with
// 0x00 and a run over one filled with 0xFF.
template <class S, class D>
Record run(QrxStatus (*fn)(const S*, int, D*, int, QrxSize)) {
    const std::size_t n = static_cast<std::size_t>(kW) * kH * kMaxSamples;
    std::vector<S> src(n);
    std::uint32_t seed = 12345;
    for (S& v : src) v = sample<S>(seed);
    std::vector<D> a(n), b(n);
    std::memset(a.data(), 0x00, n * sizeof(D));
    std::memset(b.data(), 0xFF, n * sizeof(D));
    const int ss = kW * kMaxSamples * static_cast<int>(sizeof(S)), ds = kW * kMaxSamples * static_cast<int>(sizeof(D));
    Record r{kind_of<D>(), static_cast<int>(sizeof(D)), {}};
    if (fn(src.data(), ss, a.data(), ds, {kW, kH}) != qrxStatusOk || fn(src.data(), ss, b.data(), ds, {kW, kH}) != qrxStatusOk)
        return r;
    const auto* pa = reinterpret_cast<const std::uint8_t*>(a.data());
    const auto* pb = reinterpret_cast<const std::uint8_t*>(b.data());
    for (std::size_t i = 0; i < n * sizeof(D); i += sizeof(D))
        if (std::memcmp(pa + i, pb + i, sizeof(D)) == 0) r.bytes.insert(r.bytes.end(), pa + i, pa + i + sizeof(D));
    return r;
}

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

int dump(const char* path) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return 1;
#define QRX_PLAIN(name, S, D)                                                                               \
    {                                                                                                      \
        const Record r = run<S, D>(name);                                                                  \
        std::fprintf(f, "%s %c %d %zu\n", #name, r.kind, r.size, r.bytes.size());                          \
        std::fwrite(r.bytes.data(), 1, r.bytes.size(), f);                                                \
    }
#include "plain_functions.inc"
#undef QRX_PLAIN
    return std::fclose(f) == 0 ? 0 : 1;
}

std::map<std::string, Record> load(const char* path) {
    std::map<std::string, Record> m;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return m;
    char name[128];
    Record r{};
    std::size_t n = 0;
    while (std::fscanf(f, "%127s %c %d %zu", name, &r.kind, &r.size, &n) == 4 && std::fgetc(f) == '\n') {
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
        std::size_t pixels = 0;
        double largest = 0;
        for (std::size_t p = 0; p < samples / per_pixel; ++p) {
            bool differs = false;
            for (std::size_t i = p * per_pixel; i < (p + 1) * per_pixel; ++i) {
                const std::size_t at = i * static_cast<std::size_t>(x.size);
                if (std::memcmp(x.bytes.data() + at, y.bytes.data() + at, static_cast<std::size_t>(x.size)) == 0) continue;
                differs = true;
                const double d = std::fabs(value(x, i) - value(y, i));  // NaN where either is NaN: not counted
                if (d > largest) largest = d;
            }
            pixels += differs;
        }
        if (pixels == 0) continue;
        ++differing;
        std::printf("%s: %.2f%% of %zu pixels differ, largest difference %g\n", name.c_str(),
                    100.0 * static_cast<double>(pixels) / static_cast<double>(samples / per_pixel), samples / per_pixel, largest);
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
