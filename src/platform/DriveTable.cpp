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

constexpr std::array kNetworkFileSystems = {"nfs",   "nfs4",  "cifs",      "smb3",
                                            "smbfs", "sshfs", "fuse.sshfs"};
constexpr std::array kRamFileSystems = {"tmpfs", "ramfs"};
constexpr std::array kDiscFileSystems = {"iso9660", "udf"};

// Folders whose mounts belong to the running system, not to the user's files.
constexpr std::array kSystemMountFolders = {"/proc", "/sys", "/dev", "/run"};

template <std::size_t N>
bool IsOneOf(std::string_view type, const std::array<const char*, N>& types) {
    return std::find(types.begin(), types.end(), type) != types.end();
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

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// /dev/disk/by-label names write blanks, slashes and the like as \xHH.
std::string UnescapeLabelLink(std::string_view link) {
    std::string label;
    for (std::size_t i = 0; i < link.size(); ++i) {
        if (link.substr(i, 2) == "\\x" && i + 3 < link.size()) {
            const int high = HexDigitValue(link[i + 2]);
            const int low = HexDigitValue(link[i + 3]);
            if (high >= 0 && low >= 0) {
                label.push_back(char(high * 16 + low));
                i += 3;
                continue;
            }
        }
        label.push_back(link[i]);
    }
    return label;
}

struct Mount {
    std::string type;
    std::string source;
};

DriveKind KindOf(const Mount& mount, const BlockDevices& devices) {
    if (IsOneOf(mount.type, kNetworkFileSystems)) return DriveKind::Network;
    if (IsOneOf(mount.type, kRamFileSystems)) return DriveKind::RamDisk;
    if (IsOneOf(mount.type, kDiscFileSystems)) return DriveKind::CdRom;
    if (devices.removable.count(mount.source)) return DriveKind::Removable;
    return DriveKind::Fixed;
}

// A network drive is named by its connection, any other by its volume label.
std::string LabelOf(const Mount& mount, DriveKind kind, const BlockDevices& devices) {
    if (kind == DriveKind::Network) return mount.source;
    auto link = devices.labelLinks.find(mount.source);
    return link == devices.labelLinks.end() ? std::string() : UnescapeLabelLink(link->second);
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

DriveTable DriveTable::FromMountInfo(std::string_view mountInfo, const BlockDevices& devices) {
    // Mount point -> its file system; a later mount on the same point hides the earlier.
    std::map<std::string, Mount> mounts;
    std::istringstream lines{std::string(mountInfo)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, field;
        if (!(fields >> id >> parent >> device >> root >> mountPoint)) continue;
        while (fields >> field && field != "-") {}
        Mount mount;
        if (!(fields >> mount.type)) continue;
        fields >> mount.source;
        mount.source = UnescapeMountField(mount.source);
        mounts[UnescapeMountField(mountPoint)] = std::move(mount);
    }

    DriveTable table;
    const auto assign = [&](char letter, const std::string& mountPoint, const Mount& mount) {
        const DriveKind kind = KindOf(mount, devices);
        table.Assign(letter, mountPoint, kind, LabelOf(mount, kind, devices), mount.type);
    };
    auto rootMount = mounts.find("/");
    if (rootMount != mounts.end()) assign('c', "/", rootMount->second);
    char next = 'd';
    for (const auto& [mountPoint, mount] : mounts) {  // std::map keeps mount points in order
        if (mountPoint == "/" || IsOneOf(mount.type, kPseudoFileSystems) ||
            IsSystemMount(mountPoint))
            continue;
        if (next > 'z') break;
        assign(next++, mountPoint, mount);
    }
    return table;
}

void DriveTable::Assign(char letter, std::string nativeRoot, DriveKind kind, std::string label,
                        std::string fileSystemType) {
    Drive drive{AsciiLower(letter), WithoutTrailingSlash(std::move(nativeRoot)), kind,
                std::move(label), std::move(fileSystemType)};
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
