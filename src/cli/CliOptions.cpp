#include "cli/CliOptions.h"

#include <array>

#include "platform/AsciiCase.h"
#include "results/Filtering.h"
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

// The words a command takes after its own.
struct CommandShape {
    bool takesText;
    bool takesDrive;
};

std::optional<CommandShape> ShapeOf(std::string_view command) {
    if (command == kNameCommand) return CommandShape{true, true};
    if (command == kInternetCommand || command == kInternetPicsCommand || command == kTotalsCommand)
        return CommandShape{false, false};
    if (command == kFetchAllCommand || command == kScanBrowsersCommand ||
        FindDriveSearchCommand(command))
        return CommandShape{false, true};
    return std::nullopt;
}

}  // namespace

std::string CliUsage() {
    return "usage: vellomar-cli [--drive L=FOLDER]... [--filter TEXT]... [--sort ext|name|path|size "
           "[--keep-case]] [--delete [--yes]] COMMAND DRIVE, COMMAND one of garbage zero videos "
           "pictures sounds screensavers bookmarks documents zips webpages inidat logs tax "
           "fetch-all; or name TEXT DRIVE [--exact|--partial] [--match-case|--ignore-case]; or "
           "internet, internet-pics, totals; or scan-browsers DRIVE";
}

std::variant<CliOptions, CliUsageError> ParseCliArguments(const std::vector<std::string>& args) {
    CliOptions options;
    std::vector<std::string> words;
    std::vector<std::string> nameOptions;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (auto mapping = OptionValue(args, i, "--drive")) {
            if (mapping->size() < 3 || !IsDriveLetter((*mapping)[0]) || (*mapping)[1] != '=')
                return CliUsageError{"--drive needs L=FOLDER" +
                                     (mapping->empty() ? "" : ", not: " + *mapping)};
            options.drives.emplace_back(AsciiLower((*mapping)[0]), mapping->substr(2));
        } else if (auto kind = OptionValue(args, i, "--sort")) {
            if (options.sort) return CliUsageError{"--sort may be given once"};
            options.sort = SortKindNamed(*kind);
            if (!options.sort)
                return CliUsageError{kind->empty() ? "--sort needs ext, name, path or size"
                                                   : "unknown sort kind: " + *kind};
        } else if (auto text = OptionValue(args, i, "--filter")) {
            options.filters.push_back(FilterText(*text));
            if (options.filters.back().empty())
                return CliUsageError{"--filter needs a text that is not blank"};
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
        } else if (arg == "--yes") {
            options.answerYes = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return CliUsageError{"unknown option: " + arg};
        } else {
            words.push_back(arg);
        }
    }
    if (options.keepCase && !options.sort) return CliUsageError{"--keep-case goes with --sort"};
    if (options.answerYes && !options.deleteAll) return CliUsageError{"--yes goes with --delete"};

    if (words.empty()) return CliUsageError{"expected a command"};
    options.command = words[0];
    const std::optional<CommandShape> shape = ShapeOf(options.command);
    if (!shape) return CliUsageError{"unknown command: " + options.command};
    if (!shape->takesText && !nameOptions.empty())
        return CliUsageError{nameOptions.front() + " goes with the name command"};
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
        return CliUsageError{"a drive is written as a letter and a colon, like c:, not: " + drive};
    options.driveLetter = AsciiLower(drive[0]);
    return options;
}

}  // namespace vellomar::cli
