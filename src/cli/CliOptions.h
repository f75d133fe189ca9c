#pragma once
// vellomar-cli [--drive L=FOLDER]... [--filter TEXT]... [--sort KIND [--keep-case]]
//              [--delete [--yes]] COMMAND DRIVE
// vellomar-cli [those options] name TEXT DRIVE [--exact|--partial] [--match-case|--ignore-case]
// vellomar-cli [those options] internet | internet-pics | fetch-all DRIVE
// vellomar-cli [--drive L=FOLDER]... scan-browsers DRIVE
// vellomar-cli totals

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
    char driveLetter = 0;                              // lower case; 0 for none
    std::vector<std::string> filters;                  // as FilterText makes them, in order
    std::optional<SortKind> sort;
    bool keepCase = false;                             // the sort with "Ignore Case" cleared
    bool deleteAll = false;                            // the cleanup offer on every entry
    bool answerYes = false;                            // its question answered "Yes"
};

// The commands beside the drive searches.
inline constexpr std::string_view kNameCommand = "name";                  // name TEXT DRIVE
inline constexpr std::string_view kInternetCommand = "internet";          // no drive
inline constexpr std::string_view kInternetPicsCommand = "internet-pics"; // no drive
inline constexpr std::string_view kFetchAllCommand = "fetch-all";         // DRIVE
inline constexpr std::string_view kScanBrowsersCommand = "scan-browsers"; // DRIVE
inline constexpr std::string_view kTotalsCommand = "totals";              // no drive

struct CliUsageError {
    std::string message;
};

// Options may stand before or after the command and its drive.
std::variant<CliOptions, CliUsageError> ParseCliArguments(const std::vector<std::string>& args);

// One line.
std::string CliUsage();

}  // namespace vellomar::cli
