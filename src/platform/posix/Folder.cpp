#include "platform/Folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/OpenedFile.h"
#include "platform/posix/CheckedRemoval.h"
#include "platform/posix/FileDescriptor.h"
#include "platform/posix/FileErrors.h"
#include "platform/posix/OwnLinks.h"
#include "platform/posix/PlainName.h"
#include "platform/posix/Renames.h"
#include "platform/posix/StatTime.h"
#include "platform/posix/TemporaryFile.h"

namespace vellomar {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

EntryKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::File;
    if (S_ISDIR(mode)) return EntryKind::Folder;
    return EntryKind::Other;
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

Folder Folder::OpenNative(const std::string& nativePath) {
    const int fd = open(nativePath.c_str(), kFolderFlags);
    return Folder(fd, fd >= 0 ? FileOutcome::Done : OutcomeOfError(errno));
}

Folder Folder::OpenSubfolder(std::string_view name, Links links, Missing missing,
                             unsigned mode) const {
    const PlainName plain(name);
    if (handle_ < 0 || !plain) return Folder(kNoHandle, FileOutcome::NotFound);
    if (links == Links::FollowOwn) {
        OwnPlace place;
        const std::error_code error = FindOwnPlace(handle_, plain.c_str(), PathEnd::Folder, place,
                                                   {missing == Missing::Create, mode});
        if (error)
            return Folder(kNoHandle, error == ForeignLinkError() ? FileOutcome::LinkInPath
                                                                 : OutcomeOfError(error.value()));
        const int fd = OpenSubfolderFd(place.folder.Get(), ".", Links::Follow);
        return Folder(fd, fd >= 0 ? FileOutcome::Done : OutcomeOfError(errno));
    }
    int fd = OpenSubfolderFd(handle_, plain.c_str(), links);
    if (fd < 0 && errno == ENOENT && missing == Missing::Create) {
        if (mkdirat(handle_, plain.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST)
            return Folder(kNoHandle, OutcomeOfError(errno));
        fd = OpenSubfolderFd(handle_, plain.c_str(), links);
    }
    if (fd >= 0) return Folder(fd, FileOutcome::Done);
    const int error = errno;
    // A link met with "not a folder" or "too many links" is told as what it is.
    if ((error == ENOTDIR || error == ELOOP) && IsLink(handle_, plain.c_str()))
        return Folder(kNoHandle, FileOutcome::LinkInPath);
    return Folder(kNoHandle, OutcomeOfError(error));
}

std::optional<MountIdentity> Folder::Mount() const {
    if (handle_ < 0) return std::nullopt;
#ifdef STATX_MNT_ID
    struct statx mounted;
    if (statx(handle_, "", AT_EMPTY_PATH, STATX_MNT_ID, &mounted) == 0)
        return MountIdentity{makedev(mounted.stx_dev_major, mounted.stx_dev_minor),
                             (mounted.stx_mask & STATX_MNT_ID) ? mounted.stx_mnt_id : 0};
#endif
    struct stat info;
    if (fstat(handle_, &info) != 0) return std::nullopt;
    return MountIdentity{static_cast<std::uint64_t>(info.st_dev), 0};
}

std::optional<EntryIdentity> Folder::Identity() const {
    struct stat info;
    if (handle_ < 0 || fstat(handle_, &info) != 0) return std::nullopt;
    return IdentityOf(info);
}

bool Folder::OwnedByThisUser() const {
    struct stat info;
    return handle_ >= 0 && fstat(handle_, &info) == 0 && info.st_uid == geteuid();
}

bool Folder::MakeCurrent() const { return handle_ >= 0 && fchdir(handle_) == 0; }

std::optional<std::string> Folder::CurrentNativePath() {
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

std::optional<EntryInfo> Folder::LookUp(std::string_view name) const {
    const PlainName plain(name);
    struct stat info;
    if (handle_ < 0 || !plain || fstatat(handle_, plain.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    // Only a file's bytes are its size: a folder or a link counts as empty,
    // as a folder's listing reports it.
    const EntryKind kind = KindOfMode(info.st_mode);
    return EntryInfo{kind, AttributesOf(plain.c_str(), info),
                     kind == EntryKind::File ? static_cast<std::int64_t>(info.st_size) : 0,
                     TimeOf(info.st_mtim), IdentityOf(info)};
}

std::optional<std::string> Folder::StoredName(std::string_view name) const {
    if (!LookUp(name)) return std::nullopt;
    return std::string(name);
}

std::optional<Folder::EntryStatus> Folder::Status(std::string_view name) const {
    const PlainName plain(name);
    struct stat info;
    if (handle_ < 0 || !plain || fstatat(handle_, plain.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    const EntryKind kind = KindOfMode(info.st_mode);
    return EntryStatus{kind, (info.st_mode & S_IWUSR) != 0,
                       kind == EntryKind::File ? static_cast<std::int64_t>(info.st_size) : 0,
                       IdentityOf(info),
                       TimeOf(info.st_ctim).ClockTime()};
}

bool Folder::IsStillNamed(const Folder& parent, std::string_view name) const {
    const PlainName plain(name);
    struct stat self, named;
    return handle_ >= 0 && parent.handle_ >= 0 && plain && fstat(handle_, &self) == 0 &&
           fstatat(parent.handle_, plain.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISDIR(named.st_mode) && self.st_dev == named.st_dev && self.st_ino == named.st_ino;
}

OpenedFile Folder::OpenFile(std::string_view name) const {
    const PlainName plain(name);
    if (handle_ < 0 || !plain) return OpenedFile();
    // Non-blocking, so that a fifo of that name cannot hang the program.
    OpenedFile file(openat(handle_, plain.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC),
                    0);
    struct stat info;
    if (!file || fstat(file.handle_, &info) != 0 || !S_ISREG(info.st_mode)) return OpenedFile();
    file.size_ = static_cast<std::uint64_t>(info.st_size);
    return file;
}

std::optional<std::string> Folder::ReadSmallFile(std::string_view name, std::size_t limit) const {
    const OpenedFile file = OpenFile(name);
    if (!file || file.Size() > limit) return std::nullopt;
    // A file that grows while it is read is read no further than one byte past the limit.
    std::string text;
    if (!ReadUpTo(file.handle_, text, limit + 1) || text.size() > limit) return std::nullopt;
    return text;
}

FileOutcome Folder::ReplaceFile(std::string_view name, std::string_view text) const {
    const PlainName plain(name);
    if (handle_ < 0 || !plain) return FileOutcome::NotFound;
    const int error = ReplaceFileAt(handle_, plain.c_str(), text);
    return error == 0 ? FileOutcome::Done : OutcomeOfError(error);
}

FileOutcome Folder::AppendToFile(std::string_view name, std::string_view text) const {
    const PlainName plain(name);
    if (handle_ < 0 || !plain) return FileOutcome::NotFound;
    const FileDescriptor file(openat(handle_, plain.c_str(),
                                     O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    struct stat info;
    if (file.Get() < 0) return errno == ELOOP ? FileOutcome::NotAFile : OutcomeOfError(errno);
    if (fstat(file.Get(), &info) != 0) return OutcomeOfError(errno);
    if (!S_ISREG(info.st_mode)) return FileOutcome::NotAFile;
    if (info.st_uid != geteuid()) return FileOutcome::NotPermitted;
    // O_APPEND makes the one write land whole at the end.
    const ssize_t written = write(file.Get(), text.data(), text.size());
    if (written < 0) return OutcomeOfError(errno);
    return static_cast<std::size_t>(written) == text.size() ? FileOutcome::Done : FileOutcome::NoRoom;
}

RemovedFile Folder::RemoveFile(std::string_view name, const EntryCheck& check) const {
    const PlainName plain(name);
    if (handle_ < 0 || !plain) return {FileOutcome::NotFound};
    return RemoveCheckedAt(handle_, plain.c_str(),
                           [&](const struct stat& info) { return CheckEntry(info, check); });
}

FileOutcome Folder::PutAsideBack(std::string_view asideName) const {
    const PlainName plain(asideName);
    if (handle_ < 0 || !plain) return FileOutcome::NotFound;
    return PutAsideBackAt(handle_, plain.c_str());
}

bool Folder::CreateSubfolder(std::string_view name, unsigned mode) const {
    const PlainName plain(name);
    return handle_ >= 0 && plain && mkdirat(handle_, plain.c_str(), static_cast<mode_t>(mode)) == 0;
}

bool Folder::RemoveEmptySubfolder(std::string_view name) const {
    const PlainName plain(name);
    return handle_ >= 0 && plain && unlinkat(handle_, plain.c_str(), AT_REMOVEDIR) == 0;
}

}  // namespace vellomar
