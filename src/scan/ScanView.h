#pragma once
// What a search needs of the window that shows it: the progress labels, the
// busy state, the list states, and a chance to let the window handle input.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vellomar {

class ScanView {
public:
    virtual ~ScanView() = default;

    // The captions before the count and the byte total, made visible.
    virtual void ShowTotalsCaptions(std::string_view filesCaption, std::string_view bytesCaption) = 0;
    virtual void ShowEntryCount(std::size_t count) = 0;
    // The window writes it with FormatByteTotal when it paints.
    virtual void ShowByteTotal(double bytes) = 0;
    // The status line: the folder being entered, or how the search ended.
    virtual void ShowStatus(std::string_view text) = 0;

    // Busy: Stop shown, the search groups and "Show Totals" disabled, the filter
    // box hidden. Not busy: Stop hidden, the groups and "Show Totals" enabled.
    virtual void ShowBusy(bool busy) = 0;
    // The result list's states after a search or a deletion.
    virtual void SetEmptyListState() = 0;
    virtual void SetFilledListState() = 0;
    // Lets the horizontal scroll range reach the widest entry.
    virtual void FitListWidth() = 0;

    // Called once per directory entry during a walk: the window may handle
    // pending input here (Stop among it).
    virtual void Pump() = 0;
    // How many times the view has let other work run (input handled, commands
    // nested in the walk), which may have changed the disk; nothing when it
    // cannot tell, and then every call into the view is taken to have.
    virtual std::optional<std::uint64_t> OtherWorkRounds() const { return std::nullopt; }
};

}  // namespace vellomar
