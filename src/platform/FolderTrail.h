#pragma once
// The folders that acts on listed files go through, one file after another.
// Each folder is opened once, through its parent's handle, every name exact,
// never through a link and never on another file system than the file's
// own: a folder swapped for a link, or a file system mounted over a folder
// since the file was listed, makes the act fail instead of reaching what
// stands there now. Folders stay open while the next files lie in them or
// below them, so a list of files in walk order costs one open per folder;
// of a deep path only the root and the deepest folders are held, so that a
// path of any depth takes a bounded number of handles. What the operating
// system owns is told folder by folder as well, and no act touches it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DriveTable.h"
#include "platform/FileActs.h"
#include "platform/Folder.h"
#include "platform/SystemFiles.h"

namespace vellomar {

class FolderTrail {
public:
    FolderTrail(const DriveTable& drives, const SystemFiles& system)
        : drives_(drives), system_(system) {}

    struct Holder {
        const Folder* folder = nullptr;  // valid until the next call
        std::string_view name;           // the file's name in it
        FileOutcome failure = FileOutcome::NotFound;  // why there is no folder
        SystemPlace place;               // the folder's among the system's trees
    };
    // The folder holding the entry at a drive-form path, on the file system
    // `device` where one is given.
    Holder HolderOf(std::string_view drivePath, std::optional<std::uint64_t> device);

    // The entry at the path when it is still the file listed there, unchanged;
    // a system entry (attribute::kSystem alone) where the system owns it.
    std::optional<EntryInfo> StillListed(std::string_view drivePath, const ListedFile& listed);
    // Removes the regular file at the path when it passes the check as it is
    // removed; with check.listed, only that very file, on its own file
    // system. A file the system owns is refused (NotAFile).
    RemovedFile DeleteFile(std::string_view drivePath, const EntryCheck& check);

private:
    struct OpenFolder {
        std::string name;  // empty for the drive's root
        Folder folder;     // closed again once deeper folders are held
        std::uint64_t device;
        SystemPlace place;
    };
    static constexpr std::size_t kDeepestHeld = 32;
    // Opens the next folder below the last one kept; false when it cannot be.
    bool Enter(std::string_view name, std::optional<std::uint64_t> device);
    bool OnDevice(const OpenFolder& open, std::optional<std::uint64_t> device) const {
        return !device || open.device == *device;
    }

    const DriveTable& drives_;
    const SystemFiles& system_;
    char letter_ = 0;
    std::vector<OpenFolder> open_;  // the drive's root first, then each folder below
    FileOutcome failure_ = FileOutcome::NotFound;
};

}  // namespace vellomar
