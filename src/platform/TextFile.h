#pragma once
// Whole-file reads and atomic replacement of small text files (settings, logs).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace vellomar {

// Larger than any settings file the program writes (a full qsearch.ini is about
// 2 MB): a file beyond it is not read, so that no file can make a reader slow or
// use up memory.
inline constexpr std::size_t kMaxTextFileSize = 16 * 1024 * 1024;

struct TextFileState {
    std::string text;
    bool ownerMayWrite = true;
};

// A missing file (or folder on its path) reads as an empty one, and so does a
// file larger than kMaxTextFileSize; nothing when the file exists but is no
// regular file or cannot be read, or when the path passes a symbolic link
// that ReplaceTextFile would not follow.
std::optional<TextFileState> ReadTextFile(const std::string& nativePath);

// Readers see the old file or the new one, never a part: the text goes to a
// temporary file beside it that is synced and then renamed over it, and takes
// the replaced file's mode, owner and group (those this process may give). A
// text larger than kMaxTextFileSize, which a read would take as missing, is
// refused and the old file stays. Symbolic links on the path, the last name's
// included, are followed only when this user or root owns them (the file a
// last link names is replaced, not the link): false for a link of any other
// owner at any name of the path. Under Windows the system's accounts and the
// administrators stand for root, and only a link at the last name is checked.
bool ReplaceTextFile(const std::string& nativePath, std::string_view text);

// A file the user saves, such as a result list, of any size: replaced as
// ReplaceTextFile does, through the same links, but by a fresh file of this
// user's with the mode the umask gives, whoever owned the file it replaces.
// What failed when the file could not be replaced (the old file then stays as
// it was).
std::error_code ReplaceFile(const std::string& nativePath, std::string_view text);

}  // namespace vellomar
