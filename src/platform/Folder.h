#pragma once
// An open folder of the file system. It lists its entries, looks names up and
// acts on them relative to itself, so no full path is rebuilt per entry, and
// it never follows a symbolic link to reach a subfolder or an entry: the walks
// list through it, the garbage bin moves files into and out of it.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileActs.h"
#include "platform/FileTime.h"
#include "platform/NativeHandle.h"

namespace vellomar {

class OpenedFile;

enum class EntryKind : unsigned char {
    File,    // a regular file
    Folder,  // a real folder, never a link to one
    Other,   // links, sockets, devices, fifos: the "system" entries
};

// Attribute bits as the program tests and shows them.
namespace attribute {
inline constexpr unsigned kReadOnly = 1;   // the owner may not write
inline constexpr unsigned kHidden = 2;     // the name starts with '.'
inline constexpr unsigned kSystem = 4;     // neither a regular file nor a folder
inline constexpr unsigned kVolumeLabel = 8;
inline constexpr unsigned kDirectory = 16;
inline constexpr unsigned kArchive = 32;   // a regular file
}  // namespace attribute

// The file system a folder lies on and the mount that shows it there: a folder
// mounted a second time elsewhere (a bind mount) has the device of the first
// but a mount of its own.
struct MountIdentity {
    std::uint64_t device = 0;
    std::uint64_t mount = 0;  // 0 where the system does not number its mounts
    bool operator==(const MountIdentity&) const = default;
};

struct EntryInfo {
    EntryKind kind;
    unsigned attributes;
    std::int64_t size;  // 0 for anything but a regular file
    FileTime modified;
    EntryIdentity identity;
};

// The entry as a listing of it records it, for the acts on it to check.
inline ListedFile ListedAs(const EntryInfo& info) {
    return {info.identity, info.size, info.modified};
}

// "." and "..", which every listing holds.
inline bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

struct FolderEntry {
    const char* name;  // valid until the listing moves on
    EntryKind kind;
};

// How the name begins under which a removal puts a file aside for the moment
// it checks it (POSIX systems; see RemoveFile): a removal cut short by a
// crash or a kill leaves the file there.
inline constexpr std::string_view kAsidePrefix = ".vellomar-aside-";

// A single name within a folder: not empty, not "." or "..", no '/' and no NUL,
// so it can never climb out of or reach below the folder it is looked up in.
inline bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

// Every name below the folder it was opened from is opened relative to that
// folder's handle and, unless the caller asks to follow links, never through
// a link (the program's own folders, which it writes and makes, follow only
// links this user or root owns): a folder swapped for a link
// between a search and an act makes the act fail instead of reaching
// somewhere else. Acts on an entry check what they act on through the handle
// they act with. A name that is no plain name (see IsPlainName) names nothing.
class Folder {
public:
    // FollowOwn: links, and links on the way their texts lead, only of this
    // user's or root's; another's is refused (LinkInPath).
    enum class Links { Refuse, Follow, FollowOwn };
    enum class Missing { Fail, Create };

    Folder() = default;
    ~Folder();
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // Opens a folder by native path, following links on the way: the roots of drives.
    static Folder OpenNative(const std::string& nativePath);
    // Opens a subfolder. With Links::Refuse it fails (LinkInPath) when the name
    // is a link, also one to a folder. With Missing::Create a folder that is
    // not there is made, with the mode as the user's umask allows.
    Folder OpenSubfolder(std::string_view name, Links links = Links::Refuse,
                         Missing missing = Missing::Fail, unsigned mode = 0777) const;

    explicit operator bool() const { return handle_ != kNoHandle; }
    // Why the folder could not be opened; Done when it is open.
    FileOutcome Failure() const { return failure_; }

    // Identifies the mount the folder is reached through.
    std::optional<MountIdentity> Mount() const;
    std::optional<EntryIdentity> Identity() const;
    bool OwnedByThisUser() const;
    bool MakeCurrent() const;
    // The native path of the process's current folder.
    static std::optional<std::string> CurrentNativePath();

    // Looks an entry up without following a link.
    std::optional<EntryInfo> LookUp(std::string_view name) const;
    // The name the entry that name reaches is stored under: the name itself
    // where names are told apart by letter case, and where the system finds
    // a name in any case (Windows), the spelling the entry has on disk.
    std::optional<std::string> StoredName(std::string_view name) const;
    struct EntryStatus {
        EntryKind kind;
        bool writable;      // its owner may write it
        std::int64_t size;  // 0 for anything but a regular file
        EntryIdentity identity;
        // When the entry itself last changed: a rename changes it, so for an
        // entry moved in, about when it came.
        std::chrono::system_clock::time_point changed;
    };
    // What the entry of exactly that name is now, as the acts on it check it;
    // never followed should it be a link.
    std::optional<EntryStatus> Status(std::string_view name) const;
    // Whether this folder is still the one at that name in parent, not a link
    // or another folder put there since it was opened.
    bool IsStillNamed(const Folder& parent, std::string_view name) const;
    // The names of the folder's entries, "." and ".." left out.
    std::vector<std::string> Names() const;

    // The regular file of that name opened for reading, never through a link;
    // unopened for anything else (a fifo does not hang the call).
    OpenedFile OpenFile(std::string_view name) const;
    // The text of the regular file of that name, never read through a link;
    // nothing when it is missing, no regular file, unreadable or longer than
    // the limit.
    std::optional<std::string> ReadSmallFile(std::string_view name, std::size_t limit) const;
    // Puts the text in the file of that name whole or not at all: it is
    // written under a temporary name, synced and renamed over the name, which
    // is never followed should it be a link.
    FileOutcome ReplaceFile(std::string_view name, std::string_view text) const;
    // Adds the text at the end of this user's regular file of that name, made
    // private when missing, in one write: texts two processes append at once
    // never mix. Never written through a link.
    FileOutcome AppendToFile(std::string_view name, std::string_view text) const;

    // Removes the regular file of that name when it passes the check (by
    // default: writable) as it is removed: a folder, a link or a file that
    // fails the check put in its place meanwhile is refused and left as it was.
    RemovedFile RemoveFile(std::string_view name, const EntryCheck& check = {}) const;
    // Puts a file of this user's that a cut-short removal left under an
    // aside name back under the name it had, never over an entry that has
    // that name now (TargetExists); another user's is left alone.
    FileOutcome PutAsideBack(std::string_view asideName) const;
    bool CreateSubfolder(std::string_view name, unsigned mode = 0777) const;
    // Makes a subfolder under the prefix and a part no name was ever given
    // before; its name, or nothing when the folder refuses.
    std::optional<std::string> CreateFreshSubfolder(std::string_view prefix, unsigned mode) const;
    // Removes an empty subfolder.
    bool RemoveEmptySubfolder(std::string_view name) const;

private:
    friend class FolderListing;
    friend FileOutcome MoveFile(const Folder& from, const std::string& name, const Folder& to,
                                const std::string& newName, const EntryCheck& check);
    Folder(NativeHandle handle, FileOutcome failure) : handle_(handle), failure_(failure) {}

    NativeHandle handle_ = kNoHandle;
    FileOutcome failure_ = FileOutcome::NotFound;
    mutable bool listed_ = false;  // a later listing starts again from the top
};

// One pass over a folder's entries, in the file system's own order, "." and ".."
// included. Names that hold a '\' are passed over: drive form cannot carry them.
// A folder that cannot be read yields nothing.
class FolderListing {
public:
    // From the top, or on from where an earlier listing of the folder stopped
    // between two reads.
    enum class From { Top, WhereLeft };
    explicit FolderListing(const Folder& folder, From from = From::Top);
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    // The next entry; nothing at the end of the listing or when reading fails.
    std::optional<FolderEntry> Next();
    // Whether every entry read from the folder so far has been handed out: a
    // listing stopped here can be taken on WhereLeft.
    bool BetweenReads() const;

private:
    struct State;  // what the platform reads the entries into
    std::unique_ptr<State> state_;
};

}  // namespace vellomar
