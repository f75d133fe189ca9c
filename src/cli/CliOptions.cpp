#include "cli/CliOptions.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "cli/PrintedEntry.h"
#include "platform/AsciiCase.h"
#include "results/Filtering.h"
#include "run/AgeGuard.h"
#include "scan/SearchCommands.h"

namespace vellomar::cli {
namespace {

bool IsDriveLetter(char c) {
    c = AsciiLower(c);
    return c >= 'a' && c <= 'z';
}

constexpr std::array<std::pair<std::string_view, SortKind>, 4> kSortWords = {{
    {"ext", SortKind::Extension},
    {"name", SortKind::Name},
    {"path", SortKind::Path},
    {"size", SortKind::Size},
}};

std::optional<SortKind> SortKindNamed(std::string_view word) {
    for (const auto& [name, kind] : kSortWords)
        if (name == word) return kind;
    return std::nullopt;
}

// The value of "--name VALUE" or "--name=VALUE" at args[i], moving i past it;
// nothing when args[i] is not that option. A missing value reads as empty.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                       std::string_view name) {
    const std::string& arg = args[i];
    if (arg == name) return i + 1 < args.size() ? args[++i] : std::string();
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=')
        return arg.substr(name.size() + 1);
    return std::nullopt;
}

// The options that take a value, as "--name VALUE" or "--name=VALUE".
constexpr std::array<std::string_view, 5> kValueOptions = {"--drive", "--sort", "--filter",
                                                           "--older-than", "--format"};

// Whether one of names stands where an option may: not as an option's value,
// nor after "--", where every word is an operand.
bool GivenAsOption(const std::vector<std::string>& args, std::initializer_list<std::string_view> names) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") return false;
        if (std::find(names.begin(), names.end(), args[i]) != names.end()) return true;
        if (std::find(kValueOptions.begin(), kValueOptions.end(), args[i]) != kValueOptions.end()) ++i;
    }
    return false;
}

// The words a command takes after its own.
struct CommandShape {
    bool takesText;
    bool takesDrive;
    bool isSearch;  // lists entries, which the search options then act on
};

std::optional<CommandShape> ShapeOf(std::string_view command) {
    if (command == kNameCommand) return CommandShape{true, true, true};
    if (command == kInternetCommand || command == kInternetPicsCommand)
        return CommandShape{false, false, true};
    if (command == kTotalsCommand || command == kDrivesCommand)
        return CommandShape{false, false, false};
    if (command == kScanBrowsersCommand) return CommandShape{false, true, false};
    if (command == kFetchAllCommand || FindDriveSearchCommand(command))
        return CommandShape{false, true, true};
    return std::nullopt;
}

std::optional<CliUsageError> ParseBinWords(CliOptions& options, const std::vector<std::string>& words) {
    if (words.size() < 2) return CliUsageError{"bin needs list, restore, delete or empty"};
    options.binAction = words[1];
    options.binIds.assign(words.begin() + 2, words.end());
    const bool takesIds = options.binAction == kBinRestore || options.binAction == kBinDelete;
    if (!takesIds && options.binAction != kBinList && options.binAction != kBinEmpty)
        return CliUsageError{"unknown bin command: " + PrintedEntry(options.binAction)};
    if (takesIds && options.binIds.empty())
        return CliUsageError{"bin " + options.binAction + " needs the id of an item"};
    if (!takesIds && !options.binIds.empty())
        return CliUsageError{"bin " + options.binAction + " takes no item"};
    if (options.answerYes && options.binAction != kBinDelete && options.binAction != kBinEmpty)
        return CliUsageError{"--yes goes with bin delete or bin empty"};
    return std::nullopt;
}

}  // namespace

std::variant<CliOptions, CliUsageError> ParseCliArguments(const std::vector<std::string>& args) {
    CliOptions options;
    if (GivenAsOption(args, {"--help", "-h"})) {
        options.showHelp = true;
        return options;
    }
    if (GivenAsOption(args, {"--version"})) {
        options.showVersion = true;
        return options;
    }
    std::vector<std::string> words;
    std::vector<std::string> nameOptions;
    std::vector<std::string> searchOptions;  // as given, for the message when misplaced
    std::optional<std::string> printFormat;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            words.insert(words.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        // Every option but these acts on a search's entries.
        static constexpr std::array<std::string_view, 6> kNotOfSearches = {
            "--drive", "--yes", "--exact", "--partial", "--match-case", "--ignore-case"};
        const std::string option = arg.substr(0, arg.find('='));
        if (option.starts_with("--") &&
            std::find(kNotOfSearches.begin(), kNotOfSearches.end(), option) == kNotOfSearches.end())
            searchOptions.push_back(option);
        if (auto mapping = OptionValue(args, i, "--drive")) {
            if (mapping->size() < 3 || !IsDriveLetter((*mapping)[0]) || (*mapping)[1] != '=')
                return CliUsageError{"--drive needs L=FOLDER" +
                                     (mapping->empty() ? "" : ", not: " + PrintedEntry(*mapping))};
            options.drives.emplace_back(AsciiLower((*mapping)[0]), mapping->substr(2));
        } else if (auto kind = OptionValue(args, i, "--sort")) {
            if (options.sort) return CliUsageError{"--sort may be given once"};
            options.sort = SortKindNamed(*kind);
            if (!options.sort)
                return CliUsageError{kind->empty() ? "--sort needs ext, name, path or size"
                                                   : "unknown sort kind: " + PrintedEntry(*kind)};
        } else if (auto text = OptionValue(args, i, "--filter")) {
            options.filters.push_back(FilterText(*text));
            if (options.filters.back().empty())
                return CliUsageError{"--filter needs a text that is not blank"};
        } else if (auto age = OptionValue(args, i, "--older-than")) {
            if (options.olderThan) return CliUsageError{"--older-than may be given once"};
            options.olderThan = ParseAge(*age);
            if (!options.olderThan)
                return CliUsageError{"--older-than needs days, hours or minutes, like 30d, 12h "
                                     "or 90m" + (age->empty() ? "" : ", not: " + PrintedEntry(*age))};
        } else if (auto format = OptionValue(args, i, "--format")) {
            if (printFormat) return CliUsageError{*printFormat + " and --format exclude each other"};
            printFormat = "--format";
            if (*format == "tsv") options.format = OutputFormat::Tsv;
            else if (*format == "json") options.format = OutputFormat::Json;
            else return CliUsageError{"--format needs tsv or json" +
                                      (format->empty() ? "" : ", not: " + PrintedEntry(*format))};
        } else if (arg == "--print0") {
            if (printFormat) return CliUsageError{*printFormat + " and --print0 exclude each other"};
            printFormat = "--print0";
            options.format = OutputFormat::Print0;
        } else if (arg == "--exact" || arg == "--partial") {
            nameOptions.push_back(arg);
            options.nameQuery.exact = arg == "--exact";
        } else if (arg == "--match-case" || arg == "--ignore-case") {
            nameOptions.push_back(arg);
            options.nameQuery.matchCase = arg == "--match-case";
        } else if (arg == "--keep-case") {
            options.keepCase = true;
        } else if (arg == "--delete") {
            options.deleteAll = true;
        } else if (arg == "--to-bin") {
            options.moveAllToBin = true;
        } else if (arg == "--yes") {
            options.answerYes = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return CliUsageError{"unknown option: " + PrintedEntry(arg)};
        } else {
            words.push_back(arg);
        }
    }
    if (options.keepCase && !options.sort) return CliUsageError{"--keep-case goes with --sort"};
    if (options.deleteAll && options.moveAllToBin)
        return CliUsageError{"--delete and --to-bin exclude each other"};

    if (words.empty()) return CliUsageError{"expected a command"};
    options.command = words[0];
    if (options.command == kBinCommand) {
        // The bin's own: the age of what "bin empty" removes, the form of "bin list".
        const std::string action = words.size() > 1 ? words[1] : std::string();
        std::erase_if(searchOptions, [&](const std::string& option) {
            return (option == "--older-than" && action == kBinEmpty) ||
                   (option == "--format" && action == kBinList);
        });
        if (!searchOptions.empty()) return CliUsageError{searchOptions.front() + " goes with a search"};
        if (!nameOptions.empty()) return CliUsageError{nameOptions.front() + " goes with the name command"};
        if (auto error = ParseBinWords(options, words)) return *error;
        return options;
    }
    if (options.answerYes && !options.deleteAll && !options.moveAllToBin)
        return CliUsageError{"--yes goes with --delete or --to-bin"};
    const std::optional<CommandShape> shape = ShapeOf(options.command);
    if (!shape) return CliUsageError{"unknown command: " + PrintedEntry(options.command)};
    if (!shape->takesText && !nameOptions.empty())
        return CliUsageError{nameOptions.front() + " goes with the name command"};
    // The drive table is printed in the records a search's entries are.
    if (options.command == kDrivesCommand && options.format != OutputFormat::Print0)
        std::erase(searchOptions, "--format");
    if (!shape->isSearch && !searchOptions.empty())
        return CliUsageError{searchOptions.front() + " goes with a search"};
    const std::size_t wordCount = 1 + shape->takesText + shape->takesDrive;
    if (words.size() != wordCount) {
        if (shape->takesText) return CliUsageError{"expected name, a text and a drive"};
        if (shape->takesDrive) return CliUsageError{"expected a command and a drive"};
        return CliUsageError{options.command + " takes no drive"};
    }
    if (shape->takesText) {
        // The text as given, blanks included; only a blank text is refused.
        options.nameQuery.text = words[1];
        if (TrimBlanksAndControls(options.nameQuery.text).empty())
            return CliUsageError{"name needs a text that is not blank"};
    }
    if (!shape->takesDrive) return options;
    const std::string& drive = words.back();
    if (drive.size() != 2 || !IsDriveLetter(drive[0]) || drive[1] != ':')
        return CliUsageError{"a drive is written as a letter and a colon, like c:, not: " + PrintedEntry(drive)};
    options.driveLetter = AsciiLower(drive[0]);
    return options;
}

}  // namespace vellomar::cli
