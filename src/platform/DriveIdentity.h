#pragma once
// Which file system a drive letter stands for, in terms that survive a change
// of drive letters: mounting a file system whose mount point sorts earlier
// gives the drives after it new letters.

#include <optional>
#include <string>

namespace vellomar {

// Stored and compared as text, never taken apart outside the platform.
struct DriveIdentity {
    std::string mountPoint;  // the drive's root folder, native
    // "uuid:" and the file system's UUID where it has one, else "device:" and
    // the device numbers it is mounted from.
    std::string fileSystem;
    bool operator==(const DriveIdentity&) const = default;
};

// The file system that holds a native folder, as DriveIdentity names it;
// nothing when the folder cannot be opened.
std::optional<std::string> FileSystemOf(const std::string& nativeFolder);

}  // namespace vellomar
