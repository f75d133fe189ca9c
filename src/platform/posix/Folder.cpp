#include "platform/Folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vellomar {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

EntryKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::File;
    if (S_ISDIR(mode)) return EntryKind::Folder;
    return EntryKind::Other;
}

EntryKind KindOfDirent(int folderFd, const dirent& entry) {
    switch (entry.d_type) {
        case DT_REG: return EntryKind::File;
        case DT_DIR: return EntryKind::Folder;
        case DT_UNKNOWN: {
            // Some file systems leave the type to a look-up.
            struct stat info;
            if (fstatat(folderFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
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

std::optional<std::uint64_t> Folder::Device() const {
    struct stat info;
    if (fd_ < 0 || fstat(fd_, &info) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_dev);
}

bool Folder::MakeCurrent() const { return fd_ >= 0 && fchdir(fd_) == 0; }

std::optional<EntryInfo> Folder::LookUp(const char* name) const {
    struct stat info;
    if (fd_ < 0 || fstatat(fd_, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    return EntryInfo{KindOfMode(info.st_mode), AttributesOf(name, info),
                     static_cast<std::int64_t>(info.st_size),
                     std::chrono::system_clock::from_time_t(info.st_mtim.tv_sec) +
                         std::chrono::duration_cast<std::chrono::system_clock::duration>(
                             std::chrono::nanoseconds(info.st_mtim.tv_nsec))};
}

bool Folder::RemoveEntry(const char* name) const { return fd_ >= 0 && unlinkat(fd_, name, 0) == 0; }

bool Folder::CreateSubfolder(const char* name) const {
    return fd_ >= 0 && mkdirat(fd_, name, 0777) == 0;
}

FolderListing::FolderListing(const Folder& folder) {
    if (folder.fd_ < 0) return;
    // The stream takes its own descriptor, so the folder stays usable for look-ups.
    int fd = openat(folder.fd_, ".", kFolderFlags);
    if (fd < 0) return;
    stream_ = fdopendir(fd);
    if (!stream_) close(fd);
}

FolderListing::~FolderListing() {
    if (stream_) closedir(static_cast<DIR*>(stream_));
}

std::optional<FolderEntry> FolderListing::Next() {
    if (!stream_) return std::nullopt;
    DIR* stream = static_cast<DIR*>(stream_);
    while (const dirent* entry = readdir(stream)) {
        if (std::strchr(entry->d_name, '\\')) continue;
        return FolderEntry{entry->d_name, KindOfDirent(dirfd(stream), *entry)};
    }
    return std::nullopt;
}

}  // namespace vellomar
