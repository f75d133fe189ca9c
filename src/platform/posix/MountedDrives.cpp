#include "platform/posix/MountedDrives.h"

#include <libmount/libmount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

namespace vellomar {
namespace {

// libmount counts pseudo file systems such as these as holding no files of
// their own; they hold nothing else, and the user's garbage collects in /tmp.
constexpr std::array kRamFileSystems = {"tmpfs", "ramfs"};
constexpr std::array kDiscFileSystems = {"iso9660", "udf"};

// Folders whose mounts belong to the running system, not to the user's files.
constexpr std::array kSystemMountFolders = {"/proc", "/sys", "/dev", "/run"};

template <std::size_t N>
bool IsOneOf(std::string_view type, const std::array<const char*, N>& types) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

bool IsSystemMount(std::string_view mountPoint) {
    return std::any_of(kSystemMountFolders.begin(), kSystemMountFolders.end(),
                       [&](const char* folder) { return IsSameOrBelow(mountPoint, folder); });
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

std::string Text(const char* text) { return text ? text : ""; }

// A file system mounted from a file (through a loop device, or by the kernel
// straight from it) is an image: a snap or another package's read-only
// squashfs, a container's layer, a disk image opened to look inside. Its
// files belong to the image, not to the user's disks, and images come and go
// with every package update.
bool IsImage(const std::string& source, const BlockDevices& devices) {
    struct stat info;
    return devices.fileBacked.count(source) ||
           (source.starts_with('/') && stat(source.c_str(), &info) == 0 && S_ISREG(info.st_mode));
}

bool IsDrive(libmnt_fs* fs, const BlockDevices& devices) {
    const std::string mountPoint = Text(mnt_fs_get_target(fs));
    if (!mountPoint.starts_with('/') || (mountPoint != "/" && IsSystemMount(mountPoint))) return false;
    if (mnt_fs_is_swaparea(fs)) return false;
    // libmount tells the pseudo file systems: overlays, fuse helpers, proc and
    // the like; of them only a RAM disk holds files of the user's.
    if (mnt_fs_is_pseudofs(fs) && !IsOneOf(Text(mnt_fs_get_fstype(fs)), kRamFileSystems)) return false;
    // A share's source ("//server/share") names no file here.
    return mnt_fs_is_netfs(fs) || !IsImage(Text(mnt_fs_get_srcpath(fs)), devices);
}

DriveKind KindOf(libmnt_fs* fs, const BlockDevices& devices) {
    const std::string type = Text(mnt_fs_get_fstype(fs));
    if (mnt_fs_is_netfs(fs)) return DriveKind::Network;
    if (IsOneOf(type, kRamFileSystems)) return DriveKind::RamDisk;
    if (IsOneOf(type, kDiscFileSystems)) return DriveKind::CdRom;
    if (devices.removable.count(Text(mnt_fs_get_srcpath(fs)))) return DriveKind::Removable;
    return DriveKind::Fixed;
}

// A network drive is named by its connection, any other by its volume label.
std::string LabelOf(libmnt_fs* fs, DriveKind kind, const BlockDevices& devices) {
    if (kind == DriveKind::Network) return Text(mnt_fs_get_source(fs));
    auto link = devices.labelLinks.find(Text(mnt_fs_get_srcpath(fs)));
    return link == devices.labelLinks.end() ? std::string() : UnescapeLabelLink(link->second);
}

// What stays of a drive from one mount to the next. A network share is its
// connection: its device numbers are new at every mount, and a server that
// is away must not hold the program up. A RAM disk holds nothing over, and a
// file system on no device (device numbers 0:n, new at every mount) that has
// no UUID either is known only by where it is mounted. Of the others, a mount
// of a folder inside the file system (a bind mount, a btrfs subvolume) is
// that file system and that folder.
std::string IdentityOf(libmnt_fs* fs, DriveKind kind, const FileSystemNamer& fileSystemOf) {
    const std::string mountPoint = Text(mnt_fs_get_target(fs));
    if (kind == DriveKind::Network) return "network:" + Text(mnt_fs_get_source(fs));
    const std::optional<std::string> fileSystem =
        kind == DriveKind::RamDisk ? std::nullopt : fileSystemOf(mountPoint);
    if (!fileSystem || (!fileSystem->starts_with("uuid:") && major(mnt_fs_get_devno(fs)) == 0))
        return "folder:" + mountPoint;
    const std::string folder = Text(mnt_fs_get_root(fs));
    return folder.empty() || folder == "/" ? *fileSystem : *fileSystem + " " + folder;
}

using Table = std::unique_ptr<libmnt_table, decltype(&mnt_unref_table)>;
using Iterator = std::unique_ptr<libmnt_iter, decltype(&mnt_free_iter)>;

}  // namespace

std::vector<Drive> MountedDrives(const std::string& mountTable, const BlockDevices& devices,
                                 const FileSystemNamer& fileSystemOf) {
    const Table table(mnt_new_table(), mnt_unref_table);
    const Iterator at(mnt_new_iter(MNT_ITER_FORWARD), mnt_free_iter);
    if (!table || !at || mnt_table_parse_file(table.get(), mountTable.c_str()) != 0) return {};

    // Mount point -> what is mounted there last, which hides what came before.
    std::map<std::string, libmnt_fs*> mounts;
    libmnt_fs* fs = nullptr;
    while (mnt_table_next_fs(table.get(), at.get(), &fs) == 0)
        mounts[Text(mnt_fs_get_target(fs))] = fs;

    std::vector<Drive> drives;
    std::set<std::string> identities;
    for (const auto& [mountPoint, mounted] : mounts) {  // std::map keeps mount points in order
        if (!IsDrive(mounted, devices)) continue;
        const DriveKind kind = KindOf(mounted, devices);
        std::string identity = IdentityOf(mounted, kind, fileSystemOf);
        if (!identities.insert(identity).second) continue;
        drives.push_back(Drive{0, mountPoint, kind, LabelOf(mounted, kind, devices),
                               Text(mnt_fs_get_fstype(mounted)), std::move(identity)});
    }
    return drives;
}

}  // namespace vellomar
