#include "platform/FolderHandle.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/DrivePath.h"
#include "platform/posix/CheckedRemoval.h"
#include "platform/posix/FileDescriptor.h"
#include "platform/posix/FileErrors.h"
#include "platform/posix/Renames.h"
#include "platform/posix/TemporaryFile.h"

namespace vellomar {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

bool IsLink(int folderFd, const char* name) {
    struct stat info;
    return fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

int OpenSubfolderFd(int parentFd, const char* name, Folder::Links links) {
    const int linkFlags = links == Folder::Links::Refuse ? O_NOFOLLOW : 0;
    int fd = openat(parentFd, name, kFolderFlags | linkFlags);
#ifdef O_PATH
    // A folder we may pass through but not list still leads to what lies below.
    if (fd < 0 && errno == EACCES)
        fd = openat(parentFd, name, O_PATH | O_DIRECTORY | O_CLOEXEC | linkFlags);
#endif
    return fd;
}

}  // namespace

FolderHandle::~FolderHandle() {
    if (fd_ >= 0) close(fd_);
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : fd_(other.fd_), failure_(other.failure_) {
    other.fd_ = -1;
}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = other.fd_;
        failure_ = other.failure_;
        other.fd_ = -1;
    }
    return *this;
}

FolderHandle FolderHandle::Open(const FileSystem& files, std::string_view drivePath,
                                NameMatch match, Folder::Links links, Missing missing) {
    auto parts = SplitDrivePath(drivePath);
    const Drive* drive = parts ? files.Drives().Find(parts->letter) : nullptr;
    if (!drive) return FolderHandle(-1, FileOutcome::NotFound);
    // The names as the file system stores them, each matched as asked; the
    // handles below are then opened by those names, and a name that is no
    // plain name ("..", one holding '/') opens nothing.
    const std::optional<std::string> native = files.NativePath(drivePath, match);
    if (!native) return FolderHandle(-1, FileOutcome::NotFound);

    const int rootFd = open(drive->root.c_str(), kFolderFlags);
    FolderHandle folder(rootFd, rootFd >= 0 ? FileOutcome::Done : OutcomeOfError(errno));
    std::string_view rest = std::string_view(*native).substr(drive->root.size());
    while (folder && !rest.empty()) {
        const std::size_t end = rest.find('/');
        const std::string name(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!name.empty()) folder = folder.Enter(name, links, missing, 0777);
    }
    return folder;
}

FolderHandle FolderHandle::Subfolder(const std::string& name, Missing missing,
                                     unsigned mode) const {
    return Enter(name, Folder::Links::Refuse, missing, mode);
}

FolderHandle FolderHandle::Enter(const std::string& name, Folder::Links links, Missing missing,
                                 unsigned mode) const {
    if (fd_ < 0 || !IsPlainName(name)) return FolderHandle(-1, FileOutcome::NotFound);
    int fd = OpenSubfolderFd(fd_, name.c_str(), links);
    if (fd < 0 && errno == ENOENT && missing == Missing::Create) {
        if (mkdirat(fd_, name.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST)
            return FolderHandle(-1, OutcomeOfError(errno));
        fd = OpenSubfolderFd(fd_, name.c_str(), links);
    }
    if (fd >= 0) return FolderHandle(fd, FileOutcome::Done);
    const int error = errno;
    // A link met with "not a folder" or "too many links" is told as what it is.
    if ((error == ENOTDIR || error == ELOOP) && IsLink(fd_, name.c_str()))
        return FolderHandle(-1, FileOutcome::LinkInPath);
    return FolderHandle(-1, OutcomeOfError(error));
}

bool FolderHandle::CreateSubfolder(const std::string& name, unsigned mode) const {
    return fd_ >= 0 && IsPlainName(name) &&
           mkdirat(fd_, name.c_str(), static_cast<mode_t>(mode)) == 0;
}

std::optional<std::string> FolderHandle::CreateFreshSubfolder(std::string_view prefix,
                                                              unsigned mode) const {
    std::string name = FreshName(prefix);
    if (!CreateSubfolder(name, mode)) return std::nullopt;
    return name;
}

std::optional<EntryIdentity> FolderHandle::Identity() const {
    struct stat info;
    if (fd_ < 0 || fstat(fd_, &info) != 0) return std::nullopt;
    return IdentityOf(info);
}

bool FolderHandle::OwnedByThisUser() const {
    struct stat info;
    return fd_ >= 0 && fstat(fd_, &info) == 0 && info.st_uid == geteuid();
}

std::vector<std::string> FolderHandle::Names() const {
    std::vector<std::string> names;
    const int listingFd = fd_ >= 0 ? openat(fd_, ".", kFolderFlags) : -1;
    DIR* listing = listingFd >= 0 ? fdopendir(listingFd) : nullptr;
    if (!listing) {
        if (listingFd >= 0) close(listingFd);
        return names;
    }
    while (const dirent* entry = readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name != "." && name != "..") names.emplace_back(name);
    }
    closedir(listing);
    return names;
}

bool FolderHandle::Contains(const std::string& name) const {
    struct stat info;
    return fd_ >= 0 && IsPlainName(name) &&
           fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

std::optional<FolderHandle::HeldEntry> FolderHandle::Entry(const std::string& name) const {
    struct stat info;
    if (fd_ < 0 || !IsPlainName(name) ||
        fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    const bool file = S_ISREG(info.st_mode);
    return HeldEntry{file ? EntryKind::File : S_ISDIR(info.st_mode) ? EntryKind::Folder
                                                                    : EntryKind::Other,
                     (info.st_mode & S_IWUSR) != 0,
                     file ? static_cast<std::int64_t>(info.st_size) : 0, IdentityOf(info),
                     std::chrono::system_clock::from_time_t(info.st_ctim.tv_sec)};
}

std::optional<std::string> FolderHandle::ReadSmallFile(const std::string& name,
                                                       std::size_t limit) const {
    if (fd_ < 0 || !IsPlainName(name)) return std::nullopt;
    // Non-blocking, so that a fifo of that name cannot hang the program.
    const FileDescriptor file(
        openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (file.Get() < 0 || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) > limit)
        return std::nullopt;
    // A file that grows while it is read is read no further than one byte past the limit.
    std::string text;
    if (!ReadUpTo(file.Get(), text, limit + 1) || text.size() > limit) return std::nullopt;
    return text;
}

FileOutcome FolderHandle::ReplaceFile(const std::string& name, std::string_view text) const {
    if (fd_ < 0 || !IsPlainName(name)) return FileOutcome::NotFound;
    const int error = ReplaceFileAt(fd_, name, text);
    return error == 0 ? FileOutcome::Done : OutcomeOfError(error);
}

FileOutcome FolderHandle::RemoveFile(const std::string& name, const EntryCheck& check) const {
    if (fd_ < 0 || !IsPlainName(name)) return FileOutcome::NotFound;
    return RemoveCheckedAt(fd_, name.c_str(), [&](const struct stat& info) {
               return CheckEntry(info, check);
           }).outcome;
}

bool FolderHandle::RemoveEmptySubfolder(const std::string& name) const {
    return fd_ >= 0 && IsPlainName(name) && unlinkat(fd_, name.c_str(), AT_REMOVEDIR) == 0;
}

}  // namespace vellomar
