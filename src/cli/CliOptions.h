#pragma once
// vellomar-cli [--drive L=FOLDER]... [--filter TEXT]... [--sort KIND [--keep-case]]
//              [--delete [--yes]] COMMAND DRIVE
// vellomar-cli [those options] name TEXT DRIVE [--exact|--partial] [--match-case|--ignore-case]

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "quicksearch/NameSearch.h"
#include "results/Sorting.h"

namespace vellomar::cli {

struct CliOptions {
    std::vector<std::pair<char, std::string>> drives;  // letter (lower case) -> native folder
    std::string command;
    NameQuery nameQuery;                               // the "name" command's
    char driveLetter = 0;                              // lower case
    std::vector<std::string> filters;                  // as FilterText makes them, in order
    std::optional<SortKind> sort;
    bool keepCase = false;                             // the sort with "Ignore Case" cleared
    bool deleteAll = false;                            // the cleanup offer on every entry
    bool answerYes = false;                            // its question answered "Yes"
};

// The search by file name: "name TEXT DRIVE".
inline constexpr std::string_view kNameCommand = "name";

struct CliUsageError {
    std::string message;
};

// Options may stand before or after the command and its drive.
std::variant<CliOptions, CliUsageError> ParseCliArguments(const std::vector<std::string>& args);

// One line.
std::string CliUsage();

}  // namespace vellomar::cli
