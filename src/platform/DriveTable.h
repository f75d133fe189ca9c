#pragma once
// The drive letters of this run and the native folders they stand for.
// On a POSIX machine the root file system is c: and the other file systems
// that hold the user's files take letters from d: that they keep from run to
// run (DriveLetters.h); pseudo file systems and mounted images get none.
// Tests and the command-line companion map letters to folders of their own.

#include <optional>
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
    // What the letter is remembered by where letters are the program's own:
    // the file system as DriveIdentity names it, "network:" and the
    // connection, or "folder:" and the mount point where nothing else stays.
    // Empty where the machine keeps the letters or it is not known.
    std::string identity;
};

// The folder a drive is mounted at where drives are folders (POSIX); empty
// where a drive is a letter of the machine's own.
std::string MountFolderOf(const Drive& drive);

// Whether a native path is the folder or lies below it. A drive letter
// ("C:/x") matches in either case; every name after it compares exactly.
bool IsSameOrBelow(std::string_view path, std::string_view folder);

class RegistryStore;

class DriveTable {
public:
    DriveTable() = default;

    // Letters for the file systems mounted on this machine now; where the
    // letters are the program's own, they are remembered in the store.
    static DriveTable OfThisMachine(const RegistryStore& letterStore);

    // Maps letter (either case) to a native folder, replacing any earlier mapping.
    void Assign(char letter, std::string nativeRoot, DriveKind kind = DriveKind::Fixed,
                std::string label = {}, std::string fileSystemType = {}, std::string identity = {});
    // Gives the drive the letter (either case), replacing any earlier mapping.
    void Assign(char letter, Drive drive);

    // Gives the network share of a UNC path that no drive holds a letter of its
    // own, the last one free, as a redirected profile's application-data
    // folder needs; nothing changes for any other path or when no letter is free.
    void AssignShareOf(std::string_view nativePath);

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
