#pragma once
// "Delete" and the cleanup offer after a search: the files of the highlighted
// entries are removed from the disk after the user confirms, each through the
// platform's safe delete and by the path its entry was found as, and the list
// is rebuilt without them in one pass. What could not be removed stays listed
// and is reported.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "results/BinFailures.h"
#include "run/ActProgress.h"
#include "run/CleanupTotals.h"
#include "run/MessagePrompts.h"
#include "run/ResultList.h"
#include "run/Session.h"

namespace vellomar {

class DeletionPrompts : public virtual MessagePrompts, public virtual ProgressPrompts {
public:
    // The question with the buttons "Yes" and "No"; true for "Yes".
    virtual bool ConfirmDeletion(std::string_view text) = 0;
    // The warning that not every highlighted file was removed, with the files
    // that stay, each with why. By default a line for each follows the text.
    virtual void ShowNotAllRemoved(std::string_view warning,
                                   const std::vector<BinFailure>& failures);
};

// What deletion needs of the main window.
class DeletionView {
public:
    virtual ~DeletionView() = default;

    // lblcount2 and lblbytes2 (the window writes bytes with FormatByteTotal).
    virtual void ShowEntryCount(std::size_t count) = 0;
    virtual void ShowByteTotal(double bytes) = 0;
    // The core list's entries, highlights or current entry changed: the list
    // must show them before anything else may repaint the window.
    virtual void ShowListChange() = 0;
    // Describes the current entry under the list and in File Details.
    virtual void DescribeCurrentEntry() = 0;
    // Lbldate and Lblsize made visible.
    virtual void ShowDateAndSizeLines() = 0;
    virtual void SetEmptyListState() = 0;
};

// Everything one deletion works with.
struct DeletionContext {
    Session& session;
    DeletionView& view;
    DeletionPrompts& prompts;
};

// "Delete": asks, removes the highlighted entries' files and rebuilds the list;
// afterwards the entry current before is highlighted again if the list still
// reaches it (the first entry otherwise) and described, or the window takes
// its empty-list state.
void DeleteHighlighted(DeletionContext& context);

// The cleanup offer: every entry highlighted, then "Delete".
void HighlightAllAndDelete(DeletionContext& context);

// Asks; on "Yes" removes the files and rebuilds the list without them, on any
// other answer (or when the program is ending) clears every highlight and
// describes the first entry.
void RemoveHighlightedFiles(DeletionContext& context);

// Rebuilds the list in one pass without the given rows (ascending, each at most
// once); every other entry stays, in its order.
void DropRows(ResultList& list, const std::vector<std::size_t>& rows);

}  // namespace vellomar
