#pragma once
// What the garbage bin knows of a file it holds: where the file came from and
// when it was moved. Each item has a small ini file of its own in the bin, so a
// person can read it, one damaged record touches one item only, and moving a
// file never rewrites the records of the others.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vellomar {

struct BinRecord {
    std::string originalPath;  // drive form, the file's own name last
    std::chrono::system_clock::time_point moved;
};

// The record as its file holds it:
//   [Garbage Bin]
//   Path=t:\docs\report.txt
//   Moved=2024-05-01T12:03:22Z
// A path ending in a blank is written quoted, so that the blank reads back.
// Throws std::invalid_argument for a path that an ini line cannot hold.
std::string BinRecordText(const BinRecord& record);

// Nothing when the text holds no drive-form path naming a file. A moment that
// cannot be read is taken as the start of the epoch: the file is still listed.
std::optional<BinRecord> ParseBinRecord(std::string_view text);

}  // namespace vellomar
