#include "support/TempTree.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace vellomar::test {

TempTree::TempTree() {
    std::string pattern = (fs::temp_directory_path() / "vellomar-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    // By its real path, which a folder the program resolves is named by.
    root_ = fs::canonical(pattern);
}

TempTree::~TempTree() {
    std::error_code ignored;
    // Walks make the folders they list current; never leave the process in a
    // folder that is about to vanish.
    const fs::path current = fs::current_path(ignored);
    if (!ignored && current.string().rfind(root_.string(), 0) == 0)
        fs::current_path(root_.parent_path(), ignored);
    // Read-only folders would stop the removal of their contents.
    for (auto it = fs::recursive_directory_iterator(root_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(root_, ignored);
}

fs::path TempTree::AddFile(std::string_view relative, std::size_t size) {
    fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << std::string(size, 'x');
    return path;
}

fs::path TempTree::AddFolder(std::string_view relative) {
    fs::path path = root_ / relative;
    fs::create_directories(path);
    return path;
}

void TempTree::AddAll(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (!line.empty() && line.back() == '/') {
            AddFolder(line);
            continue;
        }
        auto colon = line.rfind(':');
        if (colon == std::string::npos) AddFile(line);
        else AddFile(line.substr(0, colon), std::stoul(line.substr(colon + 1)));
    }
}

void TempTree::MakeReadOnly(std::string_view relative) {
    fs::permissions(root_ / relative,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

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
        lchown(tree.Root().c_str(), kNobody, kNobody);
        for (auto it = fs::recursive_directory_iterator(tree.Root(), ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored))
            lchown(it->path().c_str(), kNobody, kNobody);
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWholeFile(const fs::path& path, std::string_view text) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void WriteScript(const fs::path& path, std::string_view body) {
    WriteWholeFile(path, "#!/bin/sh\nPATH=/usr/bin:/bin\n" + std::string(body) + "\n");
    fs::permissions(path, fs::perms::owner_all);
}

std::string ReadOnceWritten(const fs::path& path, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!fs::exists(path) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(path) ? ReadWholeFile(path) : "";
}

}  // namespace vellomar::test
