#pragma once
// File-system operations on drive-form paths. How the names of a path meet the
// names on disk depends on who wrote the path (NameMatch). Deletion never
// follows a symbolic link below the drive's root folder, in any name of the
// path; a folder replaced by a link between a search and a deletion makes the
// deletion fail.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DriveIdentity.h"
#include "platform/DriveTable.h"
#include "platform/FileActs.h"
#include "platform/Folder.h"
#include "platform/FolderTrail.h"
#include "platform/SystemFiles.h"

namespace vellomar {

// The desktop platform ignores letter case in paths, and a path a person or a
// stored file wrote is taken that way: each name exactly first and, only when
// that fails, the one entry of its folder whose name differs from it in ASCII
// letter case alone (two such entries make the name ambiguous: it names
// nothing). A path the program found itself names the very entries it found,
// every name exactly: a twin differing in letter case alone is another file.
enum class NameMatch { Exact, AnyCase };

// A folder opened by a path a person or a stored file wrote, and that path
// again by the names as stored: what is listed in it is named exactly.
struct WrittenFolder {
    Folder folder;     // unopened when missing
    std::string path;  // drive form
};

// An entry found by path, with the name the file system stores for it.
struct FoundEntry {
    std::string name;
    EntryInfo info;
};

class FileSystem {
public:
    FileSystem(const DriveTable& drives, const SystemFiles& systemFiles)
        : drives_(drives), systemFiles_(systemFiles) {}

    const DriveTable& Drives() const { return drives_; }
    // A trail for acts on listed files, one after another.
    FolderTrail Trail() const { return FolderTrail(drives_, systemFiles_); }

    // The place among the system's trees of the folder at a drive-form path
    // named by its exact names, as the walks and listings step down from it.
    SystemPlace SystemPlaceOf(std::string_view folderPath) const;
    // Whether the operating system owns the entry at a drive-form path named
    // by its exact names: a file of an installed package or of the system's
    // own trees, which no act may touch.
    bool OwnedBySystem(std::string_view drivePath) const;

    // The folder at a drive-form path, for listing; unopened when missing or a link.
    Folder OpenFolder(std::string_view drivePath, NameMatch match) const;
    // The folder at a drive-form path for acting in it: each name below the
    // drive's root is entered through its parent's handle, links as the
    // caller says (followed only for the program's own folders), and with
    // Missing::Create folders that are not there are made. An unopened folder
    // tells why (Failure()).
    Folder EnterFolder(std::string_view drivePath, NameMatch match, Folder::Links links,
                       Folder::Missing missing = Folder::Missing::Fail) const;
    // The entry at a drive-form path, of any kind (a drive root is not an entry).
    std::optional<FoundEntry> Find(std::string_view drivePath, NameMatch match) const;
    bool FileExists(std::string_view drivePath, NameMatch match) const;
    bool FolderExists(std::string_view drivePath, NameMatch match) const;
    // Creates one folder whose parent exists, unless an entry of that name in
    // any letter case stands there; the parent is reached through links of
    // this user's or root's only.
    bool CreateFolder(std::string_view drivePath) const;
    // Deletes the regular, writable file the program found at a path, reached
    // by its exact names (see FolderTrail, which deletes a list of them).
    // Folders, links, read-only files and the system's own files are refused,
    // also when one takes the file's place while it is being deleted; with
    // check.listed, so is any file but the one listed.
    RemovedFile DeleteFile(std::string_view drivePath, const EntryCheck& check = {}) const;

    // The file system a drive letter stands for now.
    std::optional<DriveIdentity> IdentifyDrive(char letter) const;
    // The letter that stands now for that file system mounted where it was;
    // nothing when it is not mounted there.
    std::optional<char> LetterOfDrive(const DriveIdentity& identity) const;
    // The drive-form path of the folder an identity was taken of (a drive's
    // root then), under whatever drive now holds it, while that folder is
    // still on the same file system; nothing otherwise.
    std::optional<std::string> DrivePathOfDrive(const DriveIdentity& identity) const;

    bool SetCurrentFolder(std::string_view drivePath) const;
    std::optional<std::string> CurrentFolder() const;

    // The native path of a drive-form path, its existing names matched as asked
    // and the rest kept as written. Nothing for a path that names no drive.
    std::optional<std::string> NativePath(std::string_view drivePath, NameMatch match) const;
    // The folder at a path written in any letter case, for listing.
    WrittenFolder OpenWrittenFolder(std::string_view drivePath) const;

private:
    struct Parent {
        Folder folder;
        std::string name;  // as written; empty for a drive root
    };
    // Opens the folder that holds the path's last name.
    std::optional<Parent> OpenParent(std::string_view drivePath, NameMatch match,
                                     Folder::Links links) const;
    struct StoredNames {
        const Drive* drive;
        std::vector<std::string> names;  // as stored as far as they exist, then as written
        Folder folder;                   // the last one, when every name exists
    };
    std::optional<StoredNames> ResolveNames(std::string_view drivePath, NameMatch match) const;

    // The native path of a drive-form path by its names as written.
    std::optional<std::string> JoinedNativePath(std::string_view drivePath) const;

    const DriveTable& drives_;
    const SystemFiles& systemFiles_;
};

}  // namespace vellomar
