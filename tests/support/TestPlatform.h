#pragma once
// A platform over a temporary tree: drive t: is the tree's "drive" folder, the
// files a search walks; drive u: is its "home" folder, which holds the per-user
// configuration folder, so the data folder reads u:\.config\Velmo, and its
// cache folder, where the browsers' caches lie (u:\.cache). The system's files
// are the machine's unless a test lays out a system of its own.

#include <memory>

#include "platform/Platform.h"
#include "support/TempTree.h"

namespace vellomar::test {

inline std::unique_ptr<Platform> MakeTestPlatform(TempTree& tree,
                                                  std::string systemRoot = SystemFiles::MachineRoot()) {
    DriveTable drives;
    drives.Assign('t', tree.AddFolder("drive").generic_string());
    drives.Assign('u', tree.AddFolder("home/.config").parent_path().generic_string());
    return std::make_unique<Platform>(
        std::move(drives), UserFolders{(tree / "home/.config").generic_string(), (tree / "program").generic_string(),
                                       (tree / "home/.cache").generic_string(),
                                       (tree / "home/.local/share/Trash").generic_string()},
        std::move(systemRoot));
}

}  // namespace vellomar::test
