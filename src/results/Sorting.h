#pragma once
// Sorting the result list by extension, name, path or size. Each entry is
// ordered by one text, its key, ":::" and the entry, compared as the sorted
// list box of the desktop compares its lines: without regard to letter case,
// in the order of the user's locale. With "Ignore Case" checked the entries
// come back in lower case (ASCII letters); they keep naming the files they
// were found as.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

enum class SortKind {
    Extension,  // "Ext": from the last dot of the file name on; empty without a dot
    Name,       // "Name": the file name
    Path,       // "Path": the whole entry
    Size,       // "Size": the file's size, ten digits at least
};

// The order of the sorted list box (LocaleCollation, the user's locale, in
// the window and on the command line); the tests supply orders of their own.
class ListCollation {
public:
    virtual ~ListCollation() = default;
    // Positions 0 to count - 1 in ascending order of their texts; texts that
    // compare equal keep their order. textAt is called once per position, from
    // several threads at once on a long list.
    virtual std::vector<std::size_t> AscendingOrder(
        std::size_t count, const std::function<std::string(std::size_t)>& textAt) const = 0;
};

// What a sort needs of the main window.
class SortView {
public:
    virtual ~SortView() = default;
    // The state of "Ignore Case" at this moment.
    virtual bool IgnoreCaseChecked() const = 0;
    // The sort notice window, shown without blocking the main window, and closed.
    virtual void ShowSortNotice() = 0;
    virtual void CloseSortNotice() = 0;
    // "Ext", "Name", "Path" and "Size", in this order.
    virtual void SetSortButtonsEnabled(bool enabled) = 0;
    // The status line.
    virtual void ShowStatus(std::string_view text) = 0;
    // Lets the toolkit handle every pending window message once, so that the
    // notice and the status line are painted.
    virtual void ProcessPendingMessages() = 0;
    // The core list's entries, highlights or current entry changed: the list
    // shows them before anything else may repaint the window.
    virtual void ShowListChange() = 0;
    // Describes the current entry under the list and in File Details.
    virtual void DescribeCurrentEntry() = 0;
};

inline constexpr std::string_view kSortingStatus = "Sorting..... Please be patient.";
inline constexpr std::string_view kSortFinishedStatus = "Sort is finished.";

// Everything one sort works with.
struct SortContext {
    Session& session;
    SortView& view;
    MessagePrompts& prompts;
    const ListCollation& collation;
};

// "Ext", "Name", "Path" and "Size": sorts the list with the notice window
// shown and the sort buttons disabled; afterwards the first entry is
// highlighted and described. An empty list is only reported.
void SortButtonClick(SortContext& context, SortKind kind);

// Reorders the list in one pass, the entries lowered first when ignoreCase.
// Highlights are cleared and the first entry becomes current.
void SortList(ResultList& list, const FileSystem& files, const ListCollation& collation,
              SortKind kind, bool ignoreCase);

}  // namespace vellomar
