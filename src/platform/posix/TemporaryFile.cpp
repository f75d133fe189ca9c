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

int ReplaceFileAt(int folderFd, const std::string& name, std::string_view text,
                  unsigned createMode, std::optional<unsigned> mode) {
    TemporaryFile written(folderFd, createMode);
    if (written.Fd() < 0) return written.Error();
    if (!WriteAll(written.Fd(), text) ||
        (mode && fchmod(written.Fd(), static_cast<mode_t>(*mode)) != 0) ||
        fsync(written.Fd()) != 0 || !written.Close() ||
        renameat(folderFd, written.Name().c_str(), folderFd, name.c_str()) != 0)
        return errno;
    written.Keep();
    return 0;
}

}  // namespace vellomar
