#pragma once
// A tmpfs over a folder while it lives, unmounted when it goes: another file
// system for tests that cross one. Mounting needs privileges, and Windows
// mounts none; tests skip with kNoTmpfs when it fails. A ramfs instead has no
// UUID and no creation times: a disk known by its device numbers only.

#ifndef _WIN32
#include <sys/mount.h>
#endif

#include <filesystem>

namespace vellomar::test {

#ifdef _WIN32
inline constexpr char kNoTmpfs[] = "Windows mounts no small file system for a test";
#else
inline constexpr char kNoTmpfs[] = "mounting a file system needs privileges";
#endif

class TmpfsMount {
public:
    explicit TmpfsMount(const std::filesystem::path& folder, const char* options = nullptr,
                        const char* type = "tmpfs")
        : folder_(folder) {
#ifdef _WIN32
        (void)options;
        (void)type;
#else
        mounted_ = mount("none", folder.c_str(), type, 0, options) == 0;
#endif
    }
    ~TmpfsMount() {
#ifndef _WIN32
        if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
#endif
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    explicit operator bool() const { return mounted_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

}  // namespace vellomar::test
