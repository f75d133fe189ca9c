#pragma once
// What a command line hands the program: its arguments, and the folders they
// name, in the program's own forms (UTF-8 texts, native paths).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellomar {

// The arguments after the program's name, as UTF-8. On Windows they are read
// from the wide command line: the narrow one holds only what the system's
// ANSI code page can.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The absolute native path, without "." or ".." parts, of the folder a user
// typed (absolute or relative to the current folder); nothing when no folder
// is there.
std::optional<std::string> ExistingFolderPath(std::string_view typed);

}  // namespace vellomar
