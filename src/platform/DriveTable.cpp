#include "platform/DriveTable.h"

#include <algorithm>
#include <array>
#include <map>
#include <sstream>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"

namespace vellomar {
namespace {

constexpr std::array kPseudoFileSystems = {
    "proc",     "sysfs",   "cgroup",   "cgroup2",     "devtmpfs",  "devpts",  "securityfs",
    "debugfs",  "tracefs", "pstore",   "bpf",         "mqueue",    "hugetlbfs", "configfs",
    "fusectl",  "binfmt_misc", "autofs", "efivarfs",  "rpc_pipefs", "nsfs",   "selinuxfs",
    "fuse.gvfsd-fuse", "fuse.portal"};

// Folders whose mounts belong to the running system, not to the user's files.
constexpr std::array kSystemMountFolders = {"/proc", "/sys", "/dev", "/run"};

bool IsPseudo(std::string_view type) {
    return std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), type) !=
           kPseudoFileSystems.end();
}

bool IsSameOrBelow(std::string_view path, std::string_view folder) {
    if (folder == "/") return !path.empty() && path.front() == '/';
    return path.substr(0, folder.size()) == folder &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

bool IsSystemMount(std::string_view mountPoint) {
    return std::any_of(kSystemMountFolders.begin(), kSystemMountFolders.end(),
                       [&](const char* folder) { return IsSameOrBelow(mountPoint, folder); });
}

// mountinfo writes blanks, tabs, newlines and backslashes as \ooo octal escapes.
std::string UnescapeMountField(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                text.push_back(char((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0')));
                i += 3;
                continue;
            }
        }
        text.push_back(field[i]);
    }
    return text;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

DriveTable DriveTable::FromMountInfo(std::string_view mountInfo) {
    // Mount point -> file system type; a later mount on the same point hides the earlier.
    std::map<std::string, std::string> mounts;
    std::istringstream lines{std::string(mountInfo)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, field;
        if (!(fields >> id >> parent >> device >> root >> mountPoint)) continue;
        while (fields >> field && field != "-") {}
        std::string type;
        if (!(fields >> type)) continue;
        mounts[UnescapeMountField(mountPoint)] = type;
    }

    DriveTable table;
    auto rootMount = mounts.find("/");
    if (rootMount != mounts.end()) table.Assign('c', "/");
    char next = 'd';
    for (const auto& [mountPoint, type] : mounts) {  // std::map keeps mount points in order
        if (mountPoint == "/" || IsPseudo(type) || IsSystemMount(mountPoint)) continue;
        if (next > 'z') break;
        table.Assign(next++, mountPoint);
    }
    return table;
}

void DriveTable::Assign(char letter, std::string nativeRoot) {
    letter = AsciiLower(letter);
    nativeRoot = WithoutTrailingSlash(std::move(nativeRoot));
    auto at = std::lower_bound(drives_.begin(), drives_.end(), letter,
                               [](const Drive& drive, char l) { return drive.letter < l; });
    if (at != drives_.end() && at->letter == letter) at->root = std::move(nativeRoot);
    else drives_.insert(at, Drive{letter, std::move(nativeRoot)});
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
