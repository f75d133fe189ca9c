#pragma once
// vellomar-cli [--drive L=FOLDER]... COMMAND DRIVE

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace vellomar::cli {

struct CliOptions {
    std::vector<std::pair<char, std::string>> drives;  // letter (lower case) -> native folder
    std::string command;
    char driveLetter = 0;                              // lower case
};

struct CliUsageError {
    std::string message;
};

// Options may stand before or after the command and its drive.
std::variant<CliOptions, CliUsageError> ParseCliArguments(const std::vector<std::string>& args);

// One line.
std::string CliUsage();

}  // namespace vellomar::cli
