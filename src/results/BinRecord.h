#pragma once
// What the garbage bin knows of a file it holds: which item it is, where the
// file came from and when it was moved. Each item has a small ini file of its own in the bin, so a
// person can read it, one damaged record touches one item only, and moving a
// file never rewrites the records of the others.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/DriveIdentity.h"

namespace vellomar {

struct BinRecord {
    std::string id;            // the item's, never given to another; empty in older records
    std::string originalPath;  // drive form, the file's own name last
    std::chrono::system_clock::time_point moved;
    // The file system the file came from, whatever letter it has now; older
    // records name none and trust the letter.
    std::optional<DriveIdentity> drive;
};

// The record as its file holds it:
//   [Garbage Bin]
//   Id=20240501T120322Z-3f9a0c1e7b2d4a55e0c4b1a29d8f6e37
//   EncodedPath=t:\docs\my%20report.txt
//   Path=t:\docs\my report.txt
//   Moved=2024-05-01T12:03:22Z
//   Mount=/media/ann/usb
//   FileSystem=uuid:0f3c9a0e5d7b4e8f9a1b2c3d4e5f6a7b
// EncodedPath holds any name a file can have, percent-escaped; Path, which
// older versions read and wrote alone, is left out for a name with a line
// break. Throws std::invalid_argument for a mount point that an ini line cannot hold.
std::string BinRecordText(const BinRecord& record);

// Nothing when the text holds no drive-form path naming a file. A moment that
// cannot be read is taken as the start of the epoch: the file is still listed.
// A file system named by only one of its two keys is taken as none named.
std::optional<BinRecord> ParseBinRecord(std::string_view text);

}  // namespace vellomar
