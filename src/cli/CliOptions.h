#pragma once
// vellomar-cli [--drive L=FOLDER]... [--filter TEXT]... [--sort KIND [--keep-case]]
//              [--delete [--yes]] COMMAND DRIVE

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "results/Sorting.h"

namespace vellomar::cli {

struct CliOptions {
    std::vector<std::pair<char, std::string>> drives;  // letter (lower case) -> native folder
    std::string command;
    char driveLetter = 0;                              // lower case
    std::vector<std::string> filters;                  // as FilterText makes them, in order
    std::optional<SortKind> sort;
    bool keepCase = false;                             // the sort with "Ignore Case" cleared
    bool deleteAll = false;                            // the cleanup offer on every entry
    bool answerYes = false;                            // its question answered "Yes"
};

struct CliUsageError {
    std::string message;
};

// Options may stand before or after the command and its drive.
std::variant<CliOptions, CliUsageError> ParseCliArguments(const std::vector<std::string>& args);

// One line.
std::string CliUsage();

}  // namespace vellomar::cli
