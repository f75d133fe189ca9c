#include "support/PosixProcesses.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace fs = std::filesystem;

namespace vellomar::test {

FileSizeLimit::FileSizeLimit(std::size_t size) {
    rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    previousLimit_ = limit.rlim_cur;
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    limit.rlim_cur = size;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = previousLimit_;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}

bool RunAsUnprivilegedOwner(const TempTree& tree, const std::function<bool()>& check) {
    if (geteuid() != 0) return check();
    constexpr uid_t kNobody = 65534;
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        std::error_code ignored;
        if (lchown(tree.Root().c_str(), kNobody, kNobody) != 0) _exit(2);
        for (auto it = fs::recursive_directory_iterator(tree.Root(), ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored))
            if (lchown(it->path().c_str(), kNobody, kNobody) != 0) _exit(2);
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void WriteScript(const fs::path& path, std::string_view body) {
    WriteWholeFile(path, "#!/bin/sh\nPATH=/usr/bin:/bin\n" + std::string(body) + "\n");
    fs::permissions(path, fs::perms::owner_all);
}

}  // namespace vellomar::test
