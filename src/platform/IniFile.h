#pragma once
// Private-profile ini files: "[Section]" lines, then "key=value" lines.
// Section and key names compare without regard to ASCII letter case; a new
// section is appended at the end of the file, a new key at the end of its
// section, and an existing key is rewritten in place. A missing file, section
// or key reads as the caller's default. Every write replaces the whole file
// atomically (temporary file, then rename), so a crash never leaves half a file,
// and follows a link only as ReplaceTextFile does (TextFile.h). A file saved as
// UTF-16 or with a UTF-8 byte order mark reads as its text and keeps its
// encoding when written (IniEncoding.h).

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniText.h"

namespace vellomar {

// The longest value a read returns, as the platform's profile functions do.
inline constexpr std::size_t kMaxProfileValueLength = 2047;

// A stored value as a read returns it: at most kMaxProfileValueLength bytes,
// never ending inside a UTF-8 sequence.
std::string_view AsProfileValue(std::string_view stored);

// A write that could not be completed. what() is the text to show the user:
// "Unable to write to " and the file's path as the program shows it.
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::string& shownPath);
};

// One ini file, read and written one key at a time.
class IniFile {
public:
    // nativePath locates the file; shownPath is how messages name it (drive form).
    IniFile(std::string nativePath, std::string shownPath);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // A value that is not a decimal integer reads as the fallback.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t fallback) const;
    // Any non-zero integer is true; "0" is false.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Each throws IniWriteError when the file cannot be replaced.
    void WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) const;
    void WriteBool(std::string_view section, std::string_view key, bool value) const;  // "1" or "0"

    // The whole text of the file, in UTF-8 for a UTF-16 file and without a byte
    // order mark; empty when it is missing, cannot be read or is larger than
    // kMaxTextFileSize (TextFile.h).
    std::string ReadText() const;
    // Replaces the text with change(current text), atomically. A file too large
    // to read is replaced as an empty one would be: it holds nothing the program
    // wrote, and reading it would take more than any settings file needs.
    // Throws IniWriteError when the file cannot be read or replaced, when the new
    // text is too large to be read back or cannot be held in the file's
    // encoding (bytes outside UTF-8 in a UTF-16 file), or when change throws
    // std::invalid_argument or std::length_error.
    void Rewrite(const std::function<std::string(std::string_view)>& change) const;

    const std::string& ShownPath() const { return shownPath_; }

private:
    std::string nativePath_;
    std::string shownPath_;
};

}  // namespace vellomar
