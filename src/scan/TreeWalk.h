#pragma once
// The depth-first walk under every search of a drive: it lists each folder in
// the file system's own order, asks the Quick Search rule before it lists a
// folder, shows each folder it enters, lets the window handle input after each
// entry, ends once ContinueScan is cleared, never follows a link and never
// leaves the mount it started on. It passes over the desktop's trash and
// what the operating system owns: its files are never visited, and a folder
// it owns whole is not entered. What it does with a file, and which
// folders it passes over by name, is the search's own.
//
// Readers on other threads open and list the folders ahead of it and look up
// the files it will want (FolderReadAhead); the walk itself keeps the order
// and asks every question in it. What they read is trusted only while the
// view has let no other work run since it was read, and for a tenth of a
// second at most: after that, a folder is checked to be the one still there
// as the walk enters it (and read again when read longer ago), and a file
// looked up again as the walk reaches it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Folder.h"
#include "run/Session.h"
#include "scan/FolderReadAhead.h"
#include "scan/ScanView.h"
#include "scan/WalkAdmission.h"

namespace vellomar {

// The walk holds one folder handle and one stack frame per level it has
// entered: folders deeper than this below its start are passed over as if they
// could not be read, so that a tree of any depth can neither use up the
// process's handles or stack nor make the walk fail elsewhere.
inline constexpr int kDeepestWalkedLevel = 512;

class TreeWalk : private ReadAheadRules {
public:
    TreeWalk(Session& session, ScanView& view, const WalkAdmission& admission);
    TreeWalk(const TreeWalk&) = delete;
    TreeWalk& operator=(const TreeWalk&) = delete;

    // Walks the folder at a path in the walk's own form ("c:" for a root) and
    // every folder below it. A folder that cannot be read yields nothing.
    void Run(std::string_view folderText);

protected:
    ~TreeWalk() = default;

    // Both asked on the readers' threads too: they may read nothing but the
    // name and what stays the same for the whole walk.
    bool PassesOverFolderNamed(std::string_view name) const override = 0;
    // Whether a file of this name may be visited: it is looked up then.
    bool WantsLookUp(std::string_view name) const override = 0;
    // A file of an admitted folder that the walk wants, with what its look-up
    // found: a regular file or a system one (a link, a fifo, a socket or a
    // device), which is never followed or opened; nothing when it is gone.
    virtual void VisitFile(const std::string& folderPath, const char* name,
                           const std::optional<EntryInfo>& info) = 0;

    Session& session_;
    ScanView& view_;

private:
    void List(const std::string& folderPath, const std::shared_ptr<ReadFolder>& folder,
              Admission admission, const SystemPlace& place);
    void EnterSubfolder(const std::string& folderPath, const ReadFolder& parent,
                        const SystemPlace& parentPlace, const char* name, int level,
                        const FolderReadAhead::Ticket& ticket);
    void Pump();
    // Whether the view has let no other work run since the folder was read,
    // and that not long ago.
    bool StillAsRead(const ReadFolder& folder) const;
    static bool ReadLongAgo(const ReadFolder& folder);

    const WalkAdmission& admission_;
    std::optional<MountIdentity> mount_;
    FolderReadAhead* readAhead_ = nullptr;  // while Run() runs
};

}  // namespace vellomar
