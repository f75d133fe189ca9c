#pragma once
// Which file system a drive letter stands for, in terms that survive a change
// of drive letters: mounting a file system whose mount point sorts earlier
// gives the drives after it new letters.

#include <optional>
#include <string>
#include <string_view>

namespace vellomar {

// Stored and compared as text, never taken apart outside the platform.
struct DriveIdentity {
    std::string mountPoint;  // the drive's root folder, native
    // "uuid:" and the file system's UUID where it has one, else "device:" and
    // the device numbers it is mounted from, the root folder's inode and its
    // creation time where the file system keeps one ("device:8:17:2:1714563910.123456789").
    std::string fileSystem;
    bool operator==(const DriveIdentity&) const = default;
};

// The file system that holds a native folder, as DriveIdentity names it;
// nothing when the folder cannot be opened.
std::optional<std::string> FileSystemOf(const std::string& nativeFolder);

// Whether a stored name of a file system tells it from another disk mounted
// from the same device later. Older versions named a file system without a
// UUID by its device numbers alone ("device:8:17"), which the next disk in
// that slot shares: such a name proves nothing about the disk mounted now.
bool TellsDisksApart(std::string_view fileSystem);

}  // namespace vellomar
