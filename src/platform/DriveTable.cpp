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

// The network share a UNC path lies on ("//server/share" for "//server/share/ann/x").
std::optional<std::string> ShareOf(std::string_view nativePath) {
    if (!nativePath.starts_with("//")) return std::nullopt;
    const std::size_t serverEnd = nativePath.find('/', 2);
    if (serverEnd == std::string_view::npos || serverEnd == 2) return std::nullopt;
    const std::size_t shareEnd = nativePath.find('/', serverEnd + 1);
    const std::string_view share = nativePath.substr(0, shareEnd);
    if (share.size() == serverEnd + 1) return std::nullopt;  // "//server/" names no share
    return std::string(share);
}

}  // namespace

bool IsSameOrBelow(std::string_view path, std::string_view folder) {
    if (folder == "/") return !path.empty() && path.front() == '/';
    if (path.size() < folder.size() ||
        (path.size() > folder.size() && path[folder.size()] != '/'))
        return false;
    // "c:/Users" lies on the drive "C:": a drive letter names its drive in either case.
    const std::size_t letterEnd = folder.size() >= 2 && folder[1] == ':' ? 1 : 0;
    return EqualsIgnoringAsciiCase(path.substr(0, letterEnd), folder.substr(0, letterEnd)) &&
           path.substr(letterEnd, folder.size() - letterEnd) == folder.substr(letterEnd);
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

void DriveTable::AssignShareOf(std::string_view nativePath) {
    const std::optional<std::string> share = ShareOf(nativePath);
    if (!share || ToDriveForm(nativePath)) return;
    for (char letter = 'z'; letter >= 'c'; --letter) {
        if (Find(letter)) continue;
        std::string label = *share;
        for (char& c : label)
            if (c == '/') c = kPathSeparator;
        Assign(letter, *share, DriveKind::Network, std::move(label));
        return;
    }
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
