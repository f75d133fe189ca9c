#pragma once
// The depth-first walk under every search of a drive: it lists each folder in
// the file system's own order, asks the Quick Search rule before it lists a
// folder, shows each folder it enters, lets the window handle input after each
// entry, ends once ContinueScan is cleared, never follows a link and never
// leaves the mount it started on. What it does with a file, and which
// folders it passes over by name, is the search's own.

#include <optional>
#include <string>
#include <string_view>

#include "app/Session.h"
#include "platform/Folder.h"
#include "quicksearch/FolderAdmission.h"
#include "scan/ScanView.h"

namespace vellomar {

// The walk holds one folder handle and one stack frame per level it has
// entered: folders deeper than this below its start are passed over as if they
// could not be read, so that a tree of any depth can neither use up the
// process's handles or stack nor make the walk fail elsewhere.
inline constexpr int kDeepestWalkedLevel = 512;

class TreeWalk {
public:
    TreeWalk(Session& session, ScanView& view);
    TreeWalk(const TreeWalk&) = delete;
    TreeWalk& operator=(const TreeWalk&) = delete;

    // Walks the folder at a path in the walk's own form ("c:" for a root) and
    // every folder below it. A folder that cannot be read yields nothing.
    void Run(std::string_view folderText);

protected:
    ~TreeWalk() = default;

    virtual bool PassesOverFolderNamed(std::string_view name) const = 0;
    // A file of an admitted folder: a regular one, or a system one (a link, a
    // fifo, a socket or a device), which is never followed or opened.
    virtual void VisitFile(const std::string& folderPath, const Folder& folder,
                           const char* name) = 0;

    Session& session_;
    ScanView& view_;

private:
    // level: how many folders below the walk's start the folder lies.
    void List(const std::string& folderPath, const Folder& folder, Admission admission, int level);
    void EnterSubfolder(const std::string& folderPath, const Folder& folder, const char* name,
                        int level);

    const FolderAdmission admission_;
    std::optional<MountIdentity> mount_;
};

}  // namespace vellomar
