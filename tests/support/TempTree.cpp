#include "support/TempTree.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace vellomar::test {

TempTree::TempTree() {
    // A fresh name, made by this test alone: create_directory fails on one taken.
    std::random_device random;
    fs::path made;
    for (int attempt = 0; attempt < 100 && made.empty(); ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("vellomar-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) made = candidate;
    }
    if (made.empty()) throw std::runtime_error("cannot create a temporary folder");
    // By its real path, which a folder the program resolves is named by.
    root_ = fs::canonical(made);
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::replace);
}

TempTree::~TempTree() {
    std::error_code ignored;
    // Walks make the folders they list current; never leave the process in a
    // folder that is about to vanish.
    const fs::path current = fs::current_path(ignored);
    if (!ignored && current.string().rfind(root_.string(), 0) == 0)
        fs::current_path(root_.parent_path(), ignored);
    // Read-only folders would stop the removal of their contents, and on
    // Windows read-only files their own; a link is left as it is.
    for (auto it = fs::recursive_directory_iterator(root_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink(ignored))
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

void TempTree::SetLastChange(const fs::path& path, std::int64_t changed) {
    // By the system's own call: the standard library's file clock counts
    // nanoseconds in 64 bits and cannot name a time after 2262.
#ifdef _WIN32
    const std::uint64_t ticks = (changed + 11644473600) * 10000000;  // tenths of microseconds since 1601
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const bool set = file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &time);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
#else
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(changed), 0}};
    const bool set = utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
#endif
    if (!set) throw std::runtime_error("cannot set the time of " + path.string());
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

std::string ReadOnceWritten(const fs::path& path, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!fs::exists(path) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(path) ? ReadWholeFile(path) : "";
}

}  // namespace vellomar::test
