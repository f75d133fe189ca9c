#include "results/GarbageBin.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>
#include <unordered_set>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/FileMove.h"
#include "platform/MomentText.h"
#include "results/BinRecord.h"

namespace vellomar {
namespace {

using Missing = Folder::Missing;
using Clock = std::chrono::system_clock;

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
        case FileOutcome::InUse: return BinOutcome::InUse;
        case FileOutcome::Changed: return BinOutcome::Changed;
        case FileOutcome::NotPutBack: return BinOutcome::NotPutBack;
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

// An item folder's name: digits for the items of older bins, else the moment
// of the move and a random part in hex.
bool IsItemId(std::string_view name) {
    return !name.empty() && name.size() <= 64 &&
           std::all_of(name.begin(), name.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                      c == '-';
           });
}

// The start of a new item's id: when it was moved, to the second, in UTC, in
// the moment's text without its separators ("20261209T195742Z-").
std::string ItemIdPrefix(std::chrono::system_clock::time_point moved) {
    std::string text = MomentText(moved);
    std::erase(text, '-');
    std::erase(text, ':');
    return text + "-";
}

constexpr std::string_view kRecordEnding = ".ini";

std::string RecordName(const std::string& id) { return id + std::string(kRecordEnding); }

// The item whose record has that name; nothing for any other name.
std::optional<std::string_view> RecordedId(std::string_view name) {
    if (!name.ends_with(kRecordEnding)) return std::nullopt;
    name.remove_suffix(kRecordEnding.size());
    if (!IsItemId(name)) return std::nullopt;
    return name;
}

// A record holds one path and a moment; a longer file is no record of the bin's.
constexpr std::size_t kLongestRecord = 1 << 20;

std::optional<BinRecord> ReadRecord(const Folder& bin, const std::string& id) {
    const auto text = bin.ReadSmallFile(RecordName(id), kLongestRecord);
    std::optional<BinRecord> record = text ? ParseBinRecord(*text) : std::nullopt;
    // A record copied from another item's tells nothing of this one.
    if (record && !record->id.empty() && record->id != id) return std::nullopt;
    return record;
}

// Unknown origins first, then by path without regard to letter case.
bool ComesBefore(const BinItem& a, const BinItem& b) {
    const auto lower = [](char x, char y) { return AsciiLower(x) < AsciiLower(y); };
    const std::string& x = a.originalPath;
    const std::string& y = b.originalPath;
    if (std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), lower)) return true;
    if (std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end(), lower)) return false;
    return std::tie(x, a.binFolder, a.id, a.name) < std::tie(y, b.binFolder, b.id, b.name);
}

// The checks an entry in the bin must pass to be acted on: it is the one listed.
EntryCheck Listed(const BinItem& item) { return EntryCheck{false, item.identity, std::nullopt, std::nullopt}; }

// The bin's own files (records, partial copies): any regular file of the name.
constexpr EntryCheck kOwnFile{false, std::nullopt, std::nullopt, std::nullopt};

}  // namespace

GarbageBin::GarbageBin(const Platform& platform, std::string dataFolderPath)
    : files_(platform.Files()),
      dataFolderPath_(std::move(dataFolderPath)),
      newItemsParent_(platform.ProgramDataFolder().empty() ? dataFolderPath_
                                                           : platform.ProgramDataFolder()) {}

GarbageBin::MoveResult GarbageBin::MoveIn(std::string_view path, const EntryCheck& check) const {
    return Moves(*this).MoveIn(path, check);
}

struct GarbageBin::Moves::AddedItem {
    const OpenBin* bin = nullptr;  // one of bins_; none when no bin took the item
    std::string id;                // its folder, made in the bin
    BinOutcome refusal = BinOutcome::NoBin;  // why there is none
};

GarbageBin::Moves::Moves(const GarbageBin& bin)
    : bin_(bin), sources_(bin.files_.Trail()), register_(bin.files_, bin.dataFolderPath_) {}

GarbageBin::MoveResult GarbageBin::Moves::MoveIn(std::string_view path, const EntryCheck& check) {
    auto parts = SplitDrivePath(path);
    if (!parts || parts->names.empty()) return {BinOutcome::NotFound};
    if (InAGarbageBin(*parts)) return {BinOutcome::AlreadyInBin};
    const FolderTrail::Holder holder = sources_.HolderOf(path, ListedDevice(check));
    if (!holder.folder) return {OutcomeOf(holder.failure)};
    const Folder& source = *holder.folder;
    const std::string name(holder.name);
    // Not trusted, only spares the bin an item folder for a file it would
    // refuse: what is moved is checked once it has moved.
    const auto held = source.Status(name);
    if (!held) return {BinOutcome::NotFound};
    if (held->kind != EntryKind::File || holder.place.Owns(name)) return {BinOutcome::NotAFile};
    if (!held->writable) return {BinOutcome::ReadOnly};
    if (check.listed && (held->identity != check.listed->identity || held->size != check.listed->size))
        return {BinOutcome::Changed};

    const auto moved = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    // The record comes first: a file never sits in the bin without it.
    const auto folder = source.Identity();
    const AddedItem added =
        folder ? AddItem(parts->letter, folder->device,
                         {"", std::string(path), moved, IdentityOf(parts->letter)})
               : AddedItem{};
    if (!added.bin) return {added.refusal};
    const Folder& bin = added.bin->folder;
    const Folder itemFolder = bin.OpenSubfolder(added.id);
    const FileOutcome outcome = MoveFile(source, name, itemFolder, name, check);
    if (outcome != FileOutcome::Done) {
        bin_.Forget(bin, added.id);
        return {OutcomeOf(outcome)};
    }
    const auto inBin = itemFolder.Status(name);
    return {BinOutcome::Done, inBin ? inBin->size : 0};
}

std::vector<BinItem> GarbageBin::Items() const { return ReadBins(std::nullopt); }

std::vector<BinItem> GarbageBin::SweepUnfinishedMoves(std::chrono::system_clock::time_point now) const {
    return ReadBins(now - std::chrono::hours(24));
}

std::vector<BinItem> GarbageBin::ItemsWithId(std::string_view id) const {
    std::vector<BinItem> items;
    if (!IsItemId(id)) return items;
    const std::string name(id);
    ForEachBin([&](const OpenBin& bin) {
        if (const Folder itemFolder = bin.folder.OpenSubfolder(name))
            ReadItemFolder(bin, name, itemFolder, items);
    });
    std::sort(items.begin(), items.end(), ComesBefore);
    return items;
}

std::vector<BinItem> GarbageBin::ReadBins(std::optional<Clock::time_point> sweepBefore) const {
    std::vector<BinItem> items;
    ForEachBin([&](const OpenBin& bin) { ReadBin(bin, sweepBefore, items); });
    std::sort(items.begin(), items.end(), ComesBefore);
    return items;
}

void GarbageBin::ReadBin(const OpenBin& bin, std::optional<Clock::time_point> sweepBefore,
                         std::vector<BinItem>& items) const {
    const std::vector<std::string> names = bin.folder.Names();
    const auto leftBefore = [&](const std::string& name) {
        const auto held = bin.folder.Status(name);
        return held && held->changed <= *sweepBefore;
    };
    if (sweepBefore) {
        // A record cut short as it was written, and one whose item folder
        // went while the item was forgotten.
        const std::unordered_set<std::string_view> present(names.begin(), names.end());
        for (const std::string& name : names) {
            const std::optional<std::string_view> id = RecordedId(name);
            const bool orphanRecord = id && !present.contains(*id);
            if ((orphanRecord || name.starts_with(kPartialCopyPrefix)) && leftBefore(name))
                bin.folder.RemoveFile(name, kOwnFile);
        }
    }
    for (const std::string& id : names) {
        if (!IsItemId(id)) continue;
        const Folder itemFolder = bin.folder.OpenSubfolder(id);
        if (!itemFolder) continue;
        const std::size_t listedBefore = items.size();
        const std::vector<std::string> partialCopies = ReadItemFolder(bin, id, itemFolder, items);
        const bool listed = listedBefore < items.size();
        if (!sweepBefore || (listed && partialCopies.empty())) continue;
        // Without a record, the folder's own time tells when it was made.
        const std::optional<BinRecord> record = ReadRecord(bin.folder, id);
        if (record ? record->moved > *sweepBefore : !leftBefore(id)) continue;
        for (const std::string& name : partialCopies) itemFolder.RemoveFile(name, kOwnFile);
        if (!listed) Forget(bin.folder, id);
    }
}

std::vector<std::string> GarbageBin::ReadItemFolder(const OpenBin& bin, const std::string& id,
                                                    const Folder& itemFolder,
                                                    std::vector<BinItem>& items) const {
    std::vector<std::string> partialCopies;
    std::optional<std::optional<BinRecord>> record;  // read once, when an entry needs it
    for (std::string& name : itemFolder.Names()) {
        if (name.starts_with(kPartialCopyPrefix)) {  // a copy under way
            partialCopies.push_back(std::move(name));
            continue;
        }
        const auto held = itemFolder.Status(name);
        if (!held) continue;
        if (!record) record = ReadRecord(bin.folder, id);
        const std::optional<BinRecord>& known = *record;
        BinItem item{"", known ? known->moved : held->changed, held->size, bin.path,
                     id, std::move(name), held->identity};
        if (known && item.name == LastName(known->originalPath))
            item.originalPath = PathNow(bin, *known).value_or(known->originalPath);
        items.push_back(std::move(item));
    }
    return partialCopies;
}

const GarbageBin::OpenBin* GarbageBin::ListedBinHolding(const BinItem& item) const {
    const auto listed = [&]() -> const OpenBin* {
        for (const OpenBin& bin : listed_)
            if (bin.path == item.binFolder) return &bin;
        return nullptr;
    };
    // An item listed by another reading of the bins: they are opened again.
    if (!listed()) ForEachBin([](const OpenBin&) {});
    const OpenBin* bin = listed();
    if (!bin) return nullptr;
    const auto held = bin->folder.OpenSubfolder(item.id).Status(item.name);
    if (!held || held->identity != item.identity) return nullptr;
    return bin;
}

BinOutcome GarbageBin::Restore(const BinItem& item) const {
    if (item.originalPath.empty()) return BinOutcome::OriginUnknown;
    const OpenBin* bin = ListedBinHolding(item);
    const std::optional<BinRecord> record = bin ? ReadRecord(bin->folder, item.id) : std::nullopt;
    if (!record || LastName(record->originalPath) != item.name) return BinOutcome::BinChanged;
    if (!bin->filesRoot && record->drive && !TellsDisksApart(record->drive->fileSystem))
        return BinOutcome::DriveUnproven;
    const std::optional<std::string> target = PathNow(*bin, *record);
    if (!target) return BinOutcome::DriveGone;
    if (*target != item.originalPath) return BinOutcome::BinChanged;
    // The desktop platform tells names apart by more than letter case: a
    // "Report.txt" standing there now keeps "report.txt" out as well.
    if (files_.Find(*target, NameMatch::AnyCase)) return BinOutcome::TargetExists;
    const Folder targetFolder = files_.EnterFolder(ParentPath(*target), NameMatch::AnyCase,
                                                   Folder::Links::Refuse, Missing::Create);
    if (!targetFolder) return OutcomeOf(targetFolder.Failure());
    const FileOutcome moved = MoveFile(bin->folder.OpenSubfolder(item.id), item.name, targetFolder,
                                       std::string(LastName(*target)), Listed(item));
    if (moved == FileOutcome::NotFound) return BinOutcome::BinChanged;
    if (moved != FileOutcome::Done) return OutcomeOf(moved);
    Forget(bin->folder, item.id);
    return BinOutcome::Done;
}

BinOutcome GarbageBin::Remove(const BinItem& item) const {
    const OpenBin* bin = ListedBinHolding(item);
    if (!bin) return BinOutcome::BinChanged;
    const FileOutcome removed =
        bin->folder.OpenSubfolder(item.id).RemoveFile(item.name, Listed(item)).outcome;
    if (removed == FileOutcome::Changed || removed == FileOutcome::NotFound)
        return BinOutcome::BinChanged;
    if (removed != FileOutcome::Done) return OutcomeOf(removed);
    Forget(bin->folder, item.id);
    return BinOutcome::Done;
}

std::optional<GarbageBin::OpenBin> GarbageBin::OpenBinIn(std::string_view parentPath,
                                                         Missing missing, BinOf kind,
                                                         std::optional<std::uint64_t> onDevice) const {
    // The bin's own parent is the program's choice (a drive's root, the data
    // folder), so links of this user's or root's on the way there are
    // followed; the bin itself is not one.
    Folder parent =
        files_.EnterFolder(parentPath, NameMatch::AnyCase, Folder::Links::FollowOwn, missing);
    if (!parent) return std::nullopt;
    if (onDevice) {
        auto identity = parent.Identity();
        if (!identity || identity->device != *onDevice) return std::nullopt;
    }
    Folder bin = parent.OpenSubfolder(kGarbageBinFolderName, Folder::Links::Refuse, missing,
                                      kBinFolderMode);
    // Files are put aside only where no other user can take them away.
    if (!bin || !bin.OwnedByThisUser()) return std::nullopt;
    std::optional<std::string> filesRoot;
    if (kind == BinOf::Drive) filesRoot = std::string(parentPath);
    return OpenBin{JoinDrivePath(parentPath, kGarbageBinFolderName), std::move(bin),
                   std::move(filesRoot)};
}

const std::optional<DriveIdentity>& GarbageBin::Moves::IdentityOf(char driveLetter) {
    if (identifiedLetter_ != driveLetter) {
        identifiedLetter_ = driveLetter;
        identified_ = bin_.files_.IdentifyDrive(driveLetter);
    }
    return identified_;
}

GarbageBin::Moves::AddedItem GarbageBin::Moves::AddItem(char driveLetter, std::uint64_t device,
                                                        BinRecord record) {
    const std::string parents[] = {DriveRootPath(driveLetter), bin_.newItemsParent_};
    if (driveLetter_ != driveLetter || device_ != device) {
        driveLetter_ = driveLetter;
        device_ = device;
        bins_.clear();
    }
    // The bins in the order they are tried, each opened (or made) once.
    const auto binToTry = [&](std::size_t place) -> const std::optional<OpenBin>& {
        if (place == bins_.size()) {
            const std::string& parent = parents[place % 2];
            const BinOf kind = place % 2 == 0 ? BinOf::Drive : BinOf::DataFolder;
            std::optional<OpenBin> bin =
                place < 2 ? bin_.OpenBinIn(parent, Missing::Create, kind, device)
                          : bin_.OpenBinIn(parent, Missing::Create, kind);
            // A drive's bin that later runs could not find takes nothing.
            const std::optional<DriveIdentity>& root = IdentityOf(driveLetter);
            if (bin && kind == BinOf::Drive && (!root || !register_.Add(*root))) bin.reset();
            bins_.push_back(std::move(bin));
        }
        return bins_[place];
    };
    AddedItem added;
    // A bin that opens may still take no new folder or record (its disk is
    // full): the next one is tried then.
    const auto addTo = [&](const std::optional<OpenBin>& bin) {
        std::optional<std::string> id =
            bin ? bin->folder.CreateFreshSubfolder(ItemIdPrefix(record.moved), kBinFolderMode)
                : std::nullopt;
        if (!id) return false;
        record.id = *id;
        FileOutcome written = FileOutcome::Failed;
        try {
            written = bin->folder.ReplaceFile(RecordName(*id), BinRecordText(record));
        } catch (const std::invalid_argument&) {
            // A path or mount point no record line can hold.
        }
        if (written != FileOutcome::Done) {
            bin_.Forget(bin->folder, *id);
            added.refusal = BinOutcome::RecordNotWritten;
            return false;
        }
        added.bin = &*bin;
        added.id = std::move(*id);
        return true;
    };
    constexpr std::size_t kBinsToTry = 4;  // on the file's file system, then anywhere
    for (std::size_t place = 0; place < kBinsToTry; ++place)
        if (addTo(binToTry(place))) return added;
    return added;
}

void GarbageBin::ForEachBin(const std::function<void(const OpenBin& bin)>& visit) const {
    listed_.clear();
    skipped_.clear();
    std::vector<EntryIdentity> visited;  // two drive letters may stand for one folder
    const auto listOnce = [&](std::optional<OpenBin> bin) {
        auto identity = bin ? bin->folder.Identity() : std::nullopt;
        if (!identity || std::find(visited.begin(), visited.end(), *identity) != visited.end())
            return;
        visited.push_back(*identity);
        listed_.push_back(std::move(*bin));
    };
    for (const Drive& drive : files_.Drives().Drives())
        listOnce(OpenBinIn(DriveRootPath(drive.letter), Missing::Fail, BinOf::Drive));
    for (const DriveIdentity& root : BinRegister(files_, dataFolderPath_).Folders()) {
        // A folder that is gone, or another file system mounted there now, holds no bin of ours.
        const std::optional<std::string> parent = files_.DrivePathOfDrive(root);
        if (!parent) continue;
        std::optional<OpenBin> bin = OpenBinIn(*parent, Missing::Fail, BinOf::Drive);
        const std::string path = JoinDrivePath(*parent, kGarbageBinFolderName);
        if (!bin && files_.Find(path, NameMatch::Exact)) skipped_.push_back(path);
        listOnce(std::move(bin));
    }
    listOnce(OpenBinIn(newItemsParent_, Missing::Fail, BinOf::DataFolder));
    listOnce(OpenBinIn(dataFolderPath_, Missing::Fail, BinOf::DataFolder));
    for (const OpenBin& bin : listed_) visit(bin);
}

std::optional<std::string> GarbageBin::PathNow(const OpenBin& bin, const BinRecord& record) const {
    std::string path = record.originalPath;
    if (bin.filesRoot) {
        path.replace(0, 2, *bin.filesRoot);  // the letter and colon the record names it by
    } else if (record.drive) {
        const std::optional<char> letter = files_.LetterOfDrive(*record.drive);
        if (!letter) return std::nullopt;
        path[0] = *letter;
    }
    return path;
}

void GarbageBin::Forget(const Folder& bin, const std::string& id) const {
    // A folder that still holds an entry keeps its record: the entry is listed by it.
    if (bin.RemoveEmptySubfolder(id) || !bin.LookUp(id))
        bin.RemoveFile(RecordName(id), kOwnFile);
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
        case BinOutcome::InUse: return "it appears to be locked by some other application";
        case BinOutcome::Changed:
            return "it is no longer the file listed, or it changed while it was being moved";
        case BinOutcome::NotPutBack:
            return "another entry had taken its place, and that entry now lies where the file "
                   "was to go";
        case BinOutcome::Failed: return "the file system refused";
        case BinOutcome::AlreadyInBin: return "the file is in a garbage bin already";
        case BinOutcome::NoBin: return "no garbage bin could be made for it";
        case BinOutcome::RecordNotWritten: return "the bin could not record where it came from";
        case BinOutcome::BinChanged: return "the bin has changed since it was listed";
        case BinOutcome::OriginUnknown: return "the bin holds no record of where it came from";
        case BinOutcome::DriveGone:
            return "the drive it came from is not mounted where it was";
        case BinOutcome::DriveUnproven:
            return "its record, from an older version, cannot tell the drive it came from apart "
                   "from another disk";
    }
    return "";
}

BinOutcome BinOutcomeOf(FileOutcome outcome) { return OutcomeOf(outcome); }

}  // namespace vellomar
