#include "scan/TreeWalk.h"

#include <chrono>

#include "platform/DrivePath.h"

namespace vellomar {
namespace {

// Another process may change the disk at any moment. A listing or a look-up
// this young is as good as one made as the walk reaches it; an older one,
// made while the walk was deep in another folder, could miss what was made
// since or list what was removed.
constexpr auto kLongestTrusted = std::chrono::milliseconds(100);

}  // namespace

TreeWalk::TreeWalk(Session& session, ScanView& view, const WalkAdmission& admission)
    : session_(session), view_(view), admission_(admission) {}

void TreeWalk::Run(std::string_view folderText) {
    const Admission admission = admission_.Admit(folderText);
    if (admission == Admission::Refused) return;
    // The start may be written in any letter case; every path the walk makes
    // names its entry by the names as stored, so that it names it exactly.
    WrittenFolder start = session_.platform.Files().OpenWrittenFolder(folderText);
    if (!start.folder) return;
    const SystemPlace place = session_.platform.Files().SystemPlaceOf(start.path);
    if (place.OwnsEverything()) return;  // nothing in it may be listed
    mount_ = start.folder.Mount();
    // Its readers ask this walk's rules: they end before it does.
    FolderReadAhead readAhead(mount_, *this, kDeepestWalkedLevel, view_.OtherWorkRounds());
    readAhead_ = &readAhead;
    List(start.path, readAhead.ReadStart(std::move(start.folder)), admission, place);
    readAhead_ = nullptr;
}

void TreeWalk::List(const std::string& folderPath, const std::shared_ptr<ReadFolder>& folder,
                    Admission admission, const SystemPlace& place) {
    folder->folder.MakeCurrent();  // as a walk always has; a failure changes nothing
    const bool visitFiles = admission == Admission::Admitted;
    // The subfolders the walk does not enter are let go, with all read below them.
    struct LetGoUnentered {
        FolderReadAhead& readAhead;
        const ReadFolder& folder;
        ~LetGoUnentered() { readAhead.DropSubfolders(folder); }
    } letGo{*readAhead_, *folder};

    for (std::size_t i = 0; i < folder->entries.size() && session_.scan.ContinueScan; ++i) {
        const ReadFolder::Entry& entry = folder->entries[i];
        const char* name = folder->NameOf(entry);
        if (entry.kind == EntryKind::Folder) {
            EnterSubfolder(folderPath, *folder, place, name, folder->level + 1, entry.subfolder);
        } else if (visitFiles && entry.lookedUp && !place.Owns(name)) {
            // Links and devices are system files, never followed.
            VisitFile(folderPath, name, StillAsRead(*folder) ? entry.info : folder->folder.LookUp(name));
        }
        Pump();
    }
    if (folder->complete) return;

    // What was left unread of a long folder is listed here, as the walk goes.
    FolderListing listing(folder->folder, FolderListing::From::WhereLeft);
    std::size_t index = folder->entries.size();
    auto entry = listing.Next();
    while (entry && session_.scan.ContinueScan) {
        if (!IsDotEntry(entry->name)) {
            if (entry->kind == EntryKind::Folder) {
                const int sublevel = folder->level + 1;
                WalkPosition position = folder->position;
                position.push_back(static_cast<std::uint32_t>(index));
                EnterSubfolder(folderPath, *folder, place, entry->name, sublevel,
                               FolderReadAhead::Ask(folder, std::move(position), entry->name, sublevel));
            } else if (visitFiles && WantsLookUp(entry->name) && !place.Owns(entry->name)) {
                VisitFile(folderPath, entry->name, folder->folder.LookUp(entry->name));
            }
        }
        ++index;
        entry = listing.Next();
        Pump();
    }
}

void TreeWalk::EnterSubfolder(const std::string& folderPath, const ReadFolder& parent,
                              const SystemPlace& parentPlace, const char* name, int level,
                              const FolderReadAhead::Ticket& ticket) {
    if (PassesOverFolderNamed(name) || session_.platform.Trash().Holds(folderPath, name)) return;
    const SystemPlace place = parentPlace.Below(name);
    if (place.OwnsEverything()) return;
    std::string path = JoinDrivePath(folderPath, name);
    view_.ShowStatus(path);
    const Admission admission = admission_.Admit(path);
    if (admission == Admission::Refused || level > kDeepestWalkedLevel || !ticket) return;
    const std::shared_ptr<ReadFolder> subfolder = readAhead_->Take(ticket);
    if (!subfolder) return;
    if (subfolder->byReader && !StillAsRead(*subfolder)) {
        // It must still be the folder of that name, not a link or another
        // folder put in its place.
        if (!subfolder->folder.IsStillNamed(parent.folder, name)) {
            readAhead_->DropSubfolders(*subfolder);
            return;
        }
        // Its content is what it holds now. A young listing is kept: what the
        // view's work removed meanwhile, the look-ups made again leave out.
        if (ReadLongAgo(*subfolder)) readAhead_->ReadAgain(subfolder);
    }
    List(path, subfolder, admission, place);
}

void TreeWalk::Pump() {
    view_.Pump();
    readAhead_->SetRounds(view_.OtherWorkRounds());
}

bool TreeWalk::StillAsRead(const ReadFolder& folder) const {
    const std::optional<std::uint64_t> now = view_.OtherWorkRounds();
    return folder.stamp && now && *folder.stamp == *now && !ReadLongAgo(folder);
}

bool TreeWalk::ReadLongAgo(const ReadFolder& folder) {
    return std::chrono::steady_clock::now() - folder.readAt > kLongestTrusted;
}

}  // namespace vellomar
