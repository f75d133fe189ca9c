#pragma once
// The command line of vellomar-cli; CliHelp() gives it in full.

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "quicksearch/NameSearch.h"
#include "results/Sorting.h"

namespace vellomar::cli {

// How a search's entries are printed: one a line (PrintedEntry), the raw
// bytes ended by NUL, or one record a line for other tools (EntryRecord).
enum class OutputFormat { Lines, Print0, Tsv, Json };

struct CliOptions {
    bool showHelp = false;
    bool showVersion = false;
    std::vector<std::pair<char, std::string>> drives;  // letter (lower case) -> native folder
    std::string command;
    NameQuery nameQuery;                               // the "name" command's
    char driveLetter = 0;                              // lower case; 0 for none
    std::vector<std::string> filters;                  // as FilterText makes them, in order
    std::optional<SortKind> sort;
    bool keepCase = false;                             // the sort with "Ignore Case" cleared
    bool deleteAll = false;                            // the cleanup offer on every entry
    bool moveAllToBin = false;                         // "Delete to Bin" on every entry
    bool answerYes = false;                            // their question answered "Yes"
    std::optional<std::chrono::seconds> olderThan;     // only files older are listed
    OutputFormat format = OutputFormat::Lines;
    std::string binAction;                             // the bin command's: list, restore, delete, empty
    std::vector<std::string> binIds;                   // the items it acts on
};

// The commands beside the drive searches.
inline constexpr std::string_view kNameCommand = "name";                  // name TEXT DRIVE
inline constexpr std::string_view kInternetCommand = "internet";          // no drive
inline constexpr std::string_view kInternetPicsCommand = "internet-pics"; // no drive
inline constexpr std::string_view kFetchAllCommand = "fetch-all";         // DRIVE
inline constexpr std::string_view kScanBrowsersCommand = "scan-browsers"; // DRIVE
inline constexpr std::string_view kTotalsCommand = "totals";              // no drive
inline constexpr std::string_view kDrivesCommand = "drives";              // no drive
inline constexpr std::string_view kBinCommand = "bin";                    // ACTION [ID...]

inline constexpr std::string_view kBinList = "list";
inline constexpr std::string_view kBinRestore = "restore";
inline constexpr std::string_view kBinDelete = "delete";
inline constexpr std::string_view kBinEmpty = "empty";

struct CliUsageError {
    std::string message;
};

// Options may stand before or after the command and its words; "--" ends
// them, and every word after it is an operand. "--help" or "--version"
// wherever an option may stand asks for that alone.
std::variant<CliOptions, CliUsageError> ParseCliArguments(const std::vector<std::string>& args);

}  // namespace vellomar::cli
