#include "platform/posix/TemporaryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/FileMove.h"

namespace vellomar {

TemporaryFile::TemporaryFile(int folderFd) : folderFd_(folderFd) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name_ = std::string(kPartialCopyPrefix) + std::to_string(getpid()) + "-" +
                std::to_string(counter++);
        fd_ = openat(folderFd_, name_.c_str(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
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

}  // namespace vellomar
