// qrxconvert: converts images with qrxcc and shows what the conversions do.
// Uses the library's public API only.
#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"

namespace {
const char* const kUsage =
    "usage: qrxconvert COMMAND [ARGS]\n"
    "  demo [DIR]                     round trips on the embedded test image; results and report in DIR\n"
    "                                 (default qrx-demo); also what runs without arguments\n"
    "  convert IN OUT [options]       convert an image file or stream (see: qrxconvert convert --help)\n"
    "  convert IN... -o DIR [options] convert a batch of files in parallel into DIR\n"
    "  list                           the formats this tool reads and writes\n"
    "  COMMAND --help                 help for one command\n";
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return qrxconvert::run_demo({});
    const std::string cmd = args.front();
    args.erase(args.begin());
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (cmd == "list") return qrxconvert::run_list(args);
    if (cmd == "convert") return qrxconvert::run_convert(args);
    if (cmd == "demo") return qrxconvert::run_demo(args);
    std::fprintf(stderr, "qrxconvert: unknown command '%s'\n%s", cmd.c_str(), kUsage);
    return 2;
}
