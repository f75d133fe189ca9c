#pragma once
// What the fuzz targets share: a property check that stops the run where the
// fuzzer sees it, and a scratch folder tree the readers are pointed at.

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/DriveTable.h"

// A broken property is reported like a crash, with the condition that failed.
#define FUZZ_REQUIRE(condition)                                                          \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,     \
                         #condition);                                                    \
            __builtin_trap();                                                            \
        }                                                                                \
    } while (false)

namespace vellomar::fuzz {

namespace fs = std::filesystem;

// A folder of this process's own under $TMPDIR (bench/fuzz points it at a folder
// it removes afterwards), made once and removed when the run ends normally.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "vellomar-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
        root_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& Root() const { return root_; }
    fs::path operator/(std::string_view relative) const { return root_ / relative; }

    // Creates the file (and its folders) holding exactly text.
    fs::path Write(std::string_view relative, std::string_view text) const {
        const fs::path path = root_ / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(text.data(), text.size());
        return path;
    }
    fs::path AddFolder(std::string_view relative) const {
        const fs::path path = root_ / relative;
        fs::create_directories(path);
        return path;
    }

private:
    fs::path root_;
};

// Drive t: over the scratch folder's "drive" folder, made when missing.
inline DriveTable DriveTOver(const ScratchFolder& scratch) {
    DriveTable table;
    table.Assign('t', scratch.AddFolder("drive").string());
    return table;
}

inline std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Whether a native path stays within a drive's root folder: written below it
// without any name that climbs or hides ("", ".", ".."), without a NUL that
// would cut it short, and, when it exists, really lying below it once every
// link on its way is resolved.
inline bool LiesInside(const std::string& native, const std::string& root) {
    if (native.find('\0') != std::string::npos) return false;
    if (native == root) return true;
    const std::string prefix = root.ends_with('/') ? root : root + '/';
    if (!native.starts_with(prefix)) return false;
    std::string_view rest = std::string_view(native).substr(prefix.size());
    for (;;) {
        const std::size_t slash = rest.find('/');
        const std::string_view name = rest.substr(0, slash);
        if (name.empty() || name == "." || name == "..") return false;
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    struct stat info;
    if (lstat(native.c_str(), &info) != 0) return true;
    std::error_code error;
    const fs::path real = fs::canonical(fs::path(native).parent_path(), error);
    const fs::path realRoot = fs::canonical(root, error);
    const std::string realText = real.string();
    return realText == realRoot.string() || realText.starts_with(realRoot.string() + '/');
}

}  // namespace vellomar::fuzz
