#pragma once
// A folder held open for moving files into and out of it: the garbage bin's
// folders and the folders its files come from and go back to. Below a drive's
// root every name is opened without following a link (unless the caller asks
// to follow them, for the program's own folders), so a folder swapped for a
// link between a search and a move makes the move fail instead of reaching
// somewhere else. Names of a drive-form path are resolved as FileSystem
// resolves them: exactly, else by the one entry that differs in letter case.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Folder.h"

namespace vellomar {

// How an operation on a file ended.
enum class FileOutcome {
    Done,
    NotFound,      // the file, or a folder on its path, is not there
    NotAFile,      // a folder, a link or another system entry
    ReadOnly,      // the owner may not write the file
    LinkInPath,    // a folder on its path is a link
    TargetExists,  // an entry of that name already stands at the target
    NoRoom,        // the target's disk is full, or a size limit was reached
    NotPermitted,  // no right to change the folder, or a read-only file system
    Changed,       // the file changed while it was being copied
    Failed,        // any other refusal of the file system
};

// Tells two handles of one folder apart from handles of two folders.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

class FolderHandle {
public:
    enum class Missing { Fail, Create };

    FolderHandle() = default;
    ~FolderHandle();
    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    // The folder at a drive-form path; the drive's root itself is opened as
    // FileSystem opens it. With Missing::Create, folders that are not there are
    // made, as the user's umask allows.
    static FolderHandle Open(const FileSystem& files, std::string_view drivePath,
                             Folder::Links links, Missing missing = Missing::Fail);

    explicit operator bool() const { return fd_ >= 0; }
    // Why the folder could not be opened; Done when it is open.
    FileOutcome Failure() const { return failure_; }

    // A subfolder by its exact name, never through a link. With Missing::Create
    // it is made with the mode when it is not there.
    FolderHandle Subfolder(const std::string& name, Missing missing = Missing::Fail,
                           unsigned mode = 0777) const;
    // Makes a new subfolder; false when the name is taken or the folder refuses.
    bool CreateSubfolder(const std::string& name, unsigned mode) const;

    std::optional<FolderIdentity> Identity() const;
    bool OwnedByThisUser() const;

    // The names of the folder's entries, "." and ".." left out.
    std::vector<std::string> Names() const;
    // An entry of exactly that name, of any kind, a link included.
    bool Contains(const std::string& name) const;
    // The size of the regular file of that name; nothing for any other entry.
    std::optional<std::int64_t> FileSize(const std::string& name) const;
    // The text of the regular file of that name, never read through a link;
    // nothing when it is missing, no regular file, unreadable or longer than
    // the limit.
    std::optional<std::string> ReadSmallFile(const std::string& name, std::size_t limit) const;
    // Puts the text in the file of that name whole or not at all: it is
    // written under a temporary name, synced and renamed over the name, which
    // is never followed should it be a link.
    FileOutcome ReplaceFile(const std::string& name, std::string_view text) const;
    // Removes a regular file; a link or any other entry is refused (NotAFile).
    FileOutcome RemoveFile(const std::string& name) const;
    // Removes an empty subfolder.
    bool RemoveEmptySubfolder(const std::string& name) const;

private:
    friend FileOutcome MoveFile(const FolderHandle& from, const std::string& name,
                                const FolderHandle& to, const std::string& newName);
    FolderHandle(int fd, FileOutcome failure) : fd_(fd), failure_(failure) {}
    FolderHandle Enter(const std::string& name, Folder::Links links, Missing missing,
                       unsigned mode) const;

    int fd_ = -1;
    FileOutcome failure_ = FileOutcome::NotFound;
};

// A single name within a folder: not empty, not "." or "..", no '/' and no NUL,
// so it can never climb out of or reach below the folder it is looked up in.
inline bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

}  // namespace vellomar
