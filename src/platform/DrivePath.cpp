#include "platform/DrivePath.h"

#include "platform/AsciiCase.h"

namespace vellomar {
namespace {

// No file name holds these: a '/' would climb out of or reach below a folder on
// the native side, and a NUL would cut the name short there.
constexpr std::string_view kNoNameCharacters("/\0", 2);

}  // namespace

std::optional<DrivePathParts> SplitDrivePath(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return std::nullopt;
    char letter = AsciiLower(path[0]);
    if (letter < 'a' || letter > 'z') return std::nullopt;

    DrivePathParts parts;
    parts.letter = letter;
    std::string_view rest = path.substr(2);
    while (!rest.empty()) {
        std::size_t end = rest.find(kPathSeparator);
        std::string_view name = rest.substr(0, end);
        if (name == "." || name == ".." || name.find_first_of(kNoNameCharacters) != name.npos)
            return std::nullopt;
        if (!name.empty()) parts.names.push_back(name);
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return parts;
}

std::string DriveRootPath(char driveLetter) { return {AsciiLower(driveLetter), ':'}; }

std::string JoinDrivePath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).push_back(kPathSeparator);
    path.append(name);
    return path;
}

std::string_view FolderPartWithSeparator(std::string_view path) {
    std::size_t last = path.rfind(kPathSeparator);
    return last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
}

std::string_view LastName(std::string_view path) {
    std::size_t last = path.rfind(kPathSeparator);
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::string_view ExtensionOf(std::string_view path) {
    const std::string_view name = LastName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

}  // namespace vellomar
