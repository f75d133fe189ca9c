#pragma once
// The drive letters of this run and the native folders they stand for.
// On a POSIX machine the root file system is c: and the other real mounted
// file systems follow from d: in the order of their mount points; pseudo file
// systems get no letter. Tests and the command-line companion map letters to
// folders of their own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellomar {

struct Drive {
    char letter;        // lower case
    std::string root;   // native folder, absolute, without a trailing '/' (except "/")
};

class DriveTable {
public:
    DriveTable() = default;

    // Letters for the file systems listed in a /proc/self/mountinfo text.
    static DriveTable FromMountInfo(std::string_view mountInfo);
    // Letters for the file systems mounted on this machine now.
    static DriveTable OfThisMachine();

    // Maps letter (either case) to a native folder, replacing any earlier mapping.
    void Assign(char letter, std::string nativeRoot);

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
