#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/posix/FileDescriptor.h"
#include "platform/posix/TemporaryFile.h"

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

#ifdef O_PATH
constexpr int kFolderOpening = O_PATH | O_DIRECTORY | O_CLOEXEC;  // no right to list it needed
#else
constexpr int kFolderOpening = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// Replaced through its open folder, so the temporary file and the rename act
// on one folder whatever happens to its path meanwhile.
bool ReplaceAtomically(const std::filesystem::path& target, std::string_view text,
                       std::optional<unsigned> mode) {
    const std::filesystem::path folder = target.parent_path();
    const FileDescriptor folderFd(::open(folder.empty() ? "." : folder.c_str(), kFolderOpening));
    return folderFd.Get() >= 0 &&
           ReplaceFileAt(folderFd.Get(), target.filename().string(), text, 0666, mode) == 0;
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
