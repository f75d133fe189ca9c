#include "platform/DriveTable.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"

namespace vellomar {
namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

bool IsSameOrBelow(std::string_view path, std::string_view folder) {
    if (folder == "/") return !path.empty() && path.front() == '/';
    return path.substr(0, folder.size()) == folder &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

std::string MountFolderOf(const Drive& drive) {
    return drive.root.starts_with('/') ? drive.root : std::string();
}

void DriveTable::Assign(char letter, std::string nativeRoot, DriveKind kind, std::string label,
                        std::string fileSystemType, std::string identity) {
    Assign(letter, Drive{letter, std::move(nativeRoot), kind, std::move(label),
                         std::move(fileSystemType), std::move(identity)});
}

void DriveTable::Assign(char letter, Drive drive) {
    drive.letter = AsciiLower(letter);
    drive.root = WithoutTrailingSlash(std::move(drive.root));
    auto at = std::lower_bound(drives_.begin(), drives_.end(), drive.letter,
                               [](const Drive& d, char l) { return d.letter < l; });
    if (at != drives_.end() && at->letter == drive.letter) *at = std::move(drive);
    else drives_.insert(at, std::move(drive));
}

const Drive* DriveTable::Find(char letter) const {
    letter = AsciiLower(letter);
    for (const Drive& drive : drives_)
        if (drive.letter == letter) return &drive;
    return nullptr;
}

std::optional<std::string> DriveTable::ToDriveForm(std::string_view nativePath) const {
    const Drive* best = nullptr;
    for (const Drive& drive : drives_) {
        if (IsSameOrBelow(nativePath, drive.root) &&
            (!best || drive.root.size() > best->root.size()))
            best = &drive;
    }
    if (!best) return std::nullopt;

    std::string path{best->letter, ':'};
    std::string_view rest = nativePath.substr(best->root == "/" ? 0 : best->root.size());
    while (!rest.empty()) {
        std::size_t end = rest.find('/');
        std::string_view name = rest.substr(0, end);
        if (name.find(kPathSeparator) != std::string_view::npos) return std::nullopt;
        if (!name.empty() && name != ".") path = JoinDrivePath(path, name);
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return path;
}

}  // namespace vellomar
