#pragma once
// The garbage bin window's contents and commands, without the toolkit: the
// window shows Items() in their order and Lines(), tells which item its list
// highlights, and forwards its buttons. After every command the contents are
// read from the bin again.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "results/BinPrompts.h"
#include "results/FileDetails.h"
#include "results/GarbageBin.h"

namespace vellomar {

// The window's three information lines.
struct BinLines {
    std::string count;  // Lblcount: "Files in bin = 3"
    std::string size;   // Lblsize: "Byte Size   = " and the highlighted file's size
    std::string date;   // Lbldate: "File Date   = " and the day it was moved
};

// How the window lists an item: the path it came from, or for an entry of
// unknown origin where it lies in the bin.
std::string ListedText(const BinItem& item);

class BinWindowCommands {
public:
    // Files removed for good count towards the cleanup totals.
    BinWindowCommands(GarbageBin& bin, BinPrompts& prompts, std::int32_t& cleanedFileCount,
                      double& reclaimedBytes);

    // Reads the bin anew; the highlight stays at its place in the list, or
    // moves to the last item when fewer remain.
    void Refresh();
    const std::vector<BinItem>& Items() const { return items_; }
    std::optional<std::size_t> Highlighted() const { return highlighted_; }
    void Highlight(std::optional<std::size_t> index);
    BinLines Lines(const DateFormatter& formatDate) const;

    // "Delete File": the highlighted file removed for good, after a confirmation.
    void DeleteFile();
    // "Restore File": the highlighted file back where it came from.
    void RestoreFile();
    // "Empty Entire Bin": every file removed for good, after a confirmation.
    void EmptyEntireBin();

private:
    // The highlighted item; tells the user when there is none.
    const BinItem* HighlightedItem();
    // Tells the user that the list was out of date, when the outcome says so.
    bool ReportedBinChanged(BinOutcome outcome);
    void Count(const BinItem& removed);

    GarbageBin& bin_;
    BinPrompts& prompts_;
    std::int32_t& cleanedFileCount_;
    double& reclaimedBytes_;
    std::vector<BinItem> items_;
    std::optional<std::size_t> highlighted_;
};

}  // namespace vellomar
