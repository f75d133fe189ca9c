#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <pwd.h>

#include "platform/Platform.h"
#include "platform/posix/OwnLinks.h"

namespace vellomar {
namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) return user->pw_dir;
    return "/";
}

std::string ConfigHome() {
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return config;
    return HomeFolder() + "/.config";
}

std::string DataHome() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') return data;
    return HomeFolder() + "/.local/share";
}

std::string ExecutableFolder() {
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error).string();
    return executable.parent_path().string();
}

}  // namespace

UserFolders UserFolders::OfThisProcess() {
    // The desktop always has a per-user application-data folder; a new account
    // here may not have its configuration folder yet, so make it as the desktop
    // would (private to the user), through no link of another user's. A
    // failure shows later, when a file cannot be written.
    const std::string configHome = ConfigHome();
    OwnPlace made;
    (void)FindOwnPlace(AT_FDCWD, configHome, PathEnd::Folder, made, {true, 0700});
    // Files put aside are no settings: they live among the user's data.
    return UserFolders{configHome, ExecutableFolder(), UrlCache::CacheHomeOfThisUser(),
                       DataHome() + "/Trash", DataHome() + "/vellomar"};
}

}  // namespace vellomar
