#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

#include "platform/posix/FileDescriptor.h"

namespace vellomar {

std::optional<TextFileState> ReadTextFile(const std::string& path) {
    // Non-blocking, so a fifo at the path cannot hang the program.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return TextFileState{};
        return std::nullopt;
    }
    TextFileState state;
    struct stat status {};
    bool readable =
        ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ReadAll(fd, state.text);
    ::close(fd);
    if (!readable) return std::nullopt;
    state.permissions = status.st_mode & 07777;
    state.ownerMayWrite = status.st_mode & S_IWUSR;
    return state;
}

namespace {

// Creates a file beside target under a name no other writer holds; -1 on failure.
int CreateTemporary(const std::string& target, std::string& path) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool ReplaceAtomically(const std::string& target, std::string_view text,
                       std::optional<unsigned> mode) {
    std::string temporary;
    int fd = CreateTemporary(target, temporary);
    if (fd < 0) return false;
    bool written = WriteAll(fd, text) && (!mode || ::fchmod(fd, static_cast<mode_t>(*mode)) == 0) && ::fsync(fd) == 0;
    bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

// A symbolic link keeps pointing at the file: the file it names is replaced, not the link.
std::string ReplacementTarget(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

}  // namespace

bool ReplaceTextFile(const std::string& nativePath, std::string_view text,
                     std::optional<unsigned> permissions) {
    return ReplaceAtomically(ReplacementTarget(nativePath), text, permissions);
}

}  // namespace vellomar
