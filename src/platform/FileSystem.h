#pragma once
// File-system operations on drive-form paths. Each name of a path is resolved
// exactly first and, only when that fails, by the one entry of its folder whose
// name differs from it in ASCII letter case alone, as the desktop platform
// ignores letter case in paths. Deletion never follows a symbolic link below the
// drive's root folder, in any name of the path; a folder replaced by a link
// between a search and a deletion makes the deletion fail.

#include <optional>
#include <string>
#include <string_view>

#include "platform/DriveTable.h"
#include "platform/Folder.h"

namespace vellomar {

// An entry found by path, with the name the file system stores for it.
struct FoundEntry {
    std::string name;
    EntryInfo info;
};

enum class DeleteOutcome {
    Deleted,
    NotFound,
    NotAFile,   // a folder, a link or another system entry
    ReadOnly,
    Failed,     // the file system refused (permissions, busy, vanished meanwhile)
};

class FileSystem {
public:
    explicit FileSystem(const DriveTable& drives) : drives_(drives) {}

    const DriveTable& Drives() const { return drives_; }

    // The folder at a drive-form path, for listing; unopened when missing or a link.
    Folder OpenFolder(std::string_view drivePath) const;
    // The entry at a drive-form path, of any kind (a drive root is not an entry).
    std::optional<FoundEntry> Find(std::string_view drivePath) const;
    bool FileExists(std::string_view drivePath) const;
    bool FolderExists(std::string_view drivePath) const;
    // Creates one folder whose parent exists.
    bool CreateFolder(std::string_view drivePath) const;
    // Deletes a regular, writable file. Folders, links and read-only files are refused.
    DeleteOutcome DeleteFile(std::string_view drivePath) const;

    bool SetCurrentFolder(std::string_view drivePath) const;
    std::optional<std::string> CurrentFolder() const;

    // The native path of a drive-form path, its existing names resolved as above
    // and the rest kept as written. Nothing for a path that names no drive.
    std::optional<std::string> NativePath(std::string_view drivePath) const;

private:
    struct Parent {
        Folder folder;
        std::string name;  // as written; empty for a drive root
    };
    // Opens the folder that holds the path's last name.
    std::optional<Parent> OpenParent(std::string_view drivePath, Folder::Links links) const;

    const DriveTable& drives_;
};

}  // namespace vellomar
