#include "cli/CliOptions.h"

#include "platform/AsciiCase.h"

namespace vellomar::cli {
namespace {

bool IsDriveLetter(char c) {
    c = AsciiLower(c);
    return c >= 'a' && c <= 'z';
}

}  // namespace

std::string CliUsage() {
    return "usage: vellomar-cli [--drive L=FOLDER]... COMMAND DRIVE, COMMAND one of garbage zero "
           "videos pictures sounds screensavers bookmarks documents zips webpages inidat logs tax";
}

std::variant<CliOptions, CliUsageError> ParseCliArguments(const std::vector<std::string>& args) {
    CliOptions options;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string mapping;
        if (arg == "--drive") {
            if (i + 1 == args.size()) return CliUsageError{"--drive needs L=FOLDER"};
            mapping = args[++i];
        } else if (arg.rfind("--drive=", 0) == 0) {
            mapping = arg.substr(8);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return CliUsageError{"unknown option: " + arg};
        } else {
            words.push_back(arg);
            continue;
        }
        if (mapping.size() < 3 || !IsDriveLetter(mapping[0]) || mapping[1] != '=')
            return CliUsageError{"--drive needs L=FOLDER, not: " + mapping};
        options.drives.emplace_back(AsciiLower(mapping[0]), mapping.substr(2));
    }

    if (words.size() != 2) return CliUsageError{"expected a command and a drive"};
    options.command = words[0];
    const std::string& drive = words[1];
    if (drive.size() != 2 || !IsDriveLetter(drive[0]) || drive[1] != ':')
        return CliUsageError{"a drive is written as a letter and a colon, like c:, not: " + drive};
    options.driveLetter = AsciiLower(drive[0]);
    return options;
}

}  // namespace vellomar::cli
