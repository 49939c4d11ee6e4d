// qrxconvert convert IN... -o DIR: files converted in parallel, one worker per
// core; a file that fails is reported and the others go on.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>
#include <unistd.h>

#include "cli.h"
#include "convert.h"

namespace qrxconvert {
namespace {

// Messages and, on a terminal, one progress bar over the files; safe from any worker.
class Board {
public:
    Board(bool bar, std::size_t total) : bar_(bar && isatty(2)), total_(total) { draw(); }
    void say(const std::string& line) {
        std::lock_guard<std::mutex> lock(m_);
        if (bar_) std::fputs("\r\033[K", stderr);
        std::fprintf(stderr, "qrxconvert: %s\n", line.c_str());
        draw();
    }
    void step() {
        std::lock_guard<std::mutex> lock(m_);
        ++done_;
        draw();
    }
    ~Board() {
        if (bar_) std::fputc('\n', stderr);
    }

private:
    void draw() {
        if (!bar_) return;
        const int width = 40, filled = static_cast<int>(width * done_ / total_);
        std::fprintf(stderr, "\r[%.*s%*s] %zu/%zu files", filled, "========================================", width - filled,
                     "", done_, total_);
    }
    std::mutex m_;
    bool bar_;
    std::size_t total_, done_ = 0;
};

std::string file_stem(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

}  // namespace

int run_batch(const Settings& s, const std::vector<std::string>& inputs, const std::string& folder, Container c, int jobs) {
    std::string dir = folder;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    // Every output name first: two inputs must not share one.
    const std::string ext =
        c == Container::kRaw ? "." + std::string(find_format(s.to.empty() ? "rgb24" : s.to)->name) : container_extension(c);
    std::vector<std::string> outputs;
    std::map<std::string, std::string> taken;
    for (const std::string& in : inputs) {
        outputs.push_back(dir + "/" + file_stem(in) + ext);
        const auto seen = taken.emplace(outputs.back(), in);
        if (!seen.second) return fail(2, seen.first->second + " and " + in + " would both be written to " + outputs.back());
    }
    std::string err;
    if (!make_dir(dir, err)) return fail(1, err);

    std::atomic<std::size_t> next{0};
    std::atomic<long long> pixels{0};
    std::atomic<int> failed{0};
    const auto t0 = std::chrono::steady_clock::now();
    {
        Board board(!s.quiet, inputs.size());
        auto worker = [&] {
            for (std::size_t i; (i = next++) < inputs.size();) {
                Outcome o;
                if (convert_file(s, inputs[i], outputs[i], c, o) != 0) {
                    ++failed;
                    // most messages name the file already
                    board.say(o.error.find(inputs[i]) != std::string::npos ? o.error : inputs[i] + ": " + o.error);
                } else {
                    pixels += o.pixels();
                    for (const std::string& n : o.notes) board.say(inputs[i] + ": " + n);
                }
                board.step();
            }
        };
        std::vector<std::thread> team;
        for (int t = 1; t < std::min<int>(jobs, static_cast<int>(inputs.size())); ++t) team.emplace_back(worker);
        worker();
        for (std::thread& t : team) t.join();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!s.quiet) {
        const double mpix = static_cast<double>(pixels) / 1e6;
        std::fprintf(stderr, "qrxconvert: %zu of %zu files converted to %s; %.2f Mpix in %.2f s, %.1f Mpix/s\n",
                     inputs.size() - static_cast<std::size_t>(failed.load()), inputs.size(), dir.c_str(), mpix, seconds,
                     mpix / std::max(seconds, 1e-9));
    }
    return failed ? 1 : 0;
}

}  // namespace qrxconvert
