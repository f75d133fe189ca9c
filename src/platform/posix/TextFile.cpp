#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/posix/FileDescriptor.h"
#include "platform/posix/OwnLinks.h"
#include "platform/posix/TemporaryFile.h"

namespace vellomar {

std::optional<TextFileState> ReadTextFile(const std::string& path) {
    // Through the links a write follows and no other, so that a link of
    // another user's never hands the program settings it did not write.
    OwnPlace place;
    if (const std::error_code refused = FindOwnPlace(AT_FDCWD, path, PathEnd::Entry, place)) {
        if (refused == std::errc::no_such_file_or_directory || refused == std::errc::not_a_directory)
            return TextFileState{};
        return std::nullopt;
    }
    // Non-blocking, so a fifo at the path cannot hang the program.
    const FileDescriptor file(
        place.name.empty()
            ? -1
            : ::openat(place.folder.Get(), place.name.c_str(),
                       O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    if (file.Get() < 0) {
        if (!place.name.empty() && errno == ENOENT) return TextFileState{};
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

std::error_code Replace(const std::string& nativePath, std::string_view text,
                        Ownership ownership) {
    OwnPlace place;
    if (const std::error_code refused = FindOwnPlace(AT_FDCWD, nativePath, PathEnd::Entry, place))
        return refused;
    return {ReplaceFileAt(place.folder.Get(), place.name, text, 0666, ownership),
            std::generic_category()};
}

}  // namespace

bool ReplaceTextFile(const std::string& nativePath, std::string_view text) {
    return text.size() <= kMaxTextFileSize && !Replace(nativePath, text, Ownership::OfTheReplaced);
}

std::error_code ReplaceFile(const std::string& nativePath, std::string_view text) {
    return Replace(nativePath, text, Ownership::OfTheWriter);
}

}  // namespace vellomar
