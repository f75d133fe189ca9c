#pragma once
// Which file systems of a mount table are drives, as libmount reads the
// table.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/DriveIdentity.h"
#include "platform/DriveTable.h"

namespace vellomar {

// What the machine tells of its block devices besides the mount table, each
// device by the path the mount table names it by ("/dev/sdb1").
struct BlockDevices {
    std::set<std::string> removable;  // devices on removable media, partitions included
    // Device -> its link name in /dev/disk/by-label: the label with blanks and
    // other awkward characters written as \xHH.
    std::map<std::string, std::string> labelLinks;
    std::set<std::string> fileBacked;  // loop devices, partitions included: they show a file
};

// The name of the file system mounted at a folder, as FileSystemOf gives it.
using FileSystemNamer = std::function<std::optional<std::string>(const std::string& mountPoint)>;

// The drives of a mount table file, in mountinfo or fstab format, in the
// order of their mount points, without letters yet. A later mount on a
// folder hides the earlier one; a second mount of the same folder of a file
// system is no second drive.
std::vector<Drive> MountedDrives(const std::string& mountTable, const BlockDevices& devices,
                                 const FileSystemNamer& fileSystemOf = FileSystemOf);

}  // namespace vellomar
