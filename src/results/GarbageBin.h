#pragma once
// The garbage bin: files put aside instead of deleted, to be restored to their
// folders or removed for good later.
//
// Where the files go. Each drive may hold a folder "Garbage Bin" at its root,
// and the data folder holds one more; walks never enter a folder of that name.
// A file goes to the bin that lies on its own file system, the drive's before
// the data folder's, since there a move is one rename: instant, and the file
// is at its old place or at its new one whatever happens. A drive whose root
// the user may not write (c: is "/" on Linux) has no bin of its own; its files
// go to the data folder's bin, by a rename where that is on the same file
// system (the home folder usually is) and by a checked copy otherwise.
//
// How a bin is laid out. Each file gets a numbered folder of its own, which
// keeps the file's name, so files of one name from different folders never
// meet, and beside it a record "<number>.ini" that tells where the file came
// from and when (results/BinRecord.h). The record is written before the file
// moves, and the file's arrival in its numbered folder is what completes the
// item: an item whose folder holds no file is a move that never finished, and
// it is neither listed nor touched. So a record that cannot be written stops
// the move before the file is touched, and no file ever sits in the bin
// without the record of where it belongs.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FolderHandle.h"
#include "platform/Platform.h"
#include "results/BinRecord.h"
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
    Changed,
    Failed,
    // The bin's own.
    AlreadyInBin,      // the file lies in a garbage bin already
    NoBin,             // no bin could be opened or made for the file
    RecordNotWritten,  // the record of where the file came from could not be written
};

// One file held in a bin.
struct BinItem {
    // Where the file came from and goes back to. A drive's own bin only ever
    // holds files of that drive, so its items name the drive by its letter now,
    // should the drive letters have changed since the file was moved.
    std::string originalPath;
    std::chrono::system_clock::time_point moved;
    std::int64_t size = 0;
    std::string binFolder;  // the bin that holds it, "t:\Garbage Bin"
    std::string number;     // its folder in the bin
};

class GarbageBin {
public:
    // dataFolderPath: the program's data folder, which holds the bin of last resort.
    GarbageBin(const Platform& platform, std::string dataFolderPath);

    struct MoveResult {
        BinOutcome outcome;
        std::int64_t size = 0;  // the file's size when it was moved
    };
    // Moves the regular, writable file at a drive-form path (the path its entry
    // was found as) into a bin. On any failure the file stays where it was and
    // the bin keeps nothing of it.
    MoveResult MoveIn(std::string_view path);

    // Every file in every bin, ordered by the path it came from without regard
    // to ASCII letter case.
    std::vector<BinItem> Items() const;

    // Moves the file back to where it came from, making the folders that are
    // gone; never over a file that stands there now (TargetExists), in any
    // letter case.
    BinOutcome Restore(const BinItem& item) const;
    // Removes the file from the bin for good.
    BinOutcome Remove(const BinItem& item) const;

    // Clears away what moves cut short by a crash left behind a day or more
    // ago: their records, folders and partial copies. A younger one may be a
    // move another run of the program is making now.
    void SweepUnfinishedMoves(std::chrono::system_clock::time_point now) const;

private:
    struct OpenBin {
        std::string path;  // drive form
        FolderHandle folder;
    };
    // The bin inside a folder, opened through links to that folder; the bin
    // itself must be a real folder owned by this user.
    std::optional<OpenBin> OpenBinIn(std::string_view parentPath, FolderHandle::Missing missing,
                                     std::optional<std::uint64_t> onDevice = std::nullopt) const;
    struct NewItem {
        OpenBin bin;
        std::string number;  // its folder, made in the bin
    };
    struct AddedItem {
        std::optional<NewItem> item;
        BinOutcome refusal = BinOutcome::NoBin;  // why there is none
    };
    // A new item folder with its record beside it, written through the bin's
    // open folder, in the first bin that takes both: bins on the file's own
    // file system (device) first, the drive's before the data folder's.
    AddedItem AddItem(char driveLetter, std::uint64_t device, std::string_view record);
    // Every bin once, the drives' (driveRoot) before the data folder's.
    void ForEachBin(const std::function<void(const OpenBin& bin, bool driveRoot)>& visit) const;
    // Each item folder of a bin with its record, and its file's size when the
    // file is there.
    void ForEachRecord(const OpenBin& bin,
                       const std::function<void(const std::string& number, BinRecord& record,
                                                std::optional<std::int64_t> size)>& visit) const;
    std::optional<std::string> AddItemFolder(const OpenBin& bin);
    // Removes an item's record and its folder, once the folder is empty.
    void Forget(const FolderHandle& bin, const std::string& number) const;

    const FileSystem& files_;
    std::string dataFolderPath_;
    std::map<std::string, unsigned long> nextNumber_;  // per bin path
};

// The reason a file could not be moved, restored or removed, in a few words.
std::string_view BinOutcomeReason(BinOutcome outcome);

}  // namespace vellomar
