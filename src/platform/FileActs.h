#pragma once
// How an act on one file ended, and what the file must still be when the act
// reaches it: checked through the folder handle the act goes through, at the
// moment of the act, never by an earlier look-up.

#include <cstdint>
#include <optional>

#include "platform/FileTime.h"

namespace vellomar {

// Tells two entries of the file systems apart, wherever and however named.
struct EntryIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const EntryIdentity&) const = default;
};

// The file an entry was listed as: which file it is and what it held then.
// A file put in its place since, or the same file written to since, is
// another one to every act on the entry.
struct ListedFile {
    EntryIdentity identity;
    std::int64_t size = 0;
    FileTime modified;  // to the nanosecond: a file rewritten within a second differs
    bool operator==(const ListedFile&) const = default;
};

enum class FileOutcome {
    Done,
    NotFound,      // the file, or a folder on its path, is not there
    NotAFile,      // a folder, a link or another system entry
    ReadOnly,      // the owner may not write the file
    LinkInPath,    // a folder on its path is a link
    TargetExists,  // an entry of that name already stands at the target
    NoRoom,        // the target's disk is full, or a size limit was reached
    NotPermitted,  // no right to change the folder, or a read-only file system
    // Another program holds the file open and keeps it from the act; for a
    // removal, also: the file goes only once that program closes it.
    InUse,
    Changed,       // not the file it was: replaced, or changed while it was being copied
    // Another entry had taken the file's place: it was moved and then could not
    // be put back, as a new entry stood at its old name by then.
    NotPutBack,
    Failed,        // any other refusal of the file system
};

// What a regular file must be for the act to go ahead.
struct EntryCheck {
    bool writable = true;                   // its owner may write it
    std::optional<EntryIdentity> identity;  // it is still this very file
    std::optional<ListedFile> listed;       // it is still the file listed, unchanged
    // It was last modified before this moment: an age checked when the file
    // was listed holds no more once someone has written to it since.
    std::optional<FileTime> modifiedBefore;
};

// The file system the checked file must lie on, where the check names the file listed.
inline std::optional<std::uint64_t> ListedDevice(const EntryCheck& check) {
    if (!check.listed) return std::nullopt;
    return check.listed->identity.device;
}

struct RemovedFile {
    FileOutcome outcome;
    std::int64_t size = 0;  // the size of the file removed
};

}  // namespace vellomar
