#include "results/GarbageBin.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/FileMove.h"
#include "results/BinRecord.h"

namespace vellomar {
namespace {

using Missing = FolderHandle::Missing;

constexpr unsigned kBinFolderMode = 0700;  // what was put aside is its owner's alone

BinOutcome OutcomeOf(FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::Done: return BinOutcome::Done;
        case FileOutcome::NotFound: return BinOutcome::NotFound;
        case FileOutcome::NotAFile: return BinOutcome::NotAFile;
        case FileOutcome::ReadOnly: return BinOutcome::ReadOnly;
        case FileOutcome::LinkInPath: return BinOutcome::LinkInPath;
        case FileOutcome::TargetExists: return BinOutcome::TargetExists;
        case FileOutcome::NoRoom: return BinOutcome::NoRoom;
        case FileOutcome::NotPermitted: return BinOutcome::NotPermitted;
        case FileOutcome::Changed: return BinOutcome::Changed;
        case FileOutcome::Failed: return BinOutcome::Failed;
    }
    return BinOutcome::Failed;
}

// "t:\a" for "t:\a\b.txt", "t:" for "t:\b.txt".
std::string ParentPath(std::string_view path) {
    std::string_view folder = FolderPartWithSeparator(path);
    if (!folder.empty()) folder.remove_suffix(1);
    return std::string(folder);
}

bool InAGarbageBin(const DrivePathParts& parts) {
    return std::find(parts.names.begin(), parts.names.end() - 1, kGarbageBinFolderName) !=
           parts.names.end() - 1;
}

// Item folders are numbered from 1 up to this, the most nine digits hold.
constexpr unsigned long kLargestItemNumber = 999'999'999;

bool IsItemNumber(std::string_view name) {
    return !name.empty() && name.size() < 10 &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string RecordName(const std::string& number) { return number + ".ini"; }

// A record holds one path and a moment; a longer file is no record of the bin's.
constexpr std::size_t kLongestRecord = 1 << 20;

bool ComesBefore(const BinItem& a, const BinItem& b) {
    const auto lower = [](char x, char y) { return AsciiLower(x) < AsciiLower(y); };
    const std::string& x = a.originalPath;
    const std::string& y = b.originalPath;
    if (std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), lower)) return true;
    if (std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end(), lower)) return false;
    return std::tie(x, a.binFolder, a.number) < std::tie(y, b.binFolder, b.number);
}

}  // namespace

GarbageBin::GarbageBin(const Platform& platform, std::string dataFolderPath)
    : files_(platform.Files()), dataFolderPath_(std::move(dataFolderPath)) {}

GarbageBin::MoveResult GarbageBin::MoveIn(std::string_view path) {
    auto parts = SplitDrivePath(path);
    if (!parts || parts->names.empty()) return {BinOutcome::NotFound};
    if (InAGarbageBin(*parts)) return {BinOutcome::AlreadyInBin};
    auto found = files_.Find(path);
    if (!found) return {BinOutcome::NotFound};
    if (found->info.kind != EntryKind::File) return {BinOutcome::NotAFile};
    if (found->info.attributes & attribute::kReadOnly) return {BinOutcome::ReadOnly};

    const std::string folderPath = ParentPath(path);
    FolderHandle source = FolderHandle::Open(files_, folderPath, Folder::Links::Refuse);
    if (!source) return {OutcomeOf(source.Failure())};
    std::string record;
    try {
        record = BinRecordText({JoinDrivePath(folderPath, found->name),
                                std::chrono::floor<std::chrono::seconds>(
                                    std::chrono::system_clock::now())});
    } catch (const std::invalid_argument&) {
        return {BinOutcome::RecordNotWritten};  // a path no record line can hold
    }
    // The record comes first: a file never sits in the bin without it.
    auto identity = source.Identity();
    const AddedItem added =
        identity ? AddItem(parts->letter, identity->device, record) : AddedItem{};
    if (!added.item) return {added.refusal};
    const FolderHandle& bin = added.item->bin.folder;
    const std::string& number = added.item->number;
    const FileOutcome moved = MoveFile(source, found->name, bin.Subfolder(number), found->name);
    if (moved != FileOutcome::Done) {
        Forget(bin, number);
        return {OutcomeOf(moved)};
    }
    return {BinOutcome::Done, found->info.size};
}

std::vector<BinItem> GarbageBin::Items() const {
    std::vector<BinItem> items;
    ForEachBin([&](const OpenBin& bin, bool driveRoot) {
        ForEachRecord(bin, [&](const std::string& number, BinRecord& record,
                               std::optional<std::int64_t> size) {
            if (!size) return;  // a move that never finished: the file is still at its place
            if (driveRoot) record.originalPath[0] = bin.path[0];
            items.push_back({std::move(record.originalPath), record.moved, *size, bin.path, number});
        });
    });
    std::sort(items.begin(), items.end(), ComesBefore);
    return items;
}

void GarbageBin::SweepUnfinishedMoves(std::chrono::system_clock::time_point now) const {
    const auto startedBefore = now - std::chrono::hours(24);
    ForEachBin([&](const OpenBin& bin, bool) {
        ForEachRecord(bin, [&](const std::string& number, const BinRecord& record,
                               std::optional<std::int64_t> size) {
            if (size || record.moved > startedBefore) return;
            const FolderHandle itemFolder = bin.folder.Subfolder(number);
            for (const std::string& name : itemFolder.Names())
                if (name.starts_with(kPartialCopyPrefix)) itemFolder.RemoveFile(name);
            Forget(bin.folder, number);
        });
    });
}

BinOutcome GarbageBin::Restore(const BinItem& item) const {
    // The desktop platform tells names apart by more than letter case: a
    // "Report.txt" standing there now keeps "report.txt" out as well.
    if (files_.Find(item.originalPath)) return BinOutcome::TargetExists;
    std::optional<OpenBin> bin = OpenBinIn(ParentPath(item.binFolder), Missing::Fail);
    if (!bin) return BinOutcome::NotFound;
    FolderHandle target = FolderHandle::Open(files_, ParentPath(item.originalPath),
                                             Folder::Links::Refuse, Missing::Create);
    if (!target) return OutcomeOf(target.Failure());
    const std::string name(LastName(item.originalPath));
    const FileOutcome moved = MoveFile(bin->folder.Subfolder(item.number), name, target, name);
    if (moved != FileOutcome::Done) return OutcomeOf(moved);
    Forget(bin->folder, item.number);
    return BinOutcome::Done;
}

BinOutcome GarbageBin::Remove(const BinItem& item) const {
    std::optional<OpenBin> bin = OpenBinIn(ParentPath(item.binFolder), Missing::Fail);
    if (!bin) return BinOutcome::NotFound;
    const FileOutcome removed =
        bin->folder.Subfolder(item.number).RemoveFile(std::string(LastName(item.originalPath)));
    if (removed != FileOutcome::Done) return OutcomeOf(removed);
    Forget(bin->folder, item.number);
    return BinOutcome::Done;
}

std::optional<GarbageBin::OpenBin> GarbageBin::OpenBinIn(
    std::string_view parentPath, Missing missing, std::optional<std::uint64_t> onDevice) const {
    // The bin's own parent is the program's choice (a drive's root, the data
    // folder), so links on the way there are followed; the bin itself is not one.
    FolderHandle parent = FolderHandle::Open(files_, parentPath, Folder::Links::Follow);
    if (!parent) return std::nullopt;
    if (onDevice) {
        auto identity = parent.Identity();
        if (!identity || identity->device != *onDevice) return std::nullopt;
    }
    FolderHandle bin =
        parent.Subfolder(std::string(kGarbageBinFolderName), missing, kBinFolderMode);
    // Files are put aside only where no other user can take them away.
    if (!bin || !bin.OwnedByThisUser()) return std::nullopt;
    return OpenBin{JoinDrivePath(parentPath, kGarbageBinFolderName), std::move(bin)};
}

GarbageBin::AddedItem GarbageBin::AddItem(char driveLetter, std::uint64_t device,
                                          std::string_view record) {
    const std::string parents[] = {DriveRootPath(driveLetter), dataFolderPath_};
    AddedItem added;
    // A bin that opens may still take no new folder or record (its disk is
    // full): the next one is tried then.
    const auto addTo = [&](std::optional<OpenBin> bin) {
        std::optional<std::string> number = bin ? AddItemFolder(*bin) : std::nullopt;
        if (!number) return false;
        if (bin->folder.ReplaceFile(RecordName(*number), record) != FileOutcome::Done) {
            Forget(bin->folder, *number);
            added.refusal = BinOutcome::RecordNotWritten;
            return false;
        }
        added.item = NewItem{std::move(*bin), std::move(*number)};
        return true;
    };
    for (const std::string& parent : parents)
        if (addTo(OpenBinIn(parent, Missing::Create, device))) return added;
    for (const std::string& parent : parents)
        if (addTo(OpenBinIn(parent, Missing::Create))) return added;
    return added;
}

std::optional<std::string> GarbageBin::AddItemFolder(const OpenBin& bin) {
    auto [next, first] = nextNumber_.try_emplace(bin.path, 1);
    if (first) {  // one listing per bin and run, not one per file
        for (const std::string& name : bin.folder.Names())
            if (IsItemNumber(name)) next->second = std::max(next->second, std::stoul(name) + 1);
    }
    // Another run of the program may take numbers meanwhile: a taken one is passed over.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        // Past the largest number the count starts again from 1: a number of
        // more digits would name a folder the bin never lists.
        if (next->second > kLargestItemNumber) next->second = 1;
        std::string number = std::to_string(next->second++);
        if (bin.folder.CreateSubfolder(number, kBinFolderMode)) return number;
        if (!bin.folder.Contains(number)) return std::nullopt;
    }
    return std::nullopt;
}

void GarbageBin::ForEachBin(
    const std::function<void(const OpenBin& bin, bool driveRoot)>& visit) const {
    std::vector<FolderIdentity> visited;  // two drive letters may stand for one folder
    const auto visitOnce = [&](std::optional<OpenBin> bin, bool driveRoot) {
        auto identity = bin ? bin->folder.Identity() : std::nullopt;
        if (!identity || std::find(visited.begin(), visited.end(), *identity) != visited.end())
            return;
        visited.push_back(*identity);
        visit(*bin, driveRoot);
    };
    for (const Drive& drive : files_.Drives().Drives())
        visitOnce(OpenBinIn(DriveRootPath(drive.letter), Missing::Fail), true);
    visitOnce(OpenBinIn(dataFolderPath_, Missing::Fail), false);
}

void GarbageBin::ForEachRecord(
    const OpenBin& bin,
    const std::function<void(const std::string& number, BinRecord& record,
                             std::optional<std::int64_t> size)>& visit) const {
    for (const std::string& number : bin.folder.Names()) {
        if (!IsItemNumber(number)) continue;
        const auto text = bin.folder.ReadSmallFile(RecordName(number), kLongestRecord);
        std::optional<BinRecord> record = text ? ParseBinRecord(*text) : std::nullopt;
        if (!record) continue;
        visit(number, *record,
              bin.folder.Subfolder(number).FileSize(std::string(LastName(record->originalPath))));
    }
}

void GarbageBin::Forget(const FolderHandle& bin, const std::string& number) const {
    bin.RemoveFile(RecordName(number));
    bin.RemoveEmptySubfolder(number);
}

std::string_view BinOutcomeReason(BinOutcome outcome) {
    switch (outcome) {
        case BinOutcome::Done: return "";
        case BinOutcome::NotFound: return "the file or a folder on its path was not found";
        case BinOutcome::NotAFile: return "it is not a regular file";
        case BinOutcome::ReadOnly: return "the file is read-only";
        case BinOutcome::LinkInPath: return "a folder on its path is a link";
        case BinOutcome::TargetExists: return "a file of that name is already there";
        case BinOutcome::NoRoom: return "there is not enough room on the disk";
        case BinOutcome::NotPermitted: return "its folder may not be changed";
        case BinOutcome::Changed: return "the file changed while it was being copied";
        case BinOutcome::Failed: return "the file system refused";
        case BinOutcome::AlreadyInBin: return "the file is in a garbage bin already";
        case BinOutcome::NoBin: return "no garbage bin could be made for it";
        case BinOutcome::RecordNotWritten: return "the bin could not record where it came from";
    }
    return "";
}

}  // namespace vellomar
