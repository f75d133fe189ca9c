#pragma once
// An open folder of the file system. It lists its entries and looks names up
// relative to itself, so no full path is rebuilt per entry, and it never
// follows a symbolic link to reach a subfolder or an entry.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileActs.h"

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
    std::chrono::system_clock::time_point modified;
};

// "." and "..", which every listing holds.
inline bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

struct FolderEntry {
    const char* name;  // valid until the listing moves on
    EntryKind kind;
};

class Folder {
public:
    Folder() = default;
    ~Folder();
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // Opens a folder by native path, following links on the way: the roots of drives.
    static Folder OpenNative(const std::string& nativePath);
    enum class Links { Refuse, Follow };
    // Opens a subfolder. With Links::Refuse it fails (an unopened Folder) when the
    // name is a link, also one to a folder.
    Folder OpenSubfolder(const char* name, Links links = Links::Refuse) const;

    explicit operator bool() const { return fd_ >= 0; }

    // Identifies the mount the folder is reached through.
    std::optional<MountIdentity> Mount() const;
    bool MakeCurrent() const;

    // Looks an entry up without following a link.
    std::optional<EntryInfo> LookUp(const char* name) const;
    // The regular file of that name opened for reading, never through a link;
    // unopened for anything else (a fifo does not hang the call).
    OpenedFile OpenFile(const char* name) const;
    // Whether this folder is still the one at that name in parent, not a link
    // or another folder put there since it was opened.
    bool IsStillNamed(const Folder& parent, const char* name) const;
    // Removes the regular, writable file of that name, checked as it is removed
    // (see RemoveCheckedAt): a folder, a link or a read-only file put in its
    // place meanwhile is refused and left as it was.
    RemovedFile RemoveFile(const char* name) const;
    bool CreateSubfolder(const char* name) const;

private:
    friend class FolderListing;
    explicit Folder(int fd) : fd_(fd) {}
    int fd_ = -1;
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
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    // The next entry; nothing at the end of the listing or when reading fails.
    std::optional<FolderEntry> Next();
    // Whether every entry read from the folder so far has been handed out: a
    // listing stopped here can be taken on WhereLeft.
    bool BetweenReads() const { return offset_ >= filled_; }

private:
    bool Refill();

    int fd_;  // the folder's own handle, read from its start
    std::unique_ptr<char[]> buffer_;
    std::size_t filled_ = 0;
    std::size_t offset_ = 0;
};

}  // namespace vellomar
