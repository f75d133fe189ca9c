#include "platform/IniFileIn.h"

#include "platform/DrivePath.h"
#include "platform/FolderHandle.h"

namespace vellomar {

std::optional<IniFile> IniFileIn(const FileSystem& files, std::string_view folderPath,
                                 std::string_view name) {
    std::optional<std::string> folder = files.NativePath(folderPath);
    if (!folder || !IsPlainName(name)) return std::nullopt;
    if (folder->back() != '/') folder->push_back('/');
    return IniFile(*folder + std::string(name), JoinDrivePath(folderPath, name));
}

}  // namespace vellomar
