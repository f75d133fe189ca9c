#pragma once
// The drive letters of this run and the native folders they stand for.
// On a POSIX machine the root file system is c: and the other real mounted
// file systems follow from d: in the order of their mount points; pseudo file
// systems get no letter. Tests and the command-line companion map letters to
// folders of their own.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vellomar {

enum class DriveKind { Removable, Fixed, CdRom, RamDisk, Network };

struct Drive {
    char letter;        // lower case
    std::string root;   // native folder, absolute, without a trailing '/' (except "/")
    DriveKind kind = DriveKind::Fixed;
    // The volume label as stored (empty when it has none), or for a network
    // drive the name of its connection, such as "server:/export".
    std::string label;
    std::string fileSystemType;  // as the mount table names it ("ext4"); empty when not known
};

// What the machine tells of its block devices besides the mount table, each
// device by the path the mount table names it by ("/dev/sdb1").
struct BlockDevices {
    std::set<std::string> removable;  // devices on removable media, partitions included
    // Device -> its link name in /dev/disk/by-label: the label with blanks and
    // other awkward characters written as \xHH.
    std::map<std::string, std::string> labelLinks;
};

class DriveTable {
public:
    DriveTable() = default;

    // Letters for the file systems listed in a /proc/self/mountinfo text, each
    // of the kind its file system type, source and device tell.
    static DriveTable FromMountInfo(std::string_view mountInfo, const BlockDevices& devices = {});
    // Letters for the file systems mounted on this machine now.
    static DriveTable OfThisMachine();

    // Maps letter (either case) to a native folder, replacing any earlier mapping.
    void Assign(char letter, std::string nativeRoot, DriveKind kind = DriveKind::Fixed,
                std::string label = {}, std::string fileSystemType = {});

    const std::vector<Drive>& Drives() const { return drives_; }  // ordered by letter
    const Drive* Find(char letter) const;

    // The drive form of an absolute native path: the drive whose root is the
    // longest leading folder of the path. Nothing when no drive holds it or a
    // name holds a '\', which drive form cannot carry.
    std::optional<std::string> ToDriveForm(std::string_view nativePath) const;

private:
    std::vector<Drive> drives_;
};

}  // namespace vellomar
