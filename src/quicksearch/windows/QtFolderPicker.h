#pragma once
// The folder choice behind "Add Folder": a modal choice of one folder, with a
// title, answered in drive form.

#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace vellomar {

class DriveTable;

// The chosen folder in drive form, or "" when the user cancelled.
using FolderPicker = std::function<std::string(std::string_view title)>;

// The toolkit's folder dialog over parent, offering folders only, opening at
// the folder last chosen through it, else at the user's home. A folder on none
// of the drives answers "" as a cancel does: the walks could never meet it.
FolderPicker QtFolderPicker(const DriveTable& drives, QWidget* parent);

}  // namespace vellomar
