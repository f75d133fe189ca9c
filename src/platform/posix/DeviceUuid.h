#pragma once
// The UUID a block device's file system header holds, as the device manager
// (udev) read it and named a link after it in /dev/disk/by-uuid: also where
// the kernel tells none (FAT's serial number, NTFS's), and readable by every
// user, who may not read the device itself.

#include <sys/types.h>

#include <optional>
#include <string>

namespace vellomar {

inline constexpr char kUuidLinkFolder[] = "/dev/disk/by-uuid";

// Lower-case hex digits without dashes, as the kernel's UUID of the same file
// system is written; nothing when no link in the folder reaches the device.
std::optional<std::string> UuidOfDevice(const std::string& linkFolder, dev_t device);

}  // namespace vellomar
