#pragma once
// What "vellomar-cli --help" and "--version" print.

#include <string>

namespace vellomar::cli {

std::string CliHelp();
std::string CliVersion();

}  // namespace vellomar::cli
