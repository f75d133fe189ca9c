#include "platform/posix/TemporaryFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/FileMove.h"
#include "platform/posix/FileDescriptor.h"

namespace vellomar {

TemporaryFile::TemporaryFile(int folderFd, unsigned mode) : folderFd_(folderFd) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name_ = std::string(kPartialCopyPrefix) + std::to_string(getpid()) + "-" +
                std::to_string(counter++);
        fd_ = openat(folderFd_, name_.c_str(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     static_cast<mode_t>(mode));
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    error_ = fd_ < 0 ? errno : 0;
    created_ = fd_ >= 0;
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (created_ && !kept_) unlinkat(folderFd_, name_.c_str(), 0);
}

bool TemporaryFile::Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
}

namespace {

// The owner and group first: a change of owner clears the set-id bits of the
// mode. Only root may give a file away, and others only a group they are in,
// so a refused change leaves the temporary file's own.
bool TakeOwnerAndMode(int fd, const struct stat& replaced) {
    if (fchown(fd, replaced.st_uid, replaced.st_gid) != 0 && fchown(fd, -1, replaced.st_gid) != 0) {
        // Neither change was allowed: the file stays this user's.
    }
    return fchmod(fd, replaced.st_mode & 07777) == 0;
}

}  // namespace

int ReplaceFileAt(int folderFd, const std::string& name, std::string_view text,
                  unsigned createMode, Ownership ownership) {
    TemporaryFile written(folderFd, createMode);
    if (written.Fd() < 0) return written.Error();
    struct stat replaced;
    const bool replacesAFile =
        ownership == Ownership::OfTheReplaced &&
        fstatat(folderFd, name.c_str(), &replaced, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(replaced.st_mode);
    if (!WriteAll(written.Fd(), text) ||
        (replacesAFile && !TakeOwnerAndMode(written.Fd(), replaced)) ||
        fsync(written.Fd()) != 0 || !written.Close() ||
        renameat(folderFd, written.Name().c_str(), folderFd, name.c_str()) != 0)
        return errno;
    written.Keep();
    return 0;
}

}  // namespace vellomar
