#pragma once
// The garbage bin window's contents and commands, without the toolkit: the
// window shows Items() in their order and Lines(), tells which item its list
// highlights, and forwards its buttons. After every command the contents are
// read from the bin again.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

// What the commands list: the whole bin (the window), read once it is
// opened, or only the item a key names (the shell), read when it is named.
enum class BinListing { WholeBin, NamedItem };

class BinWindowCommands {
public:
    // Files removed for good count towards the cleanup totals.
    BinWindowCommands(GarbageBin& bin, BinPrompts& prompts, std::int32_t& cleanedFileCount,
                      double& reclaimedBytes, BinListing listing = BinListing::WholeBin);

    // Reads the bin anew; the highlight stays at its place in the list, or
    // moves to the last item when fewer remain.
    void Refresh();
    // Lists the entries under the id a key names (BinItemKey.h) and
    // highlights the one it names; false when it names none.
    bool ShowItemOfKey(std::string_view key);
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
    // The same for the files moved in before a moment only.
    void EmptyItemsMovedBefore(std::chrono::system_clock::time_point moment);

private:
    // The highlighted item; tells the user when there is none.
    const BinItem* HighlightedItem();
    // Tells the user that the list was out of date, when the outcome says so.
    bool ReportedBinChanged(BinOutcome outcome);
    void Count(const BinItem& removed);
    // Removes the items chosen for good after the question, and tells what could not be.
    void RemoveForGood(const std::vector<const BinItem*>& chosen, const std::string& question);
    // Tells of the registered bins the last reading passed over.
    void ReportSkippedBins();

    GarbageBin& bin_;
    BinPrompts& prompts_;
    std::int32_t& cleanedFileCount_;
    double& reclaimedBytes_;
    std::vector<BinItem> items_;
    std::optional<std::size_t> highlighted_;
    std::optional<std::string> shownId_;  // the one item id listed, for BinListing::NamedItem
};

}  // namespace vellomar
