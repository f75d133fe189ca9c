#pragma once
// Whole-file reads and atomic replacement of small text files (settings, logs).

#include <optional>
#include <string>
#include <string_view>

namespace vellomar {

struct TextFileState {
    std::string text;
    std::optional<unsigned> permissions;  // nothing when the file does not exist
    bool ownerMayWrite = true;
};

// A missing file (or folder on its path) reads as an empty one; nothing when the
// file exists but is no regular file or cannot be read.
std::optional<TextFileState> ReadTextFile(const std::string& nativePath);

// Readers see the old file or the new one, never a part: the text goes to a
// temporary file beside it that is synced and then renamed over it. A symbolic
// link keeps pointing at the file: the file it names is replaced, not the link.
bool ReplaceTextFile(const std::string& nativePath, std::string_view text,
                     std::optional<unsigned> permissions);

}  // namespace vellomar
