#pragma once
// A folder held open for moving files into and out of it: the garbage bin's
// folders and the folders its files come from and go back to. Below a drive's
// root every name is opened without following a link (unless the caller asks
// to follow them, for the program's own folders), so a folder swapped for a
// link between a search and a move makes the move fail instead of reaching
// somewhere else. Names of a drive-form path are matched as FileSystem
// matches them, exactly or in any letter case as the caller says.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileActs.h"
#include "platform/FileSystem.h"
#include "platform/Folder.h"

namespace vellomar {

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
                             NameMatch match, Folder::Links links,
                             Missing missing = Missing::Fail);

    explicit operator bool() const { return fd_ >= 0; }
    // Why the folder could not be opened; Done when it is open.
    FileOutcome Failure() const { return failure_; }

    // A subfolder by its exact name, never through a link. With Missing::Create
    // it is made with the mode when it is not there.
    FolderHandle Subfolder(const std::string& name, Missing missing = Missing::Fail,
                           unsigned mode = 0777) const;
    // Makes a new subfolder; false when the name is taken or the folder refuses.
    bool CreateSubfolder(const std::string& name, unsigned mode) const;
    // Makes a subfolder under the prefix and a part no name was ever given
    // before; its name, or nothing when the folder refuses.
    std::optional<std::string> CreateFreshSubfolder(std::string_view prefix, unsigned mode) const;

    std::optional<EntryIdentity> Identity() const;
    bool OwnedByThisUser() const;

    // The names of the folder's entries, "." and ".." left out.
    std::vector<std::string> Names() const;
    // An entry of exactly that name, of any kind, a link included.
    bool Contains(const std::string& name) const;
    struct HeldEntry {
        EntryKind kind;
        bool writable;      // its owner may write it
        std::int64_t size;  // 0 for anything but a regular file
        EntryIdentity identity;
        // When the entry itself last changed: a rename changes it, so for an
        // entry moved in, about when it came.
        std::chrono::system_clock::time_point changed;
    };
    // The entry of exactly that name, never followed should it be a link.
    std::optional<HeldEntry> Entry(const std::string& name) const;
    // The text of the regular file of that name, never read through a link;
    // nothing when it is missing, no regular file, unreadable or longer than
    // the limit.
    std::optional<std::string> ReadSmallFile(const std::string& name, std::size_t limit) const;
    // Puts the text in the file of that name whole or not at all: it is
    // written under a temporary name, synced and renamed over the name, which
    // is never followed should it be a link.
    FileOutcome ReplaceFile(const std::string& name, std::string_view text) const;
    // Removes a regular file that passes the check as it is removed (see
    // posix/CheckedRemoval.h); a link or any other entry is refused (NotAFile).
    FileOutcome RemoveFile(const std::string& name, const EntryCheck& check) const;
    // Removes an empty subfolder.
    bool RemoveEmptySubfolder(const std::string& name) const;

private:
    friend FileOutcome MoveFile(const FolderHandle& from, const std::string& name,
                                const FolderHandle& to, const std::string& newName,
                                const EntryCheck& check);
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
