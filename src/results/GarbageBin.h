#pragma once
// The garbage bin: files put aside instead of deleted, to be restored to their
// folders or removed for good later.
//
// Where the files go. Each drive may hold a folder "Garbage Bin" at its root,
// and the program's data folder among the user's data holds one more (an
// older version kept it in the settings' data folder, whose items are still
// listed and restored); walks never enter a folder of that name. Each bin
// made at a drive's root is entered in a register (results/BinRegister.h),
// so that it is found again when that folder is no drive's root any more.
// A file goes to the bin that lies on its own file system, the drive's before
// the data folder's, since there a move is one rename: instant, and the file
// is at its old place or at its new one whatever happens. A drive whose root
// the user may not write (c: is "/" on Linux) has no bin of its own; its files
// go to the data folder's bin, by a rename where that is on the same file
// system (the home folder usually is) and by a checked copy otherwise.
//
// How a bin is laid out. Each file gets a folder of its own, named by an id
// that no other item ever gets (the moment of the move and a random part), which
// keeps the file's name, so files of one name from different folders never
// meet, and beside it a record "<id>.ini" that tells which item it is, where
// the file came from, from which file system, and when (results/BinRecord.h).
// The record is written before the file moves, and the file's arrival in its
// folder is what completes the item: an item whose folder holds nothing is a
// move that never finished, and it is neither listed nor touched. So a record
// that cannot be written stops the move before the file is touched. Whatever
// an item's folder holds is listed: an entry its record does not name, or one
// whose record is lost, as an item of unknown origin, never kept out of sight.
//
// The bin changes under the window that lists it (another run of the program
// restores, removes and adds items): every command checks that the item is
// still the very entry it listed, and does nothing otherwise (BinChanged).

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Folder.h"
#include "platform/FolderTrail.h"
#include "platform/Platform.h"
#include "results/BinRecord.h"
#include "results/BinRegister.h"
#include "scan/WalkFolder.h"

namespace vellomar {

enum class BinOutcome {
    Done,
    // As the file system answered (see FileOutcome).
    NotFound,
    NotAFile,
    ReadOnly,
    LinkInPath,
    TargetExists,
    NoRoom,
    NotPermitted,
    InUse,
    Changed,
    Failed,
    NotPutBack,
    // The bin's own.
    AlreadyInBin,      // the file lies in a garbage bin already
    NoBin,             // no bin could be opened or made for the file
    RecordNotWritten,  // the record of where the file came from could not be written
    BinChanged,        // the item is no longer the one listed, or gone
    OriginUnknown,     // the bin holds no record of where the item came from
    DriveGone,         // the file system it came from is not mounted where it was
    // The record, an older version's, names the file system it came from only
    // by device numbers, which another disk mounted there may share.
    DriveUnproven,
};

// One entry held in a bin.
struct BinItem {
    // Where the file came from and goes back to, by the letter that stands for
    // its file system now: a drive's own bin only ever holds files of that
    // drive, and the data folder's bin finds the drive by the file system its
    // record names (as recorded while that is not mounted where it was).
    // Empty for an entry of unknown origin.
    std::string originalPath;
    std::chrono::system_clock::time_point moved;
    std::int64_t size = 0;  // 0 for anything but a regular file
    std::string binFolder;  // the bin that holds it, "t:\Garbage Bin"
    std::string id;         // its folder in the bin
    std::string name;       // its name in that folder
    EntryIdentity identity; // the entry as it was listed
};

class GarbageBin {
public:
    // dataFolderPath: the program's data folder, which holds the register of
    // bins and, on systems without a data folder of the program's own
    // (Platform::ProgramDataFolder), the bin of last resort.
    GarbageBin(const Platform& platform, std::string dataFolderPath);

    struct MoveResult {
        BinOutcome outcome;
        std::int64_t size = 0;  // the file's size when it was moved
    };
    // Moves the regular, writable file at a drive-form path (the path its entry
    // was found as, every name exact) into a bin. On any failure the file stays
    // where it was and the bin keeps nothing of it; should another entry have
    // taken the file's place and be stuck in the bin (NotPutBack), the bin
    // lists it. A file that fails the check as it moves (by default: any
    // writable file passes; with check.listed, only the very file listed, on
    // its own file system) is refused and stays.
    MoveResult MoveIn(std::string_view path, const EntryCheck& check = {}) const;

    // One command's moves, one file after another (below).
    class Moves;

    // Every entry in every bin, ordered by the path it came from without
    // regard to ASCII letter case, those of unknown origin first.
    std::vector<BinItem> Items() const;
    // The entries under one item id, in every bin, in the order of Items():
    // what the shell needs to find the item a key names, without reading
    // the whole bin.
    std::vector<BinItem> ItemsWithId(std::string_view id) const;
    // The bins the register names that the last listing passed over: a link
    // now, no folder or another user's. Nothing is done in them.
    const std::vector<std::string>& SkippedBins() const { return skipped_; }

    // Moves the file back to where it came from, making the folders that are
    // gone; never over a file that stands there now (TargetExists), in any
    // letter case.
    BinOutcome Restore(const BinItem& item) const;
    // Removes the file from the bin for good.
    BinOutcome Remove(const BinItem& item) const;

    // Clears away what moves cut short by a crash or a kill left behind a day
    // or more ago: their partial copies and records written in part, then
    // their folders and records where the folder is empty, also a folder
    // whose record was never written and a record whose folder is gone; an
    // entry a folder still holds keeps both, and is listed. A younger move may
    // be one another run of the program is making. Lists the items, as
    // Items(), in the same reading of the bins.
    std::vector<BinItem> SweepUnfinishedMoves(std::chrono::system_clock::time_point now) const;

private:
    struct OpenBin {
        std::string path;  // drive form
        Folder folder;
        // A drive's own bin holds files of the folder it lies in, which its
        // records name under the letter that folder had as a drive's root:
        // that folder, in drive form now. None for a data folder's bin.
        std::optional<std::string> filesRoot;
    };
    enum class BinOf { Drive, DataFolder };
    // The bin inside a folder, opened through links to that folder; the bin
    // itself must be a real folder owned by this user.
    std::optional<OpenBin> OpenBinIn(std::string_view parentPath, Folder::Missing missing,
                                     BinOf kind,
                                     std::optional<std::uint64_t> onDevice = std::nullopt) const;
    // The bin, as last listed, that lists the item, when it still holds the
    // very entry listed.
    const OpenBin* ListedBinHolding(const BinItem& item) const;
    // Every bin once, the drives' first, then the registered ones and the
    // data folders'; they stay open as listed.
    void ForEachBin(const std::function<void(const OpenBin& bin)>& visit) const;
    // Every item of every bin; with sweepBefore, what moves cut short before
    // then left is cleared away first.
    std::vector<BinItem> ReadBins(
        std::optional<std::chrono::system_clock::time_point> sweepBefore) const;
    void ReadBin(const OpenBin& bin,
                 std::optional<std::chrono::system_clock::time_point> sweepBefore,
                 std::vector<BinItem>& items) const;
    // The entries of one item folder, added to items; the names of partial
    // copies in it, which are not listed.
    std::vector<std::string> ReadItemFolder(const OpenBin& bin, const std::string& id,
                                            const Folder& itemFolder,
                                            std::vector<BinItem>& items) const;
    // Where an item's file goes back to now; nothing while the file system
    // it came from is not mounted where it was.
    std::optional<std::string> PathNow(const OpenBin& bin, const BinRecord& record) const;
    // Removes an item's folder once it is empty, and then its record.
    void Forget(const Folder& bin, const std::string& id) const;

    const FileSystem& files_;
    std::string dataFolderPath_;
    std::string newItemsParent_;  // the folder whose bin takes what no drive's bin takes
    mutable std::vector<OpenBin> listed_;
    mutable std::vector<std::string> skipped_;
};

// One command's moves, one file after another: the files' folders and the
// bins that take them stay open from one move to the next, for as long as
// the command runs.
class GarbageBin::Moves {
public:
    explicit Moves(const GarbageBin& bin);
    // As GarbageBin::MoveIn.
    MoveResult MoveIn(std::string_view path, const EntryCheck& check = {});

private:
    struct AddedItem;
    // A new item folder with its record beside it, written through the
    // bin's open folder, in the first bin that takes both: bins on the
    // file's own file system (device) first, the drive's before the data
    // folder's.
    AddedItem AddItem(char driveLetter, std::uint64_t device, BinRecord record);

    // The file system a drive letter stands for, asked of the system once
    // per letter (a UUID may be looked up among the devices' links).
    const std::optional<DriveIdentity>& IdentityOf(char driveLetter);

    const GarbageBin& bin_;
    FolderTrail sources_;
    BinRegister register_;
    char identifiedLetter_ = 0;
    std::optional<DriveIdentity> identified_;
    // The bins that may take files of one drive and file system, in the
    // order they are tried, as far as they were opened.
    char driveLetter_ = 0;
    std::uint64_t device_ = 0;
    std::vector<std::optional<OpenBin>> bins_;
};

// The reason a file could not be moved, restored or removed, in a few words.
std::string_view BinOutcomeReason(BinOutcome outcome);
// What the file system answered an act on a file, as the bin tells it.
BinOutcome BinOutcomeOf(FileOutcome outcome);

}  // namespace vellomar
