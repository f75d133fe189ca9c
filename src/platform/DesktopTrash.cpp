#include "platform/DesktopTrash.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"

namespace vellomar {
namespace {

bool IsDriveRoot(std::string_view folderPath) {
    const auto parts = SplitDrivePath(folderPath);
    return parts && parts->names.empty();
}

// ".Trash", ".Trash-1000": the shared trash with a folder per user, and one user's.
bool IsTopTrashName(std::string_view name) {
    constexpr std::string_view kShared = ".Trash";
    if (name == kShared) return true;
    if (!name.starts_with(".Trash-") || name.size() == kShared.size() + 1) return false;
    return std::all_of(name.begin() + kShared.size() + 1, name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool IsRecycleBinName(std::string_view name) {
    for (std::string_view bin : {"$Recycle.Bin", "RECYCLER", "RECYCLED"})
        if (EqualsIgnoringAsciiCase(name, bin)) return true;
    return false;
}

}  // namespace

bool DesktopTrash::Holds(std::string_view folderPath, std::string_view name) const {
    if (name == "Trash")
        return folderPath.ends_with("\\.local\\share") ||
               (!userTrash_.empty() && JoinDrivePath(folderPath, name) == userTrash_);
    return (IsTopTrashName(name) || IsRecycleBinName(name)) && IsDriveRoot(folderPath);
}

}  // namespace vellomar
