#pragma once
// "Delete to Bin": the files of the highlighted entries are moved into the
// garbage bin after the user confirms, each by the path its entry was found
// as. Moved entries leave the list in one pass and take their bytes from
// ScanBytes; files that could not be moved stay listed and highlighted, and
// the user is told which and why. Then the bin window shows where the files went.

#include <cstddef>

#include "results/BinPrompts.h"
#include "run/Session.h"

namespace vellomar {

class DeleteToBinPrompts : public BinPrompts {
public:
    // The bin window "Trash Bin Empty or Restore", modally.
    virtual void ShowGarbageBin() = 0;
};

// What the command needs of the main window.
class DeleteToBinView {
public:
    virtual ~DeleteToBinView() = default;
    // lblcount2 and lblbytes2 (the window writes bytes with FormatByteTotal).
    virtual void ShowEntryCount(std::size_t count) = 0;
    virtual void ShowByteTotal(double bytes) = 0;
    // The core list's entries, highlights or current entry changed: the list
    // must show them before anything else may repaint the window.
    virtual void ShowListChange() = 0;
    // Describes the current entry under the list and in File Details.
    virtual void DescribeCurrentEntry() = 0;
    virtual void SetEmptyListState() = 0;
};

// The whole command, from the empty-list message to the bin window. With no
// entry highlighted nothing is moved and the bin window opens, so that what
// the bin holds can always be reached.
void DeleteToBin(Session& session, DeleteToBinView& view, DeleteToBinPrompts& prompts);

}  // namespace vellomar
