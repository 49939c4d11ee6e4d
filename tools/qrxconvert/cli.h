// Subcommands of qrxconvert and their shared helpers.
#pragma once

#include <string>
#include <vector>

namespace qrxconvert {

int run_list(const std::vector<std::string>& args);
int run_convert(const std::vector<std::string>& args);
int run_demo(const std::vector<std::string>& args);

// "qrxconvert: <message>" on standard error; returns `code`.
int fail(int code, const std::string& message);

}  // namespace qrxconvert
