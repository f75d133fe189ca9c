#pragma once
// Drive-form paths, the only paths the program shows, stores and compares:
// a drive letter and colon, then names separated by '\' ("c:", "c:\home\ann\x.tmp").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellomar {

inline constexpr char kPathSeparator = '\\';

struct DrivePathParts {
    char letter = 0;                      // lower case
    std::vector<std::string_view> names;  // empty for the drive root
};

// Splits "c:\a\b" into 'c' and {"a", "b"}. The letter may be written in either
// case; empty names (doubled or trailing separators) are ignored. Nothing when
// the text does not start with a letter and a colon, when a name is "." or "..",
// or when a name holds a '/' or a NUL: drive-form paths are always absolute,
// never climb and name nothing but what they spell.
std::optional<DrivePathParts> SplitDrivePath(std::string_view path);

// A drive's root folder as walks start from it: "t:" for 'T' or 't'.
std::string DriveRootPath(char driveLetter);

// folder + '\' + name.
std::string JoinDrivePath(std::string_view folder, std::string_view name);

// Everything up to and including the last '\' ("c:\a\" for "c:\a\b.txt").
std::string_view FolderPartWithSeparator(std::string_view path);
// The text after the last '\' (the whole text when there is none).
std::string_view LastName(std::string_view path);
// The file name's extension from its last '.' on ("" without a '.').
std::string_view ExtensionOf(std::string_view path);

}  // namespace vellomar
