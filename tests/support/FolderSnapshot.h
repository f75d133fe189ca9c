#pragma once
// What a folder holds, to tell whether an operation touched anything in it.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempTree.h"

namespace vellomar::test {

// Every path below the folder, relative to it and in order, each regular file
// followed by " = " and its text, each link by " -> " and its target.
inline std::vector<std::string> FolderSnapshot(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string line = fs::relative(entry.path(), folder).string();
        if (entry.is_symlink()) line += " -> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file()) line += " = " + ReadWholeFile(entry.path());
        lines.push_back(std::move(line));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace vellomar::test
