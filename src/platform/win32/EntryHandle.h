#pragma once
// Entries opened relative to an open folder's handle, as openat() does on
// POSIX systems: the folder is never named again by its path, so a folder
// renamed or swapped for a junction meanwhile is not reached through its old
// path. What an entry is, is read through the very handle later acts use.

#include "platform/win32/SystemApi.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileActs.h"
#include "platform/Folder.h"
#include "platform/win32/WidePath.h"

namespace vellomar {

enum class Reparse { Open, Follow };  // open a reparse point itself, or what it names

struct OpenRequest {
    ACCESS_MASK access;
    ULONG options = 0;           // FILE_DIRECTORY_FILE, FILE_NON_DIRECTORY_FILE
    ULONG disposition = 1;       // FILE_OPEN; FILE_CREATE (2), FILE_OPEN_IF (3)
    Reparse reparse = Reparse::Open;
    PSECURITY_DESCRIPTOR security = nullptr;  // what a new entry is made with, else what it inherits
    ULONG share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
};

struct OpenedEntry {
    OwnedHandle handle;
    FileOutcome failure = FileOutcome::Done;  // why there is no handle
    explicit operator bool() const { return static_cast<bool>(handle); }
};

// The entry of that name (a plain name) in the folder.
OpenedEntry OpenEntry(HANDLE folder, std::string_view name, const OpenRequest& request);

// Whether an entry of these attributes and reparse tag (a listing's or a
// handle's) is a link: a symbolic link, a junction or a mount point, which
// name another entry. Other reparse points (a cloud file's placeholder, a
// deduplicated or a compressed file) are the files or folders they look like.
bool IsNameSurrogate(DWORD attributes, DWORD reparseTag);
// What an entry of these attributes and reparse tag is: links, sockets and
// devices are system entries, never entered.
EntryKind KindOf(DWORD attributes, DWORD reparseTag);

// What an open entry is, read through its handle.
struct HeldInfo {
    DWORD attributes;
    std::int64_t size;
    EntryIdentity identity;
    FileTime modified;
    std::chrono::system_clock::time_point changed;
    DWORD reparseTag = 0;  // when attributes hold FILE_ATTRIBUTE_REPARSE_POINT

    bool IsLink() const { return IsNameSurrogate(attributes, reparseTag); }
    EntryKind Kind() const { return KindOf(attributes, reparseTag); }
};
std::optional<HeldInfo> InfoOf(HANDLE handle);

// A file that is a reparse point but no link (a cloud file's placeholder, a
// deduplicated file), seen through a handle that opened it as itself, opened
// again so that the reparse point's owner gives its contents: only when the
// name still reaches that very file, else Changed.
OpenedEntry OpenContents(HANDLE folder, std::string_view name, const HeldInfo& seen,
                         OpenRequest request);

// Done, or why a regular file of this description may not be acted on.
FileOutcome CheckEntry(const HeldInfo& info, const EntryCheck& check);

FileOutcome OutcomeOfStatus(LONG status);
FileOutcome OutcomeOfError(DWORD error);

// Deletes the open entry (opened with DELETE access) when it is closed.
bool MarkForDeletion(HANDLE handle);
// Renames the open entry (opened with DELETE access) to a plain name in an
// open folder, replacing what stands there only when asked: 0, or the status.
LONG RenameEntry(HANDLE entry, HANDLE toFolder, std::string_view newName, bool replace);

// An open entry's own path, for the calls that take nothing but a path.
std::optional<std::wstring> PathOf(HANDLE entry);

// Whether the entry's owner is this process's user or, when the system counts,
// the system's own accounts (LocalSystem, the Administrators group), which
// stand here where root does on POSIX systems.
bool OwnedByThisUserOrSystem(HANDLE entry, bool systemCounts);

}  // namespace vellomar
