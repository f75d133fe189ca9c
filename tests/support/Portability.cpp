#include "support/Portability.h"

#ifndef _WIN32
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#endif

namespace fs = std::filesystem;

namespace vellomar::test {
namespace {

// Where a POSIX system fails to plant an entry, the test's own tree is at
// fault: that fails the test rather than skipping it.
std::string WhyNot(std::string why) {
#ifndef _WIN32
    ADD_FAILURE() << why;
#endif
    return why;
}

}  // namespace

std::string PlantLink(const fs::path& target, const fs::path& link) {
    std::error_code error;
    if (fs::is_directory(link.parent_path() / target))
        fs::create_directory_symlink(target, link, error);
    else
        fs::create_symlink(target, link, error);
    return error ? WhyNot("no symbolic link made here: " + error.message()) : "";
}

std::string PlantNamedPipe(const fs::path& path) {
#ifdef _WIN32
    (void)path;
    return "Windows makes no named pipes in folders";
#else
    if (mkfifo(path.c_str(), 0600) == 0) return "";
    return WhyNot(std::string("no named pipe made here: ") + std::strerror(errno));
#endif
}

}  // namespace vellomar::test
