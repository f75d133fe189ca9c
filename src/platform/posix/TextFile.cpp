#include "platform/TextFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>

#include "platform/posix/FileDescriptor.h"
#include "platform/posix/TemporaryFile.h"

namespace vellomar {

std::optional<TextFileState> ReadTextFile(const std::string& path) {
    // Non-blocking, so a fifo at the path cannot hang the program.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return TextFileState{};
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    TextFileState state;
    state.ownerMayWrite = status.st_mode & S_IWUSR;
    // A file over the limit reads as empty; one byte beyond it tells a file
    // that grew while it was read.
    if (static_cast<std::uint64_t>(status.st_size) > kMaxTextFileSize) return state;
    if (!ReadUpTo(file.Get(), state.text, kMaxTextFileSize + 1)) return std::nullopt;
    if (state.text.size() > kMaxTextFileSize) state.text = std::string();
    return state;
}

namespace {

#ifdef O_PATH
constexpr int kFolderOpening = O_PATH | O_DIRECTORY | O_CLOEXEC;  // no right to list it needed
#else
constexpr int kFolderOpening = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// As many links in a row as the system follows before it gives up.
constexpr int kMaxLinkHops = 40;

// A name in an open folder: what a replacement renames its temporary file to.
struct WriteTarget {
    FileDescriptor folder;
    std::string name;
};

// Opens the folder of a path (relative to from, unless absolute), and gives the
// name in it; false for a path that names no file in a folder.
bool Enter(int from, const std::filesystem::path& path, WriteTarget& target) {
    const std::filesystem::path folder = path.parent_path();
    target.name = path.filename().string();
    target.folder.Reset(::openat(from, folder.empty() ? "." : folder.c_str(), kFolderOpening));
    return target.folder.Get() >= 0 && !target.name.empty() && target.name != "." &&
           target.name != "..";
}

// A link another user could have made does not lead a write of this user's
// elsewhere; this user's and root's links are trusted.
bool MayFollow(const struct stat& link) { return link.st_uid == ::geteuid() || link.st_uid == 0; }

// The text of a link through the handle it was checked with, so the link read is
// the link checked.
std::optional<std::string> LinkText(int folder, const std::string& name) {
    char text[PATH_MAX];
    struct stat link;
#ifdef O_PATH
    const FileDescriptor handle(::openat(folder, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (handle.Get() < 0 || ::fstat(handle.Get(), &link) != 0 || !MayFollow(link))
        return std::nullopt;
    const ssize_t size = ::readlinkat(handle.Get(), "", text, sizeof text);
#else
    if (::fstatat(folder, name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0 || !MayFollow(link))
        return std::nullopt;
    const ssize_t size = ::readlinkat(folder, name.c_str(), text, sizeof text);
#endif
    if (size <= 0 || static_cast<std::size_t>(size) == sizeof text) return std::nullopt;
    return std::string(text, static_cast<std::size_t>(size));
}

// The folder and name a write of the path reaches: a link is followed, link by
// link and each looked at in the folder it lies in, only while MayFollow allows.
// False when a link may not be followed or the path cannot be written.
bool FindWriteTarget(const std::string& path, WriteTarget& target) {
    if (!Enter(AT_FDCWD, path, target)) return false;
    for (int hops = 0;; ++hops) {
        struct stat entry;
        if (::fstatat(target.folder.Get(), target.name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT;
        if (!S_ISLNK(entry.st_mode)) return true;
        if (hops == kMaxLinkHops) return false;
        const std::optional<std::string> linked = LinkText(target.folder.Get(), target.name);
        if (!linked || !Enter(target.folder.Get(), *linked, target)) return false;
    }
}

}  // namespace

bool ReplaceTextFile(const std::string& nativePath, std::string_view text) {
    return text.size() <= kMaxTextFileSize && !ReplaceFile(nativePath, text);
}

std::error_code ReplaceFile(const std::string& nativePath, std::string_view text) {
    WriteTarget target{FileDescriptor(-1), {}};
    errno = 0;
    // A link not to be followed leaves no errno of its own: writing through it is refused.
    if (!FindWriteTarget(nativePath, target))
        return {errno != 0 ? errno : EACCES, std::generic_category()};
    return {ReplaceFileAt(target.folder.Get(), target.name, text, 0666), std::generic_category()};
}

}  // namespace vellomar
