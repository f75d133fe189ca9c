#pragma once
// What tests on POSIX systems ask of processes: a limit on file sizes, a check
// run as an unprivileged user, and shell scripts to run.

#include <cstddef>
#include <functional>
#include <filesystem>
#include <string_view>

#include "support/TempTree.h"

namespace vellomar::test {

// Makes every write of this process beyond size bytes fail (also for root, who
// ignores permissions) while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t size);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long previousLimit_;
    void (*previousHandler_)(int);
};

// Runs check as an ordinary user who owns the tree: root reads and writes where
// permissions forbid it, so as root the check runs in a child process that
// gives the tree to an unprivileged user and becomes that user. True when the
// check returned true.
bool RunAsUnprivilegedOwner(const TempTree& tree, const std::function<bool()>& check);

// An executable shell script running body with PATH=/usr/bin:/bin.
void WriteScript(const std::filesystem::path& path, std::string_view body);
}  // namespace vellomar::test
