#pragma once
// An ini file known by its exact name in a folder given in drive form. Unlike
// Platform::Ini, the file's own name is never matched by letter case, so a file
// that does not exist yet costs no listing of its folder: a folder holding many
// small files (the garbage bin's records) stays quick to add to.

#include <optional>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/IniFile.h"

namespace vellomar {

// Nothing when the folder path names no drive or name is no plain name.
std::optional<IniFile> IniFileIn(const FileSystem& files, std::string_view folderPath,
                                 std::string_view name);

}  // namespace vellomar
