#pragma once
// The desktop's trash folders: the user's own ($XDG_DATA_HOME/Trash, by
// default ~/.local/share/Trash, the same folder in every user's home), those
// at the top of each file system (.Trash-UID and .Trash/UID), and the recycle
// bins a Windows file system keeps at its top. A file moved out of one leaves
// a broken trash entry behind, so the walks never enter them.

#include <string>
#include <string_view>

namespace vellomar {

class DesktopTrash {
public:
    // userTrash: the drive form of this user's trash folder; empty when it has none.
    explicit DesktopTrash(std::string userTrash) : userTrash_(std::move(userTrash)) {}

    // Whether the subfolder of that name in the folder at a drive-form path is a trash folder.
    bool Holds(std::string_view folderPath, std::string_view name) const;

private:
    std::string userTrash_;
};

}  // namespace vellomar
