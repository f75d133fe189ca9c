#pragma once
// An open file descriptor closed when it goes, and whole reads and writes
// through one that carry on after an interrupted call.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace vellomar {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    // Closes the descriptor held and holds fd instead.
    void Reset(int fd) {
        if (fd_ >= 0) close(fd_);
        fd_ = fd;
    }
    // Hands the descriptor over: it is no longer this one's to close.
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Appends what is left to read, but never more than limit bytes in all: the
// text then holds limit bytes and there may be more. False (errno set) when a
// read fails.
inline bool ReadUpTo(int fd, std::string& text, std::size_t limit) {
    char buffer[1 << 16];
    while (text.size() < limit) {
        const std::size_t wanted = std::min(sizeof buffer, limit - text.size());
        const ssize_t count = read(fd, buffer, wanted);
        if (count == 0) return true;
        if (count > 0) text.append(buffer, static_cast<std::size_t>(count));
        else if (errno != EINTR) return false;
    }
    return true;
}

// Appends what is left to read; false (errno set) when a read fails.
inline bool ReadAll(int fd, std::string& text) {
    return ReadUpTo(fd, text, std::numeric_limits<std::size_t>::max());
}

// False (errno set) when a write fails.
inline bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t count = write(fd, text.data(), text.size());
        if (count >= 0) text.remove_prefix(static_cast<std::size_t>(count));
        else if (errno != EINTR) return false;
    }
    return true;
}

}  // namespace vellomar
