#include "scan/TreeWalk.h"

#include "platform/DrivePath.h"

namespace vellomar {

TreeWalk::TreeWalk(Session& session, ScanView& view)
    : session_(session), view_(view), admission_(session.quickSearch) {}

void TreeWalk::Run(std::string_view folderText) {
    const Admission admission = admission_.Admit(folderText);
    if (admission == Admission::Refused) return;
    // The start may be written in any letter case; every path the walk makes
    // names its entry by the names as stored, so that it names it exactly.
    const WrittenFolder start = session_.platform.Files().OpenWrittenFolder(folderText);
    if (!start.folder) return;
    mount_ = start.folder.Mount();
    List(start.path, start.folder, admission, 0);
}

void TreeWalk::List(const std::string& folderPath, const Folder& folder, Admission admission,
                    int level) {
    folder.MakeCurrent();  // as a walk always has; a failure changes nothing
    const bool visitFiles = admission == Admission::Admitted;
    FolderListing listing(folder);
    auto entry = listing.Next();
    while (entry && session_.scan.ContinueScan) {
        if (!IsDotEntry(entry->name)) {
            switch (entry->kind) {
                case EntryKind::Folder:
                    EnterSubfolder(folderPath, folder, entry->name, level + 1);
                    break;
                case EntryKind::File:
                case EntryKind::Other:  // links and devices: system files, never followed
                    if (visitFiles) VisitFile(folderPath, folder, entry->name);
                    break;
            }
        }
        entry = listing.Next();
        view_.Pump();
    }
}

void TreeWalk::EnterSubfolder(const std::string& folderPath, const Folder& folder,
                              const char* name, int level) {
    if (PassesOverFolderNamed(name)) return;
    std::string path = JoinDrivePath(folderPath, name);
    view_.ShowStatus(path);
    const Admission admission = admission_.Admit(path);
    if (admission == Admission::Refused || level > kDeepestWalkedLevel) return;
    Folder subfolder = folder.OpenSubfolder(name, Folder::Links::Refuse);
    if (!subfolder || subfolder.Mount() != mount_) return;  // stay on this drive
    List(path, subfolder, admission, level);
}

}  // namespace vellomar
