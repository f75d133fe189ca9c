#pragma once
// A tmpfs over a folder while it lives, unmounted when it goes: another file
// system for tests that cross one. Mounting needs privileges; tests skip when
// it fails.

#include <sys/mount.h>

#include <filesystem>

namespace vellomar::test {

class TmpfsMount {
public:
    explicit TmpfsMount(const std::filesystem::path& folder, const char* options = nullptr)
        : folder_(folder) {
        mounted_ = mount("none", folder.c_str(), "tmpfs", 0, options) == 0;
    }
    ~TmpfsMount() {
        if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    explicit operator bool() const { return mounted_; }

private:
    std::filesystem::path folder_;
    bool mounted_;
};

}  // namespace vellomar::test
