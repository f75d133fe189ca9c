#pragma once
// Narrowing the result list to the entries that contain a text, typed into the
// filter box under the list. Filters accumulate: each works on what the one
// before left, until the next search fills the list again.

#include <string>
#include <string_view>

#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

// The filter box's text until the user clicks into it: a click empties it.
inline constexpr std::string_view kFilterPlaceholder = "Filter List";

inline constexpr std::string_view kEmptyFilterMessage =
    "Your filter box is empty. This option allows you to search your data list and show only "
    "the filtered data you want to see. For example, if you only want your list to show items "
    "with the word doc in the name, then simply enter doc in the box and click \"Ok\" to filter "
    "it.";

// What a filter needs of the main window.
class FilterView {
public:
    virtual ~FilterView() = default;
    // The core list's entries changed (none highlighted, the first current):
    // the list shows them before anything else may repaint the window.
    virtual void ShowListChange() = 0;
};

// The text a filter looks for: the box's text without leading and trailing
// blanks and control characters, its ASCII letters in upper case.
std::string FilterText(std::string_view boxText);

// Keeps, in their order, the entries that contain filterText (as FilterText
// makes it) without regard to ASCII letter case. Highlights are cleared and
// the first entry becomes current; nothing else changes.
void FilterList(ResultList& list, std::string_view filterText);

// "Ok" beside the filter box: filters by the box's text, or tells the user
// how to filter when the box holds nothing but blanks.
void CmdFilterClick(Session& session, FilterView& view, MessagePrompts& prompts,
                    std::string_view boxText);

}  // namespace vellomar
