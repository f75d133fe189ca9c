#pragma once
// How often a file is opened while a test runs, as the system reports it.

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

namespace vellomar::test {

// Counts the opens of one file as the system reports them. Closes are watched
// too, so that no two events in a row are alike: the system merges those.
class OpenCount {
public:
    explicit OpenCount(const std::filesystem::path& file) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        EXPECT_GE(inotify_add_watch(fd_, file.c_str(), IN_OPEN | IN_CLOSE_NOWRITE), 0);
    }
    ~OpenCount() { close(fd_); }
    OpenCount(const OpenCount&) = delete;
    OpenCount& operator=(const OpenCount&) = delete;

    int Opens() const {
        int opens = 0;
        alignas(inotify_event) char buffer[1 << 16];
        for (ssize_t size; (size = read(fd_, buffer, sizeof buffer)) > 0;) {
            for (const char* at = buffer; at < buffer + size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                opens += (event->mask & IN_OPEN) != 0;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return opens;
    }

private:
    int fd_;
};

}  // namespace vellomar::test
