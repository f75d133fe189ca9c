#include "platform/Folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/OpenedFile.h"
#include "platform/posix/CheckedRemoval.h"

namespace vellomar {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

EntryKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::File;
    if (S_ISDIR(mode)) return EntryKind::Folder;
    return EntryKind::Other;
}

EntryKind KindOfType(int folderFd, unsigned char type, const char* name) {
    switch (type) {
        case DT_REG: return EntryKind::File;
        case DT_DIR: return EntryKind::Folder;
        case DT_UNKNOWN: {
            // Some file systems leave the type to a look-up.
            struct stat info;
            if (fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
                return EntryKind::Other;
            return KindOfMode(info.st_mode);
        }
        default: return EntryKind::Other;
    }
}

unsigned AttributesOf(const char* name, const struct stat& info) {
    unsigned attributes = 0;
    if (!(info.st_mode & S_IWUSR)) attributes |= attribute::kReadOnly;
    if (name[0] == '.') attributes |= attribute::kHidden;
    switch (KindOfMode(info.st_mode)) {
        case EntryKind::File: attributes |= attribute::kArchive; break;
        case EntryKind::Folder: attributes |= attribute::kDirectory; break;
        case EntryKind::Other: attributes |= attribute::kSystem; break;
    }
    return attributes;
}

}  // namespace

Folder::~Folder() {
    if (fd_ >= 0) close(fd_);
}

Folder::Folder(Folder&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

Folder& Folder::operator=(Folder&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

Folder Folder::OpenNative(const std::string& nativePath) {
    return Folder(open(nativePath.c_str(), kFolderFlags));
}

Folder Folder::OpenSubfolder(const char* name, Links links) const {
    if (fd_ < 0) return Folder();
    const int linkFlags = links == Links::Refuse ? O_NOFOLLOW : 0;
    int fd = openat(fd_, name, kFolderFlags | linkFlags);
#ifdef O_PATH
    // A folder we may pass through but not list still leads to what lies below.
    if (fd < 0 && errno == EACCES)
        fd = openat(fd_, name, O_PATH | O_DIRECTORY | O_CLOEXEC | linkFlags);
#endif
    return Folder(fd);
}

std::optional<MountIdentity> Folder::Mount() const {
    if (fd_ < 0) return std::nullopt;
#ifdef STATX_MNT_ID
    struct statx mounted;
    if (statx(fd_, "", AT_EMPTY_PATH, STATX_MNT_ID, &mounted) == 0)
        return MountIdentity{makedev(mounted.stx_dev_major, mounted.stx_dev_minor),
                             (mounted.stx_mask & STATX_MNT_ID) ? mounted.stx_mnt_id : 0};
#endif
    struct stat info;
    if (fstat(fd_, &info) != 0) return std::nullopt;
    return MountIdentity{static_cast<std::uint64_t>(info.st_dev), 0};
}

bool Folder::MakeCurrent() const { return fd_ >= 0 && fchdir(fd_) == 0; }

std::optional<EntryInfo> Folder::LookUp(const char* name) const {
    struct stat info;
    if (fd_ < 0 || fstatat(fd_, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    // Only a file's bytes are its size: a folder or a link counts as empty,
    // as a folder's listing reports it.
    const EntryKind kind = KindOfMode(info.st_mode);
    return EntryInfo{kind, AttributesOf(name, info),
                     kind == EntryKind::File ? static_cast<std::int64_t>(info.st_size) : 0,
                     std::chrono::system_clock::from_time_t(info.st_mtim.tv_sec) +
                         std::chrono::duration_cast<std::chrono::system_clock::duration>(
                             std::chrono::nanoseconds(info.st_mtim.tv_nsec))};
}

OpenedFile Folder::OpenFile(const char* name) const {
    if (fd_ < 0) return OpenedFile();
    OpenedFile file(openat(fd_, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC), 0);
    struct stat info;
    if (!file || fstat(file.fd_, &info) != 0 || !S_ISREG(info.st_mode)) return OpenedFile();
    file.size_ = static_cast<std::uint64_t>(info.st_size);
    return file;
}

bool Folder::IsStillNamed(const Folder& parent, const char* name) const {
    struct stat self, named;
    return fd_ >= 0 && parent.fd_ >= 0 && fstat(fd_, &self) == 0 &&
           fstatat(parent.fd_, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(named.st_mode) &&
           self.st_dev == named.st_dev && self.st_ino == named.st_ino;
}

RemovedFile Folder::RemoveFile(const char* name) const {
    if (fd_ < 0) return {FileOutcome::NotFound};
    return RemoveCheckedAt(fd_, name,
                           [](const struct stat& info) { return CheckEntry(info, EntryCheck{}); });
}

bool Folder::CreateSubfolder(const char* name) const {
    return fd_ >= 0 && mkdirat(fd_, name, 0777) == 0;
}

// Large enough for a few hundred entries per read; walks keep one per open level.
constexpr std::size_t kListingBufferSize = 32 * 1024;

// Read straight from the folder's handle: no second handle per folder to open,
// check and close, which a walk of a whole drive would pay for every folder.
FolderListing::FolderListing(const Folder& folder, From from) : fd_(folder.fd_) {
    if (fd_ < 0) return;
    if (from == From::Top && folder.listed_ && lseek(fd_, 0, SEEK_SET) != 0) {
        fd_ = -1;
        return;
    }
    folder.listed_ = true;
    buffer_ = std::make_unique<char[]>(kListingBufferSize);
}

bool FolderListing::Refill() {
    const ssize_t read = getdents64(fd_, buffer_.get(), kListingBufferSize);
    if (read <= 0) {
        fd_ = -1;  // the end, or an error, ends the listing
        return false;
    }
    filled_ = static_cast<std::size_t>(read);
    offset_ = 0;
    return true;
}

std::optional<FolderEntry> FolderListing::Next() {
    while (fd_ >= 0 && (offset_ < filled_ || Refill())) {
        const auto* entry = reinterpret_cast<const dirent64*>(buffer_.get() + offset_);
        offset_ += entry->d_reclen;
        if (std::strchr(entry->d_name, '\\')) continue;
        return FolderEntry{entry->d_name, KindOfType(fd_, entry->d_type, entry->d_name)};
    }
    return std::nullopt;
}

}  // namespace vellomar
